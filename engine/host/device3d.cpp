// engine/host/device3d.cpp: the 3D device: its row in the adapter, creation on a render target,
// render and stage states with their defaults, transforms, material and lights, clears and
// scenes, vertex processing (transform, lighting, clipping) and the draw calls, and sphere
// visibility.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

#include "engine/host/host.h"
#include "engine/host/inject.h"
#include "engine/host/internal.h"
#include "engine/host/raster.h"

constexpr int32_t HOST_MAX_DEVICES = 4;

struct HostDevice {
    bool used;
    uint32_t refs;
    const HostFakeAdapter* adapter;
    HostSurface* target;
    HostSurface* zbuffer;  // attached to the target when the device was made; may be null
    HostSurface* texture;  // stage 0, a reference held
    HostViewport viewport;
    float transforms[3][16];  // world, view, projection
    HostMaterial material;
    HostLight lights[HOST_MAX_LIGHTS];
    bool lightSet[HOST_MAX_LIGHTS];
    bool lightOn[HOST_MAX_LIGHTS];
    uint32_t renderStates[HOST_RENDER_STATE_COUNT];
    uint32_t stageStates[HOST_STAGE_STATE_COUNT];
    bool inScene;
};

namespace {

constexpr HostGuid kDeviceGuid = {
    {'P', 'e', 'l', 'l', 'o', 'r', 'a', 'n', 'R', 'a', 's', 't', 'e', 'r', '3', 'D'}};

constexpr uint32_t kAnyValue = 0xFFFFFFFF;  // a state whose every value is meaningful

constexpr uint32_t FloatBits(float value) { return std::bit_cast<uint32_t>(value); }

float BitsFloat(uint32_t bits) { return std::bit_cast<float>(bits); }

struct StateRow {
    uint32_t id;
    uint32_t byDefault;
    uint32_t first;  // the values the device implements: first..last, or any with kAnyValue
    uint32_t last;
};

// clang-format off
constexpr auto kRenderStates = std::to_array<StateRow>({
    {HOST_RS_TEXTURE_PERSPECTIVE, 1,                      0, 1},
    {HOST_RS_Z_ENABLE,            1,                      0, 1},  // 0 without a z-buffer
    {HOST_RS_SHADE_MODE,          HOST_SHADE_GOURAUD,     HOST_SHADE_FLAT, HOST_SHADE_GOURAUD},
    {HOST_RS_Z_WRITE,             1,                      0, 1},
    {HOST_RS_SOURCE_BLEND,        HOST_BLEND_ONE,         HOST_BLEND_ZERO, HOST_BLEND_INVERSE_SOURCE_ALPHA},
    {HOST_RS_DEST_BLEND,          HOST_BLEND_ZERO,        HOST_BLEND_ZERO, HOST_BLEND_INVERSE_SOURCE_ALPHA},
    {HOST_RS_CULL_MODE,           HOST_CULL_CCW,          HOST_CULL_NONE, HOST_CULL_CCW},
    {HOST_RS_Z_FUNC,              HOST_CMP_LESS_EQUAL,    HOST_CMP_NEVER, HOST_CMP_ALWAYS},
    {HOST_RS_BLEND_ENABLE,        0,                      0, 1},
    {HOST_RS_FOG_ENABLE,          0,                      0, 1},
    {HOST_RS_FOG_COLOUR,          0,                      0, kAnyValue},
    {HOST_RS_FOG_TABLE_MODE,      HOST_FOG_NONE,          HOST_FOG_NONE, HOST_FOG_LINEAR},
    {HOST_RS_FOG_START,           FloatBits(0.0f),        0, kAnyValue},
    {HOST_RS_FOG_END,             FloatBits(1.0f),        0, kAnyValue},
    {HOST_RS_STENCIL_ENABLE,      0,                      0, 1},
    {HOST_RS_STENCIL_FAIL,        HOST_STENCIL_KEEP,      HOST_STENCIL_KEEP, HOST_STENCIL_INVERT},
    {HOST_RS_STENCIL_Z_FAIL,      HOST_STENCIL_KEEP,      HOST_STENCIL_KEEP, HOST_STENCIL_INVERT},
    {HOST_RS_STENCIL_PASS,        HOST_STENCIL_KEEP,      HOST_STENCIL_KEEP, HOST_STENCIL_INVERT},
    {HOST_RS_STENCIL_FUNC,        HOST_CMP_ALWAYS,        HOST_CMP_NEVER, HOST_CMP_ALWAYS},
    {HOST_RS_STENCIL_REF,         0,                      0, kAnyValue},
    {HOST_RS_STENCIL_MASK,        0xFFFFFFFF,             0, kAnyValue},
    {HOST_RS_STENCIL_WRITE_MASK,  0xFFFFFFFF,             0, kAnyValue},
    {HOST_RS_LIGHTING,            1,                      0, 1},
    {HOST_RS_AMBIENT,             0,                      0, kAnyValue},
    {HOST_RS_COLOR_VERTEX,        1,                      0, 1},
    {HOST_RS_NORMALIZE_NORMALS,   0,                      0, 1},
    {HOST_RS_DIFFUSE_SOURCE,      HOST_MCS_COLOR1,        HOST_MCS_MATERIAL, HOST_MCS_COLOR1},
    {HOST_RS_SPECULAR_SOURCE,     HOST_MCS_MATERIAL,      HOST_MCS_MATERIAL, HOST_MCS_COLOR1},
    {HOST_RS_AMBIENT_SOURCE,      HOST_MCS_MATERIAL,      HOST_MCS_MATERIAL, HOST_MCS_COLOR1},
    {HOST_RS_EMISSIVE_SOURCE,     HOST_MCS_MATERIAL,      HOST_MCS_MATERIAL, HOST_MCS_COLOR1},
});

constexpr auto kStageStates = std::to_array<StateRow>({
    {HOST_TSS_COLOUR_OP,      HOST_TOP_MODULATE,  HOST_TOP_DISABLE, HOST_TOP_MODULATE},
    {HOST_TSS_COLOUR_ARG1,    HOST_TA_TEXTURE,    HOST_TA_DIFFUSE, HOST_TA_TEXTURE},
    {HOST_TSS_COLOUR_ARG2,    HOST_TA_DIFFUSE,    HOST_TA_DIFFUSE, HOST_TA_TEXTURE},
    {HOST_TSS_ALPHA_OP,       HOST_TOP_MODULATE,  HOST_TOP_DISABLE, HOST_TOP_MODULATE},
    {HOST_TSS_ALPHA_ARG1,     HOST_TA_TEXTURE,    HOST_TA_DIFFUSE, HOST_TA_TEXTURE},
    {HOST_TSS_ALPHA_ARG2,     HOST_TA_DIFFUSE,    HOST_TA_DIFFUSE, HOST_TA_TEXTURE},
    {HOST_TSS_ADDRESS_U,      HOST_TADDRESS_WRAP, HOST_TADDRESS_WRAP, HOST_TADDRESS_WRAP},
    {HOST_TSS_ADDRESS_V,      HOST_TADDRESS_WRAP, HOST_TADDRESS_WRAP, HOST_TADDRESS_WRAP},
    {HOST_TSS_MAG_FILTER,     HOST_FILTER_POINT,  HOST_FILTER_POINT, HOST_FILTER_LINEAR},
    {HOST_TSS_MIN_FILTER,     HOST_FILTER_POINT,  HOST_FILTER_POINT, HOST_FILTER_LINEAR},
    {HOST_TSS_MIP_FILTER,     HOST_FILTER_NONE,   HOST_FILTER_NONE, HOST_FILTER_LINEAR},
    {HOST_TSS_MIP_LOD_BIAS,   FloatBits(0.0f),    0, kAnyValue},
});
// clang-format on

struct DeviceState {
    HostDevice devices[HOST_MAX_DEVICES];
    HostDeviceStats stats;
    bool recordDraws;
    std::vector<HostDrawRecord> draws;
};

DeviceState s_device;

const StateRow* FindRow(const StateRow* first, const StateRow* last, uint32_t id)
{
    const StateRow* row = std::find_if(first, last, [id](const StateRow& r) { return r.id == id; });
    return row == last ? nullptr : row;
}

const StateRow* RenderRow(uint32_t id)
{
    return FindRow(kRenderStates.data(), kRenderStates.data() + kRenderStates.size(), id);
}

const StateRow* StageRow(uint32_t id)
{
    return FindRow(kStageStates.data(), kStageStates.data() + kStageStates.size(), id);
}

// What the device implements: a state it acts on within its values; any other at 0 only.
bool Implemented(const StateRow* row, uint32_t value)
{
    if (row == nullptr) return value == 0;
    return row->last == kAnyValue || (value >= row->first && value <= row->last);
}

bool Live(const HostDevice* device) { return device != nullptr && device->used; }

HostResult Check(HostCall call, const HostDevice* device)
{
    HostResult code;
    if (HostTakeFailure(call, &code)) return code;
    return Live(device) ? HOST_OK : HOST_E_BAD_ARGUMENT;
}

bool RenderTargetFormat(const HostPixelFormat& format)
{
    return HostFormatsEqual(format, HOST_FORMAT_RGB555)
           || HostFormatsEqual(format, HOST_FORMAT_RGB565)
           || HostFormatsEqual(format, HOST_FORMAT_XRGB8888);
}

void SetIdentity(float* m)
{
    std::fill(m, m + 16, 0.0f);
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void Multiply(const float* a, const float* b, float* out)
{
    float result[16];
    for (int32_t r = 0; r < 4; ++r) {
        for (int32_t c = 0; c < 4; ++c) {
            float sum = 0;
            for (int32_t k = 0; k < 4; ++k) {
                sum += a[4 * r + k] * b[4 * k + c];
            }
            result[4 * r + c] = sum;
        }
    }
    std::copy(result, result + 16, out);
}

void ResetDevice(HostDevice* d)
{
    d->inScene = false;
    for (float* m : d->transforms) {
        SetIdentity(m);
    }
    std::fill(std::begin(d->renderStates), std::end(d->renderStates), 0u);
    std::fill(std::begin(d->stageStates), std::end(d->stageStates), 0u);
    for (const StateRow& row : kRenderStates) {
        d->renderStates[row.id] = row.byDefault;
    }
    for (const StateRow& row : kStageStates) {
        d->stageStates[row.id] = row.byDefault;
    }
    d->renderStates[HOST_RS_Z_ENABLE] = d->zbuffer ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Vertex processing.

struct ClipVertex {  // homogeneous, after world x view x projection
    float x, y, z, w;
    float r, g, b, a;  // 0-255
    float u, v;
};

struct VertexInput {
    float position[3];
    float normal[3];
    bool hasNormal;
    bool hasDiffuse;
    uint32_t diffuse;
    float u, v;
    float rhw;  // screen vertices
};

size_t VertexSize(uint32_t format)
{
    switch (format) {
        case HOST_VERTEX_NORMAL_UV: return 32;
        case HOST_VERTEX_NORMAL_DIFFUSE: return 28;
        case HOST_VERTEX_SCREEN: return 32;
        default: return 0;
    }
}

VertexInput ReadVertex(uint32_t format, const uint8_t* p)
{
    VertexInput in{};
    std::memcpy(in.position, p, 12);
    if (format == HOST_VERTEX_SCREEN) {
        std::memcpy(&in.rhw, p + 12, 4);
        std::memcpy(&in.diffuse, p + 16, 4);
        std::memcpy(&in.u, p + 24, 4);
        std::memcpy(&in.v, p + 28, 4);
        in.hasDiffuse = true;
        return in;
    }
    std::memcpy(in.normal, p + 12, 12);
    in.hasNormal = true;
    if (format == HOST_VERTEX_NORMAL_UV) {
        std::memcpy(&in.u, p + 24, 4);
        std::memcpy(&in.v, p + 28, 4);
    } else {
        std::memcpy(&in.diffuse, p + 24, 4);
        in.hasDiffuse = true;
    }
    return in;
}

HostColourValue ColourOf(uint32_t argb)
{
    return {static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
            static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(argb & 0xFF) / 255.0f, static_cast<float>(argb >> 24) / 255.0f};
}

struct Lighting {
    bool on;
    HostColourValue ambientSum;  // the ambient state plus the enabled lights' ambient colours
    int32_t count;
    HostColourValue diffuse[HOST_MAX_LIGHTS];
    float toLight[HOST_MAX_LIGHTS][3];  // unit vectors against the light's direction
};

Lighting PrepareLighting(const HostDevice* d)
{
    Lighting l{};
    l.on = d->renderStates[HOST_RS_LIGHTING] != 0;
    l.ambientSum = ColourOf(d->renderStates[HOST_RS_AMBIENT]);
    for (int32_t i = 0; i < HOST_MAX_LIGHTS; ++i) {
        if (!d->lightSet[i] || !d->lightOn[i]) continue;
        const HostLight& light = d->lights[i];
        l.ambientSum.r += light.ambient.r;
        l.ambientSum.g += light.ambient.g;
        l.ambientSum.b += light.ambient.b;
        const float* dir = light.direction;
        const float length = std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
        if (length == 0.0f) continue;
        l.diffuse[l.count] = light.diffuse;
        for (int32_t k = 0; k < 3; ++k) {
            l.toLight[l.count][k] = -dir[k] / length;
        }
        ++l.count;
    }
    return l;
}

// The lit colour of a vertex, 0-255 per channel.
void LightVertex(const HostDevice* d, const Lighting& l, const VertexInput& in, float* rgba)
{
    if (!l.on) {
        // The channels as they are: in floats x / 255 x 255 gives every byte x back.
        const uint32_t argb = in.hasDiffuse ? in.diffuse : 0xFFFFFFFF;
        for (int32_t c = 0; c < 4; ++c) {
            rgba[c] = static_cast<float>((argb >> (c == 3 ? 24 : 16 - 8 * c)) & 0xFF);
        }
        return;
    }
    const HostColourValue vertex = ColourOf(in.diffuse);
    const bool fromVertex = d->renderStates[HOST_RS_COLOR_VERTEX] != 0 && in.hasDiffuse;
    const auto source = [&](uint32_t state, const HostColourValue& own) {
        return fromVertex && d->renderStates[state] == HOST_MCS_COLOR1 ? vertex : own;
    };
    const HostColourValue diffuse = source(HOST_RS_DIFFUSE_SOURCE, d->material.diffuse);
    const HostColourValue ambient = source(HOST_RS_AMBIENT_SOURCE, d->material.ambient);
    const HostColourValue emissive = source(HOST_RS_EMISSIVE_SOURCE, d->material.emissive);

    const float* w = d->transforms[0];
    float n[3];
    for (int32_t c = 0; c < 3; ++c) {
        n[c] = in.normal[0] * w[c] + in.normal[1] * w[4 + c] + in.normal[2] * w[8 + c];
    }
    if (d->renderStates[HOST_RS_NORMALIZE_NORMALS]) {
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0.0f) n[0] /= length, n[1] /= length, n[2] /= length;
    }
    float sum[3] = {0, 0, 0};
    for (int32_t i = 0; i < l.count; ++i) {
        const float lambert = std::max(0.0f, n[0] * l.toLight[i][0] + n[1] * l.toLight[i][1]
                                                 + n[2] * l.toLight[i][2]);
        sum[0] += l.diffuse[i].r * lambert;
        sum[1] += l.diffuse[i].g * lambert;
        sum[2] += l.diffuse[i].b * lambert;
    }
    const float light[3] = {
        emissive.r + ambient.r * l.ambientSum.r + diffuse.r * sum[0],
        emissive.g + ambient.g * l.ambientSum.g + diffuse.g * sum[1],
        emissive.b + ambient.b * l.ambientSum.b + diffuse.b * sum[2],
    };
    for (int32_t c = 0; c < 3; ++c) {
        rgba[c] = std::clamp(light[c], 0.0f, 1.0f) * 255;
    }
    rgba[3] = std::clamp(diffuse.a, 0.0f, 1.0f) * 255;
}

ClipVertex TransformVertex(const HostDevice* d, const float* m, const Lighting& l,
                           const VertexInput& in)
{
    ClipVertex out{};
    const float* p = in.position;
    const auto coordinate = [p, m](int32_t c) {
        return p[0] * m[c] + p[1] * m[4 + c] + p[2] * m[8 + c] + m[12 + c];
    };
    out.x = coordinate(0), out.y = coordinate(1), out.z = coordinate(2), out.w = coordinate(3);
    float rgba[4];
    LightVertex(d, l, in, rgba);
    out.r = rgba[0], out.g = rgba[1], out.b = rgba[2], out.a = rgba[3];
    out.u = in.u;
    out.v = in.v;
    return out;
}

ClipVertex Lerp(const ClipVertex& a, const ClipVertex& b, float t)
{
    const auto mix = [t](float from, float to) { return from + (to - from) * t; };
    return {mix(a.x, b.x), mix(a.y, b.y), mix(a.z, b.z), mix(a.w, b.w), mix(a.r, b.r),
            mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a), mix(a.u, b.u), mix(a.v, b.v)};
}

// Signed distances to the clip planes: near, far, the viewport's four sides, and w kept above
// zero so that nothing divides by it.
constexpr int32_t kClipPlanes = 7;
constexpr float kMinW = 1e-5f;

[[gnu::always_inline]] inline float PlaneDistance(const ClipVertex& v, int32_t plane)
{
    switch (plane) {
        case 0: return v.z;
        case 1: return v.w - v.z;
        case 2: return v.x + v.w;
        case 3: return v.w - v.x;
        case 4: return v.y + v.w;
        case 5: return v.w - v.y;
        default: return v.w - kMinW;
    }
}

constexpr int32_t kMaxPolygon = 3 + kClipPlanes;

// Sutherland-Hodgman against every plane; the answer is the polygon's corner count.
int32_t ClipPolygon(ClipVertex (&polygon)[kMaxPolygon], int32_t count)
{
    const auto inside = [](const ClipVertex& v) {
        for (int32_t plane = 0; plane < kClipPlanes; ++plane) {
            if (!(PlaneDistance(v, plane) >= 0)) return false;
        }
        return true;
    };
    // Most triangles lie wholly inside: nothing to cut.
    if (std::all_of(polygon, polygon + count, inside)) return count;
    for (int32_t plane = 0; plane < kClipPlanes && count > 0; ++plane) {
        ClipVertex out[kMaxPolygon];
        int32_t n = 0;
        for (int32_t i = 0; i < count; ++i) {
            const ClipVertex& a = polygon[i];
            const ClipVertex& b = polygon[(i + 1) % count];
            const float da = PlaneDistance(a, plane), db = PlaneDistance(b, plane);
            // A convex polygon gains at most one corner per plane; the bound keeps corners that
            // are not numbers (never drawn) from running past the table.
            if (da >= 0 && n < kMaxPolygon) out[n++] = a;
            if ((da >= 0) != (db >= 0) && n < kMaxPolygon) out[n++] = Lerp(a, b, da / (da - db));
        }
        std::copy(out, out + n, polygon);
        count = n;
    }
    return count;
}

RasterVertex Project(const HostViewport& vp, const ClipVertex& c)
{
    const float rhw = 1.0f / c.w;
    const float w = static_cast<float>(vp.width), h = static_cast<float>(vp.height);
    RasterVertex v{};
    v.x = static_cast<float>(vp.x) + (1.0f + c.x * rhw) * w / 2;
    v.y = static_cast<float>(vp.y) + (1.0f - c.y * rhw) * h / 2;
    v.z = vp.minZ + c.z * rhw * (vp.maxZ - vp.minZ);
    v.rhw = rhw;
    v.r = c.r, v.g = c.g, v.b = c.b, v.a = c.a;
    v.u = c.u, v.v = c.v;
    return v;
}

RasterVertex ScreenVertex(const VertexInput& in)
{
    RasterVertex v{};
    v.x = in.position[0], v.y = in.position[1], v.z = in.position[2];
    v.rhw = in.rhw;
    v.r = static_cast<float>((in.diffuse >> 16) & 0xFF);
    v.g = static_cast<float>((in.diffuse >> 8) & 0xFF);
    v.b = static_cast<float>(in.diffuse & 0xFF);
    v.a = static_cast<float>(in.diffuse >> 24);
    v.u = in.u, v.v = in.v;
    return v;
}

RasterState MakeRasterState(HostDevice* d)
{
    const uint32_t* rs = d->renderStates;
    const uint32_t* ts = d->stageStates;
    RasterState s{};
    const HostSurfacePixels target = HostSurfaceView(d->target);
    s.colour = target.bits;
    s.pitch = target.pitch;
    s.bytesPerPixel = static_cast<int32_t>(target.format->bitCount / 8);
    const uint32_t masks[3] = {target.format->redMask, target.format->greenMask,
                               target.format->blueMask};
    for (int32_t c = 0; c < 3; ++c) {
        s.shift[c] = static_cast<uint32_t>(__builtin_ctz(masks[c]));
        s.bits[c] = static_cast<uint32_t>(__builtin_popcount(masks[c]));
    }
    if (d->zbuffer) s.depth = HostSurfaceDepth(d->zbuffer);
    const HostViewport& vp = d->viewport;
    s.scissor = {static_cast<int32_t>(vp.x), static_cast<int32_t>(vp.y),
                 static_cast<int32_t>(vp.x + vp.width), static_cast<int32_t>(vp.y + vp.height)};
    const bool hasZ = s.depth.depth != nullptr;
    s.zTest = hasZ && rs[HOST_RS_Z_ENABLE];
    s.zWrite = s.zTest && rs[HOST_RS_Z_WRITE];
    s.zFunc = rs[HOST_RS_Z_FUNC];
    s.zScale = hasZ ? std::ldexp(1.0, static_cast<int32_t>(s.depth.zBits)) - 1.0 : 0.0;
    s.stencil = hasZ && s.depth.stencilBits > 0 && rs[HOST_RS_STENCIL_ENABLE];
    s.stencilFunc = rs[HOST_RS_STENCIL_FUNC];
    s.stencilRef = rs[HOST_RS_STENCIL_REF];
    s.stencilMask = rs[HOST_RS_STENCIL_MASK];
    s.stencilWriteMask = rs[HOST_RS_STENCIL_WRITE_MASK];
    s.stencilFail = rs[HOST_RS_STENCIL_FAIL];
    s.stencilZFail = rs[HOST_RS_STENCIL_Z_FAIL];
    s.stencilPass = rs[HOST_RS_STENCIL_PASS];
    s.stencilMax = hasZ ? (1u << s.depth.stencilBits) - 1 : 0;
    s.blend = rs[HOST_RS_BLEND_ENABLE] != 0;
    s.sourceBlend = rs[HOST_RS_SOURCE_BLEND];
    s.destBlend = rs[HOST_RS_DEST_BLEND];
    s.fog = rs[HOST_RS_FOG_ENABLE] && rs[HOST_RS_FOG_TABLE_MODE] == HOST_FOG_LINEAR;
    s.fogStart = BitsFloat(rs[HOST_RS_FOG_START]);
    s.fogEnd = BitsFloat(rs[HOST_RS_FOG_END]);
    for (int32_t c = 0; c < 3; ++c) {
        s.fogRgb[c] = (rs[HOST_RS_FOG_COLOUR] >> (16 - 8 * c)) & 0xFF;
    }
    s.flat = rs[HOST_RS_SHADE_MODE] == HOST_SHADE_FLAT;
    s.perspective = rs[HOST_RS_TEXTURE_PERSPECTIVE] != 0;
    s.colourOp = ts[HOST_TSS_COLOUR_OP];
    s.colourArg1 = ts[HOST_TSS_COLOUR_ARG1];
    s.colourArg2 = ts[HOST_TSS_COLOUR_ARG2];
    s.alphaOp = ts[HOST_TSS_ALPHA_OP];
    s.alphaArg1 = ts[HOST_TSS_ALPHA_ARG1];
    s.alphaArg2 = ts[HOST_TSS_ALPHA_ARG2];
    s.magFilter = ts[HOST_TSS_MAG_FILTER];
    s.minFilter = ts[HOST_TSS_MIN_FILTER];
    s.mipFilter = ts[HOST_TSS_MIP_FILTER];
    s.lodBias = BitsFloat(ts[HOST_TSS_MIP_LOD_BIAS]);
    for (HostSurface* level = d->texture; level && s.texture.levelCount < RASTER_MAX_LEVELS;) {
        const HostTexels texels = HostSurfaceTexels(level);
        s.texture.versions[s.texture.levelCount] = texels.version;
        s.texture.levels[s.texture.levelCount++] = {
            texels.argb, static_cast<uint32_t>(texels.width), static_cast<uint32_t>(texels.height)};
        level = texels.next;
    }
    RasterPrepare(&s);
    return s;
}

// Culling by the corners' order on the screen, y down: a positive cross product is clockwise.
bool Culled(uint32_t cull, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c)
{
    const float cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    if (cull == HOST_CULL_CW) return cross > 0;
    if (cull == HOST_CULL_CCW) return cross < 0;
    return false;
}

// A world vertex as every primitive of its draw call takes it: transformed and lit once, however
// many triangles share it, projected, and the planes it lies outside of (bit p: plane p).
struct TableVertex {
    ClipVertex clip;
    RasterVertex screen;
    uint32_t outside;
};

uint32_t Outside(const ClipVertex& v)
{
    uint32_t bits = 0;
#pragma GCC unroll 7
    for (int32_t plane = 0; plane < kClipPlanes; ++plane) {
        bits |= static_cast<uint32_t>(!(PlaneDistance(v, plane) >= 0)) << plane;
    }
    return bits;
}

struct DrawCall {
    HostDevice* device;
    RasterState state;
    uint32_t format;
    const uint8_t* vertices;
    size_t stride;
    const TableVertex* table;  // world vertices only
};

bool Screen(const DrawCall& call) { return call.format == HOST_VERTEX_SCREEN; }

// Fills `table` with the draw call's world vertices; the answer is the planes all of them lie
// outside of, where nothing the call draws can show.
uint32_t FillVertexTable(const HostDevice* d, uint32_t format, const uint8_t* vertices,
                         uint32_t count, std::vector<TableVertex>* table)
{
    float matrix[16];  // world x view x projection
    Multiply(d->transforms[0], d->transforms[1], matrix);
    Multiply(matrix, d->transforms[2], matrix);
    const Lighting lighting = PrepareLighting(d);
    const size_t stride = VertexSize(format);
    table->resize(count);
    uint32_t everyOutside = count > 0 ? ~0u : 0u;
    for (uint32_t i = 0; i < count; ++i) {
        TableVertex& v = (*table)[i];
        v.clip = TransformVertex(d, matrix, lighting, ReadVertex(format, vertices + i * stride));
        v.screen = Project(d->viewport, v.clip);
        v.outside = Outside(v.clip);
        everyOutside &= v.outside;
    }
    return everyOutside;
}

RasterVertex ScreenVertexOf(const DrawCall& call, uint32_t index)
{
    return ScreenVertex(ReadVertex(call.format, call.vertices + index * call.stride));
}

void DrawScreenTriangle(const DrawCall& call, const RasterVertex& a, const RasterVertex& b,
                        const RasterVertex& c, const RasterVertex& flat)
{
    if (Culled(call.device->renderStates[HOST_RS_CULL_MODE], a, b, c)) return;
    if (RasterTriangle(call.state, a, b, c, flat)) ++s_device.stats.triangles;
}

void DrawTriangle(const DrawCall& call, uint32_t i0, uint32_t i1, uint32_t i2)
{
    if (Screen(call)) {
        const RasterVertex a = ScreenVertexOf(call, i0);
        DrawScreenTriangle(call, a, ScreenVertexOf(call, i1), ScreenVertexOf(call, i2), a);
        return;
    }
    const TableVertex &a = call.table[i0], &b = call.table[i1], &c = call.table[i2];
    if ((a.outside & b.outside & c.outside) != 0) return;  // wholly beyond one plane
    // The first corner's colour shades a flat triangle.
    if ((a.outside | b.outside | c.outside) == 0) {
        DrawScreenTriangle(call, a.screen, b.screen, c.screen, a.screen);
        return;
    }
    ClipVertex polygon[kMaxPolygon] = {a.clip, b.clip, c.clip};
    const int32_t count = ClipPolygon(polygon, 3);
    if (count < 3) return;
    RasterVertex screen[kMaxPolygon];
    for (int32_t i = 0; i < count; ++i) {
        screen[i] = Project(call.device->viewport, polygon[i]);
    }
    for (int32_t i = 1; i + 1 < count; ++i) {
        DrawScreenTriangle(call, screen[0], screen[i], screen[i + 1], a.screen);
    }
}

void DrawLine(const DrawCall& call, uint32_t i0, uint32_t i1)
{
    if (Screen(call)) {
        RasterLine(call.state, ScreenVertexOf(call, i0), ScreenVertexOf(call, i1));
        return;
    }
    ClipVertex a = call.table[i0].clip, b = call.table[i1].clip;
    for (int32_t plane = 0; plane < kClipPlanes; ++plane) {
        const float da = PlaneDistance(a, plane), db = PlaneDistance(b, plane);
        if (da < 0 && db < 0) return;
        if (da < 0) a = Lerp(a, b, da / (da - db));
        if (db < 0) b = Lerp(b, a, db / (db - da));
    }
    RasterLine(call.state, Project(call.device->viewport, a), Project(call.device->viewport, b));
}

void DrawPoint(const DrawCall& call, uint32_t i0)
{
    if (Screen(call)) {
        RasterPoint(call.state, ScreenVertexOf(call, i0));
        return;
    }
    const TableVertex& a = call.table[i0];
    for (int32_t plane = 0; plane < kClipPlanes; ++plane) {
        if (PlaneDistance(a.clip, plane) < 0) return;
    }
    RasterPoint(call.state, a.screen);
}

HostResult Draw(HostDevice* d, uint32_t primitive, uint32_t format, const void* vertices,
                uint32_t vertexCount, const uint16_t* indices, uint32_t count)
{
    if (!d->inScene || HostSurfaceBusy(d->target)) return HOST_E_GENERIC;
    const size_t stride = VertexSize(format);
    if (stride == 0 || primitive < HOST_PRIM_POINTS || primitive > HOST_PRIM_FAN)
        return HOST_E_UNSUPPORTED;
    if (vertices == nullptr && vertexCount > 0) return HOST_E_BAD_ARGUMENT;
    if (indices) {
        for (uint32_t i = 0; i < count; ++i) {
            if (indices[i] >= vertexCount) return HOST_E_BAD_ARGUMENT;
        }
    }
    ++s_device.stats.drawCalls;
    if (s_device.recordDraws) {
        s_device.draws.push_back({primitive, format, indices ? vertexCount : count,
                                  indices ? count : 0, indices != nullptr, d->texture});
    }
    const auto* bytes = static_cast<const uint8_t*>(vertices);
    static std::vector<TableVertex> table;  // kept from call to call: no allocation a draw
    if (format != HOST_VERTEX_SCREEN && FillVertexTable(d, format, bytes, vertexCount, &table) != 0)
        return HOST_OK;
    const DrawCall call{d, MakeRasterState(d), format, bytes, stride, table.data()};
    const auto at = [indices](uint32_t i) { return indices ? uint32_t{indices[i]} : i; };
    switch (primitive) {
        case HOST_PRIM_POINTS:
            for (uint32_t i = 0; i < count; ++i) {
                DrawPoint(call, at(i));
            }
            break;
        case HOST_PRIM_LINES:
            for (uint32_t i = 0; i + 1 < count; i += 2) {
                DrawLine(call, at(i), at(i + 1));
            }
            break;
        case HOST_PRIM_TRIANGLES:
            for (uint32_t i = 0; i + 2 < count; i += 3) {
                DrawTriangle(call, at(i), at(i + 1), at(i + 2));
            }
            break;
        default:
            for (uint32_t i = 1; i + 1 < count; ++i) {
                DrawTriangle(call, at(0), at(i), at(i + 1));
            }
            break;
    }
    return HOST_OK;
}

uint32_t PackTarget(const HostPixelFormat& format, uint32_t argb)
{
    const uint32_t masks[3] = {format.redMask, format.greenMask, format.blueMask};
    uint32_t pixel = 0;
    for (int32_t c = 0; c < 3; ++c) {
        const uint32_t value = (argb >> (16 - 8 * c)) & 0xFF;
        const auto bits = static_cast<uint32_t>(__builtin_popcount(masks[c]));
        pixel |= (value >> (8 - bits)) << __builtin_ctz(masks[c]);
    }
    return pixel;
}

// Fills `rows` rows of `count` values from `topLeft`, `pitch` bytes apart: the first row value by
// value, the others as copies of it, which the library makes many bytes at a time.
template <typename T>
void FillRows(void* topLeft, ptrdiff_t pitch, int32_t rows, int32_t count, T value)
{
    if (rows <= 0 || count <= 0) return;
    auto* const first = static_cast<uint8_t*>(topLeft);
    std::fill_n(static_cast<T*>(topLeft), count, value);
    for (int32_t y = 1; y < rows; ++y) {
        std::memcpy(first + y * pitch, first, static_cast<size_t>(count) * sizeof(T));
    }
}

void ClearRect(HostDevice* d, const HostRect& r, uint32_t flags, uint32_t argb, float z,
               uint32_t stencil)
{
    const int32_t rows = r.bottom - r.top, count = r.right - r.left;
    if (flags & HOST_CLEAR_TARGET) {
        const HostSurfacePixels target = HostSurfaceView(d->target);
        const uint32_t pixel = PackTarget(*target.format, argb);
        const int32_t bytes = static_cast<int32_t>(target.format->bitCount / 8);
        uint8_t* const topLeft =
            target.bits + static_cast<ptrdiff_t>(r.top) * target.pitch + r.left * bytes;
        if (bytes == 2) {
            FillRows(topLeft, target.pitch, rows, count, static_cast<uint16_t>(pixel));
        } else {
            FillRows(topLeft, target.pitch, rows, count, pixel);
        }
    }
    if (d->zbuffer == nullptr) return;
    const HostDepthView view = HostSurfaceDepth(d->zbuffer);
    const double scale = std::ldexp(1.0, static_cast<int32_t>(view.zBits)) - 1.0;
    const double clamped = z > 0.0f ? std::min(static_cast<double>(z), 1.0) : 0.0;
    const auto depth = static_cast<uint32_t>(clamped * scale + 0.5);
    const auto stencilValue = static_cast<uint8_t>(stencil & ((1u << view.stencilBits) - 1));
    const size_t topLeft = static_cast<size_t>(r.top) * view.width + r.left;
    if (flags & HOST_CLEAR_Z)
        FillRows(view.depth + topLeft, static_cast<ptrdiff_t>(view.width * sizeof(uint32_t)), rows,
                 count, depth);
    if (flags & HOST_CLEAR_STENCIL)
        FillRows(view.stencil + topLeft, view.width, rows, count, stencilValue);
}

}  // namespace

