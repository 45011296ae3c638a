// Reads a CR LF text as lines, the way DOSBox reads its configuration.
#pragma once

#include <string>
#include <vector>

namespace zolvan::testing {

// The lines of `text`, each without its CR LF. A text that does not end in
// CR LF, or holds a CR or LF that is not part of a pair, gives no lines.
inline std::vector<std::wstring> CrLfLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    std::wstring::size_type start = 0;
    while (start < text.size()) {
        const auto end = text.find(L"\r\n", start);
        if (end == std::wstring::npos)
            return {};
        std::wstring line = text.substr(start, end - start);
        if (line.find_first_of(L"\r\n") != std::wstring::npos)
            return {};
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

}  // namespace zolvan::testing
