#pragma once
// CZVEffectDialog: the base of the effect dialogs. While it is open it previews its effect on
// the host's layer: every run copies the layer's picture as it was at opening, applies a new
// processor to the copy on a worker thread, and the user-interface thread puts the finished
// copy on the layer. A change of option restarts the run; OK keeps the last result, Cancel puts
// the layer back. Runs modally, without a parent.
#include <atomic>
#include <memory>
#include "KQDialog.h"
#include "ProcessBase.h"
#include "ToolHost.h"
#include "ZVImage.h"

class CZVEffectDialog;

// One run: the worker and the processor it applies. Freed only by CZVEffectDialog::FreeRun,
// which waits for the worker first.
struct CEffectRun {
    UINT id = 0;
    HANDLE thread = nullptr;
    CZVEffectDialog* owner = nullptr;
    std::unique_ptr<CProcessBase> processor;
    // Set before the dialog waits for the worker: an effect not yet begun does not begin.
    std::atomic<long> abandoned{0};
};

// The dialog's place: centred over the view, 5 pixels below its top, inside the work area.
POINT EffectDialogPosition(const RECT& view, SIZE dialog, const RECT& workArea);
// Moves the dialog to its place over the view, inside the view's monitor's work area.
void PlaceDialogOverView(CWnd& dialog, CWnd& view);
// The progress strip's height for the dialog's DPI.
int EffectProgressHeight(int dpi);

class CZVEffectDialog : public CKQDialog {
    DECLARE_DYNAMIC(CZVEffectDialog)
public:
    static constexpr UINT kStartCommand = 20223;
    static constexpr UINT kRunDone = WM_APP + 2;   // wParam the run id, lParam 1 with a result
    static constexpr UINT_PTR kProgressTimer = 1;
    // Not 1, which is the OK button's.
    static constexpr int kProgressId = 1990;

    explicit CZVEffectDialog(UINT templateId);
    ~CZVEffectDialog() override;

    // Set by the creator when the effect changes the picture's size.
    int m_bRefit = 0;
    // Set by OK during a run, or at start by a dialog that closes after its first run.
    int m_bCloseWhenDone = 0;

    // (Re)starts a run with the controls' values.
    afx_msg void StartProcess();

    bool IsRunning() const { return m_run != nullptr; }
    UINT CurrentRunId() const { return m_run ? m_run->id : 0; }
    const CZVImage& SourcePicture() const { return m_source; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // A new processor from the current option values, or null.
    virtual std::unique_ptr<CProcessBase> CreateProcessor();

    afx_msg LRESULT OnProcessDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    static DWORD WINAPI ProcessThread(LPVOID param);
    void AbandonRun();
    void FreeRun();
    void ShowProgress(bool show);
    void PlaceOverView();
    void FinishIdle();
    void GiveBaseCopy();

    // The worker's picture: the source copied in, then the effect applied. Handed to the layer
    // with the result, in exchange for the picture the layer showed.
    CZVImage m_work;
    // m_work holds the source as copied at opening; read and cleared by the first worker.
    bool m_workIsSource = false;
    CZVImage m_source;
    std::unique_ptr<CEffectRun> m_run;
    CToolHost m_host;
    CBCGPProgressCtrl m_progress;
    float m_openAngle = 0;
    bool m_layerTaken = false;
    bool m_hasResult = false;   // a run has put a picture on the layer
};
