// menus/news.cpp: the news box and the news builders of the day's events.
#include "menus/news.h"

#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/poll.h"
#include "engine/timer.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/matchblocks.h"
#include "game/textmess.h"
#include "menus/hotregion.h"
#include "menus/machine.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/numbers.h"

NewsBoxRecord NewsBox;

namespace {

constexpr int32_t TEXT_PLAYER_MISSING = 1265;
constexpr int32_t TEXT_MANAGER_APPOINTED = 1266;
constexpr int32_t TEXT_MANAGER_SACKED = 1260;
constexpr int32_t TEXT_MANAGER_RESIGNED = 1261;
constexpr int32_t TEXT_SOLD_FOR_FEE = 1262;
constexpr int32_t TEXT_SOLD = 1263;
constexpr int32_t TEXT_LOANED = 1264;
constexpr int32_t TEXT_SIGNED_FREE = 1267;
constexpr int32_t BOX_ICON = 1;
constexpr int32_t BOX_X = 320;
constexpr int32_t BOX_Y = 240;
constexpr int32_t BOX_MARGIN_X = 30;
constexpr int32_t BOX_MARGIN_TOP = 25;
constexpr int32_t LINE_GAP = 5;
constexpr int32_t NEWS_FONT = 1;
constexpr int32_t OTHER_COUNTRY_GROUP = 6;

struct NewsState {
    int32_t linesAdded;  // read by the scripts of whole-program runs
};
NewsState s_news;

const char* ClubName(int32_t club) { return GetMessageText(VTW_ClubNameTextNo(VTW_GetTeam(club))); }

// The division a club's news counts for: clubs abroad, and no club, share group 6.
int32_t NewsGroup(int32_t club)
{
    if (club < 0 || club >= CLUB_ID_COUNT || VTW_GetClubCountry(club) != VTW_GetCountry())
        return OTHER_COUNTRY_GROUP;
    return VTW_GetClubDivision(club);
}

bool ConcernsHuman(int32_t clubA, int32_t clubB)
{
    if (MessageFilter != 0) return true;
    const int32_t division = VTW_GetClubDivision(GameState.humanClub);
    return NewsGroup(clubA) == division || NewsGroup(clubB) == division;
}

struct CodeValue {
    const char* code;
    const char* value;  // null: the template has no such code
};

void Announce(int32_t textNo, const CodeValue (&values)[4])
{
    char text[NEWS_MESSAGE_BYTES];
    MessageBox_CopyLine(text, textNo);
    for (const CodeValue& v : values) {
        if (v.code != nullptr) News_ReplaceCode(text, v.code, v.value);
    }
    MessageBox_AddLine(text);
}

void WaitPause()
{
    const uint32_t start = TickCount;
    while (TickCount - start < NEWS_PAUSE_TICKS) {
        WaitMenuTick();
    }
}

}  // namespace

void NewsInit()
{
    s_news = {};
    MessageBox_Reset();
}

void NewsUninit() { NewsInit(); }

void MessageBox_Reset() { NewsBox = {}; }

void MessageBox_CopyLine(char* dest, int32_t textNo)
{
    const char* text = GetMessageText(textNo);
    const size_t length = std::strlen(text);
    if (length >= NEWS_MESSAGE_BYTES - 1)
        FatalError("J_MN20: Text line %d is too long for message buffer", textNo);
    std::memcpy(dest, text, length + 1);
}

void News_ReplaceCode(char* text, const char* code, const char* value)
{
    char* at = std::strstr(text, code);
    if (at == nullptr) return;
    char out[NEWS_MESSAGE_BYTES];
    std::snprintf(out, sizeof out, "%.*s%s%s", static_cast<int>(at - text), text, value,
                  at + std::strlen(code));
    std::memcpy(text, out, sizeof out);
}

