#include "ZVImageStatic.h"

IMPLEMENT_DYNAMIC(CZVImageStatic, CStatic)

CZVImageStatic::~CZVImageStatic() = default;

void CZVImageStatic::RedrawParent()
{
    CWnd* parent = GetParent();
    if (parent && parent->GetSafeHwnd())
        parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool CZVImageStatic::ShowPic(const wchar_t* path, bool bRedraw)
{
    m_strText.Empty();
    ClosePicFile();
    const bool loaded = path && m_image.LoadFile(path);
    if (bRedraw)
        RedrawParent();
    return loaded;
}

bool CZVImageStatic::ShowPic(CZVImage& image, bool bRedraw)
{
    m_image.Copy(image, true, true, true);
    if (bRedraw)
        RedrawParent();
    return true;
}

bool CZVImageStatic::ShowPNGPic(unsigned int nResId, HINSTANCE hModule, bool bRedraw)
{
    m_strText.Empty();
    ClosePicFile();
    const bool loaded = m_image.LoadPNG(nResId, hModule);
    if (bRedraw)
        RedrawParent();
    return loaded;
}

bool CZVImageStatic::ClosePicFile()
{
    if (!m_image.IsValid())
        return false;
    m_image.Close();
    return true;
}

void CZVImageStatic::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect = lpDrawItemStruct->rcItem;
    // Where there is no picture (or it is clear), the parent's skin shows.
    ::FillRect(pDC->m_hDC, rect, CBCGPVisualManager::GetInstance()->GetDlgBackBrush(GetParent()));
    if (m_image.IsValid())
        m_image.Draw(pDC->m_hDC, rect, nullptr, true);
    if (m_strText.IsEmpty())
        return;
    CFont* font = GetFont();
    HGDIOBJ old = ::SelectObject(pDC->m_hDC, font && font->GetSafeHandle() ? font->GetSafeHandle() : globalData.fontRegular.GetSafeHandle());
    pDC->SetBkMode(TRANSPARENT);
    // Light text with a dark shadow reads on any picture.
    CRect shadow = rect;
    shadow.OffsetRect(1, 1);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (m_image.IsValid()) {
        pDC->SetTextColor(RGB(0, 0, 0));
        pDC->DrawText(m_strText, &shadow, format);
        pDC->SetTextColor(RGB(255, 255, 255));
    } else {
        pDC->SetTextColor(CBCGPVisualManager::GetInstance()->GetDlgTextColor(GetParent()));
    }
    CRect area = rect;
    pDC->DrawText(m_strText, &area, format);
    ::SelectObject(pDC->m_hDC, old);
}
