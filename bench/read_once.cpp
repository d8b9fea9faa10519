// Writes a 2048 x 2048 24-bit BMP ("write FILE") or reads one with readBmp
// ("read FILE"); scripts/bench runs the second under callgrind to count the
// reader's instructions per pixel.
#include <cstdlib>
#include <cstring>

#include "bmp_writer.h"
#include "textures/bmp.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    if (std::strcmp(argv[1], "write") == 0) {
        BmpFile bmp;
        bmp.width = bmp.height = 2048;
        return writeFile(argv[2], bmpBytes(bmp)) ? 0 : 1;
    }
    TextureImage image{0, 0, nullptr};
    if (readBmp(argv[2], &image) != 1) return 1;
    std::free(image.pixels);
    return 0;
}
