// The editor's tool dialogs one a run, for screenshots (see CMakeLists.txt for the switches).
#include "NewPictureSwitches.h"
#include "SkinUI.h"

namespace {

class CToolsDemoApp : public CWinApp {
public:
    CToolsDemoApp() : CWinApp(L"ToolsDemo") {}
    BOOL InitInstance() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        if (argv)
            RunNewPictureSwitch(argc, argv, m_exitCode);
        ::LocalFree(argv);
        return FALSE;
    }
    int ExitInstance() override
    {
        CWinApp::ExitInstance();
        return m_exitCode;
    }

private:
    int m_exitCode = 0;
};
CToolsDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
