// vx256/polyman.cpp: view transform, heading tables, model rotation, clipping and projection.
#include "vx256/polyman.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <emmintrin.h>
#include <xmmintrin.h>

#include "engine/convert.h"
#include "engine/fatal.h"
#include "vx256/nod.h"

PolyPolygon CurrentPolygon;
RotationMatrix ModelRotation = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

namespace {

// The abort lines are the ones the game has always reported.
constexpr int32_t kHeadingLine = 1994;
constexpr int32_t kHeading16Line = 1983;
constexpr float kAcross = 1.5f;  // the view's width against its height: 4:3
constexpr float kDown = 2.0f;

struct Camera {
    float x, y, height;
    float zoom;
    ViewTransform transform;
};

Camera s_camera = {0, 0, 0, 1.0f, {1.5f, 0, 0, 1, 0, 0, 0, -1}};
HeadingEntry s_headings[HEADING_STEPS];
HeadingEntry s_headings16[HEADING_STEPS_16];
const HeadingEntry* s_heading = &s_headings[0];
PolyPolygon s_clipBuffer;

void FillHeadingTable(HeadingEntry* table, int32_t steps)
{
    for (int32_t i = 0; i < steps; ++i) {
        const double t = -i * 2.0 * std::numbers::pi / steps;
        const auto c = static_cast<float>(std::cos(t));
        const auto s = static_cast<float>(std::sin(t));
        table[i] = {{c, s, -s, c}};
    }
}

// The plane's value of a vertex; the part where it is not positive is kept. One clip per plane,
// so that the inner loop tests no plane number.
template <int32_t Plane>
float PlaneValue(const PolyVertex& v)
{
    if constexpr (Plane == 0) return POLY_NEAR_Z - v.z;
    if constexpr (Plane == 1) return v.y - v.z;
    if constexpr (Plane == 2) return -v.y - v.z;
    if constexpr (Plane == 3) return -v.x - v.z;
    return v.x - v.z;
}

PolyVertex Interpolate(const PolyVertex& a, const PolyVertex& b, float t)
{
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z),
            a.u + t * (b.u - a.u), a.v + t * (b.v - a.v)};
}

// One plane from `in` to `out`; false when less than a triangle is left or the result would not
// fit.
template <int32_t Plane>
bool ClipAgainst(const PolyPolygon& in, PolyPolygon& out)
{
    out.count = 0;
    float startValue = PlaneValue<Plane>(in.vertices[0]);
    for (int32_t i = 0; i < in.count; ++i) {
        const PolyVertex& start = in.vertices[i];
        const PolyVertex& end = in.vertices[i + 1 == in.count ? 0 : i + 1];
        const float endValue = PlaneValue<Plane>(end);
        const bool crosses = (startValue < 0 && endValue > 0) || (startValue > 0 && endValue < 0);
        const int32_t adds = (startValue <= 0 ? 1 : 0) + (crosses ? 1 : 0);
        if (out.count + adds > SOFT_MAX_POLY_VERTICES) return false;
        if (startValue <= 0) out.vertices[out.count++] = start;
        if (crosses) {
            const float t = startValue / (startValue - endValue);
            if (t > 0 && t < 1)
                out.vertices[out.count++] = Interpolate(start, end, t);
            else
                out.vertices[out.count++] = t >= 1 ? end : start;
        }
        startValue = endValue;
    }
    return out.count >= 3;
}

}  // namespace

void SetViewCamera(float x, float y, float height, float yaw, float pitch, float zoom)
{
    const float p = pitch - std::numbers::pi_v<float> / 2;
    const float a = zoom * kAcross, b = zoom * kDown;
    const float cosT = std::cos(yaw), sinT = std::sin(yaw);
    const float cosP = std::cos(p), sinP = std::sin(p);
    s_camera = {
        x, y, height, zoom, {a * cosT, -a * sinT, sinT, cosT, b * cosP, b * sinP, cosP, -sinP}};
}

const ViewTransform& Polyman_ViewTransform() { return s_camera.transform; }

float Polyman_Zoom() { return s_camera.zoom; }

ViewPoint Polyman_Camera() { return {s_camera.x, s_camera.y, s_camera.height}; }

ViewPoint Polyman_ToView(float x, float y, float height)
{
    return Polyman_ToViewBy(s_camera.transform, Polyman_Camera(), x, y, height);
}

