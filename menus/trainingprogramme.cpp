// menus/trainingprogramme.cpp: the training programme screen.
#include "menus/trainingprogramme.h"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "engine/debug.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/season.h"
#include "game/shortlist.h"
#include "game/squad.h"
#include "game/statmodel.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/individualtraining.h"
#include "menus/machine.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

TrainingProgrammeState TrainingProgramme;

namespace {

constexpr int32_t TEXT_TITLE = 653;
constexpr int32_t TEXT_EXTRA_PERIODS = 498;
constexpr int32_t TEXT_PROGRESS = 840;
constexpr int32_t TEXT_RETRAIN = 1093;
constexpr int32_t TEXT_TEAM_TRAINING = 461;
constexpr int32_t TEXT_INDIVIDUAL = 1307;
constexpr int32_t TEXT_REFUSES = 1099;
constexpr int32_t TEXT_RETRAIN_AS = 1072;      // + target 0-3
constexpr int32_t TEXT_REALLY_RETRAIN = 1079;  // + target 0-3
constexpr int32_t TEXT_FOOT = 35;              // + foot 1-3
constexpr int32_t FOOT_X = 212;                // centred: "G/D" ends inside the row at 222
constexpr int32_t POSITION_ICON = 89;          // + line 0-3
constexpr int32_t HIGHLIGHT = 4;               // icon offset of an activity's highlighted variant
constexpr int32_t OPTION_TEAM_TRAINING = 22;
constexpr int32_t MAX_RETRAIN_PERIODS = 52;
constexpr uint16_t PLAYER_ORDER = 6;
constexpr int32_t ROWS_TOP = 80;
constexpr int32_t ROW_PITCH = 28;
constexpr int32_t CELL = 26;
constexpr int32_t CELLS_X = 234;
constexpr int32_t BOTTOM_Y = 400;
constexpr int32_t BAR_X = 460;
constexpr int32_t BAR_W = 150;
constexpr int32_t BAR_PER_TRAINING = 150;  // training points a full bar stands for
constexpr uint16_t BAR_COLOUR = 51200;
constexpr uint16_t FRAME_COLOUR = 52825;
constexpr uint16_t TARGET_COLOURS[] = {13894, 12697, 52806, 51590, 13913};
constexpr int32_t BRUSHES = 4;
constexpr uint16_t BRUSH_CODES[BRUSHES] = {TRAIN_TECHNICAL, TRAIN_TEAM, TRAIN_REST, TRAIN_PHYSICAL};
constexpr int32_t OFFERED_PRESETS = 4;
constexpr int32_t PRESET_TEXTS[OFFERED_PRESETS] = {1312, 1309, 1310, 1311};

int16_t PlayerAt(int32_t row)
{
    const int32_t index = TrainingProgramme.firstRow + row;
    if (row < 0 || row >= TRAINING_ROWS || index >= TrainingProgramme.squadLength) return -1;
    return TrainingProgramme.squad[index];
}

int32_t WeekSum(const uint16_t* week) { return std::accumulate(week, week + TRAIN_PERIODS, 0); }

void SortWeek(uint16_t* week) { std::sort(week, week + TRAIN_PERIODS); }

void FirstBuild()
{
    InitTrainingBuffer();
    TrainingBuffer.firstBuilt = 1;
    TrainingProgramme.firstRow = 0;
}

// Without a post the screen shows nobody: the buffer is empty then.
void CopySquad()
{
    TrainingProgrammeState& s = TrainingProgramme;
    std::fill(std::begin(s.squad), std::end(s.squad), int16_t{-1});
    if (FrontEnd_HumanHasPost()) {
        VTW_RefreshSquadCount(VTW_GetClubOfManager(MANAGER_HUMAN));
        std::copy(std::begin(SquadList.players), std::end(SquadList.players), s.squad);
    }
    const auto end = std::find(std::begin(s.squad), std::end(s.squad), int16_t{-1});
    s.squadLength = static_cast<int16_t>(end - std::begin(s.squad));
    if (s.firstRow + TRAINING_ROWS > s.squadLength) s.firstRow = 0;
    PickList5_Set(PLAYER_ORDER, PICKLIST_NO_KEY, PICKLIST_NO_KEY, PICKLIST_NO_KEY, PICKLIST_NO_KEY);
    std::stable_sort(s.squad, s.squad + s.squadLength, PlayerList_Before);
}

void DrawPlayerText(int32_t middle, int32_t player)
{
    const int32_t line = VTW_GetPositionLine(player);
    if (line < LINE_COUNT) DoIcon(42, middle, POSITION_ICON + line, MENU_ALIGN_CENTRE);
    if (const int32_t status = VTW_GetPlayerStatusText(player); status != 0)
        DoIcon(41, middle, status, MENU_ALIGN_CENTRE);
    if (const int32_t shirt = VTW_GetPlayerShirt(player); shirt != 0)
        DrawMenuNumber(41, middle, shirt, MENU_ALIGN_CENTRE);
    DrawMenuString(58, middle, VTW_FormatPersonName(player), MENU_ALIGN_ML);
    const int32_t foot = VTW_GetPlayerSide(player);
    if (foot >= 1 && foot <= 3) {
        DrawMenuMessage(FOOT_X, middle, TEXT_FOOT + foot, MENU_ALIGN_CENTRE);
    } else if (foot != 0) {
        DebugPrintf(DBG_GENERAL, 1, "invalid case in c_mn15 for VTW_GetSide()\n");
    }
}

void TrainingProgramme_DrawProgress(int32_t y, int32_t slot, int32_t player)
{
    const int32_t top = y + 6;
    const int32_t h = ROW_PITCH - 12;
    SetDrawAttribute(2, FRAME_COLOUR);
    DoShadedBox(BAR_X, top, BAR_W, h, 50);
    const uint8_t target = TrainingBuffer.retrainTarget[slot];
    int32_t length = 0;
    if (target == TRAIN_NO_RETRAIN) {
        length = BAR_W * (VTW_GetPlayerTraining(player) - TrainingBuffer.trainingAtEntry[slot])
                 / BAR_PER_TRAINING;
        SetDrawAttribute(2, BAR_COLOUR);
    } else {
        const int32_t total = std::max<int32_t>(1, TrainingBuffer.retrainTotal[slot]);
        length = BAR_W * (total - TrainingBuffer.retrainRemaining[slot]) / total;
        SetDrawAttribute(2, TARGET_COLOURS[std::min<int32_t>(target, LINE_COUNT)]);
    }
    // Training can fall below its value at entry: the bar then stays empty.
    length = std::clamp(length, 0, BAR_W);
    if (length > 0) DrawHLine(BAR_X, top, length, h);
    if (target != TRAIN_NO_RETRAIN)
        DrawMenuMessage(BAR_X + BAR_W / 2, y + ROW_PITCH / 2, TEXT_RETRAIN, MENU_ALIGN_CENTRE);
    SetDrawAttribute(2, 0);
    DrawBoxOutline(BAR_X, top, BAR_W, h);
}

int32_t ClickName(MenuHotspot* h)
{
    return TrainingProgramme_ClickPlayer(static_cast<int32_t>(h->value));
}

// A cell's value: the row (-1 the bottom row) times 8 plus the period.
int32_t ClickCell(MenuHotspot* h)
{
    const auto value = static_cast<int32_t>(h->value);
    return TrainingProgramme_ClickDay(value / 8 - 1, value % 8);
}

void DrawWeek(int32_t x, int32_t middle, const uint16_t* week, int32_t row)
{
    for (int32_t period = 0; period < TRAIN_PERIODS; ++period) {
        const int32_t cx = x + period * CELL;
        const int32_t extra = period >= 5 ? HIGHLIGHT : 0;
        DoIcon(cx + 12, middle, Training_ActivityIcon(week[period]) + extra, MENU_ALIGN_CENTRE);
        EXM_AddHotspot(cx, middle - 12, 24, 24, -1, MENU_ALIGN_TL, -1, period, period,
                       (row + 1) * 8 + period, ClickCell, 0, HOTSPOT_PLAIN);
    }
}

void DrawRow(int32_t row, int32_t player)
{
    const int32_t y = ROWS_TOP + row * ROW_PITCH;
    const int32_t middle = y + ROW_PITCH / 2;
    MenuCont_ShadedBox(26, y, 196, ROW_PITCH, row & 1);
    MenuCont_ShadedBox(454, y, 162, ROW_PITCH, row & 1);
    if (player < 0) return;
    DrawPlayerText(middle, player);
    EXM_AddHotspot(26, y, 196, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row, ClickName, 0,
                   HOTSPOT_PLAIN);
    const int32_t slot = FindInTrainingBuffer(player);
    DrawWeek(CELLS_X, middle, TrainingBuffer.programme[slot], row);
    DoButton(416, middle - 12, 24, 24);
    if (const int32_t marker = TrainingProgramme_PresetMarker(slot); marker > 0)
        DrawMenuNumber(428, middle, marker, MENU_ALIGN_CENTRE);
    TrainingProgramme_DrawProgress(y, slot, player);
}

int32_t ClickBrush(MenuHotspot* h)
{
    TrainingProgramme.brush = BRUSH_CODES[h->value];
    return EXM_CODE_REDRAW;
}

void DrawBottom()
{
    for (int32_t k = 0; k < BRUSHES; ++k) {
        const int32_t x = 70 + k * CELL;
        const int32_t highlight = BRUSH_CODES[k] == TrainingProgramme.brush ? HIGHLIGHT : 0;
        DoIcon(x, BOTTOM_Y, Training_ActivityIcon(BRUSH_CODES[k]) + highlight, MENU_ALIGN_TL);
        EXM_AddHotspot(x, BOTTOM_Y, 24, 24, -1, MENU_ALIGN_TL, -1, k, k, k, ClickBrush, 0,
                       HOTSPOT_PLAIN);
    }
    DrawWeek(226, BOTTOM_Y + 12, TrainingBuffer.presets[0], -1);
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t period = 0; period < 5; ++period)
        DrawMenuNumber(246 + period * CELL, 70, period + 1, MENU_ALIGN_CENTRE);
    DrawMenuMessage(364, 70, TEXT_EXTRA_PERIODS, MENU_ALIGN_ML);
    DrawMenuMessage(536, 70, TEXT_PROGRESS, MENU_ALIGN_CENTRE);
    for (int32_t row = 0; row < TRAINING_ROWS; ++row)
        DrawRow(row, PlayerAt(row));
    DoIcon(32, 434, MENU_ICON_ARROWS, MENU_ALIGN_TL);
    DrawBottom();
}

