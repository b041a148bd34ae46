// menus/frontend.cpp: the front-end controller: the dispatcher of screens and game steps, the
// splash screens, and the routing after game time has passed.
#include "menus/frontend.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>

#include "engine/fatal.h"
#include "engine/pakfile.h"
#include "engine/script.h"
#include "game/calendar.h"
#include "game/funcs.h"
#include "game/gamestate.h"
#include "game/hooks.h"
#include "game/market.h"
#include "game/matchblocks.h"
#include "game/matchday.h"
#include "game/savegame.h"
#include "game/season.h"
#include "game/shortlist.h"
#include "game/textformat.h"
#include "game/textmess.h"
#include "game/trainingschedule.h"
#include "game/world.h"
#include "gamecode/matchrun.h"
#include "menus/analysistext.h"
#include "menus/besteleven.h"
#include "menus/careerhistory.h"
#include "menus/clubcalendar.h"
#include "menus/clubmatches.h"
#include "menus/clubrecords.h"
#include "menus/contracttalks.h"
#include "menus/contractterms.h"
#include "menus/credits.h"
#include "menus/cupgroups.h"
#include "menus/dayscreen.h"
#include "menus/debugscreen.h"
#include "menus/devscreens.h"
#include "menus/devsoak.h"
#include "menus/exm.h"
#include "menus/finances.h"
#include "menus/fixturelist.h"
#include "menus/friendly.h"
#include "menus/gfxgen.h"
#include "menus/goalcharts.h"
#include "menus/goalstats.h"
#include "menus/historylists.h"
#include "menus/historyrecords.h"
#include "menus/honours.h"
#include "menus/hotregion.h"
#include "menus/individualgrid.h"
#include "menus/individualtraining.h"
#include "menus/jobcentre.h"
#include "menus/joboffer.h"
#include "menus/kits.h"
#include "menus/leaguehistory.h"
#include "menus/leaguetable.h"
#include "menus/machine.h"
#include "menus/matchanalysis.h"
#include "menus/matchgraphs.h"
#include "menus/matchstats.h"
#include "menus/menubar.h"
#include "menus/menucont.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "menus/miscstats.h"
#include "menus/negotiation.h"
#include "menus/newcareer.h"
#include "menus/news.h"
#include "menus/numbers.h"
#include "menus/office.h"
#include "menus/pasttransfers.h"
#include "menus/performance.h"
#include "menus/playercard.h"
#include "menus/playerevolution.h"
#include "menus/playerroles.h"
#include "menus/playersearch.h"
#include "menus/playerstats.h"
#include "menus/postmatch.h"
#include "menus/replayslots.h"
#include "menus/reportscreen.h"
#include "menus/results.h"
#include "menus/saveindex.h"
#include "menus/saveload.h"
#include "menus/setprice.h"
#include "menus/shortlistscreen.h"
#include "menus/squadscreen.h"
#include "menus/staffchoice.h"
#include "menus/tacticseditor.h"
#include "menus/tacticshelp.h"
#include "menus/teamtraining.h"
#include "menus/textinput.h"
#include "menus/timeanalysis.h"
#include "menus/title.h"
#include "menus/traininggrid.h"
#include "menus/trainingprogramme.h"
#include "menus/viewchoice.h"

int16_t MenuOption;
int16_t PreviousOption;
int16_t StartOption;
int16_t CurrentHuman;
uint16_t ClubChangedFlag;
uint16_t PlayerCardOutcome;
uint16_t AdvanceMode;
uint16_t MatchReportPage;
uint16_t JobOfferMode;
uint16_t JobCentreViewFlag;
int16_t CurrentPlayer;
uint16_t CardReturnOption;
int16_t RouteClub;
uint16_t SalesEventFlag;