HostDeviceDesc HostDefaultDevice()
{
    HostDeviceDesc device{};
    device.guid = kDeviceGuid;
    std::strcpy(device.description, "Host 3D device");
    std::strcpy(device.name, "Moteur 3D Pelloran");
    device.caps = HOST_DEV_HARDWARE | HOST_DEV_HARDWARE_TL | HOST_DEV_SUBPIXEL | HOST_DEV_Z_TEST
                  | HOST_DEV_MIPMAP_FILTER | HOST_DEV_LINEAR_FILTER;
    device.renderDepths = HOST_DEPTH_16 | HOST_DEPTH_32;
    device.zBufferDepths = HOST_DEPTH_16 | HOST_DEPTH_24 | HOST_DEPTH_32;
    device.maxTextureWidth = 1024;
    device.maxTextureHeight = 1024;
    device.minTextureWidth = 1;
    device.minTextureHeight = 1;
    device.maxTextureAspect = 0;
    return device;
}

void HostDeviceFreeAll() { s_device = {}; }

HostResult HostDeviceCreate(HostDisplay* display, const HostGuid& guid, HostSurface* target,
                            HostDevice** out)
{
    HostResult code;
    if (HostTakeFailure(HOST_CALL_DEVICE_CREATE, &code)) return code;
    if (!HostDisplay3DOpen(display) || out == nullptr) return HOST_E_BAD_ARGUMENT;
    const HostFakeAdapter* adapter = HostDisplayAdapter(display);
    const HostDeviceDesc* const end = adapter->devices + adapter->deviceCount;
    if (std::none_of(adapter->devices, end, [&guid](const HostDeviceDesc& d) {
            return std::memcmp(&d.guid, &guid, sizeof guid) == 0;
        }))
        return HOST_E_BAD_ARGUMENT;
    HostPixelFormat format{};
    if (target == nullptr || HostFailed(HostSurfaceGetFormat(target, &format))
        || !(HostSurfaceFlagsOf(target) & HOST_SURFACE_3D_DEVICE) || !RenderTargetFormat(format))
        return HOST_E_BAD_ARGUMENT;
    HostDevice* const d = std::find_if(std::begin(s_device.devices), std::end(s_device.devices),
                                       [](const HostDevice& x) { return !x.used; });
    if (d == std::end(s_device.devices)) return HOST_E_OUT_OF_MEMORY;
    *d = {};
    d->used = true;
    d->refs = 1;
    d->adapter = adapter;
    d->target = target;
    HostSurfaceAddRef(target);
    d->zbuffer = HostSurfaceAttachedZ(target);
    if (d->zbuffer) HostSurfaceAddRef(d->zbuffer);
    int32_t width, height;
    HostSurfaceSize(target, &width, &height);
    d->viewport = {0, 0, static_cast<uint32_t>(width), static_cast<uint32_t>(height), 0.0f, 1.0f};
    ResetDevice(d);
    s_device.stats = {};
    *out = d;
    return HOST_OK;
}

