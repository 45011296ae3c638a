#include "windows/win32_system.h"

#include <vector>

namespace zolvan {

std::wstring Win32System::AppFolder()
{
    // The program's path may exceed MAX_PATH: grow until it fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            const auto slash = path.find_last_of(L'\\');
            if (slash == std::wstring::npos)
                return path;
            // At the root of a drive the folder keeps its backslash: "C:" alone
            // would mean the drive's current folder.
            return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace zolvan
