// game/textmess.h: the message table, text numbers, the news messages and the human's inbox.
#pragma once

#include <cstddef>
#include <cstdint>

// Text numbers.
constexpr int32_t TEXT_INTERFACE_COUNT = 3000;  // 0-2999: interface texts (French)
constexpr int32_t TEXT_PERSON_BASE = 3000;      // + person id: "X. Surname"
constexpr int32_t TEXT_CLUB_BASE = 28000;       // + team number: the club's name
constexpr int32_t TEXT_ALIAS_BASE = 29200;      // + k (k < 104): interface text k
constexpr int32_t TEXT_DEV_BASE = 29304;        // + k: English developer text k
constexpr int32_t TEXT_CLUB_COUNT = 1046;       // team numbers 0-1045 have names
constexpr int32_t TEXT_MAX_LENGTH = 298;        // the news box refuses 299 characters or more

constexpr char TEXTMESS_FILE_TYPE[] = "MSG0";  // "lang\messages.dat", a DAT0 container
constexpr uint32_t TEXTMESS_FILE_VERSION = 1;
constexpr int32_t TEXTMESS_GROUP_COUNT = 150;
constexpr int32_t TEXTMESS_GROUP_MAX_TEXTS = 16;
constexpr int32_t TEXTMESS_BUFFER_BYTES = 512;  // an expanded message, NUL included
constexpr int32_t TEXTMESS_INBOX_SIZE = 50;

// Where person and club names come from: registered by the game database, which owns them.
// `person` gives false for an unknown id; `fullName`, when set non-null, is used as it stands
// (person 0, the manager). `club` gives the name of a team number 0-1045.
struct NameSource {
    bool (*person)(int id, int* initial, int* nameIndex, const char** fullName);
    const char* (*club)(int team);
};

// The parameters that the "$" codes of a message read; teams are team numbers.
struct TextMessParams {
    int16_t team[4];
    int16_t person[4];
    int32_t money[4];
    int32_t number[4];
    int16_t textNo[4];
};

// The last TEXTMESS_INBOX_SIZE messages shown to the human, saved with the game.
struct NewsInbox {
    char lines[TEXTMESS_INBOX_SIZE][TEXTMESS_BUFFER_BYTES];
    int32_t count;  // lines held, at most TEXTMESS_INBOX_SIZE
    int32_t next;   // the slot the next message goes to
};
// The saved inbox's range check (SaveGameCheck): its count and next slot in range, every line
// terminated.
bool TextMess_CheckInbox(const void* block);
extern NewsInbox TextMessNews;  // owned by TextMess: read it here, add through ShowForHumans

// Init forgets the table, the name source, the parameters, the inbox and every warning given;
// Uninit frees the loaded table and is safe without Init and twice.
void TextMess_Init();
void TextMess_Uninit();

// Start-up: loads "lang\messages.dat" from the paks into a tracked block kept for the run. A
// damaged file is fatal: it is installed data that mkdata checked.
void TextMess_Load();
// Takes the table from a "MSG0" image that the caller keeps alive; false, after a log line, when
// the image fails a check.
bool TextMess_LoadImage(const void* image, size_t size);

// The text of a text number (see the constants above); "" for a negative number. A number that
// holds no text gives "" and one warning per number. Names are formatted into a ring of eight
// buffers, so a line may hold several.
const char* GetMessageText(int32_t textNo);

void TextMess_SetNameSource(const NameSource* source);  // null unregisters it

int32_t VTW_ClubNameTextNo(int32_t team);      // TEXT_CLUB_BASE + team; -1 stays -1
const char* VTW_FormatClubName(int32_t team);  // "" outside 0-1045 or without a name source

void TextMess_SetParams(const TextMessParams& params);  // kept until the next call
// Parameters that name no club, person or text (every such word -1) and hold no sum or number.
TextMessParams TextMess_NoParams();

// Picks one text of message group `group` with Rand() and expands its codes into a buffer of
// TEXTMESS_BUFFER_BYTES, cut at its end: "$<d>t" club of team d, "$<d>p" person d, "$<d>m" money
// d through GameHooks.FormatMoney, "$<d>n" number d, "$<d>s" an "s" when number d is 2 or more
// (or -2 or less) so that a noun agrees with it, "$<d>x" text of text number d, "$$" one
// "$" (d 0-3; anything else after "$" is copied unchanged). An unknown or empty group gives ""
// and a warning without drawing a random number.
const char* TextMess_PickRandom(int32_t group);

// Adds the last picked message to TextMessNews and hands it to GameHooks.ShowMessage.
void TextMess_ShowForHumans();
void TextMess_ClearInbox();  // no news: a new career's or a loaded game's start

// The inbox line of the given age order: 0 is the oldest kept; "" outside 0 .. count - 1.
const char* TextMess_InboxLine(int32_t index);