void PreparePresets(MenuListRecord* record);
void PrepareTargets(MenuListRecord* record);

int32_t PresetEntry(MenuListEntry* entry) { return TrainingProgramme_CopyPreset(entry->spare[0]); }
int32_t TargetEntry(MenuListEntry* entry)
{
    TrainingProgramme_ChooseTarget(entry->spare[0]);
    return LIST_CODE_REDRAW;
}

MenuListEntry* PresetPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_TITLE, PreparePresets),
        MenuList_Entry(PRESET_TEXTS[0], PresetEntry, 0),
        MenuList_Entry(PRESET_TEXTS[1], PresetEntry, 1),
        MenuList_Entry(PRESET_TEXTS[2], PresetEntry, 2),
        MenuList_Entry(PRESET_TEXTS[3], PresetEntry, 3),
        MenuList_End(),
    };
    return popup;
}

MenuListEntry* TargetPopup()
{
    static MenuListEntry popup[] = {
        MenuList_Title(TEXT_RETRAIN, PrepareTargets),
        MenuList_Entry(TEXT_RETRAIN_AS + 0, TargetEntry, 0),
        MenuList_Entry(TEXT_RETRAIN_AS + 1, TargetEntry, 1),
        MenuList_Entry(TEXT_RETRAIN_AS + 2, TargetEntry, 2),
        MenuList_Entry(TEXT_RETRAIN_AS + 3, TargetEntry, 3),
        MenuList_End(),
    };
    return popup;
}

