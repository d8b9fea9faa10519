#include "textures/bmp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

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
    layout->packedRow = static_cast<uint64_t>(width) * 3;  // < 2^34
    layout->fileRow = (layout->packedRow + 3) / 4 * 4;
    // A row of up to 2^34 bytes times up to 2^31 rows can pass even 64 bits,
    // so the product is checked for overflow; the block must also be
    // addressable with 32-bit byte counts. The packed image is never larger.
    return !__builtin_mul_overflow(layout->fileRow, layout->height, &layout->fileBytes) &&
           layout->fileBytes <= UINT32_MAX;
}

// Bytes from `offset` to the end of the file, or -1 if the file cannot seek.
long bytesAfter(FILE* file, long offset) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long end = std::ftell(file);
    if (end < 0 || std::fseek(file, offset, SEEK_SET) != 0) return -1;
    return end - offset;
}

// ---- Blue-green-red to red-green-blue ----
// BMP stores each pixel as blue, green, red; OpenGL wants red, green, blue.
// This exchange is most of the reader's own work, so on x86 it runs on 16
// pixels (48 bytes, three 16-byte registers) at a time with byte shuffles
// when the processor has SSSE3.

#if defined(__x86_64__) || defined(__i386__)

// shuffleMasks.byte[r][s]: the shuffle that gathers, from source register s,
// the bytes that output register r takes from it (-128: none, zero).
struct ShuffleMasks {
    alignas(16) signed char byte[3][3][16];
};

constexpr ShuffleMasks makeShuffleMasks() {
    ShuffleMasks masks{};
    for (int r = 0; r < 3; ++r) {
        for (int s = 0; s < 3; ++s) {
            for (int j = 0; j < 16; ++j) masks.byte[r][s][j] = -128;
        }
        for (int j = 0; j < 16; ++j) {
            const int out = 16 * r + j;
            const int from = 3 * (out / 3) + 2 - out % 3;  // the same pixel, the other end
            masks.byte[r][from / 16][j] = static_cast<signed char>(from % 16);
        }
    }
    return masks;
}

constexpr ShuffleMasks shuffleMasks = makeShuffleMasks();

// Swaps a prefix of [pixels, pixels + count) and returns its length, a
// multiple of 48.
__attribute__((target("ssse3"))) size_t swapRedBlueShuffled(unsigned char* pixels, size_t count) {
    __m128i mask[3][3];
    for (int r = 0; r < 3; ++r) {
        for (int s = 0; s < 3; ++s) {
            mask[r][s] = _mm_load_si128(reinterpret_cast<const __m128i*>(shuffleMasks.byte[r][s]));
        }
    }
    size_t i = 0;
    for (; i + 48 <= count; i += 48) {
        __m128i* block = reinterpret_cast<__m128i*>(pixels + i);
        const __m128i a = _mm_loadu_si128(block);
        const __m128i b = _mm_loadu_si128(block + 1);
        const __m128i c = _mm_loadu_si128(block + 2);
        // Each output register draws on its neighbours only at its edges.
        const __m128i out0 =
            _mm_or_si128(_mm_shuffle_epi8(a, mask[0][0]), _mm_shuffle_epi8(b, mask[0][1]));
        const __m128i out1 = _mm_or_si128(
            _mm_or_si128(_mm_shuffle_epi8(a, mask[1][0]), _mm_shuffle_epi8(b, mask[1][1])),
            _mm_shuffle_epi8(c, mask[1][2]));
        const __m128i out2 =
            _mm_or_si128(_mm_shuffle_epi8(b, mask[2][1]), _mm_shuffle_epi8(c, mask[2][2]));
        _mm_storeu_si128(block, out0);
        _mm_storeu_si128(block + 1, out1);
        _mm_storeu_si128(block + 2, out2);
    }
    return i;
}

bool canShuffle() {
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    return ssse3;
}
#else
size_t swapRedBlueShuffled(unsigned char*, size_t) { return 0; }
bool canShuffle() { return false; }
#endif

// Exchanges bytes 0 and 2 of every pixel in [pixels, pixels + count).
void swapRedBlue(unsigned char* pixels, size_t count) {
    size_t i = canShuffle() ? swapRedBlueShuffled(pixels, count) : 0;
    for (; i + 2 < count; i += 3) {
        const unsigned char blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
}

// ---- Reading the pixel block ----

// Rows without padding: the file's block is already the packed image. It is
// read in pieces that stay in the processor's cache while they are swapped.
bool readPackedRows(FILE* file, unsigned char* pixels, size_t bytes) {
    constexpr size_t PIECE = 3 * 256 * 1024;  // 768 KB of whole pixels
    for (size_t done = 0; done < bytes;) {
        const size_t piece = std::min(bytes - done, PIECE);
        if (std::fread(pixels + done, piece, 1, file) != 1) return false;
        swapRedBlue(pixels + done, piece);
        done += piece;
    }
    return true;
}

// Padded rows: the whole block is read, then each row is moved to its packed
// place and swapped. Row r moves from r * fileRow back to r * packedRow, an
// address no higher, and rows move in order, so no row is overwritten before
// it has moved.
bool readPaddedRows(FILE* file, unsigned char* block, const Layout& layout) {
    if (std::fread(block, layout.fileBytes, 1, file) != 1) return false;
    for (uint32_t r = 0; r < layout.height; ++r) {
        unsigned char* row = block + r * layout.packedRow;
        if (r > 0) std::memmove(row, block + r * layout.fileRow, layout.packedRow);
        swapRedBlue(row, layout.packedRow);
    }
    return true;
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
    const bool read = layout.fileRow == layout.packedRow
                          ? readPackedRows(file, image->pixels, layout.fileBytes)
                          : readPaddedRows(file, image->pixels, layout);
    if (!read) {
        std::printf("Error reading image data from %s.\n", fileName);
        std::free(image->pixels);
        image->pixels = nullptr;
        return fail(file);
    }
    if (layout.topDown) flipRows(image->pixels, layout);
    std::fclose(file);
    return 1;
}