uint32_t HostDeviceRelease(HostDevice* device)
{
    if (!Live(device)) return 0;
    if (--device->refs > 0) return device->refs;
    HostSurface* const surfaces[3] = {device->texture, device->zbuffer, device->target};
    *device = {};
    for (HostSurface* s : surfaces) {
        if (s) HostSurfaceRelease(s);
    }
    return 0;
}

HostResult HostDeviceEnumTextureFormats(HostDevice* device, HostTextureFormatCallback callback,
                                        void* context)
{
    const HostResult result = Check(HOST_CALL_DEVICE_TEXTURE_FORMATS, device);
    if (result != HOST_OK) return result;
    if (callback == nullptr) return HOST_E_BAD_ARGUMENT;
    for (int32_t i = 0; i < device->adapter->textureFormatCount; ++i) {
        if (!callback(device->adapter->textureFormats[i], context)) break;
    }
    return HOST_OK;
}

HostResult HostDeviceSetViewport(HostDevice* device, const HostViewport& viewport)
{
    const HostResult result = Check(HOST_CALL_DEVICE_VIEWPORT, device);
    if (result != HOST_OK) return result;
    int32_t width, height;
    HostSurfaceSize(device->target, &width, &height);
    const uint64_t right = uint64_t{viewport.x} + viewport.width;
    const uint64_t bottom = uint64_t{viewport.y} + viewport.height;
    if (viewport.width == 0 || viewport.height == 0 || right > static_cast<uint64_t>(width)
        || bottom > static_cast<uint64_t>(height) || !(viewport.minZ <= viewport.maxZ)
        || viewport.minZ < 0.0f || viewport.maxZ > 1.0f)
        return HOST_E_BAD_ARGUMENT;
    device->viewport = viewport;
    return HOST_OK;
}

