#include "figure/scene_node.h"

#include <GL/freeglut.h>

#include "textures/textures.h"

int nodeSerialCounter = 1;

namespace {

// Opens the bracket in which a node matrix is computed: a fresh identity on
// top of the caller's modelview matrix.
void beginMatrixWork() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

// Reads the computed matrix into `m` and gives the caller its matrix back.
void endMatrixWork(float* m) {
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
}

// pose := R(angle, axis) * pose, computed on the GL stack.
void turnPose(float* pose, float angle, float ax, float ay, float az) {
    beginMatrixWork();
    glRotatef(angle, ax, ay, az);
    glMultMatrixf(pose);
    endMatrixWork(pose);
}

}  // namespace

SceneNode::SceneNode(float tx, float ty, float tz, float angle, float ax, float ay, float az)
    : poseMatrix(new float[16]),
      shapeMatrix(new float[16]),
      homeTranslation{tx, ty, tz},
      translation{tx, ty, tz},
      quadric(nullptr),
      baseRadius(0.05f),
      topRadius(0.05f),
      size(0.05f),
      serial(nodeSerialCounter++),
      shape(SHAPE_SEGMENT) {
    beginMatrixWork();
    glGetFloatv(GL_MODELVIEW_MATRIX, poseMatrix);
    glRotatef(angle, ax, ay, az);
    endMatrixWork(shapeMatrix);
    quadric = gluNewQuadric();
}

SceneNode::~SceneNode() {
    for (SceneNode* child : children) delete child;
    gluDeleteQuadric(quadric);
    delete[] shapeMatrix;
    delete[] poseMatrix;
}

void SceneNode::setPose(float tx, float ty, float tz, float angle, float ax, float ay, float az) {
    translation[0] = tx;
    translation[1] = ty;
    translation[2] = tz;
    beginMatrixWork();
    glRotatef(angle, ax, ay, az);
    endMatrixWork(poseMatrix);
}

void SceneNode::resetPose() {
    setPose(homeTranslation[0], homeTranslation[1], homeTranslation[2], 0.0f, 0.0f, 0.0f, 0.0f);
}

void SceneNode::transform(float dx, float dy, float dz, float angle, float ax, float ay, float az) {
    translation[0] += dx;
    translation[1] += dy;
    translation[2] += dz;
    turnPose(poseMatrix, angle, ax, ay, az);
}

void SceneNode::transformDescendants(float dx, float dy, float dz, float angle, float ax, float ay,
                                     float az) {
    for (SceneNode* child : children) {
        child->transform(dx, dy, dz, angle, ax, ay, az);
        child->transformDescendants(dx, dy, dz, angle, ax, ay, az);
    }
}

void SceneNode::resetSubtree() {
    resetPose();
    for (SceneNode* child : children) child->resetSubtree();
}

SceneNode* SceneNode::descendant(int n) {
    SceneNode* node = this;
    while (n > 0 && !node->children.empty()) {
        node = node->children[0];
        --n;
    }
    return node;
}

void SceneNode::addChain(int count, float tx, float ty, float tz, float angle, float ax, float ay,
                         float az) {
    SceneNode* parent = this;
    for (int i = 0; i < count; ++i) {
        SceneNode* node = new SceneNode(tx, ty, tz, angle, ax, ay, az);
        parent->children.push_back(node);
        parent = node;
    }
}

void SceneNode::draw() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(translation[0], translation[1], translation[2]);
    glMultMatrixf(poseMatrix);
    for (SceneNode* child : children) child->draw();
    glMultMatrixf(shapeMatrix);

    switch (shape) {
        case SHAPE_SEGMENT:
            gluCylinder(quadric, baseRadius, topRadius, size, 10, 10);
            glutSolidSphere(size, 10, 10);  // the joint ball
            break;
        case SHAPE_HEAD:
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, TEXTURE_FACE);
            gluQuadricTexture(quadric, GL_TRUE);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
            gluSphere(quadric, size, 10, 10);
            // The head faces forward again at every frame: turns given to it
            // between frames last only until it is drawn.
            beginMatrixWork();
            glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
            endMatrixWork(poseMatrix);
            glDisable(GL_TEXTURE_2D);
            break;
        case SHAPE_BALL: glutSolidSphere(size * 1.5, 10, 10); break;
        default: break;
    }
    glPopMatrix();
}
