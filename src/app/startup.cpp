#include "app/startup.h"

#include <GL/freeglut.h>

#include "app/display.h"
#include "app/keyboard.h"
#include "app/menus.h"
#include "figure/animations.h"
#include "figure/figure.h"
#include "input/mouse.h"
#include "math/vector3.h"
#include "scene/lights.h"
#include "scene/surroundings.h"
#include "textures/textures.h"

bool animationEnabled = true;
float animationRate = 2.0f;
int lastTickTime = 0;

namespace {

void openWindow(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow("");
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void registerCallbacks() {
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);
    if (animationEnabled) glutIdleFunc(idle);
    glutMenuStatusFunc(menuStatus);  // the mouse callback must know when a menu is open
}

void initCamera() {
    trackballLast = new Vector3(0.0f, 0.0f, 0.0f);
    cameraUpSign = 1.0f;
    cameraEye = new Vector3(0.0f, 0.0f, 5.0f);
    cameraAzimuth = 0.0;
    cameraElevation = 0.0;
    lastMouseY = 0;
    lastMouseX = 0;
}

void loadTextures() {
    initDefaultTexture();
    loadTexture("sky.bmp", TEXTURE_SKY);
    loadTexture("grass.bmp", TEXTURE_GRASS);
    loadTexture("smileycol.bmp", TEXTURE_FACE);
}

}  // namespace

void initViewer(int argc, char** argv) {
    openWindow(argc, argv);
    registerCallbacks();
    glEnable(GL_DEPTH_TEST);
    initLights();
    initMaterials();
    rootMenu = createMenus();
    initCamera();
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    setMaterial(startupMaterial);
    loadTextures();
    buildFigure();
    // The clock starts after the slow work, so the first tick is measured
    // from the end of start-up.
    lastTickTime = glutGet(GLUT_ELAPSED_TIME);
    requestedAnimation = nullptr;
    activeAnimation = nullptr;
}

int startViewer(int argc, char** argv) {
    initViewer(argc, argv);
    glutMainLoop();
    return 0;
}

void idle() { tickIfDue(glutGet(GLUT_ELAPSED_TIME)); }

bool tickIfDue(int now) {
    // GLUT's clock is an int that wraps after 2^31 ms (24.8 days of running).
    // Taken as unsigned, the difference of two readings is the time between
    // them across the wrap as well, where the int subtraction would overflow.
    const unsigned sinceLastTick = static_cast<unsigned>(now) - static_cast<unsigned>(lastTickTime);
    const double elapsed = sinceLastTick / 1000.0;
    if (elapsed <= 0.1 / animationRate) return false;
    animationTick();
    lastTickTime = now;
    return true;
}

void animationTick() {
    if (activeAnimation != nullptr) {
        activeAnimation();
    } else {
        activeAnimation = requestedAnimation;  // it runs from the next tick on
    }
    markerSpin = static_cast<float>(static_cast<double>(markerSpin) + 2.0);
    skySpin = static_cast<float>(static_cast<double>(skySpin) + 0.1);
    glutPostRedisplay();
}