namespace {

// The day's advance; still the option when "Rencontre du jour" is left by its own button.
constexpr int16_t MENU_OPTION_ADVANCE = 46;
constexpr int32_t TEXT_CREATING_GAME = 749;
constexpr int32_t TEXT_NO_STAFF = 424;
constexpr int32_t TEXT_LOAD_FAILED = 1662;
constexpr int32_t TEXT_SAVE_ADVICE = 1160;
constexpr int32_t TEXT_LOAN_QUESTION = 893;
constexpr int32_t TEXT_LOAN_TO = 894;
constexpr int32_t GROUP_OFFER_LAPSED = 73;
constexpr int32_t GROUP_OFFER_MADE = 74;
constexpr int32_t LOAD_SLOT = 100;
constexpr int32_t LEFT_BUTTON = 1;
constexpr int32_t DIVISION_GAP = 2;
constexpr uint8_t REPORT_PAGE_BITS = 0x60;
constexpr uint8_t REPORT_BIT_MATCH = 0x40;

enum DispatchKind : uint8_t {
    DISPATCH_EMPTY,   // no case: dispatching it is fatal
    DISPATCH_STEP,    // a game step, or a screen with its own code
    DISPATCH_SCREEN,  // a screen table
};

struct DispatchRow {
    int16_t option;
    DispatchKind kind;
    void (*run)();
    const char* title;  // shown in logs
    void (*after)();    // run when the screen is left
    const MenuItem* (*table)();
};

struct FrontEndState {
    int16_t beforePrevious;  // the option dispatched before the current one
    int16_t screen;          // the dispatched screen running, 0 none
    // By option: the option it was last entered from afresh, -1 none; where Escape leads back.
    std::array<int16_t, MENU_OPTION_COUNT> wayBack;
};

FrontEndState s_frontEnd;

int32_t HumanClub() { return VTW_GetClubOfManager(CurrentHuman); }
// Without a post the screens go on showing the club he left: no screen ever shows club -1.
void ResetCurrentClub()
{
    if (HumanClub() >= 0) GameState.currentClub = static_cast<int16_t>(HumanClub());
}

void RunScreen(const MenuItem* table)
{
    EXM_PushMenu(table);
    EXM_RunMenu();
}

// ---------------------------------------------------------------------------------------------
// Game steps.

void NewGame()
{
    SetMenuFont(1);
    SetDrawAttribute(2, 0);
    DoShadedBox(80, 380, 480, 40, 50);
    DrawMenuMessage(320, 400, TEXT_CREATING_GAME, MENU_ALIGN_CENTRE);
    PresentMenuScreen();
    SetBusyPointer(1);
    VTW_NewGame();
    if (MenuOption != MENU_OPTION_QUIT) MenuOption = 5;
    SetBusyPointer(0);
}

void ToSquad() { MenuOption = MENU_OPTION_SQUAD; }

// Today's fixtures one by one, then the day itself, then wherever the day leads.
void PlayToday()
{
    MatchReportState.incidentCount = 0;
    VTW_FindHumanNextFixture();
    int32_t row = 0;
    while (VTW_PlayMatchDay(&row) != 0) {
    }
    VTW_AdvanceDay();
    RouteGameEvents();
}

// "Rencontre du jour" first when today's match is to be played; the day is played only when
// that screen was left by its own button, not through the menu bar.
void AdvanceTime()
{
    if (AdvanceMode == ADVANCE_TODAYS_MATCH) {
        ResultsMode = RESULTS_BEFORE_MATCHES;
        RunScreen(TodaysMatch_Table());
        if (MenuOption != MENU_OPTION_ADVANCE) return;
    }
    Game_AdvanceLoop();
}

void LoadSavedGame()
{
    SetBusyPointer(1);
    if (LoadGame(LOAD_SLOT) < 0) DoMessageBox(GetMessageText(TEXT_LOAD_FAILED), 0);
    MenuOption = MENU_OPTION_OFFICE;
    SetBusyPointer(0);
}

// The chosen slot played in the match view. The state goes back to normal whatever happened, so
// a refused slot cannot turn the next real match into a replay. A replay that played has ended
// through the match loop, which already put it back; a state still "watch" means the slot was
// refused before anything played.
void WatchReplay()
{
    RunMatch3D();
    const bool refused = MatchShared.replayState == REPLAY_WATCH;
    MatchShared.replayState = REPLAY_NORMAL;
    MenuOption = MENU_OPTION_TITLE;
    if (!refused) return;
    DoBackground(TITLE_BACKGROUND);
    CopyBackBuffer();
    PresentMenuScreen();
    DoMessageBox(GetMessageText(TEXT_LOAD_FAILED), 0);
}

// The video options screen, then back where it was opened from.
void VideoOptions()
{
    if (FrontEndScreens.videoOptions != nullptr) FrontEndScreens.videoOptions();
    MenuOption = PreviousOption;
}

// ---------------------------------------------------------------------------------------------
// What runs after a screen is left.

void AfterPlayerCard()
{
    if (PlayerCardOutcome == 1) MenuOption = 10;
    if (PlayerCardOutcome == 2) MenuOption = 14;
    if (MenuOption != 7 && MenuOption != 10 && ClubChangedFlag != 0) {
        ClubChangedFlag = 0;
        ResetCurrentClub();
    }
}

void AfterSquad()
{
    if (MenuOption != 4 && ClubChangedFlag == 1) {
        ClubChangedFlag = 0;
        ResetCurrentClub();
    }
}

void AfterNegotiations()
{
    if (PlayerCardOutcome != 1) RouteGameEvents();
}

void AfterContractTalks()
{
    if (PlayerCardOutcome != 2) RouteGameEvents();
}

void BeforeTraining()
{
    if (HumanClub() >= 0 && StaffChoice_FilledRoles(HumanClub()) == 0)
        DoMessageBox(GetMessageText(TEXT_NO_STAFF), 0);
}

// ---------------------------------------------------------------------------------------------
// The dispatcher.

constexpr DispatchRow Empty(int16_t option)
{
    return {option, DISPATCH_EMPTY, nullptr, "", nullptr, nullptr};
}
constexpr DispatchRow Step(int16_t option, void (*run)(), const char* name)
{
    return {option, DISPATCH_STEP, run, name, nullptr, nullptr};
}
constexpr DispatchRow Table(int16_t option, const char* title, const MenuItem* (*table)(),
                            void (*after)() = nullptr)
{
    return {option, DISPATCH_SCREEN, nullptr, title, after, table};
}

// One screen serves both: the option tells it whether it loads or saves.
const MenuItem* LoadScreen()
{
    SaveLoad_SetMode(1);
    return SaveLoad_Table();
}
const MenuItem* SaveScreen()
{
    SaveLoad_SetMode(0);
    return SaveLoad_Table();
}

// clang-format off
constexpr auto DISPATCH = std::to_array<DispatchRow>({
    Step(0, NewGame, "Nouvelle partie"),
    Table(1, "Choisir le Championnat", CountryChoice_Table),
    Step(MENU_OPTION_TO_SQUAD, ToSquad, "Equipe"),
    Table(3, "Bureau de l'entra\xEEneur", Office_Table),
    Table(4, "Fiche du joueur", PlayerCard_Table, AfterPlayerCard),
    Table(5, "Choisissez une \xE9quipe \xE0 diriger", TeamChoice_Table),
    Table(6, "Offre d'emploi", JobOffer_Table),
    Table(7, "Equipe", Squad_Table, AfterSquad),
    Table(8, "Calendrier", ClubCalendar_Table),
    Table(9, "Classement", LeagueTable_Table),
    Table(10, "N\xE9gociations", Negotiation_Table, AfterNegotiations),
    Table(11, "Rencontres/R\xE9sultats", FixtureList_Table),
    Table(12, "Tableau d'Honneur National", RollOfHonour_Table),
    Table(13, "Choix des entra\xEEneurs", StaffChoice_Table),
    Table(14, "N\xE9gocier contrat", ContractTalks_Table, AfterContractTalks),
    Table(15, "Entra\xEEnement Collectif (grille)", TrainingGrid_Table),
    Table(16, "Entrer nom de l'entra\xEEneur", ManagerName_Table),
    Table(17, "Match amical", Friendly_Table),
    Empty(18),
    Table(19, "Chercher joueur", PlayerSearch_Table),
    Empty(20),
    Table(21, "Analyse stats", PlayerSearch_Table),
    Table(22, "Entra\xEEnement Collectif", TeamTraining_Table),
    Table(23, "Programme d'entra\xEEnement", TrainingProgramme_Table),
    Table(24, "Pelloran", Title_Table),
    Step(25, PlayToday, "Jouer la journ\xE9" "e"),
    Table(26, "Editeur tactique", TacticsEditor_Table),
    Table(27, "Palmar\xE8s du club", ClubRecords_Table),
    Table(28, "Caract\xE9ristiques du joueur", PlayerAttributes_Table),
    Table(29, "Statistiques de buts", GoalStats_Table),
    Table(30, "Statistiques d'affluence", AttendanceStats_Table),
    Table(31, "Statistiques diverses", MiscStats_Table),
    Table(32, "Matchs du club", ClubMatches_Table),
    Empty(33),
    Table(34, "Classement Buteurs", TopScorers_Table),
    Table(35, "Transferts pass\xE9s", PastTransfers_Table),
    Table(36, "Transfert de club", ClubTransfers_Table),
    Table(37, "Meilleurs joueurs", BestPlayers_Table),
    Table(38, "Entra\xEEnement Individuel (grille)", IndividualGrid_Table),
    Table(39, "R\xF4les des joueurs", PlayerRoles_Table),
    Empty(40), Empty(41), Empty(42),
    Table(43, "Le centre de recherche d'emploi", JobCentre_Table),
    Table(44, "Palmar\xE8s Troph\xE9" "e", Trophies_Table),
    Table(45, "Archives championnat", NationalRecords_Table),
    Step(46, AdvanceTime, "Rencontre du jour"),
    Table(47, "Historique Championnat", LeagueHistory_Table),
    Table(48, "Ligue des Champions", CupGroups_Table),
    Table(49, "Charger une partie", LoadScreen),
    Table(50, "Enregistrer", SaveScreen),
    Step(51, LoadSavedGame, "Chargement"),
    Table(52, "Debug Screen", DebugScreen_Table),
    Table(53, "Configuration amicale", FriendlySetup_Table),
    Step(54, MainMenu_PrepareTeams, "Match amical"),
    Table(55, "Ralenti", ReplaySlots_Table),
    Step(56, WatchReplay, "Revoir le match"),
    Table(57, "Carri\xE8re", CareerHistory_Table),
    Table(58, "All Stars", BestEleven_Table),
    Step(59, RouteGameEvents, "Suite"),
    Table(60, "Analyse du match", MatchAnalysis_Table),
    Table(61, "Graphiques", MatchGraphs_Table),
    Table(62, "Rapport du match", MatchReport_Table),
    Table(63, "Money", DevMoney_Table),
    Table(64, "Squads", DevSquads_Table),
    Table(65, "Pick Team", DevPickTeam_Table),
    Table(66, "Club", DevClubSheet_Table),
    Table(67, "Fixtures/Soak", DevSoak_Table),
    Table(68, "R\xE9putation du club", ClubReputation_Table),
    Table(69, "R\xE9putation de l'entra\xEEneur", ManagerReputation_Table),
    Table(70, "Liste r\xE9" "duite", Shortlist_Table),
    Table(71, "Evolution joueur", PlayerEvolution_Table),
    Table(72, "Fixer prix", SetPrice_Table),
    Table(73, "Offre d'emploi", JobOffer_Table),
    Table(74, "Informations club", AnalysisText_Table),
    Table(75, "Liste discipline", DisciplineList_Table),
    Table(76, "Liste des performances moyennes", AveragePerformance_Table),
    Table(77, "Performance", Performance_Table),
    Table(78, "Entr. Individuel", IndividualTraining_Table),
    Table(79, "Reste du Monde", RestOfWorld_Table),
    Table(80, "Statistiques", StatsScreen_Table),
    Table(81, "Statistiques du match", MatchStats_Table),
    Table(82, "Historique Championnat", LeagueHistory_Table),
    Step(83, VideoOptions, "Options vid\xE9o"),
    Table(84, "Aide \xE9" "diteur tactique", TacticsHelp_Table),
});
// clang-format on

static_assert(DISPATCH.size() == MENU_OPTION_COUNT, "one row per option");

consteval bool EveryOptionInPlace()
{
    for (size_t i = 0; i < DISPATCH.size(); ++i) {
        if (DISPATCH[i].option != static_cast<int16_t>(i)) return false;
    }
    return true;
}
static_assert(EveryOptionInPlace(), "an option row is out of order");

// A career's world runs while its manager holds a post, and goes on after a sacking for as long
// as some club would still take him on; a career being set up has not started yet.
bool CareerRunning()
{
    return FrontEnd_HumanHasPost() || (MarketState.sackedDay >= 0 && JobCentre.gameOver == 0);
}

// Where a screen left by Escape goes when its handlers chose nothing (else it would open again at
// once): back to the screen it was opened from. A game step is never run again that way, and a
// running career never falls back to the title screen, which would throw it away; when nothing
// better is known the career's way back is the office, or for a manager without a post the job
// centre.
int16_t EscapeWayBack(int16_t option)
{
    const int16_t from = s_frontEnd.wayBack[option];
    const bool careerRunning = CareerRunning();
    const bool screen =
        from >= 0 && from < MENU_OPTION_COUNT && DISPATCH[from].kind == DISPATCH_SCREEN;
    if (screen && !(careerRunning && from == MENU_OPTION_TITLE)) return from;
    if (!careerRunning) return MENU_OPTION_TITLE;
    return FrontEnd_HumanHasPost() ? MENU_OPTION_OFFICE : OPTION_JOB_CENTRE;
}

// Options whose screens show the human's club, and the match-report pages; false when the
// option sends on to another one instead of showing its screen.
bool BeforeScreen(int32_t option)
{
    switch (option) {
        case 8: return !ClubCalendar_SkipsToDeveloper();
        case 3: CurrentHuman = MANAGER_HUMAN; break;
        case 13:
        case 17: ResetCurrentClub(); break;
        case 23:
            BeforeTraining();
            ResetCurrentClub();
            break;
        case 60:
        case 61:
            MatchReportPage = option == 61 ? 1 : 0;
            MatchReportFlags &= static_cast<uint8_t>(~REPORT_PAGE_BITS);
            break;
        case 62:
            MatchReportPage = 0;
            MatchReportFlags =
                static_cast<uint8_t>((MatchReportFlags & ~REPORT_PAGE_BITS) | REPORT_BIT_MATCH);
            break;
        default: break;
    }
    return true;
}

void ShowSplash(int32_t background)
{
    DoBackground(background);
    CopyBackBuffer();
    PresentMenuScreen();
    WaitTicksOrClick(SPLASH_TICKS);
}

// ---------------------------------------------------------------------------------------------
// The routing.

void SetRouteClub(int32_t club) { GameState.currentClub = static_cast<int16_t>(club); }

bool TodayIsOfferDay() { return FrontEndRoutes.humanOfferDay() == VTW_GetCurrentDay(); }

void ShowOfferNews(int32_t group, int32_t club)
{
    TextMessParams params{};
    params.team[0] = static_cast<int16_t>(club);
    TextMess_SetParams(params);
    TextMess_PickRandom(group);
    TextMess_ShowForHumans();
}

// False when the offer makes the job-offer screen next.
bool OfferLapsedOrNone()
{
    if (!TodayIsOfferDay()) return true;
    const int32_t club = FrontEndRoutes.humanOfferClub();
    if (FrontEndRoutes.humanOfferStands() == 0) {
        ShowOfferNews(GROUP_OFFER_LAPSED, club);
        return true;
    }
    MenuOption = 6;
    JobOfferMode = 2;
    SetRouteClub(club);
    ShowOfferNews(GROUP_OFFER_MADE, club);
    return false;
}

void AskForLoan(int32_t player, int32_t club)
{
    MenuOption = 59;
    char question[2 * TEXTMESS_BUFFER_BYTES];
    std::snprintf(question, sizeof question, "%s%s%s%s", GetMessageText(TEXT_LOAN_QUESTION),
                  GetMessageText(VTW_PersonTextNo(player)), GetMessageText(TEXT_LOAN_TO),
                  GetMessageText(VTW_ClubNameTextNo(VTW_GetTeam(club))));
    if (DoQuestionBox(question, 0, MenuYesNoButtons) == 0) FrontEndRoutes.bookLoan(club, player);
    FrontEndRoutes.removeSale(player);
}

// A transfer request worth less than 40 percent of the player, or from a club two divisions
// below for a player with a shirt number, is turned down without asking the human. The bid is
// made at the league's price level, so the player's value is taken at that level too.
bool RequestIsWorthNegotiating(int32_t player, int32_t club)
{
    const int64_t bid = FrontEndRoutes.bidForPlayer(player, club);
    const int64_t value =
        int64_t(VTW_ComputePlayerValueWithPotential(player)) * Market_PriceLevelPercent() / 100;
    if (bid * 100 < value * ROUTE_BID_PERCENT) return false;
    const int32_t gap = VTW_GetClubDivision(club) - VTW_GetClubDivision(HumanClub());
    return VTW_GetPlayerShirt(player) == 0 || gap < DIVISION_GAP;
}

void RouteSaleRequest()
{
    const int32_t player = FrontEndRoutes.salesPlayer();
    const int32_t club = FrontEndRoutes.salesClub();
    CurrentPlayer = static_cast<int16_t>(player);
    RouteClub = static_cast<int16_t>(club);
    if (VTW_GetPlayerLoanList(player) != 0) {
        AskForLoan(player, club);
    } else if (RequestIsWorthNegotiating(player, club)) {
        MenuOption = 10;
        SalesEventFlag = 1;
    } else {
        FrontEndRoutes.removeSale(player);
    }
}

// The asking club's bid against the request's price.
int32_t MarketBidForPlayer(int32_t player, int32_t club)
{
    int32_t interest = 0;
    return VTW_ComputeBidForPlayer(player, VTW_GetSaleAskingPrice(player), 0, club, 0, 0,
                                   &interest);
}

int32_t MarketBookLoan(int32_t club, int32_t player)
{
    return Market_PlaceBidWithInfo(club, player, LOAN_BID_AMOUNT) ? 0 : -1;
}

// clang-format off
constexpr RouteQueries DEFAULT_ROUTES = {
    // The job market.
    VTW_GetSackedHuman, VTW_GetJobOfferHuman, VTW_GetJobOfferClub,
    VTW_GetHumanOfferB, VTW_GetHumanOfferC,   VTW_GetHumanOfferClub,
    // The transfer market.
    VTW_HasHumanContracts, VTW_GetHumanContracts, VTW_HasHumanSales, VTW_FindHumanSales,
    VTW_FindHumanSalesTeam, VTW_RemoveHumanSale, MarketBidForPlayer, MarketBookLoan};
// clang-format on

// ---------------------------------------------------------------------------------------------
// The game's upward calls.

void ShowMessageBox(const char* text)
{
    if (AutoRunMode != 0) return;
    DoMessageBox(text, 0);
}

void KitOfSide(int32_t home, int32_t away, int32_t isAway, KitDesign* out)
{
    GetTeamDesign(home, away, isAway, out);
}

// The screen on top when it is one of a family's options, else 0.
int32_t ShownAmong(std::initializer_list<int16_t> options)
{
    const int16_t shown = s_frontEnd.screen;
    return std::find(options.begin(), options.end(), shown) != options.end() ? shown : 0;
}

// What whole-program scripts may wait for and check.
void RegisterScriptValues()
{
    ScriptRegisterValue("option", [] { return static_cast<int32_t>(MenuOption); });
    ScriptRegisterValue("prevoption", [] { return static_cast<int32_t>(PreviousOption); });
    ScriptRegisterValue("depth", [] { return EXM_Depth() + 1; });
    ScriptRegisterValue("busy", BusyPointerCount);
    ScriptRegisterValue("edtactic", [] { return static_cast<int32_t>(CurrentTactic); });
    ScriptRegisterValue("helpline", TacticsHelp_FirstLine);
    ScriptRegisterValue("matchtactic", [] {
        const MatchDayBlock& block = *GetMatchSidesBlock();
        for (const MatchSide& side : block.sides) {
            if (side.human != 0) return static_cast<int32_t>(side.tactic);
        }
        return -1;
    });
    ScriptRegisterValue("resultsmode", Results_ShownMode);
    ScriptRegisterValue("pmscreen", PostMatch_ShownScreen);
    ScriptRegisterValue("statscreen", [] { return ShownAmong({29, 30, 31, 32, 61}); });
    ScriptRegisterValue("historyscreen", [] {
        return ShownAmong({34, 76, 36, 37, 44, 45, 82, 48, 58});
    });
    ScriptRegisterValue("pmmode", [] { return Performance.mode; });
    ScriptRegisterValue("cardplayer", [] { return static_cast<int32_t>(CurrentPlayer); });
    ScriptRegisterValue("squadsel", [] { return static_cast<int32_t>(SquadScreen.selection); });
    ScriptRegisterValue("shortlist", [] {
        return static_cast<int32_t>(
            std::count_if(std::begin(ShortList), std::end(ShortList),
                          [](uint16_t id) { return id != SHORTLIST_FREE; }));
    });
    ScriptRegisterValue("vacancies", [] {
        uint16_t clubs[CLUB_ID_COUNT + 1];
        return VTW_ListManagerVacancies(clubs);
    });
    ScriptRegisterValue("jobanswer", [] { return static_cast<int32_t>(JobCentre.lastAnswer); });
    ScriptRegisterValue("gameover", [] { return static_cast<int32_t>(JobCentre.gameOver); });
    ScriptRegisterValue("staffroles", [] {
        return GameState.currentClub >= 0 ? StaffChoice_FilledRoles(GameState.currentClub) : 0;
    });
    DayScreen_RegisterScriptValues();
    Negotiation_RegisterScriptValues();
    ContractTalks_RegisterScriptValues();
    SetPrice_RegisterScriptValues();
    DevSoak_RegisterScriptValues();
    ScriptRegisterValue("calfirst", [] { return static_cast<int32_t>(ClubCalendar.first); });
    ScriptRegisterValue("calcount", [] { return static_cast<int32_t>(ClubCalendar.count); });
    ScriptRegisterValue("tablediv",
                        [] { return static_cast<int32_t>(LeagueTableScreen.division); });
    ScriptRegisterValue("tablefirst", [] { return static_cast<int32_t>(LeagueTableScreen.first); });
    ScriptRegisterValue("fixday", [] { return static_cast<int32_t>(FixtureList.shownDay); });
    ScriptRegisterValue("fixmode", [] { return static_cast<int32_t>(FixtureList.mode); });
    ScriptRegisterValue("fixrows", [] { return static_cast<int32_t>(FixtureList.dayCount); });
    ScriptRegisterValue("retrainleft", TrainingProgramme_RetrainLeft);
    ScriptRegisterValue("searchcount", [] { return SearchList.count; });
    ScriptRegisterValue("searchtop", [] {
        return SearchList.count > 0 ? PlayerSearchScore[SearchList.players[0]] : -1;
    });
    ScriptRegisterValue("searchmode", [] { return static_cast<int32_t>(PlayerSearchMode); });
}

void RegisterGameHooks()
{
    GameHooks.PlayWatchedMatch = RunMatch3D;
    GameHooks.ShowMessage = ShowMessageBox;
    GameHooks.FormatMoney = Price2str;
    GameHooks.GetTeamDesign = KitOfSide;
    GameHooks.SetTrainingDefaults = Training_SetDefaults;
    GameHooks.StoreTrainingSchedule = Training_StoreSchedule;
    GameHooks.DayScreenStep = DayScreen_RunChoice;
    GameHooks.NewsPlayerMissing = News_PlayerMissing;
    GameHooks.NewsManagerAppointed = News_ManagerAppointed;
    GameHooks.NewsManagerSacked = News_ManagerSacked;
    GameHooks.NewsPlayerMoved = News_PlayerMoved;
    GameHooks.FillSquadTable = FillSquadTable;
    GameHooks.ResetCareerScreens = FrontEnd_ResetCareerWords;
    GameHooks.PostMatchSequence = PostMatch_RunSequence;
}

const ExmFrontEnd LOOP_STEPS = {
    .showBar = MenuBar_Show,
    .barStep = MenuBar_Step,
    .barOpen = MenuBar_IsOpen,
    .openPopup = MenuBar_OpenPopup,
    .shortcutStep = nullptr,  // no label of the bar carries a shortcut letter
    .forgetBar = MenuBar_Forget,
    .textIsActive = EXTI_IsActive,
    .textSetActive = EXTI_SetActive,
    .textHandleKeys = EXTI_HandleKeys,
    .textEnd = EXTI_End,
};

}  // namespace

