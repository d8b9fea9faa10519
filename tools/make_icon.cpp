// Draws the viewer's icon: the noodlet standing with its arms out, on a round
// patch of sky with a strip of grass. The legs are bent the way the figure's
// are, 6 degrees per segment. One list of shapes gives both pictures: an SVG
// file for Linux desktops and a Windows icon (.ico) of 16 to 256 pixels,
// rendered here with 4 x 4 samples per pixel.
//
// Usage: make_icon OUTPUT.svg|OUTPUT.ico ...
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "bmp_writer.h"

namespace {

// ---- The picture ----
// Icon units: the picture spans x from -80 to 80 and y from -130 to 30, y
// pointing down (the SVG's own coordinates); figure units times 100.

struct Point {
    double x, y;
};

// A filled disc (cut: only its part below the line y = cut), or a polyline
// stroked with round ends and joins.
struct Shape {
    enum Kind { DISC, STROKE } kind;
    uint32_t rgb;
    std::vector<Point> points;  // DISC: the centre; STROKE: the line
    double radius;              // DISC: the radius; STROKE: half the line's width
    double cut = -HUGE_VAL;
};

// A polyline of `segments` steps of `length`, starting at (x, y) heading
// `heading` degrees (0 = +x, counter-clockwise, figure's y up) and turning
// `turn` degrees after each step.
std::vector<Point> limb(double x, double y, double heading, double turn, int segments,
                        double length) {
    std::vector<Point> points;
    for (int i = 0; i <= segments; ++i) {
        points.push_back({x * 100, -y * 100});
        const double radians = heading * 3.14159265358979323846 / 180.0;
        x += std::cos(radians) * length;
        y += std::sin(radians) * length;
        heading += turn;
    }
    return points;
}

// The smile: a quadratic curve from (-10, -90) through control point (0, -80)
// to (10, -90), in eight straight pieces.
std::vector<Point> smile() {
    std::vector<Point> points;
    for (int i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        points.push_back({-10 + 20 * t, -90 + 20 * t * (1 - t)});
    }
    return points;
}

std::vector<Shape> picture() {
    // Figure units: the body runs from y = 0.15 to 0.75, the hands reach x = +-0.6.
    constexpr uint32_t LIMB = 0xf2c500;
    return {
        {Shape::DISC, 0x9cc8f0, {{0, -50}}, 78},
        {Shape::DISC, 0x4f8a1e, {{0, -50}}, 78, -32},  // the grass
        {Shape::STROKE, LIMB, limb(0, 0.75, -90, 0, 12, 0.05), 5},
        {Shape::STROKE, LIMB, limb(-0.05, 0.70, 180, 0, 11, 0.05), 5},
        {Shape::STROKE, LIMB, limb(0.05, 0.70, 0, 0, 11, 0.05), 5},
        {Shape::STROKE, LIMB, limb(0, 0.15, 180, 6, 14, 0.05), 5},
        {Shape::STROKE, LIMB, limb(0, 0.15, 0, -6, 14, 0.05), 5},
        {Shape::DISC, 0xffd21f, {{0, -95}}, 20},
        {Shape::DISC, 0x222222, {{-7, -100}}, 3},
        {Shape::DISC, 0x222222, {{7, -100}}, 3},
        {Shape::STROKE, 0xc0202a, smile(), 1.5},
    };
}

// ---- SVG ----

std::string svg(const std::vector<Shape>& shapes) {
    std::string out =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
        "viewBox=\"-80 -130 160 160\">\n";
    char buffer[160];
    for (const Shape& shape : shapes) {
        const Point c = shape.points[0];
        if (shape.kind == Shape::DISC && !std::isfinite(shape.cut)) {
            std::snprintf(buffer, sizeof buffer,
                          "  <circle cx=\"%g\" cy=\"%g\" r=\"%g\" fill=\"#%06x\"/>\n", c.x, c.y,
                          shape.radius, shape.rgb);
            out += buffer;
        } else if (shape.kind == Shape::DISC) {  // the chord, then the arc below it
            const double dy = shape.cut - c.y;
            const double dx = std::sqrt(shape.radius * shape.radius - dy * dy);
            std::snprintf(buffer, sizeof buffer,
                          "  <path d=\"M %.1f %g A %g %g 0 0 0 %.1f %g Z\" fill=\"#%06x\"/>\n",
                          c.x - dx, shape.cut, shape.radius, shape.radius, c.x + dx, shape.cut,
                          shape.rgb);
            out += buffer;
        } else {
            out += "  <polyline points=\"";
            for (const Point& p : shape.points) {
                std::snprintf(buffer, sizeof buffer, "%.1f,%.1f ", p.x, p.y);
                out += buffer;
            }
            std::snprintf(buffer, sizeof buffer,
                          "\" fill=\"none\" stroke=\"#%06x\" stroke-width=\"%g\" "
                          "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n",
                          shape.rgb, 2 * shape.radius);
            out += buffer;
        }
    }
    return out + "</svg>\n";
}

// ---- Rendering ----

double distanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

bool covers(const Shape& shape, Point p) {
    if (shape.kind == Shape::DISC) {
        const Point c = shape.points[0];
        return std::hypot(p.x - c.x, p.y - c.y) <= shape.radius && p.y >= shape.cut;
    }
    for (size_t i = 1; i < shape.points.size(); ++i)
        if (distanceToSegment(p, shape.points[i - 1], shape.points[i]) <= shape.radius) return true;
    return false;
}

// The picture at size x size pixels, as 0xAARRGGBB from the top row down: each
// pixel's colour is the mean of its samples' topmost shapes, its opacity the
// share of samples that any shape covers.
std::vector<uint32_t> render(const std::vector<Shape>& shapes, int size) {
    constexpr int SAMPLES = 4;
    std::vector<uint32_t> pixels;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            double sum[3] = {0, 0, 0};
            int covered = 0;
            for (int s = 0; s < SAMPLES * SAMPLES; ++s) {
                const Point p{-80 + (column + (s % SAMPLES + 0.5) / SAMPLES) * 160 / size,
                              -130 + (row + (s / SAMPLES + 0.5) / SAMPLES) * 160 / size};
                const auto top = std::find_if(shapes.rbegin(), shapes.rend(),
                                              [p](const Shape& shape) { return covers(shape, p); });
                if (top == shapes.rend()) continue;
                ++covered;
                for (int c = 0; c < 3; ++c) sum[c] += top->rgb >> (16 - 8 * c) & 0xff;
            }
            uint32_t pixel = static_cast<uint32_t>(255 * covered / (SAMPLES * SAMPLES)) << 24;
            for (int c = 0; c < 3 && covered > 0; ++c)
                pixel |= static_cast<uint32_t>(std::lround(sum[c] / covered)) << (16 - 8 * c);
            pixels.push_back(pixel);
        }
    }
    return pixels;
}

