#include "DefaultViewer.h"
#include <shobjidl.h>
#include <algorithm>
#include <string>
#include "EditorUtils.h"
#include "RegPath.h"

const wchar_t kShowsAppName[] = L"LumivoShows";
const wchar_t kViewerExtensions[] =
    L"kqd;webp;bmp;dib;rle;gif;ico;cur;jbg;jp2;j2k;jpc;j2c;jpg;jpe;jpeg;mng;jng;png;pcx;pgx;pnm;pgm;ppm;psd;ras;nef;crw;cr2;"
    L"mrw;raf;erf;3fr;dcr;raw;dng;pef;x3f;arw;sr2;mef;orf;ska;tga;tif;tiff;wbm;wbmp;wmf;emf";

namespace {

// The activation manager of the settings app and the older association page; the SDK headers of
// the cross compiler lack some of them, so they are spelled here.
const CLSID kActivationManager = {0x45BA127D, 0x10A8, 0x46EA, {0x8A, 0xB7, 0x56, 0xEA, 0x90, 0x78, 0x94, 0x3C}};
const IID kIActivationManager = {0x2E941141, 0x7F97, 0x4756, {0xBA, 0x1D, 0x9D, 0xEC, 0xDE, 0x89, 0x4A, 0x3D}};
const CLSID kAssocRegistrationUI = {0x1968106D, 0xF3B5, 0x44CF, {0x89, 0x0E, 0x11, 0x6F, 0xCB, 0x9E, 0xCE, 0xF1}};
const IID kIAssocRegistrationUI = {0x1F76A169, 0xF994, 0x40AC, {0x8F, 0xC8, 0x09, 0x59, 0xE8, 0x87, 0x47, 0x10}};

struct IActivationManagerCall : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE ActivateApplication(LPCWSTR appId, LPCWSTR arguments, int options, DWORD* processId) = 0;
};
struct IAssocRegistrationUICall : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE LaunchAdvancedAssociationUI(LPCWSTR appName) = 0;
};

template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
};

bool ReadRegText(const std::wstring& path, std::wstring& text, size_t maxChars)
{
    std::wstring buffer(maxChars, L'\0');
    const DWORD bytes = RegQueryPath(path.c_str(), &buffer[0], DWORD(maxChars * sizeof(wchar_t)));
    if (bytes == 0)
        return false;
    buffer.resize(bytes / sizeof(wchar_t));
    text.assign(buffer.c_str());
    return true;
}

bool RunsOnWindows10()
{
    OSVERSIONINFOEXW version = {sizeof version};
    version.dwMajorVersion = 10;
    const DWORDLONG mask = ::VerSetConditionMask(::VerSetConditionMask(0, VER_MAJORVERSION, VER_GREATER_EQUAL), VER_MINORVERSION,
                                                 VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION, mask) != FALSE;
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    const size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

} // namespace

bool IsExtensionAssociated(const wchar_t* extension, const wchar_t* prefix)
{
    const std::wstring expected = std::wstring(prefix) + L"." + extension;
    std::wstring found;
    if (ReadRegText(std::wstring(L"HKCR\\.") + extension + L"\\", found, 256) && _wcsicmp(found.c_str(), expected.c_str()) != 0)
        return false;
    if (!ReadRegText(std::wstring(L"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.") + extension +
                         L"\\UserChoice\\ProgId",
                     found, 256))
        return true;
    return _wcsicmp(found.c_str(), expected.c_str()) == 0;
}

bool IsDefaultViewer(const wchar_t* extensions)
{
    const std::wstring list = extensions;
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(L';', start);
        if (end == std::wstring::npos)
            end = list.size();
        // Extensions longer than this are none of ours.
        const std::wstring extension = list.substr(start, std::min<size_t>(end - start, 127));
        if (!extension.empty() && !IsExtensionAssociated(extension.c_str(), kShowsAppName))
            return false;
        start = end + 1;
    }
    return true;
}

bool IsRegisteredApplication(bool checkExtensions)
{
    std::wstring text;
    if (!ReadRegText(std::wstring(L"HKLM\\Software\\") + kShowsAppName + L"\\Capabilities\\ApplicationDescription", text, 512))
        return false;
    if (!ReadRegText(std::wstring(L"HKLM\\Software\\RegisteredApplications\\") + kShowsAppName, text, 512) ||
        text != std::wstring(L"Software\\") + kShowsAppName + L"\\Capabilities")
        return false;
    return checkExtensions ? IsDefaultViewer() : true;
}

bool OpenDefaultAppsSettings()
{
    if (RunsOnWindows10()) {
        ComPtr<IActivationManagerCall> manager;
        if (FAILED(::CoCreateInstance(kActivationManager, nullptr, CLSCTX_LOCAL_SERVER, kIActivationManager,
                                      reinterpret_cast<void**>(&manager.p))))
            return false;
        DWORD process = 0;
        return SUCCEEDED(manager.p->ActivateApplication(
            L"windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows.immersivecontrolpanel", L"page=SettingsPageAppsDefaults", 0,
            &process));
    }
    ComPtr<IAssocRegistrationUICall> ui;
    if (FAILED(::CoCreateInstance(kAssocRegistrationUI, nullptr, CLSCTX_INPROC_SERVER, kIAssocRegistrationUI,
                                  reinterpret_cast<void**>(&ui.p))))
        return false;
    const bool shown = SUCCEEDED(ui.p->LaunchAdvancedAssociationUI(kShowsAppName));
    if (HWND explorer = ::FindWindowW(L"CabinetWClass", nullptr))
        ::SetForegroundWindow(explorer);
    return shown;
}

RegisterResult RegisterAsDefaultViewer(const wchar_t* installerFolder)
{
    if (!IsRegisteredApplication(false)) {
        const std::wstring installer = (installerFolder ? std::wstring(installerFolder) : ProgramFolder()) + L"\\KQInst.exe";
        // A missing installer is no error of its own: the settings page may still offer us.
        if (::GetFileAttributesW(installer.c_str()) != INVALID_FILE_ATTRIBUTES)
            RunAndWait(installer.c_str(), L"/install", true);
    }
    return OpenDefaultAppsSettings() ? RegisterResult::SettingsOpened : RegisterResult::NoSettings;
}
