#pragma once
// Standard Win32 controls wrapped thinly. Every text a user reads lives in a control whose
// WM_GETTEXT returns it, so screen readers and UI automation can read it.
#include "font.h"
#include "message_target.h"
#include "system/unique_handle.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Form;

enum class Align { None, Top, Bottom };

class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    HWND Handle() const { return hwnd_; }
    void SetBounds(int x, int y, int width, int height);
    RECT Bounds() const; // in the parent's client coordinates
    int Width() const;
    int Height() const;
    void SetLeft(int x);

    void SetText(const std::string& gbk);
    std::string Text() const;
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);

    void SetFont(const FontSpec& font);
    void SetTextColor(COLORREF colour) { textColour_ = colour; }
    void SetBackground(COLORREF colour);
    // The parent's drawing shows through around the text.
    void SetTransparent();
    // A tooltip shown while the pointer rests on the control.
    void SetHint(const std::string& gbk);
    // Changes the text or position at most every `milliseconds`: a change that comes sooner waits
    // until that time is up, replaced by any later one. For controls that change faster than
    // anyone can read them, where drawing each change would cost more than the work it shows.
    void LimitRedraws(unsigned milliseconds);
    // Makes the change that is waiting, if any, now.
    void MakeHeldChange();

    Align align = Align::None;
    std::function<void()> onClick;       // BN_CLICKED
    std::function<void()> onChange;      // EN_CHANGE
    std::function<void()> onDoubleClick; // NM_DBLCLK
    bool handCursor = false;             // the pointer over it is a pointing hand

    // Answers WM_CTLCOLOR* for this control on behalf of its parent.
    HBRUSH CtlColor(HDC dc);
    // Answer WM_MEASUREITEM and WM_DRAWITEM for an owner-drawn control on behalf of its parent;
    // false when the message is not this control's.
    virtual bool MeasureItem(MEASUREITEMSTRUCT&) { return false; }
    virtual bool DrawItem(const DRAWITEMSTRUCT&) { return false; }

  protected:
    Control() = default;
    // Makes a change to the control now or later, as LimitRedraws says.
    void ChangeLimited(std::function<void()> change);
    // `target`, where given, serves the window's messages (a class of the program's own).
    void CreateChild(const wchar_t* className, const std::string& text, DWORD style, int x, int y, int width,
                     int height, HWND parent, DWORD exStyle = 0, MessageTarget* target = nullptr);
    HWND hwnd_ = nullptr;

  private:
    static void CALLBACK OnHeldChangeTimer(HWND hwnd, UINT, UINT_PTR timer, DWORD) noexcept;
    unsigned redrawInterval_ = 0;
    DWORD lastChanged_ = 0;
    std::function<void()> held_; // the latest change waiting for its time
    sys::UniqueGdiObject font_;
    sys::UniqueGdiObject brush_;
    HWND hint_ = nullptr; // destroyed with the control's top-level window
    std::optional<COLORREF> textColour_;
    std::optional<COLORREF> background_;
    bool transparent_ = false;
};

class Label : public Control {
  public:
    Label(HWND parent, const std::string& text, int x, int y, int width, int height, DWORD style = SS_LEFT);
    // Width and height of the text in the label's font.
    SIZE TextExtent() const;
    void AutoSize();
};

class Button : public Control {
  public:
    // style: BS_PUSHBUTTON, BS_AUTOCHECKBOX or BS_AUTORADIOBUTTON (with WS_GROUP to start a group)
    Button(HWND parent, const std::string& text, int x, int y, int width, int height,
           DWORD style = BS_PUSHBUTTON);
    bool Checked() const;
    void SetChecked(bool checked);
};

class Edit : public Control {
  public:
    Edit(HWND parent, int x, int y, int width, int height, DWORD style = ES_AUTOHSCROLL,
         DWORD exStyle = WS_EX_CLIENTEDGE);
};

class ProgressBar : public Control {
  public:
    ProgressBar(HWND parent, int x, int y, int width, int height);
    // Positions beyond the range show a full bar.
    void SetPosition(int position);
};

// The system's file-copy animation.
class Animation : public Control {
  public:
    Animation(HWND parent, int x, int y, int width, int height);
    void PlayFileCopy();
};

// A bitmap resource drawn by its container, in its natural size.
class Bitmap {
  public:
    explicit Bitmap(const wchar_t* resourceName);
    void Draw(HDC dc, int x, int y) const;

  private:
    sys::UniqueGdiObject bitmap_;
};

// A list view in report mode with whole-row selection: the drive grid.
class ListView : public Control {
  public:
    ListView(HWND parent, int x, int y, int width, int height);
    void SetColumns(const std::vector<int>& widths); // a width of 0 keeps the control's default
    void SetColumnWidth(int column, int width);
    void Clear();
    int AddRow();
    int RowCount() const;
    void SetCell(int row, int column, const std::string& gbk);
    std::string Cell(int row, int column) const;
    void SelectRow(int row);
    int SelectedRow() const; // -1 when none
    // Rows of a fixed height, whatever the font's: the list view then leaves the drawing of its rows
    // to this control (it still holds every cell's text, for the keyboard and screen readers).
    void SetRowHeight(int pixels);

    bool MeasureItem(MEASUREITEMSTRUCT& item) override;
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

  private:
    int rowHeight_ = 0;
};

// A container: a plain child window that lays out and colours the controls placed on it.
class Panel : public Control, private MessageTarget {
  public:
    // clipChildren false lets the panel's drawing show through transparent controls on it.
    Panel(Form& form, HWND parent, int x, int y, int width, int height, bool clipChildren = true);
    std::function<void()> onResize;
    std::function<void(HDC, const RECT&)> onPaint; // draws over the background

  private:
    void WindowMade(HWND window) override { hwnd_ = window; }
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void WindowGone() override { hwnd_ = nullptr; }
    Form& form_;
};

} // namespace ui
