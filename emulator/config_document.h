// The configuration document: the settings template, the start-up lines that
// mount the CD and the app folder and run the game, then the clean-up script.
// DOSBox runs the lines after "[autoexec]" as a batch file, one after another.
#pragma once

#include <string>

namespace zolvan {

struct StartupValues {
    std::wstring cdLetter;   // "E"
    std::wstring cdRoot;     // "E:\"
    std::wstring appFolder;  // as the system gives it
    std::wstring language;   // "al", "fr", "usa" or empty
};

// A text as a batch line must spell it for DOSBox to read it back unchanged:
// the batch reader takes "%" as the start of a variable, so it is doubled.
std::wstring BatchLiteral(const std::wstring& text);

std::wstring ComposeConfigDocument(const StartupValues& values);

}  // namespace zolvan
