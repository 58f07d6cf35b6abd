#pragma once
// CCameraDS: one capture device opened through the capture source in use, handing out single
// frames as packed rows (bottom-up, no padding).
#include <map>
#include <memory>
#include <vector>
#include "CaptureDevices.h"

class CCameraDS {
public:
    CCameraDS();
    virtual ~CCameraDS();

    static int CameraCount();
    // The device's name into a buffer of 80 characters; false when there is no such device.
    static bool GetCameraName(int index, wchar_t* name);

    // Opens the device at that position at width x height; both 0: no size asked, the first
    // size it offers is applied. A failure is told to the user and leaves the camera closed.
    bool BuildGraph(int index, int width, int height);
    // Grabs one frame into the frame buffer; false, with the buffer as it was, when none came or
    // the sample was shorter than its rows.
    bool QueryFrame();
    void CloseCamera();
    // The sizes the device offers, by width.
    bool ListCaptureSizes(int index);

    bool IsOpen() const { return m_bOpen; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    // The last frame, packed rows bottom-up; null before the first.
    const BYTE* GetFrame() const { return m_nBufferSize ? m_pFrameBuffer.data() : nullptr; }
    const std::map<int, SIZE>& GetSizes() const { return m_sizes; }

private:
    bool m_bOpen = false;
    int m_nWidth = 0, m_nHeight = 0, m_nBitsPerPixel = 0;
    int m_nBufferSize = 0;
    std::vector<BYTE> m_pFrameBuffer;
    std::unique_ptr<ICaptureStream> m_stream;
    std::map<int, SIZE> m_sizes;
};
