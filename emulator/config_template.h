// The fixed opening of every dosbox.conf the launcher writes: the emulator's
// settings, ending with the "[autoexec]" header whose lines follow.
#pragma once

#include <string>

namespace zolvan {

const std::wstring& ConfigTemplate();

}  // namespace zolvan
