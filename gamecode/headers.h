// gamecode/headers.h: the players who go up for a high ball: the wait where it comes down, the
// standing headers, the header to a team-mate and the jumping headers, and what a contact in the
// air does to the ball's books.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

// Upward velocities (1/65,536 units per tick) by the ball's whole height 0-29 at the contact.
using LiftTable = std::array<int32_t, 30>;

// Heights past a table's top read its last row: a ball met above it would read beyond.
constexpr int32_t Header_LiftFrom(const LiftTable& table, int32_t height)
{
    return table[std::clamp<int32_t>(height, 0, table.size() - 1)];
}

// A header or a handled ball: a low ball is pressed down, a high one lifted.
constexpr LiftTable kHeaderLift{
    -98304, -81920, -65536, -32768, -16384, 0,     4096,  8192,  12288, 16384,
    24576,  32768,  40960,  49152,  49152,  49152, 49152, 49152, 49152, 49152,
    49152,  49152,  49152,  49152,  49152,  49152, 49152, 49152, 49152, 49152,
};
// The jumping headed pass: pressed down from every height up to 20.
constexpr LiftTable kHeadedPassLift{
    -65536, -65536, -65536, -65536, -65536, -65536, -61440, -57344, -53248, -49152,
    -45056, -40960, -36864, -32768, -28672, -24576, -20480, -16384, -12288, -8192,
    -4096,  0,      8192,   16384,  32768,  65536,  98304,  131072, 163840, 196608,
};
// The jumping header at goal or flicked on; a ball met at 29 leaves flat.
constexpr LiftTable kJumpHeaderLift{
    -196608, -196608, -196608, -180224, -163840, -147456, -131072, -122880, -114688, -106496,
    -98304,  -81920,  -65536,  -32768,  -16384,  0,       4096,    8192,    12288,   16384,
    24576,   32768,   40960,   45056,   49152,   53248,   57344,   61440,   65536,   0,
};

constexpr int32_t Header_Lift(int32_t height) { return Header_LiftFrom(kHeaderLift, height); }

// How a contact in the air is judged and heard.
enum class AirContact : uint8_t {
    Control,   // a ball brought down: no sound, no offside, possession unchanged
    Standing,  // a header on the ground: the header's sound
    Jumping,   // a jump or volley: also the offside call before and the marks after, and his
               // side in possession with him last on the ball
};
// The contact of `person` (the ball's velocity already given): the touch, then the strike of
// `kind` (KickKind) in the kick books, as `how` says.
void Header_Contact(int32_t person, int32_t kind, AirContact how);
// The body's lift of a jumping player at his drawn frame: it rises to skill 4 x 50 / 1000 at
// jumpFrame and comes down as it rose, never below 0.
int32_t Header_JumpHeight(int32_t person, int32_t jumpFrame);

// Action 14: he runs to where the lofted ball comes down, trying a volley or header each tick,
// and walks back (3) once it has fallen below 16 (the landing point is then forgotten).
void Action_WaitForHighBall(int32_t person);
// Actions 115 and 114: a header along his facing, soft on a heading draw and hard otherwise; 115
// steps toward his expected ball point until there, 114 holds it.
void Action_StandingHeader(int32_t person);
// Action 88: a header to a lay-off mate (who runs to meet it, 17) or along an open direction
// toward goal; a poor header goes hard along his facing.
void Action_HeaderToMate(int32_t person);
// Actions 86, 82 and 87: he jumps and, at the top, heads the ball on: 86 toward KickTargetPoint
// for its receiver, 82 at goal within 400 of it or else to a team-mate he keeps (or his way
// toward goal), 87 backward over his head.
void Action_JumpingHeader(int32_t person);
