#include "core/wizard_flow.h"

#include <gtest/gtest.h>

using core::NextAction;
using core::WizardFlow;

namespace {

const std::string kCaption = "Velmorav2.8.3.5\xa3\xa8\xb1\xea\xd7\xbc\xb0\xe6-m\xa3\xa9";

// The buttons and the header as a user sees them: back, next, exit enabled; next's caption; header.
std::string Buttons(const WizardFlow& flow) {
    const core::WizardState& s = flow.State();
    return std::string(s.backEnabled ? "B" : "-") + (s.nextEnabled ? "N" : "-") +
           (s.exitEnabled ? "E" : "-") + " " + s.nextCaption + (s.headerVisible ? " header" : " side");
}

WizardFlow AtAgreementPage() {
    WizardFlow flow;
    flow.Activate(kCaption);
    EXPECT_EQ(flow.Next(kCaption), NextAction::LoadAgreement);
    flow.AgreementLoaded("\xd3\xc3\xbb\xa7\xca\xda\xc8\xa8\xd0\xad\xd2\xe9"); // 用户授权协议
    return flow;
}

} // namespace

TEST(WizardFlow, WalkFromWelcomeToCompletion) {
    WizardFlow flow;
    flow.Activate(kCaption);
    EXPECT_EQ(flow.State().welcomeTitle, "欢迎使用 " + kCaption);
    EXPECT_EQ(flow.State().welcomeText, "即将在您的电脑上安装“" + kCaption + "” 请点击“下一步”按钮继续。");
    EXPECT_EQ(Buttons(flow), "-NE 下一步 > side");

    EXPECT_EQ(flow.Next(kCaption), NextAction::LoadAgreement);
    EXPECT_EQ(flow.State().page, core::kAgreementPage);
    EXPECT_EQ(Buttons(flow), "-NE 下一步 > header"); // Back comes last, once the agreement is loaded
    flow.AgreementLoaded("\xd3\xc3\xbb\xa7\xca\xda\xc8\xa8\xd0\xad\xd2\xe9");
    EXPECT_EQ(Buttons(flow), "BNE 下一步 > header");
    EXPECT_EQ(flow.State().headerTitle, "\xd3\xc3\xbb\xa7\xca\xda\xc8\xa8\xd0\xad\xd2\xe9");
    EXPECT_EQ(flow.State().headerSubtitle, "请仔细阅读下面的协议条款");
    EXPECT_TRUE(flow.State().headerSubtitleVisible);

    EXPECT_EQ(flow.Next(kCaption), NextAction::FillDriveGrid);
    EXPECT_EQ(flow.State().headerTitle, "选择安装文件夹");
    EXPECT_FALSE(flow.State().headerSubtitleVisible);

    EXPECT_EQ(flow.Next(kCaption), NextAction::None);
    EXPECT_EQ(flow.State().page, core::kConfirmPage);
    EXPECT_EQ(flow.State().headerTitle, "安装确认");
    EXPECT_EQ(flow.State().confirmationText, "安装程序已经准备好在您的计算机上安装" + kCaption);
    EXPECT_EQ(flow.State().headerSubtitle, "点击“下一步”开始安装" + kCaption);
    EXPECT_TRUE(flow.State().headerSubtitleVisible);

    EXPECT_EQ(flow.Next(kCaption), NextAction::StartInstallation);
    flow.StartInstallation();
    EXPECT_EQ(flow.State().page, core::kCompletionPage);

    flow.HandOver(kCaption);
    EXPECT_EQ(Buttons(flow), "-N- 完毕 header");
    EXPECT_EQ(flow.State().headerSubtitleLeft, 32);
    EXPECT_EQ(flow.State().headerSubtitle, kCaption + " 已经成功安装在您的电脑中");
    EXPECT_FALSE(flow.State().headerTitleVisible);
    EXPECT_EQ(flow.State().completionTitle, kCaption + " 安装完毕.");
    EXPECT_EQ(flow.Next(kCaption), NextAction::Finish); // the caption, not the page, selects Finish
    EXPECT_EQ(flow.Next(kCaption), NextAction::Finish);
}

TEST(WizardFlow, DeclineDisablesNextUntilBackOrAcceptingAgain) {
    WizardFlow flow = AtAgreementPage();
    flow.ChooseAgreement(false);
    EXPECT_EQ(Buttons(flow), "B-E 下一步 > header");
    flow.ChooseAgreement(true);
    EXPECT_EQ(Buttons(flow), "BNE 下一步 > header");

    flow.ChooseAgreement(false);
    flow.Back();
    EXPECT_EQ(flow.State().page, core::kWelcomePage);
    EXPECT_EQ(Buttons(flow), "-NE 下一步 > side");
    EXPECT_EQ(flow.Next(kCaption), NextAction::LoadAgreement);
    flow.AgreementLoaded("x");
    EXPECT_TRUE(flow.State().acceptSelected);
    EXPECT_EQ(Buttons(flow), "BNE 下一步 > header");
}

TEST(WizardFlow, BackRereadsNothing) {
    WizardFlow flow = AtAgreementPage();
    flow.Next(kCaption); // folder page
    flow.Next(kCaption); // confirmation page
    flow.Back();
    EXPECT_EQ(flow.State().page, core::kFolderPage);
    EXPECT_EQ(flow.State().headerTitle, "安装确认"); // the header stays as the later page left it
    EXPECT_TRUE(flow.State().headerSubtitleVisible);
    EXPECT_EQ(Buttons(flow), "BNE 下一步 > header");
    flow.Back();
    EXPECT_EQ(flow.State().page, core::kAgreementPage);
    EXPECT_EQ(flow.State().headerTitle, "安装确认");

    WizardFlow other = AtAgreementPage();
    other.Next(kCaption); // folder page
    other.Back();
    EXPECT_EQ(other.State().headerTitle, "选择安装文件夹");
    EXPECT_FALSE(other.State().headerSubtitleVisible);
}

TEST(WizardFlow, EmptyCaptionLeavesTheFixedParts) {
    WizardFlow flow;
    flow.Activate("");
    EXPECT_EQ(flow.State().welcomeTitle, "欢迎使用 ");
    EXPECT_EQ(flow.State().welcomeText, "即将在您的电脑上安装“” 请点击“下一步”按钮继续。");
}
