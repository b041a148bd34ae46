// matchscreens/view2d.cpp: the 2D match view: its set-up, its pacing, its pointer and its screen.
#include "matchscreens/view2d.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/script.h"
#include "engine/timer.h"
#include "game/kitcolours.h"
#include "game/matchblocks.h"
#include "game/tactics.h"
#include "game/textmess.h"
#include "gamecode/matchdata.h"
#include "gamecode/matchstate.h"
#include "gamecode/matchview.h"
#include "gamecode/pitch.h"
#include "gamecode/presentation.h"
#include "matchscreens/camera.h"
#include "matchscreens/matchkeys.h"
#include "matchscreens/textview.h"
#include "menus/hotregion.h"
#include "menus/machine.h"
#include "menus/menuicons.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "viewservices/hotzone.h"
#include "viewservices/motioncap.h"
#include "viewservices/popup.h"
#include "viewservices/timedevents.h"
#include "viewservices/viewscreen.h"
#include "vx256/objects.h"
#include "vx256/playermodel.h"
#include "vx256/polyman.h"
#include "vx256/softraster.h"

int16_t Speed2DIndex = 2;
int16_t FollowedPlayers[2] = {VIEW2D_NONE, VIEW2D_NONE};
int16_t NextFollowSlot;
View2DState View2D;

