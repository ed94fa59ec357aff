// Starting the programs under test as a second process: command line, folder, environment,
// show command; and their end.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct StartOptions {
    std::wstring program;           // the file to run
    std::wstring arguments;         // appended to the quoted program path
    std::wstring currentDirectory;  // empty: the test's own
    std::vector<std::pair<std::wstring, std::wstring>> environment;  // added to the test's own
    int showCommand = -1;           // -1: none given
    bool suspended = false;
};

class Process {
public:
    Process() = default;
    Process(HANDLE process, HANDLE thread, DWORD id, DWORD threadId);
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // A process the test did not see end is ended here, so nothing outlives the test.
    ~Process();

    DWORD Id() const { return m_id; }
    DWORD ThreadId() const { return m_threadId; }
    HANDLE Handle() const { return m_process; }
    void Resume() const { ::ResumeThread(m_thread); }
    bool WaitForExit(DWORD milliseconds) const;
    bool Running() const { return m_process && !WaitForExit(0); }
    // The exit status once ended; STILL_ACTIVE before.
    DWORD ExitCode() const;
    void Kill();

private:
    void Close();
    HANDLE m_process = nullptr;
    HANDLE m_thread = nullptr;
    DWORD m_id = 0;
    DWORD m_threadId = 0;
};

Process Start(const StartOptions& options);

struct Finished {
    DWORD exitCode = STILL_ACTIVE;
    std::string out;
    std::string err;
};

// Runs a console program to its end with its standard output and error captured; fails the test
// if it does not end within the time.
Finished RunToEnd(const StartOptions& options, DWORD milliseconds = 30000);

}  // namespace e2e
