// menus/newcareer.cpp: the championship carousel, the choice of a club and the manager's name.
#include "menus/newcareer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/tables.h"
#include "game/textmess.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/textinput.h"

const uint16_t CountrySelection[] = {1255, 1250, 1270, 1260, 0};
CountryCarousel Carousel;
TeamChoiceState TeamChoice;
char ManagerNameBuffer[MANAGER_NAME_BYTES];

namespace {

constexpr const char* SOURCE = "menus\\newcareer";
constexpr int16_t OPTION_CREATE_GAME = 0;
constexpr int16_t OPTION_JOB_OFFER = 73;
constexpr int32_t TEXT_DEFAULT_MANAGER = 861;
constexpr int32_t NO_TEXT = 65535;
constexpr int32_t BACK_ICON = 1207;
constexpr int32_t BADGE_ICON_BASE = 105;
constexpr int32_t TEXT_NAME_TITLE = 761;
constexpr int32_t TEXT_TEAM_CHOICE_TITLE = 728;
constexpr int32_t NAME_OK_X = 570, NAME_OK_Y = 436, NAME_OK_SIZE = 40;
// The name is edited on one line from (220, 240) to the right edge of its box (150 + 340), the
// cursor bar's width kept clear.
constexpr int32_t NAME_FIELD_X = 220, NAME_FIELD_Y = 240, NAME_FIELD_WIDTH = 150 + 340 - 220 - 12;
constexpr int32_t STRIP_LEFT = 32;
constexpr int32_t STRIP_RIGHT = 608;
constexpr int32_t STRIP_TOP = 100;
constexpr int32_t STRIP_HEIGHT = 200;
constexpr int32_t STRIP_CENTRE_Y = 200;
constexpr int32_t STRIP_ICONS = 5;
constexpr int32_t ICON_PITCH = 200;
constexpr int32_t NAME_FONT = 1;
constexpr int32_t BUTTON_HEIGHT = 30;
constexpr int32_t LABEL_MARGIN = 3;
constexpr int32_t ROW_HEIGHT = 28;
// A row's two clubs: the badge centred at the cell's x, the name 40 right of it at the height a
// name in the row's font had from the top; a long name keeps short of the next badge.
constexpr int32_t CELL_X[2] = {130, 340};
constexpr int32_t CELL_NAME_X = 40;
constexpr int32_t CELL_NAME_MIDDLE = 16;
constexpr int32_t CELL_GAP = 5;

struct CountryTexts {
    int32_t icon;  // the flag's first frame
    int32_t country;
    int32_t name;
    int32_t description;
};

// clang-format off
constexpr CountryTexts COUNTRIES[] = {
    {1250, 0, 2310, 1586}, {1255, 6, 2316, 1597}, {1260, 3, 2313, 1591},
    {1265, 5, 2315, 1598}, {1270, 2, 2312, 1593}, {1275, 7, 2317, 1603},
    {1280, 1, 2311, 1590}, {1285, 4, 2314, 1602}, {1290, 8, 2318, NO_TEXT},
};

constexpr TeamChoiceButton TWO_BUTTONS[] = {{74, 440, 244}, {320, 440, 244}};
constexpr TeamChoiceButton THREE_BUTTONS[] = {{70, 440, 164}, {236, 440, 164}, {402, 440, 164}};
constexpr TeamChoiceButton FOUR_BUTTONS[] = {{74, 440, 120}, {196, 440, 120}, {318, 440, 120},
                                      {440, 440, 120}};
constexpr TeamChoiceButton FIVE_BUTTONS[] = {{74, 440, 96}, {172, 440, 96}, {270, 440, 96},
                                      {368, 440, 96}, {466, 440, 96}};
constexpr TeamChoiceButton SIX_BUTTONS[] = {{70, 407, 164}, {236, 407, 164}, {402, 407, 164},
                                     {70, 440, 164}, {236, 440, 164}, {402, 440, 164}};
// clang-format on

const CountryTexts& TextsOfIcon(int32_t icon)
{
    for (const CountryTexts& c : COUNTRIES) {
        if (c.icon == icon) return c;
    }
    FatalAbort(SOURCE, __LINE__, "Return_CountryFromIcon():M_Mn0.c Unknown icon for country");
}

int32_t Wrap(int32_t index, int32_t count) { return ((index % count) + count) % count; }

// ---------------------------------------------------------------------------------------------
// The championship carousel.

void DrawCountryIcon(int32_t x, int32_t index)
{
    const int32_t icon = CountrySelection[index] + Carousel.frame[index];
    int32_t w = 0, h = 0;
    GetScaledIconSize(icon, &w, &h);
    const int32_t left = x - w / 2;
    const int32_t right = left + w;
    if (right <= STRIP_LEFT || left >= STRIP_RIGHT) return;
    DoIcon(x, STRIP_CENTRE_Y, icon, MENU_ALIGN_CENTRE);
    // An icon across an edge of the band is cut at it: the clean screen comes back outside.
    if (left < STRIP_LEFT) RestoreFromBackBuffer(left, STRIP_TOP, STRIP_LEFT - left, STRIP_HEIGHT);
    if (right > STRIP_RIGHT)
        RestoreFromBackBuffer(STRIP_RIGHT, STRIP_TOP, right - STRIP_RIGHT, STRIP_HEIGHT);
}

void DrawStrip(int32_t offset, int32_t direction, int32_t first)
{
    RestoreFromBackBuffer(0, STRIP_TOP, 640, STRIP_HEIGHT);
    for (int32_t i = 0; i < STRIP_ICONS; ++i) {
        const int32_t index = first + i - (direction < 1 ? 1 : 0);
        DrawCountryIcon(ICON_PITCH * i + offset - 80, Wrap(index, Carousel.count));
    }
}

void DrawCaption()
{
    const CountryTexts& texts = TextsOfIcon(CountrySelection[CountryChoice_Centre()]);
    RestoreFromBackBuffer(0, 300, 640, 180);
    SetDrawAttribute(2, 0);
    DoShadedBox(42, 350, 556, 86, 50);
    SetMenuFont(0);
    SetDrawAttribute(1, 0);
    if (texts.description != NO_TEXT)
        DoTextBox(44, 352, GetMessageText(texts.description), MENU_ALIGN_TL, 552, 110);
    DoIcon(640, 436, MENU_ICON_OK, MENU_ALIGN_TR);
    DoIcon(0, 436, BACK_ICON, MENU_ALIGN_TL);
    SetMenuFont(NAME_FONT);
    DrawMenuMessage(320, 318, texts.name, MENU_ALIGN_CENTRE);
}

void DrawIdle()
{
    if (++Carousel.idleFrames >= CAROUSEL_IDLE_FRAMES) {
        Carousel.idleFrames = 0;
        const int32_t centre = CountryChoice_Centre();
        Carousel.frame[centre] =
            static_cast<uint8_t>((Carousel.frame[centre] + 1) % CAROUSEL_FLAG_FRAMES);
        RestoreFromBackBuffer(220, STRIP_TOP, 200, STRIP_HEIGHT);
        DoIcon(320, STRIP_CENTRE_Y, CountrySelection[centre] + Carousel.frame[centre],
               MENU_ALIGN_CENTRE);
    }
    if (!Carousel.captionDue) return;
    DrawCaption();
    Carousel.captionDue = false;
}

void CountryChoice_Carousel(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    // The strip is drawn as it stood before this frame's step: the step that ends a move already
    // names the new first country, which would show one side pennant twice on the last frame.
    const int32_t direction = Carousel.firstFrame ? -1 : Carousel.direction;
    const int32_t first = Carousel.first;
    const int32_t offset = CountryChoice_Advance();
    if (offset < 0) {
        DrawIdle();
        return;
    }
    DrawStrip(offset, direction, first);
}

void Init_M_MN0()
{
    MenuCont_FormatTitle(HEADER_RESTRICTED);
    TeamChoice.division = 0;
    if (EXM_GetRebuildFlag() != 0) CountryChoice_Reset();
}

int32_t CountryChoice_Left(MenuHotspot*)
{
    if (Carousel.direction == 0) Carousel.direction = -1;
    return EXM_CODE_NONE;
}

int32_t CountryChoice_Right(MenuHotspot*)
{
    if (Carousel.direction == 0) Carousel.direction = 1;
    return EXM_CODE_NONE;
}

int32_t CountryChoice_Confirm(MenuHotspot*)
{
    if (Carousel.direction != 0) return EXM_CODE_REDRAW;
    VTW_SetCountry(Return_CountryFromIcon(CountrySelection[CountryChoice_Centre()]));
    MenuOption = OPTION_CREATE_GAME;
    DoIcon(640, 436, MENU_ICON_OK, MENU_ALIGN_TR);
    DoIcon(0, 436, BACK_ICON, MENU_ALIGN_TL);
    return EXM_CODE_LEAVE;
}

int32_t CountryChoice_Back(MenuHotspot*)
{
    MenuOption = MENU_OPTION_TITLE;
    return EXM_CODE_LEAVE;
}

// ---------------------------------------------------------------------------------------------
// The choice of a club.

const MenuItem* s_buttonTable;

// A club's badge centred at x and its name from 40 right of it, in the room up to `right`.
void DrawClubCell(int32_t club, int32_t x, int32_t y, int32_t right)
{
    if (club < 0) return;
    DoIcon(x, y + ROW_HEIGHT / 2, BADGE_ICON_BASE + VTW_GetTeam(club), MENU_ALIGN_CENTRE);
    DrawMenuStringInRoom(x + CELL_NAME_X, y + CELL_NAME_MIDDLE,
                         VTW_FormatClubName(VTW_GetTeam(club)), MENU_ALIGN_ML,
                         right - CELL_GAP - x - CELL_NAME_X, NAME_FONT, 0);
}

void DrawClubRow(int32_t x, int32_t y, int32_t w, int32_t h, int32_t row)
{
    SetDrawAttribute(2, 0);
    DoShadedBox(x, y, w, h - 2, 50);
    SetDrawAttribute(1, 0);
    int32_t badgeW = 0, badgeH = 0;
    GetIconSize(BADGE_ICON_BASE, &badgeW, &badgeH);
    DrawClubCell(TeamChoice.row[row].left, CELL_X[0], y, CELL_X[1] - badgeW / 2);
    DrawClubCell(TeamChoice.row[row].right, CELL_X[1], y, x + w);
}

int32_t PickClub(int32_t club)
{
    if (club < 0) return EXM_CODE_NONE;
    GameState.currentClub = static_cast<int16_t>(club);
    JobOfferMode = 0;
    MenuOption = OPTION_JOB_OFFER;
    return EXM_CODE_LEAVE;
}

int32_t TeamChoice_PickLeft(MenuHotspot* h) { return PickClub(TeamChoice.row[h->row].left); }
int32_t TeamChoice_PickRight(MenuHotspot* h) { return PickClub(TeamChoice.row[h->row].right); }

// The buttons are the first items of their table, in division order.
int32_t TeamChoice_Division(MenuHotspot* h)
{
    TeamChoice.division = h->index;
    return EXM_CODE_REDRAW;
}

struct ButtonLayout {
    const TeamChoiceButton* buttons;
    int32_t count;
};
ButtonLayout s_layout;

// The long names do not fit the narrow buttons of the larger layouts on one line: each is wrapped
// inside its button in the small font, the selected division in the highlight colour.
void DrawDivisionLabels(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    SetMenuFont(0);
    for (int32_t d = 0; d < s_layout.count; ++d) {
        const TeamChoiceButton& b = s_layout.buttons[d];
        SetDrawAttribute(1, TeamChoice.highlight[d]);
        DoTextBox(b.x + LABEL_MARGIN, b.y, GetMessageText(TeamChoice.labels[d]), MENU_ALIGN_CENTRE,
                  b.width - 2 * LABEL_MARGIN, BUTTON_HEIGHT);
    }
    SetDrawAttribute(1, 0);
}

template <size_t N>
ButtonLayout LayoutOf(const TeamChoiceButton (&buttons)[N])
{
    return {buttons, static_cast<int32_t>(N)};
}

ButtonLayout LayoutFor(int32_t divisions)
{
    switch (divisions) {
        case 2: return LayoutOf(TWO_BUTTONS);
        case 3: return LayoutOf(THREE_BUTTONS);
        case 4: return LayoutOf(FOUR_BUTTONS);
        case 5: return LayoutOf(FIVE_BUTTONS);
        case 6: return LayoutOf(SIX_BUTTONS);
        default: FatalError("TeamChoice_Init(): %d divisions", divisions);
    }
}

void TeamChoice_Init()
{
    const int32_t divisions = VTW_GetCountryDivisions();
    if (EXM_GetRebuildFlag() != 0) {
        TeamChoice.division = 0;
        for (int32_t d = 0; d < TEAM_CHOICE_MAX_DIVISIONS; ++d) {
            TeamChoice.labels[d] = static_cast<int16_t>(VTW_GetDivisionLongNameTextNo(d));
        }
    }
    for (int32_t d = 0; d < TEAM_CHOICE_MAX_DIVISIONS; ++d) {
        TeamChoice.highlight[d] = d == TeamChoice.division ? 1 : 0;
    }
    TeamChoice_Collect(TeamChoice.division);
    s_layout = LayoutFor(divisions);
    s_buttonTable = TeamChoice_ButtonTable(divisions);
    EXM_SetRowCount(TeamChoice.rows);
    MenuCont_FormatTitle(HEADER_DATE | HEADER_RESTRICTED);
}

// ---------------------------------------------------------------------------------------------
// The manager's name.

int16_t s_humanClubName;

void ManagerName_Init()
{
    if (EXM_GetRebuildFlag() != 0) ManagerName_Reset();
    s_humanClubName = static_cast<int16_t>(VTW_ClubNameTextNo(VTW_GetTeam(GameState.currentClub)));
    MenuCont_FormatTitle(HEADER_CLUB | HEADER_DATE | HEADER_RESTRICTED);
}

int32_t NameEntered(int32_t) { return EXM_CODE_REDRAW; }

int32_t ManagerName_Edit(MenuHotspot*)
{
    SetDrawAttribute(1, 0);
    SetMenuFont(2);
    InitTextInput(NAME_FIELD_X, NAME_FIELD_Y, NAME_FIELD_WIDTH, MENU_ALIGN_TL, ManagerNameBuffer,
                  ManagerNameBuffer, nullptr, NameEntered);
    return EXM_CODE_NONE;
}

// The club's name kept clear of the title, and the OK icon that the hotspot in the corner stands
// for, so that the player can see how to confirm.
void ManagerName_Draw(int32_t, int32_t, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderName(GetMessageText(s_humanClubName), TEXT_NAME_TITLE);
    DoIcon(NAME_OK_X + NAME_OK_SIZE / 2, NAME_OK_Y + NAME_OK_SIZE / 2, MENU_ICON_OK,
           MENU_ALIGN_CENTRE);
}

int32_t ManagerName_Done(MenuHotspot*)
{
    ManagerName_Confirm();
    MenuOption = MENU_OPTION_OFFICE;
    return EXM_CODE_LEAVE;
}

// The screen's title, in the header's room.
void DrawTitle(int32_t x, int32_t y, int32_t, int32_t, int32_t)
{
    MenuCont_DrawHeaderTitle(x, y, GetMessageText(TEXT_TEAM_CHOICE_TITLE));
}

}  // namespace

