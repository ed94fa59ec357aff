// bench: times the launcher and the copier against bare programs built the same way, each
// measured run followed by its baseline's, under Wine; prints one markdown table and writes it
// as CSV too. It never fails on a figure: it reports them.
//   bench.exe OUTPUT.csv OUTPUT.md      (BIN_DIR holds the programs; run inside the harness)
// BENCH_ONLY=start, click or copier measures that group of rows alone.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <tuple>
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 20;
constexpr int kLargeRuns = 5;

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

bool Measuring(const char* group) {
    const char* only = std::getenv("BENCH_ONLY");
    return !only || std::strcmp(only, group) == 0;
}

std::wstring Bin(const wchar_t* name) { return std::wstring(BIN_DIR) + L"\\" + name; }

void Fail(const char* what) {
    std::fprintf(stderr, "bench: %s\n", what);
    std::exit(1);
}

struct Started {
    PROCESS_INFORMATION info{};
    ~Started() {
        if (info.hProcess) {
            if (::WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) {
                ::TerminateProcess(info.hProcess, 1);
                ::WaitForSingleObject(info.hProcess, 10000);
            }
            ::CloseHandle(info.hThread);
            ::CloseHandle(info.hProcess);
        }
    }
    DWORD ExitCode() const {
        DWORD code = 1;
        ::GetExitCodeProcess(info.hProcess, &code);
        return code;
    }
};

void Start(Started& started, const std::wstring& program, const std::wstring& arguments,
           const std::wstring& folder) {
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &started.info))
        Fail("cannot start a program");
}

struct Search {
    DWORD process;
    const wchar_t* className;
    std::set<DWORD>* exclude;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    wchar_t name[64];
    ::GetClassNameW(window, name, 64);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (wcscmp(name, search->className) == 0 && ::IsWindowVisible(window) &&
        (search->process == 0 || process == search->process) &&
        (!search->exclude || !search->exclude->contains(process))) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindow(DWORD process, const wchar_t* className, std::set<DWORD>* exclude = nullptr) {
    Search search{process, className, exclude};
    ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD process, const wchar_t* className, std::set<DWORD>* exclude = nullptr) {
    const double deadline = Now() + 20000;
    for (;;) {
        if (const HWND window = VisibleWindow(process, className, exclude)) return window;
        if (Now() > deadline) Fail("a window did not appear");
        ::Sleep(1);
    }
}

BOOL CALLBACK AnyUnpainted(HWND window, LPARAM parameter) {
    if (::GetUpdateRect(window, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(parameter) = true;
        return FALSE;
    }
    return TRUE;
}

// Painted: neither the window nor any of its children (once it has them) has anything left to
// paint.
void WaitForPaint(HWND window, bool withChildren) {
    const double deadline = Now() + 20000;
    for (;;) {
        bool unpainted = ::GetUpdateRect(window, nullptr, FALSE) != 0;
        if (!unpainted) ::EnumChildWindows(window, &AnyUnpainted, reinterpret_cast<LPARAM>(&unpainted));
        if (!unpainted && (!withChildren || ::GetWindow(window, GW_CHILD) != nullptr)) return;
        if (Now() > deadline) Fail("a window was not painted");
        ::Sleep(1);
    }
}

void CloseAndWait(Started& started, HWND window) {
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(started.info.hProcess, 10000) != WAIT_OBJECT_0) Fail("a program did not end");
}

// Resident memory of a running program from the system under Wine (Windows' own figures for
// private bytes read 0 there): kB of "VmRSS" or "RssAnon" in /proc/<pid>/status of the process
// whose command line names the program file.
std::string ReadAll(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}

double ResidentKiB(const std::string& programFile, const char* field) {
    WIN32_FIND_DATAW found;
    const HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &found);
    double value = 0;
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName;
        const std::string command = ReadAll(folder + L"\\cmdline");
        if (command.find(programFile) == std::string::npos) continue;
        const std::string status = ReadAll(folder + L"\\status");
        const auto at = status.find(field);
        if (at != std::string::npos) value = std::atof(status.c_str() + at + std::strlen(field) + 1);
        break;
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return value;
}

