#include "engine/startup.h"

#include <cerrno>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "engine/userfile.h"
#include "tests/support/support.h"

namespace {

std::string Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "pelloran");
    testing::internal::CaptureStdout();
    ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()));
    return testing::internal::GetCapturedStdout();
}

int s_lockError;  // what the stand-in file system answers a lock with

int RefuseLock(int, int)
{
    errno = s_lockError;
    return -1;
}

void PlayNothing() {}

}  // namespace

TEST(CommandLine, SwitchesCompareWithoutCaseAndKeepTheirArguments)
{
    ScopedCore core;
    EXPECT_EQ(Parse({"-HEADLESS", "-Seed", "42", "-data", "/d", "-debug", "memory=3"}), "");
    EXPECT_TRUE(CommandLineHas("-headless"));
    EXPECT_FALSE(CommandLineHas("-nosound"));
    EXPECT_STREQ(CommandLineValue("-seed"), "42");
    EXPECT_STREQ(CommandLineValue("-data"), "/d");
    EXPECT_EQ(CommandLineValue("-script"), nullptr);
    EXPECT_EQ(DebugLevel(DBG_MEMORY), 3);
}

TEST(CommandLine, UnknownSwitchWarnsAndIsIgnored)
{
    ScopedCore core;
    EXPECT_EQ(Parse({"-turbo", "-nosound"}),
              "Warning: ParseCommandLine(): unknown switch '-turbo'\n");
    EXPECT_FALSE(CommandLineHas("-turbo"));
    EXPECT_TRUE(CommandLineHas("-nosound"));
}

TEST(CommandLineDeathTest, SwitchWithoutItsArgumentIsFatal)
{
    ScopedCore core;
    EXPECT_FATAL(Parse({"-script"}), "Error: ParseCommandLine(): '-script' needs an argument\n");
    EXPECT_FATAL(Parse({"-seed", "x12"}), "Error: ParseCommandLine(): '-seed' needs an argument\n");
    EXPECT_FATAL(Parse({"-debug"}), "Error: ParseCommandLine(): '-debug' needs an argument\n");
}

// The folder opens but its file system answers the lock with an error, as a network one may:
// the game ends at start and says that the lock, not the folder, failed, and where to play.
TEST(StartupDeathTest, AFolderWhoseFileSystemRefusesTheLockIsNamedAtStart)
{
    struct Case {
        int error;
        const char* before;  // the message up to the folder's name, then after it
        const char* after;
    };
    const char* refused = "Error: PelloranMain(): the file system of the folder '";
    const Case cases[] = {
        {ENOLCK, refused,
         "' refused to lock it (No locks available), so nothing would keep a "
         "second game off it; give a folder on a local disk with PELLORAN_HOME\n"},
        {EBADF, refused,
         "' refused to lock it (Bad file descriptor), so nothing would keep a "
         "second game off it; give a folder on a local disk with PELLORAN_HOME\n"},
        {EINVAL, refused,
         "' refused to lock it (Invalid argument), so nothing would keep a "
         "second game off it; give a folder on a local disk with PELLORAN_HOME\n"},
        {EWOULDBLOCK, "Error: PelloranMain(): another game of Pelloran is using the folder '",
         "'; only one may run on it at a time\n"},
    };
    TempHome home;
    WriteTextFile(home.Path("empty.txt"), "");
    const std::string script = home.Path("empty.txt");
    std::vector<const char*> args = {"pelloran", "-headless", "-script", script.c_str()};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        ScopedCore core;
        s_lockError = c.error;
        UserFile_SetLockCall(RefuseLock);
        // A death test runs in a process of its own, with a home of its own.
        EXPECT_EXIT(PelloranMain(static_cast<int>(args.size()), const_cast<char**>(args.data()),
                                 PlayNothing),
                    testing::ExitedWithCode(1),
                    FatalPattern(c.before) + "[^']+" + FatalPattern(c.after));
    }
}
