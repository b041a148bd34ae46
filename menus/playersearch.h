// menus/playersearch.h: "Chercher joueur" and "Analyse stats", one screen in two modes: the list
// of players the search finds (or the human's squad), fifteen a page, the eighteen criterion bars,
// the drop-downs of filters, sorts and presets, the money and age editors, and in the analysis
// the match team on its formation diagram with the captain and set-piece takers.
#pragma once

#include <cstdint>

#include "game/playersearch.h"

struct MenuItem;
struct MenuListEntry;

constexpr int16_t OPTION_PLAYER_SEARCH = 19;
constexpr int16_t OPTION_SQUAD_ANALYSIS = 21;
constexpr int32_t SEARCH_BAR_X = 508;
constexpr int32_t SEARCH_BAR_Y = 106;
constexpr int32_t SEARCH_BAR_PITCH = 16;
constexpr int32_t SEARCH_BAR_W = 100;
constexpr int32_t SEARCH_BAR_H = 12;
constexpr int32_t SEARCH_DIGITS = 8;

// Roles a row of the match team takes from its popup.
enum SearchRole : int16_t { ROLE_CAPTAIN, ROLE_PENALTY, ROLE_FREE_KICK, ROLE_CORNER };

struct PlayerSearchScreenState {
    int16_t title;            // 252 or 497
    int16_t criteriaCaption;  // 858 "Valeur minimum" or 859 "Priorité"
    int16_t moneyCaption;     // 733 with the wage limit, 259 with the transfer budget
    int32_t moneyShown;       // the club's figure beside the caption
    int16_t page;             // from 1; "page/pages" heads the names of the search
    int16_t pages;
    int16_t divisionTexts[DIVISION_MAX];
    int16_t roleRow;     // the row whose role popup is open
    int16_t savingSlot;  // the preset whose name is being typed, -1 none
    char nameField[SEARCH_PRESET_NAME + 1];
};
extern PlayerSearchScreenState PlayerSearchScreen;  // owned here

void PlayerSearchScreenInit();
void PlayerSearchScreenUninit();

// The table's init: on entry the human's club, the mark list emptied, the mode's settings and
// the presets after a load; at every build the ages in order, the sort keys, the list when dirty
// and the page.
void PlayerSearch_Init();

// The shown set: minimums in search mode, weights in the analysis.
int16_t* PlayerSearch_ShownSet();
// A bar row's new value (0-100): 1 when it is already shown; else it is stored, the list is
// dirty and 2 is answered. In search mode a minimum also seeds an unset weight.
int32_t PlayerSearch_SetBar(int32_t row, int32_t value);
int32_t PlayerSearch_BarValueAt(int32_t pointerX);  // 0-99 across the bar

// Screen controls; each answers the loop's code (1 when nothing changed).
int32_t PlayerSearch_PageUp();
int32_t PlayerSearch_PageDown();
int32_t PlayerSearch_ColumnLeft();
int32_t PlayerSearch_ColumnRight();
int32_t PlayerSearch_SwitchCriteria();  // minimums <-> weights, search mode only
int32_t PlayerSearch_ResetShown();
int32_t PlayerSearch_ToggleDisplay(bool graph);  // "Graph." or "Num."; one stays on
int32_t PlayerSearch_EditMaximum(bool value);    // "Valeur" or "Salaire"
int32_t PlayerSearch_TakeMaximum();              // "Maximum"
// Digit 0 (the highest) to 7 of the edited maximum, up or down with its wrap.
int32_t PlayerSearch_StepDigit(int32_t digit, bool up);
// Age 0 (first box) or 1, by 1 or 10, up or down with its wraps.
int32_t PlayerSearch_StepAge(int32_t which, int32_t step, bool up);
int32_t PlayerSearch_RowMarker(int32_t row);       // row 0-14 of the page
int32_t PlayerSearch_RowName(int32_t row);         // the card, 1 on an empty row
int32_t PlayerSearch_SubstituteMarker(int32_t k);  // shirt 12 + k
int32_t PlayerSearch_SubstituteName(int32_t k);
int32_t PlayerSearch_TakeRole(int32_t row, int32_t role);
// "Sauvegarder" slot n: the name field opens; the field's end stores the preset.
int32_t PlayerSearch_StartSave(int32_t slot);
int32_t PlayerSearch_NameTyped(int32_t code);
int32_t PlayerSearch_Load(int32_t slot);

// The drop-downs, per mode where they differ.
MenuListEntry* PlayerSearch_SortPopup();
MenuListEntry* PlayerSearch_AnalysisSortPopup();
MenuListEntry* PlayerSearch_CriteriaPopup();
MenuListEntry* PlayerSearch_DisplayPopup();
MenuListEntry* PlayerSearch_TypePopup();
MenuListEntry* PlayerSearch_AnalysisTypePopup();
MenuListEntry* PlayerSearch_PresetPopup();
MenuListEntry* PlayerSearch_AnalysisPresetPopup();
MenuListEntry* PlayerSearch_ColumnPopup();
MenuListEntry* PlayerSearch_RolePopup();

const MenuItem* PlayerSearch_Table();  // options 19 and 21
