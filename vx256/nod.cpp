// vx256/nod.cpp: reading NOD model files. Every block, record and index is checked against the
// file before a byte of it is read, so a damaged file is refused, never read beyond.
#include "vx256/nod.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <strings.h>

#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/pakfile.h"
#include "vx256/kittextures.h"

namespace {

constexpr int32_t kRigidHeadBytes = 57;
constexpr int32_t kSkinnedHeadBytes = 77;
constexpr uint32_t kPointBytes = 12;
constexpr uint32_t kSkinnedPointBytes = 16;
constexpr uint32_t kSurfaceBytes = 58;
constexpr uint32_t kSurfaceWithSizeBytes = 66;
constexpr uint32_t kTextureBytes = NOD_TEXTURE_NAME_BYTES;
constexpr uint32_t kWordBytes = 4;

// The three loaders' forms of the copiers' texts, and what each allows.
struct LoaderKind {
    const char* suffix;  // "", "2", "3"
    const char* header;  // the magic's refusal
    const char* magic;
    bool ownSizes;  // surfaces may carry their own texture size (flag 0x08)
};
constexpr LoaderKind kWorld1 = {"", "NOD_InitializeHeaders() - Invalid header\n", "NOD01", true};
constexpr LoaderKind kWorld2 = {"2", "NOD_InitializeHeaders2() - Invalid header\n", "NOD01", false};
constexpr LoaderKind kSkinned = {"3", "NOD_InitializeHeaders3() - Invalid header\n", "NOD02",
                                 false};

struct Block {
    uint32_t count;
    uint32_t size;
};

// The head's blocks in head order; a NOD01 file reads only points, surfaces and textures.
enum HeadBlock { PLAIN, SKINNED, SURFACES, TEXTURES, JOINTS, SORTS, STARTS, ENDS, BLOCKS };

struct NodFile {
    const uint8_t* bytes;
    int64_t length;
    int64_t cursor;
    const char* name;
    const LoaderKind* kind;
    Block blocks[BLOCKS];
    uint32_t highestJoint;
    uint32_t word73;
};

[[noreturn]] void Damaged(const NodFile& f, const char* check)
{
    FatalError("NOD_LoadWorld(): '%s' is damaged (%s)", f.name, check);
}

void CheckCursor(const NodFile& f)
{
    if (f.cursor > f.length)
        FatalError("NOD_LoadWorld() - exceded allocated memory by %d bytes\n",
                   static_cast<int32_t>(std::min<int64_t>(f.cursor - f.length, INT32_MAX)));
}

uint32_t Word(const uint8_t* at)
{
    uint32_t w;
    std::memcpy(&w, at, 4);
    return w;
}

void ReadHead(NodFile& f)
{
    if (f.length < 5 || std::memcmp(f.bytes, f.kind->magic, 5) != 0) FatalError(f.kind->header);
    const bool skinned = f.kind == &kSkinned;
    f.cursor = skinned ? kSkinnedHeadBytes : kRigidHeadBytes;
    CheckCursor(f);
    for (int32_t b = 0; b < BLOCKS; ++b) {
        const int64_t at = 5 + 8 * b;
        f.blocks[b].count = at + 4 <= f.cursor ? Word(f.bytes + at) : 0;
        f.blocks[b].size = at + 8 <= f.cursor ? Word(f.bytes + at + 4) : 0;
    }
    f.highestJoint = skinned ? Word(f.bytes + 69) : 0;
    f.word73 = skinned ? Word(f.bytes + 73) : 0;
}

// Where a block's records start, after its count, size and extent are checked.
const uint8_t* TakeBlock(NodFile& f, HeadBlock b, uint32_t minimumSize, const char* copier,
                         const char* what)
{
    const Block& block = f.blocks[b];
    if (block.count == 0 || block.size == 0) {
        // Only the copiers all three loaders share have a form of their own in each.
        const bool shared = b == PLAIN || b == SKINNED || b == SURFACES || b == TEXTURES;
        FatalError("%s%s(): Invalid number of %s\n", copier, shared ? f.kind->suffix : "", what);
    }
    if (block.size < minimumSize) Damaged(f, "record size");
    const uint8_t* start = f.bytes + f.cursor;
    f.cursor += static_cast<int64_t>(block.count) * block.size;
    CheckCursor(f);
    return start;
}

// A u32 list: joint, sort, start or end points, each at most `room` entries.
int32_t CopyWords(NodFile& f, HeadBlock b, const char* copier, const char* what, uint32_t* out,
                  uint32_t room)
{
    const uint8_t* at = TakeBlock(f, b, kWordBytes, copier, what);
    if (f.blocks[b].count > room) Damaged(f, "list longer than its room");
    for (uint32_t i = 0; i < f.blocks[b].count; ++i)
        out[i] = Word(at + i * f.blocks[b].size);
    return static_cast<int32_t>(f.blocks[b].count);
}

template <typename Surface>
void CopySurfaceFields(const NodFile& f, const uint8_t* at, int32_t points, int32_t textures,
                       Surface* s)
{
    const uint32_t flags = Word(at);
    if ((flags & NOD_SURFACE_OWN_SIZE) != 0 && f.kind->ownSizes
        && f.blocks[SURFACES].size < kSurfaceWithSizeBytes)
        Damaged(f, "record size");
    std::memcpy(s->corners, at + 48, 8);
    std::memcpy(&s->texture, at + 56, 2);
    s->corners[4] = -1;
    s->u[4] = s->v[4] = -1.0f;
    for (int32_t k = 0; k < 4; ++k) {
        const bool optional = k == 3;
        if (s->corners[k] == -1 && optional) continue;
        if (s->corners[k] < 0 || s->corners[k] >= points) Damaged(f, "corner point");
        std::memcpy(&s->u[k], at + 4 + 4 * k, 4);
        std::memcpy(&s->v[k], at + 20 + 4 * k, 4);
    }
    if (s->texture < -1 || s->texture >= textures) Damaged(f, "texture number");
    s->doubleSided = (flags & NOD_SURFACE_DOUBLE_SIDED) != 0 ? 0xFF : 0;
    s->secondFlag = (flags & NOD_SURFACE_SECOND_FLAG) != 0 ? 0xFF : 0;
}

void CopyTextures(NodFile& f, NodTexture** out, int32_t* count)
{
    const uint8_t* at = TakeBlock(f, TEXTURES, kTextureBytes, "NOD_CopyTextures", "textures");
    *count = static_cast<int32_t>(f.blocks[TEXTURES].count);
    AllocateMemory(out, sizeof(NodTexture) * *count, MEM_TYPE_GAME);
    std::memset(*out, 0, sizeof(NodTexture) * *count);
    for (int32_t i = 0; i < *count; ++i) {
        std::memcpy((*out)[i].name, at + i * f.blocks[TEXTURES].size, NOD_TEXTURE_NAME_BYTES);
        (*out)[i].name[NOD_TEXTURE_NAME_BYTES - 1] = '\0';
    }
}

int32_t PackedColour(int32_t r, int32_t g, int32_t b)
{
    if (r == 255 && g == 255 && b == 255) return 1;
    if (r == 0 && g == 0 && b == 255) return 2;
    if (r == 0 && g == 255 && b == 0) return 3;
    const int32_t red = ((r * 100 / 255) * 32) / 101;
    const int32_t green = ((g * 100 / 255) * 64) / 101;
    const int32_t blue = ((b * 100 / 255) * 32) / 101;
    return (red << 11) + (green << 5) + blue;
}

// The bound texture's size, or false when the texture has none (a colour, a marker, a kit part
// whose size is not known in this view).
bool TextureSize(const NodTexture& t, int32_t* width, int32_t* height)
{
    switch (t.type) {
        case NOD_TEXTURE_NAMED: KIT_GetTextureSizeFromIndex(t.index, width, height); return true;
        case NOD_TEXTURE_KIT_PART: {
            int16_t w = 0;
            int16_t h = 0;
            KITPLR_GetTextureSizeFromIndex(t.index, &w, &h);
            *width = w;
            *height = h;
            return w != 0 && h != 0;
        }
        default: FatalError("ModifyUVs(): unknown texture type");
    }
}

// Texture coordinates from 0-1 to texels of the bound texture. A colour or a side marker keeps
// its coordinates; a named texture left unresolved, or a kit part whose size this view never
// learns, keeps them in 0-1, as a surface without a texture does.
template <typename Surface>
void ModifyUVs(const NodFile& f, const uint8_t* records, Surface* surfaces, int32_t count,
               const NodTexture* textures, uint32_t textureFlags)
{
    const bool resolved = (textureFlags & 0x0F) <= NOD_TEXTURES_KIT;
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t* at = records + static_cast<size_t>(i) * f.blocks[SURFACES].size;
        Surface& s = surfaces[i];
        int32_t width = 0;
        int32_t height = 0;
        bool scale = false;
        if ((Word(at) & NOD_SURFACE_OWN_SIZE) != 0) {
            if (!f.kind->ownSizes) FatalError("using NOD_WIDTH_HEIGHT ????");
            std::memcpy(&width, at + 58, 4);
            std::memcpy(&height, at + 62, 4);
            scale = true;
        } else if (s.texture != -1) {
            const NodTexture& t = textures[s.texture];
            if (t.type == NOD_TEXTURE_COLOUR || t.type == NOD_TEXTURE_SIDE_MARKER) continue;
            scale = resolved && TextureSize(t, &width, &height);
        }
        for (int32_t k = 0; k < 4; ++k) {
            if (s.corners[k] == -1) continue;
            s.u[k] = std::clamp(s.u[k], 0.0f, 1.0f);
            s.v[k] = std::clamp(s.v[k], 0.0f, 1.0f);
            if (!scale) continue;
            s.u[k] *= static_cast<float>(width) - 0.5f;
            s.v[k] *= static_cast<float>(height) - 0.5f;
        }
    }
}

