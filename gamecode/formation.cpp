// gamecode/formation.cpp: formation positions, built once per formation change.
#include "gamecode/formation.h"

#include <algorithm>
#include <cstdlib>

#include "gamecode/matchstate.h"

ShapeRows ShapeTables[2];
TacticsRecord ShapeWorkingBlock;
ShapeRows ShapeBuildArea;

namespace {

// clang-format off
constexpr float kKickoffDepth[SHAPE_GRID_ROWS] = {
    0.50f, 0.53f, 0.56f, 0.60f, 0.62f, 0.65f, 0.68f, 0.70f, 0.72f,
    0.75f, 0.80f, 0.85f, 0.90f, 0.92f, 0.94f, 0.96f, 0.98f, 1.00f};
constexpr float kRestartDepth[SHAPE_GRID_ROWS] = {
    0.60f, 0.65f, 0.70f, 0.75f, 0.78f, 0.81f, 0.85f, 0.95f, 1.05f,
    1.10f, 1.17f, 1.24f, 1.30f, 1.50f, 1.70f, 1.90f, 2.30f, 2.60f};
constexpr float kDefendingDepth[SHAPE_GRID_ROWS] = {
    0.70f, 0.69f, 0.68f, 0.67f, 0.66f, 0.65f, 0.69f, 0.68f, 0.67f,
    0.66f, 0.65f, 0.64f, 0.88f, 0.87f, 0.86f, 0.84f, 0.82f, 0.80f};

// [player band][column zone][ball column]
constexpr float kZoneWidth[6][5][5] = {
    {{1.00f, 1.00f, 1.00f, 1.50f, 2.00f}, {0.94f, 0.97f, 1.00f, 1.15f, 1.30f},
     {0.98f, 0.99f, 1.00f, 1.01f, 1.02f}, {0.87f, 0.94f, 1.00f, 1.03f, 1.06f},
     {0.80f, 0.90f, 1.00f, 1.00f, 1.00f}},
    {{1.00f, 1.00f, 1.00f, 1.50f, 2.00f}, {0.94f, 0.97f, 1.00f, 1.15f, 1.30f},
     {0.98f, 0.99f, 1.00f, 1.01f, 1.02f}, {0.87f, 0.94f, 1.00f, 1.03f, 1.06f},
     {0.80f, 0.90f, 1.00f, 1.00f, 1.00f}},
    {{1.00f, 1.00f, 1.00f, 1.50f, 2.00f}, {0.86f, 0.93f, 1.00f, 1.15f, 1.30f},
     {0.98f, 0.99f, 1.00f, 1.01f, 1.02f}, {0.78f, 0.89f, 1.00f, 1.07f, 1.14f},
     {0.60f, 0.80f, 1.00f, 1.00f, 1.00f}},
    {{1.00f, 1.00f, 1.00f, 1.50f, 2.00f}, {1.00f, 1.00f, 1.00f, 1.15f, 1.30f},
     {0.98f, 0.99f, 1.00f, 1.01f, 1.02f}, {0.87f, 0.94f, 1.00f, 1.03f, 1.06f},
     {0.80f, 0.90f, 1.00f, 1.00f, 1.00f}},
    {{1.00f, 1.00f, 1.00f, 1.50f, 2.00f}, {1.00f, 1.00f, 1.00f, 1.15f, 1.30f},
     {0.98f, 0.99f, 1.00f, 1.01f, 1.02f}, {0.87f, 0.94f, 1.00f, 1.03f, 1.06f},
     {0.80f, 0.90f, 1.00f, 1.00f, 1.00f}},
    {{1.00f, 1.00f, 1.00f, 1.50f, 2.00f}, {1.00f, 1.00f, 1.00f, 1.15f, 1.30f},
     {0.98f, 0.99f, 1.00f, 1.01f, 1.02f}, {0.87f, 0.94f, 1.00f, 1.03f, 1.06f},
     {0.80f, 0.90f, 1.00f, 1.00f, 1.00f}},
};

// [player band][column zone folded: 0 for zones 0 and 4, 1 for 1 and 3, 2][ball band]
constexpr float kZoneDepth[6][3][6] = {
    {{0.90f, 2.18f, 3.46f, 4.88f, 5.56f, 6.94f}, {0.80f, 2.10f, 3.40f, 4.78f, 5.41f, 6.88f},
     {0.74f, 2.05f, 3.36f, 4.70f, 5.34f, 6.78f}},
    {{0.70f, 0.95f, 1.40f, 1.84f, 2.77f, 3.30f}, {0.65f, 0.90f, 1.30f, 1.63f, 2.54f, 3.15f},
     {0.60f, 0.85f, 1.24f, 1.52f, 2.41f, 3.00f}},
    {{0.25f, 0.57f, 1.19f, 1.44f, 1.92f, 2.70f}, {0.20f, 0.44f, 1.08f, 1.30f, 1.80f, 2.50f},
     {0.15f, 0.38f, 0.96f, 1.30f, 1.76f, 2.44f}},
    {{0.30f, 0.58f, 0.86f, 1.09f, 1.28f, 1.56f}, {0.50f, 0.70f, 0.90f, 1.08f, 1.28f, 1.41f},
     {0.44f, 0.75f, 0.96f, 1.06f, 1.20f, 1.44f}},
    {{0.30f, 0.52f, 0.74f, 0.88f, 1.19f, 1.30f}, {0.30f, 0.52f, 0.74f, 0.88f, 1.09f, 1.25f},
     {0.30f, 0.52f, 0.74f, 0.88f, 0.99f, 1.20f}},
    {{0.30f, 0.42f, 0.58f, 0.68f, 0.88f, 1.00f}, {0.30f, 0.42f, 0.58f, 0.68f, 0.88f, 1.00f},
     {0.30f, 0.42f, 0.58f, 0.68f, 0.88f, 1.00f}},
};

// Build units, by the home cell on the mirrored grid: [row][column].
constexpr ShapeSpot kSetPieceSpots[SHAPE_GRID_ROWS][SHAPE_GRID_COLUMNS] = {
    {{225, 565}, {275, 665}, {325, 765}, {375, 1170}, {425, 1270}, {475, 1370}, {525, 785}, {540, 685}, {555, 785}, {605, 1375}, {655, 1275}, {705, 1175}, {755, 770}, {805, 670}, {855, 570}},
    {{236, 655}, {286, 755}, {356, 855}, {389, 1195}, {439, 1295}, {489, 1395}, {500, 870}, {520, 770}, {530, 870}, {542, 1395}, {592, 1295}, {642, 1195}, {705, 840}, {755, 740}, {805, 640}},
    {{247, 745}, {307, 845}, {347, 945}, {378, 1220}, {428, 1320}, {478, 1420}, {500, 755}, {510, 855}, {520, 755}, {530, 1420}, {548, 1320}, {558, 1220}, {655, 910}, {705, 810}, {755, 710}},
    {{260, 940}, {310, 840}, {360, 740}, {365, 1245}, {415, 1345}, {465, 1445}, {490, 945}, {510, 845}, {530, 945}, {532, 1445}, {562, 1345}, {592, 1245}, {605, 990}, {655, 890}, {705, 790}},
    {{255, 875}, {305, 975}, {355, 1075}, {442, 1245}, {462, 1345}, {482, 1445}, {498, 885}, {500, 985}, {502, 885}, {505, 1452}, {525, 1352}, {545, 1252}, {565, 1050}, {615, 950}, {665, 850}},
    {{300, 910}, {350, 1010}, {400, 1110}, {439, 1245}, {449, 1345}, {459, 1445}, {475, 1125}, {485, 1025}, {495, 1125}, {500, 1458}, {510, 1358}, {520, 1258}, {535, 1110}, {585, 1010}, {635, 910}},
    {{400, 955}, {410, 1055}, {420, 1155}, {435, 1255}, {445, 1355}, {455, 1455}, {468, 1255}, {488, 1055}, {508, 1255}, {525, 1465}, {535, 1365}, {545, 1265}, {585, 1170}, {595, 1070}, {605, 970}},
    {{412, 1030}, {422, 1130}, {432, 1230}, {450, 1305}, {460, 1355}, {470, 1405}, {475, 1255}, {480, 1155}, {495, 1255}, {505, 1425}, {515, 1375}, {525, 1325}, {540, 1270}, {560, 1170}, {580, 1070}},
    {{414, 1150}, {424, 1250}, {434, 1350}, {440, 1365}, {450, 1335}, {460, 1305}, {472, 1255}, {482, 1205}, {492, 1255}, {510, 1305}, {520, 1385}, {530, 1375}, {535, 1370}, {545, 1270}, {555, 1170}},
    {{410, 1300}, {420, 1310}, {430, 1320}, {440, 1335}, {450, 1345}, {460, 1355}, {470, 1365}, {480, 1365}, {490, 1365}, {505, 1355}, {515, 1345}, {525, 1335}, {530, 1325}, {540, 1315}, {550, 1305}},
    {{419, 1350}, {429, 1370}, {439, 1390}, {445, 1405}, {455, 1415}, {465, 1425}, {470, 1435}, {480, 1445}, {490, 1435}, {500, 1425}, {510, 1415}, {520, 1405}, {530, 1380}, {540, 1360}, {550, 1340}},
    {{418, 1440}, {428, 1435}, {438, 1430}, {443, 1425}, {453, 1420}, {463, 1415}, {475, 1410}, {485, 1405}, {495, 1400}, {505, 1395}, {515, 1390}, {525, 1385}, {535, 1380}, {545, 1375}, {555, 1370}},
    {{417, 1405}, {427, 1415}, {437, 1425}, {441, 1435}, {451, 1445}, {461, 1455}, {470, 1465}, {480, 1475}, {490, 1465}, {500, 1455}, {510, 1445}, {520, 1435}, {534, 1425}, {544, 1415}, {554, 1405}},
    {{416, 1407}, {426, 1417}, {436, 1427}, {449, 1431}, {459, 1441}, {469, 1451}, {475, 1461}, {485, 1471}, {495, 1461}, {505, 1457}, {515, 1447}, {525, 1437}, {533, 1427}, {543, 1417}, {553, 1407}},
    {{415, 1404}, {425, 1414}, {435, 1424}, {447, 1434}, {457, 1444}, {467, 1454}, {476, 1464}, {486, 1474}, {496, 1464}, {504, 1454}, {514, 1444}, {524, 1434}, {532, 1424}, {542, 1414}, {552, 1404}},
    {{414, 1403}, {424, 1413}, {434, 1423}, {445, 1433}, {455, 1443}, {465, 1453}, {477, 1463}, {487, 1473}, {497, 1463}, {503, 1453}, {513, 1443}, {523, 1433}, {531, 1423}, {541, 1413}, {551, 1403}},
    {{413, 1402}, {423, 1412}, {433, 1422}, {443, 1432}, {453, 1442}, {463, 1452}, {478, 1462}, {488, 1472}, {498, 1462}, {502, 1452}, {512, 1442}, {522, 1432}, {530, 1422}, {540, 1412}, {550, 1402}},
    {{412, 1401}, {422, 1411}, {432, 1421}, {441, 1431}, {451, 1441}, {461, 1451}, {479, 1461}, {489, 1471}, {499, 1461}, {501, 1451}, {511, 1441}, {521, 1431}, {539, 1421}, {549, 1411}, {559, 1401}},
};
// clang-format on

constexpr float kOneOver1500 = 1.0f / 1500;
constexpr float kFifth = 0.2f;  // slightly above 0.2, and the run and drop steps depend on it
constexpr int32_t kKickoffCutY = 570;
constexpr int32_t kKickoffCutMinX = 320;
constexpr int32_t kKickoffCutMaxX = 680;
constexpr int32_t kBallColumns = 5;
constexpr int32_t kBallBands = 6;

// The tactics record calls the across-the-pitch coordinate of a cell its row; the shape code
// speaks of grid columns (across) and grid rows (along).
struct Cell {
    int32_t column;
    int32_t row;
};

Cell HomeCell(const TacticsSlot& s) { return {s.row, s.column}; }
Cell ForwardCell(const TacticsSlot& s) { return {s.row2, s.column2}; }
Cell BackCell(const TacticsSlot& s) { return {s.row3, s.column3}; }

// Toward zero, stored as a 16-bit value (off-grid cells may wrap, never overflow the double).
int16_t Trunc(double v) { return static_cast<int16_t>(static_cast<int32_t>(v)); }

int32_t ShapeRow(int32_t set, int32_t ballColumn, int32_t ballBand)
{
    return set * SHAPE_SET_ROWS + ballColumn + kBallColumns * ballBand;
}

// A cell's build point with the factor-table indexes it selects.
struct Zone {
    int32_t x;
    int32_t y;
    int32_t band;  // grid row / 3
    int32_t zone;  // grid column / 3
};

Zone ZoneOf(Cell cell)
{
    const int32_t x = Shape_GridX(cell.column);
    const int32_t y = Shape_GridY(cell.row);
    return {x, y, Shape_RowOfY(y) / 3, Shape_ColumnOfX(x) / 3};
}

float ZoneDepth(int32_t band, int32_t zone, int32_t ballBand)
{
    return kZoneDepth[band][zone <= 2 ? zone : 4 - zone][ballBand];
}

// (a + b) x 0.5 before any rounding: a the zone's own depth, b that of its neighbour band.
double DepthUnrounded(const Zone& z, int32_t ballBand)
{
    const float a = ZoneDepth(z.band, z.zone, ballBand);
    const float q = static_cast<float>(z.y * static_cast<double>(kOneOver1500) + 0.5);
    int32_t n = q > z.band ? z.band + 1 : q == z.band ? z.band : z.band - 1;
    if (ballBand == 5 && z.band == 5) n = 5;
    n = n < 0 ? 0 : n > 5 ? 5 : n;
    const float b = ZoneDepth(n, z.zone, n);
    return (static_cast<double>(a) + b) * 0.5;
}

float Depth(const Zone& z, int32_t ballBand)
{
    return static_cast<float>(DepthUnrounded(z, ballBand));
}

float DefendingDepth(int32_t y) { return kDefendingDepth[Shape_RowOfY(y)]; }

int32_t KickoffBand(int32_t homeRow) { return Shape_RowOfY(Shape_GridY(17 - homeRow)); }

void BuildRestartRows(int32_t set, int32_t entry, Cell home)
{
    const Zone z = ZoneOf(home);
    const int32_t k = KickoffBand(home.row);
    ShapeSpot kickoff{static_cast<int16_t>(z.x),
                      Trunc(z.y * static_cast<double>(kKickoffDepth[k]))};
    // Central players of the side that does not kick off stay out of the centre circle.
    if (set == 1 && kickoff.y > kKickoffCutY && z.x > kKickoffCutMinX && z.x < kKickoffCutMaxX)
        kickoff.y = kKickoffCutY;
    const int32_t base = set * SHAPE_SET_ROWS;
    ShapeBuildArea[base + SHAPE_ROW_KICKOFF][entry] = kickoff;
    const ShapeSpot setPiece = kSetPieceSpots[Shape_RowOfY(z.y)][Shape_ColumnOfX(z.x)];
    ShapeBuildArea[base + SHAPE_ROW_SET_PIECE][entry] = setPiece;
    ShapeBuildArea[base + SHAPE_ROW_SET_PIECE + 1][entry] = setPiece;
    ShapeBuildArea[base + SHAPE_ROW_RESTART][entry] = {
        static_cast<int16_t>(z.x), Trunc(z.y * static_cast<double>(kRestartDepth[k]))};
}

void BuildOpenPlayRows(int32_t set, int32_t entry, Cell home)
{
    const Zone z = ZoneOf(home);
    for (int32_t bc = 0; bc < kBallColumns; ++bc) {
        for (int32_t br = 0; br < kBallBands; ++br) {
            float f = Depth(z, br);
            if (set == 1) f = static_cast<float>(static_cast<double>(f) * DefendingDepth(z.y));
            ShapeBuildArea[ShapeRow(set, bc, br)][entry] = {
                Trunc(z.x * static_cast<double>(kZoneWidth[z.band][z.zone][bc])),
                Trunc(z.y * static_cast<double>(f))};
        }
    }
}

// The sideways part of a run or a drop toward `cell` (its zone `to`): toward smaller columns
// every ball column leans from ball column 4's x, toward greater columns from ball column 0's.
void LeanSideways(int32_t set, int32_t entry, Cell home, Cell cell, const Zone& to)
{
    if (cell.column == home.column) return;
    const bool towardSmaller = cell.column < home.column;
    for (int32_t bc = 0; bc < kBallColumns; ++bc) {
        const int32_t x2 = Trunc(to.x * static_cast<double>(kZoneWidth[to.band][to.zone][bc]));
        for (int32_t br = 0; br < kBallBands; ++br) {
            const int32_t from = ShapeBuildArea[ShapeRow(set, towardSmaller ? 4 : 0, br)][entry].x;
            const float e = static_cast<float>(kFifth * static_cast<double>(std::abs(from - x2)));
            const double step =
                towardSmaller ? -(5 - br) * static_cast<double>(e) : br * static_cast<double>(e);
            ShapeBuildArea[ShapeRow(set, bc, br)][entry].x = Trunc(from + step);
        }
    }
}

// A reshape may run a forward row past the far end of the grid or drop a back row behind the own
// goal line: such a cell stands for the grid's end cell, so that the run's spots stay on the pitch.
Cell OnGrid(Cell cell)
{
    return {std::clamp(cell.column, 0, SHAPE_GRID_COLUMNS - 1),
            std::clamp(cell.row, 0, SHAPE_GRID_ROWS - 1)};
}

void BuildForwardRun(int32_t entry, Cell home, Cell forward)
{
    forward = OnGrid(forward);
    const Zone to = ZoneOf(forward);
    for (int32_t bc = 0; bc < kBallColumns; ++bc) {
        const int32_t y0 = ShapeBuildArea[ShapeRow(0, bc, 0)][entry].y;
        for (int32_t br = 0; br < kBallBands; ++br) {
            const int32_t y2 = Trunc(to.y * DepthUnrounded(to, br));
            const double d = std::abs(y0 - y2);
            ShapeBuildArea[ShapeRow(0, bc, br)][entry].y =
                Trunc(y0 + br * (static_cast<double>(kFifth) * d));
        }
    }
    LeanSideways(0, entry, home, forward, to);
}

void BuildDrop(int32_t entry, Cell home, Cell back)
{
    back = OnGrid(back);
    const Zone to = ZoneOf(back);
    for (int32_t bc = 0; bc < kBallColumns; ++bc) {
        const int32_t y5 = ShapeBuildArea[ShapeRow(1, bc, 5)][entry].y;
        for (int32_t br = 0; br < kBallBands; ++br) {
            const float g =
                static_cast<float>(static_cast<double>(Depth(to, br)) * DefendingDepth(to.y));
            const int32_t y3 = Trunc(to.y * static_cast<double>(g));
            const float e = static_cast<float>(kFifth * static_cast<double>(std::abs(y5 - y3)));
            ShapeBuildArea[ShapeRow(1, bc, br)][entry].y =
                Trunc(y5 - (5 - br) * static_cast<double>(e));
        }
    }
    LeanSideways(1, entry, home, back, to);
}

// The persons' instruction bytes of a slot that has none: a bench slot.
void ClearInstructions(MatchPerson& p)
{
    p.firstInstruction = 0;
    p.preferredReceiver = 0;
    p.secondInstruction = 0;
    p.thirdInstruction = 0;
    p.targetCellColumn = -1;
    p.targetCellRow = -1;
    p.markingSlot = -1;
}

// The person index within his side who holds the named slot; 0 when no slot is named.
int8_t PreferredReceiver(int32_t side, const TacticsSlot& slot)
{
    const int32_t named = TacticsSlot_Receiver(slot);
    if (named < 1) return 0;
    const int32_t person = LineUp[side][named] & 0xFF;
    return static_cast<int8_t>(person >= MATCH_PERSONS_PER_SIDE ? person - MATCH_PERSONS_PER_SIDE
                                                                : person);
}

// Only a slot inside the opponents' line-up can be marked; anything else means nobody.
int8_t MarkingSlot(const TacticsSlot& slot)
{
    const int32_t marked = slot.markedOpponent;
    return marked >= 1 && marked < MATCH_PERSONS_PER_SIDE ? static_cast<int8_t>(marked) : -1;
}

}  // namespace

