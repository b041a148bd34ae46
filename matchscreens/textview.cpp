// matchscreens/textview.cpp: the text match view: its pacing, its panels and its hot-zones.
#include "matchscreens/textview.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/poll.h"
#include "engine/script.h"
#include "engine/timer.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "matchscreens/matchkeys.h"
#include "menus/hotregion.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "viewservices/hotzone.h"
#include "viewservices/motioncap.h"
#include "viewservices/timedevents.h"

int16_t SpeedIndex = 2;
int16_t RadarDisplay[2] = {1, 1};
TextViewState TextView;

namespace {

constexpr int32_t kBackground = 17;
constexpr int32_t kSpeedStart = 2;
constexpr int32_t kScreenWidth = 640;

// Hot-zones.
constexpr int32_t ZONE_TACTICS = 0, ZONE_FASTER = 2, ZONE_SLOWER = 3, ZONE_GRAPH = 4;
constexpr int32_t ZONE_LEFT_SIDE = 5, ZONE_RIGHT_SIDE = 6;
struct ZoneRow {
    int32_t zone;
    int16_t x, y, w, h;
};
constexpr ZoneRow kZones[] = {
    {ZONE_TACTICS, 544, 443, 88, 20},   {ZONE_FASTER, 0, 436, 32, 14},
    {ZONE_SLOWER, 0, 453, 32, 14},      {ZONE_GRAPH, 270, 232, 100, 90},
    {ZONE_LEFT_SIDE, 249, 200, 61, 18}, {ZONE_RIGHT_SIDE, 331, 200, 61, 18},
};

// Texts.
constexpr int32_t TEXT_TACTICS = 261, TEXT_STOPPAGE = 628, TEXT_PENALTIES = 613;
constexpr int32_t TEXT_OWN_GOAL = 698;
constexpr int32_t kStatLabels[] = {1838, 922, 1437, 925, 1642};
constexpr int32_t kColumnHeads[] = {688, 689, 1600, 692, 683};

// Icons.
constexpr int32_t ICON_POSITION_FIRST = 89;  // four position classes
constexpr int32_t ICON_RED_CARD = 1208, ICON_YELLOW_CARD = 1209, ICON_KNOCK = 1210;
constexpr int32_t ICON_DIGIT_FIRST = 1237;  // 0-9, then the colon
constexpr int32_t ICON_CLOCK_PANEL = 1343, ICON_RADAR = 1234, ICON_BALL = 1231;

// Alignment codes.

// Font colour indexes.
constexpr int32_t COLOUR_WHITE = 0;

// Places.
constexpr int32_t kPanelBase[2] = {0, 404};
constexpr int32_t kPanelWidth[2] = {240, 236};  // side 1's box ends at the screen's edge
constexpr int32_t kColumnX[5] = {126, 146, 166, 186, 206};
// Three letters are wider than a column, so the heads alternate between two rows.
constexpr int32_t kColumnHeadY[2] = {79, 92};
// The speed buttons are drawn from inside the background's frame line, right of x 9.
constexpr int32_t kSpeedButtonInset = 12;
constexpr int32_t kRadarX = 242, kRadarY = 91, kRadarW = 157, kRadarH = 107;
constexpr int32_t kRadarClip[4] = {236, 85, 406, 201};  // exclusive bounds
// What each frame repaints of the radar; the marks are kept inside it so they leave no trail,
// and it stops short of both line-up panels, which are drawn less often.
constexpr int32_t kRadarArea[4] = {240, 85, 164, 118};
constexpr int32_t kRadarDotW = 13, kRadarDotH = 11;
constexpr int32_t kGraphX = 270, kGraphY = 232, kGraphW = 100, kGraphH = 90;
// The hovered offset is centred on the pointer, so its label may stand out past the graph's sides.
constexpr int32_t kGraphLabelBand[4] = {kGraphX - 20, kGraphY + kGraphH, kGraphW + 40, 14};
constexpr int32_t kClockX = 280, kClockY = 69, kClockAdvance = 14;
// The score stays inside the background's dark band, clear of the news line under it.
constexpr int32_t kScoreBand[4] = {0, 20, kScreenWidth, 30};
constexpr int32_t kEventBox[4] = {60, 50, 520, 14};
constexpr int32_t kEventBoxPadding = 2;  // the 2D view's box round the line
constexpr int32_t kCommentaryBox[4] = {64, 436, 472, 40};
constexpr int32_t kSpeedLabel[4] = {34, 444, 29, 16};  // "x 10" at most, left of the commentary
constexpr int32_t kEventsTop = 310, kEventsShown = 7, kEventRowHeight = 16;
constexpr int32_t kStatsTop = 342, kStatsRow = 16;
// Left edge and width of each side's numbers, clear of the goals and cards beside them.
constexpr int32_t kStatsNumbers[2][2] = {{240, 24}, {376, 28}};
constexpr int32_t kTerritoryStep = 5;
constexpr uint8_t kNoTerritory = 255;
constexpr uint16_t kHoverLineColour = 0xFFE0;
constexpr int32_t kGraphVeilAlpha = 128;

int32_t GraphLength() { return Match.period <= 1 ? 90 : 120; }

uint16_t SideColour565(int32_t side)
{
    const uint8_t* c = TextView.sideColour[side];
    const auto channel = [](int32_t percent, int32_t top) { return percent * top / 100; };
    return static_cast<uint16_t>(channel(c[0], 31) << 11 | channel(c[1], 63) << 5
                                 | channel(c[2], 31));
}

// The side that plays on the left: side 0 while the ends flag is clear.
int32_t LeftSide() { return Match.secondOfPair != 0 ? 1 : 0; }

int32_t PositionClass(int32_t code)
{
    if (code == 0) return 0;
    if (code >= 1 && code <= 4) return 1;
    if (code >= 5 && code <= 9) return 2;
    if (code >= 10 && code <= 12) return 3;
    return code;
}

void Restore(const int32_t (&box)[4]) { RestoreFromBackBuffer(box[0], box[1], box[2], box[3]); }

void Text(int32_t x, int32_t y, int32_t font, int32_t colour, const char* text, int32_t align)
{
    SetMenuFont(font);
    SetDrawAttribute(1, colour);
    DrawMenuString(x, y, text, align);
}

// Cuts the text in place to the longest start that fits `width` pixels in the current font.
void CutToWidth(char* text, int32_t width)
{
    for (size_t n = std::strlen(text); n > 0; --n) {
        int32_t w = 0, h = 0;
        MeasureMenuText(text, &w, &h);
        if (w <= width) return;
        text[n - 1] = '\0';
    }
}

// A name too long for `width` keeps its last words that fit ("Stade Bricourt" reads "Bricourt"),
// and only a single word too long is cut.
void ShortenName(char* text, int32_t width)
{
    int32_t w = 0, h = 0;
    MeasureMenuText(text, &w, &h);
    for (char* space = std::strchr(text, ' '); w > width && space != nullptr;
         space = std::strchr(text, ' ')) {
        std::memmove(text, space + 1, std::strlen(space + 1) + 1);
        MeasureMenuText(text, &w, &h);
    }
    CutToWidth(text, width);
}

const ZoneRow& Zone(int32_t zone)
{
    return *std::find_if(std::begin(kZones), std::end(kZones),
                         [&](const ZoneRow& r) { return r.zone == zone; });
}

// A button drawn over a hot-zone, or over its part from `inset` pixels in (the speed zones start
// at the screen's edge, outside the background's frame).
void SmallButton(int32_t zone, const char* label, uint16_t colour, int32_t inset = 0)
{
    const ZoneRow& z = Zone(zone);
    const int32_t x = z.x + inset, w = z.w - inset;
    SetDrawAttribute(2, colour);
    SetDrawAttribute(4, 1);
    DoButton(x, z.y, w, z.h);
    char shown[64];
    std::snprintf(shown, sizeof(shown), "%s", label);
    SetMenuFont(0);
    ShortenName(shown, w - 4);
    Text(x + w / 2, z.y + z.h / 2, 0, COLOUR_WHITE, shown, MENU_ALIGN_CENTRE);
}

void DrawSideMarkers()
{
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t x = side == LeftSide() ? 228 : 404;
        for (int32_t line = 0; line < 6; ++line)
            DrawMenuLine(x, 120 + 2 * line, x + 7, 120 + 2 * line, SideColour565(side));
    }
}

