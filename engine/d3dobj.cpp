// engine/d3dobj.cpp: 3D objects from "XYZ0" models.
#include "engine/d3dobj.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/dxd3d.h"
#include "engine/dxd3dtex.h"
#include "engine/fatal.h"
#include "engine/filename.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "engine/vecmath.h"
#include "engine/xyzdata.h"

namespace {

constexpr uint32_t kGfxHeadBytes = 16;
constexpr uint32_t kMaxIndexedVertices = 65535;

[[noreturn]] void Abort(int32_t line, const char* message) { FatalAbort("d3dobj", line, message); }

int32_t Send(const D3DObject& object, D3DObjEvent event, D3DObjResult* result)
{
    event.user = object.user;
    const int32_t handled = object.callback(event, result);
    D3DObjDefaultCallback(handled, event, result);
    return result->comparison;
}

// The model as the build reads it: its header, and its texture records where the callbacks see
// them.
struct Model {
    const void* data;
    XYZHeader header;

    const char* Name(uint32_t t) const
    {
        return static_cast<const char*>(data) + header.textureOffset
               + uint64_t{t} * header.textureSize;
    }
    const char* Second(uint32_t t) const { return Name(t) + XYZ_NAME_SIZE; }
};

int32_t Compare(const D3DObject& object, const Model& model, uint32_t t, uint32_t u)
{
    D3DObjEvent event{};
    event.kind = D3DOBJ_EVENT_COMPARE;
    event.name = model.Name(t);
    event.second = model.Second(t);
    event.otherName = model.Name(u);
    event.otherSecond = model.Second(u);
    D3DObjResult result{};
    return Send(object, event, &result);
}

// Which entry each (texture, point count) pair goes to, for the pairs some polygon uses.
class EntryTable {
public:
    explicit EntryTable(uint32_t textureCount) : m_numbers(textureCount * 4, kUnused) {}

    bool Used(uint32_t t, uint32_t k) const { return m_numbers[Slot(t, k)] != kUnused; }
    int32_t& Number(uint32_t t, uint32_t k) { return m_numbers[Slot(t, k)]; }
    void MarkUsed(uint32_t t, uint32_t k) { m_numbers[Slot(t, k)] = kUnnumbered; }
    void Renumber(const std::vector<int32_t>& newNumbers)
    {
        for (int32_t& n : m_numbers) {
            if (n >= 0) n = newNumbers[n];
        }
    }

private:
    static constexpr int32_t kUnused = -2;
    static constexpr int32_t kUnnumbered = -1;
    static size_t Slot(uint32_t t, uint32_t k) { return size_t{t} * 4 + (k - 1); }

    std::vector<int32_t> m_numbers;
};

struct EntryOwner {
    uint32_t texture;
    uint32_t pointCount;
};

// Numbers the used pairs point count first, a texture that compares equal to an earlier one
// sharing its number, then orders the entries by the callback's comparison (a bubble sort, so
// equal textures keep their order). Returns each entry's owner pair.
std::vector<EntryOwner> NumberEntries(const D3DObject& object, const Model& model,
                                      EntryTable* table)
{
    std::vector<EntryOwner> owners;
    for (uint32_t k = 1; k <= XYZ_MAX_POLYGON_POINTS; ++k) {
        for (uint32_t t = 0; t < model.header.textureCount; ++t) {
            if (!table->Used(t, k)) continue;
            for (uint32_t u = 0; u < t; ++u) {
                if (table->Used(u, k) && Compare(object, model, t, u) == 0) {
                    table->Number(t, k) = table->Number(u, k);
                    break;
                }
            }
            if (table->Number(t, k) >= 0) continue;
            table->Number(t, k) = static_cast<int32_t>(owners.size());
            owners.push_back({t, k});
        }
    }
    std::vector<int32_t> order(owners.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int32_t>(i);
    }
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t i = 0; i + 1 < order.size(); ++i) {
            if (Compare(object, model, owners[order[i]].texture, owners[order[i + 1]].texture)
                > 0) {
                std::swap(order[i], order[i + 1]);
                swapped = true;
            }
        }
    }
    std::vector<int32_t> newNumbers(order.size());
    std::vector<EntryOwner> sorted(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newNumbers[order[i]] = static_cast<int32_t>(i);
        sorted[i] = owners[order[i]];
    }
    table->Renumber(newNumbers);
    return sorted;
}

