// engine/d3dobj.h: 3D objects built from "XYZ0" models: their polygons grouped by texture and
// point count into entries of device vertices, drawn with one call per entry; textures are asked
// of the object's callback when it is built and given back when it dies.
#pragma once

#include <cstdint>

// Events sent to an object's callback.
enum D3DObjEventKind : uint8_t {
    D3DOBJ_EVENT_COMPARE = 1,     // set the comparison: 0 same texture, above 0 first sorts after
    D3DOBJ_EVENT_CREATE = 2,      // set handle and value (the handle is preset to -1)
    D3DOBJ_EVENT_RELEASE = 3,     // release the texture
    D3DOBJ_EVENT_BIND = 4,        // a textured entry is about to be drawn: bind its texture
    D3DOBJ_EVENT_UNTEXTURED = 5,  // an untextured entry is about to be drawn
};

struct D3DObjEvent {
    uint8_t kind;  // D3DObjEventKind
    uintptr_t user;
    const char* name;  // the texture record's name and second field
    const char* second;
    const char* otherName;  // comparisons: the record it is compared with
    const char* otherSecond;
    int32_t handle;  // the entry's, for binding and release
    uint32_t value;
};

struct D3DObjResult {
    int32_t handle;
    uint32_t value;
    int32_t comparison;
};

// Non-zero when the callback handled the event; otherwise D3DObjDefaultCallback acts.
using D3DObjCallback = int32_t (*)(const D3DObjEvent& event, D3DObjResult* result);

enum D3DObjEntryFlags : uint8_t {
    D3DOBJ_TEXTURED = 0x01,
    D3DOBJ_UNTEXTURED = 0x02,
    D3DOBJ_TRIANGLES = 0x10,
    D3DOBJ_LINES = 0x20,
    D3DOBJ_POINTS = 0x40,
};

// Build options.
enum D3DObjOptions : uint8_t {
    D3DOBJ_FLAT = 0x01,         // each corner takes its polygon's normal, not its point's
    D3DOBJ_INDEXED = 0x02,      // identical vertices shared through u16 index lists
    D3DOBJ_KEEP_POINTS = 0x04,  // each vertex remembers its model point, as animation needs
};

// Vertices of textured entries (device format 0x112) and of untextured ones (0x52).
struct D3DObjTexturedVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
struct D3DObjColouredVertex {
    float x, y, z;
    float nx, ny, nz;
    uint32_t colour;  // 0xAARRGGBB
};
static_assert(sizeof(D3DObjTexturedVertex) == 32 && sizeof(D3DObjColouredVertex) == 28);

struct D3DObjEntry {
    uint8_t flags;   // D3DObjEntryFlags: one of textured or untextured, one primitive
    int32_t handle;  // from the create event; -1 for untextured entries
    uint32_t value;  // from the create event, handed back with later events
    void* vertices;  // tracked block of D3DObjTexturedVertex or D3DObjColouredVertex
    uint32_t vertexCount;
    uint16_t* pointNumbers;  // tracked, one per vertex, only with D3DOBJ_KEEP_POINTS
    uint16_t* indices;       // tracked, only with D3DOBJ_INDEXED
    uint32_t indexCount;
};

struct D3DObject {
    uint32_t reserved;
    D3DObjCallback callback;
    uintptr_t user;        // handed to the callback with every event
    D3DObjEntry* entries;  // tracked block, sorted by the callback's comparison
    uint32_t entryCount;
};

// Builds *owner (a tracked block) from a checked "XYZ0" block (engine/xyzdata.h). No callback:
// D3DObjBasicCallback. Fatal aborts (source "d3dobj"): "D3DObj_CreateObjectFromXYZData(): bad
// data passed in" for a wrong magic, "... too many vertices in one entry" past 65,535 indexed
// vertices, and the default callback's for a texture nobody creates.
void D3DObj_CreateObjectFromXYZData(D3DObject** owner, const void* data, D3DObjCallback callback,
                                    uintptr_t user, uint8_t options);
// Draws every entry in order with the current transforms and states, binding each texture
// through the callback.
void D3DObj_Render(const D3DObject* object);
// Gives back every texture through the callback, frees every block and nulls *owner.
void D3DObj_DestroyObject(D3DObject** owner);

// What happens to an event the callback left: comparisons by name bytes, binding through
// D3DTexSetCurrentHandle, nothing for untextured entries; creation and release are fatal
// ("D3DObjDefaultCallback(): no default action for TEXTURECREATE").
void D3DObjDefaultCallback(int32_t handled, const D3DObjEvent& event, D3DObjResult* result);
// Loads "<directory>\<name>.gfx" for creation (16-byte head, u16 width at 4 and height at 6,
// then R, G, B, A bytes per pixel) and destroys it on release; `user` is the address of a
// pointer to the directory name. Fatal aborts: "D3DObjBasicCallback(): NULL userdata passed",
// "D3DObjBasicCallback(): texture '<name>' is the wrong size".
int32_t D3DObjBasicCallback(const D3DObjEvent& event, D3DObjResult* result);