void DrawStaticLabels()
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t base = kPanelBase[side];
        char name[MATCH_TEAM_NAME_BYTES + 1] = {};
        std::memcpy(name, block.sides[side].teamName, MATCH_TEAM_NAME_BYTES);
        Text(base + 120, 62, 1, COLOUR_WHITE, name, MENU_ALIGN_TC);
        for (int32_t c = 0; c < 5; ++c)
            Text(base + kColumnX[c], kColumnHeadY[c % 2], 0, COLOUR_WHITE,
                 GetMessageText(kColumnHeads[c]), MENU_ALIGN_TL);
    }
    for (int32_t k = 0; k < 5; ++k)
        Text(320, kStatsTop + kStatsRow * k, 0, COLOUR_WHITE, GetMessageText(kStatLabels[k]),
             MENU_ALIGN_TC);
    SmallButton(ZONE_TACTICS, GetMessageText(TEXT_TACTICS), 0x4208);
    SmallButton(ZONE_FASTER, "+", 0x4208, kSpeedButtonInset);
    SmallButton(ZONE_SLOWER, "-", 0x4208, kSpeedButtonInset);
    const int32_t left = LeftSide();
    for (int32_t k = 0; k < 2; ++k) {
        const int32_t side = k == 0 ? left : 1 - left;
        char name[MATCH_TEAM_NAME_BYTES + 1] = {};
        std::memcpy(name, block.sides[side].teamName, MATCH_TEAM_NAME_BYTES);
        SmallButton(k == 0 ? ZONE_LEFT_SIDE : ZONE_RIGHT_SIDE, name, SideColour565(side));
    }
}

