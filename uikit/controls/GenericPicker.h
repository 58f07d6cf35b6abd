#pragma once
// CGenericPicker: a drop-down button that shows its chosen cell; a click opens a
// CGenericPickerPopup grid under it, and the parent hears of the choice through combo-box
// notification codes. CImageListPicker fills the cells with the images of a strip.
#include "AppFrame.h"
#include "ZVUILibDef.h"

// Between the pop-up and its picker; wParam the cell (column low, row high).
const UINT WM_KQ_PICKER_SELCHANGE = 2025;
const UINT WM_KQ_PICKER_DROPDOWN = 2026;   // to the parent: wParam the cell, lParam the control id
const UINT WM_KQ_PICKER_SELENDOK = 2028;
const UINT WM_KQ_PICKER_SELENDCANCEL = 2029;

namespace picker {
// A cell as a message parameter: column in the low half, row in the high half.
inline LPARAM PackCell(int column, int row) { return static_cast<LPARAM>(MAKELONG(static_cast<WORD>(column), static_cast<WORD>(row))); }
inline int CellColumn(LPARAM cell) { return static_cast<short>(LOWORD(cell)); }
inline int CellRow(LPARAM cell) { return static_cast<short>(HIWORD(cell)); }
ZVUILIB_API int Rows(int count, int columns);
// The pop-up's size for a grid of cells of cellSize with the system edge sizes.
ZVUILIB_API SIZE PopupSize(int columns, int rows, SIZE cellSize, SIZE edge, bool extraRow);
// A cell's rectangle in the pop-up's client area.
ZVUILIB_API RECT CellRect(int column, int row, SIZE cellSize, SIZE edge);
// The cell under p, or false between cells and outside the grid.
ZVUILIB_API bool CellAt(POINT p, int columns, int rows, SIZE cellSize, SIZE edge, int* column, int* row);
// The pop-up's screen rectangle: below the button's left edge, kept inside the work area
// (moved left at the right edge, right at the left edge, above the button at the bottom).
ZVUILIB_API RECT PopupPlace(const RECT& button, SIZE size, const RECT& workArea);
} // namespace picker

class CGenericPicker;

struct DrawItemSubStruct {
    CRect rect;
    CDC* pDC = nullptr;
    int nRow = 0;
    int nColumn = 0;
};

class ZVUILIB_API CGenericPickerPopup : public CWnd {
    DECLARE_DYNAMIC(CGenericPickerPopup)
public:
    CGenericPickerPopup(CGenericPicker* picker, LPARAM startCell);
    ~CGenericPickerPopup() override;
    // Opens the grid under the button's lower-left corner and takes the mouse and the keys.
    BOOL Create(CPoint topLeft);
    LPARAM GetHoverCell() const { return m_cellHover; }
    // Closes without a word to the picker (the picker is going).
    void Dismiss();

protected:
    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDlgCode(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void Hover(int column, int row);
    // Tells the picker once (OK or cancel) and closes.
    void End(bool ok);

    CGenericPicker* m_pPicker;
    LPARAM m_cellStart;
    LPARAM m_cellHover;
    CRect m_rectWindow;
    CSize m_sizeCell;
    CSize m_sizeEdge;
    bool m_bEnded = false;
    bool m_bMade = false;   // the window came up: from then on it deletes the object
};

class ZVUILIB_API CGenericPicker : public CButton {
    DECLARE_DYNAMIC(CGenericPicker)
public:
    CGenericPicker();
    ~CGenericPicker() override;

    LPARAM GetCurSel() const { return m_cellCur; }
    void SetCurSel(LPARAM cell);
    void NotifyParent(UINT code);
    void SetWindowSize();
    BOOL IsPopupOpen() const { return m_bPopupOpen; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    virtual void MeasureSubItem(CSize& size) = 0;
    virtual void DrawSubItem(const DrawItemSubStruct& item) = 0;
    virtual BOOL ShowDefaultItem() = 0;
    virtual int GetColumns() = 0;
    virtual int GetRows() = 0;
    virtual BOOL IsCellValid(int column, int row);

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnClicked();
    afx_msg LRESULT OnSelEndOK(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelEndCancel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSelChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CRect m_rectArrow;
    BOOL m_bPopupOpen = FALSE;
    HWND m_hPopup = nullptr;
    LPARAM m_cellCur;
    LPARAM m_cellPrev;
};

class ZVUILIB_API CImageListPicker : public CGenericPicker {
    DECLARE_DYNAMIC(CImageListPicker)
public:
    CImageListPicker();
    ~CImageListPicker() override;

    // A strip of 24 x 24 images, white transparent: from a bitmap resource of the calling
    // module (or the library's own) or from a bitmap file.
    BOOL LoadImageW(UINT nBitmapID);
    BOOL LoadImageW(const wchar_t* path);
    void SetColumns(int columns) { m_nColumns = columns > 0 ? columns : 1; }
    int GetIndex() const;
    void SetIndex(int index);
    CImageList& GetImageList() { return m_imageList; }

    void MeasureSubItem(CSize& size) override;
    void DrawSubItem(const DrawItemSubStruct& item) override;
    BOOL ShowDefaultItem() override { return FALSE; }
    int GetColumns() override { return m_nColumns; }
    int GetRows() override;
    BOOL IsCellValid(int column, int row) override;

protected:
    CImageList m_imageList;
    int m_nColumns = 8;
};

namespace picker {
// Empties the list (made 24 x 24, 24-bit, masked on first use) and adds the strip.
ZVUILIB_API BOOL LoadStrip(CImageList& list, HBITMAP strip);
// A bitmap resource of the calling module, else of the library's own.
ZVUILIB_API HBITMAP LoadStripResource(UINT id);
} // namespace picker
