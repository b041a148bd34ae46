// engine/d3danim.h: skinned 3D objects posed by bone matrices. Each model point belongs to a bone
// and may hang from an earlier point; a pose moves the points and writes them into the object's
// vertices.
#pragma once

#include <cstdint>

#include "engine/d3dobj.h"
#include "engine/vecmath.h"

struct D3DAnimData {
    D3DObject* object;  // must outlive the data
    uint32_t pointCount;
    Vec3* basePositions;  // relative to the parent point where there is one
    Vec3* baseNormals;    // from the object's vertices; zero for points no vertex uses
    Vec3* posedPositions;
    Vec3* posedNormals;
    uint32_t* bones;    // index into the matrices; a point outside the posed range keeps its base
    uint32_t* parents;  // a parent at or past pointCount means none
};

// Builds *owner (tracked blocks) from the checked "XYZ0" block the object was built from with
// D3DOBJ_KEEP_POINTS. Fatal aborts (source "d3danim"): "D3DAnim_CreateAnimData(): object has no
// point numbers", "D3DAnim_CreateAnimData(): point <i> hangs from a later point" (posing needs
// every parent before its children), "D3DAnim_CreateAnimData(): unknown point type".
void D3DAnim_CreateAnimData(D3DAnimData** owner, const void* data, D3DObject* object);
// Poses every point whose bone lies in [first, end) by matrices[bone] (positions about their
// parent point, normals turned), copies the others, then adds each parent's posed position.
void D3DAnim_TransformPoints(D3DAnimData* anim, const Matrix4* matrices, uint32_t first,
                             uint32_t end);
// Writes the posed positions and normals into every vertex made from a point.
void D3DAnim_ApplyConvPoints2Object(D3DAnimData* anim);
void D3DAnim_FreeAnimData(D3DAnimData** owner);  // the arrays, the block, and nulls *owner
