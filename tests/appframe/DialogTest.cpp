// Dialogs from templates: a modal dialog's data exchange both ways, the validation failures,
// a modeless dialog with subclassed controls, and a DLL's dialog and strings loaded through
// resource switching.
#include <gtest/gtest.h>
#include <string>
#include "ResourceDll/ResourceDll.h"
#include "TestApp.h"
#include "TestIds.h"

namespace {

// The exchange dialog. The test's hooks play the user: onInit once the controls are filled,
// afterOK after each press of OK that did not close the dialog.
class CExchangeDialog : public CDialog {
public:
    CExchangeDialog() : CDialog(IDD_EXCHANGE) {}

    int m_number = 7;
    double m_real = 0.1;
    CString m_name = L"first";
    int m_enabled = 0;
    int m_size = 1;
    int m_choice = 2;
    CComboBox m_combo;
    int m_nameChanges = 0;
    std::function<void(CExchangeDialog&)> onInit;
    std::function<void(CExchangeDialog&)> afterFailedOK;

    BOOL OnInitDialog() override
    {
        for (const wchar_t* item : { L"red", L"green", L"blue" })
            SendDlgItemMessage(IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    void OnOK() override
    {
        CDialog::OnOK();
        if (m_hWnd && IsWindowVisible() && ContinueModal() && afterFailedOK)
            afterFailedOK(*this);
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_CHOICE, m_combo);
        DDX_Text(pDX, IDC_NUMBER, m_number);
        DDV_MinMaxInt(pDX, m_number, 0, 100);
        DDX_Text(pDX, IDC_REAL, m_real);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Check(pDX, IDC_ENABLED, m_enabled);
        DDX_Radio(pDX, IDC_SIZE_SMALL, m_size);
        DDX_CBIndex(pDX, IDC_CHOICE, m_choice);
    }
    CString Text(int id) const
    {
        CString text;
        GetDlgItemText(id, text);
        return text;
    }

protected:
    afx_msg void OnNameChange() { ++m_nameChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CExchangeDialog, CDialog)
    ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

} // namespace

TEST(Dialog, ModalDataExchangeFillsTheControlsAndReadsThemBack)
{
    CExchangeDialog dialog;
    dialog.m_real = 1.0 / 3;
    CString shown[4];
    int shownCheck = -1, shownChoice = -1;
    UINT shownMedium = 0;
    int changesWhileFilling = -1;
    dialog.onInit = [&](CExchangeDialog& d) {
        changesWhileFilling = d.m_nameChanges;
        shown[0] = d.Text(IDC_NUMBER);
        shown[1] = d.Text(IDC_REAL);
        shown[2] = d.Text(IDC_NAME);
        shownCheck = d.IsDlgButtonChecked(IDC_ENABLED);
        shownMedium = d.IsDlgButtonChecked(IDC_SIZE_MEDIUM);
        shownChoice = d.m_combo.GetCurSel();
        // The user's answers.
        d.SetDlgItemText(IDC_NUMBER, L" 42 ");
        d.SetDlgItemText(IDC_REAL, L"2.5e-3");
        d.SetDlgItemText(IDC_NAME, L"second \x00e9t\x00e9");
        d.CheckDlgButton(IDC_ENABLED, BST_CHECKED);
        d.CheckRadioButton(IDC_SIZE_SMALL, IDC_SIZE_LARGE, IDC_SIZE_LARGE);
        d.m_combo.SetCurSel(0);
        d.PostMessage(WM_COMMAND, IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);

    EXPECT_EQ(shown[0], L"7");
    EXPECT_EQ(shown[1], L"0.333333333333333");
    EXPECT_EQ(shown[2], L"first");
    EXPECT_EQ(shownCheck, BST_UNCHECKED);
    EXPECT_EQ(shownMedium, static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(shownChoice, 2);
    // Data exchange filling the name is no change of the user's; the user's typing is.
    EXPECT_EQ(changesWhileFilling, 0);
    EXPECT_EQ(dialog.m_nameChanges, 1);

    EXPECT_EQ(dialog.m_number, 42);
    EXPECT_DOUBLE_EQ(dialog.m_real, 0.0025);
    EXPECT_EQ(dialog.m_name, L"second \x00e9t\x00e9");
    EXPECT_EQ(dialog.m_enabled, BST_CHECKED);
    EXPECT_EQ(dialog.m_size, 2);
    EXPECT_EQ(dialog.m_choice, 0);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_combo.m_hWnd, nullptr) << "the subclassed control lets go with the dialog";
}

TEST(Dialog, InvalidInputKeepsTheDialogOpenAndPutsTheFocusBack)
{
    struct Case {
        int control;
        const wchar_t* text;
        const wchar_t* prompt;
        int number;  // the member afterwards: a text that does not read leaves it alone
    };
    const Case cases[] = {
        { IDC_NUMBER, L"500", L"Enter a whole number from 0 to 100.", 500 },
        { IDC_NUMBER, L"12abc", L"Enter a whole number.", 7 },
        { IDC_NUMBER, L"", L"Enter a whole number.", 7 },
        { IDC_NUMBER, L"99999999999", L"Enter a whole number.", 7 },
        { IDC_REAL, L"1,5", L"Enter a number.", 7 },
        { IDC_REAL, L"inf", L"Enter a number.", 7 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        TestApp().m_prompts.clear();
        CExchangeDialog dialog;
        HWND focus = nullptr, control = nullptr;
        DWORD selection = 0;
        dialog.onInit = [&](CExchangeDialog& d) {
            d.ShowWindow(SW_SHOW);
            d.SetDlgItemText(c.control, c.text);
            d.PostMessage(WM_COMMAND, IDOK);
        };
        dialog.afterFailedOK = [&](CExchangeDialog& d) {
            focus = ::GetFocus();
            control = ::GetDlgItem(d.m_hWnd, c.control);
            selection = static_cast<DWORD>(d.SendDlgItemMessage(c.control, EM_GETSEL));
            d.PostMessage(WM_COMMAND, IDCANCEL);
        };
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        ASSERT_EQ(TestApp().m_prompts.size(), 1u);
        EXPECT_EQ(TestApp().m_prompts[0], c.prompt);
        EXPECT_EQ(focus, control);
        EXPECT_EQ(selection, static_cast<DWORD>(MAKELONG(0, lstrlenW(c.text))));
        EXPECT_EQ(dialog.m_number, c.number);
    }
}

TEST(Dialog, EndDialogDuringInitialisationEndsBeforeTheLoop)
{
    CExchangeDialog dialog;
    dialog.onInit = [](CExchangeDialog& d) { d.EndDialog(55); };
    EXPECT_EQ(dialog.DoModal(), 55);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}

namespace {

// Shows how its idle time goes: WM_KICKIDLE once the queue is empty. It hides itself in the
// first idle round and looks whether it is still hidden in the second.
class CIdleDialog : public CDialog {
public:
    CIdleDialog() : CDialog(IDD_SHARED) {}
    std::vector<BOOL> m_visibleAtIdle;

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        m_visibleAtIdle.push_back(IsWindowVisible());
        if (m_visibleAtIdle.size() == 1) {
            ShowWindow(SW_HIDE);
            PostMessage(WM_NULL);  // activity, so another idle round follows
        } else {
            EndDialog(IDCANCEL);
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

} // namespace

TEST(Dialog, AModalDialogShowsOnceItsQueueRunsEmpty)
{
    CIdleDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_visibleAtIdle, (std::vector<BOOL>{ TRUE, FALSE }));
}

namespace {

// A subclassed edit of the modeless dialog: its map sees the characters typed into it.
class CCountingEdit : public CEdit {
public:
    int m_chars = 0;
    bool m_presubclassed = false;
    void PreSubclassWindow() override { m_presubclassed = true; }

protected:
    afx_msg void OnChar(UINT, UINT, UINT)
    {
        ++m_chars;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

class CModelessDialog : public CDialog {
public:
    CCountingEdit m_first;
    CEdit m_second;
    bool m_gone = false;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_FIRST_EDIT, m_first);
        DDX_Control(pDX, IDC_SECOND_EDIT, m_second);
    }
    void PostNcDestroy() override { m_gone = true; }
};

} // namespace

TEST(Dialog, ModelessDialogWithSubclassedControls)
{
    CModelessDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_MODELESS));
    EXPECT_TRUE(dialog.IsWindowVisible());
    ASSERT_NE(dialog.m_first.m_hWnd, nullptr);
    EXPECT_TRUE(dialog.m_first.m_presubclassed);
    EXPECT_EQ(dialog.GetDlgItem(IDC_FIRST_EDIT), &dialog.m_first);

    dialog.m_first.SendMessage(WM_CHAR, L'x', 1);
    dialog.m_first.SendMessage(WM_CHAR, L'y', 1);
    EXPECT_EQ(dialog.m_first.m_chars, 2);
    CString text;
    dialog.m_first.GetWindowText(text);
    EXPECT_EQ(text, L"xy");

    // Tab moves the focus to the next control: the dialog's PreTranslateMessage in the loop.
    dialog.m_first.SetFocus();
    dialog.m_first.PostMessage(WM_KEYDOWN, VK_TAB, 1);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == dialog.m_second.m_hWnd; }));

    dialog.EndDialog(IDOK);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_TRUE(dialog.m_gone);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_first.m_hWnd, nullptr);
}

TEST(Dialog, ADllsDialogAndStringsLoadFromItsOwnModuleDuringItsCall)
{
    // The program's own resources, outside the call.
    CString programString;
    ASSERT_TRUE(programString.LoadString(IDS_SHARED));
    EXPECT_EQ(programString, L"Program string");

    EXPECT_TRUE(LibraryInitialised()) << "the DLL's application object was initialised at load";
    const LibraryView view = RunLibraryCall();
    EXPECT_EQ(view.dialogCaption, L"Library dialog");
    EXPECT_EQ(view.sharedString, L"Library string");
    EXPECT_EQ(view.app, LibraryApp());
    EXPECT_NE(view.resources, GetModuleHandleW(nullptr));

    // Back to the program after the call.
    EXPECT_EQ(AfxGetApp(), &TestApp());
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleW(nullptr));
    CString again;
    again.LoadString(IDS_SHARED);
    EXPECT_EQ(again, L"Program string");
}
