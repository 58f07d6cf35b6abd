#include "LayeredViewWnd.h"
#include <gdiplus.h>
#include <shellapi.h>
#include <algorithm>
#include <cmath>
#include <vector>
#include "CanvasViewMath.h"
#include "GlobalData.h"
#include "OpenTimes.h"
#include "ZVObjGraph.h"
#include "ZVUILibApp.h"

namespace {

int RoundHalfUp(double v)
{
    return static_cast<int>(std::floor(v + 0.5));
}

// The pictures, cursors and bitmaps of the canvas come from the program's own resources.
HINSTANCE CanvasResources()
{
    return ::GetModuleHandleW(nullptr);
}

} // namespace

bool CLayeredViewWnd::StartGdiplus()
{
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

BEGIN_MESSAGE_MAP(CLayeredViewWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_SETCURSOR()
    ON_WM_MOUSELEAVE()
    ON_WM_SIZE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_MOUSEWHEEL()
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_DROPFILES()
    ON_MESSAGE(WM_CANVAS_SCROLL_LEFT, OnScrollLeftEnd)
    ON_MESSAGE(WM_CANVAS_SCROLL_TOP, OnScrollTopEnd)
    ON_MESSAGE(WM_CANVAS_DELETE_LAYER, OnDeleteLayerMessage)
    ON_MESSAGE(WM_CANVAS_LAYER_MENU, OnLayerMenuMessage)
    ON_MESSAGE(WM_CANVAS_REFRESH, Recompose)
END_MESSAGE_MAP()

CLayeredViewWnd::CLayeredViewWnd()
{
    static const LPCWSTR kSystemCursors[5] = {IDC_HAND, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZENWSE};
    for (int i = 0; i < 5; ++i)
        cursors[i] = ::LoadCursorW(nullptr, kSystemCursors[i]);
    // Shared resource cursors: the system keeps them, nothing to destroy.
    cursors[5] = ::LoadCursorW(CanvasResources(), MAKEINTRESOURCEW(IDC_CANVAS_ROTATE));
    cursors[6] = ::LoadCursorW(CanvasResources(), MAKEINTRESOURCEW(IDC_CANVAS_PICKER));
    loadingAnimation.SetOwner(this);
}

CLayeredViewWnd::~CLayeredViewWnd()
{
    StopAnimation();
    if (frames) {
        for (int i = 0; i < frameCount; ++i)
            delete frames[i];
        delete[] frames;
    }
    doc.layers.RemoveAllLayers();
    DestroyWindow();
}

int CLayeredViewWnd::Dpi() const
{
    // The system DPI is fixed for the life of the process; every paint of a frame asks for it.
    static const int dpi = [] {
        win32::ScreenDc screen(::GetDC(nullptr));
        return screen.IsValid() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
    }();
    return dpi;
}

int CLayeredViewWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    ::RegisterTouchWindow(m_hWnd, 0);
    DragAcceptFiles(TRUE);
    vBarWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    hBarHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    vBar.Create(WS_CHILD | SBS_VERT, CRect(0, 0, vBarWidth, 100), this, 1);
    hBar.Create(WS_CHILD | SBS_HORZ, CRect(0, 0, 100, hBarHeight), this, 2);
    const UINT buttons[4] = {IDR_PNG_FRAME_DELETE, IDR_PNG_FRAME_MENU, IDR_PNG_FRAME_RESIZE, IDR_PNG_FRAME_ROTATE};
    for (int i = 0; i < 4; ++i)
        buttonImages[i].LoadPNG(buttons[i], CanvasResources());
    checkerPattern.Reset(::LoadBitmapW(CanvasResources(), MAKEINTRESOURCEW(IDB_CANVAS_CHECKER)));
    LoadBackgroundImage();
    loadingAnimation.OnCreate();
    SetTimer(kRedrawTimer, 50);
    return 0;
}

void CLayeredViewWnd::LoadBackgroundImage()
{
    CZVImage tile;
    if (tile.LoadPNG(IDR_PNG_CANVAS_SURROUND, CanvasResources())) {
        const COLORREF face = globalData.clrBarFace;
        tile.EffectColorTone(RGBQUAD{GetBValue(face), GetGValue(face), GetRValue(face), 0}, 80);
        win32::ScreenDc screen(::GetDC(nullptr));
        backgroundTile.Reset(tile.MakeBitmap(screen.Get()));
    }
    if (!backgroundTile.IsValid())
        backgroundTile.Reset(::LoadBitmapW(CanvasResources(), MAKEINTRESOURCEW(IDB_CANVAS_SURROUND)));
    backgroundStale = 1;
    if (m_hWnd)
        Invalidate(FALSE);
}

void CLayeredViewWnd::UpdateClientRect()
{
    GetClientRect(&doc.viewRect);
}

void CLayeredViewWnd::RecreateBackBuffer()
{
    CRect client;
    GetClientRect(&client);
    win32::ScreenDc screen(::GetDC(m_hWnd));
    const int width = std::max<LONG>(1, client.Width()), height = std::max<LONG>(1, client.Height());
    backBuffer.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
    workBuffer.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
    // A new buffer holds nothing yet: the next paint renders it.
    backgroundStale = 1;
}

// ---- Layout, zoom and scrolling ----

void CLayeredViewWnd::ZoomStep(BOOL zoomIn)
{
    recentrePending = 1;
    doc.zoom = NextZoom(doc.zoom, zoomIn != FALSE);
    LayOut(true);
}

void CLayeredViewWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    LayOut(false);
}

