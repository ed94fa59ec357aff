// The two file operations of the configuration copier: the existence test and a copy that never
// replaces anything.
#pragma once

#include <string>

namespace classlib {

// True only for an entry that is not a folder and whose last-write time, in local time, lies in
// the years an MS-DOS date can hold (1980 to 2107).
bool FileExists(const std::string& path);

struct CopyResult {
    enum class Outcome { Copied, TargetTaken, Failed };
    Outcome outcome;
    unsigned long error = 0;  // the system's code when Failed
};

// Copies source to a new file at target: contents, last-write time and attributes. Anything
// already at target is left alone. A failed copy leaves no partial target behind, and removes
// only what this call created.
CopyResult CopyToNewFile(const std::string& source, const std::string& target);

}  // namespace classlib
