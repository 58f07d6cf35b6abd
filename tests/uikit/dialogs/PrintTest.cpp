// Printing one picture through a printer that prints into memory.
#include "DialogIds.h"
#include "DialogRules.h"
#include "DialogsTest.h"
#include "KQNumEdit.h"
#include "KQPrintWnd.h"

namespace {

// A picture of one colour.
CZVImage Picture(int width, int height, RGBQUAD color = RGBQUAD{40, 80, 200, 0})
{
    CZVImage image;
    image.Create(DWORD(width), DWORD(height), 24);
    image.SetRectColor(RECT{0, 0, width, height}, color);
    return image;
}

class PrintTest : public testing::Test {
protected:
    void SetUp() override { m_before = appframe::SetPrinterService(&m_printer); }
    void TearDown() override
    {
        DisarmDialogAct();
        appframe::SetPrinterService(m_before);
    }
    // Prints the picture; steps run in the print dialog, which then closes with the button.
    void Print(const CZVImage& image, std::function<void(HWND)> steps, int button = IDOK)
    {
        ActOnDialog([steps, button](HWND dialog) {
            if (steps)
                steps(dialog);
            Click(dialog, button);
        });
        m_wnd.Print(image);
        EXPECT_TRUE(DialogActDone());
    }
    // The printed page's pixel (top-down rows).
    COLORREF PageAt(int x, int y) const
    {
        const BYTE* p = m_printer.PageBits() + size_t(y) * size_t(m_printer.PageStride()) + size_t(x) * 3;
        return RGB(p[2], p[1], p[0]);
    }

