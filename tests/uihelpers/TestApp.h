#pragma once
// The helpers' test program: its application object, a message pump and a temporary folder.
#include <functional>
#include <string>
#include <gtest/gtest.h>
#include "SkinUI.h"

// Handles the thread's messages until done() holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);
void PumpFor(DWORD milliseconds);

// A fresh folder in the temporary folder, removed with its files on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::wstring At(const std::wstring& name) const { return m_root + L"\\" + name; }

private:
    std::wstring m_root;
};
