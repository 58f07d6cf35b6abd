#include "KQMemDC2.h"

CKQMemDC2::CKQMemDC2(CDC* pDC) : m_pDC(pDC)
{
    if (!pDC)
        return;
    pDC->GetClipBox(&m_rect);
    if (!pDC->IsPrinting() && !m_rect.IsRectEmpty() && CreateCompatibleDC(pDC)
        && m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
        m_bMemDC = TRUE;
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(m_rect.left, m_rect.top);
        return;
    }
    if (m_hDC)
        DeleteDC();
    // A printer, or nothing to draw into off-screen: draw on the target itself.
    m_bPrinting = pDC->IsPrinting();
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;
}

CKQMemDC2::~CKQMemDC2()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    } else {
        m_hDC = m_hAttribDC = nullptr;
    }
}