void DrawFigure(int32_t x, int32_t y, int32_t value, int32_t colour)
{
    char text[12];
    std::snprintf(text, sizeof(text), "%d", value);
    Text(x, y, 0, colour, text, MENU_ALIGN_TL);
}

void DrawCardIcons(int32_t base, int32_t y, uint16_t cardBits)
{
    const int32_t bookings = (cardBits >> 6) & 3;
    if (bookings == 1) DoIcon(base + 210, y, ICON_YELLOW_CARD, MENU_ALIGN_TL);
    if (bookings == 2) {
        DoIcon(base + 208, y, ICON_YELLOW_CARD, MENU_ALIGN_TL);
        DoIcon(base + 212, y, ICON_RED_CARD, MENU_ALIGN_TL);
    }
    if (bookings == 3) DoIcon(base + 210, y, ICON_RED_CARD, MENU_ALIGN_TL);
    if ((cardBits >> 8 & 3) != 0) DoIcon(base + 220, y, ICON_KNOCK, MENU_ALIGN_TL);
}

void DrawLineUpRow(int32_t side, int32_t row, int32_t iconHeight)
{
    const int32_t base = kPanelBase[side];
    const int32_t y = 100 - iconHeight / 2 + (row + 1) * (iconHeight - 2);
    const int32_t slot = Football_GetSidePlayer(side, row);
    const int32_t person = side * MATCH_PERSONS_PER_SIDE + slot;
    const int32_t code = GetMatchSidesBlock()->sides[side].entries[slot].positionCode;
    const int32_t positionClass = PositionClass(code);
    if (positionClass < 0 || positionClass > 3)
        FatalError("ERROR:analysis default case,%d %d %d", slot, person, side);
    SetDrawAttribute(2, 0x0000);
    DoShadedBox(base, y, kPanelWidth[side], iconHeight - 2, 40);
    DoIcon(base + 2, y, ICON_POSITION_FIRST + positionClass, MENU_ALIGN_TL);
    Text(base + 28, y + 2, 0, COLOUR_WHITE, MatchPersons[person].name, MENU_ALIGN_TL);
    MatchViewEntry entry{};
    Football_BuildMatchView(&entry, side, slot);
    const int32_t figures[4] = {entry.commitment, entry.participation, entry.condition,
                                entry.rating};
    for (int32_t c = 0; c < 4; ++c)
        DrawFigure(base + kColumnX[c], y + 2, figures[c], TextView_FigureColour(figures[c]));
    DrawFigure(base + kColumnX[4], y + 2, entry.goals, COLOUR_WHITE);
    DrawCardIcons(base, y, entry.cardBits);
}

