// Draws the viewer's three texture images and writes them as 24-bit BMP files:
// "sky.bmp", "grass.bmp" and "smileycol.bmp" in the directory given as the
// only argument (default: the current directory).
//
// Every image is computed from simple shapes and a fixed-seed noise, so the
// files are the same on every run. Row 0 is the first row in the file, which
// OpenGL puts at texture coordinate t = 0.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "bmp_writer.h"

namespace {

struct Rgb {
    double r, g, b;
};

struct Image {
    int width;
    int height;
    std::vector<Rgb> pixels;  // row by row, row 0 first

    Image(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h) {}
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}

// Value noise on a lattice that wraps every `period` cells, so textures tile.
double latticeValue(int x, int y, int period, uint32_t seed) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
    uint32_t h =
        seed ^ (static_cast<uint32_t>(x) * 374761393u) ^ (static_cast<uint32_t>(y) * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffff) / 65535.0;
}

double noise(double x, double y, int period, uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(x));
    const int y0 = static_cast<int>(std::floor(y));
    const double fx = smoothstep(0, 1, x - x0);
    const double fy = smoothstep(0, 1, y - y0);
    const double top =
        latticeValue(x0, y0, period, seed) * (1 - fx) + latticeValue(x0 + 1, y0, period, seed) * fx;
    const double bottom = latticeValue(x0, y0 + 1, period, seed) * (1 - fx) +
                          latticeValue(x0 + 1, y0 + 1, period, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

// Noise summed over four octaves, in 0..1; u, v in 0..1 tile seamlessly.
double fractal(double u, double v, int cells, uint32_t seed) {
    double sum = 0, weight = 0.5, total = 0;
    for (int octave = 0; octave < 4; ++octave) {
        sum += weight * noise(u * cells, v * cells, cells, seed + octave);
        total += weight;
        cells *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

bool writeBmp(const std::string& path, Image& image) {
    BmpFile bmp{image.width, image.height};
    bmp.rgb = [&](int x, int y) {
        const Rgb& p = image.at(x, y);
        const auto byte = [](double v) {
            return static_cast<uint32_t>(std::lround(clamp01(v) * 255));
        };
        return byte(p.r) << 16 | byte(p.g) << 8 | byte(p.b);
    };
    if (writeFile(path, bmpBytes(bmp))) return true;
    std::perror(path.c_str());
    return false;
}

// The sky sphere puts row 0 at the zenith and the last row at the nadir:
// deep blue overhead, pale at the horizon (the middle rows), with clouds.
Image drawSky() {
    Image image(256, 256);
    const Rgb zenith{0.10, 0.30, 0.75}, horizon{0.70, 0.85, 0.97}, below{0.55, 0.62, 0.70};
    for (int y = 0; y < image.height; ++y) {
        const double t = (y + 0.5) / image.height;  // 0 at the zenith, 0.5 at the horizon
        const Rgb base = t < 0.5 ? mix(zenith, horizon, std::pow(t / 0.5, 1.6))
                                 : mix(horizon, below, (t - 0.5) / 0.5);
        for (int x = 0; x < image.width; ++x) {
            const double u = (x + 0.5) / image.width;
            const double cloud = smoothstep(0.52, 0.72, fractal(u, t, 4, 7));
            const double band = smoothstep(0.08, 0.25, t) * (1 - smoothstep(0.42, 0.5, t));
            image.at(x, y) = mix(base, Rgb{1, 1, 1}, cloud * band * 0.9);
        }
    }
    return image;
}

// Grass: green blades of light and shade that tile in both directions.
Image drawGrass() {
    Image image(128, 128);
    const Rgb dark{0.13, 0.35, 0.08}, light{0.45, 0.72, 0.22};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double u = (x + 0.5) / image.width, v = (y + 0.5) / image.height;
            const double patches = fractal(u, v, 4, 21);
            const double blades = latticeValue(x, y / 3, 1 << 20, 99);  // short vertical streaks
            image.at(x, y) =
                mix(dark, light, clamp01(0.25 + 0.6 * patches + 0.35 * (blades - 0.5)));
        }
    }
    return image;
}

// Inside an ellipse centred at (cx, cy) with radii rx, ry, with a soft edge.
double ellipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double d =
        std::sqrt(((x - cx) / rx) * ((x - cx) / rx) + ((y - cy) / ry) * ((y - cy) / ry));
    return 1 - smoothstep(0.9, 1.0, d);
}

// The head's face. The head sphere wraps the image once around: its front
// is the image's middle column, its crown the last row. The features are
// drawn twice as wide as they are tall, since the sphere squeezes the
// image's width (all the way round) into the head's front half-turn.
Image drawFace() {
    Image image(256, 256);
    const Rgb skin{1.0, 0.82, 0.18}, cheek{1.0, 0.55, 0.45}, white{1, 1, 1}, iris{0.15, 0.45, 0.85},
        pupil{0.05, 0.05, 0.1}, lips{0.8, 0.1, 0.15}, brow{0.45, 0.25, 0.05};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const double u = (x + 0.5) / image.width;   // 0.5: the front of the head
            const double v = (y + 0.5) / image.height;  // 1: the crown
            Rgb p = skin;
            for (double side : {-1.0, 1.0}) {
                const double ex = 0.5 + side * 0.07;
                p = mix(p, cheek, 0.6 * ellipse(u, v, 0.5 + side * 0.11, 0.44, 0.04, 0.04));
                p = mix(p, white, ellipse(u, v, ex, 0.60, 0.045, 0.09));
                p = mix(p, iris, ellipse(u, v, ex, 0.59, 0.025, 0.05));
                p = mix(p, pupil, ellipse(u, v, ex, 0.59, 0.012, 0.025));
                p = mix(p, brow, ellipse(u, v, ex, 0.73, 0.05, 0.018));
            }
            // The smile: the lower part of a ring below the eyes.
            const double du = (u - 0.5) / 0.11, dv = (v - 0.52) / 0.16;
            const double r = std::sqrt(du * du + dv * dv);
            const double ring = smoothstep(0.78, 0.84, r) * (1 - smoothstep(0.98, 1.04, r));
            p = mix(p, lips, ring * smoothstep(-0.35, -0.5, dv));
            image.at(x, y) = p;
        }
    }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? std::string(argv[1]) + "/" : "";
    Image sky = drawSky(), grass = drawGrass(), face = drawFace();
    const bool ok = writeBmp(dir + "sky.bmp", sky) && writeBmp(dir + "grass.bmp", grass) &&
                    writeBmp(dir + "smileycol.bmp", face);
    return ok ? 0 : 1;
}