void Formation_Init()
{
    for (ShapeRows& table : ShapeTables) {
        std::fill(&table[0][0], &table[0][0] + SHAPE_ROW_COUNT * SHAPE_SPOT_COUNT, ShapeSpot{});
    }
    std::fill(&ShapeBuildArea[0][0], &ShapeBuildArea[0][0] + SHAPE_ROW_COUNT * SHAPE_SPOT_COUNT,
              ShapeSpot{});
    ShapeWorkingBlock = {};
}

void Formation_Uninit() {}

int32_t Shape_GridX(int32_t column) { return column * 1000 / 15 + 33; }
int32_t Shape_GridY(int32_t row) { return row * 1500 / 18 + 41; }

int32_t Shape_RowOfY(int32_t v)
{
    if (v < 83) return 0;
    if (v >= 1411) return 17;
    return v / 83;
}

int32_t Shape_ColumnOfX(int32_t v)
{
    if (v < 66) return 0;
    if (v >= 924) return 14;
    return v / 66;
}

void Shape_MirrorColumns()
{
    // The slot's fields are packed: read and written by value.
    const auto mirrored = [](int16_t column) {
        return static_cast<int16_t>(column >= 0 ? 14 - column : column);
    };
    for (TacticsSlot& slot : ShapeWorkingBlock.slots) {
        slot.row = static_cast<int16_t>(14 - slot.row);  // the home column, negative or not
        slot.row2 = mirrored(slot.row2);
        slot.row3 = mirrored(slot.row3);
        slot.targetRow = mirrored(slot.targetRow);
    }
}

