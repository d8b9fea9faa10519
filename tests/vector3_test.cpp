#include "math/vector3.h"

#include <cmath>

#include <gtest/gtest.h>

constexpr double PI = 3.141592653589793;

// The camera's rotation uses the angle between vectors; the rest of the
// library (cross product, perpendicular, projection, degrees) serves no part
// of the viewer, and the setters' magnitudes are checked wherever the GL
// tests check a vector.
TEST(Vector3, AngleBetweenVectors) {
    const Vector3 x(1, 0, 0), y(0, 1, 0), xy(1, 1, 0), xz(1, 0, 1), minusX(-1, 0, 0), zero,
        tiny(1e-30f, 1e-30f, 1e-30f), c(0.37f, 0.11f, 0.53f), twice(0.74f, 0.22f, 1.06f),
        minusC(-0.37f, -0.11f, -0.53f);
    // Equal or zero-length vectors give 0 (tiny's float sum of squares is 0),
    // and vectors equal but in one component do not; cosines rounded past 1
    // and -1 are clamped.
    const Vector3* pairs[][2] = {{&zero, &zero}, {&zero, &x},  {&x, &zero},  {&tiny, &x},
                                 {&x, &minusX},  {&x, &y},     {&y, &xy},    {&x, &xy},
                                 {&x, &xz},      {&c, &twice}, {&c, &minusC}};
    const double angles[] = {0, 0, 0, 0, PI, PI / 2, PI / 4, PI / 4, PI / 4, 0, PI};
    for (int i = 0; i < 11; ++i)
        EXPECT_NEAR(angleBetween(pairs[i][0], pairs[i][1]), angles[i], 1e-7) << "pair " << i;
}
