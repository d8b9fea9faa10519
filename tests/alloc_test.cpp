// Counting, not timing: the viewer's own code allocates nothing while it
// draws a frame, and a camera-rotate motion event frees every record it
// makes. Built only without the sanitizers, which bring an operator new of
// their own. (freeglut and Mesa allocate with malloc inside the GL calls.)
#include "figure/animations.h"
#include "input/mouse.h"
#include "viewer.h"

static long news = 0, deletes = 0;

void* operator new(size_t size) {
    ++news;
    if (void* block = std::malloc(size > 0 ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { deletes += block != nullptr, std::free(block); }
void operator delete(void* b, size_t) noexcept { deletes += b != nullptr, std::free(b); }

TEST(Allocations, FramesAllocateNothingAndDragsFreeWhatTheyMake) {
    for (int i = 0; i < 3; ++i) display();  // the first frames compile Mesa's shaders
    for (AnimationStep step : {waving, dancing, armWave}) {
        step();
        const long before = news;
        display();
        EXPECT_EQ(news - before, 0);
    }
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    const long made = news, freed = deletes;
    for (int x = 301; x < 400; ++x) motion(x, 600 - x);
    EXPECT_EQ(news - made, 99 * 5);  // the new trackball point and four projections, each event
    EXPECT_EQ(deletes - freed, 99 * 5);
}
