// The flat button's pushed face and width, and the long-press button's notes to its parent,
// driven by mouse messages.
#include "KQFlatButton.h"
#include "ToolkitTestSupport.h"

namespace {

// The button's client area printed into a bitmap.
COLORREF PrintedButtonPixel(CWnd& button, int x, int y)
{
    CRect client;
    button.GetClientRect(&client);
    CPixelCanvas canvas(client.Width(), client.Height(), RGB(1, 2, 3));
    button.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC().m_hDC), PRF_CLIENT);
    return canvas.At(x, y);
}

class FlatButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManagerVS2012));
        ASSERT_TRUE(m_host.Open(CRect(0, 0, 300, 100)));
        // The pointer is left where it is: the button is never hot here.
        ASSERT_TRUE(m_button.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &m_host, 1001));
    }
    void TearDown() override { CBCGPVisualManager::SetDefaultManager(nullptr); }
    CToolkitHost m_host;
    CKQFlatButton m_button;
};

TEST_F(FlatButtonTest, APushedButtonIsFramedAndTintedAwayFromThePointer)
{
    ASSERT_TRUE(m_button.IsKindOf(RUNTIME_CLASS(CBCGPButton)));
    const COLORREF back = PrintedButtonPixel(m_button, 50, 15);
    EXPECT_EQ(PrintedButtonPixel(m_button, 1, 15), back) << "flat while neither hot nor pushed";

    m_button.SetPush(TRUE);
    EXPECT_TRUE(m_button.IsPush());
    const COLORREF frame = CBCGPVisualManager::GetInstance()->GetControlBorderColor(TRUE, FALSE);
    EXPECT_EQ(PrintedButtonPixel(m_button, 1, 15), frame) << ColorText(PrintedButtonPixel(m_button, 1, 15));
    EXPECT_EQ(PrintedButtonPixel(m_button, 50, 1), frame);
    EXPECT_EQ(PrintedButtonPixel(m_button, 0, 15), back) << "the frame lies one pixel inside";
    EXPECT_EQ(PrintedButtonPixel(m_button, 50, 15), skinui::HighlightPixel(back, 30, globalData.clrHilite));

    m_button.SetPush(FALSE);
    EXPECT_EQ(PrintedButtonPixel(m_button, 1, 15), back);
}

TEST_F(FlatButtonTest, SizeToContentChangesTheWidthAlone)
{
    m_button.SetWindowText(L"Zoom in and out");
    const CSize wanted = m_button.CBCGPButton::SizeToContent(TRUE);
    ASSERT_NE(wanted.cy, 30) << "the text's own height would differ from the button's";
    const CSize size = m_button.SizeToContent();
    EXPECT_EQ(size.cx, wanted.cx);
    CRect rect;
    m_button.GetWindowRect(&rect);
    m_host.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(10, 10, 10 + wanted.cx, 40));
}

// A long-press button in a host that keeps its notes ('D' pressed, 'U' released).
class LongPressTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Open(CRect(0, 0, 300, 100)));
        ASSERT_TRUE(m_other.Open(CRect(0, 120, 100, 160)));
        ASSERT_TRUE(m_button.Create(L"Hold", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &m_host, 1002));
    }
    void TearDown() override { ::ReleaseCapture(); }
    CToolkitHost m_host, m_other;
    CKQLongPressButton m_button;
};

TEST_F(LongPressTest, EveryPressIsFollowedByExactlyOneRelease)
{
    enum Step { Down, DoubleClick, Up, MoveOut, Leave, UpOutside, Steal };
    const struct {
        const char* name;
        std::vector<Step> steps;
        const char* notes;
        bool held;   // at the end
    } cases[] = {
        {"press and release", {Down, Up}, "DU", false},
        {"press and leave", {Down, MoveOut, Leave}, "D", true},
        {"press, leave, release outside", {Down, MoveOut, Leave, UpOutside}, "DU", false},
        {"capture taken by another window", {Down, Steal}, "DU", false},
        {"capture taken, then released elsewhere", {Down, MoveOut, Steal, Up}, "DU", false},
        {"a release without a press", {Up}, "", false},
        {"a double click is two presses", {Down, Up, DoubleClick, Up}, "DUDU", false},
    };
    for (const auto& c : cases) {
        m_host.notes.clear();
        for (Step step : c.steps) {
            switch (step) {
            case Down:
                m_button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
                EXPECT_EQ(::GetCapture(), m_button.m_hWnd) << c.name << ": the held button keeps the capture";
                break;
            case DoubleClick:
                m_button.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 10));
                break;
            case Up:
                m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
                break;
            case MoveOut:
                m_button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-40, 60));
                break;
            case Leave:
                m_button.SendMessage(WM_MOUSELEAVE);
                break;
            case UpOutside:
                m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(-40, 60));
                break;
            case Steal:
                m_other.SetCapture();
                break;
            }
        }
        EXPECT_EQ(m_host.notes, c.notes) << c.name;
        EXPECT_EQ(m_button.IsHeld() != FALSE, c.held) << c.name;
        // End any press the case left, so that the next starts afresh.
        ::ReleaseCapture();
        m_button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
        EXPECT_FALSE(m_button.IsHeld()) << c.name;
    }
}

} // namespace
