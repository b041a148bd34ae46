#include "engine/dxenum.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/host/internal.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

HostGuid GuidNumber(uint8_t n)
{
    HostGuid guid{};
    guid.bytes[0] = n;
    guid.bytes[15] = 0xA5;
    return guid;
}

HostFakeAdapter Adapter(int32_t pass, uint8_t guidNumber)
{
    HostFakeAdapter adapter = HostInjectDefaultAdapter();
    adapter.pass = pass;
    adapter.hasGuid = guidNumber != 0;
    adapter.guid = GuidNumber(guidNumber);
    std::snprintf(adapter.description, sizeof adapter.description, "Card %d", guidNumber);
    // A plain card: the tests that want a 3D device give it one of their own.
    adapter.caps = HOST_CAPS_RENDERS_WINDOWED;
    adapter.deviceCount = 0;
    adapter.zFormatCount = 0;
    return adapter;
}

HostDeviceDesc Device(uint8_t guidNumber, uint32_t caps)
{
    HostDeviceDesc device{};
    device.guid = GuidNumber(guidNumber);
    std::snprintf(device.description, sizeof device.description, "Device %d", guidNumber);
    std::strcpy(device.name, "fake rasteriser");
    device.caps = caps;
    return device;
}

// Runs the enumeration and gives what it printed.
std::string Enumerate()
{
    testing::internal::CaptureStdout();
    DXEnumDisplay();
    return testing::internal::GetCapturedStdout();
}

class DXEnum : public testing::Test {
private:
    ScopedHeadlessHost m_host;
};

using DXEnumDeathTest = DXEnum;

}  // namespace

TEST_F(DXEnum, DefaultHostIsOnePrimaryCardWithTheHostThreeDDevice)
{
    const std::string out = Enumerate();
    EXPECT_EQ(out, "") << "nothing is printed at level 0";
    const DXCardEntry* card = DXGetCardEntry(0);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->guidPointer, nullptr);
    EXPECT_STREQ(card->description, "Ecran principal");
    EXPECT_STREQ(card->driverName, "host");
    EXPECT_STREQ(card->driverVersion, "1.0.0.0");
    EXPECT_EQ(card->flags, 0x13);
    EXPECT_EQ(card->displayMemory, 64u << 20);
    EXPECT_EQ(card->textureMemory, 32u << 20);
    ASSERT_EQ(card->deviceCount, 1);
    const DXDeviceEntry* device = DXGetDeviceEntry(0, 0);
    EXPECT_STREQ(device->description, "Host 3D device");
    EXPECT_STREQ(device->name, "Moteur 3D Pelloran");
    // Hardware rasterising and transforming, sub-pixel, the z test, mip-maps and linear
    // filtering; rendering at 16 and 32 bits; z-buffers of 16, 24 and 32 bits, with stencil at 16
    // and 32.
    EXPECT_EQ(device->flags, 0x1u | 0x2 | 0x10 | 0x800 | 0x100 | 0x200 | 0x20000 | 0x80000
                                 | 0x200000 | 0x400000 | 0x800000 | 0x2000000 | 0x8000000);
    EXPECT_EQ(device->maxTextureWidth, 1024u);
    EXPECT_EQ(device->maxTextureHeight, 1024u);
    EXPECT_EQ(device->minTextureWidth, 1u);
    EXPECT_EQ(device->minTextureHeight, 1u);
    EXPECT_EQ(device->maxTextureAspect, 0u);
    EXPECT_EQ(DXGetCardEntry(1), nullptr);
    EXPECT_EQ(DXGetDeviceEntry(0, 1), nullptr);
    EXPECT_EQ(DXGetSelectedD3DDevice(), nullptr);
    EXPECT_EQ(DXGetSelectedCardGUID(), nullptr);
    // Every display object and start of the display system is given back.
    EXPECT_EQ(HostInjectLiveDisplays(), 0);
    EXPECT_EQ(HostInjectDisplayStarts(), 0);
}

