// engine/host/display.cpp: the display system, its adapters with their 3D devices, display
// objects, the mode list and full-screen mode changes.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "engine/host/host.h"
#include "engine/host/internal.h"

constexpr int32_t HOST_MAX_DISPLAYS = 8;

struct HostDisplay {
    bool used;
    uint32_t refs;
    bool opened;
    int32_t adapter;  // index among the machine's adapters, once opened
    bool open3D;
    bool exclusive;
    bool modeSet;
};

namespace {

constexpr uint32_t VERSION_HIGH = 1u << 16;  // 1.0.0.0
constexpr uint32_t VERSION_LOW = 0;

struct DisplayState {
    HostDisplay displays[HOST_MAX_DISPLAYS];
    int32_t systemStarts;
};

DisplayState s_display;

const HostFakeAdapter& AdapterOf(const HostDisplay* display)
{
    return HostMachineConfig().adapters[display->adapter];
}

// The adapter a GUID names; nullptr names the primary display, the first one without a GUID
// (or the first of all when every adapter has one).
int32_t FindAdapter(const HostGuid* guid)
{
    const HostMachine& machine = HostMachineConfig();
    for (int32_t i = 0; i < machine.adapterCount; ++i) {
        const HostFakeAdapter& adapter = machine.adapters[i];
        if (guid == nullptr
                ? !adapter.hasGuid
                : adapter.hasGuid && std::memcmp(&adapter.guid, guid, sizeof *guid) == 0)
            return i;
    }
    return guid == nullptr && machine.adapterCount > 0 ? 0 : -1;
}

// The common start of every display call: an injected failure, then a usable object.
HostResult Check(HostCall call, const HostDisplay* display)
{
    HostResult code;
    if (HostTakeFailure(call, &code)) return code;
    return HostDisplayUsable(display) ? HOST_OK : HOST_E_BAD_ARGUMENT;
}

HostResult Check3D(HostCall call, const HostDisplay* display)
{
    const HostResult result = Check(call, display);
    if (result != HOST_OK) return result;
    return display->open3D ? HOST_OK : HOST_E_BAD_ARGUMENT;
}

void CopyText(char* destination, size_t size, const char* source)
{
    std::snprintf(destination, size, "%s", source);
}

void ReturnToDesktop(HostDisplay* display)
{
    if (!display->modeSet) return;
    display->modeSet = false;
    const HostMachine& machine = HostMachineConfig();
    int32_t width, height;
    HostScreenSize(&width, &height);
    HostWindowSetDisplayMode(width, height, machine.desktopFormat);
}

}  // namespace

bool HostDisplayUsable(const HostDisplay* display)
{
    return display != nullptr && display->used && display->opened;
}

void HostDisplayFreeAll() { s_display = {}; }

HostResult HostDisplaySystemStart()
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_DISPLAY_START, &code)) return code;
    ++s_display.systemStarts;
    return HOST_OK;
}

void HostDisplaySystemStop()
{
    if (s_display.systemStarts > 0) --s_display.systemStarts;
}

HostResult HostEnumAdapters(int32_t pass, HostAdapterCallback callback, void* context)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_ADAPTER_ENUM, &code)) return code;
    if (callback == nullptr) return HOST_E_BAD_ARGUMENT;
    const HostMachine& machine = HostMachineConfig();
    for (int32_t i = 0; i < machine.adapterCount; ++i) {
        const HostFakeAdapter& adapter = machine.adapters[i];
        if (adapter.pass != pass) continue;
        const uintptr_t monitor = static_cast<uintptr_t>(i) + 1;
        if (!callback(adapter.hasGuid ? &adapter.guid : nullptr, adapter.description,
                      adapter.driver, monitor, context))
            break;
    }
    return HOST_OK;
}

HostResult HostDisplayCreate(HostDisplay** display)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_DISPLAY_CREATE, &code)) return code;
    if (display == nullptr) return HOST_E_BAD_ARGUMENT;
    for (HostDisplay& d : s_display.displays) {
        if (d.used) continue;
        d = {};
        d.used = true;
        d.refs = 1;
        *display = &d;
        return HOST_OK;
    }
    return HOST_E_OUT_OF_MEMORY;
}

HostResult HostDisplayOpen(HostDisplay* display, const HostGuid* adapter)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_DISPLAY_OPEN, &code)) return code;
    if (display == nullptr || !display->used) return HOST_E_BAD_ARGUMENT;
    if (display->opened) return HOST_E_GENERIC;
    const int32_t index = FindAdapter(adapter);
    if (index < 0) return HOST_E_BAD_ARGUMENT;
    if (HostMachineConfig().adapters[index].failOpen) return HOST_E_GENERIC;
    display->opened = true;
    display->adapter = index;
    return HOST_OK;
}

uint32_t HostDisplayRelease(HostDisplay* display)
{
    if (display == nullptr || !display->used) return 0;
    if (--display->refs > 0) return display->refs;
    ReturnToDesktop(display);
    *display = {};
    return 0;
}

HostResult HostDisplayIdentify(HostDisplay* display, HostAdapterIdentity* identity)
{
    const HostResult result = Check(HOST_CALL_DISPLAY_IDENTIFY, display);
    if (result != HOST_OK) return result;
    const HostFakeAdapter& adapter = AdapterOf(display);
    *identity = {};
    CopyText(identity->driver, sizeof identity->driver, adapter.driver);
    CopyText(identity->description, sizeof identity->description, adapter.description);
    identity->versionHigh = VERSION_HIGH;
    identity->versionLow = VERSION_LOW;
    return HOST_OK;
}

