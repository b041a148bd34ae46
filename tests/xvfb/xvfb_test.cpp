// tests/xvfb/xvfb_test.cpp: the SDL back end in a real X window, on a virtual X server, shows
// the same frame as a headless run and takes real X pointer motion and keys.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "generated/build_paths.h"
#include "tests/support/front_end_script.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

// A deadline, not a measure: a sanitizer build on a busy machine needs minutes to reach the title.
constexpr int TIMEOUT_SECONDS = 240 * PELLORAN_TEST_TIME_SCALE;
// Up to the title screen, a pause for the test to look, then quitting through the menu bar.
std::string Script(const std::string& whileShown)
{
    return ScriptToTitle() + "echo shown\n" + whileShown + "wait 500\n" + ScriptQuitFromBar();
}
// The GL driver that SDL loads for a window's renderer is unloaded again at exit with a few
// allocations of its own still held, which LeakSanitizer can then name no library for, so no
// suppression can cover them. Every other run of the program keeps the leak check.
constexpr const char* kNoLeakCheck = "ASAN_OPTIONS=detect_leaks=0";

bool OnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (size_t start = 0; start <= folders.size();) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// A child process whose output comes back through a pipe: its standard output and error, or
// only the descriptor `keepFd` (the others then go nowhere). Killed if still running at the end.
class Child {
public:
    Child(const std::vector<std::string>& args, const std::vector<std::string>& env, int keepFd)
    {
        int out[2];
        if (pipe(out) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            close(out[0]);
            if (keepFd >= 0) {
                const int quiet = open("/dev/null", O_WRONLY);
                dup2(quiet, 1);
                dup2(quiet, 2);
            } else {
                dup2(out[1], 2);
            }
            dup2(out[1], keepFd < 0 ? 1 : keepFd);
            for (const std::string& entry : env) {
                putenv(const_cast<char*>(entry.c_str()));
            }
            std::vector<char*> argv;
            for (const std::string& arg : args) {
                argv.push_back(const_cast<char*>(arg.c_str()));
            }
            argv.push_back(nullptr);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        m_fd = out[0];
    }
    ~Child()
    {
        if (m_fd >= 0) close(m_fd);
        if (m_pid > 0 && !m_reaped) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Reads output until `wanted` has appeared (or, with an empty text, until the end); false
    // when the time runs out first.
    bool ReadUntil(const std::string& wanted, std::chrono::steady_clock::time_point deadline)
    {
        while (wanted.empty() || m_output.find(wanted) == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return false;
            pollfd fd = {m_fd, POLLIN, 0};
            if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
            char buffer[4096];
            const ssize_t got = read(m_fd, buffer, sizeof buffer);
            if (got <= 0) return wanted.empty();
            m_output.append(buffer, static_cast<size_t>(got));
        }
        return true;
    }

    int Wait()
    {
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_reaped = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    void Stop()
    {
        kill(m_pid, SIGTERM);
        Wait();
    }

    // For a program that may turn a polite signal into a quit request it never gets round to.
    void Kill()
    {
        kill(m_pid, SIGKILL);
        Wait();
    }

    const std::string& Output() const { return m_output; }

private:
    pid_t m_pid = -1;
    int m_fd = -1;
    bool m_reaped = false;
    std::string m_output;
};

struct XwdImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB, rows top first
};

uint32_t BigEndian32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    }
    return value;
}

uint32_t Component(uint32_t pixel, uint32_t mask)
{
    return mask == 0 ? 0 : (pixel & mask) >> __builtin_ctz(mask);
}

// An XWD dump of a 24-bit true-colour window: a big-endian header, the window's name, the colour
// map, then 32-bit pixels in the byte order the header names.
bool ReadXwd(const std::string& bytes, XwdImage* image)
{
    if (bytes.size() < 100) return false;
    const uint32_t headerSize = BigEndian32(bytes, 0);
    const uint32_t byteOrder = BigEndian32(bytes, 7 * 4);  // 0: least significant byte first
    const uint32_t bitsPerPixel = BigEndian32(bytes, 11 * 4);
    const uint32_t bytesPerLine = BigEndian32(bytes, 12 * 4);
    const uint32_t masks[3] = {BigEndian32(bytes, 14 * 4), BigEndian32(bytes, 15 * 4),
                               BigEndian32(bytes, 16 * 4)};
    const uint32_t colours = BigEndian32(bytes, 19 * 4);
    image->width = static_cast<int32_t>(BigEndian32(bytes, 4 * 4));
    image->height = static_cast<int32_t>(BigEndian32(bytes, 5 * 4));
    const size_t pixels = headerSize + static_cast<size_t>(colours) * 12;
    if (bitsPerPixel != 32
        || bytes.size() < pixels + static_cast<size_t>(bytesPerLine) * image->height)
        return false;
    for (int32_t y = 0; y < image->height; ++y) {
        for (int32_t x = 0; x < image->width; ++x) {
            const size_t at = pixels + static_cast<size_t>(y) * bytesPerLine + x * 4;
            uint32_t v = 0;
            for (size_t i = 0; i < 4; ++i) {
                const uint32_t byte = static_cast<uint8_t>(bytes[at + i]);
                v |= byteOrder == 0 ? byte << (8 * i) : byte << (8 * (3 - i));
            }
            image->rgb.push_back(Component(v, masks[0]) << 16 | Component(v, masks[1]) << 8
                                 | Component(v, masks[2]));
        }
    }
    return true;
}

