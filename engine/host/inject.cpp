// engine/host/inject.cpp: the machine the host pretends to be and the faults tests inject.
#include "engine/host/inject.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/host/clock.h"
#include "engine/host/internal.h"

namespace {

constexpr uint32_t MB = 1024 * 1024;

struct PendingFailure {
    bool armed;
    HostResult code;
    int32_t skip;
};

struct InjectState {
    bool configured;  // false until the first use: the defaults are filled in then
    HostMachine machine;
    HostFakeAdapter adapters[HOST_INJECT_MAX_ADAPTERS];
    PendingFailure failures[HOST_CALL_COUNT];
    uint32_t heldBoxPeriods;
    uint32_t arrowCursorSets;
    bool generalSpansOnly;
};

InjectState s_inject;

void AddDefaultModes(HostMachine* machine)
{
    constexpr int32_t SIZES[][2] = {{320, 200}, {320, 240}, {640, 400},
                                    {640, 480}, {800, 600}, {1024, 768}};
    constexpr HostPixelFormat FORMATS[] = {HOST_FORMAT_PALETTE8, HOST_FORMAT_RGB565,
                                           HOST_FORMAT_RGB888, HOST_FORMAT_XRGB8888};
    machine->modeCount = 0;
    for (const auto& size : SIZES) {
        for (const HostPixelFormat& format : FORMATS) {
            const bool vga = size[0] == 320 && size[1] == 200 && format.bitCount == 8;
            machine->modes[machine->modeCount++] = {size[0], size[1], format, vga};
        }
    }
}

void ConfigureDefaults()
{
    s_inject = {};
    s_inject.configured = true;
    HostMachine& machine = s_inject.machine;
    machine.windowX = 100;
    machine.windowY = 80;
    machine.screenWidth = 1920;
    machine.screenHeight = 1080;
    machine.desktopFormat = HOST_FORMAT_XRGB8888;
    AddDefaultModes(&machine);
    s_inject.adapters[0] = HostInjectDefaultAdapter();
    machine.adapterCount = 1;
    machine.adapters = s_inject.adapters;
}

InjectState& Inject()
{
    if (!s_inject.configured) ConfigureDefaults();
    return s_inject;
}

}  // namespace

void HostInjectReset()
{
    ConfigureDefaults();
    HostAudioResetControls();
    HostInputResetControls();
}

const HostMachine& HostMachineConfig() { return Inject().machine; }

void HostInjectSetWindowPosition(int32_t x, int32_t y)
{
    Inject().machine.windowX = x;
    s_inject.machine.windowY = y;
}

void HostInjectSetScreenSize(int32_t width, int32_t height)
{
    Inject().machine.screenWidth = width;
    s_inject.machine.screenHeight = height;
}

void HostInjectSetDesktopFormat(const HostPixelFormat& format)
{
    Inject().machine.desktopFormat = format;
}

void HostInjectSetModes(const HostMode* modes, int32_t count)
{
    HostMachine& machine = Inject().machine;
    machine.modeCount = std::clamp(count, 0, HOST_INJECT_MAX_MODES);
    std::copy(modes, modes + machine.modeCount, machine.modes);
}

HostFakeAdapter HostInjectDefaultAdapter()
{
    HostFakeAdapter adapter{};
    adapter.pass = HOST_PASS_ATTACHED;
    std::strcpy(adapter.description, "Ecran principal");
    std::strcpy(adapter.driver, "host");
    adapter.caps = HOST_CAPS_3D | HOST_CAPS_RENDERS_WINDOWED;
    adapter.primaryMemory = 64 * MB;
    adapter.textureMemory = 32 * MB;
    adapter.deviceCount = 1;
    adapter.devices[0] = HostDefaultDevice();
    constexpr HostPixelFormat kZFormats[] = {HostZFormat(16, 0), HostZFormat(15, 1),
                                             HostZFormat(24, 0), HostZFormat(24, 8),
                                             HostZFormat(32, 0)};
    adapter.zFormatCount = static_cast<int32_t>(std::size(kZFormats));
    std::copy(std::begin(kZFormats), std::end(kZFormats), adapter.zFormats);
    constexpr HostPixelFormat kTextureFormats[] = {
        HOST_FORMAT_RGB565,
        HOST_FORMAT_RGB555,
        {HOST_PF_RGB | HOST_PF_ALPHA, 16, 0x7C00, 0x03E0, 0x001F, 0x8000, 0, 0},
        {HOST_PF_RGB | HOST_PF_ALPHA, 16, 0x0F00, 0x00F0, 0x000F, 0xF000, 0, 0},
        HOST_FORMAT_XRGB8888,
        {HOST_PF_RGB | HOST_PF_ALPHA, 32, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, 0, 0},
    };
    adapter.textureFormatCount = static_cast<int32_t>(std::size(kTextureFormats));
    std::copy(std::begin(kTextureFormats), std::end(kTextureFormats), adapter.textureFormats);
    return adapter;
}

void HostInjectSetAdapters(const HostFakeAdapter* adapters, int32_t count)
{
    HostMachine& machine = Inject().machine;
    machine.adapterCount = std::clamp(count, 0, HOST_INJECT_MAX_ADAPTERS);
    std::copy(adapters, adapters + machine.adapterCount, s_inject.adapters);
}

void HostMachineUseDisplays(const std::vector<std::string>& names)
{
    if (names.empty()) return;
    HostMachine& machine = Inject().machine;
    machine.adapterCount = std::min<int32_t>(names.size(), HOST_INJECT_MAX_ADAPTERS);
    for (int32_t i = 0; i < machine.adapterCount; ++i) {
        HostFakeAdapter& adapter = s_inject.adapters[i];
        adapter = HostInjectDefaultAdapter();
        std::snprintf(adapter.description, sizeof adapter.description, "%s", names[i].c_str());
        adapter.hasGuid = i > 0;
        if (adapter.hasGuid) {
            // "PLNDISP" then the index: ours, and unlike any other adapter's.
            std::memcpy(adapter.guid.bytes, "PLNDISP", 7);
            adapter.guid.bytes[15] = static_cast<uint8_t>(i);
        }
    }
}

void HostInjectFailNext(HostCall call, HostResult code, int32_t skip)
{
    Inject().failures[call] = {true, code, skip};
}

bool HostTakeFailure(HostCall call, HostResult* code)
{
    PendingFailure& failure = Inject().failures[call];
    if (!failure.armed) return false;
    if (failure.skip > 0) {
        --failure.skip;
        return false;
    }
    failure.armed = false;
    *code = failure.code;
    return true;
}

void HostInjectPost(uint32_t kind, uintptr_t wparam, intptr_t lparam)
{
    HostMsgPost(kind, wparam, lparam);
}

void HostInjectLoseSurfaces() { HostSurfaceLoseAll(); }

void HostInjectGeneralSpansOnly(bool on) { Inject().generalSpansOnly = on; }

bool HostGeneralSpansOnly() { return Inject().generalSpansOnly; }

void HostInjectHoldMessageBox(uint32_t periods) { Inject().heldBoxPeriods = periods; }

uint32_t HostTakeHeldBoxPeriods()
{
    const uint32_t periods = Inject().heldBoxPeriods;
    s_inject.heldBoxPeriods = 0;
    return periods;
}

void HostCountArrowCursor() { ++Inject().arrowCursorSets; }

uint32_t HostInjectArrowCursorSets() { return Inject().arrowCursorSets; }
