// The motion clips: the loader's refusals, the ball's placement, and properties of every frame of
// every generated clip posed on the skeleton (feet on the ground, loops that join, a held ball at
// the foot or hands whatever the facing, mirrors that are exact).
#include "viewservices/motioncap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "gamecode/actionids.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"
#include "tools/mkdata/motions.h"
#include "tools/mkdata/skeleton.h"
#include "vx256/polyman.h"

namespace {

// The generated archives, with a test's own files found first; the clips freed at the end.
class ScopedClips : public ScopedArchives {
public:
    using ScopedArchives::ScopedArchives;
    ~ScopedClips() { FreeMotionCaptures(); }
};

// A clip file: the stored data size, the frame count, then `frames` frames whose ball point is
// `ball`.
TestPakFile ClipFile(int32_t clip, uint32_t dataSize, uint32_t count, int32_t frames,
                     const Vec3& ball = {})
{
    char name[64];
    MotionCap_FileName(clip, name);
    std::vector<uint8_t> bytes(8 + static_cast<size_t>(frames) * MOTION_FRAME_BYTES);
    std::memcpy(&bytes[0], &dataSize, 4);
    std::memcpy(&bytes[4], &count, 4);
    for (int32_t f = 0; f < frames; ++f) {
        MotionFrame frame{};
        frame.root[2] = 17;
        frame.ball[0] = ball.x + static_cast<float>(f);  // tells the frames apart
        frame.ball[1] = ball.y;
        frame.ball[2] = ball.z;
        std::memcpy(&bytes[8 + static_cast<size_t>(f) * MOTION_FRAME_BYTES], &frame, sizeof(frame));
    }
    return {name, bytes};
}

TEST(MotionCapDeathTest, DamagedClipsAreRefusedWithTheirSizes)
{
    const uint32_t kSixty = 60 * MOTION_FRAME_BYTES;
    struct Case {
        TestPakFile file;
        const char* text;
    };
    const Case cases[] = {
        {ClipFile(0, kSixty + 1, 60, 60), "Error: Motion capture file wrong size\n"},
        {ClipFile(5, kSixty - 1, 60, 60), "Error: Motion capture file wrong size\n"},
        {{ClipFile(7, 0, 0, 0).name, {1, 0, 0}}, "Error: Motion capture file wrong size\n"},
        {ClipFile(158, 1800, 21, 20),
         "Error: for 21 frames, data size should be 1890, but was 1800\n"},
        {ClipFile(0, 1800, 20, 20),
         "LoadMotionCaptures(): clip TZM001 has 20 frames, the match times it with 60"},
        {ClipFile(158, 0, 0, 0),
         "LoadMotionCaptures(): clip AX002 has 0 frames, the match times it with 60"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.name);
        EXPECT_FATAL(
            {
                ScopedClips clips({c.file});
                LoadMotionCaptures();
            },
            c.text);
    }
}

TEST(MotionCap, PlacementTurnsTheBallPointAndKeepsToTheClip)
{
    const Vec3 ball = {1, 0, 3};
    ScopedClips clips({ClipFile(0, 60 * MOTION_FRAME_BYTES, 60, 60, ball)});
    const RenderObject holder = {100, 5, 200, 0, 0, 64, 0};
    RenderObject a = {0, 9, 0, 0, 0, 0, 0};

    // Without clips: at the holder's feet, height kept; counts from the match's own table.
    PlaceAtMotionOffset(&a, &holder);
    EXPECT_EQ(a.x, 100);
    EXPECT_EQ(a.y, 200);
    EXPECT_EQ(a.height, 9);
    EXPECT_EQ(MotionCap_Frame(0, 0), nullptr);
    EXPECT_EQ(GetMotionFrameCount(24), MotionFrameCounts[24]);

    const MemoryStatistics before = MemoryStats();
    LoadMotionCaptures();
    LoadMotionCaptures();  // loaded: nothing again
    ASSERT_TRUE(MotionCap_Loaded());
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip)
        EXPECT_EQ(GetMotionFrameCount(clip), MotionFrameCounts[clip]) << clip;
    EXPECT_STREQ(MotionClipNames[158], "AX002");

    // A quarter turn takes (1, 0) to (0, 1).
    PlaceAtMotionOffset(&a, &holder);
    EXPECT_NEAR(a.x, 100, 1e-4);
    EXPECT_NEAR(a.y, 201, 1e-4);
    EXPECT_EQ(a.height, 5 + 3);

