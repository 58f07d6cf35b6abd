#pragma once
// The new-picture tests' shared helpers (NewPictureTestApp.cpp): a driver that acts on a modal
// dialog from inside its own message loop, and the clipboard filled with the system's calls.
#include <functional>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "AppFrame.h"
#include "WindowTestApp.h"

namespace newpicturetest {
// Arms a thread timer that, once a dialog of this thread other than except is up, visible and
// enabled, runs act on it (from inside the dialog's modal loop) and then stops.
void ActOnDialog(std::function<void(HWND dialog)> act, HWND except = nullptr);
bool DialogActDone();
std::wstring ItemText(HWND dialog, int id);
void Click(HWND dialog, int id);
void Choose(HWND dialog, int id, int index);
// Sets an edit's text; EN_CHANGE follows as after typing.
void Type(HWND dialog, int id, const wchar_t* text);
std::vector<std::wstring> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
bool Enabled(HWND dialog, int id);
bool Checked(HWND dialog, int id);

// Empties the clipboard and puts the blocks on it: (format, bytes) in global memory.
bool PutOnClipboard(const std::vector<std::pair<UINT, std::vector<BYTE>>>& blocks);
// A packed 24-bit DIB of the size.
std::vector<BYTE> MakeDib(int width, int height);
// Empties the clipboard at the end of a scope.
struct ClipboardCleaner {
    ~ClipboardCleaner();
};
} // namespace newpicturetest
