// cfgclone run as an administrator would run it: the product key set up in the registry, files in
// a scratch installation, then the files' bytes, the exit status and the console output checked.
#include "support/Files.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <cstdlib>
#include <cstring>

namespace {

using namespace std::string_literals;
using e2e::Exists;
using e2e::ReadBytes;

constexpr const wchar_t* kProductKey = L"Software\\ORVA-SYS\\Kolbrenta3";
constexpr DWORD kNoValue = 0xFFFFFFFF;

std::string Narrow(const std::wstring& ascii) { return std::string(ascii.begin(), ascii.end()); }

class Copier : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
        e2e::MakeFolders(m_root / L"Data\\Store");
        e2e::MakeFolders(Work());
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey); }

    // The folder cfgclone runs in; its parent is the scratch folder itself.
    std::wstring Work() const { return m_root / L"Work"; }
    std::wstring Data() const { return m_root / L"Data"; }

    // The product key with "dir" holding exactly these bytes, or without "dir" for kNoValue.
    void StoreDir(DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        if (type != kNoValue) {
            ASSERT_EQ(::RegSetValueExA(key, "dir", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size())),
                      ERROR_SUCCESS);
        }
        ::RegCloseKey(key);
    }
    void StoreFolder(const std::wstring& folder) { StoreDir(REG_SZ, Narrow(folder) + '\0'); }

    e2e::Finished Run(const std::wstring& arguments = L"",
                      std::vector<std::pair<std::wstring, std::wstring>> environment = {}) {
        return e2e::RunToEnd({.program = e2e::Built(L"cfgclone.exe"),
                              .arguments = arguments,
                              .currentDirectory = Work(),
                              .environment = std::move(environment)});
    }

    static void ExpectQuietSuccess(const e2e::Finished& run) {
        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }

    e2e::ScratchFolder m_root;
    const std::string m_config = e2e::SampleBytes(4096, 1);
};

TEST_F(Copier, CopiesIntoTheParentOfTheStoredFolderAndASecondRunChangesNothing) {
    StoreFolder(Data() + L"\\Store\\");
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);

    ExpectQuietSuccess(Run());
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), m_config);
    EXPECT_EQ(ReadBytes(Data() + L"\\veskcfg.dll"), m_config);
    EXPECT_FALSE(Exists(Data() + L"\\Store\\veskscfg.dll"));

    const FILETIME first = e2e::LastWriteTime(Data() + L"\\veskscfg.dll");
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", e2e::SampleBytes(4096, 2));
    ExpectQuietSuccess(Run());
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), m_config);
    const FILETIME second = e2e::LastWriteTime(Data() + L"\\veskscfg.dll");
    EXPECT_EQ(::CompareFileTime(&first, &second), 0);
}

TEST_F(Copier, TakesTheStoredTextUpToItsFirstZeroByteAndNeverExpandsIt) {
    struct Case { const char* what; DWORD type; std::string bytes; };
    const std::string store = Narrow(Data()) + "\\Store\\";
    const Case cases[] = {
        {"with terminator", REG_SZ, store + '\0'},
        {"without terminator", REG_SZ, store},
        {"zero byte in the middle", REG_SZ, store + '\0' + "Other\\"},
        // Expanded, the reference would make the parent Data\B; taken as stored it is Data.
        {"expandable, taken literally", REG_EXPAND_SZ, Narrow(Data()) + "\\%E2E_SUB%\\\0"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        e2e::MakeFolders(Data() + L"\\B\\C");
        e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);
        e2e::WriteBytes(Data() + L"\\B\\veskcfg.dll", m_config);
        StoreDir(c.type, c.bytes);

        ExpectQuietSuccess(Run(L"", {{L"E2E_SUB", L"B\\C"}}));
        EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), m_config);
        EXPECT_FALSE(Exists(Data() + L"\\B\\veskscfg.dll"));
        e2e::RemoveTree(Data() + L"\\veskscfg.dll");
    }
}

TEST_F(Copier, GluesTheFullStopsToAFolderStoredWithoutSeparator) {
    StoreFolder(Data() + L"\\Store");
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);
    e2e::WriteBytes(m_root / L"veskcfg.dll", m_config);

    ExpectQuietSuccess(Run());
    // Neither corrected to the parent of Store nor taken for an empty folder.
    EXPECT_FALSE(Exists(Data() + L"\\veskscfg.dll"));
    EXPECT_FALSE(Exists(m_root / L"veskscfg.dll"));
    EXPECT_FALSE(Exists(Data() + L"\\Store\\veskscfg.dll"));
}

