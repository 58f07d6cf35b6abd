#include "StaticCamera.h"
#include "NewPictureIds.h"
#include "NewPictureRules.h"

namespace {
const UINT_PTR kFrameTimer = 1;
const UINT kFrameMs = 50;
} // namespace

BEGIN_MESSAGE_MAP(CStaticCamera, CStatic)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CStaticCamera::CStaticCamera() = default;

CStaticCamera::~CStaticCamera() = default;

void CStaticCamera::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    GetClientRect(&m_rcClient);
    m_placeholder.Load(IDB_EDITOR_CAMERA);
    m_placeholder.SetSingleImage();
    m_memDC.AdjustGDIBitmap(std::max(1, m_rcClient.Width()), std::max(1, m_rcClient.Height()), 32);
    DrawPlaceholder();
}

void CStaticCamera::DrawPlaceholder()
{
    if (!m_memDC.GetBits())
        return;
    const CRect all(0, 0, m_memDC.GetWidth(), m_memDC.GetHeight());
    m_memDC.FillSolidRect(&all, RGB(0, 0, 0));
    if (m_placeholder.IsValid()) {
        const CSize size = m_placeholder.GetImageSize();
        m_placeholder.Draw(&m_memDC, (all.Width() - size.cx) / 2, (all.Height() - size.cy) / 2, 0);
    }
}

bool CStaticCamera::InitCameraList(CComboBox* devices, CComboBox* sizes)
{
    m_pSizeList = sizes;
    if (devices) {
        devices->ResetContent();
        const int count = CCameraDS::CameraCount();
        for (int i = 0; i < count; ++i) {
            wchar_t name[80] = {};
            if (CCameraDS::GetCameraName(i, name))
                devices->AddString(name);
        }
        devices->SetCurSel(0);
    }
    if (sizes)
        sizes->ResetContent();
    if (CCameraDS::CameraCount() <= 0) {
        DrawPlaceholder();
        Invalidate();
        return false;
    }
    return OpenCamera(0, 0, 0);
}

bool CStaticCamera::OpenCamera(int index, int width, int height)
{
    m_camera.CloseCamera();
    const bool open = m_camera.BuildGraph(index, width, height);
    if (!open) {
        // The sizes of another device would not be this one's.
        if (index != m_nDevice && m_pSizeList)
            m_pSizeList->ResetContent();
        KillTimer(kFrameTimer);
        DrawPlaceholder();
        Invalidate();
        m_nDevice = index;
        return false;
    }
    SetTimer(kFrameTimer, kFrameMs, nullptr);
    if (index != m_nDevice && m_pSizeList) {
        m_pSizeList->ResetContent();
        for (const auto& entry : m_camera.GetSizes()) {
            CString text;
            text.Format(L"%dx%d", int(entry.second.cx), int(entry.second.cy));
            const int item = m_pSizeList->AddString(text);
            m_pSizeList->SetItemData(item, DWORD_PTR(MAKELONG(entry.second.cx, entry.second.cy)));
        }
        m_pSizeList->SetCurSel(0);
    }
    CRect rect;
    GetWindowRect(&rect);
    const int width2 = newpicture::PreviewWidth(rect.Height(), rect.Width(), m_camera.GetWidth(), m_camera.GetHeight());
    SetWindowPos(nullptr, 0, 0, width2, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_nDevice = index;
    return true;
}

bool CStaticCamera::ShowFrame()
{
    const BYTE* frame = m_camera.GetFrame();
    if (!frame)
        return false;
    if (m_memDC.GetWidth() != m_camera.GetWidth() || m_memDC.GetHeight() != m_camera.GetHeight() ||
        m_memDC.GetBitsPerPixel() != m_camera.GetBitsPerPixel()) {
        if (!m_memDC.AdjustGDIBitmap(m_camera.GetWidth(), m_camera.GetHeight(), m_camera.GetBitsPerPixel()))
            return false;
        DrawPlaceholder();
    }
    // The frame's rows are bottom-up, the back buffer's top-down.
    m_memDC.CopyData(frame, true);
    return true;
}

void CStaticCamera::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kFrameTimer) {
        CStatic::OnTimer(nIDEvent);
        return;
    }
    if (m_camera.IsOpen() && m_camera.QueryFrame() && ShowFrame())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CStaticCamera::OnPaint()
{
    CPaintDC dc(this);
    if (!m_memDC.GetBits()) {
        dc.FillSolidRect(&m_rcClient, RGB(0, 0, 0));
        return;
    }
    const int old = dc.SetStretchBltMode(COLORONCOLOR);
    dc.StretchBlt(0, 0, m_rcClient.Width(), m_rcClient.Height(), &m_memDC, 0, 0, m_memDC.GetWidth(), m_memDC.GetHeight(),
                  SRCCOPY);
    dc.SetStretchBltMode(old);
}

void CStaticCamera::OnSize(UINT nType, int cx, int cy)
{
    CStatic::OnSize(nType, cx, cy);
    m_rcClient.SetRect(0, 0, cx, cy);
    // While a camera runs the back buffer holds its frames at their own size.
    if (!m_camera.IsOpen() && cx > 0 && cy > 0) {
        m_memDC.AdjustGDIBitmap(cx, cy, 32);
        DrawPlaceholder();
    }
}

void CStaticCamera::OnDestroy()
{
    KillTimer(kFrameTimer);
    m_camera.CloseCamera();
    CStatic::OnDestroy();
}
