#include "ToolkitTest.h"
#include "KQPPopupWindow.h"
#include "ToolkitIds.h"

namespace {
class CToolkitTestApp : public CWindowTestApp<> {
public:
    CToolkitTestApp() : CWindowTestApp(L"ToolkitTests") {}
};
CToolkitTestApp theApp;

// Every note of a test shows: the one-a-second rule counts on this clock.
DWORD g_noteClock = 0;
DWORD WINAPI NoteClock()
{
    return g_noteClock;
}

BOOL CALLBACK CollectPopupNote(HWND window, LPARAM notes)
{
    if (::IsWindowVisible(window) && dynamic_cast<CKQPPopupWindow*>(CWnd::FromHandlePermanent(window)))
        reinterpret_cast<std::vector<HWND>*>(notes)->push_back(window);
    return TRUE;
}
} // namespace

BEGIN_MESSAGE_MAP(CNumHostDlg, CKQDialog)
    ON_MESSAGE(WM_KQ_VALUE_SETTLED, OnSettled)
END_MESSAGE_MAP()

CNumHostDlg::CNumHostDlg() : CKQDialog(IDD_NUM_HOST) {}

void CNumHostDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_NUM_EDIT, m_edit);
    DDX_Control(pDX, IDC_NUM_SPIN, m_spin);
}

LRESULT CNumHostDlg::OnSettled(WPARAM, LPARAM)
{
    ++m_settled;
    return 0;
}

void AdvanceNoteClock()
{
    g_noteClock += 100000;
}

void NumHostTest::SetUp()
{
    AdvanceNoteClock();
    SetPopupNotifyClock(NoteClock);
    ASSERT_TRUE(m_host.Create(IDD_NUM_HOST));
    m_host.m_edit.m_nSettleDelay = m_host.m_spin.m_nSettleDelay = 30;
    m_host.m_edit.m_bNotifyParent = m_host.m_spin.m_bNotifyParent = TRUE;
}

void NumHostTest::TearDown()
{
    CloseAllPopupWnd();
    SetPopupNotifyClock(nullptr);
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
}

CString NumHostTest::Text(CWnd& wnd) const
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

int NumHostTest::SettledCount(bool due)
{
    // Ten times the settle delay shows one that is not due; a due one may take longer on a
    // busy machine.
    m_host.m_settled = 0;
    PumpUntil([this] { return m_host.m_settled > 0; }, due ? 5000 : 0);
    PumpFor(300);
    return m_host.m_settled;
}

std::vector<HWND> OpenPopupNotes()
{
    std::vector<HWND> notes;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectPopupNote, reinterpret_cast<LPARAM>(&notes));
    return notes;
}
