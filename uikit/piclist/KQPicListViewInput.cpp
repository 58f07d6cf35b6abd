// The picture list's interaction: selection, the mouse (clicks, the rubber band, dragging an entry
// onto another, the close and add buttons), keys, type-ahead and touch. Everything runs on the
// window's thread.
//
// A press captures the mouse until its release, so that a band or a drag that leaves the window
// still sees its end; losing the capture ends both. Shift comes from the message (MK_SHIFT), not
// from the keyboard's state, so that a click means what its message says.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include "KQPicListView.h"

namespace {
const UINT_PTR kSmoothScrollTimer = 1;
const UINT kSmoothScrollMilliseconds = 100;
const UINT_PTR kTypeAheadTimer = 3;
// Typing pauses this long end the word.
const DWORD kTypeAheadResetMilliseconds = 500;
// An entry drags once the mouse has moved this far from the press in x or y.
const int kDragDistance = 13;
// The band shows once it spans more than this both ways: a click's jitter draws none.
const int kBandMinSpan = 6;
// A band larger than this (square pixels) asks for a fresh layout when it ends.
const int kBandPostArea = 10;
// A press held longer than this, ending within kLongPressSlop of its start, is a right click.
const DWORD kLongPressMilliseconds = 500;
const int kLongPressSlop = 30;
// A finger scrolls the list once it has moved this far vertically.
const int kTouchScrollStep = 11;
const COLORREF kBandColour = RGB(51, 153, 255);

wchar_t FoldAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

bool StartsWithFolded(const wchar_t* text, int length, const CKQPicListView::String& prefix)
{
    if (length < prefix.GetLength())
        return false;
    for (int i = 0; i < prefix.GetLength(); ++i)
        if (FoldAscii(text[i]) != FoldAscii(prefix.GetString()[i]))
            return false;
    return true;
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Selection

bool CKQPicListView::ToggleSelectItem(int index, bool redraw)
{
    if (index < 0 || index >= GetItemCount())
        return false;
    const unsigned int state = GetItemState(index);
    if ((state & KQLS_FOLDER) && !m_bFolderSelect)
        return false;
    const bool select = !(state & KQLS_SELECTED);
    // With Shift, the run before the entry follows it: a selection grows back to the previous
    // selected entry, a deselection shrinks back over the selected run. Folders that cannot be
    // selected are stepped over.
    if (m_bRangeSelect) {
        for (int i = index - 1; i >= 0; --i) {
            const unsigned int s = GetItemState(i);
            if ((s & KQLS_FOLDER) && !m_bFolderSelect)
                continue;
            if (((s & KQLS_SELECTED) != 0) == select)
                break;
            SetItemState(i, select ? KQLS_SELECTED : 0, select ? 0 : KQLS_SELECTED);
        }
    }
    SetItemState(index, select ? KQLS_SELECTED : 0, select ? 0 : KQLS_SELECTED);
    RecalclayoutIcon(true);
    if (redraw)
        DrawListView();
    return select;
}

void CKQPicListView::Deselect()
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        if (GetItemState(i) & KQLS_SELECTED)
            SetItemState(i, 0, KQLS_SELECTED);
    RecalclayoutIcon(true);
    DrawListView();
}

void CKQPicListView::SelectAll()
{
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i)
        SetItemState(i, KQLS_SELECTED, 0); // folders stay unselected unless allowed
    RecalclayoutIcon(true);
    DrawListView();
}

int CKQPicListView::GetHoverItem(bool selectedFirst, bool withFolders)
{
    if (selectedFirst) {
        m_nLastDeleted = -1;
        const int selected = GetNextSelectItem(-1);
        if (selected >= 0)
            return selected;
    }
    if (m_nHover < 0 || m_nHover >= GetItemCount())
        return -1;
    if (!withFolders && (GetItemState(m_nHover) & KQLS_FOLDER))
        return -1;
    return m_nHover;
}