// A vertex's bytes, then the point it came from where point numbers are kept.
using VertexBytes = std::array<uint8_t, sizeof(D3DObjTexturedVertex) + 2>;

struct VertexHash {
    size_t operator()(const VertexBytes& bytes) const
    {
        uint64_t h = 14695981039346656037ull;  // FNV-1a
        for (const uint8_t b : bytes) {
            h = (h ^ b) * 1099511628211ull;
        }
        return static_cast<size_t>(h);
    }
};

// One entry's vertices while the object is built; copied into tracked blocks at the end.
struct EntryBuild {
    uint32_t stride;
    std::vector<uint8_t> vertices;
    std::vector<uint16_t> points;
    std::vector<uint16_t> indices;
    std::unordered_map<VertexBytes, uint32_t, VertexHash> firstOf;  // indexed builds only

    uint32_t Count() const { return static_cast<uint32_t>(vertices.size() / stride); }

    void Append(const VertexBytes& bytes, uint32_t point)
    {
        vertices.insert(vertices.end(), bytes.begin(), bytes.begin() + stride);
        points.push_back(static_cast<uint16_t>(point));
    }

    // Reuses the first identical vertex made from the same point where point numbers are kept,
    // from any point otherwise.
    void AddIndexed(VertexBytes bytes, uint32_t point, bool keepPoints)
    {
        const VertexBytes vertexOnly = bytes;
        if (keepPoints) std::memcpy(&bytes[sizeof(D3DObjTexturedVertex)], &point, 2);
        const auto [at, inserted] = firstOf.try_emplace(bytes, Count());
        const uint32_t index = at->second;
        if (inserted) Append(vertexOnly, point);
        if (index >= kMaxIndexedVertices)
            Abort(__LINE__, "D3DObj_CreateObjectFromXYZData(): too many vertices in one entry");
        indices.push_back(static_cast<uint16_t>(index));
    }
};

uint32_t ColourComponent(uint8_t c)
{
    // As the colour always was: 1/255 as a double lies just below it, so a byte may lose one.
    return static_cast<uint32_t>(c * (1.0 / 255) * 255.0);
}

uint32_t ColourOf(const XYZTexture& texture)
{
    return ColourComponent(texture.alpha) << 24 | ColourComponent(texture.red) << 16
           | ColourComponent(texture.green) << 8 | ColourComponent(texture.blue);
}

Vec3 FaceNormal(const Vec3& p0, const Vec3& p1, const Vec3& p2)
{
    Vec3 a, b, n;
    Vec3Sub(&a, &p1, &p2);
    Vec3Sub(&b, &p1, &p0);
    Vec3Normalise(&a);
    Vec3Normalise(&b);
    Vec3Cross(&n, &a, &b);
    Vec3Normalise(&n);
    return n;
}

bool Drawn(const XYZPolygon& polygon)
{
    return polygon.pointCount >= 1 && polygon.pointCount <= XYZ_MAX_POLYGON_POINTS;
}

// The normals the corners take: each polygon's face normal, or with smoothing each point's sum
// of the face normals of the corners on it.
struct Normals {
    std::vector<Vec3> faces;
    std::vector<Vec3> points;
};

