#include "core/earlier_installation.h"
#include "core/setup_error.h"

#include <gtest/gtest.h>

using core::CompareSerials;
using core::SerialOrder;

TEST(EarlierInstallation, SerialsCompareAsNumbers) {
    const struct {
        const char* configured;
        const char* installed;
        SerialOrder order;
    } cases[] = {
        {"02080305", "02080305", SerialOrder::Equal},
        {"02080305", "2080305", SerialOrder::Equal},
        {"02080305", "27200", SerialOrder::ConfiguredNewer},
        {"02080305", "2080306", SerialOrder::ConfiguredOlder},
        {"02080305", "2080305.5", SerialOrder::ConfiguredOlder},
        {"02080305", " 2.080305E6 ", SerialOrder::Equal},
        {"0000000002080305", "2080305", SerialOrder::Equal}, // long, but in range
        {"-02147483648", "-2147483648", SerialOrder::Equal},
        {"000000000002147483647", "2147483648", SerialOrder::ConfiguredOlder},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareSerials(c.configured, c.installed, '.'), c.order) << c.installed;
    EXPECT_EQ(CompareSerials("2", "1,5", ','), SerialOrder::ConfiguredNewer);
}

TEST(EarlierInstallation, InvalidSerialsNameTheOffendingText) {
    const struct {
        const char* configured;
        const char* installed;
        const char* message;
    } cases[] = {
        {"", "1", "'' is not a valid integer value"},
        {"2.8.3", "1", "'2.8.3' is not a valid integer value"},
        {"9999999999", "1", "'9999999999' is not a valid integer value"},
        {"2147483648", "1", "'2147483648' is not a valid integer value"},
        {"-2147483649", "1", "'-2147483649' is not a valid integer value"},
        {"00000000000000000000000000000099999999999999999999", "1",
         "'00000000000000000000000000000099999999999999999999' is not a valid integer value"},
        {"1", "abc", "'abc' is not a valid floating point value"},
        {"1", "1.2.3", "'1.2.3' is not a valid floating point value"},
        {"1", "1,5", "'1,5' is not a valid floating point value"},
    };
    for (const auto& c : cases) {
        try {
            CompareSerials(c.configured, c.installed, '.');
            ADD_FAILURE() << c.configured << " / " << c.installed;
        } catch (const core::SetupError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(EarlierInstallation, QuestionsByteForByte) {
    const std::string caption = "Velmorav2.8.3.5\xa3\xa8\xb1\xea\xd7\xbc\xb0\xe6-m\xa3\xa9";
    EXPECT_EQ(core::ReinstallQuestion(caption),
              caption + "已经安装，要再次安装吗？" + "\r\r" +
                  "若选择再次安装，请注意备份原软件中的数据资料，以免丢失宝贵数据。" + "\r" +
                  "备份方法：退出本安装程序，运行Velmora，点击窗口顶行“文件”菜" + "\r" +
                  "单，选择“另存为”保存数据到U盘，或其它熟悉的文件夹中。" + "\r\r" +
                  "    按 [Yes] 按钮再次安装；按 [No] 结束" + "\r");
    EXPECT_EQ(core::OlderVersionQuestion(), std::string("您正在安装的是一个旧版本，要继续安装吗？") + "\r\r" +
                                                "    按 [Yes] 按钮继续安装；按 [No] 结束" + "\r");
    EXPECT_EQ(core::ReinstallQuestion("").find('\n'), std::string::npos);
}
