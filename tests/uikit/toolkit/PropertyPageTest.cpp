// The options page in a real sheet: what Apply, OK and Cancel save, the Apply button, a field
// that does not read, the colours of its edits and the question before restoring defaults.
#include <algorithm>
#include "KQDataExchange.h"
#include "KQPropertyPage.h"
#include "ToolkitIds.h"
#include "ToolkitTest.h"

namespace {

// The programs derive from the library's classes and ask their kind.
TEST(ToolkitClasses, KnowTheirNamesAndBases)
{
    const struct {
        CRuntimeClass* cls;
        const char* name;
        CRuntimeClass* base;
    } classes[] = {
        {RUNTIME_CLASS(CKQDialog), "CKQDialog", RUNTIME_CLASS(CBCGPDialog)},
        {RUNTIME_CLASS(CKQPropertyPage), "CKQPropertyPage", RUNTIME_CLASS(CBCGPPropertyPage)},
        {RUNTIME_CLASS(CKQNumEdit), "CKQNumEdit", RUNTIME_CLASS(CBCGPEdit)},
        {RUNTIME_CLASS(CKQNumSpinCtrl), "CKQNumSpinCtrl", RUNTIME_CLASS(CBCGPSpinButtonCtrl)},
    };
    for (const auto& c : classes) {
        EXPECT_STREQ(c.cls->m_lpszClassName, c.name);
        EXPECT_EQ(c.cls->m_pfnGetBaseClass(), c.base) << c.name;
    }
    CNumHostDlg host;
    EXPECT_TRUE(host.IsKindOf(RUNTIME_CLASS(CKQDialog)));
    EXPECT_TRUE(host.m_spin.IsKindOf(RUNTIME_CLASS(CSpinButtonCtrl)));
}

// A page of one number that counts its loads and saves.
class CNumberPage : public CKQPropertyPage {
public:
    explicit CNumberPage(UINT nIDTemplate) : CKQPropertyPage(nIDTemplate, 0) {}
    int m_value = 5;
    int m_loads = 0, m_saves = 0;
    void LoadSetting() override { ++m_loads; }
    void SaveSetting() override { ++m_saves; }
    CWnd* Field() { return GetDlgItem(IDC_PAGE_VALUE); }

protected:
    void DoDataExchange(CDataExchange* pDX) override { KQ_DDX_Text(pDX, IDC_PAGE_VALUE, m_value); }
};

// Two pages in a modeless sheet; only a page that was shown takes part.
struct OptionsSheet {
    CNumberPage first{IDD_PAGE_FIRST}, second{IDD_PAGE_SECOND};
    CBCGPPropertySheet sheet{L"Options"};

    OptionsSheet()
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
    }
    bool IsOpen() const { return sheet.GetSafeHwnd() && sheet.SendMessage(PSM_GETCURRENTPAGEHWND); }
    bool ApplyEnabled() const
    {
        CWnd* apply = sheet.GetDlgItem(ID_APPLY_NOW);
        return apply && apply->IsWindowEnabled();
    }
    void Press(int button)
    {
        sheet.PressButton(button);
        PumpPending();
    }
};

TEST(PropertyPage, SavesOnApplyAlwaysOnOkWhenChangedOnCancelNever)
{
    const struct {
        bool changed;
        int button;
        int saves;
        bool open;
    } cases[] = {
        {false, PSBTN_APPLYNOW, 1, true},
        {true, PSBTN_APPLYNOW, 1, true},
        {false, PSBTN_OK, 0, false},
        {true, PSBTN_OK, 1, false},
        {true, PSBTN_CANCEL, 0, false},
    };
    for (const auto& c : cases) {
        OptionsSheet o;
        ASSERT_TRUE(o.sheet.Create());
        EXPECT_EQ(o.first.m_loads, 1);
        EXPECT_FALSE(o.ApplyEnabled());
        if (c.changed) {
            o.first.EnableApplyButton(TRUE);
            EXPECT_TRUE(o.ApplyEnabled());
        }
        o.Press(c.button);
        EXPECT_EQ(o.first.m_saves, c.saves) << c.changed << " " << c.button;
        EXPECT_EQ(o.second.m_saves, 0);   // never shown
        EXPECT_EQ(o.IsOpen(), c.open) << c.changed << " " << c.button;
        if (c.open) {
            EXPECT_FALSE(o.ApplyEnabled());
            // Saved: OK has nothing more to save.
            o.Press(PSBTN_OK);
            EXPECT_EQ(o.first.m_saves, c.saves);
        }
    }
}

TEST(PropertyPage, EnableApplyButtonTouchesTheButtonOncePerChange)
{
    OptionsSheet o;
    ASSERT_TRUE(o.sheet.Create());
    CWnd* apply = o.sheet.GetDlgItem(ID_APPLY_NOW);
    ASSERT_TRUE(apply);
    o.first.EnableApplyButton(TRUE);
    EXPECT_TRUE(o.ApplyEnabled());
    // Changed meanwhile by someone else, the button is left as it is by a second TRUE.
    apply->EnableWindow(FALSE);
    o.first.EnableApplyButton(TRUE);
    EXPECT_FALSE(o.ApplyEnabled());
    o.first.EnableApplyButton(FALSE);
    apply->EnableWindow(TRUE);
    o.first.EnableApplyButton(FALSE);
    EXPECT_TRUE(o.ApplyEnabled());
}