    appframe::MemoryPrinterService m_printer;   // A4 at 600 dpi
    appframe::PrinterService* m_before = nullptr;
    CKQPrintWnd m_wnd;
};

TEST_F(PrintTest, OneDocumentOfOnePageWithThePhotosWhereTheLayoutPutsThem)
{
    // Wider than the page's share: the picture would have asked for several pages before.
    Print(Picture(6000, 9000), [](HWND dialog) {
        Choose(dialog, IDC_KQ_PHOTO_SIZE, 13);   // 4 x 6 inches, two a page
        ::SendMessageW(dialog, WM_KQ_VALUE_SETTLED, 0, 0);
    });
    EXPECT_EQ(m_printer.calls, L"DeleteDC StartDoc(ZVUILib) StartPage EndPage EndDoc DeleteDC");
    EXPECT_EQ(m_printer.liveDCs, 0);
    ASSERT_NE(m_printer.PageBits(), nullptr);
    EXPECT_EQ(m_wnd.m_nCount, 2);

    // 4 x 6 inches at 600 dpi, a 0.1-inch gap, from the top left corner.
    const printlayout::Layout layout = printlayout::LayOutPhotos({4960, 7016}, {2400, 3600}, 60, 2, false, {0, 0});
    ASSERT_EQ(layout.photos.size(), 2u);
    const COLORREF photo = RGB(200, 80, 40), paper = RGB(255, 255, 255);
    for (const RECT& r : layout.photos) {
        EXPECT_EQ(PageAt(r.left + 5, r.top + 5), photo);
        EXPECT_EQ(PageAt(r.right - 5, r.bottom - 5), photo);
        EXPECT_EQ(PageAt(r.left + 5, r.bottom + 20), paper);
    }
    EXPECT_EQ(PageAt(2400 + 30, 1000), paper);   // the gap
    EXPECT_EQ(PageAt(4960 - 10, 1000), paper);
}

TEST_F(PrintTest, CentredBlockOnThePage)
{
    Print(Picture(2000, 3000), [](HWND dialog) {
        Choose(dialog, IDC_KQ_PHOTO_SIZE, 14);   // 5 x 7 inches, one a page
        ::CheckDlgButton(dialog, IDC_KQ_CENTER, BST_CHECKED);
        Click(dialog, IDC_KQ_CENTER);
    });
    // 3000 x 4200 printer pixels centred on 4960 x 7016.
    EXPECT_EQ(PageAt(980 - 3, 1408 + 10), RGB(255, 255, 255));
    EXPECT_EQ(PageAt(980 + 3, 1408 + 10), RGB(200, 80, 40));
    EXPECT_EQ(PageAt(980 + 3000 - 3, 1408 + 4200 - 3), RGB(200, 80, 40));
    EXPECT_EQ(PageAt(980 + 3000 + 3, 1408 + 10), RGB(255, 255, 255));
}

TEST_F(PrintTest, AFailedPageAbortsTheDocument)
{
    m_printer.endPageResult = -1;
    Print(Picture(300, 400), nullptr);
    EXPECT_EQ(m_printer.calls, L"DeleteDC StartDoc(ZVUILib) StartPage EndPage AbortDoc DeleteDC");
}

TEST_F(PrintTest, NoPrinterNoJobAndOneMessage)
{
    m_printer.installed = false;
    std::wstring paper;
    Print(Picture(300, 400), [&](HWND dialog) { paper = ItemText(dialog, IDC_KQ_PAPER); });
    EXPECT_EQ(paper, L"No printer");
    EXPECT_EQ(m_printer.calls, L"");
    EXPECT_EQ(m_printer.noPrinterReports, 1);
}

TEST_F(PrintTest, CancelPrintsNothing)
{
    Print(Picture(300, 400), nullptr, IDCANCEL);
    EXPECT_EQ(m_printer.calls, L"DeleteDC");
    EXPECT_EQ(m_printer.noPrinterReports, 0);
}

TEST_F(PrintTest, LandscapeIsTurnedSquareIsNot)
{
    const struct {
        int width, height;
        bool taller;
    } cases[] = {{3000, 2000, true}, {2000, 3000, true}, {2000, 2000, false}};
    for (const auto& c : cases) {
        Print(Picture(c.width, c.height), nullptr);
        if (c.taller)
            EXPECT_LT(m_wnd.m_dPhotoWidth, m_wnd.m_dPhotoHeight) << c.width << "x" << c.height;
        else
            EXPECT_NEAR(m_wnd.m_dPhotoWidth, m_wnd.m_dPhotoHeight, 1.0) << c.width << "x" << c.height;
    }
}

TEST_F(PrintTest, AutomaticRestoresTheFirstSize)
{
    std::wstring first[2], standard[2], restored[2];
    int count = 0;
    Print(Picture(2000, 3000), [&](HWND dialog) {
        first[0] = ItemText(dialog, IDC_KQ_WIDTH);
        first[1] = ItemText(dialog, IDC_KQ_HEIGHT);
        Choose(dialog, IDC_KQ_PHOTO_SIZE, 13);
        standard[0] = ItemText(dialog, IDC_KQ_WIDTH);
        standard[1] = ItemText(dialog, IDC_KQ_HEIGHT);
        Choose(dialog, IDC_KQ_PHOTO_SIZE, 0);
        restored[0] = ItemText(dialog, IDC_KQ_WIDTH);
        restored[1] = ItemText(dialog, IDC_KQ_HEIGHT);
        count = int(::GetDlgItemInt(dialog, IDC_KQ_COUNT, nullptr, FALSE));
    }, IDCANCEL);
    EXPECT_EQ(first[0], L"52.92");   // 2000 pixels at the picture's 96 PPI in centimetres
    EXPECT_EQ(standard[0], L"4");
    EXPECT_EQ(standard[1], L"6");
    EXPECT_EQ(restored[0], first[0]);
    EXPECT_EQ(restored[1], first[1]);
    EXPECT_EQ(count, 1);
}

TEST_F(PrintTest, ThicknessCutToTheFreeSpaceAndCountToWhatFits)
{
    std::wstring thickness;
    int count = 0;
    Print(Picture(2000, 3000), [&](HWND dialog) {
        Choose(dialog, IDC_KQ_PHOTO_SIZE, 15);   // 8 x 10 inches on 8.27 x 11.69
        Type(dialog, IDC_KQ_THICKNESS, L"5");
        thickness = ItemText(dialog, IDC_KQ_THICKNESS);
        Type(dialog, IDC_KQ_COUNT, L"9");
        count = int(::GetDlgItemInt(dialog, IDC_KQ_COUNT, nullptr, FALSE));
    }, IDCANCEL);
    EXPECT_EQ(thickness, L"0.27");
    EXPECT_EQ(count, 1);
}

} // namespace
