#include "figure/figure.h"

#include <GL/gl.h>

#include "figure/scene_node.h"
#include "scene/lights.h"

int chainLengths[5] = {12, 11, 11, 14, 14};

SceneNode* figureRoot = nullptr;
SceneNode* bodyTop = nullptr;
SceneNode* bodyBottom = nullptr;
SceneNode* head = nullptr;
SceneNode* leftArm = nullptr;
SceneNode* rightArm = nullptr;
SceneNode* leftLeg = nullptr;
SceneNode* rightLeg = nullptr;

namespace {

// A limb: a root segment at (x, -0.05, 0) and a chain of `length` segments
// along its +x, the last one a ball. All its cylinders point along +x.
SceneNode* buildLimb(float x, int length) {
    SceneNode* root = new SceneNode(x, -0.05f, 0.0f, 90.0f, 0.0f, 1.0f, 0.0f);
    root->addChain(length, 0.05f, 0.0f, 0.0f, 90.0f, 0.0f, 1.0f, 0.0f);
    root->descendant(length)->shape = SHAPE_BALL;
    return root;
}

// Half a turn about y, so that a limb points along -x (the figure's left).
void turnToLeft(SceneNode* limb) { limb->transform(0.0f, 0.0f, 0.0f, 180.0f, 0.0f, 1.0f, 0.0f); }

// Curls a leg downwards by the same whole number of degrees per segment.
void bendLeg(SceneNode* leg, int length) {
    const int perSegment = -90 / length;  // truncated: -6 for 14 segments
    leg->transformDescendants(0.0f, 0.0f, 0.0f, static_cast<float>(perSegment), 0.0f, 0.0f, 1.0f);
}

}  // namespace

void buildFigure() {
    figureRoot = new SceneNode(0.0f, static_cast<float>((chainLengths[0] + 4) * 0.05), 0.0f, 90.0f,
                               1.0f, 0.0f, 0.0f);
    figureRoot->shape = SHAPE_NONE;

    figureRoot->addChain(chainLengths[0], 0.0f, -0.05f, 0.0f, 90.0f, 1.0f, 0.0f, 0.0f);
    bodyTop = figureRoot->children[0];
    bodyBottom = bodyTop->descendant(chainLengths[0] - 1);

    head = new SceneNode(0.0f, 0.2f, 0.0f, 90.0f, 1.0f, 0.0f, 0.0f);
    head->shape = SHAPE_HEAD;
    head->size = 0.2f;
    bodyTop->children.push_back(head);

    leftArm = buildLimb(-0.05f, chainLengths[1]);
    turnToLeft(leftArm);
    bodyTop->children.push_back(leftArm);

    rightArm = buildLimb(0.05f, chainLengths[2]);
    bodyTop->children.push_back(rightArm);

    leftLeg = buildLimb(0.0f, chainLengths[3]);
    turnToLeft(leftLeg);
    bendLeg(leftLeg, chainLengths[3]);
    bodyBottom->children.push_back(leftLeg);

    rightLeg = buildLimb(0.0f, chainLengths[4]);
    bendLeg(rightLeg, chainLengths[4]);
    bodyBottom->children.push_back(rightLeg);
}

void drawFigure() {
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    setMaterial(figureMaterial);
    figureRoot->draw();
}
