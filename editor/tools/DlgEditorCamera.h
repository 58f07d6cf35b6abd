#pragma once
// CDlgEditorCamera: a snapshot from a capture device, saved as a BMP file: the live preview,
// the device and size lists and the file's path.
#include <functional>
#include "KQDialog.h"
#include "StaticCamera.h"

class CDlgEditorCamera : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorCamera)
public:
    // The clock that names the snapshot; null: the local time.
    explicit CDlgEditorCamera(CWnd* pParent = nullptr, std::function<SYSTEMTIME()> clock = nullptr);
    ~CDlgEditorCamera() override;

    // The snapshot's path; after IDOK the file is there.
    CString m_strPath;
    CStaticCamera& GetPreview() { return m_preview; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSaveAs();
    afx_msg void OnDeviceChange();
    afx_msg void OnSizeChange();
    DECLARE_MESSAGE_MAP()

private:
    // OK only while a camera is open: without one there is nothing to save.
    void EnableOk();

    std::function<SYSTEMTIME()> m_clock;
    CBCGPButton m_btnSaveAs;
    CStaticCamera m_preview;
    CBCGPComboBox m_comboDevices, m_comboSizes;
};

// Runs the camera dialog; true, with the saved snapshot's path, only when OK saved one. The
// caller opens that file: no second frame is grabbed after the dialog.
bool TakeCameraSnapshot(CWnd* parent, CString& path);

// The folder snapshots go to by default: the user's My Pictures, made when missing.
CString SnapshotFolder();
