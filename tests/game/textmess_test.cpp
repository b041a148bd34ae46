// tests/game/textmess_test.cpp: text numbers, names, message groups and the inbox, over the
// tables that mkdata builds from data/.
#include "game/textmess.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/debug.h"
#include "engine/random.h"
#include "game/hooks.h"
#include "game/textformat.h"
#include "tests/support/support.h"
#include "tools/mkdata/gametext.h"

namespace {

std::vector<uint8_t> Generated(void (*generator)(MkFileSet*), const char* name)
{
    MkFileSet set;
    generator(&set);
    for (const MkFile& file : set.archives[MkArchiveFor(name)]) {
        if (file.name == name) return file.bytes;
    }
    return {};
}

const std::vector<uint8_t>& Messages()
{
    static const std::vector<uint8_t> bytes = Generated(MkGenerateMessages, "lang\\messages.dat");
    return bytes;
}

const std::vector<uint8_t>& Names()
{
    static const std::vector<uint8_t> bytes = Generated(MkGenerateNames, "stats\\names.dat");
    return bytes;
}

// A small person and club table standing in for the game database.
bool TestPerson(int id, int* initial, int* nameIndex, const char** fullName)
{
    if (id == 0) {
        *fullName = "Jean Manager";
        return true;
    }
    if (id > 100) return false;
    *initial = id % 27;
    *nameIndex = id * 150;
    return true;
}

const char* TestClub(int team) { return team == 7 ? "AS Valdorne" : "FC Test"; }

constexpr NameSource kTestSource = {TestPerson, TestClub};

std::string Cp1252(const char* utf8)  // the few accented letters the tests quote
{
    std::string out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
        if (*p == 0xC3) {
            out.push_back(static_cast<char>(*++p + 0x40));
        } else {
            out.push_back(static_cast<char>(*p));
        }
    }
    return out;
}

// A "$" that starts no code TextMess knows ("$$" aside).
bool HasUnknownCode(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '$') continue;
        if (i + 1 < text.size() && text[i + 1] == '$') {
            ++i;
            continue;
        }
        const bool digit = i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '3';
        if (!digit || i + 2 >= text.size() || std::strchr("tpmnx", text[i + 2]) == nullptr)
            return true;
    }
    return false;
}

// A "$<digit><letter>" left in an expanded text.
bool HasLeftoverCode(const std::string& text)
{
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        if (text[i] == '$' && std::isdigit(static_cast<unsigned char>(text[i + 1]))
            && std::islower(static_cast<unsigned char>(text[i + 2])))
            return true;
    }
    return false;
}

class TextMessTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetCoreForTest();
        GameHooks_Reset();
        TextMess_Init();
        ASSERT_TRUE(TextMess_LoadImage(Messages().data(), Messages().size()));
        Names_SetBuffer(reinterpret_cast<const char*>(Names().data()));
    }
    void TearDown() override
    {
        TextMess_Uninit();
        Names_SetBuffer(nullptr);
        GameHooks_Reset();
        ResetCoreForTest();
    }
};

std::string Surname(int index)
{
    return std::string(reinterpret_cast<const char*>(&Names()[size_t(index) * 17]));
}

// Accents, trailing blanks, codes and the last of each range, as the data files hold them.
TEST_F(TextMessTest, QuotedTextsComeBackByteForByte)
{
    const std::vector<std::pair<int, const char*>> quoted = {
        {0, "Quitter"},
        {30, "Entraîneur"},
        {151, "Extérieur "},
        {359, "24ème "},
        {693, "Remplaçer %s par %s"},
        {1261, "$0p a démissionné de $0t"},
        {1262, "$0p a quitté $1t pour $0t pour $0m"},
        {1500, "0-15"},
        {1888, "%s n'ont pas encore disputés de match officiel"},
        {1999, "Ecraser fichier existant ?"},
        {2318, "Belge"},
        {1329, "Personnalisé 12"},
    };
    for (const auto& [number, text] : quoted) {
        EXPECT_EQ(GetMessageText(number), Cp1252(text)) << number;
    }
}

