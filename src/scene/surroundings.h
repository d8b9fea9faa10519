// The figure's surroundings: a slowly spinning sky sphere and a ground of
// textured boxes with a spinning marker sphere above its centre.
//
// Owns the two spin angles: the animation tick advances them, the drawing
// below wraps them at 360 degrees.
#pragma once

#include <GL/glu.h>

extern float markerSpin;  // degrees; +2 per tick, wrapped by drawGround
extern float skySpin;     // degrees; +0.1 per tick, wrapped by drawSky

extern GLUquadric* skyQuadric;  // made when the program loads; used only by drawSky

// Draws the unlit, textured sky sphere of radius 15 turned by skySpin, then
// wraps skySpin once past 360.
void drawSky();
// Draws the 30 x 30 grid of grass boxes and the marker sphere at (0, 2, 0)
// turned by markerSpin, then wraps markerSpin once past 360.
void drawGround();
