// The noodlet as drawn, captured with GL's feedback mode: its hands, feet
// and face where its layout puts them, and where each animation moves them
// tick by tick.

#include "viewer.h"

// Whether the figure drawn now has a whole ball of `radius` about (x, y,
// 0): a hand or a foot (radius 0.075) or the joint ball of a segment
// (0.05). Where segments turn, a few corners of the next ball touch it too.
testing::AssertionResult ballAt(double x, double y, double radius) {
    const int vertices = onSphere(capture(drawFigure), x, y, 0, radius);
    return (vertices >= BALL_VERTICES ? testing::AssertionSuccess() : testing::AssertionFailure())
           << vertices << " of its vertices";
}
constexpr double HAND = 0.075, JOINT = 0.05;

TEST(Figure, StandsOnFeetAtTheEndsOfLegsCurvedDownByEightyFourDegrees) {
    // From the hips at (0, 0.15), 14 segments of 0.05, each 6 degrees
    // further down than the one before: x = 0.05 (cos 0 + cos 6 + ... + cos
    // 78) = 0.05 x 9.93604, y = 0.15 - 0.05 (sin 0 + ... + sin 78) = 0.15 -
    // 0.05 x 8.04605.
    // At rest no other corner touches a foot's ball: the whole ball, and no more.
    EXPECT_EQ(onSphere(capture(drawFigure), -0.49680, -0.25230, 0, HAND), BALL_VERTICES);
    EXPECT_EQ(onSphere(capture(drawFigure), 0.49680, -0.25230, 0, HAND), BALL_VERTICES);
}

TEST(Figure, IsSixtyTwoSegmentsFourBallsAndAHead) {
    // 68 nodes: the root draws nothing; the body's 12 segments, and the arms'
    // 11 and the legs' 14 each, are a cylinder and a joint ball; then the
    // hands' and feet's balls and the head: 62 x 2 + 4 + 1 shapes, each 10 x
    // 10 quads, 600 vertices (the head, textured, has quads at its poles too).
    size_t vertices = 0;
    for (const Facet& polygon : capture(drawFigure)) vertices += polygon.size();
    EXPECT_EQ(vertices, (62 * 2 + 4 + 1) * 600u);
}

TEST(Figure, WearsItsFaceUprightFromTheSecondFrameOn) {
    // The texture's t runs from 0 at one pole to 1 at the other.
    capture(drawFigure);
    Vertex top{};
    for (const Facet& polygon : capture(drawFigure))
        for (const Vertex& v : polygon)
            if (isOnSphere(v, 0, 0.95, 0, 0.2) && v.y > top.y) top = v;
    EXPECT_EQ(top.t, 1) << "the face's t on top of the head";
}

// Chooses `entry` in the Animations menu and runs `ticks` ticks.
void choose(int entry, int ticks) {
    menuSelect(entry);
    for (int tick = 0; tick < ticks; ++tick) animationTick();
}

TEST(Waving, StartsOneTickAfterTheTickThatTakesItOver) {
    // The first step curls the left arm's nodes 1 to 11, from (-0.1, 0.7),
    // each 1 degree further up: the hand at (-0.1 - 0.05 (cos 1 + ... + cos
    // 10), 0.7 + 0.05 (sin 1 + ... + sin 10)) = (-0.1 - 0.05 x 9.94146, 0.7 +
    // 0.05 x 0.95725); and turns the right arm 8 degrees at its 5th node,
    // (0.3, 0.7): the hand at (0.3 + 0.3 cos 8, 0.7 + 0.3 sin 8).
    choose(ANIM_WAVING, 1);
    EXPECT_EQ(activeAnimation, &waving);
    EXPECT_TRUE(ballAt(-0.6, 0.7, HAND)) << "the left hand, still";
    animationTick();
    EXPECT_TRUE(ballAt(-0.59707, 0.74786, HAND));
    EXPECT_TRUE(ballAt(0.59708, 0.74175, HAND));
}

