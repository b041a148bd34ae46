// game/textmess.cpp: the message table, text numbers, the news messages and the human's inbox.
#include "game/textmess.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstring>

#include "engine/blockfile.h"
#include "engine/debug.h"
#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/random.h"
#include "game/hooks.h"
#include "game/savegame.h"
#include "game/textformat.h"

NewsInbox TextMessNews;

namespace {

constexpr uint32_t NO_TEXT = 0xFFFFFFFF;
constexpr int32_t PERSON_ID_COUNT = TEXT_CLUB_BASE - TEXT_PERSON_BASE;
constexpr int32_t ALIAS_COUNT = TEXT_DEV_BASE - TEXT_ALIAS_BASE;
constexpr size_t WARNED_NUMBERS = 65536;  // numbers beyond share the last flag

// One table of NUL-terminated texts: `count` u32 offsets into the pool, checked at load.
struct TextTable {
    const uint8_t* offsets;
    const char* pool;
    uint32_t count;
};

struct MessageGroup {
    uint16_t count;
    uint16_t textNo[TEXTMESS_GROUP_MAX_TEXTS];
};

struct TextMessState {
    uint8_t* file;  // the tracked block of "lang\messages.dat"
    TextTable interfaceTexts;
    TextTable devTexts;
    MessageGroup groups[TEXTMESS_GROUP_COUNT];
    const NameSource* names;
    TextMessParams params;
    char picked[TEXTMESS_BUFFER_BYTES];
    std::bitset<WARNED_NUMBERS> warned;
};

TextMessState s_textMess;

uint32_t ReadU32(const uint8_t* at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

uint16_t ReadU16(const uint8_t* at)
{
    uint16_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// A table block: u32 count, u32 offset[count], then the pool; every offset must start a text
// that ends inside the pool.
bool TakeTable(const BlockFileView& view, TextTable* table)
{
    if (view.size < 4) return false;
    const uint32_t count = ReadU32(view.data);
    if ((view.size - 4) / 4 < count) return false;
    const uint8_t* offsets = view.data + 4;
    const char* pool = reinterpret_cast<const char*>(offsets + 4 * size_t{count});
    const size_t poolSize = view.size - 4 - 4 * size_t{count};
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t offset = ReadU32(offsets + 4 * size_t{i});
        if (offset == NO_TEXT) continue;
        if (offset >= poolSize || std::memchr(pool + offset, '\0', poolSize - offset) == nullptr)
            return false;
    }
    *table = {offsets, pool, count};
    return true;
}

// u16 group count, then per group u16 n and n u16 text numbers.
bool TakeGroups(const BlockFileView& view, MessageGroup (&groups)[TEXTMESS_GROUP_COUNT])
{
    size_t at = 2;
    if (view.size < at || ReadU16(view.data) != TEXTMESS_GROUP_COUNT) return false;
    for (MessageGroup& group : groups) {
        if (view.size - at < 2) return false;
        group.count = ReadU16(view.data + at);
        at += 2;
        if (group.count > TEXTMESS_GROUP_MAX_TEXTS || (view.size - at) / 2 < group.count)
            return false;
        for (uint16_t i = 0; i < group.count; ++i, at += 2) {
            group.textNo[i] = ReadU16(view.data + at);
        }
    }
    return at == view.size;
}

const char* TableText(const TextTable& table, int32_t index)
{
    if (index < 0 || static_cast<uint32_t>(index) >= table.count) return nullptr;
    const uint32_t offset = ReadU32(table.offsets + 4 * size_t(index));
    return offset == NO_TEXT ? nullptr : table.pool + offset;
}

const char* WarnOnce(int32_t textNo, const char* why)
{
    const size_t flag = std::min<size_t>(static_cast<size_t>(textNo), WARNED_NUMBERS - 1);
    if (!s_textMess.warned[flag]) {
        s_textMess.warned[flag] = true;
        DebugPrintf(DBG_GENERAL, 1, "Warning: GetMessageText(): %s %d\n", why, textNo);
    }
    return "";
}

const char* PersonText(int32_t textNo)
{
    const NameSource* source = s_textMess.names;
    if (source == nullptr) return WarnOnce(textNo, "no name source for");
    int initial = 0;
    int nameIndex = 0;
    const char* fullName = nullptr;
    if (!source->person(textNo - TEXT_PERSON_BASE, &initial, &nameIndex, &fullName)) {
        return WarnOnce(textNo, "no text");
    }
    char* out = TextFormat_NextBuffer();
    if (fullName != nullptr) {
        std::snprintf(out, NAME_TEXT_BYTES, "%s", fullName);
    } else {
        Names_FormatPerson(initial, nameIndex, out);
    }
    return out;
}

const char* ClubText(int32_t textNo)
{
    if (s_textMess.names == nullptr) return WarnOnce(textNo, "no name source for");
    return VTW_FormatClubName(textNo - TEXT_CLUB_BASE);
}

const char* TableTextOrWarn(const TextTable& table, int32_t index, int32_t textNo)
{
    const char* text = TableText(table, index);
    return text ? text : WarnOnce(textNo, "no text");
}

// Appends `text` to the expansion, never past the buffer's last byte.
void Append(char* out, size_t* at, const char* text)
{
    while (*text != '\0' && *at < TEXTMESS_BUFFER_BYTES - 1) {
        out[(*at)++] = *text++;
    }
}

// The text a "$<d><letter>" code stands for, or null when the letter is no code.
const char* CodeText(int d, char letter, char (&number)[16])
{
    const TextMessParams& p = s_textMess.params;
    switch (letter) {
        case 't': return VTW_FormatClubName(p.team[d]);
        case 'p':
            if (p.person[d] < 0 || p.person[d] >= PERSON_ID_COUNT) return "";
            return GetMessageText(TEXT_PERSON_BASE + p.person[d]);
        case 'm': return GameHooks.FormatMoney(p.money[d]);
        case 'n': std::snprintf(number, sizeof number, "%d", p.number[d]); return number;
        // French nouns take the plural from two on: "1 match", "0 match", "2 matchs".
        case 's': return p.number[d] >= 2 || p.number[d] <= -2 ? "s" : "";
        case 'x': return GetMessageText(p.textNo[d]);
        default: return nullptr;
    }
}

void Expand(const char* text, char* out)
{
    size_t at = 0;
    while (*text != '\0' && at < TEXTMESS_BUFFER_BYTES - 1) {
        if (text[0] == '$' && text[1] == '$') {
            out[at++] = '$';
            text += 2;
            continue;
        }
        if (text[0] == '$' && text[1] >= '0' && text[1] <= '3' && text[2] != '\0') {
            char number[16];
            const char* code = CodeText(text[1] - '0', text[2], number);
            if (code != nullptr) {
                Append(out, &at, code);
                text += 3;
                continue;
            }
        }
        out[at++] = *text++;
    }
    out[at] = '\0';
}

}  // namespace

void TextMess_Init()
{
    TextMess_Uninit();
    s_textMess.names = nullptr;
    s_textMess.params = {};
    s_textMess.picked[0] = '\0';
    s_textMess.warned.reset();
    s_textMess.interfaceTexts = {};
    s_textMess.devTexts = {};
    std::memset(s_textMess.groups, 0, sizeof s_textMess.groups);
    TextMess_ClearInbox();
}

void TextMess_Uninit()
{
    if (s_textMess.file != nullptr) FreeMemory(&s_textMess.file);
    s_textMess.interfaceTexts = {};
    s_textMess.devTexts = {};
}

void TextMess_Load()
{
    if (s_textMess.file != nullptr) FreeMemory(&s_textMess.file);
    const int32_t size = PakLoadFile("lang\\messages.dat", &s_textMess.file, MEM_TYPE_FILE);
    if (!TextMess_LoadImage(s_textMess.file, static_cast<size_t>(size)))
        FatalError("TextMess_Load(): 'lang\\messages.dat' is damaged");
}

bool TextMess_LoadImage(const void* image, size_t size)
{
    BlockFileView views[] = {{"LANG", nullptr, 0, true},
                             {"TXT0", nullptr, 0, true},
                             {"DEVT", nullptr, 0, true},
                             {"GRPS", nullptr, 0, true}};
    if (BlockFileViewImage(image, size, TEXTMESS_FILE_TYPE, TEXTMESS_FILE_VERSION, views, 4)
        != BLOCKFILE_OK)
        return false;
    TextTable interfaceTexts;
    TextTable devTexts;
    MessageGroup groups[TEXTMESS_GROUP_COUNT];
    const bool ok = views[0].size == 4 && ReadU32(views[0].data) == 1
                    && TakeTable(views[1], &interfaceTexts)
                    && interfaceTexts.count == TEXT_INTERFACE_COUNT
                    && TakeTable(views[2], &devTexts) && TakeGroups(views[3], groups);
    if (!ok) {
        DebugPrintf(DBG_GENERAL, 1, "Warning: TextMess_LoadImage(): the tables are malformed\n");
        return false;
    }
    s_textMess.interfaceTexts = interfaceTexts;
    s_textMess.devTexts = devTexts;
    std::memcpy(s_textMess.groups, groups, sizeof groups);
    return true;
}

const char* GetMessageText(int32_t textNo)
{
    if (textNo < 0) return "";
    if (textNo < TEXT_INTERFACE_COUNT) {
        return TableTextOrWarn(s_textMess.interfaceTexts, textNo, textNo);
    }
    if (textNo < TEXT_CLUB_BASE) return PersonText(textNo);
    if (textNo < TEXT_ALIAS_BASE) return ClubText(textNo);
    if (textNo < TEXT_DEV_BASE) return GetMessageText(textNo - TEXT_ALIAS_BASE);
    return TableTextOrWarn(s_textMess.devTexts, textNo - TEXT_DEV_BASE, textNo);
}

void TextMess_SetNameSource(const NameSource* source) { s_textMess.names = source; }

int32_t VTW_ClubNameTextNo(int32_t team) { return team == -1 ? -1 : TEXT_CLUB_BASE + team; }

const char* VTW_FormatClubName(int32_t team)
{
    char* out = TextFormat_NextBuffer();
    if (s_textMess.names == nullptr || team < 0 || team >= TEXT_CLUB_COUNT) return out;
    const char* name = s_textMess.names->club(team);
    std::snprintf(out, NAME_TEXT_BYTES, "%s", name ? name : "");
    return out;
}

void TextMess_SetParams(const TextMessParams& params) { s_textMess.params = params; }

TextMessParams TextMess_NoParams()
{
    TextMessParams params{};
    std::fill(std::begin(params.team), std::end(params.team), -1);
    std::fill(std::begin(params.person), std::end(params.person), -1);
    std::fill(std::begin(params.textNo), std::end(params.textNo), -1);
    return params;
}

const char* TextMess_PickRandom(int32_t group)
{
    s_textMess.picked[0] = '\0';
    if (group < 0 || group >= TEXTMESS_GROUP_COUNT || s_textMess.groups[group].count == 0) {
        DebugPrintf(DBG_GENERAL, 1, "Warning: TextMess_PickRandom(): group %d has no texts\n",
                    group);
        return s_textMess.picked;
    }
    const MessageGroup& list = s_textMess.groups[group];
    const int32_t pick = Rand() % list.count;
    Expand(GetMessageText(list.textNo[pick]), s_textMess.picked);
    return s_textMess.picked;
}

void TextMess_ClearInbox() { std::memset(&TextMessNews, 0, sizeof TextMessNews); }

void TextMess_ShowForHumans()
{
    NewsInbox& inbox = TextMessNews;
    std::memcpy(inbox.lines[inbox.next], s_textMess.picked, TEXTMESS_BUFFER_BYTES);
    inbox.next = (inbox.next + 1) % TEXTMESS_INBOX_SIZE;
    if (inbox.count < TEXTMESS_INBOX_SIZE) ++inbox.count;
    GameHooks.ShowMessage(s_textMess.picked);
}

const char* TextMess_InboxLine(int32_t index)
{
    const NewsInbox& inbox = TextMessNews;
    if (index < 0 || index >= inbox.count) return "";
    const int32_t oldest = (inbox.next - inbox.count + TEXTMESS_INBOX_SIZE) % TEXTMESS_INBOX_SIZE;
    return inbox.lines[(oldest + index) % TEXTMESS_INBOX_SIZE];
}

bool TextMess_CheckInbox(const void* block)
{
    const auto& inbox = *static_cast<const NewsInbox*>(block);
    bool valid = SaveCheck_InRange(inbox.count, 0, TEXTMESS_INBOX_SIZE)
                 && SaveCheck_InRange(inbox.next, 0, TEXTMESS_INBOX_SIZE - 1);
    for (const auto& line : inbox.lines) {
        valid = valid && std::memchr(line, '\0', sizeof line) != nullptr;
    }
    return valid;
}
