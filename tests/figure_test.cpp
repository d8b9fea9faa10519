#include "figure/figure.h"

#include <vector>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "figure/scene_node.h"
#include "gl_window.h"

namespace {

void collect(SceneNode* node, NodePath* all) {
    all->push_back(node);
    for (SceneNode* child : node->children) collect(child, all);
}

void expectAt(const NodePath& path, float x, float y, float tolerance) {
    float p[3];
    positionInFigure(path, p);
    EXPECT_NEAR(p[0], x, tolerance);
    EXPECT_NEAR(p[1], y, tolerance);
    EXPECT_NEAR(p[2], 0.0f, 1e-6f);
}

struct Figure : testing::Test {
    void SetUp() override { ensureFigure(); }
};

TEST_F(Figure, HasSixtyEightNodesNumberedInBuildingOrder) {
    NodePath all;
    collect(figureRoot, &all);
    ASSERT_EQ(all.size(), 68u);
    // Serials run on without gaps in the order of the design's table:
    // root, body, head, left arm, right arm, left leg, right leg.
    const int first = figureRoot->serial;
    EXPECT_EQ(bodyTop->serial, first + 1);
    EXPECT_EQ(bodyBottom->serial, first + 12);
    EXPECT_EQ(head->serial, first + 13);
    EXPECT_EQ(leftArm->serial, first + 14);
    EXPECT_EQ(rightArm->serial, first + 26);
    EXPECT_EQ(leftLeg->serial, first + 38);
    EXPECT_EQ(rightLeg->serial, first + 53);
    EXPECT_EQ(rightLeg->descendant(14)->serial, first + 67);
    EXPECT_EQ(figureRoot->shape, SHAPE_NONE);
    EXPECT_EQ(head->shape, SHAPE_HEAD);
    EXPECT_EQ(head->size, 0.2f);
}

TEST_F(Figure, ChildrenAreInTheirFixedOrder) {
    ASSERT_EQ(bodyTop->children.size(), 4u);
    EXPECT_EQ(bodyTop->children[0], bodyTop->descendant(1));
    EXPECT_EQ(bodyTop->children[1], head);
    EXPECT_EQ(bodyTop->children[2], leftArm);
    EXPECT_EQ(bodyTop->children[3], rightArm);
    ASSERT_EQ(bodyBottom->children.size(), 2u);
    EXPECT_EQ(bodyBottom->children[0], leftLeg);
    EXPECT_EQ(bodyBottom->children[1], rightLeg);
    // The first-child line runs down the body into the left leg to its foot.
    EXPECT_EQ(bodyTop->descendant(11), bodyBottom);
    EXPECT_EQ(bodyTop->descendant(12), leftLeg);
    EXPECT_EQ(bodyTop->descendant(26), leftLeg->descendant(14));
    EXPECT_EQ(bodyTop->descendant(40), leftLeg->descendant(14));
    for (SceneNode* limb : {leftArm, rightArm}) EXPECT_EQ(limb->descendant(11)->shape, SHAPE_BALL);
    for (SceneNode* limb : {leftLeg, rightLeg}) EXPECT_EQ(limb->descendant(14)->shape, SHAPE_BALL);
}

TEST_F(Figure, HandsAndFeetAreWhereTheFigureIsDrawn) {
    const NodePath top = {figureRoot, bodyTop};
    expectAt(followFirstChildren({figureRoot, bodyTop, leftArm}, 11), -0.60f, 0.70f, 1e-5f);
    expectAt(followFirstChildren({figureRoot, bodyTop, rightArm}, 11), 0.60f, 0.70f, 1e-5f);
    const NodePath hips = followFirstChildren(top, 11);
    NodePath left = hips, right = hips;
    left.push_back(leftLeg);
    right.push_back(rightLeg);
    expectAt(followFirstChildren(left, 14), -0.497f, -0.252f, 1e-3f);
    expectAt(followFirstChildren(right, 14), 0.497f, -0.252f, 1e-3f);
    expectAt({figureRoot, bodyTop, head}, 0.0f, 0.95f, 1e-6f);
}

TEST_F(Figure, DrawingUsesThirtyOneStackEntriesAndRestoresState) {
    GLint most = 0;
    glGetIntegerv(GL_MAX_MODELVIEW_STACK_DEPTH, &most);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // With the base entry and the two pushes of the frame around it the
    // figure reaches 31 entries: one more level still fits a 32-entry stack,
    // two more overflow it.
    glPushMatrix();
    glPushMatrix();
    while (glGetError() != GL_NO_ERROR) {
    }
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glShadeModel(GL_FLAT);
    drawFigure();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    GLint depth = 0, mode = 0, shade = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 3);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(shade, GL_SMOOTH);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    if (most == 32) {
        glPushMatrix();
        drawFigure();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        glPushMatrix();
        drawFigure();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_STACK_OVERFLOW));
    }
    // Overflowed pushes are dropped but their pops are not: unwind by depth.
    for (glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth); depth > 1; --depth) glPopMatrix();
    while (glGetError() != GL_NO_ERROR) {
    }
}

}  // namespace
