#pragma once
// Resource ids of the toolkit gallery.
#define IDD_UIKIT_DEMO 100
#define IDC_GRID 1001
#define IDC_RULERS 1002
#define IDC_ZOOM 1003
#define IDC_ZOOM_COUNT 1004
#define IDC_NUMBERS 1010
#define IDC_WIDTH 1011
#define IDC_WIDTH_SPIN 1012
#define IDC_ANGLE 1013
#define IDC_ANGLE_SPIN 1014
#define IDC_PICTURE 1020
#define IDC_PREVIEW_EMPTY 1021
#define IDC_PREVIEW_PICTURE 1022
#define IDC_LOADING 1030
#define IDC_SPLASH 1031
// The editing controls' page (/controls).
#define IDD_UIKIT_CONTROLS 101
#define IDC_CTL_PICTURE 1101
#define IDC_CTL_ASPECT 1102
#define IDC_CTL_PICKER 1103
#define IDC_CTL_COMBO 1104
#define IDC_CTL_TIME 1105
#define IDC_CTL_DATE 1106
#define IDC_CTL_DIAL 1107
#define IDC_CTL_DIAL_RADIO 1108
#define IDC_CTL_DIAL_VALUE 1109
#define IDC_CTL_DIAL_RADIO_VALUE 1110
// /skin: the tile pictures and texture (drawn by uikit/res/make-pictures).
#define IDB_DEMO_TILE_PICTURE 3101
#define IDB_DEMO_TILE_FOLDER 3102
#define IDB_DEMO_TILE_STAR 3103
#define IDB_DEMO_TILE_GEAR 3104
#define IDB_DEMO_TILE_TEXTURE 3105
