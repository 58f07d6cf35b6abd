// The active desktop is declared only after the internet header.
#include <windows.h>
#include <wininet.h>
#include <shlobj.h>
#include "Wallpaper.h"
#include <shldisp.h>
#include <algorithm>
#include <cmath>

namespace {

// Declared here: not every import library carries them.
const CLSID kClsidActiveDesktop = {0x75048700, 0xEF1F, 0x11D0, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const IID kIidActiveDesktop = {0xF490EB00, 0x1240, 0x11D1, {0x98, 0x88, 0x00, 0x60, 0x97, 0xDE, 0xAC, 0xF9}};
const CLSID kClsidShell = {0x13709620, 0xC279, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const IID kIidShellDispatch = {0xD8F015C0, 0xC278, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

template <class T>
class ComPtr {
public:
    ~ComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    T** Out() { return &m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// COM for the calls of one command, when the thread has none yet.
class ComScope {
public:
    ComScope() : m_ok(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope()
    {
        if (m_ok)
            ::CoUninitialize();
    }

private:
    bool m_ok;
};

class SystemDesktop : public DesktopService {
public:
    bool SetWallpaper(const wchar_t* path, int style) override
    {
        if (!path || !*path)
            return false;
        ComScope com;
        ComPtr<IActiveDesktop> desktop;
        if (SUCCEEDED(::CoCreateInstance(kClsidActiveDesktop, nullptr, CLSCTX_INPROC_SERVER, kIidActiveDesktop,
                                         reinterpret_cast<void**>(desktop.Out())))) {
            WALLPAPEROPT options = {sizeof options, DWORD(style)};
            return SUCCEEDED(desktop->SetWallpaper(path, 0)) && SUCCEEDED(desktop->SetWallpaperOptions(&options, 0)) &&
                   SUCCEEDED(desktop->ApplyChanges(AD_APPLY_ALL));
        }
        // Without the active desktop the style goes through the desktop's settings.
        return SetThroughSettings(path, style);
    }

    bool MinimizeAll() override
    {
        ComScope com;
        ComPtr<IShellDispatch> shell;
        if (FAILED(::CoCreateInstance(kClsidShell, nullptr, CLSCTX_INPROC_SERVER, kIidShellDispatch, reinterpret_cast<void**>(shell.Out()))))
            return false;
        return SUCCEEDED(shell->MinimizeAll());
    }

    RECT WorkArea() override
    {
        RECT area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        return area;
    }

    bool HasCropToFit() override { return LOBYTE(LOWORD(::GetVersion())) >= 6; }

private:
    static bool SetThroughSettings(const wchar_t* path, int style)
    {
        // WallpaperStyle and TileWallpaper of the style: centre, tile, stretch, fit, fill.
        static const wchar_t* const kStyles[] = {L"0", L"0", L"2", L"6", L"10"};
        if (style < 0 || style > 4)
            return false;
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return false;
        const wchar_t* tile = style == kWallpaperTile ? L"1" : L"0";
        ::RegSetValueExW(key, L"WallpaperStyle", 0, REG_SZ, reinterpret_cast<const BYTE*>(kStyles[style]),
                         DWORD((wcslen(kStyles[style]) + 1) * sizeof(wchar_t)));
        ::RegSetValueExW(key, L"TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(tile), DWORD(2 * sizeof(wchar_t)));
        ::RegCloseKey(key);
        return ::SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, const_cast<wchar_t*>(path), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE) != FALSE;
    }
};

SystemDesktop g_systemDesktop;
DesktopService* g_desktop = &g_systemDesktop;

} // namespace

DesktopService& Desktop()
{
    return *g_desktop;
}

DesktopService* SetDesktopService(DesktopService* service)
{
    DesktopService* before = g_desktop;
    g_desktop = service ? service : &g_systemDesktop;
    return before;
}

SIZE WallpaperFitSize(long width, long height, long areaWidth, long areaHeight, bool cover)
{
    if (width <= 0 || height <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return SIZE{std::max(areaWidth, 1L), std::max(areaHeight, 1L)};
    const double scaleX = double(areaWidth) / width;
    const double scaleY = double(areaHeight) / height;
    const double scale = cover ? std::max(scaleX, scaleY) : std::min(scaleX, scaleY);
    return SIZE{std::max(1L, long(std::lround(width * scale))), std::max(1L, long(std::lround(height * scale)))};
}
