// The noodlet: a tree of 68 scene nodes built once and drawn every frame.
//
// An invisible root carries a body chain of 12 segments; the head and both
// arms hang from the body's top node, the legs from its bottom node. Every
// limb ends in a ball. Owns the chain lengths and the node pointers below,
// which buildFigure() fills in and the animations move the figure through.
#pragma once

struct SceneNode;

// Segments in the body, left arm, right arm, left leg and right leg chains.
extern int chainLengths[5];

extern SceneNode* figureRoot;  // invisible root, 0.8 above the origin
extern SceneNode* bodyTop;     // first body node: shoulders and head hang from it
extern SceneNode* bodyBottom;  // last body node: the legs hang from it
extern SceneNode* head;
extern SceneNode* leftArm;  // left is negative x in the figure's frame
extern SceneNode* rightArm;
extern SceneNode* leftLeg;
extern SceneNode* rightLeg;

// Builds the tree in a fixed order (which fixes children orders and serials).
// Needs a current GL context.
void buildFigure();
// Sets the figure's GL state and material and draws the tree.
void drawFigure();
