// Property sheets: Apply follows SetModified and reaches the pages made so far; OK ends a modal
// sheet with the pages' data read back; PSH_NOAPPLYNOW leaves no Apply button.
#include <gtest/gtest.h>
#include <stdexcept>
#include "TestApp.h"
#include "TestIds.h"

namespace {

class CNamePage : public CPropertyPage {
public:
    CNamePage() : CPropertyPage(IDD_PAGE_ONE) {}
    CString m_name = L"first";
    int m_applied = 0;
    bool m_pressOkWhenShown = false;
    bool m_showNextWhenShown = false;

    BOOL OnApply() override
    {
        ++m_applied;
        return CPropertyPage::OnApply();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_EDIT, m_name); }
    BOOL OnSetActive() override
    {
        const BOOL shown = CPropertyPage::OnSetActive();
        // Drives a modal sheet from inside its loop.
        if (m_pressOkWhenShown) {
            SetDlgItemText(IDC_PAGE_EDIT, L"typed");
            ::PostMessageW(::GetParent(m_hWnd), PSM_PRESSBUTTON, PSBTN_OK, 0);
        }
        if (m_showNextWhenShown)
            ::PostMessageW(::GetParent(m_hWnd), PSM_SETCURSEL, 1, 0);
        return shown;
    }
};

class CPlainPage : public CPropertyPage {
public:
    CPlainPage() : CPropertyPage(IDD_PAGE_TWO) {}
    int m_applied = 0;
    BOOL OnApply() override
    {
        ++m_applied;
        return CPropertyPage::OnApply();
    }
};

// Presses OK a while after the modal sheet has shown, noting whether it was on screen then.
class CLaterOkPage : public CPropertyPage {
public:
    CLaterOkPage() : CPropertyPage(IDD_PAGE_TWO) {}
    bool m_sheetWasVisible = false;

protected:
    BOOL OnSetActive() override
    {
        SetTimer(1, 300, nullptr);
        return CPropertyPage::OnSetActive();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == 1) {
            KillTimer(1);
            m_sheetWasVisible = ::IsWindowVisible(::GetParent(m_hWnd)) != FALSE;
            GetParentSheet()->PressButton(PSBTN_OK);
            return 0;
        }
        return CPropertyPage::WindowProc(message, wParam, lParam);
    }
};

bool ApplyEnabled(const CPropertySheet& sheet)
{
    HWND apply = GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW);
    return apply && IsWindowVisible(apply) && IsWindowEnabled(apply);
}

TEST(PropertySheets, ApplyFollowsSetModifiedAndReachesThePages)
{
    CNamePage first;
    CPlainPage second;
    CPropertySheet sheet(L"Settings");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(sheet.GetActivePage(), &first);
    EXPECT_EQ(first.GetParentSheet(), &sheet);
    EXPECT_FALSE(ApplyEnabled(sheet));

    first.SetModified(TRUE);
    EXPECT_TRUE(ApplyEnabled(sheet));
    first.SetDlgItemText(IDC_PAGE_EDIT, L"changed");
    sheet.PressButton(PSBTN_APPLYNOW);
    PumpPending();
    EXPECT_EQ(first.m_applied, 1);
    EXPECT_EQ(first.m_name, CString(L"changed"));
    EXPECT_EQ(second.m_applied, 0);   // never shown: nothing to apply
    EXPECT_FALSE(ApplyEnabled(sheet));

    // Once shown, the second page takes part too.
    sheet.SetActivePage(1);
    EXPECT_EQ(sheet.GetActivePage(), &second);
    second.SetModified(TRUE);
    sheet.PressButton(PSBTN_APPLYNOW);
    PumpPending();
    EXPECT_EQ(second.m_applied, 1);
    sheet.DestroyWindow();
}

TEST(PropertySheets, NoApplyNowHidesTheButton)
{
    CNamePage page;
    CPropertySheet sheet(L"Settings");
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    page.SetModified(TRUE);
    EXPECT_FALSE(ApplyEnabled(sheet));
    sheet.DestroyWindow();
}

TEST(PropertySheets, OkEndsAModalSheetWithTheDataReadBack)
{
    CNamePage page;
    page.m_pressOkWhenShown = true;
    CPropertySheet sheet(L"Settings");
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_name, CString(L"typed"));
    EXPECT_EQ(page.m_applied, 1);
    EXPECT_EQ(sheet.m_hWnd, nullptr);

    CPropertySheet empty(L"Nothing");
    EXPECT_EQ(empty.DoModal(), -1);
}

TEST(PropertySheets, ModalSheetStaysUntilClosedAlsoAsTheMainWindow)
{
    for (bool asMainWindow : {false, true}) {
        CLaterOkPage page;
        CPropertySheet sheet(L"Settings");
        sheet.AddPage(&page);
        CWnd* const oldMain = AfxGetApp()->m_pMainWnd;
        if (asMainWindow)
            AfxGetApp()->m_pMainWnd = &sheet;
        const INT_PTR result = sheet.DoModal();
        AfxGetApp()->m_pMainWnd = oldMain;
        EXPECT_EQ(result, IDOK) << asMainWindow;
        EXPECT_TRUE(page.m_sheetWasVisible) << asMainWindow;
        // The destroyed main window ended the program's loop; the quit it posted is this test's.
        MSG quit;
        EXPECT_EQ(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE, asMainWindow);
    }
}

TEST(PropertySheets, ModalSheetStaysWhileItMakesAnotherPage)
{
    // The system has no current page while it makes and shows the next one; the messages the
    // sheet gets meanwhile must not end it.
    CNamePage first;
    first.m_showNextWhenShown = true;
    CLaterOkPage second;
    CPropertySheet sheet(L"Settings");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(second.m_sheetWasVisible);
}

// The page's first handler is called by the system's dialog code, not through the framework's
// window procedure: its exception is reported all the same and goes no further.
class CFailingPage : public CPropertyPage {
public:
    CFailingPage() : CPropertyPage(IDD_PAGE_TWO) {}
    BOOL OnInitDialog() override { throw std::runtime_error("the page failed"); }
};

TEST(PropertySheets, APagesInitDialogExceptionGoesToTheReporter)
{
    ReportedExceptions reported;
    CFailingPage page;
    CPropertySheet sheet(L"Settings");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    ASSERT_EQ(reported.reports.size(), 1u);
    EXPECT_EQ(reported.reports[0].what, "the page failed");
    EXPECT_EQ(reported.reports[0].message, static_cast<UINT>(WM_INITDIALOG));
    EXPECT_EQ(sheet.GetActivePage(), &page);
    sheet.DestroyWindow();
}

} // namespace
