// menus/joboffer.h: the job offer: a club offers the human manager its post, with its figures and
// its squad, for the first job of a new career (mode 0), from the job centre (mode 1) or while
// he is employed elsewhere (mode 2). JobOfferMode (menus/frontend.h) says which.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuHotspot;

constexpr int32_t JOBOFFER_SQUAD_ROWS = 17;
constexpr int32_t JOBOFFER_CUP_ROWS = 4;
constexpr int32_t JOBOFFER_BACKGROUND = 37;
constexpr int32_t TEXT_BOARD_GRANT = 878;
constexpr int32_t GROUP_BOARD_REACTION = 75;

extern uint16_t JobOfferViewFlag;  // 1 while the offering club's calendar is open from here
extern uint8_t JobNewMarkers[2];   // both set when a job is taken: the office reselects the club

struct JobOfferState {
    uint16_t boardReaction;  // 1 once the present board has reacted to a mode 2 offer
    int16_t scroll;          // first squad row shown, 0 .. rows - 17
    int16_t squadRows;
    int16_t cups[JOBOFFER_CUP_ROWS];  // the names of the cups the club plays, -1 past the last
};
extern JobOfferState JobOffer;  // owned by JobOffer

void JobOfferInit();
void JobOfferUninit();

// The handlers, in the order of the screen's controls; each answers a menu loop code.
int32_t JobOffer_PlayerManager(MenuHotspot* hotspot);  // mode 0: the human also plays
int32_t JobOffer_ManagerOnly(MenuHotspot* hotspot);    // mode 0
int32_t JobOffer_Accept(MenuHotspot* hotspot);         // modes 1 and 2
int32_t JobOffer_Refuse(MenuHotspot* hotspot);
int32_t JobOffer_Fixtures(MenuHotspot* hotspot);
int32_t JobOffer_ScrollUp(MenuHotspot* hotspot);
int32_t JobOffer_ScrollDown(MenuHotspot* hotspot);

const MenuItem* JobOffer_Table();  // options 6 and 73