void NewCareerInit()
{
    Carousel = {};
    TeamChoice = {};
    std::memset(ManagerNameBuffer, 0, sizeof ManagerNameBuffer);
    s_buttonTable = nullptr;
    s_layout = {};
    s_humanClubName = -1;
}

void NewCareerUninit() { NewCareerInit(); }

int32_t Return_CountryFromIcon(int32_t icon) { return TextsOfIcon(icon).country; }

void CountryChoice_Reset()
{
    Carousel = {};
    Carousel.firstFrame = true;
    int16_t count = 0;
    while (CountrySelection[count] != 0) {
        if (count == CAROUSEL_MAX_COUNTRIES)
            FatalAbort(SOURCE, __LINE__,
                       "Init_M_MN0 Exceding MAX_NUMBER_OF_LEAGUES in CountrySelection[]");
        ++count;
    }
    Carousel.count = count;
    Carousel.first = static_cast<int16_t>(std::max(0, count - 1));
}

int32_t CountryChoice_Centre() { return Wrap(Carousel.first + 1, Carousel.count); }

int32_t CountryChoice_Advance()
{
    if (Carousel.firstFrame) {
        Carousel.firstFrame = false;
        Carousel.direction = 0;
        Carousel.captionDue = true;
        return 0;  // a move of direction -1 at its start
    }
    if (Carousel.direction == 0) return -1;
    Carousel.captionDue = true;
    const int32_t offset = static_cast<int32_t>(
        std::lround(100.0f + 100.0f * Carousel.direction * std::cos(Carousel.angle)));
    Carousel.angle += CAROUSEL_ANGLE_STEP * Carousel.direction;
    if (std::fabs(Carousel.angle) > CAROUSEL_HALF_TURN) {
        Carousel.first =
            static_cast<int16_t>(Wrap(Carousel.first + Carousel.direction, Carousel.count));
        Carousel.angle = 0.0f;
        Carousel.direction = 0;
    }
    return offset;
}

