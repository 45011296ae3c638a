// The end of the launch: write dosbox.conf into the app folder and start the
// emulator from there. The launcher does not wait for it.
#pragma once

#include "emulator/config_document.h"
#include "launcher/system.h"

namespace zolvan {

// Writes the configuration document and starts the emulator. When either
// fails the user is told what and why, and the emulator is not started on
// a configuration that is not this run's. Returns whether the emulator runs.
bool HandOffToEmulator(System& system, const StartupValues& values);

}  // namespace zolvan
