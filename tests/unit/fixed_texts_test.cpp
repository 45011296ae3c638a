#include <gtest/gtest.h>

#include <algorithm>

#include "emulator/cleanup_script.h"
#include "emulator/config_template.h"
#include "text_lines.h"

namespace zolvan {
namespace {

using testing::CrLfLines;

bool OnlyPrintableAscii(const std::wstring& line)
{
    return std::all_of(line.begin(), line.end(), [](wchar_t c) { return c >= 0x20 && c < 0x7F; });
}

struct FixedText {
    const char* name;
    friend void PrintTo(const FixedText& c, std::ostream* os) { *os << c.name; }
    const std::wstring& text;
    std::size_t characters;
    std::size_t lines;
    const wchar_t* first;
    const wchar_t* last;
};

class FixedTextTest : public ::testing::TestWithParam<FixedText> {};

TEST_P(FixedTextTest, HasItsExactShape)
{
    const FixedText& t = GetParam();
    EXPECT_EQ(t.text.size(), t.characters);
    const auto lines = CrLfLines(t.text);
    ASSERT_EQ(lines.size(), t.lines) << "every line, the last too, ends in CR LF";
    EXPECT_EQ(lines.front(), t.first);
    EXPECT_EQ(lines.back(), t.last);
    for (const auto& line : lines)
        EXPECT_TRUE(OnlyPrintableAscii(line)) << "control character in: " << ::testing::PrintToString(line);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FixedTextTest,
    ::testing::Values(FixedText{"config_template", ConfigTemplate(), 1034, 93, L"[sdl]", L"[autoexec]"},
                      FixedText{"cleanup_script", CleanupScript(), 1146, 134, L"del HMIDET.386", L"exit"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigTemplate, HoldsNoSpaceOrTab)
{
    EXPECT_EQ(ConfigTemplate().find_first_of(L" \t"), std::wstring::npos);
}

TEST(ConfigTemplate, LinesWhereSectionsAndEmptyValuesStand)
{
    const auto lines = CrLfLines(ConfigTemplate());
    ASSERT_EQ(lines.size(), 93u);
    const std::pair<int, const wchar_t*> expected[] = {
        {1, L"[sdl]"},     {14, L"[dosbox]"},    {15, L"language="},      {20, L"[render]"},
        {25, L"[cpu]"},    {31, L"[mixer]"},     {37, L"[midi]"},         {41, L"config="},
        {43, L"[sblaster]"}, {53, L"[gus]"},     {61, L"ultradir=C:\\ULTRASND"}, {63, L"[speaker]"},
        {69, L"[bios]"},   {70, L""},            {71, L""},               {72, L"[dos]"},
        {76, L"[modem]"},  {81, L"[directserial]"}, {90, L"[ipx]"},       {93, L"[autoexec]"},
    };
    for (const auto& [number, text] : expected)
        EXPECT_EQ(lines[number - 1], text) << "line " << number;
}

TEST(CleanupScript, CountsOfEachKindOfLine)
{
    const auto lines = CrLfLines(CleanupScript());
    auto count = [&lines](auto predicate) { return std::count_if(lines.begin(), lines.end(), predicate); };
    EXPECT_EQ(count([](const std::wstring& l) { return l.rfind(L"cd ", 0) == 0; }), 41);
    EXPECT_EQ(count([](const std::wstring& l) { return l == L"del *.*"; }), 41);
    EXPECT_EQ(count([](const std::wstring& l) { return l == L"cd.."; }), 41);
    EXPECT_EQ(count([](const std::wstring& l) { return l.rfind(L"del ", 0) == 0 && l != L"del *.*"; }), 3);
    EXPECT_EQ(count([](const std::wstring& l) { return l.empty(); }), 7);
    for (const wchar_t* language : {L"cd al", L"cd fr", L"cd usa"})
        EXPECT_EQ(count([language](const std::wstring& l) { return l == language; }), 1) << language;
}

TEST(CleanupScript, WorldBlocksDifferOnlyInTheirFirstLine)
{
    const auto lines = CrLfLines(CleanupScript());
    ASSERT_EQ(lines.size(), 134u);
    const wchar_t* worlds[] = {L"brix", L"glom", L"spire", L"dwomar", L"haskovar", L"plune"};
    const std::vector<std::wstring> firstBlock(lines.begin() + 4, lines.begin() + 23);
    for (int block = 0; block < 6; ++block) {
        std::vector<std::wstring> body(lines.begin() + 4 + 19 * block, lines.begin() + 23 + 19 * block);
        EXPECT_EQ(body.front(), std::wstring(L"cd ") + worlds[block]);
        EXPECT_TRUE(std::equal(body.begin() + 1, body.end(), firstBlock.begin() + 1)) << block;
    }
}

}  // namespace
}  // namespace zolvan