void ResolveTextures(NodTexture* textures, int32_t count, const char* directory,
                     uint32_t textureFlags)
{
    for (int32_t i = 0; i < count; ++i)
        NOD_LoadTextures(&textures[i], directory, textureFlags);
}

NodFile OpenFile(const char* path, const char* name, const LoaderKind& kind, uint8_t** file)
{
    NodFile f{};
    f.length = PakLoadFile(path, file);
    f.bytes = *file;
    f.name = name;
    f.kind = &kind;
    ReadHead(f);
    return f;
}

// ---- Rigid models
// --------------------------------------------------------------------------------

void LoadRigid(NodRigidModel* model, const char* path, const LoaderKind& kind,
               const char* textureDirectory, int32_t extraPoints, int32_t extraSurfaces,
               uint32_t textureFlags)
{
    uint8_t* file = nullptr;
    NodFile f = OpenFile(path, path, kind, &file);
    *model = {};

    const uint8_t* at = TakeBlock(f, PLAIN, kPointBytes, "NOD_CopyPoints", "points");
    model->pointCount = static_cast<int32_t>(f.blocks[PLAIN].count);
    const size_t points = static_cast<size_t>(model->pointCount) + extraPoints;
    AllocateMemory(&model->points, sizeof(NodPoint) * points, MEM_TYPE_GAME);
    AllocateMemory(&model->work, sizeof(NodWorkPoint) * points, MEM_TYPE_GAME);
    std::memset(model->points, 0, sizeof(NodPoint) * points);
    std::memset(model->work, 0, sizeof(NodWorkPoint) * points);
    for (int32_t i = 0; i < model->pointCount; ++i)
        std::memcpy(&model->points[i], at + static_cast<size_t>(i) * f.blocks[PLAIN].size, 12);

    const uint8_t* surfaceRecords =
        TakeBlock(f, SURFACES, kSurfaceBytes, "NOD_CopySurfaces", "surfaces");
    model->surfaceCount = static_cast<int32_t>(f.blocks[SURFACES].count);
    const size_t surfaces = static_cast<size_t>(model->surfaceCount) + extraSurfaces;
    AllocateMemory(&model->surfaces, sizeof(NodRigidSurface) * surfaces, MEM_TYPE_GAME);
    std::memset(model->surfaces, 0, sizeof(NodRigidSurface) * surfaces);
    CopyTextures(f, &model->textures, &model->textureCount);
    for (int32_t i = 0; i < model->surfaceCount; ++i) {
        const uint8_t* record = surfaceRecords + static_cast<size_t>(i) * f.blocks[SURFACES].size;
        NodRigidSurface& s = model->surfaces[i];
        CopySurfaceFields(f, record, model->pointCount, model->textureCount, &s);
        std::memcpy(s.words, record + 36, 12);
    }
    ResolveTextures(model->textures, model->textureCount, textureDirectory, textureFlags);
    ModifyUVs(f, surfaceRecords, model->surfaces, model->surfaceCount, model->textures,
              textureFlags);
    FreeMemory(&file);
}