namespace {

// ChopToInt of two values at once, for the values a point inside the view gives: its quotient
// lies within -1 .. 1, or is NaN when a coordinate is NaN or infinite, so nothing needs pinning.
__m128i TruncateInside(__m128d value)
{
    value = _mm_and_pd(value, _mm_cmpeq_pd(value, value));  // NaN to nought
    return _mm_cvttpd_epi32(value);
}

// Four quotients (x / z) to their 28.4 screen coordinates along one axis, as Polyman_Project
// scales and centres them; meaningless for a point outside the view.
__m128i ScreenCoordinates(__m128 quotient, double scale, double centre)
{
    const __m128d scales = _mm_set1_pd(scale), centres = _mm_set1_pd(centre);
    const __m128d low = _mm_cvtps_pd(quotient);
    const __m128d high = _mm_cvtps_pd(_mm_movehl_ps(quotient, quotient));
    return _mm_unpacklo_epi64(TruncateInside(low * scales + centres),
                              TruncateInside(high * scales + centres));
}

void FourToView(const ViewTransform& m, const ViewPoint& camera, NodWorkPoint* p,
                ScreenPoint* screen)
{
    static_assert(sizeof(NodWorkPoint) == 16 && sizeof(ScreenPoint) == 8);
    __m128 px = _mm_loadu_ps(&p[0].x), py = _mm_loadu_ps(&p[1].x);
    __m128 pz = _mm_loadu_ps(&p[2].x), code = _mm_loadu_ps(&p[3].x);
    _MM_TRANSPOSE4_PS(px, py, pz, code);
    const __m128 dx = px - camera.x, dy = py - camera.y, dh = pz - camera.z;
    const __m128 ground = m.m01 * dx + m.m11 * dy;
    __m128 x = m.m00 * dx + m.m10 * dy;
    __m128 y = m.m21 * ground + m.m20 * dh;
    __m128 z = m.m22 * ground + m.m23 * dh;
    const auto bit = [](__m128 holds, uint32_t outcode) {
        return _mm_and_si128(_mm_castps_si128(holds),
                             _mm_set1_epi32(static_cast<int32_t>(outcode)));
    };
    code = _mm_castsi128_ps(
        bit(_mm_cmpgt_ps(x, z), OUTCODE_RIGHT) | bit(_mm_cmplt_ps(x, -z), OUTCODE_LEFT)
        | bit(_mm_cmpgt_ps(y, z), OUTCODE_BOTTOM) | bit(_mm_cmplt_ps(y, -z), OUTCODE_TOP)
        | bit(_mm_cmplt_ps(z, _mm_set1_ps(POLY_NEAR_Z)), OUTCODE_NEAR));
    if (screen != nullptr) {
        const __m128i across =
            ScreenCoordinates(x / z, ViewProjection.scaleX, ViewSize.width * 8.0);
        const __m128i down = ScreenCoordinates(y / z, ViewProjection.scaleY, ViewSize.height * 8.0);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(screen), _mm_unpacklo_epi32(across, down));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(screen + 2), _mm_unpackhi_epi32(across, down));
    }
    _MM_TRANSPOSE4_PS(x, y, z, code);
    _mm_storeu_ps(&p[0].x, x);
    _mm_storeu_ps(&p[1].x, y);
    _mm_storeu_ps(&p[2].x, z);
    _mm_storeu_ps(&p[3].x, code);
}

}  // namespace

void Polyman_WorkToView(NodWorkPoint* points, int32_t count, ScreenPoint* screen)
{
    const ViewTransform& m = s_camera.transform;
    const ViewPoint camera = Polyman_Camera();
    int32_t i = 0;
    for (; i + 4 <= count; i += 4)
        FourToView(m, camera, points + i, screen != nullptr ? screen + i : nullptr);
    for (; i < count; ++i) {
        NodWorkPoint& w = points[i];
        const ViewPoint v = Polyman_ToViewBy(m, camera, w.x, w.y, w.z);
        w = {v.x, v.y, v.z, Polyman_Outcode(v.x, v.y, v.z)};
        if (screen != nullptr && w.outcode == 0) screen[i] = Polyman_Project(v.x, v.y, v.z);
    }
}

void BuildHeadingTables()
{
    FillHeadingTable(s_headings, HEADING_STEPS);
    FillHeadingTable(s_headings16, HEADING_STEPS_16);
}

void SetHeading(int32_t index)
{
    if (index < 0 || index >= HEADING_STEPS) FatalAbort("polyman", kHeadingLine, "Heading error");
    s_heading = &s_headings[index];
}

