#include "app/display.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include "figure/figure.h"
#include "math/vector3.h"
#include "scene/lights.h"
#include "scene/surroundings.h"

int windowWidth = 600;
int windowHeight = 600;
int projectionMode = VIEW_ORTHOGONAL;
float orthoHalfHeight = 3.0f;
float fieldOfViewY = 60.0f;
float nearPlane = 1.0f;
float farPlane = 30.0f;

Vector3* cameraEye = nullptr;
float cameraUpSign = 1.0f;
double cameraAzimuth = 0.0;
double cameraElevation = 0.0;

void reshape(int width, int height) {
    windowWidth = width > 0 ? width : 1;
    windowHeight = height > 0 ? height : 1;

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const double aspect = static_cast<double>(windowWidth) / windowHeight;
    if (projectionMode == VIEW_ORTHOGONAL) {
        const double r = orthoHalfHeight * aspect;
        glOrtho(-r, r, -orthoHalfHeight, orthoHalfHeight, nearPlane, farPlane);
    } else {
        gluPerspective(fieldOfViewY, aspect, nearPlane, farPlane);
    }
    glMatrixMode(GL_MODELVIEW);
    glViewport(0, 0, windowWidth, windowHeight);
    glutPostRedisplay();
}

void placeCamera() {
    const float x = cameraEye->getX();
    const float y = cameraEye->getY();
    const float z = cameraEye->getZ();
    // With the eye on the y axis the view direction would be parallel to the
    // up vector, which gluLookAt cannot handle; nudge the eye off the axis.
    if (x == 0.0f && z == 0.0f) {
        gluLookAt(0.0, y, 1e-38, 0.0, 0.0, 0.0, 0.0, cameraUpSign, 0.0);
    } else {
        gluLookAt(x, y, z, 0.0, 0.0, 0.0, 0.0, cameraUpSign, 0.0);
    }
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    placeCamera();
    placeLights();
    drawScene();
    glPopMatrix();
    glutSwapBuffers();
}

void drawScene() {
    glPushMatrix();
    drawFigure();
    drawGround();
    drawSky();
    glPopMatrix();
}
