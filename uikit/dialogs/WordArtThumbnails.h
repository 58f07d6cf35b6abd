#pragma once
// The thumbnails of the word-art presets: one 96 x 64 picture per preset, drawn on a worker
// thread from copies of the presets and posted to a window one by one. The worker calls no
// window; the receiving window puts each picture into its image list.
#include <windows.h>
#include <atomic>
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

class ZVUILIB_API CWordArtThumbnailWorker {
public:
    CWordArtThumbnailWorker() = default;
    ~CWordArtThumbnailWorker();
    CWordArtThumbnailWorker(const CWordArtThumbnailWorker&) = delete;
    CWordArtThumbnailWorker& operator=(const CWordArtThumbnailWorker&) = delete;

    // Stops a running fill, then draws the presets in order, posting (message, 0, thumbnail) to
    // the window for each. Returns the new generation.
    unsigned Start(HWND target, UINT message, std::vector<CWordArtInfo> presets, const LOGFONTW& font);
    // Sets the stop flag and joins the thread (it posts and never waits, so nothing needs
    // serving meanwhile), then frees the thumbnails still queued for the window.
    void Stop();
    bool IsRunning() const { return m_running; }
    unsigned Generation() const { return m_generation; }
    // The thumbnail of a posted message, whatever its generation; the caller owns it.
    static WordArtThumbnail* Take(LPARAM lParam) { return reinterpret_cast<WordArtThumbnail*>(lParam); }

private:
    void Run(std::vector<CWordArtInfo> presets, LOGFONTW font, unsigned generation);

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_running{false};
    unsigned m_generation = 0;
    HWND m_target = nullptr;
    UINT m_message = 0;
};
