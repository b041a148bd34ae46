#include "menus/machine.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxenum.h"
#include "engine/fatal.h"
#include "engine/gfx.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/options.h"
#include "engine/poll.h"
#include "engine/sounddrv.h"
#include "engine/startup.h"
#include "engine/winlib.h"
#include "game/gamestate.h"
#include "menus/exm.h"
#include "menus/loadbar.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/vtmenu.h"
#include "tests/support/gfx_run.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

class Machine : public testing::Test {
protected:
    // Shown once, so that no box's first presentation spends ticks wiping the screen in.
    Machine() { PresentMenuScreen(); }

    ScopedMenuDisplay m_display;
};
using MachineDeathTest = Machine;

void MovePointerBy(int32_t dx, int32_t dy)
{
    HostOnMouseMotion(dx, dy);
    int16_t x, y;
    uint16_t buttons;
    UpdatePointerPosition(&x, &y, &buttons);
}

void MovePointerTo(int32_t x, int32_t y) { MovePointerBy(x - PointerX(), y - PointerY()); }

// The hourglass frame drawn with its corner at (x, y), or -1.
int32_t BusyFrameAt(int32_t x, int32_t y)
{
    for (int32_t f = 0; f < POINTER_BUSY_FRAMES; ++f) {
        if (IconDrawnAt(POINTER_BUSY_ICON + f, x, y)) return f;
    }
    return -1;
}

}  // namespace

TEST_F(Machine, ShutdownLeavesNoBlockOfTheDisplayBehind)
{
    ShutdownMenuGraphics();
    const MemoryStatistics afterFirst = MemoryStats();
    EXPECT_FALSE(IsGraphicMode());
    InitSetOfMenus();
    ShowPointer();
    ShutdownMenuGraphics();
    EXPECT_EQ(MemoryStats().blocks, afterFirst.blocks);
}

TEST_F(Machine, PointerStopsSixPixelsShortOfTheRightAndBottomEdges)
{
    MovePointerBy(1000, 1000);
    EXPECT_EQ(PointerX(), 640 - 6);
    EXPECT_EQ(PointerY(), 480 - 6);
    MovePointerBy(-2000, -2000);
    EXPECT_EQ(PointerX(), 0);
    EXPECT_EQ(PointerY(), 0);
}

TEST_F(Machine, TwoBusyCallsNeedTwoOffsBeforeTheArrowReturns)
{
    MovePointerTo(100, 100);
    SetBusyPointer(1);
    SetBusyPointer(1);
    EXPECT_GE(BusyFrameAt(100 - 12, 100 - 12), 0);
    SetBusyPointer(0);
    ErasePointer();
    ShowPointer();
    EXPECT_GE(BusyFrameAt(100 - 12, 100 - 12), 0);
    ErasePointer();
    SetBusyPointer(0);
    ShowPointer();
    EXPECT_TRUE(IconDrawnAt(POINTER_ICON, 100, 100));
    ErasePointer();
}

TEST_F(Machine, GaugeFillsOnePixelPerPercentOnlyFrom4To100)
{
    // The fill's top edge runs along row 423 from x = 268, one pixel per percent.
    ProgressCounters = {200, 100};
    DrawBusyGauge();
    EXPECT_EQ(WorkPixel(268 + 49, 423), WorkPixel(290, 423));
    EXPECT_NE(WorkPixel(268 + 50, 423), WorkPixel(290, 423));
    for (const ProgressCountersRecord& progress :
         {ProgressCountersRecord{100, 3}, ProgressCountersRecord{2, 3}}) {
        ProgressCounters = progress;
        DrawBusyGauge();
        EXPECT_EQ(WorkPixel(290, 423), WorkPixel(268 + 50, 423)) << progress.done;
    }
    ProgressCounters = {0, 0};
}

