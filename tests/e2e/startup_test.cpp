// Whole-program runs of the start-up and shutdown sequence.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/support.h"

namespace {

// The rows of the start and stop tables, in the order the program must run them.
const std::vector<std::string> kStartRows = {
    "random", "memory settings", "memory", "data directory", "timer", "poll", "processor test",
};
const std::vector<std::string> kStopRows = {"poll", "timer", "memory report"};

std::vector<std::string> RowsLogged(const std::string& output, const std::string& caller)
{
    std::vector<std::string> rows;
    const std::string prefix = caller + "(): ";
    for (const std::string& line : SplitLines(output)) {
        if (line.rfind(prefix, 0) == 0) rows.push_back(line.substr(prefix.size()));
    }
    return rows;
}

}  // namespace

TEST(Startup, RunsTheStartAndStopTablesInOrderAndExitsCleanly)
{
    TempHome home;
    const ProgramResult run = RunProgram({"-headless", "-debug", "general=1"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(RowsLogged(run.out, "InitialisePC"), kStartRows);
    EXPECT_EQ(RowsLogged(run.out, "ShutdownPC"), kStopRows);
    const size_t lastStart = run.out.rfind("InitialisePC(): ");
    const size_t firstStop = run.out.find("ShutdownPC(): ");
    EXPECT_LT(lastStart, firstStop);
}

TEST(Startup, LogSwitchSendsDiagnosticsToTheUserFolder)
{
    TempHome home;
    const ProgramResult run = RunProgram({"-headless", "-log", "-debug", "general=1"});
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
