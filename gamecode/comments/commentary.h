// gamecode/comments/commentary.h: the commentary line: a phrase group's template picked at random
// and its "$" codes expanded with the names and the number of the moment.
#pragma once

#include <cstdint>

// Says a line of group `group` (0-339) about `side` (its opponent is side xor 1), persons `player`
// and `player2` (-1 none) and `number`: one draw picks one of the group's templates, whose
// expansion replaces CommentaryLine. Without a loaded table the draw still happens and the line
// is empty. The listener hears every call. Match.lastCommentCategory returns to 0: a caller whose
// line has a category sets it afterwards.
void Comm_Say(int32_t group, int32_t side, int32_t player, int32_t player2, int32_t number);

// Expands `text` with the context of the last Comm_Say into CommentaryLine and returns it: "$$"
// writes "$", "$0p"/"$1p" the player's/second player's name, "$0t"/"$1t" the side's/opponent's
// team name, "$<digit>n" the number; a digit with any other letter writes nothing. The line stops
// at 199 characters; a template that ends right after "$" and a digit ends there. A person outside
// 0-36, a side outside 0-1 or a digit other than 0 and 1 writes nothing. A "$" followed by anything
// else is fatal "invalid index in message string".
const char* Comm_Expand(const char* text);

// A test seam, null in production: it hears every Comm_Say with its arguments.
using CommentaryListener = void (*)(int32_t group, int32_t side, int32_t player, int32_t player2,
                                    int32_t number);
void Comm_SetListener(CommentaryListener listener);
