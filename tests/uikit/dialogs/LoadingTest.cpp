// The progress dialog driven by a worker thread, as its callers drive it.
#include <atomic>
#include <thread>
#include "DialogIds.h"
#include "DialogsTest.h"
#include "DlgLoading.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

namespace {

class LoadingTest : public testing::Test {
protected:
    appframe::ModuleScope m_scope{GetZVUILibModule()};
    CDlgLoading m_dialog;

    // Runs the dialog while the worker runs; the worker is joined before this returns.
    INT_PTR RunWith(const std::function<void()>& work, int autoCloseMs = 0)
    {
        std::thread worker(work);
        const INT_PTR result = m_dialog.ShowDialog(nullptr, autoCloseMs, false);
        worker.join();
        return result;
    }
};

TEST_F(LoadingTest, WorkerWaitsThenFillsTheBarAndThePercentage)
{
    std::atomic<bool> up{false};
    std::wstring percent, text;
    int pos = -1;
    bool barShown = false;
    ActOnDialog([&](HWND dialog) {
        PumpUntil([&] { return ItemText(dialog, IDC_KQ_PERCENT) == L"50%" && ItemText(dialog, IDC_KQ_LOADING_TEXT) == L"Reading"; });
        percent = ItemText(dialog, IDC_KQ_PERCENT);
        text = ItemText(dialog, IDC_KQ_LOADING_TEXT);
        pos = int(::SendDlgItemMessageW(dialog, IDC_KQ_PROGRESS, PBM_GETPOS, 0, 0));
        barShown = ::IsWindowVisible(::GetDlgItem(dialog, IDC_KQ_PROGRESS)) != FALSE;
        Click(dialog, IDCANCEL);
    });
    const INT_PTR result = RunWith([&] {
        up = m_dialog.WaitDlgLoadingEnvet();
        m_dialog.SetRange(100, 200);
        m_dialog.SetPos(150);
        m_dialog.SetPerText(L"%d%%");
        m_dialog.TextOutW(L"Reading");
    });
    EXPECT_TRUE(up);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(percent, L"50%");
    EXPECT_EQ(text, L"Reading");
    EXPECT_EQ(pos, 150);
    EXPECT_TRUE(barShown);
}

TEST_F(LoadingTest, UpdatesAfterCancelAreIgnored)
{
    std::atomic<bool> cancelled{false};
    std::wstring percent;
    ActOnDialog([&](HWND dialog) {
        PumpUntil([&] { return ItemText(dialog, IDC_KQ_PERCENT) == L"10%"; });
        // The user cancels; the worker goes on updating and the dialog is gone meanwhile.
        Click(dialog, IDCANCEL);
        cancelled = true;
    });
    RunWith([&] {
        m_dialog.WaitDlgLoadingEnvet();
        m_dialog.SetRange(0, 100);
        m_dialog.SetPos(10);
        m_dialog.SetPerText(L"%d%%");
        while (!cancelled)
            ::Sleep(5);
        m_dialog.SetPos(90);
        m_dialog.SetPerText(L"%d%%");
    });
    EXPECT_TRUE(m_dialog.IsCancelled());
    // A later run starts afresh: the cancel belonged to the run before.
    ActOnDialog([&](HWND dialog) {
        percent = ItemText(dialog, IDC_KQ_PERCENT);
        Click(dialog, IDCANCEL);
    });
    RunWith([] {});
    EXPECT_EQ(percent, L"");
}

TEST_F(LoadingTest, CloseBeforeTheDialogIsUpClosesItOnceUp)
{
    std::atomic<bool> closed{false};
    std::thread worker([&] {
        m_dialog.CloseDialog();
        closed = true;
    });
    worker.join();
    ASSERT_TRUE(closed);
    // Nothing drives the dialog: it has to end by itself.
    ActOnDialog([](HWND) {});
    const INT_PTR result = m_dialog.ShowDialog();
    DisarmDialogAct();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(m_dialog.IsCancelled());
}

TEST_F(LoadingTest, WaitReturnsWhenTheDialogHasEnded)
{
    EXPECT_FALSE(m_dialog.WaitDlgLoadingEnvet(0));
    ActOnDialog([](HWND dialog) { Click(dialog, IDCANCEL); });
    // The worker starts waiting only after the dialog has come and gone.
    std::atomic<bool> returned{false};
    m_dialog.ShowDialog();
    std::thread late([&] {
        m_dialog.WaitDlgLoadingEnvet(5000);
        returned = true;
    });
    late.join();
    EXPECT_TRUE(returned);
}

TEST_F(LoadingTest, AutoCloseAtTheFourthTick)
{
    m_dialog.m_nTickMs = 20;
    const INT_PTR result = m_dialog.ShowDialog(nullptr, 1000);
    EXPECT_EQ(result, IDCANCEL);
    // 1000, 700, 400, 100, then below 1.
    EXPECT_EQ(m_dialog.m_nTicks, 4);
}

// A program shows the dialog with its own resources current: the template is still found.
TEST(Loading, ShowsWithTheProgramsResourcesCurrent)
{
    CDlgLoading dialog;
    dialog.m_nTickMs = 20;
    EXPECT_EQ(dialog.ShowDialog(nullptr, 1000), IDCANCEL);
}

} // namespace
