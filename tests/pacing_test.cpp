#include <gtest/gtest.h>

#include "app/startup.h"
#include "app/display.h"
#include "app/menus.h"
#include "input/mouse.h"
#include "figure/animations.h"
#include "scene/surroundings.h"

namespace {

int stepsRun = 0;
void countingStep() { ++stepsRun; }

struct Pacing : testing::Test {
    void SetUp() override {
        stepsRun = 0;
        lastTickTime = 1000;
        requestedAnimation = nullptr;
        activeAnimation = nullptr;
        markerSpin = 0.0f;
        skySpin = 0.0f;
    }
};

TEST_F(Pacing, TicksOnlyAfterMoreThanFiftyMilliseconds) {
    EXPECT_FALSE(tickIfDue(1050));
    EXPECT_EQ(lastTickTime, 1000);  // a missed tick does not move the clock
    EXPECT_TRUE(tickIfDue(1051));
    EXPECT_EQ(lastTickTime, 1051);
    EXPECT_FLOAT_EQ(markerSpin, 2.0f);
    EXPECT_FLOAT_EQ(skySpin, 0.1f);
}

TEST_F(Pacing, ALateTickIsOneTick) {
    EXPECT_TRUE(tickIfDue(1500));
    EXPECT_FLOAT_EQ(markerSpin, 2.0f);
    EXPECT_FALSE(tickIfDue(1550));  // measured from the late tick
    EXPECT_TRUE(tickIfDue(1551));
    EXPECT_FLOAT_EQ(markerSpin, 4.0f);
}

TEST_F(Pacing, TheFirstTickTakesTheRequestOverAndTheSecondRunsIt) {
    requestedAnimation = countingStep;
    animationTick();
    EXPECT_EQ(activeAnimation, countingStep);
    EXPECT_EQ(stepsRun, 0);
    animationTick();
    EXPECT_EQ(stepsRun, 1);
    // A new request waits: the running animation keeps running.
    requestedAnimation = nullptr;
    animationTick();
    EXPECT_EQ(stepsRun, 2);
    EXPECT_EQ(activeAnimation, countingStep);
}

}  // namespace
