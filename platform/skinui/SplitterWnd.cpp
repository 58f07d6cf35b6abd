#include "SplitterWnd.h"
#include <algorithm>
#include "GlobalData.h"
#include "VisualManager.h"

namespace skinui {
std::vector<std::pair<int, int>> LayoutSplitterTracks(const std::vector<SplitterTrack>& tracks, int length, int bar)
{
    const int n = static_cast<int>(tracks.size());
    std::vector<std::pair<int, int>> out(n, {0, 0});
    if (n == 0)
        return out;
    int left = std::max(0, length - bar * (n - 1));
    std::vector<int> sizes(n, 0);
    for (int i = 0; i < n - 1; ++i) {
        // Leave at least the minimum of every track after this one.
        int after = 0;
        for (int j = i + 1; j < n; ++j)
            after += std::max(0, tracks[j].minimum);
        sizes[i] = std::clamp(tracks[i].ideal, 0, std::max(0, left - after));
        left -= sizes[i];
    }
    sizes[n - 1] = std::max(0, left);
    int pos = 0;
    for (int i = 0; i < n; ++i) {
        out[i] = {pos, sizes[i]};
        pos += sizes[i] + bar;
    }
    return out;
}
} // namespace skinui

IMPLEMENT_DYNAMIC(CBCGPSplitterWnd, CWnd)

CBCGPSplitterWnd::CBCGPSplitterWnd() = default;

CBCGPSplitterWnd::~CBCGPSplitterWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CBCGPSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    // Pane ids hold the row and column in 4 bits each.
    if (m_hWnd || !pParentWnd || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16)
        return FALSE;
    m_rows.assign(nRows, {});
    m_cols.assign(nCols, {});
    CRect client;
    pParentWnd->GetClientRect(&client);
    return Create(globalData.RegisterWindowClass(L"BCGPSplitter"), L"", dwStyle | WS_CHILD | WS_CLIPCHILDREN, client, pParentWnd,
                  nID);
}

BOOL CBCGPSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext)
{
    if (!m_hWnd || row < 0 || col < 0 || row >= GetRowCount() || col >= GetColumnCount() || GetPane(row, col) || !pViewClass ||
        !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return FALSE;
    std::unique_ptr<CWnd> view(static_cast<CWnd*>(pViewClass->CreateObject()));
    if (!view || !view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this,
                               IdFromRowCol(row, col), pContext))
        return FALSE;
    m_views.push_back(std::move(view));
    if (m_rows[row].ideal == 0)
        m_rows[row].ideal = sizeInit.cy;
    if (m_cols[col].ideal == 0)
        m_cols[col].ideal = sizeInit.cx;
    return TRUE;
}

CWnd* CBCGPSplitterWnd::GetPane(int row, int col) const
{
    return m_hWnd ? GetDlgItem(IdFromRowCol(row, col)) : nullptr;
}

void CBCGPSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row >= 0 && row < GetRowCount())
        m_rows[row] = {std::max(0, cyIdeal), std::max(0, cyMin)};
}

void CBCGPSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    if (col >= 0 && col < GetColumnCount())
        m_cols[col] = {std::max(0, cxIdeal), std::max(0, cxMin)};
}

void CBCGPSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = row >= 0 && row < static_cast<int>(m_rowPos.size()) ? m_rowPos[row].second : 0;
    cyMin = row >= 0 && row < GetRowCount() ? m_rows[row].minimum : 0;
}

void CBCGPSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = col >= 0 && col < static_cast<int>(m_colPos.size()) ? m_colPos[col].second : 0;
    cxMin = col >= 0 && col < GetColumnCount() ? m_cols[col].minimum : 0;
}

void CBCGPSplitterWnd::RecalcLayout()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_rowPos = skinui::LayoutSplitterTracks(m_rows, client.Height(), m_nBar);
    m_colPos = skinui::LayoutSplitterTracks(m_cols, client.Width(), m_nBar);
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (CWnd* pane = GetPane(r, c))
                pane->SetWindowPos(nullptr, m_colPos[c].first, m_rowPos[r].first, m_colPos[c].second, m_rowPos[r].second,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
}

CRect CBCGPSplitterWnd::GetBarRect(BOOL bAfterRow, int index) const
{
    CRect client;
    GetClientRect(&client);
    const auto& pos = bAfterRow ? m_rowPos : m_colPos;
    if (index < 0 || index + 1 >= static_cast<int>(pos.size()))
        return CRect();
    const int start = pos[index].first + pos[index].second;
    return bAfterRow ? CRect(client.left, start, client.right, start + m_nBar) : CRect(start, client.top, start + m_nBar, client.bottom);
}

bool CBCGPSplitterWnd::HitBar(CPoint pt, bool& afterRow, int& index) const
{
    for (int pass = 0; pass < 2; ++pass) {
        const bool rows = pass == 0;
        const int count = rows ? GetRowCount() : GetColumnCount();
        for (int i = 0; i + 1 < count; ++i)
            if (GetBarRect(rows, i).PtInRect(pt)) {
                afterRow = rows;
                index = i;
                return true;
            }
    }
    return false;
}

void CBCGPSplitterWnd::OnDrawSplitter(CDC* pDC, const CRect& rect)
{
    CBCGPVisualManager::GetInstance()->OnDrawSplitterBar(pDC, rect);
}

void CBCGPSplitterWnd::Paint(CDC* pDC)
{
    for (int i = 0; i + 1 < GetRowCount(); ++i)
        OnDrawSplitter(pDC, GetBarRect(TRUE, i));
    for (int i = 0; i + 1 < GetColumnCount(); ++i)
        OnDrawSplitter(pDC, GetBarRect(FALSE, i));
}

LRESULT CBCGPSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_SIZE:
        RecalcLayout();
        break;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        CPaintDC dc(this);
        Paint(&dc);
        return 0;
    }
    case WM_SETCURSOR: {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        bool rows = false;
        int index = -1;
        if (reinterpret_cast<HWND>(wParam) == m_hWnd && HitBar(cursor, rows, index)) {
            ::SetCursor(::LoadCursorW(nullptr, rows ? IDC_SIZENS : IDC_SIZEWE));
            return TRUE;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        bool rows = false;
        int index = -1;
        if (HitBar(pt, rows, index)) {
            m_dragging = true;
            m_dragRow = rows;
            m_dragIndex = index;
            const CRect bar = GetBarRect(rows, index);
            m_dragOffset = rows ? pt.y - bar.top : pt.x - bar.left;
            SetCapture();
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging) {
            // The track before the bar takes the bar's new place; the layout keeps the
            // minimums of the tracks after it.
            auto& tracks = m_dragRow ? m_rows : m_cols;
            const auto& pos = m_dragRow ? m_rowPos : m_colPos;
            const int edge = (m_dragRow ? pt.y : pt.x) - m_dragOffset;
            tracks[m_dragIndex].ideal = std::max(tracks[m_dragIndex].minimum, edge - pos[m_dragIndex].first);
            // The track after the bar keeps its far edge.
            if (m_dragIndex + 2 < static_cast<int>(tracks.size())) {
                const int farEdge = pos[m_dragIndex + 1].first + pos[m_dragIndex + 1].second;
                tracks[m_dragIndex + 1].ideal = std::max(0, farEdge - (pos[m_dragIndex].first + tracks[m_dragIndex].ideal + m_nBar));
            }
            RecalcLayout();
            UpdateWindow();
            return 0;
        }
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_dragging) {
            m_dragging = false;
            if (message == WM_LBUTTONUP && ::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
