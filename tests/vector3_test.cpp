#include "math/vector3.h"

#include <cmath>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

namespace {

using Vec = std::unique_ptr<Vector3>;
Vec vec(float x, float y, float z) { return Vec(new Vector3(x, y, z)); }

void expectVector(const Vector3* v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v->getX(), x);
    EXPECT_FLOAT_EQ(v->getY(), y);
    EXPECT_FLOAT_EQ(v->getZ(), z);
}

TEST(Vector3, MagnitudeFollowsEverySetter) {
    EXPECT_EQ(Vector3().getMagnitude(), 0.0f);
    Vec v = vec(3, 4, 0);
    EXPECT_EQ(v->getMagnitude(), 5.0f);
    v->setZ(12);
    EXPECT_EQ(v->getMagnitude(), 13.0f);
    v->set(2, 3, 6);
    EXPECT_EQ(v->getMagnitude(), 7.0f);
    // The float sum of squares underflows to 0 for components near 1e-30.
    EXPECT_EQ(vec(1e-30f, 1e-30f, 1e-30f)->getMagnitude(), 0.0f);
}

TEST(Vector3, EqualsComparesComponentsExactly) {
    EXPECT_TRUE(vec(0, 0, 0)->equals(vec(-0.0f, 0, 0).get()));
    EXPECT_FALSE(vec(1, 2, 3)->equals(vec(1, 2, 3.0001f).get()));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Vec n = vec(nan, 0, 0);
    EXPECT_FALSE(n->equals(n.get()));
}

TEST(Vector3, CrossAndDotProducts) {
    Vec a = vec(1, 2, 3);
    Vec same(crossProduct(a.get(), a.get()));
    expectVector(same.get(), 0, 0, 0);
    Vec z(crossProduct(vec(1, 0, 0).get(), vec(0, 1, 0).get()));
    expectVector(z.get(), 0, 0, 1);
    Vec minusZ(crossProduct(vec(0, 1, 0).get(), vec(1, 0, 0).get()));
    expectVector(minusZ.get(), 0, 0, -1);
    EXPECT_EQ(dotProduct(a.get(), vec(4, 5, 6).get()), 32.0);
}

TEST(Vector3, AnglesClampAndIgnoreZeroLengths) {
    Vec x = vec(1, 0, 0);
    Vec zero = vec(0, 0, 0);
    EXPECT_EQ(angleBetween(zero.get(), zero.get()), 0.0);
    EXPECT_EQ(angleBetween(zero.get(), x.get()), 0.0);
    EXPECT_EQ(angleBetween(x.get(), zero.get()), 0.0);
    EXPECT_DOUBLE_EQ(angleBetween(x.get(), vec(-1, 0, 0).get()), M_PI);
    EXPECT_DOUBLE_EQ(angleBetween(x.get(), vec(0, 1, 0).get()), M_PI / 2);
    EXPECT_DOUBLE_EQ(angleBetweenDegrees(x.get(), vec(0, 1, 0).get()), 90.0);
    // Nearly parallel vectors whose rounded cosine exceeds 1 still give a number.
    const double nearly = angleBetween(vec(1, 1e-4f, 0).get(), vec(1, 1.1e-4f, 0).get());
    EXPECT_FALSE(std::isnan(nearly));
    EXPECT_LT(nearly, 1e-3);
}

TEST(Vector3, PerpendicularAndProjection) {
    Vec p(perpendicular(vec(1, 2, 3).get()));
    expectVector(p.get(), -2, 1, 0);
    Vec proj(BprojA(vec(2, 0, 0).get(), vec(3, 4, 5).get()));
    expectVector(proj.get(), 3, 0, 0);

    testing::internal::CaptureStdout();
    Vec none(BprojA(vec(0, 0, 0).get(), vec(3, 4, 5).get()));
    Vec tiny(BprojA(vec(1e-30f, 0, 0).get(), vec(3, 4, 5).get()));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Error: Magnitude of A is 0 in BprojA()\nError: Magnitude of A is 0 in BprojA()\n");
    expectVector(none.get(), 0, 0, 0);
    expectVector(tiny.get(), 0, 0, 0);
}

}  // namespace
