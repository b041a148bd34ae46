// The 3D-device view over a seeded match on the host's device: golden frames of the scene and
// its head-up display, the set-up by the match-day block and the video options, rebuilds that
// leave everything where it was, the pacing under the manual clock, and the rules of the radar,
// the shadows, the levels of detail and the referee's card.
#include "vxd3d/d3dware.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxd3d.h"
#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/options.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "tests/gamecode/harness/deviceview_scene.h"
#include "tests/support/gfx_run.h"
#include "tests/support/kit_match.h"
#include "tests/support/support.h"
#include "viewservices/infobar.h"
#include "viewservices/timedevents.h"
#include "vx256/world3d.h"
#include "vxd3d/d3dhud.h"
#include "vxd3d/d3dtex.h"
#include "vxd3d/gfxmgr.h"

namespace {

constexpr uint64_t kKickOffHash = 0x7d92ef52a04c3ddeull;
constexpr uint64_t kNightHash = 0x7221c8944a064817ull;
constexpr uint64_t kReplayHash = 0x4a7f698f3e1dab53ull;

int32_t Brightness(int32_t x, int32_t y)
{
    const uint32_t rgb = FrameRgb(x, y);
    return static_cast<int32_t>((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF));
}

// Frames until one is drawn (the first after a build may wait for its tick).
void DrawOne()
{
    for (int32_t i = 0; i < 4 && !ScopedDeviceView::Frame(); ++i) {
    }
}

TEST(DeviceView, TheKickOffFrameFromTheTouchlineMatchesItsGoldenHash)
{
    ViewFlags.showNames = 1;
    ScopedDeviceView view;
    ASSERT_TRUE(ScopedDeviceView::Frame());
    EXPECT_EQ(DeviceFrameHash("device_kickoff", kKickOffHash), kKickOffHash);
    ViewFlags.showNames = 0;
}

// The big stadium at night with fog: four floodlight shadows under each person, the info bar of
// a booking slid in with its card icons, and the other grounds' news.
TEST(DeviceView, TheBigStadiumByNightWithFogTheInfoBarAndTheNewsMatchItsGoldenHash)
{
    ScopedDeviceView view(false);
    ViewFlags.showNames = 0;
    MatchDayBlock& block = *GetMatchSidesBlock();
    const int16_t stands[4] = {4, 4, 4, 4};
    std::memcpy(block.stands, stands, sizeof stands);
    block.night = 1;
    Options.video.fog = 1;
    ScopedDeviceView::Build();
    InfoBar_FromEngine(6, 3, 0);
    for (int32_t i = 0; i < 60; ++i)
        ScopedDeviceView::Frame();
    ASSERT_GE(InfoBar_GetOffset(), 44);
    std::snprintf(TimedEvents.text, sizeof TimedEvents.text, "Vernon 2  Castelmaure 1");
    MatchReportIncidents[0].word0 = 1;  // a goal: a kind that is drawn
    TimedEvents.current = 0;
    TimedEvents.active = 1;
    TimedEvents.expiryTick = TickCount.load() + 10000;
    DrawOne();
    EXPECT_EQ(DeviceFrameHash("device_night", kNightHash), kNightHash);
    TimedEvents = {};
    MatchReportIncidents[0] = {};
}

// The display during a replay asked for with F2 in a second leg: the aggregate beside each
// score, the clock, the radar, the replay bar with the pointer, the title and both substitution
// requests.
TEST(DeviceView, TheHeadUpDisplayOfAReplayMatchesItsGoldenHash)
{
    ScopedDeviceView view(false);
    MatchDayBlock& block = *GetMatchSidesBlock();
    block.secondLeg = 1;
    block.sides[0].firstLegGoals = 2;
    block.sides[1].firstLegGoals = 1;
    ViewFlags.panoramic = 1;
    MatchShared.replayPlaying = 1;
    MatchShared.replayState = REPLAY_THEN_NOTHING;
    SubstitutionRequest[0] = SubstitutionRequest[1] = 1;
    VirtualPointer_Set(300, 400, 0);
    TickCount = (TickCount.load() | 127u) + 1;  // the clock shows while bit 6 is clear
    ScopedDeviceView::Build();
    DrawOne();
    EXPECT_EQ(DeviceFrameHash("device_replay", kReplayHash), kReplayHash);
    char line[64];
    D3DHud_ScoreLine(0, line, sizeof line);
    EXPECT_STREQ(line, "Rives -  0 (2)");
    MatchShared = {};
    ViewFlags.panoramic = 0;
}

// The display's icon sets in 16 and 32 bits, where the second's texture format is the sets' own:
// as many pages either way (identical icons share a place), and the score panel's white text
// drawn over the scene.
TEST(DeviceView, TheDisplayShowsInSixteenAndThirtyTwoBits)
{
    std::vector<int32_t> pages;
    for (const int32_t kind : {DDRAW_KIND_16BIT, DDRAW_KIND_32BIT}) {
        SCOPED_TRACE(kind);
        ScopedDeviceView view(false);
        Options.video.mode = GfxFindMode(640, 480, kind);
        ScopedDeviceView::Build();
        pages.push_back(GfxMgr_PageCount());
        DrawOne();
        int32_t white = 0;
        for (int32_t y = 0; y < 40; ++y)
            for (int32_t x = 100; x < 256; ++x)
                white += Brightness(x, y) > 600 ? 1 : 0;
        EXPECT_GT(white, 800);
    }
    EXPECT_EQ(pages[0], pages[1]);
}

// The match-day block and the video options choose the stadium, the pitch model, the light and
// the shadows; the big-stadium word follows for the cameras.
TEST(DeviceView, TheStandsTheNightAndTheMipMappingOptionChooseWhatIsLoaded)
{
    struct Case {
        int16_t stands[4];
        uint8_t night;
        int32_t mipMapping;
        const char* stadium;
        const char* pitch;
        int32_t big;
        int32_t shadows;
    };
    const Case cases[] = {
        {{4, 4, 4, 3}, 0, 1, "stad2d", "newgrass", 0, 1},
        {{4, 4, 4, 4}, 0, 1, "bigstadd", "newgrass", 1, 1},
        {{16, 0, 0, 0}, 1, 0, "bigstadn", "lowgrass", 1, 4},
        {{0, 0, 0, 0}, 1, 1, "stad2n", "newgrass", 0, 4},
    };
    ScopedDeviceView view(false);
    std::vector<int32_t> grass;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stadium);
        std::memcpy(GetMatchSidesBlock()->stands, c.stands, sizeof c.stands);
        GetMatchSidesBlock()->night = c.night;
        Options.video.mipMapping = c.mipMapping;
        BigStadium = -1;
        ScopedDeviceView::Build();
        EXPECT_STREQ(D3DGame_StadiumName(), c.stadium);
        EXPECT_STREQ(D3DGame_PitchModel(), c.pitch);
        EXPECT_EQ(D3DGame_BigStadium(), c.big);
        EXPECT_EQ(BigStadium, c.big);
        EXPECT_EQ(D3DGame_ShadowsAPerson(), c.shadows);
        EXPECT_GE(D3DGame_Light(), 0);
        DrawOne();
        grass.push_back(Brightness(100, 300));
        ScopedDeviceView::Tear();
    }
    EXPECT_LT(grass[3] * 10, grass[0] * 8);  // the night's pitch, as dark as its textures
}

