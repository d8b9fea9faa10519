// Start-up, the clock, projection, camera, lights, ground and sky.
#include <array>
#include <set>

#include "app/keyboard.h"
#include "app/menus.h"
#include "figure/animations.h"
#include "input/mouse.h"
#include "math/vector3.h"
#include "scene/surroundings.h"
#include "textures/textures.h"
#include "viewer.h"

constexpr double PI = 3.141592653589793;

TEST(Startup, LeavesTheDesignsStartingState) {
    const Vector3 eye(0, 0, 5), origin;
    EXPECT_TRUE(cameraEye->equals(&eye) && cameraEye->getMagnitude() == 5 && trackballLast->equals(&origin));
    EXPECT_TRUE(requestedAnimation == nullptr && activeAnimation == nullptr);
    for (auto [actual, expected] :
         {std::pair{double(windowWidth), 600.0}, {double(windowHeight), 600}, {double(projectionMode), 21},
          {double(transformMode), 31}, {orthoHalfHeight, 3}, {fieldOfViewY, 60}, {nearPlane, 1}, {farPlane, 30},
          {cameraUpSign, 1}, {cameraAzimuth, 0}, {cameraElevation, 0}, {double(lastMouseX), 0},
          {double(lastMouseY), 0}, {markerSpin, 0}, {skySpin, 0}, {double(glutGet(GLUT_WINDOW_DOUBLEBUFFER)), 1},
          {double(glutGet(GLUT_WINDOW_DEPTH_SIZE) >= 16), 1},
          {double(std::abs(lastTickTime - glutGet(GLUT_ELAPSED_TIME)) < 100), 1}})  // read at the end
        EXPECT_EQ(actual, expected);
    expectState(GL_COLOR_CLEAR_VALUE, {1, 1, 1, 1});
    for (GLenum on : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_BLEND}) EXPECT_EQ(glIsEnabled(on), on != GL_BLEND);
    expectLightColours(GL_LIGHT0, {5, 5, 5, 1, .6f, .6f, .6f, 1, .8f, .8f, .8f, 1});
    expectLightColours(GL_LIGHT1, {5.2f, 5.2f, 5.5f, 1, 4.2f, 4.2f, 4.5f, 1, 4.2f, 4.2f, 4.5f, 1});
    expectLight(GL_LIGHT1, GL_SPOT_CUTOFF, {10});
    expectMaterial({.5f, .5f, .5f, 1, 1, 1, 1, 1, 0, 0, 0, 1, 0});  // the start-up material
    // Texture 0 is 64 x 64 and clamped; 1 to 3 hold the files and repeat, 3
    // bound last; all are nearest.
    expectState(GL_TEXTURE_BINDING_2D, {3});
    for (int id = 0; id < 4; ++id) {
        glBindTexture(GL_TEXTURE_2D, id);
        std::vector<GLint> v(6);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &v[0]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &v[1]);
        const GLenum names[4] = {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_MIN_FILTER};
        for (int i = 0; i < 4; ++i) glGetTexParameteriv(GL_TEXTURE_2D, names[i], &v[2 + i]);
        const GLint w = id ? TEXTURE_SIZE[id - 1][0] : 64, h = id ? TEXTURE_SIZE[id - 1][1] : 64, wrap = id ? GL_REPEAT : GL_CLAMP;
        EXPECT_EQ(v, std::vector<GLint>({w, h, wrap, wrap, GL_NEAREST, GL_NEAREST})) << "texture " << id;
        std::vector<unsigned char> texels(64 * 64 * 4);  // every texel the file's colour
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        int same = 0;
        for (int i = 0; id > 0 && i < w * h; ++i)
            same += uint32_t(texels[4 * i] << 16 | texels[4 * i + 1] << 8 | texels[4 * i + 2]) == TEXTURE_RGB[id - 1];
        EXPECT_EQ(same, id > 0 ? w * h : 0) << "texture " << id;
    }
}

TEST(Startup, EndsWithStatusOneOnATextureOpenGlCannotTakeAndZeroOnQuit) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    writeFile("/tmp/vantor_wide.bmp", plainBmp(largest + 1, 1, 0));  // fits the reader, not OpenGL
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT((dup2(2, 1), loadTexture("/tmp/vantor_wide.bmp", 2)), testing::ExitedWithCode(1),  // stdout to stderr
                "Image /tmp/vantor_wide.bmp is too large for OpenGL: " + std::to_string(largest + 1) + " x 1, at most " +
                    std::to_string(largest) + " x " + std::to_string(largest) + "\n$");
    for (auto quit : {+[] { keyboard('q', 0, 0); }, +[] { keyboard('Q', 0, 0); }, +[] { menuSelect(11); }})
        EXPECT_EXIT(quit(), testing::ExitedWithCode(0), "^$");
    unlink("/tmp/vantor_wide.bmp");
}

