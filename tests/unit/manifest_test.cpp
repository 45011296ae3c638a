#include "staging/manifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace zolvan {
namespace {

TEST(StagingManifest, EntriesInCopyOrder)
{
    const auto& manifest = StagingManifest();
    ASSERT_EQ(manifest.size(), 215u);
    // Entry numbers count from 1: the boundaries of every group.
    const std::pair<int, const wchar_t*> expected[] = {
        {1, L"HMIDET.386"},
        {3, L"ZOLQEB.EXE"},
        {4, L"BRIX\\BRI.MAP"},
        {6, L"BRIX\\ACT.TBL"},
        {7, L"BRIX\\ZON_101\\SCENE.MAP"},
        {10, L"BRIX\\ZON_101\\ZON.INI"},
        {26, L"BRIX\\ZON_105\\ZON.INI"},
        {27, L"GLOM\\GLO.MAP"},
        {50, L"SPIRE\\SPI.MAP"},
        {73, L"DWOMAR\\DWO.MAP"},
        {97, L"HASKOVAR\\HAK.PCX"},
        {119, L"PLUNE\\PLU.MAP"},
        {141, L"PLUNE\\ZON_105\\ZON.INI"},
        {142, L"MISC\\AL.BIN"},
        {151, L"MISC\\USA.BIN"},
        {152, L"MISC\\EDITION.BIN"},
        {153, L"TRAKS\\STATIC.DAT"},
        {155, L"TRAKS\\BRI01.LEV"},
        {178, L"TRAKS\\PLU04.LEV"},
        {179, L"TRAKS\\SHARED.DAT"},
        {185, L"TRAKS\\ZOL06.WLD"},
        {188, L"TRAKS\\PICSET.DAT"},
        {189, L"TRAKS\\AL\\TITLES00.WLD"},
        {197, L"TRAKS\\AL\\VOICES.DAT"},
        {198, L"TRAKS\\FR\\TITLES00.WLD"},
        {215, L"TRAKS\\USA\\VOICES.DAT"},
    };
    for (const auto& [number, path] : expected)
        EXPECT_EQ(manifest[number - 1].RelativePath(), path) << "entry " << number;
}

TEST(StagingManifest, PathsAreUniqueUpperCaseAndLandInStagingFolders)
{
    const auto& folders = StagingFolders();
    ASSERT_EQ(folders.size(), 41u);
    const std::set<std::wstring> folderSet(folders.begin(), folders.end());
    EXPECT_EQ(folderSet.size(), 41u);

    std::set<std::wstring> paths;
    std::set<std::wstring> used;
    for (const ManifestEntry& entry : StagingManifest()) {
        const std::wstring path = entry.RelativePath();
        EXPECT_TRUE(paths.insert(path).second) << "twice: " << ::testing::PrintToString(path);
        EXPECT_TRUE(std::none_of(path.begin(), path.end(), [](wchar_t c) { return c >= L'a' && c <= L'z'; }));
        if (!entry.folder.empty()) {
            const std::wstring folder = entry.folder.substr(0, entry.folder.size() - 1);
            EXPECT_TRUE(folderSet.count(folder)) << ::testing::PrintToString(folder);
            used.insert(folder);
        }
    }
    EXPECT_EQ(used, folderSet) << "every staging folder receives files";
}

TEST(StagingFolders, ParentsComeBeforeTheirChildren)
{
    std::set<std::wstring> seen;
    for (const std::wstring& folder : StagingFolders()) {
        const auto slash = folder.rfind(L'\\');
        if (slash != std::wstring::npos) {
            EXPECT_TRUE(seen.count(folder.substr(0, slash))) << ::testing::PrintToString(folder);
        }
        seen.insert(folder);
    }
}

}  // namespace
}  // namespace zolvan
