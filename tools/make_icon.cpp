// Draws the viewer's desktop icon as an SVG file: the noodlet standing with
// its arms out, on a round patch of sky with a strip of grass. The legs are
// bent the way the figure's are, 6 degrees per segment.
//
// Usage: make_icon OUTPUT.svg
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// A polyline of `segments` steps of `length`, starting at (x, y) heading
// `heading` degrees (0 = +x, counter-clockwise, y up) and turning `turn`
// degrees after each step; returned as SVG points (figure units times 100,
// y pointing down).
std::string limb(double x, double y, double heading, double turn, int segments, double length) {
    std::string points;
    char buffer[64];
    for (int i = 0; i <= segments; ++i) {
        std::snprintf(buffer, sizeof buffer, "%.1f,%.1f ", x * 100, -y * 100);
        points += buffer;
        const double radians = heading * M_PI / 180.0;
        x += std::cos(radians) * length;
        y += std::sin(radians) * length;
        heading += turn;
    }
    return points;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon OUTPUT.svg\n");
        return 2;
    }
    FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    // Figure units: the body runs from y = 0.15 to 0.75, the hands reach x = +-0.6.
    const std::string body = limb(0, 0.75, -90, 0, 12, 0.05);
    const std::string leftArm = limb(-0.05, 0.70, 180, 0, 11, 0.05);
    const std::string rightArm = limb(0.05, 0.70, 0, 0, 11, 0.05);
    const std::string leftLeg = limb(0, 0.15, 180, 6, 14, 0.05);
    const std::string rightLeg = limb(0, 0.15, 0, -6, 14, 0.05);
    std::fprintf(
        file,
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
        "viewBox=\"-80 -130 160 160\">\n"
        "  <circle cx=\"0\" cy=\"-50\" r=\"78\" fill=\"#9cc8f0\"/>\n"
        "  <path d=\"M -76 -32 A 78 78 0 0 0 76 -32 Z\" fill=\"#4f8a1e\"/>\n"
        "  <g fill=\"none\" stroke=\"#f2c500\" stroke-width=\"10\" stroke-linecap=\"round\" "
        "stroke-linejoin=\"round\">\n"
        "    <polyline points=\"%s\"/>\n    <polyline points=\"%s\"/>\n"
        "    <polyline points=\"%s\"/>\n    <polyline points=\"%s\"/>\n"
        "    <polyline points=\"%s\"/>\n  </g>\n"
        "  <circle cx=\"0\" cy=\"-95\" r=\"20\" fill=\"#ffd21f\"/>\n"
        "  <circle cx=\"-7\" cy=\"-100\" r=\"3\" fill=\"#222\"/>\n"
        "  <circle cx=\"7\" cy=\"-100\" r=\"3\" fill=\"#222\"/>\n"
        "  <path d=\"M -10 -90 Q 0 -80 10 -90\" fill=\"none\" stroke=\"#c0202a\" "
        "stroke-width=\"3\" stroke-linecap=\"round\"/>\n"
        "</svg>\n",
        body.c_str(), leftArm.c_str(), rightArm.c_str(), leftLeg.c_str(), rightLeg.c_str());
    return std::fclose(file) == 0 ? 0 : 1;
}