void SetChecked(MenuListEntry& entry, bool checked)
{
    entry.flags =
        static_cast<uint16_t>(checked ? entry.flags | LIST_CHECKED : entry.flags & ~LIST_CHECKED);
}

void PreparePresets(MenuListRecord* record)
{
    const auto* hotspot = reinterpret_cast<const MenuHotspot*>(record->subject);
    const int16_t player = PlayerAt(static_cast<int32_t>(hotspot->value));
    TrainingProgramme.popupPlayer = player;
    const int32_t sum =
        player >= 0 ? WeekSum(TrainingBuffer.programme[FindInTrainingBuffer(player)]) : -1;
    MenuListEntry* popup = PresetPopup();
    for (int32_t preset = 0; preset < OFFERED_PRESETS; ++preset)
        SetChecked(popup[1 + preset], WeekSum(TrainingBuffer.presets[preset]) == sum);
}

void PrepareTargets(MenuListRecord*)
{
    MenuListEntry* popup = TargetPopup();
    for (int32_t target = 0; target < LINE_COUNT; ++target)
        SetChecked(popup[1 + target], TrainingProgramme.chosenTarget == target);
}

int32_t NoClick(MenuHotspot*) { return 1; }

// Each row's small button carries the programme drop-down.
MenuItem PresetButton(int32_t row)
{
    return {0x1f,   416, static_cast<int16_t>(ROWS_TOP + row * ROW_PITCH + 2),
            24,     24,  MenuNumber(row),
            NoClick};
}
MenuItem PresetList() { return {0x2009, 0, 0, 0, 0, MenuAddress(PresetPopup()), nullptr}; }