void Shape_BuildSet(int32_t set)
{
    for (int32_t entry = 0; entry < SHAPE_SPOT_COUNT; ++entry) {
        const Cell home = HomeCell(ShapeWorkingBlock.slots[entry + 1]);
        BuildRestartRows(set, entry, home);
        BuildOpenPlayRows(set, entry, home);
    }
    for (int32_t entry = 0; entry < SHAPE_SPOT_COUNT; ++entry) {
        const TacticsSlot& slot = ShapeWorkingBlock.slots[entry + 1];
        const Cell home = HomeCell(slot);
        const int32_t homeY = Shape_GridY(home.row);
        const Cell forward = ForwardCell(slot);
        const Cell back = BackCell(slot);
        if (set == 0 && forward.column >= 0 && Shape_GridY(forward.row) > homeY)
            BuildForwardRun(entry, home, forward);
        if (set == 1 && back.column >= 0 && Shape_GridY(back.row) < homeY)
            BuildDrop(entry, home, back);
    }
}

void Shape_ScaleSet(int32_t set)
{
    for (int32_t row = set * SHAPE_SET_ROWS; row < (set + 1) * SHAPE_SET_ROWS; ++row) {
        for (ShapeSpot& spot : ShapeBuildArea[row]) {
            spot.x = static_cast<int16_t>(spot.x * 126 / 100);
            spot.y = static_cast<int16_t>(spot.y * 126 / 100);
        }
    }
}

