#include "StatHtmlView.h"
#include "ZVQuery.h"

bool CStatHtmlView::Active(const wchar_t* address)
{
    if (!m_hOwner || !::IsWindow(m_hOwner))
        return false;
    if (!CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), CWnd::FromHandle(m_hOwner), ZVQUERY_STAT_VIEW_ID))
        return false;
    Navigate(address);
    return true;
}

void CStatHtmlView::OnDocumentComplete(LPCTSTR)
{
    PostMessage(WM_CLOSE);
}

// A page that cannot be loaded ends the view as well; statistics never report failures.
void CStatHtmlView::OnNavigateError(LPCTSTR, LPCTSTR, DWORD, BOOL*)
{
    PostMessage(WM_CLOSE);
}

void CStatHtmlView::PostNcDestroy()
{
    delete this;
}