int32_t ToggleIndividual(MenuHotspot*)
{
    TrainingProgrammeState& s = TrainingProgramme;
    s.individual = s.individual != 0 ? 0 : 1;
    s.individualColour = s.individual;
    return EXM_CODE_REDRAW;
}

int32_t Leave(int16_t option)
{
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

int32_t TeamTraining(MenuHotspot*) { return Leave(OPTION_TEAM_TRAINING); }
int32_t Back(MenuHotspot*) { return Leave(MENU_OPTION_OFFICE); }
int32_t Up(MenuHotspot*) { return TrainingProgramme_PageUp(); }
int32_t Down(MenuHotspot*) { return TrainingProgramme_PageDown(); }

void SetTarget(int32_t target)
{
    TrainingProgramme.chosenTarget = static_cast<int16_t>(target);
    TrainingProgramme.targetColour = target == TRAINING_NO_TARGET ? 0 : 1;
}

constexpr int32_t ABILITIES = 8;
constexpr int32_t TEXT_FIRST_ABILITY = 41;
constexpr int32_t PANEL_W = 122;
constexpr int32_t PANEL_H = 162;
constexpr int32_t PANEL_PITCH = 144;
constexpr int32_t PANEL_BASES[2] = {242, 424};
constexpr uint16_t CURVE_COLOUR = 51200;
constexpr uint16_t PRESENT_AGE_COLOUR = 0x8410;
// The time axis: the 13 points are steps 0, 8, .. 96 of a panel 101 steps wide.
constexpr int32_t STEP_PER_POINT = 8;
constexpr int32_t STEPS_WIDE = 101;
constexpr int32_t STEPS_PER_YEAR = STEP_PER_POINT / PROGRESS_AGE_STEP;
constexpr int32_t LAST_STEP = (PROGRESS_POINTS - 1) * STEP_PER_POINT;
constexpr int32_t AGE_MARK_RISE = 7;  // the ages sit inside the panel, on its base line
struct AgeMark {
    int32_t step;
    int32_t alignment;  // kept inside the panel at its edges
};
constexpr AgeMark AGE_MARKS[] = {
    {0, MENU_ALIGN_ML}, {LAST_STEP / 2, MENU_ALIGN_CENTRE}, {LAST_STEP, MENU_ALIGN_MR}};

int32_t StepX(int32_t panelX, int32_t step) { return panelX + step * PANEL_W / STEPS_WIDE; }

// The ages under the curves, and a line where the player stands today.
void DrawTimeAxis(int32_t x, int32_t base, int32_t age)
{
    for (const AgeMark& mark : AGE_MARKS)
        DrawMenuNumber(StepX(x, mark.step), base - AGE_MARK_RISE,
                       PROGRESS_FIRST_AGE + mark.step / STEPS_PER_YEAR, mark.alignment);
    const int32_t step = (age - PROGRESS_FIRST_AGE) * STEPS_PER_YEAR;
    if (step < 0 || step > LAST_STEP) return;
    SetDrawAttribute(2, PRESENT_AGE_COLOUR);
    DrawVLine(StepX(x, step), base - PANEL_H, 0, PANEL_H);
    SetDrawAttribute(2, 0);
}

void DrawPanel(int32_t ability, const int32_t curves[PROGRESS_POINTS][ABILITIES])
{
    const int32_t x = 52 + PANEL_PITCH * (ability % 4);
    const int32_t base = PANEL_BASES[ability / 4];
    MenuCont_ShadedBox(x, base - PANEL_H, PANEL_W, PANEL_H, ability & 1);
    DrawMenuMessage(x + PANEL_W / 2, base - PANEL_H - 8, TEXT_FIRST_ABILITY + ability,
                    MENU_ALIGN_CENTRE);
    int32_t maximum = 0;
    for (int32_t point = 0; point < PROGRESS_POINTS; ++point)
        maximum = std::max(maximum, curves[point][ability]);
    maximum = std::max(maximum, 1);
    for (const int32_t percent : {0, 50, 100})
        DrawMenuNumber(x - 2, base - PANEL_H * percent / 100, Stat_Scale(maximum, percent),
                       MENU_ALIGN_MR);
    DrawTimeAxis(x, base, VTW_GetPlayerAge(CurrentPlayer));
    SetDrawAttribute(2, CURVE_COLOUR);
    for (int32_t point = 1; point < PROGRESS_POINTS; ++point) {
        const int32_t x1 = StepX(x, (point - 1) * STEP_PER_POINT);
        const int32_t x2 = StepX(x, point * STEP_PER_POINT);
        const int32_t y1 = base - curves[point - 1][ability] * PANEL_H / maximum;
        const int32_t y2 = base - curves[point][ability] * PANEL_H / maximum;
        DrawVLine(x1, y1, x2 - x1, y2 - y1);
    }
    SetDrawAttribute(2, 0);
}

void PlayerAttributes_Draw(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(2);
    DrawMenuString(320, 36, VTW_FormatPersonName(CurrentPlayer), MENU_ALIGN_CENTRE);
    SetMenuFont(0);
    int32_t curves[PROGRESS_POINTS][ABILITIES];
    PlayerAttributes_Curves(CurrentPlayer, curves);
    for (int32_t ability = 0; ability < ABILITIES; ++ability)
        DrawPanel(ability, curves);
}

void PlayerAttributes_Init()
{
    if (EXM_GetRebuildFlag() != 0) MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
}

int32_t ProgressBack(MenuHotspot*) { return Leave(MENU_OPTION_PLAYER_CARD); }

}  // namespace