namespace {

constexpr int32_t kBackground = 19;
constexpr int32_t kSpeedStart = 2;
constexpr int32_t kWidth = 640, kHeight = 480;

// Hot-zones.
constexpr int32_t ZONE_FASTER = 7, ZONE_SLOWER = 8, ZONE_SPEED = 9, ZONE_TACTICS = 10;
struct ZoneRow {
    int32_t zone;
    int16_t x, y, w, h;
};
constexpr ZoneRow kZones[] = {{ZONE_FASTER, 3, 444, 32, 16},
                              {ZONE_SLOWER, 3, 460, 32, 20},
                              {ZONE_SPEED, 405, 445, 90, 30},
                              {ZONE_TACTICS, 510, 445, 100, 30}};

const ZoneRow& Zone(int32_t zone)
{
    return *std::find_if(std::begin(kZones), std::end(kZones),
                         [&](const ZoneRow& r) { return r.zone == zone; });
}

// Texts, icons, colours.
constexpr int32_t TEXT_TACTICS = 261;
constexpr int32_t ICON_POSITION_FIRST = 89, ICON_BALL = 1231;
constexpr int32_t COLOUR_WHITE = 0, COLOUR_BLACK = 2, COLOUR_YELLOW = 8;  // font colours
constexpr uint16_t kPanelBarColour = 0xD6A0;
constexpr uint16_t kButtonColour = 0x4208;

// Places.
constexpr int32_t kScoreY = 4, kNameEndX = 296, kGoals0X = 314, kGoals1X = 326, kName1X = 344;
constexpr int32_t kAggregateY = 20, kAggregate0X = 276, kAggregate1X = 370;
constexpr int32_t kClockX = 281, kClockY = 18, kClockTextX = 320, kClockTextY = 26;
constexpr int32_t kNamesX = 40, kNamesY[2] = {446, 462}, kNamesBallX = 30;
// Below the clock's digits.
constexpr int32_t kEventX = 320, kEventY = 47, kEventWidth = 360;
constexpr int32_t kKeeperDotX = 0, kKeeperDotY = 42, kPanelMirror = 123;
constexpr int32_t kHoverPersonRange = 576, kHoverDotRange = 144;  // squared, at 640 wide
constexpr int32_t kShadowBoxes[2][2] = {{6, 3}, {4, 5}};

// Map cells: the grid's rows run across the pitch, its columns along it.
constexpr float kCellAcross = static_cast<float>(PITCH_WIDTH) / TACTIC_GRID_ROWS;
constexpr float kCellAlong = static_cast<float>(PITCH_LENGTH) / TACTIC_GRID_COLUMNS;
constexpr float kCellGap = 8.0f;

void Text(int32_t x, int32_t y, int32_t font, const char* text, int32_t align)
{
    SetMenuFont(font);
    SetDrawAttribute(1, COLOUR_WHITE);
    DrawMenuString(x, y, text, align);
}

const char* SideName(int32_t side)
{
    static char name[2][MATCH_TEAM_NAME_BYTES + 1];
    std::memcpy(name[side], GetMatchSidesBlock()->sides[side].teamName, MATCH_TEAM_NAME_BYTES);
    name[side][MATCH_TEAM_NAME_BYTES] = '\0';
    return name[side];
}

uint16_t Colour565(const KitColour& c)
{
    const auto percent = [](int32_t v) { return v * 100 / 255; };
    return static_cast<uint16_t>(percent(c.r) * 32 / 101 << 11 | percent(c.g) * 64 / 101 << 5
                                 | percent(c.b) * 32 / 101);
}

// The side that plays on the left of the panels: side 0 while the ends flag is clear.
int32_t LeftSide() { return Match.secondOfPair != 0 ? 1 : 0; }

// A ground quad cut to the view and filled on the menu screen: translucent at `percent`, or
// solid when percent is 100.
void FillGroundQuad(const float (&corners)[4][2], uint16_t colour, int32_t percent)
{
    CurrentPolygon.count = 4;
    for (int32_t i = 0; i < 4; ++i) {
        const ViewPoint v = Polyman_ToView(corners[i][0], corners[i][1], 0.0f);
        CurrentPolygon.vertices[i] = {v.x, v.y, v.z, 0, 0};
    }
    if (ClipPolygon() == 0) return;
    const int32_t count = CurrentPolygon.count;
    SoftVertex projected[SOFT_MAX_POLY_VERTICES];
    ProjectVertices(CurrentPolygon.vertices, projected, count, VertexOrder::AsStored);
    if (ProjectedWinding(projected, count) < 0)
        ProjectVertices(CurrentPolygon.vertices, projected, count, VertexOrder::Reversed);
    SoftScreenVertex screen[SOFT_MAX_POLY_VERTICES];
    for (int32_t i = 0; i < count; ++i)
        screen[i] = {projected[i].x, projected[i].y, 0.0f, 0.0f};
    SetDrawAttribute(2, colour);
    if (percent >= 100)
        Soft_DrawPolygonB(screen, count);
    else
        Soft_DrawPolygonA(screen, count, percent);
}

// A world point on the menu screen's plane, on the screen or not; false behind the near plane.
bool ProjectPoint(float x, float y, float height, int32_t* px, int32_t* py)
{
    const ViewPoint v = Polyman_ToView(x, y, height);
    if (v.z < POLY_NEAR_Z) return false;
    const PolyVertex source = {v.x, v.y, v.z, 0.0f, 0.0f};
    SoftVertex projected{};
    ProjectVertices(&source, &projected, 1, VertexOrder::AsStored);
    *px = projected.x >> 4;
    *py = projected.y >> 4;
    return true;
}

void SmallButton(const ZoneRow& z, const char* label)
{
    SetDrawAttribute(2, kButtonColour);
    SetDrawAttribute(4, 1);
    DoButton(z.x, z.y, z.w, z.h);
    Text(z.x + z.w / 2, z.y + z.h / 2, 0, label, MENU_ALIGN_CENTRE);
}

void DrawStaticScreen()
{
    DoBackground(kBackground);
    char label[MATCH_TEAM_NAME_BYTES + 8];
    std::snprintf(label, sizeof(label), "%s -", SideName(0));
    Text(kNameEndX, kScoreY, 1, label, MENU_ALIGN_TR);
    std::snprintf(label, sizeof(label), "- %s", SideName(1));
    Text(kName1X, kScoreY, 1, label, MENU_ALIGN_TL);
    for (int32_t side = 0; side < 2; ++side)
        Text(VIEW2D_PANEL_X[side] + VIEW2D_PANEL_W / 2, VIEW2D_PANEL_Y - 2, 0, SideName(side),
             MENU_ALIGN_BC);
    SmallButton(Zone(ZONE_FASTER), "+");
    SmallButton(Zone(ZONE_SLOWER), "-");
    SmallButton(Zone(ZONE_TACTICS), GetMessageText(TEXT_TACTICS));
    CopyBackBuffer();
}

int32_t Squared(int32_t dx, int32_t dy) { return dx * dx + dy * dy; }

int32_t HoverRange(int32_t range) { return ViewSize.width * range / kWidth; }

// The nearest person on the pitch within range of the pointer, or VIEW2D_NONE.
int32_t HoveredPerson(int32_t x, int32_t y)
{
    int32_t best = VIEW2D_NONE, bestDistance = HoverRange(kHoverPersonRange) + 1;
    for (int32_t person = 0; person < MATCH_PLAYER_COUNT; ++person) {
        if (ObjectDisplay_Motion(person) == MOTION_ABSENT) continue;
        const RenderObject& o = RenderList[person];
        int32_t px = 0, py = 0;
        if (!View2D_Project(o.x, o.y, o.height, &px, &py)) continue;
        const int32_t d = Squared(px - x, py - y);
        if (d < bestDistance) {
            best = person;
            bestDistance = d;
        }
    }
    return best;
}

// The person of the nearest panel dot of the side within range, or VIEW2D_NONE.
int32_t HoveredDot(int32_t side, int32_t x, int32_t y)
{
    int32_t best = VIEW2D_NONE, bestDistance = HoverRange(kHoverDotRange) + 1;
    for (int32_t slot = 0; slot < MATCH_STARTERS; ++slot) {
        int32_t dx = 0, dy = 0;
        View2D_PanelDot(side, slot, &dx, &dy);
        const int32_t d = Squared(dx - x, dy - y);
        if (d < bestDistance) {
            best = LineUp[side][slot];
            bestDistance = d;
        }
    }
    return best;
}

void Follow(int32_t person)
{
    for (int16_t& followed : FollowedPlayers) {
        if (followed == person) {
            followed = VIEW2D_NONE;
            return;
        }
    }
    for (int16_t& followed : FollowedPlayers) {
        if (followed == VIEW2D_NONE) {
            followed = static_cast<int16_t>(person);
            return;
        }
    }
    FollowedPlayers[NextFollowSlot] = static_cast<int16_t>(person);
    NextFollowSlot = static_cast<int16_t>(1 - NextFollowSlot);
}

void ActOnZones(int32_t x, int32_t y)
{
    if (HotZone_Holds(ZONE_FASTER, x, y))
        Speed2DIndex = static_cast<int16_t>(std::min(Speed2DIndex + 1, VIEW2D_FASTEST_OFFERED));
    if (HotZone_Holds(ZONE_SLOWER, x, y))
        Speed2DIndex = static_cast<int16_t>(std::max(Speed2DIndex - 1, 0));
    if (HotZone_Holds(ZONE_TACTICS, x, y)) MatchShared.menuRequest = 1;
}

void DrawMap(int32_t person, uint16_t colour)
{
    // The counts lie unaligned in the packed block: each is read as a value.
    const MatchDataBlock& data = *GetMatchDataBlock();
    const bool mirrored = Match.period == 0 || Match.period == 2;
    for (int32_t across = 0; across < TACTIC_GRID_ROWS; ++across) {
        for (int32_t along = 0; along < TACTIC_GRID_COLUMNS; ++along) {
            const int32_t readAcross = mirrored ? TACTIC_GRID_ROWS - 1 - across : across;
            const int32_t readAlong = mirrored ? TACTIC_GRID_COLUMNS - 1 - along : along;
            if (data.heatMaps[person][readAcross][readAlong] == 0) continue;
            const float x0 = PITCH_LEFT_TOUCHLINE_X + across * kCellAcross + kCellGap / 2;
            const float y0 = PITCH_NEAR_GOAL_LINE_Y + along * kCellAlong + kCellGap / 2;
            const float x1 = x0 + kCellAcross - kCellGap, y1 = y0 + kCellAlong - kCellGap;
            const float quad[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
            FillGroundQuad(quad, colour, 50);
        }
    }
}

void DrawScoreAndSpeed()
{
    const MatchDayBlock& block = *GetMatchSidesBlock();
    const bool shootOut = Match.period == MATCH_PERIOD_SHOOT_OUT;
    char text[24];
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t goals = shootOut ? Match.shootOutGoals[side] : Match.score[side];
        std::snprintf(text, sizeof(text), "%d", goals);
        Text(side == 0 ? kGoals0X : kGoals1X, kScoreY, 1, text,
             side == 0 ? MENU_ALIGN_TR : MENU_ALIGN_TL);
        if (block.secondLeg != 1) continue;
        std::snprintf(text, sizeof(text), "(%d)", goals + block.sides[side].firstLegGoals);
        Text(side == 0 ? kAggregate0X : kAggregate1X, kAggregateY, 0, text,
             side == 0 ? MENU_ALIGN_TR : MENU_ALIGN_TL);
    }
    TextView_DrawClockFace(kClockX, kClockY, kClockTextX, kClockTextY);
    std::snprintf(text, sizeof(text), "x %d", SpeedTable[Speed2DIndex] / 100 + 1);
    const ZoneRow& z = Zone(ZONE_SPEED);
    Text(z.x + z.w / 2, z.y + z.h / 2, 0, text, MENU_ALIGN_CENTRE);
}

// The line-up number of a person (1-16).
int32_t Number(int32_t person)
{
    const int32_t side = person / MATCH_PERSONS_PER_SIDE;
    return Football_GetPlayersPosition(side, person - side * MATCH_PERSONS_PER_SIDE) + 1;
}

void DrawFollowedNumbers()
{
    for (const int16_t person : FollowedPlayers) {
        if (person == VIEW2D_NONE || ObjectDisplay_Motion(person) == MOTION_ABSENT) continue;
        const RenderObject& o = RenderList[person];
        int32_t x = 0, y = 0;
        if (!View2D_Project(o.x, o.y, o.height + PERSON_HEAD_HEIGHT, &x, &y)) continue;
        char text[12];
        std::snprintf(text, sizeof(text), "%d", Number(person));
        SetMenuFont(0);
        SetDrawAttribute(1, COLOUR_BLACK);
        DrawMenuString(x + 5, y + 1, text, MENU_ALIGN_BL);
        SetDrawAttribute(1, COLOUR_YELLOW);
        DrawMenuString(x + 4, y, text, MENU_ALIGN_BL);
    }
}

void DrawPanel(int32_t side)
{
    SetDrawAttribute(2, 0x0000);
    DoShadedBox(VIEW2D_PANEL_X[side], VIEW2D_PANEL_Y, VIEW2D_PANEL_W, VIEW2D_PANEL_H, 50);
    for (int32_t slot = 0; slot < MATCH_STARTERS; ++slot) {
        int32_t x = 0, y = 0;
        View2D_PanelDot(side, slot, &x, &y);
        const int32_t person = LineUp[side][slot];
        const int32_t code = GetMatchSidesBlock()
                                 ->sides[side]
                                 .entries[person - side * MATCH_PERSONS_PER_SIDE]
                                 .positionCode;
        int32_t w = 0, h = 0;
        // Four icons: a player for every position shows as a forward.
        const int32_t icon = ICON_POSITION_FIRST + std::min(MatchEntry_PositionLine(code), 3);
        GetIconSize(icon, &w, &h);
        DoIcon(x, y, icon, MENU_ALIGN_CENTRE);
        FillMenuRect(x + w / 2 + 1, y - h / 2, 1, h, kPanelBarColour);
        char text[12];
        std::snprintf(text, sizeof(text), "%d", slot + 1);
        Text(x + w / 2 + 3, y, 0, text, MENU_ALIGN_ML);
    }
}

void DrawActivePlayers()
{
    const int32_t touched = Ball.lastToucher;
    for (int32_t side = 0; side < 2; ++side) {
        const int32_t person = ActivePlayer[side];
        if (person / MATCH_PERSONS_PER_SIDE != side) continue;  // none (0xFF)
        char text[MATCH_ENTRY_NAME_BYTES + 8];
        std::snprintf(text, sizeof(text), "%2d %s", Number(person), MatchPersons[person].name);
        Text(kNamesX, kNamesY[side], 0, text, MENU_ALIGN_TL);
        if (touched >= 0 && touched < MATCH_PLAYER_COUNT
            && touched / MATCH_PERSONS_PER_SIDE == side)
            DoIcon(kNamesBallX, kNamesY[side] + 6, ICON_BALL, MENU_ALIGN_CENTRE);
    }
}

void BallPrepare(int32_t)
{
    const RenderObject& ball = RenderList[OBJECT_BALL];
    int32_t x = 0, y = 0;
    if (!View2D_Project(ball.x, ball.y, 0.0f, &x, &y)) return;
    SetDrawAttribute(2, 0x0000);
    for (const auto& box : kShadowBoxes)
        DoShadedBox(x - box[0] / 2, y - box[1] / 2, box[0], box[1], 25);
}

void BallDraw(int32_t)
{
    const RenderObject& ball = RenderList[OBJECT_BALL];
    int32_t x = 0, y = 0;
    if (View2D_Project(ball.x, ball.y, ball.height, &x, &y))
        DoIcon(x, y, ICON_BALL, MENU_ALIGN_CENTRE);
}

constexpr MatchViewOps kView2DOps = {
    View2D_Init,  View2D_Destroy, View2D_Step,
    View2D_Frame, View2D_Update,  [] { return static_cast<int32_t>(View2D.frameCounter); }};

// The sides wear their kits' colours, the officials black.
uint16_t FlatPersonColour(int32_t side, int32_t colour)
{
    return side == 0 || side == 1 ? View2D_SideColour(side, colour) : 0;
}

void DrawEventInBox(const char* message)
{
    TextView_DrawEventLine(kEventX, kEventY, kEventWidth, true, message);
}

}  // namespace

