#pragma once
// UIKitDemo /skin N: a frame in skin N with a tile panel, the folder tree in a docking pane and
// the breadcrumb above a folder list.
#include "AppFrame.h"

// Makes the frame (the application's main window); false when it could not.
// With texture, the tile texture lies over every tile.
bool OpenSkinDemo(CWinApp* app, unsigned int* pSkin, bool texture);
