#pragma once
// Resource ids of the MDI demonstration program.
#define IDR_MAINFRAME       100
#define IDR_PICTURE         101
#define ID_PICTURE_GRID     40001
#define ID_PICTURE_REDDEN   40002
#define ID_INDICATOR_GRID   40003
