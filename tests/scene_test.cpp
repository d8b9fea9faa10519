// Start-up, the clock, projection, camera, ground, marker and sky.

#include <climits>
#include <set>

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

TEST(Keyboard, QInEitherCaseQuitsWithStatusZeroSayingNothing) {
    for (char key : {'q', 'Q'}) EXPECT_EXIT(keyboard(key, 0, 0), testing::ExitedWithCode(0), "^$");
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

TEST(Clock, EachTickTurnsTheMarkerByTwoDegreesAndTheSkyByATenthWithoutWrapping) {
    for (int tick = 0; tick < 200; ++tick) animationTick();
    EXPECT_EQ(markerSpin, 400.0f);
    EXPECT_NEAR(skySpin, 20, 1e-4);
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

TEST(Ground, EachBoxIsAHalfHighCubeWithTheGrassOnceRoundItsSidesAndWholeOnTopAndBottom) {
    // Corners of the first box, centred at (-3, -0.55, -3), by face, each
    // coordinate -1 or 1 for one end or the other of the box, 1 wide, 0.5
    // high and 1 deep. The sides take a quarter of the grass each, left to
    // right from the front round to the left side.
    const struct Corner {
        int face, x, y, z;
        double s, t;
    } front{0, 1, -1, 1, 0.25, 0}, back{2, -1, -1, -1, 0.75, 0}, top{4, -1, 1, 1, 1, 0},
        bottom{5, 1, -1, 1, 1, 1};
    const std::vector<Facet> ground = capture(drawGround);
    for (const Corner& c : {front, back, top, bottom}) {
        int found = 0;
        for (int triangle = 2 * c.face; triangle < 2 * c.face + 2; ++triangle)
            for (const Vertex& v : ground[triangle])
                found += std::hypot(v.x + 3 - c.x / 2.0, v.y + 0.55 - c.y / 4.0,
                                    v.z + 3 - c.z / 2.0) < 1e-4 &&
                         std::fabs(v.s - c.s) < 1e-6 && std::fabs(v.t - c.t) < 1e-6;
        EXPECT_GT(found, 0) << "face " << c.face << ": no corner " << c.x << c.y << c.z << " at "
                            << c.s << ", " << c.t;
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

TEST(Marker, IsABallOfRadiusPointThreeTwoAboveTheGroundsMiddle) {
    EXPECT_EQ(onSphere(capture(drawGround), 0, 2, 0, 0.3), BALL_VERTICES);
}

TEST(Marker, TurnsByItsSpinAboutTheVerticalAndWrapsItPast360) {
    // The corner on its equator at (0.3, 2, 0), at 372 degrees turned by 12
    // more: to (0.3 cos 12, 2, -0.3 sin 12).
    markerSpin = 372;
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

TEST(Sky, ShowsEachTexelAsASharpBandOfItsOwnColourUpClose) {
    // Seen in perspective each of the sky's 16 columns spans a hundred pixels
    // or more: across the middle row only the two colours show, no blend.
    projectionMode = VIEW_PERSPECTIVE;
    reshape(600, 600);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    placeCamera();
    drawSky();
    std::vector<std::array<GLubyte, 3>> row(600);
    glReadPixels(0, 300, 600, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
    const std::set<std::array<GLubyte, 3>> colours(row.begin(), row.end());
    EXPECT_EQ(colours.size(), 2u) << "colours across the sky, in the middle row";
}
