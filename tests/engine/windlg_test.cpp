// Dialog templates: the chooser's bytes against a golden dump, read back field by field, and the
// builder's fatal texts.
#include "engine/windlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxenum.h"
#include "engine/host/clock.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "generated/build_paths.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

uint32_t Read16(const WinDlgTemplate& dialog, uint32_t at)
{
    return static_cast<uint32_t>(dialog.bytes[at] | dialog.bytes[at + 1] << 8);
}

// The wide string at `*at`, moved past its terminator; characters above 0xFF as "<U+xxxx>".
std::string ReadWide(const WinDlgTemplate& dialog, uint32_t* at)
{
    std::string text;
    for (uint32_t c; (c = Read16(dialog, *at)) != 0; *at += 2) {
        char escaped[16];
        std::snprintf(escaped, sizeof escaped, "<U+%04X>", c);
        text += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string(escaped);
    }
    *at += 2;
    return text;
}

struct Item {
    uint32_t offset;
    uint32_t style;
    int32_t x, y, width, height;
    uint32_t id, itemClass;
    std::string text;
};

std::vector<Item> ReadItems(const WinDlgTemplate& dialog, std::string* font)
{
    uint32_t at = HOST_DIALOG_HEADER_BYTES;
    *font = ReadWide(dialog, &at);
    std::vector<Item> items;
    for (uint32_t i = 0; i < Read16(dialog, 4); ++i) {
        at = (at + 3) & ~3u;
        Item item{};
        item.offset = at;
        item.style = Read16(dialog, at) | Read16(dialog, at + 2) << 16;
        item.x = static_cast<int16_t>(Read16(dialog, at + 4));
        item.y = static_cast<int16_t>(Read16(dialog, at + 6));
        item.width = static_cast<int16_t>(Read16(dialog, at + 8));
        item.height = static_cast<int16_t>(Read16(dialog, at + 10));
        item.id = Read16(dialog, at + 12);
        item.itemClass = Read16(dialog, at + 14);
        at += HOST_DIALOG_ITEM_BYTES;
        item.text = ReadWide(dialog, &at);
        items.push_back(item);
    }
    EXPECT_EQ(at, dialog.size);  // nothing after the last item
    return items;
}

class WinDlg : public testing::Test {
protected:
    void SetUp() override { MemoryInit(); }
    void TearDown() override { MemoryUninit(); }

private:
    ScopedCore m_core;
};

using WinDlgDeathTest = WinDlg;

TEST_F(WinDlg, ChooserTemplateHoldsItsSevenItems)
{
    WinDlgTemplate dialog{};
    WinDlg_BuildChooser(&dialog);
    EXPECT_EQ(Read16(dialog, 10), 300u);  // the dialog's width and height
    EXPECT_EQ(Read16(dialog, 12), 170u);
    std::string font;
    const std::vector<Item> items = ReadItems(dialog, &font);
    EXPECT_EQ(font, "Helv");
    struct Expected {
        int32_t x, y, width, height;
        uint32_t id, itemClass;
        const char* text;
    };
    const Expected expected[] = {
        {5, 5, 290, 140, WINDLG_ID_GROUP, HOST_DIALOG_BUTTON, ""},
        {10, 15, 280, 40, WINDLG_ID_CARDS, HOST_DIALOG_LIST_BOX, ""},
        {10, 60, 280, 40, WINDLG_ID_DEVICES, HOST_DIALOG_LIST_BOX, ""},
        {10, 105, 280, 35, WINDLG_ID_DESCRIPTION, HOST_DIALOG_STATIC, ""},
        {180, 150, 55, 15, WINDLG_ID_OK, HOST_DIALOG_BUTTON, "OK"},
        {240, 150, 55, 15, WINDLG_ID_CANCEL, HOST_DIALOG_BUTTON, "Annuler"},
    };
    ASSERT_EQ(items.size(), 6u);  // the header is the dialog, the seventh record
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].offset % 4, 0u);
        EXPECT_EQ(items[i].x, expected[i].x);
        EXPECT_EQ(items[i].y, expected[i].y);
        EXPECT_EQ(items[i].width, expected[i].width);
        EXPECT_EQ(items[i].height, expected[i].height);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].itemClass, expected[i].itemClass);
        EXPECT_EQ(items[i].text, expected[i].text);
    }
    EXPECT_NE(items[3].style & HOST_DIALOG_SUNKEN, 0u);
    EXPECT_NE(items[4].style & HOST_DIALOG_DEFAULT, 0u);
    EXPECT_EQ(items[5].style & HOST_DIALOG_DEFAULT, 0u);

    std::string dump;
    for (uint32_t i = 0; i < dialog.size; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x%c", dialog.bytes[i], i % 16 == 15 ? '\n' : ' ');
        dump += hex;
    }
    ExpectGoldenText("engine/chooser_template", dump + "\n");
    WinDlgFree(&dialog);
    EXPECT_EQ(dialog.bytes, nullptr);
    EXPECT_EQ(MemoryStats().blocks, 0u);
}

