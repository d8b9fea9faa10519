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
        for (int j = 1; j <= count; ++j) {
            f = f.child(0.05, 0, turns[j] + bend);
            add(f, 0.05, 0, j == count ? 0.075 : 0.05);
        }
    };
    for (int side = 0; side < 2; ++side) {
        const int sign = side == 0 ? -1 : 1;  // left limbs are mirrored
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
// on its sphere) at every node, a segment's cylinder (a ring of vertices
// half-way along it, between the balls), and every vertex on a ball or a
// cylinder.
testing::AssertionResult drawnIn(const Pose& pose) {
    const std::vector<Facet> drawn = capture(drawFigure);
    const std::vector<Shape> shapes = shapesOf(pose);
    for (const Shape& s : shapes) {
        if (onSphere(drawn, s.x, s.y, 0, s.radius) < 100)
            return testing::AssertionFailure() << "no ball at " << s.x << ", " << s.y;
        const double middleX = (s.x + s.endX) / 2, middleY = (s.y + s.endY) / 2;
        if (s.radius == 0.05 && onSphere(drawn, middleX, middleY, 0, 0.05) < 10)
            return testing::AssertionFailure() << "no segment from " << s.x << ", " << s.y;
    }
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

// Expects `v`, a point of a ball about (0, centreY, 0), to be lit as the
// scene light alone lights it. The light is at (1, 1, 1) in these
// coordinates; the point's normal is at cos a to the light and at cos h to
// the half-way vector between the light and the viewer (along z). In each
// of red, green and blue the point has its material's ambient under the
// light's 5 and the scene's 0.2, plus where the light falls (a > 0) its
// diffuse under the light's 0.6 times a and its specular under 0.8 times h
// to its shininess, clamped to 0 to 1. Points on the edge of the light are
// left out.
void expectLitBySceneLight(const char* ball, const Vertex& v, double centreY, double radius,
                           const Material& m) {
    const double nx = v.x / radius, ny = (v.y - centreY) / radius, nz = v.z / radius;
    const double lx = 1 - v.x, ly = 1 - v.y, lz = 1 - v.z, toLight = std::hypot(lx, ly, lz);
    const double a = (nx * lx + ny * ly + nz * lz) / toLight;
    const double h = (nx * lx + ny * ly + nz * (lz + toLight)) / std::hypot(lx, ly, lz + toLight);
    if (std::fabs(a) < .05) return;
    for (int c = 0; c < 3; ++c) {
        const double lit =
            m.ambient[c] * 5.2 + (a > 0 ? m.diffuse[c] * .6 * a : 0) +
            (a > 0 ? m.specular[c] * .8 * std::pow(std::max(h, 0.), m.shininess) : 0);
        EXPECT_NEAR(v.colour(c), std::clamp(lit, 0., 1.), .01)
            << "RGB"[c] << " of " << ball << " at " << v.x << ", " << v.y << ", " << v.z;
    }
}

TEST(Figure, TheHeadWearsItsFaceUprightAndTheSceneLightColoursHeadAndMarker) {
    // The head is drawn in its built pose the first time, then half a turn
    // about x at every frame: its face's t (0 at one pole, 1 at the other)
    // is then 1 on top, and its middle column (s = 0.5) faces the front.
    glDisable(GL_LIGHT1);  // the scene light alone, for the colours below
    placeLights();         // under the start-up's identity modelview matrix
    capture(drawFigure);
    const Material headColours = {{.34f, .14f, 0, 1}, {-.4f, -.4f, -.4f, 1}, {.2f, .2f, .2f, 1}, 0};
    // Its points that face the viewer are lit as below (the body's top ball
    // touches it at its lowest point).
    Vertex top{}, front{};  // the head lies above y = 0, its front at z > 0
    for (const Facet& p : capture(drawFigure))
        for (const Vertex& v : p) {
            if (!isOnSphere(v, 0, .95, 0, .2)) continue;  // not the head
            if (v.y > top.y) top = v;
            if (v.z > front.z) front = v;
            if (v.z > .02) expectLitBySceneLight("the head", v, .95, .2, headColours);
        }
    EXPECT_EQ(top.t, 1) << "the face's t on top of the head";
    EXPECT_NEAR(front.s, 0.5, 1e-6) << "the face's s at the front of the head";
    const Material markerColours = {
        {.15375f, .15f, .16625f, 1}, {.18275f, .17f, .22525f, 1}, {1.3f, 1.3f, 1.3f, 1}, 15};
    // The marker, a ball of 0.3 at (0, 2, 0), is shaded flat: each facet has
    // the colour of its last point.
    for (const Facet& p : capture(drawGround))
        if (p.back().y > 1.5) expectLitBySceneLight("the marker", p.back(), 2, .3, markerColours);
}

// Waving: the left arm curled by `curl` at every joint, the right one bent by
// `elbow` at its fifth node.
Pose waved(double curl, double elbow) {
    Pose p;
    std::fill(p.arm[0] + 1, p.arm[0] + 12, curl);
    p.arm[1][5] = elbow;
    return p;
}

// Dancing at `angle` degrees, after turns that add up to `sum`: the top of the
// body swings on an arc of radius 0.5 below the root (at its top when the
// angle is 0, 0.05 higher than built), body nodes 2 to 11 turn by a tenth of
// the sum, the arms by 1.1 (a tenth with the body, one of their own), the
// left leg by -0.5 and the right one by 0.25.
Pose danced(double angle, double sum) {
    Pose p;
    p.topX = -std::sin(angle * PI / 180) / 2;
    p.topY = std::cos(angle * PI / 180) / 2 - 0.5;
    std::fill(p.body + 2, p.body + 12, 0.1 * sum);
    for (int side = 0; side < 2; ++side) {
        p.armRoot[side] = 0.1 * sum;
        std::fill(p.arm[side] + 1, p.arm[side] + 12, 1.1 * sum);
        std::fill(p.leg[side] + 1, p.leg[side] + 15, (side == 0 ? -0.5 : 0.25) * sum);
    }
    return p;
}

// Arm Wave: the turns of one arm's nodes, from its root (node 0) to the hand (11).
Pose armWaved(int side, std::vector<double> turns) {
    Pose p;
    turns.resize(12);
    p.armRoot[side] = turns[0];
    std::copy(turns.begin() + 1, turns.end(), p.arm[side] + 1);
    return p;
}

TEST(Animations, EachRunsTickByTickHandsOverAtTheEndOfItsCycleAndKeepsTheFigureInShape) {
    // Poses at chosen ticks of each cycle, worked out by hand from each
    // animation's rules. A dance leaves the figure 0.05 higher than built.
    const Pose rest{0, 0};
    const std::map<int, Pose> poses[] = {
        {},
        {{4, waved(4, 32)}, {9, waved(9, -8)}, {19, waved(-1, -8)}},
        {{5, danced(5, 3)}, {14, danced(-4, -6)}, {19, danced(-1, -1)}},
        // The pattern +15 +15 -15 -15 -15 -15 +15 +15 runs in along the left
        // arm from the hand (turns past the hand fall on it), out through the
        // shoulder (node 1 takes what falls on the root or beyond), then out
        // along the right arm from its root.
        {{5, armWaved(0, {0, 0, 0, 0, 0, 0, 0, 15, 15, -15, -15, 0})},
         {12, armWaved(0, {0, 30, -15, -15, -15, -15, 15, 15})},
         {18, Pose()},
         {19, armWaved(1, {15, 15, -15, -15, -15, -15, 15, 15})},
         {25, armWaved(1, {0, 0, 0, 0, 0, 0, 15, 15, -15, -15, -15, 15})}}};
    // Every ordered pair of None, Waving, Dancing and Arm Wave once. The next
    // choice comes three ticks into a running cycle and takes over when that
    // cycle ends, and runs from the start of its own; while none runs, the
    // next tick takes it over.
    const char* names[] = {"None", "Waving", "Dancing", "Arm Wave"};
    const int cycles[] = {1, 20, 20, 30},
              order[] = {0, 0, 1, 1, 2, 2, 3, 3, 0, 2, 1, 3, 2, 0, 3, 1, 0};
    bool lifted = false;
    for (size_t i = 1; i < std::size(order); ++i) {
        const int from = order[i - 1], to = order[i], entry = to ? 40 + to : 44;
        SCOPED_TRACE(std::string(names[from]) + " to " + names[to]);
        for (int t = 1; t < cycles[from]; ++t) {
            if (t == 4) menuSelect(entry);
            animationTick();
            auto pose = poses[from].find(t);
            if (pose == poses[from].end()) continue;
            Pose expected = pose->second;
            if (lifted && from != 2) expected.topY = 0;
            ASSERT_TRUE(drawnIn(expected)) << "tick " << t;
        }
        if (from == 0) menuSelect(entry);
        animationTick();  // the end of the cycle, or the take-over
        lifted = lifted || from == 2;
        ASSERT_TRUE(drawnIn(lifted ? rest : Pose())) << "at the end of the cycle";
    }
    // Thousands of cycles keep the figure in shape: two thousand dances, then waves.
    menuSelect(ANIM_DANCING);
    for (int i = 0; i < 1 + 20 * 2000; ++i) animationTick();
    menuSelect(ANIM_WAVING);
    for (int i = 0; i < 20 + 20 * 2000; ++i) animationTick();
    EXPECT_TRUE(drawnIn(rest)) << "after thousands of cycles";
}