void PlayerAttributes_Curves(int32_t player, int32_t out[PROGRESS_POINTS][8])
{
    for (int32_t point = 0; point < PROGRESS_POINTS; ++point)
        Player_GetAbilityStats(player, PROGRESS_FIRST_AGE + point * PROGRESS_AGE_STEP, out[point]);
}

const MenuItem* PlayerAttributes_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(PlayerAttributes_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(PlayerAttributes_Draw), nullptr},
        // Below the last chart's corner, clear of its figures.
        {0x03, 590, 446, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), ProgressBack},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

void TrainingProgrammeInit()
{
    TrainingProgramme = {};
    std::fill(std::begin(TrainingProgramme.squad), std::end(TrainingProgramme.squad), int16_t{-1});
    TrainingProgramme.brush = TRAIN_REST;
    TrainingProgramme.chosenTarget = TRAINING_NO_TARGET;
    TrainingProgramme.popupPlayer = -1;
}

void TrainingProgrammeUninit() { TrainingProgrammeInit(); }

int32_t Training_ActivityIcon(int32_t code)
{
    switch (code) {
        case TRAIN_TECHNICAL: return 1387;
        case TRAIN_PHYSICAL: return 1386;
        case TRAIN_TEAM: return 1388;
        case TRAIN_REST: return 1389;
        default: return 2;
    }
}