bool CKQPicListView::IsHoverItemFile()
{
    return m_nHover >= 0 && m_nHover < GetItemCount() && !(GetItemState(m_nHover) & KQLS_FOLDER);
}

void CKQPicListView::HoverItem(int index, bool post)
{
    if (index < 0 || index >= GetItemCount())
        return;
    EnsureVisible(index, false);
    // The mouse that rests where it was does not take the hover back.
    POINT cursor;
    if (m_hWnd && ::GetCursorPos(&cursor) && ::ScreenToClient(m_hWnd, &cursor))
        m_ptLastMouse = CPoint(cursor);
    if (IsItemVisible(index))
        m_nHover = index;
    if (post)
        PostUpdateView();
}

void CKQPicListView::EnableExchange(bool enable)
{
    if (enable)
        m_bSingleSelect = true;
    m_bExchange = enable;
}

bool CKQPicListView::OnItemClicked(int /*index*/)
{
    return false;
}

bool CKQPicListView::OnItemDBClicked(int /*index*/)
{
    return false;
}

void CKQPicListView::ShowFullPicture(int /*fileIndex*/) {}

bool CKQPicListView::ItemCloseBTClicked(int index)
{
    DeleteItem(index, false, true);
    return true;
}

bool CKQPicListView::ItemAddBTClicked(int /*index*/)
{
    return true;
}

bool CKQPicListView::TestItemBTClicked(int /*index*/, const CPoint& /*point*/)
{
    return false;
}

bool CKQPicListView::BeginDrag()
{
    return true;
}

void CKQPicListView::OnHoverItem(KQ_PIC_LIST_ITEM* item)
{
    if (item && m_pToolTipCtrl && m_pToolTipCtrl->GetSafeHwnd())
        m_pToolTipCtrl->UpdateTipText(item->strText.GetString(), this);
}

// ---------------------------------------------------------------------------------------------
// Hit tests. Points are in the window's client coordinates.

namespace {
CPoint ListPoint(const CKQPicListView& view, const CPoint& point)
{
    return CPoint(point.x, point.y - (view.m_nType == KQ_TOOLBAR_TOP ? view.m_nHeight : 0));
}
} // namespace

void CKQPicListView::TestHoverItem(const CPoint& point)
{
    const int index = GetItemOnPoint(point, nullptr);
    if (index != m_nHover) {
        m_nHover = index;
        KQ_PIC_LIST_ITEM item;
        if (index >= 0 && GetItem(index, &item))
            OnHoverItem(&item);
    }
    if (m_nSmoothStep) {
        m_nSmoothStep = 0;
        KillTimer(kSmoothScrollTimer);
    }
}

void CKQPicListView::TestSelectedIcon(const CPoint& point)
{
    m_ptBandEnd = CPoint(point.x, ListPoint(*this, point).y + m_nScrollPos);
    CRect band(m_ptBandStart, m_ptBandEnd);
    band.NormalizeRect();
    band.OffsetRect(0, -m_nScrollPos);
    // Edges count: a band that ends on a cell's border touches it.
    band.InflateRect(0, 0, 1, 1);
    for (const KQ_PIC_LIST_VISIBLE& cell : m_visible) {
        CRect overlap;
        if (!(cell.item.nState & KQLS_SELECTED) && overlap.IntersectRect(&band, &cell.rect))
            SetItemState(cell.index, KQLS_SELECTED, 0);
    }
}

