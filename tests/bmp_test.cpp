#include "textures/bmp.h"

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "bmp_writer.h"

namespace {

// Each test works in a directory of its own.
class BmpReader : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/bmp_test_XXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override {
        std::free(image.pixels);
        std::string command = "rm -rf " + dir;
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    std::string file(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        writeFile(path, bytes);
        return path;
    }
    // Reads `path`, returning the result and the printed text.
    int read(const std::string& path, std::string* printed) {
        image.pixels = nullptr;
        testing::internal::CaptureStdout();
        const int result = readBmp(path.c_str(), &image);
        *printed = testing::internal::GetCapturedStdout();
        return result;
    }
    // The pixel (x, y) of the image read, as R, G, B, y counted from the bottom.
    uint32_t rgbAt(int x, int y) const {
        const unsigned char* p = image.pixels + (static_cast<size_t>(y) * image.width + x) * 3;
        return p[0] | (p[1] << 8) | (p[2] << 16);
    }
    // The rgbAt value that gradientPixel() puts at (x, y).
    static uint32_t expectedRgb(int x, int y) {
        const uint32_t bgr = gradientPixel(x, y);
        return ((bgr >> 16) & 0xff) | (bgr & 0xff00) | ((bgr & 0xff) << 16);
    }
    void expectGradient(int width, int height) {
        ASSERT_EQ(image.width, static_cast<uint32_t>(width));
        ASSERT_EQ(image.height, static_cast<uint32_t>(height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(rgbAt(x, y), expectedRgb(x, y)) << x << "," << y;
        }
    }

    std::string dir;
    TextureImage image{0, 0, nullptr};
};

TEST_F(BmpReader, ReadsAndSwapsToRgb) {
    BmpFile bmp;
    bmp.width = 64;
    bmp.height = 64;
    bmp.pixel = [](int x, int y) -> uint32_t { return x == 0 && y == 0 ? 0x1e140a : 0x010203; };
    std::string printed;
    ASSERT_EQ(read(file("a.bmp", bmpBytes(bmp)), &printed), 1);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(image.width, 64u);
    EXPECT_EQ(image.height, 64u);
    // File bytes B, G, R = 10, 20, 30 of the bottom-left pixel come out 30, 20, 10.
    EXPECT_EQ(image.pixels[0], 30);
    EXPECT_EQ(image.pixels[1], 20);
    EXPECT_EQ(image.pixels[2], 10);
    EXPECT_EQ(image.pixels[3], 1);
    EXPECT_EQ(image.pixels[64 * 64 * 3 - 1], 3);
}

TEST_F(BmpReader, IgnoresSignatureAndTrailingBytes) {
    BmpFile bmp;
    bmp.signature = false;
    std::string printed;
    ASSERT_EQ(read(file("x.bmp", bmpBytes(bmp) + "trailing bytes"), &printed), 1);
    EXPECT_EQ(printed, "");
    expectGradient(4, 4);
}

TEST_F(BmpReader, HonoursRowPaddingForEveryWidth) {
    // Wide rows also cover the reader's 16-pixel fast path and its tail.
    for (int width : {1, 2, 3, 5, 6, 7, 13, 16, 21, 64, 101}) {
        BmpFile bmp;
        bmp.width = width;
        bmp.height = 3;
        std::string printed;
        ASSERT_EQ(read(file("odd.bmp", bmpBytes(bmp)), &printed), 1) << width;
        expectGradient(width, 3);
        std::free(image.pixels);
        image.pixels = nullptr;
    }
}

TEST_F(BmpReader, HonoursPixelOffsetAndTopDownRows) {
    for (uint32_t header : {108u, 124u}) {
        BmpFile bmp;
        bmp.width = 5;
        bmp.infoHeaderSize = header;
        std::string printed;
        ASSERT_EQ(read(file("v5.bmp", bmpBytes(bmp)), &printed), 1);
        expectGradient(5, 4);
        std::free(image.pixels);
        image.pixels = nullptr;
    }
    BmpFile topDown;
    topDown.width = 3;
    topDown.height = -5;
    std::string printed;
    ASSERT_EQ(read(file("top.bmp", bmpBytes(topDown)), &printed), 1);
    expectGradient(3, 5);
}

TEST_F(BmpReader, ReportsEachFailure) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    };
    BmpFile planes2;
    planes2.planes = 2;
    BmpFile eightBit;
    eightBit.bitsPerPixel = 8;
    BmpFile thirtyTwo;
    thirtyTwo.bitsPerPixel = 32;
    BmpFile zeroWidth;
    zeroWidth.width = 0;
    BmpFile zeroHeight;
    zeroHeight.height = 0;
    const std::string good = bmpBytes(BmpFile());
    const std::string d = dir + "/";
    const Case cases[] = {
        {"planes.bmp", bmpBytes(planes2), "Planes from " + d + "planes.bmp is not 1: 2\n"},
        {"bpp8.bmp", bmpBytes(eightBit), "Bpp from " + d + "bpp8.bmp is not 24: 8\n"},
        {"bpp32.bmp", bmpBytes(thirtyTwo), "Bpp from " + d + "bpp32.bmp is not 24: 32\n"},
        {"short.bmp", good.substr(0, good.size() - 1),
         "Error reading image data from " + d + "short.bmp.\n"},
        {"w0.bmp", bmpBytes(zeroWidth), "Error reading image data from " + d + "w0.bmp.\n"},
        {"h0.bmp", bmpBytes(zeroHeight), "Error reading image data from " + d + "h0.bmp.\n"},
        // A file that ends inside its header: each missing byte adds EOF (-1).
        {"header.bmp", good.substr(0, 27), "Planes from " + d + "header.bmp is not 1: 65281\n"},
        {"empty.bmp", "", "Planes from " + d + "empty.bmp is not 1: 65279\n"},
    };
    for (const Case& c : cases) {
        std::string printed;
        EXPECT_EQ(read(file(c.name, c.bytes), &printed), 0) << c.name;
        EXPECT_EQ(printed, c.message);
    }
    std::string printed;
    EXPECT_EQ(read(d + "missing.bmp", &printed), 0);
    EXPECT_EQ(printed, "File Not Found : " + d + "missing.bmp\n");
    EXPECT_EQ(read(dir, &printed), 0);  // a directory opens but cannot be read
    EXPECT_EQ(printed, "Error reading header from " + dir + ".\n");
}