TEST_F(WinDlg, TextsConvertFromTheGameCodePage)
{
    WinDlgTemplate dialog{};
    WinDlgStart(&dialog, HOST_DIALOG_MODAL, 0, 0, 10, 10, 8, "Caf\xE9");
    WinDlgAppendItem(&dialog, 0, 0, 0, 0, 7, HOST_DIALOG_VISIBLE, HOST_DIALOG_STATIC,
                     "\x80 \x9F \xFF \x81");
    WinDlgAppendItem(&dialog, 0, 0, 1, 1, 8, HOST_DIALOG_VISIBLE, HOST_DIALOG_STATIC, "a");
    std::string font;
    const std::vector<Item> items = ReadItems(dialog, &font);
    EXPECT_EQ(font, "Caf<U+00E9>");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "<U+20AC> <U+0178> <U+00FF> <U+0081>");
    EXPECT_EQ(items[1].offset % 4, 0u);  // "a" follows a 4-byte-odd text: padded
    WinDlgFree(&dialog);
    WinDlgFree(&dialog);  // safe twice
}

TEST_F(WinDlgDeathTest, BadTextsAndSizesAreFatal)
{
    const auto build = [](const char* text, int32_t width, int32_t height) {
        WinDlgTemplate dialog{};
        WinDlgStart(&dialog, HOST_DIALOG_MODAL, 0, 0, 10, 10, 8, "Helv");
        WinDlgAppendItem(&dialog, 0, 0, width, height, 1, HOST_DIALOG_VISIBLE, HOST_DIALOG_BUTTON,
                         text);
    };
    EXPECT_FATAL(build(nullptr, 1, 1),
                 "WinDlgAppendString(): -ve sized string after conversion to WCHAR");
    EXPECT_FATAL(build("x", -1, 1), "WinDlgAppendItem(): can't add item with -ve size");
    EXPECT_FATAL(build("x", 1, -1), "WinDlgAppendItem(): can't add item with -ve size");
}

// ---- the chooser, run headless

// A stand-in for the script runner: each step runs once its period has come, from inside the
// dialog's own message loop.
struct Step {
    uint32_t period;
    std::function<void()> run;
};
std::vector<Step> s_steps;

void RunDueSteps()
{
    while (!s_steps.empty() && ClockPeriods() >= s_steps.front().period) {
        const Step step = s_steps.front();
        s_steps.erase(s_steps.begin());
        step.run();
    }
}
bool StepsLeft() { return !s_steps.empty(); }
void StepsStalled() { std::_Exit(3); }
constexpr HostDriver kSteps = {RunDueSteps, StepsLeft, StepsStalled};

// Each action five periods after the one before, so the dialog has drawn and presented it.
void Script(const std::vector<std::function<void()>>& actions)
{
    s_steps.clear();
    uint32_t period = ClockPeriods();
    for (const auto& action : actions)
        s_steps.push_back({period += 5, action});
}

void Key(uint32_t code)
{
    HostOnKey(code, true, false);
    HostOnKey(code, false, false);
}

constexpr uint32_t kEnter = 28, kEscape = 1, kTab = 15, kDown = 80 + HOST_KEY_EXTENDED;

HostFakeAdapter Card(uint8_t n, const char* driver, int32_t devices)
{
    HostFakeAdapter card = HostInjectDefaultAdapter();
    card.hasGuid = n != 0;
    card.guid.bytes[0] = n;
    std::snprintf(card.description, sizeof card.description, "Card %d", n);
    std::snprintf(card.driver, sizeof card.driver, "%s", driver);
    card.primaryMemory = 64u << 20;
    card.textureMemory = 16u << 20;
    card.deviceCount = devices;
    if (devices == 0) card.caps &= ~HOST_CAPS_3D;
    for (int32_t i = 0; i < devices; ++i) {
        card.devices[i].guid.bytes[0] = static_cast<uint8_t>(10 * n + i);
        std::snprintf(card.devices[i].name, sizeof card.devices[i].name, "Raster %d%d", n, i);
        std::snprintf(card.devices[i].description, sizeof card.devices[i].description,
                      "Device %d%d", n, i);
    }
    return card;
}

