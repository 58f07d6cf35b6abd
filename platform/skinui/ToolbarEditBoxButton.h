#pragma once
// CBCGPToolbarEditBoxButton: a tool-bar button that holds an edit box (made when the button is
// placed in a bar, by CreateEdit). Its text is kept in the button while it has no control.
#include <memory>
#include "ToolbarButton.h"

class SKINUI_API CBCGPToolbarEditBoxButton : public CBCGPToolbarButton {
    DECLARE_DYNCREATE(CBCGPToolbarEditBoxButton)
public:
    CBCGPToolbarEditBoxButton();
    // iWidth 0: a default width.
    CBCGPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int iWidth = 0);
    ~CBCGPToolbarEditBoxButton() override;

    void CopyFrom(const CBCGPToolbarButton& src) override;
    void Serialize(CArchive& ar) override;
    void OnDraw(CDC* pDC, const CRect& rect, CBCGPToolBarImages* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    HWND GetHwnd() override { return m_pWndEdit ? m_pWndEdit->m_hWnd : nullptr; }
    // EN_CHANGE and the like reach the frame as commands of the button's id.
    BOOL NotifyCommand(int iNotifyCode) override;
    BOOL HaveHotBorder() const override { return FALSE; }

    // Makes the control; subclasses make their own kind (a CBCGPEdit by default).
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    CEdit* GetEditBox() const { return m_pWndEdit.get(); }
    void SetContents(const CString& sContents);
    const CString& GetContents();
    int GetWidth() const { return m_iWidth; }

protected:
    std::unique_ptr<CEdit> m_pWndEdit;
    DWORD m_dwStyle = ES_AUTOHSCROLL;
    int m_iWidth = 150;
    CString m_strContents;
};
