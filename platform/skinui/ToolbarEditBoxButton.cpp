#include "ToolbarEditBoxButton.h"
#include "Edit.h"
#include "GlobalData.h"
#include "ToolBar.h"

IMPLEMENT_DYNCREATE(CBCGPToolbarEditBoxButton, CBCGPToolbarButton)

CBCGPToolbarEditBoxButton::CBCGPToolbarEditBoxButton() = default;

CBCGPToolbarEditBoxButton::CBCGPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarButton(uiID, iImage), m_dwStyle(dwStyle), m_iWidth(iWidth > 0 ? iWidth : 150)
{
}

CBCGPToolbarEditBoxButton::~CBCGPToolbarEditBoxButton()
{
    if (m_pWndEdit && m_pWndEdit->m_hWnd)
        m_pWndEdit->DestroyWindow();
}

void CBCGPToolbarEditBoxButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    if (auto* edit = DYNAMIC_DOWNCAST(CBCGPToolbarEditBoxButton, const_cast<CBCGPToolbarButton*>(&src))) {
        m_dwStyle = edit->m_dwStyle;
        m_iWidth = edit->m_iWidth;
        m_strContents = const_cast<CBCGPToolbarEditBoxButton*>(edit)->GetContents();
    }
}

void CBCGPToolbarEditBoxButton::Serialize(CArchive& ar)
{
    CBCGPToolbarButton::Serialize(ar);
    if (ar.IsStoring())
        ar << m_iWidth << m_dwStyle << GetContents();
    else
        ar >> m_iWidth >> m_dwStyle >> m_strContents;
}

SIZE CBCGPToolbarEditBoxButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL bHorz)
{
    if (!bHorz)
        return sizeDefault;
    return CSize(m_iWidth, std::max<int>(sizeDefault.cy, globalData.GetTextHeight() + 8));
}

void CBCGPToolbarEditBoxButton::OnDraw(CDC*, const CRect&, CBCGPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    // The edit box paints itself.
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

void CBCGPToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    if (m_pWndEdit && m_pWndEdit->m_hWnd) {
        m_strContents = GetContents();
        m_pWndEdit->DestroyWindow();
    }
    m_pWndEdit.reset();
    CBCGPToolbarButton::OnChangeParentWnd(pWndParent);
    if (!pWndParent || !pWndParent->m_hWnd)
        return;
    m_pWndEdit.reset(CreateEdit(pWndParent, m_rect.IsRectEmpty() ? CRect(0, 0, m_iWidth, 20) : m_rect));
    if (m_pWndEdit) {
        m_pWndEdit->SetFont(&globalData.fontRegular, FALSE);
        m_pWndEdit->SetWindowText(m_strContents);
    }
}

void CBCGPToolbarEditBoxButton::OnMove()
{
    if (!m_pWndEdit || !m_pWndEdit->m_hWnd || m_rect.IsRectEmpty())
        return;
    const int height = globalData.GetTextHeight() + 6;
    CRect r(m_rect.left, m_rect.CenterPoint().y - height / 2, m_rect.right, m_rect.CenterPoint().y - height / 2 + height);
    m_pWndEdit->MoveWindow(&r);
}

BOOL CBCGPToolbarEditBoxButton::NotifyCommand(int iNotifyCode)
{
    if (iNotifyCode == EN_CHANGE && m_pWndEdit)
        m_pWndEdit->GetWindowText(m_strContents);
    return iNotifyCode == EN_CHANGE || iNotifyCode == EN_KILLFOCUS;
}

void CBCGPToolbarEditBoxButton::SetContents(const CString& sContents)
{
    m_strContents = sContents;
    if (m_pWndEdit && m_pWndEdit->m_hWnd)
        m_pWndEdit->SetWindowText(sContents);
}

const CString& CBCGPToolbarEditBoxButton::GetContents()
{
    if (m_pWndEdit && m_pWndEdit->m_hWnd)
        m_pWndEdit->GetWindowText(m_strContents);
    return m_strContents;
}