RouteQueries FrontEndRoutes = DEFAULT_ROUTES;
FrontEndScreenHooks FrontEndScreens;

void FrontEndInit()
{
    MenuOption = MENU_OPTION_TITLE;
    PreviousOption = MENU_OPTION_TITLE;
    StartOption = MENU_OPTION_TITLE;
    FrontEnd_ResetCareerWords();
    FrontEndRoutes = DEFAULT_ROUTES;
    s_frontEnd = {};
    s_frontEnd.beforePrevious = -1;
    s_frontEnd.wayBack.fill(-1);
    MenuBarInit();
    MenuContInit();
    GfxGenInit();
    TextInputInit();
    SaveIndexInit();
    SaveLoadInit();
    NewCareerInit();
    JobOfferInit();
    ClubCalendarInit();
    LeagueTableInit();
    FixtureListInit();
    OfficeInit();
    SquadScreenInit();
    PlayerCardInit();
    CareerHistoryInit();
    SetPriceInit();
    NegotiationInit();
    ContractTalksInit();
    StaffChoiceInit();
    ShortlistScreenInit();
    PlayerSearchScreenInit();
    TrainingProgrammeInit();
    TeamTrainingInit();
    IndividualTrainingInit();
    IndividualGridInit();
    PlayerRolesInit();
    PastTransfersInit();
    ClubMatchesInit();
    ClubRecordsInit();
    HonoursScreensInit();
    HistoryListsInit();
    HistoryRecordsInit();
    LeagueHistoryInit();
    BestElevenInit();
    CupGroupsInit();
    FriendlyInit();
    MatchStatsInit();
    ReportScreenInit();
    AnalysisTextInit();
    MatchAnalysisInit();
    MatchGraphsInit();
    GoalChartsInit();
    AttendanceStatsInit();
    MiscStatsInit();
    PerformanceInit();
    TimeAnalysisInit();
    JobCentreInit();
    FinancesInit();
    StatsScreenInit();
    TacticsEditorInit();
    TacticsHelpInit();
    ResultsInit();
    DebugScreenInit();
    ContractTermsInit();
    DevScreensInit();
    DevSoakInit();
    DayScreenInit();
    ViewChoiceInit();
    NewsInit();
}