void FreeRigid(NodRigidModel* model)
{
    if (model->pointCount == 0) return;
    FreeMemory(&model->points);
    FreeMemory(&model->work);
    FreeMemory(&model->surfaces);
    FreeMemory(&model->textures);
    model->pointCount = 0;
}

// ---- Skinned models
// ------------------------------------------------------------------------------

void CopySkinnedPoints(NodFile& f, NodSkinnedModel* model)
{
    const uint8_t* at = TakeBlock(f, SKINNED, kSkinnedPointBytes, "NOD_CopyPoints", "points");
    const int32_t stored = static_cast<int32_t>(f.blocks[SKINNED].count);
    AllocateMemory(&model->points, sizeof(NodSkinnedPoint) * stored, MEM_TYPE_GAME);
    for (int32_t i = 0; i < stored; ++i)
        std::memcpy(&model->points[i], at + static_cast<size_t>(i) * f.blocks[SKINNED].size, 16);
    model->pointCount = stored - 1;  // the terminator is no point
    const int16_t terminator = model->points[stored - 1].joint;
    for (int32_t i = 0; i < model->pointCount; ++i) {
        const int16_t joint = model->points[i].joint;
        if (joint < 0 || joint > model->highestJoint)
            FatalError("ERROR in ORG PTS %i, file '%s'\n", joint, f.name);
        if (model->points[i].vertex < 0 || model->points[i].vertex >= model->pointCount)
            Damaged(f, "vertex index");
    }
    if (terminator != NOD_TERMINATOR_JOINT)
        FatalError("ERROR in ORG PTS (pt. 2) %i, in file '%s'\n", terminator, f.name);
}

