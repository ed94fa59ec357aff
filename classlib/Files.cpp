#include "classlib/Files.h"

#include "classlib/Handles.h"

#include <vector>

namespace classlib {

bool FileExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    const UniqueFind find = OwnFind(::FindFirstFileA(path.c_str(), &found));
    if (!find || (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // FileTimeToDosDateTime wraps years after 2107 on some systems instead of failing, so the
    // range is checked here.
    FILETIME local;
    SYSTEMTIME time;
    if (!::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) || !::FileTimeToSystemTime(&local, &time))
        return false;
    return time.wYear >= 1980 && time.wYear <= 2107;
}

namespace {

constexpr DWORD kCopyChunk = 1 << 20;
constexpr DWORD kCopiedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

CopyResult Failure() { return {CopyResult::Outcome::Failed, ::GetLastError()}; }

// Whether anything (a file or a folder) stands at the path.
bool Taken(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool CopyContents(HANDLE from, HANDLE to) {
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(from, buffer.data(), kCopyChunk, &read, nullptr)) return false;
        if (read == 0) return true;
        DWORD written = 0;
        if (!::WriteFile(to, buffer.data(), read, &written, nullptr)) return false;
        if (written != read) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
    }
}

}  // namespace

CopyResult CopyToNewFile(const std::string& source, const std::string& target) {
    // The source first, as the system's own copy does: a source that cannot be read is a failure
    // even where a target stands.
    const UniqueHandle from = OwnFile(::CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!from) return Failure();
    BY_HANDLE_FILE_INFORMATION info;
    if (!::GetFileInformationByHandle(from.get(), &info)) return Failure();

    // CREATE_NEW makes the existence test and the creation one step, so two copiers racing for the
    // same target cannot both write it.
    UniqueHandle to = OwnFile(
        ::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to) {
        const DWORD error = ::GetLastError();
        // A folder at the target path refuses the creation with "access denied" on some systems.
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS || (error == ERROR_ACCESS_DENIED && Taken(target)))
            return {CopyResult::Outcome::TargetTaken};
        return {CopyResult::Outcome::Failed, error};
    }

    // From here the target is ours, so on any failure it is removed.
    const bool copied = CopyContents(from.get(), to.get()) && ::SetFileTime(to.get(), nullptr, nullptr, &info.ftLastWriteTime);
    const DWORD error = copied ? ERROR_SUCCESS : ::GetLastError();
    const bool closed = ::CloseHandle(to.release()) != 0;
    if (!copied || !closed) {
        const DWORD reason = copied ? ::GetLastError() : error;
        ::DeleteFileA(target.c_str());
        return {CopyResult::Outcome::Failed, reason};
    }
    if (info.dwFileAttributes & kCopiedAttributes)
        ::SetFileAttributesA(target.c_str(), info.dwFileAttributes & kCopiedAttributes);
    return {CopyResult::Outcome::Copied};
}

}  // namespace classlib
