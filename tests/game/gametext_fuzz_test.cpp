// tests/game/gametext_fuzz_test.cpp: damaged message and commentary images, made by seeded
// mutations of the generated files, are refused or read without a byte outside the image.
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/blockfile.h"
#include "engine/debug.h"
#include "engine/random.h"
#include "game/hooks.h"
#include "game/textmess.h"
#include "gamecode/comments/commtable.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int MUTATIONS_PER_KIND = 150;

Bytes Generated(void (*generator)(MkFileSet*))
{
    MkFileSet set;
    generator(&set);
    for (const std::vector<MkFile>& archive : set.archives) {
        if (!archive.empty()) return archive[0].bytes;
    }
    return {};
}

// Truncation, bit flips, extension, or an extreme value written over an aligned word: the shapes
// a cut download, a bad sector or a hand-edited file take.
Bytes Mutate(Bytes bytes, std::mt19937* random)
{
    const auto below = [random](size_t n) { return n == 0 ? 0 : size_t((*random)() % n); };
    switch ((*random)() % 4) {
        case 0: bytes.resize(below(bytes.size())); break;
        case 1:
            for (size_t flips = 1 + below(4); flips > 0 && !bytes.empty(); --flips) {
                bytes[below(bytes.size())] ^= uint8_t(1u << below(8));
            }
            break;
        case 2:
            for (size_t extra = 1 + below(64); extra > 0; --extra) {
                bytes.push_back(uint8_t((*random)()));
            }
            break;
        default:
            if (bytes.size() >= 4) {
                const uint32_t extremes[] = {0,
                                             1,
                                             0x7FFFFFFF,
                                             0xFFFFFFFF,
                                             uint32_t(bytes.size()),
                                             uint32_t(bytes.size() - 1),
                                             uint32_t((*random)())};
                const uint32_t value = extremes[below(std::size(extremes))];
                std::memcpy(&bytes[below(bytes.size() / 4) * 4], &value, 4);
            }
            break;
    }
    return bytes;
}

// The image with one of its blocks mutated and the container rebuilt around it, so that the
// checksum holds and the block checks of the loader are the ones that must catch the damage.
Bytes MutateOneBlock(const Bytes& image, const char* type, uint32_t version,
                     std::vector<const char*> tags, std::mt19937* random)
{
    std::vector<BlockFileView> views;
    for (const char* tag : tags) {
        views.push_back({tag, nullptr, 0, true});
    }
    EXPECT_EQ(BlockFileViewImage(image.data(), image.size(), type, version, views.data(),
                                 int32_t(views.size())),
              BLOCKFILE_OK);
    std::vector<Bytes> contents;
    for (const BlockFileView& view : views) {
        contents.emplace_back(view.data, view.data + view.size);
    }
    const size_t victim = (*random)() % contents.size();
    contents[victim] = Mutate(contents[victim], random);
    std::vector<BlockFileBlock> blocks;
    for (size_t i = 0; i < tags.size(); ++i) {
        blocks.push_back({tags[i], contents[i].data(), uint32_t(contents[i].size())});
    }
    return BlockFileImage(type, version, blocks.data(), int32_t(blocks.size()));
}

// Every text, developer text and message group of the loaded table, read to its end.
size_t ReadWholeMessageTable()
{
    size_t total = 0;
    for (int32_t n = 0; n < TEXT_INTERFACE_COUNT; ++n) {
        total += std::strlen(GetMessageText(n));
    }
    for (int32_t k = 0; k < 256; ++k) {
        total += std::strlen(GetMessageText(TEXT_DEV_BASE + k));
    }
    for (int32_t group = 0; group < TEXTMESS_GROUP_COUNT; ++group) {
        total += std::strlen(TextMess_PickRandom(group));
    }
    return total;
}

// Every template, and every group list walked the way the speaker walks it, up to its -1.
size_t ReadWholeCommentaryTable()
{
    size_t total = 0;
    for (int32_t id = 0; id < COMM_TEMPLATES_PER_LANGUAGE; ++id) {
        total += std::strlen(Comm_GetTemplate(id));
    }
    for (int32_t group = 0; group < COMM_GROUP_COUNT; ++group) {
        const int16_t* list = CommTable_GetGroupList(group);
        for (int k = 0; list[k] != -1; ++k) {
            total += std::strlen(Comm_GetTemplate(list[k]));
        }
    }
    return total;
}

class GameTextFuzz : public testing::Test {
protected:
    void SetUp() override
    {
        ResetCoreForTest();
        GameHooks_Reset();
        TextMess_Init();
        CommTable_Init();
        DebugSetLevel(DBG_GENERAL, 0);
        SRand(4242);
    }
    void TearDown() override
    {
        CommTable_Uninit();
        TextMess_Uninit();
        GameHooks_Reset();
        ResetCoreForTest();
    }
};

