#include "CameraDS.h"
#include <cwchar>
#include "NewPictureRules.h"
#include "ZVUILibApp.h"

CCameraDS::CCameraDS() = default;

CCameraDS::~CCameraDS()
{
    CloseCamera();
}

int CCameraDS::CameraCount()
{
    return GetCaptureDevices().Count();
}

bool CCameraDS::GetCameraName(int index, wchar_t* name)
{
    CString text;
    if (!name || !GetCaptureDevices().Name(index, text))
        return false;
    wcsncpy(name, text, 79);
    name[79] = 0;
    return true;
}

bool CCameraDS::ListCaptureSizes(int index)
{
    m_sizes.clear();
    for (const SIZE& size : GetCaptureDevices().Sizes(index))
        if (size.cx >= 1 && size.cy >= 1)
            m_sizes[size.cx] = size;
    return !m_sizes.empty();
}

bool CCameraDS::BuildGraph(int index, int width, int height)
{
    CloseCamera();
    if (width <= 0 || height <= 0) {
        // The first listed size, so that the size list's first entry is what is shown.
        width = height = 0;
        if (ListCaptureSizes(index)) {
            width = m_sizes.begin()->second.cx;
            height = m_sizes.begin()->second.cy;
        }
    }
    CString detail;
    std::unique_ptr<ICaptureStream> stream = GetCaptureDevices().Open(index, width, height, detail);
    const CaptureFormat format = stream ? stream->Format() : CaptureFormat();
    if (!stream || format.width <= 0 || format.height <= 0 || format.bitsPerPixel < 8 || format.bitsPerPixel % 8) {
        CString text = TranslateString(L"The camera could not be started.");
        if (!detail.IsEmpty())
            text += L"\n" + detail;
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
        return false;
    }
    m_stream = std::move(stream);
    m_nWidth = format.width;
    m_nHeight = format.height;
    m_nBitsPerPixel = format.bitsPerPixel;
    m_bOpen = true;
    return true;
}

bool CCameraDS::QueryFrame()
{
    if (!m_bOpen)
        return false;
    std::vector<BYTE> sample;
    if (!m_stream->Grab(sample) || sample.empty())
        return false;
    // Rows are copied by their stride within the sample; a short sample leaves the buffer.
    if (!newpicture::PackFrameRows(sample.data(), sample.size(), m_nWidth, m_nHeight, m_nBitsPerPixel, m_pFrameBuffer))
        return false;
    m_nBufferSize = int(m_pFrameBuffer.size());
    return true;
}

void CCameraDS::CloseCamera()
{
    m_bOpen = false;
    m_stream.reset();
    m_nWidth = m_nHeight = m_nBitsPerPixel = 0;
    m_nBufferSize = 0;
    m_pFrameBuffer.clear();
}
