#pragma once
// CWinApp: the application object. The program's runs the message loop (AfxWinMain ->
// InitInstance -> Run -> ExitInstance); a DLL may have one of its own, which gets its
// InitInstance and ExitInstance through appframe::DllMain. AfxGetApp gives the application of
// the current module: the program's, or a DLL's inside its ModuleScope.
//
// Profile values live in the registry under HKCU\Software\<registry key>\<profile name>\<section>
// once SetRegistryKey has named the key; before that, reads give the defaults and writes fail.
#include "CmdTarget.h"
#include "ModuleState.h"
#include "StringW.h"
#include "Win32Owners.h"

class CWnd;
class CPrintDialog;
struct tagPDW;

class APPFRAME_API CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    // The application's name; without one, the module's file name without its extension.
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    virtual ~CWinApp();

    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;
    // The main window: the loop gives it the last chance at messages of other top-level
    // windows, and the program ends when it is destroyed.
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    // The program's exit code: by default that of the WM_QUIT that ended the loop.
    virtual int ExitInstance();
    // The message loop, with idle processing whenever the queue runs empty.
    virtual int Run();
    // One message: FALSE for WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work; lCount counts the calls since the last message. Round 0 asks the windows to
    // update their command states (WM_IDLEUPDATECMDUI), round 1 deletes temporary objects.
    // TRUE asks for another round.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // Every AfxMessageBox goes through here.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual BOOL SaveAllModified();
    // The print dialog over the application's printer settings, which keep its choice. Without
    // a printer the user is told so and the answer is IDCANCEL.
    virtual INT_PTR DoPrintDialog(CPrintDialog* pPD);
    // The default printer's settings (the application keeps them); FALSE without a printer.
    BOOL GetPrinterDeviceDefaults(tagPDW* pPrintDlg);
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    CWnd* GetMainWnd() const { return m_pMainWnd; }

    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null entry deletes the whole section; a null value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // The data comes in *ppData, allocated with new[]: the caller deletes it.
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // Opened (and made when missing) for reading and writing; the caller closes them.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCEW(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIconW(nullptr, lpszIconName); }
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCEW(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursorW(nullptr, lpszCursorName); }

protected:
    // File > Exit (ID_APP_EXIT): closes the main window as its close box would.
    void OnAppExit();
    DECLARE_MESSAGE_MAP()

private:
    void FreePrinterSettings();
    win32::RegKey OpenSection(LPCTSTR lpszSection, bool create);
    // Storage of the names above.
    CString m_appName;
    CString m_exeName;
    CString m_registryKey;
    CString m_profileName;
};

// The program's entry: a program's wWinMain returns AfxWinMain(its arguments).
APPFRAME_API int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
APPFRAME_API CWinApp* AfxGetApp();
APPFRAME_API CWnd* AfxGetMainWnd();
APPFRAME_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
APPFRAME_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
// COM for the thread in the single-threaded apartment (released when AfxWinMain returns).
APPFRAME_API BOOL AfxOleInit();
// Dialog templates here hold no ActiveX controls, so there is nothing to enable.
APPFRAME_API void AfxEnableControlContainer();
// Process-wide locks by number (0 to 31), for state that several threads share.
APPFRAME_API void AfxLockGlobals(int nLockType);
APPFRAME_API void AfxUnlockGlobals(int nLockType);
// While locked, idle time leaves the thread's temporary objects alone.
APPFRAME_API void AfxLockTempMaps();
APPFRAME_API BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
