#include "classlib/Application.h"

#include "classlib/Text.h"

#include "TextRules.h"

#include <utility>
#include <vector>

namespace {

constexpr UINT kShowDeferredMainForm = WM_APP;
constexpr UINT kActivateMainForm = WM_APP + 1;

std::wstring TitleFromProgramFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return core::ApplicationTitle(path, [](wchar_t* text, std::size_t length) {
        ::CharLowerBuffW(text, static_cast<DWORD>(length));
    });
}

// While a box is up, the application's other windows take no input; afterwards they are enabled
// again.
class TaskWindowsDisabled {
public:
    explicit TaskWindowsDisabled(HWND owner) : m_owner(owner) {
        ::EnumThreadWindows(::GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
    }
    ~TaskWindowsDisabled() {
        for (const HWND window : m_disabled) ::EnableWindow(window, TRUE);
    }
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self) {
        auto* disabled = reinterpret_cast<TaskWindowsDisabled*>(self);
        if (window != disabled->m_owner && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
            ::EnableWindow(window, FALSE);
            disabled->m_disabled.push_back(window);
        }
        return TRUE;
    }

    HWND m_owner;
    std::vector<HWND> m_disabled;
};

// Libraries loaded by name from here on come from the system folder only: a library of the same
// name placed in the installation folder or the current directory is never taken instead.
void RestrictLibrarySearch() {
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // Not on every system the program runs on, hence looked up rather than imported.
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    ::SetDllDirectoryW(L"");  // and where that is missing, at least not the current directory
}

}  // namespace

// The application's own window: a caption with no area, placed in the middle of the screen, that
// carries the task-bar entry and owns the main form.
class TApplication::Window final : public TWinControl {
public:
    explicit Window(TApplication& application) : m_application(application) { SetCaption(application.m_title); }
    std::string_view ClassName() const override { return "TApplication"; }

protected:
    void AdjustParams(Params& params) override {
        params.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
        params.x = ::GetSystemMetrics(SM_CXSCREEN) / 2;
        params.y = ::GetSystemMetrics(SM_CYSCREEN) / 2;
        params.icon = m_application.m_icon;
    }

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        TForm* main = m_application.m_mainForm;
        switch (message) {
        case WM_CLOSE:
            if (main) main->Close();
            return 0;
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
            case SC_MINIMIZE: m_application.Minimize(); return 0;
            case SC_RESTORE: m_application.Restore(); return 0;
            }
            break;
        case WM_WINDOWPOSCHANGED:
            // Restored by any means (the system menu, the task bar, another program).
            if (!::IsIconic(Handle()) && ::IsWindowVisible(Handle())) m_application.Restored();
            break;
        case WM_ACTIVATE:
            // The window has no area: activating it means activating the main form.
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) ::PostMessageW(Handle(), kActivateMainForm, 0, 0);
            break;
        case kShowDeferredMainForm:
            if (main) main->Show();
            return 0;
        case kActivateMainForm:
            if (main && ::IsWindowVisible(main->Handle()) && ::IsWindowEnabled(main->Handle()) &&
                ::GetActiveWindow() == Handle())
                ::SetActiveWindow(main->Handle());
            return 0;
        }
        return DefaultProc(message, wParam, lParam);
    }

private:
    TApplication& m_application;
};

namespace {
TApplication g_application;
}
TApplication* Application = &g_application;

TApplication::TApplication() : m_title(TitleFromProgramFile()) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    RestrictLibrarySearch();
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!::FindResourceW(instance, L"MAINICON", MAKEINTRESOURCEW(14))) throw EResNotFound("Icon MAINICON not found");
    m_icon = ::LoadIconW(instance, L"MAINICON");
    if (!m_icon) throw EReadError("Icon MAINICON is not a usable icon");
    m_window = std::make_unique<Window>(*this);
    m_window->CreateOwnHandle();
}

HWND TApplication::Handle() const { return m_window ? m_window->Handle() : nullptr; }

void TApplication::AddForm(std::unique_ptr<TForm> form) {
    TForm* added = Own(std::move(form));
    if (!m_mainForm) m_mainForm = added;
    added->CreateOwnHandle();
}

void TApplication::Run() {
    if (!m_mainForm) return;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    // Taken from the start-up information and applied here: the system does not always apply it
    // to the first window shown, and never to an owned one.
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    if (show == SW_SHOWMAXIMIZED) m_mainForm->SetMaximized();
    if (show == SW_SHOWMINNOACTIVE) {
        m_firstShowingDeferred = true;
        Minimize();
    } else {
        m_mainForm->Show();
    }

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        try {
            TWinControl* control = TWinControl::FromHandle(message.hwnd);
            TForm* form = control ? control->ParentForm() : nullptr;
            if (!form || !form->DialogKey(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
            RaiseDeferred();
        } catch (const EAbort&) {
        } catch (const Exception& e) {
            ShowException(e);
        }
    }
}

void TApplication::DeferException(std::exception_ptr exception) {
    if (!m_deferred) m_deferred = std::move(exception);
}

void TApplication::RaiseDeferred() {
    if (m_deferred) std::rethrow_exception(std::exchange(m_deferred, nullptr));
}

void TApplication::ShowException(const Exception& e) {
    ShowBox(classlib::FromWindows1250(core::ExceptionBoxText(e.Message())), m_title, MB_ICONERROR);
}

int TApplication::MessageBox(const char* text, const char* caption, UINT flags) {
    return ShowBox(classlib::FromWindows1250(text), classlib::FromWindows1250(caption), flags);
}

int TApplication::ShowBox(const std::wstring& text, const std::wstring& caption, UINT flags) {
    const HWND active = ::GetActiveWindow();
    int result = 0;
    {
        TaskWindowsDisabled disabled(Handle());
        result = ::MessageBoxW(Handle(), text.c_str(), caption.c_str(), flags);
    }
    if (active) ::SetActiveWindow(active);
    return result;
}

void TApplication::ShowTaskBarEntry() {
    if (!::IsWindowVisible(Handle())) ::ShowWindow(Handle(), SW_SHOWNA);
}

void TApplication::Minimize() {
    if (::IsIconic(Handle())) return;
    // Not yet on the screen (started minimised): the entry appears minimised, nothing activated.
    const bool visible = ::IsWindowVisible(Handle());
    if (m_mainForm && ::IsWindowVisible(m_mainForm->Handle())) {
        ::ShowWindow(m_mainForm->Handle(), SW_HIDE);
        m_mainFormHidden = true;
    }
    ::ShowWindow(Handle(), visible ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
}

void TApplication::Restore() {
    if (::IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
}

void TApplication::Restored() {
    if (m_firstShowingDeferred) {
        // Posted: the restore may come from another program waiting for it to finish, and the
        // first showing can hold a modal box.
        m_firstShowingDeferred = false;
        ::PostMessageW(Handle(), kShowDeferredMainForm, 0, 0);
    } else if (m_mainFormHidden) {
        m_mainFormHidden = false;
        ::ShowWindow(m_mainForm->Handle(), SW_SHOW);
        ::SetActiveWindow(m_mainForm->Handle());
    }
}
