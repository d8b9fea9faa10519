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

void press(const std::string& keys) { for (char key : keys) keyboard(static_cast<unsigned char>(key), 1, 1); }

void expectEye(double x, double y, double z) {
    const Vector3* e = cameraEye;
    EXPECT_LT(std::hypot(e->x - x, e->y - y, e->z - z) + std::fabs(e->magnitude - std::hypot(x, y, z)), 1e-5)
        << e->x << ", " << e->y << ", " << e->z;
}

// The spotlight's colours, all components moved by `shift` from the start.
void expectSpotColours(float shift) {
    expectFloats(spotAmbient, {5.2f + shift, 5.2f + shift, 5.5f + shift, 1});
    for (const float* c : {spotDiffuse, spotSpecular}) expectFloats(c, {4.2f + shift, 4.2f + shift, 4.5f + shift, 1});
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
    expectFloats(spotDirection, {0, -2, 0});  // 'r' puts the spotlight back (and, below, its colours)
    press("++");
    expectSpotColours(1);
    press("r-----------");  // eleven times darker than at start: nothing clamps
    expectSpotColours(-5.5f);
    // 'R' also puts the camera back, and nothing else.
    cameraEye->set(1, 2, 3);
    cameraAzimuth = cameraElevation = cameraUpSign = -1;
    menuSelect(42);
    markerSpin = 9;
    press("R");
    expectEye(0, 0, 5);
    EXPECT_TRUE(cameraAzimuth == 0 && cameraElevation == 0 && cameraUpSign == 1);
    EXPECT_TRUE(transformMode == 52 && requestedAnimation == dancing && markerSpin == 9);
    expectSpotColours(0);
    std::stringstream help;
    help << std::ifstream(HELP_SCREEN_FILE, std::ios::binary).rdbuf();
    testing::internal::CaptureStdout();
    press("Hhx?");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), help.str() + help.str());
}

TEST(Mouse, PixelsMapOntoTheTrackballAndRotateDragsTurnTheCameraAtDistanceFive) {
    for (auto [width, height, px, x, py, y] : {std::tuple{600, 600, 0, -2.995f, 599, 2.995f},
                                               {800, 400, 0, -5.9925f, 399, 2.9925f},
                                               {400, 800, 399, 2.9925f, 0, -5.9925f}}) {
        reshape(width, height);  // a pixel is worth the same on both axes
        EXPECT_TRUE(windowToViewX(px) == x && windowToViewY(py) == y) << width << " x " << height;
    }
    const float points[][5] = {{0, 0, 0, 0, 1}, {3, 0, .95f, 0, .31225f}, {.6f, 0, .6f, 0, .8f},
                               {0, -.6f, 0, -.6f, .8f}, {.6f, .8f, .57f, .76f, .31225f}};
    for (const float* p : points) {
        Vector3* v = trackballPoint(p[0], p[1]);
        expectFloats(&v->magnitude, {1, p[2], p[3], p[4]});  // on the unit sphere
        delete v;
    }
    reshape(600, 600);
    cameraEye->setZ(9);  // a rotation drag undoes any scaling
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    EXPECT_TRUE(lastMouseX == 300 && lastMouseY == 299);  // rows counted from the bottom
    motion(360, 330);
    // The trackball points over the pixel centres; each step is the angle
    // between their projections, negative for a drag right or up.
    const double x0 = .005, x1 = .605, y0 = -.005, y1 = -.305;
    const double z0 = std::sqrt(1 - x0 * x0 - y0 * y0), z1 = std::sqrt(1 - x1 * x1 - y1 * y1);
    const double azimuth = std::atan2(x0, z0) - std::atan2(x1, z1), elevation = std::atan2(y0, z0) - std::atan2(y1, z1);
    EXPECT_TRUE(std::fabs(cameraAzimuth - azimuth) + std::fabs(cameraElevation - elevation) < 1e-6);
    expectEye(5 * std::sin(azimuth) * std::cos(elevation), 5 * std::sin(elevation),
              5 * std::cos(azimuth) * std::cos(elevation));
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 360, 330);
    EXPECT_TRUE(lastMouseX == 360 && lastMouseY == 269 && std::fabs(trackballLast->x - x1) < 1e-6);

    // Without movement the steps are 0; the accumulated angles decide the up
    // vector's sign (-1 only strictly beyond a pole) and wrap once at 2 pi.
    const double half = 1.5707963267948966, threeHalves = 4.71238898038469, twoPi = 6.2831854820251465;
    for (auto [az, el, wrapped, up] :
         {std::tuple{6.3, half, 0.0168145, 1.0f}, {twoPi, half + 1e-9, twoPi, -1.0f}, {-6.3, -half, -0.0168145, 1.0f},
          {0.0, -half - 1e-9, 0.0, -1.0f}, {0.0, threeHalves, 0.0, 1.0f}, {0.0, 1e-9 - threeHalves, 0.0, -1.0f}}) {
        cameraAzimuth = az;
        cameraElevation = el;
        motion(360, 330);
        EXPECT_TRUE(std::fabs(cameraAzimuth - wrapped) < 1e-6 && cameraUpSign == up) << az << ", " << el;
        EXPECT_NEAR(cameraEye->getMagnitude(), 5, 1e-5);
    }
}

TEST(Mouse, ScaleDragsOtherButtonsAndWildPositions) {
    menuSelect(32);
    cameraEye->set(0.5f, 0.25f, 5);
    // From (300, 300): up or right brings the camera nearer, 0.01 a pixel.
    for (auto [z, x, y, after] : {std::tuple{5.0f, 320, 290, 4.7f}, {5.0f, 290, 305, 5.15f}, {1.6f, 330, 300, 1.5f},
                                  {9.9f, 270, 300, 10.0f}, {1.5f, 300, 300, 1.5f}, {10.0f, 300, 300, 10.0f}}) {
        cameraEye->setZ(z);
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
        motion(x, y);
        expectEye(0.5f, 0.25f, after);
    }
    menuSelect(51);  // the spotlight modes do nothing on a drag
    motion(0, 0);
    menuSelect(31);
    for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON})
        mouse(button, GLUT_DOWN, 10, 20), mouse(button, GLUT_UP, 30, 40);
    EXPECT_TRUE(lastMouseX == 30 && lastMouseY == 559 && trackballLast->getMagnitude() == 0);
    expectEye(0.5f, 0.25f, 10);
    // A motion before any left press compares with the start-up zero vector:
    // no turn, but the camera goes to distance 5 and the point is kept.
    motion(450, 150);
    expectEye(0, 0, 5);
    EXPECT_NEAR(trackballLast->x, 0.95 * 1.505 / std::hypot(1.505, 1.495), 1e-5);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 7, INT_MIN);  // far outside: clamped, not overflowed
    EXPECT_EQ(lastMouseY, INT_MAX);
}

