// The film reader: tiny films built here with hand-written expected pixels, every way a film can
// be refused, and the generated films played to their end.
#include "menus/animplay.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/compress.h"
#include "engine/crc32.h"
#include "engine/debug.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutLe32(Bytes* bytes, uint32_t value)
{
    for (int32_t i = 0; i < 4; ++i)
        bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes Header(uint32_t versionWord, int16_t width = 4, int16_t height = 4)
{
    Bytes bytes = {'F', 'I', 'L', 'M'};
    PutLe32(&bytes, versionWord);
    for (int16_t side : {width, height}) {
        bytes.push_back(static_cast<uint8_t>(side));
        bytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(side) >> 8));
    }
    bytes.resize(FILM_HEADER_BYTES, 0xEE);  // the unread bytes
    return bytes;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes Frame12(uint32_t kind, const Bytes& data)
{
    Bytes bytes;
    PutLe32(&bytes, static_cast<uint32_t>(data.size()));
    PutLe32(&bytes, kind);
    return bytes + data;
}

Bytes Frame3(uint32_t kind, const Bytes& stored, uint32_t dataSize, uint32_t compression)
{
    Bytes bytes;
    PutLe32(&bytes, static_cast<uint32_t>(stored.size()));
    PutLe32(&bytes, kind);
    PutLe32(&bytes, dataSize);
    PutLe32(&bytes, compression);
    return bytes + stored;
}
Bytes Plain3(uint32_t kind, const Bytes& data)
{
    return Frame3(kind, data, static_cast<uint32_t>(data.size()), FILM_STORED_PLAINLY);
}
Bytes Packed3(uint32_t kind, const Bytes& data, CmpType type = CMP_LZSS_4K)
{
    return Frame3(kind, CompressDataMem(type, data.data(), data.size()),
                  static_cast<uint32_t>(data.size()), 0);
}

Bytes Counting(int32_t count, uint8_t first = 1)
{
    Bytes bytes;
    for (int32_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<uint8_t>(first + i));
    return bytes;
}

Bytes Palette() { return Counting(FILM_PALETTE_BYTES, 200); }

const Bytes kPrevious = Counting(16, 100);  // what the buffer held before the frame

// Every test mounts its own films as a listed archive in a fresh folder.
class Film : public testing::Test {
protected:
    void SetUp() override
    {
        MemoryInit();
        PakFileInit();
        Film_Init();
    }
    void TearDown() override
    {
        Film_Uninit();
        PakFileUninit();
    }

    void Mount(const std::vector<TestPakFile>& files)
    {
        WriteTestPak(m_dir.Path("data"), files);
        DataFolderInit(m_dir.Path("data").c_str());
        PakMount("pakfiles\\hdcommon");
    }
    void MountOne(const Bytes& film) { Mount({{"films\\test.flm", film}}); }

private:
    ScopedCore m_core;
    TempDir m_dir;
};

// ---------------------------------------------------------------------------------------------
// One frame of each kind over a 4 x 4 buffer that held 100 .. 115.

struct FrameVector {
    const char* name;
    Bytes film;
    Bytes expected;
};

std::vector<FrameVector> FrameVectors()
{
    const Bytes full = Counting(16);
    const Bytes block = {1, 2, 3, 4};
    const Bytes half = Counting(8);
    // clang-format off
    const Bytes quarter = {1, 1, 2, 2,
                           1, 1, 2, 2,
                           3, 3, 4, 4,
                           3, 3, 4, 4};
    const Bytes halfHeight = {1, 2, 3, 4,
                              1, 2, 3, 4,
                              5, 6, 7, 8,
                              5, 6, 7, 8};
    const Bytes halfWidth = {1, 1, 2, 2,
                             3, 3, 4, 4,
                             5, 5, 6, 6,
                             7, 7, 8, 8};
    const Bytes changed = {100, 101, 102, 103, 104, 7, 9, 107,
                           108, 109, 110, 111, 112, 113, 114, 115};
    const Bytes overwritten = {100, 101, 102, 2, 104, 105, 106, 107,
                               108, 109, 110, 111, 112, 113, 114, 115};
    // clang-format on
    return {
        {"v1 full", Header(0x10000) + Frame12(FILM_FULL, full), full},
        {"v2 changes", Header(0x20000) + Frame12(FILM_CHANGES, {5, 7, 1, 9}), changed},
        {"v1 skip 0 overwrites", Header(0x10000) + Frame12(FILM_CHANGES, {3, 1, 0, 2}),
         overwritten},
        {"v1 changes without a pair", Header(0x10000) + Frame12(FILM_CHANGES, {}), kPrevious},
        {"v1 changes to the last pixel", Header(0x10000) + Frame12(FILM_CHANGES, {15, 1}),
         Counting(15, 100) + Bytes{1}},
        {"v2 quarter", Header(0x20000) + Frame12(FILM_QUARTER, block), quarter},
        {"v1 full with palette", Header(0x10000) + Frame12(FILM_FULL_PALETTE, full + Palette()),
         full},
        {"v2 half height", Header(0x20000) + Frame12(FILM_HALF_HEIGHT, half), halfHeight},
        {"v1 half width", Header(0x10000) + Frame12(FILM_HALF_WIDTH, half), halfWidth},
        {"version word 0x2ffff", Header(0x2FFFF) + Frame12(FILM_HALF_WIDTH, half), halfWidth},
        {"v3 plain full", Header(0x30000) + Plain3(FILM_FULL, full), full},
        {"v3 packed full", Header(0x30000) + Packed3(FILM_FULL, full, CMP_RUN_LENGTH), full},
        {"v3 packed palette", Header(0x30000) + Packed3(FILM_FULL_PALETTE, full + Palette()), full},
        {"v3 plain half width", Header(0x30000) + Plain3(FILM_HALF_WIDTH, half), halfWidth},
        {"v3 packed half width", Header(0x30000) + Packed3(FILM_HALF_WIDTH, half), halfWidth},
    };
}

