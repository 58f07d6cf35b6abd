#pragma once
// CDlgLoading: the progress dialog shown while long work runs. A worker drives it: it waits
// until the dialog is up (WaitDlgLoadingEnvet), then sets the range, position and texts and
// finally closes it. Those calls only post to the dialog, so a window thread that waits for the
// worker cannot deadlock it; after the user cancels, updates are ignored.
#include <atomic>
#include <mutex>
#include "SkinUI.h"
#include "ZVUILibDef.h"

// Posted by the dialog to itself once it is up; its handler signals the waiting worker.
const UINT WM_KQ_LOADING_READY = 0x503;

class ZVUILIB_API CDlgLoading : public CBCGPDialog {
public:
    explicit CDlgLoading(CWnd* pParent = nullptr);
    ~CDlgLoading() override;

    // The modal result. A non-null text replaces the message; a non-zero time (milliseconds)
    // closes the dialog with Cancel once it has counted down.
    INT_PTR ShowDialog(const wchar_t* text = nullptr, int autoCloseMs = 0, bool hideCancel = false);
    // Ends the dialog (as soon as it is up when it is not yet) and resets it.
    void CloseDialog();
    void Reset();
    void SetRange(int min, int max);
    void SetPos(int pos);
    // The format filled with the percentage of the position in the range ("%d%%").
    void SetPerText(const wchar_t* format);
    void TextOutW(const wchar_t* text);
    // Blocks until the dialog is up, has ended or could not be made: true when it is up.
    bool WaitDlgLoadingEnvet();
    bool WaitDlgLoadingEnvet(DWORD timeoutMs);
    // Whether cancel is allowed (a derived dialog may refuse).
    virtual bool OnUserCancel();
    bool IsCancelled() const { return m_bCancelled; }

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

    UINT m_nTickMs = 300;       // the auto-close timer's interval; each tick counts 300 off
    int m_nTicks = 0;           // timer ticks of this run

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCancel() override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnDlgLoadingEvent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnWorkerUpdate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void ResetState();
    void Post(UINT kind, WPARAM wParam = 0);

    std::atomic<int> m_nMin{0}, m_nMax{0}, m_nLastPos{-1};
    HANDLE m_hEvent = nullptr;          // auto-reset: the dialog is up, or has ended
    CString m_strMessage;
    std::atomic<int> m_nCountdown{0};
    std::atomic<bool> m_bHideCancel{false};
    std::atomic<bool> m_bCancelled{false};
    std::atomic<bool> m_bShown{false};
    std::atomic<bool> m_bEnded{false};        // this run's dialog has ended
    std::atomic<bool> m_bCloseRequested{false};
    std::atomic<HWND> m_hWndShown{nullptr};   // the window workers post to
    std::mutex m_textLock;                    // guards the message and the texts a worker hands over
    CString m_strPendingText, m_strPendingPercent;
    CBCGPProgressCtrl m_wndProgress;
};
