#pragma once
// Resource ids of the skinned-control gallery (tests and demonstration).
#define IDD_GALLERY       100
#define IDC_LABEL         1001
#define IDC_EDIT          1002
#define IDC_FOLDER        1003
#define IDC_BUTTON        1004
#define IDC_COLOR         1005
#define IDC_SLIDER        1006
#define IDC_PROGRESS      1007
#define IDC_NUMBER        1008
#define IDC_SPIN          1009
#define IDC_COMBO         1010
#define IDC_FONT          1011
#define IDC_LIST          1012
#define IDC_TREE          1013
#define IDC_SCROLL        1014
#define IDC_CHECK         1015
#define IDC_LINK          1016
#define IDC_THEME         1017
#define IDC_STATIC_TEXT   1018
#define IDC_RADIO1        1019
#define IDC_RADIO2        1020
#define IDC_IMAGEBUTTON   1021
#define IDC_FLATBUTTON    1022
#define IDC_EDITLIST      1023
#define IDC_SPLITTER      1024
#define IDC_MSGBOX        1025
#define IDC_SHEET         1026

// Two pages of an options sheet.
#define IDD_PAGE_GENERAL  200
#define IDD_PAGE_CAPTURE  201
#define IDC_PAGE_EDIT     2001
#define IDC_PAGE_CHECK    2002
#define IDS_PAGE_GENERAL  2101
#define IDS_PAGE_CAPTURE  2102

// Image strips: three 8x8 images as PNG; two 8x8 images on magenta as a 24-bit bitmap.
#define IDB_TEST_STRIP_PNG 300
#define IDB_TEST_STRIP_BMP 301
