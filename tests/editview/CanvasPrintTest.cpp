// The canvas's animation, printing and mail: the delay and layout arithmetic, an animation
// stepped by the test, print jobs on a printer that prints into memory, and the mail hand-over
// to a stand-in mail library.
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>
#include "CanvasTestApp.h"
#include "FakeMapi.h"
#include "MailClient.h"
#include "PrintDialog.h"
#include "TestSupport.h"

namespace {

CZVImage FlatPicture(long width, long height, COLORREF colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    return p;
}

// ---- animation ----

TEST(CanvasAnimation, FrameDelays)
{
    const struct {
        DWORD hundredths;
        DWORD milliseconds;
    } cases[] = {{0, 100}, {7, 70}, {1, 10}, {250, 2500}};
    for (const auto& c : cases)
        EXPECT_EQ(AnimationFrameDelay(c.hundredths), c.milliseconds) << c.hundredths;
}

// A canvas whose frame wait is held until the test lets it go, recording what it was asked.
class SteppedCanvas : public CLayeredViewWnd {
public:
    DWORD WaitForNextFrame(DWORD milliseconds) override
    {
        std::unique_lock<std::mutex> hold(mutex);
        asked.push_back(milliseconds);
        shown.push_back(frameIndex.load());
        changed.notify_all();
        changed.wait(hold, [&] { return steps > 0 || stopping; });
        if (stopping)
            return WAIT_OBJECT_0;
        --steps;
        return WAIT_TIMEOUT;
    }
    // Lets the thread on by one frame and waits until it waits again.
    void Step()
    {
        std::unique_lock<std::mutex> hold(mutex);
        const size_t before = asked.size();
        ++steps;
        changed.notify_all();
        changed.wait(hold, [&] { return asked.size() > before; });
    }
    void WaitForFirstWait()
    {
        std::unique_lock<std::mutex> hold(mutex);
        changed.wait(hold, [&] { return !asked.empty(); });
    }
    void Release()
    {
        std::lock_guard<std::mutex> hold(mutex);
        stopping = true;
        changed.notify_all();
    }
    void Fill(std::initializer_list<DWORD> delays)
    {
        frameCount = static_cast<int32_t>(delays.size());
        frames = new CZVImage*[delays.size()];
        int i = 0;
        for (DWORD delay : delays) {
            frames[i] = new CZVImage(FlatPicture(4, 4, RGB(10 * i, 0, 0)));
            frames[i++]->SetFrameDelay(delay);
        }
    }

