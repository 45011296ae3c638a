#include "windows/win32_system.h"

#include "windows/system_error.h"

namespace zolvan {

namespace {

// Files copied from a CD carry the read-only flag, and the emulator cannot
// delete a read-only file after the game. Returns whether the flag was set.
bool ClearReadOnly(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    return SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY) != FALSE;
}

}  // namespace

void Win32System::RemoveFile(const std::wstring& path)
{
    DeleteFileW(path.c_str());
}

bool Win32System::CopyReplacing(const std::wstring& source, const std::wstring& destination)
{
    if (!CopyFileW(source.c_str(), destination.c_str(), FALSE)) {
        // A read-only copy left by an earlier run refuses to be replaced.
        if (GetLastError() != ERROR_ACCESS_DENIED || !ClearReadOnly(destination) ||
            !CopyFileW(source.c_str(), destination.c_str(), FALSE))
            return false;
    }
    ClearReadOnly(destination);
    return true;
}

Outcome Win32System::CreateFolder(const std::wstring& path)
{
    if (CreateDirectoryW(path.c_str(), nullptr))
        return {};
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    return {SystemErrorText(error)};
}

}  // namespace zolvan