    struct FrameCase {
        int16_t animation;
        int16_t frame;
        int16_t direction;
        float x;  // expected, the frame's ball x being 1 + its number
        float y;
    };
    const FrameCase frames[] = {
        {0, 0, 0, 101, 200},  {0, 7, 128, 92, 200},    {0, -1, 0, 101, 200},
        {0, 60, 0, 160, 200}, {0, 32000, 0, 160, 200}, {0, 59, 192, 100, 140},
        {-1, 0, 0, 100, 200}, {-2, 3, 0, 100, 200},    {159, 0, 0, 100, 200},
    };
    for (const FrameCase& f : frames) {
        const RenderObject b = {100, 5, 200, f.animation, f.frame, f.direction, 0};
        RenderObject placed = {0, 9, 0, 0, 0, 0, 0};
        PlaceAtMotionOffset(&placed, &b);
        EXPECT_NEAR(placed.x, f.x, 1e-3) << f.animation << " " << f.frame;
        EXPECT_NEAR(placed.y, f.y, 1e-3) << f.animation << " " << f.frame;
    }

    FreeMotionCaptures();
    FreeMotionCaptures();
    EXPECT_FALSE(MotionCap_Loaded());
    EXPECT_EQ(MemoryStats().blocks, before.blocks);
    EXPECT_EQ(MemoryStats().bytes, before.bytes);
}

// ---- Every generated clip against the body
// -------------------------------------------------------

using Body = Vec3[MK_BODY_POINTS];

// Poses the skeleton from a frame's angles as the model drawer does: a joint's origin turns with
// its parent's bone, each joint's bone by its own rotation; the sole corners ride foot and toes.
void Pose(const MotionFrame& frame, Body& out)
{
    RotationMatrix turn[MK_JOINT_COUNT] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    const float k = 2 * std::numbers::pi_v<float> / 256;
    for (int32_t j = 1; j < MK_JOINT_COUNT; ++j) {
        const uint8_t* abc = frame.angles[j - 1];
        BuildJointRotation(std::sin(abc[0] * k), std::cos(abc[0] * k), std::sin(abc[1] * k),
                           std::cos(abc[1] * k), std::sin(abc[2] * k), std::cos(abc[2] * k),
                           turn[j]);
    }
    const auto hang = [&](int32_t from, const Vec3& rest, const Vec3& base) {
        const Vec3& o = MK_SKELETON[from].rest;
        const Vec3 d = {rest.x - o.x, rest.y - o.y, rest.z - o.z};
        const RotationMatrix& r = turn[from];
        return Vec3{base.x + r[0][0] * d.x + r[0][1] * d.y + r[0][2] * d.z,
                    base.y + r[1][0] * d.x + r[1][1] * d.y + r[1][2] * d.z,
                    base.z + r[2][0] * d.x + r[2][1] * d.y + r[2][2] * d.z};
    };
    out[0] = {0, 0, frame.root[2]};
    for (int32_t j = 1; j < MK_JOINT_COUNT; ++j) {
        const int32_t parent = MK_SKELETON[j].parent;
        out[j] = hang(parent, MK_SKELETON[j].rest, out[parent]);
    }
    int32_t n = MK_JOINT_COUNT;
    for (const MkSolePoint& sole : MK_SOLE_POINTS)
        out[n++] = hang(sole.joint, sole.rest, out[sole.joint]);
}

