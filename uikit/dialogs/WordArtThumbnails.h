#pragma once
// The thumbnails of the word-art presets: one 96 x 64 picture per preset, drawn on a worker
// thread from copies of the presets and posted to a window one by one. The worker calls no
// window; the receiving window puts each picture into its image list.
#include <windows.h>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <memory>
#include <thread>
#include <vector>
#include "WordArtInfo.h"
#include "ZVUILibDef.h"

// What the worker posts (lParam of its message): the window takes it over and frees it and its
// bitmap. A generation other than the worker's current one is an earlier fill's, to be dropped.
struct WordArtThumbnail {
    unsigned generation;
    int index;
    HBITMAP bitmap;
};

// The preset drawn in the font with the text "Text" into a 96 x 64 screen-compatible bitmap:
// white, the picture fitted in the middle, a grey frame. Null when GDI runs out.
ZVUILIB_API HBITMAP DrawWordArtThumbnail(CWordArtInfo preset, const LOGFONTW& font);

// The threads stay for the worker's life: a fill after the first pays no thread start.
class ZVUILIB_API CWordArtThumbnailWorker {
public:
    CWordArtThumbnailWorker() = default;
    ~CWordArtThumbnailWorker();
    CWordArtThumbnailWorker(const CWordArtThumbnailWorker&) = delete;
    CWordArtThumbnailWorker& operator=(const CWordArtThumbnailWorker&) = delete;

    // Stops a running fill, then draws the presets on up to kMaxThreads threads, each taking the
    // next preset not yet taken, and posts (message, 0, thumbnail) to the window for each: in
    // about the order of the presets, not exactly. Returns the new generation.
    unsigned Start(HWND target, UINT message, std::vector<CWordArtInfo> presets, const LOGFONTW& font);
    // Sets the stop flag and waits until every thread is idle (they post and never wait, so
    // nothing needs serving meanwhile), then frees the thumbnails still queued for the window.
    void Stop();
    // Stop, then ends and joins the threads.
    void Shutdown();
    bool IsRunning() const { return m_busy > 0; }
    unsigned Generation() const { return m_generation; }
    // The thumbnail of a posted message, whatever its generation; the caller owns it.
    static WordArtThumbnail* Take(LPARAM lParam) { return reinterpret_cast<WordArtThumbnail*>(lParam); }

    static const int kMaxThreads = 4;

private:
    struct Fill;
    void Loop();
    void Draw(const Fill& fill);

    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_idle;
    std::shared_ptr<const Fill> m_fill;   // under m_mutex
    unsigned m_fillSerial = 0;            // under m_mutex
    bool m_quit = false;                  // under m_mutex
    std::atomic<int> m_busy{0};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_next{0};
    unsigned m_generation = 0;
    HWND m_target = nullptr;
    UINT m_message = 0;
};
