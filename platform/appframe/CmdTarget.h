#pragma once
// CCmdTarget: an object with a message map that commands are routed to. CCmdUI: the
// enable/check/text state of one command's user-interface item, asked of the handlers.
#include "Object.h"
#include "MessageMap.h"

class CMenu;
class CWnd;

class APPFRAME_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    // Looks the command (nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI or a notification, for a
    // WM_NOTIFY as MAKELONG(code, WM_NOTIFY)) up in the map and calls its handler. With a
    // handler-info record it only tells whether there is one.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // The first entry of the map chain for the message, code and id.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

class APPFRAME_API CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler; without one, and when asked, disables the item when
    // the target has no command handler either. TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;          // position in m_pMenu
    CMenu* m_pMenu = nullptr;   // the menu holding the item, or null
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;   // the control standing for the command, or null
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;
};
