#include "staging/manifest.h"

namespace zolvan {

namespace {

constexpr const wchar_t* kRootFiles[] = {L"HMIDET.386", L"HMIDRV.386", L"ZOLQEB.EXE"};
constexpr const wchar_t* kMapFiles[] = {L"SCENE.MAP", L"SCENE.QRA", L"SCENE.QRB", L"ZON.INI"};
constexpr const wchar_t* kMiscFiles[] = {
    L"AL.BIN",   L"FR.BIN",   L"QEBBACK.PCX", L"GLY.GFX",   L"GLY.SHP",    L"GLY2.GFX",
    L"GLY2.SHP", L"TRIUMPH.PIC", L"AUDIO.BIN", L"USA.BIN", L"EDITION.BIN"};
constexpr int kLevelsPerWorld = 4;
constexpr int kWorldFiles = 6;   // ZOL01.WLD to ZOL06.WLD
constexpr int kTitleFiles = 7;   // TITLES00.WLD to TITLES06.WLD

std::wstring TwoDigits(int n)
{
    return std::wstring(1, static_cast<wchar_t>(L'0' + n / 10)) +
           static_cast<wchar_t>(L'0' + n % 10);
}

std::wstring MapFolder(int map)
{
    return L"ZON_" + std::to_wstring(map);
}

std::vector<ManifestEntry> BuildManifest()
{
    std::vector<ManifestEntry> entries;
    auto add = [&entries](const std::wstring& folder, const std::wstring& file) {
        entries.push_back({folder, file});
    };

    for (auto file : kRootFiles)
        add(L"", file);

    for (const World& world : Worlds()) {
        const std::wstring folder = std::wstring(world.folder) + L"\\";
        add(folder, std::wstring(world.prefix) + L".MAP");
        add(folder, std::wstring(world.prefix) + L".PCX");
        add(folder, L"ACT.TBL");
        for (int map = kFirstMap; map <= kLastMap; ++map)
            for (auto file : kMapFiles)
                add(folder + MapFolder(map) + L"\\", file);
    }

    for (auto file : kMiscFiles)
        add(L"MISC\\", file);

    const std::wstring traks = L"TRAKS\\";
    add(traks, L"STATIC.DAT");
    add(traks, L"BIGZOL.DAT");
    for (const World& world : Worlds())
        for (int level = 1; level <= kLevelsPerWorld; ++level)
            add(traks, world.prefix + TwoDigits(level) + L".LEV");
    add(traks, L"SHARED.DAT");
    for (int n = 1; n <= kWorldFiles; ++n)
        add(traks, L"ZOL" + TwoDigits(n) + L".WLD");
    add(traks, L"SFXLO8.DAT");
    add(traks, L"SFXHI8.DAT");
    add(traks, L"PICSET.DAT");

    for (auto language : kLanguageFolders) {
        const std::wstring folder = traks + language + L"\\";
        for (int n = 0; n < kTitleFiles; ++n)
            add(folder, L"TITLES" + TwoDigits(n) + L".WLD");
        add(folder, L"BONUSES.DAT");
        add(folder, L"VOICES.DAT");
    }
    return entries;
}

std::vector<std::wstring> BuildFolders()
{
    std::vector<std::wstring> folders;
    for (const World& world : Worlds()) {
        folders.push_back(world.folder);
        for (int map = kFirstMap; map <= kLastMap; ++map)
            folders.push_back(std::wstring(world.folder) + L"\\" + MapFolder(map));
    }
    folders.push_back(L"MISC");
    folders.push_back(L"TRAKS");
    for (auto language : kLanguageFolders)
        folders.push_back(std::wstring(L"TRAKS\\") + language);
    return folders;
}

}  // namespace

const std::vector<World>& Worlds()
{
    static const std::vector<World> worlds = {
        {L"BRIX", L"BRI"},   {L"GLOM", L"GLO"},     {L"SPIRE", L"SPI"},
        {L"DWOMAR", L"DWO"}, {L"HASKOVAR", L"HAK"}, {L"PLUNE", L"PLU"},
    };
    return worlds;
}

const std::vector<ManifestEntry>& StagingManifest()
{
    static const std::vector<ManifestEntry> manifest = BuildManifest();
    return manifest;
}

const std::vector<std::wstring>& StagingFolders()
{
    static const std::vector<std::wstring> folders = BuildFolders();
    return folders;
}

}  // namespace zolvan
