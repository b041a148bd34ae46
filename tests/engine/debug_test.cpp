#include "engine/debug.h"

#include <gtest/gtest.h>

#include "tests/support/support.h"

namespace {

std::string ParseCapturingOutput(const char* list)
{
    testing::internal::CaptureStdout();
    ParseDebugChannels(list);
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(Debug, ChannelListSetsNamedLevelsIgnoringCase)
{
    ScopedCore core;
    EXPECT_EQ(ParseCapturingOutput("general=3,MEMORY=5"), "");
    EXPECT_EQ(DebugLevel(DBG_GENERAL), 3);
    EXPECT_EQ(DebugLevel(DBG_MEMORY), 5);
    EXPECT_EQ(DebugLevel(DBG_POLL), 0);
}

TEST(Debug, AllSetsEveryChannel)
{
    ScopedCore core;
    ParseCapturingOutput("ALL=2");
    for (int32_t channel = 0; channel < DBG_CHANNEL_COUNT; ++channel) {
        EXPECT_EQ(DebugLevel(channel), 2) << DebugChannelName(channel);
    }
}

TEST(Debug, BadPairsWarnAndTheRestStillApplies)
{
    ScopedCore core;
    EXPECT_EQ(ParseCapturingOutput("nosuch=4,poll=1,general=,win=x"),
              "Warning: ParseDebugChannels(): bad channel 'nosuch=4'\n"
              "Warning: ParseDebugChannels(): bad channel 'general='\n"
              "Warning: ParseDebugChannels(): bad channel 'win=x'\n");
    EXPECT_EQ(DebugLevel(DBG_POLL), 1);
    EXPECT_EQ(DebugLevel(DBG_GENERAL), 0);
    EXPECT_EQ(DebugLevel(DBG_WIN), 0);
}

TEST(Debug, MessagePrintsOnlyAtOrBelowTheChannelLevel)
{
    ScopedCore core;
    DebugSetLevel(DBG_SOUND, 2);
    testing::internal::CaptureStdout();
    DebugPrintf(DBG_SOUND, 2, "shown %d\n", 2);
    DebugPrintf(DBG_SOUND, 3, "hidden\n");
    DebugPrintf(DBG_GENERAL, 1, "hidden\n");
    DebugPrintf(99, 0, "out of range channels print nothing\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "shown 2\n");
}
