#pragma once
// The skinned-UI test program's application object and message helpers.
#include <functional>
#include <gtest/gtest.h>
#include "SkinUI.h"

class CSkinTestApp : public CWinApp {
public:
    CSkinTestApp() : CWinApp(L"SkinUITests") {}
};

// Handles the thread's messages until done() holds (true) or the time is up (false).
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);
// Handles messages for the given time.
void PumpFor(DWORD milliseconds);
