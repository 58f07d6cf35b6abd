// The picture details panel: which lines it shows and where, checked on its own pixels.
#include <gtest/gtest.h>
#include "LumivoShowsIds.h"
#include "PicDetailWnd.h"
#include "WindowTestApp.h"

namespace {

PicDetails Picture(int64_t photo, int64_t create, int64_t modify)
{
    PicDetails d;
    d.fileName = L"C:\\Pictures\\beach.jpg";
    d.fileSize = 1234567;
    d.width = 640;
    d.height = 480;
    d.bitsPerPixel = 24;
    d.photoTime = photo;
    d.createTime = create;
    d.modifyTime = modify;
    return d;
}

TEST(PicDetailLayout, LeftOutTimesCloseUp)
{
    const int64_t t = 1700000000;
    const struct {
        PicDetails details;
        std::vector<std::wstring> times; // the time lines, in order, after the four fixed ones
    } cases[] = {
        {Picture(t, t, t), {L"Photo Time", L"Create Time", L"Last Modified Time"}},
        {Picture(0, t, t), {L"Create Time", L"Last Modified Time"}},
        {Picture(t, 0, t), {L"Photo Time", L"Last Modified Time"}},
        {Picture(0, 0, 0), {}},
    };
    for (const auto& c : cases) {
        const auto lines = DetailLines(c.details, 13, 10);
        ASSERT_EQ(lines.size(), 4 + c.times.size());
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].top, 10 + int(i) * 23) << i;
        EXPECT_EQ(std::wstring(lines[0].value), c.details.fileName);
        EXPECT_EQ(std::wstring(lines[2].label), L"Width");
        EXPECT_EQ(std::wstring(lines[2].label2), L"Height");
        EXPECT_EQ(lines[2].value2, L"480");
        for (size_t i = 0; i < c.times.size(); ++i)
            EXPECT_EQ(lines[4 + i].label, c.times[i]);
    }
}

class DetailPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 260),
                                  nullptr, 0));
        ASSERT_TRUE(wnd.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 260), &host));
        wnd.Init(IDB_DETAIL_PLACEHOLDER);
    }
    void TearDown() override
    {
        wnd.DestroyWindow();
        host.DestroyWindow();
    }

    COLORREF At(int x, int y) const { return ::GetPixel(wnd.memDC.m_hDC, x, y); }
    // Whether any pixel of the rows [top, top + height) is not white.
    bool Ink(int top, int height) const
    {
        for (int y = top; y < top + height; ++y)
            for (int x = 0; x < wnd.clientWidth; ++x)
                if (At(x, y) != RGB(255, 255, 255))
                    return true;
        return false;
    }
    bool AllWhite() const { return !Ink(0, wnd.clientHeight); }

    CWnd host;
    CPicDetailWnd wnd;
};

TEST_F(DetailPanel, WithoutPhotoTimeTheTimesMoveUp)
{
    ASSERT_GT(wnd.charHeight, 0);
    const int line = wnd.charHeight + wnd.margin;
    wnd.SetDetails(Picture(1700000000, 1700000000, 1700000000));
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(Ink(wnd.margin + i * line, wnd.charHeight)) << "line " << i;
    EXPECT_FALSE(Ink(wnd.margin + 7 * line, wnd.clientHeight - wnd.margin - 7 * line));

    wnd.SetDetails(Picture(0, 1700000000, 1700000000));
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(Ink(wnd.margin + i * line, wnd.charHeight)) << "line " << i;
    EXPECT_FALSE(Ink(wnd.margin + 6 * line, wnd.clientHeight - wnd.margin - 6 * line));
    // The label's grey starts each line at the margin; nothing is left of it.
    EXPECT_FALSE(Ink(0, wnd.margin));
}

TEST_F(DetailPanel, WithoutPictureThePlaceholderIsCentred)
{
    ASSERT_GT(wnd.placeholderWidth, 0);
    wnd.SetInfo(nullptr);
    const int left = (wnd.clientWidth - wnd.placeholderWidth) / 2;
    const int top = (wnd.clientHeight - wnd.placeholderHeight) / 2;
    const int right = left + wnd.placeholderWidth, bottom = top + wnd.placeholderHeight;
    EXPECT_NE(At(left, top + 5), RGB(255, 255, 255));
    EXPECT_NE(At(right - 1, bottom - 5), RGB(255, 255, 255));
    EXPECT_EQ(At(left - 1, top + 5), RGB(255, 255, 255));
    EXPECT_EQ(At(right, bottom - 5), RGB(255, 255, 255));
    EXPECT_FALSE(Ink(0, top));
    EXPECT_FALSE(Ink(bottom, wnd.clientHeight - bottom));
}

TEST_F(DetailPanel, DetailsSwitchedOffLeaveThePanelWhite)
{
    wnd.SetDetails(Picture(1700000000, 1700000000, 1700000000));
    ASSERT_FALSE(AllWhite());
    wnd.ShowText(false);
    EXPECT_TRUE(AllWhite());
    wnd.ShowText(true);
    EXPECT_FALSE(AllWhite());
}

} // namespace
