// engine/d3danim.cpp: bone poses of skinned 3D objects.
#include "engine/d3danim.h"

#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "engine/memory.h"
#include "engine/xyzdata.h"

namespace {

[[noreturn]] void Abort(int32_t line, const char* message) { FatalAbort("d3danim", line, message); }

// Tracked blocks are known by their owner's address, so each is allocated into its own field.
template <typename T>
void NewArray(T** owner, uint32_t count)
{
    AllocateMemory(owner, static_cast<uint32_t>(count * sizeof(T)), MEM_TYPE_GAME);
}

uint32_t Stride(const D3DObjEntry& entry, const char* unknownText)
{
    if (entry.flags & D3DOBJ_TEXTURED) return sizeof(D3DObjTexturedVertex);
    if (entry.flags & D3DOBJ_UNTEXTURED) return sizeof(D3DObjColouredVertex);
    Abort(__LINE__, unknownText);
}

// Calls visit(point, position and normal bytes) for every vertex of the object made from a
// point of the table.
template <typename Visit>
void ForEachPointVertex(const D3DAnimData& anim, const char* unknownText, Visit visit)
{
    for (uint32_t e = 0; e < anim.object->entryCount; ++e) {
        const D3DObjEntry& entry = anim.object->entries[e];
        const uint32_t stride = Stride(entry, unknownText);
        auto* vertex = static_cast<uint8_t*>(entry.vertices);
        for (uint32_t v = 0; v < entry.vertexCount; ++v, vertex += stride) {
            const uint32_t point = entry.pointNumbers[v];
            if (point < anim.pointCount) visit(point, vertex);
        }
    }
}

void CheckObject(const D3DObject& object)
{
    for (uint32_t e = 0; e < object.entryCount; ++e) {
        if (object.entries[e].pointNumbers == nullptr)
            Abort(__LINE__, "D3DAnim_CreateAnimData(): object has no point numbers");
    }
}

}  // namespace

void D3DAnim_CreateAnimData(D3DAnimData** owner, const void* data, D3DObject* object)
{
    CheckObject(*object);
    const uint32_t n = XYZData_Header(data).pointCount;
    AllocateMemory(owner, sizeof(D3DAnimData), MEM_TYPE_GAME);
    D3DAnimData& anim = **owner;
    anim.object = object;
    anim.pointCount = n;
    NewArray(&anim.basePositions, n);
    NewArray(&anim.baseNormals, n);
    NewArray(&anim.posedPositions, n);
    NewArray(&anim.posedNormals, n);
    NewArray(&anim.bones, n);
    NewArray(&anim.parents, n);
    for (uint32_t i = 0; i < n; ++i) {
        const XYZPoint point = XYZData_Point(data, i);
        anim.basePositions[i] = {point.x, point.y, point.z};
        anim.bones[i] = point.bone;
        anim.parents[i] = point.parent;
        if (point.parent < n && point.parent >= i) {
            char text[96];
            std::snprintf(text, sizeof text,
                          "D3DAnim_CreateAnimData(): point %u hangs from a later point", i);
            Abort(__LINE__, text);
        }
    }
    ForEachPointVertex(anim, "D3DAnim_CreateAnimData(): unknown point type",
                       [&anim](uint32_t point, const uint8_t* vertex) {
                           std::memcpy(&anim.baseNormals[point], vertex + sizeof(Vec3),
                                       sizeof(Vec3));
                       });
    // Children come after their parents, so walking down leaves every parent absolute while
    // its children are made relative to it.
    for (uint32_t i = n; i-- > 0;) {
        if (anim.parents[i] < n) {
            Vec3Sub(&anim.basePositions[i], &anim.basePositions[i],
                    &anim.basePositions[anim.parents[i]]);
        }
    }
}

void D3DAnim_TransformPoints(D3DAnimData* anim, const Matrix4* matrices, uint32_t first,
                             uint32_t end)
{
    const uint32_t n = anim->pointCount;
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t bone = anim->bones[i];
        if (bone >= first && bone < end) {
            MatTransformPoint(&anim->posedPositions[i], &anim->basePositions[i], 1.0f,
                              &matrices[bone]);
            MatTransformPoint(&anim->posedNormals[i], &anim->baseNormals[i], 0.0f, &matrices[bone]);
        } else {
            anim->posedPositions[i] = anim->basePositions[i];
            anim->posedNormals[i] = anim->baseNormals[i];
        }
    }
    // Parents first: each parent is already where it belongs when its children are placed.
    for (uint32_t i = 0; i < n; ++i) {
        if (anim->parents[i] < n) {
            Vec3Add(&anim->posedPositions[i], &anim->posedPositions[i],
                    &anim->posedPositions[anim->parents[i]]);
        }
    }
}

void D3DAnim_ApplyConvPoints2Object(D3DAnimData* anim)
{
    ForEachPointVertex(*anim, "D3DAnim_ApplyConvPoints2Object(): unknown point type",
                       [anim](uint32_t point, uint8_t* vertex) {
                           std::memcpy(vertex, &anim->posedPositions[point], sizeof(Vec3));
                           std::memcpy(vertex + sizeof(Vec3), &anim->posedNormals[point],
                                       sizeof(Vec3));
                       });
}

void D3DAnim_FreeAnimData(D3DAnimData** owner)
{
    D3DAnimData& anim = **owner;
    FreeMemory(&anim.basePositions);
    FreeMemory(&anim.baseNormals);
    FreeMemory(&anim.posedPositions);
    FreeMemory(&anim.posedNormals);
    FreeMemory(&anim.bones);
    FreeMemory(&anim.parents);
    FreeMemory(owner);
}
