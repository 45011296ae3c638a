#include "staging/copy_progress.h"

#include "launcher/paths.h"
#include "staging/manifest.h"

namespace zolvan {

std::optional<MissingFolder> EnsureStagingTree(System& system)
{
    const std::wstring appFolder = system.AppFolder();
    for (const std::wstring& folder : StagingFolders()) {
        const std::wstring path = InFolder(appFolder, L"\\" + folder);
        if (Outcome made = system.CreateFolder(path); !made.ok())
            return MissingFolder{path, made.reason};
    }
    return std::nullopt;
}

void CopyProgress(System& system, const std::wstring& sCdGameDir)
{
    const std::wstring appFolder = system.AppFolder();
    for (const ManifestEntry& entry : StagingManifest()) {
        const std::wstring tail = L"\\" + entry.RelativePath();
        system.CopyReplacing(sCdGameDir + tail, InFolder(appFolder, tail));
    }
}

}  // namespace zolvan
