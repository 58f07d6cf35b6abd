// The skinned sheet: the outlook-bar and list looks with their page lists, the page header,
// skinned pages.
#include "GalleryIds.h"
#include "TestApp.h"

namespace {

class PropertySheetTest : public testing::Test {
protected:
    void SetUp() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        m_sheet.AddPage(&m_general);
        m_sheet.AddPage(&m_capture);
        m_sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
        m_sheet.EnableVisualManagerStyle(TRUE);
    }
    void TearDown() override
    {
        if (m_sheet.GetSafeHwnd())
            m_sheet.DestroyWindow();
    }
    CRect PageRect(CPropertyPage* page)
    {
        CRect r;
        page->GetWindowRect(&r);
        m_sheet.ScreenToClient(&r);
        return r;
    }
    CBCGPPropertyPage m_general{IDD_PAGE_GENERAL};
    CBCGPPropertyPage m_capture{IDD_PAGE_CAPTURE};
    CBCGPPropertySheet m_sheet{L"Options"};
};

class PageListLooks : public PropertySheetTest, public testing::WithParamInterface<CBCGPPropertySheet::PropSheetLook> {};

TEST_P(PageListLooks, ListThePagesBesideThem)
{
    m_sheet.SetLook(GetParam(), 150);
    m_sheet.EnablePageHeader(50);
    ASSERT_TRUE(m_sheet.Create());
    PumpFor(100);
    CListCtrl* list = m_sheet.GetNavigationList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(1, 0), CString(L"Capture"));
    EXPECT_EQ((list->GetStyle() & LVS_TYPEMASK) == LVS_REPORT, GetParam() == CBCGPPropertySheet::PropSheetLook_List) << std::hex << list->GetStyle();
    EXPECT_FALSE(m_sheet.GetTabControl()->IsWindowVisible());

    const CRect first = PageRect(&m_general);
    EXPECT_GE(first.left, 150);
    EXPECT_GE(first.top, 50);
    EXPECT_EQ(m_sheet.GetHeaderRect().bottom, 50);

    // Choosing in the list turns the page; the new page lies in the same place.
    list->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(m_sheet.GetActiveIndex(), 1);
    ASSERT_TRUE(m_capture.GetSafeHwnd());
    EXPECT_EQ(PageRect(&m_capture).TopLeft(), first.TopLeft());
    EXPECT_TRUE(m_capture.IsWindowVisible());
    EXPECT_FALSE(m_general.IsWindowVisible());
}

INSTANTIATE_TEST_SUITE_P(Looks, PageListLooks,
                         testing::Values(CBCGPPropertySheet::PropSheetLook_OutlookBar, CBCGPPropertySheet::PropSheetLook_List));

TEST_F(PropertySheetTest, TabsLookKeepsTheTabs)
{
    ASSERT_TRUE(m_sheet.Create());
    PumpFor(100);
    EXPECT_EQ(m_sheet.GetNavigationList(), nullptr);
    EXPECT_TRUE(m_sheet.GetTabControl()->IsWindowVisible());
}

TEST_F(PropertySheetTest, PagesTakeTheSkinAndEditsStayWhite)
{
    ASSERT_TRUE(m_sheet.Create());
    PumpFor(100);
    m_sheet.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = ::GetDC(m_general.GetSafeHwnd());
    EXPECT_EQ(::GetPixel(dc, 2, 60), globalData.clrBarFace);
    ::ReleaseDC(m_general.GetSafeHwnd(), dc);
    CWnd* edit = m_general.GetDlgItem(IDC_PAGE_EDIT);
    CRect r;
    edit->GetClientRect(&r);
    dc = ::GetDC(edit->GetSafeHwnd());
    EXPECT_EQ(::GetPixel(dc, r.right - 3, r.bottom / 2), RGB(255, 255, 255));
    ::ReleaseDC(edit->GetSafeHwnd(), dc);
    EXPECT_TRUE(CWnd::FromHandlePermanent(edit->GetSafeHwnd())->IsKindOf(RUNTIME_CLASS(CBCGPEdit)));
}

} // namespace
