#include "figure/scene_node.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "gl_window.h"

namespace {

const float IDENTITY[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Checks that an operation leaves the matrix mode and the modelview matrix alone.
class NodeOperations : public testing::Test {
protected:
    void SetUp() override {
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(1, 2, 3);  // something other than the identity
        readMatrix(GL_MODELVIEW_MATRIX, before);
    }
    void TearDown() override {
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);
        float after[16];
        readMatrix(GL_MODELVIEW_MATRIX, after);
        expectMatrixNear(after, before, 0.0f);
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1);
        glLoadIdentity();
    }
    float before[16];
};

// Total turn of the chain node `k` levels down relative to `start`: the
// product of the poses along the way.
void chainRotation(SceneNode* start, int k, float m[16]) {
    glPushMatrix();
    glLoadIdentity();
    for (int i = 1; i <= k; ++i) glMultMatrixf(start->descendant(i)->poseMatrix);
    readMatrix(GL_MODELVIEW_MATRIX, m);
    glPopMatrix();
}

TEST_F(NodeOperations, AFreshNodeHasTheConstructorsValues) {
    const int serial = nodeSerialCounter;
    SceneNode node(1, 2, 3, 90, 1, 0, 0);
    SceneNode next(0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(node.serial, serial);
    EXPECT_EQ(next.serial, serial + 1);
    expectMatrixNear(node.poseMatrix, IDENTITY, 0.0f);
    float r[16];
    rotationMatrix(90, 1, 0, 0, r);
    expectMatrixNear(node.shapeMatrix, r, 0.0f);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(node.translation[i], node.homeTranslation[i]);
    EXPECT_EQ(node.translation[1], 2.0f);
    EXPECT_EQ(node.baseRadius, 0.05f);
    EXPECT_EQ(node.topRadius, 0.05f);
    EXPECT_EQ(node.size, 0.05f);
    EXPECT_EQ(node.shape, SHAPE_SEGMENT);
    EXPECT_TRUE(node.children.empty());
    EXPECT_NE(node.quadric, nullptr);
}

TEST_F(NodeOperations, DescendantStopsAtTheEnds) {
    SceneNode parent(0, 0, 0, 0, 0, 0, 0);
    parent.addChain(11, 0.05f, 0, 0, 90, 0, 1, 0);
    parent.addChain(0, 0, 0, 0, 0, 0, 0, 0);
    parent.addChain(-2, 0, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(parent.children.size(), 1u);
    EXPECT_EQ(parent.descendant(0), &parent);
    EXPECT_EQ(parent.descendant(-3), &parent);
    SceneNode* last = parent.descendant(11);
    EXPECT_TRUE(last->children.empty());
    EXPECT_EQ(parent.descendant(15), last);
    EXPECT_EQ(parent.descendant(10)->children[0], last);
}

TEST_F(NodeOperations, TransformDescendantsBendsAChainIntoAnArc) {
    SceneNode parent(0, 0, 0, 0, 0, 0, 0);
    parent.addChain(6, 0.05f, 0, 0, 90, 0, 1, 0);
    parent.transformDescendants(0.1f, 0, 0, 7, 0, 0, 1);
    expectMatrixNear(parent.poseMatrix, IDENTITY, 0.0f);
    EXPECT_EQ(parent.translation[0], 0.0f);
    for (int k = 1; k <= 6; ++k) {
        float total[16], expected[16];
        chainRotation(&parent, k, total);
        rotationMatrix(7.0f * k, 0, 0, 1, expected);
        expectMatrixNear(total, expected, 1e-5f);
        EXPECT_FLOAT_EQ(parent.descendant(k)->translation[0], 0.15f);
    }
    parent.transformDescendants(-0.1f, 0, 0, -7, 0, 0, 1);
    for (int k = 1; k <= 6; ++k) {
        expectMatrixNear(parent.descendant(k)->poseMatrix, IDENTITY, 1e-6f);
        EXPECT_NEAR(parent.descendant(k)->translation[0], 0.05f, 1e-7f);
    }
}

TEST_F(NodeOperations, TransformTurnsOnTopOfThePose) {
    SceneNode node(0, 0, 0, 0, 0, 0, 0);
    node.transform(0.5f, 0, 0, 0, 0, 0, 0);  // zero angle and axis: only moves
    expectMatrixNear(node.poseMatrix, IDENTITY, 0.0f);
    EXPECT_EQ(node.translation[0], 0.5f);
    node.setPose(1, 1, 1, 30, 0, 0, 1);
    node.transform(0, 0, 0, 60, 0, 0, 1);
    float expected[16];
    rotationMatrix(90, 0, 0, 1, expected);
    expectMatrixNear(node.poseMatrix, expected);
    EXPECT_EQ(node.homeTranslation[0], 0.0f);
}

TEST_F(NodeOperations, ResetSubtreeKeepsShapes) {
    SceneNode parent(0.3f, 0, 0, 0, 0, 0, 0);
    parent.addChain(3, 0.05f, 0, 0, 90, 0, 1, 0);
    SceneNode* tip = parent.descendant(3);
    tip->shape = SHAPE_BALL;
    tip->size = 0.2f;
    parent.transform(1, 0, 0, 45, 1, 0, 0);
    parent.transformDescendants(1, 0, 0, 45, 0, 0, 1);
    parent.resetSubtree();
    float shape[16];
    rotationMatrix(90, 0, 1, 0, shape);
    expectMatrixNear(parent.poseMatrix, IDENTITY, 0.0f);
    EXPECT_EQ(parent.translation[0], 0.3f);
    for (int k = 1; k <= 3; ++k) {
        SceneNode* node = parent.descendant(k);
        expectMatrixNear(node->poseMatrix, IDENTITY, 0.0f);
        expectMatrixNear(node->shapeMatrix, shape, 0.0f);
        EXPECT_EQ(node->translation[0], 0.05f);
    }
    EXPECT_EQ(tip->shape, SHAPE_BALL);
    EXPECT_EQ(tip->size, 0.2f);
}

TEST_F(NodeOperations, DrawingAHeadResetsItsPoseAndTexturing) {
    SceneNode head(0, 0, 0, 90, 1, 0, 0);
    head.shape = SHAPE_HEAD;
    head.size = 0.2f;
    head.transform(0, 0, 0, 33, 0, 0, 1);
    SceneNode empty(0, 0, 0, 0, 0, 0, 0);
    empty.shape = SHAPE_NONE;
    empty.children.push_back(&head);
    float flipped[16];
    rotationMatrix(180, 1, 0, 0, flipped);
    for (int frame = 0; frame < 2; ++frame) {
        empty.draw();
        expectMatrixNear(head.poseMatrix, flipped, 0.0f);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    }
    empty.children.clear();
}

}  // namespace
