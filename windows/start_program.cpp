#include "windows/win32_system.h"

#include <vector>

#include "windows/handles.h"
#include "windows/system_error.h"

namespace zolvan {

Outcome Win32System::StartProgram(const std::wstring& program, const std::wstring& arguments,
                                  const std::wstring& workingFolder)
{
    // The program is named apart from the command line, and quoted within
    // it, so that a folder such as C:\Program Files never starts
    // C:\Program.exe instead.
    const std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    std::vector<wchar_t> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, workingFolder.c_str(), &startup, &process))
        return {SystemErrorText(GetLastError())};
    UniqueHandle processHandle(process.hProcess);
    UniqueHandle threadHandle(process.hThread);
    return {};
}

}  // namespace zolvan
