// tests/support/menu_loop.cpp: the whole menu display on the headless host, and scripted input.
#include "tests/support/menu_loop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "engine/crc32.h"
#include "engine/filename.h"
#include "engine/gfx.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/keyboard.h"
#include "engine/mouse.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/timer.h"
#include "game/textmess.h"
#include "generated/build_paths.h"
#include "menus/exm.h"
#include "menus/frontend.h"
#include "menus/hotregion.h"
#include "menus/loadbar.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/vtmenu.h"
#include "menus/vtmenusys.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

constexpr uint32_t INPUT_GAP = 4;
constexpr uint32_t ESCAPE_EVERY = 20;

struct ScriptState {
    MenuInputs inputs;
    size_t next;
    uint32_t start;
    uint32_t escapeFrom;
};

ScriptState s_script;

HostMouseButton ButtonOf(const MenuInput& input)
{
    return input.x == MENU_INPUT_RIGHT_BUTTON ? HOST_BUTTON_RIGHT : HOST_BUTTON_LEFT;
}

void Deliver(const MenuInput& input)
{
    switch (input.kind) {
        case MenuInput::MOVE: HostOnMouseMotion(input.x - PointerX(), input.y - PointerY()); break;
        case MenuInput::PRESS: HostOnMouseButton(ButtonOf(input), true); break;
        case MenuInput::RELEASE: HostOnMouseButton(ButtonOf(input), false); break;
        case MenuInput::KEY_DOWN: HostOnKey(static_cast<uint32_t>(input.x), true, false); break;
        case MenuInput::KEY_UP: HostOnKey(static_cast<uint32_t>(input.x), false, false); break;
        case MenuInput::CALL: input.call(); break;
    }
}

void ScriptPeriod()
{
    const uint32_t now = ScopedMenuScript::Elapsed();
    while (s_script.next < s_script.inputs.size() && s_script.inputs[s_script.next].tick <= now)
        Deliver(s_script.inputs[s_script.next++]);
    if (now >= s_script.escapeFrom && (now - s_script.escapeFrom) % ESCAPE_EVERY == 0)
        HostOnKey(1, true, false);
    if (now >= s_script.escapeFrom && (now - s_script.escapeFrom) % ESCAPE_EVERY == INPUT_GAP)
        HostOnKey(1, false, false);
}

}  // namespace

ScopedMenuDisplay::ScopedMenuDisplay(bool withLoop) : m_withLoop(withLoop)
{
    PollInit();
    TimerInit();
    PakFileInit();
    const std::string folder = ScopedMenus::GeneratedDataFolder();
    DataFolderInit(folder.c_str());
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    TextMess_Init();
    TextMess_Load();
    InitMouseDriver();
    InitKeyboardInterrupt();
    MachineInit();
    LoadBarInit();
    VTMenuInit();
    VTMenuSysInit();
    HotRegionInit();
    if (withLoop)
        EXM_Init();
    else
        InitSetOfMenus();
}

ScopedMenuDisplay::~ScopedMenuDisplay()
{
    if (m_withLoop) EXM_Shutdown();
    if (IsGraphicMode()) ShutdownMenuGraphics();
    HotRegionUninit();
    VTMenuSysUninit();
    VTMenuUninit();
    LoadBarUninit();
    MachineUninit();
    ClearKeyboardInterrupt();
    UninitMouseDriver();
    TextMess_Uninit();
    PakFileUninit();
    if (TimerIsRunning()) TimerUninit();
    PollUninit();
}

void AddClick(MenuInputs* inputs, uint32_t tick, int32_t x, int32_t y)
{
    inputs->push_back({tick, MenuInput::MOVE, x, y, {}});
    inputs->push_back({tick + INPUT_GAP, MenuInput::PRESS, 0, 0, {}});
    inputs->push_back({tick + 2 * INPUT_GAP, MenuInput::RELEASE, 0, 0, {}});
}

void AddKey(MenuInputs* inputs, uint32_t tick, int32_t code)
{
    inputs->push_back({tick, MenuInput::KEY_DOWN, code, 0, {}});
    inputs->push_back({tick + INPUT_GAP, MenuInput::KEY_UP, code, 0, {}});
}