TEST_F(DXEnum, KeepsSixteenCardsAndSixteenDevicesAtMost)
{
    std::vector<HostFakeAdapter> adapters;
    for (uint8_t i = 1; i <= DX_MAX_CARDS + 2; ++i) {
        adapters.push_back(Adapter(HOST_PASS_ATTACHED, i));
    }
    adapters[3].caps |= HOST_CAPS_3D;
    adapters[3].deviceCount = DX_MAX_DEVICES + 1;
    for (uint8_t d = 0; d < DX_MAX_DEVICES + 1; ++d) {
        adapters[3].devices[d] = Device(100 + d, HOST_DEV_HARDWARE);
    }
    HostInjectSetAdapters(adapters.data(), static_cast<int32_t>(adapters.size()));
    Enumerate();
    EXPECT_NE(DXGetCardEntry(DX_MAX_CARDS - 1), nullptr);
    EXPECT_EQ(DXGetCardEntry(DX_MAX_CARDS), nullptr);
    EXPECT_STREQ(DXGetCardEntry(DX_MAX_CARDS - 1)->description, "Card 16");
    const DXCardEntry* const card = DXGetCardEntry(3);
    EXPECT_EQ(card->deviceCount, DX_MAX_DEVICES);
    EXPECT_EQ(card->flags,
              DXCARD_3D_ACCELERATED | DXCARD_DESKTOP_ENABLED | DXCARD_RENDERS_WINDOWED);
    EXPECT_EQ(DXGetDeviceEntry(3, DX_MAX_DEVICES - 1)->guid.bytes[0], 100 + DX_MAX_DEVICES - 1);
    EXPECT_EQ(DXGetDeviceEntry(3, DX_MAX_DEVICES), nullptr);
    // The card's GUID pointer points at its own copy.
    ASSERT_NE(card->guidPointer, nullptr);
    EXPECT_EQ(card->guidPointer, &card->guid);
    EXPECT_EQ(card->guid.bytes[0], 4);
}

// The window system's displays as the SDL back end hands them over: one card each, the first the
// primary, every one with the host's 3D device; no displays keep the default card.
TEST_F(DXEnum, EachDisplayOfTheWindowSystemIsACardWithTheHostDevice)
{
    HostMachineUseDisplays({});
    Enumerate();
    EXPECT_STREQ(DXGetCardEntry(0)->description, "Ecran principal");
    EXPECT_EQ(DXGetCardEntry(1), nullptr);

    const std::string longName(80, 'x');
    HostMachineUseDisplays({"Left", "Right", longName});
    Enumerate();
    const DXCardEntry* cards[3] = {DXGetCardEntry(0), DXGetCardEntry(1), DXGetCardEntry(2)};
    ASSERT_NE(cards[2], nullptr);
    EXPECT_EQ(DXGetCardEntry(3), nullptr);
    EXPECT_STREQ(cards[0]->description, "Left");
    EXPECT_STREQ(cards[1]->description, "Right");
    EXPECT_EQ(cards[2]->description, longName.substr(0, sizeof cards[2]->description - 1));
    EXPECT_EQ(cards[0]->guidPointer, nullptr);
    ASSERT_NE(cards[1]->guidPointer, nullptr);
    ASSERT_NE(cards[2]->guidPointer, nullptr);
    EXPECT_NE(std::memcmp(&cards[1]->guid, &cards[2]->guid, sizeof(HostGuid)), 0);
    for (const DXCardEntry* card : cards) {
        EXPECT_EQ(card->flags, 0x13) << card->description;
        ASSERT_EQ(card->deviceCount, 1) << card->description;
        EXPECT_STREQ(card->devices[0].description, "Host 3D device");
    }
    // More displays than the host keeps adapters for: the first ones, the rest dropped.
    HostMachineUseDisplays(std::vector<std::string>(HOST_INJECT_MAX_ADAPTERS + 5, "Screen"));
    Enumerate();
    EXPECT_NE(DXGetCardEntry(DX_MAX_CARDS - 1), nullptr);
    EXPECT_EQ(DXGetCardEntry(DX_MAX_CARDS - 1)->guid.bytes[15], DX_MAX_CARDS - 1);
}

TEST_F(DXEnum, PassesSetTheDesktopFlagsAndSkipALaterNullGuid)
{
    const HostFakeAdapter adapters[] = {
        Adapter(HOST_PASS_ATTACHED, 0),
        Adapter(HOST_PASS_DETACHED, 0),
        Adapter(HOST_PASS_DETACHED, 2),
        Adapter(HOST_PASS_NON_DISPLAY, 3),
    };
    HostInjectSetAdapters(adapters, 4);
    Enumerate();
    ASSERT_NE(DXGetCardEntry(2), nullptr);
    EXPECT_EQ(DXGetCardEntry(3), nullptr);
    EXPECT_EQ(DXGetCardEntry(0)->guidPointer, nullptr);
    EXPECT_EQ(DXGetCardEntry(1)->kind, static_cast<uint32_t>(HOST_PASS_DETACHED));
    EXPECT_EQ(DXGetCardEntry(1)->flags, DXCARD_DESKTOP_DISABLED | DXCARD_RENDERS_WINDOWED);
    EXPECT_EQ(DXGetCardEntry(2)->flags, DXCARD_NON_DISPLAY | DXCARD_RENDERS_WINDOWED);
    DXSelectDevice(1, -1);
    ASSERT_NE(DXGetSelectedCardGUID(), nullptr);
    EXPECT_EQ(DXGetSelectedCardGUID()->bytes[0], 2);
}

