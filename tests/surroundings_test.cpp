#include "scene/surroundings.h"

#include <algorithm>
#include <vector>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/display.h"
#include "app/menus.h"
#include "input/mouse.h"
#include "figure/animations.h"
#include "gl_window.h"
#include "scene/lights.h"

namespace {

// The polygons that drawing sends, captured with GL's feedback mode in a
// view where window coordinates map back to world x and y exactly.
struct Polygon {
    std::vector<float> x, y;
};

std::vector<Polygon> capturePolygons(void (*draw)(), float extent) {
    glViewport(0, 0, 600, 600);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    std::vector<float> buffer(400000);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int used = glRenderMode(GL_RENDER);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    std::vector<Polygon> polygons;
    for (int i = 0; i < used;) {
        const int token = static_cast<int>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) break;  // the scene sends only polygons
        const int count = static_cast<int>(buffer[i++]);
        Polygon p;
        for (int v = 0; v < count; ++v, i += 3) {
            p.x.push_back(buffer[i] / 300.0f * extent - extent);
            p.y.push_back(buffer[i + 1] / 300.0f * extent - extent);
        }
        polygons.push_back(p);
    }
    return polygons;
}

struct Surroundings : testing::Test {
    void SetUp() override {
        initMaterials();
        markerSpin = skySpin = 0.0f;
    }
};

TEST_F(Surroundings, GroundIsThirtyByThirtyHalfHeightBoxes) {
    int faces = 0;
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const Polygon& p : capturePolygons(drawGround, 5.0f)) {
        if (*std::max_element(p.y.begin(), p.y.end()) > 1.0f) continue;  // the marker sphere
        ++faces;
        minX = std::min(minX, *std::min_element(p.x.begin(), p.x.end()));
        maxX = std::max(maxX, *std::max_element(p.x.begin(), p.x.end()));
        minY = std::min(minY, *std::min_element(p.y.begin(), p.y.end()));
        maxY = std::max(maxY, *std::max_element(p.y.begin(), p.y.end()));
    }
    EXPECT_EQ(faces, 900 * 6 * 2);  // Mesa feeds each four-cornered face back as two triangles
    // Boxes 1 wide centred from -3.0 to about 2.8: not symmetric about 0.
    EXPECT_NEAR(minX, -3.5f, 1e-3f);
    EXPECT_NEAR(maxX, 3.3f, 1e-3f);
    EXPECT_NEAR(maxY, -0.30f, 1e-3f);  // tops
    EXPECT_NEAR(minY, -0.80f, 1e-3f);  // bottoms
}

TEST_F(Surroundings, GroundLeavesTheMarkersState) {
    glEnable(GL_TEXTURE_2D);
    drawGround();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_FLAT);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(value, 2);
    float specular[4];
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    EXPECT_FLOAT_EQ(specular[0], 1.3f);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

TEST_F(Surroundings, SkyIsUnlitAndTextured) {
    glEnable(GL_LIGHTING);
    drawSky();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint value = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &value);
    EXPECT_EQ(value, 1);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    // A sphere of radius 15 with its poles on the y axis.
    float minY = 1e9f, maxY = -1e9f;
    for (const Polygon& p : capturePolygons(drawSky, 20.0f)) {
        for (float y : p.y) {
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    EXPECT_NEAR(minY, -15.0f, 1e-3f);
    EXPECT_NEAR(maxY, 15.0f, 1e-3f);
}

TEST_F(Surroundings, SpinsWrapOnlyPastThreeSixty) {
    skySpin = 360.0f;
    markerSpin = 360.0f;
    drawSky();
    drawGround();
    EXPECT_EQ(skySpin, 360.0f);
    EXPECT_EQ(markerSpin, 360.0f);
    skySpin = 360.1f;
    markerSpin = 361.0f;
    drawSky();
    drawGround();
    EXPECT_NEAR(skySpin, 0.1f, 1e-4f);
    EXPECT_FLOAT_EQ(markerSpin, 1.0f);
    skySpin = markerSpin = 0.0f;
}

}  // namespace
