#include "ToolbarControlButton.h"
#include <algorithm>
#include "GlobalData.h"

IMPLEMENT_DYNAMIC(CBCGPToolbarControlButton, CBCGPToolbarButton)

CBCGPToolbarControlButton::CBCGPToolbarControlButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CBCGPToolbarButton(uiID, iImage), m_dwStyle(dwStyle), m_iWidth(iWidth > 0 ? iWidth : 150)
{
}

CBCGPToolbarControlButton::~CBCGPToolbarControlButton()
{
    if (m_pWndControl && m_pWndControl->m_hWnd)
        m_pWndControl->DestroyWindow();
}

void CBCGPToolbarControlButton::CopyFrom(const CBCGPToolbarButton& src)
{
    CBCGPToolbarButton::CopyFrom(src);
    if (const auto* button = DYNAMIC_DOWNCAST(CBCGPToolbarControlButton, const_cast<CBCGPToolbarButton*>(&src))) {
        m_dwStyle = button->m_dwStyle;
        m_iWidth = button->m_iWidth;
    }
}

void CBCGPToolbarControlButton::Serialize(CArchive& ar)
{
    CBCGPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_iWidth << m_dwStyle;
        return;
    }
    int width = 0;
    DWORD style = 0;
    ar >> width >> style;
    if (ar.IsTruncated())
        return;
    // A width no screen holds is damage. The stored style gives the control's own bits (the low
    // word); the window styles stay the button's.
    if (width > 0 && width <= std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CXSCREEN)))
        m_iWidth = width;
    m_dwStyle = (m_dwStyle & 0xFFFF0000) | (style & 0xFFFF);
}

SIZE CBCGPToolbarControlButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL bHorz)
{
    if (!bHorz)
        return sizeDefault;
    return CSize(m_iWidth, std::max<int>(sizeDefault.cy, globalData.GetTextHeight() + 8));
}

void CBCGPToolbarControlButton::OnChangeParentWnd(CWnd* pWndParent)
{
    if (m_pWndControl && m_pWndControl->m_hWnd)
        m_pWndControl->DestroyWindow();
    m_pWndControl.reset();
    CBCGPToolbarButton::OnChangeParentWnd(pWndParent);
    if (!pWndParent || !pWndParent->m_hWnd)
        return;
    m_pWndControl.reset(CreateControl(pWndParent));
    if (m_pWndControl)
        m_pWndControl->SetFont(&globalData.fontRegular, FALSE);
}

void CBCGPToolbarControlButton::OnDraw(CDC*, const CRect&, CBCGPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
}
