// menus/individualtraining.cpp: the individual training screen and the injury list.
#include "menus/individualtraining.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "game/funcs.h"
#include "game/squad.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/playerstats.h"
#include "menus/trainingprogramme.h"

IndividualTrainingState IndividualTraining;

namespace {

constexpr int32_t TEXT_TITLE = 1307;
constexpr int32_t TEXT_AGE = 61;
constexpr int32_t TEXT_FITNESS = 245;
constexpr int32_t TEXT_MORALE = 244;
constexpr int32_t TEXT_EXPERIENCE = 1092;
constexpr int32_t TEXT_INJURY_LIST = 841;
constexpr int32_t TEXT_PLAYER_NAME = 594;
constexpr int32_t TEXT_INJURY = 1486;
constexpr int32_t TEXT_WEEKS = 748;
constexpr int32_t TEXT_UNKNOWN_WEEKS = 767;
constexpr int32_t TEXT_NO_INJURY = 1485;
constexpr int32_t TEXT_FIRST_INJURY = 200;  // + the injury type
constexpr int32_t TEXT_TEAM_TRAINING = 809;
constexpr int32_t TEXT_STAFF_CHOICE = 79;
constexpr int32_t TEXT_PERFORMANCE = 2210;
constexpr int32_t OPTION_TEAM_TRAINING = 22;
constexpr int32_t OPTION_STAFF_CHOICE = 13;
constexpr int32_t PITCH_ICON = 1394;
constexpr int32_t FIRST_SPOT_ICON = 1395;  // + spot
constexpr int32_t PITCH_X = 40;
constexpr int32_t PITCH_Y = 110;
constexpr int32_t EVALUATED_ABOVE = 80;
constexpr int32_t WEEKS_UNKNOWN_FROM = 26;

// The evaluated attributes, in the order equal values keep.
constexpr int16_t EVALUATED[] = {44, 45, 43, 42, 46, 41, 47, 58, 48,
                                 49, 52, 50, 51, 53, 54, 55, 57, TEXT_EXPERIENCE};

// Each spot's place on the pitch drawing, row by row from the own goal; y counts double.
// clang-format off
constexpr int16_t SPOT_XY[POSITION_SPOTS][2] = {
    {70, 48},  {54, 42},  {39, 36},  {24, 31},  {9, 26},
    {95, 42},  {80, 36},  {65, 31},  {49, 26},  {34, 21},
    {120, 36}, {105, 31}, {89, 26},  {73, 21},  {59, 16},
    {144, 30}, {128, 25}, {112, 20}, {97, 15},  {83, 11},
    {167, 25}, {151, 20}, {135, 15}, {120, 10}, {105, 6},
    {188, 20}, {172, 15}, {156, 10}, {141, 6},  {127, 2},
};
// clang-format on

// Where each position code plays: single spots (bits 0-4 of the first row), the rows played
// across the centre columns 1-3, and the rows whose wing columns a foot adds (bit r = row r).
struct PositionSpots {
    uint8_t firstRowSpots;
    uint8_t centreRows;
    uint8_t wingRows;
};
// clang-format off
constexpr PositionSpots POSITION_SPOTS_OF[13] = {
    {0b00100, 0,        0},         // goalkeeper: the goal only
    {0b01010, 0b000010, 0b000011},  // full backs and centre backs
    {0b01010, 0b000010, 0b000011},
    {0b01010, 0b000010, 0b000111},  // the attacking full back
    {0b01010, 0b000010, 0b000011},
    {0,       0b001100, 0b001100},  // midfield
    {0,       0b001100, 0b001110},  // the holding midfielder
    {0,       0b001100, 0b001100},
    {0,       0b011100, 0b011100},  // attacking midfield
    {0,       0b011100, 0b011100},
    {0,       0b110110, 0b110000},  // the deep forward
    {0,       0b110000, 0b110000},  // strikers
    {0,       0b110000, 0b110000},
};
// clang-format on

// The slider rows: the top of each row's band; a band is 26 pixels.
constexpr int32_t SLIDER_TOPS[TRAINING_EMPHASES] = {310, 346, 382};
constexpr int32_t SLIDER_BAND = 26;
constexpr int32_t SLIDER_X = 200;
constexpr int32_t SLIDER_STEP = 3;  // pixels per percent
constexpr uint16_t SLIDER_COLOURS[TRAINING_EMPHASES] = {51590, 13894, 12697};
constexpr int32_t EVALUATION_Y = 200;
constexpr int32_t EVALUATION_PITCH = 15;

int32_t Leave(int16_t option)
{
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

// The share a pointer x stands for: 3 pixels a percent from x 200.
int32_t ShareAt(int32_t x)
{
    if (x <= SLIDER_X) return 0;
    if (x > SLIDER_X + 100 * SLIDER_STEP) return 100;
    return (x - SLIDER_X - 1) / SLIDER_STEP;
}

// Keeps `a` within 0-100 by handing its excess or deficit to `b`.
void ClampInto(int16_t& a, int16_t& b)
{
    const int16_t kept = std::clamp<int16_t>(a, 0, 100);
    b = static_cast<int16_t>(b + a - kept);
    a = kept;
}

void DrawNameLine(int32_t player)
{
    char line[TEXTMESS_BUFFER_BYTES];
    std::snprintf(line, sizeof line, "%s %s %s", VTW_FormatPersonName(player),
                  GetMessageText(VTW_GetPositionTextNo(player)),
                  GetMessageText(VTW_GetSideTextNo(player)));
    DrawMenuString(320, 76, line, MENU_ALIGN_TC);
}

void DrawDetails(int32_t player)
{
    MenuCont_ShadedBox(290, 110, 240, 64, 0);
    const int32_t rows[][2] = {{TEXT_AGE, VTW_GetPlayerAge(player)},
                               {TEXT_FITNESS, VTW_GetPlayerFitnessPercent(player)},
                               {TEXT_MORALE, VTW_GetPlayerMoralePercent(player)}};
    for (int32_t k = 0; k < 3; ++k) {
        DrawMenuMessage(300, 122 + 20 * k, rows[k][0], MENU_ALIGN_ML);
        DrawMenuNumber(440, 122 + 20 * k, rows[k][1], MENU_ALIGN_ML);
    }
}

void DrawPitch()
{
    DoIcon(PITCH_X, PITCH_Y, PITCH_ICON, MENU_ALIGN_TL);
    for (int32_t spot = 0; spot < POSITION_SPOTS; ++spot) {
        if (IndividualTraining.marks[spot] == 0) continue;
        DoIcon(PITCH_X + SPOT_XY[spot][0], PITCH_Y + 2 * SPOT_XY[spot][1], FIRST_SPOT_ICON + spot,
               MENU_ALIGN_TL);
    }
}

void DrawEvaluations()
{
    MenuCont_ShadedBox(290, 190, 240, 80, 1);
    for (int32_t k = 0; k < IndividualTraining.evaluationCount; ++k) {
        const Evaluation& e = IndividualTraining.evaluations[k];
        const int32_t y = EVALUATION_Y + EVALUATION_PITCH * k;
        DrawMenuMessage(400, y, IndividualTraining_Rating(e.value), MENU_ALIGN_MR);
        DrawMenuMessage(420, y, e.textNo, MENU_ALIGN_ML);
    }
}

void DrawSliders(int32_t line)
{
    MenuCont_ShadedBox(50, 280, 560, 150, 0);
    for (int32_t k = 0; k < TRAINING_EMPHASES; ++k) {
        const int32_t top = SLIDER_TOPS[k];
        SetDrawAttribute(2, 0);
        DoShadedBox(196, top - 2, 312, 30, 75);
        const int32_t length = IndividualTraining.shares[k] * SLIDER_STEP;
        SetDrawAttribute(2, SLIDER_COLOURS[k]);
        DrawHLine(SLIDER_X, top, std::max(length, 2), SLIDER_BAND);
        SetDrawAttribute(2, 0);
        DrawMenuMessage(180, top + 13, TrainingEmphases[line][k].textNo, MENU_ALIGN_MR);
        char share[8];
        std::snprintf(share, sizeof share, "%d%%", IndividualTraining.shares[k]);
        DrawMenuString(350, top + 13, share, MENU_ALIGN_CENTRE);
    }
}

int32_t ClickSliders(MenuHotspot*) { return IndividualTraining_DragSlider(PointerX(), PointerY()); }

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    const int32_t player = CurrentPlayer;
    if (player < 0) return;
    SetMenuFont(0);
    MenuCont_ShadedBox(32, 70, 576, 35, 0);
    DrawNameLine(player);
    DrawPitch();
    DrawDetails(player);
    DrawEvaluations();
    const int32_t line = VTW_GetPositionType(player);
    if (line < LINE_COUNT) DrawSliders(line);
    EXM_AddHotspot(50, 280, 560, 150, -1, MENU_ALIGN_TL, -1, 0, 0, 0, ClickSliders, 0,
                   HOTSPOT_PLAIN);
}

int32_t BackToProgramme(MenuHotspot*) { return Leave(OPTION_TRAINING_PROGRAMME); }

// ---------------------------------------------------------------------------------------------
// The injury list.

void DrawInjuryRow(int32_t row, int32_t player)
{
    const int32_t y = 90 + 20 * row;
    MenuCont_ShadedBox(10, y, 620, 20, row & 1);
    DrawMenuString(25, y + 10, VTW_FormatPersonName(player), MENU_ALIGN_ML);
    DrawMenuMessage(300, y + 10, TEXT_FIRST_INJURY + VTW_GetPlayerInjuryType(player),
                    MENU_ALIGN_ML);
    const int32_t weeks = VTW_GetPlayerInjuryTime(player);
    if (weeks >= WEEKS_UNKNOWN_FROM) {
        DrawMenuMessage(560, y + 10, TEXT_UNKNOWN_WEEKS, MENU_ALIGN_CENTRE);
    } else {
        DrawMenuNumber(560, y + 10, weeks, MENU_ALIGN_CENTRE);
    }
}

void DrawInjuries(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    DrawMenuMessage(25, 80, TEXT_PLAYER_NAME, MENU_ALIGN_ML);
    DrawMenuMessage(300, 80, TEXT_INJURY, MENU_ALIGN_ML);
    // The weeks head is wider than its column: it ends at the screen's margin.
    DrawMenuMessage(630, 80, TEXT_WEEKS, MENU_ALIGN_MR);
    int16_t injured[INJURY_ROWS];
    const int32_t count = InjuryList_Collect(injured);
    for (int32_t row = 0; row < count; ++row)
        DrawInjuryRow(row, injured[row]);
    if (count == 0) DrawMenuMessage(320, 240, TEXT_NO_INJURY, MENU_ALIGN_CENTRE);
}

void InjuryList_Init()
{
    if (EXM_GetRebuildFlag() != 0) MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
}

int32_t InjuriesToTeamTraining(MenuHotspot*) { return Leave(OPTION_TEAM_TRAINING); }
int32_t InjuriesToStaff(MenuHotspot*) { return Leave(OPTION_STAFF_CHOICE); }
int32_t InjuriesToProgress(MenuHotspot*) { return InjuryList_Performance(); }
int32_t InjuriesBack(MenuHotspot*) { return Leave(MENU_OPTION_OFFICE); }

}  // namespace

