#pragma once
// The skinned common controls: each keeps the system control's behaviour and messages and
// paints (or colours) itself with the visual manager. They repaint and recolour themselves when
// the manager changes (BCGM_CHANGEVISUALMANAGER).
#include <vector>
#include "AppFrame.h"
#include "DrawManager.h"
#include "HoverTracker.h"
#include "SkinUIDef.h"

// Sent to every window of the process after the visual manager or its colours changed.
SKINUI_API extern const UINT BCGM_CHANGEVISUALMANAGER;

namespace skinui {
// A control that draws itself whole with Render: WM_PAINT through a memory bitmap
// (PaintBuffered), WM_PRINTCLIENT into the device it brings, and no erasing beforehand, as
// Render covers every pixel. A handler of these messages in a subclass's message map still
// comes first.
template <class TControl>
class BufferedPaint : public TControl {
public:
    virtual void Render(CDC* pDC) = 0;

protected:
    // FALSE leaves the painting to the system control.
    virtual BOOL IsSkinPainted() const { return TRUE; }

    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (TControl::OnWndMsg(message, wParam, lParam, pResult))
            return TRUE;
        if (message == WM_ERASEBKGND) {
            *pResult = TRUE;
            return TRUE;
        }
        if ((message != WM_PAINT && message != WM_PRINTCLIENT) || !IsSkinPainted())
            return FALSE;
        if (message == WM_PAINT)
            PaintBuffered(this, [this](CDC* dc) { Render(dc); });
        else
            Render(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        *pResult = 0;
        return TRUE;
    }
};
} // namespace skinui

class SKINUI_API CBCGPSliderCtrl : public skinui::BufferedPaint<CSliderCtrl> {
    DECLARE_DYNCREATE(CBCGPSliderCtrl)
public:
    BOOL m_bDrawFocus = TRUE;
    BOOL m_bOnGlass = FALSE;
    void Render(CDC* pDC) override;
    BOOL IsThumbHighlighted() const { return m_thumbHover.Hot(); }

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
    skinui::HoverTracker<BOOL> m_thumbHover;
};

class SKINUI_API CBCGPProgressCtrl : public skinui::BufferedPaint<CProgressCtrl> {
    DECLARE_DYNCREATE(CBCGPProgressCtrl)
public:
    void Render(CDC* pDC) override;
};

class SKINUI_API CBCGPScrollBar : public skinui::BufferedPaint<CScrollBar> {
    DECLARE_DYNCREATE(CBCGPScrollBar)
public:
    // The parts the mouse may be over.
    enum Part { PartNone, PartFirstButton, PartThumb, PartLastButton, PartTrack };
    void Render(CDC* pDC) override;
    Part GetHotPart() const { return m_hover.Hot(); }
    Part HitTest(CPoint pt) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The buttons and the thumb (empty when there is none) in client coordinates.
    void PartRects(CRect& first, CRect& thumb, CRect& last) const;
    skinui::HoverTracker<Part> m_hover{ PartNone };
};

class SKINUI_API CBCGPSpinButtonCtrl : public skinui::BufferedPaint<CSpinButtonCtrl> {
    DECLARE_DYNCREATE(CBCGPSpinButtonCtrl)
public:
    void Render(CDC* pDC) override;
    // 1: the mouse is over the up (right) half, 2: the down (left) half, 0: neither.
    int GetHotButton() const { return m_hover.Hot(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int ButtonAt(CPoint pt) const;
    int m_nPressed = 0;   // 1: up half, 2: down half
    skinui::HoverTracker<int> m_hover{ 0 };
};

// Draw-list combo boxes are painted whole; drop-down ones get the frame and the button;
// owner-drawn ones paint themselves.
class SKINUI_API CBCGPComboBox : public skinui::BufferedPaint<CComboBox> {
    DECLARE_DYNCREATE(CBCGPComboBox)
public:
    void Render(CDC* pDC) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL IsSkinPainted() const override;
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
    skinui::HoverTracker<BOOL> m_hover;
};

// One font of the font combo box.
struct SKINUI_API CBCGPFontDesc {
    CString m_strName;
    CString m_strScript;
    BYTE m_nCharSet = DEFAULT_CHARSET;
    BYTE m_nPitchAndFamily = DEFAULT_PITCH;
    int m_nType = 0;   // DEVICE_FONTTYPE, RASTER_FONTTYPE, TRUETYPE_FONTTYPE
};

class SKINUI_API CBCGPFontComboBox : public CBCGPComboBox {
    DECLARE_DYNCREATE(CBCGPFontComboBox)
public:
    ~CBCGPFontComboBox() override;
    // Fills the list with the installed fonts of the kinds and character set, sorted by name.
    BOOL Setup(int nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE, BYTE nCharSet = DEFAULT_CHARSET,
               BYTE nPitchAndFamily = DEFAULT_PITCH);
    BOOL SelectFont(LPCTSTR lpszName, BYTE nCharSet = DEFAULT_CHARSET);
    BOOL SelectFont(CBCGPFontDesc* pDesc) { return pDesc && SelectFont(pDesc->m_strName, pDesc->m_nCharSet); }
    CBCGPFontDesc* GetSelFont() const;

private:
    void ClearFonts();
    std::vector<CBCGPFontDesc*> m_fonts;
};

class SKINUI_API CBCGPListCtrl : public CListCtrl {
    DECLARE_DYNCREATE(CBCGPListCtrl)
public:
    // Sorts by the column; a header click sorts by its column, again reversed.
    virtual void Sort(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    int GetSortColumn() const { return m_iSortedColumn; }
    BOOL IsAscending() const { return m_bAscending; }
    // Compares two items (row indices) by the column's text; a subclass may compare its own way.
    virtual int OnCompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn);
    void ApplyColors();

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    int m_iSortedColumn = -1;
    BOOL m_bAscending = TRUE;
};

class SKINUI_API CBCGPTreeCtrl : public CTreeCtrl {
    DECLARE_DYNCREATE(CBCGPTreeCtrl)
public:
    void ApplyColors();

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg LRESULT OnChangeVisualManager(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class SKINUI_API CBCGPStatic : public CStatic {
    DECLARE_DYNCREATE(CBCGPStatic)
public:
    // The text colour; -1: the skin's.
    COLORREF m_clrText = (COLORREF)-1;
    BOOL m_bBackstageMode = FALSE;
};