void CLayeredViewWnd::LayOut(bool zoomed)
{
    CRect client;
    GetClientRect(&client);
    // A minimised or empty window has nothing to lay out; the next real size does it.
    if (::IsIconic(m_hWnd) || client.Width() <= 0 || client.Height() <= 0)
        return;
    {
        CDocumentLockScope hold(doc.lock);
        if (doc.scaledComposite.IsValid()) {
            doc.scaledComposite.Destroy();
            doc.RebuildComposite();
        }
        RecreateBackBuffer();
        const ViewAxis x = LayOutViewAxis(doc.docWidth, doc.zoom, client.left, client.right);
        const ViewAxis y = LayOutViewAxis(doc.docHeight, doc.zoom, client.top, client.bottom);
        doc.hScroll = x.scroll;
        doc.hStep = x.step;
        doc.vScroll = y.scroll;
        doc.vStep = y.step;
        const RECT placed = {x.start, y.start, x.end, y.end};
        OnCanvasRectChanged(&placed, &doc.canvasRect);
        // Layers are kept at the zoom they were laid out for; without one there is no factor.
        if (doc.fitZoom > 0.0f && !doc.layers.layers.empty()) {
            const float scale = doc.zoom / doc.fitZoom;
            doc.layers.RemapLayerPositions(doc.canvasRect, placed, scale);
            doc.history.RemapHistoryPositions(doc.canvasRect, placed, scale);
        }
        doc.canvasRect = placed;
        doc.fitZoom = doc.zoom;
        doc.viewRect = client;
    }
    UpdateScrollBars();
    OnZoomChanged();
    // A new size leaves the old pixels on the screen as much as a new zoom does: both repaint.
    Invalidate(FALSE);
}

