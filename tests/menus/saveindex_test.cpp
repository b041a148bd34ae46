// tests/menus/saveindex_test.cpp: the save index file: its layout and damaged files, and the save
// screen's name field cancelled.
#include "menus/saveindex.h"

#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "engine/filename.h"
#include "menus/exm.h"
#include "menus/saveload.h"
#include "tests/support/support.h"

namespace {

std::string IndexBytes() { return ReadTextFile(HostPath(SAVEINDEX_FILE)); }

int32_t s_savedSlot;
int32_t s_message;
int32_t s_saveResult;

int32_t FakeSave(int32_t slot)
{
    s_savedSlot = slot;
    return s_saveResult;
}
void FakeMessage(int32_t textNo) { s_message = textNo; }

}  // namespace

TEST(SaveIndex, WritesElevenRecordsThatReadBackByteForByte)
{
    TempHome home;
    SaveIndexInit();
    std::snprintf(SaveIndex[3].name, SAVEINDEX_NAME_BYTES, "Trois");
    SaveIndex[3].used = 1;
    std::memset(SaveIndex[3].description, 'd', SAVEINDEX_DESCRIPTION_BYTES - 1);
    ASSERT_EQ(SaveIndexFile(), 0);
    const std::string bytes = IndexBytes();
    ASSERT_EQ(bytes.size(), 1694u);
    EXPECT_EQ(bytes.substr(3 * 154, 6), std::string("Trois\0", 6));
    EXPECT_EQ(bytes[3 * 154 + 50], 1);
    EXPECT_EQ(bytes.substr(3 * 154 + 54, 100), std::string(100, 'd'));  // cut at 100 bytes

    SaveIndexInit();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_STREQ(SaveIndex[3].name, "Trois");
    EXPECT_EQ(std::strlen(SaveIndex[3].description), 100u);
    ASSERT_EQ(SaveIndexFile(), 0);
    EXPECT_EQ(IndexBytes(), bytes);
    EXPECT_EQ(SaveIndex_CountUsed(), 1);
    SaveIndexUninit();
}

TEST(SaveIndex, MissingFileMeansEmptySlotsAndNoError)
{
    TempHome home;
    SaveIndexInit();
    EXPECT_EQ(LoadIndexFile(), 1);
    EXPECT_EQ(SaveIndex_CountUsed(), 0);
    SaveIndexUninit();
}

TEST(SaveIndex, ShortFileEmptiesTheSlotsAndIsKeptAsIndexBad)
{
    TempHome home;
    ASSERT_TRUE(MakeParentFolders(HostPath(SAVEINDEX_FILE)));
    ASSERT_TRUE(WriteTextFile(HostPath(SAVEINDEX_FILE), std::string(200, 'x')));
    SaveIndexInit();
    EXPECT_EQ(LoadIndexFile(), -1);  // the second record's name is cut short
    EXPECT_EQ(SaveIndex[0].used, 0u);
    EXPECT_FALSE(std::filesystem::exists(HostPath(SAVEINDEX_FILE)));
    EXPECT_EQ(ReadTextFile(HostPath(SAVEINDEX_DAMAGED_FILE)).size(), 200u);
    SaveIndexUninit();
}

TEST(SaveIndex, UnterminatedTextsAreCutInsideTheirBuffers)
{
    TempHome home;
    ASSERT_TRUE(MakeParentFolders(HostPath(SAVEINDEX_FILE)));
    ASSERT_TRUE(WriteTextFile(HostPath(SAVEINDEX_FILE), std::string(1694, 'z')));
    SaveIndexInit();
    ASSERT_EQ(LoadIndexFile(), 0);
    EXPECT_EQ(std::strlen(SaveIndex[0].name), 49u);
    EXPECT_EQ(std::strlen(SaveIndex[10].description), 100u);
    SaveIndexUninit();
}

TEST(SaveLoad, CancellingTheNameFieldLeavesTheIndexFileAsItWas)
{
    TempHome home;
    SaveIndexInit();
    SaveLoadInit();
    std::snprintf(SaveIndex[2].name, SAVEINDEX_NAME_BYTES, "Ancienne");
    std::snprintf(SaveIndex[2].description, SAVEINDEX_DESCRIPTION_BYTES, "avant");
    SaveIndex[2].used = 1;
    ASSERT_EQ(SaveIndexFile(), 0);
    const std::string before = IndexBytes();
    SaveLoadHooks.saveGame = FakeSave;
    SaveLoadHooks.message = FakeMessage;
    s_saveResult = -5;
    s_savedSlot = -1;
    SaveLoad.savingSlot = 2;
    SaveLoad.previous = SaveIndex[2];
    std::snprintf(SaveIndex[2].name, SAVEINDEX_NAME_BYTES, "Nouvelle");
    EXPECT_EQ(SaveLoad_NameEntered(0), EXM_CODE_REDRAW);  // a cancelled field saves nothing
    EXPECT_EQ(IndexBytes(), before);
    EXPECT_EQ(s_savedSlot, -1);
    SaveLoadUninit();
    SaveIndexUninit();
}
