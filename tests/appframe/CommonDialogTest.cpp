// Common dialogs and printing: a multi-selection's name buffer read back as paths, filters,
// and the print dialog with and without a printer (through a fake printer service).
#include <gtest/gtest.h>
#include <string>
#include "TestApp.h"

namespace {

TEST(FileDialog, SelectionBufferIntoPaths)
{
    struct Case {
        std::wstring buffer;   // as the dialog leaves it, zeros included
        std::vector<std::wstring> paths;
    };
    const Case cases[] = {
        { std::wstring(L"C:\\pics\\one.jpg\0\0", 17), { L"C:\\pics\\one.jpg" } },
        { std::wstring(L"C:\\pics\0one.jpg\0two.png\0\0", 25), { L"C:\\pics\\one.jpg", L"C:\\pics\\two.png" } },
        // A drive's root already ends with its backslash.
        { std::wstring(L"D:\\\0a.gif\0b.gif\0\0", 17), { L"D:\\a.gif", L"D:\\b.gif" } },
        { std::wstring(L"\0\0", 2), {} },
        // A name cut off by the end of the buffer is dropped, never read past.
        { std::wstring(L"C:\\pics\0one.jpg\0tw", 18), { L"C:\\pics\\one.jpg" } },
    };
    for (const Case& c : cases) {
        const std::vector<CString> paths = appframe::SplitSelection(c.buffer.data(), c.buffer.size());
        ASSERT_EQ(paths.size(), c.paths.size()) << c.paths.size();
        for (size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(std::wstring(paths[i].GetString()), c.paths[i]);
    }
}

TEST(FileDialog, ALargeCallerBufferIsWalkedWithPositions)
{
    // The shape of a 260000-character selection buffer handed in by the caller.
    std::vector<wchar_t> buffer(260000, L'\0');
    std::wstring text(L"C:\\album");
    for (int i = 0; i < 3000; ++i)
        text += L'\0' + std::wstring(L"picture") + std::to_wstring(i) + L".jpg";
    std::copy(text.begin(), text.end(), buffer.begin());

    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, L"Pictures|*.jpg;*.png|All|*.*||");
    dialog.m_ofn.lpstrFile = buffer.data();
    dialog.m_ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    int count = 0;
    CString last;
    for (POSITION pos = dialog.GetStartPosition(); pos;) {
        last = dialog.GetNextPathName(pos);
        ++count;
    }
    EXPECT_EQ(count, 3000);
    EXPECT_EQ(last, CString(L"C:\\album\\picture2999.jpg"));
    EXPECT_EQ(dialog.GetPathName(), CString(L"C:\\album\\picture0.jpg"));
    EXPECT_EQ(dialog.GetFileTitle(), CString(L"picture0"));
    EXPECT_EQ(dialog.GetFileExt(), CString(L"jpg"));
}

TEST(FileDialog, FilterAndDefaultExtension)
{
    CFileDialog dialog(FALSE, L".png", L"holiday", OFN_OVERWRITEPROMPT, L"PNG|*.png|JPEG|*.jpg||");
    const wchar_t expected[] = L"PNG\0*.png\0JPEG\0*.jpg\0";
    EXPECT_EQ(memcmp(dialog.m_ofn.lpstrFilter, expected, sizeof expected), 0);
    EXPECT_STREQ(dialog.m_ofn.lpstrDefExt, L"png");
    EXPECT_STREQ(dialog.m_ofn.lpstrFile, L"holiday");
    EXPECT_TRUE(dialog.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 1u);
    EXPECT_EQ(appframe::FilterFromBars(L"A|*.a"), CString(L"A\0*.a\0\0", 7));
}

// A printer that answers OK with a given device.
class FakePrinters : public appframe::PrinterService {
public:
    bool installed = true;
    int shown = 0;
    bool HasPrinter() override { return installed; }
    BOOL PrintDlg(PRINTDLGW& pd) override
    {
        if (!(pd.Flags & PD_RETURNDEFAULT))
            ++shown;
        if (!pd.hDevNames) {
            const wchar_t names[] = L"drv\0Fake printer\0port";
            const size_t size = sizeof(DEVNAMES) + sizeof names;
            pd.hDevNames = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
            auto* dn = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
            memcpy(reinterpret_cast<BYTE*>(dn) + sizeof(DEVNAMES), names, sizeof names);
            const WORD base = sizeof(DEVNAMES) / sizeof(wchar_t);
            dn->wDriverOffset = base;
            dn->wDeviceOffset = base + 4;
            dn->wOutputOffset = base + 17;
            GlobalUnlock(pd.hDevNames);
        }
        pd.nCopies = 2;
        return TRUE;
    }
};

class PrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_before = appframe::SetPrinterService(&m_fake);
        TestApp().m_prompts.clear();
    }
    void TearDown() override
    {
        appframe::SetPrinterService(m_before);
        // The application keeps the fake's settings: let go of them.
        GlobalFree(TestApp().m_hDevNames);
        GlobalFree(TestApp().m_hDevMode);
        TestApp().m_hDevNames = TestApp().m_hDevMode = nullptr;
    }
    FakePrinters m_fake;
    appframe::PrinterService* m_before = nullptr;
};

TEST_F(PrintTest, WithoutAPrinterTheUserIsToldAndNothingPrints)
{
    m_fake.installed = false;
    CPrintInfo info;
    EXPECT_EQ(TestApp().DoPrintDialog(info.m_pPD), IDCANCEL);
    EXPECT_EQ(m_fake.shown, 0);
    ASSERT_EQ(TestApp().m_prompts.size(), 1u);
    EXPECT_FALSE(TestApp().GetPrinterDeviceDefaults(nullptr));
}

TEST_F(PrintTest, ThePrintDialogUsesAndKeepsTheApplicationsPrinter)
{
    PRINTDLGW defaults = {};
    ASSERT_TRUE(TestApp().GetPrinterDeviceDefaults(&defaults));
    EXPECT_EQ(defaults.hDevNames, TestApp().m_hDevNames);

    CPrintInfo info;
    info.SetMinPage(1);
    info.SetMaxPage(3);
    EXPECT_EQ(TestApp().DoPrintDialog(info.m_pPD), IDOK);
    EXPECT_EQ(m_fake.shown, 1);
    EXPECT_EQ(info.m_pPD->GetDeviceName(), CString(L"Fake printer"));
    EXPECT_EQ(info.m_pPD->GetDriverName(), CString(L"drv"));
    EXPECT_EQ(info.m_pPD->GetPortName(), CString(L"port"));
    EXPECT_EQ(info.m_pPD->GetCopies(), 2);
    EXPECT_EQ(info.GetMaxPage(), 3u);
    EXPECT_TRUE(TestApp().m_prompts.empty());
    // The settings stay the application's: the dialog's record lets go of them.
    info.m_pPD->m_pd.hDevNames = info.m_pPD->m_pd.hDevMode = nullptr;
}

} // namespace
