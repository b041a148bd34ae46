// tests/gamecode/commentary_test.cpp: the commentary line's draw and the expansion of its codes.
#include "gamecode/comments/commentary.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

// Side 0 is "Nord", side 1 "Sud"; person 3 is "A. Martin".
class Commentary : public testing::Test {
protected:
    void SetUp() override
    {
        MatchDayBuilder{}.Write();
        std::strcpy(GetMatchSidesBlock()->sides[0].teamName, "Nord");
        std::strcpy(GetMatchSidesBlock()->sides[1].teamName, "Sud");
        std::strcpy(MatchPersons[3].name, "A. Martin");
    }
    static std::string Say(const char* text, int32_t side, int32_t player, int32_t number)
    {
        Comm_Say(1, side, player, -1, number);
        return Comm_Expand(text);
    }
    ScopedMatch match;
};

}  // namespace

TEST_F(Commentary, SayDrawsExactlyOneValueWithoutTheTable)
{
    SRand(7);
    const uint32_t before = RandDrawCount();
    Comm_Say(102, 0, 3, -1, 0);
    EXPECT_EQ(RandDrawCount() - before, 1u);
    EXPECT_STREQ(CommentaryLine, "");
}

TEST_F(Commentary, CodesExpandToNamesNumbersAndDollars)
{
    EXPECT_EQ(Say("$$ $0p", 0, 3, 0), "$ A. Martin");
    EXPECT_EQ(Say("$0t contre $1t", 1, 3, 0), "Sud contre Nord");
    EXPECT_EQ(Say("$0n et $7n", 0, 3, -12), "-12 et -12");
    EXPECT_EQ(Say("$0n", 0, 3, 0), "0");
    EXPECT_EQ(Say("a$0 b", 0, 3, 0), "ab");
}

TEST_F(Commentary, MissingPersonsAndCutCodesWriteNothing)
{
    EXPECT_EQ(Say("[$0p]", 0, -1, 0), "[]");
    EXPECT_EQ(Say("[$2p$2t]", 0, 3, 0), "[]");
    EXPECT_EQ(Say("fin $0", 0, 3, 0), "fin ");
}

TEST_F(Commentary, LongExpansionStopsAt199Characters)
{
    const std::string text(150, 'x');
    EXPECT_EQ(Say((text + "$0p$0p$0p$0p$0p$0p").c_str(), 0, 3, 0).size(), 199u);
    EXPECT_EQ(CommentaryLine[199], '\0');
}

TEST_F(Commentary, SecondCallLeavesItsOwnLine)
{
    Say("un", 0, 3, 0);
    EXPECT_EQ(Say("deux", 0, 3, 0), "deux");
}

TEST(CommentaryDeathTest, DollarBeforeALetterAborts)
{
    EXPECT_FATAL(Comm_Expand("$p"),
                 "Abort error: invalid index in message string\n(File: gamecode\\comments  Line: "
                 "115)\n");
}
