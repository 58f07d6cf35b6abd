#pragma once
// Dialog data exchange: DoDataExchange lists, control by control, how a member and a control
// exchange their value. UpdateData(FALSE) writes the members into the controls;
// UpdateData(TRUE) reads and validates them, and the first failure tells the user, puts the
// focus back on the control and ends the exchange (UpdateData returns FALSE).
#include "Wnd.h"

class APPFRAME_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;   // TRUE: controls to members
    CWnd* m_pDlgWnd;

    // The control with the id, remembered as the one to return to when the exchange fails.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control, whose text is selected on failure.
    HWND PrepareEditCtrl(int nIDC);
    // Ends the exchange: the focus goes back to the last prepared control.
    [[noreturn]] void Fail();

    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

namespace appframe {
// What Fail throws and UpdateData catches.
struct DataExchangeFailure {};
} // namespace appframe

// Binds the control object to the dialog's control (subclassing it) on the first exchange.
APPFRAME_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Check box state: 0, 1, or 2 (indeterminate).
APPFRAME_API void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A group of radio buttons from nIDC (the one with WS_GROUP) to the next group: the index of
// the checked one, -1 for none.
APPFRAME_API void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// The index of a combo box's selection, -1 for none.
APPFRAME_API void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// A number or text as the control's text. A number that does not read completely fails.
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
APPFRAME_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// When reading: a value outside minVal..maxVal fails with a message naming the range.
APPFRAME_API void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
