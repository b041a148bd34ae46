// bench/objects3d_bench.cpp: building the largest generated models into 3D objects, and posing a
// person: the work a match view does once per load and once per person per frame.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/d3danim.h"
#include "engine/d3dobj.h"
#include "engine/memory.h"
#include "tests/support/support.h"
#include "tools/mkdata/models3d.h"

namespace {

std::vector<uint8_t> ModelBytes(const std::string& name)
{
    for (const MkNamedModel& m : MkModels3D()) {
        if (m.name == name) return MkModelBytes(m.model);
    }
    return {};
}

int32_t AnyTexture(const D3DObjEvent& event, D3DObjResult* result)
{
    if (event.kind == D3DOBJ_EVENT_CREATE) result->handle = 1;
    return event.kind == D3DOBJ_EVENT_CREATE || event.kind == D3DOBJ_EVENT_RELEASE;
}

void RunBuilds(benchmark::State& state, const std::string& name, uint8_t options)
{
    ScopedCore core;
    MemoryInit();
    const std::vector<uint8_t> block = ModelBytes(name);
    for (auto _ : state) {
        D3DObject* object = nullptr;
        D3DObj_CreateObjectFromXYZData(&object, block.data(), AnyTexture, 0, options);
        D3DObj_DestroyObject(&object);
    }
    state.SetItemsProcessed(state.iterations());
    MemoryUninit();
}

void BM_BuildPerson500Objects(benchmark::State& state)
{
    RunBuilds(state, "sskin\\models\\player\\500man.xyz", D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
}
BENCHMARK(BM_BuildPerson500Objects)->Unit(benchmark::kMicrosecond);

void BM_BuildBigStadiumObjects(benchmark::State& state)
{
    RunBuilds(state, "stadium\\models\\bigstadd.xyz", D3DOBJ_FLAT | D3DOBJ_INDEXED);
}
BENCHMARK(BM_BuildBigStadiumObjects)->Unit(benchmark::kMicrosecond);

// Bones 0-20 posed by a turn each, as a motion frame does, then written into the vertices.
void BM_PosePerson500Poses(benchmark::State& state)
{
    ScopedCore core;
    MemoryInit();
    const std::vector<uint8_t> block = ModelBytes("sskin\\models\\player\\500man.xyz");
    D3DObject* object = nullptr;
    D3DObj_CreateObjectFromXYZData(&object, block.data(), AnyTexture, 0,
                                   D3DOBJ_INDEXED | D3DOBJ_KEEP_POINTS);
    D3DAnimData* anim = nullptr;
    D3DAnim_CreateAnimData(&anim, block.data(), object);
    Matrix4 bones[21];
    for (int32_t b = 0; b < 21; ++b) {
        MatRotateXYZ(&bones[b], 0.05f * b, -0.03f * b, 0.02f * b);
    }
    for (auto _ : state) {
        D3DAnim_TransformPoints(anim, bones, 0, 21);
        D3DAnim_ApplyConvPoints2Object(anim);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    D3DAnim_FreeAnimData(&anim);
    D3DObj_DestroyObject(&object);
    MemoryUninit();
}
BENCHMARK(BM_PosePerson500Poses)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