float Distance(const Vec3& a, const Vec3& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

// The largest angle step between two frames, any joint, any axis, the short way round.
int32_t Step(const MotionFrame& a, const MotionFrame& b)
{
    int32_t largest = 0;
    for (int32_t j = 0; j < MOTION_POSED_JOINTS; ++j)
        for (int32_t k = 0; k < 3; ++k) {
            const int32_t d = std::abs(static_cast<int8_t>(a.angles[j][k] - b.angles[j][k]));
            largest = std::max(largest, d);
        }
    return largest;
}

// Where the ball lands, placed by the game at facing `d`, against where the body puts the point
// `limb` at the same facing (turned as a shown point is turned: t = d x pi / 128).
float BallToLimb(int32_t clip, int32_t f, int16_t d, const Vec3& limb)
{
    const RenderObject b = {500, 0, 300, static_cast<int16_t>(clip), static_cast<int16_t>(f), d, 0};
    RenderObject ball{};
    PlaceAtMotionOffset(&ball, &b);
    const float t = static_cast<float>(d) * std::numbers::pi_v<float> / 128;
    const Vec3 turned = {500 + limb.x * std::cos(t) - limb.y * std::sin(t),
                         300 + limb.x * std::sin(t) + limb.y * std::cos(t), limb.z};
    return Distance({ball.x, ball.y, ball.height}, turned);
}

bool StandsOrRuns(const std::string& name)
{
    for (const char* t : {"stand", "walk", "jog", "run", "sprint", "dribble", "backpedal",
                          "sidestep", "shuffle", "flagup", "flagforward", "flagdiagonal", "wave"})
        if (name == t) return true;
    return false;
}

TEST(MotionClips, EveryFrameStandsHoldsAndLoopsOnTheBody)
{
    ScopedClips clips;
    LoadMotionCaptures();
    const std::vector<MkMotionRow> rows = MkMotionRows();
    ASSERT_EQ(rows.size(), 159u);
    int32_t heldChecks = 0;
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        const MkMotionRow& row = rows[clip];
        SCOPED_TRACE(row.name + " " + row.templateName);
        const int32_t count = GetMotionFrameCount(clip);
        int32_t largestStep = 0;
        for (int32_t f = 0; f < count; ++f) {
            const MotionFrame& frame = *MotionCap_Frame(clip, f);
            Body body;
            Pose(frame, body);
            float lowestSole = 1e9f;
            float lowest = 1e9f;
            for (int32_t i = 0; i < MK_BODY_POINTS; ++i) {
                if (i >= MK_JOINT_COUNT) lowestSole = std::min(lowestSole, body[i].z);
                lowest = std::min(lowest, body[i].z - (i < MK_JOINT_COUNT ? 1.5f : 0.0f));
            }
            if (StandsOrRuns(row.templateName)) {
                EXPECT_NEAR(lowestSole, 0, 1) << f;
            }
            if (row.grounded) {
                EXPECT_GT(lowest, -0.5f) << f;  // nothing sinks into the ground
            }
            if (f > 0)
                largestStep = std::max(largestStep, Step(*MotionCap_Frame(clip, f - 1), frame));

            const bool keyFrame = f == row.keyFrame;
            Vec3 limb = {};
            float reach = 3;
            if (row.hold == MkBallHold::Hands) {
                limb = body[MK_JOINT_LEFT_HAND];
                reach = std::min(3.0f, Distance(limb, body[MK_JOINT_RIGHT_HAND]) / 2 + 0.5f);
                const Vec3& r = body[MK_JOINT_RIGHT_HAND];
                limb = {(limb.x + r.x) / 2, (limb.y + r.y) / 2, (limb.z + r.z) / 2};
            } else if (row.hold == MkBallHold::Foot && keyFrame) {
                limb = body[MK_JOINT_COUNT + (row.mirrorOf >= 0 ? 1 : 3)];  // the toe tip
            } else if (row.hold == MkBallHold::Head && keyFrame) {
                limb = body[MK_JOINT_HEAD];
                reach = 4;  // the top of the head, not the neck joint
            } else {
                continue;
            }
            limb.z = std::max(limb.z, 1.92f);  // a ball lies on the ground at the lowest
            for (int16_t d : {0, 64, 128, 192}) {
                EXPECT_LT(BallToLimb(clip, f, d, limb), reach) << f << " facing " << d;
                ++heldChecks;
            }
        }
        if (row.loopFrame >= 0) {
            EXPECT_LE(
                Step(*MotionCap_Frame(clip, count - 1), *MotionCap_Frame(clip, row.loopFrame)),
                std::max(largestStep, 1));
        }
    }
    EXPECT_GT(heldChecks, 2000);
}

