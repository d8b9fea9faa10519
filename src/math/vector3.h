// Vector3: the viewer's one vector type, and the small vector library around it.
//
// A Vector3 is a heap record of three floats that caches its own length.
// Every constructor and setter recomputes the cached magnitude, so it is never
// stale. Vectors are passed by pointer; a function that returns a Vector3*
// returns a new record that the caller owns and deletes. The module keeps no
// state of its own.
#pragma once

struct Vector3 {
    float magnitude;  // length of (x, y, z); kept current by every setter
    float x;
    float y;
    float z;

    Vector3();  // the zero vector
    Vector3(float x, float y, float z);

    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    float getMagnitude() const { return magnitude; }

    void set(float x, float y, float z);      // assigns all three, then recomputes the magnitude
    void setZ(float z);                       // assigns z, then recomputes the magnitude
    bool equals(const Vector3* other) const;  // exact component equality; magnitude ignored
    void updateMagnitude();
};

// A x B as a new record; the zero vector when A equals B.
Vector3* crossProduct(const Vector3* a, const Vector3* b);
// A . B, summed in float as (x + y) + z and widened to double.
double dotProduct(const Vector3* a, const Vector3* b);
// Angle between A and B in radians, 0 to pi; 0 for equal or zero-length inputs.
double angleBetween(const Vector3* a, const Vector3* b);
// The same angle in degrees.
double angleBetweenDegrees(const Vector3* a, const Vector3* b);
// (-A.y, A.x, 0) as a new record: A's xy part turned a quarter turn counter-clockwise.
Vector3* perpendicular(const Vector3* a);
// B projected onto A as a new record; prints an error and returns zero when A has length 0.
Vector3* BprojA(const Vector3* a, const Vector3* b);
