// engine/vecmath.h: single-precision 3-vectors and 4 x 4 matrices for the 3D objects and the
// 3D-device view. Points are row vectors multiplied on the left (p x M), so a matrix's
// translation sits in row 3. Every routine writes through its first argument and builds the
// result in a temporary first, so output and input may be the same object. Angles in radians.
#pragma once

#include <cstddef>
#include <type_traits>

struct Vec3 {
    float x;
    float y;
    float z;
};

struct Matrix4 {
    float m[4][4];  // m[row][column]: element 4 row + column of the 64-byte block
};

static_assert(sizeof(Vec3) == 12 && offsetof(Vec3, z) == 8);
static_assert(sizeof(Matrix4) == 64);
static_assert(std::is_trivially_copyable_v<Vec3> && std::is_trivially_copyable_v<Matrix4>);

void Vec3Zero(Vec3* v);
void Vec3Add(Vec3* out, const Vec3* a, const Vec3* b);
void Vec3Sub(Vec3* out, const Vec3* a, const Vec3* b);  // a - b
void Vec3Dot(float* out, const Vec3* a, const Vec3* b);
void Vec3Cross(Vec3* out, const Vec3* a, const Vec3* b);
// Scales to length 1; a vector whose length rounds to a float zero (of either sign) stays as it is.
void Vec3Normalise(Vec3* v);

void MatIdentity(Matrix4* m);
void MatSetTranslation(Matrix4* m, float x, float y, float z);  // identity with row 3 (x, y, z, 1)
void MatSetScale(Matrix4* m, float sx, float sy, float sz);     // identity with that diagonal
void MatTranslate(Matrix4* m, float x, float y, float z);       // adds to row 3
void MatRotateX(Matrix4* m, float angle);
void MatRotateY(Matrix4* m, float angle);
void MatRotateZ(Matrix4* m, float angle);
// The rotation of three angles: the same as MatRotateX(a) x MatRotateY(b) x MatRotateZ(c).
void MatRotateXYZ(Matrix4* m, float a, float b, float c);
void MatMultiply(Matrix4* out, const Matrix4* a, const Matrix4* b);  // out = a x b
// The first three components of (p, w) x M; nothing is divided by w. w = 1 moves a position,
// w = 0 turns a direction (the translation row is ignored).
// Inline, as posing a person runs it twice for each of hundreds of points every frame.
inline void MatTransformPoint(Vec3* out, const Vec3* p, float w, const Matrix4* m)
{
    const Vec3 in = *p;  // out may be p
    const auto column = [&](int c) {
        return in.x * m->m[0][c] + in.y * m->m[1][c] + in.z * m->m[2][c] + w * m->m[3][c];
    };
    *out = {column(0), column(1), column(2)};
}
