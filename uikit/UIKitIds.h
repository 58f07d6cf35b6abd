#pragma once
// Resource ids of the toolkit's pictures (UIKit.rc); programs load them from the library's module.
#define IDB_KQ_LOADING 1031      // PNG: loading animation, 10 frames side by side
#define IDB_KQ_PLACEHOLDER 1042  // PNG: the picture a preview shows while it has none
#define IDB_KQ_SHAPES 1043       // BITMAP: 20 shape glyphs of 24 x 24 side by side, white transparent
#define IDB_ZV_TREE_ICONS 1038    // PNG: the folder tree's own 16 x 16 icons: favourite folder, picture folder
#define IDB_KQ_TILE_TEXTURE 1040  // PNG: a light texture laid over tiles
// The picture list's pictures (PNG): the folder by cell size (the smaller side s of a cell:
// below 64, 64, 96, 144, 192, 256 and up), the large folder with room for previews, the
// background tile, the loading pictures, the broken picture, and the badges by size (small
// cells of s <= 96, middle ones up to 192, large ones).
#define IDB_KQ_PLV_FOLDER_48 1005
#define IDB_KQ_PLV_FOLDER_64 1006
#define IDB_KQ_PLV_FOLDER_96 1008
#define IDB_KQ_PLV_FOLDER_144 264
#define IDB_KQ_PLV_FOLDER_192 1007
#define IDB_KQ_PLV_FOLDER_256 1036
#define IDB_KQ_PLV_FOLDER_LARGE 179
#define IDB_KQ_PLV_BACKGROUND 1055
#define IDB_KQ_PLV_LOADING 181
#define IDB_KQ_PLV_LOADING2 1035
#define IDB_KQ_PLV_BROKEN 1034
#define IDB_KQ_PLV_SELECT 207
#define IDB_KQ_PLV_CUT_S 168
#define IDB_KQ_PLV_CUT_M 208
#define IDB_KQ_PLV_CUT_L 203
#define IDB_KQ_PLV_COPY_S 167
#define IDB_KQ_PLV_COPY_M 209
#define IDB_KQ_PLV_COPY_L 204
#define IDB_KQ_PLV_READONLY_S 217
#define IDB_KQ_PLV_READONLY_M 224
#define IDB_KQ_PLV_READONLY_L 219
#define IDB_KQ_PLV_HIDDEN_S 220
#define IDB_KQ_PLV_HIDDEN_M 223
#define IDB_KQ_PLV_HIDDEN_L 222
#define IDB_KQ_PLV_FAVORITE_S 1023
#define IDB_KQ_PLV_FAVORITE_M 1024
#define IDB_KQ_PLV_FAVORITE_L 1025
#define IDB_KQ_PLV_DOWNLOAD_S 1009
#define IDB_KQ_PLV_DOWNLOAD_L 1010
#define IDB_KQ_PLV_DOWNLOADING_S 1011
#define IDB_KQ_PLV_DOWNLOADING_L 1012
#define IDB_KQ_PLV_ALERT_S 1027
#define IDB_KQ_PLV_ALERT_L 1028
#define IDB_KQ_PLV_CLOSE 1050
#define IDB_KQ_PLV_ADD_S 270
#define IDB_KQ_PLV_ADD_L 1049
#define IDB_KQ_RLV_SORT 1020
#define IDB_KQ_RLV_MORE 1026
#define IDB_KQ_RLV_REFRESH 1029
