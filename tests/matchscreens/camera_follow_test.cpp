// tests/matchscreens/camera_follow_test.cpp: whole matches watched through each camera of both 3D
// views, with instant replays, the automatic highlights and a saved replay watched afterwards: on
// every frame where the camera follows the ball, or the man on it, the ball is in the picture. A
// career's league match, set up as its match day sets it up, is watched live through the device
// view's cameras too: every frame also shows some of the pitch.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "engine/options.h"
#include "engine/random.h"
#include "engine/userfile.h"
#include "game/fixtures.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/world.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchrun.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/camera.h"
#include "matchscreens/replay.h"
#include "matchscreens/replaysave.h"
#include "matchscreens/softview.h"
#include "menus/kits.h"
#include "tests/gamecode/harness/deviceview_scene.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/gamecode/harness/softview_scene.h"
#include "tests/support/game_world.h"
#include "tests/support/kit_match.h"
#include "tests/support/support.h"
#include "vx256/polyman.h"
#include "vxd3d/d3dware.h"

namespace {

constexpr int32_t kTicksBetweenReplays = 1200;
constexpr int32_t kSlot = 0;
constexpr size_t kMissesShown = 8;

struct FollowCheck {
    int16_t viewType = 0;  // the camera the player chose
    bool (*ballInView)() = nullptr;
    // Frames on which the camera followed the ball: live, then in an instant replay, a saved one
    // watched and a highlight (by ReplayState).
    int64_t frames[REPLAYKIND_HIGHLIGHT + 1] = {};
    int64_t misses = 0;
    std::vector<std::string> firstMisses;
    int64_t pitchFrames = 0;  // live frames of a career match, each checked for the pitch
    int32_t liveTicks = 0;
    int32_t nextReplayAt = kTicksBetweenReplays;
    bool rewound = false;
    bool saved = false;
};
FollowCheck s_check;

// The cameras follow the play no nearer the touchlines and goal lines than this, and no higher.
constexpr float kFollowedMargin = 100;
constexpr float kFollowedHeight = 3200;

// The ball as the camera follows it: a goal camera follows it along the ground.
RenderObject FollowedBall()
{
    RenderObject ball = RenderList[MATCH_BALL];
    if (s_check.viewType == CAMERA_NEAR_GOAL || s_check.viewType == CAMERA_FAR_GOAL)
        ball.height = 1;
    return ball;
}

bool SoftBallInView()
{
    const RenderObject ball = FollowedBall();
    const ViewPoint v = Polyman_ToView(ball.x, ball.y, ball.height);
    return Polyman_Outcode(v.x, v.y, v.z) == 0;
}

bool DeviceBallInView()
{
    const RenderObject ball = FollowedBall();
    float x = 0, y = 0;
    if (D3DGame_ProjectPoint(ball.x, ball.y, ball.height, &x, &y) != 0) return false;
    return x >= 0 && y >= 0 && x < static_cast<float>(ScreenWidth())
           && y < static_cast<float>(ScreenHeight());
}

// The camera follows the ball while it aims at the ball or the man on it, within the area it
// follows the play in.
bool CameraFollowsTheBall()
{
    const int32_t focus = Camera_FocusObject();
    if (focus != MATCH_BALL && focus != Ball.secondHolder - 1 && focus != Ball.holder - 1)
        return false;
    const RenderObject& f = RenderList[focus];
    return f.x >= PITCH_LEFT_TOUCHLINE_X + kFollowedMargin
           && f.x <= PITCH_RIGHT_TOUCHLINE_X - kFollowedMargin
           && f.y >= PITCH_NEAR_GOAL_LINE_Y + kFollowedMargin
           && f.y <= PITCH_FAR_GOAL_LINE_Y - kFollowedMargin && f.height >= 0
           && f.height <= kFollowedHeight;
}

std::string Describe()
{
    const RenderObject& ball = RenderList[MATCH_BALL];
    const CameraRecord& c = Cameras[CurrentCamera];
    char text[320];
    std::snprintf(
        text, sizeof text,
        "period %d tick %u (%u:%02u) replay %d (position %d) phase %d focus %d ball (%.0f, "
        "%.0f, %.0f) camera type %d target (%.0f, %.0f, %.0f) eye (%.0f, %.0f, %.0f) "
        "zoom %.2f",
        Match.period, Match.periodTicks, GetMatchClockSeconds() / 60, GetMatchClockSeconds() % 60,
        ReplayState, ReplayPosition, MatchPhase, Camera_FocusObject(), ball.x, ball.y, ball.height,
        c.viewType, c.target[0], c.target[1], c.target[2], c.eye[0], c.eye[1], c.eye[2], c.zoom);
    return text;
}

void Miss()
{
    ++s_check.misses;
    if (s_check.firstMisses.size() < kMissesShown) s_check.firstMisses.push_back(Describe());
}

// Every frame shows the camera the player chose; those where it follows the ball show the ball.
void CheckTheBall()
{
    if (Camera_ViewType() != s_check.viewType) return Miss();
    if (!CameraFollowsTheBall()) return;
    ++s_check.frames[Replay_IsPlaying() ? ReplayState : uint16_t{REPLAYKIND_NONE}];
    if (!s_check.ballInView()) Miss();
}

void SaveTheRing()
{
    std::memcpy(ReplaySlotHeaders[kSlot].tag, REPLAY_SLOT_TAG, sizeof REPLAY_SLOT_TAG);
    ReplaySave_Describe(kSlot, ReplaySlotHeaders[kSlot].description);
    ASSERT_EQ(Replay_Save(kSlot), USERFILE_OK);
    s_check.saved = true;
}

// The player's part, after each frame: an instant replay every so often, rewound from where it
// starts to the oldest frame and played to the newest; late in the match the ring saved; the
// saved replay ended on its last frame. The highlights play and end by themselves.
void PlayThePlayersPart()
{
    if (!Replay_IsPlaying()) {
        if (!s_check.saved && Match.period == 1 && ReplayRecorder.frameCount == REPLAY_FRAMES)
            SaveTheRing();
        if (s_check.liveTicks < s_check.nextReplayAt) return;
        s_check.nextReplayAt = s_check.liveTicks + kTicksBetweenReplays;
        s_check.rewound = false;
        Replay_StartInstant();
        return;
    }
    if (ReplayMode != REPLAYMODE_PAUSE || ReplayState == REPLAYKIND_HIGHLIGHT) return;
    if (ReplayState == REPLAYKIND_SLOT) {
        Replay_RequestEnd();
    } else if (ReplayPosition == 0) {
        ReplayMode = REPLAYMODE_PLAY;
    } else if (!s_check.rewound) {
        ReplayMode = REPLAYMODE_FAST_REWIND;
        s_check.rewound = true;
    } else {
        Replay_RequestEnd();
    }
}

void CheckedFrame()
{
    CheckTheBall();
    PlayThePlayersPart();
}

void ChooseTheCamera() { SetCameraViewType(s_check.viewType); }

// The views' own hooks, but for the drawing: the frame hook checks the camera instead.
const MatchViewOps kSoftView = {
    .Init = [] { ScopedSoftView::Build(), ChooseTheCamera(); },
    .Destroy = ScopedSoftView::Tear,
    .Step = [] { StepGameFrame(), ++s_check.liveTicks; },
    .Frame = CheckedFrame,
    .Update = UpdateGameFrame,
};
const MatchViewOps kDeviceView = {
    .Init = [] { ScopedDeviceView::Build(), ChooseTheCamera(); },
    .Destroy = ScopedDeviceView::Tear,
    .Step = [] { D3DGame_Step(), ++s_check.liveTicks; },
    .Frame = CheckedFrame,
    .Update = D3DGame_Update,
};

// A match day as the game fills it, in kits the generated textures have.
void WearTheGeneratedKits()
{
    FillWhatTheEngineLeftCleared(GetMatchSidesBlock());
    KitMatch_SetKits(KitMatch_Design(3, 1, 1, 1, 1, 1), KitMatch_Design(7, 2, 2, 2, 2, 2));
}

// A match of one-minute halves through the view registered for `kind`, highlights on, then its
// saved replay watched; the check's figures of both.
FollowCheck WatchAMatchAndItsReplay(int32_t kind, const MatchViewOps& view, int16_t viewType,
                                    uint32_t seed)
{
    Watchdog_Reinstall();  // the menus' set-up started the polls afresh
    MatchPresentation_SetDefaults();
    Replay_Init();
    ReplaySave_Init();
    MatchView_Register(kind, &view);
    s_check = {};
    s_check.viewType = viewType;
    s_check.ballInView = kind == VIEWKIND_SOFTWARE_3D ? SoftBallInView : DeviceBallInView;
    MatchShared.highlightOption[0] = MatchShared.highlightOption[1] = 1;
    GoldenRun(MatchDayBuilder{.seed = seed,
                              .periodMinutes = 1,
                              .viewMode = VIEW_3D,
                              .afterWrite = WearTheGeneratedKits},
              false);
    EXPECT_TRUE(s_check.saved);
    MatchShared.replaySlot = kSlot;
    MatchShared.replayState = REPLAY_WATCH;
    PlayMatch3D();
    EXPECT_TRUE(Watchdog_Failures().empty());
    Replay_Uninit();
    return s_check;
}

void ExpectTheBallAlwaysInView(const FollowCheck& check, const char* view)
{
    SCOPED_TRACE(testing::Message() << view << ", camera " << check.viewType);
    const auto live = check.frames[REPLAYKIND_NONE], instant = check.frames[REPLAYKIND_INSTANT],
               slot = check.frames[REPLAYKIND_SLOT], highlight = check.frames[REPLAYKIND_HIGHLIGHT];
    std::printf("%s, camera %d: the camera followed the ball on %lld live frames and %lld, %lld "
                "and %lld of instant, saved and highlight replays\n",
                view, check.viewType, static_cast<long long>(live), static_cast<long long>(instant),
                static_cast<long long>(slot), static_cast<long long>(highlight));
    EXPECT_GT(live, 3000);
    EXPECT_GT(instant, 1500);
    EXPECT_GT(slot, 300);
    EXPECT_GT(highlight, 0);
    EXPECT_EQ(check.misses, 0);
    for (const std::string& miss : check.firstMisses)
        ADD_FAILURE() << "another camera, or the ball out of the picture: " << miss;
}

// ---- A career's league match -------------------------------------------------------------------

constexpr int32_t kFrance = 6;
// A fine grid over the pitch: a strip of it along the picture's edge holds some of its points.
constexpr float kPitchGridStep = 32;

// Bricourt v Belville in a new French career drawn from `seed`, the human managing Belville: the
// match-day block as the match day sets it up (the clubs' kits, ground, crowd and time of day).
MatchDayBlock CareerLeagueMatch(uint32_t seed)
{
    ScopedWorld world;
    ScopedTactics tactics;
    NewGameForTest(kFrance, seed);
    const auto named = [](int32_t club) {
        return std::string(World.clubs[VTW_GetTeam(club)].name);
    };
    int32_t row = 0;
    while (row < Fixture_RowCount()
           && (VTW_GetFixtureCompetition(row) != COMP_LEAGUE
               || named(VTW_GetFixtureHomeClub(row)) != "Bricourt"
               || named(VTW_GetFixtureAwayClub(row)) != "Belville")) {
        ++row;
    }
    EXPECT_LT(row, Fixture_RowCount()) << "no league fixture Bricourt v Belville";
    if (row == Fixture_RowCount()) return {};
    const int32_t human = VTW_GetFixtureAwayClub(row);
    VTW_SetClubControl(human, MANAGER_HUMAN);
    GameState.humanClub = static_cast<int16_t>(human);
    const auto ownKits = GameHooks.GetTeamDesign;
    GameHooks.GetTeamDesign = GetTeamDesign;
    SetupFixture(row);
    GameHooks.GetTeamDesign = ownKits;
    MatchDayBlock block = *GetMatchSidesBlock();
    block.viewMode = VIEW_3D;
    return block;
}

bool DevicePitchInView()
{
    const auto width = static_cast<float>(ScreenWidth());
    const auto height = static_cast<float>(ScreenHeight());
    for (float x = PITCH_LEFT_TOUCHLINE_X; x <= PITCH_RIGHT_TOUCHLINE_X; x += kPitchGridStep) {
        for (float y = PITCH_NEAR_GOAL_LINE_Y; y <= PITCH_FAR_GOAL_LINE_Y; y += kPitchGridStep) {
            float sx = 0, sy = 0;
            if (D3DGame_ProjectPoint(x, y, 0, &sx, &sy) == 0 && sx >= 0 && sy >= 0 && sx < width
                && sy < height)
                return true;
        }
    }
    return false;
}

void CheckedCareerFrame()
{
    ++s_check.pitchFrames;
    if (!DevicePitchInView()) return Miss();
    CheckTheBall();
}

const MatchViewOps kCareerDeviceView = {
    .Init = [] { ScopedDeviceView::Build(), ChooseTheCamera(); },
    .Destroy = ScopedDeviceView::Tear,
    .Step = D3DGame_Step,
    .Frame = CheckedCareerFrame,
    .Update = D3DGame_Update,
};

FollowCheck WatchACareerMatch(const MatchDayBlock& block, int16_t viewType, uint32_t seed)
{
    TempHome home;
    ScopedDeviceView scene(false);
    Watchdog_Reinstall();
    MatchPresentation_SetDefaults();
    MatchView_Register(VIEWKIND_DEVICE_3D, &kCareerDeviceView);
    s_check = {};
    s_check.viewType = viewType;
    s_check.ballInView = DeviceBallInView;
    *GetMatchSidesBlock() = block;
    SRand(seed);
    PlayMatch3D();
    EXPECT_TRUE(Watchdog_Failures().empty());
    return s_check;
}

}  // namespace

