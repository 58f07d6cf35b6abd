#include "KQComboBox.h"
#include "GenericPicker.h"

namespace {
const int kImageSize = 24;
const int kTextIndent = 32;
} // namespace

IMPLEMENT_DYNAMIC(CKQComboBox, CBCGPComboBox)

BEGIN_MESSAGE_MAP(CKQComboBox, CBCGPComboBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKQComboBox::CKQComboBox() = default;
CKQComboBox::~CKQComboBox() = default;

BOOL CKQComboBox::LoadImageW(UINT nBitmapID) { return picker::LoadStrip(m_imageList, picker::LoadStripResource(nBitmapID)); }

void CKQComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    lpMeasureItemStruct->itemWidth = client.Width();
    lpMeasureItemStruct->itemHeight = kImageSize;
}

int CKQComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    CString a, b;
    if (lpCompareItemStruct->itemID1 != static_cast<UINT>(-1))
        GetLBText(static_cast<int>(lpCompareItemStruct->itemID1), a);
    if (lpCompareItemStruct->itemID2 != static_cast<UINT>(-1))
        GetLBText(static_cast<int>(lpCompareItemStruct->itemID2), b);
    return ::CompareStringW(LOCALE_USER_DEFAULT, 0, a, -1, b, -1) - CSTR_EQUAL;
}

void CKQComboBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!m_imageList.GetSafeHandle())
        return;
    HDC dc = lpDrawItemStruct->hDC;
    CRect rect = lpDrawItemStruct->rcItem;
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, rect);
    const int saved = ::SaveDC(dc);
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    if (selected) {
        ::FillRect(dc, rect, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        HBRUSH back = ::CreateSolidBrush(::GetBkColor(dc));
        ::FillRect(dc, rect, back);
        ::DeleteObject(back);
    }
    ::SetBkMode(dc, TRANSPARENT);
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    if (index >= 0 && index != static_cast<int>(static_cast<UINT>(-1))) {
        ImageList_Draw(m_imageList.GetSafeHandle(), index, dc, rect.left + 2, rect.top + (rect.Height() - kImageSize) / 2,
                       ILD_TRANSPARENT);
        CString text;
        GetLBText(index, text);
        CRect textRect = rect;
        textRect.left += kTextIndent;
        ::DrawTextW(dc, text, text.GetLength(), textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    ::RestoreDC(dc, saved);
}

BOOL CKQComboBox::PreTranslateMessage(MSG* pMsg) { return CBCGPComboBox::PreTranslateMessage(pMsg); }

void CKQComboBox::PreSubclassWindow() { CBCGPComboBox::PreSubclassWindow(); }

int CKQComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CBCGPComboBox::OnCreate(lpCreateStruct); }

void CKQComboBox::OnDestroy() { CBCGPComboBox::OnDestroy(); }
