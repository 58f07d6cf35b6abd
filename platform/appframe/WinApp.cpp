#include "WinApp.h"
#include <cstring>
#include <mutex>
#include <vector>
#include "AppFrameIds.h"
#include "ThreadState.h"
#include "Wnd.h"

using appframe::CurrentThread;

namespace {

// The modules of the process that have an application object or resources of their own.
struct Module {
    HINSTANCE instance;
    HINSTANCE resources;
    CWinApp* app;
};

class ModuleTable {
public:
    static ModuleTable& Get()
    {
        static ModuleTable* table = new ModuleTable;
        return *table;
    }
    // A module has one application object: the first one made.
    void AddApp(HINSTANCE instance, CWinApp* app)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        Module& module = Find(instance);
        if (!module.app)
            module.app = app;
    }
    void RemoveApp(HINSTANCE instance, CWinApp* app)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        Module& module = Find(instance);
        if (module.app == app)
            module.app = nullptr;
    }
    CWinApp* App(HINSTANCE instance)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return Find(instance).app;
    }
    HINSTANCE Resources(HINSTANCE instance)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return Find(instance).resources;
    }
    void SetResources(HINSTANCE instance, HINSTANCE resources)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        Find(instance).resources = resources ? resources : instance;
    }

private:
    Module& Find(HINSTANCE instance)
    {
        for (Module& m : m_modules)
            if (m.instance == instance)
                return m;
        m_modules.push_back(Module{ instance, instance, nullptr });
        return m_modules.back();
    }
    std::mutex m_lock;
    std::vector<Module> m_modules;
};

HINSTANCE ProgramModule()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE CurrentModule()
{
    HINSTANCE module = CurrentThread().module;
    return module ? module : ProgramModule();
}

CWinApp* ProgramApp()
{
    return ModuleTable::Get().App(ProgramModule());
}

// The module whose image holds the address (a global application object), or the program.
HINSTANCE ModuleOfAddress(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return ProgramModule();
    return module;
}

CString ModuleBaseName(HINSTANCE module)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    CString name(path, static_cast<int>(length < MAX_PATH ? length : MAX_PATH - 1));
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

bool g_oleInitialized = false;

} // namespace

// ---------------------------------------------------------------------------------------------
// Modules and resources

