// A control with a window of its own. Every window of the class library goes through one window
// procedure that finds its object and keeps exceptions from crossing user32.
#pragma once

#include "classlib/Component.h"
#include "classlib/Font.h"

#include <vector>

class TForm;

class TWinControl : public TComponent {
public:
    ~TWinControl() override;

    void ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) override;

    TWinControl* Parent() const { return m_parent; }
    // Places the control in a parent; the owner, not the parent, destroys it.
    void SetParent(TWinControl* parent);
    // Whether the layout may place controls inside this one.
    virtual bool HoldsControls() const { return false; }
    TForm* ParentForm();

    HWND Handle() const { return m_handle; }
    // Creates this control's window if it has none, then those of its children in creation order.
    void CreateHandle();
    // Creates this control's own window only.
    void CreateOwnHandle();

    const TFont& Font() const;
    virtual int ColorIndex() const;
    virtual void ChangeScale(core::ScaleRatio ratio);

    bool CanFocus() const;
    // This control's children in tab order, each followed by its own children, as far as they
    // can take the focus.
    void AppendTabStops(std::vector<TWinControl*>& list);

    // One of this process's controls, or null.
    static TWinControl* FromHandle(HWND hwnd);

protected:
    TWinControl() = default;

    struct Params {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        HICON icon = nullptr;
        int x = 0, y = 0, width = 0, height = 0;
    };
    virtual void AdjustParams(Params&) {}
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Paint(HDC, const RECT&) {}
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    void SetCaption(std::wstring caption) { m_caption = std::move(caption); }
    const std::wstring& Caption() const { return m_caption; }

    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_tabStop = false;
    TFont m_font;
    bool m_parentFont = true;

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Detach();
    std::vector<TWinControl*> TabList() const;

    HWND m_handle = nullptr;
    TWinControl* m_parent = nullptr;
    std::vector<TWinControl*> m_controls;  // creation order; owned by the owner, not here
    int m_tabOrder = 0;
    std::wstring m_caption;
};