namespace {
// The badge rectangles as the painter places them: close at the top right, add at the bottom left.
bool OnBadge(CKQPicListView& view, const CPoint& point, uint32_t bit)
{
    int cellNumber = -1;
    if (view.GetItemOnPoint(point, &cellNumber) < 0 || cellNumber < 0)
        return false;
    const KQ_PIC_LIST_VISIBLE& cell = view.m_visible[size_t(cellNumber)];
    if (!(cell.item.nState & bit))
        return false;
    const bool close = bit == KQLS_CLOSE_BUTTON;
    const CSize size = view.m_szBadge[close ? CKQPicListView::BADGE_CLOSE : CKQPicListView::BADGE_ADD];
    const CRect& r = cell.rect;
    const CRect badge = close ? CRect(r.right - size.cx, r.top, r.right, r.top + size.cy)
                              : CRect(r.left, r.bottom - size.cy, r.left + size.cx, r.bottom);
    return badge.PtInRect(ListPoint(view, point)) != FALSE;
}
} // namespace

bool CKQPicListView::TestItemCloseBTHover(const CPoint& point)
{
    return OnBadge(*this, point, KQLS_CLOSE_BUTTON);
}

bool CKQPicListView::TestItemAddBTHover(const CPoint& point)
{
    return OnBadge(*this, point, KQLS_ADD_BUTTON);
}

bool CKQPicListView::TestItemCloseBTClicked(const CPoint& point)
{
    return TestItemCloseBTHover(point);
}

bool CKQPicListView::TestItemAddBTClicked(const CPoint& point)
{
    return TestItemAddBTHover(point);
}

// ---------------------------------------------------------------------------------------------
// Mouse

void CKQPicListView::CancelMouseTracking()
{
    const bool shown = m_bBand || m_bDragging;
    m_bBand = m_bBandArmed = m_bDragging = false;
    m_nPressed = -1;
    if (m_nSmoothStep) {
        m_nSmoothStep = 0;
        KillTimer(kSmoothScrollTimer);
    }
    if (shown)
        DrawListView();
}

void CKQPicListView::OnLButtonDown(UINT flags, CPoint point)
{
    m_bMouseDown = true;
    // A touch scroll's release is no click; the next press is a new gesture.
    m_bTouchScrolled = false;
    SetFocus();
    const bool inStrip = (m_nType == KQ_TOOLBAR_TOP && point.y < m_nHeight) ||
                         (m_nType == KQ_TOOLBAR_BOTTOM && point.y >= m_nClientHeight);
    if (m_bLoading || m_animate.IsVisabled() || inStrip) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    if (!m_bBand) {
        m_ptBandStart = m_ptBandEnd = CPoint(point.x, ListPoint(*this, point).y + m_nScrollPos);
        m_bBandArmed = true;
    }
    int cellNumber = -1;
    m_nPressed = GetItemOnPoint(point, &cellNumber);
    m_ptPress = m_ptDrag = point;
    if (cellNumber >= 0) {
        const CPoint local = ListPoint(*this, point);
        const CRect& cell = m_visible[size_t(cellNumber)].rect;
        m_ptDragOffset = CPoint(cell.left - local.x, cell.top - local.y);
    }
    SetCapture();
}

