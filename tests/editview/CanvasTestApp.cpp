#include "CanvasTestApp.h"

namespace {
CCanvasTestApp theApp;
} // namespace

BEGIN_MESSAGE_MAP(CRecordingCanvas, CLayeredViewWnd)
    ON_MESSAGE(WM_CANVAS_REFRESH, OnRefreshCounted)
END_MESSAGE_MAP()
