#pragma once
// CBCGPToolbarEditBoxButton: a tool-bar button that holds an edit box (made when the button is
// placed in a bar, by CreateEdit). Its text is kept in the button while it has no control.
#include "ToolbarControlButton.h"

class SKINUI_API CBCGPToolbarEditBoxButton : public CBCGPToolbarControlButton {
    DECLARE_DYNCREATE(CBCGPToolbarEditBoxButton)
public:
    CBCGPToolbarEditBoxButton();
    // iWidth 0: a default width.
    CBCGPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int iWidth = 0);

    void CopyFrom(const CBCGPToolbarButton& src) override;
    void Serialize(CArchive& ar) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnMove() override;
    // EN_CHANGE and the like reach the frame as commands of the button's id.
    BOOL NotifyCommand(int iNotifyCode) override;

    // Makes the control; subclasses make their own kind (a CBCGPEdit by default).
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    CEdit* GetEditBox() const { return static_cast<CEdit*>(m_pWndControl.get()); }
    void SetContents(const CString& sContents);
    const CString& GetContents();

protected:
    CWnd* CreateControl(CWnd* pWndParent) override;
    CString m_strContents;
};
