#include "engine/filename.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/support.h"

TEST(FileNameDeathTest, MakeFileNameRefusesNamesPastTheBuffer)
{
    ScopedCore core;
    const std::string longName(MAX_FILENAME, 'x');
    EXPECT_FATAL(MakeFileName("menugfx", longName.c_str(), "gfx"), "MakeFileName(): name too long");
}

TEST(FileName, HostPathMapsGameNamesIntoTheUserFolder)
{
    TempHome home;
    EXPECT_EQ(HostPath("SaveData\\save0"), home.Path("SaveData/save0"));
    EXPECT_EQ(HostPath("a:\\SaveTeam"), home.Path("a/SaveTeam"));
    EXPECT_EQ(HostPath("A:\\SaveTeam"), home.Path("a/SaveTeam"));
    EXPECT_EQ(HostPath("OPTIONS.DAT"), home.Path("OPTIONS.DAT"));
    EXPECT_EQ(HostPath("Replay01.sav"), home.Path("Replay01.sav"));
}

TEST(FileName, UserFolderFallsBackToXdgThenHome)
{
    TempHome home;  // restores PELLORAN_HOME afterwards
    unsetenv("PELLORAN_HOME");
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(UserFolder(), "/tmp/xdg/pelloran");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserFolder(), std::string(std::getenv("HOME")) + "/.local/share/pelloran");
    if (xdg) setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
}

TEST(FileNameDeathTest, HostPathRefusesNamesThatLeaveTheFolder)
{
    ScopedCore core;
    EXPECT_FATAL(HostPath("SaveData\\..\\..\\etc"), "HostPath(): bad name 'SaveData\\..\\..\\etc'");
    EXPECT_FATAL(HostPath("/etc/passwd"), "HostPath(): bad name '/etc/passwd'");
}

TEST(FileName, MakeParentFoldersCreatesTheWholeChain)
{
    TempDir dir;
    EXPECT_TRUE(MakeParentFolders(dir.Path("a/b/c/file.sav")));
    WriteTextFile(dir.Path("plain"), "x");
    EXPECT_FALSE(MakeParentFolders(dir.Path("plain/inner/file.sav")));
}