TEST_F(Machine, MessageBoxOpenedWithTheButtonHeldWaitsForReleaseAndANewPress)
{
    HostOnMouseButton(HOST_BUTTON_LEFT, true);
    MenuInputs inputs;
    inputs.push_back({30, MenuInput::RELEASE, 0, 0, {}});
    inputs.push_back({60, MenuInput::PRESS, 0, 0, {}});
    bool arrowDuringBox = false;
    inputs.push_back({40, MenuInput::CALL, 0, 0,
                      [&] { arrowDuringBox = IconDrawnAt(POINTER_ICON, PointerX(), PointerY()); }});
    ScopedMenuScript script(inputs);
    SetBusyPointer(1);
    DoMessageBox("Bonjour", 0);
    EXPECT_GE(ScopedMenuScript::Elapsed(), 60u);
    EXPECT_LT(ScopedMenuScript::Elapsed(), 70u);
    EXPECT_TRUE(arrowDuringBox);
    SetBusyPointer(0);
    HostOnMouseButton(HOST_BUTTON_LEFT, false);
}

TEST_F(Machine, MessageBoxClosesAfterItsTimeOut)
{
    ScopedMenuScript script({});
    DoMessageBox("Bonjour", 50);
    EXPECT_GE(ScopedMenuScript::Elapsed(), 50u);
    EXPECT_LT(ScopedMenuScript::Elapsed(), 60u);
    EXPECT_EQ(IsSavedScreenSection(MENU_MODAL_SECTION), 0);
}

// Escape closes the box as a click does, but only when pressed while the box shows.
TEST_F(Machine, MessageBoxClosesOnAnEscapePressedWhileItShows)
{
    MenuInputs inputs;
    AddKey(&inputs, 5, EXM_ESCAPE_KEY);
    AddKey(&inputs, 40, EXM_ESCAPE_KEY);
    ScopedMenuScript script(inputs);
    while (ScopedMenuScript::Elapsed() < 15) {
        WaitMenuTick();
    }
    DoMessageBox("Bonjour", 0);
    EXPECT_GE(ScopedMenuScript::Elapsed(), 40u);
    EXPECT_LT(ScopedMenuScript::Elapsed(), 50u);
    EXPECT_EQ(IsSavedScreenSection(MENU_MODAL_SECTION), 0);
}

TEST_F(Machine, QuestionBoxAnswersTheButtonClickedOrTheTimeOut)
{
    struct Case {
        int32_t x;
        int32_t y;
        uint32_t timeout;
        int32_t answer;
    };
    for (const Case& c : {Case{270, 280, 0, 0}, Case{370, 280, 0, 1}, Case{-1, -1, 100, -1},
                          Case{100, 100, 200, 2}}) {
        MenuInputs inputs;
        if (c.x >= 0) AddClick(&inputs, 10, c.x, c.y);
        ScopedMenuScript script(inputs);
        EXPECT_EQ(DoQuestionBox("Encore ?", c.timeout, MenuYesNoButtons), c.answer) << c.x;
        HostOnMouseButton(HOST_BUTTON_LEFT, false);  // the box answers while the button is down
    }
}

TEST_F(MachineDeathTest, SavingASectionTwiceIsFatal)
{
    PreserveScreenSection(4, 10, 10, 20, 20);
    EXPECT_FATAL(PreserveScreenSection(4, 10, 10, 20, 20),
                 "Error: PreserveScreenSection(): section no 4 already saved\n");
}

TEST_F(MachineDeathTest, SectionMisuseIsFatal)
{
    EXPECT_FATAL(
        PreserveScreenSection(1, 630, 10, 20, 20),
        "Error: PreserveScreenSection(): off screen coords for section 1 - 630,10 (20x20)");
    EXPECT_FATAL(RestoreScreenSection(2), "Error: RestoreScreenSection(): section no 2 not saved");
    EXPECT_FATAL(ResetScreenSection(5), "Error: ResetScreenSection(): section index out of range");
}

namespace {

// Every pixel of the icon that is not the key colour, as the last presented frame shows it at
// (x, y); and whether it has both near-white and near-black pixels.
bool IconInPresentedFrame(int32_t icon, int32_t x, int32_t y, bool* whiteAndBlack)
{
    int32_t w, h;
    GetIconSize(icon, &w, &h);
    const uint8_t* pixels = GetIconAddress(icon);
    bool white = false, black = false;
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t col = 0; col < w; ++col) {
            uint32_t pixel = 0;
            std::memcpy(&pixel, pixels + (static_cast<size_t>(row) * w + col) * 2, 2);
            if (pixel == MenuScreen.keyColour) continue;
            const uint32_t rgb = FrameRgbOf(pixel);
            white = white || (rgb & 0xC0C0C0) == 0xC0C0C0;
            black = black || (rgb & 0xC0C0C0) == 0;
            if (FrameRgb(x + col, y + row) != rgb) return false;
        }
    }
    *whiteAndBlack = white && black;
    return true;
}

