// The video settings: the card and device chosen at start-up over injected cards, the mode that
// suits the renderer, and the video options screen driven by its own events.
#include "matchscreens/vidopt.h"

#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dxenum.h"
#include "engine/gfx.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/winlib.h"
#include "matchscreens/ingamemenus.h"
#include "matchscreens/softview.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"
#include "tests/gamecode/harness/softview_scene.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "viewservices/viewscreen.h"

namespace {

constexpr uint32_t MB = 0x100000;

HostFakeAdapter Primary(bool hardware = true)
{
    HostFakeAdapter card = HostInjectDefaultAdapter();
    if (!hardware) card.devices[0].caps &= ~HOST_DEV_HARDWARE;
    return card;
}

// A card after the primary one, told apart by its GUIDs.
HostFakeAdapter Other(int32_t pass, uint8_t id)
{
    HostFakeAdapter card = HostInjectDefaultAdapter();
    card.pass = pass;
    card.hasGuid = true;
    card.guid.bytes[0] = id;
    card.devices[0].guid.bytes[15] = id;
    std::snprintf(card.description, sizeof card.description, "Card %d", id);
    return card;
}

HostFakeAdapter WithTextureMemory(HostFakeAdapter card, uint32_t bytes)
{
    card.textureMemory = bytes;
    return card;
}

// The host with these cards and the game's window, for VideoInit to bring the graphics up on.
class VideoMachine {
public:
    VideoMachine(const std::vector<HostFakeAdapter>& cards, bool windowed)
    {
        HostInjectSetAdapters(cards.data(), static_cast<int32_t>(cards.size()));
        MemoryInit();
        WinInit("Pelloran", windowed ? WIN_FLAG_WINDOWED : 0);
    }
    ~VideoMachine()
    {
        if (GfxIsInitialised()) GfxUninit();
        WinUninit();
        MemoryUninit();
    }

private:
    ScopedHeadlessHost m_host;
};

VideoSettings Saved(uint32_t card, int32_t device, const HostFakeAdapter* owner)
{
    VideoSettings settings = OPTIONS_DEFAULTS.video;
    settings.card = card;
    settings.device3D = device;
    settings.mode = 0;  // every run saves a mode
    if (owner != nullptr && owner->hasGuid)
        std::memcpy(settings.cardGuid, owner->guid.bytes, sizeof settings.cardGuid);
    if (owner != nullptr && device >= 0)
        std::memcpy(settings.deviceGuid, owner->devices[device].guid.bytes, 16);
    return settings;
}

const DDrawMode& ModeOf(int32_t index)
{
    int32_t count = 0;
    return GfxModeList(&count)[index];
}

}  // namespace

