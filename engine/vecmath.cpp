// engine/vecmath.cpp: single-precision 3-vectors and 4 x 4 matrices.
#include "engine/vecmath.h"

#include <cmath>

namespace {

constexpr Matrix4 kIdentity = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};

}  // namespace

void Vec3Zero(Vec3* v) { *v = {0, 0, 0}; }

void Vec3Add(Vec3* out, const Vec3* a, const Vec3* b)
{
    *out = {a->x + b->x, a->y + b->y, a->z + b->z};
}

void Vec3Sub(Vec3* out, const Vec3* a, const Vec3* b)
{
    *out = {a->x - b->x, a->y - b->y, a->z - b->z};
}

void Vec3Dot(float* out, const Vec3* a, const Vec3* b)
{
    *out = a->x * b->x + a->y * b->y + a->z * b->z;
}

void Vec3Cross(Vec3* out, const Vec3* a, const Vec3* b)
{
    *out = {a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x};
}

void Vec3Normalise(Vec3* v)
{
    const float length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
    if (length == 0.0f) return;
    const float scale = 1.0f / length;
    *v = {v->x * scale, v->y * scale, v->z * scale};
}

void MatIdentity(Matrix4* m) { *m = kIdentity; }

void MatSetTranslation(Matrix4* m, float x, float y, float z)
{
    *m = kIdentity;
    m->m[3][0] = x;
    m->m[3][1] = y;
    m->m[3][2] = z;
}

void MatSetScale(Matrix4* m, float sx, float sy, float sz)
{
    *m = kIdentity;
    m->m[0][0] = sx;
    m->m[1][1] = sy;
    m->m[2][2] = sz;
}

void MatTranslate(Matrix4* m, float x, float y, float z)
{
    m->m[3][0] += x;
    m->m[3][1] += y;
    m->m[3][2] += z;
}

void MatRotateX(Matrix4* m, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    *m = kIdentity;
    m->m[1][1] = c;
    m->m[1][2] = -s;
    m->m[2][1] = s;
    m->m[2][2] = c;
}

void MatRotateY(Matrix4* m, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    *m = kIdentity;
    m->m[0][0] = c;
    m->m[0][2] = s;
    m->m[2][0] = -s;
    m->m[2][2] = c;
}

void MatRotateZ(Matrix4* m, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    *m = kIdentity;
    m->m[0][0] = c;
    m->m[0][1] = -s;
    m->m[1][0] = s;
    m->m[1][1] = c;
}

void MatRotateXYZ(Matrix4* m, float a, float b, float c)
{
    const float ca = std::cos(a), sa = std::sin(a);
    const float cb = std::cos(b), sb = std::sin(b);
    const float cc = std::cos(c), sc = std::sin(c);
    *m = kIdentity;
    m->m[0][0] = cb * cc;
    m->m[0][1] = -cb * sc;
    m->m[0][2] = sb;
    m->m[1][0] = sa * sb * cc + ca * sc;
    m->m[1][1] = ca * cc - sa * sb * sc;
    m->m[1][2] = -sa * cb;
    m->m[2][0] = sa * sc - ca * sb * cc;
    m->m[2][1] = ca * sb * sc + sa * cc;
    m->m[2][2] = ca * cb;
}

void MatMultiply(Matrix4* out, const Matrix4* a, const Matrix4* b)
{
    Matrix4 result;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += a->m[r][k] * b->m[k][c];
            }
            result.m[r][c] = sum;
        }
    }
    *out = result;
}
