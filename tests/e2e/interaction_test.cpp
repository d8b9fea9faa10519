// Using vantor as a person does: keys, the menu, drags, resizing, closing.
#include <gtest/gtest.h>

#include "golden_help.h"

#include "e2e/session.h"

namespace {

constexpr uint32_t SKY = 0xff00ff;
const std::string LOAD_LINES =
    "trying to load sky.bmp\ntrying to load grass.bmp\ntrying to load smileycol.bmp\n";

// Root menu entries and submenu entries, top to bottom.
enum { TRANSFORMATIONS = 0, ANIMATIONS = 1, EXIT = 2 };
enum { CAMERA_ROTATE = 0, CAMERA_SCALE = 1, SPOT_POSITION = 2, SPOT_DIRECTION = 3 };
enum { WAVING = 0, DANCING = 1, ARM_WAVE = 2, NONE = 3 };

// Regions of the start-up picture. The marker sphere above the figure spins
// all the time; these regions leave it out.
constexpr Area FIGURE{200, 160, 400, 328};
constexpr Area ARMS{200, 160, 400, 262};
constexpr Area LEGS{220, 275, 380, 328};
constexpr Area BELOW_MARKER{0, 150, 600, 600};

// After whole animation cycles a pose comes back up to float rounding, which
// can move a few edge pixels; a bent limb changes hundreds.
constexpr int SAME_POSE = 100;

int changed(const Screenshot& a, const Screenshot& b, Area r, Area hole = NOWHERE) {
    return a.differences(b, r, hole);
}

bool isFigure(uint32_t p) {
    return (p >> 16) > 0xc0 && ((p >> 8) & 0xff) > 0xc0 && (p & 0xff) < 0x80;
}

// The figure's pixels whatever their shading: neither the magenta sky nor
// the green ground.
bool notSkyOrGround(uint32_t p) { return (p >> 16) > 0x80 && (p & 0xff) < 0x80; }

class Viewer : public testing::Test {
protected:
    void SetUp() override {
        session.writePlainTextures(SKY, 0x00c800, 0xffffff);
        session.start();
        startup = session.waitForStillPicture(BELOW_MARKER);
    }
    // A picture of the figure region that differs from `from`.
    bool figureChangesFrom(const Screenshot& from, double seconds = 3) {
        Screenshot s = session.waitForPicture(
            [&](const Screenshot& now) { return changed(now, from, FIGURE) > 0; }, seconds);
        return changed(s, from, FIGURE) > 0;
    }
    // The figure region once it has stopped moving.
    Screenshot figureAtRest(double seconds = 10) {
        Screenshot last = session.screenshot();
        int same = 0;
        waitUntil(
            [&] {
                Screenshot next = session.waitForPicture([](const Screenshot&) { return true; });
                same = changed(next, last, FIGURE) == 0 ? same + 1 : 0;
                last = next;
                return same >= 8;  // unchanged for 8 looks, several ticks apart
            },
            seconds);
        return last;
    }