// One table of start-up choices: which card and device win, which saved choice stands, and what a
// device's card lets the quality switches be.
TEST(VideoInit, ChoosesTheCardAndDeviceTheRulesGive)
{
    const HostFakeAdapter nonDisplay = Other(HOST_PASS_NON_DISPLAY, 7);
    VideoSettings wrongDevice = Saved(0, 0, nullptr);
    wrongDevice.deviceGuid[3] = 0x55;
    VideoSettings wrongCard = Saved(1, 0, &nonDisplay);
    wrongCard.cardGuid[0] = 9;
    const HostFakeAdapter primary = Primary();
    struct Case {
        const char* name;
        std::vector<HostFakeAdapter> cards;
        bool windowed;
        bool no3d;
        VideoSettings saved;
        int32_t card, device;
        int32_t extras;  // lighting, fog and detail
    };
    const Case cases[] = {
        {"no hardware device", {Primary(false)}, true, false, OPTIONS_DEFAULTS.video, 0, -1, 0},
        {"the host's device", {Primary()}, true, false, OPTIONS_DEFAULTS.video, 0, 0, 1},
        {"-no3d over a valid device", {Primary()}, true, true, Saved(0, 0, &primary), 0, -1, 0},
        {"a saved software choice", {Primary()}, true, false, Saved(0, -1, nullptr), 0, -1, 0},
        {"a saved device", {Primary()}, true, false, Saved(0, 0, &primary), 0, 0, 0},
        {"another device GUID", {Primary()}, true, false, wrongDevice, 0, 0, 1},
        {"a second desktop card",
         {Primary(false), Other(HOST_PASS_ATTACHED, 5)},
         false,
         false,
         OPTIONS_DEFAULTS.video,
         0,
         -1,
         0},
        {"a non-display card",
         {Primary(false), nonDisplay},
         false,
         false,
         OPTIONS_DEFAULTS.video,
         1,
         0,
         1},
        {"a non-display card, windowed",
         {Primary(false), nonDisplay},
         true,
         false,
         OPTIONS_DEFAULTS.video,
         0,
         -1,
         0},
        {"a saved non-display card",
         {Primary(false), nonDisplay},
         false,
         false,
         Saved(1, 0, &nonDisplay),
         1,
         0,
         0},
        {"a saved card gone", {Primary(false)}, false, false, Saved(1, 0, &nonDisplay), 0, -1, 0},
        {"another card GUID", {Primary(false), nonDisplay}, false, false, wrongCard, 1, 0, 1},
        {"2 MB of textures",
         {WithTextureMemory(Primary(), 2 * MB)},
         true,
         false,
         OPTIONS_DEFAULTS.video,
         0,
         0,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VideoMachine machine(c.cards, c.windowed);
        Options.video = c.saved;
        VideoInit(c.no3d);
        const VideoSettings& v = Options.video;
        EXPECT_EQ(v.card, static_cast<uint32_t>(c.card));
        EXPECT_EQ(v.device3D, c.device);
        EXPECT_EQ(DXGetSelectedCard(), c.card);
        EXPECT_EQ(DXGetSelectedDevice(), c.device);
        ASSERT_GE(v.mode, 0);
        const DDrawMode& mode = ModeOf(v.mode);
        if (c.device < 0) {
            EXPECT_EQ(mode.kind, DDRAW_KIND_8BIT);
            EXPECT_EQ(v.mipMapping + v.textureFiltering, 0);
        } else {
            EXPECT_NE(mode.kind, DDRAW_KIND_8BIT);
            EXPECT_NE(mode.flags & MODE_USABLE_BY_3D, 0);
        }
        EXPECT_EQ(mode.width, 640);
        EXPECT_EQ(mode.height, 480);
        EXPECT_EQ(v.lighting, c.extras);
        EXPECT_EQ(v.fog, c.extras);
        EXPECT_EQ(v.textureDetail, c.extras);
    }
}

TEST(VideoInit, ADeviceTakesTheFilteringItsFlagsOfferAndTheGuidsAreKeptAtShutdown)
{
    HostFakeAdapter bilinearOnly = Primary();
    bilinearOnly.devices[0].caps &= ~HOST_DEV_MIPMAP_FILTER;
    // Without linear filtering no filter is taken, whether or not the device mip-maps.
    struct Lacking {
        uint32_t caps;
        int32_t mipMapping;
    };
    for (const Lacking c : {Lacking{HOST_DEV_LINEAR_FILTER, 1},
                            Lacking{HOST_DEV_LINEAR_FILTER | HOST_DEV_MIPMAP_FILTER, 0}}) {
        HostFakeAdapter unfiltered = Primary();
        unfiltered.devices[0].caps &= ~c.caps;
        VideoMachine machine({unfiltered}, true);
        Options.video = OPTIONS_DEFAULTS.video;
        VideoInit(false);
        ASSERT_EQ(Options.video.device3D, 0) << c.caps;
        EXPECT_EQ(Options.video.mipMapping, c.mipMapping) << c.caps;
        EXPECT_EQ(Options.video.textureFiltering, 0) << c.caps;
    }
    {
        VideoMachine machine({Primary()}, true);
        Options.video = OPTIONS_DEFAULTS.video;
        VideoInit(false);
        EXPECT_EQ(Options.video.mipMapping, 1);
        EXPECT_EQ(Options.video.textureFiltering, 2);
        Video_StoreDeviceGuids();
        EXPECT_FALSE(GfxIsInitialised());
        EXPECT_EQ(std::memcmp(Options.video.deviceGuid, Primary().devices[0].guid.bytes, 16), 0);
    }
    VideoMachine machine({bilinearOnly}, true);
    Options.video = OPTIONS_DEFAULTS.video;
    VideoInit(false);
    EXPECT_EQ(Options.video.mipMapping, 0);
    EXPECT_EQ(Options.video.textureFiltering, 1);
    Video_StoreDeviceGuids();
    // The next run finds the same device by its GUID and keeps it.
    const VideoSettings stored = Options.video;
    VideoInit(false);
    EXPECT_EQ(Options.video.device3D, 0);
    EXPECT_EQ(std::memcmp(&Options.video, &stored, sizeof stored), 0);
}

TEST(VideoInit, TheDeviceScoreAddsWhatTheDeviceAndItsCardOffer)
{
    HostFakeAdapter bare = Primary();
    bare.primaryMemory = 0x3FFFFF;
    bare.textureMemory = 0x5FFFFF;
    bare.devices[0].caps = HOST_DEV_HARDWARE;
    bare.devices[0].renderDepths = HOST_DEPTH_16;
    bare.zFormatCount = 0;
    bare.devices[0].maxTextureWidth = 256;
    bare.devices[0].maxTextureAspect = 8;
    HostFakeAdapter noTL = Primary();
    noTL.devices[0].caps &= ~HOST_DEV_HARDWARE_TL;
    HostFakeAdapter no3D = Primary();
    no3D.caps &= ~HOST_CAPS_3D;
    struct Case {
        HostFakeAdapter card;
        int32_t score;
    };
    // The host's device: 5 + 10 memory, 50 + 10 + 2 + 2 + 2 flags, 5 for 32 bits, 5 size,
    // 2 aspect, 10 z formats.
    const Case cases[] = {{Primary(), 103}, {bare, 50}, {noTL, 93}, {no3D, -1}};
    for (const Case& c : cases) {
        VideoMachine machine({c.card}, true);
        DXEnumDisplay();
        EXPECT_EQ(Video_ScoreDevice(0, 0), c.score) << c.card.devices[0].caps;
        EXPECT_EQ(Video_ScoreDevice(0, -1), VIDEO_SOFTWARE_SCORE);
        EXPECT_EQ(Video_ScoreDevice(0, 1), VIDEO_UNUSABLE);
        EXPECT_EQ(Video_ScoreDevice(1, -1), VIDEO_UNUSABLE);
    }
    VideoMachine machine({Primary(), Other(HOST_PASS_DETACHED, 3)}, false);
    DXEnumDisplay();
    EXPECT_EQ(Video_ScoreDevice(1, 0), VIDEO_UNUSABLE);  // its desktop is off
}

TEST(VideoInit, ChooseModeKeepsAFittingStoredModeAndElseTakesTheBestFor640x480)
{
    struct Case {
        int32_t width, height, kind;  // the stored mode
        bool device;
        int32_t expectWidth, expectKind;
    };
    const Case cases[] = {
        {800, 600, DDRAW_KIND_8BIT, false, 800, DDRAW_KIND_8BIT},
        {320, 240, DDRAW_KIND_8BIT, false, 640, DDRAW_KIND_8BIT},
        {800, 600, DDRAW_KIND_16BIT, false, 640, DDRAW_KIND_8BIT},
        {1024, 768, DDRAW_KIND_32BIT, true, 1024, DDRAW_KIND_32BIT},
        {800, 600, DDRAW_KIND_24BIT, true, 640, DDRAW_KIND_16BIT},  // the device renders no 24
        {800, 600, DDRAW_KIND_8BIT, true, 640, DDRAW_KIND_16BIT},
        {320, 200, DDRAW_KIND_16BIT, true, 640, DDRAW_KIND_16BIT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " kind " << c.kind);
        VideoMachine machine({Primary()}, true);
        Options.video = OPTIONS_DEFAULTS.video;
        VideoInit(!c.device);
        VideoSettings settings = Options.video;
        settings.mode = GfxFindMode(c.width, c.height, c.kind);
        Video_ChooseMode(&settings);
        ASSERT_GE(settings.mode, 0);
        EXPECT_EQ(ModeOf(settings.mode).width, c.expectWidth);
        EXPECT_EQ(ModeOf(settings.mode).kind, c.expectKind);
        settings.device3D = c.device ? -1 : 0;
        Video_ChooseMode(&settings);
        EXPECT_EQ(settings.mode, -1);  // chosen once the other renderer runs
    }
    // The smallest mode the software renderer keeps, and a wide one too short for it.
    {
        const HostMode modes[] = {{512, 384, HOST_FORMAT_PALETTE8, false},
                                  {800, 300, HOST_FORMAT_PALETTE8, false},
                                  {1024, 768, HOST_FORMAT_PALETTE8, false},
                                  {640, 480, HOST_FORMAT_RGB565, false}};
        VideoMachine machine({Primary()}, false);
        HostInjectSetModes(modes, 4);
        VideoInit(true);
        for (const int32_t stored : {0, 1}) {
            VideoSettings settings = Options.video;
            settings.mode = stored;
            Video_ChooseMode(&settings);
            EXPECT_EQ(ModeOf(settings.mode).width, stored == 0 ? 512 : 1024) << stored;
        }
    }
    // Only deeper modes of 640 x 480 and up: the device takes 32 bits where it cannot have 16.
    HostFakeAdapter only32 = Primary();
    only32.devices[0].renderDepths = HOST_DEPTH_32;
    VideoMachine machine({only32}, false);
    Options.video = OPTIONS_DEFAULTS.video;
    VideoInit(false);
    EXPECT_EQ(ModeOf(Options.video.mode).kind, DDRAW_KIND_32BIT);
    EXPECT_EQ(ModeOf(Options.video.mode).width, 640);
}

TEST(VideoInit, OutOfRangeSwitchesInTheFileAreClampedWithAWarningEach)
{
    VideoMachine machine({Primary()}, true);
    Options.video = Saved(0, 0, nullptr);
    std::memcpy(Options.video.deviceGuid, Primary().devices[0].guid.bytes, 16);
    Options.video.fog = 7;
    Options.video.textureFiltering = -3;
    Options.video.lighting = 1;
    testing::internal::CaptureStdout();
    VideoInit(false);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Warning: VideoInit(): 'OPTIONS.DAT': fog 7 is outside 0-1 - using 1\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Warning: VideoInit(): 'OPTIONS.DAT': texture filtering -3 is outside 0-2 - "
                       "using 0\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("lighting"), std::string::npos);
    EXPECT_EQ(Options.video.fog, 1);
    EXPECT_EQ(Options.video.textureFiltering, 0);
}

TEST(VideoInitDeathTest, ImpossibleMachinesEndWithTheirTexts)
{
    HostFakeAdapter guidFirst = Primary();
    guidFirst.hasGuid = true;
    guidFirst.guid.bytes[0] = 1;
    EXPECT_EXIT(
        {
            VideoMachine machine({guidFirst}, true);
            VideoInit(true);
        },
        testing::ExitedWithCode(1), "VideoInit\\(\\): the first card must have the NULL GUID");
    EXPECT_EXIT(
        {
            VideoMachine machine({}, true);
            VideoInit(false);
        },
        testing::ExitedWithCode(1), "VideoInit\\(\\): Failed to find a graphics card!");
    const HostMode only16[] = {{640, 480, HOST_FORMAT_RGB565, false}};
    EXPECT_EXIT(
        {
            VideoMachine machine({Primary()}, true);
            HostInjectSetModes(only16, 1);
            VideoInit(true);
        },
        testing::ExitedWithCode(1), "No mode found!");
}

// ---------------------------------------------------------------------------------------------
// The screen.

namespace {

// The menu display brought up as the program brings it up: the video settings chosen over the
// given cards first (the defaults saved: a first run), then the menus.
class VideoScreenTest : public testing::Test {
protected:
    void Start(const std::vector<HostFakeAdapter>& cards, bool no3d)
    {
        ShutdownMenuGraphics();
        GfxUninit();
        HostInjectSetAdapters(cards.data(), static_cast<int32_t>(cards.size()));
        Options.video = OPTIONS_DEFAULTS.video;
        VideoInit(no3d);
        InitSetOfMenus();
    }

    ScopedMenuDisplay m_display;
};

// Presses at (x, y) and, when the screen asks to be shown again, fills and draws it as its loop
// would.
int32_t Press(int32_t x, int32_t y)
{
    const int32_t answer = SendVTEventAt(x, y, VT_EVENT_PRESS);
    if (answer == VT_BREAK_0) {
        VideoOptions_Screen().fill();
        VT_MenuRedraw();
    }
    return answer;
}

// The centres of the controls.
constexpr int32_t kArrowX = 599, kCardNext = 108, kDeviceBack = 142, kDeviceNext = 158;
constexpr int32_t kModeNext = 208;
constexpr int32_t kChoice[3] = {255, 387, 519};
constexpr int32_t kMipY = 259, kFilterY = 291, kLightY = 323, kFogY = 355, kDetailY = 387;
constexpr int32_t kApplyX = 126, kCancelX = 320, kOkX = 514, kButtonsY = 435;

}  // namespace

TEST_F(VideoScreenTest, QualityItemsAnswerByWhatTheDeviceOffers)
{
    Start({Primary()}, false);
    InGameScreen_Open(VideoOptions_Screen());
    const VideoSettings& copy = VideoOptions_Copy();
    ASSERT_EQ(copy.device3D, 0);
    ASSERT_EQ(copy.textureFiltering, 2);
    struct Step {
        int32_t x, y;
        int32_t answer;
        int32_t mip, filtering, lighting, fog, detail;  // the copy afterwards
    };
    const Step steps[] = {
        {kChoice[0], kMipY, VT_BREAK_0, 0, 1, 1, 1, 1},  // mip-mapping off: trilinear goes
        {kChoice[2], kFilterY, VT_CONTINUE, 0, 1, 1, 1, 1},
        {kChoice[1], kMipY, VT_BREAK_0, 1, 1, 1, 1, 1},
        {kChoice[2], kFilterY, VT_BREAK_0, 1, 2, 1, 1, 1},
        {kChoice[0], kFilterY, VT_BREAK_0, 1, 0, 1, 1, 1},
        {kChoice[0], kLightY, VT_BREAK_0, 1, 0, 0, 1, 1},
        {kChoice[0], kFogY, VT_BREAK_0, 1, 0, 0, 0, 1},
        {kChoice[0], kDetailY, VT_BREAK_0, 1, 0, 0, 0, 0},
        {kChoice[1], kDetailY, VT_BREAK_0, 1, 0, 0, 0, 1},
        // The software renderer: every quality item is unavailable and nothing changes.
        {kArrowX, kDeviceBack, VT_BREAK_0, 1, 0, 0, 0, 1},
        {kChoice[1], kMipY, VT_NO_REGION, 1, 0, 0, 0, 1},
        {kChoice[2], kFilterY, VT_NO_REGION, 1, 0, 0, 0, 1},
        {kChoice[1], kLightY, VT_NO_REGION, 1, 0, 0, 0, 1},
        {kChoice[1], kFogY, VT_NO_REGION, 1, 0, 0, 0, 1},
        {kChoice[0], kDetailY, VT_NO_REGION, 1, 0, 0, 0, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << s.x << ", " << s.y);
        EXPECT_EQ(Press(s.x, s.y), s.answer);
        EXPECT_EQ(copy.mipMapping, s.mip);
        EXPECT_EQ(copy.textureFiltering, s.filtering);
        EXPECT_EQ(copy.lighting, s.lighting);
        EXPECT_EQ(copy.fog, s.fog);
        EXPECT_EQ(copy.textureDetail, s.detail);
    }
    EXPECT_EQ(copy.device3D, -1);
    EXPECT_EQ(copy.mode, -1);  // another renderer: chosen once applied
    EXPECT_EQ(Press(kArrowX, kModeNext), VT_NO_REGION);
    EXPECT_EQ(Press(kArrowX, kDeviceNext), VT_BREAK_0);
    EXPECT_EQ(copy.device3D, 0);
    EXPECT_EQ(copy.mipMapping, 1);         // the device back, with the switches as they were
    EXPECT_EQ(Options.video.lighting, 1);  // the record waits for "Appliquer" or "Terminer"
    InGameScreen_Close();
}

// The player's switches outlive a trip through the software renderer, applied both ways: only
// what the device itself lacks is ever taken from him.
TEST_F(VideoScreenTest, TheSwitchesSetForTheDeviceComeBackWithItAfterTheSoftwareRenderer)
{
    Start({Primary()}, false);
    MenuInputs inputs;
    AddClick(&inputs, 150, kChoice[1], kFilterY);  // bilinear
    AddClick(&inputs, 170, kChoice[0], kLightY);
    AddClick(&inputs, 190, kChoice[0], kDetailY);
    AddClick(&inputs, 210, kArrowX, kDeviceNext);  // the software renderer
    AddClick(&inputs, 230, kApplyX, kButtonsY);
    AddClick(&inputs, 600, kArrowX, kDeviceNext);  // shown again: the device once more
    AddClick(&inputs, 650, kApplyX, kButtonsY);
    AddClick(&inputs, 1100, kOkX, kButtonsY);
    {
        ScopedMenuScript script(inputs);
        InGame_VideoOptionsMenu();
    }
    const VideoSettings& v = Options.video;
    EXPECT_EQ(v.device3D, 0);
    EXPECT_EQ(DXGetSelectedDevice(), 0);
    const std::array<int32_t, 5> switches = {v.mipMapping, v.textureFiltering, v.lighting, v.fog,
                                             v.textureDetail};
    EXPECT_EQ(switches, (std::array<int32_t, 5>{1, 1, 0, 1, 0}));
}

TEST_F(VideoScreenTest, WhatTheCardLacksIsRefusedAndNoArrowCanHoldTheScreen)
{
    HostFakeAdapter poor = WithTextureMemory(Primary(), 2 * MB);
    poor.devices[0].caps &= ~HOST_DEV_Z_TEST;
    poor.primaryMemory = MB;  // not one deeper mode fits three times
    Start({poor}, false);
    InGameScreen_Open(VideoOptions_Screen());
    const VideoSettings& copy = VideoOptions_Copy();
    ASSERT_EQ(copy.device3D, 0);
    const int32_t mode = copy.mode;
    EXPECT_EQ(Press(kChoice[1], kFogY), VT_CONTINUE);
    EXPECT_EQ(copy.fog, 0);
    EXPECT_EQ(Press(kChoice[1], kDetailY), VT_BREAK_0);
    EXPECT_EQ(copy.textureDetail, 0);  // taken back: the card has too little texture memory
    EXPECT_EQ(Press(kArrowX, kCardNext), VT_NO_REGION);  // the only card that scores
    EXPECT_EQ(copy.card, 0u);
    EXPECT_EQ(Press(kArrowX, kModeNext), VT_BREAK_0);
    EXPECT_EQ(copy.mode, mode);
    InGameScreen_Close();

    // Every card gone: the screen still shows, naming none.
    HostInjectSetAdapters(nullptr, 0);
    DXEnumDisplay();
    InGameScreen_Open(VideoOptions_Screen());
    EXPECT_STREQ(VideoOptions_ShownCard(), "** Invalid card **");
    InGameScreen_Close();
}

// The software renderer's mode arrows step over a mode too short for it (800 x 300) and the
// 16-bit one, round through the two it can draw in.
TEST_F(VideoScreenTest, TheModeArrowsSkipAModeBelowTheSmallest)
{
    const HostMode modes[] = {{512, 384, HOST_FORMAT_PALETTE8, false},
                              {800, 300, HOST_FORMAT_PALETTE8, false},
                              {1024, 768, HOST_FORMAT_PALETTE8, false},
                              {640, 480, HOST_FORMAT_RGB565, false}};
    HostInjectSetModes(modes, 4);
    Start({Primary()}, true);
    InGameScreen_Open(VideoOptions_Screen());
    const VideoSettings& copy = VideoOptions_Copy();
    ASSERT_EQ(copy.device3D, -1);
    ASSERT_GE(copy.mode, 0);
    std::vector<int32_t> widths;
    for (int32_t press = 0; press < 4; ++press) {
        EXPECT_EQ(Press(kArrowX, kModeNext), VT_BREAK_0);
        widths.push_back(ModeOf(copy.mode).width);
    }
    const std::vector<int32_t> round = widths[0] == 512
                                           ? std::vector<int32_t>{512, 1024, 512, 1024}
                                           : std::vector<int32_t>{1024, 512, 1024, 512};
    EXPECT_EQ(widths, round);
    InGameScreen_Close();
}

TEST_F(VideoScreenTest, ApplyRestartsOnANewDeviceAndShowsAgainOkStoresAndCancelKeepsTheRecord)
{
    Start({Primary()}, false);
    MenuInputs inputs;
    // The screen's first drawing takes its time; so does the restart.
    AddClick(&inputs, 150, kArrowX, kDeviceNext);  // the software renderer
    AddClick(&inputs, 200, kApplyX, kButtonsY);
    AddClick(&inputs, 600, kArrowX, kModeNext);  // shown again, now in 8-bit modes
    AddClick(&inputs, 650, kOkX, kButtonsY);
    {
        ScopedMenuScript script(inputs);
        InGame_VideoOptionsMenu();
    }
    EXPECT_EQ(Options.video.device3D, -1);
    EXPECT_EQ(DXGetSelectedDevice(), -1);
    EXPECT_EQ(ModeOf(Options.video.mode).kind, DDRAW_KIND_8BIT);
    EXPECT_EQ(ModeOf(Options.video.mode).width, 800);

    inputs.clear();
    AddClick(&inputs, 150, kArrowX, kDeviceNext);
    AddClick(&inputs, 200, kOkX, kButtonsY);
    {
        ScopedMenuScript script(inputs);
        InGame_VideoOptionsMenu();
    }
    EXPECT_EQ(Options.video.device3D, 0);
    EXPECT_EQ(DXGetSelectedDevice(), 0);
    EXPECT_NE(ModeOf(Options.video.mode).kind, DDRAW_KIND_8BIT);

    const VideoSettings before = Options.video;
    inputs.clear();
    AddClick(&inputs, 150, kArrowX, kDeviceNext);
    AddClick(&inputs, 200, kArrowX, kDeviceNext);
    AddClick(&inputs, 250, kChoice[0], kLightY);
    AddClick(&inputs, 300, kCancelX, kButtonsY);
    {
        ScopedMenuScript script(inputs);
        InGame_VideoOptionsMenu();
    }
    EXPECT_EQ(std::memcmp(&Options.video, &before, sizeof before), 0);
    EXPECT_EQ(DXGetSelectedDevice(), 0);
}

// The screen with the host's device and with the software renderer: every label inside its box,
// the values of the renderer in force, greyed what it cannot have; looked at once, then guarded.
TEST_F(VideoScreenTest, TheScreenMatchesItsGoldensWithTheDeviceAndWithoutIt)
{
    struct Case {
        bool no3d;
        const char* golden;
    };
    for (const Case c :
         {Case{false, "menus/video_options_device"}, Case{true, "menus/video_options_software"}}) {
        Start({Primary()}, c.no3d);
        InGameScreen_Open(VideoOptions_Screen());
        EXPECT_EQ(VT_RegionCount(), 6 + 11 + 3);  // arrows, choices, buttons
        ExpectGoldenHash(c.golden, WorkScreenHash());
        if (HasFailure()) WriteFrameToTestOutput(std::string(c.golden).substr(6) + ".png");
        InGameScreen_Close();
    }
}

// Without a device the record's mode is the software view's screen: the view opens in it and its
// size steps are kept there; with a device the view keeps a size of its own.
TEST(VideoSoftwareMode, TheSoftwareViewOpensInTheRecordsModeAndKeepsItsStepsThere)
{
    ScopedSoftView view;
    const int32_t mode800 = GfxFindMode(800, 600, DDRAW_KIND_8BIT);
    const int32_t mode1024 = GfxFindMode(1024, 768, DDRAW_KIND_8BIT);
    Options.video.device3D = -1;
    Options.video.mode = mode800;
    ScopedSoftView::Tear();
    Options.video.mode = mode800;
    ScopedSoftView::Build();
    EXPECT_EQ(SoftwareResolution, mode800);
    EXPECT_EQ(ScreenWidth(), 800u);
    ReleaseSoftwareScreens();
    StepSoftwareResolution(1);
    ScopedSoftView::Tear();
    EXPECT_EQ(Options.video.mode, mode1024);  // saved with the options

    // The resolution's part of the set-up only: with a device named the device view is shown, and
    // the kits' textures would go to the device.
    Options.video.device3D = 0;
    Options.video.mode = GfxFindMode(640, 480, DDRAW_KIND_16BIT);
    FirstCreateGameEnvironment();
    EXPECT_EQ(SoftwareResolution, mode1024);  // the view's own, from before
    FirstDestroyGameEnvironment();
    EXPECT_EQ(Options.video.mode, GfxFindMode(640, 480, DDRAW_KIND_16BIT));
    Options.video.device3D = -1;
    ScopedSoftView::Build();
    Options = OPTIONS_DEFAULTS;
}
