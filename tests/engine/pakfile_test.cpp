#include "engine/pakfile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "engine/compress.h"
#include "engine/crc32.h"
#include "engine/filename.h"
#include "tests/support/sample_data.h"
#include "tests/support/support.h"
#include "tools/mkdata/commands.h"
#include "tools/mkdata/pakwriter.h"

namespace {

using namespace std::string_literals;
using Bytes = std::vector<uint8_t>;

Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A file's whole contents through PakLoadFile; the tracked block is freed again.
Bytes LoadWhole(const char* name)
{
    uint8_t* block = nullptr;
    const int32_t size = PakLoadFile(name, &block);
    Bytes bytes(block, block + size);
    FreeMemory(&block);
    return bytes;
}

std::string HostName(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

// Packs `files` as the archive `gameName` under `dataFolder` and mounts it.
void MountFiles(const std::string& dataFolder, const char* gameName,
                const std::vector<MkFile>& files)
{
    std::string error;
    ASSERT_TRUE(MkWritePacked(dataFolder + "/" + HostName(gameName), files, &error)) << error;
    DataFolderInit(dataFolder.c_str());
    PakMount(gameName);
}

// Every test starts with the memory manager and the pak layer freshly up.
class Pak : public testing::Test {
protected:
    void SetUp() override
    {
        MemoryInit();
        PakFileInit();
    }
    void TearDown() override { PakFileUninit(); }

    std::string Data(const std::string& relative) const { return m_dir.Path(relative); }

private:
    ScopedCore m_core;
    TempDir m_dir;
};

using PakDeathTest = Pak;

// ---------------------------------------------------------------------------------------------
// One tree served through both forms: packed by "mkdata pack", and listed by a ".pkl".

struct TreeFile {
    const char* name;  // as on disk and in the list
    Bytes bytes;
};

const std::vector<TreeFile>& TreeFiles()
{
    static const std::vector<TreeFile> files = {
        {"Stats\\TotStat.dat", SampleText(5000, 31)},
        {"menugfx\\Frontspa.bck", SamplePicture16(64, 48, 32)},
        {"empty.dat", {}},
        {"deep\\Nested\\Folders\\Commentary.txt", SampleText(1 << 20, 33)},
        {"noise\\random.bin", SampleRandomBytes(300 * 1024, 34)},
        {"sound\\Crowd\\cheer.raw", SampleText(20000, 35)},
    };
    return files;
}

enum class Form { Packed, Listed };

class PakTree : public testing::TestWithParam<Form> {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new TempDir;
        const std::string tree = s_dir->Path("listed/pakfiles");
        std::string list = "PKL0\r\n# the test tree\r\n\r\n";
        for (const TreeFile& file : TreeFiles()) {
            WriteBytes(tree + "/" + HostName(file.name), file.bytes);
            list += std::string(file.name) + "\r\n";
        }
        const std::string packed = s_dir->Path("packed/pakfiles/hdcommon");
        const char* argv[] = {"mkdata", "pack", tree.c_str(), packed.c_str()};
        ASSERT_EQ(MkMain(4, const_cast<char**>(argv)), 0);
        // Written after packing, so the list does not end up inside the archive.
        WriteBytes(tree + "/hdcommon.pkl", AsBytes(list + "\n"));
    }
    static void TearDownTestSuite() { delete s_dir; }

    void SetUp() override
    {
        MemoryInit();
        PakFileInit();
        DataFolderInit(s_dir->Path(GetParam() == Form::Packed ? "packed" : "listed").c_str());
        PakMount("pakfiles\\hdcommon");
    }
    void TearDown() override { PakFileUninit(); }

private:
    static TempDir* s_dir;
    ScopedCore m_core;
};

TempDir* PakTree::s_dir = nullptr;

INSTANTIATE_TEST_SUITE_P(Forms, PakTree, testing::Values(Form::Packed, Form::Listed),
                         [](const testing::TestParamInfo<Form>& info) {
                             return info.param == Form::Packed ? "Packed" : "Listed";
                         });

TEST_P(PakTree, LoadsEveryFileWithTheBytesOfTheTree)
{
    for (const TreeFile& file : TreeFiles()) {
        EXPECT_EQ(LoadWhole(file.name), file.bytes) << file.name;
    }
}

TEST_P(PakTree, ReadsAnyRangeAndStopsShortOnlyAtTheEnd)
{
    for (const char* name : {"deep\\Nested\\Folders\\Commentary.txt", "noise\\random.bin",
                             "Stats\\TotStat.dat", "sound\\Crowd\\cheer.raw"}) {
        const Bytes& expected =
            std::find_if(TreeFiles().begin(), TreeFiles().end(), [&](const TreeFile& f) {
                return f.name == name;
            })->bytes;
        const int32_t size = static_cast<int32_t>(expected.size());
        const int32_t handle = PakOpenFile(name);
        ASSERT_EQ(PakFileLength(handle), size);
        for (int32_t offset : {0, 1, 15, 16, 4095, 4096, 4097, 8191, 65536, size / 2, size - 7,
                               size - 1, size, size + 1, size + 100000}) {
            for (int32_t count : {0, 1, 7, 4096, 8192, 65537, size}) {
                Bytes got(static_cast<size_t>(count) + 1, 0xEE);
                const int32_t read = PakReadFile(got.data(), offset, count, handle);
                const int32_t expectedRead = std::clamp(size - offset, 0, count);
                ASSERT_EQ(read, expectedRead) << name << " @" << offset << " +" << count;
                if (read > 0) {
                    ASSERT_TRUE(
                        std::equal(got.begin(), got.begin() + read, expected.begin() + offset))
                        << name << " @" << offset << " +" << count;
                }
                ASSERT_EQ(got[static_cast<size_t>(read)], 0xEE) << "wrote past the bytes read";
            }
        }
        PakCloseFile(handle);
    }
}

TEST_P(PakTree, LookupsIgnoreCaseAndAcceptSlashes)
{
    const Bytes& stats = TreeFiles()[0].bytes;
    EXPECT_EQ(LoadWhole("stats\\totstat.dat"), stats);
    EXPECT_EQ(LoadWhole("STATS/TOTSTAT.DAT"), stats);
    EXPECT_EQ(LoadWhole("menugfx\\FRONTSPA.bck"), LoadWhole("MenuGfx/Frontspa.BCK"));
}

TEST_P(PakTree, TheSameFileOpenTwiceKeepsTwoIndependentHandles)
{
    const int32_t first = PakOpenFile("noise\\random.bin");
    const int32_t second = PakOpenFile("noise\\random.bin");
    EXPECT_NE(first, second);
    PakCloseFile(first);
    uint8_t byte = 0;
    EXPECT_EQ(PakReadFile(&byte, 1000, 1, second), 1);
    EXPECT_EQ(byte, TreeFiles()[4].bytes[1000]);
    PakCloseFile(second);
}

// ---------------------------------------------------------------------------------------------
// Mount order and the index checks.

TEST_F(Pak, TheFirstMountedArchiveWinsForANameInBoth)
{
    MountFiles(Data("data"), "pakfiles\\hdcommon",
               {{"shared.txt", AsBytes("from the hard disk")}, {"hdonly.txt", AsBytes("hd")}});
    MountFiles(Data("data"), "pakfiles\\cdcommon",
               {{"SHARED.txt", AsBytes("from the data disc")}, {"cdonly.txt", AsBytes("cd")}});
    EXPECT_EQ(LoadWhole("shared.txt"), AsBytes("from the hard disk"));
    EXPECT_EQ(LoadWhole("hdonly.txt"), AsBytes("hd"));
    EXPECT_EQ(LoadWhole("cdonly.txt"), AsBytes("cd"));
}

TEST_F(Pak, LoadsIntoABlockOfTheGivenType)
{
    MountFiles(Data("data"), "pakfiles\\hdcommon", {{"a.txt", AsBytes("abc")}});
    void* block = nullptr;
    ASSERT_EQ(PakLoadFile("a.txt", &block, MEM_TYPE_PURGEABLE), 3);
    EXPECT_EQ(MemoryStats().blocks, 1u);
    PurgeAllMemory();
    EXPECT_EQ(block, nullptr);
}

// Writes a packed archive whose index holds exactly the given entries and pool.
void WriteRawArchive(const std::string& base, const std::vector<PakEntry>& entries,
                     const std::string& pool, size_t pkdSize)
{
    const auto* raw = reinterpret_cast<const uint8_t*>(entries.data());
    Bytes body(raw, raw + entries.size() * sizeof(PakEntry));
    body.insert(body.end(), pool.begin(), pool.end());
    const PakIndexHeader header{{'P', 'A', 'K', '0'},
                                PAK_VERSION,
                                static_cast<uint32_t>(entries.size()),
                                static_cast<uint32_t>(pool.size()),
                                Crc32(body.data(), body.size())};
    const auto* rawHeader = reinterpret_cast<const uint8_t*>(&header);
    Bytes index(rawHeader, rawHeader + sizeof header);
    index.insert(index.end(), body.begin(), body.end());
    WriteBytes(base + ".pki", CompressDataMem(CMP_STORED, index.data(), index.size()));
    Bytes pkd(pkdSize, 0);
    const PakDataHeader dataHeader{{'P', 'K', 'D', '0'}, PAK_VERSION, {}};
    std::memcpy(pkd.data(), &dataHeader, sizeof dataHeader);
    WriteBytes(base + ".pkd", pkd);
}

// The reason PakReadIndex gives for the archive at `base`, or "" when it is sound.
std::string IndexProblem(const std::string& base, PakIndex* index = nullptr)
{
    const int fd = ::open((base + ".pkd").c_str(), O_RDONLY);
    PakIndex read;
    std::string file;
    std::string reason;
    const bool sound = PakReadIndex(base, fd, index ? index : &read, &file, &reason);
    ::close(fd);
    return sound ? "" : file + ": " + reason;
}

bool SameIndex(const PakIndex& a, const PakIndex& b)
{
    return a.pool == b.pool && a.entries.size() == b.entries.size()
           && std::memcmp(a.entries.data(), b.entries.data(), a.entries.size() * sizeof(PakEntry))
                  == 0;
}

TEST_F(Pak, IndexChecksNameOrderPoolAndDataRanges)
{
    const std::string base = Data("raw");
    const auto entry = [](uint32_t name, uint32_t offset, uint32_t size) {
        return PakEntry{name, offset, size, size, 0, 0};
    };
    WriteRawArchive(base, {entry(0, 16, 4), entry(2, 32, 4)}, "a\0b\0"s, 48);
    EXPECT_EQ(IndexProblem(base), "");
    WriteRawArchive(base, {entry(2, 16, 4), entry(0, 32, 4)}, "a\0b\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the names are not sorted or repeat ('a')");
    WriteRawArchive(base, {entry(0, 16, 4), entry(2, 32, 4)}, "a\0a\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the names are not sorted or repeat ('a')");
    WriteRawArchive(base, {entry(0, 16, 4), entry(4, 32, 4)}, "a\0b\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: a name lies outside the name pool");
    WriteRawArchive(base, {entry(0, 16, 4)}, "ab"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: a name lies outside the name pool");
    WriteRawArchive(base, {entry(0, 16, 4)}, "A\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the name 'A' is not a valid archive name");
    WriteRawArchive(base, {entry(0, 16, 4)}, "x\\..\\y\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the name 'x\\..\\y' is not a valid archive name");
    WriteRawArchive(base, {entry(0, 16, 4), entry(2, 32, 17)}, "a\0b\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pkd: the data of 'b' lie outside the data file");
    WriteRawArchive(base, {entry(0, 16, 4), entry(2, 48, 4)}, "a\0b\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pkd: the data of 'b' lie outside the data file");
    WriteRawArchive(base, {{0, 16, 4, 5, 0, 0}}, "a\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the entry 'a' is inconsistent");
    WriteRawArchive(base, {{0, 16, 4, 4, 2, 0}}, "a\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the entry 'a' is inconsistent");
    WriteRawArchive(base, {entry(0, 24, 4)}, "a\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the entry 'a' is inconsistent");
    WriteRawArchive(base, {entry(0, 0, 4)}, "a\0"s, 48);
    EXPECT_EQ(IndexProblem(base), base + ".pki: the entry 'a' is inconsistent");
}

TEST_F(Pak, EveryFlippedByteOfTheIndexIsRefusedOrChangesNothing)
{
    const std::string base = Data("flip");
    std::string error;
    ASSERT_TRUE(MkWritePacked(base,
                              {{"Stats\\a.dat", SampleText(300, 41)},
                               {"b.raw", SampleRandomBytes(100, 42)},
                               {"menugfx\\c.bck", {}}},
                              &error))
        << error;
    const Bytes pki = ReadBytes(base + ".pki");
    PakIndex original;
    ASSERT_EQ(IndexProblem(base, &original), "");
    int32_t refused = 0;
    for (size_t i = 0; i < pki.size(); ++i) {
        Bytes flipped = pki;
        flipped[i] ^= 0x10;
        WriteBytes(base + ".pki", flipped);
        // A flip in the reserved header word, or in a match that copies equal bytes from
        // elsewhere, unpacks to the same index.
        PakIndex index;
        if (IndexProblem(base, &index).empty()) {
            EXPECT_TRUE(SameIndex(index, original)) << "byte " << i;
        } else {
            ++refused;
        }
    }
    EXPECT_GT(refused, static_cast<int32_t>(pki.size()) * 3 / 4);
    WriteBytes(base + ".pki", Bytes(pki.begin(), pki.end() - 1));
    EXPECT_NE(IndexProblem(base), "");
}

TEST_F(Pak, AListSkipsCommentsBlankLinesAndWindowsLineEnds)
{
    WriteBytes(Data("data/pakfiles/Menu/One.txt"), AsBytes("one"));
    WriteBytes(Data("data/pakfiles/two.txt"), AsBytes("two"));
    WriteBytes(Data("data/pakfiles/hdcommon.pkl"),
               AsBytes("PKL0\r\n# menus\r\nMenu\\One.txt\r\n   \r\n\ntwo.txt\r\n\r\n"));
    DataFolderInit(Data("data").c_str());
    PakMount("pakfiles\\hdcommon");
    EXPECT_EQ(LoadWhole("menu\\one.txt"), AsBytes("one"));
    EXPECT_EQ(LoadWhole("TWO.TXT"), AsBytes("two"));
}

// ---------------------------------------------------------------------------------------------
// Fatal paths: wrong use of the layer, and damaged installed data.

TEST(PakStateDeathTest, WrongStateCallsAreFatal)
{
    ScopedCore core;
    EXPECT_FATAL(PakFileUninit(), "PakFileUninit(): not initialised");
    EXPECT_FATAL(
        {
            PakFileInit();
            PakFileInit();
        },
        "PakFileInit(): already initialised");
}

TEST_F(PakDeathTest, MisusedHandlesAndMissingFilesAreFatal)
{
    MountFiles(Data("data"), "pakfiles\\hdcommon", {{"a.txt", AsBytes("abc")}});
    EXPECT_FATAL(PakOpenFile("b.txt"), "Error: PakOpenFile(): Cannot find file 'b.txt'\n");
    EXPECT_FATAL(PakOpenFile("a.txt", 1), "PakOpenFile(): bad mode 1");
    EXPECT_FATAL(
        {
            for (int i = 0; i <= PAK_MAX_OPEN; ++i) {
                PakOpenFile("a.txt");
            }
        },
        "PakOpenFile(): too many open files");
    EXPECT_FATAL(PakCloseFile(PakOpenFile("a.txt") + 1), "PakCloseFile(): bad handle");
    EXPECT_FATAL(
        {
            const int32_t handle = PakOpenFile("a.txt");
            PakCloseFile(handle);
            PakCloseFile(handle);
        },
        "PakCloseFile(): bad handle");
    uint8_t byte;
    EXPECT_FATAL(PakReadFile(&byte, -1, 1, PakOpenFile("a.txt")),
                 "PakReadFile(): negative offset or count");
}

// The child of a death test makes its own temporary folder: the message is matched on each side
// of its path.
#define EXPECT_MOUNT_FATAL(before, after)                                                          \
    EXPECT_EXIT(PakMount("pakfiles\\hdcommon"), testing::ExitedWithCode(1),                        \
                FatalPattern(before) + ".*" + FatalPattern(after))

TEST_F(PakDeathTest, AMissingArchiveIsFatal)
{
    DataFolderInit(Data("nothing").c_str());
    EXPECT_MOUNT_FATAL("Error: PakMount(): Cannot find pak file '",
                       "/nothing/pakfiles/hdcommon'\n");
}

TEST_F(PakDeathTest, DamagedPackedArchivesEndAtMount)
{
    const std::string base = Data("data/pakfiles/hdcommon");
    std::string error;
    ASSERT_TRUE(MkWritePacked(base, {{"a.txt", SampleRandomBytes(100, 51)}}, &error)) << error;
    DataFolderInit(Data("data").c_str());
    const Bytes pki = ReadBytes(base + ".pki");
    const Bytes pkd = ReadBytes(base + ".pkd");

    Bytes flipped = pki;
    flipped[pki.size() / 2] ^= 1;
    WriteBytes(base + ".pki", flipped);
    EXPECT_MOUNT_FATAL("Error: PakMount(): '", "/data/pakfiles/hdcommon.pki' is damaged (");
    WriteBytes(base + ".pki", pki);

    WriteBytes(base + ".pkd", Bytes(pkd.begin(), pkd.end() - 20));
    EXPECT_MOUNT_FATAL("Error: PakMount(): '",
                       "/hdcommon.pkd' is damaged (the data of 'a.txt' lie outside the data file)");
    std::filesystem::remove(base + ".pkd");
    EXPECT_MOUNT_FATAL("Error: PakMount(): '",
                       "/hdcommon.pkd' is damaged (the data file is missing)");
}

TEST_F(PakDeathTest, DamagedListsEndAtMount)
{
    const std::string list = Data("data/pakfiles/hdcommon.pkl");
    WriteBytes(Data("data/pakfiles/Here.txt"), AsBytes("here"));
    WriteBytes(Data("data/pakfiles/HERE.TXT"), AsBytes("HERE"));
    DataFolderInit(Data("data").c_str());

    WriteBytes(list, AsBytes("PKL0\nHere.txt\nGone.txt\n"));
    EXPECT_MOUNT_FATAL("Error: PakMount(): '", "/hdcommon.pkl' is damaged (the file '");
    EXPECT_MOUNT_FATAL("/hdcommon.pkl' is damaged (the file '", "/pakfiles/Gone.txt' is missing)");
    WriteBytes(list, AsBytes("PKL0\nHere.txt\nHERE.TXT\n"));
    EXPECT_MOUNT_FATAL("Error: PakMount(): '",
                       "/hdcommon.pkl' is damaged (the name 'here.txt' is listed twice)");
    WriteBytes(list, AsBytes("PKL1\nHere.txt\n"));
    EXPECT_MOUNT_FATAL("Error: PakMount(): '",
                       "/hdcommon.pkl' is damaged (the first line is not PKL0)");
    WriteBytes(list, AsBytes("PKL0\n..\\Here.txt\n"));
    EXPECT_MOUNT_FATAL("Error: PakMount(): '",
                       "/hdcommon.pkl' is damaged (the name '..\\Here.txt' is not a valid "
                       "archive name)");
}

TEST_F(PakDeathTest, AFlippedStoredByteEndsTheLoad)
{
    const std::string base = Data("data/pakfiles/hdcommon");
    std::string error;
    ASSERT_TRUE(MkWritePacked(
        base, {{"plain.bin", SampleRandomBytes(1000, 61)}, {"packed.txt", SampleText(1000, 62)}},
        &error))
        << error;
    Bytes pkd = ReadBytes(base + ".pkd");
    // Entries lie in name order from offset 16: "packed.txt" first, then "plain.bin" last.
    pkd[40] ^= 0x01;
    pkd[pkd.size() - 50] ^= 0x01;
    WriteBytes(base + ".pkd", pkd);
    DataFolderInit(Data("data").c_str());
    PakMount("pakfiles\\hdcommon");
    EXPECT_FATAL(LoadWhole("plain.bin"), "Error: PakLoadFile(): 'plain.bin' is damaged\n");
    EXPECT_FATAL(LoadWhole("packed.txt"), "Error: PakOpenFile(): 'packed.txt' is damaged\n");
}

}  // namespace