HostResult HostDeviceClear(HostDevice* device, const HostRect* rects, int32_t count, uint32_t flags,
                           uint32_t argb, float z, uint32_t stencil)
{
    const HostResult result = Check(HOST_CALL_DEVICE_CLEAR, device);
    if (result != HOST_OK) return result;
    const bool hasStencil = device->zbuffer && HostSurfaceDepth(device->zbuffer).stencilBits > 0;
    if ((flags & ~uint32_t{7}) || ((flags & HOST_CLEAR_Z) && !device->zbuffer)
        || ((flags & HOST_CLEAR_STENCIL) && !hasStencil) || count < 0
        || (count > 0 && rects == nullptr))
        return HOST_E_BAD_ARGUMENT;
    if (HostSurfaceBusy(device->target)) return HOST_E_GENERIC;
    const HostViewport& vp = device->viewport;
    const HostRect whole{static_cast<int32_t>(vp.x), static_cast<int32_t>(vp.y),
                         static_cast<int32_t>(vp.x + vp.width),
                         static_cast<int32_t>(vp.y + vp.height)};
    for (int32_t i = 0; i < std::max(count, 1); ++i) {
        const HostRect& r = count > 0 ? rects[i] : whole;
        const HostRect clipped{std::max(r.left, whole.left), std::max(r.top, whole.top),
                               std::min(r.right, whole.right), std::min(r.bottom, whole.bottom)};
        if (clipped.left < clipped.right && clipped.top < clipped.bottom)
            ClearRect(device, clipped, flags, argb, z, stencil);
    }
    HostSurfaceChanged(device->target);
    return HOST_OK;
}