void AddLeaveToDebugScreen(MenuInputs* inputs, uint32_t tick, int32_t x, int32_t y,
                           DebugScreenReturn* after)
{
    if (x < 0) {
        AddKey(inputs, tick, EXM_ESCAPE_KEY);
    } else {
        AddClick(inputs, tick, x, y);
    }
    inputs->push_back({tick + 200, MenuInput::CALL, 0, 0, [after] {
                           after->depth = EXM_Depth();
                           after->option = MenuOption;
                       }});
    AddClick(inputs, tick + 220, 570, 436);  // the debug screen's OK icon
}

void AddText(MenuInputs* inputs, uint32_t tick, const std::string& utf8)
{
    inputs->push_back({tick, MenuInput::CALL, 0, 0, [utf8] { HostOnText(utf8.c_str()); }});
}

ScopedMenuScript::ScopedMenuScript(MenuInputs inputs, uint32_t escapeAfter)
{
    uint32_t last = 0;
    for (const MenuInput& input : inputs)
        last = std::max(last, input.tick);
    s_script = {std::move(inputs), 0, ClockPeriods(), last + escapeAfter};
    std::stable_sort(s_script.inputs.begin(), s_script.inputs.end(),
                     [](const MenuInput& a, const MenuInput& b) { return a.tick < b.tick; });
    ClockAddListener(ScriptPeriod);
}

ScopedMenuScript::~ScopedMenuScript()
{
    ClockRemoveListener(ScriptPeriod);
    s_script = {};
}

uint32_t ScopedMenuScript::Elapsed() { return ClockPeriods() - s_script.start; }

int32_t SendVTEventAt(int32_t x, int32_t y, uint16_t kind)
{
    for (int32_t i = 0; i < VT_RegionCount(); ++i) {
        const VTHotRegion& r = VT_Regions()[i];
        if (x < r.x || x >= r.x + r.w || y < r.y || y >= r.y + r.h) continue;
        const VTEvent event = {kind,
                               r.code,
                               r.x,
                               r.y,
                               r.w,
                               r.h,
                               static_cast<int16_t>(x - r.x),
                               static_cast<int16_t>(y - r.y)};
        return r.callback(&event);
    }
    ADD_FAILURE() << "no hot region at " << x << ", " << y;
    return VT_NO_REGION;
}

bool IconDrawnAt(int32_t icon, int32_t x, int32_t y)
{
    int32_t w, h;
    GetIconSize(icon, &w, &h);
    const uint8_t* pixels = GetIconAddress(icon);
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t col = 0; col < w; ++col) {
            uint32_t pixel = 0;
            std::memcpy(&pixel, pixels + (static_cast<size_t>(row) * w + col) * bytes, bytes);
            if (pixel == MenuScreen.keyColour) continue;
            if (WorkPixel(x + col, y + row) != pixel) return false;
        }
    }
    return true;
}

namespace {

// Whether a pixel shows within a quarter of the full range of the colour on each component: a
// glyph pixel covered three quarters or more always does, whatever lies under it.
bool NearColour(uint32_t pixel, uint32_t colour)
{
    const uint32_t a = FrameRgbOf(pixel), b = FrameRgbOf(colour);
    for (int32_t shift = 0; shift < 24; shift += 8) {
        const int32_t d =
            static_cast<int32_t>(a >> shift & 0xFF) - static_cast<int32_t>(b >> shift & 0xFF);
        if (std::abs(d) > 64) return false;
    }
    return true;
}

}  // namespace

