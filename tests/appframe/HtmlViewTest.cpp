// The browser-less HTML view: a page is fetched through the page fetcher, nothing is shown, and
// the view hears of the result on its own thread.
#include <gtest/gtest.h>
#include <string>
#include "TestApp.h"

namespace {

// Answers from a table instead of the network.
class FakeFetcher : public appframe::PageFetcher {
public:
    bool Fetch(const std::wstring& url, const std::atomic<bool>&) override { return url.find(L"missing") == std::wstring::npos; }
};

int g_viewsDeleted = 0;

// Closes itself once its page has loaded, as a statistics ping does.
class CPingView : public CHtmlView {
public:
    int m_errors = 0;
    ~CPingView() override { ++g_viewsDeleted; }
    void OnDocumentComplete(LPCTSTR) override { PostMessage(WM_CLOSE); }
    void OnNavigateError(LPCTSTR, LPCTSTR, DWORD, BOOL*) override { ++m_errors; }
    void PostNcDestroy() override { delete this; }
};

TEST(HtmlView, APageIsFetchedWithoutShowingAndTheViewClosesItself)
{
    FakeFetcher fake;
    appframe::PageFetcher* before = appframe::SetPageFetcher(&fake);
    g_viewsDeleted = 0;
    auto* view = new CPingView;
    ASSERT_TRUE(view->CreateEx(0, nullptr, nullptr, WS_POPUP, CRect(0, 0, 1, 1), nullptr, 0));
    view->Navigate(L"http://stats.example/missing");
    EXPECT_TRUE(PumpUntil([&] { return view->m_errors == 1; }, 2000));
    EXPECT_EQ(view->GetLocationURL(), CString(L"http://stats.example/missing"));
    EXPECT_FALSE(view->IsWindowVisible());
    view->Navigate(L"http://stats.example/ping");
    EXPECT_TRUE(PumpUntil([&] { return g_viewsDeleted == 1; }, 2000));
    appframe::SetPageFetcher(before);
}

} // namespace
