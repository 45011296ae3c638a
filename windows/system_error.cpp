#include "windows/system_error.h"

namespace zolvan {

std::wstring SystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr)
        text.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);

    // The system ends its sentences with a line break that a message box
    // would show as an empty line.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"Error " + std::to_wstring(code) + L".";
    return text;
}

}  // namespace zolvan