// A headless window under the manual clock with a pattern on it, so that what the dialog
// covers can be told from what it gives back.
class Chooser : public testing::Test {
protected:
    void SetUp() override
    {
        HostDisplaySystemStart();
        HostDisplayCreate(&m_display);
        HostDisplayOpen(m_display, nullptr);
        HostDisplaySetExclusive(m_display, HostMainWindow(), false);
        HostSurfaceCreate(m_display, {HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0, 0}, &m_primary);
        int32_t x, y;
        HostWindowClientOrigin(&x, &y);
        for (int32_t i = 0; i < 8; ++i) {
            const HostRect stripe = {x + 80 * i, y, x + 80 * i + 40, y + 480};
            HostSurfaceFill(m_primary, &stripe, 0x203040u * (i + 1));
        }
        HostPump();
        HostSetDriver(&kSteps);
    }
    void TearDown() override
    {
        HostSurfaceRelease(m_primary);
        HostDisplayRelease(m_display);
        HostDisplaySystemStop();
    }

private:
    ScopedHeadlessWindow m_window;
    HostDisplay* m_display = nullptr;
    HostSurface* m_primary = nullptr;
};

std::string Description() { return HostInjectDialogText(WINDLG_ID_DESCRIPTION); }

TEST_F(Chooser, KeysAndAClickPickTheThirdCardsDeviceAndTheWindowComesBack)
{
    const HostFakeAdapter cards[] = {Card(0, "alpha", 2), Card(2, "bravo", 0),
                                     Card(3, "charlie", 1)};
    HostInjectSetAdapters(cards, 3);
    DXEnumDisplay();
    const uint64_t before = HostFrameHash();
    const std::string alpha = "Card: alpha (Card 0) - version "
                              + std::string(DXGetCardEntry(0)->driverVersion)
                              + "\nQuality factor for the card: 80\n";
    uint64_t chosenFrame = 0;
    Script({
        [] {
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_CARDS), "alpha\nbravo\ncharlie\n");
            EXPECT_EQ(Description(), "Select a display card from the list above");
            EXPECT_FALSE(HostInjectDialogEnabled(WINDLG_ID_OK));
            Key(kEnter);  // OK is disabled: nothing happens
        },
        [] { Key(kDown); },
        [&] {
            EXPECT_EQ(Description(), alpha + "Select a 3d device from the list above");
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_DEVICES), "Raster 00\nRaster 01\n");
            Key(kTab);
            Key(kDown);  // the device list now
            Key(kTab);
            Key(kTab);
            Key(kTab);  // past OK and Cancel, back to the card list
            Key(kDown);
        },
        [] {
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_DEVICES), "");
            EXPECT_NE(Description().find("Card: bravo (Card 2)"), std::string::npos);
            EXPECT_FALSE(HostInjectDialogEnabled(WINDLG_ID_OK));
            Key(kDown);
        },
        [] {
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_DEVICES), "Raster 30\n");
            EXPECT_FALSE(HostInjectDialogEnabled(WINDLG_ID_OK));
            // The device list's first row, near its right end: the dialog is centred, 600 x 340
            // in 640 x 480, and the list spans 20-580 across and starts 120 pixels down.
            HostOnPointerAt(20 + 540, 70 + 120 + 8);
            HostOnMouseButton(HOST_BUTTON_LEFT, true);
        },
        [] { HostOnMouseButton(HOST_BUTTON_LEFT, false); },
        [&] {
            EXPECT_NE(Description().find("3d device: Raster 30 (Device 30)\n"), std::string::npos);
            EXPECT_TRUE(HostInjectDialogEnabled(WINDLG_ID_OK));
            chosenFrame = HostFrameHash();
            const std::string path = PELLORAN_BUILD_DIR "/chooser_frame.png";
            if (chosenFrame != 0x521731485EC5C884ull || std::getenv("PELLORAN_WRITE_FRAMES"))
                HostWriteFramePng(path.c_str());
            Key(kEnter);  // the focus is on the device list: OK, the default button
        },
    });
    int32_t card = -1, device = -1;
    EXPECT_EQ(WinDlg_ChooseDevice(&card, &device), 1);
    EXPECT_TRUE(s_steps.empty());
    EXPECT_EQ(card, 2);
    EXPECT_EQ(device, 0);
    EXPECT_EQ(chosenFrame, 0x521731485EC5C884ull);
    HostPump();
    EXPECT_EQ(HostFrameHash(), before);

    Script({[] { Key(kDown); }, [] { Key(kEscape); }});
    EXPECT_EQ(WinDlg_ChooseDevice(&card, &device), 0);
    EXPECT_EQ(card, 2);
    EXPECT_EQ(device, 0);
    EXPECT_EQ(MemoryStats().blocks, 0u);
}