void IndividualTrainingInit()
{
    IndividualTraining = {};
    std::copy_n(TRAINING_DEFAULT_SHARES, TRAINING_EMPHASES, IndividualTraining.shares);
}

void IndividualTrainingUninit() { IndividualTrainingInit(); }

void IndividualTraining_MarkPositions(int32_t position, int32_t foot, uint8_t marks[POSITION_SPOTS])
{
    std::fill_n(marks, POSITION_SPOTS, uint8_t{0});
    if (position < 0 || position >= static_cast<int32_t>(std::size(POSITION_SPOTS_OF))) return;
    const PositionSpots& spots = POSITION_SPOTS_OF[position];
    const bool leftWing = foot == 2 || foot == 3;
    const bool rightWing = foot == 1 || foot == 3;
    for (int32_t column = 0; column < POSITION_COLUMNS; ++column) {
        marks[column] = (spots.firstRowSpots >> column) & 1;
    }
    for (int32_t row = 0; row * POSITION_COLUMNS < POSITION_SPOTS; ++row) {
        uint8_t* r = marks + row * POSITION_COLUMNS;
        if ((spots.centreRows >> row) & 1) std::fill_n(r + 1, 3, uint8_t{1});
        if (((spots.wingRows >> row) & 1) == 0) continue;
        if (leftWing) r[0] = 1;
        if (rightWing) r[POSITION_COLUMNS - 1] = 1;
    }
}

