// A stand-in for the installer program: "/install" writes the browser's capabilities and its
// registered-applications entry, as the real installer does, so that the registration check
// passes after it ran.
#include <windows.h>
#include <cwchar>

namespace {

bool SetText(const wchar_t* key, const wchar_t* name, const wchar_t* text)
{
    HKEY opened = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status = ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                         static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(opened);
    return status == ERROR_SUCCESS;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2 || _wcsicmp(argv[1], L"/install") != 0)
        return 2;
    const bool written = SetText(L"Software\\LumivoShows\\Capabilities", L"ApplicationDescription", L"Lumivo Shows picture viewer") &&
                         SetText(L"Software\\RegisteredApplications", L"LumivoShows", L"Software\\LumivoShows\\Capabilities");
    return written ? 0 : 1;
}
