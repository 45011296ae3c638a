// The game files the launcher stages from the CD into the app folder, and
// the folders they go into. The game runs from the app folder inside the
// emulator, so every file it opens must be there under its CD path.
#pragma once

#include <string>
#include <vector>

namespace zolvan {

struct World {
    const wchar_t* folder;  // upper case, as on the CD
    const wchar_t* prefix;  // of the world's own map and level files
};

// The six worlds, in the order the game lists them.
const std::vector<World>& Worlds();

// Each world has five map folders, ZON_101 to ZON_105.
inline constexpr int kFirstMap = 101;
inline constexpr int kLastMap = 105;

// The language folders under TRAKS, in the order they are staged.
inline constexpr const wchar_t* kLanguageFolders[] = {L"AL", L"FR", L"USA"};

struct ManifestEntry {
    std::wstring folder;  // "" or "BRIX\" or "BRIX\ZON_101\": each name ends in a backslash
    std::wstring file;    // "SCENE.MAP"

    std::wstring RelativePath() const { return folder + file; }
};

// The 215 entries, in copy order.
const std::vector<ManifestEntry>& StagingManifest();

// The 41 folders the manifest writes into, relative to the app folder, each
// parent before its children ("BRIX", "BRIX\ZON_101", ...).
const std::vector<std::wstring>& StagingFolders();

}  // namespace zolvan
