#pragma once
// The canvas test program's application and the canvas it drives.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "LayeredViewWnd.h"
#include "SkinUI.h"
#include "WindowTestApp.h"

class CCanvasTestApp : public CWindowTestApp<CBCGPWinApp> {
public:
    CCanvasTestApp() : CWindowTestApp(L"CanvasTests") {}
};

// A canvas that records its hooks.
class CRecordingCanvas : public CLayeredViewWnd {
public:
    void OnDropFile(const wchar_t* path) override { dropped.emplace_back(path); }
    void OnDeleteLayerRequest() override { ++deleteRequests; }
    void OnLayerMenuRequest() override { ++menuRequests; }
    std::vector<std::wstring> dropped;
    int deleteRequests = 0;
    int menuRequests = 0;
    int refreshes = 0;

protected:
    LRESULT OnRefreshCounted(WPARAM wParam, LPARAM lParam)
    {
        ++refreshes;
        return Recompose(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};
