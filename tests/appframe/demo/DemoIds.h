#pragma once
// Resource ids of the demonstration program.
#define IDD_DEMO            100
#define IDC_TITLE           1001
#define IDC_WIDTH           1002
#define IDC_WIDTH_SPIN      1003
#define IDC_SCALE           1004
#define IDC_FORMAT          1005
#define IDC_KEEP_RATIO      1006
#define IDC_SHARPEN         1007
#define IDC_FIT             1008
#define IDC_FILL            1009
#define IDC_STRETCH         1010
#define IDC_QUALITY         1011
#define IDC_QUALITY_VALUE   1012
#define IDC_PROGRESS        1013
#define IDC_FILES           1014
#define IDC_FOLDERS         1015
#define IDC_SHORTCUT        1016
#define IDC_START           1017
