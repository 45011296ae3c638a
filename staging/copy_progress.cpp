#include "staging/copy_progress.h"

#include "staging/manifest.h"

namespace zolvan {

std::optional<MissingFolder> EnsureStagingTree(System& system)
{
    const std::wstring prefix = system.AppFolder() + L"\\";
    for (const std::wstring& folder : StagingFolders()) {
        const std::wstring path = prefix + folder;
        if (Outcome made = system.CreateFolder(path); !made.ok())
            return MissingFolder{path, made.reason};
    }
    return std::nullopt;
}

void CopyProgress(System& system, const std::wstring& sCdGameDir)
{
    const std::wstring destinationPrefix = system.AppFolder() + L"\\";
    for (const ManifestEntry& entry : StagingManifest())
        system.CopyReplacing(sCdGameDir + L"\\" + entry.RelativePath(),
                        destinationPrefix + entry.RelativePath());
}

}  // namespace zolvan
