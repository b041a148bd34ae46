// The video player: a generated film played to its end on the manual clock, and every way a play
// can fail without showing a frame or leaving the film open.
#include "engine/mcivideo.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "engine/host/clock.h"
#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "generated/build_paths.h"
#include "menus/animplay.h"
#include "tests/support/host_run.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kFilmFrames = 30;
constexpr uint64_t kLastFrameHash = 0xA07A3B97992EE344ull;

Bytes GeneratedFilm(const char* name)
{
    DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    const int32_t handle = PakOpenFile(name);
    Bytes bytes(static_cast<size_t>(PakFileLength(handle)));
    PakReadFile(bytes.data(), 0, static_cast<int32_t>(bytes.size()), handle);
    PakCloseFile(handle);
    PakFileUninit();
    PakFileInit();
    return bytes;
}

uint32_t Le32(const Bytes& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16
           | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// The film with its last frame's kind set to 9: every frame before it still decodes.
Bytes LastKindNine(Bytes film)
{
    size_t at = FILM_HEADER_BYTES, last = at;
    for (; at < film.size(); at += 16 + Le32(film, at))
        last = at;
    film[last + 4] = 9;
    return film;
}

// A version-1 film of one frame without a palette: greys 0x40, 0x48, ... row by row.
Bytes GreyFilm(uint8_t width, uint8_t height)
{
    Bytes film = {'F', 'I', 'L', 'M', 0, 0, 1, 0, width, 0, height, 0};
    film.resize(FILM_HEADER_BYTES);
    const uint8_t pixels = static_cast<uint8_t>(width * height);
    const Bytes frameHeader = {pixels, 0, 0, 0, FILM_FULL, 0, 0, 0};
    film.insert(film.end(), frameHeader.begin(), frameHeader.end());
    for (uint8_t i = 0; i < pixels; ++i)
        film.push_back(static_cast<uint8_t>(0x40 + 8 * i));
    return film;
}

// What the player showed, looked at from inside its waits.
struct Watch {
    std::vector<uint32_t> framePeriods;  // when each film frame was first seen
    uint64_t lastFilmFrame;
    std::vector<uint8_t> firstFilmFrame;  // RGB, as presented
    uint32_t resizeAtFrame;               // 0: never
};
Watch s_watch;

void LookAtTheWindow()
{
    if (!HostInjectMediaOpen()) return;
    if (s_watch.framePeriods.size() == 1 && s_watch.firstFilmFrame.empty()) {
        const HostFrame frame = HostLastFrame();
        s_watch.firstFilmFrame.assign(frame.rgb, frame.rgb + 3 * frame.width * frame.height);
    }
    // The film's last frame was presented at the pump that showed it, before this one.
    if (s_watch.framePeriods.size() == kFilmFrames && s_watch.lastFilmFrame == 0) {
        s_watch.lastFilmFrame = HostFrameHash();
        const std::string path = PELLORAN_BUILD_DIR "/video_last_frame.png";
        if (s_watch.lastFilmFrame != kLastFrameHash || std::getenv("PELLORAN_WRITE_FRAMES"))
            HostWriteFramePng(path.c_str());
    }
    if (HostInjectMediaFrames() > s_watch.framePeriods.size())
        s_watch.framePeriods.push_back(ClockPeriods());
    if (s_watch.framePeriods.size() == s_watch.resizeAtFrame) HostWindowSetClientSize(800, 600);
}
bool NothingToPost() { return false; }
void Stalled() { std::_Exit(3); }
constexpr HostDriver kWatcher = {LookAtTheWindow, NothingToPost, Stalled};

// A headless window on the manual clock with the films' reader as the media decoder, over an
// archive of the generated film and two damaged copies.
class Video : public testing::Test {
protected:
    void SetUp() override
    {
        PakFileInit();
        const Bytes film = GeneratedFilm("films\\demo3.flm");
        const Bytes cut(film.begin(), film.end() - 100);
        WriteTestPak(m_dir.Path("data"), {{"films\\demo3.flm", film},
                                          {"films\\cut.flm", cut},
                                          {"films\\kind9.flm", LastKindNine(film)},
                                          {"films\\square.flm", GreyFilm(4, 4)},
                                          {"films\\wide.flm", GreyFilm(4, 2)}});
        DataFolderInit(m_dir.Path("data").c_str());
        PakMount("pakfiles\\hdcommon");
        Film_Init();
        HostPump();
        s_watch = {};
        HostSetDriver(&kWatcher);
    }
    void TearDown() override
    {
        Film_Uninit();
        PakFileUninit();
    }

private:
    ScopedHeadlessWindow m_window;
    TempDir m_dir;
};

// Plays and answers what it printed.
std::string Play(const char* name, int32_t mode, bool* played)
{
    testing::internal::CaptureStdout();
    *played = MciVideo_Play(name, mode);
    return testing::internal::GetCapturedStdout();
}

TEST_F(Video, FilmPlaysToItsEndAFrameEveryTenPeriodsAndGivesTheWindowBack)
{
    const uint64_t before = HostFrameHash();
    const uint32_t start = ClockPeriods();
    bool played = false;
    EXPECT_EQ(Play("films\\demo3.flm", MCIVIDEO_BEST_FIT, &played), "");
    EXPECT_TRUE(played);
    ASSERT_EQ(s_watch.framePeriods.size(), kFilmFrames);
    for (uint32_t i = 1; i < kFilmFrames; ++i)
        EXPECT_EQ(s_watch.framePeriods[i] - s_watch.framePeriods[0], 10 * i) << i;
    // The play ends when the frame after the last would be due, and not before.
    const uint32_t periods = ClockPeriods() - start;
    EXPECT_GE(periods, 10 * kFilmFrames);
    EXPECT_LE(periods, 10 * kFilmFrames + 2);
    EXPECT_EQ(s_watch.lastFilmFrame, kLastFrameHash)
        << std::hex << s_watch.lastFilmFrame << ", written to video_last_frame.png";
    EXPECT_FALSE(HostInjectMediaOpen());
    HostPump();
    EXPECT_EQ(HostFrameHash(), before);
}

// In the 640 x 480 window the square film shows 480 x 480 from x 80, the wide one 640 x 320
// from y 80, black around them, each film pixel a block of 120 x 120 or 160 x 160 in the grey of
// its index.
TEST_F(Video, BestFitCentresTheFilmAndShowsItInGreysBeforeAnyPalette)
{
    struct Point {
        int32_t x, y;
        uint8_t grey;
    };
    const struct {
        const char* film;
        std::vector<Point> points;
    } films[] = {
        {"films\\square.flm",
         {{79, 240, 0},
          {80, 0, 0x40},
          {199, 119, 0x40},
          {200, 120, 0x68},
          {559, 479, 0xB8},
          {560, 479, 0},
          {639, 0, 0},
          {80, 479, 0xA0}}},
        {"films\\wide.flm",
         {{320, 79, 0},
          {0, 80, 0x40},
          {159, 239, 0x40},
          {160, 240, 0x68},
          {639, 399, 0x78},
          {639, 400, 0},
          {0, 479, 0},
          {639, 80, 0x58}}},
    };
    for (const auto& f : films) {
        SCOPED_TRACE(f.film);
        s_watch = {};
        bool played = false;
        EXPECT_EQ(Play(f.film, MCIVIDEO_BEST_FIT, &played), "");
        EXPECT_TRUE(played);
        ASSERT_EQ(s_watch.firstFilmFrame.size(), 640u * 480 * 3);
        for (const Point& p : f.points) {
            const size_t at = 3 * (static_cast<size_t>(p.y) * 640 + p.x);
            EXPECT_EQ(s_watch.firstFilmFrame[at], p.grey) << p.x << ", " << p.y;
            EXPECT_EQ(s_watch.firstFilmFrame[at + 2], p.grey) << p.x << ", " << p.y;
        }
    }
}

TEST_F(Video, FailuresShowNoFrameAndLeaveNothingOpen)
{
    struct Case {
        const char* film;
        int32_t mode;
        HostCall failing;  // HOST_CALL_COUNT: none injected
        const char* printed;
    };
    // clang-format off
    const Case cases[] = {
        {"films\\missing.flm", MCIVIDEO_BEST_FIT,    HOST_CALL_COUNT,             "Error: mci open failed\n"},
        {"films\\cut.flm",     MCIVIDEO_BEST_FIT,    HOST_CALL_COUNT,             "Error: mci open failed\n"},
        {"films\\kind9.flm",   MCIVIDEO_BEST_FIT,    HOST_CALL_COUNT,             "Error: mci open failed\n"},
        {"films\\demo3.flm",   MCIVIDEO_ACTUAL_SIZE, HOST_CALL_COUNT,             "Error: currently non-USEBESTMODE not supported\n"},
        {"films\\demo3.flm",   MCIVIDEO_BEST_FIT,    HOST_CALL_MEDIA_OPEN,        "Error: mci open failed\n"},
        {"films\\demo3.flm",   MCIVIDEO_BEST_FIT,    HOST_CALL_MEDIA_WINDOW,      "Error: mci window hwnd\n"},
        {"films\\demo3.flm",   MCIVIDEO_BEST_FIT,    HOST_CALL_MEDIA_SOURCE_RECT, "Error: mci rect\n"},
        {"films\\demo3.flm",   MCIVIDEO_BEST_FIT,    HOST_CALL_MEDIA_PUT,         "Error: mci put\n"},
        {"films\\demo3.flm",   MCIVIDEO_BEST_FIT,    HOST_CALL_MEDIA_PLAY,        "Error: mci play\n"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printed);
        const uint32_t frames = HostLastFrame().number;
        if (c.failing != HOST_CALL_COUNT) HostInjectFailNext(c.failing, HOST_E_GENERIC);
        bool played = true;
        EXPECT_EQ(Play(c.film, c.mode, &played), c.printed);
        EXPECT_FALSE(played);
        EXPECT_FALSE(HostInjectMediaOpen());
        HostPump();
        EXPECT_EQ(HostLastFrame().number, frames);
    }
}

// A decoder that claims any film and gives it the sides asked for.
int32_t s_claimedSides[2];
int32_t s_decoderCloses;
bool ClaimAnything(const char*, int32_t* width, int32_t* height)
{
    *width = s_claimedSides[0];
    *height = s_claimedSides[1];
    return true;
}
bool NoFrame(uint8_t*, const uint8_t**) { return false; }
void CountClose() { ++s_decoderCloses; }
constexpr HostMediaDecoder kClaimer = {ClaimAnything, NoFrame, CountClose};

TEST_F(Video, OneFilmAtATimeAndNoneWithoutTheReader)
{
    ASSERT_EQ(HostMediaOpen("films\\square.flm"), HOST_OK);
    bool played = true;
    EXPECT_EQ(Play("films\\demo3.flm", MCIVIDEO_BEST_FIT, &played), "Error: mci open failed\n");
    EXPECT_FALSE(played);
    EXPECT_TRUE(HostInjectMediaOpen());  // the film open before is left alone
    EXPECT_EQ(HostMediaClose(), HOST_OK);
    EXPECT_EQ(HostMediaClose(), HOST_E_GENERIC);

    Film_Uninit();
    EXPECT_EQ(Play("films\\demo3.flm", MCIVIDEO_BEST_FIT, &played), "Error: mci open failed\n");
    EXPECT_FALSE(HostInjectMediaOpen());

    // Sides a decoder should never give: the film is closed again and refused.
    HostMediaSetDecoder(&kClaimer);
    s_decoderCloses = 0;
    for (const auto& [width, height] : {std::pair{0, 1}, {1, 0}, {1025, 1}, {1, 1025}}) {
        s_claimedSides[0] = width;
        s_claimedSides[1] = height;
        EXPECT_EQ(HostMediaOpen("any"), HOST_E_GENERIC) << width << " x " << height;
    }
    EXPECT_EQ(s_decoderCloses, 4);
    s_claimedSides[0] = s_claimedSides[1] = HOST_MEDIA_MAX_SIDE;
    EXPECT_EQ(HostMediaOpen("any"), HOST_OK);
    EXPECT_EQ(HostMediaPut({5, 5, 5, 6}), HOST_E_BAD_ARGUMENT);  // empty targets
    EXPECT_EQ(HostMediaPut({5, 5, 6, 5}), HOST_E_BAD_ARGUMENT);
    EXPECT_EQ(HostMediaPut({5, 5, 6, 6}), HOST_OK);
    EXPECT_EQ(HostMediaClose(), HOST_OK);
    HostMediaSetDecoder(nullptr);
}

// A new window image is the game's own: the film stops and draws nothing more into it.
TEST_F(Video, FilmEndsWhenTheWindowImageIsReplaced)
{
    s_watch.resizeAtFrame = 3;
    bool played = false;
    EXPECT_EQ(Play("films\\demo3.flm", MCIVIDEO_BEST_FIT, &played), "");
    EXPECT_TRUE(played);
    EXPECT_EQ(s_watch.framePeriods.size(), 3u);
    HostPump();
    const HostFrame frame = HostLastFrame();
    ASSERT_EQ(frame.width, 800);
    const std::vector<uint8_t> black(3 * 800 * 600, 0);
    EXPECT_TRUE(std::equal(black.begin(), black.end(), frame.rgb));
}

// Failing once the film shows: the window still gets its own image back.
TEST_F(Video, StatusAndCloseFailuresCloseTheFilmAndGiveTheWindowBack)
{
    const uint64_t before = HostFrameHash();
    for (const auto& [call, printed] : {std::pair{HOST_CALL_MEDIA_STATUS, "Error: mci status\n"},
                                        std::pair{HOST_CALL_MEDIA_CLOSE, "Error: mci close\n"}}) {
        SCOPED_TRACE(printed);
        // The 31st look at the status fails, three frames into the film.
        HostInjectFailNext(call, HOST_E_GENERIC, call == HOST_CALL_MEDIA_STATUS ? 30 : 0);
        bool played = true;
        EXPECT_EQ(Play("films\\demo3.flm", MCIVIDEO_BEST_FIT, &played), printed);
        EXPECT_FALSE(played);
        EXPECT_FALSE(HostInjectMediaOpen());
        EXPECT_GE(s_watch.framePeriods.size(), 3u);
        HostPump();
        EXPECT_EQ(HostFrameHash(), before);
        s_watch = {};
    }
}

}  // namespace