void SetupFormations(int32_t side)
{
    side = side == 0 ? 0 : 1;
    ShapeWorkingBlock = TeamShape[side];
    Shape_MirrorColumns();
    Shape_BuildSet(0);
    Shape_BuildSet(1);
    Shape_ScaleSet(0);
    Shape_ScaleSet(1);
    std::copy(&ShapeBuildArea[0][0], &ShapeBuildArea[0][0] + SHAPE_ROW_COUNT * SHAPE_SPOT_COUNT,
              &ShapeTables[side][0][0]);
    for (int32_t slot = 0; slot < TACTIC_SLOT_COUNT; ++slot) {
        MatchPerson& p = MatchPersons[LineUp[side][slot]];
        p.targetCellColumn = static_cast<int8_t>(ShapeWorkingBlock.slots[slot].targetRow);
        p.targetCellRow = static_cast<int8_t>(ShapeWorkingBlock.slots[slot].targetColumn);
    }
    Match.strategyApplied[side] = {};
    Match.strategyApplied[side].targetRow = -1;
}

void CopySquadStatusToPlayers(int32_t side)
{
    side = side == 0 ? 0 : 1;
    for (int32_t slot = 0; slot < MATCH_PERSONS_PER_SIDE; ++slot) {
        MatchPerson& p = MatchPersons[LineUp[side][slot]];
        ClearInstructions(p);
        if (slot >= TACTIC_SLOT_COUNT) continue;
        const TacticsSlot& s = TeamShape[side].slots[slot];
        p.firstInstruction = s.shooting;
        p.secondInstruction = s.throughBall != 0 ? 1 : 0;
        p.thirdInstruction = s.crossing;
        p.preferredReceiver = PreferredReceiver(side, s);
        p.targetCellColumn = static_cast<int8_t>(s.targetRow);
        p.targetCellRow = static_cast<int8_t>(s.targetColumn);
        p.markingSlot = MarkingSlot(s);
    }
}
