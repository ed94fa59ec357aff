#include "support/Process.h"

#include <gtest/gtest.h>

#include <thread>

namespace e2e {

namespace {

// The test's own environment with the options' variables set on top.
std::wstring EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& additions) {
    std::vector<std::wstring> entries;
    wchar_t* strings = ::GetEnvironmentStringsW();
    for (const wchar_t* at = strings; *at; at += wcslen(at) + 1) entries.emplace_back(at);
    ::FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : additions) {
        const std::wstring prefix = name + L"=";
        std::erase_if(entries, [&](const std::wstring& e) { return _wcsnicmp(e.c_str(), prefix.c_str(), prefix.size()) == 0; });
        entries.push_back(prefix + value);
    }
    std::wstring block;
    for (const auto& e : entries) block += e + L'\0';
    block += L'\0';
    return block;
}

struct Launch {
    STARTUPINFOW startup{};
    std::wstring commandLine;
    std::wstring environment;
};

Process CreateWith(const StartOptions& options, Launch& launch, BOOL inheritHandles) {
    launch.startup.cb = sizeof launch.startup;
    if (options.showCommand >= 0) {
        launch.startup.dwFlags |= STARTF_USESHOWWINDOW;
        launch.startup.wShowWindow = static_cast<WORD>(options.showCommand);
    }
    launch.commandLine = L"\"" + options.program + L"\"";
    if (!options.arguments.empty()) launch.commandLine += L" " + options.arguments;
    launch.environment = EnvironmentBlock(options.environment);
    PROCESS_INFORMATION info{};
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | (options.suspended ? CREATE_SUSPENDED : 0);
    const BOOL ok = ::CreateProcessW(options.program.c_str(), launch.commandLine.data(), nullptr, nullptr,
                                     inheritHandles, flags, launch.environment.data(),
                                     options.currentDirectory.empty() ? nullptr : options.currentDirectory.c_str(),
                                     &launch.startup, &info);
    EXPECT_TRUE(ok) << "cannot start " << ::testing::PrintToString(options.program) << ", error " << ::GetLastError();
    if (!ok) return {};
    return Process(info.hProcess, info.hThread, info.dwProcessId, info.dwThreadId);
}

std::string Drain(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

}  // namespace

Process::Process(HANDLE process, HANDLE thread, DWORD id, DWORD threadId)
    : m_process(process), m_thread(thread), m_id(id), m_threadId(threadId) {}

Process::Process(Process&& other) noexcept { *this = std::move(other); }

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        Close();
        std::swap(m_process, other.m_process);
        std::swap(m_thread, other.m_thread);
        std::swap(m_id, other.m_id);
        std::swap(m_threadId, other.m_threadId);
    }
    return *this;
}

Process::~Process() {
    Kill();
    Close();
}

bool Process::WaitForExit(DWORD milliseconds) const {
    return m_process && ::WaitForSingleObject(m_process, milliseconds) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_process) ::GetExitCodeProcess(m_process, &code);
    return code;
}

void Process::Kill() {
    if (Running()) {
        ::TerminateProcess(m_process, 255);
        ::WaitForSingleObject(m_process, 10000);
    }
}

void Process::Close() {
    if (m_thread) ::CloseHandle(m_thread);
    if (m_process) ::CloseHandle(m_process);
    m_thread = m_process = nullptr;
}

Process Start(const StartOptions& options) {
    Launch launch;
    return CreateWith(options, launch, FALSE);
}

Finished RunToEnd(const StartOptions& options, DWORD milliseconds) {
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    ::CreatePipe(&outRead, &outWrite, &inheritable, 0);
    ::CreatePipe(&errRead, &errWrite, &inheritable, 0);
    ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    Launch launch;
    launch.startup.dwFlags = STARTF_USESTDHANDLES;
    launch.startup.hStdInput = nullptr;
    launch.startup.hStdOutput = outWrite;
    launch.startup.hStdError = errWrite;
    Process process = CreateWith(options, launch, TRUE);
    // Only the child may hold the writing ends, or the reads below never see the end.
    ::CloseHandle(outWrite);
    ::CloseHandle(errWrite);

    Finished finished;
    std::thread outReader([&] { finished.out = Drain(outRead); });
    std::thread errReader([&] { finished.err = Drain(errRead); });
    const bool ended = process.WaitForExit(milliseconds);
    if (!ended) process.Kill();
    outReader.join();
    errReader.join();
    ::CloseHandle(outRead);
    ::CloseHandle(errRead);
    EXPECT_TRUE(ended) << ::testing::PrintToString(options.program) << " did not end in " << milliseconds << " ms";
    if (ended) finished.exitCode = process.ExitCode();
    return finished;
}

}  // namespace e2e
