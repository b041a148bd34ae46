// menus/matchgraphs.h: "Stats. du Match", bar graphs comparing the players of one side of the
// human's last match: up to four graphs of one set (defence, possession, attack, the others), one
// row per player who took part.
#pragma once

#include <cstdint>

#include "game/matchblocks.h"

struct MenuItem;

constexpr int32_t GRAPH_MAX = 4;    // graphs of a set
constexpr int32_t GRAPH_PARTS = 4;  // counts a graph adds or compares
constexpr int32_t GRAPH_ROWS = MATCH_SHIRT_COUNT;
constexpr int32_t GRAPH_NO_FIGURE = -1;
constexpr int32_t GRAPH_NAME_BYTES = 41;

// How a graph's value comes from its parts.
enum GraphRule : int32_t {
    GRAPH_SUM,       // stacked parts
    GRAPH_LARGER,    // the first part against the sum of the others, the larger drawn behind
    GRAPH_POSITIVE,  // the first part, drawn only above 0
};

// A count of the table of match figures (a record field or a figure kept beside them), and the
// legend text that names it (0 none).
struct GraphPart {
    int16_t figure;  // GRAPH_NO_FIGURE ends the parts
    int16_t legend;
};

struct GraphDefinition {
    int16_t title;
    int16_t floor;  // the smallest scale
    int16_t rule;   // GRAPH_...
    int16_t key;    // a figure counted within the value, marked inside its bar; GRAPH_NO_FIGURE
    int16_t keyLegend;
    int16_t fixedScale;  // 0 the scale follows the largest value
    GraphPart parts[GRAPH_PARTS];
};

// The sets in the order of their buttons; the set shown is the analysis table's category
// (Défense 1, Possession 5, Attaque 3, Autres 4), so the two screens show the same kind of figures.
enum GraphSet : int32_t {
    GRAPHS_DEFENCE,
    GRAPHS_POSSESSION,
    GRAPHS_ATTACK,
    GRAPHS_OTHERS,
    GRAPH_SETS
};

// The graphs of a set and their count; none for a set out of range.
const GraphDefinition* MatchGraphs_Set(int32_t set, int32_t* count);
// The set a category of the analysis table shows: goalkeeping and anything unknown show the
// attack set, passing the possession set.
int32_t MatchGraphs_SetOfCategory(int32_t category);
// A graph's value for one player's record, and its scale: from the floor in steps of 5 until it
// is at least the largest value (a fixed scale stays).
int32_t MatchGraphs_Value(const GraphDefinition& graph, const PlayerMatchRecord& record);
int32_t MatchGraphs_Scale(const GraphDefinition& graph, int32_t largest);

// The fixture shown: from the first row dated after today (or at today, outside the post-match
// sequence), back to the club's latest row that is neither a friendly nor an international; -1
// none.
int32_t MatchGraphs_ChooseFixture(int32_t club, int32_t today, bool live);

struct MatchGraphsState {
    int32_t fixture;  // -1 none
    bool live;        // inside the post-match sequence
    int32_t side;
    int32_t set;
    char names[2][GRAPH_NAME_BYTES];
    int32_t goals[2];
    int32_t rowCount;
    int32_t players[GRAPH_ROWS];  // -1 an empty row
    int32_t bookings[GRAPH_ROWS];
    bool injured[GRAPH_ROWS];
    int32_t scales[GRAPH_MAX];
};
extern MatchGraphsState MatchGraphs;  // owned by MatchGraphs

void MatchGraphsInit();
void MatchGraphsUninit();

void MatchGraphs_Build();
int32_t MatchGraphs_ChooseSet(int32_t set);  // rebuilds: 2
int32_t MatchGraphs_ShowStats();             // "Montrer stats"
int32_t MatchGraphs_Done();                  // "Terminer"

const MenuItem* MatchGraphs_Table();  // option 61
