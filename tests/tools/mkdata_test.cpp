#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/pakfile.h"
#include "generated/build_paths.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"
#include "tools/mkdata/fileset.h"
#include "tools/mkdata/pakwriter.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct ToolResult {
    int exitCode;
    std::string output;  // standard output and error together
};

ToolResult RunMkdata(const std::string& arguments)
{
    const std::string command = "'" MKDATA_EXE "' " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, "popen failed"};
    ToolResult result{-1, ""};
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        result.output.append(buffer, got);
    }
    const int status = pclose(pipe);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

// The archive's index, read and checked as the game mounts it.
PakIndex ReadIndex(const std::string& base)
{
    const int fd = ::open((base + ".pkd").c_str(), O_RDONLY);
    PakIndex index;
    std::string file;
    std::string reason;
    EXPECT_TRUE(PakReadIndex(base, fd, &index, &file, &reason)) << file << ": " << reason;
    ::close(fd);
    return index;
}

const PakEntry& EntryNamed(const PakIndex& index, const char* name)
{
    for (const PakEntry& entry : index.entries) {
        if (std::string(index.Name(entry)) == name) return entry;
    }
    ADD_FAILURE() << "no entry " << name;
    return index.entries.front();
}

// ---------------------------------------------------------------------------------------------
// The mkdata program.

TEST(MkData, BuildMakesTheSameBytesAsTheBuiltDataFolder)
{
    TempDir out;
    const ToolResult build = RunMkdata("build --out '" + out.Path() + "'");
    ASSERT_EQ(build.exitCode, 0) << build.output;
    for (const char* file : {"hdcommon.pki", "hdcommon.pkd", "cdcommon.pki", "cdcommon.pkd"}) {
        const Bytes made = ReadBytes(out.Path("pakfiles/") + file);
        EXPECT_FALSE(made.empty()) << file;
        EXPECT_EQ(made, ReadBytes(PELLORAN_BUILD_DIR "/data/pakfiles/" + std::string(file)))
            << file;
    }
}

TEST(MkData, PackThenListShowsEveryEntryWithItsCodec)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(
        MkWriteFile(dir.Path("tree/Menu/Big.txt"), SampleText(20000, 71).data(), 20000, &error));
    ASSERT_TRUE(
        MkWriteFile(dir.Path("tree/noise.bin"), SampleRandomBytes(500, 72).data(), 500, &error));
    ASSERT_EQ(RunMkdata("pack '" + dir.Path("tree") + "' '" + dir.Path("out/x") + "'").exitCode, 0);
    const ToolResult list = RunMkdata("list '" + dir.Path("out/x") + "'");
    ASSERT_EQ(list.exitCode, 0) << list.output;
    const std::vector<std::string> lines = SplitLines(list.output);
    ASSERT_EQ(lines.size(), 4u) << list.output;
    EXPECT_EQ(lines[0], dir.Path("out/x") + ": 2 files");
    EXPECT_NE(lines[2].find("menu\\big.txt"), std::string::npos) << lines[2];
    EXPECT_EQ(lines[2].find("plain"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("plain"), std::string::npos) << lines[3];
    EXPECT_NE(lines[3].find("noise.bin"), std::string::npos) << lines[3];
}

TEST(MkData, RefusesBadCommandLinesAndDamagedInput)
{
    TempDir dir;
    EXPECT_EQ(RunMkdata("").exitCode, 2);
    EXPECT_EQ(RunMkdata("build").exitCode, 2);
    EXPECT_EQ(RunMkdata("build --out").exitCode, 2);
    EXPECT_EQ(RunMkdata("pack onlyone").exitCode, 2);
    EXPECT_EQ(RunMkdata("frobnicate").exitCode, 2);

    const ToolResult noTree = RunMkdata("pack '" + dir.Path("none") + "' '" + dir.Path("x") + "'");
    EXPECT_EQ(noTree.exitCode, 1);
    EXPECT_EQ(noTree.output, "mkdata: '" + dir.Path("none") + "' is not a folder\n");

    WriteTextFile(dir.Path("bad.pki"), "not an index");
    WriteTextFile(dir.Path("bad.pkd"), std::string("PKD0\1\0\0\0", 8) + std::string(8, '\0'));
    const ToolResult damaged = RunMkdata("list '" + dir.Path("bad") + "'");
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.output.find("bad.pki' is damaged ("), std::string::npos) << damaged.output;
}

// ---------------------------------------------------------------------------------------------
// The archive writer and the file set.