// The columns of the band whose pixels are neither of the two gauge colours: the text's extent.
void TextColumns(uint32_t fill, uint32_t interior, int32_t* first, int32_t* last)
{
    *first = 640;
    *last = -1;
    for (int32_t y = 424; y <= 434; ++y) {
        for (int32_t x = 270; x <= 366; ++x) {
            const uint32_t pixel = WorkPixel(x, y);
            if (pixel == fill || pixel == interior) continue;
            *first = std::min(*first, x);
            *last = std::max(*last, x);
        }
    }
}

}  // namespace

TEST_F(Machine, BringsUpThe16BitDisplayWithFontsAndTheArrowAtTheCentre)
{
    EXPECT_EQ(ScreenWidth(), 640u);
    EXPECT_EQ(ScreenHeight(), 480u);
    EXPECT_EQ(GfxBytesPerPixel(), 2u);
    EXPECT_EQ(VT_GetState(), VT_STATE_READY);
    int32_t w, h;
    MeasureMenuText("A", &w, &h);  // a font that was not loaded would be fatal here
    EXPECT_GT(w, 0);
    ShowPointer();
    PresentNow();
    bool whiteAndBlack = false;
    EXPECT_TRUE(IconInPresentedFrame(POINTER_ICON, 320, 240, &whiteAndBlack));
    EXPECT_TRUE(whiteAndBlack);
    ErasePointer();
    EXPECT_FALSE(IconDrawnAt(POINTER_ICON, 320, 240));
}

TEST_F(Machine, TheMenuModeIs16BitUnlessMenu256AsksForTheCubePalette)
{
    int32_t count = 0;
    const DDrawMode* modes = GfxModeList(&count);
    const DDrawMode& usual = modes[MenuChooseMode("InitSetOfMenus")];
    EXPECT_EQ(usual.kind, DDRAW_KIND_16BIT);
    EXPECT_EQ(usual.width, 640);
    EXPECT_EQ(usual.height, 480);
    ShutdownMenuGraphics();
    Menu256Flag = true;
    InitSetOfMenus();
    Menu256Flag = false;
    EXPECT_EQ(GfxBytesPerPixel(), 1u);
    EXPECT_EQ(MenuScreen.is256, 1);
    EXPECT_EQ(ScreenWidth(), 640u);
}

TEST_F(Machine, StartUpLeavesNoLoadBarRunning)
{
    EXPECT_EQ(LoadBar_Fraction(), 1.0f);  // every unit advanced
    // A bar still started with its levels closed would make this a fatal error.
    LoadBar_EndBlock();
}

TEST_F(Machine, HourglassStepsExactlyEveryFourTicksAndHidingErasesItAtOnce)
{
    MovePointerTo(200, 200);
    SetBusyPointer(1);
    ClockSetAutoAdvance(false);
    std::vector<int32_t> changedAt;
    int32_t frame = BusyFrameAt(188, 188);
    for (int32_t tick = 1; tick <= 16; ++tick) {
        ClockAdvance(1);
        Poll();
        const int32_t now = BusyFrameAt(188, 188);
        if (now != frame) changedAt.push_back(tick);
        EXPECT_EQ((now - frame + POINTER_BUSY_FRAMES) % POINTER_BUSY_FRAMES, now != frame ? 1 : 0);
        frame = now;
    }
    ClockSetAutoAdvance(true);
    ASSERT_EQ(changedAt.size(), 4u);
    for (size_t i = 1; i < changedAt.size(); ++i)
        EXPECT_EQ(changedAt[i] - changedAt[i - 1], 4);
    HidePointer(1);
    EXPECT_EQ(BusyFrameAt(188, 188), -1);
    HidePointer(0);
    EXPECT_GE(BusyFrameAt(188, 188), 0);
    SetBusyPointer(0);
}

