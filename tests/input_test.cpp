// What the keys and the drags do, in each transformation mode.

#include <memory>

#include "viewer.h"

void press(char key) { keyboard(static_cast<unsigned char>(key), 1, 1); }

// Where each keypad key puts the spotlight from its start-up place (0, 2, 0):
// 8 and 2 up and down, 4 and 6 left and right, 9 and 3 back and forward, by 0.01.
const struct KeypadKey {
    char key;
    float x, y, z;
} keypad[] = {{'8', 0, 2.01f, 0}, {'2', 0, 1.99f, 0},  {'4', -.01f, 2, 0},
              {'6', .01f, 2, 0},  {'9', 0, 2, .01f},   {'3', 0, 2, -.01f}};

TEST(Keyboard, TheKeypadMovesTheSpotlightInSpotlightPositionMode) {
    menuSelect(SPOTLIGHT_POSITION);
    for (const KeypadKey& k : keypad) {
        press(k.key);
        expectFloats(std::string("spotPosition after ") + k.key, spotPosition, {k.x, k.y, k.z, 1});
        press('r');
    }
}

TEST(Keyboard, TheKeypadTurnsTheSpotlightInSpotlightDirectionMode) {
    menuSelect(SPOTLIGHT_DIRECTION);
    press('4');
    EXPECT_FLOATS(spotDirection, {-.01f, -2, 0});
    EXPECT_FLOATS(spotPosition, {0, 2, 0, 1});
}

TEST(Keyboard, PlusAndMinusMakeTheSpotlightBrighterAndDarkerByAHalf) {
    press('+');
    EXPECT_FLOATS(spotAmbient, {5.7f, 5.7f, 6, 1});
    EXPECT_FLOATS(spotDiffuse, {4.7f, 4.7f, 5, 1});
    press('-');
    EXPECT_FLOATS(spotSpecular, {4.2f, 4.2f, 4.5f, 1});  // back where it began
}

TEST(Keyboard, RPutsTheSpotlightBackAsItWasAtStartUp) {
    spotPosition[1] = 3;  // moved, as the keypad moves it
    press('+');
    press('R');
    EXPECT_FLOATS(spotPosition, {0, 2, 0, 1});
    EXPECT_FLOATS(spotDirection, {0, -2, 0});
    EXPECT_FLOATS(spotAmbient, {5.2f, 5.2f, 5.5f, 1});
    EXPECT_FLOATS(spotDiffuse, {4.2f, 4.2f, 4.5f, 1});
    EXPECT_FLOATS(spotSpecular, {4.2f, 4.2f, 4.5f, 1});
}

TEST(Keyboard, RPutsTheCameraBackAtDistanceFiveUprightAndUnturned) {
    cameraEye->set(1, 2, 3);
    cameraUpSign = -1;
    cameraAzimuth = cameraElevation = 1;
    press('r');
    expectVector("cameraEye", cameraEye, 0, 0, 5);
    EXPECT_EQ(cameraUpSign, 1);
    EXPECT_EQ(cameraAzimuth, 0);  // where the next drag turns it from
    EXPECT_EQ(cameraElevation, 0);
}

TEST(Trackball, PointsWithin95HundredthsOfTheMiddleLieOnTheBallAndTheRestOnItsRim) {
    // (0.6, 0.7) lies 0.922 from the middle: z = sqrt(1 - 0.36 - 0.49).
    const std::unique_ptr<Vector3> inside(trackballPoint(0.6f, 0.7f)), beyond(trackballPoint(3, 0));
    expectVector("inside", inside.get(), 0.6f, 0.7f, 0.38730f, 1e-5f);
    expectVector("beyond", beyond.get(), 0.95f, 0, 0.31225f, 1e-5f);  // the square root of 0.0975
}

// A left drag from pixel (x0, y0) to (x1, y1), rows from the top, in one motion.
void drag(int x0, int y0, int x1, int y1) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x0, y0);
    motion(x1, y1);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, x1, y1);
}

