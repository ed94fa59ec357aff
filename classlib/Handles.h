// One owner per operating-system handle: the type says who closes it and how.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace classlib {

struct CloseHandleDeleter {
    void operator()(HANDLE h) const noexcept { ::CloseHandle(h); }
};
struct FindCloseDeleter {
    void operator()(HANDLE h) const noexcept { ::FindClose(h); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const noexcept { ::DeleteObject(h); }
};
struct MemoryDcDeleter {
    void operator()(HDC h) const noexcept { ::DeleteDC(h); }
};
struct RegCloseKeyDeleter {
    void operator()(HKEY h) const noexcept { ::RegCloseKey(h); }
};
struct FreeLibraryDeleter {
    void operator()(HMODULE h) const noexcept { ::FreeLibrary(h); }
};

template <class H, class D>
using Unique = std::unique_ptr<std::remove_pointer_t<H>, D>;

using UniqueHandle = Unique<HANDLE, CloseHandleDeleter>;  // never INVALID_HANDLE_VALUE: see OwnFile
using UniqueFind = Unique<HANDLE, FindCloseDeleter>;
using UniqueFont = Unique<HFONT, GdiObjectDeleter>;
using UniqueBitmap = Unique<HBITMAP, GdiObjectDeleter>;
using UniqueBrush = Unique<HBRUSH, GdiObjectDeleter>;
using UniqueMemoryDc = Unique<HDC, MemoryDcDeleter>;
using UniqueKey = Unique<HKEY, RegCloseKeyDeleter>;
using UniqueModule = Unique<HMODULE, FreeLibraryDeleter>;

// File and find calls fail with INVALID_HANDLE_VALUE, not null; this maps that to an empty owner.
inline UniqueHandle OwnFile(HANDLE h) { return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h); }
inline UniqueFind OwnFind(HANDLE h) { return UniqueFind(h == INVALID_HANDLE_VALUE ? nullptr : h); }

// A screen device context for measuring, released with the scope.
class ScreenDc {
public:
    ScreenDc() : m_dc(::GetDC(nullptr)) {}
    ~ScreenDc() {
        if (m_dc) ::ReleaseDC(nullptr, m_dc);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// Selects an object into a device context for the scope and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

}  // namespace classlib
