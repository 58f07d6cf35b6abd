// The system's capture devices through DirectShow: the video input category of the device
// enumerator, and for an open device a graph of the camera, a sample grabber asking for RGB24
// and a null renderer, run for one sample a frame.
#include "CaptureDevices.h"
#include <dshow.h>
#include <qedit.h>
#include <algorithm>
#include <map>

namespace {

// The class ids of the sample grabber and the null renderer, which mingw's headers do not declare.
const CLSID kSampleGrabber = {0xC1F400A0, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const CLSID kNullRenderer = {0xC1F400A4, 0x3F08, 0x11D3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// A COM pointer that holds one reference.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }
    void Reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }
    T** operator&()
    {
        Reset();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    template <class U>
    HRESULT As(ComPtr<U>& other, REFIID iid) const
    {
        return m_p ? m_p->QueryInterface(iid, reinterpret_cast<void**>(&other)) : E_POINTER;
    }

private:
    T* m_p = nullptr;
};

// COM for the scope, undone only when this call started it.
class ComScope {
public:
    ComScope() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }

private:
    HRESULT m_hr;
};

void FreeMediaType(AM_MEDIA_TYPE* type)
{
    if (!type)
        return;
    if (type->cbFormat)
        ::CoTaskMemFree(type->pbFormat);
    if (type->pUnk)
        type->pUnk->Release();
    ::CoTaskMemFree(type);
}

// The device monikers of the video input category, in order; the friendly name of each.
bool DeviceAt(int index, IMoniker** moniker, CString* name, int* count)
{
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                  reinterpret_cast<void**>(&devices))))
        return false;
    ComPtr<IEnumMoniker> list;
    // S_FALSE: the category is empty.
    if (devices->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, &list, 0) != S_OK || !list)
        return false;
    int at = 0;
    for (;;) {
        ComPtr<IMoniker> next;
        if (list->Next(1, &next, nullptr) != S_OK)
            break;
        if (at == index) {
            if (name) {
                ComPtr<IPropertyBag> bag;
                if (SUCCEEDED(next->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)))) {
                    VARIANT value;
                    ::VariantInit(&value);
                    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR)
                        *name = CString(value.bstrVal).Left(79);
                    ::VariantClear(&value);
                }
            }
            if (moniker)
                next->QueryInterface(IID_IMoniker, reinterpret_cast<void**>(moniker));
            return true;
        }
        ++at;
    }
    if (count)
        *count = at;
    return false;
}

bool FirstPin(IBaseFilter* filter, PIN_DIRECTION direction, ComPtr<IPin>& pin)
{
    ComPtr<IEnumPins> pins;
    if (!filter || FAILED(filter->EnumPins(&pins)))
        return false;
    for (;;) {
        ComPtr<IPin> next;
        if (pins->Next(1, &next, nullptr) != S_OK)
            return false;
        PIN_DIRECTION d;
        if (SUCCEEDED(next->QueryDirection(&d)) && d == direction)
            return SUCCEEDED(next->QueryInterface(IID_IPin, reinterpret_cast<void**>(&pin)));
    }
}

// The VIDEOINFOHEADER capabilities of a stream configuration, with a callback per size; the
// callback returns true to stop.
template <class Visit>
void ForEachCapability(IAMStreamConfig* config, Visit visit)
{
    int count = 0, size = 0;
    if (!config || FAILED(config->GetNumberOfCapabilities(&count, &size)) || size != sizeof(VIDEO_STREAM_CONFIG_CAPS))
        return;
    for (int i = 0; i < count; ++i) {
        VIDEO_STREAM_CONFIG_CAPS caps;
        AM_MEDIA_TYPE* type = nullptr;
        if (FAILED(config->GetStreamCaps(i, &type, reinterpret_cast<BYTE*>(&caps))) || !type)
            continue;
        bool stop = false;
        if (type->formattype == FORMAT_VideoInfo && type->cbFormat >= sizeof(VIDEOINFOHEADER) && type->pbFormat) {
            const BITMAPINFOHEADER& bih = reinterpret_cast<VIDEOINFOHEADER*>(type->pbFormat)->bmiHeader;
            stop = visit(type, bih);
        }
        FreeMediaType(type);
        if (stop)
            return;
    }
}

