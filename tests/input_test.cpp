// What each key and each drag does, from the state after start-up.
#include <climits>
#include <fstream>
#include <sstream>

#include "app/keyboard.h"
#include "app/menus.h"
#include "figure/animations.h"
#include "input/mouse.h"
#include "math/vector3.h"
#include "scene/lights.h"
#include "scene/surroundings.h"
#include "viewer.h"

void press(const std::string& keys) {
    for (char key : keys) keyboard(static_cast<unsigned char>(key), 1, 1);
}

void expectEye(float x, float y, float z) {
    expectFloats(&cameraEye->magnitude, {std::hypot(x, y, z), x, y, z}, 1e-4f);
}

// The spotlight's colours, all components moved by `shift` from the start.
void expectSpotColours(float shift) {
    expectFloats(spotAmbient, {5.2f + shift, 5.2f + shift, 5.5f + shift, 1});
    for (const float* c : {spotDiffuse, spotSpecular})
        expectFloats(c, {4.2f + shift, 4.2f + shift, 4.5f + shift, 1});
}

TEST(Keyboard, SpotlightKeysResetViewAndHelp) {
    // The keypad moves the vector of the spotlight mode by 0.01 a press:
    // 8 and 2 up and down, 6 and 4 right and left, 9 and 3 back and forward.
    for (int mode : {31, 32, 51, 52}) {
        menuSelect(mode);
        press("8882666449999933");
        const float p = mode == 51, d = mode == 52;  // x moves 0.01, y 0.02, z 0.03
        expectFloats(spotPosition, {p * .01f, 2 + p * .02f, p * .03f, 1});
        expectFloats(spotDirection, {d * .01f, d * .02f - 2, d * .03f});
        press("r");
    }
    // 'r' puts the spotlight back (and, below, its colours).
    expectFloats(spotDirection, {0, -2, 0});
    press("++");
    expectSpotColours(1);
    press("r-----------");  // eleven times darker than at start: nothing clamps
    expectSpotColours(-5.5f);
    // 'R' also puts the camera back, and nothing else ('V' makes the view 22, perspective).
    cameraEye->set(1, 2, 3), menuSelect(42), markerSpin = 9;
    cameraAzimuth = cameraElevation = cameraUpSign = -1;
    press("VR");
    expectEye(0, 0, 5);
    EXPECT_TRUE(cameraAzimuth == 0 && cameraElevation == 0 && cameraUpSign == 1);
    EXPECT_TRUE(transformMode == 52 && projectionMode == 22 && requestedAnimation == dancing &&
                markerSpin == 9);
    expectSpotColours(0);
    std::stringstream help;
    help << std::ifstream(HELP_SCREEN_FILE, std::ios::binary).rdbuf();
    testing::internal::CaptureStdout();
    press("Hhx?");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), help.str() + help.str());
}

TEST(Mouse, PixelsMapOntoTheTrackballAndRotateDragsTurnTheCameraAtDistanceFive) {
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
                               {1.5f, 0, .95f, 0, .31225f},
                               {.6f, 0, .6f, 0, .8f},
                               {0, -1.2f, 0, -.95f, .31225f}};
    for (const float* p : points) {
        Vector3* v = trackballPoint(p[0], p[1]);
        expectFloats(&v->magnitude, {1, p[2], p[3], p[4]});  // on the unit sphere
        delete v;
    }
    reshape(600, 600);
    cameraEye->setZ(9);  // a rotation drag undoes any scaling
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    EXPECT_TRUE(lastMouseX == 300 && lastMouseY == 299);  // rows counted from the bottom
    motion(360, 300);
    // The trackball points over the pixel centres; each step is the angle
    // between their projections, negative for a drag right or up.
    const double x0 = .005, x1 = .605, y0 = -.005, y1 = -.005;
    const double z0 = std::sqrt(1 - x0 * x0 - y0 * y0), z1 = std::sqrt(1 - x1 * x1 - y1 * y1);
    const double azimuth = std::atan2(x0, z0) - std::atan2(x1, z1),
                 elevation = std::atan2(y0, z0) - std::atan2(y1, z1);
    // The program's float cosines leave a tiny step accurate to about 1e-5.
    EXPECT_TRUE(std::fabs(cameraAzimuth - azimuth) + std::fabs(cameraElevation - elevation) < 2e-5);
    expectEye(5 * std::sin(azimuth) * std::cos(elevation), 5 * std::sin(elevation),
              5 * std::cos(azimuth) * std::cos(elevation));
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 360, 300);
    EXPECT_TRUE(lastMouseX == 360 && lastMouseY == 299 && std::fabs(trackballLast->x - x1) < 1e-6);

    // Without movement the steps are 0; the accumulated angles decide the up
    // vector's sign (-1 only strictly beyond a pole) and wrap once at 2 pi.
    const double half = 1.5707963267948966, threeHalves = 4.71238898038469,
                 twoPi = 6.2831854820251465;
    const double angles[][4] = {
        {6.3, half, 0.0168145, 1},    {twoPi, half + 1e-9, twoPi, -1},     // azimuth, elevation,
        {-6.3, -half, -0.0168145, 1}, {-twoPi, -half - 1e-9, -twoPi, -1},  // wrapped azimuth,
        {0, threeHalves, 0, 1},       {0, 1e-9 - threeHalves, 0, -1}};     // up vector's sign
    for (const double* c : angles) {
        cameraAzimuth = c[0], cameraElevation = c[1];
        motion(360, 300);
        EXPECT_TRUE(std::fabs(cameraAzimuth - c[2]) < 1e-6 && cameraUpSign == c[3])
            << c[0] << ", " << c[1];
        EXPECT_NEAR(cameraEye->getMagnitude(), 5, 1e-5);
    }
}

TEST(Mouse, ScaleDragsOtherButtonsAndWildPositions) {
    menuSelect(32);
    cameraEye->set(0.5f, 0.25f, 5);
    // From (300, 300): up or right brings the camera nearer, 0.01 a pixel.
    const float scales[][4] = {
        {5, 320, 290, 4.7f},  {5, 290, 305, 5.15f},   {1.6f, 330, 300, 1.5f},  // z, pointer,
        {9.9f, 270, 300, 10}, {1.5f, 300, 300, 1.5f}, {10, 300, 300, 10}};     // z after
    for (const float* c : scales) {
        cameraEye->setZ(c[0]);
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
        motion(int(c[1]), int(c[2]));
        expectEye(0.5f, 0.25f, c[3]);
    }
    menuSelect(51);  // the spotlight modes do nothing on a drag
    motion(0, 0);
    expectEye(0.5f, 0.25f, 10);
    EXPECT_EQ(trackballLast->getMagnitude(), 0.0f);  // only a rotate press takes a trackball point
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 7, INT_MIN);  // far outside: clamped, not overflowed
    EXPECT_EQ(lastMouseY, INT_MAX);
}
