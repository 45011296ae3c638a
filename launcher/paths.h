// Paths into a folder, formed by appending a fixed tail.
#pragma once

#include <string>

namespace zolvan {

// `folder` followed by `tail`, which begins with a backslash. At the root of a
// drive the system gives the folder with its backslash ("X:\"), and the
// tail's own is then dropped, so that the user never reads "X:\\dosbox.exe".
inline std::wstring InFolder(const std::wstring& folder, const std::wstring& tail)
{
    if (!folder.empty() && folder.back() == L'\\' && !tail.empty() && tail.front() == L'\\')
        return folder + tail.substr(1);
    return folder + tail;
}

}  // namespace zolvan