void MessageBox_AddLine(const char* text)
{
    const int32_t slot = NewsBox.write;
    NewsBox.stamps[slot] = TickCount;
    const int32_t oldest = (slot + 1) % NEWS_LINES;
    if (NewsBox.stamps[slot] - NewsBox.stamps[oldest] < NEWS_PAUSE_TICKS)
        NewsBox.flags |= NEWS_PAUSE;
    std::snprintf(NewsBox.lines[slot], NEWS_LINE_BYTES, "%s", text);
    NewsBox.write = static_cast<int8_t>(oldest);
    if (oldest == 0) NewsBox.flags |= NEWS_WRAPPED;
    if (NewsBox.flags & NEWS_WRAPPED) NewsBox.first = NewsBox.write;
    MessageBox_Show();
    ++s_news.linesAdded;
}

void MessageBox_Show()
{
    if (NewsBox.flags & NEWS_PAUSE) {
        WaitPause();
        NewsBox.flags &= static_cast<uint8_t>(~NEWS_PAUSE);
    }
    Poll();
    HidePointer(1);
    int32_t w, h;
    GetIconSize(BOX_ICON, &w, &h);
    DrawAlignedBar(BOX_X, BOX_Y, w, h, MENU_ALIGN_CENTRE);
    DoIcon(BOX_X, BOX_Y, BOX_ICON, MENU_ALIGN_CENTRE);
    const int16_t font = MenuAttr.font;
    SetMenuFont(NEWS_FONT);
    int32_t charWidth, lineHeight;
    GetCharExtent('A', &charWidth, &lineHeight);
    for (int32_t i = 0; i < NEWS_LINES; ++i) {
        const int32_t slot = (NewsBox.first + i) % NEWS_LINES;
        DoTextBox(BOX_X - w / 2 + BOX_MARGIN_X,
                  BOX_Y - h / 2 + BOX_MARGIN_TOP + i * (2 * lineHeight + LINE_GAP),
                  NewsBox.lines[slot], MENU_ALIGN_CENTRE, w - 2 * BOX_MARGIN_X, 2 * lineHeight);
    }
    PresentMenuScreen();
    int16_t x, y;
    uint16_t buttons;
    PointerFrame(&x, &y, &buttons);
    HidePointer(0);
    Poll();
    SetMenuFont(font);
}

void News_PlayerMissing(int32_t club, int32_t player)
{
    if (!ConcernsHuman(club, club)) return;
    Announce(TEXT_PLAYER_MISSING,
             {{"$0t", ClubName(club)}, {"$0p", VTW_FormatPersonName(player)}, {}, {}});
}

void News_ManagerAppointed(int32_t club, int32_t person)
{
    Announce(TEXT_MANAGER_APPOINTED,
             {{"$0t", ClubName(club)}, {"$0p", VTW_FormatPersonName(person)}, {}, {}});
}

void News_ManagerSacked(int32_t club, int32_t person, int32_t kind)
{
    Announce(kind != 0 ? TEXT_MANAGER_SACKED : TEXT_MANAGER_RESIGNED,
             {{"$0t", ClubName(club)}, {"$0p", VTW_FormatPersonName(person)}, {}, {}});
}

void News_PlayerMoved(int32_t player, int32_t oldClub, int32_t newClub, int32_t fee, int32_t loan)
{
    if (!ConcernsHuman(oldClub, newClub)) return;
    const char* name = VTW_FormatPersonName(player);
    const char* to = ClubName(newClub);
    if (loan != 0) {
        Announce(TEXT_LOANED, {{"$0p", name}, {"$0t", to}, {"$1t", ClubName(oldClub)}, {}});
    } else if (oldClub == CLUB_NONE) {
        Announce(TEXT_SIGNED_FREE, {{"$0p", name}, {"$0t", to}, {}, {}});
    } else if (fee > 0) {
        // A fee reads as money whatever number type the screen beneath was drawing with.
        Announce(TEXT_SOLD_FOR_FEE,
                 {{"$0p", name}, {"$1t", ClubName(oldClub)}, {"$0t", to}, {"$0m", Price2str(fee)}});
    } else {
        Announce(TEXT_SOLD, {{"$0p", name}, {"$1t", ClubName(oldClub)}, {"$0t", to}, {}});
    }
}

void News_ShowForHuman(const char* text)
{
    if (AutoRunMode == 0) MessageBox_AddLine(text);
}

int32_t News_LinesAdded() { return s_news.linesAdded; }
