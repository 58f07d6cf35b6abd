#pragma once
// The toolkit's test program: its application object (ToolkitTestApp.cpp), a dialog holding a
// numeric edit with its spin, and helpers the tests share. Message pumping is in WindowTestApp.h.
#include <ostream>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "KQDialog.h"
#include "KQNumSpinCtrl.h"
#include "SkinUI.h"
#include "WindowTestApp.h"

// Test failures show strings as text.
inline void PrintTo(const CStringW& s, std::ostream* os)
{
    *os << testing::PrintToString(std::wstring(s.GetString()));
}

// A numeric edit with its spin (template IDD_NUM_HOST); counts the settled messages it hears.
class CNumHostDlg : public CKQDialog {
public:
    CNumHostDlg();
    CKQNumEdit m_edit;
    CKQNumSpinCtrl m_spin;
    int m_settled = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg LRESULT OnSettled(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The host made, settling fast and telling it; notes on a clock of the test's, closed after.
class NumHostTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CString Text(CWnd& wnd) const;
    // The settled messages that come: it waits for the first when one is due, then a while
    // longer for any more.
    int SettledCount(bool due);
    CNumHostDlg m_host;
};

// The visible pop-up notes of the thread.
std::vector<HWND> OpenPopupNotes();
// Moves the notes' clock on, so that the next note is not within a second of the last.
void AdvanceNoteClock();
