// GL tests run the viewer's real start-up, in a directory with small plain
// textures, and then call its functions directly. They read back GL state and
// the vertices a drawing sends (GL feedback mode), and compare them with the
// numbers worked out by hand. CTest runs every test in a process of its own, since
// each changes the viewer's process-wide state.
#pragma once

#include <unistd.h>

#include <cmath>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include "app/display.h"
#include "app/startup.h"
#include "bmp_writer.h"

// The test textures, sky, grass and face: colours and sizes.
constexpr uint32_t TEXTURE_RGB[3] = {0xff00ff, 0x00c800, 0x2040ff};
constexpr int TEXTURE_SIZE[3][2] = {{8, 4}, {4, 2}, {6, 3}};

// Runs the start-up before the test (and again in a death test's child).
struct Viewer : testing::Environment {
    void SetUp() override {
        char dir[] = "/tmp/vantor_gl_XXXXXX";
        ASSERT_EQ(chdir(mkdtemp(dir)), 0);
        const char* names[3] = {"sky.bmp", "grass.bmp", "smileycol.bmp"};
        for (int i = 0; i < 3; ++i)
            writeFile(names[i], plainBmp(TEXTURE_SIZE[i][0], TEXTURE_SIZE[i][1], TEXTURE_RGB[i]));
        int argc = 1;
        char name[] = "gl_tests", *argv[] = {name, nullptr};
        testing::internal::CaptureStdout();  // the "trying to load" lines
        initViewer(argc, argv);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(std::system(("rm -r " + std::string(dir)).c_str()), 0);
    }
};
inline testing::Environment* const viewer = testing::AddGlobalTestEnvironment(new Viewer);

// A vertex's position and texture coordinates.
struct Vertex {
    double x, y, z, s, t;
};
using Polygon = std::vector<Vertex>;

// The polygons `draw` sends, in the coordinates it draws in: the modelview
// matrix is the identity, and window coordinates map one to one onto the
// cube of half side R about the origin (left so for later captures).
inline std::vector<Polygon> capture(void (*draw)()) {
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
    std::vector<Polygon> polygons;
    // A token, a count, then per vertex x y z, r g b a, s t r q.
    for (GLint i = 0, size = glRenderMode(GL_RENDER); i < size;) {
        EXPECT_EQ(buffer[i++], GL_POLYGON_TOKEN);
        polygons.emplace_back();
        for (int n = int(buffer[i++]); n > 0; --n, i += 11) {
            const GLfloat* f = &buffer[i];
            polygons.back().push_back({f[0] - R, f[1] - R, R * (1 - 2.0 * f[2]), f[7], f[8]});
        }
    }
    return polygons;
}

// How many vertices lie on the sphere of `radius` about (x, y, z).
inline int onSphere(const std::vector<Polygon>& polygons, double x, double y, double z, double r) {
    int count = 0;
    for (const Polygon& polygon : polygons)
        for (const Vertex& v : polygon)
            count += std::fabs(std::hypot(v.x - x, v.y - y, v.z - z) - r) < 1e-4;
    return count;
}

// Expects the floats at `actual`, or those that glGetLightfv, glGetMaterialfv
// (front) or glGetFloatv give, to begin with `expected`.
inline void expectFloats(const float* actual, const std::vector<float>& expected,
                         float tolerance = 1e-6f) {
    int i = 0;
    for (float e : expected) EXPECT_NEAR(actual[i++], e, tolerance) << "component " << i - 1;
}
// A light's parameters, one after the other, and the front material's
// ambient, diffuse, specular and shininess.
inline void expectLight(GLenum light, std::initializer_list<GLenum> names,
                        std::initializer_list<float> expected) {
    float v[32], *at = v;
    for (GLenum name : names)
        glGetLightfv(light, name, at), at += name == GL_SPOT_DIRECTION ? 3
                                             : name == GL_SPOT_CUTOFF  ? 1
                                                                       : 4;
    expectFloats(v, expected);
}
inline void expectMaterial(const std::vector<float>& expected) {
    float v[13];
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, v), glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v + 4);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, v + 8), glGetMaterialfv(GL_FRONT, GL_SHININESS, v + 12);
    expectFloats(v, expected);
}
inline void expectState(GLenum name, std::initializer_list<float> expected) {
    float v[16];
    glGetFloatv(name, v), expectFloats(v, expected);
}