TEST_F(Film, EachKindDecodesToItsPixels)
{
    std::vector<TestPakFile> files;
    const std::vector<FrameVector> vectors = FrameVectors();
    for (size_t i = 0; i < vectors.size(); ++i) {
        files.push_back({"films\\v" + std::to_string(i) + ".flm", vectors[i].film});
    }
    Mount(files);
    for (size_t i = 0; i < vectors.size(); ++i) {
        SCOPED_TRACE(vectors[i].name);
        FilmHandle* film = OpenFilm(files[i].name.c_str());
        ASSERT_NE(film, nullptr);
        EXPECT_EQ(film->readPosition, 64u);
        Bytes buffer = kPrevious;
        EXPECT_EQ(ReadFilmFrame(film, buffer.data()), 0);
        EXPECT_EQ(buffer, vectors[i].expected);
        const uint32_t position = film->readPosition;
        EXPECT_EQ(position, files[i].bytes.size());
        EXPECT_EQ(ReadFilmFrame(film, buffer.data()), -1);
        EXPECT_EQ(film->readPosition, position);  // no header read at the end
        EXPECT_EQ(buffer, vectors[i].expected);
        CloseFilm(film);
        EXPECT_TRUE(Film_Check(files[i].name.c_str()));
    }
    EXPECT_EQ(MemoryStats().blocks, 0u);  // every frame's temporary blocks were freed
}

TEST_F(Film, PalettePointerIsSetByTheFirstFrameThatCarriesOne)
{
    MountOne(Header(0x10000) + Frame12(FILM_FULL, Counting(16))
             + Frame12(FILM_FULL_PALETTE, Counting(16) + Palette())
             + Frame12(FILM_FULL, Counting(16, 50)));
    FilmHandle* film = OpenFilm("films\\test.flm");
    ASSERT_NE(film, nullptr);
    EXPECT_EQ(film->width, 4);
    EXPECT_EQ(film->height, 4);
    EXPECT_EQ(film->version, 0x10000u);
    Bytes buffer(16);
    ASSERT_EQ(ReadFilmFrame(film, buffer.data()), 0);
    EXPECT_EQ(film->palette, nullptr);
    ASSERT_EQ(ReadFilmFrame(film, buffer.data()), 0);
    ASSERT_NE(film->palette, nullptr);
    EXPECT_EQ(Bytes(film->palette, film->palette + FILM_PALETTE_BYTES), Palette());
    const uint8_t* palette = film->palette;
    ASSERT_EQ(ReadFilmFrame(film, buffer.data()), 0);
    EXPECT_EQ(film->palette, palette);
    EXPECT_EQ(ReadFilmFrame(film, buffer.data()), -1);
}

