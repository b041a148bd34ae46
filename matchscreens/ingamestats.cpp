// matchscreens/ingamestats.cpp: the in-match statistics, timeline and shoot-out list screens, and
// the penalty order screen before a shoot-out.
#include "matchscreens/ingamestats.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "engine/fatal.h"
#include "engine/script.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchloop.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/presentation.h"
#include "matchscreens/ingameteams.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"

namespace {

constexpr int32_t NONE = -1;
constexpr uint8_t CENTRED = 0x55, LEFT = 0x54, RIGHT = 0x56;  // vertically centred
constexpr int32_t COLOUR_NORMAL = 0, COLOUR_PICKED = 1, COLOUR_HIGHLIGHT = 8;
constexpr int32_t LINE_HOME = 4, LINE_AWAY = 3;
constexpr int32_t BUTTON_PLAIN = 1, BUTTON_BOX = 3;
constexpr int32_t TEXT_SHOOT_OUT = 1511, TEXT_TIMELINE = 1835, TEXT_END = 75;
constexpr int32_t STARTERS = 11, FIRST_TAKER_PLACE = 1;
// The squad skills' columns (InGameTeams_SquadSkill).
constexpr int32_t SKILL_SHOOTING = 4, SKILL_DEAD_BALL = 6, SKILL_MENTAL = 7;

// Statistics.
constexpr int32_t STATS_BACKGROUND = 2;
constexpr int32_t TERRITORY_Y = 100, TERRITORY_W = 100, TERRITORY_H = 24;
constexpr int32_t kTerritoryX[3] = {192, 305, 418};
constexpr int32_t ROWS_TOP = 140, ROW_PITCH = 28, ROW_H = 22, COLUMN_W = 200;
constexpr int32_t HOME_X = 20, LABEL_X = 220, AWAY_X = 420;
constexpr int32_t FULL_PERCENT = 100, EVEN_SHARE = 50;

// Timeline.
constexpr int32_t PLOT_X = 80, PLOT_Y = 80, PLOT_W = 530, PLOT_H = 250;
constexpr int32_t VALUE_LABELS_X = 68, MINUTE_LABELS_Y = 342, MINUTE_LABEL_STEP = 15;
constexpr int32_t NORMAL_MINUTES = 90, EXTRA_MINUTES = 120;
constexpr uint8_t NO_VALUE = 255;
constexpr int32_t STEP_PERCENT = 20;
constexpr int32_t LABEL_ROWS = 4, LABEL_ROW_PITCH = 11, LABEL_EDGE = 8, MARKER_GAP = 3;
constexpr int32_t PLOT_MIDDLE_X = PLOT_X + PLOT_W / 2;

// The event rows' kinds and the word each is labelled with; bookings are not shown.
constexpr uint8_t EVENT_BOOKING = 2;
struct EventWord {
    uint8_t kind;
    int32_t textNo;
};
constexpr EventWord kEventWords[] = {{0, 633}, {1, 2134}, {3, 2135}, {4, 631}};

// Shoot-out list.
constexpr int32_t LIST_TOP = 110, LIST_ROW = 16, LIST_FIRST_FIVE = 5;
constexpr int32_t BOX_X = 20, BOX_Y = 64, BOX_W = 600, BOX_H = 340, HEADER_Y = 86, HEADER_H = 16;
constexpr int32_t LIST_SKILLS_X = 400, LIST_SKILL_W = 50, LIST_NUMBER_X = 580;
constexpr int32_t kListSkills[3] = {SKILL_MENTAL, SKILL_DEAD_BALL, SKILL_SHOOTING};

// Penalty order.
constexpr int32_t PENALTY_BACKGROUND = 5;
constexpr int32_t PEN_BOX_X = 150, PEN_BOX_Y = 90, PEN_BOX_W = 340, PEN_BOX_H = 260;
constexpr int32_t PEN_ROW_X = 160, PEN_ROW_Y = 120, PEN_ROW_W = 314, PEN_ROW_H = 22;
constexpr int32_t PEN_HEADER_Y = 96, PEN_COLUMN_W = 34, PEN_LONG_NAME_Y = 60;
constexpr int32_t PEN_GRAPHIC_X = 172, PEN_NAME_X = 186;
constexpr int32_t END_X = 20, END_Y = 440, END_W = 600, END_H = 20;
struct PenaltyColumn {
    int32_t x;  // the column's middle
    int32_t header;
    int32_t longName;  // 0: none
    int32_t skill;     // NONE: the order number
};
constexpr PenaltyColumn kPenaltyColumns[] = {
    {318, 479, 45, SKILL_SHOOTING},
    {352, 489, 55, SKILL_MENTAL},
    {386, 482, 48, SKILL_DEAD_BALL},
    {442, 69, 0, NONE},
};

struct InGameStatsState {
    char title[128];
    const char* titleText;
    int32_t smoothed[IGS_MINUTES];
    InGameTimelineLabel labels[IGS_EVENT_LABELS];
    int32_t labelCount;
    int32_t listNumber[STARTERS];
    int32_t listPick;
    int32_t penaltySide;
    int32_t penaltyShown;                     // the side whose penalty order screen runs, NONE
    int32_t candidates[PENALTY_ORDER_COUNT];  // places
    int32_t candidateCount;
    int32_t penaltyPick;
    int32_t longName;  // text number on show, NONE
};

InGameStatsState s_stats;

const MatchDayBlock& Block() { return *GetMatchSidesBlock(); }

int32_t Share(int64_t own, int64_t other)
{
    if (own + other == 0) return EVEN_SHARE;
    return static_cast<int32_t>(own * FULL_PERCENT / (own + other));
}

// Toggles a pick between two rows: the first picks, a second swaps and drops it, the picked row
// again drops it.
template <typename Swap>
void PickOrSwap(int32_t* pick, int32_t row, Swap swap)
{
    if (*pick == NONE) {
        *pick = row;
        return;
    }
    if (*pick != row) swap(*pick, row);
    *pick = NONE;
}

void OpenScoreTitle() { InGameTeams_FormatScoreTitle(s_stats.title, sizeof(s_stats.title)); }

// ---------------------------------------------------------------------------------------------
// Statistics.

void DrawStatistics(int32_t, int32_t, int32_t, int32_t)
{
    const InGameStatsFigures figures = InGameStats_Figures(Match.thirdsTicks);
    char text[16];
    VT_SetFontColour(COLOUR_NORMAL);
    for (int32_t k = 0; k < 3; ++k) {
        VT_DrawButton(kTerritoryX[k] - TERRITORY_W / 2, TERRITORY_Y - TERRITORY_H / 2, TERRITORY_W,
                      TERRITORY_H, BUTTON_PLAIN);
        std::snprintf(text, sizeof(text), "%d%%", figures.territory[k]);
        VT_DrawTextAddr(kTerritoryX[k], TERRITORY_Y, CENTRED, text);
    }
    InGameStatsRow rows[IGS_ROWS];
    InGameStats_Rows(rows);
    for (int32_t r = 0; r < IGS_ROWS; ++r) {
        const int32_t top = ROWS_TOP + ROW_PITCH * r;
        const int32_t y = top + ROW_H / 2;
        const int32_t values[2] = {rows[r].home, rows[r].away};
        const int32_t valueX[2] = {HOME_X, AWAY_X};
        for (int32_t x : {HOME_X, LABEL_X, AWAY_X})
            VT_DrawButton(x, top, COLUMN_W, ROW_H, BUTTON_PLAIN);
        VT_DrawTextNo(LABEL_X + COLUMN_W / 2, y, CENTRED, rows[r].label);
        for (int32_t side = 0; side < 2; ++side) {
            std::snprintf(text, sizeof(text), rows[r].percent ? "%d%%" : "%d", values[side]);
            VT_DrawTextAddr(valueX[side] + COLUMN_W / 2, y, CENTRED, text);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Timeline.

int32_t PlotX(int32_t minute)
{
    const int32_t perMinute = PLOT_W / InGameStats_AxisMinutes();
    return std::min(PLOT_X + minute * perMinute, PLOT_X + PLOT_W);
}

int32_t PlotY(int32_t value)
{
    return PLOT_Y + (FULL_PERCENT - std::clamp(value, 0, FULL_PERCENT)) * PLOT_H / FULL_PERCENT;
}

// In extra time's stoppage the clock runs past the 120 minutes kept.
int32_t CurrentMinute() { return std::clamp(Match_GetMinute(), 0, IGS_MINUTES - 1); }

const char* NameOfPlayer(int32_t playerId)
{
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        if (playerId >= 0 && MatchPersons[person].playerId == playerId)
            return MatchPersons[person].name;
    }
    return "";
}

int32_t WordOf(uint8_t kind)
{
    for (const EventWord& w : kEventWords) {
        if (w.kind == kind) return w.textNo;
    }
    return NONE;
}

void FillTimeline()
{
    InGameStats_Smooth(GetMatchDataBlock()->territory, s_stats.smoothed);
    s_stats.labelCount = InGameStats_TimelineLabels(s_stats.labels);
}

void DrawAxes()
{
    VT_DrawButton(PLOT_X, PLOT_Y, PLOT_W, PLOT_H, BUTTON_PLAIN);
    VT_SetFontColour(COLOUR_NORMAL);
    for (int32_t value = FULL_PERCENT; value >= 0; value -= 25)
        VT_DrawNumber(VALUE_LABELS_X, PlotY(value), RIGHT, value);
    for (int32_t minute = MINUTE_LABEL_STEP; minute <= InGameStats_AxisMinutes();
         minute += MINUTE_LABEL_STEP)
        VT_DrawNumber(PlotX(minute), MINUTE_LABELS_Y, CENTRED, minute);
}

// Home's share of play is above the middle line, so each segment takes the colour of the side
// whose half it ends in.
void DrawCurve()
{
    for (int32_t m = 1; m <= CurrentMinute(); ++m) {
        const int32_t value = s_stats.smoothed[m];
        VT_DrawLine(PlotX(m - 1), PlotY(s_stats.smoothed[m - 1]), PlotX(m), PlotY(value),
                    value >= EVEN_SHARE ? LINE_HOME : LINE_AWAY);
    }
}

void DrawEvents()
{
    for (int32_t k = 0; k < s_stats.labelCount; ++k) {
        const InGameTimelineLabel& label = s_stats.labels[k];
        const int32_t edge = label.side == 0 ? PLOT_Y : PLOT_Y + PLOT_H;
        VT_DrawLine(label.x, edge, label.x, label.y, label.side == 0 ? LINE_HOME : LINE_AWAY);
        // Labels on the right half end at their marker, so that they stay on the screen.
        const bool leftHalf = label.x < PLOT_MIDDLE_X;
        VT_DrawTextAddr(leftHalf ? label.x + MARKER_GAP : label.x - MARKER_GAP, label.y,
                        leftHalf ? LEFT : RIGHT, label.text);
    }
}

void DrawTimeline(int32_t, int32_t, int32_t, int32_t)
{
    DrawAxes();
    DrawCurve();
    DrawEvents();
}

// ---------------------------------------------------------------------------------------------
// Shoot-out list.

void OpenShootOutList()
{
    for (int32_t place = 0; place < STARTERS; ++place)
        s_stats.listNumber[place] = place < LIST_FIRST_FIVE ? place + 1 : 0;
    s_stats.listPick = NONE;
}

void DrawShootOutList(int32_t, int32_t, int32_t, int32_t)
{
    const int32_t side = InGameMenuSide & 1;
    VT_DrawButton(BOX_X, BOX_Y, BOX_W, BOX_H, BUTTON_BOX);
    VT_SetFontColour(COLOUR_NORMAL);
    for (int32_t c = 0; c < 3; ++c)
        VT_DrawTextNo(LIST_SKILLS_X + LIST_SKILL_W * c, HEADER_Y + HEADER_H / 2, CENTRED,
                      InGameTeams_SquadHeader(kListSkills[c]));
    for (int32_t place = 0; place < STARTERS; ++place) {
        InGameLineUpRow row{};
        InGameTeams_LineUpRow(side, place, &row);
        const int32_t y = LIST_TOP + LIST_ROW * place + LIST_ROW / 2;
        if (row.shirtGraphic != 0) VT_DrawGraphic(34, y, CENTRED, row.shirtGraphic);
        VT_SetFontColour(COLOUR_NORMAL);
        VT_DrawNumber(34, y, CENTRED, row.shirt);
        VT_SetFontColour(place == s_stats.listPick ? COLOUR_PICKED : COLOUR_NORMAL);
        VT_DrawTextAddr(50, y, LEFT, row.name);
        for (int32_t c = 0; c < 3; ++c)
            VT_DrawNumber(LIST_SKILLS_X + LIST_SKILL_W * c, y, CENTRED,
                          InGameTeams_SquadSkill(side, place, kListSkills[c]));
        // The mark of a player outside the five lies past the VT_ graphics, so none is drawn.
        if (s_stats.listNumber[place] != 0)
            VT_DrawNumber(LIST_NUMBER_X, y, CENTRED, s_stats.listNumber[place]);
    }
}

int32_t ShootOutRowEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE) return VT_CONTINUE;
    PickOrSwap(&s_stats.listPick, event->code, [](int32_t a, int32_t b) {
        std::swap(s_stats.listNumber[a], s_stats.listNumber[b]);
    });
    return VT_BREAK_0;
}

// ---------------------------------------------------------------------------------------------
// Penalty order.

int32_t Candidates(int32_t side, int32_t places[PENALTY_ORDER_COUNT])
{
    int32_t count = 0;
    for (int32_t place = FIRST_TAKER_PLACE; place < STARTERS; ++place) {
        if (Football_IsRecEmpty(side, Football_GetSidePlayer(side, place)) != 0)
            places[count++] = place;
    }
    return count;
}

int32_t OrderIndexOf(int32_t side, int32_t person)
{
    for (int32_t i = 0; i < PENALTY_ORDER_COUNT; ++i) {
        if (PenaltyOrder[side][i] == person) return i;
    }
    FatalError("OrderIndexOf(): person %d is not in side %d's penalty order", person, side);
}

int32_t CandidatePerson(int32_t row)
{
    return LineUp[s_stats.penaltySide][s_stats.candidates[row]];
}

void OpenPenaltyOrder()
{
    s_stats.candidateCount = Candidates(s_stats.penaltySide, s_stats.candidates);
    s_stats.penaltyPick = NONE;
    s_stats.longName = NONE;
}

void DrawPenaltyOrder(int32_t, int32_t, int32_t, int32_t)
{
    const int32_t side = s_stats.penaltySide;
    VT_DrawButton(PEN_BOX_X, PEN_BOX_Y, PEN_BOX_W, PEN_BOX_H, BUTTON_PLAIN);
    VT_SetFontColour(COLOUR_NORMAL);
    for (const PenaltyColumn& column : kPenaltyColumns)
        VT_DrawTextNo(column.x, PEN_HEADER_Y + HEADER_H / 2, CENTRED, column.header);
    for (int32_t row = 0; row < s_stats.candidateCount; ++row) {
        const int32_t place = s_stats.candidates[row];
        const int32_t person = CandidatePerson(row);
        const int32_t y = PEN_ROW_Y + PEN_ROW_H * row + PEN_ROW_H / 2;
        InGameLineUpRow lineUpRow{};
        InGameTeams_LineUpRow(side, place, &lineUpRow);
        if (lineUpRow.shirtGraphic != 0)
            VT_DrawGraphic(PEN_GRAPHIC_X, y, CENTRED, lineUpRow.shirtGraphic);
        VT_SetFontColour(row == s_stats.penaltyPick ? COLOUR_PICKED : COLOUR_NORMAL);
        VT_DrawTextAddr(PEN_NAME_X, y, LEFT, MatchPersons[person].name);
        for (const PenaltyColumn& column : kPenaltyColumns) {
            const int32_t value = column.skill == NONE
                                      ? OrderIndexOf(side, person) + 1
                                      : InGameTeams_SquadSkill(side, place, column.skill);
            VT_DrawNumber(column.x, y, CENTRED, value);
        }
    }
    VT_SetFontColour(COLOUR_NORMAL);
    VT_DrawButton(END_X, END_Y, END_W, END_H, BUTTON_PLAIN);
    VT_DrawTextNo(END_X + END_W / 2, END_Y + END_H / 2, CENTRED, TEXT_END);
    if (s_stats.longName != NONE) {
        VT_SetFontColour(COLOUR_HIGHLIGHT);
        VT_DrawTextNo(320, PEN_LONG_NAME_Y, CENTRED, s_stats.longName);
    }
}

int32_t PenaltyHeaderEvent(const InGameMenuEvent* event)
{
    if (event->event == VT_EVENT_ENTER) s_stats.longName = kPenaltyColumns[event->code].longName;
    if (event->event == VT_EVENT_LEAVE) s_stats.longName = NONE;
    const bool hoverEvent = event->event == VT_EVENT_ENTER || event->event == VT_EVENT_LEAVE;
    return hoverEvent ? VT_BREAK_0 : VT_CONTINUE;
}

int32_t PenaltyRowEvent(const InGameMenuEvent* event)
{
    if (event->event != VT_EVENT_RELEASE || event->code >= s_stats.candidateCount)
        return VT_CONTINUE;
    PickOrSwap(&s_stats.penaltyPick, event->code, [](int32_t a, int32_t b) {
        const int32_t side = s_stats.penaltySide;
        std::swap(PenaltyOrder[side][OrderIndexOf(side, CandidatePerson(a))],
                  PenaltyOrder[side][OrderIndexOf(side, CandidatePerson(b))]);
    });
    return VT_BREAK_0;
}

int32_t PenaltyEndEvent(const InGameMenuEvent* event)
{
    return event->event == VT_EVENT_RELEASE ? VT_BREAK_1 : VT_CONTINUE;
}

// ---------------------------------------------------------------------------------------------
// The maps.

const InGameScreen& StatisticsScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.Static(STATS_BACKGROUND, &s_stats.titleText);
        b.Custom(DrawStatistics);
        InGameNavBar_Append(&b);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenScoreTitle, nullptr, nullptr, map.escape};
    return screen;
}