    std::mutex mutex;
    std::condition_variable changed;
    int steps = 0;
    bool stopping = false;
    std::vector<DWORD> asked;
    std::vector<int> shown;
};

TEST(CanvasAnimation, ThreeFramesLoopWithTheirDelays)
{
    SteppedCanvas canvas;
    canvas.Fill({0, 7, 3});
    canvas.StartAnimation();
    canvas.WaitForFirstWait();
    EXPECT_EQ(canvas.displayMode.load(), 1);
    for (int i = 0; i < 4; ++i)
        canvas.Step();
    canvas.Release();
    canvas.StopAnimation();
    EXPECT_EQ(canvas.shown, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_EQ(canvas.asked, (std::vector<DWORD>{100, 70, 30, 100, 70}));
    EXPECT_EQ(canvas.displayMode.load(), 0);
    EXPECT_EQ(canvas.frameIndex.load(), 0);
    EXPECT_EQ(canvas.animRunning.load(), 0);
}

TEST(CanvasAnimation, OneFrameStartsNoThread)
{
    SteppedCanvas canvas;
    canvas.Fill({5});
    canvas.StartAnimation();
    EXPECT_FALSE(canvas.animThread);
    EXPECT_EQ(canvas.animRunning.load(), 0);
    EXPECT_TRUE(canvas.asked.empty());
}

// The system's wait of the canvas, with what it answered: a stop wakes it long before a delay
// of 20 seconds runs out.
class WaitingCanvas : public CLayeredViewWnd {
public:
    DWORD WaitForNextFrame(DWORD milliseconds) override
    {
        entered = 1;
        const DWORD result = CLayeredViewWnd::WaitForNextFrame(milliseconds);
        answer = result;
        return result;
    }
    std::atomic<int> entered{0};
    std::atomic<DWORD> answer{0xFFFF};
};

TEST(CanvasAnimation, StopWakesTheFrameWait)
{
    WaitingCanvas canvas;
    canvas.frameCount = 2;
    canvas.frames = new CZVImage*[2]{new CZVImage(FlatPicture(2, 2, 0)), new CZVImage(FlatPicture(2, 2, 0))};
    canvas.frames[0]->SetFrameDelay(2000);
    canvas.frames[1]->SetFrameDelay(2000);
    canvas.StartAnimation();
    while (!canvas.entered.load())
        ::Sleep(1);
    canvas.StopAnimation();
    EXPECT_EQ(canvas.answer.load(), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_FALSE(canvas.animThread);
}

// ---- print layout ----

// Centimetres at 300 dpi both ways: a 5 cm copy is 590 printer pixels.
PrintLayout CentimetreLayout(double side, double spacing, int copies, bool centred)
{
    PrintChoice choice;
    choice.unit = 1;
    choice.pictureDpi = 300;
    choice.printerDpi = 300;
    choice.width = choice.height = side;
    choice.spacing = spacing;
    choice.marginLeft = 1;
    choice.marginTop = 1;
    choice.copies = copies;
    choice.centred = centred ? TRUE : FALSE;
    return PrintLayoutFromChoice(choice);
}

TEST(CanvasPrintLayout, ChoiceInPrinterAndPicturePixels)
{
    PrintChoice choice;
    choice.unit = 2;
    choice.pictureDpi = 200;
    choice.printerDpi = 600;
    choice.width = 3;
    choice.height = 2;
    choice.marginLeft = 0.5;
    choice.marginTop = 0.25;
    choice.spacing = 0.1;
    choice.copies = 6;
    PrintLayout inches = PrintLayoutFromChoice(choice);
    EXPECT_DOUBLE_EQ(inches.pictureDpi, 200);
    EXPECT_DOUBLE_EQ(inches.printWidth, 600);
    EXPECT_DOUBLE_EQ(inches.printHeight, 400);
    EXPECT_DOUBLE_EQ(inches.marginX, 300);
    EXPECT_DOUBLE_EQ(inches.marginY, 150);
    EXPECT_NEAR(inches.spacing, 60, 1e-9);
    EXPECT_EQ(inches.copies, 6);
    choice.unit = 1;
    PrintLayout centimetres = PrintLayoutFromChoice(choice);
    EXPECT_DOUBLE_EQ(centimetres.pictureDpi, 200);   // undivided
    EXPECT_NEAR(centimetres.printWidth, 3 * 200 / 2.539999918, 1e-9);
    EXPECT_NEAR(centimetres.marginX, 0.5 * 600 / 2.539999918, 1e-9);
}

TEST(CanvasPrintLayout, PagesFollowTheCopiesThatFit)
{
    const struct {
        const char* what;
        double side, spacing;
        int copies, pageWidth, pageHeight;
        int columns, pages;
    } cases[] = {
        {"four copies, three columns", 5, 0.5, 4, 2100, 2800, 3, 1},
        {"one copy", 5, 0.5, 1, 2100, 2800, 3, 1},
        {"a second page", 5, 0.5, 13, 2100, 2800, 3, 2},   // 3 x 4 on the first
        {"a copy wider than the page", 30, 0, 2, 2100, 2800, 1, 2},
        {"no copies", 5, 0.5, 0, 2100, 2800, 0, 0},
        {"a picture size of 0", 0, 0.5, 4, 2100, 2800, 0, 0},
        {"a negative spacing that leaves no cell", 5, -5.1, 4, 2100, 2800, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PrintLayout layout = CentimetreLayout(c.side, c.spacing, c.copies, false);
        const PrintGrid grid = LayOutPrintGrid(layout, 300, 300, c.pageWidth, c.pageHeight);
        EXPECT_EQ(grid.columns, c.columns);
        EXPECT_EQ(grid.pages, c.pages);
        size_t placed = 0;
        for (int page = 1; page <= grid.pages; ++page)
            placed += PrintCopyPositions(layout, grid, c.pageWidth, c.pageHeight, page).size();
        EXPECT_EQ(placed, static_cast<size_t>(grid.pages > 0 ? c.copies : 0));
    }
}

TEST(CanvasPrintLayout, ThreeAndOneAtTheMarginsOrCentred)
{
    // Copies of 590 pixels in cells of 649 on a page of 2100 x 2800.
    const PrintLayout atMargins = CentimetreLayout(5, 0.5, 4, false);
    const PrintGrid grid = LayOutPrintGrid(atMargins, 300, 300, 2100, 2800);
    ASSERT_EQ(grid.copyWidth, 590);
    ASSERT_EQ(grid.cellWidth, 649);
    const int m = static_cast<int>(300 / 2.539999918);   // a 1 cm margin
    std::vector<POINT> at = PrintCopyPositions(atMargins, grid, 2100, 2800, 1);
    const std::vector<POINT> expected = {{m, m}, {m + 649, m}, {m + 1298, m}, {m, m + 649}};
    ASSERT_EQ(at.size(), expected.size());
    for (size_t i = 0; i < at.size(); ++i) {
        EXPECT_EQ(at[i].x, expected[i].x) << i;
        EXPECT_EQ(at[i].y, expected[i].y) << i;
    }
    // Centred: three cells less one spacing across, two rows less one spacing down.
    const PrintLayout centred = CentimetreLayout(5, 0.5, 4, true);
    at = PrintCopyPositions(centred, grid, 2100, 2800, 1);
    ASSERT_EQ(at.size(), 4u);
    EXPECT_EQ(at[0].x, (2100 - 3 * 649 + 59) / 2);
    EXPECT_EQ(at[0].y, (2800 - 2 * 649 + 59) / 2);
    EXPECT_EQ(at[3].x, at[0].x);
    EXPECT_EQ(at[3].y, at[0].y + 649);
    // A single copy alone in its row is centred on the page.
    const PrintLayout one = CentimetreLayout(5, 0.5, 1, true);
    at = PrintCopyPositions(one, LayOutPrintGrid(one, 300, 300, 2100, 2800), 2100, 2800, 1);
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at[0].x, (2100 - 649 + 59) / 2);
    EXPECT_EQ(at[0].y, (2800 - 590) / 2);
}

// ---- print jobs ----

// The print dialog as the editor will show it, answering with a fixed layout.
class FakePrintDialog : public IPrintLayoutDialog {
public:
    bool Run(CWnd*, const CZVImage& picture, PrintChoice& out) override
    {
        ++runs;
        pictureWidth = static_cast<int>(picture.GetWidth());
        pictureHeight = static_cast<int>(picture.GetHeight());
        out = choice;
        return ok;
    }
    PrintChoice choice;
    bool ok = true;
    int runs = 0;
    int pictureWidth = 0, pictureHeight = 0;
};

class CanvasPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previousPrinter = appframe::SetPrinterService(&printer);
        m_previousDialog = SetPrintLayoutDialog(&dialog);
        dialog.choice.unit = 1;
        dialog.choice.pictureDpi = 300;
        dialog.choice.printerDpi = 300;
        dialog.choice.width = dialog.choice.height = 5;
        dialog.choice.spacing = 0.5;
        dialog.choice.marginLeft = dialog.choice.marginTop = 1;
        dialog.choice.copies = 4;
        ASSERT_TRUE(canvas.CreateEx(0, nullptr, L"print", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    }
    void TearDown() override
    {
        canvas.DestroyWindow();
        SetPrintLayoutDialog(m_previousDialog);
        appframe::SetPrinterService(m_previousPrinter);
    }
    void Open(const CZVImage& picture)
    {
        canvas.UpdateClientRect();
        ASSERT_TRUE(canvas.doc.OpenImage(picture));
    }
    COLORREF PageAt(int x, int y) const
    {
        const BYTE* p = printer.PageBits() + y * printer.PageStride() + x * 3;
        return RGB(p[2], p[1], p[0]);
    }
    int Count(const wchar_t* call) const
    {
        int n = 0;
        for (size_t at = printer.calls.find(call); at != std::wstring::npos; at = printer.calls.find(call, at + 1))
            ++n;
        return n;
    }
    // The page as a PNG for people to look at.
    void SavePage(const std::wstring& path) const
    {
        const appframe::PrinterPage& page = printer.Page();
        CZVImage out;
        ASSERT_TRUE(out.Create(page.width, page.height, 24));
        for (int y = 0; y < page.height; ++y)
            memcpy(out.GetBits(page.height - 1 - y), printer.PageBits() + y * printer.PageStride(), size_t(page.width) * 3);
        ::CreateDirectoryW(path.substr(0, path.find_last_of(L'\\')).c_str(), nullptr);
        EXPECT_TRUE(out.SaveFile(path.c_str(), CXIMAGE_FORMAT_PNG));
    }

    // A page of 7 x 9.33 inches at 300 dpi: three 5 cm columns across.
    appframe::MemoryPrinterService printer{2100, 2800, 300};
    FakePrintDialog dialog;
    CLayeredViewWnd canvas;

private:
    appframe::PrinterService* m_previousPrinter = nullptr;
    IPrintLayoutDialog* m_previousDialog = nullptr;
};

TEST_F(CanvasPrintTest, FourCopiesThreeAndOneOnOnePage)
{
    Open(FlatPicture(400, 400, RGB(200, 30, 30)));
    canvas.PrintImage();
    EXPECT_EQ(dialog.runs, 1);
    EXPECT_EQ(Count(L"StartPage"), 1);
    EXPECT_EQ(Count(L"EndDoc"), 1);
    EXPECT_EQ(Count(L"AbortDoc"), 0);
    ASSERT_NE(printer.PageBits(), nullptr);
    SavePage(testsupport::BinDir() + L"\\..\\out\\print-page1.png");
    const int m = static_cast<int>(300 / 2.539999918);
    const struct {
        int x, y;
        bool copy;
    } probes[] = {{m + 295, m + 295, true},        {m + 649 + 295, m + 295, true}, {m + 1298 + 295, m + 295, true},
                  {m + 295, m + 649 + 295, true},  {m + 649 + 295, m + 649 + 295, false},
                  {m + 1298 + 295, m + 649 + 295, false}, {m + 295, m + 1298 + 295, false},
                  {m + 620, m + 295, false},       {m / 2, m / 2, false}};
    for (const auto& p : probes)
        EXPECT_EQ(PageAt(p.x, p.y), p.copy ? RGB(200, 30, 30) : RGB(255, 255, 255)) << p.x << "," << p.y;
}

TEST_F(CanvasPrintTest, AWidePictureIsTurnedAndPrintsOnePage)
{
    Open(FlatPicture(6000, 1000, RGB(30, 30, 200)));
    canvas.PrintImage();
    EXPECT_EQ(dialog.pictureWidth, 1000);
    EXPECT_EQ(dialog.pictureHeight, 6000);
    EXPECT_EQ(Count(L"StartPage"), 1);
    EXPECT_EQ(Count(L"EndDoc"), 1);
}

TEST_F(CanvasPrintTest, NothingPrintedWithoutAJob)
{
    const struct {
        const char* what;
        bool dialogOk;
        bool printerInstalled;
        double side;
    } cases[] = {{"layout dialog cancelled", false, true, 5},
                 {"no printer", true, false, 5},
                 {"a copy of no size", true, true, 0}};
    Open(FlatPicture(40, 40, RGB(0, 200, 0)));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        printer.calls.clear();
        dialog.ok = c.dialogOk;
        printer.installed = c.printerInstalled;
        dialog.choice.width = dialog.choice.height = c.side;
        canvas.PrintImage();
        EXPECT_EQ(Count(L"StartPage"), 0);
    }
    EXPECT_EQ(printer.liveDCs, 0);
}

// ---- mail ----

class FakeMailClient : public IMailClient {
public:
    HMODULE LoadMapi() override
    {
        ++loads;
        return ::LoadLibraryW(library.c_str());
    }
    std::wstring library;
    int loads = 0;
};

TEST(CanvasMail, TheFileGoesToTheMailProgram)
{
    FakeMailClient client;
    client.library = testsupport::BinDir() + L"\\..\\tests\\FakeMapi.dll";
    HMODULE held = ::LoadLibraryW(client.library.c_str());
    ASSERT_NE(held, nullptr);
    auto lastCall = reinterpret_cast<FakeMapiLastCallFn>(reinterpret_cast<void*>(::GetProcAddress(held, "FakeMapiLastCall")));
    ASSERT_NE(lastCall, nullptr);
    IMailClient* previous = SetMailClient(&client);
    CLayeredViewWnd canvas;
    EXPECT_FALSE(canvas.SendByMail());
    EXPECT_EQ(client.loads, 0);
    const int before = lastCall()->calls;
    canvas.filePath = L"C:\\pictures\\lake.jpg";
    EXPECT_TRUE(canvas.SendByMail());
    EXPECT_EQ(lastCall()->calls, before + 1);
    ASSERT_EQ(lastCall()->files.size(), 1u);
    EXPECT_EQ(lastCall()->files[0].path, "C:\\pictures\\lake.jpg");
    SetMailClient(previous);
    ::FreeLibrary(held);
}

} // namespace
