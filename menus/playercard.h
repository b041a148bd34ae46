// menus/playercard.h: the player card, the hub of every action on CurrentPlayer: for the human's
// own players the transfer and loan lists, the asking price, contract talks and release; for
// another club's player a bid, a loan and the shortlist; for the human as player-manager his
// retirement as a player.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuHotspot;
struct MenuListEntry;

constexpr int32_t CARD_STAT_ROWS = 9;
constexpr int32_t CARD_CONTRACT_TALKS_MONTHS = 24;  // talks only below this much contract left
constexpr int32_t CARD_RELEASE_WEEKS_PER_MONTH = 4;
constexpr int32_t CARD_LONG_INJURY_WEEKS = 26;
constexpr int32_t CARD_WAGE_STEP = 25;  // the wage offered to test a player's interest
constexpr int32_t CARD_OFFER_MONTHS = 24;

// Refusal and confirmation texts.
constexpr int32_t TEXT_CARD_ON_LOAN = 1130;
constexpr int32_t TEXT_CARD_NO_BORROW = 1135;
constexpr int32_t TEXT_CARD_LOAN_TOO_MANY = 1141;
constexpr int32_t TEXT_CARD_NO_BID = 1143;
constexpr int32_t TEXT_CARD_NO_INTEREST = 1149;
constexpr int32_t TEXT_CARD_TOO_MANY = 1152;
constexpr int32_t TEXT_CARD_NO_TALKS = 1158;
constexpr int32_t TEXT_CARD_NO_CONTRACT = 1163;
constexpr int32_t TEXT_CARD_NO_MONEY = 1168;
constexpr int32_t TEXT_CARD_RETIRED = 1121;
constexpr int32_t TEXT_CARD_CAREER_OVER = 1122;

// Whose player the card shows, which decides its actions.
enum CardCase : int32_t {
    CARD_OWN_PLAYER,      // of the human's club
    CARD_OTHER_PLAYER,    // of any other club, club 255 included
    CARD_PLAYER_MANAGER,  // the human himself, still playing
    CARD_NOT_AVAILABLE,   // the human no longer playing, or without a post
};
CardCase Card_CaseOf(int32_t player);

void PlayerCardInit();  // figures view, nothing composed
void PlayerCardUninit();

// The build: the texts of CurrentPlayer and the buttons of his case; every build the figures.
void Card_Init();
int32_t Card_Done(MenuHotspot* hotspot);        // to CardReturnOption
int32_t Card_ToggleView(MenuHotspot* hotspot);  // figures or skills

// The decisions behind the entries: the refusal's text, 0 when done and the card stays, or
// CARD_LEAVES when MenuOption was set to the screen that carries on (negotiations, talks).
constexpr int32_t CARD_LEAVES = -1;
// Buy: 1143 when a condition fails (squad of 32, a closed period, his own or the
// player-manager, a wage above the highest offer, in or a full recent list, no wage, a seller
// left with 16); 1149 without interest (his sales entry dropped); 1152 without a free slot, a
// free information row or with five bidders. A player with a value leads to the negotiations;
// one without (club 255 always) is bid for at 0.
int32_t Card_TryBuy(int32_t player);
// Borrow: 1135 unless loan-listed, within the wage offer and new to the recent list; 1141
// without room to bid; else the loan bid.
int32_t Card_TryBorrow(int32_t player);
// Contract talks: 1158 unless his club is the human's, he has a wage or the youth officer a
// contract, the club's contract clause is set, he is not the player-manager, his wage is
// within the highest offer and fewer than 24 months are left.
int32_t Card_TryContractTalks(int32_t player);

// The actions, as popup entries: 2 when the card stays, 6 when it is left for MenuOption.
int32_t Card_ToggleLoanList(MenuListEntry* entry);
int32_t Card_ToggleTransferList(MenuListEntry* entry);
int32_t Card_SetPrice(MenuListEntry* entry);
int32_t Card_ContractTalks(MenuListEntry* entry);
int32_t Card_Release(MenuListEntry* entry);
int32_t Card_Buy(MenuListEntry* entry);
int32_t Card_Borrow(MenuListEntry* entry);
int32_t Card_Shortlist(MenuListEntry* entry);
int32_t Card_Retire(MenuListEntry* entry);

// The label of a statistic row (0-8) and column (0-1) in the view shown.
const char* Card_StatLabel(int32_t row, int32_t column);

MenuListEntry* Card_OwnPopup();
MenuListEntry* Card_OtherPopup();
MenuListEntry* Card_HistoryPopup();

const MenuItem* PlayerCard_Table();  // option 4
