#include "DlgFrameBase.h"
#include <process.h>
#include <algorithm>
#include "DlgControls.h"
#include "FrameDialogIds.h"
#include "PicEditView.h"
#include "ZVEffectDialog.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgFrameBase, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgFrameBase, CKQDialog)
    ON_BN_CLICKED(IDC_FRAME_TYPE_ZOOM, OnTypeZoom)
    ON_BN_CLICKED(IDC_FRAME_TYPE_CORNERS, OnTypeCorners)
    ON_BN_CLICKED(IDC_FRAME_TYPE_SURROUND, OnTypeSurround)
    ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_FRAME_ZOOM_SLIDER, OnZoomReleased)
    ON_EN_CHANGE(IDC_FRAME_ZOOM, OnZoomEdited)
    ON_WM_TIMER()
    ON_MESSAGE(CDlgFrameBase::kRenderDone, OnRenderDone)
END_MESSAGE_MAP()

namespace {

const int kTypeIds[3] = {IDC_FRAME_TYPE_ZOOM, IDC_FRAME_TYPE_CORNERS, IDC_FRAME_TYPE_SURROUND};
const int kZoomRowIds[4] = {IDC_FRAME_ZOOM_LABEL, IDC_FRAME_ZOOM_SLIDER, IDC_FRAME_ZOOM, IDC_FRAME_PERCENT};
const int kMinZoom = 1, kMaxZoom = 800;

// Render ids of every frame dialog; read and raised on the user-interface thread only.
UINT g_lastFrameRunId = 0;

} // namespace

CDlgFrameBase::CDlgFrameBase(CWnd* pParent) : CKQDialog(IDD_FRAME, pParent) {}

CDlgFrameBase::~CDlgFrameBase()
{
    // The worker writes into this object's pictures.
    StopRender();
}

void CDlgFrameBase::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FRAME_ZOOM_SLIDER, m_slider);
    DDX_Text(pDX, IDC_FRAME_ZOOM, m_nZoom);
}

BOOL CDlgFrameBase::OnInitDialog()
{
    // The edit's first text is no change of the user's.
    m_settingZoom = true;
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    m_hostTaken = FindToolHost(m_host) && m_host.HasView() && TakeHost();
    if (m_hostTaken)
        PlaceOverView();
    SendDlgItemMessage(IDC_FRAME_ZOOM, EM_SETLIMITTEXT, 3, 0);
    m_slider.SetRange(kMinZoom, kMaxZoom);
    m_slider.SetPos(m_nZoom);
    m_settingZoom = false;
    for (int id : kTypeIds)
        GetDlgItem(id)->EnableWindow(FALSE);
    EnableZoomRow(false);

    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    const int height = EffectProgressHeight(dc.GetDeviceCaps(LOGPIXELSY));
    const CRect strip(client.left + 2, client.bottom - 2 - height, client.right - 2, client.bottom - 2);
    // Shown only while a render runs.
    m_progress.Create(WS_CHILD, strip, this, kProgressId);
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));

    UpdateTexts();
    SetFrameTypes(m_nFrameMask);
    StartRender();
    return TRUE;
}

