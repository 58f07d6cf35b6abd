#pragma once
// Tool-bar buttons that hold a combo box: CBCGPToolbarComboBoxButton (a list of strings),
// CBCGPToolbarFontCombo (the installed fonts) and CBCGPToolbarFontSizeCombo (the point sizes
// a font offers). The control is made when the button is placed in a bar; the items and the
// text live in the button too, so that copies and stored bars keep them.
#include <vector>
#include "SkinControls.h"
#include "ToolbarControlButton.h"

class SKINUI_API CBCGPToolbarComboBoxButton : public CBCGPToolbarControlButton {
    DECLARE_DYNCREATE(CBCGPToolbarComboBoxButton)
public:
    CBCGPToolbarComboBoxButton();
    // iWidth 0: a default width.
    CBCGPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int iWidth = 0);

    void CopyFrom(const CBCGPToolbarButton& src) override;
    void Serialize(CArchive& ar) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    // A choice or an edit reaches the frame as a command of the button's id (with the code).
    BOOL NotifyCommand(int iNotifyCode) override;

    // Makes the control; subclasses make their own kind (a CBCGPComboBox by default).
    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    CComboBox* GetComboBox() const { return static_cast<CComboBox*>(m_pWndControl.get()); }

    INT_PTR AddItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_items.size()); }
    LPCTSTR GetItem(int iIndex = -1) const;
    DWORD_PTR GetItemData(int iIndex = -1) const;
    void RemoveAllItems();
    int GetCurSel() const { return m_iSelIndex; }
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    BOOL SelectItem(LPCTSTR lpszText);
    BOOL SelectItem(DWORD_PTR dwData);
    // The edit text (a drop-down combo) or the chosen item's.
    LPCTSTR GetText() const { return m_strEdit; }
    void SetText(LPCTSTR lpszText);
    DWORD GetComboStyle() const { return m_dwStyle; }

protected:
    CWnd* CreateControl(CWnd* pWndParent) override;
    // Fills the control from the button's items (after it was made).
    virtual void FillCombo();
    struct ComboItem {
        CString text;
        DWORD_PTR data;
    };
    std::vector<ComboItem> m_items;
    int m_iSelIndex = -1;
    CString m_strEdit;
};

class SKINUI_API CBCGPToolbarFontCombo : public CBCGPToolbarComboBoxButton {
    DECLARE_DYNCREATE(CBCGPToolbarFontCombo)
public:
    CBCGPToolbarFontCombo();
    CBCGPToolbarFontCombo(UINT uiID, int iImage, int nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE,
                          BYTE nCharSet = DEFAULT_CHARSET, DWORD dwStyle = CBS_DROPDOWN, int iWidth = 0,
                          BYTE nPitchAndFamily = DEFAULT_PITCH);

    void CopyFrom(const CBCGPToolbarButton& src) override;
    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
    // Chooses the font by face name; FALSE when it is not installed (the text still shows it).
    BOOL SetFont(LPCTSTR lpszName, BYTE nCharSet = DEFAULT_CHARSET, BOOL bExact = FALSE);
    // The chosen font's face name.
    CString GetFontName() const { return m_strEdit; }

protected:
    void FillCombo() override;
    int m_nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE;
    BYTE m_nCharSet = DEFAULT_CHARSET;
    BYTE m_nPitchAndFamily = DEFAULT_PITCH;
};

class SKINUI_API CBCGPToolbarFontSizeCombo : public CBCGPToolbarComboBoxButton {
    DECLARE_DYNCREATE(CBCGPToolbarFontSizeCombo)
public:
    CBCGPToolbarFontSizeCombo();
    CBCGPToolbarFontSizeCombo(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWN, int iWidth = 0);

    // The sizes the font offers: the scalable steps from 8 to 72 points, or a raster font's own.
    void RebuildFontSizes(const CString& strFontName);
    // Size in twips (20 per point); -1 when the text is no size.
    int GetTwipSize() const;
    void SetTwipSize(int nSize);
};

namespace skinui {
// The point sizes a font list offers: a raster font's own sizes (pixel heights converted at
// nLogPixelsY, sorted, unique) or, for scalable fonts (empty list), the standard steps.
SKINUI_API std::vector<int> FontSizeSteps(const std::vector<int>& rasterHeights, int nLogPixelsY);
// A size text ("12", "10.5") in twips, or -1 when it is no size in 1..1638 points.
SKINUI_API int ParseTwips(const CString& text);
} // namespace skinui