std::string WindowId(const std::string& output)
{
    const std::string marker = "HostWindowCreate(): X11 window ";
    const size_t at = output.find(marker);
    if (at == std::string::npos) return "";
    const size_t start = at + marker.size();
    return output.substr(start, output.find('\n', start) - start);
}

// Whether the menu bar's deep blue fills most of the top strip of a dump of the window.
bool MenuBarShown(const XwdImage& image)
{
    const int32_t scale = image.width / 640;
    if (scale < 1) return false;
    const int32_t row = 10 * scale + scale / 2;
    int32_t blue = 0;
    for (int32_t x = 0; x < 640; ++x) {
        const uint32_t c =
            image.rgb[static_cast<size_t>(row) * image.width + x * scale + scale / 2];
        blue += (c >> 16) < 20 && (c >> 8 & 0xFF) < 60 && (c & 0xFF) > 120 ? 1 : 0;
    }
    return blue > 320;
}

bool DumpWindow(const std::string& display, const std::string& window, const std::string& path,
                XwdImage* image)
{
    const std::string command =
        "DISPLAY=" + display + " xwd -id " + window + " -silent > '" + path + "'";
    *image = {};
    return std::system(command.c_str()) == 0 && ReadXwd(ReadTextFile(path), image);
}

int RunX(const std::string& display, const std::string& arguments)
{
    return std::system(("DISPLAY=" + display + " xdotool " + arguments).c_str());
}

}  // namespace

#define SKIP_WITHOUT(program, package)                                                             \
    if (!OnPath(program)) {                                                                        \
        const char* require = std::getenv("PELLORAN_REQUIRE_XVFB");                                \
        if (require && std::string(require) == "1") FAIL() << program << " is missing";            \
        GTEST_SKIP() << program << " is missing: install the " package " package";                 \
    }

