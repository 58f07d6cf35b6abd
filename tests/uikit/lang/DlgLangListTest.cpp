// The language chooser: its rows from the language files, the count, sorting, the OK button's
// state and the buttons that apply a language.
#include <algorithm>
#include <gtest/gtest.h>
#include "DlgLangList.h"
#include "LangTestSupport.h"
#include "ZVUILibApp.h"
#include "ZVUILibAppIds.h"

namespace {

const wchar_t kLanguageValue[] = L"HKCU\\Software\\Lumivo\\Language";

// The chooser as a modeless dialog over the library's resources; the language state and its
// registry value are put back afterwards.
class LanguageChooser : public ::testing::Test {
protected:
    void SetUp() override { m_before = GetLanguageName(true); }
    void TearDown() override
    {
        if (m_dialog && m_dialog->m_hWnd)
            m_dialog->DestroyWindow();
        m_dialog.reset();
        CZVUILibApp::GetInstance().m_langTable.LoadLanguageList((CZVUILibApp::GetLanguageFolder() + L"Language.lst").GetString());
        SelectLanguage(m_before.c_str());
    }
    CDlgLangList& Open(const wchar_t* folder)
    {
        m_dialog.reset(new CDlgLangList(nullptr, folder));
        EXPECT_TRUE(m_dialog->Create(IDD_LANG_LIST));
        return *m_dialog;
    }
    std::vector<std::wstring> Rows()
    {
        std::vector<std::wstring> rows;
        for (int i = 0; i < m_dialog->m_wndList.GetItemCount(); ++i) {
            rows.push_back(std::wstring(m_dialog->m_wndList.GetItemText(i, 0)) + L"/" + std::wstring(m_dialog->m_wndList.GetItemText(i, 1)));
            EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(m_dialog->m_wndList.GetItemData(i))),
                      std::wstring(m_dialog->m_wndList.GetItemText(i, 0)));
        }
        return rows;
    }
    std::wstring CountText()
    {
        wchar_t text[64] = {};
        m_dialog->GetDlgItemText(IDC_LANG_COUNT, text, 64);
        return text;
    }
    static std::wstring Count(int languages)
    {
        wchar_t text[64] = {};
        swprintf(text, 64, TranslateString(L"%d Languages"), languages);
        return text;
    }

    appframe::ModuleScope m_scope{GetZVUILibModule()};
    RegistryValueGuard m_guard{kLanguageValue};
    std::wstring m_before;
    std::unique_ptr<CDlgLangList> m_dialog;
    TempFolder m_folder;
};

TEST_F(LanguageChooser, ARowPerFileAndEnglishCounted)
{
    ASSERT_TRUE(PutUtf16(m_folder.At(L"Language.lst"), L"German|Deutsch|0407\r\nFrench|Fran\u00E7ais|040C\r\n"));
    for (const wchar_t* name : {L"German.txt", L"French.txt", L"Unlisted.txt"})
        ASSERT_TRUE(PutUtf16(m_folder.At(name), L""));
    ASSERT_TRUE(PutUtf16(m_folder.At(L"notes.lst"), L""));
    ASSERT_TRUE(LoadLanguageList(m_folder.At(L"Language.lst").c_str()));

    CDlgLangList& dialog = Open(m_folder.Root().c_str());
    std::vector<std::wstring> rows = Rows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"French/Fran\u00E7ais", L"German/Deutsch", L"Unlisted/Unlisted"}));
    EXPECT_EQ(CountText(), Count(4));

    dialog.m_wndList.Sort(0);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"French/Fran\u00E7ais", L"German/Deutsch", L"Unlisted/Unlisted"}));

    EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
    dialog.m_wndList.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_STREQ(GetLanguageName(true), L"German");
    EXPECT_STREQ(GetLanguageName(false), L"German");
    dialog.m_wndList.SetItemState(1, 0, LVIS_SELECTED);
    EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
}

TEST_F(LanguageChooser, ShippedLanguagesAndTheButtons)
{
    CDlgLangList& dialog = Open(nullptr);
    std::vector<std::wstring> rows = Rows();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"English/English", L"Simplified Chinese/\u7B80\u4F53\u4E2D\u6587"}));
    EXPECT_EQ(CountText(), Count(2)); // English has a file, so it is not counted twice

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANG_ENGLISH, BN_CLICKED));
    EXPECT_STREQ(GetLanguageName(true), L"English");
    ALT::TString<wchar_t, 0, 8> stored;
    EXPECT_TRUE(RegQueryString(kLanguageValue, stored, nullptr));
    EXPECT_STREQ(stored.GetString(), L"English");
    EXPECT_FALSE(dialog.IsWindowVisible()); // ended with OK

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LANG_AUTO, BN_CLICKED));
    EXPECT_STREQ(GetLanguageName(true), L"Auto");
}

} // namespace
