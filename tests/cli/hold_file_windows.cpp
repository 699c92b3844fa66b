// Holds a file open as a spreadsheet showing it does (others may read it, not replace it) until
// its standard input ends: scripts/windows-cli saves over such a file. Prints "held" once it is.
#include <cstdio>

#include <windows.h>

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const HANDLE file
        = ::CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) { }
    ::CloseHandle(file);
    return 0;
}