void FrontEndUninit()
{
    NewsUninit();
    ViewChoiceUninit();
    DayScreenUninit();
    DevSoakUninit();
    DevScreensUninit();
    ContractTermsUninit();
    DebugScreenUninit();
    ResultsUninit();
    TacticsHelpUninit();
    TacticsEditorUninit();
    StatsScreenUninit();
    FinancesUninit();
    JobCentreUninit();
    AnalysisTextUninit();
    TimeAnalysisUninit();
    PerformanceUninit();
    MiscStatsUninit();
    AttendanceStatsUninit();
    GoalChartsUninit();
    MatchGraphsUninit();
    MatchAnalysisUninit();
    ReportScreenUninit();
    MatchStatsUninit();
    FriendlyUninit();
    CupGroupsUninit();
    BestElevenUninit();
    LeagueHistoryUninit();
    HistoryRecordsUninit();
    HistoryListsUninit();
    HonoursScreensUninit();
    ClubRecordsUninit();
    ClubMatchesUninit();
    PastTransfersUninit();
    PlayerSearchScreenUninit();
    ShortlistScreenUninit();
    TrainingProgrammeUninit();
    IndividualTrainingUninit();
    IndividualGridUninit();
    PlayerRolesUninit();
    TeamTrainingUninit();
    StaffChoiceUninit();
    ContractTalksUninit();
    NegotiationUninit();
    SetPriceUninit();
    CareerHistoryUninit();
    PlayerCardUninit();
    SquadScreenUninit();
    OfficeUninit();
    FixtureListUninit();
    LeagueTableUninit();
    ClubCalendarUninit();
    JobOfferUninit();
    NewCareerUninit();
    SaveLoadUninit();
    SaveIndexUninit();
    TextInputUninit();
    GfxGenUninit();
    MenuContUninit();
    MenuBarUninit();
    EXM_SetFrontEnd(nullptr);
    FrontEndInit();
}