void DrawLineUps()
{
    int32_t w = 0, h = 0;
    GetIconSize(ICON_POSITION_FIRST, &w, &h);
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t top = 100 - h / 2 + (h - 2);
        RestoreFromBackBuffer(kPanelBase[side], top, kPanelWidth[side], MATCH_STARTERS * (h - 2));
        for (int32_t row = 0; row < MATCH_STARTERS; ++row)
            DrawLineUpRow(side, row, h);
    }
}

void RadarPoint(int32_t pitchX, int32_t pitchY, int32_t* x, int32_t* y)
{
    *x = kRadarX
         + (pitchY - Pitch.firstGoalLine) * kRadarW / std::max<int32_t>(Pitch.pitchLength, 1);
    *y = kRadarY
         + (Pitch.rightTouchline - pitchX) * kRadarH / std::max<int32_t>(Pitch.pitchWidth, 1);
}

bool InsideRadar(int32_t x, int32_t y)
{
    return x > kRadarClip[0] && x < kRadarClip[2] && y > kRadarClip[1] && y < kRadarClip[3];
}

// The top-left corner of a w x h mark centred on (x, y), moved inside the radar's area.
void PlaceInRadar(int32_t x, int32_t y, int32_t w, int32_t h, int32_t* left, int32_t* top)
{
    *left = std::clamp(x - w / 2, kRadarArea[0], kRadarArea[0] + kRadarArea[2] - w);
    *top = std::clamp(y - h / 2, kRadarArea[1], kRadarArea[1] + kRadarArea[3] - h);
}

void DrawRadarPlayer(int32_t side, int32_t row)
{
    const MatchPerson& p = MatchPersons[LineUp[side][row]];
    if (p.offPitch != 0) return;
    int32_t x = 0, y = 0;
    RadarPoint(p.x, p.y, &x, &y);
    if (!InsideRadar(x, y)) return;
    int32_t left = 0, top = 0;
    PlaceInRadar(x, y, kRadarDotW, kRadarDotH, &left, &top);
    SetDrawAttribute(2, SideColour565(side));
    DoShadedBox(left, top, kRadarDotW, kRadarDotH, 85);
    char number[12];
    std::snprintf(number, sizeof(number), "%d", row + 1);
    Text(left + kRadarDotW / 2, top + kRadarDotH / 2, 0, COLOUR_WHITE, number, MENU_ALIGN_CENTRE);
}

void DrawRadar()
{
    Restore(kRadarArea);
    for (int32_t side = 0; side < 2; ++side) {
        if (RadarDisplay[side] == 0) continue;
        for (int32_t row = 0; row < MATCH_STARTERS; ++row)
            DrawRadarPlayer(side, row);
    }
    int32_t x = 0, y = 0;
    RadarPoint(MatchPersons[MATCH_BALL].x, MatchPersons[MATCH_BALL].y, &x, &y);
    if (!InsideRadar(x, y)) return;
    int32_t w = 0, h = 0, left = 0, top = 0;
    GetIconSize(ICON_BALL, &w, &h);
    PlaceInRadar(x, y, w, h, &left, &top);
    DoIcon(left, top, ICON_BALL, MENU_ALIGN_TL);
}

void DrawClock()
{
    int32_t w = 0, h = 0;
    GetIconSize(ICON_CLOCK_PANEL, &w, &h);
    RestoreFromBackBuffer(276, 66, w, h);
    TextView_DrawClockFace(kClockX, kClockY, 276 + w / 2, 66 + h / 2);
}

void DrawScore()
{
    Restore(kScoreBand);
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const bool shootOut = Match.period == MATCH_PERIOD_SHOOT_OUT;
    char text[2][96];
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t goals = shootOut ? Match.shootOutGoals[side] : Match.score[side];
        char name[MATCH_TEAM_NAME_BYTES + 1] = {};
        std::memcpy(name, block.sides[side].teamName, MATCH_TEAM_NAME_BYTES);
        char aggregate[16] = "";
        if (block.secondLeg == 1)
            std::snprintf(aggregate, sizeof(aggregate), " (%d)",
                          Match.score[side] + block.sides[side].firstLegGoals);
        if (side == 0)
            std::snprintf(text[0], sizeof(text[0]), "%s - %2d%s", name, goals, aggregate);
        else
            std::snprintf(text[1], sizeof(text[1]), "%2d%s - %s", goals, aggregate, name);
    }
    Text(312, kScoreBand[1] + 3, 2, COLOUR_WHITE, text[0], MENU_ALIGN_TR);
    Text(328, kScoreBand[1] + 3, 2, COLOUR_WHITE, text[1], MENU_ALIGN_TL);
}

