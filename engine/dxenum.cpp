// engine/dxenum.cpp: the display cards the host reports, their capabilities and 3D devices, and
// the card and device chosen for play.
#include "engine/dxenum.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "engine/debug.h"
#include "engine/dxerror.h"
#include "engine/fatal.h"

namespace {

constexpr int32_t DX_LOG_LINE_WIDTH = 78;

struct DXEnumState {
    DXCardEntry cards[DX_MAX_CARDS];
    int32_t cardCount;
    int32_t selectedCard;
    int32_t selectedDevice;
};

DXEnumState s_dxenum;

struct PassRow {
    int32_t pass;
    const char* log;
};

constexpr auto PASSES = std::to_array<PassRow>({
    {HOST_PASS_ATTACHED, "DXEnumDisplay(): doing attached devices...\n"},
    {HOST_PASS_DETACHED, "DXEnumDisplay(): doing detached devices...\n"},
    {HOST_PASS_NON_DISPLAY, "DXEnumDisplay(): doing non-display devices...\n"},
});

struct CapsRow {
    uint32_t hostCaps;
    uint32_t flag;
};

constexpr auto DEVICE_CAPS = std::to_array<CapsRow>({
    {HOST_DEV_HARDWARE, DXDEV_HARDWARE},
    {HOST_DEV_HARDWARE_TL, DXDEV_HARDWARE_TL},
    {HOST_DEV_SUBPIXEL, DXDEV_SUBPIXEL},
    {HOST_DEV_SUBPIXEL_X, DXDEV_SUBPIXEL_X},
    {HOST_DEV_SORT_NO_ZBUFFER, DXDEV_SORT_NO_ZBUFFER},
    {HOST_DEV_Z_TEST, DXDEV_Z_TEST},
    {HOST_DEV_SQUARE_TEXTURES, DXDEV_SQUARE_TEXTURES},
    {HOST_DEV_MIPMAP_FILTER, DXDEV_MIPMAP_TEXTURES},
    {HOST_DEV_LINEAR_FILTER, DXDEV_SMOOTH_TEXTURES},
});

struct FlagName {
    uint32_t flag;
    const char* name;  // printed after "D3DDEVINFO_"
};

// The z-test bit has no name and is not listed.
constexpr auto DEVICE_FLAG_NAMES = std::to_array<FlagName>({
    {DXDEV_HARDWARE, "HARDWARE"},
    {DXDEV_HARDWARE_TL, "HARDWARETL"},
    {DXDEV_SUBPIXEL, "SUBPIXEL"},
    {DXDEV_SUBPIXEL_X, "SUBPIXELX"},
    {DXDEV_SORT_NO_ZBUFFER, "SORTNOZBUFF"},
    {DXDEV_SQUARE_TEXTURES, "SQUARETEX"},
    {DXDEV_MIPMAP_TEXTURES, "MIPMAPTEX"},
    {DXDEV_SMOOTH_TEXTURES, "SMOOTHTEX"},
    {DXDEV_RENDER8, "RENDER8"},
    {DXDEV_RENDER8 << 1, "RENDER16"},
    {DXDEV_RENDER8 << 2, "RENDER24"},
    {DXDEV_RENDER8 << 3, "RENDER32"},
    {DXDEV_ZBUFFER8, "ZBUFFER8"},
    {DXDEV_ZBUFFER8 << 1, "ZBUFFER16"},
    {DXDEV_ZBUFFER8 << 2, "ZBUFFER24"},
    {DXDEV_ZBUFFER8 << 3, "ZBUFFER32"},
    {DXDEV_STENCIL8, "STENCIL8"},
    {DXDEV_STENCIL8 << 1, "STENCIL16"},
    {DXDEV_STENCIL8 << 2, "STENCIL24"},
    {DXDEV_STENCIL8 << 3, "STENCIL32"},
});

// Copies what fits and always ends the text.
template <size_t N>
void CopyText(char (&to)[N], const char* from)
{
    const size_t length = std::min(std::strlen(from), N - 1);
    std::memcpy(to, from, length);
    to[length] = '\0';
}

bool DDrawEnumCallbackEx(const HostGuid* guid, const char* description, const char* driver,
                         uintptr_t monitor, void* context)
{
    const int32_t pass = *static_cast<const int32_t*>(context);
    if (s_dxenum.cardCount == DX_MAX_CARDS) return false;
    DebugPrintf(DBG_DIRECTDRAW, 10, "DDrawEnumCallbackEx(): found %s (%s)\n", description, driver);
    if (guid == nullptr && pass != HOST_PASS_ATTACHED) {
        DebugPrintf(DBG_DIRECTDRAW, 10, "Ignoring NULL device\n");
        return true;
    }
    DXCardEntry& card = s_dxenum.cards[s_dxenum.cardCount++];
    card = {};
    if (guid != nullptr) {
        card.guid = *guid;
        card.guidPointer = &card.guid;
    }
    card.kind = static_cast<uint32_t>(pass);
    CopyText(card.description, description);
    CopyText(card.driverName, driver);
    card.monitor = monitor;
    return true;
}

void LogDeviceFlags(uint32_t flags)
{
    char line[DX_LOG_LINE_WIDTH + 1];
    int32_t length = std::snprintf(line, sizeof line, "D3DDEVINFO_* flags: ");
    for (const FlagName& row : DEVICE_FLAG_NAMES) {
        if ((flags & row.flag) == 0) continue;
        const int32_t width = static_cast<int32_t>(std::strlen(row.name)) + 12;
        if (length + width >= DX_LOG_LINE_WIDTH) {
            DebugPrintf(DBG_DIRECTDRAW, 20, "%s\n", line);
            length = 0;
        }
        length += std::snprintf(line + length, sizeof line - length, "D3DDEVINFO_%s ", row.name);
    }
    DebugPrintf(DBG_DIRECTDRAW, 20, "%s\n", line);
}

bool DDrawCheckDev3DEnumCallback(const HostDeviceDesc& device, void* context)
{
    DXCardEntry& card = *static_cast<DXCardEntry*>(context);
    if (card.deviceCount == DX_MAX_DEVICES) return false;
    DXDeviceEntry& row = card.devices[card.deviceCount];
    row = {};
    row.guid = device.guid;
    CopyText(row.description, device.description);
    CopyText(row.name, device.name);
    for (const CapsRow& caps : DEVICE_CAPS) {
        if (device.caps & caps.hostCaps) row.flags |= caps.flag;
    }
    row.flags |= (device.renderDepths & 0xF) * DXDEV_RENDER8;
    row.flags |= (device.zBufferDepths & 0xF) * DXDEV_ZBUFFER8;
    row.maxTextureWidth = device.maxTextureWidth;
    row.maxTextureHeight = device.maxTextureHeight;
    row.minTextureWidth = device.minTextureWidth;
    row.minTextureHeight = device.minTextureHeight;
    row.maxTextureAspect = device.maxTextureAspect;

    DebugPrintf(DBG_DIRECTDRAW, 20,
                "--------------------\nDDrawCheckDev3DEnumCallback(): found %s (%s):\n",
                row.description, row.name);
    LogDeviceFlags(row.flags);
    DebugPrintf(DBG_DIRECTDRAW, 20, "Max texture size: %dx%d   Min texture size: %dx%d\n",
                row.maxTextureWidth, row.maxTextureHeight, row.minTextureWidth,
                row.minTextureHeight);
    DebugPrintf(DBG_DIRECTDRAW, 20, "Max texture aspect ratio: %d\n", row.maxTextureAspect);
    ++card.deviceCount;
    return true;
}

bool DDrawZBufferFormatsCallback(const HostPixelFormat& format, void* context)
{
    DXDeviceEntry& row = *static_cast<DXDeviceEntry*>(context);
    DXLogZFormat(format, 20);
    DebugPrintf(DBG_DIRECTDRAW, 20, "\n");
    if (format.stencilBits == 0) return true;
    switch (format.bitCount) {
        case 8: row.flags |= DXDEV_STENCIL8; break;
        case 15:
        case 16: row.flags |= DXDEV_STENCIL8 << 1; break;
        case 24: row.flags |= DXDEV_STENCIL8 << 2; break;
        case 32: row.flags |= DXDEV_STENCIL8 << 3; break;
        default:
            std::printf("Warning: DDrawZBufferFormatsCallback(): unknown zbuffer depth: %d bits\n",
                        format.bitCount);
    }
    return true;
}

// The card's identity and capabilities; false, after a log line, when either cannot be read.
bool ReadIdentityAndCaps(HostDisplay* display, DXCardEntry& card)
{
    HostAdapterIdentity identity{};
    HostResult result = HostDisplayIdentify(display, &identity);
    if (HostFailed(result)) {
        std::printf("DD7_GetDeviceIdentifier() failed: %s\n", DXErrorString(result));
        return false;
    }
    std::snprintf(card.driverVersion, sizeof card.driverVersion, "%u.%u.%u.%u",
                  identity.versionHigh >> 16, identity.versionHigh & 0xFFFF,
                  identity.versionLow >> 16, identity.versionLow & 0xFFFF);
    DebugPrintf(DBG_DIRECTDRAW, 10, "version %s, ", card.driverVersion);

    uint32_t caps = 0;
    result = HostDisplayCaps(display, &caps);
    if (HostFailed(result)) {
        std::printf("DD7_GetCaps() failed: %s\n", DXErrorString(result));
        return false;
    }
    if (caps & HOST_CAPS_3D) card.flags |= DXCARD_3D_ACCELERATED;
    if (caps & HOST_CAPS_RENDERS_WINDOWED) card.flags |= DXCARD_RENDERS_WINDOWED;
    switch (card.kind) {
        case HOST_PASS_ATTACHED:
            card.flags |= DXCARD_DESKTOP_ENABLED;
            DebugPrintf(DBG_DIRECTDRAW, 10, "desktop enabled, ");
            break;
        case HOST_PASS_DETACHED:
            card.flags |= DXCARD_DESKTOP_DISABLED;
            DebugPrintf(DBG_DIRECTDRAW, 10, "desktop disabled, ");
            break;
        case HOST_PASS_NON_DISPLAY:
            card.flags |= DXCARD_NON_DISPLAY;
            DebugPrintf(DBG_DIRECTDRAW, 10, "non-display, ");
            break;
        default: FatalAbort("dxenum", __LINE__, "DDrawEnumCallbackEx(): unknown mode for callback");
    }
    DebugPrintf(DBG_DIRECTDRAW, 10, "\n");
    return true;
}

// A display object opened on the card, or nullptr after a log line.
HostDisplay* OpenCard(const DXCardEntry& card)
{
    HostDisplay* display = nullptr;
    if (HostFailed(HostDisplayCreate(&display))) {
        std::printf("DDrawCheckDevice(): CoCreateInstance() failed\n");
        return nullptr;
    }
    const HostResult result = HostDisplayOpen(display, card.guidPointer);
    if (HostFailed(result)) {
        std::printf("DDrawCheckDevice(): DD7_Initialise() failed: %s\n", DXErrorString(result));
        HostDisplayRelease(display);
        return nullptr;
    }
    return display;
}

bool DDrawCheckDevice(DXCardEntry& card)
{
    DebugPrintf(DBG_DIRECTDRAW, 10,
                "==============================\nDDrawCheckDevice(): checking %s (%s): ",
                card.description, card.driverName);
    HostDisplay* const display = OpenCard(card);
    if (display == nullptr) return false;
    if (!ReadIdentityAndCaps(display, card)) {
        HostDisplayRelease(display);
        return false;
    }

    DXCheckWarn(HostDisplayVideoMemory(display, HOST_MEMORY_PRIMARY_3D, &card.displayMemory),
                "dxenum", "DD7_GetAvailableVidRam");
    DXCheckWarn(HostDisplayVideoMemory(display, HOST_MEMORY_TEXTURE, &card.textureMemory), "dxenum",
                "DD7_GetAvailableVidRam");

    const bool has3D = DXCheckWarn(HostDisplayOpen3D(display), "dxenum", "DD7_QueryInterface");
    if (has3D) {
        DXCheckWarn(HostDisplayEnumDevices(display, DDrawCheckDev3DEnumCallback, &card), "dxenum",
                    "D3D7_EnumDevices");
        for (int32_t i = 0; i < card.deviceCount; ++i) {
            DXDeviceEntry& row = card.devices[i];
            DebugPrintf(DBG_DIRECTDRAW, 20, "Z buffer formats for %s\n", row.description);
            DXCheckWarn(
                HostDisplayEnumZFormats(display, row.guid, DDrawZBufferFormatsCallback, &row),
                "dxenum", "D3D7_EnumZBufferformats");
        }
        DebugPrintf(DBG_DIRECTDRAW, 20, "DX_SAFE_RELEASE(): releasing lpD3D7\n");
        HostDisplayClose3D(display);
    } else {
        DebugPrintf(DBG_DIRECTDRAW, 20, "DX_SAFE_RELEASE(): lpD3D7 already released\n");
    }
    HostDisplayRelease(display);
    return true;
}

}  // namespace

