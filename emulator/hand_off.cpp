#include "emulator/hand_off.h"

#include "launcher/paths.h"
#include "launcher/texts.h"

namespace zolvan {

bool HandOffToEmulator(System& system, const StartupValues& values)
{
    const std::wstring configFile = InFolder(values.appFolder, kConfigFileTail);
    if (Outcome written = system.WriteTextFile(configFile, ComposeConfigDocument(values));
        !written.ok()) {
        system.ShowMessage(ConfigNotWrittenMessage(configFile, written.reason), kCaption);
        return false;
    }

    // DOSBox reads dosbox.conf from its working folder, so it starts in ours.
    const std::wstring emulator = InFolder(values.appFolder, kEmulatorTail);
    if (Outcome started = system.StartProgram(emulator, kEmulatorArguments, values.appFolder);
        !started.ok()) {
        system.ShowMessage(EmulatorNotStartedMessage(emulator, started.reason), kCaption);
        return false;
    }
    return true;
}

}  // namespace zolvan
