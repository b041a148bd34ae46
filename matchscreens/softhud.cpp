// matchscreens/softhud.cpp: the software view's heads-up display, its strip of player names,
// match clock and replay bar.
#include "matchscreens/softhud.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/replay.h"
#include "matchscreens/softview.h"
#include "viewservices/hotzone.h"
#include "viewservices/infobar.h"
#include "viewservices/timedevents.h"
#include "viewservices/viewscreen.h"
#include "vx256/fontgame.h"
#include "vx256/mgraphic.h"
#include "vx256/objects.h"
#include "vx256/softraster.h"

namespace {

constexpr int32_t M = GAMESCREEN_MARGIN;
constexpr int32_t kScoreX = M + 8;
constexpr int32_t kScoreY = M + 6;
constexpr int32_t kBoxPad = 3;
constexpr int32_t kQuickPreviewText = 828;
constexpr int32_t kReplayText = 126;
constexpr uint32_t kBlinkBit = 64;  // 0.64 s on, 0.64 s off
constexpr int32_t kOverviewX = 68;  // graphic 34's top left in the buffer
constexpr int32_t kOverviewY = 108;
constexpr uint8_t kHomeBox = 48;  // the first entry of each side's kit band
constexpr uint8_t kAwayBox = 92;
constexpr uint8_t kBallDot = 29;

constexpr int32_t kShootOutPeriod = 4;
constexpr int32_t kClockRight = 50;  // the box's left edge, from the view's right edge
constexpr int32_t kClockTop = 6;
constexpr int32_t kClockFont = 1;
constexpr int32_t kClockTextInset = 8;
constexpr int32_t kTopRight = 7;  // anchor and align: right part 3, top part 4
constexpr int32_t kLeftTop = 5;

void Box(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour)
{
    const GameScreenRecord s = GetGameScreen();
    for (int32_t row = std::max(y, 0); row < std::min(y + height, s.height); ++row)
        for (int32_t column = std::max(x, 0); column < std::min(x + width, s.width); ++column)
            s.pixels[static_cast<size_t>(row) * s.pitch + column] = colour;
}

// Text on a box darkened through shade table 1.
void DarkenedText(int32_t x, int32_t y, const char* text, int32_t font)
{
    const int32_t width = FONT_GetTextWidth(text, font);
    const int32_t height = FONT_GetItem(font).glyphHeight;
    Soft_RemapRect(x - kBoxPad, y - kBoxPad, width + 2 * kBoxPad, height + 2 * kBoxPad,
                   SoftView_GetShadeTable(1));
    FONT_DisplayTextAt(x, y, text, font);
}

void DrawGraphic(int32_t n, int32_t x, int32_t y)
{
    const MGraphicItem& g = MGraphGetItem(n);
    GameScreen_CopyTrans(g.pixels, g.width, x, y, g.width, g.height);
}

void DrawInfoBar(int32_t viewWidth)
{
    if (InfoBarInfo.framesLeft <= 0) return;
    const int32_t width = FONT_GetTextWidth(InfoBarInfo.text, 2);
    DarkenedText(M + (viewWidth - width) / 2, M + InfoBarInfo.offset - 30, InfoBarInfo.text, 2);
}

void DrawReplayControls()
{
    if (!MatchShared.replayPlaying || MatchShared.replayState == REPLAY_HIGHLIGHT
        || MatchShared.menuRequest != 0)
        return;
    DrawReplayBar();
    DrawGraphic(MGRAPH_MOUSE, VirtualPointer.x + M, VirtualPointer.y + M);
}

void DrawOverview()
{
    if (ViewFlags.panoramic == 0) return;
    DrawGraphic(MGRAPH_IGSCAN, kOverviewX, kOverviewY);
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (ObjectDisplay_Motion(p) == MOTION_ABSENT) continue;
        int32_t c = 0, r = 0;
        SoftHud_OverviewPoint(RenderList[p].x, RenderList[p].y, &c, &r);
        Box(c + kOverviewX - 6, r + kOverviewY - 3, 12, 7, p < 16 ? kHomeBox : kAwayBox);
        char number[8];
        std::snprintf(number, sizeof(number), "%d", MatchPersons[p].positionExtra[0]);
        FONT_DisplayTextAt(c + kOverviewX - 6, r + kOverviewY - 3, number, 0);
    }
    int32_t c = 0, r = 0;
    SoftHud_OverviewPoint(RenderList[MATCH_BALL].x, RenderList[MATCH_BALL].y, &c, &r);
    Box(c + kOverviewX - 1, r + kOverviewY - 1, 3, 3, kBallDot);
}

// A name runs to its first NUL inside its entry; the field itself has no room for the 20th
// character's terminator, so the bytes after it are read as the player's name goes on.
int32_t EntryNameLength(const MatchPlayerEntry& entry, char (&copy)[sizeof(MatchPlayerEntry) + 1])
{
    std::memcpy(copy, &entry, sizeof(entry));
    copy[sizeof(entry)] = '\0';
    return static_cast<int32_t>(std::strlen(copy));
}

void CopySideNames(int32_t side, const char* error)
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const int32_t last = MATCH_STARTERS - 1 + MatchDay_GetBenchSize(block);
    for (int32_t e = 0; e <= last; ++e) {
        char name[sizeof(MatchPlayerEntry) + 1];
        if (EntryNameLength(block.sides[side].entries[e], name) > NAMESTRIP_NAME_MAX)
            FatalError(error, name);
        std::memcpy(NameStrip.names[side * MATCH_PERSONS_PER_SIDE + e], name,
                    NAMESTRIP_NAME_MAX + 1);
    }
}

