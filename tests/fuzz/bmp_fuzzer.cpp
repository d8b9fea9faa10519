// libFuzzer target: every input is written to a file and read with readBmp,
// which must never crash, leak or touch memory outside its blocks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "textures/bmp.h"

namespace {
std::string inputPath;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    inputPath = "/tmp/bmp_fuzz_input_" + std::to_string(getpid()) + ".bmp";
    // The reader reports every bad file on standard output; keep the fuzzer's log readable.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(inputPath.c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    TextureImage image{0, 0, nullptr};
    if (readBmp(inputPath.c_str(), &image) == 1) {
        // Touch every byte the reader claims to have filled.
        volatile unsigned sum = 0;
        const size_t bytes = static_cast<size_t>(image.width) * image.height * 3;
        for (size_t i = 0; i < bytes; ++i) sum += image.pixels[i];
        std::free(image.pixels);
    }
    return 0;
}
