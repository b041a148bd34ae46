// matchscreens/softhud.cpp: the software view's heads-up display.
#include "matchscreens/softhud.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/timer.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchstate.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/replay.h"
#include "matchscreens/softview.h"
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
constexpr int32_t kPeople = 22;
constexpr int32_t kShootOutPeriod = 4;

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
    for (int32_t p = 0; p < kPeople; ++p) {
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
    const int32_t below = kScoreY + FONT_GetItem(1).glyphHeight + 2 * kBoxPad + 2;
    if (ViewFlags.quickPreview != 0 && (TickCount.load() & kBlinkBit) != 0)
        DarkenedText(kScoreX, below, GetMessageText(kQuickPreviewText), 1);
    if (!MatchShared.replayPlaying && MatchShared.menuRequest == 0 && TimedEvents_ShouldDraw())
        DarkenedText(kScoreX, below + 2 * FONT_GetItem(1).glyphHeight, TimedEvents.text, 1);
    if (MatchShared.replayPlaying) DarkenedText(kScoreX, below, GetMessageText(kReplayText), 1);
}
