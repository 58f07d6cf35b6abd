// The picture edit view: construction, the canvas hooks, the host interface and the status texts.
#include "PicEditView.h"
#include <cmath>
#include <cwchar>
#include "MessageBox.h"
#include "BCGPMDIFrameWnd.h"
#include "PopupMenu.h"
#include "ZVUILibApp.h"

void NormalizeRect(RECT* rect)
{
    if (rect->left > rect->right)
        std::swap(rect->left, rect->right);
    if (rect->top > rect->bottom)
        std::swap(rect->top, rect->bottom);
}

CStringW PositionText(int x, int y)
{
    CStringW text;
    text.Format(L"X:Y=%d:%d", x, y);
    return text;
}

CStringW RectText(int left, int top, int width, int height)
{
    CStringW text;
    const double ratio = height != 0 ? static_cast<double>(width) / height : 0.0;
    text.Format(L"%d:%d ===>%d:%d (W=%d,H=%d,W/H=%0.3f)", left, top, left + width, top + height, width, height, ratio);
    return text;
}

BEGIN_MESSAGE_MAP(CPicEditView, CLayeredViewWnd)
    ON_WM_TIMER()
    // The mouse tools (PicEditViewTools.cpp).
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_SETCURSOR()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSELEAVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPicEditView::CPicEditView()
{
    selectionTracker.m_nStyle = CZVRectTracker::hatchedBorder | CZVRectTracker::resizeOutside;
    selectionTracker.m_rect.SetRectEmpty();
    pickEnabled = 1;
    doc.historyOn = 1;
}

CPicEditView::~CPicEditView() { brushPicture.Destroy(); }

bool CPicEditView::IsBrushTool(int tool)
{
    switch (tool) {
    case 16: case 17: case 19: case 20: case 22: case 23:
        return true;
    default:
        return tool >= 27 && tool <= 34;
    }
}

// ---- hooks ----

namespace {

struct AntsWalk {
    HDC dc;
    int counter;
};

// One pixel of the marching ants: runs of four white and four black.
void CALLBACK AntsPixel(int x, int y, LPARAM data)
{
    AntsWalk* walk = reinterpret_cast<AntsWalk*>(data);
    ++walk->counter;
    ::SetPixel(walk->dc, x, y, CPicEditView::AntsBlack(walk->counter) ? RGB(0, 0, 0) : RGB(255, 255, 255));
    if (walk->counter >= 8)
        walk->counter = 0;
}

}  // namespace

void CPicEditView::OnScrolled()
{
    CRect& r = selectionTracker.m_rect;
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    const CSize size = r.Size();
    r.left = trackerAnchor.x - SX();
    r.top = trackerAnchor.y - SY();
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
}

void CPicEditView::OnDrawOverlay(CDC* memDC)
{
    if (tool >= 4 && tool <= 13) {
        if (!selectionTracker.m_rect.IsRectEmpty()) {
            // The dimmed surround covers the window as it is now, also for a frame that no drag
            // has placed (the crop options' sizes and ratios) and after the window was resized.
            if (m_hWnd)
                GetClientRect(&selectionTracker.m_rectClient);
            selectionTracker.Draw(memDC);
        }
    } else {
        selectionTracker.m_rect.SetRectEmpty();
    }
}

void CPicEditView::OnCanvasRectChanged(const RECT* newRect, const RECT* oldRect)
{
    const float f = doc.fitZoom > 0.0f ? doc.zoom / doc.fitZoom : 1.0f;
    auto move = [&](float& x, float& y) {
        x = (x - oldRect->left) * f + newRect->left;
        y = (y - oldRect->top) * f + newRect->top;
    };
    for (ZVPOINTF& p : doc.pathPoints)
        move(p.x, p.y);
    if (doc.pathPoints.empty()) {
        if (selectionTracker.m_rect.Width() >= 1 && selectionTracker.m_rect.Height() >= 1) {
            tracker::RectF& rf = selectionTracker.m_rectF;
            move(rf.left, rf.top);
            move(rf.right, rf.bottom);
            CanvasToTrackerRect();
        }
    } else {
        ResetTrackerToOutline();
    }
    if (IsBrushTool(tool)) {
        const float r = brushSize * doc.zoom;
        if (m_hWnd)
            SetBrushCursor(static_cast<int>(r), static_cast<int>(r));
        brushHotSpot = r < 16 ? 8 : static_cast<int>((brushSize / 2) * doc.zoom);
    } else {
        brushHotSpot = 0;
    }
}

