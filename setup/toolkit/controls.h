#pragma once
// Standard Win32 controls wrapped thinly. Every text a user reads lives in a control whose
// WM_GETTEXT returns it, so screen readers and UI automation can read it.
#include "font.h"
#include "unique_handle.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {

class Form;

enum class Align { None, Top, Bottom };

class Control {
  public:
    virtual ~Control() = default;
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

    void SetFont(const FontSpec& spec);
    void SetTextColor(COLORREF colour) { textColour_ = colour; }
    void SetBackground(COLORREF colour);

    Align align = Align::None;
    std::function<void()> onClick;

    // Answers WM_CTLCOLOR* for this control on behalf of its parent.
    HBRUSH CtlColor(HDC dc);

  protected:
    Control() = default;
    void CreateChild(const wchar_t* className, const std::string& text, DWORD style, int x, int y, int width,
                     int height, HWND parent, DWORD exStyle = 0);
    HWND hwnd_ = nullptr;

  private:
    UniqueGdiObject font_;
    UniqueGdiObject brush_;
    std::optional<COLORREF> textColour_;
    std::optional<COLORREF> background_;
};

class Label : public Control {
  public:
    Label(HWND parent, const std::string& text, int x, int y, int width, int height, DWORD style = SS_LEFT);
    // Width and height of the text in the label's font.
    SIZE TextExtent() const;
    void AutoSize();
};

// A container: a plain child window that lays out and colours the controls placed on it.
class Panel : public Control {
  public:
    Panel(Form& form, HWND parent, int x, int y, int width, int height);
    std::function<void()> onResize;

  private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    Form& form_;
};

} // namespace ui