void CKQPicListView::OnMouseMove(UINT flags, CPoint point)
{
    bool hovered = false;
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next())
        hovered = hovered || it->state == KQBT_HOVER;
    bool redraw = false;
    CPoint pt = point;
    if (!m_bBand && !m_bDragging && CKQPLVToolBar::OnMouseMove(pt, CSize(m_nClientWidth, m_nClientHeight), &redraw)) {
        if (redraw) {
            DrawToolBar(m_nClientWidth, m_nHeight);
            Invalidate(FALSE);
        }
        return;
    }
    // Leaving the strip puts its buttons back without asking for a redraw: the highlight goes here.
    if (hovered) {
        DrawToolBar(m_nClientWidth, m_nHeight);
        redraw = true;
    }
    if (m_bLoading || m_animate.IsVisabled() || m_bTouchActive)
        return;
    bool changed = false;
    if ((flags & MK_LBUTTON) && m_bMouseDown) {
        if (m_bExchange && m_nPressed >= 0 && !m_bDragging &&
            (std::abs(point.x - m_ptPress.x) >= kDragDistance || std::abs(point.y - m_ptPress.y) >= kDragDistance)) {
            if (BeginDrag())
                m_bDragging = true;
            else
                m_nPressed = -1; // refused: this press drags nothing
        }
        if (m_bDragging) {
            m_ptDrag = point;
            changed = true;
        } else if (!m_bSingleSelect && m_bBandArmed) {
            m_ptBandEnd = CPoint(point.x, ListPoint(*this, point).y + m_nScrollPos);
            if (std::abs(m_ptBandEnd.x - m_ptBandStart.x) > kBandMinSpan && std::abs(m_ptBandEnd.y - m_ptBandStart.y) > kBandMinSpan)
                m_bBand = true;
            if (m_bBand) {
                TestSelectedIcon(point); // the repaint below takes the cells' new states
                // Near the edge the band grows toward, the list scrolls by itself.
                const int half = std::max(m_layout.pitch / 2, 1);
                const int y = ListPoint(*this, point).y;
                const bool down = m_ptBandEnd.y > m_ptBandStart.y;
                const int end = ClampListScroll(INT_MAX / 2, m_layout.contentHeight, m_nClientHeight);
                int step = 0;
                if (!IsOperateDisabled(1)) {
                    if (down && y > m_nClientHeight - half && m_nScrollPos < end)
                        step = half;
                    else if (!down && y < half && m_nScrollPos > 0)
                        step = -half;
                }
                if (step && !m_nSmoothStep)
                    SetTimer(kSmoothScrollTimer, kSmoothScrollMilliseconds, nullptr);
                else if (!step && m_nSmoothStep)
                    KillTimer(kSmoothScrollTimer);
                m_nSmoothStep = step;
                changed = true;
            }
        }
    } else if (point != m_ptLastMouse) {
        const int before = m_nHover;
        TestHoverItem(point);
        changed = before != m_nHover;
    }
    m_nHandCursor = TestItemCloseBTHover(point) ? 2 : TestItemAddBTHover(point) ? 1 : 0;
    if (m_nSmoothStep && !m_bTrackingLeave) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWnd, 0};
        m_bTrackingLeave = ::TrackMouseEvent(&track) != FALSE;
    }
    m_ptLastMouse = point;
    if (changed)
        DrawListView();
    else if (redraw)
        Invalidate(FALSE);
}

void CKQPicListView::OnMouseLeave()
{
    m_bTrackingLeave = false;
    // A captured drag still hears its release.
    if (m_bDragging && GetCapture() != this) {
        m_bDragging = false;
        m_nPressed = -1;
        DrawListView();
    }
}

