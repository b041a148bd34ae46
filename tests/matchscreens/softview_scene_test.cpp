// The software 3D view built and drawn in process over a seeded match, through its own hooks: the
// kick-off frame from the right touchline camera and the frame at a scripted goal (goldens), the
// tallest screen it takes, the heads-up display's rules, and rebuilds that leave memory where it
// was.
#include "tests/gamecode/harness/softview_scene.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/gfx.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "gamecode/matchstate.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "generated/build_paths.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/softhud.h"
#include "matchscreens/softview.h"
#include "matchscreens/vtback.h"
#include "menus/vtmenu.h"
#include "viewservices/timedevents.h"
#include "viewservices/viewscreen.h"
#include "vx256/mgraphic.h"
#include "vx256/objects.h"
#include "vx256/world3d.h"

namespace {

constexpr uint64_t kMenuHash = 0x8df4055867ed9ec8ull;
constexpr uint64_t kGoalHash = 0xe63d16ef02e8ea14ull;
constexpr uint64_t kKickOffHash = 0x457b8bc63e46a508ull;

TEST(SoftViewScene, TheKickOffFrameFromTheTouchlineMatchesItsGoldenHash)
{
    ScopedSoftView view;
    ScopedSoftView::Frame();
    EXPECT_EQ(SoftView_Frames(), 1);
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/softview_kickoff.png";
    if (hash != kKickOffHash || std::getenv("PELLORAN_WRITE_FRAMES"))
        HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kKickOffHash) << "0x" << std::hex << hash << ", written to " << path;
}

// The scripted goal: the ball just over the far goal line, side 0 a goal up, the touchline camera
// following the ball there for a second and a bit.
TEST(SoftViewScene, TheFrameAtAGoalOverTheFarLineMatchesItsGoldenHash)
{
    ScopedSoftView view;
    Match.score[0] = 1;
    Ball.holder = 0;
    Ball.secondHolder = 0;
    Match.followedObject = MATCH_BALL;
    RenderObject& ball = RenderList[MATCH_BALL];
    ball.x = PITCH_CENTRE_X + 30;
    ball.y = PITCH_FAR_GOAL_LINE_Y + 4;
    ball.height = 10 * 2.8f;
    for (int32_t frame = 0; frame < 60; ++frame)
        ScopedSoftView::Frame();
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/softview_goal.png";
    if (hash != kGoalHash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kGoalHash) << "0x" << std::hex << hash << ", written to " << path;
}

// The head-up display drawn alone on a plain screen: its pixels' hash, with the other grounds'
// news `news` on show (none when null), during a replay or with an in-match menu asked for.
uint64_t HudWith(const char* news, bool replaying, bool menuAsked)
{
    TimedEvents = {};
    MatchReportIncidents[0] = {};
    if (news != nullptr) {
        std::snprintf(TimedEvents.text, sizeof TimedEvents.text, "%s", news);
        MatchReportIncidents[0].word0 = 1;  // a goal: a kind that is drawn
        TimedEvents.current = 0;
        TimedEvents.active = 1;
        TimedEvents.expiryTick = UINT32_MAX;
    }
    MatchShared.replayPlaying = replaying ? 1 : 0;
    MatchShared.menuRequest = menuAsked ? 1 : 0;
    const GameScreenRecord screen = GetGameScreen();
    std::fill(screen.pixels, screen.pixels + screen.pitch * screen.height, uint8_t{120});
    SoftHud_Draw(ViewSize.width);
    uint64_t hash = 1469598103934665603ull;
    for (int32_t i = 0; i < screen.pitch * screen.height; ++i)
        hash = (hash ^ screen.pixels[i]) * 1099511628211ull;
    return hash;
}

// The news is drawn as the incident's builder wrote it, while the match runs; never over a replay
// or when an in-match menu is asked for.
TEST(SoftViewScene, TheOtherGroundsNewsShowsWhileTheMatchRunsAsItWasBuilt)
{
    ScopedSoftView view;
    struct Case {
        bool replaying, menuAsked, shown;
    };
    for (const Case c :
         {Case{false, false, true}, Case{true, false, false}, Case{false, true, false}}) {
        const uint64_t none = HudWith(nullptr, c.replaying, c.menuAsked);
        const uint64_t first = HudWith("Vernon 2  Castelmaure 1", c.replaying, c.menuAsked);
        const uint64_t second = HudWith("Vernon 3  Castelmaure 1", c.replaying, c.menuAsked);
        EXPECT_EQ(first != none, c.shown) << c.replaying << c.menuAsked;
        EXPECT_EQ(second != first, c.shown) << c.replaying << c.menuAsked;
    }
    TimedEvents = {};
    MatchReportIncidents[0] = {};
    MatchShared.replayPlaying = 0;
    MatchShared.menuRequest = 0;
}

