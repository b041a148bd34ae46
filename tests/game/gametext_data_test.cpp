// tests/game/gametext_data_test.cpp: the generated message, name and commentary files and every
// rule the game relies on.
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

// What the engine passes with each group: a template that names a player the call does not
// give would speak person 0's name, one that prints a number it does not give would say 0.
struct GroupRange {
    int first;
    int last;
};

// clang-format off
constexpr GroupRange kGroupsWithoutPlayers[] = {
    {3, 6}, {24, 26}, {41, 41}, {73, 74},
    {99, 100}, {104, 109}, {115, 118}, {158, 169},
    {173, 200},
};
constexpr GroupRange kGroupsWithTwoPlayers[] = {
    {9, 9}, {11, 13}, {112, 112}, {238, 238}, {281, 284}, {286, 288},
    {290, 292}, {297, 297}, {300, 300}, {309, 311}, {313, 314},
    {317, 321}, {329, 329},
};
constexpr GroupRange kGroupsWithANumber[] = {
    {31, 31}, {39, 39}, {47, 47}, {53, 53}, {59, 59}, {65, 65},
    {71, 71}, {77, 77}, {88, 96}, {114, 114}, {280, 280},
};
// clang-format on

template <size_t N>
bool InRanges(const GroupRange (&ranges)[N], int group)
{
    for (const GroupRange& range : ranges) {
        if (group >= range.first && group <= range.last) return true;
    }
    return false;
}

TEST_F(CommTableTest, TemplatesUseOnlyWhatTheirGroupIsGiven)
{
    for (int g = 0; g < COMM_GROUP_COUNT; ++g) {
        const bool players = !InRanges(kGroupsWithoutPlayers, g);
        const bool second = InRanges(kGroupsWithTwoPlayers, g);
        const bool number = InRanges(kGroupsWithANumber, g);
        for (int k = 0; k < 5; ++k) {
            const std::string text = Comm_GetTemplate(5 * g + k);
            EXPECT_TRUE(players || text.find("$0p") == std::string::npos) << g << ": " << text;
            EXPECT_TRUE(second || text.find("$1p") == std::string::npos) << g << ": " << text;
            EXPECT_TRUE(number || text.find("$0n") == std::string::npos) << g << ": " << text;
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