    Session session;
    Screenshot startup;
};

TEST_F(Viewer, HelpKeysPrintTheHelpScreen) {
    const std::string help = goldenHelp();
    session.key("h");
    ASSERT_TRUE(session.waitForOutput(LOAD_LINES + help));
    session.key("H");
    ASSERT_TRUE(session.waitForOutput(LOAD_LINES + help + help));
    EXPECT_EQ(session.output(), LOAD_LINES + help + help);
}

TEST_F(Viewer, LowerCaseQuitEndsWithStatusZero) {
    session.key("q");
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_EQ(session.output(), LOAD_LINES);
    EXPECT_EQ(session.errors(), "");
}

TEST_F(Viewer, UpperCaseQuitEndsWithStatusZero) {
    session.key("shift+q");
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_EQ(session.output(), LOAD_LINES);
}

TEST_F(Viewer, MenuExitEndsWithStatusZero) {
    session.chooseFromMenu(EXIT);
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_EQ(session.output(), LOAD_LINES);
    EXPECT_EQ(session.errors(), "");
}

TEST_F(Viewer, MenuShowsItsEntriesInOrder) {
    const WindowGeometry root = session.openMenu(300, 300);
    EXPECT_EQ(root.height, 3 * 25 + 4);  // three entries
    session.xdotool("mousemove " + std::to_string(root.x + 20) + " " + std::to_string(root.y + 14));
    EXPECT_TRUE(waitUntil([&] { return session.openMenus().size() == 2; }, 5));
    for (const WindowGeometry& m : session.openMenus()) {
        if (m.x != root.x) {
            EXPECT_EQ(m.height, 4 * 25 + 4);  // four transformations
        }
    }
    session.xdotool("key Escape");  // freeglut ignores it: dismiss with a click outside
    session.moveTo(50, 550);
    session.xdotool("click 1");
    EXPECT_TRUE(waitUntil([&] { return session.openMenus().empty(); }, 5));
    EXPECT_TRUE(session.running());
}

TEST_F(Viewer, DancingMovesUntilNoneStopsItAtTheEndOfACycle) {
    session.chooseFromMenu(ANIMATIONS, DANCING);
    ASSERT_TRUE(figureChangesFrom(startup));
    // It goes on moving: each of several pictures differs from the one before.
    Screenshot previous = session.screenshot();
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(figureChangesFrom(previous, 2)) << "picture " << i;
        previous = session.screenshot();
    }
    session.chooseFromMenu(ANIMATIONS, NONE);
    // A whole dance cycle undoes every turn and leaves the figure 0.05 units
    // (5 pixels) higher than at start-up; stopped anywhere else, it is bent.
    const Screenshot rest = figureAtRest();
    int misplaced = 0;
    for (int y = FIGURE.y0; y < FIGURE.y1; ++y) {
        for (int x = FIGURE.x0; x < FIGURE.x1; ++x) {
            misplaced += notSkyOrGround(rest.at(x, y)) != notSkyOrGround(startup.at(x, y + 5));
        }
    }
    EXPECT_LT(misplaced, SAME_POSE);
    EXPECT_TRUE(session.running());
    EXPECT_EQ(session.errors(), "");
}

TEST_F(Viewer, WavingMovesTheArmsNotTheLegsAndNoneWaitsForTheCycle) {
    session.chooseFromMenu(ANIMATIONS, WAVING);
    ASSERT_TRUE(figureChangesFrom(startup));
    session.chooseFromMenu(ANIMATIONS, NONE);  // mid-cycle
    const Screenshot rest = figureAtRest();
    // Had "None" stopped the arms at once, they would rest bent; a whole
    // cycle brings them back to the start-up picture.
    EXPECT_LT(changed(rest, startup, FIGURE), SAME_POSE);
}

TEST_F(Viewer, WavingAndArmWaveLeaveTheLegsAlone) {
    for (int animation : {WAVING, ARM_WAVE}) {
        session.chooseFromMenu(ANIMATIONS, animation);
        Screenshot moving = startup;
        int armChanges = 0;
        for (int i = 0; i < 10; ++i) {
            const Screenshot s = session.waitForPicture(
                [&](const Screenshot& now) { return changed(now, moving, ARMS) > 0; }, 3);
            armChanges += changed(s, moving, ARMS) > 0;
            EXPECT_EQ(changed(s, startup, LEGS), 0) << "animation " << animation;
            moving = s;
        }
        EXPECT_GE(armChanges, 8) << "animation " << animation;
        session.chooseFromMenu(ANIMATIONS, NONE);
        figureAtRest();
    }
}

TEST_F(Viewer, ASwitchWaitsForTheEndOfTheRunningCycle) {
    // A whole dance leaves the figure at rest, raised a little.
    session.chooseFromMenu(ANIMATIONS, DANCING);
    ASSERT_TRUE(figureChangesFrom(startup));
    session.chooseFromMenu(ANIMATIONS, NONE);
    const Screenshot danced = figureAtRest();
    // Switching from a wave in the middle of its cycle: had the switch cut
    // the wave short, the arms would stay bent; the wave ends its cycle first.
    session.chooseFromMenu(ANIMATIONS, WAVING);
    ASSERT_TRUE(figureChangesFrom(danced));
    session.chooseFromMenu(ANIMATIONS, DANCING);
    session.chooseFromMenu(ANIMATIONS, NONE);
    EXPECT_LT(changed(figureAtRest(), danced, FIGURE), SAME_POSE);
}

TEST_F(Viewer, CameraDragMovesThePictureAndResetRestoresIt) {
    session.drag(300, 300, 380, 250);
    const Screenshot turned = session.waitForStillPicture(FIGURE);
    EXPECT_GT(changed(turned, startup, FIGURE), 1000);
    session.key("r");
    const Screenshot reset = session.waitForPicture(
        [&](const Screenshot& s) { return changed(s, startup, FIGURE) == 0; });
    EXPECT_EQ(changed(reset, startup, FIGURE), 0);
}

