// Writes the fuzzer's seed corpus into the directory given as the argument:
// good files of several widths, headers of 40, 108 and 124 bytes, top-down
// rows, 8- and 32-bit files, and files cut short.
#include <string>

#include "bmp_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = std::string(argv[1]) + "/";
    int n = 0;
    auto seed = [&](const BmpSpec& spec, size_t cut = 0) {
        std::string bytes = bmpBytes(spec);
        if (cut > 0 && cut < bytes.size()) bytes.resize(bytes.size() - cut);
        writeFile(dir + "seed" + std::to_string(n++) + ".bmp", bytes);
    };
    for (int width : {1, 2, 3, 4, 5, 8, 13}) {
        BmpSpec spec;
        spec.width = width;
        spec.height = 3;
        seed(spec);
    }
    for (uint32_t header : {40u, 108u, 124u}) {
        BmpSpec spec;
        spec.width = 6;
        spec.infoHeaderSize = header;
        seed(spec);
        spec.height = -4;  // top-down
        seed(spec);
    }
    for (uint16_t bits : {8, 32}) {
        BmpSpec spec;
        spec.bitsPerPixel = bits;
        seed(spec);
    }
    BmpSpec spec;
    spec.width = 7;
    seed(spec, 5);   // pixels cut short
    seed(spec, 80);  // header cut short
    return 0;
}
