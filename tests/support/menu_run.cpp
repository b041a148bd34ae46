// tests/support/menu_run.cpp: the menu drawing layer in process on the headless host.
#include "tests/support/menu_run.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <zlib.h>

#include "engine/colconv.h"
#include "engine/filename.h"
#include "engine/host/host.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/poll.h"
#include "engine/timer.h"
#include "game/textmess.h"
#include "generated/build_paths.h"
#include "menus/loadbar.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"

namespace {

void PutU32(std::string* out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out->push_back(static_cast<char>(value >> shift));
}

void PutChunk(std::string* out, const char* type, const std::string& data)
{
    PutU32(out, static_cast<uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    out->append(body);
    PutU32(out, static_cast<uint32_t>(
                    crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
}

}  // namespace

std::string TestOutputPath(const std::string& name)
{
    const std::string folder = PELLORAN_BUILD_DIR "/test-output";
    std::filesystem::create_directories(folder);
    return folder + "/" + name;
}

std::string ScopedMenus::GeneratedDataFolder() { return PELLORAN_BUILD_DIR "/data"; }

ScopedMenus::ScopedMenus(int32_t kind, const std::string& dataFolder, bool with3D,
                         const HostFakeAdapter* adapter)
    : m_graphics(with3D, 1, adapter)
{
    PollInit();
    TimerInit();
    PakFileInit();
    DataFolderInit(dataFolder.c_str());
    PakMount("pakfiles\\hdcommon");
    if (std::filesystem::exists(dataFolder + "/pakfiles/cdcommon.pki"))
        PakMount("pakfiles\\cdcommon");
    TextMess_Init();
    if (dataFolder == GeneratedDataFolder()) TextMess_Load();
    SetModeBySize(640, 480, kind);
    MenuPcInit();
    AllocMenuScreens();
    MenuIconsInit();
    InitIconLists();
    MenuTextInit();
    MachineInit();
    LoadBarInit();
}

ScopedMenus::~ScopedMenus()
{
    LoadBarUninit();
    MachineUninit();
    MenuTextUninit();
    MenuIconsUninit();
    MenuPcUninit();
    TextMess_Uninit();
    PakFileUninit();
    if (TimerIsRunning()) TimerUninit();
    PollUninit();
}

void WriteTestPak(const std::string& folder, const std::vector<TestPakFile>& files)
{
    std::filesystem::create_directories(folder + "/pakfiles");
    std::ofstream list(folder + "/pakfiles/hdcommon.pkl");
    list << "PKL0\n";
    for (const TestPakFile& file : files) {
        list << file.name << "\n";
        std::string path = folder + "/pakfiles/" + file.name;
        for (char& c : path) {
            if (c == '\\') c = '/';
        }
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
    }
}

void MountGeneratedArchives(const TempDir& dir, const std::vector<TestPakFile>& override)
{
    PakFileInit();
    std::string folder = ScopedMenus::GeneratedDataFolder();
    if (!override.empty()) {
        WriteTestPak(dir.Path(), override);
        for (const char* ext : {".pki", ".pkd"})
            std::filesystem::create_symlink(folder + "/pakfiles/cdcommon" + ext,
                                            dir.Path("pakfiles/cdcommon") + ext);
        folder = dir.Path();
    }
    DataFolderInit(folder.c_str());
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
}

ScopedArchives::ScopedArchives(const std::vector<TestPakFile>& override)
{
    ResetCoreForTest();
    MemoryInit();
    MountGeneratedArchives(m_dir, override);
}

ScopedArchives::~ScopedArchives()
{
    PakFileUninit();
    MemoryUninit();
    ResetCoreForTest();
}

uint32_t WorkPixel(int32_t x, int32_t y)
{
    const uint8_t* at =
        MenuScreen.workScreen
        + (static_cast<size_t>(y) * MenuScreen.width + x) * MenuScreen.bytesPerPixel;
    uint32_t value = 0;
    std::memcpy(&value, at, MenuScreen.bytesPerPixel);
    return value;
}

uint32_t ScreenGrey(int32_t v)
{
    const auto level = static_cast<uint32_t>(v);
    return ColConvMakePixel(MenuScreen.screenFormat, level, level, level, 255);
}

uint32_t FrameRgbOf(uint32_t pixel)
{
    uint32_t rgb = 0;
    for (int32_t i = COL_RED; i <= COL_BLUE; ++i) {
        const ColComponent& comp = MenuScreen.screenFormat.comp[i];
        rgb = rgb << 8 | ColConvComponent((pixel & comp.mask) >> comp.shift, comp.bits, 8);
    }
    return rgb;
}

std::string WriteTestOutputPng(const std::string& name, int32_t width, int32_t height,
                               const std::vector<uint8_t>& rgb)
{
    std::string raw;
    for (int32_t y = 0; y < height; ++y) {
        raw.push_back('\0');
        raw.append(reinterpret_cast<const char*>(rgb.data()) + static_cast<size_t>(y) * width * 3,
                   static_cast<size_t>(width) * 3);
    }
    // Stored deflate blocks keep the rows unfiltered, as the suite's PNG reader expects.
    uLongf packedSize = compressBound(raw.size());
    std::string packed(packedSize, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
              reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 6);
    packed.resize(packedSize);
    std::string header;
    PutU32(&header, static_cast<uint32_t>(width));
    PutU32(&header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);
    std::string png = "\x89PNG\r\n\x1a\n";
    PutChunk(&png, "IHDR", header);
    PutChunk(&png, "IDAT", packed);
    PutChunk(&png, "IEND", "");
    const std::string path = TestOutputPath(name);
    std::ofstream(path, std::ios::binary) << png;
    return path;
}

std::string WriteFrameToTestOutput(const std::string& name)
{
    const std::string path = TestOutputPath(name);
    EXPECT_TRUE(HostWriteFramePng(path.c_str()));
    return path;
}

ScopedDrawnTexts* ScopedDrawnTexts::s_current = nullptr;

ScopedDrawnTexts::ScopedDrawnTexts()
{
    s_current = this;
    SetMenuDrawWatcher(Watch);
}

ScopedDrawnTexts::~ScopedDrawnTexts()
{
    SetMenuDrawWatcher(nullptr);
    s_current = nullptr;
}

void ScopedDrawnTexts::Watch(const MenuDrawn& drawn)
{
    if (s_current == nullptr || drawn.kind != MENU_DRAWN_TEXT || drawn.text == nullptr) return;
    s_current->m_texts.push_back({drawn.text, drawn.rect, drawn.font});
}