// 0xRRGGBB of a presented pixel.
uint32_t Shown(int32_t x, int32_t y)
{
    const HostFrame frame = HostLastFrame();
    const uint8_t* p = frame.rgb + 3 * (static_cast<size_t>(y) * frame.width + x);
    return static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]);
}

TEST_F(Chooser, LongListsScrollToTheSelectionAndCancelLeavesTheChoiceAlone)
{
    std::vector<HostFakeAdapter> cards;
    for (uint8_t n = 0; n < DX_MAX_CARDS; ++n)
        cards.push_back(
            Card(n, ("card" + std::to_string(n)).c_str(), n == 15 ? DX_MAX_DEVICES : 1));
    HostInjectSetAdapters(cards.data(), DX_MAX_CARDS);
    testing::internal::CaptureStdout();
    DXEnumDisplay();
    testing::internal::GetCapturedStdout();
    // The card list's inside starts at (41, 101) in the window, four rows of 16 pixels, the
    // device list's 90 pixels lower; their right ends hold no text.
    const auto rowColour = [](int32_t list, int32_t row) {
        return Shown(580, 101 + 90 * list + 16 * row + 8);
    };
    const auto down = [](int32_t times) {
        for (int32_t i = 0; i < times; ++i)
            Key(kDown);
    };
    Script({
        [&] { down(DX_MAX_CARDS + 2); },  // past the last row: stays there
        [&] {
            EXPECT_EQ(rowColour(0, 3), 0x000080u);  // the selection, in the last row
            EXPECT_EQ(rowColour(0, 0), 0xFFFFFFu);  // card 12 in the first
            EXPECT_NE(Description().find("card15"), std::string::npos);
            Key(kTab);
            down(DX_MAX_DEVICES);
        },
        [&] {
            EXPECT_EQ(rowColour(1, 3), 0x000080u);
            EXPECT_EQ(rowColour(1, 2), 0xFFFFFFu);
            EXPECT_NE(Description().find("3d device: Raster 1515 (Device 1515)"),
                      std::string::npos);
            Key(kTab);
            Key(kTab);
            Key(kEnter);  // on Cancel
        },
    });
    int32_t card = 7, device = 9;
    EXPECT_EQ(WinDlg_ChooseDevice(&card, &device), 0);
    EXPECT_TRUE(s_steps.empty());
    EXPECT_EQ(card, 7);
    EXPECT_EQ(device, 9);
}

TEST_F(Chooser, WithoutAnyCardOnlyCancelEndsIt)
{
    HostInjectSetAdapters(nullptr, 0);
    DXEnumDisplay();
    Script({
        [] {
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_CARDS), "");
            EXPECT_FALSE(HostInjectDialogEnabled(WINDLG_ID_OK));
            Key(kDown);
            Key(kEnter);
        },
        [] {
            EXPECT_EQ(Description(), "Select a display card from the list above");
            HostOnCloseRequest();  // the window's close box: Cancel
        },
    });
    int32_t card = 7, device = 9;
    EXPECT_EQ(WinDlg_ChooseDevice(&card, &device), 0);
    EXPECT_TRUE(s_steps.empty());
    EXPECT_EQ(card, 7);
    EXPECT_NE(HostMainWindow(), HOST_NO_WINDOW);
}

TEST_F(Chooser, ListsTheHostsOwnSoftwareDevice)
{
    DXEnumDisplay();
    Script({
        [] { Key(kDown); },
        [] {
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_CARDS), "host\n");
            EXPECT_EQ(HostInjectDialogText(WINDLG_ID_DEVICES), "Moteur 3D Pelloran\n");
            Key(kTab);
            Key(kDown);
            Key(kEnter);
        },
    });
    int32_t card = -1, device = -1;
    EXPECT_EQ(WinDlg_ChooseDevice(&card, &device), 1);
    EXPECT_EQ(card, 0);
    EXPECT_EQ(device, 0);
}