TEST(MotionClips, EachMirrorIsItsBaseWithLeftAndRightSwapped)
{
    ScopedClips clips;
    LoadMotionCaptures();
    const std::vector<MkMotionRow> rows = MkMotionRows();
    const int32_t pairs[][2] = {{5, 9},   {6, 10},  {7, 11},  {8, 12},
                                {13, 17}, {14, 18}, {15, 19}, {16, 20}};
    int32_t mirrors = 0;
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        const int32_t base = rows[clip].mirrorOf;
        if (base < 0) continue;
        ++mirrors;
        EXPECT_EQ(std::string(MotionClipNames[clip]), std::string(MotionClipNames[base]) + "R");
        ASSERT_EQ(GetMotionFrameCount(clip), GetMotionFrameCount(base));
        for (int32_t f = 0; f < GetMotionFrameCount(clip); ++f) {
            MotionFrame expected = *MotionCap_Frame(base, f);
            for (const auto& pair : pairs)
                std::swap(expected.angles[pair[0] - 1], expected.angles[pair[1] - 1]);
            for (auto& abc : expected.angles) {
                abc[0] = static_cast<uint8_t>(256 - abc[0]);
                abc[2] = static_cast<uint8_t>(256 - abc[2]);
            }
            expected.ball[1] = -expected.ball[1];
            EXPECT_EQ(std::memcmp(&expected, MotionCap_Frame(clip, f), sizeof(expected)), 0)
                << MotionClipNames[clip] << " frame " << f;
        }
    }
    EXPECT_EQ(mirrors, 29);
}

// A foot's lowest sole corner in a posed body; left foot first.
Vec3 SoleOf(const Body& body, int32_t foot)
{
    const Vec3& heel = body[MK_JOINT_COUNT + 2 * foot];
    const Vec3& toe = body[MK_JOINT_COUNT + 2 * foot + 1];
    return heel.z <= toe.z ? heel : toe;
}

// Over each gait's loop, frame to frame: the foot lowest (on the ground) in both frames keeps its
// place on the ground while the body travels at the clip's speed (the man faces -x, so he moves by
// -v a frame, or +v running backwards; a side-step moves him by -v along y, toward his left, and
// its mirror by +v). Sliding feet moved as far again as the body. A side-step leads with the foot
// on the side it moves to, and the other closes in without ever crossing it.
TEST(MotionClips, GaitsPlantTheirFeetAtTheSpeedTheMatchMovesThem)
{
    ScopedClips clips;
    LoadMotionCaptures();
    const std::vector<MkMotionRow> rows = MkMotionRows();
    int32_t gaits = 0;
    for (int32_t clip = 0; clip < MOTION_CLIP_COUNT; ++clip) {
        const MkMotionRow& row = rows[clip];
        if (row.speed == 0) continue;
        ++gaits;
        SCOPED_TRACE(row.name + " " + row.templateName);
        const float v = MkGroundPerFrame(row.speed);
        const bool sideways = row.templateName == "shuffle";
        const float toLeft = row.mirrorOf >= 0 ? -1.0f : 1.0f;
        const Vec3 travel = sideways                          ? Vec3{0, -toLeft * v, 0}
                            : row.templateName == "backpedal" ? Vec3{v, 0, 0}
                                                              : Vec3{-v, 0, 0};
        const int32_t count = GetMotionFrameCount(clip);
        float sum = 0, worst = 0;
        int32_t planted = 0;
        for (int32_t f = row.loopFrame; f < count; ++f) {
            Body now, next;
            Pose(*MotionCap_Frame(clip, f), now);
            Pose(*MotionCap_Frame(clip, f + 1 == count ? row.loopFrame : f + 1), next);
            if (sideways) {  // the feet never cross: the left stays on his left
                EXPECT_GT(SoleOf(now, 1).y - SoleOf(now, 0).y, 2.0f) << f;
            }
            const float groundNow = std::min(SoleOf(now, 0).z, SoleOf(now, 1).z);
            const float groundNext = std::min(SoleOf(next, 0).z, SoleOf(next, 1).z);
            for (int32_t foot = 0; foot < 2; ++foot) {
                const Vec3 a = SoleOf(now, foot), b = SoleOf(next, foot);
                if (a.z > groundNow + 0.3f || b.z > groundNext + 0.3f) continue;  // in the air
                const float slide = std::hypot(b.x - a.x + travel.x, b.y - a.y + travel.y);
                sum += slide;
                worst = std::max(worst, slide);
                ++planted;
            }
        }
        EXPECT_GE(planted * 5, (count - row.loopFrame) * 4);  // a foot is down nearly always
        EXPECT_LT(sum / static_cast<float>(std::max(planted, 1)), 0.1f * v);
        EXPECT_LT(worst, 0.3f * v);
    }
    // Jog, run, sprint, dribble, walking, backing off, a throw-in's run-up, a side-step either way.
    EXPECT_EQ(gaits, 9);
}