int32_t IndividualTraining_StatValue(int32_t player, int32_t textNo)
{
    if (textNo == TEXT_EXPERIENCE) return VTW_GetPlayerExperiencePercent(player);
    if (textNo == TEXT_FITNESS) return VTW_GetPlayerFitnessPercent(player);
    const int32_t value = StatsScreen_AttributeValue(player, textNo);
    return value == STATS_NO_VALUE ? 0 : value;
}

int32_t IndividualTraining_Evaluate(int32_t player, Evaluation out[EVALUATIONS_SHOWN])
{
    Evaluation found[std::size(EVALUATED)];
    int32_t count = 0;
    for (const int16_t textNo : EVALUATED) {
        const int32_t value = IndividualTraining_StatValue(player, textNo);
        if (value > EVALUATED_ABOVE) found[count++] = {textNo, static_cast<int16_t>(value)};
    }
    std::stable_sort(found, found + count,
                     [](const Evaluation& a, const Evaluation& b) { return a.value > b.value; });
    count = std::min<int32_t>(count, EVALUATIONS_SHOWN);
    std::copy_n(found, count, out);
    return count;
}

int32_t IndividualTraining_Rating(int32_t value)
{
    if (value > 95) return 1589;               // "Excellent"
    if (value > 90) return 1587;               // "Fantastique"
    if (value > EVALUATED_ABOVE) return 1588;  // "Bien"
    return -1;
}

