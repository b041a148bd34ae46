// menus/teamtraining.cpp: the team training screen.
#include "menus/teamtraining.h"

#include <cstdio>

#include "game/funcs.h"
#include "game/ids.h"
#include "game/season.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

TeamTrainingState TeamTraining;

namespace {

constexpr int32_t TEXT_TITLE = 809;
constexpr int32_t TEXT_PROGRAMME = 653;
constexpr int32_t TEXT_SKILL = 1568;
constexpr int32_t TEXT_MONDAY = 4;
constexpr int32_t SUBJECT_ICON = 1344;  // + subject 0-3
constexpr int32_t HIGHLIGHT = 4;
constexpr int32_t LEVEL_MAX = 60;
constexpr int32_t ROWS_TOP = 80;
constexpr int32_t ROW_PITCH = 38;
constexpr int32_t CELLS_X = 208;
constexpr int32_t CELL_PITCH = 50;
constexpr int32_t BRUSH_TOP = 280;
constexpr int32_t LEVEL_X = 250;
constexpr int32_t SHARE_X = 368;
constexpr int32_t SHARE_TRACK = 240;
constexpr uint16_t BAR_COLOUR = 51200;
constexpr int32_t OPTION_PROGRAMME = 23;
// The brush rows, top to bottom: their subject and caption.
constexpr int32_t BRUSH_SUBJECTS[TRAIN_GROUP_COUNT] = {
    TRAIN_GROUP_TEAM_PLAY, TRAIN_GROUP_FREE_KICKS, TRAIN_GROUP_PENALTIES, TRAIN_GROUP_CORNERS};
constexpr int32_t BRUSH_CAPTIONS[TRAIN_GROUP_COUNT] = {601, 1644, 613, 925};
constexpr int32_t SHARE_CAPTIONS[] = {461, 245, 600};

int32_t SubjectIcon(int32_t subject, bool highlighted)
{
    if (subject < 0 || subject >= TRAIN_GROUP_COUNT) return 2;
    return SUBJECT_ICON + subject + (highlighted ? HIGHLIGHT : 0);
}

int32_t Level(int32_t club, int32_t subject)
{
    switch (subject) {
        case TRAIN_GROUP_FREE_KICKS: return VTW_GetClubSetPieces2(club);
        case TRAIN_GROUP_CORNERS: return VTW_GetClubSetPieces1(club);
        case TRAIN_GROUP_PENALTIES: return VTW_GetClubSetPieces3(club);
        default: return VTW_GetClubTeamwork(club);
    }
}

void Bar(int32_t x, int32_t y, int32_t length, int32_t h)
{
    if (length <= 0) return;
    SetDrawAttribute(2, BAR_COLOUR);
    DrawHLine(x, y, length, h);
    SetDrawAttribute(2, 0);
}

int32_t ClickCell(MenuHotspot* h) { return TeamTraining_ClickSlot(static_cast<int32_t>(h->value)); }
int32_t ClickBrush(MenuHotspot* h)
{
    return TeamTraining_SetBrush(BRUSH_SUBJECTS[static_cast<int32_t>(h->value)]);
}

void TeamTraining_DrawGrid()
{
    for (int32_t day = 0; day < TEAM_TRAINING_DAYS; ++day) {
        const int32_t y = ROWS_TOP + day * ROW_PITCH;
        MenuCont_ShadedBox(32, y, 174, ROW_PITCH, day & 1);
        DrawMenuMessage(40, y + ROW_PITCH / 2, TEXT_MONDAY + day, MENU_ALIGN_ML);
        for (int32_t slot = 0; slot < TEAM_TRAINING_SLOTS_A_DAY; ++slot) {
            const int32_t group = day * TEAM_TRAINING_SLOTS_A_DAY + slot;
            const int32_t x = CELLS_X + slot * CELL_PITCH;
            MenuCont_ShadedBox(x, y, 48, ROW_PITCH, (day + slot) & 1);
            DoIcon(x + 24, y + ROW_PITCH / 2, SubjectIcon(TrainingBuffer.groups[group], false),
                   MENU_ALIGN_CENTRE);
            EXM_AddHotspot(x, y, 48, ROW_PITCH, -1, MENU_ALIGN_TL, -1, group, day, group, ClickCell,
                           0, HOTSPOT_PLAIN);
        }
    }
}

void DrawLevels(int32_t club)
{
    MenuCont_ShadedBox(32, BRUSH_TOP, 166, ROW_PITCH * TRAIN_GROUP_COUNT, 0);
    for (int32_t row = 0; row < TRAIN_GROUP_COUNT; ++row) {
        const int32_t y = BRUSH_TOP + row * ROW_PITCH;
        const int32_t subject = BRUSH_SUBJECTS[row];
        DrawMenuMessage(38, y + ROW_PITCH / 2, BRUSH_CAPTIONS[row], MENU_ALIGN_ML);
        DoIcon(224, y + ROW_PITCH / 2, SubjectIcon(subject, subject == TeamTraining.brush),
               MENU_ALIGN_CENTRE);
        EXM_AddHotspot(200, y, 48, ROW_PITCH, -1, MENU_ALIGN_TL, -1, row, row, row, ClickBrush, 0,
                       HOTSPOT_PLAIN);
        MenuCont_ShadedBox(LEVEL_X, y + 1, TEAM_TRAINING_LEVEL_TRACK, 36, row & 1);
        Bar(LEVEL_X, y + 1, TeamTraining_LevelLength(club >= 0 ? Level(club, subject) : 0), 36);
    }
}

void DrawShares()
{
    const TrainingShares shares = TeamTraining_Shares();
    const int32_t percents[] = {shares.team, shares.physical, shares.other};
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t y = 100 + k * 60;
        MenuCont_ShadedBox(SHARE_X, y, SHARE_TRACK, 32, k & 1);
        Bar(SHARE_X, y, percents[k] * SHARE_TRACK / 100, 32);
        DrawMenuMessage(SHARE_X + 4, y + 16, SHARE_CAPTIONS[k], MENU_ALIGN_ML);
        char text[8];
        std::snprintf(text, sizeof text, "%d%%", static_cast<int>(percents[k]));
        DrawMenuString(604, y + 16, text, MENU_ALIGN_MR);
    }
}

