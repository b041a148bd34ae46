// tests/game/textformat_test.cpp: money and number formatting at their boundaries, and names.
#include "game/textformat.h"

#include <array>
#include <climits>
#include <string>

#include "tests/support/support.h"

namespace {

TEST(TextFormat, ThousandsAreGroupedByCommas)
{
    EXPECT_STREQ(VTW_FormatThousands(0), "0");
    EXPECT_STREQ(VTW_FormatThousands(-5), "0");
    EXPECT_STREQ(VTW_FormatThousands(999), "999");
    EXPECT_STREQ(VTW_FormatThousands(1000), "1,000");
    EXPECT_STREQ(VTW_FormatThousands(INT32_MAX), "2,147,483,647");
}

TEST(TextFormat, RoundTo25TakesTheNearestMultiple)
{
    EXPECT_EQ(VTW_RoundTo25(12), 0);
    EXPECT_EQ(VTW_RoundTo25(13), 25);
    EXPECT_EQ(VTW_RoundTo25(37), 25);
    EXPECT_EQ(VTW_RoundTo25(38), 50);
    EXPECT_EQ(VTW_RoundTo25(-12), 0);
    EXPECT_EQ(VTW_RoundTo25(-13), -25);
    EXPECT_EQ(VTW_RoundTo25(75), 75);
    EXPECT_EQ(VTW_RoundTo25(INT32_MAX), 2147483625);          // the multiple above does not fit
    EXPECT_EQ(VTW_RoundTo25(INT32_MIN + 2), INT32_MIN + 23);  // -2147483625
}

TEST(TextFormat, RoundMoneyNiceKeepsTwoOrThreeDigits)
{
    EXPECT_EQ(VTW_RoundMoneyNice(0), 0);
    EXPECT_EQ(VTW_RoundMoneyNice(7), 7);
    EXPECT_EQ(VTW_RoundMoneyNice(12345), 12000);
    EXPECT_EQ(VTW_RoundMoneyNice(12500), 13000);
    EXPECT_EQ(VTW_RoundMoneyNice(-12500), -13000);
    EXPECT_EQ(VTW_RoundMoneyNice(99960), 100000);
    EXPECT_EQ(VTW_RoundMoneyNice(100000), 100000);
    EXPECT_EQ(VTW_RoundMoneyNice(1234567), 1230000);
    EXPECT_EQ(VTW_RoundMoneyNice(INT32_MAX), INT32_MAX);
    EXPECT_EQ(VTW_RoundMoneyNice(INT32_MIN), INT32_MIN);
}

TEST(TextFormat, SplitMoneyDigitsClampsToEightDigits)
{
    std::array<uint16_t, 8> digits{};
    VTW_SplitMoneyDigits(12345678, digits.data());
    EXPECT_EQ(digits, (std::array<uint16_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
    VTW_SplitMoneyDigits(-1, digits.data());
    EXPECT_EQ(digits, (std::array<uint16_t, 8>{}));
    VTW_SplitMoneyDigits(100000000, digits.data());
    EXPECT_EQ(digits, (std::array<uint16_t, 8>{9, 9, 9, 9, 9, 9, 9, 9}));
}

TEST(TextFormat, PersonNamesFitTheirBufferAtEveryEdge)
{
    std::string names(NAMES_FILE_BYTES, '\0');
    const std::string longest = "\xC9"
                                "ABCDEFGHIJKLMNO";  // 16 characters, an accent first
    names.replace(size_t(19999) * NAMES_ENTRY_BYTES, longest.size(), longest);
    Names_SetBuffer(names.data());
    char out[NAME_TEXT_BYTES];
    Names_FormatPerson(26, 19999, out);
    EXPECT_EQ(std::string(out), "Z. " + longest);
    Names_FormatPerson(0, 19999, out);
    EXPECT_EQ(std::string(out), longest);
    Names_FormatPerson(1, 20000, out);
    EXPECT_STREQ(out, "");
    Names_FormatPerson(27, 19999, out);
    EXPECT_STREQ(out, "");
    Names_SetBuffer(nullptr);
    Names_FormatPerson(1, 19999, out);
    EXPECT_STREQ(out, "");
}

}  // namespace
