#include "TestApp.h"
#include <filesystem>

namespace {
class CHelpersTestApp : public CWinApp {
public:
    CHelpersTestApp() : CWinApp(L"UIHelpersTests") {}
};
CHelpersTestApp theApp;
} // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        MSG msg;
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            theApp.PumpMessage();
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

TempFolder::TempFolder()
{
    static int serial = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_root = std::wstring(temp) + L"uihelpers-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    std::filesystem::remove_all(m_root);
    CreateDirectoryW(m_root.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}
