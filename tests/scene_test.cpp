// Start-up, the clock, projection, camera, lights, ground and sky.

#include "viewer.h"

TEST(Startup, EndsWithStatusOneOnATextureOpenGlCannotTakeAndZeroOnQuit) {
    const std::string wide = scratchPath("wide.bmp"), none = scratchPath("no.bmp");
    writeFile(wide, plainBmp(40000, 1, 0));  // fits the reader, not OpenGL
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    // Messages go to standard output, death tests read standard error.
    EXPECT_EXIT((dup2(2, 1), loadTexture(wide.c_str(), 2)), testing::ExitedWithCode(1),
                "Image " + wide + " is too large for OpenGL: 40000 x 1, at most");
    EXPECT_EXIT((dup2(2, 1), loadTexture(none.c_str(), 2)), testing::ExitedWithCode(1),
                "^trying to load " + none + "\nFile Not Found : " + none + "\n$");
    for (char key : {'q', 'Q'}) EXPECT_EXIT(keyboard(key, 0, 0), testing::ExitedWithCode(0), "^$");
    std::filesystem::remove(wide);
}

TEST(Clock, TicksAfterMoreThanFiftyMillisecondsAndAdvancesTheSpins) {
    lastTickTime = 1000;
    const int cases[][3] = {{1050, 0, 1000}, {1051, 1, 1051}, {5000, 1, 5000}, {5050, 0, 5000}};
    for (const int* c : cases) EXPECT_TRUE(tickIfDue(c[0]) == c[1] && lastTickTime == c[2]) << c[0];
    for (int i = 0; i < 198; ++i) animationTick();
    // The tick does not wrap the spins.
    EXPECT_TRUE(markerSpin == 400.0f && std::fabs(skySpin - 20) < 1e-4)
        << markerSpin << " " << skySpin;
}