int32_t StoredTerritory(int32_t minute)
{
    const uint8_t value = GetMatchDataBlock()->territory[minute];
    return value == kNoTerritory ? 50 : std::min<int32_t>(value, 100);
}

// The shade of a share's j-th pixel column: red rising over its first fifty columns.
uint16_t GraphShade(int32_t j)
{
    return static_cast<uint16_t>(std::min(2 * j, 100) * 32 / 101 << 11);
}

// Side 0's share v from the left and side 1's 100 - v after it, each shaded column by column and
// veiled by its side's colour.
void DrawGraphRow(int32_t y, int32_t h, int32_t v)
{
    for (int32_t j = 0; j < v; ++j)
        FillMenuRect(kGraphX + j, y, 1, h, GraphShade(j));
    for (int32_t j = 0; j < 100 - v; ++j)
        FillMenuRect(kGraphX + v + j, y, 1, h, GraphShade(j));
    if (v > 0) DrawTranslucentRect(kGraphX, y, v, h, SideColour565(0), kGraphVeilAlpha);
    if (v < 100) DrawTranslucentRect(kGraphX + v, y, 100 - v, h, SideColour565(1), kGraphVeilAlpha);
}

void DrawGraph(bool hovered)
{
    RestoreFromBackBuffer(kGraphX, kGraphY, kGraphW, kGraphH);
    Restore(kGraphLabelBand);
    if (GetMatchDataBlock()->territory[0] != kNoTerritory) {
        const int32_t length = GraphLength();
        const int32_t current = TextView_CurrentMinute();
        for (int32_t m = 0; m <= current; ++m) {
            int16_t& shown = TextView.shownTerritory[m];
            shown = static_cast<int16_t>(std::clamp<int32_t>(
                StoredTerritory(m), shown - kTerritoryStep, shown + kTerritoryStep));
        }
        const int32_t rowHeight = std::max(1, 180 / length);
        for (int32_t m = 0; m <= current; m += 2) {
            const int32_t y = kGraphY + (m / 2) * 180 / length;
            if (y >= kGraphY + kGraphH) break;
            const int32_t next = std::min(m + 1, TEXTVIEW_GRAPH_MINUTES - 1);
            const int32_t v = (TextView.shownTerritory[m] + TextView.shownTerritory[next]) / 2;
            DrawGraphRow(y, std::min(rowHeight, kGraphY + kGraphH - y), v);
        }
    }
    if (!hovered) Text(320, kGraphY + kGraphH, 0, COLOUR_WHITE, "50", MENU_ALIGN_TC);
}

void RedrawEventLine(const char* message)
{
    Restore(kEventBox);
    TextView_DrawEventLine(320, 57, kEventBox[2], false, message);
}

void KeepEventLine(const char*) {}

// The message is drawn again every 18th frame; its end clears its box at once.
void DrawTimedEvent()
{
    const bool due = TextView.frameCounter % 18 == 0 || TextView.fullRedraw != 0;
    const bool shown = DisplayEvent2(TimedEvents.current, TIMEDEVENT_FORM_MENU,
                                     due ? RedrawEventLine : KeepEventLine);
    if (!shown && TextView.eventShown) Restore(kEventBox);
    if (due || !shown) TextView.eventShown = shown;
}

void DrawCommentary()
{
    const bool changed =
        std::strncmp(TextView.shownCommentary, CommentaryLine, sizeof(TextView.shownCommentary))
        != 0;
    if (TextView.frameCounter % 21 != 0 && TextView.fullRedraw == 0 && !changed) return;
    Restore(kCommentaryBox);
    std::memcpy(TextView.shownCommentary, CommentaryLine, sizeof(TextView.shownCommentary));
    TextView.shownCommentary[sizeof(TextView.shownCommentary) - 1] = '\0';
    if (TextView.shownCommentary[0] == '\0') return;
    SetMenuFont(1);
    SetDrawAttribute(1, COLOUR_WHITE);
    DoTextBox(kCommentaryBox[0], kCommentaryBox[1], TextView.shownCommentary, MENU_ALIGN_TL,
              kCommentaryBox[2], kCommentaryBox[3]);
}

