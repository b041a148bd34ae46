// tests/engine/host/display_test.cpp: adapters, display objects, modes and the fake machines
// tests describe.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "tests/support/host_run.h"

namespace {

struct SeenAdapter {
    bool hasGuid;
    std::string description;
    std::string driver;
};

bool CollectAdapter(const HostGuid* guid, const char* description, const char* driver, uintptr_t,
                    void* context)
{
    static_cast<std::vector<SeenAdapter>*>(context)->push_back(
        {guid != nullptr, description, driver});
    return true;
}

std::vector<SeenAdapter> Adapters(int32_t pass)
{
    std::vector<SeenAdapter> seen;
    EXPECT_EQ(HostEnumAdapters(pass, CollectAdapter, &seen), HOST_OK);
    return seen;
}

bool CollectMode(const HostMode& mode, void* context)
{
    static_cast<std::vector<HostMode>*>(context)->push_back(mode);
    return true;
}

bool CountDevice(const HostDeviceDesc&, void* context)
{
    ++*static_cast<int32_t*>(context);
    return true;
}

bool CollectZ(const HostPixelFormat& format, void* context)
{
    static_cast<std::vector<HostPixelFormat>*>(context)->push_back(format);
    return true;
}

HostGuid Guid(uint8_t first)
{
    HostGuid guid{};
    guid.bytes[0] = first;
    return guid;
}

class HostDisplayTest : public testing::Test {
protected:
    HostDisplay* Open(const HostGuid* adapter, HostResult expected = HOST_OK)
    {
        HostDisplay* display = nullptr;
        EXPECT_EQ(HostDisplayCreate(&display), HOST_OK);
        EXPECT_EQ(HostDisplayOpen(display, adapter), expected);
        return display;
    }

    ScopedHeadlessHost m_host;
};

}  // namespace

TEST_F(HostDisplayTest, DefaultMachineHasOneAttachedAdapterForTheDesktopWithout3D)
{
    const std::vector<SeenAdapter> attached = Adapters(HOST_PASS_ATTACHED);
    ASSERT_EQ(attached.size(), 1u);
    EXPECT_FALSE(attached[0].hasGuid);
    EXPECT_EQ(attached[0].description, "Host display");
    EXPECT_EQ(attached[0].driver, "host");
    EXPECT_TRUE(Adapters(HOST_PASS_DETACHED).empty());
    EXPECT_TRUE(Adapters(HOST_PASS_NON_DISPLAY).empty());

    HostDisplay* display = Open(nullptr);
    uint32_t caps = 0, primaryBytes = 0, textureBytes = 0;
    EXPECT_EQ(HostDisplayCaps(display, &caps), HOST_OK);
    EXPECT_EQ(caps, HOST_CAPS_RENDERS_WINDOWED);
    HostAdapterIdentity identity;
    EXPECT_EQ(HostDisplayIdentify(display, &identity), HOST_OK);
    EXPECT_STREQ(identity.description, "Host display");
    EXPECT_EQ(identity.versionHigh, 1u << 16);
    EXPECT_EQ(identity.versionLow, 0u);
    HostDisplayVideoMemory(display, HOST_MEMORY_PRIMARY_3D, &primaryBytes);
    HostDisplayVideoMemory(display, HOST_MEMORY_TEXTURE, &textureBytes);
    EXPECT_EQ(primaryBytes, 64u << 20);
    EXPECT_EQ(textureBytes, 32u << 20);
    EXPECT_EQ(HostDisplayOpen3D(display), HOST_E_UNSUPPORTED);
    int32_t devices = 0;
    EXPECT_EQ(HostDisplayEnumDevices(display, CountDevice, &devices), HOST_E_BAD_ARGUMENT);
}

TEST_F(HostDisplayTest, DefaultModesAreSixSizesAtFourDepthsWithOneStandardVgaMode)
{
    HostDisplay* display = Open(nullptr);
    std::vector<HostMode> modes;
    ASSERT_EQ(HostDisplayEnumModes(display, CollectMode, &modes), HOST_OK);
    ASSERT_EQ(modes.size(), 24u);
    EXPECT_EQ(modes[0].width, 320);
    EXPECT_EQ(modes[0].height, 200);
    EXPECT_TRUE(modes[0].format.flags & HOST_PF_PALETTE8);
    EXPECT_TRUE(HostFormatsEqual(modes[13].format, HOST_FORMAT_RGB565));
    EXPECT_EQ(modes[13].width, 640);
    EXPECT_EQ(modes[23].width, 1024);
    EXPECT_EQ(modes[23].format.bitCount, 32u);
    for (size_t i = 0; i < modes.size(); ++i) {
        EXPECT_EQ(modes[i].standardVga, i == 0) << "row " << i;
    }
}