void CLayeredViewWnd::UpdateScrollBars()
{
    if (!vBar.m_hWnd || !hBar.m_hWnd)
        return;
    if (!scrollBarsEnabled) {
        vBar.ShowWindow(SW_HIDE);
        hBar.ShowWindow(SW_HIDE);
        return;
    }
    CRect client;
    GetClientRect(&client);
    const auto place = [](CScrollBar& bar, const RECT& where, int range, int page, int32_t& position) {
        bar.MoveWindow(&where, FALSE);
        SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE};
        info.nMin = 0;
        info.nMax = range;
        info.nPage = static_cast<UINT>(std::max(page, 0));
        bar.SetScrollInfo(&info, FALSE);
        position = std::clamp(position, 0, ScrollLimit(range, page));
        bar.SetScrollPos(position, TRUE);
    };
    if (doc.vScroll) {
        const int height = client.Height() - (doc.hScroll ? hBarHeight : 0);
        place(vBar, CRect(client.right - vBarWidth, 0, client.right, height),
              static_cast<int>(doc.docHeight * doc.zoom), height, doc.vPos);
    }
    vBar.ShowWindow(doc.vScroll ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (doc.hScroll) {
        const int width = client.Width() - (doc.vScroll ? vBarWidth : 0);
        place(hBar, CRect(0, client.bottom - hBarHeight, width, client.bottom),
              static_cast<int>(doc.docWidth * doc.zoom), width, doc.hPos);
    }
    hBar.ShowWindow(doc.hScroll ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (centreOnZoom && recentrePending)
        CentreScroll();
}

void CLayeredViewWnd::CentreScroll()
{
    doc.oldHPos = doc.hPos;
    doc.oldVPos = doc.vPos;
    CentreScrollAxis(doc.hPos, doc.hPosRatio, hBar.m_hWnd ? hBar.GetScrollLimit() : 0);
    CentreScrollAxis(doc.vPos, doc.vPosRatio, vBar.m_hWnd ? vBar.GetScrollLimit() : 0);
    if (hBar.m_hWnd)
        hBar.SetScrollPos(doc.hPos, TRUE);
    if (vBar.m_hWnd)
        vBar.SetScrollPos(doc.vPos, TRUE);
    OnScrolled();
    recentrePending = 0;
}

void CLayeredViewWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    OnScroll(true, nSBCode, nPos);
    CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CLayeredViewWnd::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    OnScroll(false, nSBCode, nPos);
    CWnd::OnVScroll(nSBCode, nPos, pScrollBar);
}

void CLayeredViewWnd::OnScroll(bool horizontal, UINT code, UINT position)
{
    CScrollBar& bar = horizontal ? static_cast<CScrollBar&>(hBar) : static_cast<CScrollBar&>(vBar);
    int32_t& pos = horizontal ? doc.hPos : doc.vPos;
    float& ratio = horizontal ? doc.hPosRatio : doc.vPosRatio;
    if (position != 0)
        pos = static_cast<int>(position & 0xFFFF);
    SCROLLINFO info = {sizeof info, SIF_ALL};
    const bool hasBar = bar.m_hWnd && bar.GetScrollInfo(&info, SIF_ALL);
    const int limit = hasBar ? bar.GetScrollLimit() : 0;
    const int page = hasBar ? static_cast<int>(info.nPage) : 0;
    pos = ScrollPosition(static_cast<int>(code), pos, static_cast<int>(position & 0xFFFF), doc.lineStep, page, limit);
    if (hasBar)
        bar.SetScrollPos(pos, TRUE);
    ratio = limit > 0 ? static_cast<float>(pos) / limit : 0.0f;
    OnScrolled();
    Invalidate(FALSE);
}

BOOL CLayeredViewWnd::OnMouseWheel(UINT, short zDelta, CPoint)
{
    ZoomStep(zDelta >= 0);
    return TRUE;
}

LRESULT CLayeredViewWnd::OnScrollLeftEnd(WPARAM, LPARAM)
{
    SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    return 0;
}

LRESULT CLayeredViewWnd::OnScrollTopEnd(WPARAM, LPARAM)
{
    SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
    return 0;
}

LRESULT CLayeredViewWnd::OnDeleteLayerMessage(WPARAM, LPARAM)
{
    OnDeleteLayerRequest();
    return 0;
}

LRESULT CLayeredViewWnd::OnLayerMenuMessage(WPARAM, LPARAM)
{
    OnLayerMenuRequest();
    return 0;
}

// ---- Timers, refresh, files ----

void CLayeredViewWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == CAnimateImage::kTimerId) {
        loadingAnimation.OnTimer();
        Invalidate(FALSE);
    } else if (nIDEvent == kRedrawTimer) {
        if (redrawPending.exchange(0))
            PostMessage(WM_CANVAS_REFRESH);
    }
}