void DrawStatistics()
{
    for (int32_t side = 0; side < 2; ++side)
        RestoreFromBackBuffer(kStatsNumbers[side][0], kStatsTop, kStatsNumbers[side][1],
                              5 * kStatsRow);
    for (int32_t side = 0; side < 2; ++side) {
        const TeamStatistics& s = Match.teamStats[side];
        const int32_t values[5] = {s.shots, s.shotsOnTarget, s.fouls, s.corners, s.offsides};
        for (int32_t k = 0; k < 5; ++k) {
            char text[12];
            std::snprintf(text, sizeof(text), "%d", values[k]);
            Text(side == 0 ? 262 : 378, kStatsTop + kStatsRow * k, 0, COLOUR_WHITE, text,
                 side == 0 ? MENU_ALIGN_TR : MENU_ALIGN_TL);
        }
    }
}

void DrawGoalsAndCards()
{
    const MatchDataBlock& data = *GetMatchDataBlock();
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t base = kPanelBase[side];
        RestoreFromBackBuffer(base, kEventsTop, kPanelWidth[side], kEventsShown * kEventRowHeight);
        const MatchEventRow* rows[kEventsShown];
        int32_t n = 0;
        for (int32_t e = std::min<int32_t>(data.eventCount, MATCH_EVENT_MAX) - 1;
             e >= 0 && n < kEventsShown; --e) {
            const MatchEventRow& row = data.events[e];
            if (row.a == side && (row.kind == 0 || row.kind == 2 || row.kind == 3))
                rows[n++] = &row;
        }
        for (int32_t i = 0; i < n; ++i) {
            const int32_t y = (n - i - 1) * kEventRowHeight + kEventsTop;
            char minute[12];
            std::snprintf(minute, sizeof(minute), "%d'", rows[i]->minute);
            Text(base + 4, y, 0, COLOUR_WHITE, minute, MENU_ALIGN_TL);
            if (rows[i]->kind == 0)
                Text(base + 30, y, 0, COLOUR_WHITE, TextView_GoalScorer(side, rows[i]->b),
                     MENU_ALIGN_TL);
            else
                DoIcon(base + 30, y, rows[i]->kind == 2 ? ICON_YELLOW_CARD : ICON_RED_CARD,
                       MENU_ALIGN_TL);
        }
    }
}

void DrawSpeed()
{
    RestoreFromBackBuffer(kSpeedLabel[0], kSpeedLabel[1], kSpeedLabel[2], kSpeedLabel[3]);
    char label[16];
    std::snprintf(label, sizeof(label), "x %d", SpeedTable[SpeedIndex] / 50);
    Text(kSpeedLabel[0] + 2, kSpeedLabel[1] + 8, 0, COLOUR_WHITE, label, MENU_ALIGN_ML);
}

void ActOnZone(int32_t zone)
{
    switch (zone) {
        case ZONE_TACTICS: MatchShared.menuRequest = 1; break;
        case ZONE_FASTER:
            SpeedIndex =
                static_cast<int16_t>(std::min<int32_t>(SpeedIndex + 1, TEXTVIEW_FASTEST_OFFERED));
            break;
        case ZONE_SLOWER: SpeedIndex = static_cast<int16_t>(std::max(SpeedIndex - 1, 0)); break;
        case ZONE_LEFT_SIDE: RadarDisplay[LeftSide()] ^= 1; break;
        case ZONE_RIGHT_SIDE: RadarDisplay[1 - LeftSide()] ^= 1; break;
        default: break;
    }
}

void HoverGraph(int32_t x)
{
    DrawTranslucentRect(x, kGraphY, 1, kGraphH, kHoverLineColour, 64);
    char offset[12];
    std::snprintf(offset, sizeof(offset), "%d", x - kGraphX);
    Text(x, kGraphY + kGraphH, 0, COLOUR_WHITE, offset, MENU_ALIGN_TC);
}