// The first line below the score line's box.
int32_t BelowScoreLine() { return kScoreY + FONT_GetItem(1).glyphHeight + 2 * kBoxPad + 2; }

void DrawEventMessage(const char* message)
{
    DarkenedText(kScoreX, BelowScoreLine() + 2 * FONT_GetItem(1).glyphHeight, message, 1);
}

}  // namespace

void SoftHud_ScoreText(char* out, int32_t size)
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const int16_t* goals = Match.period == kShootOutPeriod ? Match.shootOutGoals : Match.score;
    std::snprintf(out, static_cast<size_t>(size), "%s %2d - %-2d %s", block.sides[0].teamName,
                  goals[0], goals[1], block.sides[1].teamName);
}

void SoftHud_OverviewPoint(float x, float y, int32_t* column, int32_t* row)
{
    const MGraphicItem& g = MGraphGetItem(MGRAPH_IGSCAN);
    const float along = (PITCH_LENGTH - (y - PITCH_NEAR_GOAL_LINE_Y)) / PITCH_LENGTH;
    const float across = (x - PITCH_LEFT_TOUCHLINE_X) / PITCH_WIDTH;
    *column = std::clamp(static_cast<int32_t>(static_cast<float>(g.width) * along), 0, g.width - 1);
    *row = std::clamp(static_cast<int32_t>(across * static_cast<float>(g.height)), 0, g.height - 1);
}

void SoftHud_Draw(int32_t viewWidth)
{
    DrawInfoBar(viewWidth);
    DrawReplayControls();
    char score[2 * MATCH_TEAM_NAME_BYTES + 16];
    SoftHud_ScoreText(score, sizeof(score));
    DarkenedText(kScoreX, kScoreY, score, 1);
    DrawClockBox();
    DrawOverview();
    if (ViewFlags.quickPreview != 0 && (TickCount.load() & kBlinkBit) != 0)
        DarkenedText(kScoreX, BelowScoreLine(), GetMessageText(kQuickPreviewText), 1);
    if (!MatchShared.replayPlaying && MatchShared.menuRequest == 0)
        DisplayEvent2(TimedEvents.current, TIMEDEVENT_FORM_BUILT, DrawEventMessage);
    if (MatchShared.replayPlaying)
        DarkenedText(kScoreX, BelowScoreLine(), GetMessageText(kReplayText), 1);
}

void InitPlayerNamesA()
{
    FreePlayerNames();
    std::memset(NameStrip.names, 0, sizeof(NameStrip.names));
    CopySideNames(0, "ERROR:InitPlayerNamesA '%s'");
    CopySideNames(1, "ERROR:InitPlayerNamesB '%s'");
    int32_t sum = 0;
    for (int32_t slot = 0; slot < NAMESTRIP_SLOTS; ++slot) {
        NameStrip.startX[slot] = static_cast<int16_t>(sum);
        const int32_t width = FONT_GetTextWidth(NameStrip.names[slot], 0);
        NameStrip.width[slot] = static_cast<int16_t>(width > 0 ? width : 1);
        sum += NameStrip.width[slot];
    }
    CreateBuffer(&NameStrip.buffer, sum, FONT_GetItem(0).glyphHeight);
    const GameScreenRecord strip = ScreenRecordOf(NameStrip.buffer);
    for (int32_t slot = 0; slot < MATCH_PLAYER_COUNT; ++slot)
        FONT_DisplayTextInto(strip, NameStrip.startX[slot], 0, NameStrip.names[slot], 0);
}

void DrawClockBox()
{
    if (Match.clockRunning == 0 || Match.period == MATCH_PERIOD_SHOOT_OUT) return;
    const uint32_t seconds = GetMatchClockSeconds();
    char text[16];
    std::snprintf(text, sizeof(text), "%3u:%02u", seconds / 60, seconds % 60);
    FONT_SetCurrentFont(kClockFont);
    Soft_RemapRect(GAMESCREEN_MARGIN + ViewSize.width - kClockRight, GAMESCREEN_MARGIN + kClockTop,
                   CLOCKBOX_WIDTH, CLOCKBOX_HEIGHT, SoftView_GetShadeTable(1));
    FONT_DisplayText(kClockTextInset, kClockTextInset, kTopRight, text, kTopRight);
}

void DrawReplayBar()
{
    const MGraphicItem& bar = MGraphGetItem(MGRAPH_REPBAR);
    int32_t x = ViewSize.width / 2 - (REPLAYBAR_BUTTONS * bar.width) / 2;
    const int32_t y = ViewSize.height - bar.height;
    for (int32_t i = 0; i < REPLAYBAR_BUTTONS; ++i) {
        HotZone_Set(HOTZONE_REPLAY_FIRST + i, x, y, bar.width, bar.height);
        const int32_t frame = i == ReplayMode ? REPLAYBAR_BUTTONS + i : i;
        MGraphDisplay2DGraphic(x, y, kLeftTop, -1, -1, MGRAPH_REPBAR, frame);
        x += bar.width;
    }
    Replay_CountDownStep();
}

int32_t FindTopOfReplayBar()
{
    if (GetMatchSidesBlock()->viewMode != VIEW_3D)
        FatalError("Error: default case hit in FindTopOfReplayBar()");
    return ViewSize.height - MGraphGetItem(MGRAPH_REPBAR).height;
}
