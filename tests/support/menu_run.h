// tests/support/menu_run.h: the menu drawing layer in process on the headless host, over the
// generated data archives or a test's own, and PNG files of what it drew for a person to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "menus/menupc.h"
#include "tests/support/gfx_run.h"
#include "tests/support/support.h"

// A headless host in a 640 x 480 mode of the given kind (DDrawModeKind), the tick and poll
// running on the manual clock, the archives of `dataFolder` mounted (the build's generated data
// by default, with its texts loaded), and the menu work screen, icons,
// fonts, pacing and load bar started; all stopped again at the end. `with3D`: the first card's
// 3D device is selected and the graphics layer started with it.
class ScopedMenus {
public:
    // `adapter`: the one card the host offers instead of its own.
    explicit ScopedMenus(int32_t kind, const std::string& dataFolder = GeneratedDataFolder(),
                         bool with3D = false, const HostFakeAdapter* adapter = nullptr);
    ~ScopedMenus();
    ScopedMenus(const ScopedMenus&) = delete;
    ScopedMenus& operator=(const ScopedMenus&) = delete;

    static std::string GeneratedDataFolder();

private:
    ScopedGraphics m_graphics;
};

// A data folder whose "pakfiles\hdcommon" is an unpacked tree of the given files.
struct TestPakFile {
    std::string name;  // game name, backslashes
    std::vector<uint8_t> bytes;
};
void WriteTestPak(const std::string& folder, const std::vector<TestPakFile>& files);
// Starts the archives and mounts the generated ones; with files given, a hard-disk archive of
// those files, written in `dir`, is found before the generated data-disc one.
void MountGeneratedArchives(const TempDir& dir, const std::vector<TestPakFile>& override);

// The core, memory and the generated archives mounted; with files given, a hard-disk archive of
// those files is found before the generated data-disc one.
class ScopedArchives {
public:
    explicit ScopedArchives(const std::vector<TestPakFile>& override = {});
    ~ScopedArchives();
    ScopedArchives(const ScopedArchives&) = delete;
    ScopedArchives& operator=(const ScopedArchives&) = delete;

private:
    TempDir m_dir;
};

// The work screen's pixel in a 16-bit mode, or its byte in the 8-bit mode.
uint32_t WorkPixel(int32_t x, int32_t y);

// Expected values in the current screen format, whatever its fields: a grey of 8-bit level v,
// and the 0xRRGGBB a screen pixel shows as in a presented frame.
uint32_t ScreenGrey(int32_t v);
uint32_t FrameRgbOf(uint32_t pixel);

// The path of a file under build/test-output/, the folder made when missing.
std::string TestOutputPath(const std::string& name);
// Writes an 8-bit RGB image (width x height x 3) as a PNG under build/test-output/; returns the
// path written.
std::string WriteTestOutputPng(const std::string& name, int32_t width, int32_t height,
                               const std::vector<uint8_t>& rgb);
// The last presented frame, written the same way.
std::string WriteFrameToTestOutput(const std::string& name);

// Every text the drawing layer draws while the watcher stands, in order, with its rectangle in
// screen pixels and its font: for the tests that check where a text stands and what it meets.
struct DrawnText {
    std::string text;
    MenuRect rect;
    int32_t font;
};
class ScopedDrawnTexts {
public:
    ScopedDrawnTexts();
    ~ScopedDrawnTexts();
    ScopedDrawnTexts(const ScopedDrawnTexts&) = delete;
    ScopedDrawnTexts& operator=(const ScopedDrawnTexts&) = delete;

    const std::vector<DrawnText>& Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    static void Watch(const MenuDrawn& drawn);
    static ScopedDrawnTexts* s_current;
    std::vector<DrawnText> m_texts;
};