void CKQPicListView::OnLButtonUp(UINT flags, CPoint point)
{
    const bool pressed = m_bMouseDown;
    m_bMouseDown = false;
    if (m_bTouchScrolled) {
        CancelMouseTracking();
        if (GetCapture() == this)
            ReleaseCapture();
        return;
    }
    bool redraw = false;
    CPoint pt = point;
    if (!m_bBand && !m_bDragging && OnMouseClicked(pt, CSize(m_nClientWidth, m_nClientHeight), &redraw)) {
        if (redraw) {
            DrawToolBar(m_nClientWidth, m_nHeight);
            Invalidate(FALSE);
        }
        CancelMouseTracking();
        if (GetCapture() == this)
            ReleaseCapture();
        return;
    }
    if (m_bLoading || m_animate.IsVisabled()) {
        CancelMouseTracking();
        if (GetCapture() == this)
            ReleaseCapture();
        CWnd::OnLButtonUp(flags, point);
        return;
    }
    const int index = GetItemOnPoint(point, nullptr);
    if (m_bDragging) {
        const int from = m_nPressed;
        m_bDragging = false;
        if (index >= 0 && from >= 0 && index != from)
            ItemExchange(from, index);
        DrawListView();
    } else if (m_bBand) {
        const CPoint span(m_ptBandEnd.x - m_ptBandStart.x, m_ptBandEnd.y - m_ptBandStart.y);
        m_bBand = false;
        if (std::abs(span.x) * std::abs(span.y) > kBandPostArea)
            PostUpdateView();
        if (m_nSmoothStep) {
            m_nSmoothStep = 0;
            KillTimer(kSmoothScrollTimer);
        }
        DrawListView();
    } else if (pressed && index >= 0 && index == m_nPressed) {
        if (!m_bSingleSelect && index != m_nHover) {
            m_nHover = index;
            DrawListView();
        } else if (!TestItemBTClicked(index, point) && !(TestItemCloseBTClicked(point) && ItemCloseBTClicked(index)) &&
                   !(TestItemAddBTClicked(point) && ItemAddBTClicked(index)) && !OnItemClicked(index)) {
            if (m_bSingleSelect) {
                if (GetItemState(index) & KQLS_SELECTED) {
                    if (!m_bKeepSelect)
                        SetItemState(index, 0, KQLS_SELECTED);
                } else {
                    m_nLastDeleted = -1;
                    for (int s = GetNextSelectItem(-1); s >= 0; s = GetNextSelectItem(s))
                        SetItemState(s, 0, KQLS_SELECTED);
                    SetItemState(index, KQLS_SELECTED, 0);
                }
            } else {
                m_bRangeSelect = (flags & MK_SHIFT) != 0;
                ToggleSelectItem(index, false);
                m_bRangeSelect = false;
            }
            PostUpdateView();
        }
    }
    m_bBandArmed = false;
    m_nPressed = -1;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CKQPicListView::OnLButtonDblClk(UINT flags, CPoint point)
{
    const bool inStrip = (m_nType == KQ_TOOLBAR_TOP && point.y < m_nHeight) ||
                         (m_nType == KQ_TOOLBAR_BOTTOM && point.y >= m_nClientHeight);
    const int index = GetItemOnPoint(point, nullptr);
    if (inStrip || m_bLoading || index < 0) {
        CWnd::OnLButtonDblClk(flags, point);
        return;
    }
    if (OnItemDBClicked(index))
        return;
    if (GetItemState(index) & KQLS_FOLDER) {
        const String path = GetItemFullFileName(index);
        UpdateFolder(path.GetString(), false);
        return;
    }
    KQ_PIC_LIST_ITEM item;
    if (!GetItem(index, &item) || item.pImage == &m_imgLoading[0] || item.pImage == &m_imgLoading[1])
        return;
    // The first click of the pair toggled the entry: it goes back.
    ToggleSelectItem(index, false);
    DrawListView();
    Lock();
    const int fileIndex = index - m_folderBrowser.m_lstFolder.GetCount();
    Unlock();
    ShowFullPicture(fileIndex);
}

BOOL CKQPicListView::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (hitTest == HTCLIENT && m_nHandCursor) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

void CKQPicListView::OnContextMenu(CWnd* wnd, CPoint pos)
{
    CWnd::OnContextMenu(wnd, pos);
}

LRESULT CKQPicListView::OnCaptureChanged(WPARAM /*wParam*/, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
        m_bMouseDown = false;
        CancelMouseTracking();
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Keys and type-ahead

void CKQPicListView::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    const int count = GetItemCount();
    switch (key) {
    case VK_SPACE:
        if (m_nHover >= 0 && m_nHover < count) {
            m_bRangeSelect = ::GetKeyState(VK_SHIFT) < 0;
            ToggleSelectItem(m_nHover, true);
            m_bRangeSelect = false;
        }
        return;
    case VK_PRIOR:
    case VK_NEXT: {
        if (IsOperateDisabled(1))
            return;
        // Whole rows; at least one when the window is lower than a row.
        const int pitch = std::max(m_layout.pitch, 1);
        const int page = std::max(m_nClientHeight - m_nClientHeight % pitch, pitch);
        m_nHover = -1;
        ScrollTo(m_nScrollPos + (key == VK_NEXT ? page : -page));
        return;
    }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        OnArrowKeyDown(key);
        return;
    case VK_HOME:
    case VK_END:
        if (count > 0) {
            const int index = key == VK_HOME ? 0 : count - 1;
            if (!IsOperateDisabled(1) || IsItemVisible(index))
                HoverItem(index, true);
        }
        return;
    case VK_ESCAPE:
        if (m_bDragging || m_bBand) {
            CancelMouseTracking();
            if (GetCapture() == this)
                ReleaseCapture();
            return;
        }
        break;
    default:
        break;
    }
    CWnd::OnKeyDown(key, repeat, flags);
}

void CKQPicListView::OnArrowKeyDown(unsigned int key)
{
    const int count = GetItemCount();
    if (m_nHover < 0 || m_nHover >= count) {
        if (!m_visible.empty()) {
            m_nHover = m_visible.front().index;
            PostUpdateView();
        }
        return;
    }
    const int columns = std::max(int(m_layout.columns), 1);
    int index = m_nHover;
    switch (key) {
    case VK_LEFT:
        index -= 1;
        break;
    case VK_RIGHT:
        index += 1;
        break;
    case VK_UP:
        index -= columns;
        break;
    case VK_DOWN:
        index += columns;
        break;
    default:
        return;
    }
    if (index < 0 || index >= count)
        return;
    if (IsOperateDisabled(1) && !IsItemVisible(index))
        return;
    HoverItem(index, true);
}

void CKQPicListView::OnChar(UINT ch, UINT repeat, UINT flags)
{
    const bool alnum = (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z') || (ch >= L'0' && ch <= L'9');
    if (alnum)
        OnCharSearch(ch);
    else
        CWnd::OnChar(ch, repeat, flags);
}

// A letter typed again over a word of only that letter ("b", "bb") steps to the next entry
// beginning with it; any other letter extends the word, and the current match stays when it
// still fits. One pass over the entries at most.
void CKQPicListView::OnCharSearch(unsigned int ch)
{
    const DWORD now = m_clock();
    if (!m_strTyped.IsEmpty() && now - m_nTypedAt >= kTypeAheadResetMilliseconds)
        m_strTyped = String();
    m_nTypedAt = now;
    const wchar_t c = wchar_t(ch);
    const wchar_t typed[2] = {c, 0};
    bool repeat = !m_strTyped.IsEmpty();
    for (int i = 0; repeat && i < m_strTyped.GetLength(); ++i)
        repeat = FoldAscii(m_strTyped.GetString()[i]) == FoldAscii(c);
    const bool extends = !m_strTyped.IsEmpty() && !repeat;
    if (repeat)
        m_strTyped = String(typed);
    else
        m_strTyped += typed;
    const int count = GetItemCount();
    if (count <= 0)
        return;
    const int last = m_nLastMatch >= 0 && m_nLastMatch < count ? m_nLastMatch : -1;
    const int start = extends && last >= 0 ? last : last + 1;
    for (int k = 0; k < count; ++k) {
        const int index = (start + k) % count;
        const String text = GetItemText(index);
        if (StartsWithFolded(text.GetString(), text.GetLength(), m_strTyped)) {
            m_nLastMatch = index;
            HoverItem(index, true);
            break;
        }
    }
    if (m_hWnd)
        SetTimer(kTypeAheadTimer, kTypeAheadResetMilliseconds, nullptr);
}

bool CKQPicListView::OnInputTimer(UINT_PTR id)
{
    if (id == kTypeAheadTimer) {
        KillTimer(kTypeAheadTimer);
        m_strTyped = String();
        return true;
    }
    if (id != kSmoothScrollTimer)
        return false;
    if (!m_nSmoothStep) {
        KillTimer(kSmoothScrollTimer);
        return true;
    }
    const int target = m_nScrollPos + m_nSmoothStep;
    const int pos = ClampListScroll(target, m_layout.contentHeight, m_nClientHeight);
    if (pos != target) {
        m_nSmoothStep = 0;
        KillTimer(kSmoothScrollTimer);
    }
    m_nScrollPos = pos;
    Recalclayout();
    // The band's far end stays under the mouse while the content moves; the repaint takes the
    // cells' new states.
    if (m_bBand)
        TestSelectedIcon(m_ptLastMouse);
    RequestPreviewUpdate();
    DrawListView();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Touch

BOOL CKQPicListView::OnTouchInput(CPoint point, int inputNumber, int /*inputCount*/, PTOUCHINPUT input)
{
    // One finger drives the list; the others are the gestures' business.
    if (!input || inputNumber != 0)
        return FALSE;
    if (input->dwFlags & TOUCHEVENTF_DOWN)
        OnTouchInputDown(point);
    else if (input->dwFlags & TOUCHEVENTF_MOVE)
        OnTouchInputMove(point);
    else if (input->dwFlags & TOUCHEVENTF_UP)
        OnTouchInputUp(point);
    else
        return FALSE;
    return TRUE;
}

void CKQPicListView::OnTouchInputDown(const CPoint& point)
{
    m_nTouchStart = m_clock();
    m_ptTouchStart = m_ptTouchLast = point;
    m_bTouchActive = true;
    m_bTouchScrolled = false;
}

void CKQPicListView::OnTouchInputMove(const CPoint& point)
{
    const int dy = point.y - m_ptTouchLast.y;
    if (std::abs(dy) < kTouchScrollStep)
        return;
    m_ptTouchLast = point;
    if (IsOperateDisabled(1))
        return;
    m_bTouchScrolled = true;
    m_nHover = -1;
    m_nScrollPos = ClampListScroll(m_nScrollPos - dy, m_layout.contentHeight, m_nClientHeight);
    Recalclayout();
    RequestPreviewUpdate();
    DrawListView();
}

void CKQPicListView::OnTouchInputUp(const CPoint& point)
{
    m_bTouchActive = false;
    const DWORD held = m_clock() - m_nTouchStart;
    if (held > kLongPressMilliseconds && std::abs(point.x - m_ptTouchStart.x) < kLongPressSlop &&
        std::abs(point.y - m_ptTouchStart.y) < kLongPressSlop && m_hWnd) {
        CPoint screen = point;
        ClientToScreen(&screen);
        PostMessage(WM_CONTEXTMENU, WPARAM(m_hWnd), MAKELPARAM(screen.x, screen.y));
    }
}

// ---------------------------------------------------------------------------------------------
// Painting of the band and of the dragged entry, over the cells (the lock is held).

void CKQPicListView::DrawInteraction()
{
    CBCGPDrawManager dm(m_memDC);
    const CRect client(0, 0, m_memDC.GetWidth(), m_memDC.GetHeight());
    if (m_bBand) {
        CRect band(m_ptBandStart, m_ptBandEnd);
        band.NormalizeRect();
        band.OffsetRect(0, -m_nScrollPos);
        CRect shown;
        if (shown.IntersectRect(&band, &client)) {
            dm.HighlightRect(shown, 25, (COLORREF)-1, 0, kBandColour);
            dm.DrawRect(shown, (COLORREF)-1, kBandColour);
        }
    }
    KQ_PIC_LIST_ITEM item;
    if (m_bDragging && m_nPressed >= 0 && GetItem(m_nPressed, &item) && item.pImage) {
        const CPoint local = ListPoint(*this, m_ptDrag);
        const CPoint at(local.x + m_ptDragOffset.x, local.y + m_ptDragOffset.y);
        const CRect box(at, CSize(m_nBoxWidth * 3 / 4, m_nBoxHeight * 3 / 4));
        RECT used = box;
        item.pImage->DrawAutoFit(m_memDC.m_hDC, box, &used, false);
        dm.DrawRect(CRect(used), (COLORREF)-1, globalData.clrHilite);
    }
}
