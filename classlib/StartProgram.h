// Starting another program the way the start menu needs it.
#pragma once

namespace classlib {

// Starts the program at a path relative to the current directory (and only there: no other
// folder is searched) as an independent process, with the path as its whole command line, the
// given show command, and this process's current directory and environment. Returns once the
// program takes input, after a time-out, or at once when it cannot be started; keeps no handle.
void StartProgram(const char* relativePath, int showCommand);

}  // namespace classlib