// The clips' speeds are the match's: in seeded matches, people who move a whole tick in a gait
// clip cover its speed on the median tick within 15 % (men differ in pace, and runs start from a
// standstill).
TEST(MotionClips, GaitSpeedsAreTheSpeedsTheMatchMovesAt)
{
    const std::vector<MkMotionRow> rows = MkMotionRows();
    std::map<int32_t, std::vector<float>> moved;  // per tick, by clip
    for (const uint32_t seed : {5u, 46u}) {
        ScopedMatch match;
        MatchDayBuilder{}.Write();
        SetPitchConstants();
        SRand(seed);
        Match_SetupPeriod();
        int32_t x[MATCH_BALL] = {}, y[MATCH_BALL] = {}, animation[MATCH_BALL] = {};
        for (int32_t tick = 0; tick < 6000; ++tick) {
            RunTicks(1);
            for (int32_t p = 0; p < MATCH_BALL; ++p) {
                const MatchPerson& person = MatchPersons[p];
                if (tick > 0 && person.animation == animation[p] && person.animation >= 0
                    && rows[person.animation].speed > 0)
                    moved[person.animation].push_back(
                        std::hypot(static_cast<float>(person.x16 - x[p]),
                                   static_cast<float>(person.y16 - y[p]))
                        / 65536);
                x[p] = person.x16;
                y[p] = person.y16;
                animation[p] = person.animation;
            }
        }
    }
    EXPECT_GE(moved.size(), 4u);
    for (auto& [clip, speeds] : moved) {
        std::sort(speeds.begin(), speeds.end());
        const float median = speeds[speeds.size() / 2];
        const float v = MkGroundPerFrame(rows[clip].speed);
        EXPECT_GT(median, 0.85f * v) << rows[clip].name;
        EXPECT_LT(median, 1.15f * v) << rows[clip].name;
    }
}

// A man facing smaller y (drawn at 64) steps toward larger x on his left, toward smaller x on his
// right. The way he moves is read in the match's time: ticks, or replay frames whichever way the
// replay runs; a pause, a move along his facing, another clock or a jump decide nothing.
TEST(MotionCap, TheSideStepIsDrawnMirroredWhileHeMovesToHisRight)
{
    ScopedMatch match;
    FreeMotionCaptures();
    struct Pass {
        bool inReplay;
        int32_t time;
        float x, y;
        int16_t drawn;
    };
    const Pass passes[] = {
        {false, 0, 500, 500, 96},      // first seen: the clip as the match plays it
        {false, 1, 499, 500, 157},     // to his right
        {false, 1, 499, 500, 157},     // the same tick again
        {false, 2, 499, 498, 157},     // along his facing: the way he last moved across
        {false, 3, 500, 498, 96},      // to his left
        {true, 10, 480, 498, 96},      // a replay starts: another clock
        {true, 7, 483, 498, 157},      // rewound: he came from the larger x, to his right
        {true, 8, 482, 498, 157},      // played on
        {true, 20, 470, 498, 157},     // a jump
        {true, 21, 471, 498, 96},      // to his left
        {false, 65535, 471, 498, 96},  // back to the match, the tick counter about to wrap
        {false, 0, 470, 498, 157},     // wrapped: one tick on, to his right
    };
    for (const Pass& pass : passes) {
        MatchShared.replayPlaying = pass.inReplay ? 1 : 0;
        MatchShared.replayPosition = pass.inReplay ? pass.time : 0;
        Match.tickCount = static_cast<uint16_t>(pass.inReplay ? 0 : pass.time);
        RenderList[0] = {pass.x, 0, pass.y, 96, 40, 64, 0};
        RenderList[1] = {pass.x, 0, pass.y, 10, 40, 64, 0};  // running, not side-stepping
        MotionCap_MirrorSideSteps();
        EXPECT_EQ(RenderList[0].animation, pass.drawn) << pass.time << " at " << pass.x;
        EXPECT_EQ(RenderList[1].animation, 10);
    }
    FreeMotionCaptures();
}

// A move on the pitch in the frame of a clip shown at `direction` (the man faces -x, his left
// toward -y): the views turn a clip point by t = direction x pi / 128, so this turns back.
Vec3 InClipFrame(float dx, float dy, int32_t direction)
{
    const float t = static_cast<float>(direction) * std::numbers::pi_v<float> / 128;
    return {dx * std::cos(t) + dy * std::sin(t), -dx * std::sin(t) + dy * std::cos(t), 0};
}

