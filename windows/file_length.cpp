#include "windows/win32_system.h"

namespace zolvan {

namespace {

// A path on a drive letter that the system does not know at all is answered
// without asking any device: probing 23 letters stays quick.
bool DriveLetterUnknown(const std::wstring& path)
{
    if (path.size() < 2 || path[1] != L':')
        return false;
    const wchar_t letter = static_cast<wchar_t>(path[0] & ~0x20);  // upper case
    if (letter < L'A' || letter > L'Z')
        return false;
    return (GetLogicalDrives() & (1u << (letter - L'A'))) == 0;
}

}  // namespace

std::optional<std::int64_t> Win32System::FileLength(const std::wstring& path)
{
    if (path.empty() || DriveLetterUnknown(path))
        return std::nullopt;
    // No "insert a disk" box for an empty drive: main() sets the error mode
    // that fails such a query instead.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::nullopt;
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                     data.nFileSizeLow);
}

}  // namespace zolvan