constexpr MatchViewOps kTextViewOps = {
    Analysis_Init,  Analysis_Destroy, Analysis_Step,
    Analysis_Frame, Analysis_Update,  [] { return static_cast<int32_t>(TextView.frameCounter); }};

}  // namespace

void TextView_Init()
{
    SpeedIndex = kSpeedStart;
    RadarDisplay[0] = RadarDisplay[1] = 1;
    TextView = {};
}

void TextView_Uninit() { TextView_Init(); }

void TextView_Register()
{
    MatchView_Register(VIEWKIND_TEXT, &kTextViewOps);
    ScriptRegisterValue("phase", [] { return int32_t{Match.phase}; });
    ScriptRegisterValue("clock", [] { return static_cast<int32_t>(GetMatchClockSeconds()); });
    ScriptRegisterValue("speed", [] { return int32_t{SpeedIndex}; });
    ScriptRegisterValue("score0", [] { return int32_t{Match.score[0]}; });
    ScriptRegisterValue("score1", [] { return int32_t{Match.score[1]}; });
}

void TextView_TakeSideColours()
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    for (int32_t side = 0; side < 2; ++side) {
        const KitDesign kit = MatchSide_GetKit(block.sides[side]);
        const KitColour& c = KitColourTable[KitColour_Clamp(kit.colours[0][0])];
        TextView.sideColour[side][0] = static_cast<uint8_t>(c.r * 100 / 255);
        TextView.sideColour[side][1] = static_cast<uint8_t>(c.g * 100 / 255);
        TextView.sideColour[side][2] = static_cast<uint8_t>(c.b * 100 / 255);
    }
}

void Analysis_Init()
{
    TextView = {};
    TextView.nextFrameTime = static_cast<float>(TickCount.load());
    std::fill(std::begin(TextView.shownTerritory), std::end(TextView.shownTerritory), 50);
    TextView_TakeSideColours();
    TextView.lastEnds = Match.secondOfPair;
    TextView.shown = true;
    LoadMotionCaptures();
    InitSetOfMenus();
    TextView_DrawStaticScreen();
}

void Analysis_Destroy()
{
    TextView.shown = false;
    ShutdownMenuGraphics();
    FreeMotionCaptures();
}

void Analysis_Step()
{
    TimedEvents_Step();
    HighLight_Tick();
}

void Analysis_Update() {}

void Analysis_Frame()
{
    if (!TextView_PaceFrame(TextView.nextFrameTime, TextView.skippedFrames, SpeedTable[SpeedIndex]))
        return;
    ++TextView.frameCounter;
    TextView_DrawScreen();
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    PointerFrame(&x, &y, &buttons);
    TextView_Input(x, y, (buttons & 1) != 0);
    MatchKeys_ReadControllers(0);
}

void TextView_DrawStaticScreen()
{
    DoBackground(kBackground);
    HotZone_Reset();
    for (const ZoneRow& z : kZones)
        HotZone_Set(z.zone, z.x, z.y, z.w, z.h);
    DoIcon(276, 66, ICON_CLOCK_PANEL, MENU_ALIGN_TL);
    DoIcon(237, 86, ICON_RADAR, MENU_ALIGN_TL);
    DrawSideMarkers();
    DrawStaticLabels();
    CopyBackBuffer();
    TextView.fullRedraw = 1;
}

void TextView_DrawScreen()
{
    if (Match.secondOfPair != TextView.lastEnds) {
        TextView.lastEnds = Match.secondOfPair;
        TextView_DrawStaticScreen();
    }
    const uint32_t frame = TextView.frameCounter;
    const bool full = TextView.fullRedraw != 0;
    if (frame % 20 == 0 || full) DrawLineUps();
    DrawRadar();
    DrawClock();
    DrawScore();
    DrawGraph(false);
    DrawTimedEvent();
    DrawCommentary();
    if (frame % 11 == 0 || full) DrawStatistics();
    if (frame % 19 == 0 || full) DrawGoalsAndCards();
    DrawSpeed();
    if (full) {
        PresentMenuScreen();
        TextView.fullRedraw = 0;
    } else {
        PresentChangedRects();
    }
}

