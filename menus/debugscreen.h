// menus/debugscreen.h: the developer's debug screen (option 52), reached from the office's header
// while the unattended run is on: the fixed score of the human's next match and the message
// tester, which prints the game's news messages with random parameters; and the way into the
// screens that no player menu opens.
#pragma once

#include <cstdint>

struct MenuHotspot;
struct MenuItem;

constexpr int16_t OPTION_DEBUG_SCREEN = 52;
constexpr int32_t DEBUG_TESTER_GROUP_MAX = 149;  // the highest message group the tester shows

struct DebugScreenState {
    int16_t shownHome;  // INT16_MIN: nothing shown
    int16_t shownAway;
    int16_t group;  // the tester's message group, 0 .. DEBUG_TESTER_GROUP_MAX
};
extern DebugScreenState DebugScreen;  // owned by DebugScreen

void DebugScreenInit();
void DebugScreenUninit();

// The build: a fresh one switches the fixed score off; the shown goals are the fixed ones while
// it is on, nothing otherwise.
void DebugScreen_Init();
int32_t DebugScreen_Back(MenuHotspot* hotspot);  // the office: 6
// The screens that no player menu opens: 6 to the player-evolution screen, the team-training
// grid or the best players.
int32_t Debug_PlayerEvolution(MenuHotspot* hotspot);
int32_t Debug_TrainingGrid(MenuHotspot* hotspot);
int32_t Debug_BestPlayers(MenuHotspot* hotspot);
// The human's injury list and finances, each run over the screen: 6 when it left for another
// option, else 2; nothing without a post.
int32_t Debug_InjuryList(MenuHotspot* hotspot);
int32_t Debug_Finances(MenuHotspot* hotspot);
// The help panel and the club's contract terms, each run over the screen until closed: 2.
int32_t Debug_HelpPanel(MenuHotspot* hotspot);
int32_t Debug_ContractTerms(MenuHotspot* hotspot);
// The tester's loop until Y: 2. Messages it shows never reach the human's news.
int32_t Debug_TestMessages(MenuHotspot* hotspot);

const MenuItem* DebugScreen_Table();  // option 52