void CPicEditView::OnAfterPaint()
{
    if ((tool >= 23 && tool <= 30) || doc.pathPoints.size() < 2 || !m_hWnd)
        return;
    CClientDC dc(this);
    AntsWalk walk = {dc.m_hDC, antsPhase};
    const int sx = SX(), sy = SY();
    for (size_t i = 0; i + 1 < doc.pathPoints.size(); ++i) {
        const ZVPOINTF& a = doc.pathPoints[i];
        const ZVPOINTF& b = doc.pathPoints[i + 1];
        ::LineDDA(static_cast<int>(a.x - sx), static_cast<int>(a.y - sy), static_cast<int>(b.x - sx),
                  static_cast<int>(b.y - sy),
                  AntsPixel, reinterpret_cast<LPARAM>(&walk));
    }
    antsCounter = walk.counter;
}

void CPicEditView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAntsTimer) {
        if (doc.pathPoints.size() < 2) {
            // The outline went another way than ClearSelection (a cancelled polygon, a new
            // picture): the ants stop with it.
            KillTimer(kAntsTimer);
            antsPhase = 0;
        } else {
            antsPhase = (antsPhase + 1) % 8;
            OnAfterPaint();
        }
    }
    CLayeredViewWnd::OnTimer(nIDEvent);
}

void CPicEditView::OnDeleteLayerRequest()
{
    if (BCGPMessageBox(TranslateString(L"Are you sure to delete the layer ?"), MB_YESNO) != IDYES)
        return;
    if (doc.DeleteCurrentLayer())
        RequestRedraw();
    NotifyLayersChanged();
}

void TranslateLayerMenu(HMENU menu)
{
    const struct {
        UINT id;
        const wchar_t* text;
        bool dialog;
    } captions[] = {{ID_LAYER_VISIBLE, L"Visible", false},    {ID_LAYER_LOCKED, L"Locked", false},
                    {ID_LAYER_DELETE, L"Delete", false},      {ID_LAYER_DUPLICATE, L"Duplicate", false},
                    {ID_LAYER_FRONT, L"Front", false},        {ID_LAYER_BACK, L"Back", false},
                    {ID_LAYER_EDIT_TEXT, L"Text", true},      {ID_LAYER_RENAME, L"Rename layer", true},
                    {ID_LAYER_OPTIONS, L"Options", true}};
    for (const auto& c : captions) {
        CStringW text = TranslateString(c.text);
        if (c.dialog)
            text += L"...";
        // Only the text: the items keep their check marks.
        MENUITEMINFOW item = {sizeof(item)};
        item.fMask = MIIM_STRING;
        item.dwTypeData = const_cast<wchar_t*>(static_cast<const wchar_t*>(text));
        ::SetMenuItemInfoW(menu, c.id, FALSE, &item);
    }
}

LayerMenuItemState GetLayerMenuItemState(UINT id, CLayeredManage& layers)
{
    // Without a current layer nothing applies.
    const CLayerInfo* layer = layers.GetCurrentLayer();
    const CPicEditView::LayerMenuFacts facts = {layers.currentId, layer ? layer->type : -1, layer && layer->locked,
                                                layer && layer->visible, static_cast<int>(layers.layers.size())};
    const CPicEditView::LayerMenuItem item = CPicEditView::LayerMenuRule(id, facts);
    return {layer && item.enabled, item.checked};
}