TEST(SoftViewScene, TwentyRebuildsLeaveMemoryWhereItWas)
{
    ScopedSoftView view;
    ScopedSoftView::Frame();
    ScopedSoftView::Tear();
    const MemoryStatistics after = MemoryStats();
    EXPECT_EQ(after.blocks, view.Before().blocks);
    EXPECT_EQ(after.bytes, view.Before().bytes);
    for (int32_t round = 0; round < 20; ++round) {
        ScopedSoftView::Build();
        ScopedSoftView::Frame();
        ScopedSoftView::Tear();
        ASSERT_EQ(MemoryStats().blocks, after.blocks) << round;
        ASSERT_EQ(MemoryStats().bytes, after.bytes) << round;
    }
    ScopedSoftView::Build();
}

// The host's 8-bit modes with two taller than the default list's, so that 640 x 480 keeps its
// place in the sorted list that the view's saved mode indexes.
void OfferTallModes()
{
    const HostMode modes[] = {
        {320, 200, HOST_FORMAT_PALETTE8, true},    {320, 240, HOST_FORMAT_PALETTE8, false},
        {640, 400, HOST_FORMAT_PALETTE8, false},   {640, 480, HOST_FORMAT_PALETTE8, false},
        {800, 600, HOST_FORMAT_PALETTE8, false},   {1024, 768, HOST_FORMAT_PALETTE8, false},
        {1280, 1024, HOST_FORMAT_PALETTE8, false}, {1368, 1025, HOST_FORMAT_PALETTE8, false}};
    if (IsGraphicMode()) RestoreGraphicMode();
    GfxUninit();
    HostInjectSetModes(modes, 8);
    GfxInit(0);
}

// The view taken down and built again in the mode of that size, as F3 and F4 do.
void RebuildIn(int32_t width, int32_t height)
{
    ScopedSoftView::Tear();
    FirstCreateGameEnvironment();
    SoftwareResolution = static_cast<int16_t>(GfxFindMode(width, height, DDRAW_KIND_8BIT));
    CreateGameEnvironment();
}

// The tallest screen the view takes is drawn whole; one row more stops the program.
TEST(SoftViewScene, AModeOf1024RowsIsDrawnWhole)
{
    ScopedSoftView view;
    OfferTallModes();
    RebuildIn(1280, 1024);
    ScopedSoftView::Frame();
    const HostFrame frame = HostLastFrame();
    ASSERT_EQ(frame.width, 1280);
    ASSERT_EQ(frame.height, 1024);
    int32_t grass = 0;  // in the lowest rows: the near touchline's grass, not the sky's fill
    for (int32_t x = 0; x < 1280; ++x) {
        const uint8_t* p = frame.rgb + (static_cast<size_t>(1020) * 1280 + x) * 3;
        grass += p[1] > p[0] + 20 && p[1] > p[2] + 20 ? 1 : 0;
    }
    EXPECT_GT(grass, 1000);
    RebuildIn(640, 480);
}

TEST(SoftViewSceneDeathTest, AModeOf1025RowsIsFatal)
{
    EXPECT_DEATH(
        {
            ScopedSoftView view;
            OfferTallModes();
            RebuildIn(1368, 1025);
        },
        "Error: InitScreenResolution\\(\\): CurrentScreenHeight > LARGESTSCREENHEIGHT!");
}

// Every person on the pitch, of both line-ups, set out on a grid of boxes that do not touch: each
// box shows, mostly in his side's colour (his number covers part of it).
void ExpectEveryPersonOnThePitchInTheOverview()
{
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        RenderList[p].x = PITCH_LEFT_TOUCHLINE_X + (p / 8 + 0.5f) * PITCH_WIDTH / 4;
        RenderList[p].y = PITCH_NEAR_GOAL_LINE_Y + (p % 8 + 0.5f) * PITCH_LENGTH / 8;
    }
    ViewFlags.panoramic = 1;
    SoftHud_Draw(640);
    ViewFlags.panoramic = 0;
    const GameScreenRecord s = GetGameScreen();
    int32_t onThePitch = 0;
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (ObjectDisplay_Motion(p) == MOTION_ABSENT) continue;
        ++onThePitch;
        int32_t c = 0, r = 0;
        SoftHud_OverviewPoint(RenderList[p].x, RenderList[p].y, &c, &r);
        const uint8_t sideColour = p < 16 ? 48 : 92;
        int32_t boxPixels = 0;
        for (int32_t row = r + 105; row < r + 105 + 7; ++row)
            for (int32_t column = c + 62; column < c + 62 + 12; ++column)
                boxPixels += s.pixels[static_cast<size_t>(row) * s.pitch + column] == sideColour;
        EXPECT_GE(boxPixels, 12 * 7 / 2) << "person " << p;
    }
    EXPECT_EQ(onThePitch, 22);
}

