#pragma once
// Resources of the tool palette: its tool bars, image strips, colour-button icons and frame.
#define IDR_TOOL_PALETTE        184   // the palette's buttons (24 x 24 images)
#define IDB_TOOL_PALETTE_COLD   203
#define IDB_TOOL_PALETTE_HOT    204
#define IDB_PALETTE_FRAME       205   // nine-part frame round the docked palette, 46 x 15
#define IDR_DROPDOWN_SELECT     285
#define IDB_DROPDOWN_SELECT     287
#define IDR_DROPDOWN_MOSAIC     303
#define IDB_DROPDOWN_MOSAIC     288
#define IDR_DROPDOWN_BLUR       289
#define IDB_DROPDOWN_BLUR       313
#define IDR_DROPDOWN_LIGHT      511
#define IDB_DROPDOWN_LIGHT      513
#define IDB_COLOR_PICKER_ICONS  304   // reset and swap, 22 x 11

// Tool commands of the palette and its drop-downs.
#define ID_TOOL_POINT           31001
#define ID_TOOL_SELECT_RECT     31002
#define ID_TOOL_CROP            31005
#define ID_TOOL_SHAPE           32849
#define ID_TOOL_RED_EYE         32850
#define ID_TOOL_MOSAIC          32852
#define ID_TOOL_SELECT_CIRCLE   32854
#define ID_TOOL_GRAY_BRUSH      32855
#define ID_TOOL_BLUR_BRUSH      32856
#define ID_TOOL_SELECT_ROUND    32858
#define ID_TOOL_SELECT_LOVE     32859
#define ID_TOOL_BRUSH           32833
#define ID_TOOL_PEN             32933
#define ID_TOOL_MAGIC_WAND      32934
#define ID_TOOL_POLYGON         32935
#define ID_TOOL_LASSO           32937
#define ID_TOOL_FLOOD_FILL      32939
#define ID_TOOL_COLOR           32940
#define ID_TOOL_ERASER          32941
#define ID_TOOL_BLUR            32943
#define ID_TOOL_SHARPEN         32944
#define ID_TOOL_DARKEN          32945
#define ID_TOOL_LIGHTEN         32946
#define ID_TOOL_TEXT            32980
#define ID_TOOL_LINE            32981
#define ID_TOOL_STRAW           32992
