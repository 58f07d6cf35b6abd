#pragma once
// CBCGPPopupWindow: a small note with an icon and a text that appears above the other windows
// (by default at the bottom right of the work area) and closes itself after its auto-close
// time, unless the pointer rests on it. The object is not deleted with its window.
#include "AppFrame.h"
#include "SkinUIDef.h"

namespace skinui {
// Where a note of the size goes: at the point (its top-left), pulled into the work area, or
// at the work area's bottom right when the point is (-1, -1).
SKINUI_API CRect PlacePopup(CSize size, CPoint pt, const CRect& workArea);
} // namespace skinui

class SKINUI_API CBCGPPopupWndParams {
public:
    HICON m_hIcon = nullptr;
    CString m_strText;
    CString m_strURL;
    UINT m_nURLCmdID = 0;
};

class SKINUI_API CBCGPPopupWindow : public CWnd {
    DECLARE_DYNAMIC(CBCGPPopupWindow)
public:
    CBCGPPopupWindow() = default;
    ~CBCGPPopupWindow() override;

    // ptPos in screen coordinates; (-1, -1): the default place.
    virtual BOOL Create(CWnd* pWndOwner, CBCGPPopupWndParams& params, HMENU hMenu = nullptr, CPoint ptPos = CPoint(-1, -1));
    // Milliseconds until the note closes itself; 0: it stays.
    void SetAutoCloseTime(int nTime) { m_nAutoCloseTime = nTime; }
    int GetAutoCloseTime() const { return m_nAutoCloseTime; }
    void SetTransparency(BYTE nTransparency) { m_nTransparency = nTransparency; }
    // The clock the auto-close counts with (GetTickCount by default).
    typedef DWORD(WINAPI* Clock)();
    void SetClock(Clock pfnClock) { m_pfnClock = pfnClock ? pfnClock : &::GetTickCount; }
    CWnd* GetOwner() const { return m_pWndOwner; }
    // Measured size of the note for its text.
    virtual CSize GetDialogSize();
    void Render(CDC* pDC);
    CRect GetCloseButtonRect() const;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CBCGPPopupWndParams m_params;
    CWnd* m_pWndOwner = nullptr;
    int m_nAutoCloseTime = 0;
    BYTE m_nTransparency = 255;
    Clock m_pfnClock = &::GetTickCount;
    DWORD m_dwStart = 0;
    BOOL m_bCloseHighlighted = FALSE;
};
