// What each key and each drag does, in every transformation mode, and from
// states that only earlier input reaches.

#include "viewer.h"

void press(const std::string& keys) {
    for (char key : keys) keyboard(static_cast<unsigned char>(key), 1, 1);
}

TEST(Keyboard, SpotlightKeysInEachModeAndReset) {
    // The keypad moves the vector of the spotlight mode by 0.01 a press
    // (8 and 2 up and down, 6 and 4 right and left, 9 and 3 back and
    // forward), '+' and '-' change its intensity in every mode, 'r' puts it
    // back: the mode after each spotlight mode sees its vector back at the start.
    for (int mode : {SPOTLIGHT_DIRECTION, SPOTLIGHT_POSITION, CAMERA_ROTATE, CAMERA_SCALE}) {
        SCOPED_TRACE("transformMode " + std::to_string(mode));
        menuSelect(mode);
        press("8882666449999933+-+");
        // p is 1 in Spotlight Position mode, d in Spotlight Direction; x moves 0.01, y 0.02, z 0.03
        const float p = mode == SPOTLIGHT_POSITION ? 1 : 0, d = mode == SPOTLIGHT_DIRECTION ? 1 : 0;
        EXPECT_FLOATS(spotPosition, {p * .01f, 2 + p * .02f, p * .03f, 1});
        EXPECT_FLOATS(spotDirection, {d * .01f, d * .02f - 2, d * .03f});
        EXPECT_FLOATS(spotAmbient, {5.7f, 5.7f, 6, 1});  // each colour 0.5 brighter
        EXPECT_FLOATS(spotDiffuse, {4.7f, 4.7f, 5, 1});
        EXPECT_FLOATS(spotSpecular, {4.7f, 4.7f, 5, 1});
        press("r");
    }
    // 'R' also puts the camera back: the eye, its up vector, and the angles
    // that the next drag turns it from.
    cameraEye->set(1, 2, 3);
    cameraAzimuth = cameraElevation = cameraUpSign = -1;
    press("R");
    expectVector("cameraEye", cameraEye, 0, 0, 5);
    EXPECT_EQ(cameraUpSign, 1);
    EXPECT_EQ(cameraAzimuth, 0);
    EXPECT_EQ(cameraElevation, 0);
}

// The trackball's point over the centre of a pixel (rows from the top) of
// the window: a pixel is worth 6 / min(width, height) view units on either
// axis, from the window's centre; beyond 0.95 from it the point stays on the rim.
struct Ball {
    double x, y, z;
    Ball(int column, int row) {
        const int w = windowWidth, h = windowHeight;
        const double unit = 6.0 / std::min(w, h),
                     r = std::hypot(column + 0.5 - w / 2.0, h / 2.0 - row - 0.5) * unit;
        x = (column + 0.5 - w / 2.0) * unit * std::min(1.0, 0.95 / r);
        y = (h / 2.0 - row - 0.5) * unit * std::min(1.0, 0.95 / r);
        z = std::sqrt(1 - x * x - y * y);
    }
};

// A left drag from (x0, y0) to (x1, y1) in six equal motion events, and a
// seventh at the same place (X may report one), which moves nothing.
void drag(int x0, int y0, int x1, int y1) {
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x0, y0);
    for (int i = 1; i <= 6; ++i) motion(x0 + (x1 - x0) * i / 6, y0 + (y1 - y0) * i / 6);
    motion(x1, y1);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, x1, y1);
}

// Expects a rotate drag from (x0, y0) to (x1, y1), made in small steps, to
// turn the camera from the angles (azimuth, elevation) by the angles between
// the trackball points' projections, negative where the point moves right
// or up (and positive along a row: the projections differ all the same),
// and to put it at distance 5.
void expectDragTurns(double azimuth, double elevation, int x0, int y0, int x1, int y1) {
    drag(x0, y0, x1, y1);
    const Ball a(x0, y0), b(x1, y1);
    azimuth += (a.x < b.x ? -1 : 1) * std::fabs(std::atan2(a.x, a.z) - std::atan2(b.x, b.z));
    elevation += (a.y < b.y ? -1 : 1) * std::fabs(std::atan2(a.y, a.z) - std::atan2(b.y, b.z));
    expectVector("cameraEye", cameraEye, 5 * std::sin(azimuth) * std::cos(elevation),
                 5 * std::sin(elevation), 5 * std::cos(azimuth) * std::cos(elevation), 1e-3f);
    EXPECT_EQ(cameraUpSign, std::cos(elevation) < 0 ? -1 : 1) << "elevation " << elevation;
}

TEST(Mouse, PixelsMapOntoTheTrackballAndDragsActByTheModeAndEarlierDrags) {
    // A middle-button drag right after start-up: its first motion measures
    // from the start-up trackball point, the zero vector, and turns nothing.
    motion(360, 280);
    expectVector("cameraEye after a motion before any press", cameraEye, 0, 0, 5);
    // One drag right, along a row above the centre, in each mode: in the
    // start-up mode, Camera Rotate, it turns the camera at distance 5; from
    // an eye off the axis, the spotlight modes leave the camera, and Camera
    // Scale moves it along z by the drag's 0.6 right.
    expectDragTurns(0, 0, 300, 280, 360, 280);
    for (int mode : {SPOTLIGHT_POSITION, SPOTLIGHT_DIRECTION, CAMERA_SCALE}) {
        menuSelect(mode);
        cameraEye->set(0.5f, 0.25f, 9);
        drag(300, 280, 360, 280);
        expectVector("cameraEye in mode " + std::to_string(mode), cameraEye, 0.5f, 0.25f,
                     mode == CAMERA_SCALE ? 8.4f : 9, 1e-5f);  // float steps of 0.1
    }
    // Drags in a wide and in a tall window, from inside the ball out past its rim.
    menuSelect(CAMERA_ROTATE);
    for (auto [w, h] : {std::pair{800, 400}, {400, 800}}) {
        reshape(w, h);
        cameraAzimuth = cameraElevation = 0;
        expectDragTurns(0, 0, w / 2, h / 2, w / 2 + 290, h / 2 - 130);
    }
    reshape(600, 600);
    // Beyond either pole: a drag down from elevation 1.4 passes pi / 2, where
    // the up vector turns over, and one up from -1.4 passes -pi / 2; the drag
    // back turns it again.
    for (double from : {1.4, -1.4}) {
        const int down = from > 0 ? 60 : -60;
        cameraAzimuth = 0;
        cameraElevation = from;
        expectDragTurns(0, from, 300, 300, 330, 300 + down);
        expectDragTurns(cameraAzimuth, cameraElevation, 330, 300 + down, 300, 300);
    }
    cameraAzimuth = 0;
    cameraElevation = 6.0;  // and on past a full turn, which wraps at 2 pi
    expectDragTurns(0, 6.0, 300, 5, 300, 595);

    // Camera Scale from (300, 300): up or right brings the camera nearer,
    // 0.01 a pixel, from 1.5 to 10: nearer, away, then not past either end.
    menuSelect(CAMERA_SCALE);
    cameraEye->set(0.5f, 0.25f, 5);
    const std::tuple<float, int, int, float> scales[] = {
        {5, 320, 290, 4.7f}, {5, 290, 305, 5.15f}, {1.6f, 330, 300, 1.5f}, {9.9f, 270, 300, 10}};
    for (const auto& [fromZ, x, y, toZ] : scales) {
        cameraEye->setZ(fromZ);
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
        motion(x, y);
        expectVector("cameraEye from z " + std::to_string(fromZ), cameraEye, 0.5f, 0.25f, toZ);
    }
}
