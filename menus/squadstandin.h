// menus/squadstandin.h: the squad screen as it stands until the full one comes: the human club's
// team sheet by shirt and an automatic selection, so a refused team can always be mended.
#pragma once

#include <cstdint>

struct MenuItem;
struct MenuHotspot;

constexpr int32_t SQUAD_STANDIN_SHIRTS = 16;
constexpr int32_t TEXT_AUTO_SELECT = 2128;

// Club_AISelectTeam on the human's club; the sheet is drawn again.
int32_t SquadStandIn_AutoSelect(MenuHotspot* hotspot);

const MenuItem* SquadStandIn_Table();  // option 7