TEST_F(GameTextFuzz, DamagedMessageImagesAreRefusedOrReadWithinBounds)
{
    const Bytes valid = Generated(MkGenerateMessages);
    ASSERT_TRUE(TextMess_LoadImage(valid.data(), valid.size()));
    const std::string first = GetMessageText(0);
    std::mt19937 random(20261206);
    int refused = 0;
    for (int i = 0; i < 2 * MUTATIONS_PER_KIND; ++i) {
        const Bytes damaged = i < MUTATIONS_PER_KIND
                                  ? Mutate(valid, &random)
                                  : MutateOneBlock(valid, TEXTMESS_FILE_TYPE, TEXTMESS_FILE_VERSION,
                                                   {"LANG", "TXT0", "DEVT", "GRPS"}, &random);
        if (TextMess_LoadImage(damaged.data(), damaged.size())) {
            ReadWholeMessageTable();
            ASSERT_TRUE(TextMess_LoadImage(valid.data(), valid.size()));
        } else {
            ++refused;
            EXPECT_EQ(GetMessageText(0), first) << "a refused image replaced the table";
        }
    }
    EXPECT_GT(refused, MUTATIONS_PER_KIND / 2);
}

TEST_F(GameTextFuzz, DamagedCommentaryImagesAreRefusedOrReadWithinBounds)
{
    const Bytes valid = Generated(MkGenerateComments);
    ASSERT_TRUE(CommTable_LoadImage(valid.data(), valid.size()));
    const std::string first = Comm_GetTemplate(0);
    std::mt19937 random(20261207);
    int refused = 0;
    for (int i = 0; i < 2 * MUTATIONS_PER_KIND; ++i) {
        const Bytes damaged = i < MUTATIONS_PER_KIND
                                  ? Mutate(valid, &random)
                                  : MutateOneBlock(valid, COMM_FILE_TYPE, COMM_FILE_VERSION,
                                                   {"TMPL", "GRPS"}, &random);
        if (CommTable_LoadImage(damaged.data(), damaged.size())) {
            ReadWholeCommentaryTable();
            ASSERT_TRUE(CommTable_LoadImage(valid.data(), valid.size()));
        } else {
            ++refused;
            EXPECT_EQ(Comm_GetTemplate(0), first) << "a refused image replaced the table";
        }
    }
    EXPECT_GT(refused, MUTATIONS_PER_KIND / 2);
}

// A group list the speaker could run off: no end mark in its six words, an id outside the
// block, or no id at all (a draw among none).
TEST_F(GameTextFuzz, CommentaryGroupListsThatCannotBeSpokenAreRefused)
{
    const Bytes valid = Generated(MkGenerateComments);
    BlockFileView views[] = {{"TMPL", nullptr, 0, true}, {"GRPS", nullptr, 0, true}};
    ASSERT_EQ(
        BlockFileViewImage(valid.data(), valid.size(), COMM_FILE_TYPE, COMM_FILE_VERSION, views, 2),
        BLOCKFILE_OK);
    const Bytes templates(views[0].data, views[0].data + views[0].size);
    const auto withList = [&](int group, std::vector<int16_t> list) {
        std::vector<int16_t> groups(views[1].size / 2);
        std::memcpy(groups.data(), views[1].data, views[1].size);
        std::copy(list.begin(), list.end(), groups.begin() + COMM_GROUP_LIST * group);
        const BlockFileBlock blocks[] = {{"TMPL", templates.data(), uint32_t(templates.size())},
                                         {"GRPS", groups.data(), uint32_t(groups.size() * 2)}};
        return BlockFileImage(COMM_FILE_TYPE, COMM_FILE_VERSION, blocks, 2);
    };
    for (const auto& [group, list] : std::vector<std::pair<int, std::vector<int16_t>>>{
             {0, {0, 1, 2, 3, 4, 5}},
             {339, {1695, 1696, 1697, 1698, 1700, -1}},
             {17, {-1, 85, 86, 87, 88, 89}},
             {200, {1000, -7, 1002, 1003, 1004, -1}}}) {
        const Bytes image = withList(group, list);
        EXPECT_FALSE(CommTable_LoadImage(image.data(), image.size())) << group;
    }
    const Bytes shorter = withList(5, {25, 26, -1, 0, 0, 0});
    EXPECT_TRUE(CommTable_LoadImage(shorter.data(), shorter.size()));
}

}  // namespace
