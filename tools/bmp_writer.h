// Writing 24-bit BMP files: our textures, the benchmark's images and the
// tests' files, well-formed and odd ones.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

struct BmpFile {
    int32_t width = 4, height = 4;  // a negative height stores the rows top-down
    uint16_t planes = 1, bits = 24;
    uint32_t offset = 54;  // where the pixels begin; more than 54 lengthens the header
    // Pixel (x, y), y from the bottom row, as 0xRRGGBB (stored blue, green, red).
    std::function<uint32_t(int, int)> rgb = [](int x, int y) {
        return (x * 0x030507u + y * 0x0b0d11u) & 0xffffff;
    };
};

inline void putLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

// Headers, then rows of 3-byte pixels padded to 4 bytes.
inline std::string bmpBytes(const BmpFile& bmp) {
    const int rows = bmp.height < 0 ? -bmp.height : bmp.height;
    const uint32_t rowBytes = (static_cast<uint32_t>(bmp.width) * 3 + 3) / 4 * 4;
    std::string out = "BM";
    for (uint32_t field : {bmp.offset + rowBytes * rows, 0u, bmp.offset, 40u, uint32_t(bmp.width),
                           uint32_t(bmp.height)})
        putLE(out, field, 4);
    putLE(out, bmp.planes, 2);
    putLE(out, bmp.bits, 2);
    out.resize(bmp.offset, '\0');
    for (int r = 0; r < rows; ++r) {
        std::string row;
        for (int x = 0; x < bmp.width; ++x)
            putLE(row, bmp.rgb(x, bmp.height < 0 ? rows - 1 - r : r), 3);
        out += row.append(rowBytes - row.size(), '\0');
    }
    return out;
}

// A path in the system's folder for temporary files, with forward slashes on
// every system, so that the messages that show it read the same.
inline std::string scratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("vantor_" + name)).generic_string();
}

inline bool writeFile(const std::string& path, const std::string& bytes) {
    return static_cast<bool>(std::ofstream(path, std::ios::binary) << bytes);
}

inline std::string plainBmp(int width, int height, uint32_t rgb) {
    BmpFile bmp{width, height};
    bmp.rgb = [rgb](int, int) { return rgb; };
    return bmpBytes(bmp);
}
