#pragma once
// Where the viewer's navigation bar puts its buttons, its background picture and its
// separators, as a function of the bar's client size and the screen's scale. Play sits in the
// middle with Previous and Next beside it on the background picture; the other buttons stand
// in four groups of three, two on each side; Folder and Close keep to the right edge.
#include <windows.h>

namespace viewer {

// The buttons in the order the bar inserts them.
enum NavButton {
    NAV_PREVIOUS, NAV_EDIT, NAV_NEXT, NAV_MUSIC, NAV_PLAY, NAV_DISPLAY_OPTION, NAV_ZOOM_OUT, NAV_ZOOM_IN,
    NAV_ROTATE_LEFT, NAV_ROTATE_RIGHT, NAV_FULL_SCREEN, NAV_SAVE, NAV_DELETE, NAV_OPTION, NAV_EXPORT, NAV_FOLDER,
    NAV_CLOSE, NAV_BUTTON_COUNT
};

// Picture sizes at scale 1.
const SIZE kNavButtonSize = {40, 40};
const SIZE kNavPlaySize = {54, 55};
const int kNavRowHeight = 80;

struct NavBarInput {
    int width = 0, height = 0; // the bar's client area
    float scale = 1.0f;
    int backgroundWidth = 0;   // of the background picture, at scale 1
    int backgroundHeight = 0;
    int separatorWidth = 0;    // of the separator picture, at scale 1
    int separatorHeight = 0;
    int closeWidth = 40;       // of the Close picture, at scale 1
    bool closeShown = false;   // full screen
    bool folderShown = false;  // started on a picture file
};

struct NavBarPlaces {
    RECT buttons[NAV_BUTTON_COUNT] = {}; // empty for a hidden button
    RECT background = {};
    RECT separators[2] = {};             // between the two groups on each side
};

NavBarPlaces LayoutNavBar(const NavBarInput& in);

} // namespace viewer
