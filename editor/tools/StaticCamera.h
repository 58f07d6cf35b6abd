#pragma once
// CStaticCamera: the live picture of one camera in a static control, polled every 50 ms; it
// fills its dialog's device and size lists.
#include "CameraDS.h"
#include "KQMemDC.h"
#include "SkinUI.h"

class CStaticCamera : public CStatic {
public:
    CStaticCamera();
    ~CStaticCamera() override;

    // Fills the device list and opens the first device with no size asked; false, with the
    // placeholder shown, when there is none.
    bool InitCameraList(CComboBox* devices, CComboBox* sizes);
    // Opens the device; a device other than the last one refills the size list. The control
    // keeps its height and takes the frame's proportions.
    bool OpenCamera(int index, int width, int height);
    CCameraDS& GetCamera() { return m_camera; }
    CKQMemDC& GetBackBuffer() { return m_memDC; }
    // Copies the camera's last frame into the back buffer.
    bool ShowFrame();

protected:
    void PreSubclassWindow() override;
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void DrawPlaceholder();

    CBCGPToolBarImages m_placeholder;
    CRect m_rcClient;
    CCameraDS m_camera;
    CComboBox* m_pSizeList = nullptr;
    int m_nDevice = -1;
    CKQMemDC m_memDC;
};
