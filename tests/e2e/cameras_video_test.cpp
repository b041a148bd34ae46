// tests/e2e/cameras_video_test.cpp: the match cameras and the view keys in whole runs: the human's
// match in the software 3D view filmed from each camera, the view keys' flags, and a second run
// that reads the chosen view type and flags back from the options file.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/support.h"

namespace {

using PixelTest = std::function<bool(uint32_t r, uint32_t g, uint32_t b)>;

int32_t CountPixels(const PngImage& frame, int32_t x, int32_t y, int32_t w, int32_t h,
                    const PixelTest& test)
{
    int32_t count = 0;
    for (int32_t row = y; row < y + h; ++row) {
        for (int32_t col = x; col < x + w; ++col) {
            const uint32_t rgb = frame.Pixel(col, row);
            if (test(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF)) ++count;
        }
    }
    return count;
}

bool Grass(uint32_t r, uint32_t g, uint32_t b) { return g > 60 && g > r + 20 && g > b + 20; }
// The pale pitch markings (and the names' white): grass keeps its red and blue low.
bool Line(uint32_t r, uint32_t g, uint32_t b) { return r > 100 && g > 140 && b > 90; }
// Skin, shorts and the warm shirts: what the grass never shows.
bool Person(uint32_t r, uint32_t g, uint32_t) { return r > g + 40; }

// The touchline cameras stand level with the halfway line, the goal cameras behind opposite
// goal lines (y 122 and 2042).
struct CameraShot {
    const char* frame;
    bool alongThePitch;  // behind a goal: the halfway line runs across the frame
    int32_t eyeYLowest, eyeYHighest;
};

}  // namespace

// The digit keys give view types 0, 1, 3 and 2 in turn a little after the kick-off, the ball on
// the centre spot and the view aimed at it; F7, F6 and F8 follow, and the match ends in the text
// view. The options file then holds view type 2 and the flags, and a second run reads them back on
// the title screen.
TEST(CamerasVideo, EachCameraFilmsThePlayAndTheChoicesOutlastTheRun)
{
    TempHome home;
    TempDir first;
    const ProgramResult run =
        RunScriptIn(first,
                    ScriptToTitle() + IncludeScript("new_career.txt")
                        + ScriptToMatchDayWatchingFrom(511) + IncludeScript("match_cameras.txt")
                        + IncludeScript("match_to_office.txt") + ScriptQuitFromBar(),
                    300, {"-no3d"});
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;

    const CameraShot shots[] = {{"camera0.png", false, 1082, 1082},
                                {"camera1.png", true, -1000, 121},
                                {"camera3.png", false, 1082, 1082},
                                {"camera2.png", true, 2043, 4000}};
    const std::vector<int32_t> eyeY = ScriptPrintedValues(run.out, "cameray");
    ASSERT_EQ(eyeY.size(), 4u) << run.out;
    for (size_t n = 0; n < 4; ++n) {
        const CameraShot& shot = shots[n];
        SCOPED_TRACE(shot.frame);
        const PngImage frame = GrabbedFrame(first, shot.frame);
        ASSERT_EQ(frame.width, 640);
        EXPECT_GT(CountPixels(frame, 0, 40, 640, 440, Grass), 640 * 440 / 2);
        EXPECT_GT(CountPixels(frame, 0, 40, 640, 440, Person), 100);
        // The halfway line through the centre spot: down the frame from the touchlines, across it
        // from behind a goal, where the far goal stands at the top of the frame.
        const int32_t down = CountPixels(frame, 314, 300, 12, 170, Line);
        const int32_t across = CountPixels(frame, 0, 234, 130, 14, Line);
        EXPECT_GT(shot.alongThePitch ? across : down, 100);
        if (shot.alongThePitch) {
            EXPECT_GT(CountPixels(frame, 280, 18, 80, 36, Line), 300);  // posts and net
        } else {
            EXPECT_EQ(across, 0);
        }
        EXPECT_GE(eyeY[n], shot.eyeYLowest);
        EXPECT_LE(eyeY[n], shot.eyeYHighest);
    }

    // F7 shows the overview over the corner of the view; F6 takes the names away; F8 steps the
    // detail from high to low.
    const PngImage before = GrabbedFrame(first, "camera2.png");
    const PngImage panoramic = GrabbedFrame(first, "panoramic.png");
    const PngImage noNames = GrabbedFrame(first, "nonames.png");
    EXPECT_GT(ChangedPixels(before, panoramic, 8, 48, 150, 90), 150 * 90 / 2);
    EXPECT_LT(CountPixels(noNames, 0, 150, 640, 330, Line) + 200,
              CountPixels(panoramic, 0, 150, 640, 330, Line));
    EXPECT_EQ(ScriptPrintedValues(run.out, "detail"), (std::vector<int32_t>{2, 0}));

    OptionsBlock options{};
    ASSERT_TRUE(ReadOptionsRecord(ReadTextFile(home.Path("OPTIONS.DAT")), &options));
    EXPECT_EQ(int32_t{options.cameraViewType}, 2);
    EXPECT_EQ(int32_t{options.panoramic}, 1);
    EXPECT_EQ(int32_t{options.showNames}, 0);
    EXPECT_EQ(int32_t{options.modelDetail}, 0);

    TempDir second;
    const ProgramResult again = RunScriptIn(
        second, ScriptToTitle() + "print cameratype\nprint detail\n" + ScriptQuitFromBar(), 120);
    ASSERT_EQ(again.exitCode, 0) << again.out << again.err;
    EXPECT_EQ(ScriptFirstPrintedValue(again.out, "cameratype"), 2) << again.out;
    EXPECT_EQ(ScriptFirstPrintedValue(again.out, "detail"), 0) << again.out;
}
