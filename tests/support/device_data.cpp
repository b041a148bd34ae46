// tests/support/device_data.cpp: the 3D device with the generated archives.
#include "tests/support/device_data.h"

#include <cstring>

#include "engine/dxdraw.h"
#include "engine/gfx.h"
#include "engine/pakfile.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/d3dtex.h"

ScopedDeviceData::ScopedDeviceData(const std::vector<TestPakFile>& override) : m_graphics(true)
{
    SetGraphicMode(GfxFindMode(640, 480, DDRAW_KIND_16BIT),
                   DDRAW_MODE_3D_DEVICE | DDRAW_MODE_ZBUFFER);
    MountGeneratedArchives(m_dir, override);
    TexD3D_ResetTable();
}

ScopedDeviceData::~ScopedDeviceData()
{
    Icon_Uninit();
    TexD3D_FreeAll();
    TexD3D_FreeRamps();
    PakFileUninit();
}

std::vector<uint8_t> DeviceFile(uint16_t width, uint16_t height, uint16_t count,
                                const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> bytes = {'G', 'F', 'X', '0'};
    bytes.resize(16, 0);
    std::memcpy(&bytes[4], &width, 2);
    std::memcpy(&bytes[6], &height, 2);
    std::memcpy(&bytes[8], &count, 2);
    bytes.insert(bytes.end(), pixels.begin(), pixels.end());
    return bytes;
}
