#pragma once
// Resource ids of the framework's test program and its resource DLL.

// The exchange dialog.
#define IDD_EXCHANGE        100
#define IDC_NUMBER          1001
#define IDC_REAL            1002
#define IDC_NAME            1003
#define IDC_ENABLED         1004
#define IDC_SIZE_SMALL      1005
#define IDC_SIZE_MEDIUM     1006
#define IDC_SIZE_LARGE      1007
#define IDC_CHOICE          1008

// The modeless dialog.
#define IDD_MODELESS        200
#define IDC_FIRST_EDIT      2001
#define IDC_SECOND_EDIT     2002

// A dialog and a string that the program and the DLL both have, with different texts.
#define IDD_SHARED          300
#define IDS_SHARED          301

// A format string of the program.
#define IDS_FORMAT          302
