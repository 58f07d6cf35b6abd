#pragma once
// CBCGPSplitterWnd: a static splitter of rows and columns of panes. Panes are any child windows
// made with the splitter as parent and the id IdFromRowCol (or by CreateView); the user drags
// the bars between them, and the visual manager paints the bars.
#include <memory>
#include <vector>
#include "AppFrame.h"
#include "SkinUIDef.h"

namespace skinui {
// One row or column: the size asked for and the least it may take.
struct SplitterTrack {
    int ideal = 0, minimum = 0;
};
// Positions and sizes of the tracks along a length with bars of the width between them: each
// track but the last takes its ideal size while it fits, the last takes what is left; when
// the length is short, tracks from the end give way first.
SKINUI_API std::vector<std::pair<int, int>> LayoutSplitterTracks(const std::vector<SplitterTrack>& tracks, int length, int bar);
} // namespace skinui

class SKINUI_API CBCGPSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CBCGPSplitterWnd)
public:
    CBCGPSplitterWnd();
    ~CBCGPSplitterWnd() override;

    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // Makes a pane of the class (the splitter owns it) at its first size.
    BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext = nullptr);
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    CWnd* GetPane(int row, int col) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_cols.size()); }

    // Ideal and least sizes; the change shows at the next RecalcLayout.
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    // The size the row or column has now and its least size.
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    // Places the panes and bars in the client area.
    virtual void RecalcLayout();
    // The bar after the row (horizontal bar) or column, in client coordinates.
    CRect GetBarRect(BOOL bAfterRow, int index) const;
    int GetSplitterBarWidth() const { return m_nBar; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void OnDrawSplitter(CDC* pDC, const CRect& rect);

private:
    // -1 or the bar under the point: which kind and which one.
    bool HitBar(CPoint pt, bool& afterRow, int& index) const;
    void Paint(CDC* pDC);

    std::vector<skinui::SplitterTrack> m_rows, m_cols;
    std::vector<std::pair<int, int>> m_rowPos, m_colPos;
    std::vector<std::unique_ptr<CWnd>> m_views;
    int m_nBar = 5;
    // The bar being dragged and where the drag began.
    bool m_dragging = false, m_dragRow = false;
    int m_dragIndex = -1, m_dragOffset = 0;
};