// Each camera watches a match of its own, each of the seeds one whose play makes a highlight.
TEST(CameraFollow, EveryCameraOfTheSoftwareViewKeepsTheBallInThePicture)
{
    TempHome home;
    ScopedSoftView scene;
    ScopedSoftView::Tear();  // the match builds it
    Options.video.device3D = -1;
    for (int16_t type = 0; type < CAMERA_VIEW_TYPES; ++type) {
        const FollowCheck check =
            WatchAMatchAndItsReplay(VIEWKIND_SOFTWARE_3D, kSoftView, type, 1 + type);
        ExpectTheBallAlwaysInView(check, "software view");
    }
    ScopedSoftView::Build();  // as the scene takes it down
}

TEST(CameraFollow, EveryCameraOfTheDeviceViewKeepsTheBallInThePicture)
{
    TempHome home;
    ScopedDeviceView scene(false);
    Options.video.mode = GfxFindMode(320, 240, DDRAW_KIND_16BIT);
    for (int16_t type = 0; type < CAMERA_VIEW_TYPES; ++type) {
        const FollowCheck check =
            WatchAMatchAndItsReplay(VIEWKIND_DEVICE_3D, kDeviceView, type, 35 + type);
        ExpectTheBallAlwaysInView(check, "device view");
    }
}