const InGameScreen& TimelineScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.Static(STATS_BACKGROUND, &s_stats.titleText);
        b.Custom(DrawTimeline);
        InGameNavBar_Append(&b, {.middleLabel = TEXT_TIMELINE});
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenScoreTitle, FillTimeline, nullptr,
                                        map.escape};
    return screen;
}

const InGameScreen& ShootOutScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.StaticTitleNo(0, TEXT_SHOOT_OUT);
        b.Custom(DrawShootOutList);
        for (int32_t place = 0; place < STARTERS; ++place)
            b.Region(place, BOX_X, LIST_TOP + LIST_ROW * place, BOX_W, LIST_ROW, ShootOutRowEvent);
        InGameNavBar_Append(&b);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenShootOutList, nullptr, nullptr, map.escape};
    return screen;
}

const InGameScreen& PenaltyOrderScreen()
{
    static const InGameMapBuilder map = [] {
        InGameMapBuilder b{};
        b.StaticTitleNo(PENALTY_BACKGROUND, TEXT_SHOOT_OUT);
        b.Custom(DrawPenaltyOrder);
        for (int32_t c = 0; c < 3; ++c)
            b.Region(c, kPenaltyColumns[c].x - PEN_COLUMN_W / 2, PEN_HEADER_Y, PEN_COLUMN_W,
                     HEADER_H, PenaltyHeaderEvent);
        for (int32_t row = 0; row < PENALTY_ORDER_COUNT; ++row)
            b.Region(row, PEN_ROW_X, PEN_ROW_Y + PEN_ROW_H * row, PEN_ROW_W, PEN_ROW_H,
                     PenaltyRowEvent);
        b.Region(0, END_X, END_Y, END_W, END_H, PenaltyEndEvent);
        b.Finish();
        return b;
    }();
    static const InGameScreen screen = {map.items, OpenPenaltyOrder, nullptr, nullptr};
    return screen;
}

}  // namespace

