#include "WordArtThumbnails.h"
#include <algorithm>
#include <memory>
#include "TextSheetRules.h"
#include "ZVImage.h"

namespace {

// GDI+ for the thumbnails, started once in the process before the first thread draws.
void StartGdiplusOnce()
{
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    (void)started;
}

struct ScreenFormat {
    UINT planes, bitsPerPixel;
};

const ScreenFormat& TheScreenFormat()
{
    static const ScreenFormat format = [] {
        HDC screen = ::GetDC(nullptr);
        const ScreenFormat f = {UINT(::GetDeviceCaps(screen, PLANES)), UINT(::GetDeviceCaps(screen, BITSPIXEL))};
        ::ReleaseDC(nullptr, screen);
        return f;
    }();
    return format;
}

void FreeThumbnail(WordArtThumbnail* thumbnail)
{
    if (!thumbnail)
        return;
    if (thumbnail->bitmap)
        ::DeleteObject(thumbnail->bitmap);
    delete thumbnail;
}

} // namespace

HBITMAP DrawWordArtThumbnail(CWordArtInfo preset, const LOGFONTW& font)
{
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    StartGdiplusOnce();
    preset.SetLogFont(const_cast<LOGFONTW*>(&font));
    preset.SetText(L"Text");
    CZVImage picture;
    preset.DrawEffectText(&picture);

    // A bitmap of the screen's format, as CreateCompatibleBitmap on the screen would give, but
    // without taking the screen's DC for every thumbnail: that cost as much as the bitmap work.
    const ScreenFormat& format = TheScreenFormat();
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateBitmap(kThumbWidth, kThumbHeight, format.planes, format.bitsPerPixel, nullptr);
    if (!dc || !bitmap) {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (dc)
            ::DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT cell = {0, 0, kThumbWidth, kThumbHeight};
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &cell, white);
    ::DeleteObject(white);
    if (picture.IsValid()) {
        const RGBQUAD background = {255, 255, 255, 0};
        picture.SetTransColor(background);
        if (picture.GetTransIndex() >= 0 && picture.GetBpp() <= 8)
            picture.SetPaletteColor(static_cast<BYTE>(picture.GetTransIndex()), background);
        picture.AlphaStrip();
        const RECT fit = textsheet::FitThumbnail(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()));
        ::SetStretchBltMode(dc, HALFTONE);
        picture.Stretch(dc, fit, SRCCOPY);
    }
    HBRUSH grey = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FrameRect(dc, &cell, grey);
    ::DeleteObject(grey);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

CWordArtThumbnailWorker::~CWordArtThumbnailWorker()
{
    Shutdown();
}

// What every thread of a fill reads: its own copies of the presets, never written.
struct CWordArtThumbnailWorker::Fill {
    std::vector<CWordArtInfo> presets;
    LOGFONTW font;
    unsigned generation;
};

unsigned CWordArtThumbnailWorker::Start(HWND target, UINT message, std::vector<CWordArtInfo> presets, const LOGFONTW& font)
{
    Stop();
    ++m_generation;
    m_target = target;
    m_message = message;
    if (presets.empty())
        return m_generation;
    StartGdiplusOnce();
    if (m_threads.empty()) {
        const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
        const int wanted = static_cast<int>(std::min(unsigned(kMaxThreads), cores));
        for (int i = 0; i < wanted; ++i) {
            try {
                m_threads.emplace_back(&CWordArtThumbnailWorker::Loop, this);
            } catch (const std::system_error&) {
                break;
            }
        }
    }
    if (m_threads.empty())
        return m_generation;
    m_next = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_fill = std::make_shared<const Fill>(Fill{std::move(presets), font, m_generation});
        ++m_fillSerial;
        m_busy = static_cast<int>(m_threads.size());
    }
    m_wake.notify_all();
    return m_generation;
}

// A thread waits for a fill, draws its share, and waits for the next one until told to quit.
void CWordArtThumbnailWorker::Loop()
{
    unsigned seen = 0;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this, seen] { return m_quit || m_fillSerial != seen; });
        if (m_quit)
            return;
        seen = m_fillSerial;
        const std::shared_ptr<const Fill> fill = m_fill;
        lock.unlock();
        if (fill)
            Draw(*fill);
        lock.lock();
        if (--m_busy == 0)
            m_idle.notify_all();
    }
}

void CWordArtThumbnailWorker::Draw(const Fill& fill)
{
    const int n = static_cast<int>(fill.presets.size());
    for (int i = m_next++; i < n && !m_stop; i = m_next++) {
        HBITMAP bitmap = DrawWordArtThumbnail(fill.presets[i], fill.font);
        if (!bitmap)
            continue;
        auto done = std::make_unique<WordArtThumbnail>(WordArtThumbnail{fill.generation, i, bitmap});
        if (::PostMessageW(m_target, m_message, 0, reinterpret_cast<LPARAM>(done.get())))
            done.release();
        else
            ::DeleteObject(bitmap);
    }
}

void CWordArtThumbnailWorker::Stop()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_stop = true;
        m_idle.wait(lock, [this] { return m_busy == 0; });
        m_fill.reset();
        m_stop = false;
    }
    // Thumbnails posted just before the end would reach the window after it is gone.
    if (!m_target)
        return;
    MSG msg;
    while (::PeekMessageW(&msg, m_target, m_message, m_message, PM_REMOVE))
        FreeThumbnail(Take(msg.lParam));
}

void CWordArtThumbnailWorker::Shutdown()
{
    Stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    m_threads.clear();
    m_quit = false;
}