// Everything a build takes is given back: 20 rebuilds, each with a frame, leave the memory, the
// texture slots, the device's surfaces and its lights where the first teardown left them.
TEST(DeviceView, TwentyRebuildsLeaveMemorySlotsSurfacesAndLightsWhereTheyWere)
{
    const auto lights = [] {
        int32_t n = 0;
        for (const uint32_t inUse : D3DInfo.lights)
            n += inUse != 0 ? 1 : 0;
        return n;
    };
    ScopedDeviceView view;
    DrawOne();
    EXPECT_GT(TexD3D_UsedSlots(), 0);
    ScopedDeviceView::Tear();
    const MemoryStatistics after = MemoryStats();
    const int32_t surfaces = HostInjectLiveSurfaces();
    EXPECT_EQ(after.blocks, view.Before().blocks);
    EXPECT_EQ(after.bytes, view.Before().bytes);
    EXPECT_EQ(TexD3D_UsedSlots(), 0);
    EXPECT_EQ(lights(), 0);
    for (int32_t round = 0; round < 20; ++round) {
        ScopedDeviceView::Build();
        DrawOne();
        ScopedDeviceView::Tear();
        ASSERT_EQ(MemoryStats().blocks, after.blocks) << round;
        ASSERT_EQ(MemoryStats().bytes, after.bytes) << round;
        ASSERT_EQ(TexD3D_UsedSlots(), 0) << round;
        ASSERT_EQ(HostInjectLiveSurfaces(), surfaces) << round;
        ASSERT_EQ(lights(), 0) << round;
    }
}

