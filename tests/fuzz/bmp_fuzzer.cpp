// libFuzzer target: every input is read with readBmp, which must never crash,
// leak or touch memory outside its blocks. The input goes to an anonymous
// in-memory file, read by its /proc path, so nothing is left on disk.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "textures/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int file = memfd_create("bmp_fuzz_input", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(file);
    // The reader reports every bad file on standard output.
    static FILE* quiet = std::freopen("/dev/null", "w", stdout);
    if (!quiet || ftruncate(file, 0) != 0 || pwrite(file, data, size, 0) != ssize_t(size)) return 0;
    TextureImage image{0, 0, nullptr};
    if (readBmp(path.c_str(), &image) == 1) {
        volatile unsigned sum = 0;  // touch every byte the reader claims to have filled
        for (size_t i = 0; i < size_t(image.width) * image.height * 3; ++i) sum += image.pixels[i];
        std::free(image.pixels);
    }
    return 0;
}
