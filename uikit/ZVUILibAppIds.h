#pragma once
// Resource ids of the library's application object and language chooser.
#define IDI_ZVUILIB_MAIN 1001
#define IDI_ZVUILIB_SMALL 1002
#define IDI_LANGUAGE 1003
#define IDB_LANG_OK 1004
#define IDD_LANG_LIST 286
#define IDC_LANG_LIST 1355
#define IDC_LANG_COUNT 1358
#define IDC_LANG_AUTO 3
#define IDC_LANG_ENGLISH 4