// The touchline cameras stand a little above the stands' roofs; a ball lofted across the pitch
// drew them up level with it, so that the picture held the far stand and the sky and none of the
// pitch (in the first of these matches for 121 frames from 27:38). One whole league match a
// camera, in the big stadium that the home club's stands give.
TEST(CameraFollow, EveryCameraOfACareerLeagueMatchShowsThePitchAndTheBall)
{
    const struct {
        int16_t viewType;
        uint32_t seed;
    } matches[] = {{CAMERA_RIGHT_TOUCHLINE, 1},
                   {CAMERA_NEAR_GOAL, 2},
                   {CAMERA_FAR_GOAL, 4},
                   {CAMERA_LEFT_TOUCHLINE, 3}};
    for (const auto& match : matches) {
        const MatchDayBlock block = CareerLeagueMatch(match.seed);
        // Through a copy: the block is packed, and a reference to its field would be misaligned.
        ASSERT_EQ(static_cast<int32_t>(block.periodMinutes), MATCH_PERIOD_MINUTES);
        EXPECT_GE(block.stands[0] + block.stands[1] + block.stands[2] + block.stands[3], 16);
        const FollowCheck check = WatchACareerMatch(block, match.viewType, match.seed);
        SCOPED_TRACE(testing::Message() << "camera " << match.viewType << ", seed " << match.seed);
        std::printf("career match, camera %d: %lld frames, the ball followed on %lld\n",
                    match.viewType, static_cast<long long>(check.pitchFrames),
                    static_cast<long long>(check.frames[REPLAYKIND_NONE]));
        EXPECT_GT(check.pitchFrames, 25000);
        EXPECT_GT(check.frames[REPLAYKIND_NONE], 15000);
        EXPECT_EQ(check.misses, 0);
        for (const std::string& miss : check.firstMisses)
            ADD_FAILURE() << "no pitch, another camera or the ball out of the picture: " << miss;
    }
}
