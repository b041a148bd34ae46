// tests/menus/statservices_test.cpp: the caption splitter over the texts the screens meet, and
// the row selector inside and outside the post-match sequence.
#include "menus/statservices.h"

#include <cctype>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* name;
    const char* text;
    std::vector<std::string> lines;  // the lines written, in order
};

const SplitCase kSplitCases[] = {
    {"fits", "Buts marques", {"Buts marques"}},
    {"exactly the width", "ABCDEFGHIJKLM", {"ABCDEFGHIJKLM"}},
    {"at a space", "Affluence moyenne", {"Affluence", "moyenne"}},
    {"the last space within the width", "Tirs au but du match", {"Tirs au but", "du match"}},
    {"a hyphen begins the next line", "Porte-drapeaux", {"Porte", "-drapeaux"}},
    {"its only space just past the width", "ABCDEFGHIJKLM ", {"ABCDEFGHIJKLM"}},
    {"a word longer than the width", "Anticonstitutionnel", {"Anticonstitut", "ionnel"}},
    {"a long word after a hyphen", "Porte-drapeauxdelequipe", {"Porte", "-drapeauxdele", "quipe"}},
    {"five lines worth",
     "Un deux trois quatre cinq six sept huit neuf dix onze douze",
     {"Un deux trois", "quatre cinq", "six sept huit"}},
    {"an empty text", "", {""}},
};

class StatsTextSplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(StatsTextSplitTest, WritesTheLinesAndTheirLastIndex)
{
    const SplitCase& c = GetParam();
    StatsTextLines out;
    std::memset(out, 'x', sizeof out);
    int16_t index = -1;
    ASSERT_EQ(StatsText_Split(c.text, STATS_CAPTION_WIDTH, out, &index), &out);
    ASSERT_EQ(index, static_cast<int16_t>(c.lines.size() - 1));
    for (int32_t line = 0; line < STATS_TEXT_LINES; ++line) {
        const std::string expected = line < index + 1 ? c.lines[line] : "";
        EXPECT_EQ(out[line], expected) << "line " << line;
        EXPECT_LE(std::string(out[line]).size(), STATS_CAPTION_WIDTH);
    }
    const int32_t count = c.text[0] == '\0' ? 0 : index + 1;
    EXPECT_EQ(SplitTextLines(c.text, STATS_CAPTION_WIDTH, out), count);
}

INSTANTIATE_TEST_SUITE_P(Captions, StatsTextSplitTest, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != '\0'; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(StatsTextSplit, NullTextLeavesTheIndexAlone)
{
    StatsTextLines out;
    int16_t index = 7;
    EXPECT_EQ(StatsText_Split(nullptr, STATS_CAPTION_WIDTH, out, &index), nullptr);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(SplitTextLines(nullptr, STATS_CAPTION_WIDTH, out), 0);
}

TEST(StatsTextSplit, AWidthPastTheLineKeepsRoomForItsEnd)
{
    const std::string text(150, 'a');
    StatsTextLines out;
    EXPECT_EQ(SplitTextLines(text.c_str(), 500, out), 2);
    EXPECT_EQ(std::string(out[0]).size(), STATS_TEXT_LINE_BYTES - 1u);
    EXPECT_EQ(std::string(out[1]).size(), 150u - (STATS_TEXT_LINE_BYTES - 1));
}

// Each side and slot of the data block and of the kept copy carry their own mark, so a selector
// that mixed sides, slots or sources answers a wrong mark.
TEST(StatsRowSelect, ReadsTheDataBlockInsideTheSequenceAndTheKeptCopyOutside)
{
    MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
        for (int32_t slot = 0; slot < MATCH_SHIRT_COUNT; ++slot) {
            data.sides[side].players[slot].words[0] = static_cast<int16_t>(100 + side * 16 + slot);
            LastMatchCopy.stats[side].players[slot].words[0] =
                static_cast<int16_t>(200 + side * 16 + slot);
        }
    }
    const uint8_t savedFlags = MatchReportFlags;
    for (const auto& [flags, base] : {std::pair{MATCH_REPORT_IN_SEQUENCE | MATCH_REPORT_DONE, 100},
                                      std::pair{int{MATCH_REPORT_SIDE_CHOSEN}, 200}}) {
        MatchReportFlags = static_cast<uint8_t>(flags);
        for (int32_t side = 0; side < MATCH_SIDE_COUNT; ++side) {
            for (int32_t slot = 0; slot < MATCH_SHIRT_COUNT; ++slot) {
                const PlayerMatchRecord* row = MatchGraphs_GetPlayerRow(side, slot);
                ASSERT_NE(row, nullptr);
                const int32_t mark = row->words[0];  // a copy: the record is packed
                EXPECT_EQ(mark, base + side * 16 + slot);
                EXPECT_EQ(StatsRowCurrent, row);
            }
        }
    }
    for (const auto& [side, slot] :
         {std::pair{-1, 0}, std::pair{2, 0}, std::pair{0, -1}, std::pair{1, MATCH_SHIRT_COUNT}})
        EXPECT_EQ(StatsRow_Select(side, slot), nullptr) << side << " " << slot;
    MatchReportFlags = savedFlags;
}

}  // namespace

TEST(StatsChartRules, MinutesFallInTheirPeriodAndScalesStepAboveTheLargest)
{
    const std::pair<int32_t, int32_t> minutes[] = {{0, 0},  {15, 0}, {16, 1}, {30, 1},
                                                   {31, 2}, {45, 2}, {46, 3}, {75, 4},
                                                   {76, 5}, {90, 5}, {91, 6}, {120, 6}};
    for (const auto& [minute, bucket] : minutes)
        EXPECT_EQ(StatsMinuteBucket(minute), bucket) << minute;
    struct ScaleCase {
        int32_t largest, first, step, scale;
    };
    const ScaleCase scales[] = {{0, 10, 10, 10},  {9, 10, 10, 10},  {10, 10, 10, 20},
                                {11, 10, 10, 20}, {20, 10, 10, 30}, {4, 5, 5, 5},
                                {5, 5, 5, 10},    {3, 4, 4, 4},     {4, 4, 4, 8},
                                {1, 2, 2, 2},     {2, 2, 2, 4}};
    for (const ScaleCase& c : scales)
        EXPECT_EQ(StatsScale_Above(c.largest, c.first, c.step), c.scale)
            << c.largest << " " << c.first;
    const std::tuple<int32_t, int32_t, int32_t> averages[] = {
        {2, 3, 67}, {1, 3, 33}, {0, 4, 0}, {3, 0, 300}, {7, 2, 350}};
    for (const auto& [total, matches, hundredths] : averages)
        EXPECT_EQ(StatsAverageHundredths(total, matches), hundredths) << total << "/" << matches;
}
