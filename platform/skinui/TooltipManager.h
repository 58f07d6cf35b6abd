#pragma once
// CBCGPTooltipManager: makes the tool-tip controls of skinned windows with the look the program
// chose per kind of tool tip (colours, width, balloon shape).
#include <map>
#include "AppFrame.h"
#include "SkinUIDef.h"

// Kinds of tool tips.
#define BCGP_TOOLTIP_TYPE_DEFAULT   0x0001
#define BCGP_TOOLTIP_TYPE_TOOLBAR   0x0002
#define BCGP_TOOLTIP_TYPE_TAB       0x0004
#define BCGP_TOOLTIP_TYPE_MINIFRAME 0x0008
#define BCGP_TOOLTIP_TYPE_DOCKBAR   0x0010
#define BCGP_TOOLTIP_TYPE_ALL       0xFFFF

class SKINUI_API CBCGPToolTipParams {
public:
    BOOL m_bBalloonTooltip = FALSE;
    int m_nMaxDescrWidth = 0;                 // pixels; 0: one line
    COLORREF m_clrFill = (COLORREF)-1;        // -1: the system's
    COLORREF m_clrText = (COLORREF)-1;
    BOOL m_bVislManagerTheme = FALSE;         // the visual manager's colours
};

class SKINUI_API CBCGPTooltipManager : public CObject {
public:
    CBCGPTooltipManager() = default;
    // The look of the kinds in nTypes; pRTC the tool-tip class to make (a CToolTipCtrl).
    void SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC = nullptr, CBCGPToolTipParams* pParams = nullptr);
    // Makes a tool tip of the kind for pWndParent (new, owned by the caller; free it with
    // DeleteToolTip). FALSE when the control cannot be made.
    static BOOL CreateToolTip(CToolTipCtrl*& pToolTip, CWnd* pWndParent, UINT nType);
    static void DeleteToolTip(CToolTipCtrl*& pToolTip);

private:
    struct Kind {
        CRuntimeClass* rtc = nullptr;
        CBCGPToolTipParams params;
    };
    std::map<UINT, Kind> m_kinds;   // by single type bit
};

// The program's manager (the workspace makes it); null before.
extern SKINUI_API CBCGPTooltipManager* g_pTooltipManager;
