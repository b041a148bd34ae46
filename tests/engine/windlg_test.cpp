// Dialog templates: the chooser's bytes against a golden dump, read back field by field, and the
// builder's fatal texts.
#include "engine/windlg.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/memory.h"
#include "tests/support/menu_loop.h"
#include "tests/support/support.h"

namespace {

uint32_t Read16(const WinDlgTemplate& dialog, uint32_t at)
{
    return static_cast<uint32_t>(dialog.bytes[at] | dialog.bytes[at + 1] << 8);
}

// The wide string at `*at`, moved past its terminator; characters above 0xFF as "<U+xxxx>".
std::string ReadWide(const WinDlgTemplate& dialog, uint32_t* at)
{
    std::string text;
    for (uint32_t c; (c = Read16(dialog, *at)) != 0; *at += 2) {
        char escaped[16];
        std::snprintf(escaped, sizeof escaped, "<U+%04X>", c);
        text += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string(escaped);
    }
    *at += 2;
    return text;
}

struct Item {
    uint32_t offset;
    uint32_t style;
    int32_t x, y, width, height;
    uint32_t id, itemClass;
    std::string text;
};

std::vector<Item> ReadItems(const WinDlgTemplate& dialog, std::string* font)
{
    uint32_t at = WINDLG_HEADER_BYTES;
    *font = ReadWide(dialog, &at);
    std::vector<Item> items;
    for (uint32_t i = 0; i < Read16(dialog, 4); ++i) {
        at = (at + 3) & ~3u;
        Item item{};
        item.offset = at;
        item.style = Read16(dialog, at) | Read16(dialog, at + 2) << 16;
        item.x = static_cast<int16_t>(Read16(dialog, at + 4));
        item.y = static_cast<int16_t>(Read16(dialog, at + 6));
        item.width = static_cast<int16_t>(Read16(dialog, at + 8));
        item.height = static_cast<int16_t>(Read16(dialog, at + 10));
        item.id = Read16(dialog, at + 12);
        item.itemClass = Read16(dialog, at + 14);
        at += WINDLG_ITEM_BYTES;
        item.text = ReadWide(dialog, &at);
        items.push_back(item);
    }
    EXPECT_EQ(at, dialog.size);  // nothing after the last item
    return items;
}

class WinDlg : public testing::Test {
protected:
    void SetUp() override { MemoryInit(); }
    void TearDown() override { MemoryUninit(); }

private:
    ScopedCore m_core;
};

using WinDlgDeathTest = WinDlg;

TEST_F(WinDlg, ChooserTemplateHoldsItsSevenItems)
{
    WinDlgTemplate dialog{};
    WinDlg_BuildChooser(&dialog);
    EXPECT_EQ(Read16(dialog, 10), 300u);  // the dialog's width and height
    EXPECT_EQ(Read16(dialog, 12), 170u);
    std::string font;
    const std::vector<Item> items = ReadItems(dialog, &font);
    EXPECT_EQ(font, "Helv");
    struct Expected {
        int32_t x, y, width, height;
        uint32_t id, itemClass;
        const char* text;
    };
    const Expected expected[] = {
        {5, 5, 290, 140, WINDLG_ID_GROUP, WINDLG_BUTTON, ""},
        {10, 15, 280, 40, WINDLG_ID_CARDS, WINDLG_LIST_BOX, ""},
        {10, 60, 280, 40, WINDLG_ID_DEVICES, WINDLG_LIST_BOX, ""},
        {10, 105, 280, 35, WINDLG_ID_DESCRIPTION, WINDLG_STATIC, ""},
        {180, 150, 55, 15, WINDLG_ID_OK, WINDLG_BUTTON, "OK"},
        {240, 150, 55, 15, WINDLG_ID_CANCEL, WINDLG_BUTTON, "Cancel"},
    };
    ASSERT_EQ(items.size(), 6u);  // the header is the dialog, the seventh record
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(items[i].offset % 4, 0u);
        EXPECT_EQ(items[i].x, expected[i].x);
        EXPECT_EQ(items[i].y, expected[i].y);
        EXPECT_EQ(items[i].width, expected[i].width);
        EXPECT_EQ(items[i].height, expected[i].height);
        EXPECT_EQ(items[i].id, expected[i].id);
        EXPECT_EQ(items[i].itemClass, expected[i].itemClass);
        EXPECT_EQ(items[i].text, expected[i].text);
    }
    EXPECT_NE(items[3].style & WINDLG_SUNKEN, 0u);
    EXPECT_NE(items[4].style & WINDLG_DEFAULT, 0u);
    EXPECT_EQ(items[5].style & WINDLG_DEFAULT, 0u);

    std::string dump;
    for (uint32_t i = 0; i < dialog.size; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x%c", dialog.bytes[i], i % 16 == 15 ? '\n' : ' ');
        dump += hex;
    }
    ExpectGoldenText("engine/chooser_template", dump + "\n");
    WinDlgFree(&dialog);
    EXPECT_EQ(dialog.bytes, nullptr);
    EXPECT_EQ(MemoryStats().blocks, 0u);
}

TEST_F(WinDlg, TextsConvertFromTheGameCodePage)
{
    WinDlgTemplate dialog{};
    WinDlgStart(&dialog, WINDLG_MODAL, 0, 0, 10, 10, 8, "Caf\xE9");
    WinDlgAppendItem(&dialog, 0, 0, 0, 0, 7, WINDLG_VISIBLE, WINDLG_STATIC, "\x80 \x9F \xFF \x81");
    WinDlgAppendItem(&dialog, 0, 0, 1, 1, 8, WINDLG_VISIBLE, WINDLG_STATIC, "a");
    std::string font;
    const std::vector<Item> items = ReadItems(dialog, &font);
    EXPECT_EQ(font, "Caf<U+00E9>");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "<U+20AC> <U+0178> <U+00FF> <U+0081>");
    EXPECT_EQ(items[1].offset % 4, 0u);  // "a" follows a 4-byte-odd text: padded
    WinDlgFree(&dialog);
    WinDlgFree(&dialog);  // safe twice
}

TEST_F(WinDlgDeathTest, BadTextsAndSizesAreFatal)
{
    const auto build = [](const char* text, int32_t width, int32_t height) {
        WinDlgTemplate dialog{};
        WinDlgStart(&dialog, WINDLG_MODAL, 0, 0, 10, 10, 8, "Helv");
        WinDlgAppendItem(&dialog, 0, 0, width, height, 1, WINDLG_VISIBLE, WINDLG_BUTTON, text);
    };
    EXPECT_FATAL(build(nullptr, 1, 1),
                 "WinDlgAppendString(): -ve sized string after conversion to WCHAR");
    EXPECT_FATAL(build("x", -1, 1), "WinDlgAppendItem(): can't add item with -ve size");
    EXPECT_FATAL(build("x", 1, -1), "WinDlgAppendItem(): can't add item with -ve size");
}

}  // namespace
