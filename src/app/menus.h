// The right-button pop-up menu and the help screen.
//
// Owns the transformation mode that the menu sets (and that drags and the
// keypad act on), the root menu's id and whether a menu is open. The menu's
// animation choice goes to requestedAnimation (figure/animations.h).
#pragma once

// Transformation modes; they double as the "Transformations" entry values.
constexpr int CAMERA_ROTATE = 31;
constexpr int CAMERA_SCALE = 32;
constexpr int SPOTLIGHT_POSITION = 51;
constexpr int SPOTLIGHT_DIRECTION = 52;
// The other entry values.
constexpr int ANIM_WAVING = 41;
constexpr int ANIM_DANCING = 42;
constexpr int ANIM_ARM_WAVE = 43;
constexpr int ANIM_NONE = 44;
constexpr int MENU_EXIT = 11;

extern int transformMode;  // what a left drag or a keypad key acts on; CAMERA_ROTATE at start
extern int rootMenu;       // GLUT id of the root pop-up menu
// True while a pop-up menu is open. GLUT forbids attaching or detaching menus
// then, so the mouse callback checks it first.
extern bool menuInUse;

// Builds the "Transformations" and "Animations" submenus and the root menu,
// attaches the root to the right button and returns its id.
int createMenus();
// The menu callback shared by all three menus.
void menuSelect(int value);
// The GLUT menu status callback: keeps menuInUse current.
void menuStatus(int status, int x, int y);
// Writes the help screen to standard output.
void printHelp();
