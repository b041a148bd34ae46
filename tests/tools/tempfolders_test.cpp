// tests/tools/tempfolders_test.cpp: a test program leaves no temporary folder behind.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/support.h"

namespace {

// The child makes folders and dies through _Exit, as the game's fatal path ends a process.
TEST(TempFoldersDeathTest, AChildDiesInsideTheTestPastItsDestructors)
{
    EXPECT_EXIT(
        {
            TempDir dir;
            TempHome home;
            std::_Exit(3);
        },
        testing::ExitedWithCode(3), "");
}

// The death test above, run by a test program of its own on an empty temporary folder: once a
// suite of death tests left thousands of folders behind.
TEST(TempFolders, ATestProgramWhoseDeathTestsDieLeavesTheTemporaryFolderEmpty)
{
    TempDir temporary;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "TMPDIR='" + temporary.Path() + "' '" + program
                                + "' --gtest_filter=TempFoldersDeathTest.* > /dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
}

}  // namespace