int32_t TrainingProgramme_PresetMarker(int32_t slot)
{
    // Presets 4-17 are all technical and never offered: a week matching only them shows none.
    const int32_t sum = WeekSum(TrainingBuffer.programme[slot]);
    for (int32_t preset = 0; preset < OFFERED_PRESETS; ++preset) {
        if (WeekSum(TrainingBuffer.presets[preset]) == sum) return preset + 1;
    }
    return -1;
}

void TrainingProgramme_Init()
{
    if (EXM_GetRebuildFlag() == 0) return;
    SetTarget(TRAINING_NO_TARGET);
    if (TrainingBuffer.firstBuilt == 0) FirstBuild();
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
    SyncTrainingBuffer();
    CopySquad();
    TrainingProgramme.brush = TRAIN_REST;
    TrainingProgramme_SortWeeks();
}

int32_t TrainingProgramme_ClickDay(int32_t row, int32_t period)
{
    uint16_t* week = nullptr;
    if (row < 0) {
        week = TrainingBuffer.presets[0];
    } else if (const int16_t player = PlayerAt(row); player >= 0) {
        week = TrainingBuffer.programme[FindInTrainingBuffer(player)];
    }
    if (week == nullptr || period < 0 || period >= TRAIN_PERIODS) return 1;
    const uint16_t brush = TrainingProgramme.brush;
    week[period] = week[period] == brush ? TRAIN_REST : brush;
    return EXM_CODE_REDRAW;
}

int32_t TrainingProgramme_CopyPreset(int32_t preset)
{
    const int16_t player = TrainingProgramme.popupPlayer;
    if (player < 0 || preset < 0 || preset >= OFFERED_PRESETS) return LIST_CODE_CLOSE;
    const uint16_t* from = TrainingBuffer.presets[preset];
    std::copy(from, from + TRAIN_PERIODS, TrainingBuffer.programme[FindInTrainingBuffer(player)]);
    return LIST_CODE_REDRAW;
}

int32_t TrainingProgramme_ChooseTarget(int32_t target)
{
    SetTarget(TrainingProgramme.chosenTarget == target ? TRAINING_NO_TARGET : target);
    return EXM_CODE_REDRAW;
}

