#include "scene/lights.h"

#include <GL/gl.h>

float sceneLightPosition[4] = {1.0f, 1.0f, 1.0f, 1.0f};
float sceneLightAmbient[4] = {5.0f, 5.0f, 5.0f, 1.0f};
float sceneLightDiffuse[4] = {0.6f, 0.6f, 0.6f, 1.0f};
float sceneLightSpecular[4] = {0.8f, 0.8f, 0.8f, 1.0f};
float spotPosition[4] = {0.0f, 2.0f, 0.0f, 1.0f};
float spotDirection[3] = {0.0f, -2.0f, 0.0f};
float spotAmbient[4] = {5.2f, 5.2f, 5.5f, 1.0f};
float spotDiffuse[4] = {4.2f, 4.2f, 4.5f, 1.0f};
float spotSpecular[4] = {4.2f, 4.2f, 4.5f, 1.0f};

// Negative colours are meant: OpenGL does not clamp material colours, so the
// figure's negative diffuse darkens it where diffuse light falls.
const Material materialTable[MATERIAL_COUNT] = {
    {{0.4f, 0.7f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, 15.0f},
    {{0.5f, 0.5f, 0.5f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0f},
    {{0.15375f, 0.15f, 0.16625f, 1.0f},
     {0.18275f, 0.17f, 0.22525f, 1.0f},
     {1.3f, 1.3f, 1.3f, 1.0f},
     15.0f},
    {{0.34f, 0.14f, 0.0f, 1.0f}, {-0.4f, -0.4f, -0.4f, 1.0f}, {0.2f, 0.2f, 0.2f, 1.0f}, 0.0f},
    {{0.3f, 0.3f, 0.5f, 0.5f}, {0.5f, 0.7f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f, 0.8f}, 8.0f},
    {{0.5f, 0.5f, 0.8f, 1.0f}, {-1.0f, -1.0f, -0.8f, 1.0f}, {-0.5f, -0.5f, -0.2f, 1.0f}, 60.0f},
};

const Material* startupMaterial = nullptr;
const Material* markerMaterial = nullptr;
const Material* figureMaterial = nullptr;

namespace {

void sendSpotColours() {
    glLightfv(GL_LIGHT1, GL_DIFFUSE, spotDiffuse);
    glLightfv(GL_LIGHT1, GL_AMBIENT, spotAmbient);
    glLightfv(GL_LIGHT1, GL_SPECULAR, spotSpecular);
}

}  // namespace

void initLights() {
    glEnable(GL_LIGHT1);
    sendSpotColours();
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 10.0f);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, sceneLightDiffuse);
    glLightfv(GL_LIGHT0, GL_AMBIENT, sceneLightAmbient);
    glLightfv(GL_LIGHT0, GL_SPECULAR, sceneLightSpecular);
}

void initMaterials() {
    startupMaterial = &materialTable[1];
    markerMaterial = &materialTable[2];
    figureMaterial = &materialTable[3];
}

void setMaterial(const Material* m) {
    glMaterialfv(GL_FRONT, GL_AMBIENT, m->ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m->diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m->specular);
    glMaterialfv(GL_FRONT, GL_SHININESS, &m->shininess);
}

void placeLights() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLightfv(GL_LIGHT1, GL_POSITION, spotPosition);
    glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, spotDirection);
    glLightfv(GL_LIGHT0, GL_POSITION, sceneLightPosition);
    glPopMatrix();
    // The keyboard only writes the arrays; re-sending them here makes its
    // colour changes show at the next frame.
    sendSpotColours();
}