void InGameStats_Init()
{
    s_stats = {};
    s_stats.titleText = s_stats.title;
    s_stats.listPick = NONE;
    s_stats.penaltyPick = NONE;
    s_stats.longName = NONE;
    s_stats.penaltyShown = NONE;
}

void InGameStats_RegisterScriptValues()
{
    ScriptRegisterValue("penorder", [] { return s_stats.penaltyShown; });
}

InGameStatsFigures InGameStats_Figures(const uint32_t thirdsTicks[2][3])
{
    const int64_t homeOwn = thirdsTicks[0][THIRD_OWN], awayAttack = thirdsTicks[1][THIRD_ATTACK];
    const int64_t homeMiddle = thirdsTicks[0][THIRD_MIDDLE];
    const int64_t awayMiddle = thirdsTicks[1][THIRD_MIDDLE];
    const int64_t awayOwn = thirdsTicks[1][THIRD_OWN], homeAttack = thirdsTicks[0][THIRD_ATTACK];
    const int64_t total = homeOwn + awayAttack + homeMiddle + awayMiddle + awayOwn + homeAttack;
    InGameStatsFigures f{};
    if (total != 0) {
        f.territory[0] = static_cast<int32_t>((homeOwn + awayAttack) * FULL_PERCENT / total);
        f.territory[1] = static_cast<int32_t>((homeMiddle + awayMiddle) * FULL_PERCENT / total);
        f.territory[2] = FULL_PERCENT - f.territory[0] - f.territory[1];
    }
    f.defence = Share(homeOwn, awayAttack);
    f.midfield = Share(homeMiddle, awayMiddle);
    f.attack = Share(homeAttack, awayOwn);
    f.general = (f.defence + f.midfield + f.attack) * FULL_PERCENT / (3 * FULL_PERCENT);
    return f;
}

