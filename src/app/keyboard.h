// Single-key commands: help, reset, viewing mode, quit, spotlight moves and intensity.
//
// Owns no state: the keys change the camera (app/display.h), the projection
// mode and the spotlight arrays (scene/lights.h).
#pragma once

// The GLUT keyboard callback. Letters work in either case; the keypad digits
// move the spotlight's position or direction (by the current transformation);
// '+' and '-' change its intensity. Every key but 'Q' ends with a redisplay.
void keyboard(unsigned char key, int x, int y);
// Puts the camera and the spotlight back to their start-up values.
void resetView();
