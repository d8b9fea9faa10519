// Start-up, the clock, projection, camera, ground, marker and sky, and the
// colours of the start-up view.

#include <climits>

#include <GL/glu.h>

#include "viewer.h"

TEST(Startup, ATextureItCannotUseEndsTheViewerWithStatusOneAndItsReason) {
    const std::string wide = scratchPath("wide.bmp"), none = scratchPath("no.bmp");
    writeFile(wide, plainBmp(40000, 1, 0));  // fits the reader, not OpenGL
    EXPECT_EXIT(loadTexture(wide.c_str(), TEXTURE_GRASS), testing::ExitedWithCode(1),
                "Image " + wide + " is too large for OpenGL: 40000 x 1, at most");
    EXPECT_EXIT(loadTexture(none.c_str(), TEXTURE_GRASS), testing::ExitedWithCode(1),
                "^trying to load " + none + "\nFile Not Found : " + none + "\n$");
    std::filesystem::remove(wide);
}

TEST(Clock, TicksOnlyOnceMoreThanFiftyMillisecondsHavePassed) {
    lastTickTime = 1000;
    EXPECT_FALSE(tickIfDue(1050));
    EXPECT_TRUE(tickIfDue(1051));
    EXPECT_TRUE(tickIfDue(5000));   // late, but one tick all the same,
    EXPECT_FALSE(tickIfDue(5050));  // and the next one measured from it
}

TEST(Clock, KeepsItsPaceAcrossTheWrapOfGlutsMillisecondCount) {
    // After 24.8 days GLUT's clock wraps from INT_MAX to INT_MIN:
    // INT_MIN + 29 is 50 ms after INT_MAX - 20.
    lastTickTime = INT_MAX - 20;
    EXPECT_FALSE(tickIfDue(INT_MIN + 29));
    EXPECT_TRUE(tickIfDue(INT_MIN + 30));
}

// Where the point (x, y, z) in the camera's frame lands in the window: x, y
// in pixels and depth from 0 (near) to 1 (far).
std::array<float, 3> inWindow(double x, double y, double z) {
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double projection[16], window[3];
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, z, identity, projection, viewport, &window[0], &window[1], &window[2]);
    return {float(window[0]), float(window[1]), float(window[2])};
}

TEST(Projection, VSwitchesToSixtyDegreesOfPerspective) {
    keyboard('v', 1, 1);  // in the start-up's 600 x 600 window
    // 30 degrees above the axis: 0.57735 up at distance 1, 17.3205 at 30.
    expectFloats("near top", inWindow(0, 0.57735, -1).data(), {300, 600, 0}, 1e-3f);
    expectFloats("far top", inWindow(0, 17.3205, -30).data(), {300, 600, 1}, 1e-3f);
}

TEST(Projection, AWideWindowShowsMoreWidthAndTheSameHeight) {
    reshape(800, 400);
    expectFloats("far top right", inWindow(6, 3, -30).data(), {800, 400, 1}, 1e-3f);
}

TEST(Camera, ShowsTheWorldUpsideDownWhileItsUpSignIsMinusOne) {
    cameraUpSign = -1;
    placeCamera();  // x and y turned half round, z as before
    float view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, view);
    EXPECT_FLOATS(view, {-1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, -5, 1});
}

