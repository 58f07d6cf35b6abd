#include "WordArtThumbnails.h"
#include <algorithm>
#include <memory>
#include "TextSheetRules.h"
#include "ZVImage.h"
#include "Win32Owners.h"

namespace {

using textsheet::kThumbHeight;
using textsheet::kThumbWidth;

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

// One 96 x 64 32-bit section selected into a memory DC for its whole life: a drawing thread
// composes every thumbnail on it and copies the pixels out.
class ThumbnailCanvas {
public:
    ThumbnailCanvas()
    {
        m_dc = ::CreateCompatibleDC(nullptr);
        const BITMAPINFO info = win32::TopDownBitmapInfo(kThumbWidth, kThumbHeight);
        void* bits = nullptr;
        m_section = m_dc ? ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
        m_bits = static_cast<const DWORD*>(bits);
        if (m_section)
            m_old = ::SelectObject(m_dc, m_section);
    }
    ~ThumbnailCanvas()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
        if (m_section)
            ::DeleteObject(m_section);
        if (m_dc)
            ::DeleteDC(m_dc);
    }
    ThumbnailCanvas(const ThumbnailCanvas&) = delete;
    ThumbnailCanvas& operator=(const ThumbnailCanvas&) = delete;

    bool IsValid() const { return m_old != nullptr; }
    WordArtThumbnailPixels Draw(CWordArtInfo preset, const LOGFONTW& font);

private:
    HDC m_dc = nullptr;
    HBITMAP m_section = nullptr;
    HGDIOBJ m_old = nullptr;
    const DWORD* m_bits = nullptr;
};

WordArtThumbnailPixels ThumbnailCanvas::Draw(CWordArtInfo preset, const LOGFONTW& font)
{
    if (!IsValid())
        return {};
    StartGdiplusOnce();
    preset.SetLogFont(const_cast<LOGFONTW*>(&font));
    preset.SetText(L"Text");
    CZVImage picture;
    preset.DrawEffectText(&picture);

    RECT cell = {0, 0, kThumbWidth, kThumbHeight};
    // The stock brushes are white and RGB(192, 192, 192).
    ::FillRect(m_dc, &cell, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (picture.IsValid()) {
        const RGBQUAD background = {255, 255, 255, 0};
        picture.SetTransColor(background);
        if (picture.GetTransIndex() >= 0 && picture.GetBpp() <= 8)
            picture.SetPaletteColor(static_cast<BYTE>(picture.GetTransIndex()), background);
        picture.AlphaStrip();
        const RECT fit = textsheet::FitThumbnail(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()));
        ::SetStretchBltMode(m_dc, HALFTONE);
        picture.Stretch(m_dc, fit, SRCCOPY);
    }
    ::FrameRect(m_dc, &cell, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    ::GdiFlush();
    // The screen's bitmaps keep no alpha: neither do the copies.
    WordArtThumbnailPixels pixels(m_bits, m_bits + kThumbWidth * kThumbHeight);
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

} // namespace

WordArtThumbnailPixels DrawWordArtThumbnail(CWordArtInfo preset, const LOGFONTW& font)
{
    ThumbnailCanvas canvas;
    return canvas.Draw(std::move(preset), font);
}

bool ShowWordArtThumbnail(HDC dc, const WordArtThumbnailPixels& pixels, int x, int y)
{
    if (pixels.size() != static_cast<size_t>(kThumbWidth) * kThumbHeight)
        return false;
    const BITMAPINFO info = win32::TopDownBitmapInfo(kThumbWidth, kThumbHeight);
    return ::SetDIBitsToDevice(dc, x, y, kThumbWidth, kThumbHeight, 0, 0, 0, kThumbHeight, pixels.data(), &info,
                               DIB_RGB_COLORS) != 0;
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
    ThumbnailCanvas canvas;
    const int n = static_cast<int>(fill.presets.size());
    for (int i = m_next++; i < n && !m_stop; i = m_next++) {
        WordArtThumbnailPixels pixels = canvas.Draw(fill.presets[i], fill.font);
        if (!pixels.empty())
            Queue(WordArtThumbnail{fill.generation, i, std::move(pixels)});
    }
}

// One message wakes the window for however many thumbnails queue up before it takes them: a
// message per thumbnail would cost the window a wake and the workers a post each.
void CWordArtThumbnailWorker::Queue(WordArtThumbnail done)
{
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done.push_back(std::move(done));
        wake = !m_wakePosted;
        m_wakePosted = true;
    }
    // A window gone takes nothing: Stop frees what stays queued.
    if (wake && !::PostMessageW(m_target, m_message, 0, 0)) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_wakePosted = false;
    }
}

std::vector<WordArtThumbnail> CWordArtThumbnailWorker::TakeDone()
{
    std::vector<WordArtThumbnail> done;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        done.swap(m_done);
        m_wakePosted = false;
    }
    // Stop drops an earlier fill's thumbnails; this only guards the rule.
    done.erase(std::remove_if(done.begin(), done.end(),
                              [this](const WordArtThumbnail& thumbnail) { return thumbnail.generation != m_generation; }),
               done.end());
    return done;
}

void CWordArtThumbnailWorker::Stop()
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_stop = true;
        m_idle.wait(lock, [this] { return m_busy == 0; });
        m_fill.reset();
        m_stop = false;
        m_done.clear();
        m_wakePosted = false;
    }
    // A wake posted just before the end would find the next fill's queue.
    if (!m_target)
        return;
    MSG msg;
    while (::PeekMessageW(&msg, m_target, m_message, m_message, PM_REMOVE))
        continue;
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