void View2D_ResetRunState()
{
    Speed2DIndex = kSpeedStart;
    FollowedPlayers[0] = FollowedPlayers[1] = VIEW2D_NONE;
    NextFollowSlot = 0;
    View2D = {};
    View2D.hovered = VIEW2D_NONE;
}

void View2D_Register()
{
    MatchView_Register(VIEWKIND_2D, &kView2DOps);
    SoftObjectDrawers.ballDraw2D = BallDraw;
    SoftObjectDrawers.ballPrepare2D = BallPrepare;
    SoftObjectDrawers.flatPerson = DrawFlatPlayerModel;
    FlatPersonColours = {[](int32_t side) { return FlatPersonColour(side, 1); },
                         [](int32_t side) { return FlatPersonColour(side, 2); },
                         [](int32_t side) { return FlatPersonColour(side, 3); }};
    ScriptRegisterValue("speed2d", [] { return int32_t{Speed2DIndex}; });
    ScriptRegisterValue("followed0", [] { return int32_t{FollowedPlayers[0]}; });
    ScriptRegisterValue("followed1", [] { return int32_t{FollowedPlayers[1]}; });
    ScriptRegisterValue("hovered", [] { return int32_t{View2D.hovered}; });
}

void View2D_TakeSideColours()
{
    constexpr int32_t kGroups[3] = {0, 1, 3};  // shirt, shorts, socks
    const MatchDayBlock& block = *GetMatchSidesBlock();
    for (int32_t side = 0; side < 2; ++side) {
        const KitDesign kit = MatchSide_GetKit(block.sides[side]);
        for (int32_t k = 0; k < 3; ++k)
            View2D.sideColour[side][k] =
                Colour565(KitColourTable[KitColour_Clamp(kit.colours[kGroups[k]][0])]);
    }
}

