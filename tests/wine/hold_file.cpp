// Holds one file open with no sharing, as a virus scanner or an editor might
// while the launcher runs, until it is killed. Prints "held" once the file is
// open, so that the test knows when to start the launcher.
//
// Build: x86_64-w64-mingw32-g++-win32 -municode -static -o hold_file.exe hold_file.cpp
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: hold_file <windows path>\n");
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::printf("error %lu\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
