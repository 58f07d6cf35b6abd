#pragma once
// Resource ids of the photo frame dialogs (FrameDialogs.rc).
#define IDD_FRAME 406
#define IDC_FRAME_TYPE_ZOOM 1153
#define IDC_FRAME_TYPE_CORNERS 1104
#define IDC_FRAME_TYPE_SURROUND 1154
#define IDC_FRAME_ZOOM_LABEL 1155
#define IDC_FRAME_ZOOM_SLIDER 1062
#define IDC_FRAME_ZOOM 1057
#define IDC_FRAME_PERCENT 1156
