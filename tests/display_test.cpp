#include "app/display.h"

#include <cmath>

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/menus.h"
#include "input/mouse.h"
#include "figure/animations.h"
#include "scene/surroundings.h"
#include "gl_window.h"
#include "math/vector3.h"

namespace {

void orthoMatrix(double l, double r, double b, double t, double n, double f, float m[16]) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(l, r, b, t, n, f);
    readMatrix(GL_PROJECTION_MATRIX, m);
}

void perspectiveMatrix(double fov, double aspect, float m[16]) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fov, aspect, 1.0, 30.0);
    readMatrix(GL_PROJECTION_MATRIX, m);
}

struct Projection : testing::Test {
    void TearDown() override { projectionMode = VIEW_ORTHOGONAL; }
    void expectProjectionAfterReshape(int w, int h, const float* expected) {
        reshape(w, h);
        float actual[16];
        readMatrix(GL_PROJECTION_MATRIX, actual);
        expectMatrixNear(actual, expected);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
    }
};

TEST_F(Projection, OrthogonalFollowsTheWindowShape) {
    float expected[16];
    orthoMatrix(-3, 3, -3, 3, 1, 30, expected);
    expectProjectionAfterReshape(600, 600, expected);
    orthoMatrix(-6, 6, -3, 3, 1, 30, expected);
    expectProjectionAfterReshape(800, 400, expected);
    EXPECT_EQ(windowWidth, 800);
    EXPECT_EQ(windowHeight, 400);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 400);
}

TEST_F(Projection, PerspectiveUsesTheFieldOfView) {
    projectionMode = VIEW_PERSPECTIVE;
    float expected[16];
    perspectiveMatrix(60, 1, expected);
    expectProjectionAfterReshape(600, 600, expected);
}

TEST_F(Projection, MinimisedWindowBuildsAFiniteProjection) {
    for (int mode : {VIEW_ORTHOGONAL, VIEW_PERSPECTIVE}) {
        projectionMode = mode;
        reshape(600, 0);
        float m[16];
        readMatrix(GL_PROJECTION_MATRIX, m);
        for (float v : m) EXPECT_TRUE(std::isfinite(v));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_GT(windowHeight, 0);
        reshape(0, 0);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    // A real size afterwards works as usual.
    projectionMode = VIEW_ORTHOGONAL;
    float expected[16];
    orthoMatrix(-3, 3, -3, 3, 1, 30, expected);
    expectProjectionAfterReshape(600, 600, expected);
}

struct Camera : testing::Test {
    void SetUp() override { cameraEye = new Vector3(0, 0, 5); }
    void TearDown() override {
        delete cameraEye;
        cameraEye = nullptr;
        cameraUpSign = 1.0f;
    }
    // The modelview matrix that placeCamera() gives on top of the identity.
    void cameraMatrix(float m[16]) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        placeCamera();
        readMatrix(GL_MODELVIEW_MATRIX, m);
        glPopMatrix();
    }
    void lookAtMatrix(double x, double y, double z, double up, float m[16]) {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        gluLookAt(x, y, z, 0, 0, 0, 0, up, 0);
        readMatrix(GL_MODELVIEW_MATRIX, m);
        glPopMatrix();
    }
};

TEST_F(Camera, LooksAtTheOriginFromTheEye) {
    float actual[16], expected[16];
    cameraEye->set(1, 2, 4);
    cameraMatrix(actual);
    lookAtMatrix(1, 2, 4, 1, expected);
    expectMatrixNear(actual, expected);
    // The origin lands 4.58 in front of the camera, on its axis.
    EXPECT_NEAR(actual[14], -std::sqrt(21.0), 1e-5);

    cameraUpSign = -1.0f;
    cameraMatrix(actual);
    lookAtMatrix(1, 2, 4, -1, expected);
    expectMatrixNear(actual, expected);
    EXPECT_LT(actual[5], 0.0f);  // upside down
}

TEST_F(Camera, EyeOnTheYAxisIsMovedOffIt) {
    float actual[16], expected[16];
    cameraEye->set(0, 5, 0);
    cameraMatrix(actual);
    lookAtMatrix(0, 5, 1e-38, 1, expected);
    expectMatrixNear(actual, expected, 0.0f);
    for (float v : actual) EXPECT_TRUE(std::isfinite(v));
    // Off the axis the eye is used as it is.
    cameraEye->set(0, 5, 0.5f);
    cameraMatrix(actual);
    lookAtMatrix(0, 5, 0.5, 1, expected);
    expectMatrixNear(actual, expected, 0.0f);
}

}  // namespace
