#include "running_application.h"

#include "gbk.h"

namespace core {

bool IsApplicationExecutable(const std::string& exeField) {
    const size_t sep = FindLastSeparator(exeField, "\\:");
    const std::string name = sep == std::string::npos ? exeField : exeField.substr(sep + 1);
    return name == "VLMR.EXE" || name == "VLMR.exe" || name == "vlmr.EXE" || name == "vlmr.exe";
}

int FirstApplicationWindow(const std::vector<std::string>& titles, const std::string& setupTitle) {
    for (size_t i = 0; i < titles.size(); ++i)
        if (!titles[i].empty() && titles[i] != setupTitle) return static_cast<int>(i);
    return -1;
}

std::string StartFromDesktopLinkNotice() {
    return "Velmora已安装完毕，但未能启动。\r请双击桌面上的Velmora快捷方式启动。";
}

std::string EndApplicationQuestion() {
    return "Velmora正在运行中，只有结束其\r运行后，才能进行软件更新。\r\r要结束正在运行的Velmora吗?";
}

} // namespace core