// The failing field is on the page shown, or on the other page shown before.
TEST(PropertyPage, AFieldThatDoesNotReadKeepsTheSheetOpenOnItAndSavesNothing)
{
    for (const bool onShownPage : {true, false}) {
        for (const int button : {PSBTN_APPLYNOW, PSBTN_OK}) {
            OptionsSheet o;
            ASSERT_TRUE(o.sheet.Create());
            o.sheet.SetActivePage(1);
            o.sheet.SetActivePage(onShownPage ? 0 : 1);
            o.first.EnableApplyButton(TRUE);
            o.second.EnableApplyButton(TRUE);
            o.first.Field()->SetWindowText(L"12x");
            o.Press(button);
            EXPECT_EQ(o.first.m_saves + o.second.m_saves, 0) << onShownPage << " " << button;
            EXPECT_EQ(o.first.m_value, 5);
            EXPECT_TRUE(o.IsOpen()) << onShownPage << " " << button;
            EXPECT_EQ(o.sheet.GetActivePage(), &o.first) << onShownPage << " " << button;
            EXPECT_TRUE(o.first.IsWindowVisible());
            EXPECT_EQ(::GetFocus(), o.first.Field()->GetSafeHwnd()) << onShownPage << " " << button;
            CString text;
            o.first.Field()->GetWindowText(text);
            EXPECT_EQ(text, CString(L"12x"));
        }
    }
}

// A dark look whose edits would be light text on a dark ground.
class CInkLook : public CBCGPVisualManager {
    DECLARE_DYNCREATE(CInkLook)
public:
    void OnUpdateSystemColors() override
    {
        globalData.clrBarFace = RGB(40, 60, 120);
        globalData.clrBarText = RGB(250, 250, 250);
        globalData.clrWindow = RGB(30, 30, 30);
        globalData.clrWindowText = RGB(250, 250, 250);
    }
};
IMPLEMENT_DYNCREATE(CInkLook, CBCGPVisualManager)

TEST(PropertyPage, EditsAreBlackOnWhiteUnderAColouredLook)
{
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CInkLook));
    {
        OptionsSheet o;
        o.sheet.EnableVisualManagerStyle(TRUE);
        ASSERT_TRUE(o.sheet.Create());
        CWnd* field = o.first.Field();
        field->SetWindowText(L"8888");
        o.sheet.GetDlgItem(IDOK)->SetFocus();   // no caret in the box
        PumpPending();
        o.sheet.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

        // The label keeps the look's colours.
        CRect label;
        o.first.GetDlgItem(IDC_PAGE_LABEL)->GetWindowRect(&label);
        o.first.ScreenToClient(&label);
        HDC dc = ::GetDC(o.first.GetSafeHwnd());
        EXPECT_EQ(::GetPixel(dc, label.right - 2, label.bottom - 2), RGB(40, 60, 120));
        ::ReleaseDC(o.first.GetSafeHwnd(), dc);

        CRect client;
        field->GetClientRect(&client);
        dc = ::GetDC(field->GetSafeHwnd());
        EXPECT_EQ(::GetPixel(dc, client.right - 3, client.bottom / 2), RGB(255, 255, 255));
        // The text: its darkest pixel is near black.
        int darkest = 255;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right / 2; ++x) {
                const COLORREF c = ::GetPixel(dc, x, y);
                darkest = std::min<int>(darkest, std::max({GetRValue(c), GetGValue(c), GetBValue(c)}));
            }
        EXPECT_LT(darkest, 80);
        ::ReleaseDC(field->GetSafeHwnd(), dc);
    }
    CBCGPVisualManager::SetDefaultManager(nullptr);
}

// What the timer does to the question box, step by step.
struct QueryScript {
    std::vector<std::pair<UINT, WPARAM>> steps;   // BM_CLICK with a button id, WM_CLOSE, WM_DESTROY (destroyed)
    size_t next = 0;
    bool askedTheQuestion = false;
};
QueryScript* g_queryScript = nullptr;

BOOL CALLBACK FindQuestionBox(HWND window, LPARAM found)
{
    if (::IsWindowVisible(window) && dynamic_cast<CBCGPMessageBox*>(CWnd::FromHandlePermanent(window))) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK DriveQuestionBox(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindQuestionBox, reinterpret_cast<LPARAM>(&box));
    if (!box || !g_queryScript || g_queryScript->next >= g_queryScript->steps.size())
        return;
    g_queryScript->askedTheQuestion =
        ::FindWindowExW(box, nullptr, L"Static", L"Do you want to restore the default configuration ?") != nullptr;
    const auto step = g_queryScript->steps[g_queryScript->next++];
    if (step.first == BM_CLICK)
        ::PostMessageW(::GetDlgItem(box, static_cast<int>(step.second)), BM_CLICK, 0, 0);
    else if (step.first == WM_DESTROY)
        ::DestroyWindow(box);
    else
        ::PostMessageW(box, step.first, step.second, 0);
}

TEST(PropertyPage, QueryDefaultIsTrueOnlyForYes)
{
    const struct {
        QueryScript script;
        bool result;
    } cases[] = {
        {{{{BM_CLICK, IDYES}}}, true},
        {{{{BM_CLICK, IDNO}}}, false},
        {{{{WM_CLOSE, 0}, {WM_DESTROY, 0}}}, false},   // the close box does not end it; gone, it is no Yes
    };
    for (const auto& c : cases) {
        OptionsSheet o;
        ASSERT_TRUE(o.sheet.Create());
        QueryScript script = c.script;
        g_queryScript = &script;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, DriveQuestionBox);
        const bool result = o.first.QueryDefault();
        ::KillTimer(nullptr, timer);
        g_queryScript = nullptr;
        EXPECT_EQ(result, c.result) << script.steps.size();
        EXPECT_EQ(script.next, script.steps.size());
        EXPECT_TRUE(script.askedTheQuestion);
    }
}

} // namespace
