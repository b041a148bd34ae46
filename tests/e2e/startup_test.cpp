// Whole-program runs of the start-up and shutdown sequence.
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/front_end_script.h"
#include "tests/support/support.h"

namespace {

// The rows of the start and stop tables, in the order the program must run them.
const std::vector<std::string> kStartRows = {
    "random",         "memory settings", "memory",      "mouse", "display",
    "data directory", "pak files",       "timer",       "poll",  "keyboard",
    "processor test", "joysticks",       "sound banks",
};
const std::vector<std::string> kStopRows = {
    "sound banks",    "keyboard", "poll",          "timer",   "pak files",
    "video settings", "mouse",    "memory report", "options",
};

std::vector<std::string> RowsLogged(const std::string& output, const std::string& caller)
{
    std::vector<std::string> rows;
    const std::string prefix = caller + "(): ";
    for (const std::string& line : SplitLines(output)) {
        if (line.rfind(prefix, 0) == 0) rows.push_back(line.substr(prefix.size()));
    }
    return rows;
}

// A run that quits the front end through its menu bar, as a player would.
ProgramResult RunToQuit(std::vector<std::string> args, const std::vector<std::string>& env = {})
{
    TempDir work;
    WriteTextFile(work.Path("quit.txt"), ScriptToTitle() + ScriptQuitFromBar());
    args.insert(args.end(), {"-script", work.Path("quit.txt")});
    return RunProgram(args, env);
}

}  // namespace

TEST(Startup, RunsTheStartAndStopTablesInOrderAndExitsCleanly)
{
    TempHome home;
    const ProgramResult run = RunToQuit({"-headless", "-debug", "general=1"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(RowsLogged(run.out, "InitialisePC"), kStartRows);
    EXPECT_EQ(RowsLogged(run.out, "ShutdownPC"), kStopRows);
    const size_t lastStart = run.out.rfind("InitialisePC(): ");
    const size_t firstStop = run.out.find("ShutdownPC(): ");
    EXPECT_LT(lastStart, firstStop);
    // The game's own modules start between the core's two tables.
    EXPECT_EQ(RowsLogged(run.out, "GameMain"),
              (std::vector<std::string>{
                  "saved games", "messages", "commentary", "database", "tactics", "match day",
                  "season", "shortlists", "player search", "training schedule", "films",
                  "match presentation", "match engine", "in-match menus", "match sounds"}));
    const size_t gameModules = run.out.find("GameMain(): saved games");
    EXPECT_LT(lastStart, gameModules);
    EXPECT_LT(gameModules, firstStop);
}

// A folder left at a log file's name, with a file in it, is cleared away like any stale entry.
TEST(Startup, LogSwitchSendsDiagnosticsToTheUserFolder)
{
    TempHome home;
    std::filesystem::create_directories(home.Path("stdout.log/old"));
    ASSERT_TRUE(WriteTextFile(home.Path("stdout.log/old/kept.txt"), "stale"));
    const ProgramResult run = RunToQuit({"-headless", "-log", "-debug", "general=1"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    const std::string log = ReadTextFile(home.Path("stdout.log"));
    EXPECT_EQ(RowsLogged(log, "InitialisePC"), kStartRows);
    EXPECT_TRUE(std::filesystem::exists(home.Path("stderr.log")));
}

TEST(Startup, BadSwitchValueEndsWithItsErrorAndCodeOne)
{
    TempHome home;
    const ProgramResult run = RunProgram({"-headless", "-seed", "soon"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("Error: ParseCommandLine(): '-seed' needs an argument"),
              std::string::npos);
}

// A user folder that cannot be opened to lock it (here: under a file, which holds for root too)
// is not played on: the game says why and ends before it writes a file.
TEST(Startup, AFolderThatCannotBeLockedIsRefusedAtStart)
{
    TempHome home;
    WriteTextFile(home.Path("a file"), "");
    const std::string folder = home.Path("a file/pelloran");
    const ProgramResult run = RunToQuit({"-headless"}, {"PELLORAN_HOME=" + folder});
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_NE(run.out.find("Error: PelloranMain(): the folder '" + folder
                           + "' cannot be opened to lock it"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ReadTextFile(home.Path("a file")), "");
}

TEST(Startup, NormalEndWritesTheOptionsAndAFatalEndLeavesThemAlone)
{
    TempHome home;
    const std::string options = home.Path("OPTIONS.DAT");
    ASSERT_EQ(RunToQuit({"-headless"}).exitCode, 0);
    const std::string written = ReadTextFile(options);
    EXPECT_EQ(written.substr(0, 4), "DAT0");

    WriteTextFile(options, "not an options file");
    const ProgramResult run = RunToQuit({"-headless", "-data", "/nonexistent"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("Error: PakMount(): Cannot find pak file '/nonexistent/pakfiles/"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ReadTextFile(options), "not an options file");
}

TEST(Startup, DamagedOptionsGiveOneWarningAndAreRewritten)
{
    TempHome home;
    WriteTextFile(home.Path("OPTIONS.DAT"), "DAT0 cut short");
    const ProgramResult run = RunToQuit({"-headless"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("Warning: OptionsLoad(): 'OPTIONS.DAT' is damaged - using the default "
                           "options\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(ReadTextFile(home.Path("OPTIONS.DAT")).substr(0, 4), "DAT0");
}

TEST(Startup, ListsTheHostThreeDDeviceWithoutAnyWarning)
{
    TempHome home;
    const ProgramResult run = RunToQuit({"-headless", "-debug", "directdraw=20"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_NE(
        run.out.find("DDrawCheckDev3DEnumCallback(): found Host 3D device (Moteur 3D Pelloran):\n"
                     "D3DDEVINFO_* flags: D3DDEVINFO_HARDWARE "),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("Max texture size: 1024x1024   Min texture size: 1x1\n"
                           "Max texture aspect ratio: 0\n"),
              std::string::npos);
    EXPECT_EQ(run.out.find("Warning:"), std::string::npos) << run.out;
    EXPECT_EQ(run.err.find("Warning:"), std::string::npos) << run.err;
}
