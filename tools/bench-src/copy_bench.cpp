// Times the copy of the 215 staged files inside one Wine process: the
// launcher's own copy (through the Win32 seam) against a bare CopyFileW of
// the same files, which is the floor any Win32 copy pays under Wine.
// Usage: copy_bench <CD game folder> <scratch folder> [rounds]
// Prints "bare <ms>" and "launcher <ms>" lines, one pair per round.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "staging/manifest.h"
#include "windows/win32_system.h"

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// A fresh, empty staging tree under `root`.
void FreshTree(const std::wstring& root)
{
    for (const auto& entry : zolvan::StagingManifest()) {
        const std::wstring path = root + L"\\" + entry.RelativePath();
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
    CreateDirectoryW(root.c_str(), nullptr);
    for (const auto& folder : zolvan::StagingFolders())
        CreateDirectoryW((root + L"\\" + folder).c_str(), nullptr);
}

template <typename Copy>
double Time(const std::wstring& source, const std::wstring& root, Copy copy)
{
    FreshTree(root);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (const auto& entry : zolvan::StagingManifest())
        copy(source + L"\\" + entry.RelativePath(), root + L"\\" + entry.RelativePath());
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 2;
    const std::wstring source = argv[1], scratch = argv[2];
    const int rounds = argc > 3 ? std::wcstol(argv[3], nullptr, 10) : 10;
    zolvan::Win32System system(nullptr, 0);
    for (int round = 0; round < rounds; ++round) {
        std::printf("bare %.3f\n", Time(source, scratch + L"\\bare", [](const std::wstring& from, const std::wstring& to) {
                        CopyFileW(from.c_str(), to.c_str(), FALSE);
                    }));
        std::printf("launcher %.3f\n", Time(source, scratch + L"\\launcher", [&](const std::wstring& from, const std::wstring& to) {
                        system.CopyReplacing(from, to);
                    }));
    }
    return 0;
}
