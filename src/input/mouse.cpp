#include "input/mouse.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <GL/freeglut.h>

#include "app/display.h"
#include "app/menus.h"
#include "math/vector3.h"

Vector3* trackballLast = nullptr;
int lastMouseX = 0;
int lastMouseY = 0;

namespace {

// 2 pi rounded to float: the accumulated camera angles wrap at this value.
constexpr double TWO_PI_FLOAT = 6.2831854820251465;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double THREE_HALVES_PI = 4.71238898038469;
constexpr float CAMERA_DISTANCE = 5.0f;
constexpr float NEAREST_Z = 1.5f;
constexpr float FARTHEST_Z = 10.0f;

// GLUT's row y (counted from the top) as a row counted from the bottom. The
// sum is formed wide, so that wild positions cannot overflow an int.
int rowFromBottom(int y) {
    const long long row = static_cast<long long>(windowHeight) - 1 - y;
    return static_cast<int>(std::clamp<long long>(row, INT_MIN, INT_MAX));
}

double wrapOnce(double angle) {
    if (angle > TWO_PI_FLOAT) return angle - TWO_PI_FLOAT;
    if (angle < -TWO_PI_FLOAT) return angle + TWO_PI_FLOAT;
    return angle;
}

// The up vector points down while the eye is beyond either pole.
float upSignFor(double elevation) {
    const bool beyondPole = (elevation > -THREE_HALVES_PI && elevation < -HALF_PI) ||
                            (elevation > HALF_PI && elevation < THREE_HALVES_PI);
    return beyondPole ? -1.0f : 1.0f;
}

// Turns the camera by the trackball movement from trackballLast to the
// pointer at (x, yb), keeping it at distance 5 from the origin.
void rotateCamera(int x, int yb) {
    Vector3* current = trackballPoint(windowToViewX(x), windowToViewY(yb));
    const Vector3* last = trackballLast;
    Vector3* lastXZ = new Vector3(last->x, 0.0f, last->z);
    Vector3* lastYZ = new Vector3(0.0f, last->y, last->z);
    Vector3* currentXZ = new Vector3(current->x, 0.0f, current->z);
    Vector3* currentYZ = new Vector3(0.0f, current->y, current->z);

    float azimuthStep = static_cast<float>(angleBetween(lastXZ, currentXZ));
    if (last->x < current->x) azimuthStep = -azimuthStep;
    float elevationStep = static_cast<float>(angleBetween(lastYZ, currentYZ));
    if (last->y < current->y) elevationStep = -elevationStep;

    cameraAzimuth += azimuthStep;
    cameraElevation += elevationStep;
    cameraUpSign = upSignFor(cameraElevation);
    cameraAzimuth = wrapOnce(cameraAzimuth);
    cameraElevation = wrapOnce(cameraElevation);

    const double ring = std::cos(cameraElevation) * CAMERA_DISTANCE;
    cameraEye->set(static_cast<float>(std::sin(cameraAzimuth) * ring),
                   static_cast<float>(std::sin(cameraElevation) * CAMERA_DISTANCE),
                   static_cast<float>(std::cos(cameraAzimuth) * ring));

    delete trackballLast;
    trackballLast = current;
    delete lastXZ;
    delete lastYZ;
    delete currentXZ;
    delete currentYZ;
}

// Moves the camera along z by the drag: up or right brings it nearer.
void scaleCamera(float dx, float dy) {
    cameraEye->setZ(cameraEye->getZ() - (dx + dy));
    if (cameraEye->getZ() < NEAREST_Z) {
        cameraEye->setZ(NEAREST_Z);
    } else if (cameraEye->getZ() > FARTHEST_Z) {
        cameraEye->setZ(FARTHEST_Z);
    }
}

}  // namespace

double viewRight() {
    return windowWidth > windowHeight ? static_cast<double>(windowWidth) / windowHeight : 1.0;
}

double viewLeft() { return -viewRight(); }

double viewTop() {
    return windowWidth > windowHeight ? 1.0 : static_cast<double>(windowHeight) / windowWidth;
}

double viewBottom() { return -viewTop(); }

float windowToViewX(int px) {
    const double span = viewRight() - viewLeft();
    return static_cast<float>((viewLeft() + span * px / windowWidth + span * 0.5 / windowWidth) *
                              orthoHalfHeight);
}

float windowToViewY(int py) {
    const double span = viewTop() - viewBottom();
    return static_cast<float>(
        (viewBottom() + span * py / windowHeight + span * 0.5 / windowHeight) * orthoHalfHeight);
}

Vector3* trackballPoint(float x, float y) {
    Vector3* point = new Vector3();
    const float len = std::sqrt(x * x + y * y);
    if (len > 0.95f) {
        x = static_cast<float>(x * 0.95 / len);
        y = static_cast<float>(y * 0.95 / len);
    }
    const float z = static_cast<float>(
        std::sqrt(1.0 - static_cast<double>(x) * x - static_cast<double>(y) * y));
    point->set(x, y, z);
    return point;
}

void mouse(int button, int state, int x, int y) {
    lastMouseX = x;
    lastMouseY = rowFromBottom(y);
    // GLUT ends the program if a menu is attached or detached while one is
    // open, so a button event that arrives then leaves the menu alone.
    if (button == GLUT_LEFT_BUTTON && !menuInUse) {
        if (state == GLUT_DOWN) {
            glutDetachMenu(GLUT_RIGHT_BUTTON);  // no pop-up menu during the drag
            if (transformMode == CAMERA_ROTATE) {
                delete trackballLast;
                trackballLast =
                    trackballPoint(windowToViewX(lastMouseX), windowToViewY(lastMouseY));
            }
        } else if (state == GLUT_UP) {
            glutSetMenu(rootMenu);
            glutAttachMenu(GLUT_RIGHT_BUTTON);
        }
    }
    glutPostRedisplay();
}

void motion(int x, int y) {
    const int yb = rowFromBottom(y);
    const float dx = windowToViewX(x) - windowToViewX(lastMouseX);
    const float dy = windowToViewY(yb) - windowToViewY(lastMouseY);
    if (transformMode == CAMERA_ROTATE) {
        rotateCamera(x, yb);
    } else if (transformMode == CAMERA_SCALE) {
        scaleCamera(dx, dy);
    }
    lastMouseX = x;
    lastMouseY = yb;
    glutPostRedisplay();
}
