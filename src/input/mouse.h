// Mouse interaction: left-button drags turn the camera like a trackball or
// move it nearer and farther; the mapping from window pixels to view units.
//
// Owns the pointer position of the last event and the trackball point of the
// last camera-rotate event; the camera it moves lives in app/display.h.
#pragma once

struct Vector3;

extern Vector3* trackballLast;  // trackball point of the previous rotate event; (0, 0, 0) at start
extern int lastMouseX;          // pointer column at the last mouse or motion event
extern int lastMouseY;          // pointer row at that event, counted from the bottom

// View rectangle in which the window's shorter side spans -1 to 1.
double viewRight();
double viewLeft();
double viewTop();
double viewBottom();
// Centre of pixel column px (row py, counted from the bottom) in view units,
// scaled by orthoHalfHeight.
float windowToViewX(int px);
float windowToViewY(int py);
// The point of the unit sphere over view position (x, y); positions farther
// than 0.95 from the centre land on the rim circle of radius 0.95. The caller
// owns the new record.
Vector3* trackballPoint(float x, float y);

// The GLUT mouse callback: records the position; a left press detaches the
// pop-up menu for the drag (and starts a trackball drag in CAMERA_ROTATE), the
// left release re-attaches it.
void mouse(int button, int state, int x, int y);
// The GLUT motion callback: rotates or scales the camera by the movement.
void motion(int x, int y);