namespace appframe {

ModuleScope::ModuleScope(HINSTANCE module) : m_previous(CurrentThread().module)
{
    CurrentThread().module = module;
}

ModuleScope::~ModuleScope()
{
    CurrentThread().module = m_previous;
}

HINSTANCE FindResourceModule(LPCWSTR name, LPCWSTR type)
{
    const HINSTANCE candidates[] = { AfxGetResourceHandle(), CurrentModule(), ModuleTable::Get().Resources(ProgramModule()),
                                     ProgramModule(), FrameworkModule() };
    for (HINSTANCE module : candidates)
        if (module && FindResourceW(module, name, type))
            return module;
    return candidates[0];
}

BOOL DllMain(HINSTANCE module, DWORD reason)
{
    CWinApp* app = ModuleTable::Get().App(module);
    if (!app)
        return TRUE;
    ModuleScope scope(module);
    if (reason == DLL_PROCESS_ATTACH) {
        app->m_hInstance = module;
        if (!app->InitInstance()) {
            app->ExitInstance();
            return FALSE;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        app->ExitInstance();
    }
    return TRUE;
}

BOOL PreTranslate(MSG* pMsg)
{
    CWinApp* app = ProgramApp();
    return app ? app->PreTranslateMessage(pMsg) : WalkPreTranslateTree(pMsg);
}

// A destroyed main window ends the program's loop.
void MainWindowDestroyed(CWnd* wnd)
{
    CWinApp* app = ProgramApp();
    if (app && app->m_pMainWnd == wnd) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
}

} // namespace appframe

HINSTANCE AfxGetInstanceHandle()
{
    return CurrentModule();
}

HINSTANCE AfxGetResourceHandle()
{
    return ModuleTable::Get().Resources(CurrentModule());
}

void AfxSetResourceHandle(HINSTANCE resources)
{
    ModuleTable::Get().SetResources(CurrentModule(), resources);
}

// ---------------------------------------------------------------------------------------------
// CWinApp

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

void CWinApp::OnAppExit()
{
    if (m_pMainWnd && ::IsWindow(m_pMainWnd->m_hWnd))
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    m_hInstance = ModuleOfAddress(this);
    m_exeName = ModuleBaseName(m_hInstance);
    m_appName = lpszAppName ? CString(lpszAppName) : m_exeName;
    m_pszExeName = m_exeName;
    m_pszAppName = m_appName;
    ModuleTable::Get().AddApp(m_hInstance, this);
}

CWinApp::~CWinApp()
{
    FreePrinterSettings();
    ModuleTable::Get().RemoveApp(m_hInstance, this);
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance()
{
    return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0;
}

int CWinApp::Run()
{
    bool idle = true;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE))
            if (!OnIdle(idleCount++))
                idle = false;
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = true;
                idleCount = 0;
            }
        } while (PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PumpMessage()
{
    const BOOL got = GetMessageW(&m_msgCur, nullptr, 0, 0);
    if (got == 0)
        return FALSE;
    if (got > 0 && !PreTranslateMessage(&m_msgCur)) {
        TranslateMessage(&m_msgCur);
        DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        if (m_pMainWnd && m_pMainWnd->m_hWnd && ::IsWindowVisible(m_pMainWnd->m_hWnd)) {
            m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
            m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
    return FALSE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    return appframe::WalkPreTranslateTree(pMsg);
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg)
{
    return appframe::IsActivityMessage(*pMsg);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    // Over the window the user works in: the thread's active window (a dialog), else the main one.
    HWND owner = ::GetActiveWindow();
    CWnd* main = AfxGetMainWnd();
    if (!owner && main)
        owner = main->m_hWnd;
    return ::MessageBoxW(owner, lpszPrompt, m_pszAppName, nType);
}

BOOL CWinApp::SaveAllModified() { return TRUE; }

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    m_registryKey = lpszRegistryKey;
    m_pszRegistryKey = m_registryKey;
    if (!m_pszProfileName) {
        m_profileName = m_pszAppName;
        m_pszProfileName = m_profileName;
    }
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

win32::RegKey CWinApp::OpenSection(LPCTSTR lpszSection, bool create)
{
    win32::RegKey key;
    if (!m_pszRegistryKey || !*m_pszRegistryKey || !m_pszProfileName || !lpszSection)
        return key;
    CString path = CString(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
    if (*lpszSection)
        path += CString(L"\\") + lpszSection;
    if (create)
        key.Create(HKEY_CURRENT_USER, path, KEY_READ | KEY_WRITE);
    else
        key.Open(HKEY_CURRENT_USER, path, KEY_READ);
    return key;
}

HKEY CWinApp::GetAppRegistryKey()
{
    return OpenSection(L"", true).Release();
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    return OpenSection(lpszSection, true).Release();
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    const win32::RegKey key = OpenSection(lpszSection, false);
    DWORD value = 0;
    if (!key.IsValid() || !key.ReadDword(lpszEntry, value))
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    win32::RegKey key = OpenSection(lpszSection, true);
    return key.IsValid() && key.WriteDword(lpszEntry, static_cast<DWORD>(nValue));
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    const win32::RegKey key = OpenSection(lpszSection, false);
    std::wstring text;
    if (!key.IsValid() || !key.ReadString(lpszEntry, text))
        return CString(lpszDefault ? lpszDefault : L"");
    return CString(text.c_str());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!lpszEntry) {
        const win32::RegKey app = OpenSection(L"", false);
        if (!app.IsValid())
            return FALSE;
        const LONG status = RegDeleteTreeW(app.Get(), lpszSection);
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    win32::RegKey key = OpenSection(lpszSection, true);
    if (!key.IsValid())
        return FALSE;
    if (lpszValue)
        return key.WriteString(lpszEntry, lpszValue);
    const LONG status = RegDeleteValueW(key.Get(), lpszEntry);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    const win32::RegKey key = OpenSection(lpszSection, false);
    std::vector<BYTE> data;
    if (!key.IsValid() || !key.ReadBinary(lpszEntry, data) || data.empty())
        return FALSE;
    *ppData = new BYTE[data.size()];
    memcpy(*ppData, data.data(), data.size());
    *pBytes = static_cast<UINT>(data.size());
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    win32::RegKey key = OpenSection(lpszSection, true);
    return key.IsValid() && key.WriteBinary(lpszEntry, pData, nBytes);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconW(appframe::FindResourceModule(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorW(appframe::FindResourceModule(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

// ---------------------------------------------------------------------------------------------
// Globals

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = ProgramApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    int result;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        result = app->ExitInstance();
    } else {
        result = app->Run();
    }
    if (g_oleInitialized) {
        OleUninitialize();
        g_oleInitialized = false;
    }
    return result;
}

CWinApp* AfxGetApp()
{
    if (HINSTANCE module = CurrentThread().module)
        if (CWinApp* app = ModuleTable::Get().App(module))
            return app;
    return ProgramApp();
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd)
        return app->m_pMainWnd;
    CWinApp* program = ProgramApp();
    return program ? program->m_pMainWnd : nullptr;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* app = AfxGetApp())
        return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(::GetActiveWindow(), lpszText, nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString prompt;
    prompt.LoadString(nIDPrompt);
    return AfxMessageBox(prompt, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

BOOL AfxOleInit()
{
    const HRESULT hr = OleInitialize(nullptr);
    if (FAILED(hr))
        return FALSE;
    if (hr == S_OK)
        g_oleInitialized = true;
    else
        OleUninitialize();  // S_FALSE: initialised already, keep the count balanced
    return TRUE;
}

void AfxEnableControlContainer() {}

namespace {
const int kGlobalLocks = 32;
std::recursive_mutex& GlobalLock(int index)
{
    static std::recursive_mutex* locks = new std::recursive_mutex[kGlobalLocks];
    return locks[index];
}
} // namespace

void AfxLockGlobals(int nLockType)
{
    if (nLockType >= 0 && nLockType < kGlobalLocks)
        GlobalLock(nLockType).lock();
}

void AfxUnlockGlobals(int nLockType)
{
    if (nLockType >= 0 && nLockType < kGlobalLocks)
        GlobalLock(nLockType).unlock();
}