void TeamChoice_Collect(int32_t division)
{
    TeamChoice.count = 0;
    const int32_t country = VTW_GetCountry();
    for (int32_t club = 0; club < CLUB_ID_COUNT && TeamChoice.count < TEAM_CHOICE_MAX_CLUBS;
         ++club) {
        if (VTW_GetClubDivision(club) == division && VTW_GetClubCountry(club) == country)
            TeamChoice.clubs[TeamChoice.count++] = static_cast<int16_t>(club);
    }
    VTW_SortClubsByName(TeamChoice.clubs, TeamChoice.count, 0);
    const int32_t half = TeamChoice.count / 2;
    TeamChoice.rows = static_cast<int16_t>((TeamChoice.count + 1) / 2);
    for (int32_t r = 0; r < TeamChoice.rows; ++r) {
        TeamChoice.row[r].left = TeamChoice.clubs[r < half ? r : 2 * half];
        TeamChoice.row[r].right = r < half ? TeamChoice.clubs[half + r] : int16_t{-1};
    }
}

const MenuItem* TeamChoice_ButtonTable(int32_t divisions)
{
    static MenuItem tables[TEAM_CHOICE_MAX_DIVISIONS + 1][TEAM_CHOICE_MAX_DIVISIONS + 2];
    const ButtonLayout layout = LayoutFor(divisions);
    MenuItem* table = tables[divisions];
    if (table[0].kind != 0) return table;
    for (int32_t d = 0; d < layout.count; ++d) {
        const TeamChoiceButton& b = layout.buttons[d];
        table[d] = {0x200c, b.x, b.y, b.width, BUTTON_HEIGHT, MenuTextNo(-1), TeamChoice_Division};
    }
    table[layout.count] = {0x24, 0, 0, 0, 0, MenuCallback(DrawDivisionLabels), nullptr};
    table[layout.count + 1] = MenuEndItem(nullptr, nullptr);
    return table;
}