int32_t IndividualTraining_DragSlider(int32_t x, int32_t y)
{
    int32_t row = 0;
    while (row < TRAINING_EMPHASES
           && !(y >= SLIDER_TOPS[row] && y <= SLIDER_TOPS[row] + SLIDER_BAND)) {
        ++row;
    }
    if (row == TRAINING_EMPHASES) return 1;
    int16_t* shares = IndividualTraining.shares;
    const int32_t share = ShareAt(x);
    if (share == shares[row]) return 1;
    // The two others in their order: S2 then S3 for row 1, S1 then S3 for the others.
    int16_t& first = shares[row == 0 ? 1 : 0];
    int16_t& second = shares[row == 2 ? 1 : 2];
    const int32_t d = shares[row] - share;
    shares[row] = static_cast<int16_t>(share);
    first = static_cast<int16_t>(first + d / 2);
    second = static_cast<int16_t>(second + d - d / 2);
    ClampInto(first, second);
    ClampInto(second, first);
    TrainingTable_SetShares(CurrentPlayer, shares);
    return EXM_CODE_REDRAW;
}

void IndividualTraining_Init()
{
    if (EXM_GetRebuildFlag() == 0) return;
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    IndividualTrainingState& s = IndividualTraining;
    const int32_t player = CurrentPlayer;
    if (player < 0) return;
    IndividualTraining_MarkPositions(VTW_GetPlayerPosition(player), VTW_GetPlayerSide(player),
                                     s.marks);
    TrainingTable_GetShares(player, s.shares);
    s.evaluationCount = IndividualTraining_Evaluate(player, s.evaluations);
}

const MenuItem* IndividualTraining_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(IndividualTraining_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        {0x03, 570, 440, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), BackToProgramme},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

int32_t InjuryList_Collect(int16_t out[INJURY_ROWS])
{
    if (!FrontEnd_HumanHasPost()) return 0;
    const int32_t squad = VTW_RefreshSquadCount(VTW_GetClubOfManager(MANAGER_HUMAN));
    int32_t count = 0;
    for (int32_t k = 0; k < squad && count < INJURY_ROWS; ++k) {
        const int16_t player = SquadList.players[k];
        if (VTW_GetPlayerInFlag(player) != 0) out[count++] = player;
    }
    return count;
}

int32_t InjuryList_Performance()
{
    const int32_t player = CurrentPlayer;
    if (player < 0 || !FrontEnd_HumanHasPost()
        || VTW_GetPlayerClub(player) != VTW_GetClubOfManager(MANAGER_HUMAN))
        return 1;
    return Leave(OPTION_PLAYER_PROGRESS);
}

const MenuItem* InjuryList_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(InjuryList_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_INJURY_LIST), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawInjuries), nullptr},
        {0x200c, 32, 440, 161, 30, MenuTextNo(TEXT_TEAM_TRAINING), InjuriesToTeamTraining},
        {0x200c, 199, 440, 161, 30, MenuTextNo(TEXT_STAFF_CHOICE), InjuriesToStaff},
        {0x200c, 366, 440, 161, 30, MenuTextNo(TEXT_PERFORMANCE), InjuriesToProgress},
        {0x03, 570, 440, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), InjuriesBack},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
