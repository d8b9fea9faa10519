// What each key and each drag does, in every transformation mode, and from
// states that only earlier input reaches.

#include "viewer.h"

void press(const std::string& keys) {
    for (char key : keys) keyboard(static_cast<unsigned char>(key), 1, 1);
}

// The spotlight's colours, all components moved by `shift` from the start.
void expectSpotColours(float shift) {
    EXPECT_FLOATS(spotAmbient, {5.2f + shift, 5.2f + shift, 5.5f + shift, 1});
    EXPECT_FLOATS(spotDiffuse, {4.2f + shift, 4.2f + shift, 4.5f + shift, 1});
    EXPECT_FLOATS(spotSpecular, {4.2f + shift, 4.2f + shift, 4.5f + shift, 1});
}

TEST(Keyboard, SpotlightKeysInEachModeAndReset) {
    // The keypad moves the vector of the spotlight mode by 0.01 a press
    // (8 and 2 up and down, 6 and 4 right and left, 9 and 3 back and
    // forward), '+' and '-' change its intensity in every mode, 'r' puts it back.
    for (int mode : {31, 32, 51, 52}) {
        SCOPED_TRACE("transformMode " + std::to_string(mode));
        menuSelect(mode);
        press("8882666449999933+-+");
        const float p = mode == 51, d = mode == 52;  // x moves 0.01, y 0.02, z 0.03
        EXPECT_FLOATS(spotPosition, {p * .01f, 2 + p * .02f, p * .03f, 1});
        EXPECT_FLOATS(spotDirection, {d * .01f, d * .02f - 2, d * .03f});
        expectSpotColours(0.5f);
        press("r");
    }
    EXPECT_FLOATS(spotDirection, {0, -2, 0});
    press("-----------");  // eleven times darker than at start: nothing clamps
    expectSpotColours(-5.5f);
    // 'R' also puts the camera back, and nothing else ('V' makes the view 22, perspective).
    cameraEye->set(1, 2, 3), menuSelect(42), markerSpin = 9;
    cameraAzimuth = cameraElevation = cameraUpSign = -1;
    press("VR");
    expectVector("cameraEye", cameraEye, 0, 0, 5);
    EXPECT_TRUE(cameraAzimuth == 0 && cameraElevation == 0 && cameraUpSign == 1 &&
                transformMode == 52 && projectionMode == 22 && requestedAnimation == dancing &&
                markerSpin == 9);
    expectSpotColours(0);
}

// The trackball's point over the centre of a pixel (rows from the top) of
// the 600 x 600 window, inside its rim: view units are pixels / 100 - 3.
struct Ball {
    double x, y, z;
    Ball(int column, int row) : x((column + 0.5) / 100 - 3), y(2.995 - row / 100.0) {
        z = std::sqrt(1 - x * x - y * y);
    }
};

// A left drag from (x0, y0) to (x1, y1) in six equal motion events.
void drag(int x0, int y0, int x1, int y1) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x0, y0);
    for (int i = 1; i <= 6; ++i) motion(x0 + (x1 - x0) * i / 6, y0 + (y1 - y0) * i / 6);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, x1, y1);
}

// Expects a rotate drag from pixel a to pixel b, made in small steps, to
// have turned the camera from (azimuth, elevation) by the angles between the
// trackball points' projections (negative for a drag right or up), and to
// have put it at distance 5.
void expectTurned(double azimuth, double elevation, const Ball& a, const Ball& b) {
    azimuth += std::atan2(a.x, a.z) - std::atan2(b.x, b.z);
    elevation += std::atan2(a.y, a.z) - std::atan2(b.y, b.z);
    expectVector("cameraEye", cameraEye, 5 * std::sin(azimuth) * std::cos(elevation),
                 5 * std::sin(elevation), 5 * std::cos(azimuth) * std::cos(elevation), 1e-3f);
    EXPECT_EQ(cameraUpSign, std::cos(elevation) < 0 ? -1 : 1) << "elevation " << elevation;
}