TEST_F(Film, OpenRefusesHeadersThatAreNotAFilm)
{
    Bytes notFilm = Header(0x10000);
    notFilm[3] = '0';
    const Bytes whole = Header(0x10000) + Frame12(FILM_FULL, Counting(16));
    Mount({{"films\\fil0.flm", notFilm},
           {"films\\short.flm", Bytes(whole.begin(), whole.begin() + 63)},
           {"films\\empty.flm", {}},
           {"films\\width0.flm", Header(0x10000, 0, 4)},
           {"films\\height-1.flm", Header(0x10000, 4, -1)},
           {"films\\wide.flm", Header(0x10000, 1025, 4)},
           {"films\\good.flm", whole}});
    for (const char* name : {"films\\fil0.flm", "films\\short.flm", "films\\empty.flm",
                             "films\\width0.flm", "films\\height-1.flm", "films\\wide.flm"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(OpenFilm(name), nullptr);
        EXPECT_FALSE(Film_Check(name));
    }
    EXPECT_FALSE(Film_Check("films\\missing.flm"));
    // Every refusal closed its file: the one film still opens and plays.
    FilmHandle* film = OpenFilm("films\\good.flm");
    ASSERT_NE(film, nullptr);
    Bytes buffer(16);
    EXPECT_EQ(ReadFilmFrame(film, buffer.data()), 0);
    CloseFilm(film);
}

// ---------------------------------------------------------------------------------------------
// Every film ReadFilmFrame refuses: its text, and the same refusal from Film_Check.

struct BadFilm {
    const char* name;
    Bytes film;
    const char* text;
};

std::vector<BadFilm> BadFilms()
{
    const Bytes good = Frame12(FILM_FULL, Counting(16));
    const char* sizeWrong = "ReadFilmFrame(): frame size wrong";
    Bytes corrupt = CompressDataMem(CMP_LZSS_4K, Counting(16).data(), 16);
    corrupt[0] = 'X';
    const Bytes short15 = CompressDataMem(CMP_LZSS_4K, Counting(15).data(), 15);
    const Bytes truncated = Header(0x10000) + good + Frame12(FILM_FULL, Counting(16));
    const Bytes truncated3 = Header(0x30000) + Frame3(FILM_FULL, Counting(20), 16, 0);
    return {
        {"full size", Header(0x10000) + Frame12(FILM_FULL, Counting(15)), sizeWrong},
        {"changes odd size", Header(0x10000) + Frame12(FILM_CHANGES, {1, 2, 3}), sizeWrong},
        {"quarter size", Header(0x20000) + Frame12(FILM_QUARTER, Counting(5)), sizeWrong},
        {"palette size", Header(0x10000) + Frame12(FILM_FULL_PALETTE, Counting(16)), sizeWrong},
        {"half height size", Header(0x10000) + Frame12(FILM_HALF_HEIGHT, Counting(4)), sizeWrong},
        {"half width size", Header(0x10000) + Frame12(FILM_HALF_WIDTH, Counting(9)), sizeWrong},
        {"quarter odd width", Header(0x10000, 3, 4) + Frame12(FILM_QUARTER, Counting(3)),
         sizeWrong},
        {"quarter odd height", Header(0x10000, 4, 3) + Frame12(FILM_QUARTER, Counting(3)),
         sizeWrong},
        {"half height odd height", Header(0x10000, 4, 3) + Frame12(FILM_HALF_HEIGHT, Counting(6)),
         sizeWrong},
        {"half width odd width", Header(0x20000, 3, 4) + Frame12(FILM_HALF_WIDTH, Counting(6)),
         sizeWrong},
        {"v3 full size", Header(0x30000) + Plain3(FILM_FULL, Counting(15)), sizeWrong},
        {"v3 half width odd width", Header(0x30000, 3, 4) + Plain3(FILM_HALF_WIDTH, Counting(6)),
         sizeWrong},
        {"obsolete palette", Header(0x10000) + good + Frame12(FILM_OLD_PALETTE, Palette()),
         "Error: ReadFilmFrame(): obsolete 'Frame_Palette' found\n"},
        {"kind 9", Header(0x10000) + Frame12(9, Counting(16)),
         "Error: ReadFilmFrame(): Unknown frame type 9 (version 1/2)\n"},
        {"kind 0", Header(0x20000) + Frame12(0, {}),
         "Error: ReadFilmFrame(): Unknown frame type 0 (version 1/2)\n"},
        {"v3 changes", Header(0x30000) + Plain3(FILM_CHANGES, {1, 2}),
         "Error: ReadFilmFrame(): Unknown frame type 2 (version 3)\n"},
        {"v3 corrupt stream", Header(0x30000) + Frame3(FILM_FULL, corrupt, 16, 0),
         "ReadFilmFrame(): failed to decompress"},
        {"v3 unpacks short", Header(0x30000) + Frame3(FILM_FULL, short15, 16, 0),
         "ReadFilmFrame(): failed to decompress"},
        {"v3 plain sizes differ",
         Header(0x30000) + Frame3(FILM_FULL, Counting(15), 16, FILM_STORED_PLAINLY),
         "ReadFilmFrame(): uncompressed frame wrong size"},
        {"version 4", Header(0x40000) + good, "ReadFilmFrame(): unknown film version"},
        {"version 0", Header(0x0FFFF) + good, "ReadFilmFrame(): unknown film version"},
        {"changes past the frame", Header(0x10000) + Frame12(FILM_CHANGES, {15, 1, 1, 2}),
         "ReadFilmFrame(): changes run past the frame"},
        {"changes skip past the frame", Header(0x10000) + Frame12(FILM_CHANGES, {255, 1}),
         "ReadFilmFrame(): changes run past the frame"},
        {"data cut short", Bytes(truncated.begin(), truncated.end() - 1),
         "ReadFilmFrame(): frame runs past the end of the film"},
        {"header cut short", Header(0x10000) + good + Bytes{16, 0, 0},
         "ReadFilmFrame(): frame runs past the end of the film"},
        {"v3 header cut short", Header(0x30000) + Bytes(15, 0),
         "ReadFilmFrame(): frame runs past the end of the film"},
        {"v3 stored past the end", Bytes(truncated3.begin(), truncated3.end() - 12),
         "ReadFilmFrame(): frame runs past the end of the film"},
    };
}

// The bad films mounted together, "films\\bad<i>.flm" for the table's row i.
std::vector<TestPakFile> BadFilmFiles()
{
    std::vector<TestPakFile> files;
    for (const BadFilm& bad : BadFilms()) {
        files.push_back({"films\\bad" + std::to_string(files.size()) + ".flm", bad.film});
    }
    return files;
}

TEST_F(Film, EveryBadFrameIsFatalWithItsText)
{
    const std::vector<BadFilm> bad = BadFilms();
    const std::vector<TestPakFile> files = BadFilmFiles();
    Mount(files);
    for (size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(bad[i].name);
        const auto playToEnd = [&] {
            FilmHandle* film = OpenFilm(files[i].name.c_str());
            Bytes buffer(static_cast<size_t>(film->width * film->height));
            while (ReadFilmFrame(film, buffer.data()) == 0) {
            }
        };
        EXPECT_FATAL(playToEnd(), bad[i].text);
    }
}

TEST_F(Film, CheckRefusesEveryBadFilmAndKeepsRunning)
{
    const std::vector<BadFilm> bad = BadFilms();
    const std::vector<TestPakFile> files = BadFilmFiles();
    Mount(files);
    DebugSetLevel(DBG_FILE, 1);
    for (size_t i = 0; i < bad.size(); ++i) {
        SCOPED_TRACE(bad[i].name);
        testing::internal::CaptureStdout();
        EXPECT_FALSE(Film_Check(files[i].name.c_str()));
        std::string said = testing::internal::GetCapturedStdout();
        std::string text = bad[i].text;
        if (text.starts_with("Error: ")) text = text.substr(7, text.size() - 8);
        EXPECT_NE(said.find(text), std::string::npos) << said;
    }
    EXPECT_EQ(MemoryStats().blocks, 0u);
}

// ---------------------------------------------------------------------------------------------
// The films the archives hold.

TEST_F(Film, GeneratedFilmsPlayToTheirEnd)
{
    DataFolderInit(ScopedMenus::GeneratedDataFolder().c_str());
    PakMount("pakfiles\\hdcommon");
    PakMount("pakfiles\\cdcommon");
    struct Expected {
        const char* name;
        int32_t width, height, frames;
    };
    for (const Expected& expected :
         {Expected{"films\\demo1.flm", 160, 120, 24}, Expected{"films\\demo2.flm", 160, 120, 24},
          Expected{"films\\demo3.flm", 320, 240, 30}}) {
        SCOPED_TRACE(expected.name);
        EXPECT_TRUE(Film_Check(expected.name));
        FilmHandle* film = OpenFilm(expected.name);
        ASSERT_NE(film, nullptr);
        ASSERT_EQ(film->width, expected.width);
        ASSERT_EQ(film->height, expected.height);
        Bytes buffer(static_cast<size_t>(film->width * film->height));
        std::string hashes;
        int32_t frames = 0;
        for (; ReadFilmFrame(film, buffer.data()) == 0; ++frames) {
            EXPECT_NE(film->palette, nullptr);  // the first frame carries the palette
            char line[16];
            std::snprintf(line, sizeof line, "%08x\n", Crc32(buffer.data(), buffer.size()));
            hashes += line;
        }
        EXPECT_EQ(frames, expected.frames);
        CloseFilm(film);
        if (std::string(expected.name) == "films\\demo3.flm") {
            ExpectGoldenText("menus/film_demo3_frames", hashes);
        }
    }
}

}  // namespace
