// Start-up, the clock, projection, camera, lights, ground and sky.

#include "viewer.h"

TEST(Startup, LeavesTheStartingState) {
    // Window, modes, view volume, camera, mouse, spins, display mode; the clock
    // is read at the end of start-up.
    std::ostringstream state;  // named, so that a failure shows which differ
    state << "window " << windowWidth << " x " << windowHeight << ", modes " << projectionMode
          << " " << transformMode << ", up " << cameraUpSign << ", angles " << cameraAzimuth << " "
          << cameraElevation << ", mouse " << lastMouseX << " " << lastMouseY << ", spins "
          << markerSpin << " " << skySpin << ", double " << glutGet(GLUT_WINDOW_DOUBLEBUFFER)
          << ", depth " << (glutGet(GLUT_WINDOW_DEPTH_SIZE) >= 16) << ", clock started "
          << (std::abs(lastTickTime - glutGet(GLUT_ELAPSED_TIME)) < 100);
    EXPECT_EQ(state.str(),
              "window 600 x 600, modes 21 31, up 1, angles 0 0, mouse 0 0, spins 0 0, "
              "double 1, depth 1, clock started 1");
    expectVector("cameraEye", cameraEye, 0, 0, 5);
    EXPECT_STATE(GL_COLOR_CLEAR_VALUE, {1, 1, 1, 1});
    EXPECT_LIGHT(GL_LIGHT0, {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR},
                 {5, 5, 5, 1, .6f, .6f, .6f, 1, .8f, .8f, .8f, 1});
    EXPECT_LIGHT(GL_LIGHT1, {GL_SPOT_CUTOFF}, {10});  // its colours come with every frame
    // Textures 1 to 3 hold the files, repeat and are nearest; 3 is bound last.
    EXPECT_STATE(GL_TEXTURE_BINDING_2D, {3});
    for (int id = 1; id < 4; ++id) {
        glBindTexture(GL_TEXTURE_2D, id);
        std::vector<GLint> v(7);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &v[0]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &v[1]);
        const GLenum names[4] = {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_MAG_FILTER,
                                 GL_TEXTURE_MIN_FILTER};
        for (int i = 0; i < 4; ++i) glGetTexParameteriv(GL_TEXTURE_2D, names[i], &v[2 + i]);
        const GLint w = TEXTURE_SIZE[id - 1][0], h = TEXTURE_SIZE[id - 1][1];
        std::vector<unsigned char> texels(w * h * 4);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        for (int i = 0; i < w * h; ++i)
            v[6] += uint32_t(texels[4 * i] << 16 | texels[4 * i + 1] << 8 | texels[4 * i + 2]) ==
                    TEXTURE_RGB[id - 1];
        EXPECT_EQ(v,
                  std::vector<GLint>({w, h, GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, w * h}))
            << "texture " << id << ": width, height, wrap s and t, filters, texels of its colour";
    }
}

TEST(Startup, EndsWithStatusOneOnATextureOpenGlCannotTakeAndZeroOnQuit) {
    const std::string wide = scratchPath("wide.bmp"), none = scratchPath("no.bmp");
    writeFile(wide, plainBmp(40000, 1, 0));  // fits the reader, not OpenGL
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    // Messages go to standard output, death tests read standard error.
    EXPECT_EXIT((dup2(2, 1), loadTexture(wide.c_str(), 2)), testing::ExitedWithCode(1),
                "Image " + wide + " is too large for OpenGL: 40000 x 1, at most");
    EXPECT_EXIT((dup2(2, 1), loadTexture(none.c_str(), 2)), testing::ExitedWithCode(1),
                "^trying to load " + none + "\nFile Not Found : " + none + "\n$");
    for (auto quit :
         {+[] { keyboard('q', 0, 0); }, +[] { keyboard('Q', 0, 0); }, +[] { menuSelect(11); }})
        EXPECT_EXIT(quit(), testing::ExitedWithCode(0), "^$");
    std::filesystem::remove(wide);
}

TEST(Clock, TicksAfterMoreThanFiftyMillisecondsAndAdvancesTheSpins) {
    lastTickTime = 1000;
    const int cases[][3] = {{1050, 0, 1000}, {1051, 1, 1051}, {5000, 1, 5000}, {5050, 0, 5000}};
    for (const int* c : cases) EXPECT_TRUE(tickIfDue(c[0]) == c[1] && lastTickTime == c[2]) << c[0];
    for (int i = 0; i < 198; ++i) animationTick();
    EXPECT_EQ(markerSpin, 400.0f);  // the tick does not wrap the spins
    EXPECT_NEAR(skySpin, 20.0f, 1e-4);
}