TEST(View, ProjectionCameraAndLightsFollowTheWindowTheModeAndTheEye) {
    expectVector("cameraEye at start-up", cameraEye, 0, 0, 5);
    const float f = 1 / std::tan(PI / 6), o = -2 / 29.f, p = -31 / 29.f;  // 60 degrees; 1 to 30
    // Width, height, the mode that 'v' switches to, then the projection's
    // elements 0, 5, 10, 11 and 14: square, wide, tall and minimised windows,
    // each reshaped in the other mode first.
    const float projections[][8] = {
        {600, 600, 21, 1 / 3.f, 1 / 3.f, o, 0, p},  // glOrtho(-3, 3, -3, 3, 1, 30)
        {600, 600, 22, f, f, p, -1, -60 / 29.f},    // gluPerspective(60, 1, 1, 30)
        {800, 400, 21, 1 / 6.f, 1 / 3.f, o, 0, p},  // left -6, right 6
        {600, 0, 22, f / 600, f, p, -1, -60 / 29.f},  // minimised: one pixel high
        {0, 600, 21, 200, 1 / 3.f, o, 0, p}};         // or wide
    for (const float* c : projections) {
        SCOPED_TRACE(testing::Message() << c[0] << " x " << c[1] << ", 'v' to " << c[2]);
        projectionMode = c[2] == 21 ? 22 : 21;
        reshape(int(c[0]), int(c[1]));
        keyboard('v', 1, 1);
        EXPECT_STATE(GL_PROJECTION_MATRIX,
                     {c[3], 0, 0, 0, 0, c[4], 0, 0, 0, 0, c[5], c[6], 0, 0, c[7], c[6] + 1});
        const float width = std::max(c[0], 1.f), height = std::max(c[1], 1.f);
        EXPECT_STATE(GL_VIEWPORT, {0, 0, width, height});
    }

    // The camera view: where it puts the world's x, y and z axes, and the origin.
    const struct {
        float eye[3], up, x[3], y[3], z[3], distance;
    } views[] = {
        {{0, 0, 5}, -1, {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, 5},
        // On the y axis the view is parallel to the up vector: GLU keeps only the depth row.
        {{0, 5, 0}, 1, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}, 5}};
    for (const auto& c : views) {
        cameraEye->set(c.eye[0], c.eye[1], c.eye[2]);
        cameraUpSign = c.up;
        glLoadIdentity();
        placeCamera();
        EXPECT_STATE(GL_MODELVIEW_MATRIX, {c.x[0], c.x[1], c.x[2], 0, c.y[0], c.y[1], c.y[2], 0,
                                           c.z[0], c.z[1], c.z[2], 0, 0, 0, -c.distance, 1});
    }
    glLoadIdentity();

    // The lights stay where they are in the world (the keys' changes reach them
    // too: the end-to-end session sees them).
    cameraEye->set(5, 0, 0);  // up as in the last view
    display();
    float sceneLight[4], spotlight[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, sceneLight),
        glGetLightfv(GL_LIGHT1, GL_POSITION, spotlight);
    EXPECT_FLOATS(sceneLight, {-1, 1, -4, 1});
    EXPECT_FLOATS(spotlight, {0, 2, -5, 1});
    EXPECT_STATE(GL_MODELVIEW_MATRIX, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_STATE(GL_MODELVIEW_STACK_DEPTH, {1});
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Expects drawing to turn by the spin about the y axis (seen on a vertex off
// the axis, from polygon `first` on), then to wrap the spin once past 360.
void expectSpin(float& spin, void (*draw)(), size_t first) {
    const std::vector<Facet> still = capture(draw);
    size_t i = first;
    while (std::hypot(still[i][0].x, still[i][0].z) < 0.1) ++i;
    const Vertex a = still[i][0];
    spin = 372;
    const Vertex b = capture(draw)[i][0];
    const double c = std::cos(12 * PI / 180), s = std::sin(12 * PI / 180);
    EXPECT_LT(std::hypot(b.x - a.x * c - a.z * s, b.y - a.y, b.z + a.x * s - a.z * c), 1e-4);
    EXPECT_EQ(spin, 12.0f);
}

TEST(Surroundings, GroundOfThirtyByThirtyBoxesMarkerAndSkySpinningAboveIt) {
    // 900 boxes, 1 wide, 0.5 high and 1 deep, centred 0.2 apart from -3 to
    // 2.8 in x and z (float steps: 30 a side, not 31), their tops at -0.3,
    // each sent as 6 faces of two triangles. On the four sides the grass
    // wraps once around the box, a quarter a side, from the front face's
    // left edge round to the right, t from the bottom up; top and bottom
    // carry it whole, s along z and t along x.
    const std::vector<Facet> ground = capture(drawGround);
    std::set<std::pair<long, long>> centres;
    const auto nearly = [](double a, double b) { return std::fabs(a - b) < 1e-4; };
    for (size_t box = 0; box < 900; ++box) {
        const auto first = ground.begin() + 12 * box, last = first + 12;
        double low[3] = {9, 9, 9}, high[3] = {-9, -9, -9};
        for (auto f = first; f != last; ++f)
            for (const Vertex& v : *f)
                for (int a = 0; a < 3; ++a)
                    low[a] = std::min(low[a], (&v.x)[a]), high[a] = std::max(high[a], (&v.x)[a]);
        ASSERT_TRUE(nearly(high[0] - low[0], 1) && nearly(low[1], -.8) && nearly(high[1], -.3) &&
                    nearly(high[2] - low[2], 1))
            << "box " << box;
        const double x = low[0] + .5, z = low[2] + .5;
        centres.insert({std::lround(x * 10), std::lround(z * 10)});
        for (auto f = first; f != last; ++f)
            for (const Vertex& v : *f) {
                const double u = v.x - x, w = v.z - z, up = (v.y + .55) * 2;  // -0.5 to 0.5
                const auto flat = [&](double Vertex::*c) {
                    return (*f)[0].*c == (*f)[1].*c && (*f)[1].*c == (*f)[2].*c;
                };
                const double s = flat(&Vertex::y)   ? w + .5
                                 : flat(&Vertex::z) ? (w > 0 ? u + .5 : 2.5 - u) / 4
                                                    : (u > 0 ? 1.5 - w : 3.5 + w) / 4,
                             t = flat(&Vertex::y) ? u + .5 : up + .5;
                ASSERT_TRUE(nearly(v.s, s) && nearly(v.t, t))
                    << "box " << box << " at " << u << " " << up << " " << w;
            }
    }
    EXPECT_TRUE(centres.size() == 900 && *centres.begin() == std::pair(-30l, -30l) &&
                *centres.rbegin() == std::pair(28l, 28l));
    // The marker: a ball of radius 0.3 at (0, 2, 0).
    const std::vector<Facet> ball(ground.begin() + 900 * 12, ground.end());
    EXPECT_EQ(onSphere(ball, 0, 2, 0, 0.3), int(ball.size() * 3));
    expectSpin(markerSpin, drawGround, 900 * 12);
    // The sky: an unlit textured sphere of radius 15, t = 0 at the top, that spins.
    const std::vector<Facet> sky = capture(drawSky);
    EXPECT_EQ(onSphere(sky, 0, 0, 0, 15), int(sky.size() * 3));
    Vertex zenith{}, nadir = zenith;
    for (const Facet& p : sky)
        for (const Vertex& v : p)
            zenith = v.y > zenith.y ? v : zenith, nadir = v.y < nadir.y ? v : nadir;
    EXPECT_TRUE(zenith.y > 14.99 && zenith.t == 0 && nadir.t == 1);  // t = 0 at the top
    expectSpin(skySpin, drawSky, 0);

    // Seen in perspective, each texel of a sky in 16 columns of black and
    // white spans a hundred pixels or more, and stays a sharp band of its own
    // colour: across the picture only the two colours show, no blend.
    BmpFile stripes{16, 4};
    stripes.rgb = [](int x, int) { return x % 2 ? 0xffffffu : 0; };
    const std::string file = scratchPath("stripes.bmp");
    writeFile(file, bmpBytes(stripes));
    loadTexture(file.c_str(), TEXTURE_SKY);
    std::filesystem::remove(file);
    projectionMode = VIEW_PERSPECTIVE, reshape(600, 600);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT), glLoadIdentity(), placeCamera(), drawSky();
    std::vector<std::array<GLubyte, 3>> row(600);
    glReadPixels(0, 300, 600, 1, GL_RGB, GL_UNSIGNED_BYTE, row.data());
    const std::set<std::array<GLubyte, 3>> colours(row.begin(), row.end());
    EXPECT_EQ(colours.size(), 2u) << "colours across the sky, in the middle row";
}
