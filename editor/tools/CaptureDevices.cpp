#include "CaptureDevices.h"

namespace {
ICaptureDevices* g_devices = nullptr;
} // namespace

ICaptureStream::~ICaptureStream() = default;
ICaptureDevices::~ICaptureDevices() = default;

ICaptureDevices* SetCaptureDevices(ICaptureDevices* devices)
{
    ICaptureDevices* previous = g_devices;
    g_devices = devices;
    return previous ? previous : &SystemCaptureDevices();
}

ICaptureDevices& GetCaptureDevices()
{
    return g_devices ? *g_devices : SystemCaptureDevices();
}
