// A small BMP writer for tests: well-formed files and deliberately broken ones.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct BmpFile {
    int32_t width = 4;
    int32_t height = 4;  // negative: rows stored top-down
    uint16_t planes = 1;
    uint16_t bitsPerPixel = 24;
    uint32_t infoHeaderSize = 40;  // 40, 108 or 124 in real files
    bool signature = true;         // "BM" or two other bytes
    // Colour of pixel (x, y) with y counted from the picture's bottom row,
    // as blue, green, red bytes.
    uint32_t (*pixel)(int x, int y) = nullptr;
};

inline void putLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

// Default pattern: blue = x, green = y, red = x + y.
inline uint32_t gradientPixel(int x, int y) {
    return (static_cast<uint32_t>(x) & 0xff) | ((static_cast<uint32_t>(y) & 0xff) << 8) |
           ((static_cast<uint32_t>(x + y) & 0xff) << 16);
}

// The bytes of a BMP file: headers, padded rows, pixels as 3 bytes B, G, R
// (or as many bytes as bitsPerPixel / 8 says, padded with zeros).
inline std::string bmpBytes(const BmpFile& bmp) {
    const int rows = bmp.height < 0 ? -bmp.height : bmp.height;
    const int bytesPerPixel = bmp.bitsPerPixel / 8 > 0 ? bmp.bitsPerPixel / 8 : 1;
    const uint32_t rowBytes = (static_cast<uint32_t>(bmp.width) * bytesPerPixel + 3) / 4 * 4;
    const uint32_t offset = 14 + bmp.infoHeaderSize;
    std::string out = bmp.signature ? "BM" : "XY";
    putLE(out, offset + rowBytes * rows, 4);
    putLE(out, 0, 4);
    putLE(out, offset, 4);
    putLE(out, bmp.infoHeaderSize, 4);
    putLE(out, static_cast<uint32_t>(bmp.width), 4);
    putLE(out, static_cast<uint32_t>(bmp.height), 4);
    putLE(out, bmp.planes, 2);
    putLE(out, bmp.bitsPerPixel, 2);
    putLE(out, 0, 4);                // compression
    putLE(out, rowBytes * rows, 4);  // image size
    putLE(out, 2835, 4);
    putLE(out, 2835, 4);
    putLE(out, 0, 4);
    putLE(out, 0, 4);
    out.resize(offset, '\0');  // the rest of a longer info header
    auto pixel = bmp.pixel != nullptr ? bmp.pixel : gradientPixel;
    for (int r = 0; r < rows; ++r) {
        const int y = bmp.height < 0 ? rows - 1 - r : r;  // picture row of this file row
        std::string row;
        for (int x = 0; x < bmp.width; ++x) {
            const uint32_t bgr = pixel(x, y);
            for (int b = 0; b < bytesPerPixel; ++b) {
                row.push_back(b < 3 ? static_cast<char>((bgr >> (8 * b)) & 0xff) : '\0');
            }
        }
        row.resize(rowBytes, '\0');
        out += row;
    }
    return out;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}