TEST(DeviceView, WithoutADeviceTheViewIsNotBuilt)
{
    ScopedDeviceView view(false);
    Options.video.device3D = -1;
    EXPECT_EXIT(D3DGame_Init(), testing::ExitedWithCode(1),
                "D3DGame_Init\\(\\): Direct3D not initialized");
}

// 50 engine ticks (calls) a second of 100 clock ticks, each drawn; 200 in quick preview, where
// the headless clock's tick of each drawn frame's own poll drops every other one; a late call
// draws nothing and the frames come back once the clock has caught up. (The 101st tick is the
// last frame's poll.) The same after 2^24 ticks (46 hours), where a float's half ticks are gone.
TEST(DeviceView, FramesArePacedOnTheTickAndALateOneIsDropped)
{
    struct Case {
        int16_t quick;
        uint32_t start;
        int32_t drawn;
        int32_t callsToCatchUp;
    };
    const Case cases[] = {
        {0, 1000, 50, 5},
        {1, 1000, 100, 21},
        {1, (1u << 24) + 1, 100, 21},
        {0, (1u << 25) + 1, 50, 5},
    };
    ScopedDeviceView view;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        ViewFlags.quickPreview = c.quick;
        ScopedDeviceView::Tear();
        TickCount = c.start;
        ScopedDeviceView::Build();
        EXPECT_EQ(D3DGame_Accumulator(), c.start);
        const int32_t calls = c.quick != 0 ? 200 : 50;
        int32_t drawn = 0;
        for (int32_t i = 0; i < calls; ++i)
            drawn += ScopedDeviceView::Frame() ? 1 : 0;
        EXPECT_EQ(drawn, c.drawn);
        EXPECT_EQ(TickCount.load() - c.start, 101u);
        TickCount = TickCount.load() + 10;
        EXPECT_FALSE(ScopedDeviceView::Frame());
        int32_t late = 1;
        while (!ScopedDeviceView::Frame() && late < 100)
            ++late;
        EXPECT_EQ(late, c.callsToCatchUp);
    }
    ViewFlags.quickPreview = 0;
}

// The quick-preview notice under the clock blinks with bit 6 of the tick.
TEST(DeviceView, TheQuickPreviewNoticeBlinksWithTheTick)
{
    ScopedDeviceView view;
    ViewFlags.quickPreview = 1;
    const auto notice = [] {
        DrawOne();
        uint64_t sum = 0;
        for (int32_t y = 30; y < 50; ++y)
            for (int32_t x = 480; x < 636; ++x)
                sum += FrameRgb(x, y) & 0xFFFF00;  // the notice is yellow
        return sum;
    };
    const auto at = [](uint32_t tick) {
        ScopedDeviceView::Tear();
        TickCount = tick;
        ScopedDeviceView::Build();
    };
    at((TickCount.load() | 127u) + 1 + 64 + 4);
    const uint64_t shown = notice();
    at((TickCount.load() | 127u) + 1 + 4);
    const uint64_t hidden = notice();
    EXPECT_GT(shown, hidden);
    ViewFlags.quickPreview = 0;
}

