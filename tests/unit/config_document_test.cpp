#include "emulator/config_document.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "emulator/cleanup_script.h"
#include "emulator/config_template.h"
#include "text_lines.h"

namespace zolvan {
namespace {

using testing::CrLfLines;

struct DocumentCase {
    const char* name;
    friend void PrintTo(const DocumentCase& c, std::ostream* os) { *os << c.name; }
    StartupValues values;
    const wchar_t* cdMountLine;   // line 111
    const wchar_t* appMountLine;  // line 112
    const wchar_t* gameLine;      // line 116
};

class ConfigDocumentTest : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(ConfigDocumentTest, StartupLinesBetweenTemplateAndScript)
{
    const DocumentCase& c = GetParam();
    const std::wstring document = ComposeConfigDocument(c.values);
    const auto lines = CrLfLines(document);
    ASSERT_EQ(lines.size(), 250u);

    EXPECT_EQ(document.substr(0, ConfigTemplate().size()), ConfigTemplate());
    EXPECT_EQ(document.substr(document.size() - CleanupScript().size()), CleanupScript());
    EXPECT_EQ(lines[93], L"ECHO ON");
    for (int number = 95; number <= 110; ++number)
        EXPECT_EQ(lines[number - 1], L"ECHO -") << "line " << number;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), L"ECHO -"), 16);
    EXPECT_EQ(lines[110], c.cdMountLine);
    EXPECT_EQ(lines[111], c.appMountLine);
    EXPECT_EQ(lines[112], L"ECHO ON");
    EXPECT_EQ(lines[113], L"B:");
    EXPECT_EQ(lines[114], L"");
    EXPECT_EQ(lines[115], c.gameLine);
    EXPECT_EQ(lines[116], L"del HMIDET.386");
    EXPECT_EQ(document.size(), 2399 + BatchLiteral(c.values.appFolder).size() + c.values.language.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigDocumentTest,
    ::testing::Values(
        DocumentCase{"cd_in_e_usa", {L"E", L"E:\\", L"C:\\Games\\Zolvan", L"usa"},
                     L"MOUNT E E:\\ -t cdrom -usecd 1 -ioctl", L"MOUNT B \"C:\\Games\\Zolvan\"",
                     L"ZOLQEB.EXE ver=usa"},
        DocumentCase{"cd_in_g_al", {L"G", L"G:\\", L"C:\\Games\\Zolvan", L"al"},
                     L"MOUNT G G:\\ -t cdrom -usecd 1 -ioctl", L"MOUNT B \"C:\\Games\\Zolvan\"",
                     L"ZOLQEB.EXE ver=al"},
        DocumentCase{"no_language", {L"E", L"E:\\", L"C:\\Games\\Zolvan", L""},
                     L"MOUNT E E:\\ -t cdrom -usecd 1 -ioctl", L"MOUNT B \"C:\\Games\\Zolvan\"",
                     L"ZOLQEB.EXE ver="},
        DocumentCase{"folder_with_spaces", {L"E", L"E:\\", L"C:\\Program Files\\Zolvan", L"fr"},
                     L"MOUNT E E:\\ -t cdrom -usecd 1 -ioctl", L"MOUNT B \"C:\\Program Files\\Zolvan\"",
                     L"ZOLQEB.EXE ver=fr"},
        DocumentCase{"folder_with_per_cent_signs", {L"E", L"E:\\", L"C:\\100% %PATH%", L"usa"},
                     L"MOUNT E E:\\ -t cdrom -usecd 1 -ioctl", L"MOUNT B \"C:\\100%% %%PATH%%\"",
                     L"ZOLQEB.EXE ver=usa"},
        DocumentCase{"app_folder_at_drive_root", {L"Z", L"Z:\\", L"D:\\", L"usa"},
                     L"MOUNT Z Z:\\ -t cdrom -usecd 1 -ioctl", L"MOUNT B \"D:\\\"",
                     L"ZOLQEB.EXE ver=usa"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigDocument, SameInputsGiveTheSameDocument)
{
    const StartupValues values{L"E", L"E:\\", L"C:\\Games\\Zolvan", L"usa"};
    EXPECT_EQ(ComposeConfigDocument(values), ComposeConfigDocument(values));
}

TEST(BatchLiteral, OnlyPerCentSignsChange)
{
    EXPECT_EQ(BatchLiteral(L"C:\\a b^c&d(e)!f;g,h=i+j'k\u00e9"), L"C:\\a b^c&d(e)!f;g,h=i+j'k\u00e9");
    EXPECT_EQ(BatchLiteral(L"%1%%"), L"%%1%%%%");
}

}  // namespace
}  // namespace zolvan
