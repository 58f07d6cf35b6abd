#include "TooltipManager.h"
#include "GlobalData.h"

CBCGPTooltipManager* g_pTooltipManager = nullptr;

void CBCGPTooltipManager::SetTooltipParams(UINT nTypes, CRuntimeClass* pRTC, CBCGPToolTipParams* pParams)
{
    for (UINT bit = 1; bit && bit <= BCGP_TOOLTIP_TYPE_ALL; bit <<= 1)
        if (nTypes & bit) {
            Kind& kind = m_kinds[bit];
            kind.rtc = pRTC && pRTC->IsDerivedFrom(RUNTIME_CLASS(CToolTipCtrl)) ? pRTC : nullptr;
            kind.params = pParams ? *pParams : CBCGPToolTipParams();
        }
}

BOOL CBCGPTooltipManager::CreateToolTip(CToolTipCtrl*& pToolTip, CWnd* pWndParent, UINT nType)
{
    pToolTip = nullptr;
    if (!pWndParent || !pWndParent->m_hWnd)
        return FALSE;
    Kind kind;
    if (g_pTooltipManager) {
        const auto it = g_pTooltipManager->m_kinds.find(nType);
        if (it != g_pTooltipManager->m_kinds.end())
            kind = it->second;
    }
    CToolTipCtrl* tip = kind.rtc ? static_cast<CToolTipCtrl*>(kind.rtc->CreateObject()) : new CToolTipCtrl;
    if (!tip)
        return FALSE;
    if (!tip->Create(pWndParent, TTS_ALWAYSTIP | TTS_NOPREFIX | (kind.params.m_bBalloonTooltip ? TTS_BALLOON : 0))) {
        delete tip;
        return FALSE;
    }
    const CBCGPToolTipParams& p = kind.params;
    if (p.m_nMaxDescrWidth > 0)
        tip->SetMaxTipWidth(p.m_nMaxDescrWidth);
    if (p.m_bVislManagerTheme) {
        tip->SetTipBkColor(globalData.clrWindow);
        tip->SetTipTextColor(globalData.clrWindowText);
    }
    if (p.m_clrFill != (COLORREF)-1)
        tip->SetTipBkColor(p.m_clrFill);
    if (p.m_clrText != (COLORREF)-1)
        tip->SetTipTextColor(p.m_clrText);
    pToolTip = tip;
    return TRUE;
}

void CBCGPTooltipManager::DeleteToolTip(CToolTipCtrl*& pToolTip)
{
    if (!pToolTip)
        return;
    if (pToolTip->m_hWnd)
        pToolTip->DestroyWindow();
    delete pToolTip;
    pToolTip = nullptr;
}
