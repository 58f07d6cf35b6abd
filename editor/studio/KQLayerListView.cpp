#include "KQLayerListView.h"
#include <algorithm>
#include "ChildFrame.h"
#include "GlobalData.h"
#include "LayeredViewWnd.h"
#include "MDIFrameWnd.h"

BEGIN_MESSAGE_MAP(CKQLayerListView, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_CANVAS_REFRESH, OnReload)
END_MESSAGE_MAP()

namespace {

// A length of the list at 96 dpi, at the screen's resolution.
int Scaled(int length)
{
    return static_cast<int>(length * std::max(1.0, globalData.m_dblImageScale) + 0.5);
}

// The face colour halfway to mid-grey, lighter than the bar around the list.
COLORREF ListBackground()
{
    const COLORREF face = globalData.clrBarFace;
    return RGB((GetRValue(face) + 128) / 2, (GetGValue(face) + 128) / 2, (GetBValue(face) + 128) / 2);
}

} // namespace

CKQLayerListView::CKQLayerListView() : background(ListBackground()) {}

CKQLayerListView::~CKQLayerListView()
{
}

CPicEditView* CKQLayerListView::ActiveView()
{
    // The editor frame, whether the bar is docked in it or floats beside it.
    CWnd* main = AfxGetMainWnd();
    auto* frame = main ? DYNAMIC_DOWNCAST(CMDIFrameWnd, main) : nullptr;
    CMDIChildWnd* active = frame && frame->m_hWnd ? frame->MDIGetActive() : nullptr;
    auto* child = active ? DYNAMIC_DOWNCAST(CChildFrame, active) : nullptr;
    return child && child->view.m_hWnd ? &child->view : nullptr;
}

int CKQLayerListView::GetItemCount()
{
    CPicEditView* view = ActiveView();
    return view ? static_cast<int>(view->doc.layers.layers.size()) : 0;
}

UINT CKQLayerListView::GetItemState(int index)
{
    CPicEditView* view = ActiveView();
    if (!view || index < 0 || index >= static_cast<int>(view->doc.layers.layers.size()))
        return 0;
    const CLayerInfo& layer = view->doc.layers.layers[index];
    UINT state = 0;
    if (index == view->doc.layers.currentId)
        state |= STATE_CURRENT;
    if (layer.visible || layer.picked)
        state |= STATE_VISIBLE;
    if (layer.locked)
        state |= STATE_LOCKED;
    return state;
}

BOOL CKQLayerListView::GetItem(int index, Item& item)
{
    CPicEditView* view = ActiveView();
    if (!view || index < 0 || index >= static_cast<int>(view->doc.layers.layers.size()))
        return FALSE;
    item.name = view->doc.layers.layers[index].name;
    item.state = GetItemState(index);
    item.index = index;
    CRect client;
    GetClientRect(&client);
    const int height = Scaled(kRowHeight);
    item.rect = CRect(0, index * height, client.right, (index + 1) * height);
    return TRUE;
}

void CKQLayerListView::Reload()
{
    items.clear();
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        Item item;
        if (GetItem(i, item))
            items.push_back(item);
    }
}

LRESULT CKQLayerListView::OnReload(WPARAM, LPARAM)
{
    Reload();
    RedrawList();
    return 0;
}

void CKQLayerListView::RedrawList()
{
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKQLayerListView::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Invalidate(FALSE);
}

BOOL CKQLayerListView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKQLayerListView::OnPaint()
{
    CPaintDC paint(this);
    Reload();
    CRect client;
    GetClientRect(&client);
    HDC dc = paint.m_hDC;
    HBRUSH fill = ::CreateSolidBrush(background);
    ::FillRect(dc, &client, fill);
    ::DeleteObject(fill);
    HGDIOBJ oldFont = ::SelectObject(dc, globalData.fontRegular.GetSafeHandle());
    ::SetBkMode(dc, TRANSPARENT);
    HPEN line = ::CreatePen(PS_SOLID, 1, RGB(90, 90, 90));
    HGDIOBJ oldPen = ::SelectObject(dc, line);
    for (const Item& item : items) {
        CRect row = item.rect;
        row.DeflateRect(2, 1);
        const bool current = (item.state & STATE_CURRENT) != 0;
        HBRUSH rowFill = ::CreateSolidBrush(current ? RGB(51, 122, 204) : RGB(250, 250, 250));
        ::FillRect(dc, &row, rowFill);
        ::DeleteObject(rowFill);
        // The visible tick box.
        const int half = Scaled(7), y = row.CenterPoint().y;
        CRect box(row.left + Scaled(6), y - half, row.left + Scaled(6) + 2 * half, y + half);
        ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
        ::Rectangle(dc, box.left, box.top, box.right, box.bottom);
        if (item.state & STATE_VISIBLE) {
            HPEN tick = ::CreatePen(PS_SOLID, Scaled(2), RGB(30, 30, 30));
            HGDIOBJ was = ::SelectObject(dc, tick);
            ::MoveToEx(dc, box.left + Scaled(3), box.top + Scaled(7), nullptr);
            ::LineTo(dc, box.left + Scaled(6), box.top + Scaled(10));
            ::LineTo(dc, box.right - Scaled(3), box.top + Scaled(3));
            ::SelectObject(dc, was);
            ::DeleteObject(tick);
        }
        ::SetTextColor(dc, current ? RGB(255, 255, 255) : RGB(20, 20, 20));
        CRect text(box.right + Scaled(8), row.top, row.right - Scaled(24), row.bottom);
        ::DrawTextW(dc, item.name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (item.state & STATE_LOCKED) {
            // A small padlock at the right end.
            const int x = row.right - 18, y = row.CenterPoint().y - 2;
            ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
            ::Arc(dc, x + 2, y - 7, x + 10, y + 3, x + 10, y - 2, x + 2, y - 2);
            ::SelectObject(dc, ::GetStockObject(current ? WHITE_BRUSH : GRAY_BRUSH));
            ::Rectangle(dc, x, y, x + 12, y + 8);
        }
    }
    ::SelectObject(dc, oldPen);
    ::DeleteObject(line);
    ::SelectObject(dc, oldFont);
}