TEST(MkWriter, CompressesOnlyWhenAnEighthIsSavedAndNeverSounds)
{
    TempDir dir;
    const std::string base = dir.Path("a");
    std::string error;
    ASSERT_TRUE(MkWritePacked(base,
                              {{"text.txt", SampleText(10000, 81)},
                               {"noise.bin", SampleRandomBytes(10000, 82)},
                               {"Sound\\Crowd\\cheer.raw", SampleText(10000, 81)},
                               {"empty", {}}},
                              &error))
        << error;
    const PakIndex index = ReadIndex(base);
    const PakEntry& text = EntryNamed(index, "text.txt");
    EXPECT_EQ(text.flags, PAK_FLAG_COMPRESSED);
    EXPECT_LE(text.storedSize * 8, text.size * 7);
    EXPECT_EQ(EntryNamed(index, "noise.bin").flags, 0u);
    EXPECT_EQ(EntryNamed(index, "sound\\crowd\\cheer.raw").flags, 0u);
    EXPECT_EQ(EntryNamed(index, "empty").flags, 0u);
    for (const PakEntry& entry : index.entries) {
        EXPECT_EQ(entry.dataOffset % PAK_DATA_ALIGN, 0u);
    }
}

TEST(MkWriter, TheSameFilesInAnyOrderGiveTheSameBytes)
{
    TempDir dir;
    std::vector<MkFile> files = {{"b\\Two.dat", SampleText(3000, 91)},
                                 {"A.dat", SampleRandomBytes(700, 92)},
                                 {"b\\one.dat", SamplePicture16(32, 32, 93)}};
    std::string error;
    ASSERT_TRUE(MkWritePacked(dir.Path("first"), files, &error)) << error;
    std::swap(files[0], files[2]);
    ASSERT_TRUE(MkWritePacked(dir.Path("second"), files, &error)) << error;
    EXPECT_EQ(ReadBytes(dir.Path("first.pki")), ReadBytes(dir.Path("second.pki")));
    EXPECT_EQ(ReadBytes(dir.Path("first.pkd")), ReadBytes(dir.Path("second.pkd")));
    EXPECT_EQ(ReadIndex(dir.Path("first")).entries.size(), 3u);
}

TEST(MkWriter, RefusesNamesTwiceAndNamesAnArchiveCannotHold)
{
    TempDir dir;
    std::string error;
    EXPECT_FALSE(MkWritePacked(dir.Path("a"), {{"Menu\\X.gfx", {1}}, {"menu/x.GFX", {2}}}, &error));
    EXPECT_EQ(error, "'menu\\x.gfx' is given twice");
    for (const std::string& name :
         std::vector<std::string>{"", "..\\x", "a\\\\b", "\\a", "a\\", "#a", " a", "a\tb",
                                  std::string(PAK_MAX_NAME + 1, 'n')}) {
        EXPECT_FALSE(MkWritePacked(dir.Path("a"), {{name, {1}}}, &error)) << name;
        EXPECT_EQ(error, "'" + name + "' is not a valid archive name");
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("a.pki")));
    EXPECT_TRUE(MkWritePacked(dir.Path("a"), {{std::string(PAK_MAX_NAME, 'n'), {1}}}, &error));
}

TEST(MkWriter, AListedTreeKeepsEachFileInItsOwnCase)
{
    TempDir dir;
    std::string error;
    ASSERT_TRUE(MkWriteListed(dir.Path("pakfiles/hdcommon"),
                              {{"menugfx/Frontspa.bck", {1, 2}}, {"Stats\\a.dat", {}}}, &error))
        << error;
    EXPECT_EQ(ReadTextFile(dir.Path("pakfiles/hdcommon.pkl")),
              "PKL0\nmenugfx\\Frontspa.bck\nStats\\a.dat\n");
    EXPECT_EQ(ReadBytes(dir.Path("pakfiles/menugfx/Frontspa.bck")), Bytes({1, 2}));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.Path("pakfiles/Stats/a.dat")));
}

TEST(MkFileSet, BulkyStreamedFilesGoToTheDataDisc)
{
    for (const char* name :
         {"sound\\Crowd\\cheer.raw", "SOUND/MUSIC/theme.raw", "menugfx\\Frontspa.bck",
          "vxdata\\load\\load1FRE.gfx", "films\\intro.flm"}) {
        EXPECT_EQ(MkArchiveFor(name), MK_CDCOMMON) << name;
    }
    for (const char* name : {"sound\\effects\\kick.raw", "menugfx\\icons1.gfx",
                             "stats\\totstat.dat", "menugfx.bck", "vxdata"}) {
        EXPECT_EQ(MkArchiveFor(name), MK_HDCOMMON) << name;
    }
}

}  // namespace
