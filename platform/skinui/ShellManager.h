#pragma once
// CBCGPShellManager: helpers for shell item identifier lists (PIDLs), allocated with the shell's
// task allocator so that the shell and ILFree can release them too. The workspace makes the one
// instance (CBCGPWorkspace::InitShellManager); it is reached through g_pShellManager. Every walk
// over a list stops at its terminator, at an entry too short to be one, or after
// kMaxItemIdListBytes.
#include <shlobj.h>
#include "AppFrame.h"
#include "SkinUIDef.h"

// Sent to a shell tree's parent after a command of the shell's context menu ran: wParam the
// command number.
SKINUI_API extern const UINT BCGPM_ON_AFTER_SHELL_COMMAND;

class SKINUI_API CBCGPShellManager : public CObject {
public:
    CBCGPShellManager();
    ~CBCGPShellManager() override;

    // The longest list the helpers walk; longer (or damaged) lists count as empty.
    static const UINT kMaxItemIdListBytes = 64 * 1024;

    // A zeroed list of cbSize bytes, or null.
    LPITEMIDLIST CreateItem(UINT cbSize);
    void FreeItem(LPITEMIDLIST pidl);
    // The number of entries; 0 for null or the desktop's empty list.
    UINT GetItemCount(LPCITEMIDLIST pidl);
    // The bytes of the entries and the terminator; 0 for null.
    UINT GetItemSize(LPCITEMIDLIST pidl);
    LPITEMIDLIST CopyItem(LPCITEMIDLIST pidlSource);
    // pidl1 followed by pidl2 (either may be null or empty), or null when out of memory.
    LPITEMIDLIST ConcatenateItem(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
    // The entry after the first, or null at the end.
    LPITEMIDLIST GetNextItem(LPCITEMIDLIST pidl);
    // A copy of the list without its last entry in lpidlParent; the number of entries left, or
    // -1 (and null) when pidl has none.
    int GetParentItem(LPCITEMIDLIST lpidl, LPITEMIDLIST& lpidlParent);
    // The list of a file-system path (absolute, from the desktop).
    HRESULT ItemFromPath(LPCTSTR lpszPath, LPITEMIDLIST& pidl);
    // The file-system path of a list; FALSE for virtual folders.
    BOOL GetPathFromItem(LPCITEMIDLIST pidl, CString& strPath);
};

// The program's manager; null before the workspace made it.
extern SKINUI_API CBCGPShellManager* g_pShellManager;
