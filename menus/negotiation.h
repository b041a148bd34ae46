// menus/negotiation.h: "Négociations", the haggling over a transfer fee turn by turn, the human
// buying CurrentPlayer from another club or selling him to the asking club (RouteClub). A deal
// becomes the buying club's bid, marked agreed, which the market answers the next day.
#pragma once

#include <cstddef>
#include <cstdint>

struct MenuItem;
struct MenuHotspot;

constexpr int32_t NEGOTIATION_INTERESTED_ROWS = 3;
constexpr int32_t NEGOTIATION_DIGITS = 8;
constexpr int32_t TEXT_NEGOTIATION_NO_MONEY = 1115;
constexpr int32_t TEXT_NEGOTIATION_TOO_MANY = 1152;

struct NegotiationState {
    uint16_t buying;  // 1 when the human buys, 0 when he sells
    int32_t offer;    // the buyer's amount
    int32_t demand;   // the seller's amount
    int32_t previousOffer;
    int16_t turn;             // proposals made so far
    uint16_t clause;          // the 25 % sell-on clause is part of the deal
    uint16_t shownClause;     // the clause when the other side last answered
    uint16_t answerComputed;  // 0 makes the next build compute the other side's amount
    int16_t interest;         // 0-100, from the last answer
    uint16_t refusedNotice;   // "Refusé" on the next drawing
    int16_t sellerClub;       // the player's club, 252 for a player from outside the game
    int16_t buyingClub;
    char playerLine[128];
    char interestedRows[NEGOTIATION_INTERESTED_ROWS][96];
    int32_t interestedCount;
    char otherAmount[48];                      // the money text of the side the human does not edit
    uint16_t offerDigits[NEGOTIATION_DIGITS];  // ten-millions first
    uint16_t demandDigits[NEGOTIATION_DIGITS];
    int16_t buyerBadge, sellerBadge;  // icon numbers
    int16_t buyerName, sellerName;    // text numbers
    uint16_t yesMarker, noMarker;     // 9 on the clause's answer, 0 on the other
    const MenuItem* side;             // the layout of the side the human edits
};
extern NegotiationState Negotiation;  // owned by Negotiation; kept while the card is looked at

void NegotiationInit();
void NegotiationUninit();

// The build: the side, a fresh negotiation unless back from the card, the interested clubs; then
// on every build the other side's answer when it is due, and the texts.
void Negotiation_Init();
// A fresh negotiation. Selling: the demand is the request's price, else his value, and the
// asking club answers. Buying: the offer is his value within the money to spend, lowered to
// the seller's demand when that is below.
void Negotiation_Reset();
// The human's own amount: click-state bit 0 adds the step, bit 1 subtracts it. An offer stays
// within the money to spend (1115 when it would pass it) and 0; a demand within 0 and
// MARKET_MONEY_MAX. 2.
int32_t Negotiation_Step(int32_t step, int32_t clickState);
int32_t Negotiation_StepClick(MenuHotspot* hotspot);  // the hotspot's value is the step
// One turn: the other side answers; amounts that round to the same nice money conclude, else
// "Refusé" and 2.
int32_t Negotiation_Propose(MenuHotspot* hotspot);
// The deal at the other side's amount: the bid placed and marked agreed, the sales entry dropped,
// the screen left (6). It stays (2) when the buyer lacks the money (1115), no information row is
// free (1152), a sale would leave the human fewer than 16 players (TEXT_SALE_SQUAD_MIN) or the bid
// is refused.
int32_t Negotiation_Accept(MenuHotspot* hotspot);
int32_t Negotiation_Quit(MenuHotspot* hotspot);  // the sales entry dropped, the screen left
int32_t Negotiation_ShowCard(MenuHotspot* hotspot);
int32_t Negotiation_ToggleClause(MenuHotspot* hotspot);

// Script values: negturn (-1 off the screen), humanbids and humansquad of the human's club.
void Negotiation_RegisterScriptValues();
// "name, nationality, line side, age ans": the player line of the negotiation and the talks.
void Negotiation_FormatPlayerLine(int32_t player, char* out, std::size_t bytes);
// "Refusé" in a half-shaded box once: the notice is cleared as it is drawn.
void Negotiation_DrawRefused(int32_t x, int32_t y, int32_t w, int32_t h, uint16_t* notice);

const MenuItem* Negotiation_Table();  // option 10