Normals ComputeNormals(const Model& model, const std::vector<Vec3>& positions, bool flat)
{
    Normals normals{std::vector<Vec3>(model.header.polygonCount, Vec3{}), {}};
    if (!flat) normals.points.assign(positions.size(), Vec3{});
    for (uint32_t p = 0; p < model.header.polygonCount; ++p) {
        const XYZPolygon polygon = XYZData_Polygon(model.data, p);
        if (!Drawn(polygon)) continue;
        if (polygon.pointCount >= 3) {
            normals.faces[p] =
                FaceNormal(positions[polygon.points[0]], positions[polygon.points[1]],
                           positions[polygon.points[2]]);
        }
        if (flat) continue;
        for (uint32_t c = 0; c < polygon.pointCount; ++c) {
            Vec3* sum = &normals.points[polygon.points[c]];
            Vec3Add(sum, sum, &normals.faces[p]);
        }
    }
    for (Vec3& n : normals.points) {
        Vec3Normalise(&n);
    }
    return normals;
}

VertexBytes MakeVertex(const XYZPolygon& polygon, uint32_t corner, const Vec3& position,
                       const Vec3& normal, const uint32_t* colour)
{
    VertexBytes bytes{};
    const float head[6] = {position.x, position.y, position.z, normal.x, normal.y, normal.z};
    std::memcpy(bytes.data(), head, sizeof head);
    if (colour) {
        std::memcpy(bytes.data() + sizeof head, colour, 4);
    } else {
        const float uv[2] = {polygon.u[corner], polygon.v[corner]};
        std::memcpy(bytes.data() + sizeof head, uv, sizeof uv);
    }
    return bytes;
}

// Makes the vertices of every drawn polygon in table order; a quad is the triangles 0-1-2 and
// 2-3-0.
void AddPolygons(const Model& model, uint8_t options, EntryTable* table,
                 std::vector<EntryBuild>* builds)
{
    std::vector<Vec3> positions(model.header.pointCount);
    for (uint32_t i = 0; i < model.header.pointCount; ++i) {
        const XYZPoint point = XYZData_Point(model.data, i);
        positions[i] = {point.x, point.y, point.z};
    }
    const bool flat = (options & D3DOBJ_FLAT) != 0;
    const Normals normals = ComputeNormals(model, positions, flat);
    static constexpr uint32_t kQuadCorners[] = {0, 1, 2, 2, 3, 0};
    static constexpr uint32_t kCorners[] = {0, 1, 2};
    for (uint32_t p = 0; p < model.header.polygonCount; ++p) {
        const XYZPolygon polygon = XYZData_Polygon(model.data, p);
        if (!Drawn(polygon)) continue;
        EntryBuild& build = (*builds)[table->Number(polygon.texture, polygon.pointCount)];
        const XYZTexture texture = XYZData_Texture(model.data, polygon.texture);
        const uint32_t colour = ColourOf(texture);
        const bool untextured = texture.name[0] == '\0';
        const uint32_t* corners = polygon.pointCount == 4 ? kQuadCorners : kCorners;
        const uint32_t cornerCount = polygon.pointCount == 4 ? 6 : polygon.pointCount;
        for (uint32_t c = 0; c < cornerCount; ++c) {
            const uint32_t point = polygon.points[corners[c]];
            const Vec3& normal = flat ? normals.faces[p] : normals.points[point];
            const VertexBytes bytes = MakeVertex(polygon, corners[c], positions[point], normal,
                                                 untextured ? &colour : nullptr);
            if (options & D3DOBJ_INDEXED) {
                build.AddIndexed(bytes, point, (options & D3DOBJ_KEEP_POINTS) != 0);
            } else {
                build.Append(bytes, point);
            }
        }
    }
}

// Tracked blocks are known by their owner's address, so each is allocated into its own field.
template <typename T, typename Block>
void TrackedCopy(const std::vector<T>& items, Block** owner)
{
    AllocateMemory(owner, static_cast<uint32_t>(items.size() * sizeof(T)), MEM_TYPE_GAME);
    std::memcpy(*owner, items.data(), items.size() * sizeof(T));
}

uint8_t PrimitiveFlag(uint32_t pointCount)
{
    switch (pointCount) {
        case 1: return D3DOBJ_POINTS;
        case 2: return D3DOBJ_LINES;
        case 3:
        case 4: return D3DOBJ_TRIANGLES;
    }
    Abort(__LINE__, "D3DObj_CreateObjectFromXYZData(): bad point count creating texture object");
}

