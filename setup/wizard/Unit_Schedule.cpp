#include "Unit_Schedule.h"

#include "backdrop/Unit_main.h"

TFormSchedule* FormSchedule = nullptr;

namespace {

constexpr int kClientWidth = 547;
constexpr int kClientHeight = 397;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;

} // namespace

TFormSchedule::TFormSchedule(ui::App& app) : ui::Form(app) {
    colour_ = RGB(255, 255, 255);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    CreateForm(L"TFormSchedule", "", kStyle, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
               (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
               width, height, Formain->Handle());
    FormCreate();
}

void TFormSchedule::FormCreate() {
    SetCaption(Formain->ReadSetupIni("Form", "Caption"));
}

void TFormSchedule::FormClose() {
    Formain->Close();
}