TEST_F(DXEnum, DeviceFlagsAndStencilBitsFollowTheTables)
{
    HostFakeAdapter adapter = Adapter(HOST_PASS_ATTACHED, 1);
    adapter.caps |= HOST_CAPS_3D;
    adapter.deviceCount = 1;
    HostDeviceDesc& device = adapter.devices[0];
    device =
        Device(9, HOST_DEV_HARDWARE | HOST_DEV_HARDWARE_TL | HOST_DEV_SUBPIXEL | HOST_DEV_SUBPIXEL_X
                      | HOST_DEV_SORT_NO_ZBUFFER | HOST_DEV_Z_TEST | HOST_DEV_SQUARE_TEXTURES
                      | HOST_DEV_MIPMAP_FILTER | HOST_DEV_LINEAR_FILTER);
    device.renderDepths = HOST_DEPTH_16 | HOST_DEPTH_32;
    device.zBufferDepths = HOST_DEPTH_16 | HOST_DEPTH_24;
    device.maxTextureWidth = 2048;
    device.maxTextureAspect = 8;
    adapter.zFormatCount = 5;
    adapter.zFormats[0] = HostZFormat(16, 0);  // no stencil: no flag
    adapter.zFormats[1] = HostZFormat(15, 1);
    adapter.zFormats[2] = HostZFormat(24, 8);
    adapter.zFormats[3] = HostZFormat(7, 1);
    adapter.zFormats[4] = HostZFormat(10, 2);  // a depth of 12 has no flag
    HostInjectSetAdapters(&adapter, 1);
    const std::string out = Enumerate();
    EXPECT_NE(out.find("Warning: DDrawZBufferFormatsCallback(): unknown zbuffer depth: 12 bits\n"),
              std::string::npos);
    const DXDeviceEntry* const row = DXGetDeviceEntry(0, 0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->flags, 0x1u | 0x2 | 0x10 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x800 | 0x20000
                              | 0x80000 | 0x200000 | 0x400000 | 0x1000000 | 0x2000000 | 0x8000000);
    EXPECT_EQ(row->maxTextureWidth, 2048u);
    EXPECT_EQ(row->maxTextureAspect, 8u);
    EXPECT_STREQ(row->description, "Device 9");
    DXSelectDevice(0, 0);
    EXPECT_EQ(DXGetSelectedD3DDevice(), row);
}

TEST_F(DXEnum, CardWhoseThreeDQueryFailsIsListedWithoutDevices)
{
    HostFakeAdapter adapter = Adapter(HOST_PASS_ATTACHED, 1);
    adapter.caps |= HOST_CAPS_3D;
    adapter.fail3D = true;
    adapter.deviceCount = 1;
    adapter.devices[0] = Device(9, HOST_DEV_HARDWARE);
    HostInjectSetAdapters(&adapter, 1);
    const std::string out = Enumerate();
    EXPECT_NE(out.find("DirectX call DD7_QueryInterface() failed"), std::string::npos);
    ASSERT_NE(DXGetCardEntry(0), nullptr);
    EXPECT_EQ(DXGetCardEntry(0)->deviceCount, 0);
}

TEST_F(DXEnumDeathTest, CardThatCannotBeOpenedOrQueriedEndsTheProgram)
{
    HostFakeAdapter adapter = Adapter(HOST_PASS_ATTACHED, 1);
    adapter.failOpen = true;
    HostInjectSetAdapters(&adapter, 1);
    EXPECT_FATAL(DXEnumDisplay(),
                 "Abort error: Device failed to initialize\n(File: dxenum  Line: ");
    adapter.failOpen = false;
    adapter.failCaps = true;
    HostInjectSetAdapters(&adapter, 1);
    EXPECT_FATAL(DXEnumDisplay(), "Abort error: Device failed to initialize\n");
}

TEST_F(DXEnumDeathTest, FailingDisplaySystemOrPassIsFatal)
{
    HostInjectFailNext(HOST_CALL_DISPLAY_START, HOST_E_GENERIC);
    EXPECT_FATAL(DXEnumDisplay(), "Abort error: DXEnumDisplay(): CoInitialize() failed\n");
    HostInjectReset();
    HostInjectFailNext(HOST_CALL_ADAPTER_ENUM, HOST_E_GENERIC, 1);
    EXPECT_FATAL(DXEnumDisplay(), "func DXEnumDisplay()]:\nDirectX call DDEnumerateEx() failed: "
                                  "E_FAIL (D*ERR_GENERIC)\n");
}