int32_t TrainingProgramme_ClickPlayer(int32_t row)
{
    const int16_t player = PlayerAt(row);
    if (player < 0) return 1;
    CurrentPlayer = player;
    const int32_t target = TrainingProgramme.chosenTarget;
    if (TrainingProgramme.individual != 0) return Leave(OPTION_INDIVIDUAL_TRAINING);
    if (target == TRAINING_NO_TARGET) {
        CardReturnOption = OPTION_TRAINING_PROGRAMME;
        return Leave(MENU_OPTION_PLAYER_CARD);
    }
    SetTarget(TRAINING_NO_TARGET);
    if (VTW_GetPositionType(player) == target) return EXM_CODE_REDRAW;
    const int16_t periods = RetrainDuration(player, target);
    if (periods > MAX_RETRAIN_PERIODS) {
        DoMessageBox(GetMessageText(TEXT_REFUSES), 0);
        return EXM_CODE_REDRAW;
    }
    if (DoQuestionBox(GetMessageText(TEXT_REALLY_RETRAIN + target), 0, MenuYesNoButtons) == 0) {
        const int32_t slot = FindInTrainingBuffer(player);
        TrainingBuffer.retrainTarget[slot] = static_cast<uint8_t>(target);
        TrainingBuffer.retrainRemaining[slot] = static_cast<uint8_t>(periods);
        TrainingBuffer.retrainTotal[slot] = static_cast<uint8_t>(periods);
    }
    return EXM_CODE_REDRAW;
}

int32_t TrainingProgramme_PageDown()
{
    TrainingProgrammeState& s = TrainingProgramme;
    if (s.firstRow + TRAINING_ROWS < s.squadLength) s.firstRow += TRAINING_ROWS;
    if (s.firstRow + TRAINING_ROWS > s.squadLength)
        s.firstRow = static_cast<int16_t>(std::max(0, s.squadLength - TRAINING_ROWS));
    return EXM_CODE_REDRAW;
}

int32_t TrainingProgramme_PageUp()
{
    TrainingProgrammeState& s = TrainingProgramme;
    if (s.firstRow < 1) return 1;
    s.firstRow = static_cast<int16_t>(std::max(0, s.firstRow - TRAINING_ROWS));
    return EXM_CODE_REDRAW;
}

void TrainingProgramme_SortWeeks()
{
    for (uint16_t* week : TrainingBuffer.programme)
        SortWeek(week);
    for (uint16_t* week : TrainingBuffer.presets)
        SortWeek(week);
}

int32_t TrainingProgramme_RetrainLeft()
{
    for (int32_t slot = 0; slot < TRAIN_SLOTS; ++slot) {
        if (TrainingBuffer.slotPlayer[slot] >= 0
            && TrainingBuffer.retrainTarget[slot] != TRAIN_NO_RETRAIN)
            return TrainingBuffer.retrainRemaining[slot];
    }
    return -1;
}

const MenuItem* TrainingProgramme_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TrainingProgramme_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        PresetButton(0),
        PresetList(),
        PresetButton(1),
        PresetList(),
        PresetButton(2),
        PresetList(),
        PresetButton(3),
        PresetList(),
        PresetButton(4),
        PresetList(),
        PresetButton(5),
        PresetList(),
        PresetButton(6),
        PresetList(),
        PresetButton(7),
        PresetList(),
        PresetButton(8),
        PresetList(),
        PresetButton(9),
        PresetList(),
        {0x1f, 32, 434, 40, 20, MenuNumber(-1), Up},
        {0x1f, 32, 456, 40, 20, MenuNumber(-1), Down},
        {0x31, 0, 0, 0, 0, MenuVariable(&TrainingProgramme.targetColour), nullptr},
        {0x200c, 78, 440, 161, 30, MenuTextNo(TEXT_RETRAIN), NoClick},
        {0x2009, 0, 0, 0, 0, MenuAddress(TargetPopup()), nullptr},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x200c, 239, 440, 161, 30, MenuTextNo(TEXT_TEAM_TRAINING), TeamTraining},
        {0x31, 0, 0, 0, 0, MenuVariable(&TrainingProgramme.individualColour), nullptr},
        {0x200c, 400, 440, 161, 30, MenuTextNo(TEXT_INDIVIDUAL), ToggleIndividual},
        {0x30, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x03, 570, 438, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(TrainingProgramme_SortWeeks, nullptr),
    };
    return table;
}
