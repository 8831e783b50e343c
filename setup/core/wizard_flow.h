#pragma once
// The wizard's page flow: which page shows, the header strip or the side picture, the buttons'
// states and captions and the texts that Next, Back and the hand-over set. The wizard window only
// shows this state and carries out the actions Next asks for.
#include <string>

namespace core {

enum WizardPage { kWelcomePage = 0, kAgreementPage, kFolderPage, kConfirmPage, kPassPage, kCompletionPage };

struct WizardState {
    int page = kWelcomePage;
    bool headerVisible = false; // the header strip and the side picture take turns
    bool backEnabled = false;
    bool nextEnabled = true;
    bool exitEnabled = true;
    std::string nextCaption = "下一步 >";
    std::string exitCaption = "退出";
    std::string headerTitle = "许可协议";
    std::string headerSubtitle = "请仔细阅读下面的协议条款";
    bool headerTitleVisible = true;
    bool headerSubtitleVisible = true;
    int headerSubtitleLeft = 16;
    std::string welcomeTitle;
    std::string welcomeText;
    std::string confirmationText;
    std::string completionTitle;
    bool acceptSelected = true;
};

enum class NextAction { None, LoadAgreement, FillDriveGrid, StartInstallation, Finish };

constexpr char kFinishCaption[] = "完毕";

class WizardFlow {
  public:
    const WizardState& State() const { return state_; }

    // The welcome texts, set at every activation.
    void Activate(const std::string& caption);
    // Next: moves on and says what the window must do for the page now shown.
    NextAction Next(const std::string& caption);
    // The agreement is in the memo: what follows the load on the agreement page.
    void AgreementLoaded(const std::string& heading);
    // The installation starts: the notebook goes to the completion page (not yet set up).
    void StartInstallation();
    void Back();
    void ChooseAgreement(bool accepted);
    // The installation has run to its end: the completion page.
    void HandOver(const std::string& caption);

  private:
    WizardState state_;
};

} // namespace core
