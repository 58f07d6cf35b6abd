#pragma once
// The thumbnails of the word-art presets: one 96 x 64 picture per preset, drawn on worker
// threads from copies of the presets and queued for a window, which is woken by one message
// when the queue gets its first thumbnail and takes every queued one at once. The worker calls
// no window.
#include <windows.h>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>
#include "WordArtInfo.h"
#include "ZVUILibDef.h"

// A thumbnail's pixels: 96 x 64, top row first, 0x00RRGGBB. Plain memory, no GDI object: a
// bitmap made and selected for every thumbnail cost more than all the rest of composing it.
using WordArtThumbnailPixels = std::vector<DWORD>;

// A finished thumbnail, handed over to whoever takes it.
struct WordArtThumbnail {
    unsigned generation;
    int index;
    WordArtThumbnailPixels pixels;
};

// The preset drawn in the font with the text "Text" into a 96 x 64 picture: white, the picture
// fitted in the middle, a grey frame; the pixels a bitmap of the screen's format would get.
// Empty when GDI runs out.
ZVUILIB_API WordArtThumbnailPixels DrawWordArtThumbnail(CWordArtInfo preset, const LOGFONTW& font);

// Shows thumbnail pixels with their top left corner at (x, y) of the DC.
ZVUILIB_API bool ShowWordArtThumbnail(HDC dc, const WordArtThumbnailPixels& pixels, int x, int y);

// The threads stay for the worker's life: a fill after the first pays no thread start.
class ZVUILIB_API CWordArtThumbnailWorker {
public:
    CWordArtThumbnailWorker() = default;
    ~CWordArtThumbnailWorker();
    CWordArtThumbnailWorker(const CWordArtThumbnailWorker&) = delete;
    CWordArtThumbnailWorker& operator=(const CWordArtThumbnailWorker&) = delete;

    // Stops a running fill, then draws the presets on up to kMaxThreads threads, each taking the
    // next preset not yet taken, in about the order of the presets, not exactly. A thumbnail
    // queued while none waited posts (message, 0, 0) to the window. Returns the new generation.
    unsigned Start(HWND target, UINT message, std::vector<CWordArtInfo> presets, const LOGFONTW& font);
    // The thumbnails of the current fill queued since the last call; the caller owns them. The
    // next thumbnail queued posts the message again.
    std::vector<WordArtThumbnail> TakeDone();
    // Sets the stop flag and waits until every thread is idle (they post and never wait, so
    // nothing needs serving meanwhile), then frees the queued thumbnails and drops the message.
    void Stop();
    // Stop, then ends and joins the threads.
    void Shutdown();
    bool IsRunning() const { return m_busy > 0; }
    unsigned Generation() const { return m_generation; }

    static const int kMaxThreads = 4;

private:
    struct Fill;
    void Loop();
    void Draw(const Fill& fill);
    void Queue(WordArtThumbnail done);

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::shared_ptr<const Fill> m_fill;   // under m_mutex
    unsigned m_fillSerial = 0;            // under m_mutex
    bool m_quit = false;                  // under m_mutex
    std::vector<WordArtThumbnail> m_done; // under m_mutex
    bool m_wakePosted = false;            // under m_mutex: the window has a message coming
    std::atomic<int> m_busy{0};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_next{0};
    unsigned m_generation = 0;
    HWND m_target = nullptr;
    UINT m_message = 0;
};
