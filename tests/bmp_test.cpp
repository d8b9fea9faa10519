#include "textures/bmp.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "bmp_writer.h"

class BmpReader : public testing::Test {
protected:
    void TearDown() override {
        std::free(image.pixels);
        std::filesystem::remove(path);
    }
    // Reads `bytes` as a file; returns what the reader printed.
    std::string read(const std::string& bytes) {
        writeFile(path, bytes);
        std::free(image.pixels);
        image.pixels = nullptr;
        testing::internal::CaptureStdout();
        result = readBmp(path.c_str(), &image);
        return testing::internal::GetCapturedStdout();
    }
    // Expects `bytes` to read silently as `bmp`'s picture: R, G, B, bottom row first.
    void expectPicture(const std::string& bytes, const BmpFile& bmp) {
        ASSERT_EQ(read(bytes), "");
        ASSERT_EQ(result, 1);
        ASSERT_EQ(image.width, uint32_t(bmp.width));
        ASSERT_EQ(image.height, uint32_t(std::abs(bmp.height)));
        for (uint32_t i = 0; i < image.width * image.height; ++i) {
            const unsigned char* p = image.pixels + 3 * i;
            ASSERT_EQ(uint32_t(p[0] << 16 | p[1] << 8 | p[2]),
                      bmp.rgb(i % image.width, i / image.width))
                << "pixel " << i << " of " << bmp.width << " x " << bmp.height;
        }
    }
    // Expects `bytes` to fail with `message`, %s standing for the file's name.
    void expectFailure(const std::string& bytes, std::string message) {
        EXPECT_EQ(read(bytes), message.replace(message.find("%s"), 2, path));
        EXPECT_EQ(result, 0);
    }

    const std::string path = scratchPath("bmp_test_" + std::to_string(getpid()) + ".bmp");
    TextureImage image{0, 0, nullptr};
    int result = -1;
};

TEST_F(BmpReader, ReadsEveryLayoutOfPicturePixelForPixel) {
    // Every row padding; a longer header; top-down rows; larger than the 768
    // KB the reader reads at a time, with every padding, both row orders.
    std::vector<BmpFile> files = {{4, 4, 1, 24, 138}, {4, -5}};
    for (int width : {64, 1, 2, 3, 5, 7, 13, 17, 21, 101}) files.push_back({width, 3});
    for (int width : {512, 513, 514, 515}) files.insert(files.end(), {{width, 520}, {width, -520}});
    for (const BmpFile& bmp : files) expectPicture(bmpBytes(bmp), bmp);
}

TEST_F(BmpReader, IgnoresTheSignatureAnOffsetIntoTheHeadersAndTrailingBytes) {
    std::string odd = bmpBytes(BmpFile()) + "trailing";
    odd[0] = 'X';
    odd[10] = 14;  // the pixels' offset: 14, inside the headers, is taken as 54
    expectPicture(odd, BmpFile());
}

TEST_F(BmpReader, ReportsEachMalformedFileInOneLine) {
    const std::string good = bmpBytes(BmpFile());
    expectFailure(bmpBytes({4, 4, 2}), "Planes from %s is not 1: 2\n");
    expectFailure(bmpBytes({4, 4, 1, 8}), "Bpp from %s is not 24: 8\n");
    expectFailure(good.substr(0, good.size() - 1), "Error reading image data from %s.\n");
    expectFailure(bmpBytes({0, 4}), "Error reading image data from %s.\n");
    expectFailure(bmpBytes({4, 0}), "Error reading image data from %s.\n");
    expectFailure("", "Planes from %s is not 1: 65279\n");  // EOF adds -1 a byte
}

TEST_F(BmpReader, RejectsSizesWhoseByteCountPasses32Bits) {
    // Some wrap to small numbers, even in 64 bits.
    const struct {
        int64_t width, height;
    } sizes[] = {{0x55555556, 1}, {65536, 65536},  {0x40000000, 4},
                 {2, INT32_MIN},  {-1, INT32_MIN}, {-1431655766, INT32_MIN}};
    for (const auto& size : sizes) {
        std::string bytes = bmpBytes(BmpFile());
        for (int i = 0; i < 4; ++i) {  // the width's field at 18, the height's at 22
            bytes[18 + i] = char(size.width >> 8 * i);
            bytes[22 + i] = char(size.height >> 8 * i);
        }
        EXPECT_EQ(read(bytes).rfind("Image size from " + path + " is too large: ", 0), 0u);
        EXPECT_EQ(result, 0);
    }
}

TEST_F(BmpReader, ReportsAFolderItCannotRead) {
    // Linux opens it and then cannot read it, Windows does not open it.
    const std::string folder = std::filesystem::temp_directory_path().generic_string();
    testing::internal::CaptureStdout();
    EXPECT_EQ(readBmp(folder.c_str(), &image), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(out == "Error reading header from " + folder + ".\n" ||
                out == "File Not Found : " + folder + "\n")
        << out;
}
