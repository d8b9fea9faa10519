// The three looping animations and the hand-over between them.
//
// Each animation is a step function that moves the figure by one tick. It runs
// in cycles; at the end of a cycle it calls endAnimationCycle(), which clears
// the state tables and takes over whatever the menu requested meanwhile.
// Owns the animation selection (the menu writes requestedAnimation, the
// clock's tick and the end of a cycle move it into activeAnimation) and the
// animations' state tables.
#pragma once

// An animation step: one tick's worth of movement, no arguments, no result.
using AnimationStep = void (*)();

extern AnimationStep requestedAnimation;  // the menu's choice, or null
extern AnimationStep activeAnimation;     // what the tick runs, or null

constexpr int ANIM_TABLE_SIZE = 10;

// Shared state tables, each animation using its own entries:
extern float animAngle[ANIM_TABLE_SIZE];    // [1] dance angle; [2], [3] waving angles
extern int animDirection[ANIM_TABLE_SIZE];  // +1 or -1 for the same entries
extern int animCounter[ANIM_TABLE_SIZE];    // [0], [1] Arm Wave's left and right positions

// The Arm Wave's bend pattern, eight turns in degrees.
extern const float armWavePattern[8];

// The arms wave up and down; a cycle is 20 ticks.
void waving();
// The body sways and bends, arms and legs swing with it; a cycle is 20 ticks.
void dancing();
// A wave runs in along the left arm and out along the right; a cycle is 30 ticks.
void armWave();

// Clears the tables and makes the requested animation the active one.
void endAnimationCycle();
// Clears the tables: angles 0, directions +1, counters 0 but [0] = left arm length.
void resetAnimationState();