std::vector<SIZE> SizesOf(IAMStreamConfig* config)
{
    std::map<int, SIZE> byWidth;
    ForEachCapability(config, [&](AM_MEDIA_TYPE*, const BITMAPINFOHEADER& bih) {
        if (bih.biWidth >= 1 && bih.biHeight >= 1)
            byWidth[bih.biWidth] = SIZE{bih.biWidth, bih.biHeight};
        return false;
    });
    std::vector<SIZE> sizes;
    for (const auto& entry : byWidth)
        sizes.push_back(entry.second);
    return sizes;
}

bool SetCaptureSize(IAMStreamConfig* config, int width, int height)
{
    bool done = false;
    ForEachCapability(config, [&](AM_MEDIA_TYPE* type, const BITMAPINFOHEADER& bih) {
        if (bih.biWidth == width && bih.biHeight == height)
            done = SUCCEEDED(config->SetFormat(type));
        return done;
    });
    return done;
}

CString Failure(const wchar_t* step, HRESULT hr)
{
    CString text;
    text.Format(L"%s, hr=0x%08X", step, unsigned(hr));
    return text;
}

class DirectShowStream : public ICaptureStream {
public:
    bool Build(int index, int width, int height, CString& detail);
    ~DirectShowStream() override
    {
        if (m_control)
            m_control->Stop();
    }
    CaptureFormat Format() const override { return m_format; }
    bool Grab(std::vector<BYTE>& sample) override
    {
        if (FAILED(m_control->Run()))
            return false;
        long code = 0;
        // The one-shot grabber ends the stream after its sample.
        m_event->WaitForCompletion(500, &code);
        long size = 0;
        if (FAILED(m_grabber->GetCurrentBuffer(&size, nullptr)) || size <= 0)
            return false;
        std::vector<BYTE> data(static_cast<size_t>(size));
        if (FAILED(m_grabber->GetCurrentBuffer(&size, reinterpret_cast<long*>(data.data()))) || size <= 0)
            return false;
        data.resize(size_t(size));
        sample.swap(data);
        return true;
    }

private:
    ComScope m_com;
    // Released in reverse order of declaration: the graph last.
    ComPtr<IGraphBuilder> m_graph;
    ComPtr<IMediaEvent> m_event;
    ComPtr<IMediaControl> m_control;
    ComPtr<IBaseFilter> m_null, m_grabberFilter, m_camera;
    ComPtr<ISampleGrabber> m_grabber;
    ComPtr<IPin> m_cameraOutput, m_grabberInput, m_grabberOutput, m_nullInput;
    ComPtr<IAMStreamConfig> m_config;
    CaptureFormat m_format;
};

