// Start-up and the animation clock.
//
// startViewer() opens the window, sets everything up in a fixed order and
// hands control to GLUT; idle() paces the animation at one tick per 0.05 s.
// Owns the clock's state below. The state the other modules share lives
// with them: window, projection and camera in app/display.h, the
// transformation mode and menu id in app/menus.h, pointer and trackball in
// input/mouse.h, the animation selection in figure/animations.h, the spins
// in scene/surroundings.h. All of it is touched only from the GLUT thread.
#pragma once

extern bool animationEnabled;  // false: no idle callback, nothing animates
extern float animationRate;    // a tick is due after more than 0.1 / rate seconds
extern int lastTickTime;       // GLUT_ELAPSED_TIME of the last tick, milliseconds

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
// have passed since the last tick, also when the clock has wrapped past
// INT_MAX in between. Returns whether it ticked.
bool tickIfDue(int now);
// One step of the animation clock: runs or takes over the animation, advances
// the spins and posts a redisplay.
void animationTick();