void ManagerName_Reset()
{
    std::snprintf(ManagerNameBuffer, sizeof ManagerNameBuffer, "%-*s", MANAGER_NAME_FIELD,
                  GetMessageText(TEXT_DEFAULT_MANAGER));
}

void ManagerName_Confirm()
{
    TrimTrailingSpaces(ManagerNameBuffer);
    VTW_SetManagerName(ManagerNameBuffer);
    VTW_SetPlayerInitial(PERSON_HUMAN, 0);
}

const MenuItem* CountryChoice_Table()
{
    static const MenuCallbackFrames carousel = {1, 1, CountryChoice_Carousel};
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(Init_M_MN0), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(4), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 320, 36, MENU_ALIGN_CENTRE, 0, MenuTextNo(459), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x42, 75, 157, 1, 1, MenuAddress(&carousel), nullptr},
        {0x1f, 140, 300, 40, 40, MenuNumber(-1), CountryChoice_Left},
        {0x1f, 32, 100, 188, 200, MenuNumber(-1), CountryChoice_Left},
        {0x1f, 460, 300, 40, 40, MenuNumber(-1), CountryChoice_Right},
        {0x1f, 420, 100, 188, 200, MenuNumber(-1), CountryChoice_Right},
        {0x1f, 42, 350, 556, 86, MenuNumber(-1), CountryChoice_Confirm},
        {0x1f, 42, 436, 558, 40, MenuNumber(-1), CountryChoice_Confirm},
        {0x1f, 220, 100, 200, 230, MenuNumber(-1), CountryChoice_Confirm},
        {0x1f, 600, 436, 40, 40, MenuNumber(-1), CountryChoice_Confirm},
        {0x1f, 0, 436, 40, 40, MenuNumber(-1), CountryChoice_Back},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

