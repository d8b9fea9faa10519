// The noodlet as drawn, captured with GL's feedback mode: every node's ball
// and segment where the figure's layout and each animation's turns put them.

#include "viewer.h"

// A pose: each node's turn about z in degrees, numbered from the top of each chain.
struct Pose {
    double topX = 0, topY = -0.05;  // bodyTop's translation below the root
    double body[13] = {};           // body node 1 (bodyTop) to 12 (bodyBottom)
    double armRoot[2] = {};         // left, right
    double arm[2][12] = {};         // arm node 1 to 11 (the hand)
    double leg[2][15] = {};         // leg node 1 to 14 (the foot), on top of the built -6
};

// A node's frame in the figure's plane: origin, direction of its x axis in
// degrees, and -1 once a half turn about y has mirrored it.
struct Frame {
    double x, y, angle;
    int mirror;
    // The frame at (dx, dy) in this one, turned by `turn`, then mirrored by `flip`.
    Frame child(double dx, double dy, double turn, int flip = 1) const {
        const double a = angle * PI / 180, mx = mirror * dx;
        return {x + mx * std::cos(a) - dy * std::sin(a), y + mx * std::sin(a) + dy * std::cos(a),
                angle + mirror * turn, mirror * flip};
    }
};

// A node's ball of `radius` at (x, y); a segment's cylinder of radius 0.05
// runs on to (endX, endY). In the order: body nodes 1 to 12, the head, then
// for the left and then the right side the arm's root and nodes 1 to 11 and
// the leg's root and nodes 1 to 14.
struct Shape {
    double x, y, radius, endX, endY;
};

std::vector<Shape> shapesOf(const Pose& p) {
    std::vector<Shape> shapes;
    const auto add = [&](const Frame& f, double dx, double dy, double r = 0.05) {
        const Frame end = f.child(dx, dy, 0);
        shapes.push_back({f.x, f.y, r, r == 0.05 ? end.x : f.x, r == 0.05 ? end.y : f.y});
    };
    const Frame top = Frame{0, 0.8, 0, 1}.child(p.topX, p.topY, p.body[1]);
    Frame body = top;
    for (int k = 1; k <= 12; ++k) {
        if (k > 1) body = body.child(0, -0.05, p.body[k]);
        add(body, 0, -0.05);  // body cylinders point down
    }
    add(top.child(0, 0.2, 0), 0, 0, 0.2);
    const auto limb = [&](Frame f, const double* turns, int count, double bend = 0) {
        add(f, 0.05, 0);  // limb cylinders point along x
        for (int j = 1; j <= count; ++j)
            add(f = f.child(0.05, 0, turns[j] + bend), 0.05, 0, j == count ? 0.075 : 0.05);
    };
    for (int side = 0, sign = -1; side < 2; ++side, sign = 1) {  // left limbs are mirrored
        limb(top.child(sign * 0.05, -0.05, p.armRoot[side], sign), p.arm[side], 11);
        limb(body.child(0, -0.05, 0, sign), p.leg[side], 14, -6);
    }
    return shapes;
}

double distanceToAxis(const Vertex& v, const Shape& s) {
    const double ux = s.endX - s.x, uy = s.endY - s.y, l = std::max(ux * ux + uy * uy, 1e-12);
    const double t = std::clamp(((v.x - s.x) * ux + (v.y - s.y) * uy) / l, 0.0, 1.0);
    return std::hypot(v.x - s.x - t * ux, v.y - s.y - t * uy, v.z);
}

// Whether the figure drawn now is in `pose`: a ball (at least 100 vertices
// on its sphere) at every node, and every vertex on a ball or a cylinder.
testing::AssertionResult drawnIn(const Pose& pose) {
    const std::vector<Facet> drawn = capture(drawFigure);
    const std::vector<Shape> shapes = shapesOf(pose);
    for (const Shape& s : shapes)
        if (onSphere(drawn, s.x, s.y, 0, s.radius) < 100)
            return testing::AssertionFailure() << "no ball at " << s.x << ", " << s.y;
    for (const Facet& polygon : drawn)
        for (const Vertex& v : polygon)
            if (std::none_of(shapes.begin(), shapes.end(), [&](const Shape& s) {
                    return std::fabs(v.x - s.x) < 0.21 && std::fabs(v.y - s.y) < 0.21 &&
                           (std::hypot(v.x - s.x, v.y - s.y, v.z) < s.radius + 1e-4 ||
                            distanceToAxis(v, s) < 0.05 + 1e-4);
                }))
                return testing::AssertionFailure()
                       << "stray vertex " << v.x << ", " << v.y << ", " << v.z;
    return testing::AssertionSuccess();
}

