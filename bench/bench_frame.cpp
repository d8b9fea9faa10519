// Frames and events of the real viewer: the start-up (with the textures in
// the working directory), then
//   - display() of the start-up scene and of each animation, median over a
//     few hundred frames at 600 x 600, split into figure, ground and sky;
//   - one tick of each animation and one camera-rotate motion event, in
//     microseconds and in heap allocations (ours and the libraries').
// With "callgrind", it only draws 20 dancing frames, for callgrind to count.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include <GL/freeglut.h>

#include "alloc_counter.h"
#include "app/display.h"
#include "app/keyboard.h"
#include "app/startup.h"
#include "app/menus.h"
#include "figure/animations.h"
#include "figure/figure.h"
#include "input/mouse.h"
#include "scene/lights.h"
#include "scene/surroundings.h"

namespace {

using Clock = std::chrono::steady_clock;

double microseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One frame as display() draws it, with the GL pipeline drained after each
// part so that each part's time includes its rendering.
void timedFrame(double* figure, double* ground, double* sky, double* whole) {
    const auto start = Clock::now();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    placeCamera();
    placeLights();
    glPushMatrix();
    const auto t0 = Clock::now();
    drawFigure();
    glFinish();
    const auto t1 = Clock::now();
    drawGround();
    glFinish();
    const auto t2 = Clock::now();
    drawSky();
    glFinish();
    const auto t3 = Clock::now();
    glPopMatrix();
    glPopMatrix();
    glutSwapBuffers();
    glFinish();
    *figure = microseconds(t0, t1) / 1000;
    *ground = microseconds(t1, t2) / 1000;
    *sky = microseconds(t2, t3) / 1000;
    *whole = microseconds(start, Clock::now()) / 1000;
}

void benchFrames(const char* name, AnimationStep step, int frames) {
    std::vector<double> figure, ground, sky, whole, display_;
    for (int i = 0; i < frames; ++i) {
        if (step != nullptr) step();
        double f, g, s, w;
        timedFrame(&f, &g, &s, &w);
        figure.push_back(f);
        ground.push_back(g);
        sky.push_back(s);
        whole.push_back(w);
        const auto start = Clock::now();
        display();
        glFinish();
        display_.push_back(microseconds(start, Clock::now()) / 1000);
    }
    const long news = newCount(), allocations = allocationCount();
    display();
    std::printf(
        "frame  %-10s display %6.2f ms | figure %6.2f  ground %6.2f  sky %6.2f ms | "
        "new %ld  all allocations %ld per frame\n",
        name, median(display_), median(figure), median(ground), median(sky), newCount() - news,
        allocationCount() - allocations);
}

void benchTicks(const char* name, AnimationStep step) {
    constexpr int TICKS = 3000;
    resetAnimationState();
    activeAnimation = requestedAnimation = step;
    const long news = newCount(), allocations = allocationCount();
    const auto start = Clock::now();
    for (int i = 0; i < TICKS; ++i) step();
    const double us = microseconds(start, Clock::now()) / TICKS;
    std::printf("event  tick %-12s %8.2f us   new %.2f  all allocations %.2f per tick\n", name, us,
                double(newCount() - news) / TICKS, double(allocationCount() - allocations) / TICKS);
    activeAnimation = requestedAnimation = nullptr;
}

void benchMotion() {
    constexpr int EVENTS = 20000;
    transformMode = CAMERA_ROTATE;
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    const long news = newCount(), deletes = deleteCount(), allocations = allocationCount();
    const auto start = Clock::now();
    for (int i = 0; i < EVENTS; ++i) motion(300 + i % 97, 300 - i % 89);
    const double us = microseconds(start, Clock::now()) / EVENTS;
    std::printf(
        "event  rotate motion     %8.2f us   new %.2f  delete %.2f  all allocations %.2f per "
        "event\n",
        us, double(newCount() - news) / EVENTS, double(deleteCount() - deletes) / EVENTS,
        double(allocationCount() - allocations) / EVENTS);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 300, 300);
    resetView();
}

}  // namespace

int main(int argc, char** argv) {
    const bool callgrind = argc > 1 && std::strcmp(argv[1], "callgrind") == 0;
    int glutArgc = 1;
    char* glutArgv[] = {argv[0], nullptr};
    initViewer(glutArgc, glutArgv);
    reshape(600, 600);
    for (int i = 0; i < 5; ++i) display();  // Mesa compiles its shaders in the first frames
    glFinish();
    if (callgrind) {
        for (int i = 0; i < 20; ++i) {
            dancing();
            display();
        }
        glFinish();
        return 0;
    }
    benchFrames("start-up", nullptr, 300);
    benchFrames("waving", waving, 300);
    benchFrames("dancing", dancing, 300);
    benchFrames("arm wave", armWave, 300);
    benchTicks("waving", waving);
    benchTicks("dancing", dancing);
    benchTicks("arm wave", armWave);
    benchMotion();
    return 0;
}