HostResult HostDeviceBeginScene(HostDevice* device)
{
    const HostResult result = Check(HOST_CALL_DEVICE_BEGIN_SCENE, device);
    if (result != HOST_OK) return result;
    if (device->inScene) return HOST_E_GENERIC;
    device->inScene = true;
    return HOST_OK;
}

HostResult HostDeviceEndScene(HostDevice* device)
{
    const HostResult result = Check(HOST_CALL_DEVICE_END_SCENE, device);
    if (result != HOST_OK) return result;
    if (!device->inScene) return HOST_E_GENERIC;
    device->inScene = false;
    HostSurfaceChanged(device->target);
    return HOST_OK;
}

HostResult HostDeviceSetTransform(HostDevice* device, uint32_t kind, const float matrix[16])
{
    const HostResult result = Check(HOST_CALL_DEVICE_TRANSFORM, device);
    if (result != HOST_OK) return result;
    if (kind < HOST_TRANSFORM_WORLD || kind > HOST_TRANSFORM_PROJECTION || matrix == nullptr)
        return HOST_E_BAD_ARGUMENT;
    std::copy(matrix, matrix + 16, device->transforms[kind - HOST_TRANSFORM_WORLD]);
    return HOST_OK;
}

HostResult HostDeviceSetMaterial(HostDevice* device, const HostMaterial& material)
{
    const HostResult result = Check(HOST_CALL_DEVICE_MATERIAL, device);
    if (result != HOST_OK) return result;
    device->material = material;
    return HOST_OK;
}