TEST_F(Copier, WithoutAFolderWorksInTheParentOfTheCurrentDirectory) {
    struct Case { const char* what; bool key; DWORD type; std::string bytes; };
    const Case cases[] = {
        {"no product key", false, kNoValue, ""},
        {"no value", true, kNoValue, ""},
        {"zero-length text", true, REG_SZ, ""},
        {"lone zero byte", true, REG_SZ, "\0"s},
        {"zero-length number", true, REG_DWORD, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKey);
        if (c.key) StoreDir(c.type, c.bytes);
        e2e::WriteBytes(m_root / L"veskcfg.dll", m_config);

        ExpectQuietSuccess(Run());
        EXPECT_EQ(ReadBytes(m_root / L"veskscfg.dll"), m_config);
        e2e::RemoveTree(m_root / L"veskscfg.dll");
    }
}

TEST_F(Copier, LeavesAnythingAlreadyAtTheTargetUntouched) {
    StoreFolder(Data() + L"\\Store\\");
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);

    const std::string other = "other contents";
    e2e::WriteBytes(Data() + L"\\veskscfg.dll", other);
    ExpectQuietSuccess(Run());
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), other);

    e2e::RemoveTree(Data() + L"\\veskscfg.dll");
    e2e::MakeFolders(Data() + L"\\veskscfg.dll");
    e2e::WriteBytes(Data() + L"\\veskscfg.dll\\inside", other);
    ExpectQuietSuccess(Run());
    EXPECT_TRUE(e2e::IsFolder(Data() + L"\\veskscfg.dll"));
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll\\inside"), other);
}

TEST_F(Copier, CopiesNothingWhenTheSourceIsNoFileWithADosDate) {
    struct Case { const char* what; int year; bool folder; };
    const Case cases[] = {
        {"absent", 0, false},
        {"a folder", 0, true},
        {"written in 1979", 1979, false},
        {"written in 2108", 2108, false},
    };
    StoreFolder(Data() + L"\\Store\\");
    const std::wstring source = Data() + L"\\veskcfg.dll";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        e2e::RemoveTree(source);
        if (c.folder) e2e::MakeFolders(source);
        if (c.year) {
            e2e::WriteBytes(source, m_config);
            e2e::SetLastWriteYear(source, c.year);
        }
        ExpectQuietSuccess(Run());
        EXPECT_FALSE(Exists(Data() + L"\\veskscfg.dll"));
    }
    // The limits themselves are inside the range.
    for (const int year : {1980, 2107}) {
        SCOPED_TRACE(year);
        e2e::RemoveTree(source);
        e2e::RemoveTree(Data() + L"\\veskscfg.dll");
        e2e::WriteBytes(source, m_config);
        e2e::SetLastWriteYear(source, year);
        ExpectQuietSuccess(Run());
        EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), m_config);
    }
}

TEST_F(Copier, IgnoresItsArguments) {
    StoreFolder(Data() + L"\\Store\\");
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);
    ExpectQuietSuccess(Run(L"/? --force \"C:\\elsewhere\\\" -"));
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), m_config);
}

TEST_F(Copier, ReadsAKeyTheUserMayReadButNotWrite) {
    StoreFolder(Data() + L"\\Store\\");
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                        &readOnly, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly), ERROR_SUCCESS);
    ::RegCloseKey(key);
    ::LocalFree(readOnly);
    ASSERT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kProductKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS)
        << "the key still grants full access";

    ExpectQuietSuccess(Run());
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), m_config);
}

TEST_F(Copier, RefusesAValueOfAnotherTypeWithStatusTwoAndCopiesNothing) {
    struct Case { const char* what; DWORD type; std::string bytes; };
    const Case cases[] = {
        {"number", REG_DWORD, "\x05\0\0\0"s},
        {"list of texts", REG_MULTI_SZ, Narrow(Data()) + "\\Store\\\0\0"s},
        {"binary", REG_BINARY, Narrow(Data()) + "\\Store\\"},
    };
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", m_config);
    e2e::WriteBytes(m_root / L"veskcfg.dll", m_config);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StoreDir(c.type, c.bytes);
        const auto run = Run();
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_EQ(run.err, "Invalid data type for 'dir'\r\n");
        EXPECT_EQ(run.out, "");
        EXPECT_FALSE(Exists(Data() + L"\\veskscfg.dll"));
        EXPECT_FALSE(Exists(m_root / L"veskscfg.dll"));
    }
}