// A drag from the middle pixel (300, 300): it is at view (0.005, -0.005),
// on the ball (0.005, -0.005, 1.0000). 60 pixels right is view (0.605,
// -0.005), on the ball at z = sqrt(1 - 0.605^2 - 0.005^2) = 0.7962; 60
// pixels down (0.005, -0.605, 0.7962). Seen from above (x, z), 60 pixels
// right turns the point by atan(0.605 / 0.7962) - atan(0.005 / 1) = 0.6498 -
// 0.0050 = 0.6448; seen from the side (y, z), 60 down by 0.6448 too. The
// eye, 5 away, is at 5 (sin az cos el, sin el, cos az cos el).

TEST(Drag, RightTurnsTheCameraRoundToTheLeftAtDistanceFive) {
    // Moving right turns the azimuth back: -0.6448. Seen from the side the
    // point turns by atan(0.005 / 0.7962) - atan(0.005 / 1) = 0.0013, and
    // the elevation keeps that sign, the point not having moved up.
    drag(300, 300, 360, 300);
    expectVector("cameraEye", cameraEye, -3.0051f, 0.0064f, 3.9962f, 1e-3f);
}

TEST(Drag, PastAPoleTurnsTheCameraUpsideDown) {
    // From 1.4, 60 pixels down: 1.4 + 0.6448 = 2.0448, past pi / 2.
    cameraElevation = 1.4;
    drag(300, 300, 300, 360);
    EXPECT_EQ(cameraUpSign, -1);
    expectVector("cameraEye", cameraEye, -0.0029f, 4.4488f, -2.2821f, 1e-3f);
    drag(300, 300, 300, 360);  // and on, still beyond it: 2.0448 + 0.6448 = 2.6896
    EXPECT_EQ(cameraUpSign, -1);
}

TEST(Drag, PastAFullTurnStartsTheElevationAgainFromZero) {
    // From 6.0, 60 pixels down: 6.6448 - 6.2832 (two pi, as a float) = 0.3616.
    cameraElevation = 6.0;
    drag(300, 300, 300, 360);
    EXPECT_NEAR(cameraElevation, 0.3616, 1e-4);
    expectVector("cameraEye", cameraEye, 0.0060f, 1.7688f, 4.6767f, 1e-3f);
}

TEST(Drag, AMotionBeforeAnyPressOrInPlaceTurnsNothing) {
    // The start-up's trackball point is the zero vector: every angle to it
    // is 0. The next motion, at the same pixel, meets a point equal to its own.
    motion(360, 280);
    motion(360, 280);
    expectVector("cameraEye", cameraEye, 0, 0, 5);
}

TEST(Drag, TheSpotlightModesLeaveTheCameraAlone) {
    menuSelect(SPOTLIGHT_DIRECTION);
    drag(300, 300, 360, 240);
    expectVector("cameraEye", cameraEye, 0, 0, 5);
}

TEST(Drag, ScalingUpOrRightBringsTheCameraNearerAndDownOrLeftTakesItAway) {
    menuSelect(CAMERA_SCALE);
    drag(300, 300, 320, 290);  // 0.2 right and 0.1 up
    expectVector("cameraEye", cameraEye, 0, 0, 4.7f, 1e-5f);
    drag(300, 300, 290, 305);  // 0.1 left and 0.05 down
    expectVector("cameraEye", cameraEye, 0, 0, 4.85f, 1e-5f);
}

TEST(Drag, ScalingStopsTheCameraAtOnePointFiveAndTen) {
    menuSelect(CAMERA_SCALE);
    cameraEye->set(0.5f, 0.25f, 1.6f);
    drag(300, 300, 330, 300);  // 0.3 nearer; x and y stay
    expectVector("cameraEye", cameraEye, 0.5f, 0.25f, 1.5f);
    cameraEye->setZ(9.9f);
    drag(300, 300, 270, 300);  // 0.3 farther
    expectVector("cameraEye", cameraEye, 0.5f, 0.25f, 10);
}