void DXEnumDisplay()
{
    s_dxenum = {};
    s_dxenum.selectedDevice = -1;
    for (const PassRow& row : PASSES) {
        DebugPrintf(DBG_DIRECTDRAW, 10, "%s", row.log);
        int32_t pass = row.pass;
        DXCheck(HostEnumAdapters(pass, DDrawEnumCallbackEx, &pass), "dxenum", "DDEnumerateEx");
    }

    if (HostFailed(HostDisplaySystemStart()))
        FatalAbort("dxenum", __LINE__, "DXEnumDisplay(): CoInitialize() failed");
    for (int32_t i = 0; i < s_dxenum.cardCount; ++i) {
        if (!DDrawCheckDevice(s_dxenum.cards[i]))
            FatalAbort("dxenum", __LINE__, "Device failed to initialize");
    }
    HostDisplaySystemStop();
}

void DXSelectDevice(int32_t card, int32_t device)
{
    s_dxenum.selectedCard = card;
    s_dxenum.selectedDevice = device;
}

int32_t DXGetSelectedCard() { return s_dxenum.selectedCard; }

int32_t DXGetSelectedDevice() { return s_dxenum.selectedDevice; }

const DXCardEntry* DXGetCardEntry(int32_t card)
{
    if (card < 0 || card >= s_dxenum.cardCount) return nullptr;
    return &s_dxenum.cards[card];
}

