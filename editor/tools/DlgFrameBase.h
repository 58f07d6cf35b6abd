#pragma once
// CDlgFrameBase: what the two photo frame dialogs share. While the dialog is open it lays the
// frame round the host's picture and puts the result on the host's layer: each render frames a
// fresh copy on a worker thread, a change of type or zoom stops the render (through the picture
// library's escape flag) and starts another, and a progress strip along the bottom follows it.
// OK keeps the last result (waiting for a render still going), Cancel puts the host back.
// The frame picture is read once per dialog, by the first render, and kept untouched.
#include <atomic>
#include <memory>
#include "FrameRender.h"
#include "KQDialog.h"
#include "ToolHost.h"
#include "ZVImage.h"

class CDlgFrameBase;

// How a render ended.
enum FrameRenderOutcome : LPARAM {
    FRAME_RENDER_FAILED = 0,   // stopped, or the library could not frame the picture
    FRAME_RENDER_DONE = 1,
    FRAME_RENDER_UNREADABLE = 2,   // the frame picture could not be read
};

// One render. The worker writes zoom and outcome before it posts its end; the interface thread
// reads them only after the worker has ended.
struct CFrameRun {
    UINT id = 0;
    HANDLE thread = nullptr;
    CDlgFrameBase* owner = nullptr;
    int zoom = 100;   // percent; lowered by a first render for a frame wider than the picture
    int type = FRAME_SURROUND;
    bool firstRun = false;
    std::atomic<long> stop{0};
    FrameRenderOutcome outcome = FRAME_RENDER_FAILED;
};

class CDlgFrameBase : public CKQDialog {
    DECLARE_DYNAMIC(CDlgFrameBase)
public:
    static constexpr UINT kRenderDone = WM_APP + 2;   // wParam the run id, lParam a FrameRenderOutcome
    static constexpr UINT_PTR kProgressTimer = 1;
    static constexpr int kProgressId = 1990;   // not 1, which is the OK button's

    ~CDlgFrameBase() override;

    // Set by the caller before DoModal: the frame picture's file, the types its description
    // allows (FrameTypeBits) and the type to render (FrameTypeFromMask of the mask).
    CString m_strFramePath;
    int m_nFrameMask = 0;
    int m_nFrameType = FRAME_SURROUND;
    int m_nZoom = 100;   // percent, 1 to 800

    // (Re)starts the render with the current type and zoom; a render going on is stopped first,
    // and the new one starts once its worker has ended.
    void StartRender();
    bool IsRendering() const { return m_run != nullptr; }
    // The worker of the current render is still at work.
    bool IsWorking() const { return m_working.load() != 0; }
    UINT CurrentRunId() const { return m_run ? m_run->id : 0; }
    // The host was found and its picture taken at opening.
    bool HasHost() const { return m_hostTaken; }

protected:
    explicit CDlgFrameBase(CWnd* pParent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The twin's part. TakeHost, at opening: copies what the renders start from; false without a
    // host. BaseWidth: the width of the picture the frame goes round. Render, on the worker:
    // frames a copy; false when it made nothing. TakeResult, on the interface thread: puts the
    // finished render on the host. RestoreHost: the host as it was at opening.
    virtual bool TakeHost() = 0;
    virtual long BaseWidth() const = 0;
    virtual bool Render(CFrameRun& run) = 0;
    virtual void TakeResult() = 0;
    virtual void RestoreHost() = 0;
    // The user chose a type; the editor's twin enables the zoom row by it.
    virtual void OnTypeChosen(int type);
    // A render is being stopped: the twin raises the escape flag of the copies it works on, so
    // that a long step of the picture library returns early.
    virtual void EscapeCopies();

    void SetFrameTypes(int mask);
    void EnableZoomRow(bool enable);
    // The frame picture, for Render: valid once a render has read it.
    const CZVImage& Frame() const { return m_frame; }
    // Stops the render going on and waits for its worker, dropping a restart that waited for it;
    // the twins' destructors call it before their pictures go.
    void StopRender();
    // Render's progress for the strip, 0 to 100.
    void SetRenderProgress(long percent) { m_renderProgress.store(percent); }

    CToolHost m_host;

    afx_msg void OnTypeZoom();
    afx_msg void OnTypeCorners();
    afx_msg void OnTypeSurround();
    afx_msg void OnZoomReleased(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnZoomEdited();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnRenderDone(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall RenderThread(void* param);
    void ChooseType(int type);
    void ShowZoom(int zoom);
    void LaunchRender();
    void RequestStop();
    void EndRun();
    void ShowProgress(bool show);
    void FinishIdle();
    void PlaceOverView();
    void UpdateTexts();

    CZVImage m_frame;
    std::unique_ptr<CFrameRun> m_run;
    std::atomic<long> m_working{0};
    std::atomic<long> m_renderProgress{0};
    CSliderCtrl m_slider;
    CBCGPProgressCtrl m_progress;
    bool m_hostTaken = false;
    bool m_firstRun = true;
    bool m_failureShown = false;
    bool m_settingZoom = false;
    bool m_restartPending = false;   // a render is being stopped for a newer choice
};
