#include "support/Launcher.h"

#include <gtest/gtest.h>

namespace e2e {

namespace {

std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::vector<std::wstring> Split(const std::wstring& line, wchar_t separator) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = line.find(separator, start)) != std::wstring::npos; start = at + 1)
        parts.push_back(line.substr(start, at - start));
    parts.push_back(line.substr(start));
    return parts;
}

std::wstring FromUtf8(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
    return text;
}

}  // namespace

Installation::Installation(std::set<std::string_view> leftOut) {
    for (const auto& row : core::kModuleCatalogue) {
        const std::wstring path = Wide(row.programPath);
        const std::wstring folder = m_folder / path.substr(0, path.find(L'\\'));
        MakeFolders(folder);
        if (!leftOut.contains(row.button)) {
            EXPECT_TRUE(::CopyFileW(Built(L"standin.exe").c_str(), (m_folder / path).c_str(), TRUE));
        }
    }
}

Installation::~Installation() {
    for (const auto& start : Starts()) {
        if (const HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, start.processId)) {
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
        }
    }
}

std::vector<ModuleStart> Installation::Starts() const {
    std::vector<ModuleStart> starts;
    const auto bytes = ReadBytes(Log());
    if (!bytes) return starts;
    for (const std::wstring& line : Split(FromUtf8(*bytes), L'\n')) {
        const auto fields = Split(line.substr(0, line.find(L'\r')), L'\t');
        if (fields.size() != 5) continue;
        starts.push_back({fields[0], fields[1], fields[2], std::stoi(fields[3]),
                          static_cast<DWORD>(std::stoul(fields[4]))});
    }
    return starts;
}

bool Installation::WaitForStarts(std::size_t count, DWORD milliseconds) const {
    // A module records its start before it shows its window, which then takes the foreground:
    // the start is complete once that window is up.
    return WaitUntil([&] {
        const auto starts = Starts();
        if (starts.size() < count) return false;
        for (const auto& start : starts) {
            const auto shown = TopLevelWindows(start.processId, L"KolbrentaStandIn");
            if (shown.empty() || !::IsWindowVisible(shown.front())) return false;
        }
        return true;
    }, milliseconds) && (Settle(100), true);
}

std::array<const core::ModuleRow*, 6> RowsInLayoutOrder() {
    std::array<const core::ModuleRow*, 6> rows{};
    for (const auto& row : core::kModuleCatalogue) rows[static_cast<std::size_t>(row.tabPosition)] = &row;
    return rows;  // the layout creates the tiles in their tab order
}

const Tile& LauncherWindows::TileOf(std::string_view button) const {
    for (const auto& tile : tiles)
        if (tile.row && tile.row->button == button) return tile;
    ADD_FAILURE() << "no tile " << button;
    return tiles[0];
}

HWND LauncherWindows::Button(std::string_view name) const {
    return name == "ZamknijBut" ? closeButton : TileOf(name).button;
}

Launcher::Launcher(const Installation& installation, LauncherOptions options) : m_options(std::move(options)) {
    StartOptions start{.program = m_options.program,
                       .arguments = {},
                       .currentDirectory = installation.Folder(),
                       .environment = {{L"MODULE_LOG", installation.Log()}},
                       .showCommand = m_options.showCommand,
                       .suspended = m_options.suspended};
    m_process = Start(start);
    if (m_options.waitForMenu && !m_options.suspended) {
        EXPECT_TRUE(WaitForMenu()) << "the menu did not appear";
    }
}

HWND Launcher::Application() const {
    const auto found = TopLevelWindows(m_process.Id(), L"TApplication");
    return found.empty() ? nullptr : found.front();
}

HWND Launcher::Form() const {
    const auto found = TopLevelWindows(m_process.Id(), L"TForm1");
    return found.empty() ? nullptr : found.front();
}

bool Launcher::WaitForMenu(DWORD milliseconds) const {
    // Visible, and painted: the last control paints after the window shows.
    return WaitUntil([&] {
        const HWND form = Form();
        return form && HasStyle(form, WS_VISIBLE) && ::GetWindow(form, GW_CHILD);
    }, milliseconds) && (Settle(), true);
}

DWORD Launcher::WaitForExit(DWORD milliseconds) {
    return m_process.WaitForExit(milliseconds) ? m_process.ExitCode() : STILL_ACTIVE;
}

LauncherWindows Launcher::Windows() const {
    LauncherWindows windows;
    windows.form = Form();
    const auto top = Children(windows.form);
    EXPECT_EQ(top.size(), 1u);
    if (top.size() != 1) return windows;
    windows.groupBox = top[0];
    const auto inGroup = Children(windows.groupBox);
    EXPECT_EQ(inGroup.size(), 7u);
    if (inGroup.size() != 7) return windows;
    const auto rows = RowsInLayoutOrder();
    for (std::size_t i = 0; i < 6; ++i) {
        Tile& tile = windows.tiles[i];
        tile.row = rows[i];
        tile.panel = inGroup[i];
        const auto inPanel = Children(tile.panel);
        EXPECT_EQ(inPanel.size(), 2u);
        if (inPanel.size() != 2) continue;
        tile.label = inPanel[0];
        tile.button = inPanel[1];
    }
    windows.closeButton = inGroup[6];
    return windows;
}

HWND WaitForMessageBox(DWORD processId, DWORD milliseconds) {
    HWND box = nullptr;
    WaitUntil([&] {
        for (const HWND window : TopLevelWindows(processId, L"#32770"))
            if (::IsWindowVisible(window)) box = window;
        return box != nullptr;
    }, milliseconds);
    return box;
}

std::wstring MessageBoxText(HWND box) { return TextOf(::GetDlgItem(box, 0xFFFF)); }

bool MessageBoxShowsIcon(HWND box, LPCWSTR systemIcon) {
    for (const HWND child : Children(box)) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || ClassOf(child) != L"Static") continue;
        // Compared until it matches or the time is up: the box may not have painted yet.
        return WaitUntil([&] {
            const Pixels shown = Pixels::OfWindow(child);
            return shown == Pixels::Drawn(shown.Width(), shown.Height(), shown.At(0, 0), [&](HDC dc) {
                ::DrawIconEx(dc, 0, 0, ::LoadIconW(nullptr, systemIcon), shown.Width(), shown.Height(), 0, nullptr,
                             DI_NORMAL);
            });
        }, 3000);
    }
    return false;
}

std::vector<int> MessageBoxButtons(HWND box) {
    std::vector<int> ids;
    for (const HWND child : Children(box))
        if (ClassOf(child) == L"Button" && ::IsWindowVisible(child)) ids.push_back(::GetDlgCtrlID(child));
    return ids;
}

}  // namespace e2e
