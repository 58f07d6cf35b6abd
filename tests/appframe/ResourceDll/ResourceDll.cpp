#define RESOURCEDLL_EXPORTS
#include "ResourceDll.h"
#include "../TestIds.h"

namespace {

class CLibraryApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_initialised = true;
        return TRUE;
    }
    bool m_initialised = false;
};

CLibraryApp theLibraryApp;

// Notes its caption and closes itself at once.
class CCaptionDialog : public CDialog {
public:
    CCaptionDialog() : CDialog(IDD_SHARED) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GetWindowText(m_caption);
        PostMessage(WM_COMMAND, IDOK);
        return TRUE;
    }
    CString m_caption;
};

} // namespace

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    return appframe::DllMain(module, reason);
}

LibraryView RunLibraryCall()
{
    appframe::ModuleScope scope(appframe::ThisModule());
    LibraryView view;
    CCaptionDialog dialog;
    if (dialog.DoModal() == IDOK)
        view.dialogCaption = dialog.m_caption;
    view.sharedString.LoadString(IDS_SHARED);
    view.app = AfxGetApp();
    view.resources = AfxGetResourceHandle();
    return view;
}

CWinApp* LibraryApp()
{
    return &theLibraryApp;
}

bool LibraryInitialised()
{
    return theLibraryApp.m_initialised;
}
