#include "emulator/config_document.h"

#include "emulator/cleanup_script.h"
#include "emulator/config_template.h"

namespace zolvan {

namespace {

constexpr wchar_t kLineEnd[] = L"\r\n";
constexpr int kEchoDashLines = 16;  // clears the emulator's banner off the screen

}  // namespace

std::wstring BatchLiteral(const std::wstring& text)
{
    std::wstring literal;
    literal.reserve(text.size());
    for (wchar_t c : text) {
        literal += c;
        if (c == L'%')
            literal += c;
    }
    return literal;
}

std::wstring ComposeConfigDocument(const StartupValues& values)
{
    std::wstring document = ConfigTemplate();
    document += L"ECHO ON";
    document += kLineEnd;
    for (int i = 0; i < kEchoDashLines; ++i) {
        document += L"ECHO -";
        document += kLineEnd;
    }
    document += L"MOUNT " + values.cdLetter + L" " + values.cdRoot + L" -t cdrom -usecd 1 -ioctl";
    document += kLineEnd;
    document += L"MOUNT B \"" + BatchLiteral(values.appFolder) + L"\"";
    document += kLineEnd;
    document += L"ECHO ON";
    document += kLineEnd;
    document += L"B:";
    document += kLineEnd;
    document += kLineEnd;
    document += L"ZOLQEB.EXE ver=" + values.language;
    document += kLineEnd;
    document += CleanupScript();
    return document;
}

}  // namespace zolvan
