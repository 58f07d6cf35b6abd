#include "ToolbarEditBoxButton.h"
#include "Edit.h"
#include "GlobalData.h"

IMPLEMENT_DYNCREATE(CBCGPToolbarEditBoxButton, CBCGPToolbarControlButton)

CBCGPToolbarEditBoxButton::CBCGPToolbarEditBoxButton() : CBCGPToolbarControlButton(ES_AUTOHSCROLL)
{
}

CBCGPToolbarEditBoxButton::CBCGPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarControlButton(uiID, iImage, dwStyle, iWidth)
{
}

void CBCGPToolbarEditBoxButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarControlButton::CopyFrom(src);
    if (auto* edit = DYNAMIC_DOWNCAST(CBCGPToolbarEditBoxButton, const_cast<CBCGPToolbarButton*>(&src)))
        m_strContents = edit->GetContents();
}

void CBCGPToolbarEditBoxButton::Serialize(CArchive& ar)
{
    CBCGPToolbarControlButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << GetContents();
        return;
    }
    CString contents;
    ar >> contents;
    if (!ar.IsTruncated())
        m_strContents = contents;
}

CEdit* CBCGPToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect)
{
    auto* edit = new CBCGPEdit;
    if (!edit->CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", m_dwStyle | WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, pWndParent, m_nID)) {
        delete edit;
        return nullptr;
    }
    return edit;
}

CWnd* CBCGPToolbarEditBoxButton::CreateControl(CWnd* pWndParent)
{
    return CreateEdit(pWndParent, m_rect.IsRectEmpty() ? CRect(0, 0, m_iWidth, 20) : m_rect);
}

void CBCGPToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    // The text outlives the control.
    if (GetHwnd())
        GetContents();
    CBCGPToolbarControlButton::OnChangeParentWnd(pWndParent);
    if (CEdit* edit = GetEditBox())
        edit->SetWindowText(m_strContents);
}

void CBCGPToolbarEditBoxButton::OnMove()
{
    if (!GetHwnd() || m_rect.IsRectEmpty())
        return;
    const int height = globalData.GetTextHeight() + 6;
    CRect r(m_rect.left, m_rect.CenterPoint().y - height / 2, m_rect.right, m_rect.CenterPoint().y - height / 2 + height);
    GetEditBox()->MoveWindow(&r);
}

BOOL CBCGPToolbarEditBoxButton::NotifyCommand(int iNotifyCode)
{
    if (iNotifyCode == EN_CHANGE && GetEditBox())
        GetEditBox()->GetWindowText(m_strContents);
    return iNotifyCode == EN_CHANGE || iNotifyCode == EN_KILLFOCUS;
}

void CBCGPToolbarEditBoxButton::SetContents(const CString& sContents)
{
    m_strContents = sContents;
    if (GetHwnd())
        GetEditBox()->SetWindowText(sContents);
}

const CString& CBCGPToolbarEditBoxButton::GetContents()
{
    if (GetHwnd())
        GetEditBox()->GetWindowText(m_strContents);
    return m_strContents;
}
