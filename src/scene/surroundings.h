// The figure's surroundings: a slowly spinning sky sphere and a ground of
// textured boxes with a spinning marker sphere above its centre.
#pragma once

#include <GL/glu.h>

extern GLUquadric* skyQuadric;  // made when the program loads; used only by drawSky

// Draws the unlit, textured sky sphere of radius 15 turned by skySpin, then
// wraps skySpin once past 360.
void drawSky();
// Draws the 30 x 30 grid of grass boxes and the marker sphere at (0, 2, 0)
// turned by markerSpin, then wraps markerSpin once past 360.
void drawGround();
