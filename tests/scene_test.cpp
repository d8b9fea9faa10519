// Start-up, the clock, projection, camera, lights, ground and sky.

#include <climits>

#include "viewer.h"

TEST(Startup, EndsWithStatusOneOnATextureOpenGlCannotTakeAndZeroOnQuit) {
    const std::string wide = scratchPath("wide.bmp"), none = scratchPath("no.bmp");
    writeFile(wide, plainBmp(40000, 1, 0));  // fits the reader, not OpenGL
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    dup2(2, 1);  // the messages, on standard output, where death tests do not read them
    EXPECT_EXIT(loadTexture(wide.c_str(), TEXTURE_GRASS), testing::ExitedWithCode(1),
                "Image " + wide + " is too large for OpenGL: 40000 x 1, at most");
    EXPECT_EXIT(loadTexture(none.c_str(), TEXTURE_GRASS), testing::ExitedWithCode(1),
                "^trying to load " + none + "\nFile Not Found : " + none + "\n$");
    for (char key : {'q', 'Q'}) EXPECT_EXIT(keyboard(key, 0, 0), testing::ExitedWithCode(0), "^$");
    std::filesystem::remove(wide);
}

TEST(Clock, TicksAfterMoreThanFiftyMillisecondsAlsoAcrossTheClocksWrap) {
    // Readings of GLUT's clock in turn. A late tick is one tick, and the next
    // is measured from it. After 24.8 days the clock wraps from INT_MAX to
    // INT_MIN: INT_MIN + 29 is 50 ms after INT_MAX - 20.
    const std::pair<int, bool> readings[] = {
        {1050, false},        {1051, true},          {5000, true},        {5050, false},
        {INT_MAX - 20, true}, {INT_MIN + 29, false}, {INT_MIN + 30, true}};
    lastTickTime = 1000;
    for (const auto& [now, ticks] : readings) EXPECT_EQ(tickIfDue(now), ticks) << "at " << now;
    // Each tick turns the marker by 2 degrees and the sky by 0.1; the tick does not wrap them.
    markerSpin = 0;
    skySpin = 0;
    for (int i = 0; i < 200; ++i) animationTick();
    EXPECT_EQ(markerSpin, 400.0f);
    EXPECT_NEAR(skySpin, 20, 1e-4);
}

