// The editor's print dialog over a printer that prints into memory (A4 at 300 dpi): the size
// proposed for the picture, units, standard sizes, entries out of range, the printer's page and
// orientation, no printer, and a print from the editor frame.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include "DialogIds.h"
#include "KQPrintDialog.h"
#include "PrintDialog.h"

namespace {

using editorprint::CKQPrintDialog;
using editorprint::CPrintLayoutDialog;

CZVImage Picture(int width, int height, long dpi)
{
    CZVImage image;
    image.Create(DWORD(width), DWORD(height), 24);
    image.SetRectColor(RECT{0, 0, width, height}, RGBQUAD{40, 80, 200, 0});
    image.SetXDPI(dpi);
    image.SetYDPI(dpi);
    return image;
}

std::wstring Text(CKQPrintDialog& dialog, int id)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    return static_cast<const wchar_t*>(text);
}

void Choose(CKQPrintDialog& dialog, int id, int index)
{
    dialog.SendDlgItemMessage(id, CB_SETCURSEL, WPARAM(index), 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), LPARAM(dialog.GetDlgItem(id)->m_hWnd));
}

class EditorPrintDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ForgetPrinter();
        m_before = appframe::SetPrinterService(&printer);
    }
    void TearDown() override
    {
        appframe::SetPrinterService(m_before);
        ForgetPrinter();
    }
    // The application keeps the default printer's settings; each test starts from its own.
    static void ForgetPrinter()
    {
        CWinApp* app = AfxGetApp();
        for (HGLOBAL* handle : {&app->m_hDevMode, &app->m_hDevNames}) {
            if (*handle)
                ::GlobalFree(*handle);
            *handle = nullptr;
        }
    }
    // Runs the dialog on the picture; steps see it laid out, then it closes with the button
    // (0: the steps close it).
    bool Run(const CZVImage& picture, std::function<void(CKQPrintDialog&)> steps, int button = IDOK)
    {
        struct Context {
            std::function<void(CKQPrintDialog&)> steps;
            int button;
            bool shown = false;
        } context{steps, button};
        CPrintLayoutDialog runner;
        runner.context = &context;
        runner.ready = [](CKQPrintDialog& dialog, void* c) {
            auto* context = static_cast<Context*>(c);
            context->shown = true;
            if (context->steps)
                context->steps(dialog);
            if (context->button)
                dialog.PostMessage(WM_COMMAND, MAKEWPARAM(context->button, BN_CLICKED), 0);
        };
        const bool ok = runner.Run(nullptr, picture, choice);
        shown = context.shown;
        return ok;
    }

    appframe::MemoryPrinterService printer{2480, 3508, 300};
    PrintChoice choice;
    bool shown = false;

private:
    appframe::PrinterService* m_before = nullptr;
};

