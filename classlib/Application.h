// The application object: its own top-level window (no area on the screen, the task-bar entry),
// the forms it owns, the message loop, and the boxes that tell the user things.
#pragma once

#include "classlib/Exceptions.h"
#include "classlib/Form.h"

#include <exception>
#include <memory>
#include <new>
#include <string>

#undef MessageBox  // the application object's own, below

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    std::string_view ClassName() const override { return "TApplication"; }

    // Loads the application's icon and makes its window; nothing is shown yet. Throws when the
    // program file has no usable icon.
    void Initialize();

    // Makes a form. The reference holds the form's address from before its construction (and
    // null again if that fails); the first form made becomes the main form, its window created
    // at once, hidden.
    template <class T>
    void CreateForm(T*& reference);

    // Shows the main form as the program was started (maximised, or only the task-bar entry
    // when started minimised) and handles messages until the quit request.
    void Run();

    void ShowException(const Exception& e);
    // A modal box owned by the application's window, texts in Windows-1250; the application's
    // other windows are disabled while it is up.
    int MessageBox(const char* text, const char* caption, UINT flags);
    void Terminate() { ::PostQuitMessage(0); }
    void Minimize();
    void Restore();

    HWND Handle() const;
    HICON Icon() const { return m_icon; }
    const std::wstring& Title() const { return m_title; }
    TForm* MainForm() const { return m_mainForm; }
    void ShowTaskBarEntry();

    // Window procedures hand exceptions over here; the message loop shows them after dispatch.
    void DeferException(std::exception_ptr exception);

private:
    class Window;
    friend class Window;

    void AddForm(std::unique_ptr<TForm> form);
    void Restored();
    void RaiseDeferred();
    int ShowBox(const std::wstring& text, const std::wstring& caption, UINT flags);

    std::wstring m_title;
    HICON m_icon = nullptr;
    std::unique_ptr<Window> m_window;
    TForm* m_mainForm = nullptr;
    bool m_firstShowingDeferred = false;
    bool m_mainFormHidden = false;  // by Minimize, to come back with Restore
    std::exception_ptr m_deferred;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& reference) {
    void* storage = ::operator new(sizeof(T));
    reference = static_cast<T*>(storage);
    T* form = nullptr;
    try {
        form = ::new (storage) T();
    } catch (...) {
        reference = nullptr;
        ::operator delete(storage);
        throw;
    }
    AddForm(std::unique_ptr<TForm>(form));
}
