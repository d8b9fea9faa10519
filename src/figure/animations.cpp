#include "figure/animations.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <vector>

#include "figure/figure.h"
#include "figure/scene_node.h"

AnimationStep requestedAnimation = nullptr;
AnimationStep activeAnimation = nullptr;

float animAngle[ANIM_TABLE_SIZE] = {0};
int animDirection[ANIM_TABLE_SIZE] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
int animCounter[ANIM_TABLE_SIZE] = {chainLengths[1]};  // set when the program loads

const float armWavePattern[8] = {15.0f, 15.0f, -15.0f, -15.0f, -15.0f, -15.0f, 15.0f, 15.0f};

namespace {

// ---- Keeping long runs in shape ----
// A Waving or Dancing cycle turns every node back by exactly what it turned
// it, so each node ends the cycle where it began. In float arithmetic the
// products drift a little each cycle and, over thousands of cycles, visibly
// deform the figure. The poses at the start of a cycle are kept and put back
// when it ends: the motion within the cycle is untouched, and the end of the
// cycle is exact.
std::vector<float> cycleStartPoses;  // 16 floats per node, in tree order
bool cycleStartSaved = false;        // cleared whenever the tables are

void copyPoses(SceneNode* node, size_t* index, bool save) {
    float* slot = cycleStartPoses.data() + *index * 16;
    if (save) {
        std::memcpy(slot, node->poseMatrix, 16 * sizeof(float));
    } else {
        std::memcpy(node->poseMatrix, slot, 16 * sizeof(float));
    }
    ++*index;
    for (SceneNode* child : node->children) copyPoses(child, index, save);
}

size_t countNodes(const SceneNode* node) {
    size_t count = 1;
    for (const SceneNode* child : node->children) count += countNodes(child);
    return count;
}

// Called at the start of every step of a cycling animation: saves the poses
// on the first step of a cycle.
void saveCycleStart() {
    if (cycleStartSaved) return;
    if (cycleStartPoses.empty()) cycleStartPoses.resize(countNodes(figureRoot) * 16);
    size_t index = 0;
    copyPoses(figureRoot, &index, true);
    cycleStartSaved = true;
}

void restoreCycleStart() {
    size_t index = 0;
    copyPoses(figureRoot, &index, false);
}

// Turns `node` (and with it its subtree) about z.
void turnZ(SceneNode* node, double angle) {
    node->transform(0.0f, 0.0f, 0.0f, static_cast<float>(angle), 0.0f, 0.0f, 1.0f);
}

// Turns every node below `node` about z: bends a chain into an arc.
void bendZ(SceneNode* node, double angle) {
    node->transformDescendants(0.0f, 0.0f, 0.0f, static_cast<float>(angle), 0.0f, 0.0f, 1.0f);
}

// Adds `step` to the angle and flips the direction when the angle reaches
// either bound; the turn of the same tick already uses the flipped direction.
void bounce(int entry, float step, float low, float high) {
    animAngle[entry] += step;
    if (animAngle[entry] <= low || animAngle[entry] >= high) {
        animDirection[entry] = -animDirection[entry];
    }
}

// ---- Arm Wave ----

// The left arm at counter c <= 0: the pattern placed at node c, with every
// turn that would fall on the root or beyond it gathered into node 1, so the
// root never bends. Rows for c from 0 down to -6.
void leftArmRunOut(int c) {
    float turns[8] = {0};  // turns[i]: total turn of left node i, i = 1..7
    int node = c;
    for (float turn : armWavePattern) turns[std::max(node++, 1)] += turn;
    // Nodes are turned from the farthest in towards the shoulder. Once the
    // whole pattern has left the arm (c = -6) its turns cancel: nothing turns.
    const int last = c + 7;
    if (last < 2) return;
    for (node = last; node >= 1; --node) turnZ(leftArm->descendant(node), turns[node]);
}

void leftArmPhase(int c) {
    leftArm->resetSubtree();
    leftArm->transform(0.0f, 0.0f, 0.0f, 180.0f, 0.0f, 1.0f, 0.0f);  // its built-in half turn
    if (c >= 1) {
        for (int k = 7; k >= 0; --k) turnZ(leftArm->descendant(c + k), armWavePattern[k]);
    } else {
        leftArmRunOut(c);
    }
    animCounter[0] = c - 1;
}

void rightArmPhase(int e) {
    if (e < 0 || e > chainLengths[2]) return;
    rightArm->resetSubtree();
    int node = e;
    for (float turn : armWavePattern) turnZ(rightArm->descendant(node++), turn);
    animCounter[1] = e + 1;
}

}  // namespace

void waving() {
    saveCycleStart();
    bounce(2, static_cast<float>(animDirection[2]), 0.0f, 10.0f);
    bendZ(leftArm, animDirection[2]);

    bounce(3, static_cast<float>(animDirection[3] * 8), 0.0f, 40.0f);
    turnZ(rightArm->descendant(5), animDirection[3] * 8);  // the right elbow

    if (animAngle[2] == 0.0f && animAngle[3] == 0.0f) {
        restoreCycleStart();
        endAnimationCycle();
    }
}

void dancing() {
    saveCycleStart();
    bounce(1, static_cast<float>(animDirection[1]), -5.0f, 5.0f);
    const int d = animDirection[1];

    bendZ(bodyTop, d * 0.1);
    bendZ(bodyTop->descendant(10), d * -0.1);  // the lowest body node and the legs turn back

    // The top of the body swings on an arc of radius 0.5 below the root.
    const double theta = animAngle[1] / 180.0 * 3.141592653589793;
    bodyTop->translation[0] = static_cast<float>(-std::sin(theta) * 0.05 * 10);
    bodyTop->translation[1] = static_cast<float>(std::cos(theta) * 0.05 * 10 - 0.5);

    bendZ(leftArm, d * 1.0);
    bendZ(rightArm, d * 1.0);
    bendZ(leftLeg, d * -0.5);
    bendZ(rightLeg, d * 0.25);

    if (animAngle[1] == 0.0f && animDirection[1] == 1) {
        restoreCycleStart();
        endAnimationCycle();
    }
}

void armWave() {
    const int c = animCounter[0];
    const int e = animCounter[1];
    if (c >= -6) {
        leftArmPhase(c);
    } else {
        rightArmPhase(e);
    }
    if (animCounter[1] > chainLengths[2]) endAnimationCycle();
}

void endAnimationCycle() {
    resetAnimationState();
    activeAnimation = requestedAnimation;
}

void resetAnimationState() {
    std::fill(std::begin(animAngle), std::end(animAngle), 0.0f);
    std::fill(std::begin(animDirection), std::end(animDirection), 1);
    std::fill(std::begin(animCounter), std::end(animCounter), 0);
    animCounter[0] = chainLengths[1];
    cycleStartSaved = false;
}
