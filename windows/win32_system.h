// The operating-system seam over Win32. The contracts are those of
// launcher/system.h; each operation lives in a small file of its own.
#pragma once

#include <windows.h>

#include "launcher/system.h"

namespace zolvan {

class Win32System final : public System {
public:
    // `window` owns the launch timer and the message boxes.
    Win32System(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}

    std::wstring AppFolder() override;
    std::optional<std::int64_t> FileLength(const std::wstring& path) override;
    void RemoveFile(const std::wstring& path) override;
    bool CopyReplacing(const std::wstring& source, const std::wstring& destination) override;
    Outcome CreateFolder(const std::wstring& path) override;
    Outcome WriteTextFile(const std::wstring& path, const std::wstring& text) override;
    Outcome StartProgram(const std::wstring& program, const std::wstring& arguments,
                         const std::wstring& workingFolder) override;
    void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
    void StopTimer() override;

private:
    HWND window_;
    UINT_PTR timerId_;
};

}  // namespace zolvan
