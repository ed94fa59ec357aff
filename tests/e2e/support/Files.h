// Files and folders for the end-to-end tests: a scratch folder per test, whole-file reads and
// writes, file times.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// A program built beside the tests.
std::wstring Built(const std::wstring& fileName);

// A fresh, empty folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    // The path of a name inside the folder ("a\\b.txt").
    std::wstring operator/(const std::wstring& relative) const { return m_path + L"\\" + relative; }

private:
    std::wstring m_path;
};

void MakeFolders(const std::wstring& path);  // with every missing parent
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);  // nothing when it cannot be read
bool Exists(const std::wstring& path);                            // a file or a folder
bool IsFolder(const std::wstring& path);
void RemoveTree(const std::wstring& path);

// Sets a file's last-write time to noon, 1 June of the given year, local time.
void SetLastWriteYear(const std::wstring& path, int year);
FILETIME LastWriteTime(const std::wstring& path);

// Bytes that differ from file to file, so a copy of the wrong file shows.
std::string SampleBytes(std::size_t size, unsigned seed);

}  // namespace e2e
