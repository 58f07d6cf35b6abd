#pragma once
// The helpers' test program: a temporary folder; message pumping is in WindowTestApp.h.
#include <string>
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "WindowTestApp.h"

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
