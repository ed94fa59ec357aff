#include "classlib/StartProgram.h"

#include "classlib/Handles.h"

#include <string>

namespace classlib {

namespace {
constexpr DWORD kInputIdleTimeout = 10000;
}

void StartProgram(const char* relativePath, int showCommand) {
    // Joined to the current directory by hand: left to itself the system would look in this
    // program's own folder and along the search path as well.
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(program.size()), program.data());
        if (length == 0) return;
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(length);
    }
    if (program.back() != L'\\') program += L'\\';
    const std::string path(relativePath);
    program.append(path.begin(), path.end());  // the module paths are ASCII
    std::wstring commandLine(path.begin(), path.end());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started))
        return;
    const UniqueHandle process(started.hProcess);
    const UniqueHandle thread(started.hThread);
    ::WaitForInputIdle(process.get(), kInputIdleTimeout);
}

}  // namespace classlib
