#include "KQPLVToolBar.h"
#include <vector>
#include "SkinUI.h"
#include "ZVUILibApp.h"

namespace {
const COLORREF kHoverColor = RGB(150, 200, 255);
} // namespace

CKQPLVToolBar::CKQPLVToolBar()
{
    m_pBkColor = &m_clrDefaultBk;
    m_dcToolBar.CreateCompatibleDC(nullptr);
}

CKQPLVToolBar::~CKQPLVToolBar() = default;

void CKQPLVToolBar::EnableToolBar(KQ_LIST_TOOLBAR_TYPE type, int size, KQ_BT_ALIGN align, bool bShowText)
{
    m_nType = type;
    m_nAlign = align;
    m_bShowText = bShowText;
    m_nBtWidth = m_nBtHeight = size;
    m_nMargin = size / 3;
    m_nHeight = size * 5 / 3;
}

bool CKQPLVToolBar::OnToolBarItemClicked(unsigned int /*id*/)
{
    return true;
}

CPLVToolBarButton* CKQPLVToolBar::AddButton(const wchar_t* text, unsigned int id, unsigned int pngResId, HINSTANCE hInst)
{
    auto it = m_listButton.AddTail();
    CPLVToolBarButton& button = it.Get();
    button.text = text ? text : L"";
    button.id = id;
    button.state = KQBT_NORMAL;
    HMODULE module = hInst == reinterpret_cast<HINSTANCE>(-1) ? GetZVUILibModule() : hInst;
    if (button.image.LoadPNG(pngResId, module)) {
        button.imageGray.Copy(button.image, true, true, true);
        button.imageGray.GrayScale();
    }
    return &button;
}

CPLVToolBarButton* CKQPLVToolBar::FindButton(unsigned int id)
{
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next())
        if (it->id == id)
            return &it.Get();
    return nullptr;
}

bool CKQPLVToolBar::EnableButton(unsigned int id, bool bEnable)
{
    CPLVToolBarButton* button = FindButton(id);
    if (!button)
        return false;
    if (!bEnable)
        button->state = KQBT_DISABLED;
    else if (button->state == KQBT_DISABLED)
        button->state = KQBT_NORMAL;
    return true;
}

bool CKQPLVToolBar::ShowButton(unsigned int id, bool bShow)
{
    CPLVToolBarButton* button = FindButton(id);
    if (!button)
        return false;
    if (!bShow)
        button->state = KQBT_HIDDEN;
    else if (button->state == KQBT_HIDDEN)
        button->state = KQBT_NORMAL;
    return true;
}

bool CKQPLVToolBar::ChangeButtonText(unsigned int id, const wchar_t* text)
{
    CPLVToolBarButton* button = FindButton(id);
    if (!button)
        return false;
    button->text = text ? text : L"";
    return true;
}

bool CKQPLVToolBar::RemoveButton(unsigned int id)
{
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next())
        if (it->id == id) {
            m_listButton.RemoveAt(it);
            return true;
        }
    return false;
}

void CKQPLVToolBar::Recalclayout()
{
    if (m_nType == KQ_TOOLBAR_NONE)
        return;
    KQStripGeometry g;
    g.stripWidth = m_dcToolBar.GetWidth();
    g.buttonWidth = m_nBtWidth;
    g.buttonHeight = m_nBtHeight;
    g.margin = m_nMargin;
    g.space = m_nSpace;
    g.align = m_nAlign;
    std::vector<int> textWidths;
    if (m_bShowText) {
        HGDIOBJ old = ::SelectObject(m_dcToolBar.m_hDC, m_pFont ? m_pFont->m_hObject : globalData.fontRegular.m_hObject);
        for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next()) {
            SIZE extent = {0, 0};
            ::GetTextExtentPoint32W(m_dcToolBar.m_hDC, it->text.GetString(), it->text.GetLength(), &extent);
            textWidths.push_back(extent.cx);
        }
        ::SelectObject(m_dcToolBar.m_hDC, old);
    }
    const std::vector<RECT> rects = LayoutStripButtons(g, m_listButton.GetCount(), textWidths);
    size_t i = 0;
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next(), ++i)
        it->rect = rects[i];
}

void CKQPLVToolBar::DrawToolBar(int cx, int cy)
{
    if (!m_dcToolBar.GetBits())
        return;
    m_dcToolBar.FillSolidRect(0, 0, cx, cy, m_pBkColor ? *m_pBkColor : RGB(255, 255, 255));
    HGDIOBJ old = ::SelectObject(m_dcToolBar.m_hDC, m_pFont ? m_pFont->m_hObject : globalData.fontRegular.m_hObject);
    ::SetBkMode(m_dcToolBar.m_hDC, TRANSPARENT);
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next())
        DrawButton(&it.Get());
    ::SelectObject(m_dcToolBar.m_hDC, old);
}