TEST_F(TextMessTest, EveryInterfaceTextIsShortNonEmptyAndUsesKnownCodes)
{
    int held = 0;
    DebugSetLevel(DBG_GENERAL, 0);
    for (int n = 0; n < TEXT_INTERFACE_COUNT; ++n) {
        const std::string text = GetMessageText(n);
        if (text.empty()) continue;
        ++held;
        EXPECT_LT(text.size(), 299u) << n;
        EXPECT_FALSE(HasUnknownCode(text)) << n << ": " << text;
    }
    EXPECT_GT(held, 1100);
}

// Numbers the screens compute (base + index) or read from their tables: a gap would show an
// empty label.
TEST_F(TextMessTest, TextsTheScreensIndexAllExist)
{
    std::vector<int> numbers;
    const auto range = [&numbers](int first, int count, int step = 1) {
        for (int i = 0; i < count; ++i) {
            numbers.push_back(first + i * step);
        }
    };
    range(2, 7);      // weekdays
    range(9, 12);     // months
    range(21, 7);     // short weekdays
    range(200, 16);   // injuries
    range(263, 4);    // ordinal suffixes
    range(336, 24);   // ordinals
    range(1640, 6);   // info bar: restarts
    range(1650, 1);   // info bar: shoot-out kick
    range(1652, 4);   // info bar: the two-name lines, fouls
    range(2310, 96);  // nationalities
    for (int country = 0; country < 9; ++country) {
        range(2410 + 10 * country, 7);  // competitions
        range(2500 + 20 * country, 6);  // short division names
        range(2510 + 20 * country, 6);  // long division names
    }
    // The label of every match-record field.
    for (int n :
         {1985, 246,  1983, 958,  959,  243,  1984, 956,  944,  946,  953,  940,  942,  943,
          948,  1986, 937,  1429, 1428, 1987, 1988, 1989, 922,  923,  1990, 631,  64,   1991,
          914,  945,  969,  935,  1992, 947,  1993, 966,  1994, 941,  1995, 1982, 1981, 1980,
          1653, 1407, 1979, 1978, 1977, 1976, 1400, 1405, 1975, 1975, 936,  1408, 957,  1973,
          1972, 72,   1970, 1971, 1969, 963,  1486, 1968, 1967, 1966, 1538, 1391, 1486}) {
        numbers.push_back(n);
    }
    // The menu bar's labels, and the long names of the match-analysis columns.
    for (int n : {89,   0,    1015, 700,  29,   497, 1314, 445,  294,  1216, 791,  1014, 252,  136,
                  1476, 795,  28,   888,  741,  762, 764,  1817, 1833, 1834, 1469, 157,  1681, 1682,
                  167,  79,   423,  426,  427,  833, 834,  1050, 1409, 1412, 1420, 1415, 1416, 911,
                  1592, 1421, 1413, 1414, 1430, 954, 1432, 1433, 1417, 1425, 1422, 1424}) {
        numbers.push_back(n);
    }
    for (int n : numbers) {
        EXPECT_STRNE(GetMessageText(n), "") << n;
    }
}

TEST_F(TextMessTest, TextNumberRangesResolve)
{
    TextMess_SetNameSource(&kTestSource);
    EXPECT_STREQ(GetMessageText(-1), "");
    EXPECT_STREQ(GetMessageText(-500), "");
    EXPECT_EQ(GetMessageText(3000 + 1), "A. " + Surname(150));
    EXPECT_EQ(GetMessageText(3000 + 27), Surname(27 * 150));
    EXPECT_EQ(GetMessageText(3000 + 26), "Z. " + Surname(26 * 150));
    EXPECT_STREQ(GetMessageText(3000), "Jean Manager");
    EXPECT_STREQ(GetMessageText(28007), "AS Valdorne");
    EXPECT_STREQ(GetMessageText(28000 + 1046), "");
    for (int k = 0; k < 104; ++k) {
        EXPECT_STREQ(GetMessageText(29200 + k), GetMessageText(k)) << k;
    }
    EXPECT_STREQ(GetMessageText(29304), "Money");
    EXPECT_STREQ(GetMessageText(29304 + 2), "Pick Team");
}

TEST_F(TextMessTest, TwoNamesShareOneLine)
{
    TextMess_SetNameSource(&kTestSource);
    const char* first = GetMessageText(28007);
    const char* second = GetMessageText(3000 + 1);
    EXPECT_STREQ(first, "AS Valdorne");
    EXPECT_EQ(second, "A. " + Surname(150));
}

