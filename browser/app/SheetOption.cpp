#include "SheetOption.h"
#include "LumivoShowsIds.h"
#include "Win32Owners.h"
#include "ZVUILibApp.h"

namespace {

// The pages as the sheet shows them, with their pictures in the page strip (Browse is image 0).
const struct {
    const wchar_t* title;
    int image;
} kPages[] = {{L"System", 1}};
const int kPageImageSize = 48;

} // namespace

CSheetOption::CSheetOption(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CBCGPPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    SetIconsList(IDB_OPTION_PAGES, kPageImageSize, RGB(255, 0, 255));
    m_pageImages.SetImageSize(CSize(kPageImageSize, kPageImageSize));
    m_pageImages.SetTransparentColor(RGB(255, 0, 255));
    m_pageImages.Load(IDB_OPTION_PAGES);
    SetLook(PropSheetLook_OutlookBar, 150);
    EnablePageHeader(50);
    EnableVisualManagerStyle(TRUE, TRUE);
    CKQPropertyPage* pages[] = {&m_pageSystem};
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
