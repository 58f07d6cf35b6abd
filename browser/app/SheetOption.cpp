#include "SheetOption.h"
#include <algorithm>
#include <iterator>
#include "LumivoShowsIds.h"
#include "Win32Owners.h"
#include "ZVUILibApp.h"

namespace {

// The pages as the sheet shows them, with their pictures in the page strip (Browse is image 0).
const struct {
    const wchar_t* title;
    int image;
} kPages[] = {{L"Browse", 0}, {L"System", 1}};
const int kPageImageSize = 48;

} // namespace

CSheetOption::CSheetOption(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CBCGPPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    // The strip holds a picture for every page there may be; the bar numbers its pictures by
    // the pages it shows, so the others are taken out.
    m_pageIcons.Create(IDB_OPTION_PAGES, kPageImageSize, 0, RGB(255, 0, 255));
    for (int image = ::ImageList_GetImageCount(m_pageIcons.GetSafeHandle()) - 1; image >= 0; --image)
        if (std::none_of(std::begin(kPages), std::end(kPages), [image](const auto& page) { return page.image == image; }))
            ::ImageList_Remove(m_pageIcons.GetSafeHandle(), image);
    SetIconsList(m_pageIcons.GetSafeHandle());
    m_pageImages.SetImageSize(CSize(kPageImageSize, kPageImageSize));
    m_pageImages.SetTransparentColor(RGB(255, 0, 255));
    m_pageImages.Load(IDB_OPTION_PAGES);
    SetLook(PropSheetLook_OutlookBar, 150);
    // Tall enough for the page's 48-pixel picture inside the header's band.
    EnablePageHeader(70);
    EnableVisualManagerStyle(TRUE, TRUE);
    CKQPropertyPage* pages[] = {&m_pagePicView, &m_pageSystem};
    for (size_t i = 0; i < sizeof pages / sizeof pages[0]; ++i) {
        m_titles[i] = TranslateString(kPages[i].title);
        pages[i]->m_psp.dwFlags |= PSP_USETITLE;
        pages[i]->m_psp.pszTitle = m_titles[i];
        AddPage(pages[i]);
    }
}

void CSheetOption::OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader)
{
    if (nPage < 0 || nPage >= static_cast<int>(sizeof kPages / sizeof kPages[0]))
        return;
    CRect band = rectHeader;
    band.right -= 2;
    band.bottom -= 10;
    CBCGPDrawManager dm(*pDC);
    CRect inner = band;
    inner.DeflateRect(2, 2);
    dm.FillGradient(inner, globalData.clrBarFace, RGB(255, 255, 255), TRUE);
    CBCGPGraphicsManager gm(pDC);
    gm.DrawRoundedRectangle(inner, 5, CBCGPBrush(CBCGPColor(globalData.clrBarShadow)), 1.0);
    m_pageImages.Draw(pDC, band.left + 5, band.top + 5, kPages[nPage].image);
    CRect title = band;
    title.left += 5 + kPageImageSize + 5 + 10;
    const win32::ScopedSelect font(pDC->m_hDC, globalData.fontBold.GetSafeHandle());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(globalData.clrBarText);
    pDC->DrawText(TranslateString(kPages[nPage].title), &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
