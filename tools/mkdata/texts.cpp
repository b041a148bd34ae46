// tools/mkdata/texts.cpp: "lang\messages.dat" from the interface texts, the developer texts and
// the message groups under data/messages/.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/blockfile.h"
#include "engine/codepage.h"
#include "game/textmess.h"
#include "tools/mkdata/gametext.h"
#include "tools/mkdata/textsource.h"

namespace {

constexpr const char* FR_FILE = "messages/fr.txt";
constexpr const char* DEV_FILE = "messages/dev.txt";
constexpr const char* GROUPS_FILE = "messages/groups.txt";

// The text between the quotes that start at text[start], with \" and \\ undone; false when the
// closing quote is missing, an escape is unknown or anything follows the closing quote.
bool ParseQuoted(const std::string& text, size_t start, std::string* out)
{
    if (start >= text.size() || text[start] != '"') return false;
    out->clear();
    for (size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] == '\\') {
            if (i + 1 >= text.size() || (text[i + 1] != '"' && text[i + 1] != '\\')) return false;
            out->push_back(text[++i]);
        } else if (text[i] == '"') {
            return i + 1 == text.size();
        } else {
            out->push_back(text[i]);
        }
    }
    return false;
}

// Converts and checks one text; the build fails naming the line.
std::string GameText(const std::string& utf8, const char* file, int line)
{
    std::string text;
    if (!CodePageFromUtf8(utf8, &text)) MkFailAt(file, line, "a character outside code page 1252");
    if (text.size() > static_cast<size_t>(TEXT_MAX_LENGTH)) {
        MkFailAt(file, line, "a text of 299 characters or more");
    }
    return text;
}

void ReadInterfaceTexts(std::vector<std::string>* texts, std::vector<bool>* present)
{
    texts->assign(TEXT_INTERFACE_COUNT, {});
    present->assign(TEXT_INTERFACE_COUNT, false);
    for (const MkSourceLine& line : MkReadSourceLines(FR_FILE)) {
        const size_t space = line.text.find(' ');
        char* end = nullptr;
        const long number = std::strtol(line.text.c_str(), &end, 10);
        std::string utf8;
        if (space == std::string::npos || end != line.text.c_str() + space || number < 0
            || number >= TEXT_INTERFACE_COUNT || !ParseQuoted(line.text, space + 1, &utf8)) {
            MkFailAt(FR_FILE, line.number, "expected: N \"text\" with N 0-2999");
        }
        if ((*present)[number]) MkFailAt(FR_FILE, line.number, "a number given twice");
        (*texts)[number] = GameText(utf8, FR_FILE, line.number);
        (*present)[number] = true;
    }
}

std::vector<std::string> ReadDevTexts()
{
    std::vector<std::string> texts;
    for (const MkSourceLine& line : MkReadSourceLines(DEV_FILE)) {
        std::string utf8;
        if (!ParseQuoted(line.text, 0, &utf8))
            MkFailAt(DEV_FILE, line.number, "expected: \"text\"");
        texts.push_back(GameText(utf8, DEV_FILE, line.number));
    }
    return texts;
}

void PutU16(std::vector<uint8_t>* out, uint16_t value)
{
    out->push_back(static_cast<uint8_t>(value));
    out->push_back(static_cast<uint8_t>(value >> 8));
}

// "group G: N N N": every group 0-149 at most once, each number a text the table holds.
std::vector<uint8_t> GroupsBlock(const std::vector<bool>& present)
{
    std::vector<std::vector<uint16_t>> groups(TEXTMESS_GROUP_COUNT);
    std::vector<bool> seen(TEXTMESS_GROUP_COUNT, false);
    for (const MkSourceLine& line : MkReadSourceLines(GROUPS_FILE)) {
        int group = -1;
        int used = 0;
        if (std::sscanf(line.text.c_str(), "group %d:%n", &group, &used) != 1 || used == 0
            || group < 0 || group >= TEXTMESS_GROUP_COUNT) {
            MkFailAt(GROUPS_FILE, line.number, "expected: group G: N N N with G 0-149");
        }
        if (seen[group]) MkFailAt(GROUPS_FILE, line.number, "a group given twice");
        seen[group] = true;
        const char* at = line.text.c_str() + used;
        for (char* end = nullptr;; at = end) {
            const long number = std::strtol(at, &end, 10);
            if (end == at) break;
            if (number < 0 || number >= TEXT_INTERFACE_COUNT || !present[number]) {
                MkFailAt(GROUPS_FILE, line.number, "a text number without a text");
            }
            groups[group].push_back(static_cast<uint16_t>(number));
        }
        if (*at != '\0' || groups[group].empty()
            || groups[group].size() > static_cast<size_t>(TEXTMESS_GROUP_MAX_TEXTS)) {
            MkFailAt(GROUPS_FILE, line.number, "expected 1-16 text numbers");
        }
    }
    std::vector<uint8_t> block;
    PutU16(&block, TEXTMESS_GROUP_COUNT);
    for (const std::vector<uint16_t>& group : groups) {
        PutU16(&block, static_cast<uint16_t>(group.size()));
        for (uint16_t number : group) {
            PutU16(&block, number);
        }
    }
    return block;
}

void PutU32(std::vector<uint8_t>* out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<uint8_t>(value >> shift));
    }
}

}  // namespace

std::vector<uint8_t> MkTextTableBlock(const std::vector<std::string>& texts,
                                      const std::vector<bool>& present)
{
    std::vector<uint8_t> block;
    PutU32(&block, static_cast<uint32_t>(texts.size()));
    std::vector<uint8_t> pool;
    for (size_t i = 0; i < texts.size(); ++i) {
        PutU32(&block, present[i] ? static_cast<uint32_t>(pool.size()) : 0xFFFFFFFF);
        if (!present[i]) continue;
        pool.insert(pool.end(), texts[i].begin(), texts[i].end());
        pool.push_back(0);
    }
    block.insert(block.end(), pool.begin(), pool.end());
    return block;
}

void MkGenerateMessages(MkFileSet* set)
{
    std::vector<std::string> interfaceTexts;
    std::vector<bool> present;
    ReadInterfaceTexts(&interfaceTexts, &present);
    const std::vector<std::string> devTexts = ReadDevTexts();

    std::vector<uint8_t> languages;
    PutU32(&languages, 1);  // only the French block exists
    const std::vector<uint8_t> texts = MkTextTableBlock(interfaceTexts, present);
    const std::vector<uint8_t> dev =
        MkTextTableBlock(devTexts, std::vector<bool>(devTexts.size(), true));
    const std::vector<uint8_t> groups = GroupsBlock(present);
    const BlockFileBlock blocks[] = {
        {"LANG", languages.data(), static_cast<uint32_t>(languages.size())},
        {"TXT0", texts.data(), static_cast<uint32_t>(texts.size())},
        {"DEVT", dev.data(), static_cast<uint32_t>(dev.size())},
        {"GRPS", groups.data(), static_cast<uint32_t>(groups.size())},
    };
    MkAddFile(set, "lang\\messages.dat",
              BlockFileImage(TEXTMESS_FILE_TYPE, TEXTMESS_FILE_VERSION, blocks, 4));
}
