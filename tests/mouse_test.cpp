#include "input/mouse.h"

#include <cmath>
#include <memory>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/menus.h"
#include "app/startup.h"
#include "app/display.h"
#include "figure/animations.h"
#include "scene/surroundings.h"
#include "math/vector3.h"

namespace {

class Mouse : public testing::Test {
protected:
    void SetUp() override {
        windowWidth = windowHeight = 600;
        transformMode = CAMERA_ROTATE;
        cameraEye = new Vector3(0, 0, 5);
        trackballLast = new Vector3(0, 0, 0);
        cameraAzimuth = cameraElevation = 0.0;
        cameraUpSign = 1.0f;
        lastMouseX = lastMouseY = 0;
        if (rootMenu == 0) rootMenu = createMenus();
    }
    void TearDown() override {
        delete cameraEye;
        delete trackballLast;
        cameraEye = trackballLast = nullptr;
    }
    // A left drag from (x0, y0) to (x1, y1) in GLUT's top-down pixels.
    void drag(int x0, int y0, int x1, int y1) {
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x0, y0);
        motion((x0 + x1) / 2, (y0 + y1) / 2);
        motion(x1, y1);
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, x1, y1);
    }
    // A motion event with no movement: the rotation steps are 0, so only the
    // accumulated angles decide the camera.
    void stillMotion() {
        lastMouseX = 300;
        lastMouseY = 299;
        delete trackballLast;
        trackballLast = trackballPoint(windowToViewX(300), windowToViewY(299));
        motion(300, 300);
    }
};

TEST_F(Mouse, PixelCentresMapToViewUnits) {
    EXPECT_FLOAT_EQ(windowToViewX(0), -2.995f);
    EXPECT_FLOAT_EQ(windowToViewX(599), 2.995f);
    EXPECT_FLOAT_EQ(windowToViewY(0), -2.995f);
    EXPECT_FLOAT_EQ(windowToViewY(599), 2.995f);
    // A wide window widens x; a tall one stretches both axes alike.
    windowWidth = 800;
    windowHeight = 400;
    EXPECT_DOUBLE_EQ(viewRight(), 2.0);
    EXPECT_DOUBLE_EQ(viewTop(), 1.0);
    EXPECT_FLOAT_EQ(windowToViewX(0), -5.9925f);
    EXPECT_FLOAT_EQ(windowToViewY(0), -2.9925f);
    windowWidth = 400;
    windowHeight = 800;
    EXPECT_DOUBLE_EQ(viewRight(), 1.0);
    EXPECT_DOUBLE_EQ(viewBottom(), -2.0);
    EXPECT_FLOAT_EQ(windowToViewX(399), 2.9925f);
    EXPECT_FLOAT_EQ(windowToViewY(799), 5.9925f);
}

TEST_F(Mouse, TrackballPointsLieOnTheUnitSphere) {
    std::unique_ptr<Vector3> centre(trackballPoint(0, 0));
    EXPECT_FLOAT_EQ(centre->getZ(), 1.0f);
    std::unique_ptr<Vector3> rim(trackballPoint(3, 0));
    EXPECT_FLOAT_EQ(rim->getX(), 0.95f);
    EXPECT_NEAR(rim->getZ(), 0.3122f, 1e-4);
    std::unique_ptr<Vector3> inner(trackballPoint(0.6f, 0));
    EXPECT_FLOAT_EQ(inner->getZ(), 0.8f);
    std::unique_ptr<Vector3> far(trackballPoint(1e20f, -1e20f));
    EXPECT_NEAR(far->getMagnitude(), 1.0f, 1e-6f);
}

TEST_F(Mouse, DragsTurnTheCameraTheWayTheDesignSays) {
    drag(300, 300, 340, 300);  // to the right: the eye moves towards -x
    EXPECT_LT(cameraAzimuth, 0.0);
    EXPECT_LT(cameraEye->getX(), 0.0f);
    EXPECT_NEAR(cameraEye->getMagnitude(), 5.0f, 1e-5f);
    drag(300, 300, 300, 260);  // upwards: the eye moves down
    EXPECT_LT(cameraElevation, 0.0);
    EXPECT_LT(cameraEye->getY(), 0.0f);
    EXPECT_EQ(cameraUpSign, 1.0f);
}

TEST_F(Mouse, UpSignFlipsOnlyBeyondThePoles) {
    const struct {
        double elevation;
        float sign;
    } cases[] = {{1.5707963267948966, 1},  {1.6, -1},  {4.71238898038469, 1},  {4.7, -1},
                 {-1.5707963267948966, 1}, {-1.6, -1}, {-4.71238898038469, 1}, {0, 1}};
    for (const auto& c : cases) {
        cameraElevation = c.elevation;
        stillMotion();
        EXPECT_EQ(cameraUpSign, c.sign) << c.elevation;
    }
}

TEST_F(Mouse, AnglesWrapOnceAtTheFloatTwoPi) {
    cameraAzimuth = 6.3;
    cameraElevation = -6.2831854820251465;
    stillMotion();
    EXPECT_NEAR(cameraAzimuth, 0.0168145, 1e-6);
    EXPECT_EQ(cameraElevation, -6.2831854820251465);
    cameraAzimuth = 6.2831854820251465;
    stillMotion();
    EXPECT_EQ(cameraAzimuth, 6.2831854820251465);
    EXPECT_NEAR(cameraEye->getMagnitude(), 5.0f, 1e-5f);
}

TEST_F(Mouse, ScaleMovesTheEyeAlongZWithinItsLimits) {
    transformMode = CAMERA_SCALE;
    Vector3* before = trackballLast;
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    EXPECT_EQ(trackballLast, before);  // a scale press starts no trackball drag
    motion(330, 270);                  // up and right: nearer
    EXPECT_NEAR(cameraEye->getZ(), 5.0f - 0.6f, 1e-5f);
    cameraEye->setZ(1.6f);
    motion(345, 270);  // 0.15 nearer would pass 1.5: clamped
    motion(400, 200);
    EXPECT_EQ(cameraEye->getZ(), 1.5f);
    cameraEye->setZ(9.9f);
    motion(300, 300);
    EXPECT_EQ(cameraEye->getZ(), 10.0f);
    motion(300, 300);  // no movement: stays exactly at the limit
    EXPECT_EQ(cameraEye->getZ(), 10.0f);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 300, 300);
}

TEST_F(Mouse, OtherButtonsOnlyRecordThePosition) {
    Vector3* before = trackballLast;
    mouse(GLUT_MIDDLE_BUTTON, GLUT_DOWN, 10, 20);
    mouse(GLUT_RIGHT_BUTTON, GLUT_UP, 30, 40);
    EXPECT_EQ(trackballLast, before);
    EXPECT_EQ(lastMouseX, 30);
    EXPECT_EQ(lastMouseY, 559);
    // A rotate motion before any left press compares with the start-up zero
    // vector: the steps are 0 and the eye returns to distance 5.
    cameraEye->set(0, 0, 8);
    motion(30, 40);
    EXPECT_EQ(cameraAzimuth, 0.0);
    EXPECT_EQ(cameraElevation, 0.0);
    EXPECT_FLOAT_EQ(cameraEye->getZ(), 5.0f);
    EXPECT_NE(trackballLast, before);
}

}  // namespace