TEST(Figure, IsBuiltAndDrawnInItsLayout) {
    // The head is drawn in its built pose the first time, then half a turn
    // about x at every frame, whatever it was given in between: its face's
    // t (0 at one pole, 1 at the other) is then 1 on top, and its middle
    // column (s = 0.5) faces the front.
    capture(drawFigure), head->transform(0, 0, 0, 90, 1, 0, 0), capture(drawFigure);
    Vertex top{0, -1, 0, 0, 0}, front{0, 0, -1, 0, 0};
    for (const Facet& p : capture(drawFigure))
        for (const Vertex& v : p)
            if (std::hypot(v.x, v.y - .95, v.z) < .2001)
                top = v.y > top.y ? v : top, front = v.z > front.z ? v : front;
    EXPECT_TRUE(top.t == 1 && std::fabs(front.s - 0.5) < 1e-6) << top.t << " " << front.s;
    // 62 segments (a cylinder and a ball), the textured head and 4 hands and
    // feet, all of 10 slices and 10 stacks.
    EXPECT_EQ((capture(drawGround), capture(drawFigure)).size(),  // the ground's marker is flat
              capture(+[] {
                  static GLUquadric* quadric = gluNewQuadric();
                  for (int i = 0; i < 62; ++i)
                      gluCylinder(quadric, .05, .05, .05, 10, 10), glutSolidSphere(.05, 10, 10);
                  for (int i = 0; i < 4; ++i) glutSolidSphere(.075, 10, 10);
                  gluQuadricTexture(quadric, GL_TRUE), gluSphere(quadric, .2, 10, 10);
              }).size())
        << "polygons";
    // Drawn smooth, in the figure's material.
    EXPECT_STATE(GL_SHADE_MODEL, {GL_SMOOTH});
    EXPECT_MATERIAL({.34f, .14f, 0, 1, -.4f, -.4f, -.4f, 1, .2f, .2f, .2f, 1, 0});
}

// Each animation's pose `t` ticks into its cycles, on top of `p`.
Pose wavingPose(int t, Pose p) {
    const int curl[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1, 0};
    const int elbow[10] = {8, 16, 24, 32, 24, 16, 8, 0, -8, 0};
    std::fill(p.arm[0] + 1, p.arm[0] + 12, curl[(t - 1) % 20]);
    p.arm[1][5] = elbow[(t - 1) % 10];
    return p;
}

Pose dancingPose(int t, Pose p) {
    const int angle[20] = {1, 2, 3, 4, 5, 4, 3, 2, 1, 0, -1, -2, -3, -4, -5, -4, -3, -2, -1, 0};
    const int turned[20] = {1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -5, -6, -5, -4, -3, -2, -1, 0};
    // d: the sum of the turns so far.
    const double theta = angle[(t - 1) % 20] * PI / 180, d = turned[(t - 1) % 20];
    p.topX = -std::sin(theta) * 0.5;
    p.topY = std::cos(theta) * 0.5 - 0.5;
    std::fill(p.body + 2, p.body + 12, 0.1 * d);  // body nodes 2 to 11
    for (int side = 0; side < 2; ++side) {
        p.armRoot[side] = 0.1 * d;
        std::fill(p.arm[side] + 1, p.arm[side] + 12, 1.1 * d);
        std::fill(p.leg[side] + 1, p.leg[side] + 15, (side == 0 ? -0.5 : 0.25) * d);
    }
    return p;
}

// Ticks 1 to 18 of a cycle move the pattern in along the left arm from node
// 11 (turns past the hand fall on the hand, those before node 1 on node 1),
// ticks 19 to 30 out along the right arm from its root.
Pose armWavePose(int tick, Pose p) {
    const int pattern[8] = {15, 15, -15, -15, -15, -15, 15, 15}, t = (tick - 1) % 30 + 1;
    for (int k = 0; k < 8; ++k)
        (t <= 18           ? p.arm[0][std::clamp(12 - t + k, 1, 11)]
         : t - 19 + k == 0 ? p.armRoot[1]
                           : p.arm[1][std::min(t - 19 + k, 11)]) += pattern[k];
    return p;
}

TEST(Animations, EachRunsTickByTickHandsOverAtTheEndOfItsCycleAndKeepsTheFigureInShape) {
    // Every ordered pair of None, Waving, Dancing and Arm Wave once. The next
    // choice comes three ticks into a running cycle and takes over when that
    // cycle ends, and runs from the start of its own; while none runs, the
    // next tick takes it over.
    const char* names[] = {"None", "Waving", "Dancing", "Arm Wave"};
    const AnimationStep steps[] = {nullptr, waving, dancing, armWave};
    Pose (*const poses[])(int, Pose) = {nullptr, wavingPose, dancingPose, armWavePose};
    const int cycles[] = {1, 20, 20, 30},
              order[] = {0, 0, 1, 1, 2, 2, 3, 3, 0, 2, 1, 3, 2, 0, 3, 1, 0};
    Pose rest;  // a dance leaves the figure 0.05 higher than it was built
    for (size_t i = 1; i < std::size(order); ++i) {
        const int from = order[i - 1], to = order[i], entry = to ? 40 + to : 44;
        SCOPED_TRACE(std::string(names[from]) + " to " + names[to]);
        for (int t = 1; t < cycles[from]; ++t) {
            if (t == 4) menuSelect(entry);
            animationTick();
            ASSERT_TRUE(drawnIn(poses[from](t, rest))) << "tick " << t;
        }
        if (from == 0) menuSelect(entry);
        animationTick();  // the end of the cycle, or the take-over
        EXPECT_TRUE(activeAnimation == steps[to]) << "after the end of the cycle";
        if (from == 2) rest.topY = 0;
        ASSERT_TRUE(drawnIn(rest)) << "at the end of the cycle";
    }
    // Thousands of cycles keep the figure in shape: two thousand dances, then waves.
    menuSelect(42);
    for (int i = 0; i < 1 + 20 * 2000; ++i) animationTick();
    menuSelect(41);
    for (int i = 0; i < 20 + 20 * 2000; ++i) animationTick();
    EXPECT_TRUE(drawnIn(rest)) << "after thousands of cycles";
}
