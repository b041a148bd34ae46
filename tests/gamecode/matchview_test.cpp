// tests/gamecode/matchview_test.cpp: what the view dispatch asks of the keyboard and the sound
// channels.
#include "gamecode/matchview.h"

#include <string>
#include <vector>

#include "engine/keyboard.h"
#include "engine/sounddrv.h"
#include "game/matchblocks.h"
#include "gamecode/presentation.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/support.h"

namespace {

std::vector<std::string>* g_calls = nullptr;

constexpr MatchViewOps kRecorded2D = {
    [] { g_calls->push_back("View2D_Init"); },
    [] { g_calls->push_back("View2D_Destroy"); },
    nullptr,
    nullptr,
    nullptr,
};

TEST(MatchView, TheTwoDViewDrivesEightSoundChannelsAndTheMatchSounds)
{
    ScopedMatchOnHost match;
    g_calls = &match.Record().calls;
    MatchDayBuilder builder;
    builder.viewMode = VIEW_2D;
    builder.Write();
    MatchView_Register(VIEWKIND_2D, &kRecorded2D);
    MatchView_Init();
    EXPECT_EQ(SndChannelIsIdle(7), 1);  // a channel past the eight would be fatal
    MatchView_Destroy();
    EXPECT_EQ(match.Record().calls,
              (std::vector<std::string>{"MatchSfx_Init", "View2D_Init", "MatchSfx_Shutdown",
                                        "View2D_Destroy"}));
    SndSetActiveChannels(1);  // fatal were the view's eight still active
    SndClearActiveChannels();
    g_calls = nullptr;
}

TEST(MatchView, InitEndsWithTheKeyBufferCleared)
{
    ScopedMatchOnHost match;
    MatchDayBuilder builder;
    builder.Write();
    ScopedMatchOnHost::HoldKey(57);
    ASSERT_EQ(KeyIsDown(57), 1);
    MatchView_Init();
    EXPECT_EQ(KeyIsDown(57), 0);
    EXPECT_EQ(KeyGetLast(), -1);
    MatchView_Destroy();
}

constexpr MatchViewOps kRecordedText = {
    [] { g_calls->push_back("Text_Init"); },
    [] { g_calls->push_back("Text_Destroy"); },
    nullptr,
    nullptr,
    nullptr,
};

TEST(MatchView, AModeWithoutItsOwnViewShowsNoViewAndKeepsTheChoice)
{
    ScopedMatchOnHost match;
    g_calls = &match.Record().calls;
    MatchDayBuilder builder;
    builder.Write();
    MatchView_Register(VIEWKIND_TEXT, &kRecordedText);
    MatchView_Register(VIEWKIND_2D, nullptr);
    for (const uint16_t mode : {VIEW_2D, VIEW_3D}) {
        GetMatchSidesBlock()->viewMode = mode;
        MatchView_Init();
        MatchView_Destroy();
    }
    // Neither mode borrows the text view: unregistered, each is "no view", with no match sounds
    // either; the block keeps the choice.
    EXPECT_TRUE(match.Record().calls.empty());
    EXPECT_EQ(GetMatchSidesBlock()->viewMode, VIEW_3D);
    MatchView_Register(VIEWKIND_TEXT, nullptr);
    g_calls = nullptr;
}

}  // namespace