TEST(Display, LeavesTheMatrixStackAsItFoundIt) {
    display();
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Each box sends 6 faces of 4 corners, which GL gives back as 2 triangles each.
constexpr size_t BOX_TRIANGLES = 12, BOXES = 900;

// The mean of the vertices of `count` polygons from `first` on, along x and
// z: for rectangles each cut into two triangles, the middle of the rectangles.
Vertex middleOf(const std::vector<Facet>& polygons, size_t first, size_t count) {
    Vertex sum{};
    for (size_t i = first; i < first + count && i < polygons.size(); ++i)
        for (const Vertex& v : polygons[i]) {
            sum.x += v.x / (3 * count);
            sum.z += v.z / (3 * count);
        }
    return sum;
}

TEST(Ground, IsThirtyRowsOfThirtyBoxesFromMinusThreeToTwoPointEightDrawnRowByRow) {
    const std::vector<Facet> ground = capture(drawGround);
    ASSERT_EQ(ground.size(), BOXES * BOX_TRIANGLES + BALL_VERTICES / 3);  // the marker last
    const struct {
        size_t box;
        double x, z;
    } boxes[] = {{0, -3, -3}, {1, -3, -2.8}, {29, -3, 2.8}, {30, -2.8, -3}, {899, 2.8, 2.8}};
    for (const auto& box : boxes) {
        const Vertex middle = middleOf(ground, box.box * BOX_TRIANGLES, BOX_TRIANGLES);
        EXPECT_NEAR(middle.x, box.x, 1e-4) << "box " << box.box;
        EXPECT_NEAR(middle.z, box.z, 1e-4) << "box " << box.box;
    }
}

// The first box's corners as -0.5 or 0.5 from its middle (-3, -0.55, -3),
// its height of 0.5 counted double; its faces in turn the front, right, back,
// left, top and bottom, each 0.5 out from the middle. The sides take a quarter
// of the grass each, s from 0 at the front's left edge round the box to 1, and
// t from 0 at the bottom to 1 at the top; top and bottom take it whole, s
// along z and t along x.
TEST(Ground, EachBoxIsAHalfHighCubeWithTheGrassOnceRoundItsSidesAndWholeOnTopAndBottom) {
    const std::vector<Facet> ground = capture(drawGround);
    for (size_t triangle = 0; triangle < BOX_TRIANGLES; ++triangle)
        for (const Vertex& v : ground.at(triangle)) {
            const double x = v.x + 3, y = (v.y + 0.55) * 2, z = v.z + 3;
            const size_t face = triangle / 2;
            const double out[] = {z, x, -z, -x, y, -y};
            // Along the sides, in quarters, from the front's left edge.
            const double round[] = {x + .5, 1.5 - z, 2.5 - x, 3.5 + z};
            SCOPED_TRACE(testing::Message() << "face " << face << " " << x << " " << y << " " << z);
            EXPECT_NEAR(std::hypot(x, y, z), 0.86603, 1e-4) << "a corner";  // the root of 0.75
            EXPECT_NEAR(out[face], 0.5, 1e-4) << "on its face";
            EXPECT_NEAR(v.s, face < 4 ? round[face] / 4 : z + .5, 1e-4);
            EXPECT_NEAR(v.t, face < 4 ? y + .5 : x + .5, 1e-4);
        }
}

TEST(Ground, TheSpotlightLightsItsBoxesWithinTenDegreesOfStraightBelowIt) {
    // The spot, 2 above the ground's middle, reaches the tops 2.3 below it
    // within 0.41 of the middle. Boxes of a dark grey without a shine are
    // pale under the scene light alone, and white where the spot falls too.
    const Material darkGrey = {{.1f, .1f, .1f, 1}, {.1f, .1f, .1f, 1}, {0, 0, 0, 1}, 0};
    placeLights();  // under the start-up's identity modelview matrix: in world coordinates
    setMaterial(&darkGrey);
    glNormal3f(0, 1, 0);  // the boxes send no normals of their own
    const std::vector<Facet> ground = capture(drawGround);
    double widestLit = 0, narrowestUnlit = 90;  // degrees from the spot's axis
    for (size_t i = 0; i < BOXES * BOX_TRIANGLES && i < ground.size(); ++i)
        for (const Vertex& v : ground[i]) {
            const double degrees = std::atan2(std::hypot(v.x, v.z), 2 - v.y) * 180 / PI;
            if (v.g == 1) widestLit = std::max(widestLit, degrees);
            if (v.g < 1) narrowestUnlit = std::min(narrowestUnlit, degrees);
        }
    // The corners lie close enough to pin the cone's edge to 2 degrees.
    EXPECT_TRUE(widestLit < 10 && narrowestUnlit > 10 && narrowestUnlit - widestLit < 2)
        << "lit to " << widestLit << " degrees from the spot's axis, unlit from " << narrowestUnlit;
}

TEST(Marker, TurnsTwoDegreesATickAboutTheVerticalAndWrapsPast360) {
    // The corner on its equator at (0.3, 2, 0), after 186 ticks at 372
    // degrees, turned by 12 more: to (0.3 cos 12, 2, -0.3 sin 12).
    for (int tick = 0; tick < 186; ++tick) animationTick();
    EXPECT_GT(onSphere(capture(drawGround), 0.29344, 2, -0.06237, 0), 0);
    EXPECT_NEAR(markerSpin, 12, 1e-4);
}

TEST(Sky, IsASphereOfRadiusFifteenWithItsTextureRunningFromTopToBottom) {
    // 15 stacks of 15 quads; t from 0 at the top to 1 at the bottom, evenly in
    // the angle from the top.
    const std::vector<Facet> sky = capture(drawSky);
    EXPECT_EQ(sky.size(), 15u * 15 * 2);
    for (const Facet& polygon : sky)
        for (const Vertex& v : polygon)  // on a sphere of radius 15, or t would not fit
            ASSERT_NEAR(v.t, std::acos(v.y / 15) / PI, 1e-3) << "the sky's t at height " << v.y;
}

TEST(Sky, TurnsByItsSpinAboutTheVerticalAndWrapsItPast360) {
    // A corner 60 degrees from the bottom, in front: (0, -7.5, 12.99038); at
    // 372 degrees turned by 12 more: (12.99038 sin 12, -7.5, 12.99038 cos 12).
    skySpin = 372;
    EXPECT_GT(onSphere(capture(drawSky), 2.70091, -7.5, 12.70646, 0), 0);
    EXPECT_NEAR(skySpin, 12, 1e-4);
}

// The start-up view, as the first frame draws it: the window's pixel
// (column, row) shows the world's (column / 100 - 2.995, 2.995 - row / 100).
// Lights: the global ambient 0.2; the scene light at (1, 1, 1), ambient 5,
// diffuse 0.6, specular 0.8; the spotlight at (0, 2, 0) pointing down, 10
// degrees wide. Each lit colour is clamped at each vertex, then blended
// across the polygon, then multiplied by the texel.
struct StartUpView : testing::Test {
    void SetUp() override { drawFrame(); }
};

TEST_F(StartUpView, TheSkyShowsTheColourOfTheNearestTexelUnlit) {
    // The camera looks at the back of the sky, where the texture's s is 0.5:
    // left of the middle its 8th column (odd, 7 counting from 0), right of
    // it its 9th. Half a unit either side, at s = 0.5 -+ 0.0053, the nearest
    // texel shows alone (s x 16 = 7.92 and 8.08: one linearly filtered
    // would take 42% of its neighbour).
    expectColourAt(250, 20, {153, 102, 51});  // the odd columns' colour
    expectColourAt(350, 20, {51, 102, 153});  // the even columns'
}

TEST_F(StartUpView, TheMarkersSideAwayFromTheSceneLightShowsItsAmbientAlone) {
    // Upper left of the marker, facing away from the scene light and
    // outside the spot's cone: (0.2 + 5) x ambient (0.15375, 0.15, 0.16625) = (0.7995, 0.78,
    // 0.8645), x 255 = (203.9, 198.9, 220.4). No channel saturated.
    expectColourAt(284, 84, {204, 199, 220});
}

TEST_F(StartUpView, TheMarkersSideTowardsTheSceneLightShowsItsDiffuseToo) {
    // The marker is shaded flat: the facet right of its middle takes the
    // colour of its corner on the equator, (0.2427, 2, 0.1763), normal
    // (0.809, 0, 0.588), level with the spot and so outside its cone. To the
    // light (0.7573, -1, 0.8237) / 1.5007: n.l = 0.731; half-way between
    // that and the viewer's (0, 0, 1), n.h = 0.7493, ^15 = 0.0132. Ambient
    // (0.7995, 0.78, 0.8645) + 0.6 x 0.731 x diffuse (0.18275, 0.17, 0.22525)
    // + 0.8 x 0.0132 x specular 1.3 = (0.8933, 0.8682, 0.9770): x 255 =
    // (227.8, 221.4, 249.1). No channel saturated.
    expectColourAt(314, 103, {228, 221, 249});
}

TEST_F(StartUpView, TheFaceBelowTheSpotlightShowsTheFaceTextureInItsYellow) {
    // Lower left of the head, at latitude -36 to -54 and longitude -36 to -72:
    // every corner inside the spot's cone, facing away from both lights.
    // Ambient (0.34, 0.14, 0) x (0.2 + 5 + 5.2) = (3.54, 1.46, 0), clamped
    // to (1, 1, 0), times the face's texel (0.4, 0.8, 0.6): (102, 204, 0).
    // Red and green saturated before the texture (a tenth less of the
    // spot's or the scene light's ambient leaves them so); blue at 0.
    expectColourAt(289, 219, {102, 204, 0});
}

TEST_F(StartUpView, TheArmOutsideTheSpotlightShowsTheFiguresColoursUnderTheSceneLight) {
    // The left arm half-way between its joints at x = -0.40 and -0.45, on
    // the line of the cylinder's corners whose normal (0, 0.309, 0.951)
    // faces the scene light most: at (-0.425, 0.7155, 0.0476), to the light
    // (1.425, 0.2845, 0.9524) / 1.7374, n.l = 0.5719; outside the spot's
    // cone. Ambient (0.34, 0.14, 0) x (0.2 + 5) + 0.6 x 0.5719 x diffuse
    // -0.4 + specular 0.2 x 0.8 = (1.79, 0.7507, 0.0227): x 255 = (255,
    // 191.4, 5.8); the pixel's centre, just below that line, blends in 1.5%
    // of the next corner, greener by 6.7: 191.5. Red saturated (by 0.79).
    expectColourAt(257, 228, {255, 192, 6});
}

TEST_F(StartUpView, TheGroundOutsideTheSpotlightShowsTheGrassUnderTheFiguresColours) {
    // The front of the front row, just below its top edge, near the right
    // corner of the box at x = 0.6 (drawn before the boxes to its right
    // that cover the same place): the corner (1.1, -0.3, 3.3). The boxes send
    // no normals: they take the last the figure sent, (0, 1, 0), doubled by
    // their half height to (0, 2, 0). To the light (-0.1, 1.3, -2.3) /
    // 2.6439: n.l = 0.9834. Ambient (0.34, 0.14, 0) x (0.2 + 5) + 0.6 x
    // 0.9834 x -0.4 + 0.16 = (1.69, 0.652, -0.076), clamped to (1, 0.652, 0), with
    // 1% of the corner below (0.592 green): (1, 0.6514, 0), times the
    // grass (1, 0.8, 0.4): (255, 132.9, 0). Red saturated, blue at 0.
    expectColourAt(409, 330, {255, 133, 0});
}
