#include "ZVEffectDialog.h"
#include <algorithm>
#include <utility>
#include "LayerInfo.h"
#include "PicEditView.h"

IMPLEMENT_DYNAMIC(CZVEffectDialog, CKQDialog)

BEGIN_MESSAGE_MAP(CZVEffectDialog, CKQDialog)
    ON_COMMAND(CZVEffectDialog::kStartCommand, StartProcess)
    ON_MESSAGE(CZVEffectDialog::kRunDone, OnProcessDone)
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
// Run ids of every effect dialog; read and raised on the user-interface thread only.
UINT g_lastRunId = 0;
} // namespace

POINT EffectDialogPosition(const RECT& view, SIZE dialog, const RECT& workArea)
{
    LONG x = view.left + (view.right - view.left - dialog.cx) / 2;
    LONG y = view.top + 5;
    // Kept inside the work area; the top left wins when the dialog is larger than it.
    x = std::max(workArea.left, std::min(x, workArea.right - dialog.cx));
    y = std::max(workArea.top, std::min(y, workArea.bottom - dialog.cy));
    return POINT{x, y};
}

int EffectProgressHeight(int dpi)
{
    return ::MulDiv(10, dpi > 0 ? dpi : 96, 96);
}

CZVEffectDialog::CZVEffectDialog(UINT templateId) : CKQDialog(templateId, nullptr) {}

CZVEffectDialog::~CZVEffectDialog()
{
    // A long effect would otherwise be waited out to its end.
    AbandonRun();
    FreeRun();
}

std::unique_ptr<CProcessBase> CZVEffectDialog::CreateProcessor()
{
    return nullptr;
}

BOOL CZVEffectDialog::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    if (FindToolHost(m_host) && m_host.HasView()) {
        PlaceOverView();
        if (m_host.WorksOnLayerZero()) {
            CLayerInfo* zero = m_host.view->doc.layers.GetLayer(0);
            if (!zero || zero->locked) {
                SendMessage(WM_CLOSE);
                return FALSE;
            }
        }
        if (m_host.AppliesSelection())
            m_host.view->ApplySelection();
        m_host.TakeLayerZero();
        if (m_host.kind == ToolHostKind::EffectStudio && m_host.hooks.emptyBrushPictures)
            m_host.hooks.emptyBrushPictures(m_host.frame);
        if (CLayerInfo* layer = m_host.TargetLayer()) {
            m_source.Copy(layer->displayed);
            // The first run's working picture is made now, while the dialog opens, rather than
            // by the first run: a new picture of this size is zeroed and faulted in page by
            // page, which held up the first preview by a few tenths of a second.
            m_workIsSource = m_work.Copy(m_source);
            m_openAngle = layer->angle;
            m_layerTaken = true;
        }
    }
    PostMessage(WM_COMMAND, kStartCommand);
    EnableVisualManagerStyle(TRUE, TRUE);

    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    const int height = EffectProgressHeight(dc.GetDeviceCaps(LOGPIXELSY));
    const CRect strip(client.left + 2, client.bottom - 2 - height, client.right - 2, client.bottom - 2);
    // Shown only while a run is going.
    m_progress.Create(WS_CHILD, strip, this, kProgressId);
    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    return TRUE;
}