TEST_F(HostDisplayTest, ModeChangesNeedExclusiveUseOfAFullScreenWindow)
{
    const HostWindow window = HostWindowCreate("Pelloran", false, HostDefaultWindowProc);
    HostDisplay* display = Open(nullptr);
    EXPECT_EQ(HostDisplaySetMode(display, 640, 480, 16, false), HOST_E_NOT_EXCLUSIVE);
    ASSERT_EQ(HostDisplaySetExclusive(display, window, true), HOST_OK);
    EXPECT_TRUE(HostInjectDisplayExclusive());
    HostDisplay* other = Open(nullptr);
    EXPECT_EQ(HostDisplaySetExclusive(other, window, true), HOST_E_GENERIC);
    EXPECT_EQ(HostDisplaySetMode(display, 640, 481, 16, false), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostDisplaySetMode(display, 640, 480, 16, true), HOST_E_BAD_ARGUMENT);

    HostSurface* primary = nullptr;
    ASSERT_EQ(HostSurfaceCreate(display, {HOST_SURFACE_PRIMARY, 0, 0, 0, {}, 0}, &primary),
              HOST_OK);
    ASSERT_EQ(HostDisplaySetMode(display, 640, 480, 16, false), HOST_OK);
    EXPECT_EQ(HostSurfaceIsLost(primary), HOST_E_SURFACE_LOST);  // it showed the old mode
    HostSurfaceRelease(primary);
    int32_t w, h;
    HostWindowClientSize(&w, &h);
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_EQ(HostDisplayRelease(display), 0u);  // releasing goes back to the desktop
    HostWindowClientSize(&w, &h);
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
}

TEST_F(HostDisplayTest, FakeAdaptersReportTheirPassesDevicesAndFailures)
{
    HostFakeAdapter adapters[3] = {HostInjectDefaultAdapter(), HostInjectDefaultAdapter(),
                                   HostInjectDefaultAdapter()};
    adapters[0].caps |= HOST_CAPS_3D;
    adapters[0].deviceCount = 2;
    adapters[0].devices[0].guid = Guid(0x10);
    adapters[0].devices[1].guid = Guid(0x11);
    adapters[0].zFormatCount = 2;
    adapters[0].zFormats[0] = HostZFormat(16, 0);
    adapters[0].zFormats[1] = HostZFormat(24, 8);
    adapters[1].pass = HOST_PASS_DETACHED;
    adapters[1].hasGuid = true;
    adapters[1].guid = Guid(2);
    adapters[1].failOpen = true;
    adapters[2].pass = HOST_PASS_NON_DISPLAY;
    adapters[2].hasGuid = true;
    adapters[2].guid = Guid(3);
    adapters[2].failCaps = true;
    HostInjectSetAdapters(adapters, 3);

    EXPECT_EQ(Adapters(HOST_PASS_DETACHED).size(), 1u);
    HostDisplay* first = Open(nullptr);
    ASSERT_EQ(HostDisplayOpen3D(first), HOST_OK);
    int32_t devices = 0;
    EXPECT_EQ(HostDisplayEnumDevices(first, CountDevice, &devices), HOST_OK);
    EXPECT_EQ(devices, 2);
    std::vector<HostPixelFormat> zFormats;
    EXPECT_EQ(HostDisplayEnumZFormats(first, Guid(0x11), CollectZ, &zFormats), HOST_OK);
    ASSERT_EQ(zFormats.size(), 2u);
    EXPECT_EQ(zFormats[1].stencilBits, 8u);
    EXPECT_EQ(zFormats[1].bitCount, 32u);
    EXPECT_EQ(HostDisplayEnumZFormats(first, Guid(0x12), CollectZ, &zFormats), HOST_E_BAD_ARGUMENT);

    const HostGuid second = Guid(2), third = Guid(3), unknown = Guid(4);
    Open(&second, HOST_E_GENERIC);
    Open(&unknown, HOST_E_BAD_ARGUMENT);
    uint32_t caps;
    EXPECT_EQ(HostDisplayCaps(Open(&third), &caps), HOST_E_GENERIC);
}

TEST_F(HostDisplayTest, DisplaySystemStartsAreCountedAndCanBeMadeToFail)
{
    EXPECT_EQ(HostDisplaySystemStart(), HOST_OK);
    HostInjectFailNext(HOST_CALL_DISPLAY_START, HOST_E_GENERIC);
    EXPECT_EQ(HostDisplaySystemStart(), HOST_E_GENERIC);
    EXPECT_EQ(HostInjectDisplayStarts(), 1);
    HostDisplaySystemStop();
    HostDisplaySystemStop();
    EXPECT_EQ(HostInjectDisplayStarts(), 0);
}