TEST(Xvfb, RealWindowShowsTheSameFrameAsTheHeadlessRun)
{
    SKIP_WITHOUT("Xvfb", "xvfb");
    SKIP_WITHOUT("xwd", "x11-apps");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);

    // The display number comes back on descriptor 3 once the server is ready.
    Child server({"Xvfb", "-displayfd", "3", "-screen", "0", "1920x1200x24", "-nolisten", "tcp"},
                 {}, 3);
    ASSERT_TRUE(server.ReadUntil("\n", deadline)) << "Xvfb did not start";
    const std::string display = ":" + server.Output().substr(0, server.Output().find('\n'));

    TempHome home;
    TempDir work;
    ASSERT_TRUE(WriteTextFile(work.Path("script.txt"), Script("")));
    Child game({"sh", "-c",
                std::string("cd '") + work.Path() + "' && exec '" + PELLORAN_EXE
                    + "' -debug win=10,directdraw=10 -script script.txt"},
               {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", kNoLeakCheck}, -1);
    ASSERT_TRUE(game.ReadUntil("script: shown\n", deadline)) << game.Output();
    const std::string window = WindowId(game.Output());
    ASSERT_FALSE(window.empty()) << game.Output();
    // The one display of this server is the one card listed, under a French name the player reads
    // on the video options screen rather than the server's own ("screen").
    const std::string found = "DDrawEnumCallbackEx(): found ";
    const size_t card = game.Output().find(found);
    ASSERT_NE(card, std::string::npos) << game.Output();
    EXPECT_EQ(game.Output().find(found, card + 1), std::string::npos) << game.Output();
    EXPECT_EQ(game.Output().substr(card, game.Output().find('\n', card) - card),
              found + "Ecran 1 (host)");

    const std::string dump = work.Path("window.xwd");
    const std::string xwd =
        "DISPLAY=" + display + " xwd -id " + window + " -silent > '" + dump + "'";
    ASSERT_EQ(std::system(xwd.c_str()), 0);
    XwdImage shown;
    ASSERT_TRUE(ReadXwd(ReadTextFile(dump), &shown));
    // Quitting cleanly is the headless runs' business: on a real server a late pointer event can
    // move the game's pointer between the script's steps, so the run is ended here.
    game.Kill();
    server.Stop();

    const ScriptRun headless = RunScript(Script("grab frame.png\n"));
    ASSERT_EQ(headless.frames.count("frame.png"), 1u) << headless.err;
    const PngImage& frame = headless.frames.at("frame.png");
    ASSERT_EQ(shown.width % frame.width, 0) << shown.width;
    const int32_t scale = shown.width / frame.width;
    ASSERT_EQ(shown.height, frame.height * scale);

    // A grid over the title screen, away from the pointer.
    std::vector<std::pair<int32_t, int32_t>> points;
    for (int32_t y = 8; y < 480; y += 24) {
        for (int32_t x = 8; x < 640; x += 24) {
            if (x < 300 || x > 350 || y < 220 || y > 280) points.push_back({x, y});
        }
    }
    for (const auto& [x, y] : points) {
        const size_t at = static_cast<size_t>(y * scale + scale / 2) * shown.width
                          + static_cast<size_t>(x * scale + scale / 2);
        EXPECT_EQ(shown.rgb[at], frame.Pixel(x, y)) << "at (" << x << "," << y << ")";
    }
}

TEST(Xvfb, RealSoundDeviceOpensAndTheMusicChannelMoves)
{
    if (!OnPath("Xvfb")) {
        const char* require = std::getenv("PELLORAN_REQUIRE_XVFB");
        if (require && std::string(require) == "1") FAIL() << "Xvfb is missing";
        GTEST_SKIP() << "Xvfb is missing: install the xvfb package";
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);
    Child server({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {},
                 3);
    ASSERT_TRUE(server.ReadUntil("\n", deadline)) << "Xvfb did not start";
    const std::string display = ":" + server.Output().substr(0, server.Output().find('\n'));

    TempHome home;
    TempDir work;
    // Long enough for the music to play into its second block; the script ends the run after.
    ASSERT_TRUE(WriteTextFile(work.Path("script.txt"), Script("")));
    Child game({"sh", "-c",
                std::string("cd '") + work.Path() + "' && exec '" + PELLORAN_EXE
                    + "' -debug sound=120 -script script.txt"},
               {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", kNoLeakCheck}, -1);
    ASSERT_TRUE(game.ReadUntil("HostAudioOpen(): SDL audio 'dummy'", deadline)) << game.Output();
    // A refill happens only once the play cursor has left the first block of the ring.
    EXPECT_TRUE(game.ReadUntil("SndUpdateChanels(): upadted 1 channels\n", deadline))
        << game.Output();
    // Quitting cleanly is the headless runs' business: on a real server a late pointer event can
    // move the game's pointer between the script's steps, so the run is ended here.
    game.Kill();
    server.Stop();
}

// Forced onto the ALSA driver, a machine without a sound card gives one line of the game's own
// and none of the library's; with -nosound, not even that.
TEST(Xvfb, WithoutASoundCardTheGameSaysSoOnceAndTheLibraryStaysQuiet)
{
    SKIP_WITHOUT("Xvfb", "xvfb");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);
    Child server({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {},
                 3);
    ASSERT_TRUE(server.ReadUntil("\n", deadline)) << "Xvfb did not start";
    const std::string display = ":" + server.Output().substr(0, server.Output().find('\n'));
    const std::string own = "the game plays without sound\n";
    for (const std::string switches : {"", " -nosound"}) {
        SCOPED_TRACE(switches);
        TempHome home;
        TempDir work;
        ASSERT_TRUE(WriteTextFile(work.Path("script.txt"), Script("")));
        Child game({"sh", "-c",
                    std::string("cd '") + work.Path() + "' && exec '" + PELLORAN_EXE + "'"
                        + switches + " -script script.txt"},
                   {"DISPLAY=" + display, "SDL_AUDIODRIVER=alsa", kNoLeakCheck}, -1);
        ASSERT_TRUE(game.ReadUntil("script: shown\n", deadline)) << game.Output();
        game.Kill();
        const std::string output = game.Output();
        if (switches.empty() && output.find(own) == std::string::npos)
            GTEST_SKIP() << "this machine has a sound card";
        EXPECT_EQ(output.find("ALSA"), std::string::npos) << output;
        const size_t first = output.find(own);
        EXPECT_EQ(first == std::string::npos, !switches.empty()) << output;
        if (first != std::string::npos) {
            EXPECT_EQ(output.find(own, first + 1), std::string::npos) << output;
        }
    }
    server.Stop();
}

TEST(Xvfb, RealPointerOpensTheMenuBar)
{
    SKIP_WITHOUT("Xvfb", "xvfb");
    SKIP_WITHOUT("xwd", "x11-apps");
    SKIP_WITHOUT("xdotool", "xdotool");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);
    Child server({"Xvfb", "-displayfd", "3", "-screen", "0", "1920x1200x24", "-nolisten", "tcp"},
                 {}, 3);
    ASSERT_TRUE(server.ReadUntil("\n", deadline)) << "Xvfb did not start";
    const std::string display = ":" + server.Output().substr(0, server.Output().find('\n'));

    TempHome home;
    TempDir work;
    // The script says when the title screen is up and quits later; the pointer comes from X.
    ASSERT_TRUE(WriteTextFile(work.Path("script.txt"), Script("wait 1000\n")));
    Child game({"sh", "-c",
                std::string("cd '") + work.Path() + "' && exec '" + PELLORAN_EXE
                    + "' -debug win=10 -script script.txt"},
               {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", kNoLeakCheck}, -1);
    ASSERT_TRUE(game.ReadUntil("script: shown\n", deadline)) << game.Output();
    const std::string window = WindowId(game.Output());
    ASSERT_FALSE(window.empty()) << game.Output();

    XwdImage shown;
    ASSERT_TRUE(DumpWindow(display, window, work.Path("before.xwd"), &shown));
    EXPECT_FALSE(MenuBarShown(shown));
    ASSERT_EQ(RunX(display, "mousemove --window " + window + " 200 200"), 0);
    ASSERT_EQ(RunX(display, "mousemove_relative -- 0 -2000"), 0);
    bool opened = false;
    while (!opened && std::chrono::steady_clock::now() < deadline) {
        ASSERT_TRUE(DumpWindow(display, window, work.Path("after.xwd"), &shown));
        opened = MenuBarShown(shown);
    }
    EXPECT_TRUE(opened);

    // Quitting cleanly is the headless runs' business: on a real server a late pointer event can
    // move the game's pointer between the script's steps, so the run is ended here.
    game.Kill();
    server.Stop();
}

// A name typed on a real X keyboard with a US layout reaches the career as typed: the game takes
// the characters the layout gives, not its own French reading of the keys.
TEST(Xvfb, RealKeyboardTypesTheNameItsLayoutGives)
{
    SKIP_WITHOUT("Xvfb", "xvfb");
    SKIP_WITHOUT("xdotool", "xdotool");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(TIMEOUT_SECONDS);
    Child server({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {},
                 3);
    ASSERT_TRUE(server.ReadUntil("\n", deadline)) << "Xvfb did not start";
    const std::string display = ":" + server.Output().substr(0, server.Output().find('\n'));
    if (OnPath("setxkbmap")) {
        ASSERT_EQ(std::system(("DISPLAY=" + display + " setxkbmap us").c_str()), 0);
    }

    // The script erases the default name, says so, and gives the test time to type and confirm.
    const std::string career = SharedScript("new_career.txt");
    const size_t typeAt = career.find("type Dupont\n");
    const size_t enterAt = career.find("key Enter\n", typeAt);
    ASSERT_NE(enterAt, std::string::npos);
    const std::string script = ScriptToTitle() + career.substr(0, typeAt)
                               + "echo typing\nwait 1000\n"
                               + career.substr(enterAt + std::string("key Enter\n").size())
                               + SharedScript("save_slot1.txt") + ScriptQuitFromBar();
    TempHome home;
    TempDir work;
    ASSERT_TRUE(WriteTextFile(work.Path("script.txt"), script));
    Child game({"sh", "-c",
                std::string("cd '") + work.Path() + "' && exec '" + PELLORAN_EXE
                    + "' -debug win=10 -script script.txt"},
               {"DISPLAY=" + display, "SDL_AUDIODRIVER=dummy", kNoLeakCheck}, -1);
    ASSERT_TRUE(game.ReadUntil("script: typing\n", deadline)) << game.Output();
    const std::string window = WindowId(game.Output());
    ASSERT_FALSE(window.empty()) << game.Output();
    ASSERT_EQ(RunX(display, "windowfocus --sync " + window), 0);
    ASSERT_EQ(RunX(display, "type --delay 30 'Marquez Awq'"), 0);
    ASSERT_EQ(RunX(display, "key --delay 30 Return"), 0);
    ASSERT_TRUE(game.ReadUntil("", deadline)) << game.Output();
    EXPECT_EQ(game.Wait(), 0) << game.Output();
    server.Stop();

    const std::string index = ReadTextFile(home.Path("SaveData/index.dat"));
    ASSERT_EQ(index.size(), 1702u);
    const std::string description = index.substr(154 + 54, 100);
    EXPECT_NE(description.find(" : Marquez Awq Club : "), std::string::npos) << description;
}
