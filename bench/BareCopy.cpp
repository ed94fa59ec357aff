// Baseline for the copier: one CopyFileA of the source to the target, nothing else.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    return ::CopyFileA(argv[1], argv[2], TRUE) ? 0 : 1;
}
