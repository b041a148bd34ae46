// tests/support/menu_loop.h: the whole menu display on the headless host, brought up by the game's
// own start-up of it, and scripted pointer and key input delivered on clock periods while a menu
// loop or a modal box runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/gfx_run.h"

struct MenuItem;

// The headless host with the graphics layer, the manual clock, the generated archives and texts,
// the mouse and the keyboard; then InitSetOfMenus (or, with `withLoop`, EXM_Init), taken down
// again at the end unless the test already did.
class ScopedMenuDisplay {
public:
    explicit ScopedMenuDisplay(bool withLoop = false);
    ~ScopedMenuDisplay();
    ScopedMenuDisplay(const ScopedMenuDisplay&) = delete;
    ScopedMenuDisplay& operator=(const ScopedMenuDisplay&) = delete;

private:
    ScopedGraphics m_graphics;
    bool m_withLoop;
};

// One scripted input, `tick` clock periods after the script is started.
struct MenuInput {
    enum Kind { MOVE, PRESS, RELEASE, KEY_DOWN, KEY_UP, CALL };
    uint32_t tick;
    Kind kind;
    int32_t x;  // MOVE: the point; KEY_*: x is the key code; PRESS, RELEASE: the button
    int32_t y;
    std::function<void()> call;
};
using MenuInputs = std::vector<MenuInput>;
constexpr int32_t MENU_INPUT_RIGHT_BUTTON = 2;  // a PRESS or RELEASE's x; any other is the left

// Moves to (x, y) at `tick`, presses 4 periods later and releases 4 after that.
void AddClick(MenuInputs* inputs, uint32_t tick, int32_t x, int32_t y);
void AddKey(MenuInputs* inputs, uint32_t tick, int32_t code);  // down, and up 4 periods later
// How a screen run from the developer's debug screen was left: the loop depth and MenuOption
// read 200 periods after a click on (x, y) at `tick`, or Escape when x is negative. Both stay -2
// when no loop runs any more by then. The debug screen's OK icon is clicked after that, in case
// it is still there.
struct DebugScreenReturn {
    int32_t depth = -2;
    int16_t option = -2;
};
void AddLeaveToDebugScreen(MenuInputs* inputs, uint32_t tick, int32_t x, int32_t y,
                           DebugScreenReturn* after);
// Text as the window system types it (UTF-8), at `tick`.
void AddText(MenuInputs* inputs, uint32_t tick, const std::string& utf8);

// Delivers the inputs from now on; once they are spent, and `escapeAfter` periods more, Escape is
// pressed every 20 periods so that a loop a test failed to leave still ends.
class ScopedMenuScript {
public:
    explicit ScopedMenuScript(MenuInputs inputs, uint32_t escapeAfter = 2000);
    ~ScopedMenuScript();
    ScopedMenuScript(const ScopedMenuScript&) = delete;
    ScopedMenuScript& operator=(const ScopedMenuScript&) = delete;

    static uint32_t Elapsed();  // periods since the script started
};

// Sends one pointer event (a VTEventKind) straight to the callback of the last drawn VT_ map's
// hot region holding (x, y), as the menu loop would; a test failure and 300 when none holds it.
int32_t SendVTEventAt(int32_t x, int32_t y, uint16_t kind);

// A stable hash of the middle of the modal box, where its text is, in the work screen.
uint32_t BoxRegionHash();
// The message box `show` puts up, its text's region hashed while it is up, then clicked away;
// 0 when none shows. BoxOfText: the same for the box of message text `textNo`, to compare with.
uint32_t BoxShownBy(const std::function<void()>& show);
uint32_t BoxOfText(int32_t textNo);

// True when every pixel of the icon that is not the key colour shows at (x, y) in the work screen.
bool IconDrawnAt(int32_t icon, int32_t x, int32_t y);
// True when the hi-colour work screen shows the text as DrawMenuString places it at (x, y) in the
// font, alignment and font colour: every pixel the glyphs cover mostly shows near the font colour,
// and none that they leave blank does, nor any within 4 pixels either side, so that another text,
// a longer one included, does not pass for it. The work screen is left as it was.
bool TextDrawnAt(const std::string& text, int32_t x, int32_t y, int32_t font, int32_t alignment,
                 int32_t colour = 0);
// A stable hash of the work screen's pixels.
uint32_t WorkScreenHash();
// Compares a frame's hash with the one kept in tests/golden/<name>.txt; with
// PELLORAN_UPDATE_GOLDEN=1 the file is written instead.
void ExpectGoldenHash(const std::string& name, uint32_t hash);
// The same for any text: tests/golden/<name>.txt must hold exactly `text`.
void ExpectGoldenText(const std::string& name, const std::string& text);
// Runs a screen's table (the loop of ScopedMenuDisplay(true)): the hash of its work screen once
// its first build is shown, that frame written to the test output as `png`; then a click on
// (x, y), or Escape when x is negative, leaves it.
uint32_t FirstBuildHash(const MenuItem* table, const char* png, int32_t x = -1, int32_t y = -1);
