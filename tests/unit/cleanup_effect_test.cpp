// Runs the clean-up script on a model of the app folder, with the DOS
// commands it uses, to see what it leaves behind.
#include <gtest/gtest.h>

#include <cwctype>
#include <set>

#include "emulator/cleanup_script.h"
#include "staging/manifest.h"
#include "text_lines.h"

namespace zolvan {
namespace {

std::wstring Upper(std::wstring text)
{
    for (auto& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// Just enough of a DOS shell: "cd NAME", "cd..", "del NAME", "del *.*",
// "exit", with names matched without regard to case, as DOSBox does. Paths
// are upper case and relative to the root, "" being the root itself.
struct DosModel {
    std::set<std::wstring> folders;
    std::set<std::wstring> files;
    std::wstring current;

    std::wstring Child(const std::wstring& name) const
    {
        return current.empty() ? Upper(name) : current + L"\\" + Upper(name);
    }

    void Run(const std::wstring& script)
    {
        for (const std::wstring& line : testing::CrLfLines(script)) {
            if (line == L"exit")
                return;
            if (line == L"cd..") {
                const auto slash = current.rfind(L'\\');
                current = slash == std::wstring::npos ? L"" : current.substr(0, slash);
            } else if (line.rfind(L"cd ", 0) == 0) {
                if (folders.count(Child(line.substr(3))))
                    current = Child(line.substr(3));
            } else if (line == L"del *.*") {
                for (auto it = files.begin(); it != files.end();) {
                    const auto slash = it->rfind(L'\\');
                    const std::wstring folder = slash == std::wstring::npos ? L"" : it->substr(0, slash);
                    it = folder == current ? files.erase(it) : std::next(it);
                }
            } else if (line.rfind(L"del ", 0) == 0) {
                files.erase(Child(line.substr(4)));
            }
        }
    }
};

TEST(CleanupScript, RemovesEveryStagedFileAndNothingElse)
{
    DosModel app;
    app.folders.insert(StagingFolders().begin(), StagingFolders().end());
    for (const auto& entry : StagingManifest())
        app.files.insert(entry.RelativePath());
    const std::set<std::wstring> ownFiles = {L"ZOLVAN.EXE", L"DOSBOX.EXE", L"DOSBOX.CONF",
                                             L"ZOLVAN.INI", L"SDL.DLL"};
    app.files.insert(ownFiles.begin(), ownFiles.end());

    app.Run(CleanupScript());

    EXPECT_EQ(app.files, ownFiles);
    EXPECT_EQ(app.current, L"") << "exit runs in the root";
    EXPECT_EQ(app.folders.size(), 41u);
}

}  // namespace
}  // namespace zolvan
