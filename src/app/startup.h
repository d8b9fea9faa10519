// Start-up, the shared state of the viewer, and the animation clock.
//
// The viewer keeps the state that several modules share in the process-wide
// variables below; all of them are touched only from the one GLUT thread.
// startViewer() opens the window, sets everything up in a fixed order and
// hands control to GLUT; idle() paces the animation at one tick per 0.05 s.
#pragma once

struct Vector3;

// ---- Mode codes (the menu uses the same numbers as its entry values) ----
constexpr int VIEW_ORTHOGONAL = 21;
constexpr int VIEW_PERSPECTIVE = 22;
constexpr int CAMERA_ROTATE = 31;
constexpr int CAMERA_SCALE = 32;
constexpr int SPOTLIGHT_POSITION = 51;
constexpr int SPOTLIGHT_DIRECTION = 52;

// An animation step: one tick's worth of movement, no arguments, no result.
using AnimationStep = void (*)();

// ---- Window and projection ----
extern int windowWidth;        // pixels, 600 at start; written by reshape
extern int windowHeight;       // pixels, 600 at start; written by reshape
extern int projectionMode;     // VIEW_ORTHOGONAL or VIEW_PERSPECTIVE
extern int transformMode;      // what a left drag or a keypad key acts on
extern float orthoHalfHeight;  // half height of the orthogonal view volume (3)
extern float fieldOfViewY;     // perspective vertical field of view, degrees (60)
extern float nearPlane;        // near clipping distance (1)
extern float farPlane;         // far clipping distance (30)

// ---- Camera, trackball and mouse ----
extern Vector3* cameraEye;      // camera position; the camera looks at the origin
extern float cameraUpSign;      // +1 or -1: y of the up vector given to gluLookAt
extern double cameraAzimuth;    // radians about y, accumulated by rotate drags
extern double cameraElevation;  // radians up and down, accumulated by rotate drags
extern Vector3* trackballLast;  // trackball point of the previous rotate event
extern int lastMouseX;          // pointer column at the last mouse or motion event
extern int lastMouseY;          // pointer row at that event, counted from the bottom
extern int rootMenu;            // GLUT id of the root pop-up menu

// ---- Animation clock ----
extern AnimationStep requestedAnimation;  // the menu's choice, or null
extern AnimationStep activeAnimation;     // what the tick runs, or null
extern float markerSpin;                  // degrees; +2 per tick, wrapped by the ground drawing
extern float skySpin;                     // degrees; +0.1 per tick, wrapped by the sky drawing
extern bool animationEnabled;             // false: no idle callback, nothing animates
extern float animationRate;               // a tick is due after more than 0.1 / rate seconds
extern int lastTickTime;                  // GLUT_ELAPSED_TIME of the last tick, milliseconds

// Runs the whole start-up with the command line and enters the GLUT main loop.
// Returns 0 only if the main loop ever returns.
int startViewer(int argc, char** argv);
// The start-up without the main loop: window, callbacks, GL state, lights,
// menus, camera, textures (from the working directory), figure and clock.
void initViewer(int argc, char** argv);

// The GLUT idle callback: one animation tick when one is due.
void idle();
// The pacing rule of idle() at a given clock reading (milliseconds): ticks and
// moves lastTickTime to now only when more than 0.1 / animationRate seconds
// have passed since the last tick. Returns whether it ticked.
bool tickIfDue(int now);
// One step of the animation clock: runs or takes over the animation, advances
// the spins and posts a redisplay.
void animationTick();
