// Writes the fuzzer's seed corpus into the directory given as the argument:
// good files of several widths, headers of 40, 108 and 124 bytes, top-down
// rows, 8- and 32-bit files, and files cut short.
#include <string>

#include "bmp_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = std::string(argv[1]) + "/";
    int n = 0;
    auto seed = [&](const BmpFile& bmp, size_t cut = 0) {
        std::string bytes = bmpBytes(bmp);
        if (cut > 0 && cut < bytes.size()) bytes.resize(bytes.size() - cut);
        writeFile(dir + "seed" + std::to_string(n++) + ".bmp", bytes);
    };
    for (int width : {1, 2, 3, 4, 5, 8, 13}) {
        BmpFile bmp;
        bmp.width = width;
        bmp.height = 3;
        seed(bmp);
    }
    for (uint32_t header : {40u, 108u, 124u}) {
        BmpFile bmp;
        bmp.width = 6;
        bmp.infoHeaderSize = header;
        seed(bmp);
        bmp.height = -4;  // top-down
        seed(bmp);
    }
    for (uint16_t bits : {8, 32}) {
        BmpFile bmp;
        bmp.bitsPerPixel = bits;
        seed(bmp);
    }
    BmpFile bmp;
    bmp.width = 7;
    seed(bmp, 5);   // pixels cut short
    seed(bmp, 80);  // header cut short
    return 0;
}