TEST_F(TextMessTest, AGapWarnsOnceHoweverOftenItIsAsked)
{
    DebugSetLevel(DBG_GENERAL, 1);
    testing::internal::CaptureStdout();
    for (int i = 0; i < 3; ++i) {
        EXPECT_STREQ(GetMessageText(2999), "");
        EXPECT_STREQ(GetMessageText(29304 + 5000), "");
    }
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Warning: GetMessageText(): no text 2999\n"
                   "Warning: GetMessageText(): no text 34304\n");
}

TEST_F(TextMessTest, NamesWithoutASourceAreEmptyWithAWarning)
{
    DebugSetLevel(DBG_GENERAL, 1);
    testing::internal::CaptureStdout();
    EXPECT_STREQ(GetMessageText(3005), "");
    EXPECT_STREQ(GetMessageText(28003), "");
    EXPECT_STREQ(GetMessageText(3005), "");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, "Warning: GetMessageText(): no name source for 3005\n"
                   "Warning: GetMessageText(): no name source for 28003\n");
}

TEST_F(TextMessTest, EveryGroupExpandsFullyWithRandomParameters)
{
    TextMess_SetNameSource(&kTestSource);
    DebugSetLevel(DBG_GENERAL, 0);
    SRand(1234);
    for (int group = 0; group < TEXTMESS_GROUP_COUNT; ++group) {
        for (int i = 0; i < 20; ++i) {
            TextMessParams params{};
            for (int d = 0; d < 4; ++d) {
                params.team[d] = static_cast<int16_t>(Rand() % TEXT_CLUB_COUNT);
                params.person[d] = static_cast<int16_t>(Rand() % 100);
                params.money[d] = Rand() * 1000;
                params.number[d] = Rand() % 100;
                params.textNo[d] = static_cast<int16_t>(200 + Rand() % 16);
            }
            TextMess_SetParams(params);
            const std::string text = TextMess_PickRandom(group);
            EXPECT_LE(text.size(), 511u);
            EXPECT_FALSE(HasLeftoverCode(text)) << group << ": " << text;
        }
    }
}

TEST_F(TextMessTest, AnEmptyGroupTakesNoRandomDraw)
{
    SRand(77);
    const uint32_t before = RandState();
    EXPECT_STREQ(TextMess_PickRandom(30), "");
    EXPECT_STREQ(TextMess_PickRandom(150), "");
    EXPECT_STREQ(TextMess_PickRandom(-1), "");
    EXPECT_EQ(RandState(), before);
    TextMess_PickRandom(0);
    EXPECT_NE(RandState(), before);
}

const char* g_shown;
void RememberShown(const char* text) { g_shown = text; }
const char* MoneyInEuros(int32_t value)
{
    static char text[32];
    std::snprintf(text, sizeof text, "%d EUR", value);
    return text;
}

TEST_F(TextMessTest, ShownMessagesReachTheHookAndTheLastFiftyStayInOrder)
{
    TextMess_SetNameSource(&kTestSource);
    GameHooks.ShowMessage = RememberShown;
    GameHooks.FormatMoney = MoneyInEuros;
    for (int i = 0; i < 60; ++i) {
        TextMessParams params{};
        params.number[0] = i;
        TextMess_SetParams(params);
        TextMess_PickRandom(12);  // youth players joined: every text holds "$0n"
        TextMess_ShowForHumans();
        EXPECT_STREQ(g_shown, TextMess_InboxLine(TextMessNews.count - 1));
    }
    EXPECT_EQ(TextMessNews.count, 50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_NE(std::string(TextMess_InboxLine(i)).find(std::to_string(i + 10)),
                  std::string::npos)
            << TextMess_InboxLine(i);
    }
    EXPECT_STREQ(TextMess_InboxLine(50), "");

    TextMessParams params{};
    params.person[0] = 1;
    params.team[0] = 7;
    params.money[0] = 1500;
    TextMess_SetParams(params);
    SRand(3);
    const std::string sold = TextMess_PickRandom(7);
    EXPECT_NE(sold.find("1500 EUR"), std::string::npos) << sold;
    EXPECT_NE(sold.find("AS Valdorne"), std::string::npos) << sold;
}

}  // namespace
