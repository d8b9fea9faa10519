#include "app/menus.h"

#include <cstdio>
#include <cstdlib>

#include <GL/freeglut.h>

#include "figure/animations.h"

int transformMode = CAMERA_ROTATE;
int rootMenu = 0;
bool menuInUse = false;

namespace {

// The help screen, one write per text.
const char* const helpTexts[] = {
    "\n",
    "**********************************\n",
    "        Dancing Noodlet\n",
    "**********************************\n",
    "\n",
    "Usage\n",
    "=====\n",
    "vantor\n",
    "\n",
    "Commands\n",
    "========\n",
    "'H' key: displays this (H)elp screen\n",
    "'R' key: resets the camera & spotlight\n",
    "'V' key: switches the (V)iewing mode between orthogonal and perspective\n",
    "'Q' key: (Q)uits the program\n",
    "\n",
    "Spotlight Controls (based on the keypad):\n",
    "'8' key: UP\n",
    "'2' key: DOWN\n",
    "'4' key: LEFT\n",
    "'6' key: RIGHT\n",
    "'9' key: BACK\n",
    "'3' key: FORWARD\n",
    "'+' key: Increase Light Intensity\n",
    "'-' key: Decrease Light Intensity\n",
    "\n",
    "Left-click: starts doing the transformation\n",
    "Right-click: shows the context menu\n",
    "\n",
    "\n",
    "Transformations\n",
    "===============\n",
    "Camera Scale:\n",
    "  Left-click and hold while dragging to uniformly scale the cube.\n",
    "  The positive direction for scaling is up-right and negative is down-left.\n",
    "  You can only see the effect in Perspective Viewing Mode.\n",
    "\n",
    "Camera Rotate:\n",
    "  Left-click and hold while dragging to rotate the cube like\n",
    "  using a trackball.\n",
    "  Note: Camera scaling will be reset.\n",
    "\n",
    "Spotlight Position/Direction:\n",
    "  Select this from the context menu and then use the spotlight control keys.\n",
    "\n",
    "\n",
    "Animations\n",
    "==========\n",
    "Animations will repeat until \"None\" is selected\n",
    "\n",
    "Waving: The noodlet waves his arms up and down.\n",
    "Dancing: The noodlet moves his body.\n",
    "Arm Wave: The noodlet does the wave with his arms.\n",
    "None: Turn off animations.\n",
    "\n\n",
};

}  // namespace

int createMenus() {
    const int transformations = glutCreateMenu(menuSelect);
    glutAddMenuEntry("Camera Rotate", CAMERA_ROTATE);
    glutAddMenuEntry("Camera Scale", CAMERA_SCALE);
    glutAddMenuEntry("Spotlight Position", SPOTLIGHT_POSITION);
    glutAddMenuEntry("Spotlight Direction", SPOTLIGHT_DIRECTION);

    const int animations = glutCreateMenu(menuSelect);
    glutAddMenuEntry("Waving", ANIM_WAVING);
    glutAddMenuEntry("Dancing", ANIM_DANCING);
    glutAddMenuEntry("Arm Wave", ANIM_ARM_WAVE);
    glutAddMenuEntry("None", ANIM_NONE);

    const int root = glutCreateMenu(menuSelect);
    glutAddSubMenu("Transformations", transformations);
    glutAddSubMenu("Animations", animations);
    glutAddMenuEntry("Exit", MENU_EXIT);
    glutAttachMenu(GLUT_RIGHT_BUTTON);
    return root;
}

void menuSelect(int value) {
    switch (value) {
        case MENU_EXIT: std::exit(0);
        case ANIM_WAVING: requestedAnimation = waving; break;
        case ANIM_DANCING: requestedAnimation = dancing; break;
        case ANIM_ARM_WAVE: requestedAnimation = armWave; break;
        case ANIM_NONE: requestedAnimation = nullptr; break;
        default: transformMode = value; break;
    }
    glutPostRedisplay();
}

void menuStatus(int status, int, int) { menuInUse = (status == GLUT_MENU_IN_USE); }

void printHelp() {
    for (const char* text : helpTexts) std::fputs(text, stdout);
    std::fflush(stdout);  // show it at once when the output is a pipe
}