void SetLayerMenuStates(HMENU menu, CLayeredManage& layers)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            SetLayerMenuStates(sub, layers);
            continue;
        }
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        const LayerMenuItemState state = GetLayerMenuItemState(id, layers);
        ::EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CPicEditView::OnLayerMenuRequest()
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->IsKindOf(RUNTIME_CLASS(CBCGPMDIFrameWnd)))
        return;
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_LAYER_MENU));
    if (!menu)
        return;
    TranslateLayerMenu(menu);
    SetLayerMenuStates(menu, doc.layers);
    CPoint at;
    ::GetCursorPos(&at);
    // The chosen item comes back to this view as WM_COMMAND; the menu window deletes itself
    // when it closes. The view's own update handlers, where it has them, have the last word.
    auto* popup = new CBCGPPopupMenu;
    if (popup->Create(this, at.x, at.y, ::GetSubMenu(menu, 0), FALSE, TRUE)) {
        static_cast<CBCGPMDIFrameWnd*>(main)->OnShowPopupMenu(popup);
        UpdateDialogControls(this, FALSE);
    }
    ::DestroyMenu(menu);
}

UINT ToolCursorId(int tool)
{
    switch (tool) {
    case 1: case 15: return IDC_TOOL_SHAPE;
    case 4: case 5: case 6: case 8: case 9: case 10: return IDC_TOOL_SELECT;
    case 12: return IDC_TOOL_WAND;
    case 13: return IDC_TOOL_CROP;
    case 14: return IDC_CANVAS_PICKER;
    case 21: return IDC_TOOL_SOURCE;
    default: return 0;
    }
}

void CPicEditView::SetToolCursor()
{
    if (IsBrushTool(tool) || tool == 26) {
        const int size = static_cast<int>(brushSize * doc.zoom);
        SetBrushCursor(size, size);
        return;
    }
    brushIcon.Reset();
    if (const UINT id = ToolCursorId(tool))
        brushIcon.Reset(static_cast<HCURSOR>(
            ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE)));
}

// ---- host interface ----

int CPicEditView::GetFixedCropWidth()
{
    IEditorHost* host = GetEditorHost();
    return host ? host->GetFixedCropWidth() : -1;
}

int CPicEditView::GetFixedCropHeight()
{
    IEditorHost* host = GetEditorHost();
    return host ? host->GetFixedCropHeight() : -1;
}

void CPicEditView::NotifyLayersChanged()
{
    if (IEditorHost* host = GetEditorHost())
        host->RefreshLayerList();
}

void CPicEditView::OnCurrentLayerNotify()
{
    if (m_hWnd)
        SetFocus();
    CLayerInfo* layer = doc.layers.GetCurrentLayer();
    IEditorHost* host = GetEditorHost();
    if (!layer || layer->type != LAYER_SHAPE || !host)
        return;
    host->SetShapeSettings(layer->shape);
    if (HWND target = host->GetColourTarget())
        ::PostMessage(target, WM_EDITOR_SHAPE_COLOUR, 0, static_cast<LPARAM>(layer->shape.outlineColour));
    host->ShowShapeOptions();
}

void CPicEditView::OnShapeFinished()
{
    if (IEditorHost* host = GetEditorHost()) {
        host->SelectDefaultTool();
        host->ShowShapeOptions();
    }
}

void CPicEditView::SetShapeSize(int width, int height)
{
    if (IEditorHost* host = GetEditorHost())
        host->SetShapeSize(std::abs(width), std::abs(height));
}

ShapeSettings CPicEditView::GetHostShapeSettings()
{
    IEditorHost* host = GetEditorHost();
    return host ? host->GetShapeSettings() : ShapeSettings();
}

void CPicEditView::SetHostShapeSettings(ShapeSettings settings)
{
    if (IEditorHost* host = GetEditorHost())
        host->SetShapeSettings(settings);
}

ShapeSettings CPicEditView::GetHostLineSettings()
{
    IEditorHost* host = GetEditorHost();
    return host ? host->GetLineSettings() : DefaultLineSettings();
}

CStringW CPicEditView::GetBrushFile()
{
    IEditorHost* host = GetEditorHost();
    return host ? host->GetBrushFile() : CStringW();
}

// ---- status texts ----

