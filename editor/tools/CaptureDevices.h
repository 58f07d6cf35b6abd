#pragma once
// ICaptureDevices: the video capture devices that the camera dialog takes snapshots from. The
// system's devices serve unless another source is set (tests and demonstrations set a fake).
#include <windows.h>
#include <memory>
#include <vector>
#include "AppFrame.h"

// The format of the frames an open device delivers.
struct CaptureFormat {
    int width = 0, height = 0, bitsPerPixel = 0;
};

// One open device. Closing is releasing it.
class ICaptureStream {
public:
    virtual ~ICaptureStream();
    virtual CaptureFormat Format() const = 0;
    // One frame as the device delivers it: rows bottom-up, each padded to 4 bytes. False, with
    // sample left as it was, when no frame came.
    virtual bool Grab(std::vector<BYTE>& sample) = 0;
};

class ICaptureDevices {
public:
    virtual ~ICaptureDevices();
    virtual int Count() = 0;
    // The device's name; false when there is no such device.
    virtual bool Name(int index, CString& name) = 0;
    // The sizes the device offers, in ascending width.
    virtual std::vector<SIZE> Sizes(int index) = 0;
    // Opens the device at width x height, or with both 0 at the first size it offers. Null on
    // failure, with the failing step and its result code in detail.
    virtual std::unique_ptr<ICaptureStream> Open(int index, int width, int height, CString& detail) = 0;
};

// The source in use; a null source restores the system's. Returns the one it replaces.
ICaptureDevices* SetCaptureDevices(ICaptureDevices* devices);
ICaptureDevices& GetCaptureDevices();
// The system's devices, through DirectShow.
ICaptureDevices& SystemCaptureDevices();
