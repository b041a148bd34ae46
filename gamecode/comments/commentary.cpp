// gamecode/comments/commentary.cpp: picking a phrase group's template and expanding its codes.
#include "gamecode/comments/commentary.h"

#include <cstdio>

#include "engine/fatal.h"
#include "engine/random.h"
#include "game/matchblocks.h"
#include "gamecode/comments/commtable.h"
#include "gamecode/matchstate.h"
#include "gamecode/presentation.h"

namespace {

// The context words in the order Comm_Say stores them.
struct CommentaryContext {
    int32_t team[2];    // the side, then its opponent
    int32_t person[2];  // the player, then the second player
    int32_t number;
};

struct CommentaryState {
    CommentaryListener listener;
    CommentaryContext context;
};

CommentaryState s_commentary;

// The source and line the fatal box names; they identify the check, not this file.
constexpr char kAbortSource[] = "gamecode\\comments";
constexpr int32_t kAbortLine = 115;
constexpr int32_t kLastChar = COMMENTARY_LINE_BYTES - 1;

// Appends to CommentaryLine, never past its last character.
struct LineWriter {
    int32_t length = 0;

    void Put(char c)
    {
        if (length < kLastChar) CommentaryLine[length++] = c;
    }
    void PutText(const char* text, int32_t maxBytes)
    {
        for (int32_t i = 0; i < maxBytes && text[i] != '\0'; ++i) {
            Put(text[i]);
        }
    }
};

void PutPerson(LineWriter& line, int32_t digit)
{
    if (digit > 1) return;
    const int32_t person = s_commentary.context.person[digit];
    if (person < 0 || person >= MATCH_OBJECT_COUNT) return;
    line.PutText(MatchPersons[person].name, MATCH_ENTRY_NAME_BYTES);
}

void PutTeam(LineWriter& line, int32_t digit)
{
    if (digit > 1) return;
    const int32_t side = s_commentary.context.team[digit];
    if (side < 0 || side > 1) return;
    line.PutText(GetMatchSidesBlock()->sides[side].teamName, MATCH_TEAM_NAME_BYTES);
}

void PutNumber(LineWriter& line)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", s_commentary.context.number);
    line.PutText(digits, static_cast<int32_t>(sizeof digits));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const char* Comm_Expand(const char* text)
{
    LineWriter line;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != '$') {
            line.Put(*c);
            continue;
        }
        ++c;
        if (*c == '$') {
            line.Put('$');
            continue;
        }
        if (!IsDigit(*c)) FatalAbort(kAbortSource, kAbortLine, "invalid index in message string");
        const int32_t digit = *c - '0';
        ++c;
        if (*c == '\0') break;  // a code cut short by the end of the template ends the line
        if (*c == 'p') PutPerson(line, digit);
        if (*c == 't') PutTeam(line, digit);
        if (*c == 'n') PutNumber(line);
    }
    CommentaryLine[line.length] = '\0';
    return CommentaryLine;
}

void Comm_Say(int32_t group, int32_t side, int32_t player, int32_t player2, int32_t number)
{
    s_commentary.context = {{side, side ^ 1}, {player, player2}, number};
    Match.lastCommentCategory = 0;
    if (CommTable_IsLoaded()) {
        const int16_t* list = CommTable_GetGroupList(group);
        int32_t count = 0;
        while (count < COMM_GROUP_LIST && list[count] != -1) {
            ++count;
        }
        Comm_Expand(Comm_GetTemplate(list[Rand() % count]));
    } else {
        // Without the game data a line costs the same draw, so a match runs the same either way.
        static_cast<void>(Rand() % (COMM_GROUP_LIST - 1));
        CommentaryLine[0] = '\0';
    }
    if (s_commentary.listener != nullptr)
        s_commentary.listener(group, side, player, player2, number);
}

void Comm_SetListener(CommentaryListener listener) { s_commentary.listener = listener; }
