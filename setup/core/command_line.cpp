#include "command_line.h"

#include "ascii.h"
#include "install_location.h"

#include <vector>

namespace core {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The arguments after the program's path. Quotes group and are dropped; GBK needs no care here, as
// neither a quote nor a blank is ever the second byte of a double-byte character.
std::vector<std::string> Arguments(std::string_view line) {
    size_t i = 0;
    // The program's path: up to the closing quote when it starts with one, else up to a blank.
    if (i < line.size() && line[i] == '"') {
        const size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i]))
        ++i;
    std::vector<std::string> arguments;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size()) break;
        std::string argument;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else
                argument += line[i];
        }
        arguments.push_back(argument);
    }
    return arguments;
}

} // namespace

ParsedCommandLine ParseCommandLine(std::string_view commandLine) {
    ParsedCommandLine parsed;
    SetupOptions& o = parsed.options;
    bool silent = false, verySilent = false;
    const auto fail = [&parsed](const std::string& error) {
        if (parsed.error.empty()) parsed.error = error;
    };
    const std::vector<std::string> arguments = Arguments(commandLine);
    parsed.hasArguments = !arguments.empty();
    // Every argument is read, also after a bad one: the mode and the log may come later on the line.
    for (const std::string& argument : arguments) {
        const size_t equals = argument.find('=');
        const std::string name = AsciiUpper(argument.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : argument.substr(equals + 1);
        const bool hasValue = equals != std::string::npos;
        // Whoever asked for a silent setup wants no box, even when the switch itself is wrong.
        if (name == "/SILENT") silent = true;
        if (name == "/VERYSILENT") verySilent = true;
        bool ignored = false;
        bool* flag = name == "/SILENT"       ? &silent
                     : name == "/VERYSILENT" ? &verySilent
                     : name == "/NOICONS"    ? &o.noIcons
                     : name == "/NORUN"      ? &o.noRun
                     : name == "/RUN"        ? &o.run
                     : name == "/FORCE"      ? &o.force
                     : name == "/CLOSEAPP"   ? &o.closeApp
                     : name == "/?"          ? &o.showHelp
                     // Switches administrators give every installer by habit: this setup never shows
                     // a box in the silent modes, never restarts anything and has no start prompt.
                     : name == "/SUPPRESSMSGBOXES" || name == "/NORESTART" || name == "/SP-" ||
                             name == "/NOCANCEL" || name == "/NOCLOSEAPPLICATIONS" ||
                             name == "/NORESTARTAPPLICATIONS"
                         ? &ignored
                         : nullptr;
        if (flag) {
            if (hasValue)
                fail("The switch " + name + " takes no value: " + argument);
            else
                *flag = true;
            continue;
        }
        if (name == "/LOG") {
            o.logFile = value; // empty: the log goes to the user's temporary folder
            continue;
        }
        if (name == "/DIR") {
            if (value.empty()) {
                fail("The switch /DIR needs a value, as in /DIR=\"...\": " + argument);
                continue;
            }
            // Taken by the folder page's rules, so that a bad folder is refused before anything.
            if (const std::string problem = InstallFolderProblem(value); !problem.empty())
                fail("/DIR=" + value + ": " + problem);
            else
                o.installDir = value;
            continue;
        }
        fail((argument.empty() || argument[0] != '/' ? "Not a switch: " : "Unknown switch: ") + argument);
    }
    if (o.run && o.noRun) fail("The switches /RUN and /NORUN contradict each other");
    o.mode = verySilent ? SetupMode::VerySilent : silent ? SetupMode::Silent : SetupMode::Interactive;
    return parsed;
}

std::string UnrepresentableCommandLineText() {
    return "The command line holds a character that has no form in the Chinese (GBK) code page; setup "
           "takes a folder or file name exactly or not at all.";
}

std::string CommandLineHelp(const std::string& problem) {
    std::string text = problem.empty() ? "" : problem + "\r\n\r\n";
    return text + "用法: VlmraSetup.exe [开关]\r\n"
                  "\r\n"
                  "/SILENT\t只显示安装进度窗口，不能取消\r\n"
                  "/VERYSILENT\t不显示任何窗口\r\n"
                  "/DIR=\"文件夹\"\t安装文件夹\r\n"
                  "/NOICONS\t不创建桌面快捷方式和程序组\r\n"
                  "/NORUN\t安装完毕后不运行软件\r\n"
                  "/RUN\t静默安装完毕后运行软件\r\n"
                  "/LOG=\"文件\"\t写入安装日志 (只写 /LOG 时写入临时文件夹)\r\n"
                  "/FORCE\t已安装较新版本时仍然安装\r\n"
                  "/CLOSEAPP\t结束正在运行的软件后安装\r\n"
                  "/?\t显示本说明\r\n"
                  "\r\n"
                  "接受但不起作用:\r\n"
                  "/SUPPRESSMSGBOXES  /NORESTART  /SP-\r\n"
                  "/NOCANCEL  /NOCLOSEAPPLICATIONS\r\n"
                  "/NORESTARTAPPLICATIONS\r\n"
                  "\r\n"
                  "退出代码: 0 安装成功; 1 安装失败; 2 命令行有误; 3 软件正在运行; 4 已安装较新版本; "
                  "5 用户取消; 6 另一个安装程序正在运行";
}

} // namespace core
