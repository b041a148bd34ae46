// tools/mkdata/scanback.cpp: background 19, the 2D match view's pitch, drawn through the very
// camera and projection the view places its people with, so that they stand on its lines.
#include <cmath>
#include <numbers>
#include <vector>

#include "game/matchblocks.h"
#include "gamecode/pitch.h"
#include "matchscreens/view2d.h"
#include "tools/mkdata/canvas.h"
#include "tools/mkdata/menugfx.h"
#include "vx256/polyman.h"

namespace {

constexpr MkRgb kSurround = {16, 46, 24};
constexpr MkRgb kBand = {30, 86, 40};  // the grass round the pitch, darker than the pitch's
constexpr MkRgb kGrass = {44, 122, 52};
constexpr MkRgb kMown = {52, 136, 60};
constexpr MkRgb kLine = {236, 240, 236};
constexpr MkRgb kNet = {190, 194, 200};

constexpr float kLineWidth = 7.0f;  // pitch units
constexpr float kBandWidth = 90.0f;
constexpr int32_t kMownStripes = 12;
constexpr float kCircleRadius = 10.0f * PITCH_UNITS_PER_YARD;
constexpr float kCornerRadius = 1.0f * PITCH_UNITS_PER_YARD;
constexpr float kSpotRadius = 6.0f;
constexpr float kNetDepth = 2.0f * PITCH_UNITS_PER_YARD;
constexpr int32_t kRingSteps = 96;
constexpr int32_t kBottomStripY = 440;  // the speed buttons, "Tactique" and the names below it

struct Ground {
    float x, y;
};

// A ground point on the 640 x 480 picture, by the game's view transform and projection (28.4).
MkPoint Project(Ground g)
{
    const ViewPoint v = Polyman_ToView(g.x, g.y, 0.0f);
    const PolyVertex source = {v.x, v.y, v.z, 0.0f, 0.0f};
    SoftVertex projected{};
    ProjectVertices(&source, &projected, 1, VertexOrder::AsStored);
    return {static_cast<float>(projected.x) / 16.0f, static_cast<float>(projected.y) / 16.0f};
}

void GroundPolygon(MkCanvas* c, const std::vector<Ground>& points, MkRgb colour)
{
    std::vector<MkPoint> projected;
    for (const Ground& g : points)
        projected.push_back(Project(g));
    c->Polygon(projected, colour);
}

void GroundRect(MkCanvas* c, float x0, float y0, float x1, float y1, MkRgb colour)
{
    GroundPolygon(c, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, colour);
}

// A marking of the line's width centred on the segment.
void Stripe(MkCanvas* c, Ground a, Ground b, MkRgb colour)
{
    const float dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    const float ox = -dy / length * kLineWidth / 2, oy = dx / length * kLineWidth / 2;
    GroundPolygon(
        c, {{a.x + ox, a.y + oy}, {b.x + ox, b.y + oy}, {b.x - ox, b.y - oy}, {a.x - ox, a.y - oy}},
        colour);
}

// The four sides of a marked rectangle, each line inside its ends so that corners meet once.
void Outline(MkCanvas* c, float x0, float y0, float x1, float y1)
{
    const float h = kLineWidth / 2;
    GroundRect(c, x0 - h, y0 - h, x1 + h, y0 + h, kLine);
    GroundRect(c, x0 - h, y1 - h, x1 + h, y1 + h, kLine);
    GroundRect(c, x0 - h, y0 + h, x0 + h, y1 - h, kLine);
    GroundRect(c, x1 - h, y0 + h, x1 + h, y1 - h, kLine);
}

Ground OnCircle(Ground centre, float radius, double angle)
{
    return {centre.x + radius * static_cast<float>(std::cos(angle)),
            centre.y + radius * static_cast<float>(std::sin(angle))};
}

// The marked ring from angle a0 to a1 as one outline (outer edge, then inner edge back), so that
// every pixel of it is painted once.
void Arc(MkCanvas* c, Ground centre, float radius, double a0, double a1)
{
    const float h = kLineWidth / 2;
    const auto steps =
        static_cast<int32_t>(std::ceil(kRingSteps * (a1 - a0) / (2 * std::numbers::pi)));
    std::vector<Ground> ring;
    for (int32_t k = 0; k <= steps; ++k)
        ring.push_back(OnCircle(centre, radius + h, a0 + (a1 - a0) * k / steps));
    for (int32_t k = steps; k >= 0; --k)
        ring.push_back(OnCircle(centre, radius - h, a0 + (a1 - a0) * k / steps));
    GroundPolygon(c, ring, kLine);
}

void Spot(MkCanvas* c, Ground centre)
{
    std::vector<Ground> disc;
    for (int32_t k = 0; k < 12; ++k)
        disc.push_back(OnCircle(centre, kSpotRadius, 2 * std::numbers::pi * k / 12));
    GroundPolygon(c, disc, kLine);
}

// The penalty arc: the part of the circle round the spot that lies beyond the box's line.
void PenaltyArc(MkCanvas* c, float spotY, float boxLineY)
{
    const double beyond = std::acos(std::abs(boxLineY - spotY) / kCircleRadius);
    const double towardPlay = boxLineY > spotY ? std::numbers::pi / 2 : -std::numbers::pi / 2;
    Arc(c, {PITCH_CENTRE_X, spotY}, kCircleRadius, towardPlay - beyond, towardPlay + beyond);
}

// The goal's footprint behind its line: the posts' line back to the net's foot.
void GoalMouth(MkCanvas* c, float lineY, float outward)
{
    const float backY = lineY + outward * kNetDepth;
    Stripe(c, {PITCH_LEFT_POST_X, lineY}, {PITCH_LEFT_POST_X, backY}, kNet);
    Stripe(c, {PITCH_RIGHT_POST_X, lineY}, {PITCH_RIGHT_POST_X, backY}, kNet);
    Stripe(c, {PITCH_LEFT_POST_X, backY}, {PITCH_RIGHT_POST_X, backY}, kNet);
}

void PaintGrass(MkCanvas* c)
{
    constexpr float L = PITCH_LEFT_TOUCHLINE_X, R = PITCH_RIGHT_TOUCHLINE_X;
    constexpr float N = PITCH_NEAR_GOAL_LINE_Y, F = PITCH_FAR_GOAL_LINE_Y;
    GroundRect(c, L - kBandWidth, N - kBandWidth, R + kBandWidth, F + kBandWidth, kBand);
    GroundRect(c, L, N, R, F, kGrass);
    const float stripe = (F - N) / kMownStripes;
    for (int32_t k = 1; k < kMownStripes; k += 2)
        GroundRect(c, L, N + k * stripe, R, N + (k + 1) * stripe, kMown);
}

void PaintMarkings(MkCanvas* c)
{
    constexpr float L = PITCH_LEFT_TOUCHLINE_X, R = PITCH_RIGHT_TOUCHLINE_X;
    constexpr float N = PITCH_NEAR_GOAL_LINE_Y, F = PITCH_FAR_GOAL_LINE_Y;
    Outline(c, L, N, R, F);
    const float h = kLineWidth / 2;
    GroundRect(c, L + h, PITCH_HALFWAY_LINE_Y - h, R - h, PITCH_HALFWAY_LINE_Y + h, kLine);
    Outline(c, PITCH_BOX_LEFT_X, N, PITCH_BOX_RIGHT_X, PITCH_BOX_NEAR_Y);
    Outline(c, PITCH_BOX_LEFT_X, PITCH_BOX_FAR_Y, PITCH_BOX_RIGHT_X, F);
    Outline(c, PITCH_GOAL_AREA_LEFT_X, N, PITCH_GOAL_AREA_RIGHT_X, PITCH_GOAL_AREA_NEAR_Y);
    Outline(c, PITCH_GOAL_AREA_LEFT_X, PITCH_GOAL_AREA_FAR_Y, PITCH_GOAL_AREA_RIGHT_X, F);
    Arc(c, {PITCH_CENTRE_X, PITCH_CENTRE_Y}, kCircleRadius, 0, 2 * std::numbers::pi);
    PenaltyArc(c, PITCH_PENALTY_SPOT_NEAR_Y, PITCH_BOX_NEAR_Y);
    PenaltyArc(c, PITCH_PENALTY_SPOT_FAR_Y, PITCH_BOX_FAR_Y);
    const double quarter = std::numbers::pi / 2;
    Arc(c, {L, N}, kCornerRadius, 0, quarter);
    Arc(c, {R, N}, kCornerRadius, quarter, 2 * quarter);
    Arc(c, {R, F}, kCornerRadius, 2 * quarter, 3 * quarter);
    Arc(c, {L, F}, kCornerRadius, 3 * quarter, 4 * quarter);
    Spot(c, {PITCH_CENTRE_X, PITCH_CENTRE_Y});
    Spot(c, {PITCH_CENTRE_X, PITCH_PENALTY_SPOT_NEAR_Y});
    Spot(c, {PITCH_CENTRE_X, PITCH_PENALTY_SPOT_FAR_Y});
    GoalMouth(c, N, -1.0f);
    GoalMouth(c, F, 1.0f);
}

// The formation panels and the row of buttons and names stay plain, so that their words read.
void PaintPlainAreas(MkCanvas* c)
{
    for (const int32_t x : VIEW2D_PANEL_X)
        c->Rect(x, VIEW2D_PANEL_Y, VIEW2D_PANEL_W, VIEW2D_PANEL_H, kSurround);
    c->Rect(0, kBottomStripY, c->Width(), c->Height() - kBottomStripY, kSurround);
}

}  // namespace

void MkPaintScanback(MkCanvas* c)
{
    MatchDayBlock* const block = GetMatchSidesBlock();
    const uint16_t mode = block->viewMode;
    block->viewMode = VIEW_2D;
    View2D_SetCamera();
    block->viewMode = mode;
    c->Rect(0, 0, c->Width(), c->Height(), kSurround);
    PaintGrass(c);
    PaintMarkings(c);
    PaintPlainAreas(c);
}
