#include "launcher/launch_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/texts.h"
#include "recording_system.h"
#include "staging/manifest.h"

namespace zolvan {
namespace {

using testing::RecordingSystem;

const std::wstring kApp = L"C:\\Games\\Zolvan";
const std::wstring kMissingCd = L"message Zolvan Zazo: Please insert the CD of Zolvan Zazo and try again.";

// A CD in `letter` holding every file of the manifest.
void InsertCd(RecordingSystem& system, wchar_t letter)
{
    for (const auto& entry : StagingManifest())
        system.files[letter + std::wstring(L":\\QEB\\") + entry.RelativePath()] = 100;
}

std::vector<std::wstring> Probes(const RecordingSystem& system)
{
    std::vector<std::wstring> probes;
    for (const auto& call : system.CallsOf(L"length "))
        if (call.find(L":\\QEB\\") != std::wstring::npos)
            probes.push_back(call.substr(7));
    return probes;
}

TEST(LaunchSequence, WithoutCdStopsTimerDeletesSettingsProbesAllAndAsksForTheCd)
{
    RecordingSystem system;
    system.files[kApp + L"\\ZOLVAN.INI"] = 10;
    system.files[L"C:\\QEB\\ZOLQEB.EXE"] = 10;  // C: is the system disk, never probed

    LaunchState state;
    EXPECT_EQ(RunLaunchSequence(system, state), LaunchEnd::kCdMissing);

    ASSERT_GE(system.calls.size(), 2u + 23u + 1u);
    EXPECT_EQ(system.calls[0], L"stop timer");
    EXPECT_EQ(system.calls[1], L"delete " + kApp + L"\\ZOLVAN.INI");
    EXPECT_FALSE(system.files.count(kApp + L"\\ZOLVAN.INI"));
    std::vector<std::wstring> expected;
    for (wchar_t letter = L'D'; letter <= L'Z'; ++letter)
        expected.push_back(letter + std::wstring(L":\\QEB\\ZOLQEB.EXE"));
    EXPECT_EQ(Probes(system), expected);
    EXPECT_EQ(system.calls.back(), kMissingCd) << "nothing may follow the message";
    EXPECT_EQ(system.CallsOf(L"message ").size(), 1u);
    EXPECT_TRUE(system.CallsOf(L"copy ").empty());
    EXPECT_TRUE(state.sCdGameDir.empty() && state.sCdRoot.empty() && state.sCdLetter.empty());
}

TEST(LaunchSequence, HighestLetterHoldingTheGameWins)
{
    RecordingSystem system;
    InsertCd(system, L'E');
    InsertCd(system, L'G');
    system.files[L"F:\\QEB\\OTHER.EXE"] = 1;  // a QEB folder without the game is no hit

    LaunchState state;
    EXPECT_EQ(RunLaunchSequence(system, state), LaunchEnd::kEmulatorStarted);
    EXPECT_EQ(state.sCdGameDir, L"G:\\QEB");
    EXPECT_EQ(state.sCdRoot, L"G:\\");
    EXPECT_EQ(state.sCdLetter, L"G");
    EXPECT_EQ(Probes(system).size(), 23u);
    const auto copies = system.CallsOf(L"copy ");
    ASSERT_EQ(copies.size(), 215u);
    EXPECT_TRUE(std::all_of(copies.begin(), copies.end(),
                            [](const std::wstring& c) { return c.rfind(L"copy G:\\QEB\\", 0) == 0; }));
}

TEST(LaunchSequence, FullRunInOrder)
{
    RecordingSystem system;
    InsertCd(system, L'E');
    LaunchState state;
    ASSERT_EQ(RunLaunchSequence(system, state), LaunchEnd::kEmulatorStarted);

    // stop, delete, 23 probes, 41 folders, 215 copies, 3 language probes, write, start
    const auto& calls = system.calls;
    ASSERT_EQ(calls.size(), 2u + 23 + 41 + 215 + 3 + 2);
    EXPECT_EQ(calls[25], L"folder " + kApp + L"\\BRIX");
    EXPECT_EQ(calls[66], L"copy E:\\QEB\\HMIDET.386 -> " + kApp + L"\\HMIDET.386");
    EXPECT_EQ(calls[75], L"copy E:\\QEB\\BRIX\\ZON_101\\ZON.INI -> " + kApp + L"\\BRIX\\ZON_101\\ZON.INI");
    EXPECT_EQ(calls[281], L"length " + kApp + L"\\MISC\\AL.BIN");
    EXPECT_EQ(calls[283], L"length " + kApp + L"\\MISC\\USA.BIN");
    EXPECT_EQ(calls[284], L"write " + kApp + L"\\dosbox.conf");
    EXPECT_EQ(calls[285], L"start " + kApp + L"\\dosbox.exe | -noconsole | " + kApp);
    EXPECT_EQ(state.sLanguage, L"usa");

    const std::wstring& document = system.written.at(kApp + L"\\dosbox.conf");
    EXPECT_NE(document.find(L"\r\nMOUNT E E:\\ -t cdrom -usecd 1 -ioctl\r\nMOUNT B \"" + kApp + L"\"\r\n"),
              std::wstring::npos);
    EXPECT_NE(document.find(L"\r\nZOLQEB.EXE ver=usa\r\ndel HMIDET.386\r\n"), std::wstring::npos);
}

TEST(LaunchSequence, AppFolderAtTheRootOfADriveGetsOneBackslash)
{
    RecordingSystem system;
    system.appFolder = L"X:\\";
    InsertCd(system, L'E');
    LaunchState state;
    ASSERT_EQ(RunLaunchSequence(system, state), LaunchEnd::kEmulatorStarted);
    const auto& calls = system.calls;
    EXPECT_EQ(calls[1], L"delete X:\\ZOLVAN.INI");
    EXPECT_EQ(calls[25], L"folder X:\\BRIX");
    EXPECT_EQ(calls[66], L"copy E:\\QEB\\HMIDET.386 -> X:\\HMIDET.386");
    EXPECT_EQ(calls[281], L"length X:\\MISC\\AL.BIN");
    EXPECT_EQ(calls[284], L"write X:\\dosbox.conf");
    EXPECT_EQ(calls[285], L"start X:\\dosbox.exe | -noconsole | X:\\");
    EXPECT_NE(system.written.at(L"X:\\dosbox.conf").find(L"\r\nMOUNT B \"X:\\\"\r\n"), std::wstring::npos);
}

struct LanguageCase {
    const char* name;
    friend void PrintTo(const LanguageCase& c, std::ostream* os) { *os << c.name; }
    std::vector<const wchar_t*> markersOnCd;
    std::vector<const wchar_t*> markersLeftInAppFolder;
    const wchar_t* language;
};

class LanguageProbeTest : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(LanguageProbeTest, LastMarkerPresentWins)
{
    const LanguageCase& c = GetParam();
    RecordingSystem system;
    system.files[L"E:\\QEB\\ZOLQEB.EXE"] = 1;
    for (auto marker : c.markersOnCd)
        system.files[std::wstring(L"E:\\QEB\\MISC\\") + marker] = 1;
    for (auto marker : c.markersLeftInAppFolder)
        system.files[kApp + L"\\MISC\\" + marker] = 1;