TEST(View, ProjectionCameraAndLightsFollowTheWindowTheModeAndTheEye) {
    expectVector("cameraEye at start-up", cameraEye, 0, 0, 5);
    // A window reshaped in one mode, then 'v' to the other: the projection's
    // elements 0, 5, 10, 11 and 14 (element 15 is 11's plus 1).
    const float f = 1 / std::tan(PI / 6), o = -2 / 29.f, p = -31 / 29.f;  // 60 degrees; 1 to 30
    const std::tuple<int, int, int, float, float, float, float, float> projections[] = {
        {600, 600, VIEW_ORTHOGONAL, 1 / 3.f, 1 / 3.f, o, 0, p},     // glOrtho(-3, 3, -3, 3, 1, 30)
        {600, 600, VIEW_PERSPECTIVE, f, f, p, -1, -60 / 29.f},      // gluPerspective(60, 1, 1, 30)
        {800, 400, VIEW_ORTHOGONAL, 1 / 6.f, 1 / 3.f, o, 0, p},     // left -6, right 6
        {600, 0, VIEW_PERSPECTIVE, f / 600, f, p, -1, -60 / 29.f},  // minimised: one pixel high
        {0, 600, VIEW_ORTHOGONAL, 200, 1 / 3.f, o, 0, p}};          // or wide
    for (const auto& [width, height, modeAfterV, x, y, depth, perspective, depthOffset] :
         projections) {
        SCOPED_TRACE(testing::Message() << width << " x " << height << ", 'v' to " << modeAfterV);
        projectionMode = modeAfterV == VIEW_ORTHOGONAL ? VIEW_PERSPECTIVE : VIEW_ORTHOGONAL;
        reshape(width, height);
        keyboard('v', 1, 1);
        EXPECT_STATE(GL_PROJECTION_MATRIX, {x, 0, 0, 0, 0, y, 0, 0, 0, 0, depth, perspective, 0, 0,
                                            depthOffset, perspective + 1});
        EXPECT_STATE(GL_VIEWPORT, {0, 0, float(std::max(width, 1)), float(std::max(height, 1))});
    }

    // The camera looks at the origin from its eye, upside down while its up
    // sign is -1, and the lights stay where they are in the world (the keys'
    // changes reach them too: the end-to-end session sees them).
    cameraEye->set(5, 0, 0);
    cameraUpSign = -1;
    display();
    float sceneLight[4], spotlight[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, sceneLight);
    glGetLightfv(GL_LIGHT1, GL_POSITION, spotlight);
    EXPECT_FLOATS(sceneLight, {1, -1, -4, 1});
    EXPECT_FLOATS(spotlight, {0, -2, -5, 1});
    // A frame leaves the matrices as it found them, frame after frame.
    EXPECT_STATE(GL_MODELVIEW_STACK_DEPTH, {1});
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Expects drawing to turn by the spin about the y axis, by 12 degrees at
// 372 (seen on a vertex off the axis, from polygon `first` on).
void expectSpin(float& spin, void (*draw)(), size_t first) {
    const std::vector<Facet> still = capture(draw);
    size_t i = first;
    while (std::hypot(still[i][0].x, still[i][0].z) < 0.1) ++i;
    const Vertex a = still[i][0];
    spin = 372;
    const Vertex b = capture(draw)[i][0];
    const double c = std::cos(12 * PI / 180), s = std::sin(12 * PI / 180);
    EXPECT_LT(std::hypot(b.x - a.x * c - a.z * s, b.y - a.y, b.z + a.x * s - a.z * c), 1e-4);
}

TEST(Ground, ThirtyByThirtyGrassBoxesAndTheSpotlightsConeOfTenDegreesOnThem) {
    // 900 boxes, 1 wide, 0.5 high and 1 deep, centred 0.2 apart from -3 to
    // 2.8 in x and z (float steps: 30 a side, not 31), x in the outer loop,
    // their tops at -0.3, each sent as 6 faces of two triangles. On the four
    // sides the grass wraps once around the box, a quarter a side, from the
    // front face's left edge round to the right, t from the bottom up; top
    // and bottom carry it whole, s along z and t along x.
    // The spot, 2 above the ground's middle and pointing straight down, lights
    // them within 10 degrees of its axis and nowhere else: on the tops, 2.3
    // below it, a disc of radius 0.41. Boxes of a dark grey are pale under
    // the scene light alone, and white where the spot falls as well.
    const Material darkGrey = {{.1f, .1f, .1f, 1}, {.1f, .1f, .1f, 1}, {0, 0, 0, 1}, 0};
    placeLights();  // under the start-up's identity modelview matrix: in world coordinates
    setMaterial(&darkGrey);
    glNormal3f(0, 1, 0);  // the boxes send no normals of their own
    const std::vector<Facet> ground = capture(drawGround);
    const auto nearly = [](double a, double b) { return std::fabs(a - b) < 1e-4; };
    double widestLit = 0, narrowestUnlit = 90;  // degrees from the spot's axis
    for (size_t box = 0; box < 900; ++box) {
        const double x = -3 + 0.2 * (box / 30), z = -3 + 0.2 * (box % 30);
        for (size_t face = 12 * box; face < 12 * box + 12; ++face) {
            const Facet& f = ground[face];
            const bool level = f[0].y == f[1].y && f[1].y == f[2].y;
            const bool frontOrBack = f[0].z == f[1].z && f[1].z == f[2].z;
            for (const Vertex& v : f) {
                const double u = v.x - x, w = v.z - z, up = (v.y + .55) * 2;  // each -0.5 or 0.5
                const double s = level         ? w + .5
                                 : frontOrBack ? (w > 0 ? u + .5 : 2.5 - u) / 4
                                               : (u > 0 ? 1.5 - w : 3.5 + w) / 4,
                             t = level ? u + .5 : up + .5;
                ASSERT_TRUE(nearly(std::fabs(u), .5) && nearly(std::fabs(up), .5) &&
                            nearly(std::fabs(w), .5) && nearly(v.s, s) && nearly(v.t, t))
                    << "box " << box << ", corner " << u << " " << up << " " << w << ": s " << v.s
                    << ", t " << v.t;
                const double degrees = std::atan2(std::hypot(v.x, v.z), 2 - v.y) * 180 / PI;
                if (v.g == 1) widestLit = std::max(widestLit, degrees);
                if (v.g < 1) narrowestUnlit = std::min(narrowestUnlit, degrees);
            }
        }
    }
    // The corners lie close enough to pin the cone's edge to 2 degrees.
    EXPECT_TRUE(widestLit < 10 && narrowestUnlit > 10 && narrowestUnlit - widestLit < 2)
        << "lit to " << widestLit << " degrees from the spot's axis, unlit from " << narrowestUnlit;
}

TEST(Surroundings, MarkerAndSkySpinningAboveTheGround) {
    const std::vector<Facet> ground = capture(drawGround);
    // The marker: a ball of radius 0.3 at (0, 2, 0).
    EXPECT_EQ(onSphere(ground, 0, 2, 0, 0.3),
              int(ground.size() - 900 * 12) * 3);  // after the boxes
    expectSpin(markerSpin, drawGround, 900 * 12);
    // The sky: an unlit textured sphere of radius 15 that spins; its t runs from
    // 0 at the top to 1 at the bottom, evenly in the angle from the top (so
    // the vertices' heights tell the radius too).
    const std::vector<Facet> sky = capture(drawSky);
    for (const Facet& p : sky)
        for (const Vertex& v : p)
            ASSERT_NEAR(v.t, std::acos(v.y / 15) / PI, 1e-3) << "the sky's t at height " << v.y;
    expectSpin(skySpin, drawSky, 0);

    // Seen in perspective, each texel of the sky read at start-up (16 columns
    // of black and white) spans a hundred pixels or more, and stays a sharp
    // band of its own colour: across the picture only the two colours show, no blend.
    projectionMode = VIEW_PERSPECTIVE;
    reshape(600, 600);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    placeCamera();
    drawSky();
    std::vector<std::array<GLubyte, 3>> row(600);
    glReadPixels(0, 300, 600, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
    const std::set<std::array<GLubyte, 3>> colours(row.begin(), row.end());
    EXPECT_EQ(colours.size(), 2u) << "colours across the sky, in the middle row";
}