void CDlgFrameBase::UpdateTexts()
{
    SetWindowText(TranslateString(L"Frame"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDC_FRAME_TYPE_ZOOM, L"Zoom"},   {IDC_FRAME_TYPE_CORNERS, L"Four corners"},
                 {IDC_FRAME_TYPE_SURROUND, L"Surround"}, {IDC_FRAME_ZOOM_LABEL, L"Zoom"},
                 {IDC_FRAME_PERCENT, L"%"},          {IDOK, L"Ok"},
                 {IDCANCEL, L"Cancel"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    KQSetCtrlWidth(this);
    KQMoveWindows(this, 8, true, IDC_FRAME_TYPE_ZOOM, IDC_FRAME_TYPE_CORNERS, IDC_FRAME_TYPE_SURROUND, 0);
    KQMoveWindows(this, 4, true, IDC_FRAME_ZOOM_LABEL, IDC_FRAME_ZOOM_SLIDER, IDC_FRAME_ZOOM, IDC_FRAME_PERCENT, 0);
}

void CDlgFrameBase::PlaceOverView()
{
    PlaceDialogOverView(*this, *m_host.view);
}

void CDlgFrameBase::SetFrameTypes(int mask)
{
    const FrameTypeControls controls = FrameTypeControlsForMask(mask);
    ShowZoom(100);
    for (int type = 0; type < 3; ++type) {
        GetDlgItem(kTypeIds[type])->EnableWindow(controls.radio[type] ? TRUE : FALSE);
        CheckDlgButton(kTypeIds[type], type == controls.checked ? BST_CHECKED : BST_UNCHECKED);
    }
    EnableZoomRow(controls.zoomRow);
}

void CDlgFrameBase::EnableZoomRow(bool enable)
{
    for (int id : kZoomRowIds)
        GetDlgItem(id)->EnableWindow(enable ? TRUE : FALSE);
}

void CDlgFrameBase::ShowZoom(int zoom)
{
    m_nZoom = std::max(kMinZoom, std::min(kMaxZoom, zoom));
    m_settingZoom = true;
    m_slider.SetPos(m_nZoom);
    SetDlgItemInt(IDC_FRAME_ZOOM, m_nZoom, FALSE);
    m_settingZoom = false;
}

void CDlgFrameBase::OnTypeChosen(int) {}

void CDlgFrameBase::EscapeCopies() {}

void CDlgFrameBase::ChooseType(int type)
{
    m_nFrameType = type;
    OnTypeChosen(type);
    StartRender();
}

void CDlgFrameBase::OnTypeZoom()
{
    ChooseType(FRAME_ZOOM);
}

void CDlgFrameBase::OnTypeCorners()
{
    ChooseType(FRAME_CORNERS);
}

void CDlgFrameBase::OnTypeSurround()
{
    ChooseType(FRAME_SURROUND);
}

void CDlgFrameBase::OnZoomReleased(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    // A zoom the user chose is never lowered by the first render.
    m_firstRun = false;
    ShowZoom(m_slider.GetPos());
    StartRender();
}

void CDlgFrameBase::OnZoomEdited()
{
    if (m_settingZoom || !m_slider.m_hWnd)
        return;
    BOOL ok = FALSE;
    const UINT typed = GetDlgItemInt(IDC_FRAME_ZOOM, &ok, FALSE);
    // An edit emptied on the way to another number renders nothing yet.
    if (!ok || typed < UINT(kMinZoom))
        return;
    m_firstRun = false;
    m_nZoom = std::min(kMaxZoom, int(typed));
    m_slider.SetPos(m_nZoom);
    StartRender();
}

void CDlgFrameBase::ShowProgress(bool show)
{
    if (!m_progress.m_hWnd)
        return;
    if (show)
        m_progress.SendMessage(PBM_SETPOS, 0);
    m_progress.ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

void CDlgFrameBase::FinishIdle()
{
    KillTimer(kProgressTimer);
    ShowProgress(false);
}

void CDlgFrameBase::StartRender()
{
    if (!m_hostTaken)
        return;
    ShowProgress(true);
    if (m_run) {
        // The render going on is cut short and the next one starts when its worker has ended:
        // the dialog never waits for it, and the changes that come meanwhile make one render.
        RequestStop();
        m_restartPending = true;
        return;
    }
    LaunchRender();
}

void CDlgFrameBase::LaunchRender()
{
    m_restartPending = false;
    auto run = std::make_unique<CFrameRun>();
    run->id = ++g_lastFrameRunId;
    run->owner = this;
    run->zoom = m_nZoom;
    run->type = m_nFrameType;
    run->firstRun = m_firstRun;
    m_renderProgress.store(0);
    m_working.store(1);
    unsigned threadId = 0;
    run->thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, RenderThread, run.get(), 0, &threadId));
    if (!run->thread) {
        m_working.store(0);
        FinishIdle();
        return;
    }
    m_run = std::move(run);
    // Set here, on the dialog's own thread; the worker never touches the window.
    SetTimer(kProgressTimer, 50, nullptr);
}

// The worker reads the frame picture once, frames a copy through the twin and posts its end.
unsigned __stdcall CDlgFrameBase::RenderThread(void* param)
{
    CFrameRun* run = static_cast<CFrameRun*>(param);
    CDlgFrameBase* dialog = run->owner;
    dialog->m_frame.SetEscape(0);
    if (!dialog->m_frame.IsValid() && !dialog->m_frame.LoadFile(dialog->m_strFramePath)) {
        run->outcome = FRAME_RENDER_UNREADABLE;
    } else {
        dialog->SetRenderProgress(10);
        if (run->firstRun)
            run->zoom = FirstRunZoom(run->zoom, dialog->BaseWidth(), long(dialog->m_frame.GetWidth()));
        const bool made = !run->stop.load() && dialog->Render(*run) && !run->stop.load();
        run->outcome = made ? FRAME_RENDER_DONE : FRAME_RENDER_FAILED;
    }
    dialog->SetRenderProgress(100);
    dialog->m_working.store(0);
    ::PostMessageW(dialog->m_hWnd, kRenderDone, run->id, run->outcome);
    return 0;
}

void CDlgFrameBase::RequestStop()
{
    m_run->stop.store(1);
    m_frame.SetEscape(1);
    // A copy made after this clears its flag again: Render checks the stop flag after each copy.
    EscapeCopies();
}

void CDlgFrameBase::StopRender()
{
    m_restartPending = false;
    if (!m_run)
        return;
    RequestStop();
    // The worker only posts: the wait needs no messages.
    ::WaitForSingleObject(m_run->thread, INFINITE);
    ::CloseHandle(m_run->thread);
    m_run.reset();
    m_working.store(0);
}

LRESULT CDlgFrameBase::OnRenderDone(WPARAM wParam, LPARAM)
{
    // The end of a render that was stopped and replaced: its id is no longer the current one.
    if (!m_run || m_run->id != static_cast<UINT>(wParam))
        return 0;
    if (m_run->stop.load()) {
        // Cut short for a newer choice, which starts now.
        const bool restart = m_restartPending;
        StopRender();
        if (restart)
            LaunchRender();
        return 0;
    }
    EndRun();
    return 0;
}

void CDlgFrameBase::EndRun()
{
    // The worker has posted its end or is about to: the wait is short and needs no messages.
    ::WaitForSingleObject(m_run->thread, INFINITE);
    ::CloseHandle(m_run->thread);
    const std::unique_ptr<CFrameRun> run = std::move(m_run);
    FinishIdle();
    switch (run->outcome) {
    case FRAME_RENDER_DONE:
        if (run->firstRun) {
            m_firstRun = false;
            if (run->zoom != m_nZoom)
                ShowZoom(run->zoom);
        }
        TakeResult();
        break;
    case FRAME_RENDER_UNREADABLE:
        // Said once: every later render of the same file would say it again.
        if (!m_failureShown) {
            m_failureShown = true;
            CString text = TranslateString(L"The frame picture could not be read:");
            text += L"\n" + m_strFramePath;
            MessageBox(text, TranslateString(L"Frame"), MB_OK | MB_ICONWARNING);
        }
        break;
    default:
        break;
    }
}

void CDlgFrameBase::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kProgressTimer && m_progress.m_hWnd)
        m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(std::max(0L, std::min(100L, m_renderProgress.load()))));
    CKQDialog::OnTimer(nIDEvent);
}

void CDlgFrameBase::OnOK()
{
    // The render of the user's last choice: wait for it and keep it.
    if (m_restartPending) {
        StopRender();
        LaunchRender();
    }
    if (m_run)
        EndRun();
    EndDialog(IDOK);
}

void CDlgFrameBase::OnCancel()
{
    StopRender();
    FinishIdle();
    if (m_hostTaken)
        RestoreHost();
    EndDialog(IDCANCEL);
}
