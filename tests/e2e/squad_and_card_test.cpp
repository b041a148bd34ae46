// tests/e2e/squad_and_card_test.cpp: the squad screen and the player card in the real program:
// a shirt swap, a captain, a card opened from the squad, a transfer listing and the career
// history; then the first match day, whose team sheet follows the swap.
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

constexpr int32_t ROWS_TOP = 107;
constexpr int32_t ROW_PITCH = 20;
constexpr int32_t SHEET_TOP = 105;
constexpr int32_t SHEET_PITCH = 18;

const char* const kMatchDayFromOffice =
    "click 482 455\nwait 20\nmotion 0 -44\nwait 20\ntap\nwait 100\n";
const char* const kTurnDownTheAsk = "until option == 10 max 20000\nwait 300\nclick 469 405\n";
const char* const kBackAtTheOffice = "until prevoption == 3 max 20000\nwait 100\n";

// The week up to the match day, with the days the clubs' requests come on.
std::string ListedPlayersWeek()
{
    std::string week = kBackAtTheOffice;
    week += kMatchDayFromOffice;
    for (int32_t ask = 0; ask < 4; ++ask) {
        week += kTurnDownTheAsk;
        week += kBackAtTheOffice;
        week += kMatchDayFromOffice;
    }
    return week;
}

// The squad script, without its swap for run B, then the way to the first match day's panels.
std::string Script(bool swap)
{
    std::string squad = SharedScript("squad_swap.txt");
    if (!swap) {
        const size_t from = squad.find("# swap\n");
        const size_t to = squad.find("# swap end\n");
        squad.erase(from, to - from);
    }
    std::string toMatch = SharedScript("to_match_day.txt");
    const std::string stop = "until daypanel == 0 max 20000\n";
    toMatch.erase(toMatch.find(stop) + stop.size());
    // With a player on the list the clubs' requests fall on other days: none before the week's
    // closing day, then one each day on the next four, each turned down before "Jour de Match"
    // goes on to the match day.
    const std::string asks = "# Clubs with money to spend";
    const std::string matchDay = "until prevoption == 3 max 20000\nwait 100\nexpect humanplays";
    const size_t from = toMatch.find(asks);
    toMatch.replace(from, toMatch.find(matchDay) - from, ListedPlayersWeek());
    if (swap) {
        squad.replace(squad.find("click 60 377\n"), 0, "expect squadsel >= 0\n");
        squad.replace(squad.find("move", squad.find("click 60 377\n")), 0,
                      "expect squadsel == -1\n");
    }
    const std::string opened = "until option == 4 max 3000\n";
    squad.replace(squad.find(opened) + opened.size(), 0, "expect cardplayer >= 0\n");
    return ScriptToTitle() + IncludeScript("new_career.txt") + squad + toMatch
           + "wait 20\nmove 630 300\nwait 20\ngrab panel0.png\n";
}

int32_t RowChange(const PngImage& a, const PngImage& b, int32_t half, int32_t row)
{
    return ChangedPixels(a, b, half == 0 ? 40 : 328, ROWS_TOP + row * ROW_PITCH, 260, ROW_PITCH);
}

}  // namespace

TEST(SquadAndCard, SwapsRolesTheCardAndTheHistoryAndTheMatchTakesTheSheet)
{
    // Both runs end on the match day's first panel, where the script stops the program.
    const ScriptRun a = RunScript(Script(true));
    ASSERT_EQ(a.err.find("fails"), std::string::npos) << a.err;
    ASSERT_EQ(a.frames.count("panel0.png"), 1u) << a.out << a.err;
    const ScriptRun b = RunScript(Script(false));
    ASSERT_EQ(b.err.find("fails"), std::string::npos) << b.err;
    ASSERT_EQ(b.frames.count("panel0.png"), 1u) << b.out << b.err;

    const PngImage& squad = a.frames.at("squad1.png");
    EXPECT_GT(TextPixels(squad, 40, 24, 300, 24), 50);  // the club's name
    // A new career's squad has 24 players: places 0-15 on the left, 16-23 on the right.
    for (int32_t row = 0; row < 16; ++row) {
        EXPECT_GT(TextPixels(squad, 156, ROWS_TOP + row * ROW_PITCH, 88, ROW_PITCH), 10) << row;
        const int32_t right = TextPixels(squad, 444, ROWS_TOP + row * ROW_PITCH, 88, ROW_PITCH);
        EXPECT_EQ(right > 10, row < 8) << row;
    }
    EXPECT_GT(TextPixels(squad, 200, 70, 110, 28), 20);  // the value header
    for (const int32_t x : {32, 166, 300, 434}) {
        EXPECT_GT(TextPixels(squad, x, 440, 132, 30), 20) << x;
    }

    // The swap changes the rows of shirts 5 and 14, and no other.
    const PngImage& swapped = a.frames.at("squad2.png");
    for (int32_t half = 0; half < 2; ++half) {
        for (int32_t row = 0; row < 16; ++row) {
            const bool swappedRow = half == 0 && (row == 4 || row == 13);
            EXPECT_EQ(RowChange(squad, swapped, half, row) > 0, swappedRow) << half << " " << row;
        }
    }
    // The new captain's icon in left row 2.
    EXPECT_GT(RowChange(swapped, a.frames.at("squad3.png"), 0, 2), 20);

    const PngImage& card = a.frames.at("card.png");
    EXPECT_GT(TextPixels(card, 32, 70, 576, 35), 50);  // the player line
    for (int32_t row = 0; row < 9; ++row) {
        for (const int32_t x : {42, 176, 216, 350}) {
            EXPECT_GT(TextPixels(card, x, 125 + 20 * row, 30, 16), 0) << row << " " << x;
        }
    }
    for (const int32_t y : {325, 345, 365, 385, 405}) {
        EXPECT_GT(TextPixels(card, 42, y, 300, 16), 20) << y;
    }
    // Listed: "TR" in his row (left row 6).
    EXPECT_GT(RowChange(a.frames.at("squad3.png"), a.frames.at("squad4.png"), 0, 6), 10);
    const PngImage& career = a.frames.at("career.png");
    EXPECT_GT(TextPixels(career, 380, 24, 200, 24), 50);  // "Historique du Joueur"
    for (const int32_t x : {80, 200, 340, 400, 460}) {
        EXPECT_GT(TextPixels(career, x, 72, 50, 16), 10) << x;
    }

    // The match took the sheet the screen made: in one column only the shirt-5 row differs.
    const PngImage& sheetA = a.frames.at("panel0.png");
    const PngImage& sheetB = b.frames.at("panel0.png");
    bool humanColumnFound = false;
    for (const int32_t x : {20, 370}) {
        const auto rowDiffers = [&](int32_t row) {
            return ChangedPixels(sheetA, sheetB, x, SHEET_TOP + SHEET_PITCH * row, 250, SHEET_PITCH)
                   > 0;
        };
        bool othersSame = true;
        for (int32_t row = 0; row < 11; ++row) {
            if (row != 4) othersSame = othersSame && !rowDiffers(row);
        }
        humanColumnFound = humanColumnFound || (rowDiffers(4) && othersSame);
    }
    EXPECT_TRUE(humanColumnFound);
}