TEST(View, ProjectionCameraAndLightsFollowTheWindowTheModeAndTheEye) {
    const float f = 1 / std::tan(PI / 6), o = -2 / 29.f, p = -31 / 29.f;  // 60 degrees; 1 to 30
    // Width, height, the mode that 'v' switches to, then the projection's
    // elements 0, 5, 10, 11 and 14: square, wide, tall and minimised windows,
    // each reshaped in the other mode first.
    const float projections[][8] = {
        {600, 600, 21, 1 / 3.f, 1 / 3.f, o, 0, p},  // glOrtho(-3, 3, -3, 3, 1, 30)
        {600, 600, 22, f, f, p, -1, -60 / 29.f},    // gluPerspective(60, 1, 1, 30)
        {800, 400, 21, 1 / 6.f, 1 / 3.f, o, 0, p},  // left -6, right 6
        {800, 400, 22, f / 2, f, p, -1, -60 / 29.f},
        {400, 800, 21, 2 / 3.f, 1 / 3.f, o, 0, p},
        {400, 800, 22, 2 * f, f, p, -1, -60 / 29.f},
        {600, 0, 21, 1 / 1800.f, 1 / 3.f, o, 0, p},  // minimised: one pixel high
        {600, 0, 22, f / 600, f, p, -1, -60 / 29.f},
        {0, 600, 21, 200, 1 / 3.f, o, 0, p}};  // or wide
    for (const float* c : projections) {
        SCOPED_TRACE(std::to_string(int(c[0])) + " x " + std::to_string(int(c[1])) + ", 'v' to " +
                     std::to_string(int(c[2])));
        projectionMode = c[2] == 21 ? 22 : 21;
        reshape(int(c[0]), int(c[1]));
        keyboard('v', 1, 1);
        EXPECT_EQ(projectionMode, int(c[2]));
        EXPECT_STATE(GL_PROJECTION_MATRIX,
                     {c[3], 0, 0, 0, 0, c[4], 0, 0, 0, 0, c[5], c[6], 0, 0, c[7], c[6] + 1});
        const float width = std::max(c[0], 1.f), height = std::max(c[1], 1.f);
        EXPECT_STATE(GL_VIEWPORT, {0, 0, width, height});
        EXPECT_TRUE(windowWidth == width && windowHeight == height);
    }

    // The camera view: where it puts the world's x, y and z axes, and the origin.
    const float u = 1 / std::sqrt(101.f), v = 10 / std::sqrt(101.f);  // (0.5, 5) at unit length
    const struct {
        float eye[3], up, x[3], y[3], z[3], distance;
    } views[] = {
        {{0, 0, 5}, 1, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 5},
        {{0, 0, 5}, -1, {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}, 5},
        {{0.5f, 5, 0}, 1, {0, -v, u}, {0, u, v}, {-1, 0, 0}, 5 / v},
        {{0, 5, 0.5f}, 1, {1, 0, 0}, {0, u, v}, {0, -v, u}, 5 / v},
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

    // The lights stay where they are in the world; key changes show at the next frame.
    cameraEye->set(5, 0, 0);  // up as in the last view
    keyboard('+', 0, 0);
    display();
    EXPECT_LIGHT(GL_LIGHT0, {GL_POSITION}, {-1, 1, -4, 1});
    EXPECT_LIGHT(
        GL_LIGHT1, {GL_POSITION, GL_SPOT_DIRECTION, GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR},
        {0, 2, -5, 1, 0, -2, 0, 5.7f, 5.7f, 6.0f, 1, 4.7f, 4.7f, 5.0f, 1, 4.7f, 4.7f, 5.0f, 1});
    EXPECT_STATE(GL_MODELVIEW_MATRIX, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_STATE(GL_MODELVIEW_STACK_DEPTH, {1});
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(Frame, EachPartIsDrawnWithItsOwnTextureOrNone) {
    // The test textures are plain: sky magenta, grass green, face 2040ff.
    // Lit parts modulate them with a red that saturates (the figure's
    // ambient red 0.34 under the scene light's ambient 5), so the red channel
    // alone tells which texture, if any, is on a part. The second frame
    // starts with what the first left bound and enabled.
    reshape(600, 600);
    display(), display();
    // Each part at one pixel (rows from the bottom), and the least and most
    // of red, green and blue there.
    const struct {
        const char* part;
        int x, y, low[3], high[3];
    } parts[] = {{"ground (grass)", 300, 250, {0, 1, 0}, {0, 255, 0}},
                 {"head (face)", 300, 395, {32, 0, 0}, {32, 255, 255}},
                 {"body (untextured)", 300, 350, {255, 255, 0}, {255, 255, 255}},
                 {"right arm (untextured, lit)", 330, 370, {255, 0, 0}, {255, 254, 255}},
                 {"marker (untextured, grey)", 300, 500, {129, 129, 129}, {255, 255, 255}}};
    for (const auto& p : parts) {
        unsigned char rgb[3];
        glReadPixels(p.x, p.y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        for (int c = 0; c < 3; ++c)
            EXPECT_TRUE(rgb[c] >= p.low[c] && rgb[c] <= p.high[c])
                << p.part << ", channel " << c << ": " << int(rgb[c]);
    }
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
    spin = 360;
    capture(draw);
    EXPECT_EQ(spin, 360.0f);
}

TEST(Surroundings, GroundOfThirtyByThirtyBoxesMarkerAndSkySpinningAboveIt) {
    // The faces of a box 1 wide, 0.5 high and 1 deep, each corner (s, t) at
    // twice its (x, y, z) in box units, dropped by (14 - 3) x 0.05; GL sends
    // each face as two triangles.
    const float faces[6][4][5] = {
        {{0, 1, -1, 1, 1}, {.25, 1, 1, 1, 1}, {.25, 0, 1, -1, 1}, {0, 0, -1, -1, 1}},
        {{.5, 1, 1, 1, -1}, {.5, 0, 1, -1, -1}, {.25, 0, 1, -1, 1}, {.25, 1, 1, 1, 1}},
        {{.75, 0, -1, -1, -1}, {.5, 0, 1, -1, -1}, {.5, 1, 1, 1, -1}, {.75, 1, -1, 1, -1}},
        {{.75, 0, -1, -1, -1}, {.75, 1, -1, 1, -1}, {1, 1, -1, 1, 1}, {1, 0, -1, -1, 1}},
        {{0, 0, -1, 1, -1}, {0, 1, 1, 1, -1}, {1, 1, 1, 1, 1}, {1, 0, -1, 1, 1}},
        {{0, 0, -1, -1, -1}, {0, 1, 1, -1, -1}, {1, 1, 1, -1, 1}, {1, 0, -1, -1, 1}}};
    std::set<std::array<long, 5>> expected, drawn;  // (x, y, z, s, t) in steps of 1e-4
    const auto add = [](auto& set, double x, double y, double z, double s, double t) {
        set.insert({std::lround(x * 1e4), std::lround(y * 1e4), std::lround(z * 1e4),
                    std::lround(s * 1e4), std::lround(t * 1e4)});
    };
    for (float x = -3.0f; x <= 3.0f; x += 0.2f)  // float steps: 30 boxes a side, not 31
        for (float z = -3.0f; z <= 3.0f; z += 0.2f)
            for (const auto& face : faces)
                for (const float* c : face)
                    add(expected, x + c[2] / 2, -0.55f + c[3] / 4, z + c[4] / 2, c[0], c[1]);
    const std::vector<Facet> ground = capture(drawGround);
    for (size_t i = 0; i < 30 * 30 * 6 * 2; ++i)
        for (const Vertex& v : ground[i]) add(drawn, v.x, v.y, v.z, v.s, v.t);
    EXPECT_TRUE(drawn == expected);
    EXPECT_STATE(GL_SHADE_MODEL, {GL_FLAT});
    // The marker: its material, and a ball of radius 0.3 at (0, 2, 0), 10 slices and stacks.
    EXPECT_MATERIAL(
        {.15375f, .15f, .16625f, 1, .18275f, .17f, .22525f, 1, 1.3f, 1.3f, 1.3f, 1, 15});
    const std::vector<Facet> ball(ground.begin() + 30 * 30 * 6 * 2, ground.end());
    EXPECT_EQ(ball.size(), capture(+[] { glutSolidSphere(0.3, 10, 10); }).size());
    EXPECT_EQ(onSphere(ball, 0, 2, 0, 0.3), int(ball.size() * 3));
    double top = 0;  // its poles up and down
    for (const Facet& p : ball) top = std::max({top, p[0].y, p[1].y, p[2].y});
    EXPECT_NEAR(top, 2.3, 1e-4);
    expectSpin(markerSpin, drawGround, 30 * 30 * 6 * 2);
    // The sky: an unlit textured sphere of radius 15, t = 0 at the top, that spins.
    const std::vector<Facet> sky = capture(drawSky);
    EXPECT_EQ(onSphere(sky, 0, 0, 0, 15), int(sky.size() * 3));
    EXPECT_EQ(sky.size(), capture(+[] {  // of 15 slices and 15 stacks
                              static GLUquadric* textured = gluNewQuadric();
                              gluQuadricTexture(textured, GL_TRUE), gluSphere(textured, 15, 15, 15);
                          })
                              .size());
    Vertex zenith{0, 0, 0, 0, 0}, nadir = zenith;
    for (const Facet& p : sky)
        for (const Vertex& v : p)
            zenith = v.y > zenith.y ? v : zenith, nadir = v.y < nadir.y ? v : nadir;
    EXPECT_TRUE(zenith.y > 14.99 && zenith.t == 0 && nadir.t == 1);  // t = 0 at the top
    expectSpin(skySpin, drawSky, 0);
}
