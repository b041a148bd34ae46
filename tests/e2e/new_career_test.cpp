// tests/e2e/new_career_test.cpp: a new career from the title screen to the office, saved into a
// named slot, and loaded back into the same office by a second run of the program.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

bool SamePixels(const PngImage& a, const PngImage& b)
{
    return a.width == b.width && a.height == b.height && a.rgb == b.rgb;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

// Typed as UTF-8, the way the window system hands over text; kept as Windows-1252.
constexpr const char* kTypedName = "\xC3\x89lo\xC3\xAF"
                                   "se \xC3\x87\xC3\xA0-Dupr\xC3\xA9";
constexpr const char* kKeptName = "\xC9lo\xEFse \xC7\xE0-Dupr\xE9";

}  // namespace

TEST(NewCareer, StartsSavesIntoANamedSlotAndLoadsBackIntoTheSameOffice)
{
    TempHome home;
    TempDir first;
    const std::string typed = "type \"" + std::string(kTypedName) + "\"";
    const ProgramResult run1 = RunScriptIn(
        first,
        ScriptToTitle() + Replaced(SharedScript("new_career.txt"), "type Dupont", typed)
            + Replaced(SharedScript("save_slot1.txt"), "type Essai", typed) + ScriptQuitFromBar(),
        120);
    ASSERT_EQ(run1.exitCode, 0) << run1.out << run1.err;

    const PngImage title = GrabbedFrame(first, "title.png");
    EXPECT_TRUE(FrameShowsBackground(title, 7));
    for (const int32_t band : {136, 209, 287, 362}) {
        EXPECT_GT(TextPixels(title, 0, band, 640, 49), 20) << "band at " << band;
    }
    const PngImage carousel = GrabbedFrame(first, "carousel.png");
    EXPECT_TRUE(FrameShowsBackground(carousel, 4));
    EXPECT_GT(TextPixels(carousel, 0, 310, 640, 17), 20);
    EXPECT_NE(FrameColourAt(carousel, 320, 200),
              FrameColourAt(GrabbedFrame(first, "teams.png"), 320, 200));
    EXPECT_GT(TextPixels(GrabbedFrame(first, "creating.png"), 80, 380, 480, 40), 50);
    const PngImage teams = GrabbedFrame(first, "teams.png");
    EXPECT_TRUE(FrameShowsBackground(teams, 2));
    EXPECT_TRUE(FrameShowsBackground(GrabbedFrame(first, "offer.png"), 37));
    const PngImage name = GrabbedFrame(first, "name.png");
    EXPECT_TRUE(FrameShowsBackground(name, 21));
    EXPECT_GT(TextPixels(name, 220, 240, 200, 24), 20);
    const PngImage save = GrabbedFrame(first, "save.png");
    EXPECT_TRUE(FrameShowsBackground(save, 0));
    EXPECT_EQ(TextPixels(save, 32, 440, 266, 30), 0);  // no automatic-save button

    const std::string index = ReadTextFile(home.Path("SaveData/index.dat"));
    ASSERT_EQ(index.size(), 1702u);
    const std::string slot1 = index.substr(154, 154);
    // Both names as typed, accents and all, whatever the keyboard's layout.
    EXPECT_EQ(slot1.substr(0, 49), std::string(kKeptName) + std::string(33, ' ') + '\0');
    EXPECT_EQ(slot1[50], 1);
    EXPECT_EQ(slot1.substr(54, 26), "Saison : 1999/2000 Date : ");
    // The name typed after the default was erased.
    EXPECT_NE(slot1.find(" : " + std::string(kKeptName) + " Club : "), std::string::npos)
        << slot1.substr(54);

    TempDir second;
    const ProgramResult run2 = RunScriptIn(
        second, ScriptToTitle() + SharedScript("load_slot1.txt") + ScriptQuitFromBar(), 120);
    ASSERT_EQ(run2.exitCode, 0) << run2.out << run2.err;
    const PngImage load = GrabbedFrame(second, "load.png");
    EXPECT_GT(TextPixels(load, 64, 114, 300, 16), 20);
    EXPECT_EQ(TextPixels(load, 32, 440, 266, 30), 0);
    EXPECT_TRUE(
        SamePixels(GrabbedFrame(first, "office1.png"), GrabbedFrame(second, "office2.png")));
}

TEST(NewCareer, TitleRefusesToLoadOrReplayWithAnEmptyHome)
{
    const ScriptRun run =
        RunScript(ScriptToTitle() + "grab before.png\nclick 320 233\nwait 60\n"
                  + "grab load.png\nexpect option == 24\nclick 320 240\nwait 60\n"
                  + "click 320 386\nwait 60\ngrab replay.png\n"
                  + "expect option == 24\nclick 320 240\nwait 60\n" + ScriptQuitFromBar());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    const PngImage& before = run.frames.at("before.png");
    for (const char* grabbed : {"load.png", "replay.png"}) {
        const PngImage& box = run.frames.at(grabbed);
        int32_t changed = 0;
        for (int32_t y = 150; y < 330; ++y) {
            for (int32_t x = 120; x < 520; ++x) {
                changed += box.Pixel(x, y) != before.Pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_GT(changed, 10000) << grabbed;
    }
}
