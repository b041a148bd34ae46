// tests/menus/news_test.cpp: the news box's ring and pacing, the templates' codes, and which
// transfers the divisional filter lets through.
#include "menus/news.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/blockfile.h"
#include "engine/timer.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/ids.h"
#include "game/textmess.h"
#include "menus/menucont.h"
#include "menus/menupc.h"
#include "menus/numbers.h"
#include "tests/support/game_world.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"

namespace {

class NewsTest : public testing::Test {
protected:
    NewsTest() { NewsInit(); }
    ~NewsTest() override
    {
        NewsUninit();
        MessageFilter = 0;
    }

    static std::string Shown(int32_t line) { return NewsBox.lines[(NewsBox.first + line) % 5]; }

    ScopedWorld m_world;
    ScopedMenuDisplay m_display;
};

TEST_F(NewsTest, FiveLinesWithinASecondMakeTheFifthWaitAndTheNextOnesNot)
{
    TickCount = 1000;
    for (int32_t i = 0; i < 4; ++i) {
        TickCount = 1000;
        MessageBox_AddLine("ligne");
        EXPECT_LT(TickCount - 1000, NEWS_PAUSE_TICKS) << i;
    }
    TickCount = 1000;
    MessageBox_AddLine("cinq");
    EXPECT_GE(TickCount - 1000, NEWS_PAUSE_TICKS);
    for (const char* text : {"six", "sept"}) {
        const uint32_t before = TickCount;
        MessageBox_AddLine(text);
        EXPECT_LT(TickCount - before, NEWS_PAUSE_TICKS) << text;
    }
}

TEST_F(NewsTest, TheBoxShowsTheLastFiveLinesOldestFirst)
{
    TickCount = 1000;
    for (const char* text : {"1", "2", "3"}) {
        MessageBox_AddLine(text);
    }
    EXPECT_EQ(Shown(0), "1");
    EXPECT_EQ(Shown(2), "3");
    EXPECT_EQ(Shown(3), "");
    for (const char* text : {"4", "5", "6"}) {
        MessageBox_AddLine(text);
    }
    for (int32_t i = 0; i < NEWS_LINES; ++i) {
        EXPECT_EQ(Shown(i), std::to_string(i + 2));
    }
    EXPECT_EQ(News_LinesAdded(), 6);
    std::string longLine;
    for (int32_t i = 0; i < 50; ++i) {
        longLine += "mot ";
    }
    MessageBox_AddLine(longLine.c_str());
    EXPECT_EQ(Shown(4).size(), NEWS_LINE_BYTES - 1u);
}

TEST_F(NewsTest, ACodeIsReplacedAtItsFirstOccurrenceOnly)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"$0p a rejoint $0t", "$0p a rejoint Lyon"},
        {"$0t et $0t", "Lyon et $0t"},
        {"sans code", "sans code"},
    };
    for (const auto& c : cases) {
        char text[NEWS_MESSAGE_BYTES];
        std::snprintf(text, sizeof text, "%s", c.text);
        News_ReplaceCode(text, "$0t", "Lyon");
        EXPECT_STREQ(text, c.expected);
    }
    char text[NEWS_MESSAGE_BYTES];
    std::snprintf(text, sizeof text, "$0m %s", std::string(290, 'a').c_str());
    News_ReplaceCode(text, "$0m", "1234567890123");
    EXPECT_EQ(std::string(text).size(), NEWS_MESSAGE_BYTES - 1u);
}

// A message table whose text 1 is `length` characters long, every other text absent.
std::vector<uint8_t> MessagesWithText1Of(size_t length)
{
    std::vector<std::string> texts(TEXT_INTERFACE_COUNT);
    std::vector<bool> present(TEXT_INTERFACE_COUNT, false);
    texts[1] = std::string(length, 'a');
    present[1] = true;
    const uint32_t languages = 1;
    const std::vector<uint8_t> table = MkTextTableBlock(texts, present);
    const std::vector<uint8_t> dev = MkTextTableBlock({}, {});
    std::vector<uint8_t> groups(2 + 2 * TEXTMESS_GROUP_COUNT, 0);
    groups[0] = TEXTMESS_GROUP_COUNT & 0xFF;
    groups[1] = TEXTMESS_GROUP_COUNT >> 8;
    const BlockFileBlock blocks[] = {
        {"LANG", &languages, 4},
        {"TXT0", table.data(), static_cast<uint32_t>(table.size())},
        {"DEVT", dev.data(), static_cast<uint32_t>(dev.size())},
        {"GRPS", groups.data(), static_cast<uint32_t>(groups.size())},
    };
    return BlockFileImage(TEXTMESS_FILE_TYPE, TEXTMESS_FILE_VERSION, blocks, 4);
}

using NewsDeathTest = NewsTest;

TEST_F(NewsDeathTest, ATemplateOf299CharactersIsFatalAndOneOf298IsCopied)
{
    static const std::vector<uint8_t> fits = MessagesWithText1Of(NEWS_MESSAGE_BYTES - 2);
    ASSERT_TRUE(TextMess_LoadImage(fits.data(), fits.size()));
    char line[NEWS_MESSAGE_BYTES];
    MessageBox_CopyLine(line, 1);
    EXPECT_EQ(std::string(line).size(), NEWS_MESSAGE_BYTES - 2u);

    static const std::vector<uint8_t> tooLong = MessagesWithText1Of(NEWS_MESSAGE_BYTES - 1);
    EXPECT_FATAL(
        {
            TextMess_LoadImage(tooLong.data(), tooLong.size());
            MessageBox_CopyLine(line, 1);
        },
        "J_MN20: Text line 1 is too long for message buffer");
}

// Two clubs of the world outside the selected country, and a transfer between them.
TEST_F(NewsTest, TheDivisionalFilterDropsTransfersAbroadAndFeesShowAsNumbers)
{
    NewGameForTest(0, 3);
    GameState.humanClub = 0;
    int32_t abroad[2] = {-1, -1};
    for (int32_t club = 0, n = 0; club < CLUB_ID_COUNT && n < 2; ++club) {
        if (VTW_GetClubCountry(club) != VTW_GetCountry()) abroad[n++] = club;
    }
    ASSERT_GE(abroad[1], 0);
    const int32_t player = 100;
    News_PlayerMoved(player, abroad[0], abroad[1], 2500000, 0);
    EXPECT_EQ(News_LinesAdded(), 0);
    MessageFilter = 1;
    SetDrawAttribute(3, 0);  // the screen beneath draws plain numbers
    News_PlayerMoved(player, abroad[0], abroad[1], 2500000, 0);
    ASSERT_EQ(News_LinesAdded(), 1);
    const std::string fee = Price2str(2500000);
    EXPECT_NE(Shown(0).find(fee), std::string::npos) << Shown(0);
    EXPECT_NE(Shown(0).find(VTW_FormatPersonName(player)), std::string::npos) << Shown(0);
}

}  // namespace