// ---- the host's dialog manager with templates of its own

using HostDialog = Chooser;

int32_t s_procedureCalls;
void CountCalls(uint32_t, uint16_t, void*) { ++s_procedureCalls; }

// Answers what the run printed.
std::string RunDialog(const std::vector<uint8_t>& bytes, intptr_t* result,
                      HostDialogProc proc = CountCalls)
{
    testing::internal::CaptureStdout();
    *result = HostDialogRun(bytes.empty() ? nullptr : bytes.data(),
                            static_cast<uint32_t>(bytes.size()), proc, nullptr);
    return testing::internal::GetCapturedStdout();
}

TEST_F(HostDialog, MalformedTemplatesAreRefusedBeforeAnythingIsDrawn)
{
    WinDlgTemplate dialog{};
    WinDlg_BuildChooser(&dialog);
    const std::vector<uint8_t> chooser(dialog.bytes, dialog.bytes + dialog.size);
    WinDlgFree(&dialog);
    // The header and "Helv" take 26 bytes: the first item starts at 28.
    const auto changed = [&](uint32_t at, uint8_t low, uint8_t high) {
        std::vector<uint8_t> bytes = chooser;
        bytes[at] = low;
        bytes[at + 1] = high;
        return bytes;
    };
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"none", {}},
        {"header cut", std::vector<uint8_t>(chooser.begin(), chooser.begin() + 10)},
        {"last text unterminated", std::vector<uint8_t>(chooser.begin(), chooser.end() - 2)},
        {"17 items", changed(4, HOST_DIALOG_MAX_ITEMS + 1, 0)},
        {"more items than bytes", changed(4, 7, 0)},
        {"dialog 0 wide", changed(10, 0, 0)},
        {"item -1 wide", changed(28 + 8, 0xFF, 0xFF)},
        {"item of class 9", changed(28 + 14, 9, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        s_procedureCalls = 0;
        const uint32_t frames = HostLastFrame().number;
        intptr_t result = 0;
        EXPECT_EQ(RunDialog(c.bytes, &result), "HostDialogRun(): malformed template\n");
        EXPECT_EQ(result, -1);
        EXPECT_EQ(s_procedureCalls, 0);
        HostPump();
        EXPECT_EQ(HostLastFrame().number, frames);
    }
    intptr_t result = 0;
    HostWindowDestroy(HostMainWindow());
    EXPECT_EQ(RunDialog(chooser, &result), "HostDialogRun(): no window\n");
    EXPECT_EQ(result, -1);
    HostWindowCreate(HostProgramInstance(), "again", true,
                     HostDefaultWindowProc);  // for the fixture to destroy
}

std::vector<uint8_t> ChooserBytes()
{
    WinDlgTemplate dialog{};
    WinDlg_BuildChooser(&dialog);
    std::vector<uint8_t> bytes(dialog.bytes, dialog.bytes + dialog.size);
    WinDlgFree(&dialog);
    return bytes;
}

std::string s_nested;
void RunAnotherAtInit(uint32_t event, uint16_t, void*)
{
    if (event != HOST_DIALOG_INIT) return;
    intptr_t inner = 0;
    s_nested = RunDialog(ChooserBytes(), &inner);
    HostDialogEnd(inner == -1 ? 5 : 6);
}

TEST_F(HostDialog, OneDialogAtATimeAndAQuitEndsItAndStaysPending)
{
    const std::vector<uint8_t> chooser = ChooserBytes();
    intptr_t result = HostDialogRun(chooser.data(), static_cast<uint32_t>(chooser.size()),
                                    RunAnotherAtInit, nullptr);
    EXPECT_EQ(result, 5);
    EXPECT_EQ(s_nested, "HostDialogRun(): a dialog is already running\n");

    Script({[] { HostPostQuit(4); }});
    s_procedureCalls = 0;
    EXPECT_EQ(RunDialog(ChooserBytes(), &result), "");
    EXPECT_EQ(result, -1);
    EXPECT_EQ(s_procedureCalls, 1);  // init only
    HostMessage message;
    EXPECT_EQ(HostMsgGet(&message), 0);
    EXPECT_EQ(message.wparam, 4u);
}

}  // namespace