void FrontEnd_ResetCareerWords()
{
    CurrentHuman = MANAGER_HUMAN;
    ClubChangedFlag = 0;
    PlayerCardOutcome = 0;
    AdvanceMode = 0;
    MatchReportPage = 0;
    JobOfferMode = 0;
    CurrentPlayer = -1;
    CardReturnOption = MENU_OPTION_OFFICE;
    RouteClub = -1;
    SalesEventFlag = 0;
    JobCentreViewFlag = 0;
}

void FrontEnd_RegisterLoopSteps() { EXM_SetFrontEnd(&LOOP_STEPS); }

void RunFrontEnd()
{
    FrontEndInit();
    RegisterGameHooks();
    RegisterScriptValues();
    FrontEnd_RegisterLoopSteps();
    EXM_Init();
    StartMainMenu();
    EXM_Shutdown();
    FrontEndUninit();
    GameHooks_Reset();
    GameHooks.PlayWatchedMatch = PlayMatch3D;
}

void StartMainMenu()
{
    CurrentHuman = MANAGER_HUMAN;
    MenuOption = MENU_OPTION_TITLE;
    StartOption = MENU_OPTION_TITLE;
    ShortList_Clear();
    TrainingTable_Clear();
    DoMainMenu();
}

void DoMainMenu()
{
    ShowSplash(SPLASH_FIRST_BACKGROUND);
    ShowSplash(SPLASH_SECOND_BACKGROUND);
    Menu_TimedScreen();
    ClubChangedFlag = 0;
    while (MenuOption != MENU_OPTION_QUIT) {
        DispatchNext();
    }
}

