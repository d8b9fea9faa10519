#include "math/vector3.h"

#include <cmath>

#include <gtest/gtest.h>

constexpr double PI = 3.141592653589793;

// The setters' magnitudes are checked wherever the GL tests check a vector.
TEST(Vector3, EqualsComparesComponentsExactly) {
    const Vector3 a(1, 2, 3), zero, minusZero(-0.0f, 0, 0), nan(NAN, 0, 0);
    for (Vector3 other : {Vector3(9, 2, 3), Vector3(1, 9, 3), Vector3(1, 2, 9)})
        EXPECT_FALSE(a.equals(&other));
    EXPECT_TRUE(a.equals(&a) && zero.equals(&minusZero) && !nan.equals(&nan));
}

TEST(Vector3, DotProductAndAngles) {
    // The camera's rotation uses these; the rest of the library (cross
    // product, perpendicular, projection, degrees) serves no part of the viewer.
    const Vector3 x(1, 0, 0), y(0, 1, 0), minusX(-1, 0, 0), zero, tiny(1e-30f, 1e-30f, 1e-30f);
    const Vector3 a(1, 2, 3), b(4, 5, 6), c(0.37f, 0.11f, 0.53f), twice(0.74f, 0.22f, 1.06f),
        minusC(-0.37f, -0.11f, -0.53f);
    EXPECT_EQ(dotProduct(&a, &b), 32.0);
    // Equal or zero-length vectors give 0 (tiny's float sum of squares is 0);
    // cosines rounded past 1 and -1 are clamped.
    const Vector3* pairs[][2] = {{&zero, &zero}, {&zero, &x}, {&x, &zero},  {&tiny, &x},
                                 {&x, &minusX},  {&x, &y},    {&c, &twice}, {&c, &minusC}};
    const double angles[] = {0, 0, 0, 0, PI, PI / 2, 0, PI};
    for (int i = 0; i < 8; ++i)
        EXPECT_DOUBLE_EQ(angleBetween(pairs[i][0], pairs[i][1]), angles[i]) << "pair " << i;
}
