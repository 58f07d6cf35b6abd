#pragma once
// Resource ids of the toolkit's pictures (UIKit.rc); programs load them from the library's module.
#define IDB_KQ_LOADING 1031      // PNG: loading animation, 10 frames side by side
#define IDB_KQ_PLACEHOLDER 1042  // PNG: the picture a preview shows while it has none
#define IDB_KQ_SHAPES 1043       // BITMAP: 20 shape glyphs of 24 x 24 side by side, white transparent
