// Hostile events: odd window sizes, wild pointer positions, every key, menu
// choices in every order, long runs of ticks. Nothing may crash, no camera
// value may stop being a finite number, and every frame must leave the
// matrix stack and mode as it found them.
#include <algorithm>
#include <cmath>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/display.h"
#include "app/keyboard.h"
#include "app/menus.h"
#include "app/startup.h"
#include "scene/surroundings.h"
#include "figure/animations.h"
#include "figure/figure.h"
#include "figure/scene_node.h"
#include "gl_window.h"
#include "input/mouse.h"
#include "math/vector3.h"
#include "scene/lights.h"

namespace {

class Hostile : public testing::Test {
protected:
    void SetUp() override {
        ensureFigure();
        if (rootMenu == 0) rootMenu = createMenus();
        cameraEye = new Vector3(0, 0, 5);
        trackballLast = new Vector3(0, 0, 0);
        transformMode = CAMERA_ROTATE;
        projectionMode = VIEW_ORTHOGONAL;
        reshape(600, 600);
    }
    void TearDown() override {
        resetView();
        delete cameraEye;
        delete trackballLast;
        cameraEye = trackballLast = nullptr;
        requestedAnimation = activeAnimation = nullptr;
        resetAnimationState();
    }
    // Draws a frame and checks what it leaves behind.
    void frameLeavesStateAlone() {
        glMatrixMode(GL_MODELVIEW);
        display();
        GLint depth = 0, mode = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        ASSERT_EQ(depth, 1);
        ASSERT_EQ(mode, GL_MODELVIEW);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void expectFiniteCamera() {
        for (float v : {cameraEye->x, cameraEye->y, cameraEye->z, cameraEye->magnitude,
                        trackballLast->x, trackballLast->y, trackballLast->z, cameraUpSign}) {
            ASSERT_TRUE(std::isfinite(v));
        }
        ASSERT_TRUE(std::isfinite(cameraAzimuth));
        ASSERT_TRUE(std::isfinite(cameraElevation));
        ASSERT_LE(std::fabs(cameraAzimuth), 6.2831854820251465);
        ASSERT_LE(std::fabs(cameraElevation), 6.2831854820251465);
    }
    void rotateAndScale(int x0, int y0, int x1, int y1) {
        for (int mode : {CAMERA_ROTATE, CAMERA_SCALE}) {
            menuSelect(mode);
            mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x0, y0);
            motion((x0 + x1) / 2, (y0 + y1) / 2);
            motion(x1, y1);
            mouse(GLUT_LEFT_BUTTON, GLUT_UP, x1, y1);
            expectFiniteCamera();
        }
    }
};

// Sizes a window manager may give, and pointer positions far outside them.
TEST_F(Hostile, OddWindowSizesAndResizesDuringADrag) {
    const int sizes[][2] = {{1, 1}, {600, 0}, {0, 600}, {0, 0}, {20000, 1}, {1, 20000}, {-5, -5}};
    for (int mode : {VIEW_ORTHOGONAL, VIEW_PERSPECTIVE}) {
        projectionMode = mode;
        for (const auto& size : sizes) {
            reshape(size[0], size[1]);
            frameLeavesStateAlone();
            rotateAndScale(0, 0, 1, 1);
            rotateAndScale(-2147483647 - 1, 2147483647, 2147483647, -2147483647 - 1);
        }
    }
    // A resize between the press and the motion of a drag.
    menuSelect(CAMERA_ROTATE);
    reshape(600, 600);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 590, 10);
    reshape(1, 1);
    motion(0, 0);
    reshape(3000, 20);
    motion(2999, 19);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 2999, 19);
    expectFiniteCamera();
    reshape(600, 600);
    frameLeavesStateAlone();
}

TEST_F(Hostile, EveryKeyInEveryMode) {
    testing::internal::CaptureStdout();  // the help screen
    for (int mode : {CAMERA_ROTATE, CAMERA_SCALE, SPOTLIGHT_POSITION, SPOTLIGHT_DIRECTION}) {
        menuSelect(mode);
        for (int key = 0; key < 256; ++key) {
            if (key == 'q' || key == 'Q') continue;  // they end the program
            keyboard(static_cast<unsigned char>(key), -1, 100000);
            expectFiniteCamera();
        }
        frameLeavesStateAlone();
    }
    testing::internal::GetCapturedStdout();
    for (float v : {spotPosition[0], spotPosition[1], spotDirection[2], spotAmbient[0]}) {
        EXPECT_TRUE(std::isfinite(v));
    }
}

TEST_F(Hostile, MenuChoicesInEveryOrderEvenDuringADrag) {
    int values[] = {CAMERA_ROTATE, CAMERA_SCALE, SPOTLIGHT_POSITION, SPOTLIGHT_DIRECTION,
                    ANIM_WAVING,   ANIM_DANCING, ANIM_ARM_WAVE,      ANIM_NONE};
    std::sort(std::begin(values), std::end(values));
    int orders = 0;
    do {
        for (int value : values) menuSelect(value);
        animationTick();
        ++orders;
    } while (std::next_permutation(std::begin(values), std::end(values)));
    EXPECT_EQ(orders, 40320);
    // In the middle of a drag, and between its motions.
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    for (int value : values) {
        menuSelect(value);
        motion(300 + value, 300 - value);
        keyboard('8', 0, 0);
    }
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 250, 250);
    expectFiniteCamera();
    frameLeavesStateAlone();
}

TEST_F(Hostile, ThousandsOfTicksOfEachAnimation) {
    lastTickTime = 0;
    for (AnimationStep step : {waving, dancing, armWave}) {
        requestedAnimation = step;
        for (int tick = 0; tick < 3000; ++tick) {
            animationTick();
            if (tick % 500 == 0) frameLeavesStateAlone();
        }
        requestedAnimation = nullptr;
        for (int tick = 0; tick < 40 && activeAnimation != nullptr; ++tick) animationTick();
        EXPECT_EQ(activeAnimation, nullptr);
    }
    EXPECT_TRUE(std::isfinite(markerSpin));
    frameLeavesStateAlone();
    bodyTop->translation[1] = -0.05f;
}

}  // namespace
