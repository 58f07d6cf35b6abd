#include "ZVUILibApp.h"
#include <shlobj.h>
#include <cstdlib>
#include "BaseUtil.h"
#include "DlgLangList.h"
#include "LocalFileIO.h"
#include "MessageBox.h"
#include "RegPath.h"
#include "WStr.h"
#include "ZVUILibAppIds.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> String;

CZVUILibApp theApp;

const wchar_t kLanguageValue[] = L"HKCU\\Software\\Lumivo\\Language";
const wchar_t kAuto[] = L"Auto";

// Each user folder: its registry value and its place below the user-data default.
const struct {
    const wchar_t* registryPath;
    const wchar_t* defaultTail;
} kFolders[KQ_FOLDER_COUNT] = {
    {L"HKCU\\Software\\Lumivo\\UserDataFolder", L""},
    {L"HKCU\\Software\\Lumivo\\WallpaperFolder", L"\\Wallpaper"},
    {L"HKCU\\Software\\Lumivo\\ThumbnailFolder", L"\\Thumbnail"},
    // The product folder twice: caches of earlier versions live there.
    {L"HKCU\\Software\\Lumivo\\LumivoCacheFolder", L"\\Lumivo\\Cache"},
};

const struct {
    const char* name;
    UINT id;
} kNamedResources[] = {
    {"Add64", 1049},
    {"PNGLoading", 1031},
    {"Select", 205},
    {"Deselect", 1037},
    {"Add", 270},
    {"Clear", 1040},
    {"AlphaBG", 1055},
};

bool IsFolderType(KQ_FOLDER_TYPE type)
{
    return type >= 0 && type < KQ_FOLDER_COUNT;
}

String SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE))
        path[0] = 0;
    return String(path);
}

void MakeFolder(const String& path)
{
    CLocalFileIO& io = GetLocalFileIO();
    if (!path.IsEmpty() && !io.IsDir(path.GetString()))
        io.MakeDirTree(path.GetString());
}

// The default of a type; building it makes the user-data folder that all defaults lie in.
String DefaultFolder(KQ_FOLDER_TYPE type)
{
    const String userData = SpecialFolder(CSIDL_PERSONAL) + L"\\Lumivo";
    MakeFolder(userData);
    return userData + kFolders[type].defaultTail;
}

// A path that does not fit the callers' MAX_PATH buffers would arrive cut, naming another
// folder: it is given as empty instead.
void CopyPath(wchar_t* out, const String& path)
{
    if (path.GetLength() < MAX_PATH)
        WStrCopy(out, path.GetString());
    else
        out[0] = 0;
}

} // namespace

CZVUILibApp::CZVUILibApp() = default;
CZVUILibApp::~CZVUILibApp() = default;

CZVUILibApp& CZVUILibApp::GetInstance()
{
    return theApp;
}

BOOL CZVUILibApp::InitInstance()
{
    ReadFolderSettings();
    CWinApp::InitInstance();
    m_hIconSmall = LoadIcon(IDI_ZVUILIB_SMALL);
    m_hIconMain = LoadIcon(IDI_ZVUILIB_MAIN);
    m_langTable.LoadLanguageList((GetLanguageFolder() + L"Language.lst").GetString());
    ICONMETRICSW metrics = {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETICONMETRICS, sizeof(metrics), &metrics, 0))
        m_nIconFontHeight = std::abs(metrics.lfFont.lfHeight);
    AutoSelectLanguage();
    LoadCurrentLanguage();
    skinui::SetMessageBoxTranslator(TranslateString);
    return TRUE;
}

void CZVUILibApp::ReadFolderSettings()
{
    for (int type = 0; type < KQ_FOLDER_COUNT; ++type) {
        RegQueryString(kFolders[type].registryPath, m_folders[type], nullptr);
        if (m_folders[type].GetLength() >= MAX_PATH)
            m_folders[type].Free();
    }
}

void CZVUILibApp::AutoSelectLanguage()
{
    RegQueryString(kLanguageValue, m_strLanguage, kAuto);
    m_strLanguageSetting = m_strLanguage;
    if (m_strLanguage == kAuto)
        m_strLanguage = m_langTable.ResolveAuto(GetSystemDefaultLangID());
}

// "English" and "Auto" have no file: the table stays empty and texts stay English.
void CZVUILibApp::LoadCurrentLanguage()
{
    m_langTable.LoadLanguageFile((GetLanguageFolder() + m_strLanguage + L".txt").GetString());
}