    LaunchState state;
    EXPECT_EQ(RunLaunchSequence(system, state), LaunchEnd::kEmulatorStarted);
    EXPECT_EQ(state.sLanguage, c.language);
    const std::wstring& document = system.written.at(kApp + L"\\dosbox.conf");
    EXPECT_NE(document.find(L"\r\nZOLQEB.EXE ver=" + std::wstring(c.language) + L"\r\n"), std::wstring::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Markers, LanguageProbeTest,
    ::testing::Values(LanguageCase{"only_al", {L"AL.BIN"}, {}, L"al"},
                      LanguageCase{"al_and_fr", {L"AL.BIN", L"FR.BIN"}, {}, L"fr"},
                      LanguageCase{"all_three", {L"AL.BIN", L"FR.BIN", L"USA.BIN"}, {}, L"usa"},
                      LanguageCase{"none", {}, {}, L""},
                      LanguageCase{"left_by_an_earlier_run", {L"AL.BIN"}, {L"USA.BIN"}, L"usa"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileExist, TrueExactlyWhenTheLengthCanBeHad)
{
    RecordingSystem system;
    system.files[L"D:\\EMPTY.TXT"] = 0;
    system.files[L"D:\\DATA.BIN"] = 5;
    EXPECT_TRUE(FileExist(system, L"D:\\EMPTY.TXT"));
    EXPECT_TRUE(FileExist(system, L"D:\\DATA.BIN"));
    EXPECT_FALSE(FileExist(system, L"D:\\MISSING.TXT"));
    EXPECT_FALSE(FileExist(system, L""));
}

// Faults that keep the game from starting: the user is told which path and
// why, and nothing runs after the message.
struct FaultCase {
    const char* name;
    friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }
    void (*arrange)(RecordingSystem&);
    std::wstring message;
    std::size_t copies;
    bool written;
};

class LaunchFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(LaunchFaultTest, TellsTheUserAndDoesNotStartTheEmulator)
{
    const FaultCase& c = GetParam();
    RecordingSystem system;
    InsertCd(system, L'E');
    c.arrange(system);

    LaunchState state;
    EXPECT_EQ(RunLaunchSequence(system, state), LaunchEnd::kFailed);
    EXPECT_EQ(system.calls.back(), L"message Zolvan Zazo: " + c.message);
    EXPECT_TRUE(system.CallsOf(L"start ").empty() || c.written);
    EXPECT_EQ(system.CallsOf(L"copy ").size(), c.copies);
    EXPECT_EQ(system.written.size(), c.written ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LaunchFaultTest,
    ::testing::Values(
        FaultCase{"staging_folder_cannot_be_made",
                  [](RecordingSystem& s) { s.foldersThatFail.insert(kApp + L"\\GLOM\\ZON_102"); },
                  FolderNotCreatedMessage(kApp + L"\\GLOM\\ZON_102", L"Access is denied."), 0, false},
        FaultCase{"config_cannot_be_written",
                  [](RecordingSystem& s) { s.writeFailure = L"The disk is full."; },
                  ConfigNotWrittenMessage(kApp + L"\\dosbox.conf", L"The disk is full."), 215, false},
        FaultCase{"emulator_does_not_start",
                  [](RecordingSystem& s) { s.startFailure = L"The system cannot find the file specified."; },
                  EmulatorNotStartedMessage(kApp + L"\\dosbox.exe", L"The system cannot find the file specified."),
                  215, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LaunchSequence, CopiesThatFailAreSkippedSilently)
{
    RecordingSystem system;
    system.files[L"E:\\QEB\\ZOLQEB.EXE"] = 1;  // a CD holding only the game's executable
    LaunchState state;
    EXPECT_EQ(RunLaunchSequence(system, state), LaunchEnd::kEmulatorStarted);
    EXPECT_EQ(system.CallsOf(L"copy ").size(), 215u);
    EXPECT_TRUE(system.CallsOf(L"message ").empty());
    EXPECT_TRUE(system.files.count(kApp + L"\\ZOLQEB.EXE"));
}

}  // namespace
}  // namespace zolvan
