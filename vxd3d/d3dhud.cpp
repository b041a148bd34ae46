// vxd3d/d3dhud.cpp: the 3D-device view's head-up display.
#include "vxd3d/d3dhud.h"

#include <algorithm>
#include <cstdio>

#include "engine/gfx.h"
#include "engine/timer.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/d3dservices.h"
#include "vxd3d/d3dware.h"
#include "vxd3d/gfxmgr.h"

namespace {

constexpr uint8_t kLeftTop = 0x11, kCentreTop = 0x21, kRightTop = 0x31;
constexpr uint8_t kCentre = 0x22, kRightMiddle = 0x32;
constexpr uint8_t kLeftBottom = 0x13, kCentreBottom = 0x23, kRightBottom = 0x33;
constexpr int32_t kBlack = 0, kWhite = 1, kRed = 2, kYellow = 7, kBrightWhite = 12, kSoftWhite = 13;
constexpr uint32_t kBlinkBit = 64;
constexpr int32_t kQuickPreviewText = 828;
constexpr int32_t kReplayText = 126;
constexpr int32_t kSubstitutionText = 1839;
constexpr int32_t kReplayButtons = 10;
constexpr int32_t kReplayZoneWidth = 42, kReplayZoneHeight = 52;
constexpr int32_t kFirstReplayZone = 11;
constexpr int32_t kPieceWidth = 64;
constexpr int32_t kYellowBar = 6, kRedBar = 7;  // info bar types of a booking, a sending-off
constexpr float kLabelLift = 35.0f;
constexpr int32_t kNewsY = 56;

uint32_t Handle(int32_t set, int32_t icon) { return Icon_Handle(set, icon); }
int32_t SetWidth(int32_t set) { return Icon_GetWidth(Handle(set, 0)); }
int32_t SetHeight(int32_t set) { return Icon_GetHeight(Handle(set, 0)); }
bool Blink() { return (TickCount.load() & kBlinkBit) != 0; }
bool Replaying() { return MatchShared.replayPlaying != 0; }
bool InHighlight() { return MatchShared.replayState == REPLAY_HIGHLIGHT; }

int32_t HolderPerson()
{
    return Ball.holder >= 1 && Ball.holder <= MATCH_OBJECT_COUNT ? Ball.holder - 1 : -1;
}

const MatchPlayerEntry& EntryOf(int32_t person)
{
    const MatchSide& side = GetMatchSidesBlock()->sides[person / MATCH_PERSONS_PER_SIDE];
    return side.entries[person % MATCH_PERSONS_PER_SIDE];
}

// The entry's name, which need not end within its record.
void NameOf(int32_t person, char (&out)[sizeof(MatchPlayerEntry::name) + 1])
{
    const MatchPlayerEntry& e = EntryOf(person);
    std::snprintf(out, sizeof out, "%.*s", static_cast<int>(sizeof e.name), e.name);
}

void DrawNames()
{
    if (D3DServices.ViewFlags().showNames == 0) return;
    int32_t order[MATCH_PLAYER_COUNT];
    D3DServices.SortPlayersByDistance(order);
    GfxMgr_SetOrigin(0, 0, kLeftTop);
    for (int32_t k = MATCH_PLAYER_COUNT - 1; k >= MATCH_PLAYER_COUNT - D3DHUD_LABELS; --k) {
        const int32_t p = order[k];
        if (p < 0 || p >= MATCH_PLAYER_COUNT || !D3DGame_OnPitch(p)) continue;
        const RenderObject& o = RenderList[p];
        float x = 0, y = 0;
        if (D3DGame_ProjectPoint(o.x, o.y, o.height + kLabelLift, &x, &y) != 0) continue;
        char name[sizeof(MatchPlayerEntry::name) + 1];
        NameOf(p, name);
        GfxMgr_DrawString(HUDSET_SMALL_FONT, name, static_cast<int32_t>(x), static_cast<int32_t>(y),
                          kCentreBottom, p == HolderPerson() ? kBrightWhite : kSoftWhite);
    }
}

void DrawInfoBar()
{
    const int32_t offset = D3DServices.InfoBarOffset();
    if (offset == 0) return;
    const char* text = D3DServices.InfoBarText();
    const int32_t width = D3DHud_InfoBarWidth(text);
    GfxMgr_SetOrigin(0, -offset, kCentreBottom);
    const int32_t pieces = width / kPieceWidth;
    for (int32_t k = 0; k < pieces; ++k) {
        const int32_t icon = k == 0 ? 0 : k == pieces - 1 ? 2 : 1;
        Icon_Draw(Handle(HUDSET_INFOBAR, icon), -width / 2 + kPieceWidth / 2 + k * kPieceWidth, 0,
                  kCentreTop);
    }
    const int32_t type = D3DServices.InfoBarType();
    if (type == kYellowBar || type == kRedBar) {
        const int32_t set = type == kYellowBar ? HUDSET_YELLOW_CARD : HUDSET_RED_CARD;
        Icon_Draw(Handle(set, 0), width / 2 - 3, 2, kLeftTop);
        Icon_Draw(Handle(set, 0), 8 - width / 2, 2, kRightTop);
    }
    GfxMgr_DrawString(HUDSET_MIDDLE_FONT, text, 8, 7, kCentreTop, kWhite);
}

void DrawClock()
{
    GfxMgr_SetOrigin(-1, 1, kRightTop);
    Icon_Draw(Handle(HUDSET_CLOCK, 0), 0, 0, kRightTop);
    if (Replaying() && !InHighlight() && Blink()) return;
    const uint32_t seconds = GetMatchClockSeconds();
    char text[16];
    std::snprintf(text, sizeof text, "%3d:%02d", static_cast<int32_t>(seconds / 60),
                  static_cast<int32_t>(seconds % 60));
    GfxMgr_DrawString(HUDSET_MIDDLE_FONT, text, -6, 3, kRightTop, kWhite);
}

void DrawQuickPreview()
{
    if (D3DServices.ViewFlags().quickPreview == 0 || !Blink()) return;
    GfxMgr_SetOrigin(-4, SetHeight(HUDSET_CLOCK) + 4, kRightTop);
    GfxMgr_DrawString(HUDSET_MIDDLE_FONT, GetMessageText(kQuickPreviewText), 0, 0, kRightTop,
                      kYellow);
}

void DrawScore()
{
    GfxMgr_SetOrigin(1, 1, kLeftTop);
    Icon_Draw(Handle(HUDSET_SCORE, 0), 0, 0, kLeftTop);
    const int32_t right = SetWidth(HUDSET_SCORE) - 18;
    for (int32_t side = 0; side < 2; ++side) {
        char line[MATCH_TEAM_NAME_BYTES + 32];
        D3DHud_ScoreLine(side, line, sizeof line);
        GfxMgr_DrawString(HUDSET_MIDDLE_FONT, line, right, side == 0 ? 7 : 19, kRightMiddle,
                          kWhite);
    }
}

void DrawActivePlayers()
{
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t p = ActivePlayer[side];
        if (p / MATCH_PERSONS_PER_SIDE != side) continue;  // none (0xFF)
        char name[sizeof(MatchPlayerEntry::name) + 1];
        NameOf(p, name);
        char text[sizeof name + 8];
        std::snprintf(text, sizeof text, "%2d %s", MatchPersons[p].positionExtra[0], name);
        const uint8_t corner = side == 0 ? kLeftBottom : kRightBottom;
        GfxMgr_SetOrigin(0, 0, corner);
        GfxMgr_DrawString(HUDSET_SMALL_FONT, text, side == 0 ? 5 : -5, -5, corner,
                          p == HolderPerson() ? kYellow : kWhite);
    }
}

