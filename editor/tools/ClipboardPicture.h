#pragma once
// The editor's pictures on the clipboard: one writer and one reader. Copies carry a DIB, which
// every program reads, and, for pictures with transparency or a selection, the editor's private
// block beside it; the reader takes the private block, then a DIB, then an enhanced metafile.
// Everything read from the clipboard is untrusted: each block is read within its handle's size,
// the private block only when it is one of ours, and no picture passes the image library's caps.
#include <windows.h>

class CxImage;

// The clipboard format of pictures copied inside the editor, "RCF_ZVIMAGE".
UINT PrivateImageClipboardFormat();

// The clipboard opened for the window, closed in every case that opened it.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND window) : m_open(::OpenClipboard(window) != FALSE) {}
    ~ClipboardLock()
    {
        if (m_open)
            ::CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

struct ClipboardWrite {
    bool opened = false;
    int failedSets = 0;   // formats the clipboard refused
};

// Empties the clipboard and puts the picture on it as a DIB, then, when asked, as the private
// block.
ClipboardWrite WriteClipboardPicture(HWND owner, const CxImage& picture, bool withPrivateBlock);

// The picture on the clipboard, decoded in the reader's order; a metafile is drawn on white at
// its bounds divided by 2.54. False, with the picture untouched, when there is none that decodes.
bool ReadClipboardPicture(HWND window, CxImage& picture);

// With the clipboard open: the sides of the metafile on it, bounds divided by 2.54, which may be
// 0 or less. False without a metafile.
bool ClipboardMetafileSize(int& width, int& height);
