#include "app/keyboard.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "golden_help.h"

#include "app/display.h"
#include "app/menus.h"
#include "app/startup.h"
#include "input/mouse.h"
#include "scene/surroundings.h"
#include "figure/animations.h"
#include "math/vector3.h"
#include "scene/lights.h"

namespace {

void expectColour(const float* c, float r, float g, float b) {
    EXPECT_FLOAT_EQ(c[0], r);
    EXPECT_FLOAT_EQ(c[1], g);
    EXPECT_FLOAT_EQ(c[2], b);
    EXPECT_EQ(c[3], 1.0f);
}

class Keyboard : public testing::Test {
protected:
    void SetUp() override {
        cameraEye = new Vector3(0, 0, 5);
        transformMode = CAMERA_ROTATE;
        projectionMode = VIEW_ORTHOGONAL;
        resetView();
    }
    void TearDown() override {
        resetView();
        delete cameraEye;
        cameraEye = nullptr;
    }
    void press(const char* keys) {
        for (; *keys != '\0'; ++keys) keyboard(static_cast<unsigned char>(*keys), 1, 1);
    }
};

TEST_F(Keyboard, HelpPrintsTheWholeScreenOnEachPress) {
    const std::string help = goldenHelp();
    ASSERT_GT(help.size(), 1000u);
    testing::internal::CaptureStdout();
    press("hH");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), help + help);
}

TEST_F(Keyboard, KeypadMovesTheSpotlightVectorOfTheMode) {
    press("8642938");  // camera mode: nothing moves
    EXPECT_EQ(spotPosition[1], 2.0f);
    EXPECT_EQ(spotDirection[1], -2.0f);

    menuSelect(SPOTLIGHT_POSITION);
    press("888");
    EXPECT_FLOAT_EQ(spotPosition[1], 2.03f);
    press("6999");
    EXPECT_FLOAT_EQ(spotPosition[0], 0.01f);
    EXPECT_FLOAT_EQ(spotPosition[2], 0.03f);
    EXPECT_EQ(spotPosition[3], 1.0f);

    menuSelect(SPOTLIGHT_DIRECTION);
    press("888");
    EXPECT_FLOAT_EQ(spotDirection[1], -1.97f);
    press("243");
    EXPECT_FLOAT_EQ(spotDirection[1], -1.98f);
    EXPECT_FLOAT_EQ(spotDirection[0], -0.01f);
    EXPECT_FLOAT_EQ(spotDirection[2], -0.01f);
    EXPECT_FLOAT_EQ(spotPosition[1], 2.03f);  // the position stays

    menuSelect(CAMERA_SCALE);
    press("8");
    EXPECT_FLOAT_EQ(spotDirection[1], -1.98f);
}

TEST_F(Keyboard, PlusAndMinusChangeTheSpotColoursWithoutLimits) {
    press("++");
    expectColour(spotAmbient, 6.2f, 6.2f, 6.5f);
    expectColour(spotDiffuse, 5.2f, 5.2f, 5.5f);
    expectColour(spotSpecular, 5.2f, 5.2f, 5.5f);
    press("r-----------");
    EXPECT_NEAR(spotAmbient[0], -0.3f, 1e-5f);
    for (int c = 0; c < 3; ++c) {
        EXPECT_LT(spotDiffuse[c], 0.0f);
        EXPECT_LT(spotSpecular[c], 0.0f);
    }
    EXPECT_EQ(spotAmbient[3], 1.0f);
}

TEST_F(Keyboard, ResetRestoresCameraAndSpotlightOnly) {
    cameraEye->set(1, 2, 3);
    cameraAzimuth = 1.0;
    cameraElevation = 2.0;
    cameraUpSign = -1.0f;
    transformMode = SPOTLIGHT_POSITION;
    projectionMode = VIEW_PERSPECTIVE;
    requestedAnimation = dancing;
    skySpin = 12.0f;
    press("8+R");
    const Vector3 home(0, 0, 5);
    EXPECT_TRUE(cameraEye->equals(&home));
    EXPECT_EQ(cameraEye->getMagnitude(), 5.0f);
    EXPECT_EQ(cameraAzimuth, 0.0);
    EXPECT_EQ(cameraElevation, 0.0);
    EXPECT_EQ(cameraUpSign, 1.0f);
    EXPECT_EQ(spotPosition[1], 2.0f);
    expectColour(spotAmbient, 5.2f, 5.2f, 5.5f);
    expectColour(spotDiffuse, 4.2f, 4.2f, 4.5f);
    EXPECT_EQ(transformMode, SPOTLIGHT_POSITION);
    EXPECT_EQ(projectionMode, VIEW_PERSPECTIVE);
    EXPECT_EQ(requestedAnimation, dancing);
    EXPECT_EQ(skySpin, 12.0f);
    press("r");  // lower case alike
    requestedAnimation = nullptr;
}

TEST_F(Keyboard, ViewKeySwitchesProjectionAtOnce) {
    reshape(600, 600);
    float ortho[16], m[16];
    glGetFloatv(GL_PROJECTION_MATRIX, ortho);
    press("v");
    EXPECT_EQ(projectionMode, VIEW_PERSPECTIVE);
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    EXPECT_EQ(m[11], -1.0f);  // a perspective divide
    press("V");
    EXPECT_EQ(projectionMode, VIEW_ORTHOGONAL);
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], ortho[i]);
}

}  // namespace