void TeamTraining_DrawPanel()
{
    DrawLevels(VTW_GetClubOfManager(MANAGER_HUMAN));
    DrawShares();
}

void DrawScreen(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    TeamTraining_DrawGrid();
    TeamTraining_DrawPanel();
}

int32_t Leave(int16_t option)
{
    MenuOption = option;
    return EXM_CODE_LEAVE;
}

int32_t Programme(MenuHotspot*) { return Leave(OPTION_PROGRAMME); }
int32_t Back(MenuHotspot*) { return Leave(MENU_OPTION_OFFICE); }

}  // namespace

void TeamTrainingInit() { TeamTraining = {}; }
void TeamTrainingUninit() { TeamTrainingInit(); }

void TeamTraining_Init()
{
    if (EXM_GetRebuildFlag() != 0) MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE);
}

int32_t TeamTraining_ClickSlot(int32_t group)
{
    if (group < 0 || group >= TRAIN_GROUPS) return 1;
    TrainingBuffer.groups[group] = TeamTraining.brush;
    return EXM_CODE_REDRAW;
}

int32_t TeamTraining_SetBrush(int32_t subject)
{
    TeamTraining.brush = static_cast<int16_t>(subject);
    return EXM_CODE_REDRAW;
}

int32_t TeamTraining_LevelLength(int32_t level)
{
    return (level * 100 / LEVEL_MAX) * TEAM_TRAINING_LEVEL_TRACK / 100;
}

TrainingShares TeamTraining_Shares()
{
    int32_t periods = 0;
    int32_t team = 0;
    int32_t physical = 0;
    for (int32_t slot = 0; slot < TRAIN_SLOTS; ++slot) {
        if (TrainingBuffer.slotPlayer[slot] < 0) continue;
        // The two extra periods are not part of the week's plan.
        for (int32_t period = 0; period < TEAM_TRAINING_DAYS; ++period) {
            const uint16_t code = TrainingBuffer.programme[slot][period];
            ++periods;
            team += code == TRAIN_TEAM;
            physical += code == TRAIN_PHYSICAL;
        }
    }
    if (periods == 0) return {0, 0, 0};
    const int32_t teamShare = team * 100 / periods;
    const int32_t physicalShare = physical * 100 / periods;
    return {teamShare, physicalShare, 100 - teamShare - physicalShare};
}

const MenuItem* TeamTraining_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TeamTraining_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_TITLE), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x0f, 500, 270, MENU_ALIGN_CENTRE, 0, MenuTextNo(TEXT_SKILL), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x24, 0, 0, 640, 480, MenuCallback(DrawScreen), nullptr},
        {0x200c, 32, 440, 534, 30, MenuTextNo(TEXT_PROGRAMME), Programme},
        {0x03, 570, 438, MENU_ALIGN_CENTRE, 0, MenuNumber(MENU_ICON_OK), Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
