// menus/menuicons.h: the menus' stored pictures: icons numbered 1-1442 across the icon files,
// and one full-screen background per screen; loaded on first use into purgeable memory and
// converted once into the screen's format.
#pragma once

#include <array>
#include <cstdint>
#include <span>

constexpr int32_t ICON_COUNT = 1443;  // icon 0 is the unnamed row's and never drawn
constexpr int32_t ICON_FIRST = 1;
constexpr int32_t ICON_LAST = 1442;
constexpr int32_t ICON_FILE_ROWS = 73;  // then a row with frame count 0 ends the table
constexpr int32_t BACKGROUND_COUNT = 59;
constexpr int32_t PICTURE_HEADER_BYTES = 16;  // "GFX0", i16 width, height, frame count, zeros

struct IconFile {
    int16_t frames;
    const char* name;  // under "menugfx", extension "gfx"; null in row 0
};

// The icon files in icon-number order: row r's first icon is the sum of the frame counts above.
extern const std::array<IconFile, ICON_FILE_ROWS + 1> IconFiles;
// The background files under "menugfx", extension "bck", by background number; then a null.
extern const std::array<const char*, BACKGROUND_COUNT + 1> BackgroundNames;

void MenuIconsInit();    // forgets every loaded picture and the icon list
void MenuIconsUninit();  // frees what is loaded; safe without MenuIconsInit and twice

// Builds the icon list from the tables. A total other than ICON_COUNT is the fatal abort
// "InitIconLists(): IconList not in sync"; a background table without a named row 58 and an
// empty row 59 is "InitIconLists(): backgrounds not in sync".
void InitIconLists();
// The same check and list for other tables (the game's own are IconFiles and BackgroundNames).
void InitIconListsFrom(std::span<const IconFile> files, std::span<const char* const> backgrounds);

// Makes the file of an icon-file row present (loading, checking and converting it when it is
// not, else raising its purge priority to the current tick). A file without "GFX0" or of a size
// other than 16 + w x h x frames x 2 is a fatal error naming it.
void LoadIconFile(int32_t row);
// The frame's first pixel in the screen format; n outside 1-1442 is fatal.
const uint8_t* GetIconAddress(int32_t n);
void GetIconSize(int32_t n, int32_t* width, int32_t* height);
int32_t GetScaledIconSize(int32_t n, int32_t* width, int32_t* height);  // returns the width

// Draws the icon anchored at (x, y) by the alignment code, in menu coordinates.
void DoIcon(int32_t x, int32_t y, int32_t n, int32_t alignment);
void DoIconRaw(int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* pixels);
// The w x h part from (skipX, skipY) of the icon aligned at (x, y); nothing unless the part
// lies inside the icon and w and h are positive.
void DoIconClipped(int32_t x, int32_t y, int32_t n, int32_t alignment, int32_t skipX, int32_t skipY,
                   int32_t w, int32_t h);
const char* GetItemLabelText(int32_t n);  // no icon file carries labels: always ""

// Wipes out a screen that was presented, puts background n over the whole work screen and
// resets the drawing attributes to draw colour 0x03E0, font colour 0, font 1, number type 0,
// button style 0. A file of the wrong size is a fatal error naming it.
void DoBackground(int32_t n);
