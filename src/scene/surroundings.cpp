#include "scene/surroundings.h"

#include <GL/freeglut.h>

#include "figure/figure.h"
#include "scene/lights.h"
#include "textures/textures.h"

float markerSpin = 0.0f;
float skySpin = 0.0f;
GLUquadric* skyQuadric = gluNewQuadric();

namespace {

constexpr float SKY_RADIUS = 15.0f;
constexpr float GROUND_WIDTH = 6.0f;
constexpr float GROUND_STEPS = 30.0f;

// One face of a box: four (s, t, x, y, z) corners.
struct BoxFace {
    float corner[4][5];
};

// The unit cube's faces. The four sides wrap the texture once around the box,
// a quarter each; top and bottom each carry the whole texture.
const BoxFace boxFaces[6] = {
    {{{0, 1, -0.5f, 0.5f, 0.5f},
      {0.25f, 1, 0.5f, 0.5f, 0.5f},
      {0.25f, 0, 0.5f, -0.5f, 0.5f},
      {0, 0, -0.5f, -0.5f, 0.5f}}},
    {{{0.5f, 1, 0.5f, 0.5f, -0.5f},
      {0.5f, 0, 0.5f, -0.5f, -0.5f},
      {0.25f, 0, 0.5f, -0.5f, 0.5f},
      {0.25f, 1, 0.5f, 0.5f, 0.5f}}},
    {{{0.75f, 0, -0.5f, -0.5f, -0.5f},
      {0.5f, 0, 0.5f, -0.5f, -0.5f},
      {0.5f, 1, 0.5f, 0.5f, -0.5f},
      {0.75f, 1, -0.5f, 0.5f, -0.5f}}},
    {{{0.75f, 0, -0.5f, -0.5f, -0.5f},
      {0.75f, 1, -0.5f, 0.5f, -0.5f},
      {1, 1, -0.5f, 0.5f, 0.5f},
      {1, 0, -0.5f, -0.5f, 0.5f}}},
    {{{0, 0, -0.5f, 0.5f, -0.5f},
      {0, 1, 0.5f, 0.5f, -0.5f},
      {1, 1, 0.5f, 0.5f, 0.5f},
      {1, 0, -0.5f, 0.5f, 0.5f}}},
    {{{0, 0, -0.5f, -0.5f, -0.5f},
      {0, 1, 0.5f, -0.5f, -0.5f},
      {1, 1, 0.5f, -0.5f, 0.5f},
      {1, 0, -0.5f, -0.5f, 0.5f}}},
};

// The unit cube with its texture coordinates; no normals are sent, so the
// faces are lit with whatever normal the drawing before left current.
void drawBox() {
    for (const BoxFace& face : boxFaces) {
        glBegin(GL_POLYGON);
        glColor3f(1.0f, 1.0f, 1.0f);
        for (const float* c : face.corner) {
            glTexCoord2f(c[0], c[1]);
            glVertex3f(c[2], c[3], c[4]);
        }
        glEnd();
    }
}

void drawMarker() {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_FLAT);
    setMaterial(markerMaterial);
    glPushMatrix();
    glTranslatef(0.0f, 2.0f, 0.0f);
    glRotatef(markerSpin, 0.0f, 1.0f, 0.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glutSolidSphere(0.3, 10, 10);
    if (markerSpin > 360.0f) markerSpin -= 360.0f;
    glPopMatrix();
}

}  // namespace

void drawSky() {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, TEXTURE_SKY);
    gluQuadricTexture(skyQuadric, GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glRotatef(skySpin, 0.0f, 1.0f, 0.0f);
    if (skySpin > 360.0f) skySpin -= 360.0f;
    // The sphere's poles onto the world's y axis: texture t = 0 at the top.
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    gluSphere(skyQuadric, SKY_RADIUS, 15, 15);
    glPopMatrix();
}

void drawGround() {
    const float step = GROUND_WIDTH / GROUND_STEPS;
    const float half = GROUND_WIDTH / 2.0f;
    // The boxes sink with the leg length so that their tops meet the feet.
    const float drop = static_cast<float>((chainLengths[4] - 3) * (-0.05));

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    // The float steps drift just above the multiples of 0.2, so each loop
    // stops after 30 boxes (the last centre is 2.8000007), not 31.
    for (float x = -half; x <= half; x += step) {
        for (float z = -half; z <= half; z += step) {
            glPushMatrix();
            glTranslatef(x, drop, z);
            glScalef(1.0f, 0.5f, 1.0f);
            glBindTexture(GL_TEXTURE_2D, TEXTURE_GRASS);
            drawBox();
            glPopMatrix();
        }
    }
    drawMarker();
}