TEST_F(Viewer, CameraScaleShowsOnlyInPerspective) {
    auto figureSize = [](const Screenshot& s) { return s.count(isFigure, 0, 0, 600, 600); };
    session.chooseFromMenu(TRANSFORMATIONS, CAMERA_SCALE);
    session.drag(300, 400, 300, 250);  // up: nearer
    const Screenshot ortho = session.waitForStillPicture(FIGURE);
    EXPECT_NEAR(figureSize(ortho), figureSize(startup),
                figureSize(startup) / 200);  // rounding at edges
    session.key("r");
    session.key("v");
    const Screenshot before = session.waitForStillPicture(FIGURE);
    session.drag(300, 400, 300, 300);
    const Screenshot after = session.waitForStillPicture(FIGURE);
    EXPECT_GT(figureSize(after), figureSize(before) * 1.3) << figureSize(before);
}

// Pixels of `area` whose green fell by more than 16 from `before` to `after`.
int darkened(const Screenshot& before, const Screenshot& after, Area area) {
    int n = 0;
    for (int y = area.y0; y < area.y1; ++y) {
        for (int x = area.x0; x < area.x1; ++x) {
            n += static_cast<int>((before.at(x, y) >> 8) & 0xff) -
                     static_cast<int>((after.at(x, y) >> 8) & 0xff) >
                 16;
        }
    }
    return n;
}

TEST_F(Viewer, SpotlightKeysMoveAndDimTheSpot) {
    // Down: the eye rises and looks onto the ground, where the spotlight
    // falls around the marker sphere (which spins, so it is left out).
    session.drag(300, 200, 300, 330);
    const Area spot{150, 150, 450, 450}, marker{265, 260, 335, 335};
    const Screenshot above = session.waitForStillPicture(WHOLE_WINDOW, marker);
    session.type("4444444444666");  // camera mode: the digits change nothing
    EXPECT_EQ(
        changed(session.waitForStillPicture(WHOLE_WINDOW, marker), above, WHOLE_WINDOW, marker), 0);

    session.chooseFromMenu(TRANSFORMATIONS, SPOT_POSITION);
    session.xdotool("key --repeat 30 --delay 5 Num_Lock KP_4");  // the keypad's 4, thirty times
    const Screenshot moved = session.waitForStillPicture(WHOLE_WINDOW, marker);
    EXPECT_GT(changed(moved, above, WHOLE_WINDOW, marker), 200);

    session.xdotool("mousemove --window " + std::to_string(session.window()) +
                    " 300 300 key --repeat 9 --delay 5 KP_Subtract");
    const Screenshot dim = session.waitForStillPicture(WHOLE_WINDOW, marker);
    EXPECT_GT(darkened(moved, dim, spot), 1000);
    session.xdotool("key --repeat 9 --delay 5 KP_Add");
    const Screenshot bright = session.waitForStillPicture(WHOLE_WINDOW, marker);
    EXPECT_EQ(changed(bright, moved, spot, marker), 0);
}

TEST_F(Viewer, HostileUseNeverEndsTheProgram) {
    // Dismiss the menu with a left click, in the window and outside it.
    session.openMenu(300, 300);
    session.moveTo(100, 500);
    session.xdotool("click 1");
    session.openMenu(300, 300);
    session.xdotool("mousemove 900 700 click 1");
    // Choose from the menu during an animation, twice.
    session.chooseFromMenu(ANIMATIONS, DANCING);
    session.chooseFromMenu(TRANSFORMATIONS, CAMERA_SCALE, 100, 100);
    session.chooseFromMenu(ANIMATIONS, ARM_WAVE, 450, 450);
    // A drag that ends outside the window; a right click during a drag.
    session.drag(300, 300, 900, 760);
    session.xdotool("mousemove --window " + std::to_string(session.window()) +
                    " 300 300 mousedown 1 click 3 mousemove --window " +
                    std::to_string(session.window()) + " 200 200 mouseup 1");
    // Resizing, to a single row and to odd shapes, then back.
    for (auto [w, h] : {std::pair{600, 1}, {1, 1}, {1000, 100}, {50, 700}, {600, 600}}) {
        session.resize(w, h);
        EXPECT_TRUE(waitUntil([&] { return session.geometry().height == h; }, 5));
    }
    session.key("v");
    session.drag(300, 300, 310, 290);
    EXPECT_TRUE(session.running());
    EXPECT_EQ(session.errors(), "");
    // Closing the window the way a window manager does ends with status 0.
    session.requestClose();
    EXPECT_EQ(session.waitForExit(), 0);
    EXPECT_EQ(session.errors(), "");
}

}  // namespace