void DispatchNext()
{
    const int16_t option = MenuOption;
    FrontEnd_NoteDispatch(option);
    DispatchOption(option);
}

FrontEndScreenTable FrontEnd_OptionScreen(int32_t option)
{
    if (option < 0 || option >= MENU_OPTION_COUNT) return nullptr;
    const DispatchRow& row = DISPATCH[option];
    return row.kind == DISPATCH_SCREEN ? row.table : nullptr;
}

void DispatchOption(int32_t option)
{
    if (option < 0 || option >= MENU_OPTION_COUNT || DISPATCH[option].kind == DISPATCH_EMPTY)
        FatalError("Error: DoMainMenu(): Invalid MenuOption = %d\n", option);
    const DispatchRow& row = DISPATCH[option];
    if (row.kind == DISPATCH_STEP) {
        row.run();
        return;
    }
    if (!BeforeScreen(row.option)) return;
    s_frontEnd.screen = row.option;
    RunScreen(row.table());
    s_frontEnd.screen = 0;
    if (MenuOption == option && EXM_LeftByEscape()) MenuOption = EscapeWayBack(row.option);
    if (row.after != nullptr) row.after();
}

// The match view brings a display of its own up, so the front end's comes down around it.
void RunMatch3D()
{
    EXM_Shutdown();
    PlayMatch3D();
    EXM_Init();
}

