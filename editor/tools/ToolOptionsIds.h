#pragma once
// Resource ids of the tool option dialogs of the context bar (ToolOptions.rc). Controls that
// play the same part in several dialogs share an id.
#define IDD_TOOL_PAINT 303
#define IDD_TOOL_PEN 304
#define IDD_TOOL_SHAPE 384
#define IDD_TOOL_CROP 430
#define IDD_TOOL_RATIO 431
#define IDD_TOOL_LINE 444
#define IDR_STAMP_GROUP_MENU 294

// Shared: the size (or width) edit, the second edit (opacity, mosaic size), the picture picker,
// the width label and spin, the alpha label, edit and spin.
#define IDC_OPTION_SIZE 1057
#define IDC_OPTION_SECOND 1058
#define IDC_OPTION_PICKER 1434
#define IDC_OPTION_BORDER_LABEL 1414
#define IDC_OPTION_WIDTH_SPIN 1212
#define IDC_OPTION_ALPHA_LABEL 1427
#define IDC_OPTION_ALPHA 1088
#define IDC_OPTION_ALPHA_SPIN 1216

// Pen and retouch sizes.
#define IDC_PEN_SIZE_LABEL 1182
#define IDC_PEN_SIZE_SLIDER 1183
#define IDC_PEN_MOSAIC_LABEL 1564
#define IDC_PEN_MOSAIC_SLIDER 1184

// Brush, pen and eraser.
#define IDC_PAINT_GROUP 1149
#define IDC_PAINT_OPACITY_LABEL 1109
#define IDC_PAINT_OPACITY_SPIN 1467
#define IDC_PAINT_SIZE_SPIN 1460
#define IDC_PAINT_STEP_LABEL 1514
#define IDC_PAINT_STEP 1425
#define IDC_PAINT_STEP_SPIN 1515
#define IDC_PAINT_AUTO_STEP 1516
#define IDC_PAINT_TRANSPARENT 1558

// Shapes.
#define IDC_SHAPE_BORDER_STYLE 1517
#define IDC_SHAPE_ROUND_LABEL 1554
#define IDC_SHAPE_ROUND 1552
#define IDC_SHAPE_ROUND_SPIN 1553
#define IDC_SHAPE_FILL 1422
#define IDC_SHAPE_COLOR_LABEL 1415
#define IDC_SHAPE_COLOR 1213

// Lines.
#define IDC_LINE_START 1211
#define IDC_LINE_END 1214

// Crop and its ratio.
#define IDC_CROP_WIDTH_LABEL 1118
#define IDC_CROP_HEIGHT_LABEL 1119
#define IDC_CROP_HEIGHT 1069
#define IDC_CROP_RATIO_LABEL 1430
#define IDC_CROP_RATIO 1428
#define IDC_RATIO_LABEL 1431

// The stamp group menu's commands.
#define ID_STAMP_DEFAULT 32929
#define ID_STAMP_NATURE 32930
#define ID_STAMP_ANIMALS 32931
#define ID_STAMP_TRACK 32956
