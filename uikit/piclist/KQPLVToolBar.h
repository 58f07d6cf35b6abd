#pragma once
// CKQPLVToolBar: the strip of picture buttons a picture list shows above or below its entries.
// It is no window: the list lays it out, has it paint into its own bitmap, copies that to the
// screen and hands it the mouse. Points are in the list window's client coordinates; size.cy is
// the height of the list's item area.
#include "AppFrame.h"
#include "KQMemDC.h"
#include "PicListLayout.h"
#include "TList.h"
#include "TString.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

// Button states.
enum : int { KQBT_NORMAL = 0, KQBT_HOVER = 1, KQBT_DISABLED = 3, KQBT_HIDDEN = 4 };

class ZVUILIB_API CPLVToolBarButton {
public:
    CRect rect{0, 0, 0, 0};
    ALT::TString<wchar_t, 0, 8> text;
    CZVImage image;
    CZVImage imageGray;
    int state = KQBT_NORMAL;
    unsigned int id = 0;
};

class ZVUILIB_API CKQPLVToolBar {
public:
    CKQPLVToolBar();
    virtual ~CKQPLVToolBar();
    CKQPLVToolBar(const CKQPLVToolBar&) = delete;
    CKQPLVToolBar& operator=(const CKQPLVToolBar&) = delete;

    virtual void EnableToolBar(KQ_LIST_TOOLBAR_TYPE type, int size, KQ_BT_ALIGN align, bool bShowText);
    virtual bool OnToolBarItemClicked(unsigned int id);

    // hInst (HINSTANCE)-1: the library's own pictures.
    CPLVToolBarButton* AddButton(const wchar_t* text, unsigned int id, unsigned int pngResId, HINSTANCE hInst);
    bool EnableButton(unsigned int id, bool bEnable);
    bool ShowButton(unsigned int id, bool bShow);
    bool ChangeButtonText(unsigned int id, const wchar_t* text);
    bool RemoveButton(unsigned int id);
    CPLVToolBarButton* FindButton(unsigned int id);
    void Recalclayout();
    void DrawToolBar(int cx, int cy);
    void DrawButton(CPLVToolBarButton* button);
    bool AdjustPoint(CPoint& pt, CPoint& ptOut, const CSize& size);
    bool OnMouseMove(CPoint& pt, CSize size, bool* pRedraw);
    bool OnMouseClicked(CPoint& pt, CSize size, bool* pRedraw);
    bool OnMousePTEvent(CPoint& pt, CSize size);
    // The strip's height while it shows, else 0.
    int GetToolBarHeight() const { return m_nType == KQ_TOOLBAR_NONE ? 0 : m_nHeight; }

    CWnd* m_pOwner = nullptr;
    CToolTipCtrl* m_pToolTip = nullptr;
    COLORREF* m_pBkColor = nullptr;
    int m_nSpace = 40;
    int m_nMargin = 8;
    int m_nHeight = 40;
    int m_nAlign = 0;
    bool m_bShowText = false;
    int m_nBtWidth = 24, m_nBtHeight = 24;
    CKQMemDC m_dcToolBar;
    int m_nType = KQ_TOOLBAR_NONE;
    ALT::TList<CPLVToolBarButton> m_listButton;
    CFont* m_pFont = nullptr;   // the list's font for the texts; null: the interface font

private:
    // Whether pt lies in the strip; a top strip shifts pt.y into item-area coordinates.
    bool InStrip(CPoint& pt, const CSize& size, CPoint& local);
    COLORREF m_clrDefaultBk = RGB(255, 255, 255);
};
