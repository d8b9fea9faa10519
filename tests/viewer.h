// GL tests run the viewer's real start-up, in a directory with small
// textures of known colours, and then call its functions directly (every
// module's header is included here). They read back GL state, the vertices
// a drawing sends (GL feedback mode) and the pixels of a frame, and compare
// them with the numbers worked out by hand. CTest runs every test in a
// process of its own, since each changes the viewer's process-wide state.
#pragma once

#include <unistd.h>  // dup2, getpid

#include <array>
#include <cmath>
#include <filesystem>

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "app/display.h"
#include "app/keyboard.h"
#include "app/menus.h"
#include "app/startup.h"
#include "bmp_writer.h"
#include "figure/animations.h"
#include "figure/figure.h"
#include "input/mouse.h"
#include "math/vector3.h"
#include "scene/lights.h"
#include "scene/surroundings.h"
#include "textures/textures.h"

constexpr double PI = 3.141592653589793;

// Runs the start-up before the test (and again in a death test's child).
struct Viewer : testing::Environment {
    void SetUp() override {
        // In a folder of its own, left again once the textures are read (or
        // left over by an earlier process of the same number that died here).
        const std::filesystem::path home = std::filesystem::current_path(),
                                    dir = scratchPath("gl_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        std::filesystem::current_path(dir);
        // Textures of known colours, none white or grey and none the
        // complement of another, so that a texture modulated another way,
        // or not at all, or the wrong one, changes what a surface shows. The
        // sky: 16 columns, (0.2, 0.4, 0.6) and (0.6, 0.4, 0.2) in turn; the
        // grass (1, 0.8, 0.4), 5 texels wide, so that its rows of 15 bytes
        // show how they are unpacked; the face (0.4, 0.8, 0.6).
        BmpFile sky{16, 4};
        sky.rgb = [](int x, int) { return x % 2 ? 0x996633u : 0x336699u; };
        writeFile("sky.bmp", bmpBytes(sky));
        writeFile("grass.bmp", plainBmp(5, 2, 0xffcc66));
        writeFile("smileycol.bmp", plainBmp(4, 4, 0x66cc99));
        int argc = 1;
        char name[] = "gl_tests", *argv[] = {name, nullptr};
        // The "trying to load" lines, and under Wine freeglut's word that it has no screen size.
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        initViewer(argc, argv);
        testing::internal::GetCapturedStderr();
        testing::internal::GetCapturedStdout();
        // Death tests read standard error: the messages on standard output go there too.
        testing::FLAGS_gtest_death_test_style = "threadsafe";
        dup2(2, 1);
        std::filesystem::current_path(home);
        EXPECT_EQ(std::filesystem::remove_all(dir), 4u);
    }
};
inline testing::Environment* const viewer = testing::AddGlobalTestEnvironment(new Viewer);

// A vertex's position, texture coordinates and lit colour.
struct Vertex {
    double x, y, z, s, t, r, g, b;
};
using Facet = std::vector<Vertex>;

// The polygons `draw` sends, in the coordinates it draws in: the modelview
// matrix is the identity, and window coordinates map one to one onto the
// cube of half side R about the origin (left so for later captures).
inline std::vector<Facet> capture(void (*draw)()) {
    constexpr int R = 20;
    static std::vector<GLfloat> buffer(1 << 23);
    glViewport(0, 0, 2 * R, 2 * R);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-R, R, -R, R, -R, R);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    std::vector<Facet> polygons;
    // A token, a count, then per vertex x y z, r g b a, s t r q.
    for (GLint i = 0, size = glRenderMode(GL_RENDER); i < size;) {
        EXPECT_EQ(buffer[i++], GL_POLYGON_TOKEN);
        polygons.emplace_back();
        for (int n = int(buffer[i++]); n > 0; --n) {
            const GLfloat* f = &buffer[i];
            polygons.back().push_back(
                {f[0] - R, f[1] - R, R * (1 - 2.0 * f[2]), f[7], f[8], f[3], f[4], f[5]});
            i += 11;
        }
    }
    return polygons;
}

// glutSolidSphere(r, 10, 10) sends 10 stacks of 10 quads, two triangles
// each (at the poles one of the two has no area), as the marker, every
// joint and every hand and foot are drawn.
constexpr int BALL_VERTICES = 10 * 10 * 2 * 3;

// Whether the vertex lies on the sphere of radius r about (x, y, z).
inline bool isOnSphere(const Vertex& v, double x, double y, double z, double r) {
    return std::fabs(v.x - x) <= r + 1e-3 && std::fabs(v.y - y) <= r + 1e-3 &&  // cheap test first
           std::fabs(std::hypot(v.x - x, v.y - y, v.z - z) - r) < 1e-4;
}

// How many of the polygons' vertices lie on the sphere of radius r about
// (x, y, z); with r = 0, how many lie at that point.
inline int onSphere(const std::vector<Facet>& polygons, double x, double y, double z, double r) {
    int count = 0;
    for (const Facet& polygon : polygons)
        for (const Vertex& v : polygon) count += isOnSphere(v, x, y, z, r);
    return count;
}

// Expects the floats at `actual` to begin with `expected`; a failure names
// `what` and the index.
inline void expectFloats(const std::string& what, const float* actual,
                         const std::vector<float>& expected, float tolerance = 1e-6f) {
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << what << "[" << i << "]";
}
// A vector's x, y and z, and the magnitude that goes with them.
inline void expectVector(const std::string& what, const Vector3* v, float x, float y, float z,
                         float tolerance = 1e-6f) {
    const float actual[] = {v->getMagnitude(), v->getX(), v->getY(), v->getZ()};
    expectFloats(what + " (magnitude, x, y, z)", actual, {std::hypot(x, y, z), x, y, z}, tolerance);
}
#define EXPECT_FLOATS(array, ...) expectFloats(#array, array, __VA_ARGS__)

// Draws the frame as display() does, into the back buffer, without the swap
// after which the buffer could no longer be read (the pixels read from it
// are those the screen shows).
inline void drawFrame() {
    reshape(600, 600);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    placeCamera();  // on the start-up's identity modelview matrix
    placeLights();
    drawScene();
}

// A pixel's red, green and blue, 0 to 255.
using Colour = std::array<int, 3>;
// Expects the pixel (column, row) of the 600 x 600 window, rows counted
// from the top as on the screen, within 1 of the colour worked out in each
// of red, green and blue: a pixel holds whole steps of 1/255, and the
// working is good to a tenth of one (a tenth more of a colour that moves a
// channel by 2 is noticed).
inline void expectColourAt(int column, int row, const Colour& expected) {
    GLubyte actual[3];
    glReadPixels(column, 599 - row, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, actual);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(actual[channel], expected[channel], 1)
            << "RGB"[channel] << " at (" << column << ", " << row << ")";
}
