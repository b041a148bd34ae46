// tests/engine/codepage_test.cpp: Unicode text into the game's character set, at the edges of
// the code page and of UTF-8.
#include "engine/codepage.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(CodePage, EachCharacterHasItsByteOrNone)
{
    const struct {
        uint32_t codePoint;
        int byte;  // -1: none
    } cases[] = {
        {0x1F, -1},     {0x20, 0x20},   {0x7E, 0x7E},   {0x7F, -1},     {0x80, -1},
        {0x9F, -1},     {0xA0, 0xA0},   {0xE9, 0xE9},   {0xFF, 0xFF},   {0x100, -1},
        {0x20AC, 0x80}, {0x201A, 0x82}, {0x0178, 0x9F}, {0x017E, 0x9E}, {0x4E2D, -1},
    };
    for (const auto& c : cases) {
        char byte = 0;
        const bool has = CodePageByteOf(c.codePoint, &byte);
        EXPECT_EQ(has, c.byte >= 0) << std::hex << c.codePoint;
        if (has) {
            EXPECT_EQ(static_cast<uint8_t>(byte), c.byte) << std::hex << c.codePoint;
        }
    }
}

TEST(CodePage, Utf8IsDecodedWholeOrRefused)
{
    const struct {
        std::string utf8;
        bool ok;
        std::string bytes;
    } cases[] = {
        {"", true, ""},
        {"Dupr\xC3\xA9", true, "Dupr\xE9"},
        {"\xE2\x82\xAC"
         "5",
         true,
         "\x80"
         "5"},
        {"\xF0\x9F\x98\x80", false, ""},  // a character the code page lacks
        {"a\xC3", false, ""},             // cut after its lead byte
        {"\xE2\x82", false, ""},          // cut before its last byte
        {"\xC3"
         "A",
         false, ""},          // a continuation that is none
        {"\xFF", false, ""},  // no lead byte at all
        {"a\tb", false, ""},  // a control character
    };
    for (const auto& c : cases) {
        std::string out;
        EXPECT_EQ(CodePageFromUtf8(c.utf8, &out), c.ok) << c.utf8;
        if (c.ok) {
            EXPECT_EQ(out, c.bytes) << c.utf8;
        }
    }
}

}  // namespace
