// GL tests share one hidden GLUT window (and so one GL context) per process.
#pragma once

#include <GL/gl.h>

// Reads a 4x4 GL matrix (GL_PROJECTION_MATRIX, GL_MODELVIEW_MATRIX).
void readMatrix(GLenum which, float m[16]);
// Expects two column-major matrices to agree within `tolerance`.
void expectMatrixNear(const float* actual, const float* expected, float tolerance = 1e-5f);
// The matrix that glRotatef(angle, x, y, z) multiplies on, computed by GL.
void rotationMatrix(float angle, float x, float y, float z, float m[16]);
// Builds the figure once per process (and the lights and materials it needs).
void ensureFigure();
