#include "DlgLoading.h"
#include <cwchar>
#include "DialogIds.h"
#include "DialogRules.h"
#include "ModuleState.h"
#include "ZVUILibApp.h"

namespace {
const UINT WM_KQ_LOADING_UPDATE = WM_APP + 0x503;
enum Update : WPARAM { UPDATE_RANGE, UPDATE_POS, UPDATE_PERCENT, UPDATE_TEXT, UPDATE_CLOSE };
const UINT_PTR kCountdownTimer = 1;
const int kCountdownStep = 300;
const wchar_t kDefaultMessage[] = L"Loading....Please wait";
} // namespace

BEGIN_MESSAGE_MAP(CDlgLoading, CBCGPDialog)
    ON_WM_TIMER()
    ON_MESSAGE(WM_KQ_LOADING_READY, OnDlgLoadingEvent)
    ON_MESSAGE(WM_KQ_LOADING_UPDATE, OnWorkerUpdate)
END_MESSAGE_MAP()

CDlgLoading::CDlgLoading(CWnd* pParent)
    : CBCGPDialog(IDD_KQ_LOADING, pParent), m_hEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr)), m_strMessage(kDefaultMessage)
{
}

CDlgLoading::~CDlgLoading()
{
    if (m_hEvent)
        ::CloseHandle(m_hEvent);
}

void CDlgLoading::DoDataExchange(CDataExchange* pDX)
{
    CBCGPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KQ_PROGRESS, m_wndProgress);
}

INT_PTR CDlgLoading::ShowDialog(const wchar_t* text, int autoCloseMs, bool hideCancel)
{
    if (text) {
        std::lock_guard<std::mutex> lock(m_textLock);
        m_strMessage = text;
    }
    if (autoCloseMs)
        m_nCountdown = autoCloseMs;
    m_bHideCancel = hideCancel;
    m_bEnded = false;
    INT_PTR result;
    {
        // The template is the library's, whoever shows the dialog.
        appframe::ModuleScope scope(GetZVUILibModule());
        result = DoModal();
    }
    // A dialog that could not be made must not keep its worker waiting.
    m_bEnded = true;
    m_hWndShown = nullptr;
    ::SetEvent(m_hEvent);
    return result;
}

BOOL CDlgLoading::OnInitDialog()
{
    m_bCancelled = false;
    m_nTicks = 0;
    CBCGPDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    CString message;
    {
        std::lock_guard<std::mutex> lock(m_textLock);
        message = m_strMessage;
    }
    SetDlgItemText(IDC_KQ_LOADING_TEXT, TranslateString(message));
    if (m_bHideCancel)
        GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
    else
        SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    SetTimer(kCountdownTimer, m_nTickMs, nullptr);
    PostMessage(WM_KQ_LOADING_READY);
    m_bShown = true;
    m_hWndShown = m_hWnd;
    // A close asked for before the window existed.
    if (m_bCloseRequested.exchange(false))
        PostMessage(WM_KQ_LOADING_UPDATE, UPDATE_CLOSE);
    return TRUE;
}

LRESULT CDlgLoading::OnDlgLoadingEvent(WPARAM, LPARAM)
{
    ::SetEvent(m_hEvent);
    return 0;
}

bool CDlgLoading::WaitDlgLoadingEnvet()
{
    return WaitDlgLoadingEnvet(INFINITE);
}

bool CDlgLoading::WaitDlgLoadingEnvet(DWORD timeoutMs)
{
    if (::WaitForSingleObject(m_hEvent, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return !m_bEnded && m_hWndShown.load() != nullptr;
}

void CDlgLoading::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCountdownTimer)
        return;
    ++m_nTicks;
    if (m_nCountdown > 0) {
        m_nCountdown -= kCountdownStep;
        if (m_nCountdown < 1)
            EndDialog(IDCANCEL);
    }
}