TEST(Clock, TicksAfterMoreThanFiftyMillisecondsAndAdvancesTheSpins) {
    lastTickTime = 1000;
    for (auto [now, ticks, last] : {std::tuple{1050, false, 1000}, {1051, true, 1051}, {5000, true, 5000},
                                    {5050, false, 5000}})
        EXPECT_TRUE(tickIfDue(now) == ticks && lastTickTime == last) << now;
    for (int i = 0; i < 198; ++i) animationTick();
    EXPECT_EQ(activeAnimation, nullptr);  // nothing animates until chosen
    EXPECT_EQ(markerSpin, 400.0f);        // the tick does not wrap the spins
    EXPECT_NEAR(skySpin, 20.0f, 1e-4);
}

TEST(View, ProjectionCameraAndLightsFollowTheWindowTheModeAndTheEye) {
    const float f = 1 / std::tan(PI / 6), o = -2 / 29.f, p = -31 / 29.f;  // 60 degrees; 1 to 30
    const struct { int width, height, mode; float m0, m5, m10, m11, m14; } projections[] = {
                       {600, 600, 21, 1 / 3.f, 1 / 3.f, o, 0, p},  // glOrtho(-3, 3, -3, 3, 1, 30)
                       {800, 400, 21, 1 / 6.f, 1 / 3.f, o, 0, p},  // left -6, right 6
                       {600, 600, 22, f, f, p, -1, -60 / 29.f},    // gluPerspective(60, 1, 1, 30)
                       {800, 400, 22, f / 2, f, p, -1, -60 / 29.f},
                       {600, 0, 21, 1 / 1800.f, 1 / 3.f, o, 0, p},  // minimised: one pixel high
                       {0, 600, 21, 200, 1 / 3.f, o, 0, p}};        // or wide
    for (const auto& c : projections) {
        projectionMode = c.mode;
        reshape(c.width, c.height);
        expectState(GL_PROJECTION_MATRIX, {c.m0, 0, 0, 0, 0, c.m5, 0, 0, 0, 0, c.m10, c.m11, 0, 0, c.m14, c.m11 + 1});
        const int width = std::max(c.width, 1), height = std::max(c.height, 1);
        expectState(GL_VIEWPORT, {0, 0, float(width), float(height)});
        EXPECT_TRUE(windowWidth == width && windowHeight == height);
    }

    // The camera view: where it puts the world's x, y and z axes, and the origin.
    const float u = 1 / std::sqrt(101.f), v = 10 / std::sqrt(101.f);  // (0.5, 5) at unit length
    const struct { float eye[3], up, x[3], y[3], z[3], distance; } views[] = {
                 {{0, 0, 5}, 1, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 5},
                 {{0, 0, 5}, -1, {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, 5},
                 {{0.5f, 5, 0}, 1, {0, -v, u}, {0, u, v}, {-1, 0, 0}, 5 / v},
                 {{0, 5, 0.5f}, 1, {1, 0, 0}, {0, u, v}, {0, -v, u}, 5 / v},
                 // On the y axis the view is parallel to the up vector: GLU keeps only the depth row.
                 {{0, 5, 0}, 1, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}, 5}};
    for (const auto& c : views) {
        cameraEye->set(c.eye[0], c.eye[1], c.eye[2]);
        cameraUpSign = c.up;
        glPushMatrix();
        placeCamera();
        expectState(GL_MODELVIEW_MATRIX, {c.x[0], c.x[1], c.x[2], 0, c.y[0], c.y[1], c.y[2], 0,
                                          c.z[0], c.z[1], c.z[2], 0, 0, 0, -c.distance, 1});
        glPopMatrix();
    }

    // The lights stay where they are in the world; key changes show at the next frame.
    cameraEye->set(5, 0, 0);
    cameraUpSign = 1;
    keyboard('+', 0, 0);
    expectLight(GL_LIGHT1, GL_DIFFUSE, {4.2f, 4.2f, 4.5f, 1});
    display();
    expectLight(GL_LIGHT1, GL_POSITION, {0, 2, -5, 1});
    expectLight(GL_LIGHT1, GL_SPOT_DIRECTION, {0, -2, 0});
    expectLight(GL_LIGHT0, GL_POSITION, {-1, 1, -4, 1});
    expectLightColours(GL_LIGHT1, {5.7f, 5.7f, 6.0f, 1, 4.7f, 4.7f, 5.0f, 1, 4.7f, 4.7f, 5.0f, 1});
    expectState(GL_MODELVIEW_MATRIX, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    expectState(GL_MODELVIEW_STACK_DEPTH, {1});
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Expects drawing to turn by the spin about the y axis (seen on a vertex off
// the axis), then to wrap the spin once past 360.
void expectSpin(float& spin, std::vector<Polygon> (*drawn)()) {
    const std::vector<Polygon> still = drawn();
    size_t i = 0;
    while (std::hypot(still[i][0].x, still[i][0].z) < 0.1) ++i;
    const Vertex a = still[i][0];
    for (float angle : {12.0f, 372.0f}) {
        spin = angle;
        const Vertex b = drawn()[i][0];
        const double c = std::cos(angle * PI / 180), s = std::sin(angle * PI / 180);
        EXPECT_LT(std::hypot(b.x - a.x * c - a.z * s, b.y - a.y, b.z + a.x * s - a.z * c), 1e-4) << angle;
        EXPECT_EQ(spin, 12.0f);
    }
    spin = 360;
    drawn();
    EXPECT_EQ(spin, 360.0f);
}

std::vector<Polygon> marker() {
    std::vector<Polygon> polygons = capture(drawGround);
    return {polygons.begin() + 30 * 30 * 6 * 2, polygons.end()};  // after the boxes' triangles
}

TEST(Ground, IsThirtyByThirtyTexturedBoxesAndASpinningMarker) {
    // The unit box's faces, corners (s, t) at (x, y, z), squashed to half
    // height and dropped by (14 - 3) x 0.05; GL sends each face as two triangles.
    const float faces[6][4][5] = {
        {{0, 1, -.5, .5, .5}, {.25, 1, .5, .5, .5}, {.25, 0, .5, -.5, .5}, {0, 0, -.5, -.5, .5}},
        {{.5, 1, .5, .5, -.5}, {.5, 0, .5, -.5, -.5}, {.25, 0, .5, -.5, .5}, {.25, 1, .5, .5, .5}},
        {{.75, 0, -.5, -.5, -.5}, {.5, 0, .5, -.5, -.5}, {.5, 1, .5, .5, -.5}, {.75, 1, -.5, .5, -.5}},
        {{.75, 0, -.5, -.5, -.5}, {.75, 1, -.5, .5, -.5}, {1, 1, -.5, .5, .5}, {1, 0, -.5, -.5, .5}},
        {{0, 0, -.5, .5, -.5}, {0, 1, .5, .5, -.5}, {1, 1, .5, .5, .5}, {1, 0, -.5, .5, .5}},
        {{0, 0, -.5, -.5, -.5}, {0, 1, .5, -.5, -.5}, {1, 1, .5, -.5, .5}, {1, 0, -.5, -.5, .5}}};
    std::set<std::array<long, 5>> expected, drawn;  // (x, y, z, s, t) in steps of 1e-4
    const auto add = [](auto& set, double x, double y, double z, double s, double t) {
        set.insert({std::lround(x * 1e4), std::lround(y * 1e4), std::lround(z * 1e4), std::lround(s * 1e4),
                    std::lround(t * 1e4)});
    };
    for (float x = -3.0f; x <= 3.0f; x += 0.2f)  // float steps: 30 boxes a side, not 31
        for (float z = -3.0f; z <= 3.0f; z += 0.2f)
            for (const auto& face : faces)
                for (const float* c : face) add(expected, x + c[2], -0.55f + c[3] / 2, z + c[4], c[0], c[1]);
    const std::vector<Polygon> ground = capture(drawGround);
    for (size_t i = 0; i < 30 * 30 * 6 * 2; ++i)
        for (const Vertex& v : ground[i]) add(drawn, v.x, v.y, v.z, v.s, v.t);
    EXPECT_TRUE(drawn == expected);
    for (GLenum state : {GL_TEXTURE_2D, GL_LIGHTING, GL_BLEND}) EXPECT_EQ(glIsEnabled(state), state == GL_LIGHTING);
    expectState(GL_TEXTURE_BINDING_2D, {2});
    expectState(GL_SHADE_MODEL, {GL_FLAT});
    expectMaterial({.15375f, .15f, .16625f, 1, .18275f, .17f, .22525f, 1, 1.3f, 1.3f, 1.3f, 1, 15});  // the marker's
    // The marker: a ball of radius 0.3 at (0, 2, 0), 10 slices and stacks.
    const std::vector<Polygon> ball = marker();
    EXPECT_EQ(ball.size(), capture(+[] { glutSolidSphere(0.3, 10, 10); }).size());
    EXPECT_EQ(onSphere(ball, 0, 2, 0, 0.3), int(ball.size() * 3));
    expectSpin(markerSpin, marker);
}

TEST(Sky, IsAnUnlitTexturedSphereOfRadiusFifteenThatSpins) {
    const std::vector<Polygon> sky = capture(drawSky);
    EXPECT_EQ(onSphere(sky, 0, 0, 0, 15), int(sky.size() * 3));
    Vertex top{0, 0, 0, 0, 0}, bottom = top;
    for (const Polygon& p : sky)
        for (const Vertex& v : p) top = v.y > top.y ? v : top, bottom = v.y < bottom.y ? v : bottom;
    EXPECT_TRUE(top.y > 14.99 && top.t == 0 && bottom.t == 1);  // poles up and down, t = 0 on top
    for (GLenum state : {GL_TEXTURE_2D, GL_LIGHTING, GL_BLEND}) EXPECT_EQ(glIsEnabled(state), state == GL_TEXTURE_2D);
    expectState(GL_TEXTURE_BINDING_2D, {1});
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    expectSpin(skySpin, +[] { return capture(drawSky); });
}
