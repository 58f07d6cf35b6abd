#pragma once
// Resource and command ids of the bar tests and demonstration.
#define IDR_MAINFRAME       100
#define IDR_STANDARD        200
#define IDR_TOOLS           201
#define IDR_SELECT_TOOLS    202
#define IDR_CONTEXT         300
#define IDB_ICONS_HOT       400
#define IDB_ICONS_COLD      401

// Commands, in the order of the images of the strips (image n is command ID_FIRST_IMAGE + n).
#define ID_FIRST_IMAGE      32800
#define ID_FILE_NEW_DOC     32800
#define ID_FILE_OPEN_DOC    32801
#define ID_FILE_SAVE_DOC    32802
#define ID_EDIT_UNDO_STEP   32803
#define ID_EDIT_REDO_STEP   32804
#define ID_TOOL_CROP        32805
#define ID_TOOL_BRUSH       32806
#define ID_TOOL_TEXT        32807
#define ID_VIEW_ZOOM        32808
#define ID_IMAGE_ROTATE     32809
#define ID_SELECT_RECT      32810
#define ID_SELECT_ELLIPSE   32811
#define ID_SELECT_WAND      32812
#define ID_FILE_PRINT_DOC   32813
#define ID_HELP_TOPICS      32814
#define ID_SHAPE_RECT       32815
#define ID_SHAPE_ELLIPSE    32816
#define ID_SHAPE_LINE       32817
#define ID_TOOL_PEN         32818
#define ID_TOOL_MOSAIC      32819
#define ID_TOOL_BLUR        32820
#define ID_TOOL_SHARPEN     32821
#define ID_TOOL_LIGHTEN     32822
#define ID_TOOL_DARKEN      32823
#define ID_EDIT_COPY_IMAGE  32824
#define ID_FILE_MAIL        32825
#define ID_VIEW_GRID        32826
#define ID_VIEW_HISTOGRAM   32827

// Commands without images.
#define ID_FONT_FACE        32900
#define ID_FONT_SIZE        32901
#define ID_TOOL_COLOR       32902
#define ID_VIEW_LOOK        32903
#define ID_STATUS_READY     32910
#define ID_STATUS_POS       32911
#define ID_STATUS_ZOOM      32912
#define ID_STATUS_SLIDER    32913
#define ID_STATUS_SNAP      32914
#define ID_STATUS_PROGRESS  32915
#define ID_CAPTION_SHARE    32920
#define ID_CAPTION_SKIN     32921
#define ID_APP_ABOUT_BOX    32930
#define ID_APP_EXIT_PROGRAM 32931
#define ID_CONTEXT_CUT      32940
#define ID_CONTEXT_COPY     32941
#define ID_CONTEXT_PASTE    32942
#define ID_CONTEXT_DELETE   32943