void SetHeading16(int32_t index)
{
    if (index < 0 || index >= HEADING_STEPS_16)
        FatalAbort("polyman", kHeading16Line, "Heading error");
    s_heading = &s_headings16[index];
}

const HeadingEntry& Polyman_HeadingEntry(int32_t index)
{
    return s_headings[index & (HEADING_STEPS - 1)];
}

const HeadingEntry& Polyman_HeadingEntry16(int32_t index)
{
    return s_headings16[index & (HEADING_STEPS_16 - 1)];
}

void Polyman_TurnByHeading(float& x, float& y)
{
    const float* e = s_heading->e;
    const float turnedX = e[0] * x + e[1] * y;
    y = e[2] * x + e[3] * y;
    x = turnedX;
}

void BuildJointRotation(float sinA, float cosA, float sinB, float cosB, float sinC, float cosC,
                        RotationMatrix out)
{
    out[0][0] = cosB * cosA;
    out[0][1] = sinC * sinB * cosA - cosC * sinA;
    out[0][2] = cosC * sinB * cosA + sinC * sinA;
    out[1][0] = cosB * sinA;
    out[1][1] = sinC * sinB * sinA + cosC * cosA;
    out[1][2] = cosC * sinB * sinA - sinC * cosA;
    out[2][0] = -sinB;
    out[2][1] = sinC * cosB;
    out[2][2] = cosC * cosB;
}

void SetModelAngles(float a, float b, float c)
{
    BuildJointRotation(std::sin(a), std::cos(a), std::sin(b), std::cos(b), std::sin(c), std::cos(c),
                       ModelRotation);
}

void RotateNormal(float normal[3])
{
    float turned[3];
    for (int32_t row = 0; row < 3; ++row)
        turned[row] = ModelRotation[row][0] * normal[0] + ModelRotation[row][1] * normal[1]
                      + ModelRotation[row][2] * normal[2];
    for (int32_t row = 0; row < 3; ++row)
        normal[row] = turned[row];
}

int32_t ClipPolygon()
{
    if (CurrentPolygon.count < 3 || CurrentPolygon.count > SOFT_MAX_POLY_VERTICES) return 0;
    // The buffers alternate; five planes leave the result in the second.
    const bool kept = ClipAgainst<0>(CurrentPolygon, s_clipBuffer)
                      && ClipAgainst<1>(s_clipBuffer, CurrentPolygon)
                      && ClipAgainst<2>(CurrentPolygon, s_clipBuffer)
                      && ClipAgainst<3>(s_clipBuffer, CurrentPolygon)
                      && ClipAgainst<4>(CurrentPolygon, s_clipBuffer);
    if (!kept) return 0;
    CurrentPolygon.count = s_clipBuffer.count;
    std::copy_n(s_clipBuffer.vertices, s_clipBuffer.count, CurrentPolygon.vertices);
    return 1;
}

void ProjectVertices(const PolyVertex* source, SoftVertex* destination, int32_t count,
                     VertexOrder order)
{
    for (int32_t i = 0; i < count; ++i) {
        const PolyVertex& v = source[order == VertexOrder::AsStored ? i : count - 1 - i];
        const ScreenPoint p = Polyman_Project(v.x, v.y, v.z);
        destination[i] = {p.x, p.y, v.z * 16.0f, v.u, v.v};
    }
}

int64_t ProjectedWinding(const SoftVertex* vertices, int32_t count)
{
    if (count <= 0) return 0;
    // The closing edge apart: a division per corner for the wrap cost a small face more than its
    // products.
    const auto cross = [](const SoftVertex& a, const SoftVertex& b) {
        return static_cast<int64_t>(a.x) * b.y - static_cast<int64_t>(b.x) * a.y;
    };
    int64_t area = cross(vertices[count - 1], vertices[0]);
    for (int32_t i = 0; i + 1 < count; ++i)
        area += cross(vertices[i], vertices[i + 1]);
    return area;
}

GameScreenRecord Polyman_ViewScreen()
{
    GameScreenRecord screen = GetGameScreen();
    if (screen.pixels == nullptr) return {nullptr, ViewSize.width, ViewSize.height, screen.pitch};
    screen.pixels += GAMESCREEN_MARGIN * screen.pitch + GAMESCREEN_MARGIN;
    screen.width = ViewSize.width;
    screen.height = ViewSize.height;
    return screen;
}