void InGameStats_Rows(InGameStatsRow rows[IGS_ROWS])
{
    const TeamStatistics& home = Match.teamStats[0];
    const TeamStatistics& away = Match.teamStats[1];
    const InGameStatsFigures f = InGameStats_Figures(Match.thirdsTicks);
    const int32_t all = FULL_PERCENT;
    const InGameStatsRow table[IGS_ROWS] = {
        {1838, home.shots, away.shots, false},
        {922, home.shotsOnTarget, away.shotsOnTarget, false},
        {925, home.corners, away.corners, false},
        {1437, home.fouls, away.fouls, false},
        {1642, home.offsides, away.offsides, false},
        {608, f.defence, all - f.attack, true},
        {609, f.midfield, all - f.midfield, true},
        {610, f.attack, all - f.defence, true},
        {1837, f.general, all - f.general, true},
    };
    std::copy(table, table + IGS_ROWS, rows);
}

void InGameStats_Smooth(const uint8_t values[IGS_MINUTES], int32_t smoothed[IGS_MINUTES])
{
    for (int32_t m = 0; m < IGS_MINUTES; ++m) {
        const int32_t value = values[m];
        if (value == NO_VALUE || m == 0) {
            smoothed[m] = value == NO_VALUE ? EVEN_SHARE : value;
            continue;
        }
        const int32_t previous = smoothed[m - 1];
        // Integer division truncates toward zero: both ways the step rounds toward `previous`.
        smoothed[m] = previous + (value - previous) * STEP_PERCENT / FULL_PERCENT;
    }
}