TEST_F(BmpReader, RejectsSizesThatOverflowTheByteCount) {
    // width * height * 3 wraps to a small number in 32 bits for these pairs.
    const std::pair<int32_t, int32_t> sizes[] = {
        {0x55555556, 1},       {65536, 65536},
        {0x40000000, 4},       {2, -2147483647 - 1},
        {-1, -2147483647 - 1}, {-1431655766, -2147483647 - 1}};  // products past 64 bits
    for (auto [w, h] : sizes) {
        BmpFile bmp;
        bmp.width = 1;
        bmp.height = 1;
        std::string bytes = bmpBytes(bmp);
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = static_cast<char>((static_cast<uint32_t>(w) >> (8 * i)) & 0xff);
            bytes[22 + i] = static_cast<char>((static_cast<uint32_t>(h) >> (8 * i)) & 0xff);
        }
        std::string printed;
        EXPECT_EQ(read(file("huge.bmp", bytes), &printed), 0) << w << "x" << h;
        EXPECT_NE(printed.find("is too large"), std::string::npos) << printed;
    }
    // Sizes that fit but that the file does not hold fail before any allocation.
    BmpFile bmp;
    std::string bytes = bmpBytes(bmp);
    bytes[18] = 0;
    bytes[19] = 0;
    bytes[20] = 0x10;  // width 1 Mi: 12 MiB per row, far more than the file has
    std::string printed;
    EXPECT_EQ(read(file("big.bmp", bytes), &printed), 0);
    EXPECT_EQ(printed, "Error reading image data from " + dir + "/big.bmp.\n");
}

}  // namespace
