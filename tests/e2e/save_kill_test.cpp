// tests/e2e/save_kill_test.cpp: the real program killed at random moments while it saves over a
// slot, each time followed by a second run that must load the slot (the old game or the new one,
// never neither); a second game on the same folder refused while the first saves; and the box
// shown when the save index can be neither read nor written.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "game/savegame.h"
#include "generated/build_paths.h"
#include "tests/support/frame_probe.h"
#include "tests/support/front_end_script.h"
#include "tests/support/png.h"
#include "tests/support/support.h"

namespace {

// Fewer runs under the sanitizers, whose program takes three times as long to start.
#ifdef PELLORAN_SANITIZED
constexpr int kKillRuns = 12;
#else
constexpr int kKillRuns = 50;
#endif

// Overwrites slot 1 from the office, named "Nouveau", and comes back to the office.
std::string ScriptSaveOverSlot1()
{
    return "move 320 2\nwait 20\nmove 30 10\nwait 20\nclick 60 32\nuntil option == 50 max 3000\n"
           "wait 30\nclick 320 130\nwait 20\nclick 270 280\nwait 20\nkey Backspace 49\n"
           "type Nouveau\nwait 20\nkey Enter\nuntil option == 3 max 3000\nwait 30\n";
}

// From the title, slot 1 loaded and saved over eight times.
std::string ScriptSavingOverSlot1EightTimes()
{
    std::string saving = ScriptToTitle() + SharedScript("load_slot1.txt");
    for (int i = 0; i < 8; ++i)
        saving += ScriptSaveOverSlot1();
    return saving;
}

// A new career saved in slot 1 of the home, by a run of its own.
void SaveANewCareerInSlot1()
{
    TempDir setup;
    const ProgramResult made =
        RunScriptIn(setup,
                    ScriptToTitle() + SharedScript("new_career.txt")
                        + SharedScript("save_slot1.txt") + ScriptQuitFromBar(),
                    120);
    ASSERT_EQ(made.exitCode, 0) << made.out << made.err;
}

bool AnySaveUnderWay(const std::string& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename();
        if (name.ends_with(".tmp") || name.ends_with(".new")) return true;
    }
    return false;
}

pid_t StartQuietly(const TempDir& work, const std::string& script)
{
    EXPECT_TRUE(WriteTextFile(work.Path("script.txt"), script));
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        if (chdir(work.Path().c_str()) != 0) _exit(127);
        execl(PELLORAN_EXE, PELLORAN_EXE, "-headless", "-seed", "7", "-script", "script.txt",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Polls the save folder until a save is under way (or no longer is); false when the program
// ended or the time ran out first.
bool WaitForSaveUnderWay(pid_t pid, const std::string& folder, bool underWay)
{
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(30 * PELLORAN_TEST_TIME_SCALE);
    while (std::chrono::steady_clock::now() < deadline && waitpid(pid, nullptr, WNOHANG) == 0) {
        if (AnySaveUnderWay(folder) == underWay) return true;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return false;
}

void Kill(pid_t pid)
{
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// Starts the program on `script` in `work` and kills it `delay` after its first save began; false
// when it ended or never began to save within the time limit.
bool KillDuringASave(const TempDir& work, const std::string& home, const std::string& script,
                     std::chrono::microseconds delay)
{
    const pid_t pid = StartQuietly(work, script);
    const bool began = WaitForSaveUnderWay(pid, home + "/SaveData", true);
    if (began) std::this_thread::sleep_for(delay);
    Kill(pid);
    return began;
}

std::set<std::string> FilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename());
    }
    return names;
}

}  // namespace

// Each run loads the slot and saves over it again and again; a kill lands inside one of those saves
// (a save takes about 20 ms on a quiet machine, far longer on a loaded one). The next run's own
// recovery must leave the slot loadable, holding the game as it was or the new one whole, with no
// stray files.
TEST(SaveKill, KilledAtRandomMomentsOfASaveTheNextRunLoadsTheOldGameOrTheNewOne)
{
    TempHome home;
    ASSERT_NO_FATAL_FAILURE(SaveANewCareerInSlot1());
    const std::string folder = home.Path("SaveData");
    const std::filesystem::path kept = home.Path() + ".kept";
    std::filesystem::copy(folder, kept);

    const std::string saving = ScriptSavingOverSlot1EightTimes();
    const std::string loading = ScriptToTitle() + SharedScript("load_slot1.txt")
                                + "expect option == 3\n" + ScriptQuitFromBar();

    // A save takes as long as the machine's load lets it, so the kill window follows the
    // outcomes: a new game whole says the window reached past the commit and it narrows, an old
    // game says it fell short and it widens, whatever the load does meanwhile.
    const int runs = kKillRuns;
    int64_t window = 40000;
    std::mt19937 random(3434);
    int oldGames = 0, newGames = 0;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove_all(folder);
        std::filesystem::copy(kept, folder);
        const std::string context = "run " + std::to_string(run);
        TempDir work;
        ASSERT_TRUE(KillDuringASave(work, home.Path(), saving,
                                    std::chrono::microseconds(random() % window)))
            << context << ": the program never began to save";

        TempDir check;
        const ProgramResult loaded = RunScriptIn(check, loading, 60);
        ASSERT_EQ(loaded.exitCode, 0) << context << "\n" << loaded.out << loaded.err;
        EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"index.dat", "perm1", "save1"}))
            << context;
        // The slot's name tells the two apart: the game saved is the same day's.
        const bool newGame =
            ReadTextFile(folder + "/index.dat").find("Nouveau") != std::string::npos;
        (newGame ? newGames : oldGames) += 1;
        window = newGame ? std::max<int64_t>(2000, window * 3 / 4) : window * 3 / 2;
    }
    std::filesystem::remove_all(kept);
    std::printf("killed saves within a window ending at %lld us: %d runs, %d left the old game, "
                "%d the new one\n",
                static_cast<long long>(window), runs, oldGames, newGames);
    // The window covers the save's steps on both sides of its commit.
    EXPECT_GT(oldGames, 0);
    EXPECT_GT(newGames, 0);
}