// The skeleton's lists: joint origins, and sort groups of two points, a first and a last surface.
void CheckSkeleton(const NodFile& f, const NodSkinnedModel& m)
{
    const auto inside = [](const uint32_t* list, int32_t count, int32_t limit) {
        return std::all_of(list, list + count, [limit](uint32_t v) { return v < uint32_t(limit); });
    };
    if (m.highestJoint >= m.jointCount) Damaged(f, "joint without an origin");
    if (m.sortCount != 2 * m.startCount || m.startCount != m.endCount) Damaged(f, "sort groups");
    if (!inside(m.jointPoints, m.jointCount, m.pointCount)
        || !inside(m.sortPoints, m.sortCount, m.pointCount)
        || !inside(m.startPoints, m.startCount, m.surfaceCount)
        || !inside(m.endPoints, m.endCount, m.surfaceCount)
        || m.leadingPoints > uint32_t(m.pointCount))
        Damaged(f, "list entry");
    for (int32_t i = static_cast<int32_t>(m.leadingPoints); i < m.pointCount; ++i) {
        const int16_t joint = m.points[i].joint;
        if (joint < 1 || m.jointPoints[joint] >= uint32_t(i)) Damaged(f, "parent after child");
    }
}

}  // namespace

void NOD_LoadWorld(NodSkinnedModel* model, const char* name, const char* baseDirectory,
                   uint32_t textureFlags)
{
    if (model->pointCount != 0) return;
    char path[256];
    std::snprintf(path, sizeof(path), "%s\\%s", baseDirectory, name);
    uint8_t* file = nullptr;
    NodFile f = OpenFile(path, path, kSkinned, &file);
    *model = {};
    model->highestJoint = static_cast<int32_t>(std::min<uint32_t>(f.highestJoint, 0x7FFF));
    model->leadingPoints = f.word73;
    CopySkinnedPoints(f, model);

    const uint8_t* surfaceRecords =
        TakeBlock(f, SURFACES, kSurfaceBytes, "NOD_CopySurfaces", "surfaces");
    model->surfaceCount = static_cast<int32_t>(f.blocks[SURFACES].count);
    AllocateMemory(&model->surfaces, sizeof(NodSkinnedSurface) * model->surfaceCount,
                   MEM_TYPE_GAME);
    std::memset(model->surfaces, 0, sizeof(NodSkinnedSurface) * model->surfaceCount);
    CopyTextures(f, &model->textures, &model->textureCount);
    for (int32_t i = 0; i < model->surfaceCount; ++i)
        CopySurfaceFields(f, surfaceRecords + static_cast<size_t>(i) * f.blocks[SURFACES].size,
                          model->pointCount, model->textureCount, &model->surfaces[i]);
    model->jointCount = CopyWords(f, JOINTS, "NOD_CopyJointPoints", "joint points",
                                  model->jointPoints, NOD_MAX_JOINT_POINTS);
    model->sortCount =
        CopyWords(f, SORTS, "NOD_CopySortPoints", "points", model->sortPoints, NOD_MAX_SORT_POINTS);
    model->startCount = CopyWords(f, STARTS, "NOD_CopyStartPoints", "points", model->startPoints,
                                  NOD_MAX_START_POINTS);
    model->endCount =
        CopyWords(f, ENDS, "NOD_CopyEndPoints", "points", model->endPoints, NOD_MAX_END_POINTS);
    CheckSkeleton(f, *model);

    ResolveTextures(model->textures, model->textureCount, baseDirectory, textureFlags);
    ModifyUVs(f, surfaceRecords, model->surfaces, model->surfaceCount, model->textures,
              textureFlags);

    for (int32_t i = 1; i < model->pointCount && model->firstOtherVertex == 0; ++i)
        if (model->points[i].vertex != model->points[0].vertex) model->firstOtherVertex = i;
    AllocateMemory(&model->work, sizeof(NodWorkPoint) * model->pointCount, MEM_TYPE_GAME);
    std::memset(model->work, 0, sizeof(NodWorkPoint) * model->pointCount);
    AllocateMemory(&model->pointVertex, sizeof(NodWorkPoint*) * model->pointCount, MEM_TYPE_GAME);
    for (int32_t i = 0; i < model->pointCount; ++i)
        model->pointVertex[i] = &model->work[model->points[i].vertex];
    for (int32_t i = 0; i < model->surfaceCount; ++i) {
        NodSkinnedSurface& s = model->surfaces[i];
        for (int32_t k = 0; k < 4; ++k)
            s.vertices[k] = s.corners[k] == -1 ? nullptr : model->pointVertex[s.corners[k]];
    }
    FreeMemory(&file);
}

