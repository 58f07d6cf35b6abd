#include "TestApp.h"
#include <filesystem>

namespace {
class CHelpersTestApp : public CWindowTestApp<> {
public:
    CHelpersTestApp() : CWindowTestApp(L"UIHelpersTests") {}
};
CHelpersTestApp theApp;
} // namespace

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
