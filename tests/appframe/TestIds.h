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

// The MDI frame and its children: menus, accelerators and titles.
#define IDR_MDIFRAME        400
#define IDR_CHILDFRAME      401
#define IDD_BAR             402
#define ID_TEST_ROUTE       40001   // handled by the views
#define ID_TEST_DISABLED    40002   // handled, but its update handler disables it
#define ID_TEST_CHECKED     40003   // checked by its update handler
#define ID_TEST_UNHANDLED   40004   // nobody handles it
#define ID_TEST_ACCEL       40005   // handled by the main frame, reached by F5
#define ID_TEST_PROMPT      40006   // a string with a prompt and a tip

// Property pages.
#define IDD_PAGE_ONE        500
#define IDD_PAGE_TWO        501
#define IDC_PAGE_EDIT       5001