void NOD_LoadWorld2(NodRigidModel* table, int32_t number, const char* modelSet, const char* name,
                    uint32_t textureFlags)
{
    if (table[number].pointCount != 0) return;
    char path[256];
    char textures[256];
    std::snprintf(path, sizeof(path), "vxdata\\software\\%s\\model\\%s.nod", modelSet, name);
    std::snprintf(textures, sizeof(textures), "%s\\textures", modelSet);
    LoadRigid(&table[number], path, kWorld2, textures, 0, 0, textureFlags);
}

void NOD_LoadWorld1(NodRigidModel** model, const char* directory, const char* name,
                    const char* textureDirectory, int32_t extraPoints, int32_t extraSurfaces,
                    uint32_t textureFlags)
{
    char path[256];
    std::snprintf(path, sizeof(path), "%s\\%s.nod", directory, name);
    AllocateMemory(model, sizeof(NodRigidModel), MEM_TYPE_GAME);
    LoadRigid(*model, path, kWorld1, textureDirectory, extraPoints, extraSurfaces, textureFlags);
}

void NOD_FreeSkinned(NodSkinnedModel* model)
{
    if (model->pointCount == 0) return;
    FreeMemory(&model->points);
    FreeMemory(&model->work);
    FreeMemory(&model->surfaces);
    FreeMemory(&model->textures);
    FreeMemory(&model->pointVertex);
    model->pointCount = 0;
}

void NOD_FreeWorld2(NodRigidModel* model) { FreeRigid(model); }

void NOD_FreeWorld1(NodRigidModel** model)
{
    if (*model == nullptr) return;
    FreeRigid(*model);
    FreeMemory(model);
}

void NOD_LoadTextures(NodTexture* texture, const char* directory, uint32_t textureFlags)
{
    const char* name = texture->name;
    if (name[0] == '\0') return;
    if (name[0] == 'R') {
        int32_t r = 0;
        int32_t g = 0;
        int32_t b = 0;
        if (std::sscanf(name, "R%dG%dB%d", &r, &g, &b) < 3)
            FatalError("ERROR:NOD_LoadTextures RGB has bad read `%s'\n", name);
        texture->type = NOD_TEXTURE_COLOUR;
        texture->colour = static_cast<uint32_t>(PackedColour(r, g, b));
        return;
    }
    bool fromMain = false;
    if (name[0] == '_') {
        const char side = name[1];
        if (((textureFlags & NOD_TEXTURES_LEFT_MARKERS) != 0 && (side == 'L' || side == 'l'))
            || ((textureFlags & NOD_TEXTURES_RIGHT_MARKERS) != 0 && (side == 'R' || side == 'r'))) {
            texture->type = NOD_TEXTURE_SIDE_MARKER;
            return;
        }
    } else {
        fromMain = strncasecmp(name, "main", 4) == 0;
    }
    texture->type = NOD_TEXTURE_NAMED;
    texture->index = 0;
    switch (textureFlags & 0x0F) {
        case NOD_TEXTURES_NAMED: {
            char path[256];
            if (fromMain) {
                std::snprintf(path, sizeof(path), "%s\\FRE\\%s", directory, name);
            } else {
                std::snprintf(path, sizeof(path), "%s\\%s", directory, name);
            }
            texture->index = static_cast<int16_t>(NORMTEXT_LoadTexture(path));
            break;
        }
        case NOD_TEXTURES_KIT:
            texture->index = static_cast<int16_t>(KITPLR_GetTextureIndexFromName(name));
            texture->type = NOD_TEXTURE_KIT_PART;
            break;
        default: break;
    }
}
