#include "figure/animations.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/display.h"
#include "app/menus.h"
#include "input/mouse.h"
#include "scene/surroundings.h"
#include "figure/figure.h"
#include "figure/scene_node.h"
#include "gl_window.h"

namespace {

struct NodeState {
    SceneNode* node;
    std::vector<float> pose;
    float translation[3];
};

void collect(SceneNode* node, std::vector<NodeState>* all) {
    NodeState s{node,
                std::vector<float>(node->poseMatrix, node->poseMatrix + 16),
                {node->translation[0], node->translation[1], node->translation[2]}};
    all->push_back(s);
    for (SceneNode* child : node->children) collect(child, all);
}

// A node's turn about z in degrees, read from its pose matrix.
double turnOf(SceneNode* node) {
    return std::atan2(node->poseMatrix[1], node->poseMatrix[0]) * 180.0 / M_PI;
}

class Animations : public testing::Test {
protected:
    void SetUp() override {
        ensureFigure();
        resetAnimationState();
        requestedAnimation = nullptr;
        activeAnimation = nullptr;
        collect(figureRoot, &before);
    }
    // Runs `step` as the active animation for `ticks` ticks with nothing
    // requested; returns the tick at which it handed over (0 if it did not).
    int runUntilHandOver(AnimationStep step, int ticks) {
        activeAnimation = step;
        for (int tick = 1; tick <= ticks; ++tick) {
            step();
            if (activeAnimation != step) return tick;
        }
        return 0;
    }
    void expectPosesAsBefore(float tolerance, SceneNode* except = nullptr) {
        for (const NodeState& s : before) {
            for (int i = 0; i < 16; ++i) {
                ASSERT_NEAR(s.node->poseMatrix[i], s.pose[i], tolerance)
                    << "node " << s.node->serial;
            }
            if (s.node == except) continue;
            for (int i = 0; i < 3; ++i)
                ASSERT_NEAR(s.node->translation[i], s.translation[i], 1e-6f);
        }
    }
    std::vector<NodeState> before;
};

TEST_F(Animations, WavingCyclesInTwentyTicksAndComesBack) {
    const double curl[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1, 0};
    const double elbow[10] = {8, 16, 24, 32, 24, 16, 8, 0, -8, 0};
    activeAnimation = waving;
    for (int tick = 0; tick < 20; ++tick) {
        waving();
        EXPECT_NEAR(turnOf(leftArm->descendant(1)), curl[tick], 1e-3) << "tick " << tick + 1;
        EXPECT_NEAR(turnOf(rightArm->descendant(5)), elbow[tick % 10], 1e-3) << "tick " << tick + 1;
        EXPECT_EQ(activeAnimation == nullptr, tick == 19);
    }
    expectPosesAsBefore(1e-5f);
}

TEST_F(Animations, DancingCyclesInTwentyTicksAndRaisesTheBody) {
    const float angles[20] = {1, 2, 3, 4, 5, 4, 3, 2, 1, 0, -1, -2, -3, -4, -5, -4, -3, -2, -1, 0};
    activeAnimation = dancing;
    for (int tick = 0; tick < 20; ++tick) {
        dancing();
        EXPECT_EQ(animAngle[1], tick == 19 ? 0.0f : angles[tick]) << "tick " << tick + 1;
        EXPECT_EQ(activeAnimation == nullptr, tick == 19);
    }
    expectPosesAsBefore(1e-5f, bodyTop);
    // The body's top now sits at the root's origin, 0.05 above where it was built.
    EXPECT_EQ(bodyTop->translation[0], 0.0f);
    EXPECT_EQ(bodyTop->translation[1], 0.0f);
    bodyTop->translation[1] = -0.05f;
}

TEST_F(Animations, ArmWaveCyclesInThirtyTicksAndLeavesTheArmsStraight) {
    activeAnimation = armWave;
    for (int tick = 1; tick <= 30; ++tick) {
        armWave();
        if (tick <= 18) {
            EXPECT_EQ(animCounter[0], 11 - tick);
            EXPECT_EQ(animCounter[1], 0);
        } else if (tick < 30) {
            EXPECT_EQ(animCounter[1], tick - 18);
        }
        EXPECT_EQ(activeAnimation == nullptr, tick == 30);
    }
    EXPECT_EQ(animCounter[0], 11);  // cleared for the next cycle
    EXPECT_EQ(animCounter[1], 0);
    expectPosesAsBefore(1e-6f);
}

TEST_F(Animations, ArmWaveBendsOnlyOneArmAtATime) {
    activeAnimation = armWave;
    for (int tick = 1; tick <= 15; ++tick)
        armWave();  // c = -3: the pattern runs out of the left arm
    EXPECT_NEAR(turnOf(leftArm->descendant(1)), -15.0, 1e-4);
    EXPECT_NEAR(turnOf(leftArm->descendant(4)), 15.0, 1e-4);
    EXPECT_NEAR(turnOf(rightArm->descendant(1)), 0.0, 1e-6);
    for (int tick = 16; tick <= 19; ++tick) armWave();  // e = 0: the right arm's root turns
    EXPECT_NEAR(turnOf(rightArm), 15.0, 1e-4);
    for (int i = 1; i <= 11; ++i) EXPECT_NEAR(turnOf(leftArm->descendant(i)), 0.0, 1e-6);
    runUntilHandOver(armWave, 30);
}

TEST_F(Animations, ANewChoiceWaitsForTheEndOfTheCycle) {
    requestedAnimation = dancing;
    activeAnimation = waving;
    for (int tick = 1; tick <= 19; ++tick) {
        waving();
        ASSERT_EQ(activeAnimation, waving);
    }
    waving();
    EXPECT_EQ(activeAnimation, dancing);
    // "None" lets the dance finish its cycle, then stops.
    requestedAnimation = nullptr;
    EXPECT_EQ(runUntilHandOver(dancing, 40), 20);
    EXPECT_EQ(activeAnimation, nullptr);
    bodyTop->translation[1] = -0.05f;
    expectPosesAsBefore(1e-5f);
}

}  // namespace
