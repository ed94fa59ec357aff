#include "classlib/WinControl.h"

#include "classlib/Application.h"
#include "classlib/Form.h"
#include "classlib/LayoutValues.h"
#include "classlib/Text.h"

#include <algorithm>

namespace {

// One window class for each class of control, named as the class is, so that another program
// can tell the windows apart by their class.
void RegisterWindowClass(const std::wstring& name, HICON icon, WNDPROC procedure) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, name.c_str(), &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = icon;
    wc.lpszClassName = name.c_str();
    if (!::RegisterClassExW(&wc)) throw EOSError("RegisterClassEx", ::GetLastError());
}

}  // namespace

TWinControl::~TWinControl() {
    for (TWinControl* child : m_controls) child->m_parent = nullptr;
    if (m_parent) std::erase(m_parent->m_controls, this);
    if (m_handle) {
        // Detached first: the window's last messages must not reach an object half destroyed.
        const HWND hwnd = m_handle;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

void TWinControl::ReadProperty(const core::LayoutProperty& property, LayoutReader& reader) {
    constexpr int kCoordinate = 32767;
    const std::string& name = property.name;
    if (name == "Left") m_left = classlib::IntegerValue(property, -kCoordinate, kCoordinate);
    else if (name == "Top") m_top = classlib::IntegerValue(property, -kCoordinate, kCoordinate);
    else if (name == "Width") m_width = classlib::IntegerValue(property, 0, kCoordinate);
    else if (name == "Height") m_height = classlib::IntegerValue(property, 0, kCoordinate);
    else if (name == "TabOrder") m_tabOrder = classlib::IntegerValue(property, 0, 1000);
    else if (name == "ParentFont") m_parentFont = classlib::BooleanValue(property);
    else if (name.starts_with("Font.")) {
        m_font.ReadProperty(std::string_view(name).substr(5), property);
        m_parentFont = false;
    } else TComponent::ReadProperty(property, reader);
}

void TWinControl::SetParent(TWinControl* parent) {
    m_parent = parent;
    m_tabOrder = static_cast<int>(parent->m_controls.size());
    parent->m_controls.push_back(this);
}

TForm* TWinControl::ParentForm() {
    TWinControl* top = this;
    while (top->m_parent) top = top->m_parent;
    return dynamic_cast<TForm*>(top);
}

const TFont& TWinControl::Font() const { return m_parentFont && m_parent ? m_parent->Font() : m_font; }

int TWinControl::ColorIndex() const { return m_parent ? m_parent->ColorIndex() : COLOR_BTNFACE; }

void TWinControl::ChangeScale(core::ScaleRatio ratio) {
    m_left = ratio.Apply(m_left);
    m_top = ratio.Apply(m_top);
    m_width = ratio.Apply(m_width);
    m_height = ratio.Apply(m_height);
    if (!m_parentFont) m_font.ChangeScale(ratio);
    for (TWinControl* child : m_controls) child->ChangeScale(ratio);
}

void TWinControl::CreateHandle() {
    CreateOwnHandle();
    for (TWinControl* child : m_controls) child->CreateHandle();
}

void TWinControl::CreateOwnHandle() {
    if (!m_handle) {
        Params params;
        params.parent = m_parent ? m_parent->m_handle : nullptr;
        params.x = m_left;
        params.y = m_top;
        params.width = m_width;
        params.height = m_height;
        if (m_tabStop) params.style |= WS_TABSTOP;
        AdjustParams(params);
        const std::wstring className = classlib::FromWindows1250(ClassName());
        RegisterWindowClass(className, params.icon, &TWinControl::StaticProc);
        const HWND hwnd = ::CreateWindowExW(params.exStyle, className.c_str(), m_caption.c_str(), params.style, params.x,
                                            params.y, params.width, params.height, params.parent, nullptr,
                                            ::GetModuleHandleW(nullptr), this);
        if (!hwnd) throw EOSError("CreateWindowEx", ::GetLastError());
    }
}

bool TWinControl::CanFocus() const {
    return m_tabStop && m_handle && ::IsWindowVisible(m_handle) && ::IsWindowEnabled(m_handle);
}

std::vector<TWinControl*> TWinControl::TabList() const {
    std::vector<TWinControl*> list = m_controls;
    std::stable_sort(list.begin(), list.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->m_tabOrder < b->m_tabOrder; });
    return list;
}

void TWinControl::AppendTabStops(std::vector<TWinControl*>& list) {
    for (TWinControl* child : TabList()) {
        if (child->CanFocus()) list.push_back(child);
        child->AppendTabStops(list);
    }
}

TWinControl* TWinControl::FromHandle(HWND hwnd) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != ::GetCurrentProcessId() ||
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &TWinControl::StaticProc)
        return nullptr;
    return reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TWinControl::StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_handle = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWinControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->WndProc(message, wParam, lParam);
    } catch (...) {
        // An exception must not unwind through user32; the message loop shows it after dispatch.
        Application->DeferException(std::current_exception());
        result = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY) self->Detach();
    return result;
}

void TWinControl::Detach() {
    ::SetWindowLongPtrW(m_handle, GWLP_USERDATA, 0);
    m_handle = nullptr;
}

LRESULT TWinControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_handle, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        ::GetClientRect(m_handle, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(ColorIndex()));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(m_handle, &ps);
        RECT client;
        ::GetClientRect(m_handle, &client);
        Paint(dc, client);
        ::EndPaint(m_handle, &ps);
        return 0;
    }
    case WM_SETFOCUS:
        if (TForm* form = ParentForm(); form && form != this) form->FocusMoved(this);
        break;
    }
    return DefaultProc(message, wParam, lParam);
}