// A second game started on the folder while the first saves is refused before it touches a file
// there: it says why and ends, and the first one's saves all reach the slot.
TEST(SaveKill, ASecondGameOnTheSameFolderIsRefusedAndTheFirstOnesSaveStaysWhole)
{
    TempHome home;
    ASSERT_NO_FATAL_FAILURE(SaveANewCareerInSlot1());
    const std::string folder = home.Path("SaveData");
    // The sizes the save's header states are the program's own files' sizes.
    EXPECT_EQ(std::filesystem::file_size(folder + "/save1"), SAVEGAME_SAVE_BYTES);
    EXPECT_EQ(std::filesystem::file_size(folder + "/perm1"), SAVEGAME_PERM_BYTES);
    const std::string saving = ScriptSavingOverSlot1EightTimes();
    TempDir firstWork;
    const pid_t first = StartQuietly(firstWork, saving + ScriptQuitFromBar());
    ASSERT_TRUE(WaitForSaveUnderWay(first, folder, true));

    TempDir secondWork;
    const ProgramResult second = RunScriptIn(
        secondWork, ScriptToTitle() + SharedScript("load_slot1.txt") + ScriptQuitFromBar(), 60);
    const bool firstStillRan = waitpid(first, nullptr, WNOHANG) == 0;
    int status = 0;
    ASSERT_EQ(waitpid(first, &status, 0), first);
    ASSERT_TRUE(firstStillRan) << "the first game ended before the second began";
    EXPECT_EQ(second.exitCode, 1) << second.out << second.err;
    EXPECT_NE(second.out.find("another game of Pelloran is using the folder '" + home.Path() + "'"),
              std::string::npos)
        << second.out;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_EQ(FilesIn(folder), (std::set<std::string>{"index.dat", "perm1", "save1"}));
    EXPECT_NE(ReadTextFile(folder + "/index.dat").find("Nouveau"), std::string::npos);
    TempDir check;
    const ProgramResult loaded = RunScriptIn(check,
                                             ScriptToTitle() + SharedScript("load_slot1.txt")
                                                 + "expect option == 3\n" + ScriptQuitFromBar(),
                                             60);
    EXPECT_EQ(loaded.exitCode, 0) << loaded.out << loaded.err;
}

// A save index that can be neither read nor written again (a folder stands at its name and at the
// name a damaged index is moved to): the save screen says so in a box, and once the box is
// dismissed the screen is exactly the one a sound home shows.
TEST(SaveKill, TheBoxOfAnIndexThatCannotBeRewrittenLeavesTheSaveScreenWhole)
{
    const std::string toSaveScreen = ScriptToTitle() + SharedScript("new_career.txt")
                                     + "move 320 2\nwait 20\nmove 30 10\nwait 20\nclick 60 32\n"
                                       "wait 100\ngrab box.png\nclick 300 462\n"
                                       "until option == 50 max 3000\nwait 300\ngrab save.png\n";
    PngImage screens[2];
    for (const bool damaged : {false, true}) {
        TempHome home;
        if (damaged) {
            std::filesystem::create_directories(home.Path("SaveData/index.dat/kept"));
            std::filesystem::create_directories(home.Path("SaveData/index.bad/kept"));
        }
        TempDir work;
        const ProgramResult run = RunScriptIn(work,
                                              toSaveScreen
                                                  + "click 600 460\n"
                                                    "until option == 3 max 3000\n"
                                                  + ScriptQuitFromBar(),
                                              120);
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        screens[damaged] = GrabbedFrame(work, "save.png");
        if (damaged) {
            const PngImage box = GrabbedFrame(work, "box.png");
            EXPECT_GT(ChangedPixels(box, screens[damaged], 120, 150, 400, 180), 400 * 180 / 2);
        }
    }
    EXPECT_EQ(screens[true].rgb, screens[false].rgb);
}