LRESULT CLayeredViewWnd::Recompose(WPARAM, LPARAM)
{
    UpdateScrollBars();
    if (::GetFocus() != m_hWnd)
        SetFocus();
    {
        CDocumentLockScope hold(doc.lock);
        doc.layers.SortLayers();
    }
    RenderBackBuffer();
    Invalidate(FALSE);
    return 0;
}

void CLayeredViewWnd::OnDropFiles(HDROP hDropInfo)
{
    const UINT count = ::DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first: a long path is never cut short.
        const UINT length = ::DragQueryFileW(hDropInfo, i, nullptr, 0);
        std::vector<wchar_t> path(length + 1, L'\0');
        if (::DragQueryFileW(hDropInfo, i, path.data(), length + 1) == length)
            OnDropFile(path.data());
    }
    ::DragFinish(hDropInfo);
}

// ---- Keyboard and touch ----

BOOL CLayeredViewWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN) {
        int dx = 0, dy = 0;
        switch (pMsg->wParam) {
        case VK_LEFT: dx = -1; break;
        case VK_UP: dy = -1; break;
        case VK_RIGHT: dx = 1; break;
        case VK_DOWN: dy = 1; break;
        default: break;
        }
        if (dx || dy) {
            std::vector<CLayerInfo>& list = doc.layers.layers;
            const float z = doc.zoom;
            for (size_t i = 1; i < list.size(); ++i) {
                CLayerInfo& layer = list[i];
                if (layer.id != doc.layers.currentId || layer.type == LAYER_SLOT_PICTURE)
                    continue;
                layer.location.x += z * dx;
                layer.location.y += z * dy;
                layer.dragAnchor.x = static_cast<LONG>(layer.dragAnchor.x + z * dx);
                layer.dragAnchor.y = static_cast<LONG>(layer.dragAnchor.y + z * dy);
                layer.frame.Offset(static_cast<int>(z * dx), static_cast<int>(z * dy));
                RequestRedraw();
            }
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CLayeredViewWnd::OnTouchInput(CPoint pt, int nInputNumber, int nInputsCount, PTOUCHINPUT pInput)
{
    if (!pInput || nInputNumber < 0 || nInputNumber >= 10)
        return FALSE;
    const DWORD flags = pInput->dwFlags;
    if (!multiTouch && nInputsCount == 1) {
        std::fill(std::begin(touches), std::end(touches), TouchPoint{});
        if (flags & TOUCHEVENTF_DOWN)
            OnLButtonDown(MK_LBUTTON, pt);
        else if (flags & TOUCHEVENTF_MOVE)
            OnMouseMove(MK_LBUTTON, pt);
        else if (flags & TOUCHEVENTF_UP)
            OnLButtonUp(MK_LBUTTON, pt);
        return TRUE;
    }
    multiTouch = 1;
    TouchPoint& touch = touches[nInputNumber];
    if (flags & TOUCHEVENTF_DOWN) {
        touch.start = touch.current = pt;
        touch.down = 1;
    } else if (flags & TOUCHEVENTF_MOVE) {
        touch.current = pt;
        if (!touch.down)
            touch.start = pt;
        if (touches[0].down && touches[1].down) {
            const int step = PinchStep(touches[0].start, touches[1].start, touches[0].current, touches[1].current);
            if (step != 0) {
                for (TouchPoint& t : touches)
                    t.start = t.current;
                ZoomStep(step > 0);
            }
        }
    } else if (flags & TOUCHEVENTF_UP) {
        if (touches[0].down && touches[1].down) {
            std::fill(std::begin(touches), std::end(touches), TouchPoint{});
            multiTouch = 0;
        }
    }
    return TRUE;
}

BOOL CLayeredViewWnd::OnGestureZoom(CPoint, long)
{
    return FALSE;
}

BOOL CLayeredViewWnd::OnGesturePan(CPoint, CPoint)
{
    // Panning with two fingers would fight the pinch zoom of the touch handler.
    return TRUE;
}

BOOL CLayeredViewWnd::OnGestureRotate(CPoint, double)
{
    return FALSE;
}

// ---- Painting ----

BOOL CLayeredViewWnd::OnEraseBkgnd(CDC*)
{
    // Everything is painted from the back buffer.
    return TRUE;
}

void CLayeredViewWnd::TileBackground(HDC dc)
{
    CRect client;
    GetClientRect(&client);
    BITMAP info = {};
    if (!backgroundTile.IsValid() || !::GetObjectW(backgroundTile.Get(), sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        ::FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1));
        return;
    }
    for (int y = 0; y < client.bottom; y += info.bmHeight)
        for (int x = 0; x < client.right; x += info.bmWidth)
            ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(backgroundTile.Get()), 0, x, y, 0, 0,
                         DST_BITMAP | DSS_NORMAL);
}

