#include "windows/win32_system.h"

#include <string>

#include "windows/handles.h"
#include "windows/system_error.h"

namespace zolvan {

namespace {

// The text in the ANSI code page, which is what DOSBox reads. A character the
// code page cannot hold would reach DOSBox as some other character and name
// a folder that does not exist, so that is a failure, not a guess.
bool ToAnsi(const std::wstring& text, std::string& bytes)
{
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size,
                                           nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return false;
    bytes.resize(length);
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), size, bytes.data(),
                               length, nullptr, &lossy) == length &&
           !lossy;
}

Outcome WriteAll(const std::wstring& path, const std::string& bytes)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return {SystemErrorText(GetLastError())};
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return {SystemErrorText(GetLastError())};
    if (written != bytes.size())
        return {SystemErrorText(ERROR_DISK_FULL)};
    if (!FlushFileBuffers(file.get()) || !file.Close())
        return {SystemErrorText(GetLastError())};
    return {};
}

}  // namespace

Outcome Win32System::WriteTextFile(const std::wstring& path, const std::wstring& text)
{
    std::string bytes;
    if (!ToAnsi(text, bytes))
        return {SystemErrorText(ERROR_NO_UNICODE_TRANSLATION)};

    // Written beside the target and then moved over it, so that the target
    // holds either its old content or the whole new one.
    const std::wstring temporary = path + L".new";
    if (Outcome written = WriteAll(temporary, bytes); !written.ok()) {
        DeleteFileW(temporary.c_str());
        return written;
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(temporary.c_str());
        return {SystemErrorText(error)};
    }
    return {};
}

}  // namespace zolvan