void PlaceDialogOverView(CWnd& dialog, CWnd& view)
{
    CRect viewRect, own;
    view.GetWindowRect(&viewRect);
    dialog.GetWindowRect(&own);
    MONITORINFO monitor = {sizeof(monitor)};
    RECT work = viewRect;
    if (::GetMonitorInfoW(::MonitorFromWindow(view.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    const POINT at = EffectDialogPosition(viewRect, SIZE{own.Width(), own.Height()}, work);
    dialog.SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CZVEffectDialog::PlaceOverView()
{
    PlaceDialogOverView(*this, *m_host.view);
}

void CZVEffectDialog::ShowProgress(bool show)
{
    if (!m_progress.m_hWnd)
        return;
    if (show)
        m_progress.SendMessage(PBM_SETPOS, 0);
    m_progress.ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

void CZVEffectDialog::AbandonRun()
{
    if (!m_run)
        return;
    m_run->abandoned.store(1);
    m_work.SetEscape(1);
}

void CZVEffectDialog::FreeRun()
{
    if (!m_run)
        return;
    if (m_run->thread) {
        ::WaitForSingleObject(m_run->thread, INFINITE);
        ::CloseHandle(m_run->thread);
    }
    m_run.reset();
}

void CZVEffectDialog::StartProcess()
{
    ShowProgress(true);
    AbandonRun();
    FreeRun();
    UpdateData(TRUE);
    auto run = std::make_unique<CEffectRun>();
    run->id = ++g_lastRunId;
    run->owner = this;
    run->processor = CreateProcessor();
    m_run = std::move(run);
    m_run->thread = ::CreateThread(nullptr, 0, ProcessThread, m_run.get(), 0, nullptr);
    if (!m_run->thread) {
        m_run.reset();
        FinishIdle();
        return;
    }
    SetTimer(kProgressTimer, 50, nullptr);
}

// The worker reads the source picture, writes the working picture and posts its end; the
// windows and the layers stay with the user-interface thread.
DWORD WINAPI CZVEffectDialog::ProcessThread(LPVOID param)
{
    CEffectRun* run = static_cast<CEffectRun*>(param);
    CZVEffectDialog* dialog = run->owner;
    LPARAM hasResult = 0;
    // Only the first run finds the working picture as the source; any later one copies it.
    const bool ready = std::exchange(dialog->m_workIsSource, false);
    if (ready)
        dialog->m_work.SetEscape(0);
    if (run->processor && dialog->m_source.IsValid() && (ready || dialog->m_work.Copy(dialog->m_source))) {
        // The copy clears the escape flag; a run abandoned before it must still stop.
        if (run->abandoned.load())
            dialog->m_work.SetEscape(1);
        run->processor->Process(&dialog->m_work);
        hasResult = dialog->m_work.GetEscape() ? 0 : 1;
    }
    ::PostMessageW(dialog->m_hWnd, kRunDone, run->id, hasResult);
    return 0;
}

LRESULT CZVEffectDialog::OnProcessDone(WPARAM wParam, LPARAM lParam)
{
    if (!m_run || m_run->id != static_cast<UINT>(wParam))
        return 0;   // a run that was replaced or abandoned
    const bool giveAngle = m_run->processor && m_run->processor->m_bGiveAngle;
    const float angle = m_run->processor ? m_run->processor->m_fLayerAngle : 0.0f;
    FreeRun();
    if (lParam && m_work.IsValid() && m_layerTaken && m_host.HasView()) {
        if (CLayerInfo* layer = m_host.TargetLayer()) {
            {
                CDocumentLockScope hold(m_host.view->doc.lock);
                // The result goes onto the layer whole, and the picture it replaces becomes the
                // next run's working picture: no run copies more than the source into it.
                CZVImage replaced;
                replaced.Transfer(layer->displayed);
                layer->displayed.Transfer(m_work);
                m_work.Transfer(replaced);
                if (giveAngle)
                    layer->angle = angle;
                layer->ClearZoomedCopy();
            }
            if (m_bRefit)
                m_host.RefitCanvas();
            m_host.view->RequestRedraw();
            m_hasResult = true;
        }
    }
    FinishIdle();
    if (m_bCloseWhenDone) {
        GiveBaseCopy();
        EndDialog(IDOK);
    }
    return 0;
}

// Only a picture that a run put on the layer replaces the studio's base copy.
void CZVEffectDialog::GiveBaseCopy()
{
    if (!m_hasResult || m_host.kind != ToolHostKind::EffectStudio || !m_host.hooks.takeBaseCopy)
        return;
    if (const CLayerInfo* layer = m_host.TargetLayer())
        m_host.hooks.takeBaseCopy(m_host.frame, layer->displayed);
}

void CZVEffectDialog::FinishIdle()
{
    KillTimer(kProgressTimer);
    ShowProgress(false);
}

void CZVEffectDialog::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kProgressTimer && m_progress.m_hWnd)
        m_progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(std::max(0L, std::min(100L, m_work.GetProgress()))));
    CKQDialog::OnTimer(nIDEvent);
}

void CZVEffectDialog::OnOK()
{
    if (m_run) {
        m_bCloseWhenDone = 1;
        return;
    }
    GiveBaseCopy();
    EndDialog(IDOK);
}

void CZVEffectDialog::OnCancel()
{
    AbandonRun();
    FreeRun();
    FinishIdle();
    if (m_layerTaken && m_host.HasView()) {
        if (CLayerInfo* layer = m_host.TargetLayer()) {
            {
                CDocumentLockScope hold(m_host.view->doc.lock);
                if (m_source.IsValid())
                    layer->displayed.Copy(m_source);
                layer->angle = m_openAngle;
                layer->ClearZoomedCopy();
            }
            if (m_bRefit)
                m_host.RefitCanvas();
            m_host.view->RequestRedraw();
        }
    }
    EndDialog(IDCANCEL);
}
