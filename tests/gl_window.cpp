#include "gl_window.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "figure/figure.h"
#include "figure/scene_node.h"
#include "scene/lights.h"

namespace {

class GlWindow : public testing::Environment {
public:
    void SetUp() override {
        int argc = 1;
        char name[] = "gl_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutInitWindowSize(600, 600);
        glutCreateWindow("");
        glutHideWindow();
    }
};

testing::Environment* const window = testing::AddGlobalTestEnvironment(new GlWindow);

}  // namespace

void readMatrix(GLenum which, float m[16]) { glGetFloatv(which, m); }

void expectMatrixNear(const float* actual, const float* expected, float tolerance) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

void rotationMatrix(float angle, float x, float y, float z, float m[16]) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRotatef(angle, x, y, z);
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
}

void ensureFigure() {
    if (figureRoot != nullptr) return;
    initLights();
    initMaterials();
    buildFigure();
}

NodePath followFirstChildren(NodePath path, int steps) {
    for (int i = 0; i < steps; ++i) path.push_back(path.back()->children[0]);
    return path;
}

void positionInFigure(const NodePath& path, float out[3]) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (SceneNode* node : path) {
        glTranslatef(node->translation[0], node->translation[1], node->translation[2]);
        glMultMatrixf(node->poseMatrix);
    }
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
    for (int i = 0; i < 3; ++i) out[i] = m[12 + i];
}