int32_t InGameStats_AxisMinutes()
{
    return GetMatchClockSeconds() > NORMAL_MINUTES * 60 ? EXTRA_MINUTES : NORMAL_MINUTES;
}

int32_t InGameStats_TimelineLabels(InGameTimelineLabel labels[IGS_EVENT_LABELS])
{
    const MatchDataBlock& data = *GetMatchDataBlock();
    const int32_t rows = std::clamp<int32_t>(data.eventCount, 0, MATCH_EVENT_MAX);
    int32_t count = 0;
    int32_t placed[2] = {};
    for (int32_t e = 0; e < rows && count < IGS_EVENT_LABELS; ++e) {
        const MatchEventRow& event = data.events[e];
        if (event.kind == MATCH_EVENT_END) break;
        const int32_t word = WordOf(event.kind);
        if (event.kind == EVENT_BOOKING || word == NONE) continue;
        InGameTimelineLabel& label = labels[count++];
        label.side = event.a == 1 ? 1 : 0;
        label.x = PlotX(std::clamp<int32_t>(event.minute, 0, IGS_MINUTES - 1));
        const int32_t row = placed[label.side]++ % LABEL_ROWS;
        label.y = label.side == 0 ? PLOT_Y + LABEL_EDGE + LABEL_ROW_PITCH * row
                                  : PLOT_Y + PLOT_H - LABEL_EDGE - LABEL_ROW_PITCH * row;
        std::snprintf(label.text, sizeof(label.text), " %d%s %s %s", event.minute, "'",
                      GetMessageText(word), NameOfPlayer(event.b));
    }
    return count;
}