// Seeded matches: while a keeper side-steps, tick to tick at one facing, the match plays its one
// side-step clip whichever way he goes, and the views draw each way of the move with the clip
// whose feet step that way: the sole he stands on keeps its place across his side (a diagonal
// move's part along his facing is no side-step's). A clip whose feet stepped the other way, or
// stayed under him, would slide them as far as he moves.
TEST(MotionClips, AKeeperSideStepsEitherWayOnFeetThatKeepTheirPlace)
{
    constexpr int32_t kSideStep = 96;               // TZM123, to his left
    constexpr int32_t kDrawn[] = {kSideStep, 157};  // and its mirror TZM123R
    const std::vector<MkMotionRow> rows = MkMotionRows();
    const std::vector<std::vector<uint8_t>> frames = MkMotionClipFrames();
    const auto sole = [&](int32_t clip, int32_t frame, int32_t foot) {
        MotionFrame f;
        std::memcpy(&f, &frames[clip][static_cast<size_t>(frame) * MOTION_FRAME_BYTES], sizeof f);
        Body body;
        Pose(f, body);
        return SoleOf(body, foot);
    };
    std::map<int32_t, float> slid, moved;
    std::map<int32_t, int32_t> ticks, wrongWay;
    int32_t mirrorPlayedByTheMatch = 0;
    for (const uint32_t seed : {5u, 46u}) {
        ScopedMatch match;
        MatchDayBuilder{}.Write();
        SetPitchConstants();
        SRand(seed);
        Match_SetupPeriod();
        MatchPerson before[MATCH_PLAYER_COUNT] = {};
        int16_t drawnBefore[MATCH_PLAYER_COUNT] = {};
        for (int32_t tick = 0; tick < 6000; ++tick) {
            std::copy(MatchPersons, MatchPersons + MATCH_PLAYER_COUNT, before);
            for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p)
                drawnBefore[p] = RenderList[p].animation;
            RunTicks(1);
            Match_FillRenderList();
            MotionCap_MirrorSideSteps();
            for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
                const MatchPerson& was = before[p];
                const MatchPerson& is = MatchPersons[p];
                if (is.animation == kDrawn[1]) ++mirrorPlayedByTheMatch;
                const int32_t clip = RenderList[p].animation;
                if (is.animation != kSideStep || was.animation != kSideStep
                    || drawnBefore[p] != clip || was.drawnDirection != is.drawnDirection)
                    continue;
                const int32_t next = was.drawnFrame + 1 == MotionFrameCounts[clip]
                                         ? rows[clip].loopFrame
                                         : was.drawnFrame + 1;
                if (is.drawnFrame != next) continue;
                const Vec3 move =
                    InClipFrame(static_cast<float>(is.x16 - was.x16) / 65536,
                                static_cast<float>(is.y16 - was.y16) / 65536, is.drawnDirection);
                Vec3 a[2], b[2];
                for (int32_t foot = 0; foot < 2; ++foot) {
                    a[foot] = sole(clip, was.drawnFrame, foot);
                    b[foot] = sole(clip, is.drawnFrame, foot);
                }
                const int32_t planted = a[0].z + b[0].z <= a[1].z + b[1].z ? 0 : 1;
                slid[clip] += std::fabs(b[planted].y - a[planted].y + move.y);
                moved[clip] += std::fabs(move.y);
                if ((clip == kSideStep) != (move.y < 0)) ++wrongWay[clip];
                ++ticks[clip];
            }
        }
        FreeMotionCaptures();  // forgets where everyone was seen
    }
    EXPECT_EQ(mirrorPlayedByTheMatch, 0);
    for (const int32_t clip : kDrawn) {
        SCOPED_TRACE(MotionClipNames[clip]);
        EXPECT_GE(ticks[clip], 100);
        EXPECT_EQ(wrongWay[clip], 0);
        EXPECT_LT(slid[clip], 0.3f * moved[clip]);
    }
}

}  // namespace

