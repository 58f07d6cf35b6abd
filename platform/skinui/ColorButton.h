#pragma once
// CBCGPColorButton: a button showing a colour; a click opens a palette below it with an
// "Automatic" entry at the top, the colours in columns and an "Other" entry at the bottom
// that asks the colour dialog. A pick sets the colour and tells the parent with BN_CLICKED.
#include <vector>
#include "Button.h"

namespace skinui {
// Where each part of the palette lies: the automatic entry, the cells (in order) and the other
// entry, from the colour count, columns and cell size.
struct PaletteLayout {
    CRect automatic, other;
    std::vector<CRect> cells;
    CSize size;
};
SKINUI_API PaletteLayout LayoutPalette(int nColors, int nColumns, int nCell, BOOL bAutomatic, BOOL bOther);
// The part under the point: a cell index, kHitAutomatic, kHitOther or kHitNone.
enum { kHitNone = -1, kHitAutomatic = -2, kHitOther = -3 };
SKINUI_API int HitTestPalette(const PaletteLayout& layout, CPoint pt);
} // namespace skinui

class CColorPalettePopup;

class SKINUI_API CBCGPColorButton : public CBCGPButton {
    DECLARE_DYNCREATE(CBCGPColorButton)
public:
    CBCGPColorButton();
    ~CBCGPColorButton() override;

    COLORREF GetColor() const { return m_Color; }
    void SetColor(COLORREF color);
    // The automatic colour is what GetColor returns after "Automatic" is picked.
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    COLORREF GetAutomaticColor() const { return m_ColorAutomatic; }
    // The palette's colours (the standard ones until set); a system palette is read in.
    void SetPalette(CPalette* pPalette);
    void SetColors(const COLORREF* pColors, int nCount);
    void SetColumnsNumber(int nColumns);
    int GetColumnsNumber() const { return m_nColumns; }

    // The open palette, or null.
    CWnd* GetPopup() const;
    BOOL IsAutomatic() const { return m_bAutomaticPicked; }

protected:
    friend class CColorPalettePopup;
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
    // Asks for a colour that is not in the palette; the default shows the system colour dialog.
    virtual BOOL OnOtherColor(COLORREF& color);
    // The palette closed with a pick (a cell, kHitAutomatic or kHitOther) or none (kHitNone).
    void OnPalettePicked(int nHit);
    afx_msg void OnClicked();
    afx_msg LRESULT OnPaletteDone(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    void ClosePopup();
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL m_bNotifying = FALSE;

    COLORREF m_Color = RGB(0, 0, 0);
    COLORREF m_ColorAutomatic = RGB(0, 0, 0);
    CString m_strAutoColorText, m_strOtherText;
    BOOL m_bAutomatic = FALSE, m_bOther = FALSE, m_bAltColorDlg = TRUE;
    BOOL m_bAutomaticPicked = FALSE;
    int m_nColumns = 8;
    std::vector<COLORREF> m_Colors;
    CColorPalettePopup* m_pPopup = nullptr;
};
