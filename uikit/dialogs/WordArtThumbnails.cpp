#include "WordArtThumbnails.h"
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

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kThumbWidth, kThumbHeight);
    ::ReleaseDC(nullptr, screen);
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
    Stop();
}

unsigned CWordArtThumbnailWorker::Start(HWND target, UINT message, std::vector<CWordArtInfo> presets, const LOGFONTW& font)
{
    Stop();
    ++m_generation;
    m_target = target;
    m_message = message;
    if (presets.empty())
        return m_generation;
    StartGdiplusOnce();
    m_stop = false;
    m_running = true;
    try {
        m_thread = std::thread(&CWordArtThumbnailWorker::Run, this, std::move(presets), font, m_generation);
    } catch (const std::system_error&) {
        m_running = false;
    }
    return m_generation;
}

void CWordArtThumbnailWorker::Run(std::vector<CWordArtInfo> presets, LOGFONTW font, unsigned generation)
{
    const int n = static_cast<int>(presets.size());
    for (int i = 0; i < n && !m_stop; ++i) {
        HBITMAP bitmap = DrawWordArtThumbnail(presets[i], font);
        if (!bitmap)
            continue;
        auto done = std::make_unique<WordArtThumbnail>(WordArtThumbnail{generation, i, bitmap});
        if (::PostMessageW(m_target, m_message, 0, reinterpret_cast<LPARAM>(done.get())))
            done.release();
        else
            ::DeleteObject(bitmap);
    }
    m_running = false;
}

void CWordArtThumbnailWorker::Stop()
{
    if (m_thread.joinable()) {
        m_stop = true;
        m_thread.join();
    }
    m_stop = false;
    m_running = false;
    // Thumbnails posted just before the end would reach the window after it is gone.
    if (!m_target)
        return;
    MSG msg;
    while (::PeekMessageW(&msg, m_target, m_message, m_message, PM_REMOVE))
        FreeThumbnail(Take(msg.lParam));
}
