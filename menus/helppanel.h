// menus/helppanel.h: the full-screen help panel viewer and its table of panels; the developer's
// debug screen opens its one panel.
#pragma once

#include <cstdint>

constexpr int32_t HELP_PANEL_COUNT = 1;

// 0 when `id` is the panel id of the table's entry, else -1.
int32_t IsCurrentPanel(int32_t id);

// Shows panel `n` over the darkened screen and returns when it is closed: the Up and Down keys
// or a left click on the arrows move it a line, Page Up and Page Down or a right click a page,
// never past either end of the text; Escape, Enter or the OK tick close it. An `n` outside the
// table is fatal "Error: DoHelpPanel(): help value %d out of range\n".
void DoHelpPanel(int32_t n);

// While a panel is shown: its first line on the page, its lines and the lines a page holds.
int32_t HelpPanel_FirstLine();
int32_t HelpPanel_LineCount();
int32_t HelpPanel_PageLines();