void FrontEnd_NoteDispatch(int16_t option)
{
    if (option == MENU_OPTION_VIDEO) return;
    if (PreviousOption != MENU_OPTION_TO_SQUAD) s_frontEnd.beforePrevious = PreviousOption;
    PreviousOption = option;
    // Coming back from a screen this one opened, or opening it again, keeps its way back, so that
    // Escape steps back along the way the player came instead of to and fro.
    const int16_t from = s_frontEnd.beforePrevious;
    const bool back = from >= 0 && from < MENU_OPTION_COUNT && s_frontEnd.wayBack[from] == option;
    if (option >= 0 && option < MENU_OPTION_COUNT && from != option && !back)
        s_frontEnd.wayBack[option] = from;
}

int16_t FrontEnd_CameFrom() { return s_frontEnd.beforePrevious; }

void TrimTrailingSpaces(char* text)
{
    for (size_t length = std::strlen(text); length > 0 && text[length - 1] == ' '; --length) {
        text[length - 1] = '\0';
    }
}

bool FrontEnd_HumanHasPost() { return VTW_GetClubOfManager(MANAGER_HUMAN) >= 0; }

int32_t WaitTicksOrClick(int32_t ticks)
{
    // A button still held from the screen before must be let go first: only a new press counts.
    bool held = true;
    for (int32_t i = 0; i < ticks; ++i) {
        int16_t x, y;
        uint16_t buttons;
        PointerFrame(&x, &y, &buttons);
        const bool down = (buttons & LEFT_BUTTON) != 0;
        if (down && !held) return 1;
        held = down;
    }
    return 0;
}

