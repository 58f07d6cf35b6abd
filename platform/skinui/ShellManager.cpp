#include "ShellManager.h"
#include <cstring>

CBCGPShellManager* g_pShellManager = nullptr;
const UINT BCGPM_ON_AFTER_SHELL_COMMAND = ::RegisterWindowMessageW(L"SkinUI.AfterShellCommand");

namespace {

// The size of the entries before the terminator, or -1 for a list that runs past the cap or
// holds an entry shorter than its own size field.
long EntriesSize(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return 0;
    const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
    long total = 0;
    for (;;) {
        USHORT cb = 0;
        std::memcpy(&cb, p + total, sizeof cb);
        if (cb == 0)
            return total;
        if (cb < sizeof(USHORT) ||
            total + cb + static_cast<long>(sizeof(USHORT)) > static_cast<long>(CBCGPShellManager::kMaxItemIdListBytes))
            return -1;
        total += cb;
    }
}

} // namespace

// The workspace installs its manager as g_pShellManager; one made elsewhere first takes the
// place itself, so that the helpers are reachable either way.
CBCGPShellManager::CBCGPShellManager()
{
    if (!g_pShellManager)
        g_pShellManager = this;
}

CBCGPShellManager::~CBCGPShellManager()
{
    if (g_pShellManager == this)
        g_pShellManager = nullptr;
}

LPITEMIDLIST CBCGPShellManager::CreateItem(UINT cbSize)
{
    if (cbSize == 0 || cbSize > kMaxItemIdListBytes)
        return nullptr;
    auto* pidl = static_cast<LPITEMIDLIST>(::CoTaskMemAlloc(cbSize));
    if (pidl)
        std::memset(pidl, 0, cbSize);
    return pidl;
}

void CBCGPShellManager::FreeItem(LPITEMIDLIST pidl)
{
    if (pidl)
        ::CoTaskMemFree(pidl);
}

UINT CBCGPShellManager::GetItemCount(LPCITEMIDLIST pidl)
{
    if (!pidl || EntriesSize(pidl) <= 0)
        return 0;
    UINT count = 0;
    for (LPCITEMIDLIST p = pidl; p && p->mkid.cb; p = GetNextItem(p))
        ++count;
    return count;
}

UINT CBCGPShellManager::GetItemSize(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return 0;
    const long size = EntriesSize(pidl);
    // A damaged list counts as the empty one: its terminator only.
    return size < 0 ? static_cast<UINT>(sizeof(USHORT)) : static_cast<UINT>(size + sizeof(USHORT));
}

LPITEMIDLIST CBCGPShellManager::CopyItem(LPCITEMIDLIST pidlSource)
{
    if (!pidlSource)
        return nullptr;
    const UINT size = GetItemSize(pidlSource);
    LPITEMIDLIST copy = CreateItem(size);
    if (copy && size > sizeof(USHORT))
        std::memcpy(copy, pidlSource, size - sizeof(USHORT));
    return copy;
}

LPITEMIDLIST CBCGPShellManager::ConcatenateItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2)
{
    const UINT size1 = pidl1 ? GetItemSize(pidl1) - sizeof(USHORT) : 0;
    const UINT size2 = pidl2 ? GetItemSize(pidl2) - sizeof(USHORT) : 0;
    if (size1 + size2 + sizeof(USHORT) > kMaxItemIdListBytes)
        return nullptr;
    LPITEMIDLIST result = CreateItem(size1 + size2 + sizeof(USHORT));
    if (!result)
        return nullptr;
    if (size1)
        std::memcpy(result, pidl1, size1);
    if (size2)
        std::memcpy(reinterpret_cast<BYTE*>(result) + size1, pidl2, size2);
    return result;
}

LPITEMIDLIST CBCGPShellManager::GetNextItem(LPCITEMIDLIST pidl)
{
    if (!pidl || pidl->mkid.cb < sizeof(USHORT))
        return nullptr;
    auto* next = reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(pidl)) + pidl->mkid.cb);
    return next->mkid.cb ? next : nullptr;
}

int CBCGPShellManager::GetParentItem(LPCITEMIDLIST lpidl, LPITEMIDLIST& lpidlParent)
{
    lpidlParent = nullptr;
    const UINT count = GetItemCount(lpidl);
    if (count == 0)
        return -1;
    UINT size = 0;
    LPCITEMIDLIST p = lpidl;
    for (UINT i = 0; i + 1 < count; ++i) {
        size += p->mkid.cb;
        p = GetNextItem(p);
    }
    lpidlParent = CreateItem(size + sizeof(USHORT));
    if (!lpidlParent)
        return -1;
    if (size)
        std::memcpy(lpidlParent, lpidl, size);
    return static_cast<int>(count - 1);
}

HRESULT CBCGPShellManager::ItemFromPath(LPCTSTR lpszPath, LPITEMIDLIST& pidl)
{
    pidl = nullptr;
    if (!lpszPath || !*lpszPath)
        return E_INVALIDARG;
    IShellFolder* desktop = nullptr;
    HRESULT hr = ::SHGetDesktopFolder(&desktop);
    if (FAILED(hr))
        return hr;
    CString path = lpszPath;
    ULONG eaten = 0;
    hr = desktop->ParseDisplayName(nullptr, nullptr, path.GetBuffer(), &eaten, &pidl, nullptr);
    path.ReleaseBuffer();
    desktop->Release();
    return hr;
}

BOOL CBCGPShellManager::GetPathFromItem(LPCITEMIDLIST pidl, CString& strPath)
{
    strPath.Empty();
    wchar_t buffer[MAX_PATH] = {};
    if (!pidl || !::SHGetPathFromIDListW(pidl, buffer) || !buffer[0])
        return FALSE;
    strPath = buffer;
    return TRUE;
}