HostResult HostDeviceSetLight(HostDevice* device, int32_t index, const HostLight& light)
{
    const HostResult result = Check(HOST_CALL_DEVICE_LIGHT, device);
    if (result != HOST_OK) return result;
    if (index < 0 || index >= HOST_MAX_LIGHTS) return HOST_E_BAD_ARGUMENT;
    if (light.kind != HOST_LIGHT_DIRECTIONAL) return HOST_E_UNSUPPORTED;
    device->lights[index] = light;
    device->lightSet[index] = true;
    return HOST_OK;
}

HostResult HostDeviceLightEnable(HostDevice* device, int32_t index, bool on)
{
    const HostResult result = Check(HOST_CALL_DEVICE_LIGHT_ENABLE, device);
    if (result != HOST_OK) return result;
    if (index < 0 || index >= HOST_MAX_LIGHTS || !device->lightSet[index])
        return HOST_E_BAD_ARGUMENT;
    device->lightOn[index] = on;
    return HOST_OK;
}

HostResult HostDeviceGetRenderState(HostDevice* device, uint32_t id, uint32_t* value)
{
    const HostResult result = Check(HOST_CALL_DEVICE_GET_STATE, device);
    if (result != HOST_OK) return result;
    if (id >= HOST_RENDER_STATE_COUNT || value == nullptr) return HOST_E_BAD_ARGUMENT;
    *value = device->renderStates[id];
    return HOST_OK;
}

