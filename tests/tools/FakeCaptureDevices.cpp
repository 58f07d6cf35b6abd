#include "FakeCaptureDevices.h"
#include "NewPictureRules.h"

namespace {

class FakeStream : public ICaptureStream {
public:
    FakeStream(CFakeCaptureDevices& owner, SIZE size) : m_owner(owner), m_size(size) {}
    CaptureFormat Format() const override { return {int(m_size.cx), int(m_size.cy), 24}; }
    bool Grab(std::vector<BYTE>& sample) override
    {
        std::vector<BYTE> frame = CFakeCaptureDevices::DrawFrame(m_size.cx, m_size.cy, m_owner.frames++);
        m_owner.lastFrame = frame;
        if (m_owner.shortSamples)
            frame.resize(frame.size() - newpicture::FrameStride(m_size.cx, 24));
        sample.swap(frame);
        return true;
    }

private:
    CFakeCaptureDevices& m_owner;
    SIZE m_size;
};

} // namespace

CFakeCaptureDevices::CFakeCaptureDevices()
{
    devices.push_back({L"Fake Camera", {{320, 240}, {640, 480}, {1280, 720}}});
    devices.push_back({L"Fake Document Camera", {{638, 478}, {800, 600}}});
}

int CFakeCaptureDevices::Count()
{
    return int(devices.size());
}

bool CFakeCaptureDevices::Name(int index, CString& name)
{
    if (index < 0 || index >= Count())
        return false;
    name = devices[size_t(index)].name;
    return true;
}

std::vector<SIZE> CFakeCaptureDevices::Sizes(int index)
{
    if (index < 0 || index >= Count())
        return {};
    return devices[size_t(index)].sizes;
}

std::unique_ptr<ICaptureStream> CFakeCaptureDevices::Open(int index, int width, int height, CString& detail)
{
    if (index < 0 || index >= Count() || devices[size_t(index)].sizes.empty())
        return nullptr;
    if (failConnect) {
        detail = L"m_pGraph->Connect(m_pCameraOutput, m_pGrabberInput);, hr=0x80040217";
        return nullptr;
    }
    const std::vector<SIZE>& sizes = devices[size_t(index)].sizes;
    // An offered size is taken; another leaves the device at its first.
    SIZE size = sizes.front();
    for (const SIZE& offered : sizes)
        if (offered.cx == width && offered.cy == height)
            size = offered;
    lastOpened = size;
    ++opened;
    return std::make_unique<FakeStream>(*this, size);
}

std::vector<BYTE> CFakeCaptureDevices::DrawFrame(int width, int height, int n)
{
    const size_t stride = newpicture::FrameStride(width, 24);
    std::vector<BYTE> frame(stride * size_t(height), 0xEE);   // padding bytes stand out
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;   // rows are stored bottom-up
        BYTE* p = frame.data() + stride * size_t(row);
        for (int x = 0; x < width; ++x, p += 3) {
            // Diagonal colour bands that move one step a frame, over a grey ramp.
            const int band = ((x + y + n * 8) / 32) % 6;
            static const BYTE colours[6][3] = {{40, 40, 220}, {40, 200, 40}, {220, 60, 40},
                                               {40, 200, 230}, {200, 40, 200}, {230, 230, 230}};
            const int ramp = x * 255 / (width > 1 ? width - 1 : 1);
            p[0] = BYTE((colours[band][0] * 3 + ramp) / 4);
            p[1] = BYTE((colours[band][1] * 3 + ramp) / 4);
            p[2] = BYTE((colours[band][2] * 3 + ramp) / 4);
        }
    }
    // The frame counter: n in binary as white and black squares along the top.
    for (int bit = 0; bit < 12; ++bit) {
        const BYTE value = (n >> (11 - bit)) & 1 ? 255 : 0;
        for (int y = 4; y < 12 && y < height; ++y)
            for (int x = 4 + bit * 10; x < 12 + bit * 10 && x < width; ++x) {
                BYTE* p = frame.data() + stride * size_t(height - 1 - y) + size_t(x) * 3;
                p[0] = p[1] = p[2] = value;
            }
    }
    return frame;
}