TEST_F(Machine, GaugeTextIsThePercentCentredOnTheGauge)
{
    struct Case {
        ProgressCountersRecord progress;
        const char* text;
    };
    for (const Case& c : {Case{{200, 100}, "50%"}, Case{{2, 3}, "150%"}}) {
        ProgressCounters = c.progress;
        DrawBusyGauge();
        SetMenuFont(0);
        int32_t w, h;
        MeasureMenuText(c.text, &w, &h);
        int32_t first, last;
        TextColumns(WorkPixel(272, 426), WorkPixel(366, 426), &first, &last);
        EXPECT_NEAR((first + last) / 2, 318, 2) << c.text;
        EXPECT_NEAR(last - first + 1, w, 2) << c.text;
    }
    ProgressCounters = {0, 0};
}

TEST_F(Machine, MenuMusicPlaysOnChannelZeroAtTheMenuVolume)
{
    ShutdownMenuGraphics();
    AddGameSoundBanks();
    ASSERT_TRUE(SndIsOn());
    Options.menuVolume = 7;
    InitSetOfMenus();
    EXPECT_EQ(SndChannels[0].bank, &SndBanks[SndKeyMusic]);
    EXPECT_LE(SndChannels[0].sample, 1u);
    const auto lastVolume = [] {
        const std::vector<HostAudioEvent>& log = HostInjectAudioLog();
        const auto it = std::find_if(log.rbegin(), log.rend(), [](const HostAudioEvent& e) {
            return e.kind == HOST_AUDIO_VOLUME;
        });
        return it == log.rend() ? INT32_MIN : it->value;
    };
    const int32_t started = lastVolume();
    SndSetVolumeIfActive(0, 70);
    EXPECT_EQ(lastVolume(), started);
    ShutdownMenuGraphics();
    EXPECT_EQ(SndChannels[0].bank, nullptr);
    RemoveGameSoundBanks();
    SndUninit();
    Options.menuVolume = 8;
}

// A match view whose sounds hold eight channels opens and closes the display around them: no
// music, and the channels stay the view's.
TEST_F(Machine, TheDisplayOpenedKeepingTheSoundLeavesTheChannelsAlone)
{
    ShutdownMenuGraphics();
    AddGameSoundBanks();
    ASSERT_TRUE(SndIsOn());
    SndSetActiveChannels(8);
    InitSetOfMenus(MenuSound::Keep);
    EXPECT_EQ(SndChannels[0].bank, nullptr);
    ShutdownMenuGraphics();
    EXPECT_EQ(SndChannelIsIdle(7), 1);  // fatal were the eight cleared
    SndClearActiveChannels();
    InitSetOfMenus();  // the display takes its own channel again
    EXPECT_EQ(SndChannels[0].bank, &SndBanks[SndKeyMusic]);
    ShutdownMenuGraphics();
    RemoveGameSoundBanks();
    SndUninit();
}

TEST(MachineModeDeathTest, AHostWithout640By480IsFatal)
{
    const HostMode modes[] = {{320, 200, HOST_FORMAT_PALETTE8, false}};
    ScopedHeadlessHost host;
    HostInjectSetModes(modes, 1);
    MemoryInit();
    WinInit("Pelloran", 0);  // full screen: no emulated modes
    testing::internal::CaptureStdout();
    DXEnumDisplay();
    testing::internal::GetCapturedStdout();
    DXSelectDevice(0, -1);
    GfxInit(0);
    EXPECT_FATAL(MenuChooseMode("InitSetOfMenus"),
                 "Error: InitSetOfMenus(): Your video card does not support a suitable graphics "
                 "mode\n");
    GfxUninit();
    WinUninit();
    MemoryUninit();
}

TEST_F(MachineDeathTest, AnAbortInsideThePollWhileBusyEndsTheProgram)
{
    // Raised where the poll's guard is held and the hourglass is up: the exit functions and the
    // fatal box must not wait for a tick that can no longer come.
    SetBusyPointer(1);
    EXPECT_FATAL(
        {
            AddPollFunction([] { FatalAbort("menus\\test", 1, "poll failure"); }, 1, 0);
            DoMessageBox("Bonjour", 0);
        },
        "Abort error: poll failure\n");
    SetBusyPointer(0);
}