HostResult HostDisplayCaps(HostDisplay* display, uint32_t* capsFlags)
{
    const HostResult result = Check(HOST_CALL_DISPLAY_CAPS, display);
    if (result != HOST_OK) return result;
    if (AdapterOf(display).failCaps) return HOST_E_GENERIC;
    *capsFlags = AdapterOf(display).caps;
    return HOST_OK;
}

HostResult HostDisplayVideoMemory(HostDisplay* display, HostMemoryKind kind, uint32_t* totalBytes)
{
    const HostResult result = Check(HOST_CALL_VIDEO_MEMORY, display);
    if (result != HOST_OK) return result;
    const HostFakeAdapter& adapter = AdapterOf(display);
    *totalBytes = kind == HOST_MEMORY_TEXTURE ? adapter.textureMemory : adapter.primaryMemory;
    return HOST_OK;
}

HostResult HostDisplayOpen3D(HostDisplay* display)
{
    const HostResult result = Check(HOST_CALL_3D_OPEN, display);
    if (result != HOST_OK) return result;
    const HostFakeAdapter& adapter = AdapterOf(display);
    if (adapter.fail3D || !(adapter.caps & HOST_CAPS_3D)) return HOST_E_UNSUPPORTED;
    display->open3D = true;
    return HOST_OK;
}

void HostDisplayClose3D(HostDisplay* display)
{
    if (display != nullptr && display->used) display->open3D = false;
}

HostResult HostDisplayEnumDevices(HostDisplay* display, HostDeviceCallback callback, void* context)
{
    const HostResult result = Check3D(HOST_CALL_3D_DEVICE_ENUM, display);
    if (result != HOST_OK) return result;
    const HostFakeAdapter& adapter = AdapterOf(display);
    for (int32_t i = 0; i < adapter.deviceCount; ++i) {
        if (!callback(adapter.devices[i], context)) break;
    }
    return HOST_OK;
}

HostResult HostDisplayEnumZFormats(HostDisplay* display, const HostGuid& device,
                                   HostZFormatCallback callback, void* context)
{
    const HostResult result = Check3D(HOST_CALL_Z_FORMAT_ENUM, display);
    if (result != HOST_OK) return result;
    const HostFakeAdapter& adapter = AdapterOf(display);
    const HostDeviceDesc* const end = adapter.devices + adapter.deviceCount;
    const bool known = std::any_of(adapter.devices, end, [&device](const HostDeviceDesc& d) {
        return std::memcmp(&d.guid, &device, sizeof device) == 0;
    });
    if (!known) return HOST_E_BAD_ARGUMENT;
    for (int32_t i = 0; i < adapter.zFormatCount; ++i) {
        if (!callback(adapter.zFormats[i], context)) break;
    }
    return HOST_OK;
}

HostResult HostDisplayEnumModes(HostDisplay* display, HostModeCallback callback, void* context)
{
    const HostResult result = Check(HOST_CALL_MODE_ENUM, display);
    if (result != HOST_OK) return result;
    const HostMachine& machine = HostMachineConfig();
    for (int32_t i = 0; i < machine.modeCount; ++i) {
        if (!callback(machine.modes[i], context)) break;
    }
    return HOST_OK;
}

HostResult HostDisplaySetExclusive(HostDisplay* display, HostWindow window, bool exclusive)
{
    const HostResult result = Check(HOST_CALL_COOPERATION, display);
    if (result != HOST_OK) return result;
    if (window == HOST_NO_WINDOW || window != HostMainWindow()) return HOST_E_BAD_ARGUMENT;
    if (exclusive) {
        for (const HostDisplay& other : s_display.displays) {
            if (&other != display && other.used && other.exclusive) return HOST_E_GENERIC;
        }
    }
    display->exclusive = exclusive;
    return HOST_OK;
}

HostResult HostDisplaySetMode(HostDisplay* display, int32_t width, int32_t height,
                              uint32_t bitCount, bool standardVga)
{
    const HostResult result = Check(HOST_CALL_SET_MODE, display);
    if (result != HOST_OK) return result;
    if (!display->exclusive) return HOST_E_NOT_EXCLUSIVE;
    if (HostMainWindow() == HOST_NO_WINDOW || HostWindowIsWindowed()) return HOST_E_GENERIC;
    const HostMachine& machine = HostMachineConfig();
    const HostMode* const end = machine.modes + machine.modeCount;
    const HostMode* mode = std::find_if(machine.modes, end, [=](const HostMode& m) {
        return m.width == width && m.height == height && m.format.bitCount == bitCount;
    });
    if (mode == end || (standardVga && !mode->standardVga)) return HOST_E_BAD_ARGUMENT;
    HostWindowSetDisplayMode(width, height, mode->format);
    display->modeSet = true;
    return HOST_OK;
}

HostResult HostDisplayRestoreMode(HostDisplay* display)
{
    const HostResult result = Check(HOST_CALL_RESTORE_MODE, display);
    if (result != HOST_OK) return result;
    ReturnToDesktop(display);
    return HOST_OK;
}

int32_t HostInjectDisplayStarts() { return s_display.systemStarts; }

int32_t HostInjectLiveDisplays()
{
    return static_cast<int32_t>(std::count_if(std::begin(s_display.displays),
                                              std::end(s_display.displays),
                                              [](const HostDisplay& d) { return d.used; }));
}

bool HostInjectDisplayExclusive()
{
    return std::any_of(std::begin(s_display.displays), std::end(s_display.displays),
                       [](const HostDisplay& d) { return d.used && d.exclusive; });
}

const HostFakeAdapter* HostDisplayAdapter(const HostDisplay* display)
{
    return HostDisplayUsable(display) ? &AdapterOf(display) : nullptr;
}

bool HostDisplay3DOpen(const HostDisplay* display)
{
    return HostDisplayUsable(display) && display->open3D;
}
