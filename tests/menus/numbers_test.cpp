#include "menus/numbers.h"

#include <string>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "game/textmess.h"
#include "menus/menupc.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

// The currency sign (text 434) before the rest.
std::string Money(const std::string& rest) { return GetMessageText(434) + rest; }

TEST(Numbers, PriceKeepsUpToThreeDecimalsWithoutTrailingZeros)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_STREQ(GetMessageText(434), "\x80");
    EXPECT_EQ(Price2str(1500), Money("1.5K"));
    EXPECT_EQ(Price2str(1005), Money("1.005K"));
    EXPECT_EQ(Price2str(1050), Money("1.05K"));
    EXPECT_EQ(Price2str(1550), Money("1.55K"));
    EXPECT_EQ(Price2str(999), Money("999"));
    EXPECT_EQ(Price2str(0), Money("0"));
    EXPECT_EQ(Price2str(2500300), Money("2.5M"));
    EXPECT_EQ(Price2str(-2500300), "-" + Money("2.5M"));
    EXPECT_EQ(Price2str(2000000000), Money("2Md"));
    EXPECT_EQ(Price2str(-2147483647 - 1), "-" + Money("2.147Md"));
}

TEST(Numbers, ShortPriceShowsOneDecimalWheneverTheNextGroupIsNonZero)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_STREQ(Price2strShort(1050), "1.0K");
    EXPECT_STREQ(Price2strShort(1500), "1.5K");
    EXPECT_STREQ(Price2strShort(1000), "1K");
    EXPECT_STREQ(Price2strShort(-1500), "-1.5K");
    EXPECT_STREQ(Price2strShort(-5), "-5");
    EXPECT_STREQ(Price2strShort(2500300), "2.5M");
    EXPECT_STREQ(Price2strShort(0), GetMessageText(433));
    EXPECT_STREQ(Price2strShort(0), "Grat.");
}

TEST(Numbers, OrdinalsTakeTheirSuffixFromTheLastDigits)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_EQ(std::string(Ordinal2Str(1)), std::string("1") + GetMessageText(263));
    EXPECT_EQ(std::string(Ordinal2Str(2)), std::string("2") + GetMessageText(264));
    EXPECT_EQ(std::string(Ordinal2Str(23)), std::string("23") + GetMessageText(265));
    EXPECT_EQ(std::string(Ordinal2Str(11)), std::string("11") + GetMessageText(266));
    EXPECT_EQ(std::string(Ordinal2Str(21)), std::string("21") + GetMessageText(263));
    EXPECT_EQ(std::string(Ordinal2Str(112)), std::string("112") + GetMessageText(266));
    EXPECT_EQ(std::string(Ordinal2Str(13)), std::string("13") + GetMessageText(266));
}

TEST(Numbers, LongPriceShowsEveryGroup)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_EQ(Price2strLong(1234567), Money("1,234,567"));
    EXPECT_EQ(Price2strLong(1000005), Money("1,000,005"));
    EXPECT_EQ(Price2strLong(999), Money("999"));
    EXPECT_EQ(Price2strLong(0), Money("0"));
    EXPECT_EQ(Price2strLong(-2147483647 - 1), "-" + Money("2,147,483,648"));
}

TEST(Numbers, NumberTypeChoosesTheFormAndResultsShareOneBuffer)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    EXPECT_STREQ(Number2Str(-42), "-42");
    SetDrawAttribute(3, 1);
    EXPECT_EQ(Number2Str(1500), Money("1.5K"));
    SetDrawAttribute(3, 2);
    EXPECT_STREQ(Number2Str(1500), "1.5K");
    SetDrawAttribute(3, 3);
    EXPECT_EQ(std::string(Number2Str(3)), std::string("3") + GetMessageText(265));
    SetDrawAttribute(3, 4);
    EXPECT_STREQ(Number2Str(2007), "07");
    const char* first = Number2Str(2007);
    const char* second = Number2Str(1999);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "99");
}

TEST(NumbersDeathTest, UnknownNumberTypeIsFatal)
{
    ScopedMenus menus(DDRAW_KIND_16BIT);
    SetDrawAttribute(3, 5);
    EXPECT_FATAL(Number2Str(1), "Number2Str(): Invalid number type (5)");
}

}  // namespace
