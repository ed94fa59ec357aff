// A form: a top-level window built from the layout resource named after its class, placed and
// scaled as the layout asks, with keyboard navigation through its controls.
#pragma once

#include "classlib/WinControl.h"

#include <string_view>

enum class BindResult { Bound, NoField, WrongClass };

class TForm : public TWinControl {
public:
    void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) override;
    bool HoldsControls() const override { return true; }
    int ColorIndex() const override;

    // The layout names the form's components and handlers; the form binds them by name.
    virtual BindResult BindComponent(std::string_view name, TComponent* component);
    virtual TNotifyEvent MethodAddress(std::string_view name);

    // The first call is the first showing: child windows, the task-bar entry, OnShow, placement,
    // then the window on the screen.
    void Show();
    void SetMaximized() { m_maximized = true; }
    // The close action hides a form; closing the main form ends the application instead.
    void Close();

    void FocusMoved(TWinControl* control) { m_activeControl = control; }
    // Tab and Shift+Tab move the focus through the controls; true when the key was taken.
    bool DialogKey(const MSG& message);
    void ChangeScale(core::ScaleRatio ratio) override;

protected:
    TForm() = default;
    // Reads the layout and scales it to the display; derived forms call it from their
    // constructor, once their component references exist.
    void LoadLayout();
    void AdjustParams(Params& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Position { Designed, DesktopCenter };

    void ScaleToDisplay();
    void FocusFirstOrActive();
    void SelectNext(bool forward);
    void UpdateScrollBars();
    void Scroll(int bar, WPARAM request);
    void ScrollTo(int bar, int position);

    int m_colorIndex = COLOR_BTNFACE;
    Position m_position = Position::Designed;
    int m_pixelsPerInch = 96;
    int m_textHeight = 0;
    TNotifyEvent m_onShow;
    bool m_maximized = false;
    bool m_shown = false;
    TWinControl* m_activeControl = nullptr;
    POINT m_scrolled{};  // how far the contents are scrolled
    bool m_updatingScrollBars = false;
};
