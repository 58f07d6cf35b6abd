// The editor's print dialog over a picture, on a printer that prints into memory (A4 at 300 dpi):
//   scripts/run --screenshot print.png demo/EditorPrintDemo [-landscape] [/lang NAME] PICTURE
// -landscape turns the default printer's paper; /lang loads a language of the Language folder.
// The dialog gets the picture as the canvas gives it: turned to portrait when wider than tall.
#include <windows.h>
#include <shellapi.h>
#include <string>
#include "KQPrintDialog.h"
#include "PrintDialog.h"
#include "SkinUI.h"
#include "ZVUILibApp.h"

namespace {

class CPrintDemoApp : public CBCGPWinApp {
public:
    CPrintDemoApp() : CBCGPWinApp(L"EditorPrintDemo") {}

    BOOL InitInstance() override
    {
        CBCGPWinApp::InitInstance();
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        int count = 0;
        wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
        std::wstring path, language;
        for (int i = 1; args && i < count; ++i) {
            if (_wcsicmp(args[i], L"-landscape") == 0)
                m_printer.orientation = DMORIENT_LANDSCAPE;
            else if (_wcsicmp(args[i], L"/lang") == 0 && i + 1 < count)
                language = args[++i];
            else
                path = args[i];
        }
        ::LocalFree(args);
        if (!language.empty())
            LoadLanguageFile((std::wstring(CZVUILibApp::GetLanguageFolder().GetString()) + language + L".txt").c_str());

        CZVImage picture;
        if (path.empty() || !picture.LoadFile(path.c_str())) {
            ::MessageBoxW(nullptr, L"EditorPrintDemo [-landscape] [/lang NAME] PICTURE", L"EditorPrintDemo", MB_OK);
            return FALSE;
        }
        if (picture.GetWidth() > picture.GetHeight())
            picture.RotateLeft();
        appframe::PrinterService* before = appframe::SetPrinterService(&m_printer);
        PrintChoice choice;
        editorprint::EditorPrintLayoutDialog().Run(nullptr, picture, choice);
        appframe::SetPrinterService(before);
        return FALSE;
    }

private:
    appframe::MemoryPrinterService m_printer{2480, 3508, 300};
};
CPrintDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