HostResult HostDeviceSetRenderState(HostDevice* device, uint32_t id, uint32_t value)
{
    const HostResult result = Check(HOST_CALL_DEVICE_SET_STATE, device);
    if (result != HOST_OK) return result;
    if (id >= HOST_RENDER_STATE_COUNT) return HOST_E_BAD_ARGUMENT;
    if (!Implemented(RenderRow(id), value)) return HOST_E_UNSUPPORTED;
    device->renderStates[id] = value;
    ++s_device.stats.stateSets;
    return HOST_OK;
}

HostResult HostDeviceGetStageState(HostDevice* device, int32_t stage, uint32_t id, uint32_t* value)
{
    const HostResult result = Check(HOST_CALL_DEVICE_GET_STAGE_STATE, device);
    if (result != HOST_OK) return result;
    if (stage != 0 || id == 0 || id >= HOST_STAGE_STATE_COUNT || value == nullptr)
        return HOST_E_BAD_ARGUMENT;
    *value = device->stageStates[id];
    return HOST_OK;
}

HostResult HostDeviceSetStageState(HostDevice* device, int32_t stage, uint32_t id, uint32_t value)
{
    const HostResult result = Check(HOST_CALL_DEVICE_SET_STAGE_STATE, device);
    if (result != HOST_OK) return result;
    if (stage != 0 || id == 0 || id >= HOST_STAGE_STATE_COUNT) return HOST_E_BAD_ARGUMENT;
    if (!Implemented(StageRow(id), value)) return HOST_E_UNSUPPORTED;
    device->stageStates[id] = value;
    ++s_device.stats.stateSets;
    return HOST_OK;
}