namespace {

// Seeded matches played headless: each time a player meets the ball, the clip he plays and its
// frame. The engine strikes inside a window of nine frames, so a key pose that lies in the window
// is at most 8 frames from the strike: each kick and header clip's middle strike is. A keeper's
// save, punch, catch or smother meets the ball when it comes within his reach: the middle contact
// of each of his clips lies as near its key pose, or inside the span the pose is held; his high
// catch and his punch come a few times in a hundred matches, meeting the ball from well before
// the key pose to well after it, so 480 matches give each a middle of several contacts. (A restart
// kick borrows an open-play clip and strikes at its own frame, and a player moving to a loose ball
// may touch it in any pose: neither is the clip's strike. Nor is a tackle, which meets the ball or
// the carrier in whatever pose it reaches them, and marks the carrier too as having played the
// ball.)
bool IsTackleOrBorrowedStrike(int32_t action)
{
    for (const int32_t other :
         {ACT_RESTART_KICK, ACT_MOVE_TO_LOOSE_BALL, ACT_SLIDING_TACKLE_28, ACT_SLIDING_TACKLE_89,
          ACT_BLOCK_TACKLE, ACT_LUNGE, ACT_SHOULDER_CHARGE, ACT_BURST, ACT_KNOCKED_DOWN,
          ACT_SLIDE_TO_STOP, ACT_DIVE_FOR_FOUL, ACT_STANDING_TACKLE, ACT_CLEARING_SLIDE,
          ACT_HANDBALL}) {
        if (action == other) return true;
    }
    return false;
}

// A keeper meets the ball when he strikes, saves, punches or blocks it (the strike mark), when it
// comes into his hands (a catch, a gather, the rise from a smother) and when his smother reaches
// it; a smother sets the strike mark at the end of its slide, touching nothing.
bool KeeperMeetsBall(int32_t keeper, bool struck, int32_t actionBefore, int32_t holderBefore)
{
    const int32_t action = MatchPersons[keeper].action;
    const bool smothering = actionBefore == ACT_KEEPER_SMOTHER;
    return (struck && !smothering) || (Ball.holder == keeper + 1 && holderBefore != keeper + 1)
           || (smothering && action == ACT_KEEPER_RISE_FROM_SMOTHER);
}

// The frames from a clip's key pose to a contact; 0 while a held key pose lasts.
int32_t FromKeyPose(const MkMotionRow& row, int32_t frame)
{
    if (frame < row.keyFrame) return frame - row.keyFrame;
    return std::max(0, frame - row.heldTo);
}

TEST(MotionClips, StrikesSavesAndCatchesFallNearTheirClipsKeyFrames)
{
    const std::vector<MkMotionRow> rows = MkMotionRows();
    std::map<int32_t, std::vector<int32_t>> offsets;  // by clip
    std::set<int32_t> keeperClips;
    for (uint32_t seed = 1; seed <= 480; ++seed) {
        ScopedMatch match;
        MatchDayBuilder{}.Write();
        SetPitchConstants();
        SRand(seed);
        Match_SetupPeriod();
        uint8_t kicked[MATCH_PLAYER_COUNT] = {};
        int16_t actions[MATCH_PLAYER_COUNT] = {};
        for (int32_t tick = 0; tick < 20000; ++tick) {
            const int32_t holder = Ball.holder;
            RunTicks(1);
            for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
                const MatchPerson& person = MatchPersons[p];
                const bool keeper = p == LineUp[0][0] || p == LineUp[1][0];
                const bool struck = person.kicked != 0 && kicked[p] == 0
                                    && !IsTackleOrBorrowedStrike(person.action);
                const bool met = keeper ? KeeperMeetsBall(p, struck, actions[p], holder) : struck;
                if (met && person.animation >= 0 && rows[person.animation].keyFrame >= 0) {
                    offsets[person.animation].push_back(
                        FromKeyPose(rows[person.animation], person.drawnFrame));
                    if (keeper) keeperClips.insert(person.animation);
                }
                kicked[p] = person.kicked;
                actions[p] = person.action;
            }
        }
    }
    // Passes, long kicks, shots, headers and traps of both feet; the keepers' saves, punches,
    // gathers, smothers and kicks.
    EXPECT_GE(offsets.size(), 50u);
    EXPECT_GE(keeperClips.size(), 24u);
    for (auto& [clip, contacts] : offsets) {
        std::sort(contacts.begin(), contacts.end());
        const int32_t middle = contacts[contacts.size() / 2];
        EXPECT_LE(std::abs(middle), 8) << rows[clip].name;
    }
}

}  // namespace
