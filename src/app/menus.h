// The right-button pop-up menu and the help screen.
#pragma once

// Menu entry values; the transformation entries use the mode codes of startup.h.
constexpr int ANIM_WAVING = 41;
constexpr int ANIM_DANCING = 42;
constexpr int ANIM_ARM_WAVE = 43;
constexpr int ANIM_NONE = 44;
constexpr int MENU_EXIT = 11;

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
