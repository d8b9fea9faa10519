// GL tests share one hidden GLUT window (and so one GL context) per process.
#pragma once

#include <vector>

#include <GL/gl.h>

struct SceneNode;
using NodePath = std::vector<SceneNode*>;

// Reads a 4x4 GL matrix (GL_PROJECTION_MATRIX, GL_MODELVIEW_MATRIX).
void readMatrix(GLenum which, float m[16]);
// Expects two column-major matrices to agree within `tolerance`.
void expectMatrixNear(const float* actual, const float* expected, float tolerance = 1e-5f);
// The matrix that glRotatef(angle, x, y, z) multiplies on, computed by GL.
void rotationMatrix(float angle, float x, float y, float z, float m[16]);
// Builds the figure once per process (and the lights and materials it needs).
void ensureFigure();
// `path` extended by `steps` first children of its last node.
NodePath followFirstChildren(NodePath path, int steps);
// Where the last node of `path` (which starts at the root) lies in the
// figure's frame: every node's translation and pose applied from the root down.
void positionInFigure(const NodePath& path, float out[3]);