// The message's end is checked every frame, in a replay too.
void DrawNews(const char* text)
{
    if (Replaying() || MatchShared.menuRequest != 0) return;
    const int32_t piece = SetWidth(HUDSET_PANEL);
    const int32_t width = (GfxMgr_StringWidth(HUDSET_MIDDLE_FONT, text) / piece + 2) * piece;
    GfxMgr_SetOrigin(0, kNewsY, kCentreTop);
    D3DHud_DrawPanelBar(-width / 2, 0, width);
    GfxMgr_DrawString(HUDSET_MIDDLE_FONT, text, 0, SetHeight(HUDSET_PANEL) / 2, kCentre, kWhite);
}

void DrawRadar()
{
    if (D3DServices.ViewFlags().panoramic == 0) return;
    GfxMgr_SetOrigin(4, SetHeight(HUDSET_SCORE) + 1, kLeftTop);
    Icon_Draw(Handle(HUDSET_RADAR, 0), 0, 0, kLeftTop);
    const int32_t w = SetWidth(HUDSET_RADAR), h = SetHeight(HUDSET_RADAR);
    for (int32_t p = 0; p < MATCH_PLAYER_COUNT; ++p) {
        if (!D3DGame_OnPitch(p)) continue;
        int32_t across = 0, down = 0;
        D3DHud_RadarPoint(RenderList[p].x, RenderList[p].y, w, h, &across, &down);
        char number[8];
        std::snprintf(number, sizeof number, "%d", MatchPersons[p].positionExtra[0]);
        GfxMgr_DrawString(HUDSET_SMALL_FONT, number, across, down, kCentre,
                          p < MATCH_PERSONS_PER_SIDE ? D3DHUD_HOME_COLOUR : D3DHUD_AWAY_COLOUR);
    }
    int32_t across = 0, down = 0;
    D3DHud_RadarPoint(RenderList[MATCH_BALL].x, RenderList[MATCH_BALL].y, w, h, &across, &down);
    GfxMgr_FillRect(across, down, 3, 3, kCentre, kBrightWhite);
}

