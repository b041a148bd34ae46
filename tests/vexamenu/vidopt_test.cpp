// The video settings: the card and device chosen at start-up over injected cards, the mode that
// suits the renderer, and the video options screen driven by its own events.
#include "vexamenu/vidopt.h"

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
#include "generic/ingamemenus.h"
#include "menus/machine.h"
#include "menus/vtmenu.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"

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