void CKQPLVToolBar::DrawButton(CPLVToolBarButton* button)
{
    if (!button || button->state == KQBT_HIDDEN)
        return;
    const int top = (m_nHeight - m_nBtHeight) / 2;
    const RECT icon = {button->rect.left, top, button->rect.left + m_nBtWidth, top + m_nBtHeight};
    const CZVImage& picture = button->state == KQBT_DISABLED ? button->imageGray : button->image;
    if (picture.IsValid())
        picture.Draw(m_dcToolBar.m_hDC, icon, nullptr, true);
    if (m_bShowText) {
        RECT text = {button->rect.left + m_nBtWidth, button->rect.top, button->rect.right, button->rect.bottom};
        ::DrawTextW(m_dcToolBar.m_hDC, button->text.GetString(), button->text.GetLength(), &text,
                    DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    if (button->state == KQBT_HOVER) {
        CRect hot(button->rect);
        hot.InflateRect(m_nMargin / 2, m_nMargin / 2);
        CBCGPDrawManager dm(m_dcToolBar);
        dm.HighlightRect(hot, 30, (COLORREF)-1, 0, kHoverColor);
        dm.DrawRect(hot, (COLORREF)-1, kHoverColor);
    }
}

bool CKQPLVToolBar::InStrip(CPoint& pt, const CSize& size, CPoint& local)
{
    local = pt;
    if (m_nType == KQ_TOOLBAR_BOTTOM) {
        local.y = pt.y - size.cy;
        return PointInStrip(m_nType, pt.y, size.cy, m_nHeight);
    }
    if (m_nType == KQ_TOOLBAR_TOP) {
        const bool in = PointInStrip(m_nType, pt.y, size.cy, m_nHeight);
        pt.y -= m_nHeight;
        return in;
    }
    return false;
}

bool CKQPLVToolBar::AdjustPoint(CPoint& pt, CPoint& ptOut, const CSize& size)
{
    return InStrip(pt, size, ptOut);
}

bool CKQPLVToolBar::OnMousePTEvent(CPoint& pt, CSize size)
{
    CPoint local;
    return InStrip(pt, size, local);
}

bool CKQPLVToolBar::OnMouseMove(CPoint& pt, CSize size, bool* pRedraw)
{
    CPoint local;
    if (!InStrip(pt, size, local)) {
        for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next())
            if (it->state != KQBT_DISABLED && it->state != KQBT_HIDDEN)
                it->state = KQBT_NORMAL;
        return false;
    }
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next()) {
        CPLVToolBarButton& button = it.Get();
        if (button.state == KQBT_DISABLED || button.state == KQBT_HIDDEN)
            continue;
        if (button.rect.PtInRect(local)) {
            if (button.state != KQBT_HOVER) {
                if (pRedraw)
                    *pRedraw = true;
                if (!button.text.IsEmpty() && m_pToolTip && m_pToolTip->GetSafeHwnd()) {
                    m_pToolTip->Pop();
                    m_pToolTip->UpdateTipText(button.text.GetString(), m_pOwner, 0);
                    m_pToolTip->Activate(TRUE);
                }
            }
            button.state = KQBT_HOVER;
        } else if (button.state != KQBT_NORMAL) {
            if (pRedraw)
                *pRedraw = true;
            button.state = KQBT_NORMAL;
        }
    }
    return true;
}

bool CKQPLVToolBar::OnMouseClicked(CPoint& pt, CSize size, bool* pRedraw)
{
    CPoint local;
    if (!InStrip(pt, size, local))
        return false;
    for (auto it = m_listButton.Begin(); it != m_listButton.End(); it.Next()) {
        CPLVToolBarButton& button = it.Get();
        if (button.state == KQBT_DISABLED || button.state == KQBT_HIDDEN)
            continue;
        if (button.rect.PtInRect(local)) {
            if (pRedraw && button.state != KQBT_HOVER)
                *pRedraw = true;
            button.state = KQBT_HOVER;
            OnToolBarItemClicked(button.id);
        } else {
            if (pRedraw && button.state != KQBT_NORMAL)
                *pRedraw = true;
            button.state = KQBT_NORMAL;
        }
    }
    return true;
}