RECT CPicEditView::TrackerPictureRect()
{
    const float s = doc.fitZoom > 0.0f ? 1.0f / doc.fitZoom : 1.0f;
    const CRect& t = selectionTracker.m_rect;
    trackerAnchor = POINT{t.left + SX(), t.top + SY()};
    RECT r;
    r.left = static_cast<int>((trackerAnchor.x - doc.canvasRect.left) * s);
    r.top = static_cast<int>((trackerAnchor.y - doc.canvasRect.top) * s);
    r.right = static_cast<int>((t.Width() - doc.canvasRect.left + trackerAnchor.x) * s);
    r.bottom = static_cast<int>((t.Height() - doc.canvasRect.top + trackerAnchor.y) * s);
    NormalizeRect(&r);
    return r;
}

void CPicEditView::OnMouseNotify(int tool, UINT flags, int x, int y)
{
    IEditorHost* host = GetEditorHost();
    if (!host)
        return;
    const float sx = doc.hPos * doc.hStep, sy = doc.vPos * doc.vStep;
    const float zoom = doc.zoom > 0.0f ? doc.zoom : 1.0f;
    auto pictureX = [&](float wx) { return (sx + wx - doc.canvasRect.left) / zoom; };
    auto pictureY = [&](float wy) { return (wy - doc.canvasRect.top + sy) / zoom; };
    const float px = pictureX(static_cast<float>(x)), py = pictureY(static_cast<float>(y));
    const bool inside = px >= 0 && px < doc.docWidth && py >= 0 && py < doc.docHeight;
    const CStringW position = inside ? PositionText(static_cast<int>(px), static_cast<int>(py)) : CStringW();
    host->SetStatusText(ID_STATUS_POSITION, position);
    const bool held = (flags & MK_LBUTTON) != 0 && !dragging;
    if (tool == 1 && held) {
        const int w = std::abs(static_cast<int>((x - dragStart.x) / zoom));
        const int h = std::abs(static_cast<int>((y - dragStart.y) / zoom));
        const int left = static_cast<int>(pictureX(static_cast<float>(std::min<int>(x, dragStart.x))));
        const int top = static_cast<int>(pictureY(static_cast<float>(std::min<int>(y, dragStart.y))));
        host->SetStatusText(ID_STATUS_RECT, RectText(left, top, w, h));
    } else if (tool == 13 && held) {
        const RECT r = TrackerPictureRect();
        host->SetStatusText(ID_STATUS_POSITION, PositionText(r.left, r.top));
        host->SetStatusText(ID_STATUS_RECT, RectText(r.left, r.top, r.right - r.left, r.bottom - r.top));
        host->SetCropFields(r.right - r.left, r.bottom - r.top);
    } else if (!doc.pathPoints.empty()) {
        RECT r;
        if (!selectionTracker.m_rect.IsRectEmpty()) {
            r = TrackerPictureRect();
        } else {
            const PathBounds b = doc.GetPathBounds();
            r.left = static_cast<int>((b.x - doc.canvasRect.left + sx) / zoom);
            r.top = static_cast<int>((b.y - doc.canvasRect.top + sy) / zoom);
            r.right = static_cast<int>((b.x + b.width - doc.canvasRect.left + sx) / zoom);
            r.bottom = static_cast<int>((b.y + b.height - doc.canvasRect.top + sy) / zoom);
        }
        host->SetStatusText(ID_STATUS_RECT, RectText(r.left, r.top, r.right - r.left, r.bottom - r.top));
    } else {
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (!layer || layer->id == 0) {
            if (selectionTracker.m_rect.IsRectEmpty())
                host->SetStatusText(ID_STATUS_RECT, L"");
        } else {
            double degrees = layer->angle * 180.0 / 3.141592653549;
            if (degrees < 0)
                degrees += 360.0;
            const double ratio = layer->height != 0 ? static_cast<double>(layer->width) / layer->height : 0.0;
            CStringW text;
            text.Format(L"X:Y=%d:%d A=%0.1f\u00B0 (W=%d,H=%d,W/H=%0.3f)",
                        static_cast<int>((layer->drawOrigin.x - doc.canvasRect.left) / zoom),
                        static_cast<int>((layer->drawOrigin.y - doc.canvasRect.top) / zoom), degrees, layer->width,
                        layer->height, ratio);
            host->SetStatusText(ID_STATUS_POSITION, L"");
            host->SetStatusText(ID_STATUS_RECT, text);
        }
    }
}