// The heads-up display's rules: the shoot-out's goals in period 4, every overview dot inside its
// picture, and a score line of two 39-character names kept inside the game screen.
TEST(SoftViewScene, TheScoreLineTheOverviewAndLongNamesStayInTheirPlaces)
{
    ScopedSoftView view;
    Match.score[0] = 2;
    Match.score[1] = 1;
    Match.shootOutGoals[0] = 4;
    Match.shootOutGoals[1] = 5;
    char text[128];
    SoftHud_ScoreText(text, sizeof(text));
    EXPECT_STREQ(text, "Rives  2 - 1  Valbourg");
    Match.period = 4;
    SoftHud_ScoreText(text, sizeof(text));
    EXPECT_STREQ(text, "Rives  4 - 5  Valbourg");

    const MGraphicItem& overview = MGraphGetItem(MGRAPH_IGSCAN);
    for (int32_t p = 0; p <= MATCH_BALL; ++p) {
        int32_t c = -1, r = -1;
        SoftHud_OverviewPoint(RenderList[p].x, RenderList[p].y, &c, &r);
        EXPECT_TRUE(c >= 0 && c < overview.width && r >= 0 && r < overview.height) << p;
    }
    ExpectEveryPersonOnThePitchInTheOverview();
    // The four corners of the pitch land on the picture's corners.
    int32_t c = 0, r = 0;
    SoftHud_OverviewPoint(156, 122, &c, &r);
    EXPECT_EQ(c, overview.width - 1);
    EXPECT_EQ(r, 0);
    SoftHud_OverviewPoint(1436, 2042, &c, &r);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(r, overview.height - 1);

    // The longest names the block holds, wider together than the view: cut at the buffer's edge
    // (the sanitizer build sees any write past it).
    for (MatchSide& side : GetMatchSidesBlock()->sides) {
        std::memset(side.teamName, 'W', MATCH_TEAM_NAME_BYTES - 1);
        side.teamName[MATCH_TEAM_NAME_BYTES - 1] = '\0';
    }
    ViewFlags.panoramic = 1;
    ScopedSoftView::Frame();
    EXPECT_EQ(SoftView_Frames(), 1);
    ViewFlags.panoramic = 0;
}

// The view's bytes of a rectangle of view positions, after one more frame.
std::vector<uint8_t> FramePart(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ScopedSoftView::Frame();
    const GameScreenRecord s = GetGameScreen();
    std::vector<uint8_t> bytes;
    for (int32_t row = y; row < y + height; ++row) {
        const uint8_t* p = s.pixels + static_cast<size_t>(row + GAMESCREEN_MARGIN) * s.pitch;
        bytes.insert(bytes.end(), p + x + GAMESCREEN_MARGIN, p + x + GAMESCREEN_MARGIN + width);
    }
    return bytes;
}