// ---- Windows icon ----
// A directory of images, each a 32-bit bottom-up DIB with its alpha, followed
// by the 1-bit mask that older Windows use (set where fully transparent).

std::string ico(const std::vector<Shape>& shapes) {
    const int sizes[] = {16, 24, 32, 48, 256};
    constexpr int COUNT = sizeof sizes / sizeof sizes[0];
    std::string directory, images;
    putLE(directory, 0, 2), putLE(directory, 1, 2), putLE(directory, COUNT, 2);
    for (int size : sizes) {
        const std::vector<uint32_t> pixels = render(shapes, size);
        const int maskRow = (size + 31) / 32 * 4;
        std::string image;
        for (uint32_t field : {40, size, 2 * size}) putLE(image, field, 4);
        putLE(image, 1, 2), putLE(image, 32, 2);
        for (uint32_t field : {0, size * size * 4 + maskRow * size, 0, 0, 0, 0}) putLE(image, field, 4);
        for (int row = size - 1; row >= 0; --row)
            for (int column = 0; column < size; ++column) putLE(image, pixels[row * size + column], 4);
        for (int row = size - 1; row >= 0; --row) {
            std::string mask(maskRow, '\0');
            for (int column = 0; column < size; ++column)
                if (pixels[row * size + column] >> 24 == 0) mask[column / 8] |= char(0x80 >> column % 8);
            image += mask;
        }
        directory += static_cast<char>(size % 256);  // 0 stands for 256
        directory += static_cast<char>(size % 256);
        putLE(directory, 0, 2), putLE(directory, 1, 2), putLE(directory, 32, 2);
        putLE(directory, image.size(), 4);
        putLE(directory, 6 + 16 * COUNT + images.size(), 4);
        images += image;
    }
    return directory + images;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.svg|OUTPUT.ico ...\n");
        return 2;
    }
    const std::vector<Shape> shapes = picture();
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const bool windows = path.size() > 4 && path.compare(path.size() - 4, 4, ".ico") == 0;
        if (!writeFile(path, windows ? ico(shapes) : svg(shapes))) {
            std::perror(argv[i]);
            return 1;
        }
    }
    return 0;
}
