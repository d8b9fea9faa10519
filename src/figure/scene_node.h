// SceneNode: one transform node of the figure, and the operations on node trees.
//
// A node is a local frame (a translation and a pose rotation relative to its
// parent) with children and one simple shape of its own. Chains of identical
// nodes, each the only child of the one before, make bendable limbs: turning
// every node of a chain by the same small angle curls it into an arc.
//
// Every rotation matrix is computed on the OpenGL modelview stack and read
// back, so each operation below needs a current GL context. Each leaves the
// matrix mode at GL_MODELVIEW and the modelview matrix as it found it.
// Owns the serial counter that numbers the nodes.
#pragma once

#include <vector>

#include <GL/glu.h>

constexpr int SHAPE_NONE = -1;    // draws only its children
constexpr int SHAPE_SEGMENT = 0;  // a short cylinder with a ball at its joint
constexpr int SHAPE_HEAD = 1;     // a sphere wearing the face texture
constexpr int SHAPE_BALL = 2;     // a solid ball, 1.5 times the node's size

// Serial number that the next node constructed takes; 1 at start.
extern int nodeSerialCounter;

struct SceneNode {
    float* poseMatrix;                 // 16 floats, column-major; moves the node and its children
    float* shapeMatrix;                // 16 floats; orients only the node's own shape
    float homeTranslation[3];          // the translation given at construction
    float translation[3];              // current offset in the parent's frame
    GLUquadric* quadric;               // this node's own GLU quadric
    std::vector<SceneNode*> children;  // in insertion order
    float baseRadius;                  // segment cylinder radii
    float topRadius;
    float size;  // cylinder height and sphere radius
    int serial;  // creation number
    int shape;   // SHAPE_NONE, SHAPE_SEGMENT, SHAPE_HEAD or SHAPE_BALL

    // Translation (tx, ty, tz); shape matrix R(angle, ax, ay, az); identity pose.
    SceneNode(float tx, float ty, float tz, float angle, float ax, float ay, float az);
    // A node owns its matrices, its quadric and its children. The figure's
    // nodes live until the process ends; only short-lived trees are deleted.
    ~SceneNode();
    SceneNode(const SceneNode&) = delete;
    SceneNode& operator=(const SceneNode&) = delete;

    // Translation := (tx, ty, tz) and pose := R(angle, axis).
    void setPose(float tx, float ty, float tz, float angle, float ax, float ay, float az);
    // Back to the home translation with an identity pose.
    void resetPose();
    // Translation += (dx, dy, dz) and pose := R(angle, axis) * pose.
    void transform(float dx, float dy, float dz, float angle, float ax, float ay, float az);
    // transform() on every node below this one, but not on this node.
    void transformDescendants(float dx, float dy, float dz, float angle, float ax, float ay,
                              float az);
    // resetPose() on this node and every node below it.
    void resetSubtree();
    // The node n first-child steps down; stops early at a leaf; n <= 0 gives this node.
    SceneNode* descendant(int n);
    // Hangs a chain of `count` new nodes below this node, each built with the same values.
    void addChain(int count, float tx, float ty, float tz, float angle, float ax, float ay,
                  float az);
    // Draws this node and its whole subtree.
    void draw();
};
