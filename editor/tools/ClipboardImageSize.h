#pragma once
// The size of the picture on the clipboard, learnt from its headers alone: the editor's private
// block first, then a DIB, then an enhanced metafile. The new document dialog and the picture
// combiner ask it.
#include <windows.h>
#include "ClipboardPicture.h"

// The picture's width and height, as a full decode would give them; false, with 0 and 0, when
// the clipboard could not be opened for the window or holds no picture that would decode. A
// metafile's sides are its bounds divided by 2.54 and may be 0.
bool GetClipboardImageSize(HWND window, int& width, int& height);

