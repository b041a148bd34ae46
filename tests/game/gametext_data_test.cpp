// tests/game/gametext_data_test.cpp: the generated message, name and commentary files: same bytes
// on every run, and every rule the game relies on.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "game/textformat.h"
#include "gamecode/comments/commtable.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"

namespace {

std::vector<MkFile> RunGenerator(void (*generator)(MkFileSet*))
{
    MkFileSet set;
    generator(&set);
    std::vector<MkFile> files;
    for (const std::vector<MkFile>& archive : set.archives) {
        files.insert(files.end(), archive.begin(), archive.end());
    }
    return files;
}

TEST(GameTextData, GeneratorsGiveTheSameBytesTwice)
{
    for (auto generator : {MkGenerateMessages, MkGenerateNames, MkGenerateComments}) {
        const std::vector<MkFile> first = RunGenerator(generator);
        const std::vector<MkFile> second = RunGenerator(generator);
        ASSERT_EQ(first.size(), 1u);
        ASSERT_EQ(second.size(), 1u);
        EXPECT_EQ(first[0].name, second[0].name);
        EXPECT_TRUE(first[0].bytes == second[0].bytes) << first[0].name;
    }
}

TEST(GameTextData, NamesFileHoldsDistinctInventedSurnames)
{
    const std::vector<uint8_t> names = RunGenerator(MkGenerateNames)[0].bytes;
    ASSERT_EQ(names.size(), 340000u);
    std::set<std::string> seen;
    for (int entry = 0; entry < NAMES_ENTRY_COUNT; ++entry) {
        const char* at = reinterpret_cast<const char*>(&names[size_t(entry) * NAMES_ENTRY_BYTES]);
        const std::string name(at, strnlen(at, NAMES_ENTRY_BYTES));
        ASSERT_EQ(at[NAMES_ENTRY_BYTES - 1], '\0') << entry;
        if (entry == 0) {
            EXPECT_TRUE(name.empty());
            continue;
        }
        EXPECT_GE(name.size(), 3u) << entry;
        for (unsigned char c : name) {
            EXPECT_TRUE(
                c >= 0x20 && c != 0x7F
                && (c < 0x80 || c >= 0xA0 || c == 0x8A || c == 0x9A || c == 0x8C || c == 0x9C))
                << entry;
        }
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
    EXPECT_EQ(seen.size(), 19999u);
}

class CommTableTest : public testing::Test {
protected:
    void SetUp() override
    {
        CommTable_Init();
        m_image = RunGenerator(MkGenerateComments)[0].bytes;
        ASSERT_TRUE(CommTable_LoadImage(m_image.data(), m_image.size()));
    }
    void TearDown() override { CommTable_Uninit(); }
    std::vector<uint8_t> m_image;
};

TEST_F(CommTableTest, EveryGroupListsItsFiveTemplatesThenEnds)
{
    for (int g = 0; g < COMM_GROUP_COUNT; ++g) {
        const int16_t* list = CommTable_GetGroupList(g);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(list[k], 5 * g + k);
        }
        EXPECT_EQ(list[5], -1);
    }
}

TEST_F(CommTableTest, EveryTemplateKeepsTheRulesTheEngineRelies)
{
    const std::set<std::string> codes = {"$0p", "$1p", "$0t", "$1t", "$0n"};
    for (int g = 0; g < COMM_GROUP_COUNT; ++g) {
        std::set<std::string> group;
        for (int k = 0; k < 5; ++k) {
            const std::string text = Comm_GetTemplate(5 * g + k);
            EXPECT_GE(text.size(), 1u);
            EXPECT_LE(text.size(), 156u);
            EXPECT_TRUE(group.insert(text).second) << text;
            for (size_t i = text.find('$'); i != std::string::npos; i = text.find('$', i + 2)) {
                const bool dollar = text.compare(i, 2, "$$") == 0;
                EXPECT_TRUE(dollar || codes.count(text.substr(i, 3)) == 1) << text;
                if (!dollar) ++i;
            }
        }
    }
}

TEST_F(CommTableTest, QuotedTemplatesAreInTheirGroups)
{
    const auto inGroup = [](int g, const std::string& text) {
        for (int k = 0; k < 5; ++k) {
            if (text == Comm_GetTemplate(5 * g + k)) return true;
        }
        return false;
    };
    EXPECT_TRUE(inGroup(102, "$0p a marqu\xE9"));
    EXPECT_TRUE(
        inGroup(113, "C'est le deuxi\xE8me carton de la partie pour $0p, il est donc exclu"));
    EXPECT_TRUE(inGroup(114, "$0t est r\xE9"
                             "duit \xE0 $0n joueurs"));
    EXPECT_TRUE(inGroup(159, "Le ballon roule en touche en faveur de $0t"));
}

TEST_F(CommTableTest, EveryLanguageBlockPointsAtTheFrenchStrings)
{
    uint32_t count;
    std::memcpy(&count, m_image.data() + 16 + 12, 4);  // the first block's count
    EXPECT_EQ(count, 11900u);
}

TEST(CommTableDeathTest, ATemplateIdOutsideTheBlockIsFatal)
{
    EXPECT_FATAL(Comm_GetTemplate(0), "Comm_GetTemplate(): no table loaded");
    EXPECT_FATAL(CommTable_GetGroupList(340), "CommTable_GetGroupList(): bad group 340");
}

}  // namespace
