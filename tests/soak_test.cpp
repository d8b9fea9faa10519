// Long runs: ten thousand cycles of each animation, driven tick by tick.
#include <algorithm>
#include <cmath>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/display.h"
#include "app/menus.h"
#include "input/mouse.h"
#include "scene/surroundings.h"
#include "figure/animations.h"
#include "figure/figure.h"
#include "figure/scene_node.h"
#include "gl_window.h"

namespace {

// The largest deviation of any pose's rotation from orthonormal.
double orthonormalError(const SceneNode* node) {
    double worst = 0;
    const float* m = node->poseMatrix;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            double dot = 0;
            for (int k = 0; k < 3; ++k) dot += double(m[i * 4 + k]) * m[j * 4 + k];
            worst = std::max(worst, std::fabs(dot - (i == j ? 1.0 : 0.0)));
        }
    }
    for (const SceneNode* child : node->children) worst = std::max(worst, orthonormalError(child));
    return worst;
}

// Runs `step` as the active, requested animation for `cycles` whole cycles.
void runCycles(AnimationStep step, int cycles) {
    requestedAnimation = step;
    activeAnimation = step;
    resetAnimationState();
    int ended = 0;
    while (ended < cycles) {
        step();
        ended += animCounter[0] == chainLengths[1] && animCounter[1] == 0 && animAngle[1] == 0 &&
                 animAngle[2] == 0 && animAngle[3] == 0 && animDirection[1] == 1 &&
                 animDirection[2] == 1 && animDirection[3] == 1;
    }
    requestedAnimation = activeAnimation = nullptr;
}

TEST(Soak, TenThousandCyclesKeepTheFigureInShape) {
    ensureFigure();
    const NodePath hips = followFirstChildren({figureRoot, bodyTop}, 11);
    NodePath leftFoot = hips, rightFoot = hips;
    leftFoot.push_back(leftLeg);
    rightFoot.push_back(rightLeg);
    const NodePath ends[] = {followFirstChildren({figureRoot, bodyTop, leftArm}, 11),
                             followFirstChildren({figureRoot, bodyTop, rightArm}, 11),
                             followFirstChildren(leftFoot, 14), followFirstChildren(rightFoot, 14)};
    for (AnimationStep step : {waving, dancing, armWave}) {
        runCycles(step, 1);  // the first dance raises the body once, as designed
        float before[4][3];
        for (int e = 0; e < 4; ++e) positionInFigure(ends[e], before[e]);
        runCycles(step, 10000);
        for (int e = 0; e < 4; ++e) {
            float after[3];
            positionInFigure(ends[e], after);
            const double moved = std::hypot(after[0] - before[e][0], after[1] - before[e][1],
                                            after[2] - before[e][2]);
            EXPECT_LT(moved, 1e-4) << "hand or foot " << e;
        }
        EXPECT_LT(orthonormalError(figureRoot), 1e-5);
    }
    bodyTop->translation[1] = -0.05f;
}

}  // namespace
