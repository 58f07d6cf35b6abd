#pragma once
// CBCGPContextMenuManager: the program's context menus, registered once by name and menu
// resource id and shown by either. ShowPopupMenu opens a CBCGPPopupMenu and returns at once (the
// command goes to the owner or its frame); TrackPopupMenu waits and returns the chosen command.
#include <map>
#include "AppFrame.h"
#include "SkinUIDef.h"

class CBCGPPopupMenu;

class SKINUI_API CBCGPContextMenuManager : public CObject {
public:
    CBCGPContextMenuManager();
    ~CBCGPContextMenuManager() override;

    // Registers sub-menu 0 of the menu resource uiMenuResId under the name (the id counts too).
    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
    // The registered pop-up (owned by the manager), or null.
    HMENU GetMenuById(UINT nMenuResId) const;
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;
    // Shows the registered menu at the screen point; commands go to pWndOwner when bOwnMessage,
    // else to its frame. The menu, or null when the id is not registered.
    CBCGPPopupMenu* ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                                  BOOL bRightAlign = FALSE);
    CBCGPPopupMenu* ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                                  BOOL bAutoDestroy = TRUE, BOOL bRightAlign = FALSE);
    // Shows the menu and waits for it to close; the chosen command, or 0.
    UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);
    int GetMenuCount() const { return static_cast<int>(m_menus.size()); }

private:
    struct Entry {
        CString name;
        HMENU menu;   // owned: the whole resource menu; the pop-up is its sub-menu 0
    };
    std::map<UINT, Entry> m_menus;
};

// The program's manager (the workspace makes it); null before.
extern SKINUI_API CBCGPContextMenuManager* g_pContextMenuManager;
