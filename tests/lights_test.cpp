#include "scene/lights.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include "gl_window.h"

namespace {

void expectLight(GLenum light, GLenum what, float a, float b, float c, float d) {
    float v[4];
    glGetLightfv(light, what, v);
    EXPECT_NEAR(v[0], a, 1e-5f);
    EXPECT_NEAR(v[1], b, 1e-5f);
    EXPECT_NEAR(v[2], c, 1e-5f);
    if (what != GL_SPOT_DIRECTION) {
        EXPECT_NEAR(v[3], d, 1e-5f);
    }
}

TEST(Lights, PlacedInWorldCoordinatesUnderTheCamera) {
    initLights();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // A camera at (0, 0, 5): eye space is world space shifted by -5 in z.
    gluLookAt(0, 0, 5, 0, 0, 0, 0, 1, 0);
    placeLights();
    expectLight(GL_LIGHT1, GL_POSITION, 0, 2, -5, 1);
    expectLight(GL_LIGHT1, GL_SPOT_DIRECTION, 0, -2, 0, 0);
    expectLight(GL_LIGHT0, GL_POSITION, 1, 1, -4, 1);
    float cutoff = 0;
    glGetLightfv(GL_LIGHT1, GL_SPOT_CUTOFF, &cutoff);
    EXPECT_EQ(cutoff, 10.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));

    // From above, looking down: the spot direction turns into eye space too.
    glLoadIdentity();
    gluLookAt(0, 5, 0.001, 0, 0, 0, 0, 1, 0);
    placeLights();
    float dir[4];
    glGetLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, dir);
    EXPECT_NEAR(dir[2], -2.0f, 1e-3f);  // straight away from the eye
    glLoadIdentity();
}

TEST(Lights, SpotColoursFollowTheArraysAtTheNextFrame) {
    initLights();
    expectLight(GL_LIGHT1, GL_AMBIENT, 5.2f, 5.2f, 5.5f, 1);
    spotDiffuse[0] = 1.5f;
    spotAmbient[2] = -0.5f;
    expectLight(GL_LIGHT1, GL_DIFFUSE, 4.2f, 4.2f, 4.5f, 1);  // not yet sent
    placeLights();
    expectLight(GL_LIGHT1, GL_DIFFUSE, 1.5f, 4.2f, 4.5f, 1);
    expectLight(GL_LIGHT1, GL_AMBIENT, 5.2f, 5.2f, -0.5f, 1);
    expectLight(GL_LIGHT1, GL_SPECULAR, 4.2f, 4.2f, 4.5f, 1);
    expectLight(GL_LIGHT0, GL_AMBIENT, 5, 5, 5, 1);
    spotDiffuse[0] = 4.2f;
    spotAmbient[2] = 5.5f;
}

TEST(Materials, NegativeAndBrightComponentsAreSentUnchanged) {
    initMaterials();
    EXPECT_EQ(startupMaterial, &materialTable[1]);
    setMaterial(figureMaterial);
    float v[4];
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v);
    EXPECT_FLOAT_EQ(v[0], -0.4f);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, v);
    EXPECT_FLOAT_EQ(v[0], 0.34f);
    setMaterial(markerMaterial);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
    EXPECT_FLOAT_EQ(v[0], 1.3f);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 15.0f);
}

}  // namespace
