// Times the launcher's drive probe: the presence test of \QEB\ZOLQEB.EXE on
// D: to Z:, through the same Win32 seam, as many rounds as asked. Prints one
// line per round, in milliseconds, the first (cold) round first.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "launcher/launch_sequence.h"
#include "windows/win32_system.h"

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    // As the launcher does: an empty drive fails quietly instead of asking.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    zolvan::Win32System system(nullptr, 0);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    int found = 0;
    for (int round = 0; round < rounds; ++round) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        found = 0;
        for (wchar_t letter = L'D'; letter <= L'Z'; ++letter)
            found += zolvan::FileExist(system, std::wstring(1, letter) + L":\\QEB\\ZOLQEB.EXE");
        QueryPerformanceCounter(&end);
        std::printf("%.3f\n", 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    }
    std::fprintf(stderr, "drives holding the game: %d\n", found);
    return 0;
}
