// cfgclone: seeds the second configuration file, veskscfg.dll, as a copy of veskcfg.dll in the
// parent of the folder the product records in the registry. Never replaces an existing copy.
//   exit status 0: copied, or nothing to do; 1: the copy failed; 2: the registry value is unusable.
#include "classlib/Exceptions.h"
#include "classlib/Files.h"
#include "classlib/Registry.h"
#include "classlib/Text.h"

namespace {

constexpr int kCopyFailed = 1;
constexpr int kValueUnusable = 2;

// One line on standard error, written straight to the handle: the C library's formatted output
// would be the largest part of the program.
void ReportLine(const std::string& text) {
    const std::string line = text + "\r\n";
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

int main() {
    std::string folder;
    {
        // Read rights are all the copier needs; asking for more would make a key the user may
        // read but not write look missing.
        TRegistry registry(KEY_READ);
        registry.OpenKey("Software\\ORVA-SYS\\Kolbrenta3");
        try {
            folder = registry.ReadString("dir");
        } catch (const ERegistryException& e) {
            ReportLine(e.Message());
            return kValueUnusable;
        }
    }

    // Plain concatenation: the stored folder is expected to end with a separator.
    const std::string base = folder + "..\\";
    const std::string source = base + "veskcfg.dll";
    const std::string target = base + "veskscfg.dll";

    if (!classlib::FileExists(source)) return 0;
    const auto result = classlib::CopyToNewFile(source, target);
    if (result.outcome == classlib::CopyResult::Outcome::Failed) {
        ReportLine("cfgclone: cannot create \"" + target + "\": " + classlib::SystemErrorText(result.error));
        return kCopyFailed;
    }
    return 0;
}
