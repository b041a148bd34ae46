// engine/dxenum.h: the display cards the host reports, their capabilities and 3D devices, and the
// card and device chosen for play.
#pragma once

#include <cstdint>

#include "engine/host/host.h"

constexpr int32_t DX_MAX_CARDS = 16;
constexpr int32_t DX_MAX_DEVICES = 16;

enum DXCardFlags : uint8_t {
    DXCARD_3D_ACCELERATED = 0x01,
    DXCARD_DESKTOP_ENABLED = 0x02,   // found in pass 1
    DXCARD_DESKTOP_DISABLED = 0x04,  // pass 2
    DXCARD_NON_DISPLAY = 0x08,       // pass 3
    DXCARD_RENDERS_WINDOWED = 0x10,
};

enum DXDeviceFlags : uint32_t {
    DXDEV_HARDWARE = 0x1,
    DXDEV_HARDWARE_TL = 0x2,
    DXDEV_SUBPIXEL = 0x10,
    DXDEV_SUBPIXEL_X = 0x20,
    DXDEV_SORT_NO_ZBUFFER = 0x40,
    DXDEV_SQUARE_TEXTURES = 0x80,
    DXDEV_MIPMAP_TEXTURES = 0x100,
    DXDEV_SMOOTH_TEXTURES = 0x200,
    DXDEV_Z_TEST = 0x800,
    DXDEV_RENDER8 = 0x10000,  // RENDER16, 24 and 32 follow bit by bit
    DXDEV_ZBUFFER8 = 0x100000,
    DXDEV_STENCIL8 = 0x1000000,  // a z format with stencil of total depth 8; 16 (or 15), 24, 32
};

struct DXDeviceEntry {
    HostGuid guid;
    char description[32];
    char name[64];
    uint32_t flags;  // DXDeviceFlags
    uint32_t maxTextureWidth;
    uint32_t maxTextureHeight;
    uint32_t minTextureWidth;
    uint32_t minTextureHeight;
    uint32_t maxTextureAspect;  // 0: none
};

struct DXCardEntry {
    const HostGuid* guidPointer;  // the guid below, or nullptr for the primary display
    HostGuid guid;
    uint32_t kind;  // the HostAdapterPass that found it
    char description[32];
    char driverName[64];
    uintptr_t monitor;
    char driverVersion[24];  // "%d.%d.%d.%d"
    uint8_t flags;           // DXCardFlags
    uint32_t displayMemory;  // bytes for 3D primary surfaces
    uint32_t textureMemory;  // bytes for textures
    int32_t deviceCount;
    DXDeviceEntry devices[DX_MAX_DEVICES];
};

// Lists up to 16 cards over the three passes and reads each one's capabilities and 3D devices;
// selects card 0 and no 3D device. A card that cannot be opened or queried is the fatal abort
// "Device failed to initialize"; one without 3D only has no device rows.
void DXEnumDisplay();

void DXSelectDevice(int32_t card, int32_t device);  // device -1: none
int32_t DXGetSelectedCard();
int32_t DXGetSelectedDevice();  // -1: none

// Null when out of range (a device of -1 included).
const DXCardEntry* DXGetCardEntry(int32_t card);
const DXDeviceEntry* DXGetDeviceEntry(int32_t card, int32_t device);
const DXDeviceEntry* DXGetSelectedD3DDevice();
const HostGuid* DXGetSelectedCardGUID();  // null for the primary display too

// Logs a z format's depth and stencil, "Zbuffer %d bits (0x%x) Stencil %d bits (0x%x) ", on the
// "directdraw" channel from level `detail`; the caller ends the line.
void DXLogZFormat(const HostPixelFormat& format, int32_t detail);
