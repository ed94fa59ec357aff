// Text rules of the class library: the application title and the text of the exception box.
#pragma once

#include <string>
#include <string_view>

namespace core {

// Lower-cases a run of characters in place; the caller supplies the platform's case mapping so
// that letters beyond ASCII follow the system's rules.
using LowerCaseFn = void (*)(wchar_t* text, std::size_t length);

// The title the application takes from its program file: the file name without its folder and
// without everything from its first full stop, every character after the first in lower case.
std::wstring ApplicationTitle(std::wstring_view modulePath, LowerCaseFn lowerCase);

// The exception box shows the message with a full stop appended when the message is not empty
// and its last byte sorts after '.'.
std::string ExceptionBoxText(std::string_view message);

}  // namespace core