void RouteGameEvents()
{
    if (MenuOption == MENU_OPTION_QUIT) return;
    if (VTW_GetCurrentDay() == ROUTE_LAST_DAY) {
        if (AutoRunMode == 0) GameHooks.ShowMessage(GetMessageText(TEXT_SAVE_ADVICE));
        ResetCurrentClub();
        MenuOption = MENU_OPTION_OFFICE;
        return;
    }
    if (const int32_t sacked = FrontEndRoutes.sackedHuman(); sacked != 0) {
        CurrentHuman = static_cast<int16_t>(sacked);
        MenuOption = 43;
        return;
    }
    if (const int32_t offered = FrontEndRoutes.jobOfferHuman(); offered != 0) {
        CurrentHuman = static_cast<int16_t>(offered);
        SetRouteClub(FrontEndRoutes.jobOfferClub());
        JobOfferMode = 2;
        MenuOption = 6;
        return;
    }
    if (MenuOption != 4) MenuOption = MENU_OPTION_OFFICE;
    if (!OfferLapsedOrNone()) return;
    if (const int32_t talks = FrontEndRoutes.contractsHuman(); talks != 0) {
        MenuOption = 14;
        CurrentHuman = static_cast<int16_t>(talks);
        ResetCurrentClub();
        CurrentPlayer = static_cast<int16_t>(FrontEndRoutes.contractsPlayer());
        return;
    }
    if (FrontEndRoutes.salesHuman() != 0 && MenuOption == MENU_OPTION_OFFICE) RouteSaleRequest();
}

void LoadNamesFile()
{
    const int32_t handle = PakOpenFile("stats\\names.dat");
    PakReadFile(NamesBuffer, 0, NAMES_FILE_BYTES, handle);
    PakCloseFile(handle);
}
