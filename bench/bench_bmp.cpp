// Reading BMP files: readBmp against a plain read() of the same bytes (the
// limit) and stbi_load (what a user would otherwise pick), on our own 24-bit
// files, with the file in the page cache. Prints one row per file and mode.
//
// "reused" keeps freed heap memory in the process, so each run writes into
// pages that are already mapped; "fresh" gives every run newly mapped pages,
// as a one-off start-up read gets.
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <stb/stb_image.h>

#include "bmp_writer.h"
#include "textures/bmp.h"

namespace {

constexpr int RUNS = 25;

double millisecondsOf(void (*work)(const std::string&), const std::string& path) {
    std::vector<double> times;
    work(path);  // warm-up: file in the page cache
    for (int i = 0; i < RUNS; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work(path);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void plainRead(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY);
    struct stat st;
    fstat(fd, &st);
    auto* buffer = static_cast<unsigned char*>(std::malloc(st.st_size));
    size_t done = 0;
    while (done < static_cast<size_t>(st.st_size)) {
        const ssize_t n = read(fd, buffer + done, st.st_size - done);
        if (n <= 0) break;
        done += n;
    }
    close(fd);
    volatile unsigned char sink = buffer[st.st_size / 2];
    (void)sink;
    std::free(buffer);
}

void ourReader(const std::string& path) {
    TextureImage image{0, 0, nullptr};
    if (readBmp(path.c_str(), &image) != 1) std::abort();
    std::free(image.pixels);
}

void stbReader(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
    if (pixels == nullptr) std::abort();
    stbi_image_free(pixels);
}

uint32_t noisePixel(int x, int y) {
    return static_cast<uint32_t>(x * 2654435761u ^ y * 40503u) & 0xffffff;
}

}  // namespace

int main() {
    const std::string dir = "/tmp/bench_bmp_" + std::to_string(getpid());
    mkdir(dir.c_str(), 0755);
    const int sizes[][2] = {{512, 512}, {2048, 2048}, {4096, 4096}, {2047, 2047}};
    std::printf("%-11s %-7s %10s %10s %10s %14s %12s\n", "image", "memory", "read() ms",
                "reader ms", "stb ms", "reader/read", "stb/reader");
    for (const auto& size : sizes) {
        BmpFile bmp;
        bmp.width = size[0];
        bmp.height = size[1];
        bmp.rgb = noisePixel;
        const std::string path = dir + "/image.bmp";
        writeFile(path, bmpBytes(bmp));
        for (const bool reused : {true, false}) {
            // Large blocks come from mmap (fresh pages) unless the threshold
            // is raised; a raised trim threshold keeps freed memory around.
            mallopt(M_MMAP_THRESHOLD, reused ? 512 * 1024 * 1024 : 128 * 1024);
            mallopt(M_TRIM_THRESHOLD, reused ? 1024 * 1024 * 1024 : 128 * 1024);
            const double plain = millisecondsOf(plainRead, path);
            const double ours = millisecondsOf(ourReader, path);
            const double stb = millisecondsOf(stbReader, path);
            char name[32];
            std::snprintf(name, sizeof name, "%dx%d", size[0], size[1]);
            std::printf("%-11s %-7s %10.2f %10.2f %10.2f %14.2f %12.1f\n", name,
                        reused ? "reused" : "fresh", plain, ours, stb, ours / plain, stb / ours);
        }
        std::remove(path.c_str());
    }
    rmdir(dir.c_str());
    return 0;
}