// The radar: the pitch's length along the panel's longer side, every point of the pitch inside
// (corners by hand), for a wide and a tall panel.
TEST(DeviceHud, EveryPointOfThePitchLandsInsideTheRadar)
{
    struct Case {
        float x, y;
        int32_t width, height;
        int32_t across, down;
    };
    const Case cases[] = {
        {PITCH_LEFT_TOUCHLINE_X, PITCH_NEAR_GOAL_LINE_Y, 128, 88, 127, 0},
        {PITCH_RIGHT_TOUCHLINE_X, PITCH_FAR_GOAL_LINE_Y, 128, 88, 0, 87},
        {PITCH_CENTRE_X, PITCH_CENTRE_Y, 128, 88, 64, 44},
        {PITCH_LEFT_TOUCHLINE_X, PITCH_NEAR_GOAL_LINE_Y, 88, 128, 0, 127},
        {PITCH_RIGHT_TOUCHLINE_X, PITCH_FAR_GOAL_LINE_Y, 88, 128, 87, 0},
        {0, 3000, 128, 88, 0, 0},  // off the pitch: kept on the panel's edge
    };
    for (const Case& c : cases) {
        int32_t across = -1, down = -1;
        D3DHud_RadarPoint(c.x, c.y, c.width, c.height, &across, &down);
        EXPECT_EQ(across, c.across) << c.x << ", " << c.y << " on " << c.width;
        EXPECT_EQ(down, c.down) << c.x << ", " << c.y << " on " << c.width;
    }
}

// The score line: the shoot-out's goals in the shoot-out, and the info bar widening in steps of
// 64 with its text.
TEST(DeviceHud, TheScoreLineAndTheInfoBarFollowTheirRules)
{
    ScopedDeviceView view;
    Match.score[0] = 3;
    Match.shootOutGoals[0] = 5;
    char line[64];
    D3DHud_ScoreLine(0, line, sizeof line);
    EXPECT_STREQ(line, "Rives -  3");
    Match.period = MATCH_PERIOD_SHOOT_OUT;
    D3DHud_ScoreLine(0, line, sizeof line);
    EXPECT_STREQ(line, "Rives -  5");
    EXPECT_EQ(D3DHud_InfoBarWidth(""), 128);
    const int32_t one = D3DHud_InfoBarWidth("But !");
    const int32_t long_ = D3DHud_InfoBarWidth("Carton jaune pour J. MartelA (Rives), une faute");
    EXPECT_EQ(one % 64, 0);
    EXPECT_EQ(long_ % 64, 0);
    EXPECT_GT(long_, one);
    EXPECT_EQ(D3DHud_ReplayBarTop(), 480 - 52);
}

// Night frames in 32 bits, four floodlight shadows a person, from the host's own card and from
// one whose only z format is 24 bits without stencil (the depth the other's 32/8 keeps): without
// the stencil test a pixel under two shadows is darkened again, so the pitch only grows darker,
// and it does where a person's shadows cross.
TEST(DeviceView, WithoutStencilTheShadowsDarkenAgainWhereTheyOverlap)
{
    struct Frame {
        bool stencil;
        std::vector<int32_t> lowerHalf;
    };
    const auto nightFrame = [](const HostFakeAdapter* adapter) {
        ScopedDeviceView view(false, adapter);
        GetMatchSidesBlock()->night = 1;
        Options.video.mode = GfxFindMode(640, 480, DDRAW_KIND_32BIT);
        ScopedDeviceView::Build();
        DrawOne();
        Frame frame{D3DGame_StencilShadows(), {}};
        for (int32_t y = 240; y < 480; ++y)
            for (int32_t x = 0; x < 640; ++x)
                frame.lowerHalf.push_back(Brightness(x, y));
        return frame;
    };
    HostFakeAdapter plain = HostInjectDefaultAdapter();
    plain.zFormatCount = 1;
    plain.zFormats[0] = HostZFormat(24, 0);
    const Frame stencilled = nightFrame(nullptr);
    const Frame twice = nightFrame(&plain);
    EXPECT_TRUE(stencilled.stencil);
    EXPECT_FALSE(twice.stencil);
    int32_t darker = 0, brighter = 0;
    for (size_t i = 0; i < stencilled.lowerHalf.size(); ++i) {
        darker += twice.lowerHalf[i] < stencilled.lowerHalf[i] ? 1 : 0;
        brighter += twice.lowerHalf[i] > stencilled.lowerHalf[i] ? 1 : 0;
    }
    EXPECT_EQ(brighter, 0);
    EXPECT_GT(darker, 100);
}