void CLayeredViewWnd::DrawCheckerAt(HDC dc, int width, int height)
{
    const int x = RoundHalfUp(doc.canvasRect.left - ScrollX()), y = RoundHalfUp(doc.canvasRect.top - ScrollY());
    const RECT box = {x, y, x + width, y + height};
    win32::GdiObject<HBRUSH> brush(checkerPattern.IsValid() ? ::CreatePatternBrush(checkerPattern.Get())
                                                            : ::CreateSolidBrush(RGB(204, 204, 204)));
    ::SetBrushOrgEx(dc, x, y, nullptr);
    ::FillRect(dc, &box, brush.Get());
}

void CLayeredViewWnd::RenderBackground(HDC dc)
{
    TileBackground(dc);
    DrawCheckerAt(dc, static_cast<int>(doc.docWidth * doc.zoom), static_cast<int>(doc.docHeight * doc.zoom));
}

void CLayeredViewWnd::DrawPicture(HDC dc, CZVImage& picture, float scale)
{
    const int x = RoundHalfUp(doc.canvasRect.left - ScrollX()), y = RoundHalfUp(doc.canvasRect.top - ScrollY());
    const int w = static_cast<int>(picture.GetWidth() * scale), h = static_cast<int>(picture.GetHeight() * scale);
    CRect client;
    GetClientRect(&client);
    // Enlarged past the window, only the part the window shows is cut and stretched.
    const bool overflows = x < client.left || y < client.top || x + w > client.right || y + h > client.bottom;
    StretchPart part;
    if (scale > 1.0f && overflows) {
        if (!VisibleStretchPart(x, y, static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()), scale,
                                client, part))
            return;
        CxImage cut;
        if (picture.Crop(part.source, &cut))
            cut.Draw(dc, part.target.left, part.target.top, part.target.right - part.target.left,
                     part.target.bottom - part.target.top, &client);
        return;
    }
    picture.Draw(dc, x, y, w, h, &client);
}

void CLayeredViewWnd::DrawComposite(HDC dc, bool rebuild)
{
    if (rebuild) {
        if (doc.zoom < 1.0f)
            doc.RebuildScaledComposite();
        else
            doc.RebuildComposite();
    }
    if (doc.zoom < 1.0f && doc.scaledComposite.IsValid())
        DrawPicture(dc, doc.scaledComposite, 1.0f);
    else if (doc.composite.IsValid())
        DrawPicture(dc, doc.composite, doc.zoom);
    else if (doc.layers.layers.size() == 1)
        DrawPicture(dc, doc.layers.layers[0].displayed, doc.zoom);
}

void CLayeredViewWnd::RenderBackBuffer()
{
    if (!backBuffer.IsValid())
        return;
    win32::MemoryDc dc(::CreateCompatibleDC(nullptr));
    win32::ScopedSelect keep(dc.Get(), backBuffer.Get());
    TileBackground(dc.Get());
    CDocumentLockScope hold(doc.lock);
    GetClientRect(&doc.viewRect);
    for (CLayerInfo& layer : doc.layers.layers)
        if (layer.visible && !layer.dragging)
            doc.UpdateLayerOrigin(&layer);
    if (!doc.layers.layers.empty()) {
        const CZVImage& base = doc.layers.layers[0].displayed;
        DrawCheckerAt(dc.Get(), static_cast<int>(base.GetWidth() * doc.zoom), static_cast<int>(base.GetHeight() * doc.zoom));
        DrawComposite(dc.Get(), true);
    }
    backgroundStale = 0;
}