void DrawReplayBar()
{
    if (!Replaying() || InHighlight()) return;
    GfxMgr_SetOrigin(0, 0, kLeftTop);
    const int32_t top = D3DHud_ReplayBarTop();
    const int32_t button = SetWidth(HUDSET_REPLAY_BAR);
    int32_t x = static_cast<int32_t>(ScreenWidth()) / 2 - kReplayButtons / 2 * button;
    for (int32_t i = 0; i < kReplayButtons; ++i) {
        D3DServices.SetHotZone(kFirstReplayZone + i, x, top, kReplayZoneWidth, kReplayZoneHeight);
        const int32_t icon = i == MatchShared.replaySpeed[0] ? i + kReplayButtons : i;
        Icon_Draw(Handle(HUDSET_REPLAY_BAR, icon), x, top, kLeftTop);
        x += button;
    }
    int32_t px = 0, py = 0, buttons = 0;
    D3DServices.VirtualPointer(&px, &py, &buttons);
    Icon_Draw(Handle(HUDSET_POINTER, 0), px, py, kLeftTop);
}

void DrawReplayTitle()
{
    if (!Replaying()) return;
    GfxMgr_SetOrigin(0, 0, kCentreTop);
    const char* title = GetMessageText(kReplayText);
    GfxMgr_DrawString(HUDSET_LARGE_FONT, title, 1, 3, kCentreTop, kBlack);
    GfxMgr_DrawString(HUDSET_LARGE_FONT, title, 0, 2, kCentreTop, kRed);
}

void DrawSubstitutionRequests()
{
    for (int32_t side = 0; side < 2; ++side) {
        if (SubstitutionRequest[side] == 0) continue;
        const uint8_t corner = side == 0 ? kLeftBottom : kRightBottom;
        GfxMgr_SetOrigin(0, 0, corner);
        GfxMgr_DrawString(HUDSET_LARGE_FONT, GetMessageText(kSubstitutionText), side == 0 ? 4 : -4,
                          -16, corner, kWhite);
    }
}

}  // namespace

void D3DHud_Draw()
{
    DrawNames();
    DrawInfoBar();
    DrawClock();
    DrawQuickPreview();
    DrawScore();
    DrawActivePlayers();
    D3DServices.DisplayEvent2(DrawNews);
    DrawRadar();
    DrawReplayBar();
    DrawReplayTitle();
    DrawSubstitutionRequests();
    GfxMgr_SetOrigin(0, 0, kLeftTop);
}

void D3DHud_DrawPanelBar(int32_t x, int32_t y, int32_t width)
{
    const int32_t piece = SetWidth(HUDSET_PANEL);
    const int32_t pieces = width / piece;
    for (int32_t k = 0; k < pieces; ++k) {
        const int32_t icon = k == 0 ? 0 : k == pieces - 1 ? 2 : 1;
        Icon_Draw(Handle(HUDSET_PANEL, icon), x, y, kLeftTop);
        x += piece;
    }
}

void D3DHud_RadarPoint(float x, float y, int32_t panelWidth, int32_t panelHeight, int32_t* across,
                       int32_t* down)
{
    const float along = (PITCH_LENGTH - (y - PITCH_NEAR_GOAL_LINE_Y)) / PITCH_LENGTH;
    const float side = (x - PITCH_LEFT_TOUCHLINE_X) / PITCH_WIDTH;
    const bool wide = panelWidth > panelHeight;
    const float a = wide ? along : side, d = wide ? side : along;
    *across =
        std::clamp(static_cast<int32_t>(a * static_cast<float>(panelWidth)), 0, panelWidth - 1);
    *down =
        std::clamp(static_cast<int32_t>(d * static_cast<float>(panelHeight)), 0, panelHeight - 1);
}

void D3DHud_ScoreLine(int32_t side, char* out, int32_t size)
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const bool shootOut = Match.period == MATCH_PERIOD_SHOOT_OUT;
    const int32_t goals = shootOut ? Match.shootOutGoals[side] : Match.score[side];
    const char* name = block.sides[side].teamName;
    const auto bytes = static_cast<size_t>(size);
    if (block.secondLeg != 0 && !shootOut)
        std::snprintf(out, bytes, "%.*s - %2d (%d)", MATCH_TEAM_NAME_BYTES, name, goals,
                      goals + block.sides[side].firstLegGoals);
    else
        std::snprintf(out, bytes, "%.*s - %2d", MATCH_TEAM_NAME_BYTES, name, goals);
}

int32_t D3DHud_ReplayBarTop()
{
    return static_cast<int32_t>(ScreenHeight()) - SetHeight(HUDSET_REPLAY_BAR);
}

int32_t D3DHud_InfoBarWidth(const char* text)
{
    return GfxMgr_StringWidth(HUDSET_MIDDLE_FONT, text) / kPieceWidth * kPieceWidth
           + 2 * kPieceWidth;
}