TEST(Mouse, PixelsMapOntoTheTrackballAndDragsActByTheModeAndEarlierDrags) {
    // Window width and height, a column and its view x, a row and its view y.
    const float pixels[][6] = {{600, 600, 0, -2.995f, 599, 2.995f},     // window, a column and its
                               {800, 400, 0, -5.9925f, 399, 2.9925f},   // view x, a row and its
                               {400, 800, 399, 2.9925f, 0, -5.9925f}};  // view y
    for (const float* c : pixels) {
        reshape(int(c[0]), int(c[1]));  // a pixel is worth as much on either axis
        EXPECT_TRUE(windowToViewX(int(c[2])) == c[3] && windowToViewY(int(c[4])) == c[5]) << c[0];
    }
    // View x and y, and the trackball's point over them.
    const float points[][5] = {{0, 0, 0, 0, 1},
                               {1.5f, 0, .95f, 0, .31225f},  // centre, rim,
                               {.6f, 0, .6f, 0, .8f},
                               {0, -1.2f, 0, -.95f, .31225f}};  // inside, rim
    for (const float* p : points) {
        Vector3* v = trackballPoint(p[0], p[1]);
        expectVector("trackballPoint(" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ")",
                     v, p[2], p[3], p[4]);
        delete v;
    }
    reshape(600, 600);
    // One drag, right and down, in each mode from the same eye off the axis:
    // the spotlight modes leave the camera, Camera Scale moves it along z by
    // the drag's 0.6 right and 0.3 down, Camera Rotate turns it at distance 5.
    // Only a rotate drag takes trackball points.
    for (int mode : {51, 52, 32, 31}) {
        SCOPED_TRACE("transformMode " + std::to_string(mode));
        menuSelect(mode);
        cameraEye->set(0.5f, 0.25f, 9);
        drag(300, 300, 360, 330);
        if (mode != 31) expectVector("cameraEye", cameraEye, 0.5f, 0.25f, mode == 32 ? 8.7f : 9);
        if (mode != 31) expectVector("trackballLast", trackballLast, 0, 0, 0);
    }
    expectTurned(0, 0, Ball(300, 300), Ball(360, 330));
    expectVector("trackballLast", trackballLast, Ball(360, 330).x, Ball(360, 330).y,
                 Ball(360, 330).z);
    // Beyond the pole: a drag down from elevation 1.4 passes pi / 2, where the
    // up vector turns over; the drag back up turns it again.
    cameraAzimuth = 0, cameraElevation = 1.4;
    drag(300, 300, 330, 360);
    expectTurned(0, 1.4, Ball(300, 300), Ball(330, 360));
    const double azimuth = cameraAzimuth, elevation = cameraElevation;
    drag(330, 360, 300, 300);
    expectTurned(azimuth, elevation, Ball(330, 360), Ball(300, 300));

    // Without movement the steps are 0; the accumulated angles decide the up
    // vector's sign (-1 only strictly beyond a pole) and wrap once at 2 pi.
    const double half = 1.5707963267948966, threeHalves = 4.71238898038469,
                 twoPi = 6.2831854820251465;
    const double angles[][4] = {
        {6.3, half, 0.0168145, 1},    {twoPi, half + 1e-9, twoPi, -1},     // azimuth, elevation,
        {-6.3, -half, -0.0168145, 1}, {-twoPi, -half - 1e-9, -twoPi, -1},  // wrapped azimuth,
        {0, threeHalves, 0, 1},       {0, 1e-9 - threeHalves, 0, -1},      // up vector's sign
        {0, -threeHalves, 0, 1},      {0, twoPi + 2, 0, 1}};  // the sign comes before the wrap
    for (const double* c : angles) {
        cameraAzimuth = c[0], cameraElevation = c[1];
        motion(300, 300);
        EXPECT_TRUE(std::fabs(cameraAzimuth - c[2]) < 1e-6 && cameraUpSign == c[3])
            << c[0] << ", " << c[1];
        EXPECT_NEAR(cameraEye->getMagnitude(), 5, 1e-5);
    }

    // Camera Scale from (300, 300): up or right brings the camera nearer,
    // 0.01 a pixel, from 1.5 to 10. Rows: z, the pointer, z after.
    menuSelect(32);
    cameraEye->set(0.5f, 0.25f, 5);
    const float scales[][4] = {
        {5, 320, 290, 4.7f},  {5, 290, 305, 5.15f},   {1.6f, 330, 300, 1.5f},  // nearer, away,
        {9.9f, 270, 300, 10}, {1.5f, 300, 300, 1.5f}, {10, 300, 300, 10}};     // ends stay
    for (const float* c : scales) {
        cameraEye->setZ(c[0]);
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
        motion(int(c[1]), int(c[2]));
        expectVector("cameraEye from z " + std::to_string(c[0]), cameraEye, 0.5f, 0.25f, c[3]);
    }
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 7, INT_MIN);  // far outside: clamped, not overflowed
    EXPECT_EQ(lastMouseY, INT_MAX);
}