uint16_t View2D_SideColour(int32_t side, int32_t colour)
{
    return View2D.sideColour[std::clamp(side, 0, 1)][std::clamp(colour, 1, 3) - 1];
}

void View2D_Init()
{
    View2D = {};
    View2D.hovered = VIEW2D_NONE;
    View2D.nextFrameTime = static_cast<float>(TickCount.load());
    View2D_TakeSideColours();
    // The dispatch has given the match sounds their eight channels: no menu music.
    InitSetOfMenus(MenuSound::Keep);
    View2D_SetCamera();
    DrawStaticScreen();
    LoadPlayerModels();
    LoadMotionCaptures();
    HotZone_Reset();
    for (const ZoneRow& z : kZones)
        HotZone_Set(z.zone, z.x, z.y, z.w, z.h);
    View2D.shown = true;
}

void View2D_Destroy()
{
    View2D.shown = false;
    FreeMotionCaptures();
    FreePlayerModels();
    ShutdownMenuGraphics();
}

void View2D_Step()
{
    TimedEvents_Step();
    HighLight_Tick();
}

void View2D_Update()
{
    MotionCap_MirrorSideSteps();
    UpdateCurrentCamera();
}

void View2D_Frame()
{
    if (!TextView_PaceFrame(View2D.nextFrameTime, View2D.skippedFrames, SpeedTable[Speed2DIndex]))
        return;
    ++View2D.frameCounter;
    View2D_Input(View2D.pointerX, View2D.pointerY, View2D.buttonDown);
    View2D_DrawScreen();
    int16_t x = 0, y = 0;
    uint16_t buttons = 0;
    PointerFrame(&x, &y, &buttons);
    View2D.pointerX = x;
    View2D.pointerY = y;
    View2D.buttonDown = (buttons & 1) != 0;
    MatchKeys_ReadControllers(0);
}

