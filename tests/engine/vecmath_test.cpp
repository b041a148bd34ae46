#include "engine/vecmath.h"

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

namespace {

constexpr float kTolerance = 1e-6f;

void ExpectNear(const Vec3& actual, const Vec3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

void ExpectNear(const Matrix4& actual, const Matrix4& expected, float tolerance = kTolerance)
{
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(actual.m[r][c], expected.m[r][c], tolerance) << "at " << r << "," << c;
        }
    }
}

TEST(VecMath, KeepsTheEdgeCasesOfVectorsAndMatrices)
{
    Vec3 v{0, 0, 0};
    Vec3Normalise(&v);
    ExpectNear(v, {0, 0, 0});
    v = {-0.0f, 0, 0};
    Vec3Normalise(&v);
    EXPECT_TRUE(std::signbit(v.x)) << "a zero vector stays exactly as it was";
    v = {3, 0, 4};
    Vec3Normalise(&v);
    ExpectNear(v, {0.6f, 0, 0.8f});

    Matrix4 m;
    MatRotateZ(&m, std::numbers::pi_v<float> / 2);
    Vec3 p{1, 0, 0};
    MatTransformPoint(&p, &p, 1, &m);  // output = input
    ExpectNear(p, {0, -1, 0});

    Matrix4 identity, rotation, single;
    MatIdentity(&identity);
    MatRotateXYZ(&rotation, 0, 0, 0);
    ExpectNear(rotation, identity);
    MatRotateXYZ(&rotation, 0.7f, 0, 0);
    MatRotateX(&single, 0.7f);
    ExpectNear(rotation, single);

    // Output aliasing an input still gives A x B.
    Matrix4 a, b, product;
    MatSetTranslation(&a, 1, 2, 3);
    MatSetScale(&b, 2, 3, 4);
    MatMultiply(&product, &a, &b);
    MatMultiply(&a, &a, &b);
    ExpectNear(a, product);
    const Vec3 origin{0, 0, 0};
    MatTransformPoint(&p, &origin, 1, &a);
    ExpectNear(p, {2, 6, 12});  // translated, then scaled

    // w = 0 turns a direction and ignores the translation row.
    Matrix4 moved;
    MatSetTranslation(&moved, 5, 6, 7);
    MatTranslate(&moved, 1, 1, 1);
    const Vec3 direction{1, 2, 3};
    MatTransformPoint(&p, &direction, 0, &moved);
    ExpectNear(p, direction);
    MatTransformPoint(&p, &direction, 1, &moved);
    ExpectNear(p, {7, 9, 11});

    Vec3 x{1, 0, 0}, y{0, 1, 0}, z;
    Vec3Cross(&z, &x, &y);
    ExpectNear(z, {0, 0, 1});
    float dot;
    Vec3Add(&z, &x, &y);
    Vec3Sub(&z, &z, &y);
    Vec3Dot(&dot, &z, &x);
    EXPECT_FLOAT_EQ(dot, 1);
}

TEST(VecMath, RotationOfThreeAnglesIsTheProductOfTheSingleRotations)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(-4.0f, 4.0f);
    for (int i = 0; i < 200; ++i) {
        const float a = angle(random), b = angle(random), c = angle(random);
        Matrix4 rx, ry, rz, expected, actual;
        MatRotateX(&rx, a);
        MatRotateY(&ry, b);
        MatRotateZ(&rz, c);
        MatMultiply(&expected, &rx, &ry);
        MatMultiply(&expected, &expected, &rz);
        MatRotateXYZ(&actual, a, b, c);
        ExpectNear(actual, expected, 1e-5f);
    }
}

}  // namespace