void TextView_Input(int32_t x, int32_t y, bool down)
{
    if (!down) TextView.pressLatch = 0;
    for (int32_t zone = 0; zone < HOTZONE_COUNT; ++zone) {
        if (!HotZone_Holds(zone, x, y)) continue;
        if (zone == ZONE_GRAPH) {
            DrawGraph(true);
            HoverGraph(x);
            continue;
        }
        if (!down || TextView.pressLatch != 0) continue;
        TextView.pressLatch = 1;
        ActOnZone(zone);
    }
}

const char* TextView_ClockText()
{
    static char text[16];
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) return GetMessageText(TEXT_PENALTIES);
    if (Match.periodTicks >= Match.periodLength) return GetMessageText(TEXT_STOPPAGE);
    const uint32_t seconds = GetMatchClockSeconds();
    std::snprintf(text, sizeof(text), "%3u:%02u", seconds / 60, seconds % 60);
    return text;
}

const char* TextView_GoalScorer(int32_t side, int32_t playerId)
{
    static char label[MATCH_ENTRY_NAME_BYTES + 8];
    label[0] = '\0';
    // An own goal's scorer plays for the side that conceded it.
    for (const int32_t team : {side, side ^ 1}) {
        for (int32_t s = 0; s < MATCH_PERSONS_PER_SIDE; ++s) {
            const MatchPerson& p = MatchPersons[team * MATCH_PERSONS_PER_SIDE + s];
            if (p.playerId != playerId) continue;
            std::snprintf(label, sizeof label, team == side ? "%s" : "%s %s", p.name,
                          GetMessageText(TEXT_OWN_GOAL));
            return label;
        }
    }
    return label;
}

int32_t TextView_CurrentMinute()
{
    if (Match.period == MATCH_PERIOD_SHOOT_OUT) return TEXTVIEW_GRAPH_MINUTES - 1;
    return std::min<int32_t>(static_cast<int32_t>(GetMatchClockSeconds() / 60),
                             TEXTVIEW_GRAPH_MINUTES - 1);
}

int32_t TextView_FigureColour(int32_t value)
{
    if (value > 80) return 6;
    if (value > 65) return 12;
    if (value > 50) return 0;
    if (value > 40) return 16;
    return 4;
}

bool TextView_PaceFrame(float& nextFrameTime, int32_t& skippedFrames, int32_t speed)
{
    nextFrameTime += 100.0f / static_cast<float>(speed);
    if (nextFrameTime < static_cast<float>(TickCount.load()) && skippedFrames < speed / 20) {
        ++skippedFrames;
        return false;
    }
    skippedFrames = 0;
    while (static_cast<float>(TickCount.load()) < nextFrameTime)
        Poll();
    nextFrameTime = static_cast<float>(TickCount.load());
    return true;
}

void TextView_DrawClockFace(int32_t x, int32_t y, int32_t textX, int32_t textY)
{
    const char* text = TextView_ClockText();
    if (!std::isdigit(static_cast<unsigned char>(text[std::strlen(text) - 1]))) {
        Text(textX, textY, 0, COLOUR_WHITE, text, MENU_ALIGN_CENTRE);
        return;
    }
    for (const char* c = text; *c != '\0'; ++c, x += kClockAdvance) {
        if (*c == ' ') continue;
        const int32_t icon = *c == ':' ? ICON_DIGIT_FIRST + 10 : ICON_DIGIT_FIRST + (*c - '0');
        DoIcon(x, y, icon, MENU_ALIGN_TL);
    }
}

void TextView_DrawEventLine(int32_t centreX, int32_t centreY, int32_t width, bool box,
                            const char* message)
{
    char line[TIMEDEVENT_TEXT_BYTES];
    std::snprintf(line, sizeof(line), "%s", message);
    std::replace(line, line + std::strlen(line), '\n', ' ');
    SetMenuFont(0);
    CutToWidth(line, width);
    if (box) {
        int32_t w = 0, h = 0;
        MeasureMenuText(line, &w, &h);
        SetDrawAttribute(2, 0x0000);
        DoShadedBox(centreX - w / 2 - kEventBoxPadding, centreY - h / 2 - kEventBoxPadding,
                    w + 2 * kEventBoxPadding, h + 2 * kEventBoxPadding, 50);
    }
    Text(centreX, centreY, 0, COLOUR_WHITE, line, MENU_ALIGN_CENTRE);
}
