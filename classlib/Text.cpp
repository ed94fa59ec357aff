#include "classlib/Text.h"

#include "classlib/Exceptions.h"

#include <windows.h>

namespace classlib {

namespace {
constexpr UINT kWindows1250 = 1250;
}

std::wstring FromWindows1250(std::string_view text) {
    if (text.empty()) return {};
    const int length = ::MultiByteToWideChar(kWindows1250, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(kWindows1250, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string SystemErrorText(unsigned long error) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : "error " + std::to_string(error);
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    return text;
}

}  // namespace classlib

EOSError::EOSError(const char* call, unsigned long error)
    : Exception(std::string(call) + " failed: " + classlib::SystemErrorText(error)) {}
