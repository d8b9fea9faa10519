#include "app/keyboard.h"

#include <cstdlib>

#include <GL/freeglut.h>

#include "app/display.h"
#include "app/menus.h"
#include "math/vector3.h"
#include "scene/lights.h"

namespace {

constexpr double SPOT_STEP = 0.01;
constexpr double INTENSITY_STEP = 0.5;

// The spotlight vector that the keypad moves in the current mode, or null.
float* selectedSpotVector() {
    if (transformMode == SPOTLIGHT_POSITION) return spotPosition;
    if (transformMode == SPOTLIGHT_DIRECTION) return spotDirection;
    return nullptr;
}

void moveSpot(int axis, double step) {
    float* v = selectedSpotVector();
    if (v != nullptr) v[axis] = static_cast<float>(v[axis] + step);
}

void changeIntensity(double step) {
    for (int c = 0; c < 3; ++c) {  // red, green, blue; alpha stays
        spotAmbient[c] = static_cast<float>(spotAmbient[c] + step);
        spotDiffuse[c] = static_cast<float>(spotDiffuse[c] + step);
        spotSpecular[c] = static_cast<float>(spotSpecular[c] + step);
    }
}

void setColour(float* colour, float r, float g, float b) {
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
    colour[3] = 1.0f;
}

void toggleProjection() {
    projectionMode = (projectionMode == VIEW_ORTHOGONAL) ? VIEW_PERSPECTIVE : VIEW_ORTHOGONAL;
    reshape(windowWidth, windowHeight);
}

}  // namespace

void keyboard(unsigned char key, int, int) {
    switch (key) {
        case 'H':
        case 'h': printHelp(); break;
        case 'R':
        case 'r': resetView(); break;
        case 'V':
        case 'v': toggleProjection(); break;
        case 'Q':
        case 'q': std::exit(0);
        case '8': moveSpot(1, SPOT_STEP); break;
        case '2': moveSpot(1, -SPOT_STEP); break;
        case '4': moveSpot(0, -SPOT_STEP); break;
        case '6': moveSpot(0, SPOT_STEP); break;
        case '9': moveSpot(2, SPOT_STEP); break;
        case '3': moveSpot(2, -SPOT_STEP); break;
        case '+': changeIntensity(INTENSITY_STEP); break;
        case '-': changeIntensity(-INTENSITY_STEP); break;
        default: break;
    }
    glutPostRedisplay();
}

void resetView() {
    cameraEye->set(0.0f, 0.0f, 5.0f);
    cameraAzimuth = 0.0;
    cameraElevation = 0.0;
    cameraUpSign = 1.0f;
    spotPosition[0] = 0.0f;
    spotPosition[1] = 2.0f;
    spotPosition[2] = 0.0f;
    spotDirection[0] = 0.0f;
    spotDirection[1] = -2.0f;
    spotDirection[2] = 0.0f;
    setColour(spotAmbient, 5.2f, 5.2f, 5.5f);
    setColour(spotDiffuse, 4.2f, 4.2f, 4.5f);
    setColour(spotSpecular, 4.2f, 4.2f, 4.5f);
}