void View2D_Input(int32_t x, int32_t y, bool down)
{
    const bool click = down && !View2D.buttonWasDown;
    View2D.buttonWasDown = down;
    View2D.pointerX = x;
    View2D.pointerY = y;
    if (click) ActOnZones(x, y);
    int32_t hovered = HoveredPerson(x, y);
    if (hovered == VIEW2D_NONE) hovered = HoveredDot(1, x, y);
    if (hovered == VIEW2D_NONE) hovered = HoveredDot(0, x, y);
    View2D.hovered = static_cast<int16_t>(hovered);
    if (hovered == VIEW2D_NONE) return;
    PopUp_Clear();
    PopUp_CreatePlayerInfo(hovered);
    if (click) Follow(hovered);
}

void View2D_DrawScreen()
{
    RestoreFromBackBuffer(0, 0, kWidth, kHeight);
    for (int32_t k = 0; k < 2; ++k) {
        if (FollowedPlayers[k] != VIEW2D_NONE) DrawMap(FollowedPlayers[k], View2D_SideColour(k, 1));
    }
    DrawScoreAndSpeed();
    ObjectDisplay(ObjectTypes2D);
    DrawFollowedNumbers();
    for (int32_t side = 0; side < 2; ++side)
        DrawPanel(side);
    DrawActivePlayers();
    DisplayEvent2(TimedEvents.current, TIMEDEVENT_FORM_MENU, DrawEventInBox);
    // Last, so that neither the people nor the panels cover it.
    if (View2D.hovered != VIEW2D_NONE) PopUp_Draw(View2D.pointerX, View2D.pointerY);
    PresentMenuScreen();
}

void View2D_SetCamera()
{
    SetViewSize(kWidth, kHeight);
    SetViewProjectionFactors();
    InitCameras();
    UpdateCurrentCamera();
}

bool View2D_Project(float x, float y, float height, int32_t* px, int32_t* py)
{
    return ProjectPoint(x, y, height, px, py) && *px >= 0 && *px < ViewSize.width && *py >= 0
           && *py < ViewSize.height;
}

void View2D_PanelDot(int32_t side, int32_t slot, int32_t* x, int32_t* y)
{
    const TacticsSlot& formation = Football_GetFormation(side)->slots[slot];
    // The side on the right plays towards the left: its panel is read mirrored.
    const bool mirrored = side != LeftSide();
    int32_t panelX = mirrored ? kPanelMirror - formation.column * 7 : formation.column * 7 + 3;
    int32_t panelY = (14 - formation.row) * 6 + 3;
    if (slot == 0) {
        panelX = mirrored ? kPanelMirror - kKeeperDotX : kKeeperDotX;
        panelY = kKeeperDotY;
    }
    *x = VIEW2D_PANEL_X[side] + panelX;
    *y = VIEW2D_PANEL_Y + panelY;
}
