#include "wizard_flow.h"

namespace core {

void WizardFlow::Activate(const std::string& caption) {
    state_.welcomeTitle = "欢迎使用 " + caption;
    state_.welcomeText = "即将在您的电脑上安装“" + caption + "” 请点击“下一步”按钮继续。";
}

NextAction WizardFlow::Next(const std::string& caption) {
    if (state_.nextCaption == kFinishCaption) return NextAction::Finish;
    ++state_.page;
    state_.headerVisible = true;
    switch (state_.page) {
    case kAgreementPage:
        return NextAction::LoadAgreement;
    case kFolderPage:
        state_.headerTitle = "选择安装文件夹";
        state_.headerSubtitleVisible = false;
        return NextAction::FillDriveGrid;
    case kConfirmPage:
        state_.headerTitle = "安装确认";
        state_.confirmationText = "安装程序已经准备好在您的计算机上安装" + caption;
        state_.headerSubtitleVisible = true;
        state_.headerSubtitle = "点击“下一步”开始安装" + caption;
        return NextAction::None;
    case kPassPage:
        return NextAction::StartInstallation;
    default:
        return NextAction::None;
    }
}

void WizardFlow::AgreementLoaded(const std::string& heading) {
    state_.acceptSelected = true;
    state_.nextEnabled = true;
    state_.headerTitle = heading;
    state_.headerSubtitleVisible = true;
    state_.headerSubtitle = "请仔细阅读下面的协议条款";
    state_.backEnabled = true;
}

void WizardFlow::StartInstallation() {
    state_.page = kCompletionPage;
}

void WizardFlow::Back() {
    --state_.page;
    if (state_.page == kWelcomePage) {
        state_.headerVisible = false;
        state_.nextEnabled = true;
        state_.backEnabled = false;
    } else if (state_.page == kFolderPage) {
        state_.exitCaption = "退出";
        state_.nextEnabled = true;
    }
}

void WizardFlow::ChooseAgreement(bool accepted) {
    state_.acceptSelected = accepted;
    state_.nextEnabled = accepted;
}

void WizardFlow::HandOver(const std::string& caption) {
    state_.page = kCompletionPage;
    state_.headerSubtitleLeft += 16;
    state_.headerSubtitle = caption + " 已经成功安装在您的电脑中";
    state_.headerTitleVisible = false;
    state_.nextCaption = kFinishCaption;
    state_.completionTitle = caption + " 安装完毕.";
    state_.backEnabled = false;
    state_.exitEnabled = false;
}

} // namespace core