// The entry of one owner pair: its flags, and its texture asked of the callback.
D3DObjEntry StartEntry(const D3DObject& object, const Model& model, const EntryOwner& owner)
{
    D3DObjEntry entry{};
    entry.flags = PrimitiveFlag(owner.pointCount);
    entry.handle = -1;
    if (model.Name(owner.texture)[0] == '\0') {
        entry.flags |= D3DOBJ_UNTEXTURED;
        return entry;
    }
    entry.flags |= D3DOBJ_TEXTURED;
    D3DObjEvent event{};
    event.kind = D3DOBJ_EVENT_CREATE;
    event.name = model.Name(owner.texture);
    event.second = model.Second(owner.texture);
    D3DObjResult result{-1, 0, 0};
    Send(object, event, &result);
    entry.handle = result.handle;
    entry.value = result.value;
    return entry;
}

void FinishEntry(const EntryBuild& build, uint8_t options, D3DObjEntry* entry)
{
    entry->vertexCount = build.Count();
    TrackedCopy(build.vertices, &entry->vertices);
    if (options & D3DOBJ_KEEP_POINTS) TrackedCopy(build.points, &entry->pointNumbers);
    if (options & D3DOBJ_INDEXED) {
        TrackedCopy(build.indices, &entry->indices);
        entry->indexCount = static_cast<uint32_t>(build.indices.size());
    }
}

void Draw(const D3DObjEntry& entry, uint32_t format)
{
    uint32_t primitive;
    if (entry.flags & D3DOBJ_TRIANGLES) {
        primitive = D3D_PRIM_TRIANGLES;
    } else if (entry.flags & D3DOBJ_LINES) {
        primitive = D3D_PRIM_LINES;
    } else if (entry.flags & D3DOBJ_POINTS) {
        primitive = D3D_PRIM_POINTS;
    } else {
        Abort(__LINE__, "D3DObj_Render(): flags not set for poly type (tri, line, point)");
    }
    if (entry.indices) {
        D3DDrawIndexedPrimitive(primitive, format, entry.vertices, entry.vertexCount, entry.indices,
                                entry.indexCount);
    } else {
        D3DDrawPrimitive(primitive, format, entry.vertices, entry.vertexCount);
    }
}

}  // namespace

void D3DObj_CreateObjectFromXYZData(D3DObject** owner, const void* data, D3DObjCallback callback,
                                    uintptr_t user, uint8_t options)
{
    if (std::memcmp(data, "XYZ0", 4) != 0)
        Abort(__LINE__, "D3DObj_CreateObjectFromXYZData(): bad data passed in");
    AllocateMemory(owner, sizeof(D3DObject), MEM_TYPE_GAME);
    D3DObject& object = **owner;
    object.callback = callback ? callback : D3DObjBasicCallback;
    object.user = user;
    const Model model{data, XYZData_Header(data)};

    EntryTable table(model.header.textureCount);
    for (uint32_t p = 0; p < model.header.polygonCount; ++p) {
        const XYZPolygon polygon = XYZData_Polygon(data, p);
        if (Drawn(polygon)) table.MarkUsed(polygon.texture, polygon.pointCount);
    }
    const std::vector<EntryOwner> owners = NumberEntries(object, model, &table);
    if (owners.empty()) return;

    std::vector<EntryBuild> builds(owners.size());
    AllocateMemory(&object.entries, static_cast<uint32_t>(owners.size() * sizeof(D3DObjEntry)),
                   MEM_TYPE_GAME);
    object.entryCount = static_cast<uint32_t>(owners.size());
    for (size_t i = 0; i < owners.size(); ++i) {
        object.entries[i] = StartEntry(object, model, owners[i]);
        builds[i].stride = (object.entries[i].flags & D3DOBJ_TEXTURED)
                               ? sizeof(D3DObjTexturedVertex)
                               : sizeof(D3DObjColouredVertex);
    }
    AddPolygons(model, options, &table, &builds);
    for (size_t i = 0; i < owners.size(); ++i) {
        FinishEntry(builds[i], options, &object.entries[i]);
    }
}

