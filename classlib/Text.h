// The system's own texts are Windows-1250 whatever the system's ANSI code page; they are turned
// into UTF-16 explicitly before anything shows them.
#pragma once

#include <string>
#include <string_view>

namespace classlib {

std::wstring FromWindows1250(std::string_view text);

// The system's text for an error code, on one line.
std::string SystemErrorText(unsigned long error);

}  // namespace classlib
