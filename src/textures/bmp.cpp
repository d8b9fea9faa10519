#include "textures/bmp.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr long PIXELS_OFFSET_FIELD = 10;  // where the file header stores the data offset
constexpr long INFO_HEADER_END = 54;      // 14-byte file header + 40-byte info header

// Byte sizes of one image, all checked against overflow before use.
struct Layout {
    uint32_t height;     // rows, whatever the file's row order
    bool topDown;        // the file's first row is the top row
    uint64_t packedRow;  // width * 3: bytes of one row in memory
    uint64_t fileRow;    // packedRow padded to a multiple of 4: one row in the file
    uint64_t fileBytes;  // fileRow * height: the block read from the file
};

bool sizesFit(uint32_t width, uint32_t storedHeight, Layout* layout) {
    const int32_t signedHeight = static_cast<int32_t>(storedHeight);
    layout->topDown = signedHeight < 0;
    layout->height =
        layout->topDown ? static_cast<uint32_t>(-static_cast<int64_t>(signedHeight)) : storedHeight;
    layout->packedRow = static_cast<uint64_t>(width) * 3;
    layout->fileRow = (layout->packedRow + 3) / 4 * 4;
    layout->fileBytes = layout->fileRow * layout->height;  // < 2^66 is impossible: both < 2^35
    // The packed image must be addressable with 32-bit byte counts.
    return layout->packedRow * layout->height <= UINT32_MAX && layout->fileBytes <= UINT32_MAX;
}

// Bytes from `offset` to the end of the file, or -1 if the file cannot seek.
long bytesAfter(FILE* file, long offset) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file);
    if (end < 0 || std::fseek(file, offset, SEEK_SET) != 0) return -1;
    return end - offset;
}

// Squeezes the padded file rows into packed rows, in place: row r moves from
// r * fileRow down to r * packedRow, so copying upwards never overwrites rows
// not yet moved.
void packRows(unsigned char* block, const Layout& layout) {
    if (layout.fileRow == layout.packedRow) return;
    for (uint32_t r = 1; r < layout.height; ++r) {
        std::memmove(block + r * layout.packedRow, block + r * layout.fileRow, layout.packedRow);
    }
}

// Reverses the row order in place (top-down files to bottom-up).
void flipRows(unsigned char* pixels, const Layout& layout) {
    unsigned char* top = pixels;
    unsigned char* bottom = pixels + (layout.height - 1) * layout.packedRow;
    for (; top < bottom; top += layout.packedRow, bottom -= layout.packedRow) {
        for (uint64_t i = 0; i < layout.packedRow; ++i) {
            const unsigned char t = top[i];
            top[i] = bottom[i];
            bottom[i] = t;
        }
    }
}

// BMP stores blue, green, red; OpenGL wants red, green, blue.
void swapRedBlue(unsigned char* pixels, uint64_t count) {
    for (uint64_t i = 0; i + 2 < count; i += 3) {
        const unsigned char blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
}

int fail(FILE* file) {
    std::fclose(file);
    return 0;
}

}  // namespace

uint32_t readLE32(FILE* file) {
    const uint32_t b0 = static_cast<uint32_t>(std::getc(file));
    const uint32_t b1 = static_cast<uint32_t>(std::getc(file));
    const uint32_t b2 = static_cast<uint32_t>(std::getc(file));
    const uint32_t b3 = static_cast<uint32_t>(std::getc(file));
    return b0 + (b1 << 8) + (b2 << 16) + (b3 << 24);
}

uint16_t readLE16(FILE* file) {
    const uint32_t b0 = static_cast<uint32_t>(std::getc(file));
    const uint32_t b1 = static_cast<uint32_t>(std::getc(file));
    return static_cast<uint16_t>(b0 + (b1 << 8));
}

int readBmp(const char* fileName, TextureImage* image) {
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        std::printf("File Not Found : %s\n", fileName);
        return 0;
    }

    // The signature and the header sizes are not checked: anything laid out
    // like a 24-bit BMP is read as one.
    std::fseek(file, PIXELS_OFFSET_FIELD, SEEK_CUR);
    const uint32_t storedOffset = readLE32(file);
    std::fseek(file, 4, SEEK_CUR);  // the info header's size
    image->width = readLE32(file);
    const uint32_t storedHeight = readLE32(file);
    image->height = storedHeight;
    const unsigned planes = readLE16(file);
    const unsigned bits = readLE16(file);

    if (std::ferror(file)) {  // a directory, say: not a short file but an unreadable one
        std::printf("Error reading header from %s.\n", fileName);
        return fail(file);
    }
    if (planes != 1) {
        std::printf("Planes from %s is not 1: %u\n", fileName, planes);
        return fail(file);
    }
    if (bits != 24) {
        std::printf("Bpp from %s is not 24: %u\n", fileName, bits);
        return fail(file);
    }

    Layout layout;
    if (!sizesFit(image->width, storedHeight, &layout)) {
        std::printf("Image size from %s is too large: %u x %u\n", fileName,
                    static_cast<unsigned>(image->width), static_cast<unsigned>(layout.height));
        return fail(file);
    }
    image->height = layout.height;

    // Pixel data begins where the file header says; offsets that would point
    // into the headers themselves are taken as the classic 54.
    const long offset = storedOffset < INFO_HEADER_END ? INFO_HEADER_END : storedOffset;
    const long available = bytesAfter(file, offset);
    if (layout.fileBytes == 0 || available < 0 ||
        static_cast<uint64_t>(available) < layout.fileBytes) {
        std::printf("Error reading image data from %s.\n", fileName);
        return fail(file);
    }

    image->pixels = static_cast<unsigned char*>(std::malloc(layout.fileBytes));
    if (image->pixels == nullptr) {
        std::printf("Error allocating memory for color-corrected image data");
        return fail(file);
    }
    if (std::fread(image->pixels, layout.fileBytes, 1, file) != 1) {
        std::printf("Error reading image data from %s.\n", fileName);
        std::free(image->pixels);
        image->pixels = nullptr;
        return fail(file);
    }

    packRows(image->pixels, layout);
    if (layout.topDown) flipRows(image->pixels, layout);
    swapRedBlue(image->pixels, layout.packedRow * layout.height);
    std::fclose(file);
    return 1;
}