// The ground shadows by hand: the sun's moves each point by its height along x and y; a
// floodlight's throws it away from the light.
TEST(DeviceView, ShadowsFallAwayFromTheSunAndTheFloodlights)
{
    Matrix4 m;
    const Vec3 point = {10, 20, 5};
    Vec3 out;
    D3DGame_ShadowMatrix(&m, {0, 0, 0}, nullptr);
    MatTransformPoint(&out, &point, 1, &m);
    EXPECT_FLOAT_EQ(out.x, 15);
    EXPECT_FLOAT_EQ(out.y, 25);
    EXPECT_FLOAT_EQ(out.z, 0);
    // The owner 100 to the right of the centre and 10 up, the light 500 up over the centre:
    // d = (100, 0, -490), so x grows by 100/490 of the height.
    const Vec3 light = {0, 0, 500};
    D3DGame_ShadowMatrix(&m, {PITCH_CENTRE_X + 100.0f, PITCH_CENTRE_Y, 10}, &light);
    MatTransformPoint(&out, &point, 1, &m);
    EXPECT_NEAR(out.x, 10 + 5 * 100.0f / 490, 1e-5);
    EXPECT_FLOAT_EQ(out.y, 20);
    EXPECT_FLOAT_EQ(out.z, 0);
}

TEST(DeviceView, LevelsOfDetailFollowTheDistanceTheLensAndTheDetailSetting)
{
    struct Case {
        float distance, zoom;
        int32_t detail, level;
    };
    const Case cases[] = {
        {22, 1, 0, 0},  {23, 1, 0, 1},  {99, 1, 0, 2},  {150, 1, 0, 4},
        {150, 1, 1, 2}, {150, 1, 2, 1}, {600, 1, 2, 4}, {599, 1, 2, 3},
        {300, 2, 0, 4}, {300, 4, 0, 2}, {10, 1, 7, 0},  {1000, 1, -3, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(D3DGame_PersonLevel(c.distance, c.zoom, c.detail), c.level)
            << c.distance << " / " << c.zoom << " at " << c.detail;
}

// The keepers are whoever stands in slot 0 of a line-up, after a swap too.
TEST(DeviceView, TheKeepersModelFollowsSlotZeroOfEachLineUp)
{
    const int16_t saved[2] = {LineUp[0][0], LineUp[1][0]};
    LineUp[0][0] = 0;
    LineUp[1][0] = 16;
    const int32_t before[] = {D3DGame_ModelKind(0), D3DGame_ModelKind(16), D3DGame_ModelKind(5),
                              D3DGame_ModelKind(32), D3DGame_ModelKind(34)};
    EXPECT_EQ(std::vector<int32_t>(std::begin(before), std::end(before)),
              (std::vector<int32_t>{1, 1, 0, 2, 2}));
    LineUp[0][0] = 5;  // a swap puts player 5 in goal
    LineUp[1][0] = 20;
    const int32_t after[] = {D3DGame_ModelKind(0), D3DGame_ModelKind(5), D3DGame_ModelKind(16),
                             D3DGame_ModelKind(20)};
    EXPECT_EQ(std::vector<int32_t>(std::begin(after), std::end(after)),
              (std::vector<int32_t>{0, 1, 0, 1}));
    LineUp[0][0] = saved[0];
    LineUp[1][0] = saved[1];
}

// The card shows while the official holds it up (motion 60, state 9 or 8) and goes when he puts
// it away; a player never shows one.
TEST(DeviceView, TheRefereesCardTakesItsColourOnlyWhileHeShowsIt)
{
    struct Case {
        int32_t object;
        int16_t animation;
        int16_t state;
        uint32_t colour;
    };
    const Case cases[] = {
        {32, 60, 9, D3DWARE_RED_CARD},
        {32, 60, 8, D3DWARE_YELLOW_CARD},
        {32, 60, 1, 0},
        {32, 1, 9, 0},
        {33, 60, 8, D3DWARE_YELLOW_CARD},
        {5, 60, 9, 0},
    };
    for (const Case& c : cases) {
        RenderList[c.object].animation = c.animation;
        MatchPersons[c.object].action = c.state;
        EXPECT_EQ(D3DGame_CardColour(c.object), c.colour) << c.object << " " << c.state;
    }
    RenderList[32] = RenderList[33] = RenderList[5] = {};
    MatchPersons[32].action = MatchPersons[33].action = MatchPersons[5].action = 0;
}

// The camera: a point ahead of the eye projects onto the screen's centre line, one behind it
// gives no position; distances from the eye.
TEST(DeviceView, PointsBehindTheEyeHaveNoScreenPosition)
{
    ScopedDeviceView view;
    const float pi = 3.14159265f;
    D3DGame_SetCamera(1445, 1082, 350, pi / 2, -pi / 2 - 0.5f, 1);
    float x = 0, y = 0;
    EXPECT_EQ(D3DGame_ProjectPoint(796, 1082, 0, &x, &y), 0);
    EXPECT_NEAR(x, 320, 0.5);
    EXPECT_EQ(D3DGame_ProjectPoint(2000, 1082, 350, &x, &y), -1);
    EXPECT_FLOAT_EQ(D3DGame_EyeDistance(1445, 1082 + 3, 350 + 4), 5);
}

}  // namespace

namespace {

// The view draws from no random stream and moves nothing of the match: a seeded match watched
// through it ends as it does with no view (score, statistics, events, and the engine's hashes
// and draw counts through the match).
TEST(DeviceView, AMatchWatchedThroughTheViewPlaysAsOneWithNoView)
{
    SKIP_UNDER_SANITIZERS("the device view's other tests and WatchMatchDevice's whole program");
    const auto kits = [] {
        KitMatch_SetKits(KitMatch_Design(3, 1, 1, 1, 1, 1), KitMatch_Design(7, 2, 2, 2, 2, 2));
    };
    GoldenResult plain, watched;
    {
        ScopedMatch match;
        plain = GoldenRun(MatchDayBuilder{.seed = 6, .periodMinutes = 1, .afterWrite = kits});
    }
    {
        ScopedDeviceView view(false);
        Watchdog_Reinstall();  // the menus' set-up started the polls afresh
        // Quicker frames: a small screen, the plainest people and no light.
        Options.video.mode = GfxFindMode(320, 240, DDRAW_KIND_16BIT);
        Options.video.lighting = 0;
        ViewFlags.modelDetail = 0;
        watched = GoldenRun(MatchDayBuilder{
            .seed = 6, .periodMinutes = 1, .viewMode = VIEW_3D, .afterWrite = kits});
        EXPECT_GT(D3DGame_Frames(), 1000);
    }
    EXPECT_EQ(plain.lines, watched.lines);
}

}  // namespace

namespace {

// Brings the program's focus back a number of periods after it lost it, as a user would.
uint32_t s_focusBackAt = 0;
bool s_focusAway = false;
void ReturnFocusWhenDue()
{
    if (!s_focusAway || ClockPeriods() < s_focusBackAt) return;
    s_focusAway = false;
    HostOnFocusChange(true);
}
bool FocusAway() { return s_focusAway; }
void FocusNeverReturns() { std::_Exit(3); }
constexpr HostDriver kFocusDriver = {ReturnFocusWhenDue, FocusAway, FocusNeverReturns};

// A program made inactive while the view waits for its frame is found idle once it is active
// again: the view is built again through the dispatch, once, and the frame still drawn.
TEST(DeviceView, AProgramInactiveAndActiveAgainRebuildsTheViewOnce)
{
    ScopedDeviceView view(false);
    MatchView_Init();  // through the dispatch, as the match loop builds it
    for (int32_t i = 0; i < 5; ++i)
        ScopedDeviceView::Frame();
    ASSERT_EQ(D3DGame_Frames(), 5);
    const MemoryStatistics built = MemoryStats();
    HostSetDriver(&kFocusDriver);
    s_focusBackAt = ClockPeriods() + 50;
    s_focusAway = true;
    HostOnFocusChange(false);
    ScopedDeviceView::Frame();
    EXPECT_EQ(D3DGame_Frames(), 1);  // counted afresh by the new build
    EXPECT_EQ(MatchView_Destroyed, 0);
    ScopedDeviceView::Frame();
    EXPECT_EQ(D3DGame_Frames(), 2);  // not again
    EXPECT_EQ(MemoryStats().blocks, built.blocks);
    HostSetDriver(nullptr);
    MatchView_Destroy();
}

}  // namespace
