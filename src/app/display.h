// Projection, camera and the per-frame drawing of the scene.
//
// Owns the window size and the projection (written by reshape), and the
// camera: the eye and the up vector's sign that display() hands to
// gluLookAt, and the angles that camera-rotate drags accumulate. The
// keyboard and the mouse move the camera by writing these variables.
#pragma once

struct Vector3;

// Projection modes ('V' switches between them).
constexpr int VIEW_ORTHOGONAL = 21;
constexpr int VIEW_PERSPECTIVE = 22;

// ---- Window and projection ----
extern int windowWidth;        // pixels, 600 at start; written by reshape
extern int windowHeight;       // pixels, 600 at start; written by reshape
extern int projectionMode;     // VIEW_ORTHOGONAL or VIEW_PERSPECTIVE
extern float orthoHalfHeight;  // half height of the orthogonal view volume (3)
extern float fieldOfViewY;     // perspective vertical field of view, degrees (60)
extern float nearPlane;        // near clipping distance (1)
extern float farPlane;         // far clipping distance (30)

// ---- Camera ----
extern Vector3* cameraEye;      // camera position, (0, 0, 5) at start; it looks at the origin
extern float cameraUpSign;      // +1 or -1: y of the up vector given to gluLookAt
extern double cameraAzimuth;    // radians about y, accumulated by rotate drags
extern double cameraElevation;  // radians up and down, accumulated by rotate drags

// The GLUT reshape callback: stores the window size and rebuilds the viewport
// and the orthogonal or perspective projection. A zero or negative size (a
// minimised window) is taken as 1 pixel so that no ratio divides by zero.
void reshape(int width, int height);
// The GLUT display callback: clears, places camera and lights, draws, swaps.
void display();
// Multiplies the camera view (gluLookAt from cameraEye and cameraUpSign) onto
// the current modelview matrix.
void placeCamera();
// Draws the figure, the ground and the sky in world coordinates.
void drawScene();
