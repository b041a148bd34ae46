// engine/xyzdata.h: "XYZ0" models as one block in memory: their header and records, the check
// every loaded model passes, and the moves, scales and turns of their points before a 3D object
// is built from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

constexpr uint32_t XYZ_NAME_SIZE = 32;
constexpr uint32_t XYZ_MAX_POLYGON_POINTS =
    4;                                     // polygons of 0 or more points than this are skipped
constexpr uint16_t XYZ_NO_POINT = 0xFFFF;  // a bone or parent field that names nothing

// The records of the block, little-endian, each at least as large as its struct; the header
// gives the real record sizes, and bytes past the struct belong to the model's maker.
#pragma pack(push, 1)
struct XYZHeader {
    char magic[4];  // "XYZ0"
    uint32_t unused;
    uint32_t pointOffset;  // from the start of the block
    uint32_t pointCount;
    uint32_t pointSize;
    uint32_t textureOffset;
    uint32_t textureCount;
    uint32_t textureSize;
    uint32_t polygonOffset;
    uint32_t polygonCount;
    uint32_t polygonSize;
};

struct XYZPoint {
    float x;
    float y;
    float z;
    uint16_t bone;    // read by the animation only
    uint16_t parent;  // the point this one hangs from; XYZ_NO_POINT or any number past the table
};

struct XYZTexture {
    char name[XYZ_NAME_SIZE];    // zero-terminated; empty: untextured, drawn in the colour below
    char second[XYZ_NAME_SIZE];  // handed to the object's callback
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t alpha;
};

struct XYZPolygon {
    uint32_t texture;
    uint32_t pointCount;  // 1 to 4 are drawn
    uint32_t points[XYZ_MAX_POLYGON_POINTS];
    float u[XYZ_MAX_POLYGON_POINTS];
    float v[XYZ_MAX_POLYGON_POINTS];
};
#pragma pack(pop)

static_assert(sizeof(XYZHeader) == 44 && offsetof(XYZHeader, pointOffset) == 8);
static_assert(offsetof(XYZHeader, textureOffset) == 20 && offsetof(XYZHeader, polygonSize) == 40);
static_assert(sizeof(XYZPoint) == 16 && offsetof(XYZPoint, bone) == 12);
static_assert(offsetof(XYZPoint, parent) == 14);
static_assert(sizeof(XYZTexture) == 68 && offsetof(XYZTexture, second) == 32);
static_assert(offsetof(XYZTexture, red) == 64);
static_assert(sizeof(XYZPolygon) == 56 && offsetof(XYZPolygon, points) == 8);
static_assert(offsetof(XYZPolygon, u) == 24 && offsetof(XYZPolygon, v) == 40);
static_assert(std::is_trivially_copyable_v<XYZHeader> && std::is_trivially_copyable_v<XYZPoint>);
static_assert(std::is_trivially_copyable_v<XYZTexture> && std::is_trivially_copyable_v<XYZPolygon>);

// Null when the block of `size` bytes is a model every operation may read: its magic, a header
// that fits, record sizes no smaller than the structs above, tables inside the block, names
// terminated, and every drawn polygon's texture and points inside their tables. Otherwise what
// is wrong, in a few words.
const char* XYZData_Check(const void* block, uint32_t size);
// Loads a model from the data archives into the tracked block *owner and returns its size. A
// model that fails the check is fatal: "XYZData_Load(): '<name>' is damaged (<what>)".
uint32_t XYZData_Load(const char* name, void** owner);

// Record i of each table, copied out of a checked block (the block's bytes need no alignment).
XYZHeader XYZData_Header(const void* block);
XYZPoint XYZData_Point(const void* block, uint32_t i);
XYZTexture XYZData_Texture(const void* block, uint32_t i);
XYZPolygon XYZData_Polygon(const void* block, uint32_t i);

// In-place changes of every point of a checked block, in table order, each sum and product
// formed in extended precision and stored as a float. Angles in radians; a turn by +pi/2 takes
// (1, 0) to (0, 1) in the plane it turns.
void XYZData_Translate(void* block, float dx, float dy, float dz);
void XYZData_Scale(void* block, float sx, float sy, float sz);
void XYZData_RotateZ(void* block, float angle);  // turns (x, y)
void XYZData_RotateX(void* block, float angle);  // turns (y, z)