void CLayeredViewWnd::DrawLayersInPlace(HDC dc, bool leaveOutSlotFrames)
{
    CDocumentLockScope hold(doc.lock);
    for (CLayerInfo& layer : doc.layers.layers)
        if (layer.dragging)
            DrawDraggedLayer(dc, layer);
    for (CLayerInfo& layer : doc.layers.layers) {
        if (!layer.visible || layer.dragging || layer.type == LAYER_BACKGROUND || layer.type == LAYER_PAGE_OVERLAY ||
            layer.type == 7 || layer.id != doc.layers.currentId)
            continue;
        frame = layer.frame;
        if (framesShown && !(leaveOutSlotFrames && layer.type == LAYER_SLOT_PICTURE))
            DrawLayerFrame(dc, layer);
    }
}

void CLayeredViewWnd::DrawGrid(HDC dc)
{
    if (!StartGdiplus())
        return;
    const float w = doc.gridCellWidth * doc.zoom, h = doc.gridCellHeight * doc.zoom;
    const RECT& c = doc.canvasRect;
    const std::vector<int> xs = GridLinePositions(w, c.left, c.right, ScrollX());
    const std::vector<int> ys = GridLinePositions(h, c.top, c.bottom, ScrollY());
    Gdiplus::Graphics g(dc);
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen halo(Gdiplus::Color(0x80, 255, 255, 255), 3.0f);
    Gdiplus::Pen line(Gdiplus::Color(0xFF, 0, 0, 0), 1.0f);
    for (Gdiplus::Pen* pen : {&halo, &line}) {
        for (int x : xs)
            g.DrawLine(pen, x, c.top, x, c.bottom);
        for (int y : ys)
            g.DrawLine(pen, c.left, y, c.right, y);
    }
}

void CLayeredViewWnd::DrawPath(HDC dc)
{
    const PathPoints& points = doc.pathPoints;
    win32::GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    win32::ScopedSelect keep(dc, pen.Get());
    ::SetBkColor(dc, RGB(255, 255, 255));
    const int sx = RoundHalfUp(doc.hPos * doc.hStep), sy = RoundHalfUp(doc.vPos * doc.vStep);
    for (size_t i = 1; i < points.size(); ++i) {
        ::MoveToEx(dc, static_cast<int>(points[i - 1].x - sx), static_cast<int>(points[i - 1].y - sy), nullptr);
        ::LineTo(dc, static_cast<int>(points[i].x - sx), static_cast<int>(points[i].y - sy));
    }
}