std::wstring DriveRoot(const char* variable) {
    const char* drive = std::getenv(variable);
    return drive ? std::wstring(drive, drive + std::strlen(drive)) + L"\\" : L"";
}

// A copy that fails halfway must say so and leave nothing behind.
void ExpectReportedFailure(const e2e::Finished& run, const std::wstring& target) {
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.out, "");
    const std::string line = "cfgclone: cannot create \"" + Narrow(target) + "\": ";
    EXPECT_EQ(run.err.rfind(line, 0), 0u) << run.err;
    EXPECT_GT(run.err.size(), line.size() + 2) << "no reason given: " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "not one line: " << run.err;
    EXPECT_FALSE(Exists(target));
}

TEST_F(Copier, ReportsACopyThatRunsOutOfSpaceAndLeavesNoPartialTarget) {
    const std::wstring root = DriveRoot("HARNESS_SMALL_DRIVE");
    if (root.empty()) GTEST_SKIP() << "the harness could not mount a small drive here";
    const std::wstring source = root + L"veskcfg.dll";
    const std::string config = e2e::SampleBytes(700 * 1024, 3);  // the drive holds 1 MiB: one copy fits
    e2e::MakeFolders(root + L"Store");
    e2e::WriteBytes(source, config);
    StoreFolder(root + L"Store\\");

    ExpectReportedFailure(Run(), root + L"Store\\..\\veskscfg.dll");
    EXPECT_FALSE(Exists(root + L"veskscfg.dll"));
    EXPECT_EQ(ReadBytes(source), config);
    e2e::RemoveTree(root + L"Store");
    e2e::RemoveTree(source);
}

TEST_F(Copier, ReportsASourceHeldOpenWithoutSharingAndCreatesNoTarget) {
    StoreFolder(Data() + L"\\Store\\");
    const std::wstring source = Data() + L"\\veskcfg.dll";
    e2e::WriteBytes(source, m_config);
    const HANDLE holder = ::CreateFileW(source.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const auto run = Run();
    ::CloseHandle(holder);

    ExpectReportedFailure(run, Data() + L"\\Store\\..\\veskscfg.dll");
    EXPECT_EQ(ReadBytes(source), m_config);
}


TEST_F(Copier, ReportsATargetFolderItMayNotWriteAndLeavesTheSourceAlone) {
    const std::wstring root = DriveRoot("HARNESS_READONLY_DRIVE");
    if (root.empty()) GTEST_SKIP() << "the harness could not mount a read-only drive here";
    const auto source = ReadBytes(root + L"veskcfg.dll");
    ASSERT_TRUE(source && !source->empty());
    StoreFolder(root + L"Store\\");

    ExpectReportedFailure(Run(), root + L"Store\\..\\veskscfg.dll");
    EXPECT_EQ(ReadBytes(root + L"veskcfg.dll"), source);
}

TEST_F(Copier, TwentyRunsStartedTogetherMakeOneExactCopyAndAllSucceed) {
    StoreFolder(Data() + L"\\Store\\");
    const std::string config = e2e::SampleBytes(4 << 20, 4);
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", config);
    std::vector<e2e::Process> runs;
    for (int i = 0; i < 20; ++i)
        runs.push_back(e2e::Start({.program = e2e::Built(L"cfgclone.exe"), .currentDirectory = Work(), .suspended = true}));
    for (const auto& run : runs) run.Resume();
    for (std::size_t i = 0; i < runs.size(); ++i) {
        ASSERT_TRUE(runs[i].WaitForExit(60000)) << "run " << i;
        EXPECT_EQ(runs[i].ExitCode(), 0u) << "run " << i;
    }
    EXPECT_EQ(ReadBytes(Data() + L"\\veskscfg.dll"), config);
    EXPECT_EQ(ReadBytes(Data() + L"\\veskcfg.dll"), config);
}

TEST_F(Copier, CopiesA64MiBSourceByteForByte) {
    StoreFolder(Data() + L"\\Store\\");
    const std::string config = e2e::SampleBytes(64 << 20, 5);
    e2e::WriteBytes(Data() + L"\\veskcfg.dll", config);
    ExpectQuietSuccess(Run());
    const auto copy = ReadBytes(Data() + L"\\veskscfg.dll");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->size(), config.size());
    EXPECT_TRUE(*copy == config) << "the copy differs";
}

}  // namespace
