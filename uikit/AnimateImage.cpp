#include "AnimateImage.h"
#include "UIKitIds.h"
#include "ZVUILibApp.h"

namespace {
const int kLoadingFrames = 10;
const int kFontHeight = 24;
const UINT kFrameMilliseconds = 100;
const COLORREF kLoadingTextColor = RGB(4, 174, 218);
const COLORREF kSplashTextColor = RGB(192, 128, 128);
// The loading text's line starts this far below the animation.
const int kLoadingTextGap = 20;
} // namespace

void CAnimateImage::OnCreate()
{
    if (!m_imgLoading.IsValid())
        m_imgLoading.Load(kLoadingFrames, IDB_KQ_LOADING, GetZVUILibModule());
    m_font.DeleteObject();
    CClientDC dc(m_pOwner);
    LOGFONTW lf = {};
    lf.lfHeight = kFontHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = static_cast<BYTE>(::GetTextCharset(dc.m_hDC));
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    m_font.CreateFontIndirect(&lf);
    CFont* old = dc.SelectObject(&m_font);
    m_szText = dc.GetTextExtent(L"O", 1);
    dc.SelectObject(old);
}

void CAnimateImage::OnDestroy()
{
    m_font.DeleteObject();
}

void CAnimateImage::ShowLoading(bool bShow)
{
    m_bLoading = bShow;
    HWND owner = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    if (bShow) {
        if (owner)
            ::SetTimer(owner, kTimerId, kFrameMilliseconds, nullptr);
    } else {
        m_nProgress = -1;
        if (owner)
            ::KillTimer(owner, kTimerId);
    }
}

void CAnimateImage::SetLoadingText(const wchar_t* text)
{
    m_strLoadingText = text ? text : L"";
}

void CAnimateImage::SetSplashPage(const wchar_t* text, unsigned int nResId)
{
    m_bSplash = false;
    m_nSplashRes = nResId;
    m_strSplashText = text ? text : L"";
    m_imgSplash.Close();
    if (nResId == kNoSplash)
        return;
    // The caller's resources first, then the library's own.
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(nResId), L"PNG");
    m_bSplash = m_imgSplash.LoadPNG(nResId, module) || m_imgSplash.LoadPNG(nResId, GetZVUILibModule());
}

void CAnimateImage::OnTimer()
{
    m_imgLoading.OnTimer();
}

bool CAnimateImage::OnDrawLoading(CDC* pDC, const CRect& rc)
{
    if (!m_bLoading)
        return false;
    CFont* old = pDC->SelectObject(&m_font);
    m_imgLoading.DrawImage(pDC->m_hDC, rc);
    pDC->SetTextColor(kLoadingTextColor);
    pDC->SetBkMode(TRANSPARENT);
    if (m_nProgress >= 0) {
        CString percent;
        percent.Format(L"%d%%", m_nProgress);
        const CSize size = pDC->GetTextExtent(percent);
        pDC->TextOut(rc.left + (rc.Width() - size.cx) / 2, rc.top + (rc.Height() - size.cy) / 2, percent);
    }
    if (!m_strLoadingText.IsEmpty()) {
        const int width = m_imgLoading.GetFrameWidth(), height = static_cast<int>(m_imgLoading.GetHeight());
        CRect line(CPoint(rc.left + (rc.Width() - width) / 2, rc.top + (rc.Height() - height) / 2 + height + kLoadingTextGap),
                   CSize(width, m_szText.cy));
        // A text wider than the animation spreads evenly to both sides.
        pDC->DrawText(m_strLoadingText.GetString(), m_strLoadingText.GetLength(), &line,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    }
    pDC->SelectObject(old);
    return true;
}

bool CAnimateImage::OnDrawSplash(CDC* pDC, const CRect& rc)
{
    if (!m_bSplash)
        return false;
    CFont* old = pDC->SelectObject(&m_font);
    const int width = static_cast<int>(m_imgSplash.GetWidth()), height = static_cast<int>(m_imgSplash.GetHeight());
    m_rcSplash = CRect(CPoint(rc.left + (rc.Width() - width) / 2, rc.top + (rc.Height() - height) / 2 - 2 * m_szText.cy),
                       CSize(width, height));
    m_imgSplash.Draw(pDC->m_hDC, m_rcSplash);
    if (!m_strSplashText.IsEmpty()) {
        CRect band(rc.left, m_rcSplash.bottom + m_szText.cy, rc.right, m_rcSplash.bottom + 2 * m_szText.cy);
        pDC->SetTextColor(kSplashTextColor);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(m_strSplashText.GetString(), m_strSplashText.GetLength(), &band,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    pDC->SelectObject(old);
    return true;
}