void InGameStats_FillPenaltyOrder(int32_t side)
{
    int32_t places[PENALTY_ORDER_COUNT];
    const int32_t count = Candidates(side, places);
    // The candidates come in place order and the unused entries after them: the order's sort
    // (empty entries last, the others as they stand) has nothing left to move.
    for (int32_t i = 0; i < PENALTY_ORDER_COUNT; ++i)
        PenaltyOrder[side][i] = static_cast<int16_t>(i < count ? LineUp[side][places[i]] : -1);
}

void RunInGameMenuPair()
{
    MatchView_Destroy();
    InitSetOfMenus();
    for (int32_t side = 0; side < 2; ++side) {
        InGameStats_FillPenaltyOrder(side);
        if (AutoRunMode != 0 || Block().sides[side].human == 0) continue;
        s_stats.penaltySide = side;
        s_stats.penaltyShown = side;
        InGameScreen_Run(PenaltyOrderScreen());
        s_stats.penaltyShown = NONE;
    }
    ShutdownMenuGraphics();
    MatchView_Init();
}

void InGame_StatisticsMenu() { InGameScreen_Run(StatisticsScreen()); }
void InGame_TimelineMenu() { InGameScreen_Run(TimelineScreen()); }
void InGame_ShootOutMenu() { InGameScreen_Run(ShootOutScreen()); }

int32_t InGameStats_ShootOutNumber(int32_t place) { return s_stats.listNumber[place]; }

const InGameScreen& InGameStats_Screen(uint16_t id)
{
    if (id == IGM_STATISTICS) return StatisticsScreen();
    if (id == IGM_TIMELINE) return TimelineScreen();
    if (id == IGM_SHOOT_OUT) return ShootOutScreen();
    FatalError("InGameStats_Screen(): no statistics screen %d", id);
}

const InGameScreen& InGameStats_PenaltyScreen(int32_t side)
{
    s_stats.penaltySide = side & 1;
    return PenaltyOrderScreen();
}
