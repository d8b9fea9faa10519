#include "math/vector3.h"

#include <cmath>
#include <cstdio>

Vector3::Vector3() : magnitude(0.0f), x(0.0f), y(0.0f), z(0.0f) { updateMagnitude(); }

Vector3::Vector3(float x, float y, float z) : magnitude(0.0f), x(x), y(y), z(z) {
    updateMagnitude();
}

void Vector3::set(float newX, float newY, float newZ) {
    x = newX;
    y = newY;
    z = newZ;
    updateMagnitude();
}

void Vector3::setZ(float newZ) {
    z = newZ;
    updateMagnitude();
}

bool Vector3::equals(const Vector3* other) const {
    return x == other->x && y == other->y && z == other->z;
}

void Vector3::updateMagnitude() {
    // The squares are summed in double, but the sum is rounded to float first:
    // components around 1e-30 therefore give a magnitude of exactly 0.
    const float sum = static_cast<float>(static_cast<double>(x) * x + static_cast<double>(y) * y +
                                         static_cast<double>(z) * z);
    magnitude = std::sqrt(sum);
}

Vector3* crossProduct(const Vector3* a, const Vector3* b) {
    if (a->equals(b)) return new Vector3();
    return new Vector3(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z,
                       a->x * b->y - a->y * b->x);
}

double dotProduct(const Vector3* a, const Vector3* b) {
    const float sum = (a->x * b->x + a->y * b->y) + a->z * b->z;
    return sum;
}

double angleBetween(const Vector3* a, const Vector3* b) {
    if (a->equals(b)) return 0.0;
    if (a->magnitude == 0.0f) return 0.0;
    if (b->magnitude == 0.0f) return 0.0;
    double c = dotProduct(a, b) / (static_cast<double>(a->magnitude) * b->magnitude);
    // Rounding can push the cosine just past +-1, outside acos's domain.
    if (c > 1.0) {
        c = 1.0;
    } else if (c < -1.0) {
        c = -1.0;
    }
    return std::acos(c);
}

double angleBetweenDegrees(const Vector3* a, const Vector3* b) {
    return angleBetween(a, b) * 180.0 / 3.141592653589793;
}

Vector3* perpendicular(const Vector3* a) { return new Vector3(-a->y, a->x, 0.0f); }

Vector3* BprojA(const Vector3* a, const Vector3* b) {
    const double d = dotProduct(a, b);
    const double m2 = static_cast<double>(a->magnitude) * a->magnitude;
    if (m2 == 0.0) {
        std::printf("Error: Magnitude of A is 0 in BprojA()\n");
        return new Vector3();
    }
    return new Vector3(static_cast<float>(a->x * d / m2), static_cast<float>(a->y * d / m2),
                       static_cast<float>(a->z * d / m2));
}
