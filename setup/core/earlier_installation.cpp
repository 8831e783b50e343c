#include "earlier_installation.h"

#include "decimal.h"
#include "setup_error.h"

#include <cctype>
#include <climits>

namespace core {
namespace {

std::string Trimmed(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && s[begin] == ' ')
        ++begin;
    while (end > begin && s[end - 1] == ' ')
        --end;
    return s.substr(begin, end - begin);
}

long long ToInteger(const std::string& text) {
    const std::string s = Trimmed(text);
    const auto invalid = [&] { return SetupError("'" + text + "' is not a valid integer value"); };
    size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
    if (i == s.size()) throw invalid();
    // The value decides, not the digit count: leading zeros may make a serial in range long.
    long long value = 0;
    for (size_t j = i; j < s.size(); ++j) {
        if (!std::isdigit(static_cast<unsigned char>(s[j]))) throw invalid();
        value = value * 10 + (s[j] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) throw invalid(); // out of range; no overflow
    }
    if (s[0] == '-') value = -value;
    if (value < INT_MIN || value > INT_MAX) throw invalid();
    return value;
}

double ToFloat(const std::string& text, char decimalSeparator) {
    std::string s = Trimmed(text);
    const auto invalid = [&] { return SetupError("'" + text + "' is not a valid floating point value"); };
    // Sign, digits, at most one separator, an optional exponent; nothing else.
    size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
        ++digits;
    if (i < s.size() && s[i] == decimalSeparator) {
        s[i] = '.';
        for (++i; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
            ++digits;
    }
    if (digits == 0) throw invalid();
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const size_t exponentStart = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        if (i == exponentStart) throw invalid();
    }
    if (i != s.size()) throw invalid();
    return ParseDecimal(s);
}

} // namespace

SerialOrder CompareSerials(const std::string& configured, const std::string& installed,
                           char decimalSeparator) {
    const double mine = static_cast<double>(ToInteger(configured));
    const double theirs = ToFloat(installed, decimalSeparator);
    if (mine == theirs) return SerialOrder::Equal;
    return mine < theirs ? SerialOrder::ConfiguredOlder : SerialOrder::ConfiguredNewer;
}

std::string ReinstallQuestion(const std::string& caption) {
    return caption +
           "已经安装，要再次安装吗？\r\r若选择再次安装，请注意备份原软件中的数据资料，以免丢失宝贵数据。\r"
           "备份方法：退出本安装程序，运行Velmora，点击窗口顶行“文件”菜\r"
           "单，选择“另存为”保存数据到U盘，或其它熟悉的文件夹中。\r\r"
           "    按 [Yes] 按钮再次安装；按 [No] 结束\r";
}

std::string OlderVersionQuestion() {
    return "您正在安装的是一个旧版本，要继续安装吗？\r\r    按 [Yes] 按钮继续安装；按 [No] 结束\r";
}

} // namespace core