const MenuItem* TeamChoice_Table()
{
    static const MenuItem row[] = {
        {0x24, 32, 0, 576, ROW_HEIGHT, MenuCallback(DrawClubRow), nullptr},
        {0x1f, 32, 0, 288, ROW_HEIGHT, MenuNumber(-1), TeamChoice_PickLeft},
        {0x1f, 320, 0, 288, ROW_HEIGHT, MenuNumber(-1), TeamChoice_PickRight},
        MenuEndItem(nullptr, nullptr),
    };
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(TeamChoice_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x24, 320, 36, 0, 0, MenuCallback(DrawTitle), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x21, 0, 80, 0, ROW_HEIGHT, MenuAddress(row), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(0), nullptr},
        {0x22, 0, 0, 1, 0, MenuVariable(&s_buttonTable), nullptr},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}

const MenuItem* ManagerName_Table()
{
    static const MenuItem table[] = {
        {0x36, 0, 0, 0, 0, MenuCallback(ManagerName_Init), nullptr},
        {0x0b, 0, 0, 0, 0, MenuNumber(21), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x0f, 480, 36, MENU_ALIGN_MR, 0, MenuTextNo(TEXT_NAME_TITLE), nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(1), nullptr},
        {0x0f, 320, 292, MENU_ALIGN_CENTRE, 0, MenuTextNo(1812), nullptr},
        {0x21, 0, 0, 1, 0, MenuAddress(MenuCont_HeaderTable()), nullptr},
        {0x38, 0, 0, 0, 0, 0, nullptr},
        {0x0d, 0, 0, 0, 0, MenuNumber(2), nullptr},
        {0x11, 220, 240, MENU_ALIGN_TL, 0, MenuString(ManagerNameBuffer), nullptr},
        {0x1f, 150, 230, 340, 40, MenuNumber(-1), ManagerName_Edit},
        {0x24, 0, 0, 640, 480, MenuCallback(ManagerName_Draw), nullptr},
        {0x1f, NAME_OK_X, NAME_OK_Y, NAME_OK_SIZE, NAME_OK_SIZE, MenuNumber(-1), ManagerName_Done},
        MenuEndItem(nullptr, nullptr),
    };
    return table;
}
