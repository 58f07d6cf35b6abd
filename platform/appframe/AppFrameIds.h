#pragma once
// Identifiers with a fixed meaning in the framework: standard commands, bar and pane ids, the
// framework's own string and cursor resources, private messages. Included by .rc files too.

// Standard commands.
#define ID_FILE_NEW                 0xE100
#define ID_FILE_CLOSE               0xE102
#define ID_APP_ABOUT                0xE140
#define ID_APP_EXIT                 0xE141
#define ID_APPLY_NOW                0x3021
#define ID_SEPARATOR                0
#define ID_WINDOW_NEW               0xE130
#define ID_WINDOW_ARRANGE           0xE131
#define ID_WINDOW_CASCADE           0xE132
#define ID_WINDOW_TILE_HORZ         0xE133
#define ID_WINDOW_TILE_VERT         0xE134
#define ID_NEXT_PANE                0xE150
#define ID_PREV_PANE                0xE151
#define ID_INDICATOR_CAPS           0xE701
#define ID_INDICATOR_NUM            0xE702
// The ids of the MDI client's entries for its children in the window menu, and their first.
#define AFX_IDM_FIRST_MDICHILD      0xFF00
// The status text when no menu is open.
#define AFX_IDS_IDLEMESSAGE         0xE001

// Child window ids of frames: bars and the first pane.
#define AFX_IDW_TOOLBAR             0xE800
#define AFX_IDW_STATUS_BAR          0xE801
#define AFX_IDW_MENUBAR             0xE806
#define AFX_IDW_DOCKBAR_TOP         0xE81B
#define AFX_IDW_DOCKBAR_LEFT        0xE81C
#define AFX_IDW_DOCKBAR_RIGHT       0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM      0xE81E
#define AFX_IDW_PANE_FIRST          0xE900

// Prompts of data exchange (string resources of AppFrame.dll).
#define IDS_PROMPT_INT              61712
#define IDS_PROMPT_REAL             61713
#define IDS_PROMPT_INT_RANGE        61714
#define IDS_PROMPT_BYTE             61718
#define IDS_PROMPT_UINT             61719

// The message shown when printing finds no printer.
#define AFX_IDP_NO_PRINTER          0xF104

// Cursors of rectangle trackers (cursor resources of AppFrame.dll).
#define IDC_TRACK_NWSE              30983
#define IDC_TRACK_NESW              30984
#define IDC_TRACK_NS                30985
#define IDC_TRACK_WE                30986
#define IDC_TRACK_4WAY              30987
#define IDC_MOVE_4WAY               30988

// Private messages of the framework.
#define WM_IDLEUPDATECMDUI          0x0363  // wParam: disable commands without a handler
#define WM_SETMESSAGESTRING         0x0362  // wParam: a string id, or 0 and lParam: the text
#define WM_INITIALUPDATE            0x0364  // sent to a frame's views by InitialUpdateFrame
#define WM_KICKIDLE                 0x036A  // sent to a modal dialog while its queue is empty