void CZVUILibApp::SelectLanguage(const wchar_t* name)
{
    m_strLanguage = name && name[0] ? name : kAuto;
    m_strLanguageSetting = m_strLanguage;
    SetLanguageSetting(m_strLanguage.GetString());
    if (m_strLanguage == kAuto)
        m_strLanguage = m_langTable.ResolveAuto(GetSystemDefaultLangID());
    LoadCurrentLanguage();
}

CZVUILibApp::String CZVUILibApp::GetLanguageFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetModuleDir(folder);
    return String(folder) + L"Language\\";
}

// ---------------------------------------------------------------------------------------------
// Translation

const wchar_t* TranslateString(const wchar_t* text)
{
    return theApp.m_langTable.Lookup(text);
}

const wchar_t* LookupLangString(const wchar_t* text)
{
    return theApp.m_langTable.Lookup(text);
}

bool LoadLanguageFile(const wchar_t* path)
{
    return theApp.m_langTable.LoadLanguageFile(path);
}

bool LoadLanguageList(const wchar_t* path)
{
    return theApp.m_langTable.LoadLanguageList(path);
}

void AutoSelectLanguage()
{
    theApp.AutoSelectLanguage();
}

void LoadCurrentLanguage()
{
    theApp.LoadCurrentLanguage();
}

void SelectLanguage(const wchar_t* name)
{
    theApp.SelectLanguage(name);
}

const wchar_t* ShowSelectLanguage()
{
    // The owner is the program's main window, found before the library's application becomes
    // the current one.
    CWnd* owner = AfxGetMainWnd();
    appframe::ModuleScope scope(GetZVUILibModule());
    CDlgLangList dialog(owner);
    return dialog.DoModal() == IDOK ? theApp.m_strLanguage.GetString() : nullptr;
}

const wchar_t* GetLanguageName(bool setting)
{
    return (setting ? theApp.m_strLanguageSetting : theApp.m_strLanguage).GetString();
}

// ---------------------------------------------------------------------------------------------
// User folders

void GetKQFolder(wchar_t* out, KQ_FOLDER_TYPE type, bool takeDefault)
{
    if (!out)
        return;
    out[0] = 0;
    if (!IsFolderType(type))
        return;
    String& setting = theApp.m_folders[type];
    if (setting.IsEmpty() || takeDefault) {
        setting = DefaultFolder(type);
        MakeFolder(setting);
    }
    CopyPath(out, setting);
}

bool SetKQFolder(const wchar_t* path, KQ_FOLDER_TYPE type)
{
    if (!IsFolderType(type))
        return false;
    const bool useDefault = !path || !path[0];
    const String folder = useDefault ? DefaultFolder(type) : String(path);
    if (folder.GetLength() >= MAX_PATH)
        return false;
    theApp.m_folders[type] = folder;
    if (useDefault)
        RegDeletePath(kFolders[type].registryPath);
    else
        RegSetPath(kFolders[type].registryPath, path, REG_SZ, DWORD(folder.GetLength() + 1) * sizeof(wchar_t));
    MakeFolder(folder);
    return true;
}

ALT::TString<wchar_t, 0, 8> GetKQDataFolder(const wchar_t* subPath)
{
    String folder = SpecialFolder(CSIDL_APPDATA) + L"\\Lumivo";
    if (subPath)
        folder = folder + L"\\" + subPath;
    return folder;
}

void GetKQTempFileName(wchar_t* out, const wchar_t* extension, const wchar_t* prefix)
{
    if (!out)
        return;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH) {
        out[0] = 0;
        return;
    }
    String name;
    if (extension)
        name.Format(L"%s_%s_%X_.%s", temp, prefix ? prefix : L"", GetCurrentThreadId(), extension);
    else
        name.Format(L"%s_%s_%X_", temp, prefix ? prefix : L"", GetCurrentThreadId());
    CopyPath(out, name);
}

// ---------------------------------------------------------------------------------------------
// Module and resources

HINSTANCE GetZVUILibModule()
{
    return appframe::ThisModule();
}

UINT GetZVUILibRes(const char* name)
{
    for (const auto& entry : kNamedResources)
        if (AStrCompare(entry.name, name) == 0)
            return entry.id;
    return 0;
}
