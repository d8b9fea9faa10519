// Counting, not timing: the viewer's own code allocates nothing while it
// draws a frame, and a camera-rotate motion event frees every record it
// makes. (freeglut's glutSolidSphere and Mesa's immediate mode allocate
// inside the GL calls a frame makes; the benchmark reports how often.)
#include <unistd.h>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "alloc_counter.h"
#include "app/display.h"
#include "app/startup.h"
#include "app/menus.h"
#include "scene/surroundings.h"
#include "figure/animations.h"
#include "input/mouse.h"

namespace {

class Allocations : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // The real start-up, with our textures from the build directory.
        if (chdir(TEXTURE_DIR) != 0) FAIL() << "no textures in " << TEXTURE_DIR;
        int argc = 1;
        char name[] = "alloc_tests";
        char* argv[] = {name, nullptr};
        initViewer(argc, argv);
        glutHideWindow();
        reshape(600, 600);
        for (int i = 0; i < 3; ++i) display();  // first frames compile Mesa's shaders
    }
};

TEST_F(Allocations, AFrameMakesNoAllocationOfItsOwn) {
    for (AnimationStep step : {static_cast<AnimationStep>(nullptr), waving, dancing, armWave}) {
        if (step != nullptr) step();
        const long before = newCount();
        display();
        EXPECT_EQ(newCount() - before, 0);
    }
}

TEST_F(Allocations, RotateMotionFreesWhatItMakes) {
    transformMode = CAMERA_ROTATE;
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 300, 300);
    const long made = newCount(), freed = deleteCount();
    const long allocated = allocationCount();
    for (int x = 301; x < 400; ++x) motion(x, 600 - x);
    // The new trackball point and four projections per event; the old point
    // and the projections are deleted in the same event.
    EXPECT_EQ(newCount() - made, 99 * 5);
    EXPECT_EQ(deleteCount() - freed, 99 * 5);
    EXPECT_EQ(allocationCount() - allocated, 99 * 5);  // and nothing else allocates
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 399, 201);
}

}  // namespace
