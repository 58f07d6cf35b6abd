#pragma once
// A capture source for tests and demonstrations: named devices with listed sizes, whose frames
// are a moving pattern drawn bottom-up in RGB24 with padded rows. It can fail to connect or send
// samples shorter than their rows.
#include <vector>
#include "CaptureDevices.h"

class CFakeCaptureDevices : public ICaptureDevices {
public:
    struct Device {
        CString name;
        std::vector<SIZE> sizes;
    };
    // Two devices: "Fake Camera" (320x240, 640x480, 1280x720) and "Fake Document Camera"
    // (638x478, 800x600).
    CFakeCaptureDevices();

    int Count() override;
    bool Name(int index, CString& name) override;
    std::vector<SIZE> Sizes(int index) override;
    std::unique_ptr<ICaptureStream> Open(int index, int width, int height, CString& detail) override;

    // Frame n of a width x height device: bottom-up rows, 3 bytes a pixel, each row padded to 4.
    static std::vector<BYTE> DrawFrame(int width, int height, int n);

    std::vector<Device> devices;
    bool failConnect = false;    // Open fails with the connect step and a result code
    bool shortSamples = false;   // every sample lacks its last row
    int frames = 0;              // frames sent so far, over every stream
    std::vector<BYTE> lastFrame; // the last frame sent, whole
    SIZE lastOpened = {0, 0};    // the size of the last stream opened
    int opened = 0;              // streams opened
};
