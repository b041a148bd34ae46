// menus/menucont.h: the common header of the screens (the date, the club emblem in the club's
// colours and the menu bar with its three lists), the bar's entries and what choosing them does.
#pragma once

#include <cstdint>

#include "menus/exm.h"
#include "menus/menubar.h"
#include "menus/menupc.h"

constexpr int32_t HEADER_CLUB = 1;        // MenuCont_FormatTitle flags: the emblem
constexpr int32_t HEADER_DATE = 2;        // the two date lines
constexpr int32_t HEADER_RESTRICTED = 4;  // only quitting, the volume and the points stay
constexpr int32_t HEADER_DATE_BYTES = 40;
constexpr int32_t VOLUME_STEPS = 11;  // 0-10
constexpr int32_t VOLUME_GAUGE_BYTES = 2 * VOLUME_STEPS + 1;
constexpr int32_t MENU_OPTION_SPECIAL = 0xFFFF;
constexpr int16_t TEXT_QUIT = 0;
constexpr int16_t TEXT_EXPORT_TEAM = 1015;
constexpr int16_t TEXT_DIVISION_MESSAGES = 426;
constexpr int16_t TEXT_ALL_MESSAGES = 427;
constexpr int16_t TEXT_VOLUME_UP = 833;
constexpr int16_t TEXT_VOLUME_DOWN = 834;
constexpr int16_t TEXT_TRAINING = 445;
constexpr int32_t TEXT_EXPORT_FAILED = 1022;
constexpr int32_t TEXT_REALLY_QUIT = 769;

// The header's words, written by MenuCont_FormatTitle.
extern char MenuContDateLine1[HEADER_DATE_BYTES];  // weekday and day of the month
extern char MenuContDateLine2[HEADER_DATE_BYTES];  // month and year
extern int16_t MenuContHeaderClub;                 // team of the emblem, -1 none
extern uint16_t MenuContRestricted;
extern uint16_t MessageFilter;  // 0 divisional messages only, 1 all messages
extern char MenuContVolumeGauge[VOLUME_GAUGE_BYTES];

// {label text number, option or MENU_OPTION_SPECIAL}, searched from the front, ended by {0, 0}.
struct MenuOptionLabel {
    uint16_t label;
    uint16_t option;
};
extern const MenuOptionLabel MenuOption_TextNumber[39];

// The bar of every header: "Fichier", "Menus des clubs", "Menus généraux"; its flags are set by
// MenuCont_PrepareBar each time it opens.
MenuListEntry* MenuCont_BarDescription();
// The header sub-table a screen includes once (kind 0x21).
const MenuItem* MenuCont_HeaderTable();

// Filter 0, no header club, the bar's entries as built, the gauge from the options' volume.
void MenuContInit();
void MenuContUninit();

void MenuCont_FormatTitle(int32_t flags);
// A screen's OK control and its Escape: back to the office.
int32_t MenuCont_ToOffice(MenuHotspot*);
int32_t MenuCont_EscapeToOffice();
void MenuCont_SetEmblemClub(int32_t club);
// The header's texts keep between the emblem and the date lines, whatever the date.
constexpr int32_t HEADER_TEXT_LEFT = 80;
constexpr int32_t HEADER_TEXT_RIGHT = 480;
// A title centred at (x, y) in the header, in `font` or a smaller one when it would come out of
// the header's room, cut short only when even the smallest is too long: a title that holds names
// (a club's, a player's, a match's).
void MenuCont_DrawHeaderTitle(int32_t x, int32_t y, const char* title, int32_t font = 2);
// A name at the header's left (80, 36), in the title's font, or a smaller one when it would run
// into the screen's title, text `titleTextNo` at (titleX, 36) by the alignment, cut short only
// when even the smallest is too long: our fonts are wider than the header's places were laid out
// for. The title's font is current afterwards.
void MenuCont_DrawHeaderName(const char* name, int32_t titleTextNo, int32_t titleX = 480,
                             int32_t titleAlignment = MENU_ALIGN_MR);
int32_t MenuCont_KitColour1(int32_t club);  // the home kit's first and second colour numbers
int32_t MenuCont_KitColour2(int32_t club);
// The emblem in the header club's colours at (x, y); nothing without a header club.
void MenuCont_DrawEmblem(int32_t x, int32_t y, int32_t width, int32_t height);
// Drawing callbacks of special items.
void MenuCont_OutlineBox(int32_t x, int32_t y, int32_t width, int32_t height);
void MenuCont_ShadedBox(int32_t x, int32_t y, int32_t width, int32_t height, int32_t flags);
// A list of `count` shown `rows` at a time from *first: a page back (-1) or on (+1), kept within
// the list; 2 when it moved, 1 when it could not.
int32_t MenuCont_TurnPage(int16_t* first, int32_t count, int32_t rows, int32_t direction);
// Before the bar shows: which entries act, and the message filter's check mark.
void MenuCont_PrepareBar(MenuListRecord* record);
// The chosen entry of the bar: a list code.
int32_t MenuCont_BarHandler(MenuListEntry* entry);
void MenuCont_VolumeGauge();
// The option a label leads to, MENU_OPTION_SPECIAL for the acting entries, -1 when unlisted.
int32_t MenuCont_OptionOfLabel(int32_t label);
