// Projection, camera and the per-frame drawing of the scene.
#pragma once

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