void D3DObj_Render(const D3DObject* object)
{
    for (uint32_t i = 0; i < object->entryCount; ++i) {
        const D3DObjEntry& entry = object->entries[i];
        D3DObjEvent event{};
        event.handle = entry.handle;
        event.value = entry.value;
        D3DObjResult result{};
        uint32_t format;
        if (entry.flags & D3DOBJ_TEXTURED) {
            event.kind = D3DOBJ_EVENT_BIND;
            Send(*object, event, &result);
            format = D3D_VERTEX_NORMAL_UV;
        } else if (entry.flags & D3DOBJ_UNTEXTURED) {
            D3DTexSetCurrentHandle(D3DTEX_NO_TEXTURE);
            event.kind = D3DOBJ_EVENT_UNTEXTURED;
            Send(*object, event, &result);
            format = D3D_VERTEX_NORMAL_DIFFUSE;
        } else {
            Abort(__LINE__, "D3DObj_Render(): flags not set correctly for points");
        }
        Draw(entry, format);
    }
}

void D3DObj_DestroyObject(D3DObject** owner)
{
    D3DObject& object = **owner;
    for (uint32_t i = 0; i < object.entryCount; ++i) {
        D3DObjEntry& entry = object.entries[i];
        D3DObjEvent event{};
        event.kind = D3DOBJ_EVENT_RELEASE;
        event.handle = entry.handle;
        event.value = entry.value;
        D3DObjResult result{};
        Send(object, event, &result);
        FreeMemory(&entry.vertices);
        if (entry.indices) FreeMemory(&entry.indices);
        if (entry.pointNumbers) FreeMemory(&entry.pointNumbers);
    }
    if (object.entries) FreeMemory(&object.entries);
    FreeMemory(owner);
}

void D3DObjDefaultCallback(int32_t handled, const D3DObjEvent& event, D3DObjResult* result)
{
    if (handled != 0) return;
    switch (event.kind) {
        case D3DOBJ_EVENT_COMPARE:
            result->comparison = std::strcmp(event.name, event.otherName);
            break;
        case D3DOBJ_EVENT_CREATE:
        case D3DOBJ_EVENT_RELEASE:
            Abort(__LINE__, "D3DObjDefaultCallback(): no default action for TEXTURECREATE");
        case D3DOBJ_EVENT_BIND: D3DTexSetCurrentHandle(event.handle); break;
        default: break;
    }
}

int32_t D3DObjBasicCallback(const D3DObjEvent& event, D3DObjResult* result)
{
    if (event.user == 0) Abort(__LINE__, "D3DObjBasicCallback(): NULL userdata passed");
    if (event.kind == D3DOBJ_EVENT_RELEASE) {
        if (event.handle != -1) D3DTexDestroyTexture(event.handle);
        return 1;
    }
    if (event.kind != D3DOBJ_EVENT_CREATE) return 0;
    const char* directory = *reinterpret_cast<const char* const*>(event.user);
    void* block = nullptr;
    const int32_t size = PakLoadFile(MakeFileName(directory, event.name, "gfx"), &block);
    uint16_t width = 0, height = 0;
    if (size >= static_cast<int32_t>(kGfxHeadBytes)) {
        std::memcpy(&width, static_cast<uint8_t*>(block) + 4, 2);
        std::memcpy(&height, static_cast<uint8_t*>(block) + 6, 2);
    }
    if (width == 0 || height == 0
        || uint64_t(size) < kGfxHeadBytes + uint64_t{4} * width * height) {
        char text[128];
        std::snprintf(text, sizeof text, "D3DObjBasicCallback(): texture '%s' is the wrong size",
                      event.name);
        Abort(__LINE__, text);
    }
    result->handle =
        D3DTexAdvancedCreateTexture(width, height, &block, kGfxHeadBytes, D3DTEX_SOURCE_RGBA);
    result->value = 0;
    return 1;
}
