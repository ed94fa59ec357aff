// screenshot: saves the screen, or one window with a margin around it, as a PNG file, so that a
// run under Wine and a virtual display leaves a picture behind to look at.
//   screenshot.exe OUTPUT.png [WINDOWCLASS]    exit status 0: written; 1: failed, the reason on stderr
#include "Png.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

constexpr int kMargin = 16;               // pixels of the desktop kept around a window
constexpr DWORD kPollInterval = 50;       // ms between looks for the window
constexpr ULONGLONG kWindowTimeout = 5000;  // ms to wait for the window to appear
constexpr DWORD kPaintDelay = 300;        // ms for a window just shown to finish painting

// The line to print; main turns every failure into exit status 1.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ScreenDcRelease {
    void operator()(HDC dc) const noexcept { ::ReleaseDC(nullptr, dc); }
};
struct MemoryDcDelete {
    void operator()(HDC dc) const noexcept { ::DeleteDC(dc); }
};
struct GdiObjectDelete {
    void operator()(HGDIOBJ object) const noexcept { ::DeleteObject(object); }
};
struct HandleClose {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
template <class H, class D>
using Unique = std::unique_ptr<std::remove_pointer_t<H>, D>;

// A bitmap selected into a device context, put back before the bitmap can be deleted.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~Selection() {
        if (Selected()) ::SelectObject(m_dc, m_previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    bool Selected() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

std::string Utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

// The system's wording, without the full stop and line break that would break the one-line message.
std::string SystemErrorText(DWORD error) {
    wchar_t buffer[512];
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                    buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' ' ||
                          buffer[length - 1] == L'.')) {
        --length;
    }
    if (length == 0) return "error " + std::to_string(error);
    return Utf8({buffer, length});
}

RECT VirtualScreen() {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// FindWindowW alone would stop at the first window of the class, which may be a hidden one.
HWND FindVisibleWindow(const wchar_t* className) {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className, nullptr); window;
         window = ::FindWindowExW(nullptr, window, className, nullptr)) {
        if (::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// The program is often started together with the one it photographs, so the window may still be
// on its way.
RECT WindowArea(const std::wstring& className, const RECT& screen) {
    const ULONGLONG deadline = ::GetTickCount64() + kWindowTimeout;
    HWND window = FindVisibleWindow(className.c_str());
    while (!window) {
        if (::GetTickCount64() >= deadline) {
            throw Failure("no visible window of class \"" + Utf8(className) + "\"");
        }
        ::Sleep(kPollInterval);
        window = FindVisibleWindow(className.c_str());
    }
    ::Sleep(kPaintDelay);

    // Read after the pause: a window that has just appeared may still be moved or resized.
    RECT area{};
    if (!::GetWindowRect(window, &area)) {
        throw Failure("the window of class \"" + Utf8(className) + "\" closed before it could be captured");
    }
    ::InflateRect(&area, kMargin, kMargin);
    RECT clipped{};
    if (!::IntersectRect(&clipped, &area, &screen)) {
        throw Failure("the window of class \"" + Utf8(className) + "\" is off the screen");
    }
    return clipped;
}

// The pixels of area as rows of R, G, B bytes, top row first.
std::vector<std::uint8_t> Capture(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const Unique<HDC, ScreenDcRelease> screen(::GetDC(nullptr));
    if (!screen) throw Failure("cannot reach the screen");
    const Unique<HDC, MemoryDcDelete> memory(::CreateCompatibleDC(screen.get()));
    if (!memory) throw Failure("cannot create a device context: " + SystemErrorText(::GetLastError()));

    // 32 bits a pixel, top row first, so the copy comes back in a layout that needs no padding.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Unique<HBITMAP, GdiObjectDelete> bitmap(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) {
        throw Failure("cannot create a bitmap of " + std::to_string(width) + "x" + std::to_string(height));
    }
    {
        const Selection selection(memory.get(), bitmap.get());
        if (!selection.Selected()) throw Failure("cannot select the bitmap");
        // CAPTUREBLT takes in layered windows too, which the screen's own image leaves out.
        if (!::BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY | CAPTUREBLT)) {
            throw Failure("cannot copy the screen: " + SystemErrorText(::GetLastError()));
        }
    }
    ::GdiFlush();

    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::span<const std::uint8_t> bgrx(static_cast<const std::uint8_t*>(bits), pixels * 4);
    std::vector<std::uint8_t> rgb(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) {
        rgb[3 * i] = bgrx[4 * i + 2];
        rgb[3 * i + 1] = bgrx[4 * i + 1];
        rgb[3 * i + 2] = bgrx[4 * i];
    }
    return rgb;
}

// A file that fails half-way is removed, so that no truncated picture is mistaken for a capture.
void WriteNewFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    const auto failed = [&](DWORD error) {
        return Failure("cannot write \"" + Utf8(path) + "\": " + SystemErrorText(error));
    };
    HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throw failed(::GetLastError());
    Unique<HANDLE, HandleClose> file(opened);
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (!ok || written != bytes.size()) {
        // A short write to a disk file without an error means the disk is full.
        const DWORD error = ok ? ERROR_DISK_FULL : ::GetLastError();
        file.reset();
        ::DeleteFileW(path.c_str());
        throw failed(error);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: screenshot OUTPUT.png [WINDOWCLASS]\n", stderr);
        return 1;
    }
    try {
        // Without this a scaled desktop would be captured at its unscaled size, blurred or cut.
        ::SetProcessDPIAware();
        const RECT screen = VirtualScreen();
        const RECT area = argc == 3 ? WindowArea(argv[2], screen) : screen;
        const auto rgb = Capture(area);
        WriteNewFile(argv[1], screenshot::EncodePng(area.right - area.left, area.bottom - area.top, rgb));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screenshot: %s\n", e.what());
        return 1;
    }
    return 0;
}
