#pragma once
// The skinned-UI test program's application object; message pumping is in WindowTestApp.h.
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "WindowTestApp.h"

class CSkinTestApp : public CWindowTestApp<> {
public:
    CSkinTestApp() : CWindowTestApp(L"SkinUITests") {}
};
