// Writes a 2048 x 2048 24-bit BMP (with "write FILE") or reads one with
// readBmp (with "read FILE"); the instruction-count guard runs the second
// under callgrind.
#include <cstdlib>
#include <cstring>

#include "bmp_writer.h"
#include "textures/bmp.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    if (std::strcmp(argv[1], "write") == 0) {
        BmpFile bmp;
        bmp.width = bmp.height = 2048;
        writeFile(argv[2], bmpBytes(bmp));
        return 0;
    }
    TextureImage image{0, 0, nullptr};
    if (readBmp(argv[2], &image) != 1) return 1;
    std::free(image.pixels);
    return 0;
}