void CDlgLoading::Post(UINT kind, WPARAM wParam)
{
    if (HWND wnd = m_hWndShown)
        ::PostMessageW(wnd, WM_KQ_LOADING_UPDATE, kind, LPARAM(wParam));
}

void CDlgLoading::SetRange(int min, int max)
{
    if (m_bCancelled)
        return;
    m_nMin = min;
    m_nMax = max;
    Post(UPDATE_RANGE);
}

void CDlgLoading::SetPos(int pos)
{
    if (m_bCancelled || m_nLastPos.exchange(pos) == pos)
        return;
    Post(UPDATE_POS, WPARAM(pos));
}

void CDlgLoading::SetPerText(const wchar_t* format)
{
    if (m_bCancelled || !format)
        return;
    wchar_t text[256] = {};
    _snwprintf(text, 255, format, ProgressPercent(m_nLastPos, m_nMin, m_nMax));
    {
        std::lock_guard<std::mutex> lock(m_textLock);
        m_strPendingPercent = text;
    }
    Post(UPDATE_PERCENT);
}

void CDlgLoading::TextOutW(const wchar_t* text)
{
    {
        std::lock_guard<std::mutex> lock(m_textLock);
        m_strPendingText = text ? text : L"";
    }
    Post(UPDATE_TEXT);
}

LRESULT CDlgLoading::OnWorkerUpdate(WPARAM kind, LPARAM value)
{
    if (kind == UPDATE_CLOSE) {
        EndDialog(IDCANCEL);
        return 0;
    }
    if (kind == UPDATE_TEXT) {
        CString text;
        {
            std::lock_guard<std::mutex> lock(m_textLock);
            text = m_strPendingText;
        }
        SetDlgItemText(IDC_KQ_LOADING_TEXT, text);
        return 0;
    }
    if (m_bCancelled)
        return 0;
    switch (kind) {
    case UPDATE_RANGE:
        m_wndProgress.SetRange32(m_nMin, m_nMax);
        m_wndProgress.ShowWindow(SW_SHOW);
        GetDlgItem(IDC_KQ_PERCENT)->ShowWindow(SW_SHOW);
        break;
    case UPDATE_POS:
        m_wndProgress.SetPos(int(value));
        break;
    case UPDATE_PERCENT: {
        CString text;
        {
            std::lock_guard<std::mutex> lock(m_textLock);
            text = m_strPendingPercent;
        }
        SetDlgItemText(IDC_KQ_PERCENT, text);
        break;
    }
    }
    return 0;
}

void CDlgLoading::ResetState()
{
    m_nMin = 0;
    m_nMax = 0;
    m_nLastPos = -1;
    {
        std::lock_guard<std::mutex> lock(m_textLock);
        m_strMessage = kDefaultMessage;
    }
    m_nCountdown = 0;
    m_bHideCancel = false;
    m_bCancelled = false;
    m_bShown = false;
}

void CDlgLoading::Reset()
{
    ResetState();
}

void CDlgLoading::CloseDialog()
{
    const bool cancelled = m_bCancelled;
    ResetState();
    if (cancelled)
        return;
    if (m_hWndShown.load())
        Post(UPDATE_CLOSE);
    else if (!m_bEnded) {
        m_bCloseRequested = true;
        // The window may have come up between the two looks.
        if (m_hWndShown.load() && m_bCloseRequested.exchange(false))
            Post(UPDATE_CLOSE);
    }
}

bool CDlgLoading::OnUserCancel()
{
    return true;
}

void CDlgLoading::OnCancel()
{
    if (!OnUserCancel())
        return;
    m_bCancelled = true;
    EndDialog(IDCANCEL);
    const bool cancelled = true;
    ResetState();
    m_bCancelled = cancelled;
}

BOOL CDlgLoading::DestroyWindow()
{
    m_bShown = false;
    m_nCountdown = 0;
    m_hWndShown = nullptr;
    m_bEnded = true;
    ::SetEvent(m_hEvent);
    return CBCGPDialog::DestroyWindow();
}