const DXDeviceEntry* DXGetDeviceEntry(int32_t card, int32_t device)
{
    const DXCardEntry* const entry = DXGetCardEntry(card);
    if (entry == nullptr || device < 0 || device >= entry->deviceCount) return nullptr;
    return &entry->devices[device];
}

const DXDeviceEntry* DXGetSelectedD3DDevice()
{
    return DXGetDeviceEntry(s_dxenum.selectedCard, s_dxenum.selectedDevice);
}

void DXLogZFormat(const HostPixelFormat& format, int32_t detail)
{
    // The depth bits lie below the stencil bits; 64-bit, so that a 32-bit part shifts safely.
    const auto depthMask = static_cast<uint32_t>((uint64_t{1} << format.zBits) - 1);
    const auto stencilMask =
        static_cast<uint32_t>(((uint64_t{1} << format.stencilBits) - 1) << format.zBits);
    DebugPrintf(DBG_DIRECTDRAW, detail, "Zbuffer %d bits (0x%x) ", format.bitCount, depthMask);
    DebugPrintf(DBG_DIRECTDRAW, detail, "Stencil %d bits (0x%x) ", format.stencilBits, stencilMask);
}

const HostGuid* DXGetSelectedCardGUID()
{
    const DXCardEntry* const card = DXGetCardEntry(s_dxenum.selectedCard);
    return card != nullptr ? card->guidPointer : nullptr;
}