bool DirectShowStream::Build(int index, int width, int height, CString& detail)
{
    HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC, IID_IGraphBuilder, reinterpret_cast<void**>(&m_graph));
    if (FAILED(hr)) {
        detail = Failure(L"CoCreateInstance(CLSID_FilterGraph)", hr);
        return false;
    }
    hr = ::CoCreateInstance(kSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, reinterpret_cast<void**>(&m_grabberFilter));
    if (SUCCEEDED(hr))
        hr = ::CoCreateInstance(kNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, reinterpret_cast<void**>(&m_null));
    if (FAILED(hr)) {
        detail = Failure(L"CoCreateInstance(CLSID_SampleGrabber, CLSID_NullRenderer)", hr);
        return false;
    }
    ComPtr<IMoniker> moniker;
    if (!DeviceAt(index, &moniker, nullptr, nullptr) || !moniker ||
        FAILED(hr = moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&m_camera)))) {
        detail = Failure(L"BindToObject(IID_IBaseFilter)", hr);
        return false;
    }
    if (FAILED(hr = m_graph->AddFilter(m_camera.Get(), L"Camera")) || FAILED(hr = m_graph->AddFilter(m_grabberFilter.Get(), L"Grabber")) ||
        FAILED(hr = m_graph->AddFilter(m_null.Get(), L"NullRenderer"))) {
        detail = Failure(L"m_pGraph->AddFilter", hr);
        return false;
    }
    if (FAILED(hr = m_graph.As(m_control, IID_IMediaControl)) || FAILED(hr = m_graph.As(m_event, IID_IMediaEvent)) ||
        FAILED(hr = m_grabberFilter.As(m_grabber, IID_ISampleGrabber))) {
        detail = Failure(L"QueryInterface", hr);
        return false;
    }
    AM_MEDIA_TYPE wanted = {};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    m_grabber->SetMediaType(&wanted);
    if (!FirstPin(m_camera.Get(), PINDIR_OUTPUT, m_cameraOutput) || !FirstPin(m_grabberFilter.Get(), PINDIR_INPUT, m_grabberInput) ||
        !FirstPin(m_grabberFilter.Get(), PINDIR_OUTPUT, m_grabberOutput) || !FirstPin(m_null.Get(), PINDIR_INPUT, m_nullInput)) {
        detail = Failure(L"EnumPins", E_FAIL);
        return false;
    }
    m_cameraOutput.As(m_config, IID_IAMStreamConfig);
    if (width > 0 && height > 0) {
        // A size the device does not offer leaves it at its current format.
        SetCaptureSize(m_config.Get(), width, height);
    } else {
        const std::vector<SIZE> sizes = SizesOf(m_config.Get());
        if (!sizes.empty())
            SetCaptureSize(m_config.Get(), sizes.front().cx, sizes.front().cy);
    }
    for (int attempt = 0; attempt < 10; ++attempt) {
        hr = m_graph->Connect(m_cameraOutput.Get(), m_grabberInput.Get());
        if (SUCCEEDED(hr))
            break;
        if (attempt < 9)
            ::Sleep(200);
    }
    if (FAILED(hr)) {
        detail = Failure(L"m_pGraph->Connect(m_pCameraOutput, m_pGrabberInput);", hr);
        return false;
    }
    if (FAILED(hr = m_graph->Connect(m_grabberOutput.Get(), m_nullInput.Get()))) {
        detail = Failure(L"m_pGraph->Connect(m_pGrabberOutput, m_pNullInputPin);", hr);
        return false;
    }
    m_grabber->SetBufferSamples(TRUE);
    m_grabber->SetOneShot(TRUE);
    AM_MEDIA_TYPE connected = {};
    if (FAILED(hr = m_grabber->GetConnectedMediaType(&connected))) {
        detail = Failure(L"GetConnectedMediaType", hr);
        return false;
    }
    if (connected.formattype == FORMAT_VideoInfo && connected.cbFormat >= sizeof(VIDEOINFOHEADER) && connected.pbFormat) {
        const BITMAPINFOHEADER& bih = reinterpret_cast<VIDEOINFOHEADER*>(connected.pbFormat)->bmiHeader;
        m_format.width = bih.biWidth;
        m_format.height = std::abs(bih.biHeight);
        m_format.bitsPerPixel = bih.biBitCount;
    }
    if (connected.cbFormat)
        ::CoTaskMemFree(connected.pbFormat);
    if (connected.pUnk)
        connected.pUnk->Release();
    if (m_format.width <= 0 || m_format.height <= 0 || m_format.bitsPerPixel != 24) {
        detail = Failure(L"GetConnectedMediaType", E_FAIL);
        return false;
    }
    return true;
}

class DirectShowDevices : public ICaptureDevices {
public:
    int Count() override
    {
        ComScope com;
        int count = 0;
        DeviceAt(-1, nullptr, nullptr, &count);
        return count;
    }
    bool Name(int index, CString& name) override
    {
        ComScope com;
        return index >= 0 && DeviceAt(index, nullptr, &name, nullptr);
    }
    std::vector<SIZE> Sizes(int index) override
    {
        ComScope com;
        ComPtr<IMoniker> moniker;
        ComPtr<IBaseFilter> camera;
        ComPtr<IPin> output;
        ComPtr<IAMStreamConfig> config;
        if (index < 0 || !DeviceAt(index, &moniker, nullptr, nullptr) || !moniker ||
            FAILED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, reinterpret_cast<void**>(&camera))) ||
            !FirstPin(camera.Get(), PINDIR_OUTPUT, output) || FAILED(output.As(config, IID_IAMStreamConfig)))
            return {};
        return SizesOf(config.Get());
    }
    std::unique_ptr<ICaptureStream> Open(int index, int width, int height, CString& detail) override
    {
        auto stream = std::make_unique<DirectShowStream>();
        // A failed build releases everything it made with the stream.
        if (index < 0 || !stream->Build(index, width, height, detail))
            return nullptr;
        return stream;
    }
};

} // namespace

ICaptureDevices& SystemCaptureDevices()
{
    static DirectShowDevices devices;
    return devices;
}
