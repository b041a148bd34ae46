// tests/support/watched_match.cpp: the score and sound checks of a watched match's run.
#include "tests/support/watched_match.h"

#include <algorithm>
#include <cstdint>

#include <gtest/gtest.h>

#include "tests/support/front_end_script.h"
#include "tests/support/wave_probe.h"

void ExpectPrintedScoreIsTheFixtures(const ScriptRun& run)
{
    const int32_t score0 = ScriptFirstPrintedValue(run.out, "score0");
    const int32_t score1 = ScriptFirstPrintedValue(run.out, "score1");
    ASSERT_GE(score0, 0) << run.out;
    ASSERT_GE(score1, 0) << run.out;
    EXPECT_EQ(ScriptFirstPrintedValue(run.out, "lastscore"), score0 * 100 + score1) << run.out;
}

void ExpectWatchedMatchScoredAndHeard(const ScriptRun& run, const std::string& kickOffWave,
                                      const std::string& matchWave, bool crowdReacts)
{
    ExpectPrintedScoreIsTheFixtures(run);
    EXPECT_GT(ScriptFirstPrintedValue(run.out, "sfxplayed"), 0) << run.out;
    EXPECT_EQ(ScriptFirstPrintedValue(run.out, "crowdplayed") > 0, crowdReacts) << run.out;

    // Forty seconds of the first half: the crowd loops never fall silent on either side (each
    // channel heard on its own, so one side gone quiet cannot hide behind the other), and the
    // effects sound well above them (a loop at the crowd volume's level peaks near 1,600 at most).
    int32_t peak = 0;
    for (const WaveChannel channel : {WaveChannel::Left, WaveChannel::Right}) {
        const MatchLoudness heard =
            LoudnessAfterKickOff(run.waves.at(kickOffWave), run.waves.at(matchWave), 40, channel);
        const char* const side = channel == WaveChannel::Left ? "left" : "right";
        ASSERT_EQ(heard.seconds, 40U) << side;
        EXPECT_GT(heard.quietestSecond, 50.0) << side;
        peak = std::max(peak, heard.peak);
    }
    EXPECT_GT(peak, 5000);
}