HostResult HostDeviceSetTexture(HostDevice* device, int32_t stage, HostSurface* texture)
{
    const HostResult result = Check(HOST_CALL_DEVICE_SET_TEXTURE, device);
    if (result != HOST_OK) return result;
    if (stage != 0 || (texture != nullptr && !HostSurfaceIsTexture(texture)))
        return HOST_E_BAD_ARGUMENT;
    if (texture) HostSurfaceAddRef(texture);
    if (device->texture) HostSurfaceRelease(device->texture);
    device->texture = texture;
    ++s_device.stats.textureBinds;
    return HOST_OK;
}

HostResult HostDeviceDraw(HostDevice* device, uint32_t primitive, uint32_t vertexFormat,
                          const void* vertices, uint32_t count)
{
    const HostResult result = Check(HOST_CALL_DEVICE_DRAW, device);
    if (result != HOST_OK) return result;
    return Draw(device, primitive, vertexFormat, vertices, count, nullptr, count);
}

HostResult HostDeviceDrawIndexed(HostDevice* device, uint32_t primitive, uint32_t vertexFormat,
                                 const void* vertices, uint32_t vertexCount,
                                 const uint16_t* indices, uint32_t indexCount)
{
    const HostResult result = Check(HOST_CALL_DEVICE_DRAW_INDEXED, device);
    if (result != HOST_OK) return result;
    if (indices == nullptr && indexCount > 0) return HOST_E_BAD_ARGUMENT;
    static const uint16_t kNone = 0;
    return Draw(device, primitive, vertexFormat, vertices, vertexCount, indices ? indices : &kNone,
                indexCount);
}

HostResult HostDeviceSphereVisibility(HostDevice* device, const float* centres, const float* radii,
                                      uint32_t count, uint32_t* results)
{
    const HostResult result = Check(HOST_CALL_DEVICE_SPHERES, device);
    if (result != HOST_OK) return result;
    if (count > 0 && (centres == nullptr || radii == nullptr || results == nullptr))
        return HOST_E_BAD_ARGUMENT;
    float m[16];
    Multiply(device->transforms[0], device->transforms[1], m);
    Multiply(m, device->transforms[2], m);
    // Column c of the matrix gives clip coordinate c of a point (x, y, z, 1).
    const auto column = [&m](int32_t c, int32_t k) { return m[4 * k + c]; };
    float planes[6][4];
    for (int32_t k = 0; k < 4; ++k) {
        const float x = column(0, k), y = column(1, k), z = column(2, k), w = column(3, k);
        const float rows[6] = {w + x, w - x, w - y, w + y, z, w - z};
        for (int32_t p = 0; p < 6; ++p) {
            planes[p][k] = rows[p];
        }
    }
    for (float* plane : planes) {
        const float length =
            std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        if (length > 0.0f) {
            for (int32_t k = 0; k < 4; ++k) {
                plane[k] /= length;
            }
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        const float* c = centres + 3 * i;
        uint32_t flags = 0;
        for (int32_t p = 0; p < 6; ++p) {
            const float distance =
                planes[p][0] * c[0] + planes[p][1] * c[1] + planes[p][2] * c[2] + planes[p][3];
            if (distance < -radii[i]) {
                flags |= 1u << (12 + p);
            } else if (distance < radii[i]) {
                flags |= 1u << p;
            }
        }
        results[i] = flags;
    }
    return HOST_OK;
}

HostDeviceStats HostInjectDeviceStats() { return s_device.stats; }

void HostInjectRecordDraws(bool on)
{
    s_device.recordDraws = on;
    s_device.draws.clear();
}

const std::vector<HostDrawRecord>& HostInjectDrawRecord() { return s_device.draws; }