// The replay controls show only in a replay the player asked for; the notices by their states;
// a ground mark where the pitch point lies.
TEST(SoftViewScene, ReplayControlsNoticesAndGroundMarksShowWhenTheirStatesSaySo)
{
    ScopedSoftView view;
    const int32_t barTop = FindTopOfReplayBar();
    const auto bar = [&] { return FramePart(0, barTop, 640, 480 - barTop); };
    const auto notices = [] { return FramePart(0, 30, 320, 60); };
    const std::vector<uint8_t> plainBar = bar(), plainNotices = notices();
    struct Case {
        const char* name;
        uint8_t playing;
        uint16_t state;
        uint16_t menuRequest;
        bool barShown;
    };
    const Case cases[] = {
        {"a replay from F2", 1, REPLAY_THEN_NOTHING, 0, true},
        {"a highlight", 1, REPLAY_HIGHLIGHT, 0, false},
        {"a replay with a menu asked for", 1, REPLAY_THEN_NOTHING, 5, false},
        {"no replay", 0, REPLAY_NORMAL, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MatchShared.replayPlaying = c.playing;
        MatchShared.replayState = c.state;
        MatchShared.menuRequest = c.menuRequest;
        EXPECT_EQ(bar() != plainBar, c.barShown);
        EXPECT_EQ(notices() != plainNotices, c.playing != 0);  // text 126 under the score line
    }
    MatchShared = {};
    // Quick preview's notice blinks with bit 6 of the tick.
    // (The pacing starts again after each jump of the tick, so that the frame is not skipped.)
    ViewFlags.quickPreview = 1;
    TickCount = (TickCount.load() | 127u) + 1 + 64;
    SoftView_StartPacing();
    EXPECT_NE(notices(), plainNotices);
    TickCount = (TickCount.load() | 127u) + 1;
    SoftView_StartPacing();
    EXPECT_EQ(notices(), plainNotices);
    ViewFlags.quickPreview = 0;

    int32_t x = 0, y = 0;
    AddGroundMark(1050, 1000, 1.0, 0.0, 0);  // where nobody stands
    ASSERT_EQ(ProjectWorldPoint(0, 1050, 1000, &x, &y), 1);
    const std::vector<uint8_t> marked = FramePart(x - 64 - 4, y - 64 - 4, 9, 9);
    ClearGroundMarks();
    EXPECT_NE(FramePart(x - 64 - 4, y - 64 - 4, 9, 9), marked);
}

std::vector<uint8_t> GameScreenBytes()
{
    const GameScreenRecord s = GetGameScreen();
    return {s.pixels, s.pixels + static_cast<size_t>(s.pitch) * s.height};
}

// A graphic of the back end's table draws its frame whole, top left at the page point for flags
// 0x44: frames 0 and 1 of graphic 19 (numbers 6 and 7), every opaque pixel of the frame in place.
TEST(SoftViewMenus, AGraphicDrawsItsWholeFrameAtItsPlace)
{
    ScopedSoftView view;
    ScopedSoftView::Frame();
    VT_StartSetOfMenus();
    VT_StartMenu();
    VT_StartStaticItems();
    VT_EndStaticItems();
    const MGraphicItem& g = MGraphGetItem(19);
    int32_t ox = 0, oy = 0;
    VTBack_PageOrigin(&ox, &oy);
    for (int32_t frame = 0; frame < 2; ++frame) {
        VT_StartDrawing();
        VT_DrawGraphic(100, 120, 0x44, 6 + frame);
        VT_EndDrawing();
        const GameScreenRecord s = GetGameScreen();
        const uint8_t* frameRows = g.pixels + static_cast<size_t>(frame) * g.height * g.width;
        int32_t opaque = 0, wrong = 0;
        for (int32_t row = 0; row < g.height; ++row) {
            const uint8_t* drawn =
                s.pixels + static_cast<size_t>(GAMESCREEN_MARGIN + oy + 120 + row) * s.pitch
                + GAMESCREEN_MARGIN + ox + 100;
            for (int32_t column = 0; column < g.width; ++column) {
                const uint8_t wanted = frameRows[row * g.width + column];
                opaque += wanted != 0;
                wrong += wanted != 0 && drawn[column] != wanted;
            }
        }
        EXPECT_GT(opaque, g.width * g.height / 4) << "frame " << frame;
        EXPECT_EQ(wrong, 0) << "frame " << frame;
    }
    VT_EndMenu();
    VT_EndSetOfMenus();
}

// A small pause menu in environment 1 over the view: the darkened page, the title band, framed
// buttons, texts in both fonts, a line, a graphic; the pointer shows in the presented frame
// (golden) and the pixels under it are put back.
TEST(SoftViewMenus, AMenuOverTheViewShowsItsPageAndPutsBackWhatThePointerCovered)
{
    ScopedSoftView view;
    ScopedSoftView::Frame();
    const std::vector<uint8_t> picture = GameScreenBytes();
    VT_StartSetOfMenus();
    VT_StartMenu();
    VT_StartStaticItems();
    VT_SetStaticTitle("Pause");
    VT_EndStaticItems();
    VT_StartDrawing();
    VT_DrawButton(220, 200, 200, 36, 1);
    VT_DrawButton(220, 260, 200, 36, 1);
    VT_SetFontColour(0);
    VT_DrawTextAddr(320, 218, 0x55, "Reprendre");
    VT_SetFontColour(1);
    VT_DrawTextAddr(320, 278, 0x55, "Quitter");
    VT_DrawLine(220, 320, 420, 320, 3);
    VT_DrawGraphic(320, 360, 0x55, 6);
    VT_EndDrawing();
    const std::vector<uint8_t> menu = GameScreenBytes();
    EXPECT_NE(menu, picture);
    VT_Sync();
    EXPECT_EQ(GameScreenBytes(), menu);
    const uint64_t hash = HostFrameHash();
    const std::string path = PELLORAN_BUILD_DIR "/softview_menu.png";
    if (hash != kMenuHash || std::getenv("PELLORAN_WRITE_FRAMES")) HostWriteFramePng(path.c_str());
    EXPECT_EQ(hash, kMenuHash) << "0x" << std::hex << hash << ", written to " << path;
    // The next drawing starts again from the static page: title and darkened picture.
    VT_StartDrawing();
    VT_EndDrawing();
    EXPECT_NE(GameScreenBytes(), menu);
    VT_EndMenu();
    VT_EndSetOfMenus();
}

}  // namespace