struct Series {
    std::vector<double> values;
    double Median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n == 0 ? 0 : n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    double Min() const { return values.empty() ? 0 : *std::min_element(values.begin(), values.end()); }
    double Max() const { return values.empty() ? 0 : *std::max_element(values.begin(), values.end()); }
};

struct Row {
    std::string name;
    std::string unit;
    Series measured;
    Series baseline;
    std::string goal;
    bool ratioGoal = true;  // the goal is a ratio of medians; otherwise a limit on the figure
    double limit = 0;       // the goal's number: the highest ratio, or the highest figure
};

std::string Format(double value, const std::string& unit) {
    char text[64];
    if (unit == "bytes") std::snprintf(text, sizeof text, "%.0f", value);
    else std::snprintf(text, sizeof text, "%.1f %s", value, unit.c_str());
    return text;
}

// Figures of the launcher's start, paint and memory, and of the bare window's.
struct Showing {
    double visible = 0, painted = 0, residentKiB = 0, privateKiB = 0;
};

Showing Show(const std::wstring& program, const std::wstring& folder, const wchar_t* className,
             const std::string& programFile) {
    Started started;
    Showing figures;
    const double start = Now();
    Start(started, program, L"", folder);
    const HWND window = WaitForWindow(started.info.dwProcessId, className);
    figures.visible = Now() - start;
    WaitForPaint(window, wcscmp(className, L"TForm1") == 0);
    figures.painted = Now() - start;
    ::Sleep(700);  // idle
    figures.residentKiB = ResidentKiB(programFile, "VmRSS:");
    figures.privateKiB = ResidentKiB(programFile, "RssAnon:");
    CloseAndWait(started, window);
    return figures;
}


}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) Fail("usage: bench OUTPUT.csv OUTPUT.md");
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring work = std::wstring(temp) + L"kolbrenta-bench";
    const std::wstring demo = work + L"\\demo";
    ::CreateDirectoryW(work.c_str(), nullptr);
    ::CreateDirectoryW(demo.c_str(), nullptr);
    ::CreateDirectoryW((demo + L"\\Meblowy").c_str(), nullptr);
    ::CopyFileW(Bin(L"standin.exe").c_str(), (demo + L"\\Meblowy\\Meblowy.exe").c_str(), FALSE);
    const std::wstring launcher = demo + L"\\launcher.exe";
    ::CopyFileW(Bin(L"launcher.exe").c_str(), launcher.c_str(), FALSE);

    std::vector<Row> rows;

    // Start and memory: the launcher, then the bare window of the same outer size.
    Row visible{"launcher start: window visible", "ms", {}, {}, "<= 1.10", true, 1.10};
    Row painted{"launcher start: first paint done", "ms", {}, {}, "<= 1.10", true, 1.10};
    Row resident{"launcher idle: working set", "KiB", {}, {}, "<= +1 MiB", false, 1024};
    Row anonymous{"launcher idle: private bytes", "KiB", {}, {}, "<= +1 MiB", false, 1024};
    if (Measuring("start")) {
        Started probe;
        Start(probe, launcher, L"", demo);
        const HWND form = WaitForWindow(probe.info.dwProcessId, L"TForm1");
        RECT rect;
        ::GetWindowRect(form, &rect);
        const std::wstring size = std::to_wstring(rect.right - rect.left) + L"x" + std::to_wstring(rect.bottom - rect.top);
        ::SetEnvironmentVariableW(L"BARE_WINDOW_SIZE", size.c_str());
        CloseAndWait(probe, form);
    }
    for (int run = 0; Measuring("start") && run < kRuns; ++run) {
        const Showing menu = Show(launcher, demo, L"TForm1", "kolbrenta-bench\\demo\\launcher.exe");
        const Showing bare = Show(Bin(L"bare_window.exe"), demo, L"BareWindow", "bare_window.exe");
        visible.measured.values.push_back(menu.visible);
        visible.baseline.values.push_back(bare.visible);
        painted.measured.values.push_back(menu.painted);
        painted.baseline.values.push_back(bare.painted);
        resident.measured.values.push_back(menu.residentKiB);
        resident.baseline.values.push_back(bare.residentKiB);
        anonymous.measured.values.push_back(menu.privateKiB);
        anonymous.baseline.values.push_back(bare.privateKiB);
    }

    // A click to a running module: posted to the launcher's tile, or a signal to the bare starter.
    Row click{"click to module", "ms", {}, {}, "<= 1.05", true, 1.05};
    if (Measuring("click")) {
        Started menu, bare;
        Start(menu, launcher, L"", demo);
        const HWND form = WaitForWindow(menu.info.dwProcessId, L"TForm1");
        WaitForPaint(form, true);
        Start(bare, Bin(L"bare_start.exe"), L"", demo);
        const HWND starter = WaitForWindow(bare.info.dwProcessId, L"BareStart");
        // The furniture tile: the fourth panel the group box holds, its button the panel's second child.
        HWND group = ::GetWindow(form, GW_CHILD), panel = ::GetWindow(group, GW_CHILD);
        for (int i = 0; i < 3; ++i) panel = ::GetWindow(panel, GW_HWNDNEXT);
        const HWND button = ::GetWindow(::GetWindow(panel, GW_CHILD), GW_HWNDNEXT);
        std::set<DWORD> seen;
        const auto measure = [&](const std::function<void()>& trigger) {
            const double start = Now();
            trigger();
            const HWND module = WaitForWindow(0, L"KolbrentaStandIn", &seen);
            const double taken = Now() - start;
            DWORD process = 0;
            ::GetWindowThreadProcessId(module, &process);
            seen.insert(process);
            const HANDLE handle = ::OpenProcess(SYNCHRONIZE, FALSE, process);
            ::PostMessageW(module, WM_CLOSE, 0, 0);
            ::WaitForSingleObject(handle, 10000);
            ::CloseHandle(handle);
            return taken;
        };
        RECT client;
        ::GetClientRect(button, &client);
        const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
        for (int run = 0; run < kRuns; ++run) {
            click.measured.values.push_back(measure([&] {
                ::PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
                ::PostMessageW(button, WM_LBUTTONUP, 0, centre);
            }));
            click.baseline.values.push_back(measure([&] { ::PostMessageW(starter, WM_APP, 0, 0); }));
        }
        CloseAndWait(menu, form);
        CloseAndWait(bare, starter);
    }

    // The copier: cfgclone to its end, and one CopyFileA, of the same file.
    const std::wstring data = work + L"\\Data";
    ::CreateDirectoryW(data.c_str(), nullptr);
    ::CreateDirectoryW((data + L"\\Store").c_str(), nullptr);
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\ORVA-SYS\\Kolbrenta3", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key, nullptr);
    const std::wstring folder = data + L"\\Store\\";
    ::RegSetValueExW(key, L"dir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    const std::wstring source = data + L"\\veskcfg.dll", target = data + L"\\veskscfg.dll";
    std::vector<std::tuple<const char*, int, int>> copies;
    if (Measuring("copier")) copies = {{"copier: 4 KiB", 4 << 10, kRuns}, {"copier: 64 MiB", 64 << 20, kLargeRuns}};
    for (const auto& [label, size, runs] : copies) {
        {
            const std::vector<char> bytes(static_cast<std::size_t>(size), 'k');
            const HANDLE file = ::CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            ::CloseHandle(file);
        }
        Row copier{label, "ms", {}, {}, "<= 1.10", true, 1.10};
        const auto timed = [&](const std::wstring& program, const std::wstring& arguments) {
            ::DeleteFileW(target.c_str());
            Started started;
            const double start = Now();
            Start(started, program, arguments, work);
            ::WaitForSingleObject(started.info.hProcess, INFINITE);
            const double taken = Now() - start;
            if (started.ExitCode() != 0 || ::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
                Fail("a copy failed");
            return taken;
        };
        for (int run = 0; run < runs; ++run) {
            copier.measured.values.push_back(timed(Bin(L"cfgclone.exe"), L""));
            copier.baseline.values.push_back(timed(Bin(L"bare_copy.exe"), L"\"" + source + L"\" \"" + target + L"\""));
        }
        rows.push_back(copier);
    }
    ::DeleteFileW(target.c_str());
    ::DeleteFileW(source.c_str());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ORVA-SYS");

    // Sizes, against the empty application of the class library the launcher was first written on.
    constexpr double kOriginalEmptyApplication = 376.0 * 1024;
    for (const auto& [name, file, limit] : {std::tuple{"size: launcher.exe", L"launcher.exe", 256.0 * 1024},
                                             std::tuple{"size: cfgclone.exe", L"cfgclone.exe", 128.0 * 1024}}) {
        WIN32_FILE_ATTRIBUTE_DATA attributes{};
        ::GetFileAttributesExW(Bin(file).c_str(), GetFileExInfoStandard, &attributes);
        Row size{name, "bytes", {}, {}, "<= " + std::to_string(static_cast<int>(limit / 1024)) + " KiB", false, limit};
        size.measured.values.push_back(attributes.nFileSizeLow);
        size.baseline.values.push_back(kOriginalEmptyApplication);
        rows.push_back(size);
    }
    if (Measuring("click")) rows.insert(rows.begin(), click);
    if (Measuring("start")) {
        rows.insert(rows.begin(), {visible, painted});
        rows.push_back(resident);
        rows.push_back(anonymous);
    }

    FILE* csv = std::fopen(argv[1], "w");
    FILE* md = std::fopen(argv[2], "w");
    if (!csv || !md) Fail("cannot write the results");
    std::fprintf(csv, "row,unit,runs,median,min,max,baseline_median,ratio,goal,met\n");
    std::fprintf(md, "| row | runs | median | min | max | baseline median | ratio | goal | met |\n"
                     "|---|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows) {
        const double median = row.measured.Median(), base = row.baseline.Median();
        const double ratio = base > 0 ? median / base : 0;
        // A ratio goal compares the medians; a limit compares the figure, or for memory the
        // difference from the baseline.
        const double judged = row.ratioGoal ? ratio : row.unit == "KiB" ? median - base : median;
        const bool met = judged <= row.limit;
        std::fprintf(csv, "\"%s\",%s,%zu,%.2f,%.2f,%.2f,%.2f,%.3f,\"%s\",%s\n", row.name.c_str(), row.unit.c_str(),
                     row.measured.values.size(), median, row.measured.Min(), row.measured.Max(), base, ratio,
                     row.goal.c_str(), met ? "yes" : "no");
        std::string ratioText;
        if (row.unit == "KiB") ratioText = (median - base >= 0 ? "+" : "") + Format(median - base, "KiB");
        else {
            char text[32];
            std::snprintf(text, sizeof text, "%.3f", ratio);
            ratioText = text;
        }
        std::fprintf(md, "| %s | %zu | %s | %s | %s | %s | %s | %s | %s |\n", row.name.c_str(),
                     row.measured.values.size(), Format(median, row.unit).c_str(),
                     Format(row.measured.Min(), row.unit).c_str(), Format(row.measured.Max(), row.unit).c_str(),
                     Format(base, row.unit).c_str(), ratioText.c_str(), row.goal.c_str(), met ? "yes" : "no");
    }
    std::fclose(csv);
    std::fclose(md);
    return 0;
}
