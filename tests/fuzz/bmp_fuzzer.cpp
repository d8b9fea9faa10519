// libFuzzer target: every input is written to a file and read with readBmp,
// which must never crash, leak or touch memory outside its blocks.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bmp_writer.h"
#include "textures/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/bmp_fuzz_" + std::to_string(getpid()) + ".bmp";
    // The reader reports every bad file on standard output.
    static FILE* quiet = std::freopen("/dev/null", "w", stdout);
    if (!quiet || !writeFile(path, {reinterpret_cast<const char*>(data), size})) return 0;
    TextureImage image{0, 0, nullptr};
    if (readBmp(path.c_str(), &image) == 1) {
        volatile unsigned sum = 0;  // touch every byte the reader claims to have filled
        for (size_t i = 0; i < size_t(image.width) * image.height * 3; ++i) sum += image.pixels[i];
        std::free(image.pixels);
    }
    return 0;
}
