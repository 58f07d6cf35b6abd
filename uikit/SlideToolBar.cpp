#include "SlideToolBar.h"

IMPLEMENT_DYNAMIC(CSlideToolBar, CWnd)

BEGIN_MESSAGE_MAP(CSlideToolBar, CWnd)
END_MESSAGE_MAP()

CSlideToolBar::CSlideToolBar() = default;

CSlideToolBar::~CSlideToolBar() = default;

STSliderButton* CSlideToolBar::InsertButton(unsigned int nID, const wchar_t* text, const wchar_t* tooltip, int nPos)
{
    if (nPos < 0 || nPos > m_lstButtons.GetCount())
        return nullptr;
    STSliderButton button;
    button.nID = nID;
    button.strText = text ? text : L"";
    button.strToolTip = tooltip ? tooltip : L"";
    // The position past the last one is the list's end.
    return &m_lstButtons.InsertBefore(m_lstButtons.GetAt(nPos), button).Get();
}
