#pragma once
// Resource ids of the toolkit's pictures (UIKit.rc); programs load them from the library's module.
#define IDB_KQ_LOADING 1031      // PNG: loading animation, 10 frames side by side
#define IDB_KQ_PLACEHOLDER 1042  // PNG: the picture a preview shows while it has none
#define IDB_KQ_SHAPES 1043       // BITMAP: 20 shape glyphs of 24 x 24 side by side, white transparent
#define IDB_ZV_TREE_ICONS 1038    // PNG: the folder tree's own 16 x 16 icons: favourite folder, picture folder
#define IDB_KQ_TILE_TEXTURE 1040  // PNG: a light texture laid over tiles
