// Starting vantor: its window, its output, and start-ups that must fail.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "bmp_writer.h"
#include "e2e/session.h"

namespace {

constexpr uint32_t SKY = 0xff00ff;    // magenta: unlit, so shown exactly
constexpr uint32_t GRASS = 0x00c800;  // green
constexpr uint32_t FACE = 0xffffff;

const char* const TEXTURES[] = {"sky.bmp", "grass.bmp", "smileycol.bmp"};

bool isSky(uint32_t p) { return p == SKY; }
bool isGround(uint32_t p) { return (p >> 16) < 0x40 && ((p >> 8) & 0xff) > 0x60; }
bool isFigure(uint32_t p) {
    return (p >> 16) > 0xc0 && ((p >> 8) & 0xff) > 0xc0 && (p & 0xff) < 0x80;
}

TEST(Startup, OpensTheWindowAndPrintsOnlyTheLoadLines) {
    Session session;
    session.writePlainTextures(SKY, GRASS, FACE);
    session.start();
    const WindowGeometry g = session.geometry();
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 100);
    EXPECT_EQ(g.width, 600);
    EXPECT_EQ(g.height, 600);
    EXPECT_TRUE(session.running());

    // The figure stands in the middle above the ground band; sky all around.
    const Screenshot s = session.waitForPicture(
        [](const Screenshot& shot) { return shot.count(isFigure, 280, 180, 320, 300) > 100; });
    EXPECT_GT(s.count(isFigure, 290, 200, 310, 300), 100);     // body and head
    EXPECT_GT(s.count(isGround, 0, 340, 600, 370), 600 * 25);  // the ground's band
    EXPECT_EQ(s.count(isSky, 0, 0, 600, 60), 600 * 60);        // sky above
    EXPECT_EQ(s.count(isSky, 0, 400, 600, 600), 600 * 200);    // and below the ground
    EXPECT_EQ(s.count(isFigure, 0, 0, 150, 600), 0);           // nothing of the figure far left

    // Everything printed, once the output is flushed at the end.
    session.key("q");
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_EQ(session.output(),
              "trying to load sky.bmp\ntrying to load grass.bmp\ntrying to load smileycol.bmp\n");
    EXPECT_EQ(session.errors(), "");
}

TEST(Startup, EachMissingTextureStopsStartUpWithStatusOne) {
    for (int missing = 0; missing < 3; ++missing) {
        Session session;
        session.writePlainTextures(SKY, GRASS, FACE);
        const std::string path = session.directory() + "/" + TEXTURES[missing];
        std::remove(path.c_str());
        session.start(false);
        EXPECT_EQ(session.waitForExit(), 1) << TEXTURES[missing];
        std::string expected;
        for (int i = 0; i <= missing; ++i)
            expected += std::string("trying to load ") + TEXTURES[i] + "\n";
        expected += std::string("File Not Found : ") + TEXTURES[missing] + "\n";
        EXPECT_EQ(session.output(), expected);
    }
}

TEST(Startup, BadTextureFilesStopStartUpWithTheReadersMessage) {
    BmpFile eightBit;
    eightBit.bitsPerPixel = 8;
    BmpFile planes;
    planes.planes = 2;
    const std::string good = bmpBytes(BmpFile());
    // Declared sizes far beyond the file: 100000 x 100000 overflows 32 bits,
    // 30000 x 30000 fits but the file holds 48 pixels.
    auto withSize = [&](uint32_t w, uint32_t h) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = static_cast<char>((w >> (8 * i)) & 0xff);
            bytes[22 + i] = static_cast<char>((h >> (8 * i)) & 0xff);
        }
        return bytes;
    };
    const struct {
        std::string bytes;
        std::string message;
    } cases[] = {
        {bmpBytes(eightBit), "Bpp from grass.bmp is not 24: 8\n"},
        {bmpBytes(planes), "Planes from grass.bmp is not 1: 2\n"},
        {good.substr(0, good.size() - 5), "Error reading image data from grass.bmp.\n"},
        {"", "Planes from grass.bmp is not 1: 65279\n"},
        {good.substr(0, 20), "Planes from grass.bmp is not 1: 65279\n"},
        {withSize(100000, 100000), "Image size from grass.bmp is too large: 100000 x 100000\n"},
        {withSize(30000, 30000), "Error reading image data from grass.bmp.\n"},
    };
    for (const auto& c : cases) {
        Session session;
        session.writePlainTextures(SKY, GRASS, FACE);
        session.writeFile("grass.bmp", c.bytes);
        session.start(false);
        EXPECT_EQ(session.waitForExit(), 1) << c.message;
        EXPECT_EQ(session.output(),
                  "trying to load sky.bmp\ntrying to load grass.bmp\n" + c.message);
    }
}

TEST(Startup, UnreadableTexturesStopStartUpWithStatusOne) {
    Session session;
    session.writePlainTextures(SKY, GRASS, FACE);
    const std::string path = session.directory() + "/smileycol.bmp";
    std::remove(path.c_str());
    ASSERT_EQ(mkdir(path.c_str(), 0755), 0);  // a directory where the face should be
    session.start(false);
    EXPECT_EQ(session.waitForExit(), 1);
    EXPECT_EQ(session.output(),
              "trying to load sky.bmp\ntrying to load grass.bmp\ntrying to load smileycol.bmp\n"
              "Error reading header from smileycol.bmp.\n");
}

TEST(Startup, TextureWithoutReadPermissionIsNotFound) {
    Session session;
    session.writePlainTextures(SKY, GRASS, FACE);
    const std::string path = session.directory() + "/sky.bmp";
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    ASSERT_EQ(chmod(session.directory().c_str(), 0755), 0);
    session.start(false, true);  // root would read the file anyway
    EXPECT_EQ(session.waitForExit(), 1);
    EXPECT_EQ(session.output(), "trying to load sky.bmp\nFile Not Found : sky.bmp\n");
}

TEST(Startup, ImagesTooLargeForOpenGlAreRefused) {
    Session session;
    session.writePlainTextures(SKY, GRASS, FACE);
    BmpFile wide;
    wide.width = 40000;  // beyond any GL_MAX_TEXTURE_SIZE, 117 KiB of pixels
    wide.height = 1;
    session.writeFile("sky.bmp", bmpBytes(wide));
    session.start(false);
    EXPECT_EQ(session.waitForExit(), 1);
    EXPECT_NE(session.output().find("Image sky.bmp is too large for OpenGL: 40000 x 1"),
              std::string::npos)
        << session.output();
}

}  // namespace
