// tests/support/device_data.h: the 3D device in a 640 x 480 16-bit mode with the generated
// archives mounted, for the device view's icons and textures.
#pragma once

#include <vector>

#include "tests/support/gfx_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

// With files given, a hard-disk archive of those files is found before the generated data-disc
// one. At the end the icons, texture slots and ramps are released before the device goes.
class ScopedDeviceData {
public:
    explicit ScopedDeviceData(const std::vector<TestPakFile>& override = {});
    ~ScopedDeviceData();
    ScopedDeviceData(const ScopedDeviceData&) = delete;
    ScopedDeviceData& operator=(const ScopedDeviceData&) = delete;

private:
    ScopedCore m_core;
    ScopedGraphics m_graphics;
    TempDir m_dir;
};

// A raw device file: the 16-byte head, then the pixel bytes given.
std::vector<uint8_t> DeviceFile(uint16_t width, uint16_t height, uint16_t count,
                                const std::vector<uint8_t>& pixels);
