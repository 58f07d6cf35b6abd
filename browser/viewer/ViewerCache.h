#pragma once
// ViewerCache: the viewer's two pictures in a ring. Each newly shown picture goes into the entry
// that is not shown, so the one before stays for the transition.
#include <memory>
#include "ViewerLayout.h"
#include "ZVImage.h"

struct ViewerCacheEntry {
    viewer::PicturePlace place;
    std::unique_ptr<CZVImage> source;  // as decoded: possibly shrunk on load, all frames
    std::unique_ptr<CZVImage> display; // the current frame, turned, shrunk below 100 %
    int fullWidth = 0, fullHeight = 0; // the file's own size
    bool loaded = false;
    bool shrunk = false; // source is smaller than the file

    void Reset()
    {
        place = viewer::PicturePlace();
        source = std::make_unique<CZVImage>();
        source->SetRetreiveAllFrames(true);
        display = std::make_unique<CZVImage>();
        fullWidth = fullHeight = 0;
        loaded = shrunk = false;
    }
};

class ViewerCache {
public:
    ViewerCache()
    {
        m_entries[0].Reset();
        m_entries[1].Reset();
    }
    ViewerCacheEntry& Shown() { return m_entries[m_shown]; }
    ViewerCacheEntry& Other() { return m_entries[1 - m_shown]; }
    // Makes the other entry the shown one, emptied for the next picture.
    ViewerCacheEntry& Advance()
    {
        m_shown = 1 - m_shown;
        m_entries[m_shown].Reset();
        return m_entries[m_shown];
    }

private:
    ViewerCacheEntry m_entries[2];
    int m_shown = 0;
};