void CLayeredViewWnd::OnPaint()
{
    open_times::Scope timed("paint");
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    RECT area;
    if (client.Width() <= 0 || client.Height() <= 0 || !::IntersectRect(&area, &paint.m_ps.rcPaint, &client))
        return;
    if (!backBuffer.IsValid() || !workBuffer.IsValid() || backgroundStale) {
        if (!backBuffer.IsValid() || !workBuffer.IsValid())
            RecreateBackBuffer();
        win32::MemoryDc dc(::CreateCompatibleDC(paint.m_hDC));
        win32::ScopedSelect keep(dc.Get(), backBuffer.Get());
        if (displayMode == 0) {
            RenderBackground(dc.Get());
            CDocumentLockScope hold(doc.lock);
            DrawComposite(dc.Get(), !doc.composite.IsValid() && !doc.scaledComposite.IsValid());
        } else {
            TileBackground(dc.Get());
        }
        backgroundStale = 0;
    }
    // Only the area to paint is copied, drawn (everything below is clipped to it) and shown: a
    // drag repaints where its layer was and is. The work picture has the back buffer's format,
    // so that the copy is a plain one.
    const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    win32::MemoryDc mem(::CreateCompatibleDC(paint.m_hDC));
    if (!workBuffer.IsValid() || !mem.IsValid())
        return;
    win32::ScopedSelect keepWork(mem.Get(), workBuffer.Get());
    {
        win32::MemoryDc source(::CreateCompatibleDC(paint.m_hDC));
        win32::ScopedSelect keep(source.Get(), backBuffer.Get());
        ::BitBlt(mem.Get(), area.left, area.top, areaWidth, areaHeight, source.Get(), area.left, area.top, SRCCOPY);
    }
    ::IntersectClipRect(mem.Get(), area.left, area.top, area.right, area.bottom);
    if (displayMode == 0) {
        {
            CDocumentLockScope hold(doc.lock);
            for (CLayerInfo& layer : doc.layers.layers)
                if (layer.visible && !layer.dragging)
                    doc.UpdateLayerOrigin(&layer);
        }
        DrawLayersInPlace(mem.Get(), false);
        if (doc.gridOn)
            DrawGrid(mem.Get());
        if (doc.pathPoints.size() >= 2 && pathShown)
            DrawPath(mem.Get());
    } else if (displayMode == 1) {
        if (frames && frameIndex >= 0 && frameIndex < frameCount && frames[frameIndex]) {
            const CZVImage& picture = *frames[frameIndex];
            const SIZE size = {static_cast<LONG>(picture.GetWidth() * doc.zoom), static_cast<LONG>(picture.GetHeight() * doc.zoom)};
            picture.Draw(mem.Get(), CZVObjGraph::CalcFitWindowSize(size, client));
        }
    } else if (displayMode == 2) {
        CDC* memDC = CDC::FromHandle(mem.Get());
        if (loadingAnimation.IsVisabled() && !loadingAnimation.OnDrawSplash(memDC, client))
            loadingAnimation.OnDrawLoading(memDC, client);
    } else if (displayMode == 3) {
        {
            CDocumentLockScope hold(doc.lock);
            if (doc.composite.IsValid())
                DrawPicture(mem.Get(), doc.composite, doc.zoom);
            else if (doc.layers.layers.size() == 1)
                DrawPicture(mem.Get(), doc.layers.layers[0].displayed, doc.zoom);
        }
        DrawLayersInPlace(mem.Get(), true);
    }
    OnDrawOverlay(CDC::FromHandle(mem.Get()));
    ::BitBlt(paint.m_hDC, area.left, area.top, areaWidth, areaHeight, mem.Get(), area.left, area.top, SRCCOPY);
    OnAfterPaint();
    if (scrollBarsEnabled && vBar.m_hWnd && hBar.m_hWnd && vBar.IsWindowVisible() && hBar.IsWindowVisible()) {
        const RECT corner = {client.right - vBarWidth, client.bottom - hBarHeight, client.right, client.bottom};
        win32::GdiObject<HBRUSH> face(::CreateSolidBrush(globalData.clrBarFace));
        ::FillRect(paint.m_hDC, &corner, face.Get());
    }
}

BOOL CLayeredViewWnd::SetSelectedLayerAngle(int degrees)
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || layer->locked)
        return FALSE;
    layer->SetAngle(static_cast<float>(degrees * 3.14159265358979323846 / 180.0));
    doc.CalcLayerTracker(layer);
    RequestRedraw();
    return TRUE;
}

BOOL CLayeredViewWnd::SetSelectedLayerAlpha(int alpha, int width, int height)
{
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    if (!layer || layer->locked)
        return FALSE;
    if (layer->alpha != (alpha & 0xFF)) {
        layer->alpha = alpha & 0xFF;
        layer->ClearShadowCache();
    }
    if (width >= 0 && (width != layer->width || height != layer->height))
        layer->SetSize(width, height);
    doc.CalcLayerTracker(layer);
    RequestRedraw();
    return TRUE;
}
