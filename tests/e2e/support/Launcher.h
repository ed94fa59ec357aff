// The launcher as the tests meet it: a scratch installation with stand-in modules, a running
// launcher.exe started in it, and the windows it shows, found from outside.
#pragma once

#include "support/Files.h"
#include "support/Process.h"
#include "support/Windows.h"

#include "Catalogue.h"

#include <array>
#include <set>
#include <string>
#include <vector>

namespace e2e {

// One start of a stand-in module, as it recorded itself.
struct ModuleStart {
    std::wstring program;
    std::wstring commandLine;
    std::wstring currentDirectory;
    int showCommand = -1;
    DWORD processId = 0;
};

// A folder with the six module folders, each with the stand-in under the module's name, except
// those left out. The modules it started are ended with it.
class Installation {
public:
    explicit Installation(std::set<std::string_view> leftOut = {});
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::wstring& Folder() const { return m_folder.Path(); }
    std::wstring operator/(const std::wstring& relative) const { return m_folder / relative; }
    std::wstring Log() const { return m_folder / L"modules.log"; }
    std::vector<ModuleStart> Starts() const;
    // Waits until the modules have recorded at least this many starts and show their windows.
    bool WaitForStarts(std::size_t count, DWORD milliseconds = 10000) const;

private:
    ScratchFolder m_folder;
};

struct Tile {
    const core::ModuleRow* row = nullptr;
    HWND panel = nullptr;
    HWND label = nullptr;
    HWND button = nullptr;
};

// The main window's controls, found by the window tree's shape and order.
struct LauncherWindows {
    HWND form = nullptr;
    HWND groupBox = nullptr;
    std::array<Tile, 6> tiles{};  // in layout order: Panel1, Panel2, Panel3, Panel6, Panel5, Panel4
    HWND closeButton = nullptr;

    const Tile& TileOf(std::string_view button) const;
    HWND Button(std::string_view name) const;  // a tile's button, or "ZamknijBut"
};

// The catalogue rows in the order the layout creates the tiles.
std::array<const core::ModuleRow*, 6> RowsInLayoutOrder();

struct LauncherOptions {
    std::wstring program = Built(L"launcher.exe");
    int showCommand = -1;
    bool waitForMenu = true;  // until the main window is visible
    bool suspended = false;   // made suspended, to be resumed by the test
};

class Launcher {
public:
    Launcher(const Installation& installation, LauncherOptions options = {});

    Process& Proc() { return m_process; }
    DWORD Id() const { return m_process.Id(); }
    HWND Application() const;  // the window that carries the task-bar entry
    HWND Form() const;         // null until it exists
    // The controls; fails the test when the tree is not the menu's.
    LauncherWindows Windows() const;
    bool WaitForMenu(DWORD milliseconds = 10000) const;
    // Waits for the end; the exit status, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD milliseconds = 10000);

private:
    LauncherOptions m_options;
    Process m_process;
};

// A message box of the process, once it is up.
HWND WaitForMessageBox(DWORD processId, DWORD milliseconds = 10000);
// Its text, from the static that holds it.
std::wstring MessageBoxText(HWND box);
// Whether its icon is the given system icon (IDI_...), compared by pixels.
bool MessageBoxShowsIcon(HWND box, LPCWSTR systemIcon);
// Its buttons' control ids, in order.
std::vector<int> MessageBoxButtons(HWND box);

}  // namespace e2e