bool TextDrawnAt(const std::string& text, int32_t x, int32_t y, int32_t font, int32_t alignment,
                 int32_t colour)
{
    constexpr int32_t MARGIN = 4;
    const MenuAttributes kept = MenuAttr;
    SetMenuFont(font);
    SetDrawAttribute(1, colour);
    int32_t w, h;
    GetTextExtent(text.c_str(), &w, &h);
    int32_t left = x, top = y;
    AlignPoint(&left, &top, w, h, alignment);
    left = std::max(left - MARGIN, 0);
    w = std::min(w + 2 * MARGIN, MenuScreen.width - left);
    h = std::min(h, MenuScreen.height - top);
    const uint32_t bytes = MenuScreen.bytesPerPixel;
    const size_t size = static_cast<size_t>(w) * h * bytes;
    const uint32_t ink = MenuScreenColour(MENU_FONT_COLOUR_VALUES[colour]);
    // The text drawn alone on the blank farthest from its colour tells its glyphs' pixels apart.
    const uint8_t blankByte = NearColour(0, ink) ? 0xFF : 0;
    uint32_t blank = 0;
    std::memset(&blank, blankByte, bytes);
    std::vector<uint8_t> shown(size), alone(size), cleared(size, blankByte);
    SaveScreenRect(left, top, w, h, shown.data());
    PutScreenRect(left, top, w, h, cleared.data());
    DrawMenuString(x, y, text.c_str(), alignment);
    SaveScreenRect(left, top, w, h, alone.data());
    PutScreenRect(left, top, w, h, shown.data());
    MenuAttr = kept;
    bool inked = false;
    for (size_t at = 0; at < size; at += bytes) {
        uint32_t mine = 0, screen = 0;
        std::memcpy(&mine, &alone[at], bytes);
        std::memcpy(&screen, &shown[at], bytes);
        if (NearColour(mine, ink)) {
            if (!NearColour(screen, ink)) return false;
            inked = true;
        } else if (mine == blank && NearColour(screen, ink)) {
            return false;
        }
    }
    return inked;
}

uint32_t WorkScreenHash()
{
    const size_t size =
        static_cast<size_t>(MenuScreen.width) * MenuScreen.height * MenuScreen.bytesPerPixel;
    return Crc32(MenuScreen.workScreen, size);
}

void ExpectGoldenHash(const std::string& name, uint32_t hash)
{
    char actual[16];
    std::snprintf(actual, sizeof actual, "%08x\n", hash);
    ExpectGoldenText(name, actual);
}

void ExpectGoldenText(const std::string& name, const std::string& text)
{
    const std::filesystem::path path =
        std::filesystem::path(PELLORAN_SOURCE_DIR) / "tests" / "golden" / (name + ".txt");
    const char* update = std::getenv("PELLORAN_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(WriteTextFile(path.string(), text)) << path;
        return;
    }
    EXPECT_EQ(ReadTextFile(path.string()), text)
        << "-expected (" << path.string() << ")\n+actual " << text
        << "regenerate with PELLORAN_UPDATE_GOLDEN=1 only for an intended change";
}

uint32_t FirstBuildHash(const MenuItem* table, const char* png, int32_t x, int32_t y)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({100, MenuInput::MOVE, 320, 250, {}});  // the pointer where it always is
    inputs.push_back({300, MenuInput::CALL, 0, 0, [&] {
                          hash = WorkScreenHash();
                          WriteFrameToTestOutput(png);
                      }});
    if (x >= 0) AddClick(&inputs, 310, x, y);
    ScopedMenuScript script(inputs, 40);
    EXM_PushAndRun(table);
    return hash;
}

uint32_t BoxRegionHash()
{
    uint32_t hash = 2166136261u;
    for (int32_t y = 210; y < 270; ++y) {
        for (int32_t x = 200; x < 460; ++x) {
            hash = (hash ^ WorkPixel(x, y)) * 16777619u;
        }
    }
    return hash;
}

uint32_t BoxShownBy(const std::function<void()>& show)
{
    uint32_t hash = 0;
    MenuInputs inputs;
    inputs.push_back({1, MenuInput::MOVE, 20, 20, {}});
    inputs.push_back({20, MenuInput::CALL, 0, 0, [&] { hash = BoxRegionHash(); }});
    AddClick(&inputs, 30, 20, 20);
    ScopedMenuScript script(inputs);
    show();
    HostOnMouseButton(HOST_BUTTON_LEFT, false);
    return hash;
}

uint32_t BoxOfText(int32_t textNo)
{
    return BoxShownBy([textNo] { DoMessageBox(GetMessageText(textNo), 0); });
}