TEST(Animation, NoneStopsTheFigureOnlyAtTheEndOfTheCycle) {
    choose(ANIM_WAVING, 1 + 3);
    choose(ANIM_NONE, 16);
    EXPECT_EQ(activeAnimation, &waving) << "at the 19th step";
    choose(ANIM_NONE, 1 + 5);
    EXPECT_EQ(activeAnimation, nullptr);
    EXPECT_TRUE(ballAt(0.6, 0.7, HAND));
}

TEST(Animation, AnotherChoiceStartsWhenTheRunningCycleEndsFromItsOwnStart) {
    choose(ANIM_WAVING, 1 + 3);
    choose(ANIM_ARM_WAVE, 17);  // the waving's 20th step hands over
    EXPECT_EQ(activeAnimation, &armWave);
    EXPECT_EQ(animCounter[0], 11);  // its pattern starts at the left hand
}

TEST(Dancing, SwaysTheTopOfTheBodyOnAnArcBelowTheRoot) {
    // After 5 steps the angle is 5 degrees: the body's top, on a circle of
    // 0.5 about (0, 0.3), at (-0.5 sin 5, 0.3 + 0.5 cos 5).
    choose(ANIM_DANCING, 1 + 5);
    EXPECT_TRUE(ballAt(-0.04358, 0.79810, JOINT));
}

TEST(Dancing, EndsItsCycleAfterTwentyStepsWithTheFigureAFiftiethHigher) {
    // The body's top at the root, (0, 0.8), not 0.05 below it as built:
    // everything hanging from it 0.05 higher.
    choose(ANIM_DANCING, 1 + 20);
    EXPECT_TRUE(ballAt(0, 0.8, JOINT));
    EXPECT_TRUE(ballAt(0.49680, -0.20230, HAND));
}

TEST(ArmWave, RunsThePatternInAlongTheLeftArmFromTheHand) {
    // After 6 steps the pattern +15 +15 -15 -15 -15 -15 +15 +15 starts at
    // node 6; what falls beyond the hand (node 11) turns only the hand. From
    // node 6 at (-0.35, 0.7) the segments point 15, 30, 15, 0 and -15 degrees
    // up: the hand at (-0.35 - 0.05 (3 cos 15 + cos 30 + 1), 0.7 + 0.05 (sin
    // 15 + sin 30)).
    choose(ANIM_ARM_WAVE, 1 + 6);
    EXPECT_TRUE(ballAt(-0.58819, 0.73794, HAND));
    EXPECT_TRUE(ballAt(0.6, 0.7, HAND));
}

TEST(ArmWave, ThenRunsItOutAlongTheRightArmToTheHand) {
    // From the 19th step on the pattern starts at the right arm's root, then
    // one node further each step, and the left arm is straight again. At the
    // 25th it starts at node 6, at (0.35, 0.7): the hand at (0.35 + 0.05 (3
    // cos 15 + cos 30 + 1), 0.7 + 0.05 (sin 15 + sin 30)).
    choose(ANIM_ARM_WAVE, 1 + 25);
    EXPECT_TRUE(ballAt(-0.6, 0.7, HAND));
    EXPECT_TRUE(ballAt(0.58819, 0.73794, HAND));
}

TEST(ArmWave, EndsItsCycleAfterThirtyStepsWithBothArmsStraight) {
    choose(ANIM_ARM_WAVE, 1 + 30);
    EXPECT_TRUE(ballAt(-0.6, 0.7, HAND));
    EXPECT_TRUE(ballAt(0.6, 0.7, HAND));
}

TEST(Animation, ThousandsOfCyclesKeepTheFigureInShape) {
    const int cycles = 2000;
    choose(ANIM_DANCING, 1 + 20 * cycles);
    choose(ANIM_WAVING, 20 + 20 * cycles);  // the dance's last cycle, then the waving
    EXPECT_TRUE(ballAt(-0.6, 0.75, HAND));
    EXPECT_TRUE(ballAt(0.49680, -0.20230, HAND));
}