TEST_F(EditorPrintDialogTest, ProposesThePicturesSizeAtItsResolution)
{
    struct Case {
        int width, height;
        long dpi;
        double photoWidth, photoHeight;
        const wchar_t* resolution;
    };
    const Case cases[] = {
        // Turned to 2000 x 3000 and proposed at 300 PPI.
        {3000, 2000, 300, 16.93, 25.40, L"Print resolution 300 PPI"},
        // 72 PPI or less: printed at 72.
        {720, 1080, 72, 25.40, 38.10, L"Print resolution 72 PPI"},
        {720, 1080, 50, 25.40, 38.10, L"Print resolution 72 PPI"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        std::wstring width, height, resolution, paper;
        ASSERT_TRUE(Run(Picture(c.width, c.height, c.dpi), [&](CKQPrintDialog& d) {
            width = Text(d, IDC_KQ_WIDTH);
            height = Text(d, IDC_KQ_HEIGHT);
            resolution = Text(d, IDC_KQ_RESOLUTION_LABEL);
            paper = Text(d, IDC_KQ_PAPER);
        }));
        EXPECT_DOUBLE_EQ(c.photoWidth, _wtof(width.c_str()));
        EXPECT_DOUBLE_EQ(c.photoHeight, _wtof(height.c_str()));
        EXPECT_EQ(c.resolution, resolution);
        EXPECT_EQ(L"Paper 21.00cm \u00D7 29.70cm", paper);
    }
    // What OK hands the canvas.
    EXPECT_EQ(1, choice.unit);
    EXPECT_DOUBLE_EQ(72.0, choice.pictureDpi);
    EXPECT_DOUBLE_EQ(300.0, choice.printerDpi);
    EXPECT_DOUBLE_EQ(25.40, choice.width);
    EXPECT_EQ(1, choice.copies);
}

TEST_F(EditorPrintDialogTest, UnitsStandardSizesAndEntriesOutOfRange)
{
    std::wstring inches, back, presetUnit, presetWidth, presetHeight, presetResolution, autoWidth, autoResolution;
    std::wstring zeroWidth, overWidth;
    int presetCount = 0;
    ASSERT_TRUE(Run(Picture(3000, 2000, 300), [&](CKQPrintDialog& d) {
        // cm to inches and back, from the two decimals shown.
        Choose(d, IDC_KQ_UNIT, 1);
        inches = Text(d, IDC_KQ_WIDTH);
        Choose(d, IDC_KQ_UNIT, 0);
        back = Text(d, IDC_KQ_WIDTH);
        // "4 x 6 " inches: the unit follows; the count stays the user's (two would fit).
        Choose(d, IDC_KQ_PHOTO_SIZE, 13);
        presetUnit = Text(d, IDC_KQ_UNIT);
        presetWidth = Text(d, IDC_KQ_WIDTH);
        presetHeight = Text(d, IDC_KQ_HEIGHT);
        presetResolution = Text(d, IDC_KQ_RESOLUTION_LABEL);
        presetCount = int(d.GetDlgItemInt(IDC_KQ_COUNT));
        // "Automatic" gives back the first proposal at the picture's own resolution.
        Choose(d, IDC_KQ_PHOTO_SIZE, 0);
        autoWidth = Text(d, IDC_KQ_WIDTH);
        autoResolution = Text(d, IDC_KQ_RESOLUTION_LABEL);
        // A width of 0 becomes 1; one wider than the paper the paper's width.
        d.SetDlgItemText(IDC_KQ_WIDTH, L"0");
        zeroWidth = std::to_wstring(d.m_dWidth);
        d.SetDlgItemText(IDC_KQ_WIDTH, L"100");
        overWidth = std::to_wstring(d.m_dWidth);
    }));
    EXPECT_EQ(L"6.67", inches);
    EXPECT_EQ(L"16.94", back);
    EXPECT_EQ(L"inches", presetUnit);
    EXPECT_EQ(L"4", presetWidth);
    EXPECT_EQ(L"6", presetHeight);
    EXPECT_EQ(L"Print resolution 500 PPI", presetResolution);   // 2000 pixels over 4 inches
    EXPECT_EQ(1, presetCount);
    EXPECT_EQ(L"16.93", autoWidth);
    EXPECT_EQ(L"Print resolution 300 PPI", autoResolution);
    EXPECT_EQ(std::to_wstring(1.0), zeroWidth);
    EXPECT_EQ(std::to_wstring(21.0), overWidth);
    // The resolution handed on is a whole number.
    EXPECT_DOUBLE_EQ(choice.pictureDpi, double(long(choice.pictureDpi)));
}

TEST_F(EditorPrintDialogTest, TheResolutionIsAWholeNumber)
{
    double resolution = 0;
    ASSERT_TRUE(Run(Picture(2000, 3000, 300), [&](CKQPrintDialog& d) {
        d.SetDlgItemText(IDC_KQ_WIDTH, L"7");   // 2000 x 2.54 / 7 = 725.71...
        resolution = d.m_dResolution;
    }));
    EXPECT_DOUBLE_EQ(726.0, resolution);
    EXPECT_DOUBLE_EQ(726.0, choice.pictureDpi);
}

TEST_F(EditorPrintDialogTest, EnterAndEscapeFromTheKeyboard)
{
    const struct {
        WPARAM key;
        bool ok;
    } cases[] = {{VK_RETURN, true}, {VK_ESCAPE, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(c.ok, Run(Picture(200, 300, 72), [&c](CKQPrintDialog& d) {
            // The keys go to the control that has the focus, as typed.
            HWND focus = ::GetFocus();
            HWND target = focus && ::IsChild(d.m_hWnd, focus) ? focus : d.GetDlgItem(IDC_KQ_PHOTO_SIZE)->m_hWnd;
            ::PostMessageW(target, WM_KEYDOWN, c.key, 0);
            ::PostMessageW(target, WM_KEYUP, c.key, 0xC0000000);
        }, 0));
    }
}

TEST_F(EditorPrintDialogTest, PrinterPageOrientationAndNoPrinter)
{
    // A default printer in landscape: its page is read across.
    printer.orientation = DMORIENT_LANDSCAPE;
    std::wstring paper;
    EXPECT_FALSE(Run(Picture(200, 300, 72), [&](CKQPrintDialog& d) { paper = Text(d, IDC_KQ_PAPER); }, IDCANCEL));
    EXPECT_TRUE(shown);
    EXPECT_EQ(L"Paper 29.70cm \u00D7 21.00cm", paper);

    // No printer: the framework says so once, and no dialog opens.
    ForgetPrinter();
    printer.installed = false;
    EXPECT_FALSE(Run(Picture(200, 300, 72), nullptr));
    EXPECT_FALSE(shown);
    EXPECT_EQ(1, printer.noPrinterReports);
}

} // namespace
