#include "ToolBar.h"
#include <algorithm>
#include <cmath>
#include "BCGPFrameWnd.h"
#include "BCGPMDIFrameWnd.h"
#include "DropDownToolBar.h"
#include "GlobalData.h"
#include "PopupMenu.h"
#include "SkinControls.h"
#include "VisualManager.h"

const UINT BCGM_RESETTOOLBAR = ::RegisterWindowMessageW(L"SkinUI.ResetToolbar");

namespace {

const int kGripper = 8;   // the gripper's depth
const int kDynamicWidth = 32767;

// A button's command state, as the frame's update handlers set it.
class ButtonCmdUI : public CCmdUI {
public:
    CBCGPToolBar* bar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CBCGPToolbarButton* button = bar->GetButton(static_cast<int>(m_nIndex));
        const UINT style = button->GetStyle();
        const UINT wanted = bOn ? (style & ~static_cast<UINT>(TBBS_DISABLED)) : (style | TBBS_DISABLED);
        if (wanted != style)
            bar->SetButtonStyle(static_cast<int>(m_nIndex), wanted);
        if (HWND control = button->GetHwnd(); control && (::IsWindowEnabled(control) != 0) != (bOn != FALSE))
            ::EnableWindow(control, bOn);
    }
    void SetCheck(int nCheck) override
    {
        CBCGPToolbarButton* button = bar->GetButton(static_cast<int>(m_nIndex));
        const UINT style = button->GetStyle();
        UINT wanted = style & ~static_cast<UINT>(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            wanted |= TBBS_CHECKED;
        else if (nCheck == 2)
            wanted |= TBBS_INDETERMINATE;
        if (wanted != style)
            bar->SetButtonStyle(static_cast<int>(m_nIndex), wanted);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}
};

} // namespace

namespace {
// The tool bars alive, for the command images of menus.
std::vector<CBCGPToolBar*>& LiveBars()
{
    static std::vector<CBCGPToolBar*> bars;
    return bars;
}
} // namespace

namespace skinui {

bool FindCommandImage(UINT nID, CBCGPToolBarImages*& pImages, int& iImage)
{
    if (nID == 0)
        return false;
    for (CBCGPToolBar* bar : LiveBars()) {
        const int index = bar->CommandToIndex(nID);
        const CBCGPToolbarButton* button = bar->GetButton(index);
        CBCGPToolBarImages* images = bar->GetImages();
        if (button && button->GetImage() >= 0 && images->IsValid() && button->GetImage() < images->GetCount()) {
            pImages = images;
            iImage = button->GetImage();
            return true;
        }
    }
    return false;
}

bool ParseToolbarResource(const void* data, size_t size, CSize& sizeImage, std::vector<UINT>& ids)
{
    ids.clear();
    if (!data || size < 8)
        return false;
    const BYTE* bytes = static_cast<const BYTE*>(data);
    auto word = [bytes](size_t i) { return static_cast<UINT>(bytes[i] | (bytes[i + 1] << 8)); };
    auto dword = [bytes](size_t i) { return static_cast<UINT>(bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) | (bytes[i + 3] << 24)); };
    // The Windows compiler's form: version 1, width, height, count, ids, all 16-bit.
    if (word(0) == 1) {
        const UINT count = word(6);
        if (size >= 8 + 2 * static_cast<size_t>(count) && word(2) && word(4)) {
            sizeImage = CSize(static_cast<int>(word(2)), static_cast<int>(word(4)));
            for (UINT i = 0; i < count; ++i)
                ids.push_back(word(8 + 2 * i));
            return true;
        }
    }
    // The GNU compiler's form: width, height, count, ids, all 32-bit, without a version.
    if (size >= 12) {
        const UINT count = dword(8);
        if (count <= (size - 12) / 4 && dword(0) && dword(4) && dword(0) < 1024 && dword(4) < 1024) {
            sizeImage = CSize(static_cast<int>(dword(0)), static_cast<int>(dword(4)));
            for (UINT i = 0; i < count; ++i)
                ids.push_back(dword(12 + 4 * i));
            return true;
        }
    }
    return false;
}

CSize LayoutToolbarItems(const std::vector<ToolbarItemLayout>& items, bool bHorz, int nMaxLength, POINT origin,
                         std::vector<RECT>& rects)
{
    rects.assign(items.size(), RECT{});
    // Along: x of a horizontal bar; across: y. A vertical bar swaps them.
    int along = 0, across = 0, lineDepth = 0, maxAlong = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const int length = bHorz ? items[i].size.cx : items[i].size.cy;
        const int depth = bHorz ? items[i].size.cy : items[i].size.cx;
        if (nMaxLength > 0 && along > 0 && along + length > nMaxLength && !items[i].separator) {
            across += lineDepth;
            along = lineDepth = 0;
        }
        RECT& r = rects[i];
        if (bHorz)
            r = { origin.x + along, origin.y + across, origin.x + along + length, origin.y + across + depth };
        else
            r = { origin.x + across, origin.y + along, origin.x + across + depth, origin.y + along + length };
        along += length;
        lineDepth = std::max(lineDepth, depth);
        maxAlong = std::max(maxAlong, along);
        if (items[i].wrap && i + 1 < items.size()) {
            across += lineDepth;
            along = lineDepth = 0;
        }
    }
    // Buttons of a line share its depth, so that they line up.
    const int total = across + lineDepth;
    return bHorz ? CSize(maxAlong, total) : CSize(total, maxAlong);
}

} // namespace skinui

IMPLEMENT_DYNCREATE(CBCGPToolBar, CBCGPBaseControlBar)

BOOL CBCGPToolBar::m_bAltCustomization = FALSE;

CBCGPToolBar::CBCGPToolBar()
{
    LiveBars().push_back(this);
}

CBCGPToolBar::~CBCGPToolBar()
{
    auto& bars = LiveBars();
    bars.erase(std::remove(bars.begin(), bars.end(), this), bars.end());
}

BOOL CBCGPToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CBCGPToolBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_rectBorders = rcBorders;
    if (!CreateBar(nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID, CBRS_BCGP_FLOAT))
        return FALSE;
    if ((m_dwStyle & CBRS_TOOLTIPS) && m_toolTip.Create(this, TTS_ALWAYSTIP | TTS_NOPREFIX))
        m_toolTip.SetMaxTipWidth(400);
    return TRUE;
}

BOOL CBCGPToolBar::LoadImageStrip(CBCGPToolBarImages& images, UINT uiResID)
{
    images.Clear();
    if (uiResID == 0)
        return FALSE;
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(uiResID), L"PNG");
    if (!module)
        module = appframe::FindResourceModule(MAKEINTRESOURCEW(uiResID), RT_BITMAP);
    if (!module)
        return FALSE;
    images.SetImageSize(m_sizeImage);
    // Bitmaps without alpha use the classic light-grey (and magenta) for clear pixels.
    images.SetTransparentColor(RGB(192, 192, 192));
    return images.Load(uiResID, module);
}

BOOL CBCGPToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT, BOOL bLocked, UINT uiDisabledResID, UINT, UINT uiHotResID)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(uiResID), MAKEINTRESOURCEW(241));
    HRSRC res = module ? ::FindResourceW(module, MAKEINTRESOURCEW(uiResID), MAKEINTRESOURCEW(241)) : nullptr;
    HGLOBAL data = res ? ::LoadResource(module, res) : nullptr;
    CSize sizeImage;
    std::vector<UINT> ids;
    if (!data || !skinui::ParseToolbarResource(::LockResource(data), ::SizeofResource(module, res), sizeImage, ids))
        return FALSE;
    m_bLocked = bLocked;
    m_sizeImage = sizeImage;
    if (!LoadImageStrip(m_imagesHot, uiHotResID ? uiHotResID : uiResID) && uiColdResID == 0)
        return FALSE;
    LoadImageStrip(m_imagesCold, uiColdResID);
    LoadImageStrip(m_imagesDisabled, uiDisabledResID);
    // On a screen of more than 96 dpi the strips grow by its scale, so that icons keep their
    // size on screen; buttons grow with them.
    const double scale = globalData.GetRibbonImageScale();
    if (scale > 1.0) {
        for (CBCGPToolBarImages* images : { &m_imagesHot, &m_imagesCold, &m_imagesDisabled })
            if (images->IsValid())
                images->SmoothResize(scale);
        m_sizeImage = CSize(static_cast<int>(std::lround(sizeImage.cx * scale)), static_cast<int>(std::lround(sizeImage.cy * scale)));
    }
    m_sizeButton = CSize(m_sizeImage.cx + 7, m_sizeImage.cy + 7);
    if (!SetButtons(ids.data(), static_cast<int>(ids.size())))
        return FALSE;
    if (CWnd* target = m_hWnd ? GetCommandTarget() : nullptr; target && target->m_hWnd)
        target->SendMessage(BCGM_RESETTOOLBAR, uiResID, 0);
    return TRUE;
}

BOOL CBCGPToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    RemoveAllButtons();
    int image = 0;
    for (int i = 0; i < nIDCount; ++i) {
        if (lpIDArray[i] == ID_SEPARATOR)
            InsertSeparator();
        else
            InsertButton(CBCGPToolbarButton(lpIDArray[i], image++, nullptr, FALSE, m_bLocked));
    }
    AdjustLayout();
    return TRUE;
}

void CBCGPToolBar::PlaceButton(std::unique_ptr<CBCGPToolbarButton> button, INT_PTR iInsertAt, int* pIndex)
{
    const int count = GetCount();
    const int at = (iInsertAt < 0 || iInsertAt > count) ? count : static_cast<int>(iInsertAt);
    button->OnChangeParentWnd(this);
    m_buttons.insert(m_buttons.begin() + at, std::move(button));
    if (pIndex)
        *pIndex = at;
}

int CBCGPToolBar::InsertButton(const CBCGPToolbarButton& button, INT_PTR iInsertAt)
{
    std::unique_ptr<CBCGPToolbarButton> copy(
        static_cast<CBCGPToolbarButton*>(button.GetRuntimeClass()->CreateObject()));
    if (!copy)
        return -1;
    copy->CopyFrom(button);
    int index = -1;
    PlaceButton(std::move(copy), iInsertAt, &index);
    if (m_hWnd)
        AdjustLayout();
    return index;
}

int CBCGPToolBar::InsertSeparator(INT_PTR iInsertAt)
{
    CBCGPToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    return InsertButton(separator, iInsertAt);
}

BOOL CBCGPToolBar::RemoveButton(int iIndex)
{
    if (iIndex < 0 || iIndex >= GetCount())
        return FALSE;
    m_buttons[static_cast<size_t>(iIndex)]->OnChangeParentWnd(nullptr);
    m_buttons.erase(m_buttons.begin() + iIndex);
    m_iHighlighted = m_iPressed = -1;
    if (m_hWnd)
        AdjustLayout();
    return TRUE;
}

void CBCGPToolBar::RemoveAllButtons()
{
    for (auto& button : m_buttons)
        button->OnChangeParentWnd(nullptr);
    m_buttons.clear();
    m_iHighlighted = m_iPressed = -1;
}

int CBCGPToolBar::ReplaceButton(UINT uiCmd, const CBCGPToolbarButton& button, BOOL bAll)
{
    int replaced = 0;
    for (int i = CommandToIndex(uiCmd); i >= 0; i = CommandToIndex(uiCmd, i + 1)) {
        std::unique_ptr<CBCGPToolbarButton> copy(
            static_cast<CBCGPToolbarButton*>(button.GetRuntimeClass()->CreateObject()));
        if (!copy)
            break;
        copy->CopyFrom(button);
        // The new button keeps the place's visibility; the old one lets go of its control.
        m_buttons[static_cast<size_t>(i)]->OnChangeParentWnd(nullptr);
        copy->OnChangeParentWnd(this);
        m_buttons[static_cast<size_t>(i)] = std::move(copy);
        ++replaced;
        if (!bAll)
            break;
    }
    if (replaced && m_hWnd)
        AdjustLayout();
    return replaced;
}

CBCGPToolbarButton* CBCGPToolBar::GetButton(int iIndex) const
{
    return iIndex >= 0 && iIndex < GetCount() ? m_buttons[static_cast<size_t>(iIndex)].get() : nullptr;
}

int CBCGPToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const
{
    for (int i = std::max(0, iIndexFirst); i < GetCount(); ++i) {
        const CBCGPToolbarButton* button = m_buttons[static_cast<size_t>(i)].get();
        if (button->m_nID == nIDFind && !button->IsSeparator())
            return i;
    }
    return -1;
}

UINT CBCGPToolBar::GetItemID(int nIndex) const
{
    const CBCGPToolbarButton* button = GetButton(nIndex);
    return button && !button->IsSeparator() ? button->m_nID : 0;
}

void CBCGPToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    const CBCGPToolbarButton* button = GetButton(nIndex);
    *lpRect = button ? static_cast<RECT>(button->Rect()) : RECT{};
}

UINT CBCGPToolBar::GetButtonStyle(int nIndex) const
{
    const CBCGPToolbarButton* button = GetButton(nIndex);
    return button ? button->GetStyle() : 0;
}

void CBCGPToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    CBCGPToolbarButton* button = GetButton(nIndex);
    if (!button || button->GetStyle() == nStyle)
        return;
    const BOOL wasHidden = button->IsHidden();
    button->SetStyle(nStyle);
    if (!m_hWnd)
        return;
    if (wasHidden != button->IsHidden())
        AdjustLayout();
    else
        InvalidateRect(&button->Rect());
}

BOOL CBCGPToolBar::SetButtonText(int nIndex, LPCTSTR lpszText)
{
    CBCGPToolbarButton* button = GetButton(nIndex);
    if (!button)
        return FALSE;
    button->m_strText = lpszText ? lpszText : L"";
    if (m_hWnd)
        AdjustLayout();
    return TRUE;
}

CString CBCGPToolBar::GetButtonText(int nIndex) const
{
    const CBCGPToolbarButton* button = GetButton(nIndex);
    return button ? button->m_strText : CString();
}

void CBCGPToolBar::SetToolBarBtnText(UINT nBtnIndex, LPCTSTR szText, BOOL bShowText, BOOL bShowImage)
{
    CBCGPToolbarButton* button = GetButton(static_cast<int>(nBtnIndex));
    if (!button || button->IsSeparator())
        return;
    if (szText)
        button->m_strText = szText;
    button->m_bText = bShowText;
    button->m_bImage = bShowImage;
    if (m_hWnd)
        AdjustLayout();
}

int CBCGPToolBar::HitTest(CPoint point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        const CBCGPToolbarButton* button = m_buttons[static_cast<size_t>(i)].get();
        if (!button->IsHidden() && button->Rect().PtInRect(point))
            return i;
    }
    return -1;
}

void CBCGPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    if (m_hWnd)
        AdjustLayout();
}

CRect CBCGPToolBar::GripperRect() const
{
    if (!(m_dwStyle & CBRS_GRIPPER) || IsFloating() || !m_hWnd)
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    return IsHorizontal() ? CRect(client.left, client.top, client.left + kGripper, client.bottom)
                          : CRect(client.left, client.top, client.right, client.top + kGripper);
}

CSize CBCGPToolBar::CalcSize(BOOL bVertDock)
{
    CClientDC dc(m_hWnd ? this : CWnd::GetDesktopWindow());
    std::vector<skinui::ToolbarItemLayout> items;
    for (auto& button : m_buttons) {
        if (button->IsHidden())
            continue;
        const CSize size = button->OnCalculateSize(&dc, m_sizeButton, !bVertDock);
        items.push_back({ size, button->m_bWrap != FALSE, button->IsSeparator() != FALSE });
    }
    std::vector<RECT> rects;
    CSize size = skinui::LayoutToolbarItems(items, !bVertDock, 0, POINT{ 0, 0 }, rects);
    if (items.empty())
        size = bVertDock ? CSize(m_sizeButton.cx, 0) : CSize(0, m_sizeButton.cy);
    const int gripper = (m_dwStyle & CBRS_GRIPPER) && !IsFloating() ? kGripper : 0;
    size.cx += m_rectBorders.left + m_rectBorders.right + 4 + (bVertDock ? 0 : gripper);
    size.cy += m_rectBorders.top + m_rectBorders.bottom + 4 + (bVertDock ? gripper : 0);
    return size;
}

CSize CBCGPToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return CalcSize(!bHorz);
}

CSize CBCGPToolBar::CalcFloatingSize()
{
    return CalcSize(FALSE);
}

void CBCGPToolBar::AdjustLayout()
{
    if (!m_hWnd)
        return;
    AdjustLocations();
    Invalidate();
    // A new size along the edge needs the frame to place its bars again.
    if (CFrameWnd* frame = GetDockSiteFrameWnd(); frame && frame->m_hWnd && !IsFloating()) {
        CRect r;
        GetWindowRect(&r);
        const CSize wanted = CalcSize(!IsHorizontal());
        if ((IsHorizontal() && wanted.cy != r.Height()) || (!IsHorizontal() && wanted.cx != r.Width()))
            AdjustDockingLayout();
    }
}

void CBCGPToolBar::AdjustLocations()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const BOOL horz = IsHorizontal();
    const CRect gripper = GripperRect();
    CPoint origin(client.left + m_rectBorders.left + 2, client.top + m_rectBorders.top + 2);
    if (horz)
        origin.x += gripper.Width();
    else
        origin.y += gripper.Height();
    CClientDC dc(this);
    std::vector<skinui::ToolbarItemLayout> items;
    std::vector<CBCGPToolbarButton*> shown;
    for (auto& button : m_buttons) {
        if (button->IsHidden()) {
            button->SetRect(CRect(0, 0, 0, 0));
            button->OnShow(FALSE);
            continue;
        }
        items.push_back({ button->OnCalculateSize(&dc, m_sizeButton, horz), button->m_bWrap != FALSE,
                          button->IsSeparator() != FALSE });
        shown.push_back(button.get());
    }
    // A floating bar wraps at its width.
    const int limit = IsFloating() ? (horz ? client.Width() : client.Height()) - 4 : 0;
    std::vector<RECT> rects;
    skinui::LayoutToolbarItems(items, horz != FALSE, limit > 0 ? limit : 0, origin, rects);
    // Buttons of a row share the row's depth: the line's tallest button.
    const int depth = horz ? client.Height() - m_rectBorders.top - m_rectBorders.bottom - 4
                           : client.Width() - m_rectBorders.left - m_rectBorders.right - 4;
    for (size_t i = 0; i < shown.size(); ++i) {
        CRect r(rects[i]);
        if (!IsFloating() && depth > 0) {
            if (horz && !shown[i]->GetHwnd())
                r.bottom = std::max<LONG>(r.bottom, r.top + std::min<int>(depth, m_sizeButton.cy));
            else if (!horz)
                r.right = std::max<LONG>(r.right, r.left + std::min<int>(depth, m_sizeButton.cx));
        }
        shown[i]->SetRect(r);
        shown[i]->OnShow(TRUE);
    }
    UpdateTooltips();
}

void CBCGPToolBar::UpdateTooltips()
{
    // One tool of the tip per button, at the button's place.
    if (!m_toolTip.m_hWnd)
        return;
    while (m_toolTip.GetToolCount() > 0) {
        TOOLINFOW info = { sizeof info };
        if (!m_toolTip.SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
            break;
        m_toolTip.SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    for (int i = 0; i < GetCount(); ++i) {
        const CBCGPToolbarButton* button = m_buttons[static_cast<size_t>(i)].get();
        if (!button->IsHidden() && !button->IsSeparator() && !button->Rect().IsRectEmpty())
            m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKW, &button->Rect(), static_cast<UINT_PTR>(i) + 1);
    }
}

void CBCGPToolBar::OnFillBackground(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, client, client);
}

void CBCGPToolBar::DoPaint(CDC* pDC)
{
    OnFillBackground(pDC);
    const CRect gripper = GripperRect();
    if (!gripper.IsRectEmpty())
        CBCGPVisualManager::GetInstance()->OnDrawBarGripper(pDC, gripper, IsHorizontal(), this);
    DrawButtons(pDC);
}

void CBCGPToolBar::DrawButtons(CDC* pDC)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const BOOL horz = IsHorizontal();
    for (int i = 0; i < GetCount(); ++i) {
        CBCGPToolbarButton* button = m_buttons[static_cast<size_t>(i)].get();
        if (button->IsHidden() || button->Rect().IsRectEmpty())
            continue;
        if (button->IsSeparator()) {
            manager->OnDrawSeparator(pDC, this, button->Rect(), horz);
            continue;
        }
        const BOOL hot = i == m_iHighlighted && !button->IsDisabled();
        CBCGPToolBarImages* images = &m_imagesHot;
        BOOL grey = TRUE;
        if (button->IsDisabled() && m_imagesDisabled.IsValid()) {
            images = &m_imagesDisabled;
            grey = FALSE;
        } else if (!hot && m_imagesCold.IsValid()) {
            images = &m_imagesCold;
        } else if (!m_imagesHot.IsValid()) {
            images = &m_imagesCold;
        }
        button->OnDraw(pDC, button->Rect(), images, horz, FALSE, hot, TRUE, grey);
    }
}

void CBCGPToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    ButtonCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); ++i) {
        CBCGPToolbarButton* button = m_buttons[static_cast<size_t>(i)].get();
        if (button->IsSeparator() || button->m_nID == 0)
            continue;
        // Menu-bar items open menus: they have no command of their own to ask about.
        if (auto* menu = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, button); menu && menu->m_bMenuBarItem && menu->GetMenu())
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = button->m_nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler && !button->GetHwnd());
    }
}

BOOL CBCGPToolBar::OnUserToolTip(CBCGPToolbarButton*, CString&) const
{
    return FALSE;
}

CString CBCGPToolBar::GetButtonToolTip(int nIndex) const
{
    CBCGPToolbarButton* button = GetButton(nIndex);
    if (!button || button->IsSeparator())
        return CString();
    CString text;
    if (!OnUserToolTip(button, text)) {
        text = button->m_strText;
        text.Remove(L'&');
        // The tip part of the command's string: "prompt\ntip".
        if (text.IsEmpty() && button->m_nID) {
            CString full;
            if (full.LoadString(button->m_nID))
                text = appframe::ExtractSubString(full, 1);
        }
    }
    // The frame has the last word (it leaves the text as it is for buttons it does not know).
    CWnd* target = GetCommandTarget();
    if (auto* frame = DYNAMIC_DOWNCAST(CBCGPFrameWnd, target))
        frame->GetToolbarButtonToolTipText(button, text);
    else if (auto* mdi = DYNAMIC_DOWNCAST(CBCGPMDIFrameWnd, target))
        mdi->GetToolbarButtonToolTipText(button, text);
    return text;
}

CWnd* CBCGPToolBar::GetCommandTarget() const
{
    if (m_pOwner && m_pOwner->m_hWnd)
        return m_pOwner;
    if (CFrameWnd* site = GetDockSiteFrameWnd())
        return site;
    return m_hWnd ? GetParent() : nullptr;
}

BOOL CBCGPToolBar::OnSendCommand(const CBCGPToolbarButton* pButton)
{
    CWnd* target = GetCommandTarget();
    if (!pButton || pButton->m_nID == 0 || !target || !target->m_hWnd)
        return FALSE;
    // Posted: the handler may change or destroy the bar.
    return target->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nID, 0), 0);
}

void CBCGPToolBar::ClickButton(int nIndex)
{
    CBCGPToolbarButton* button = GetButton(nIndex);
    if (!button || button->IsHidden())
        return;
    const CPoint c = button->Rect().CenterPoint();
    OnLButtonDownMessage(c);
    OnLButtonUpMessage(c);
}

void CBCGPToolBar::OnPopupMenuClosed()
{
    for (auto& button : m_buttons) {
        if (auto* menu = DYNAMIC_DOWNCAST(CBCGPToolbarMenuButton, button.get()); menu && menu->m_bDroppedDown) {
            menu->m_bDroppedDown = FALSE;
            if (m_hWnd)
                InvalidateRect(&menu->Rect());
        }
    }
}

void CBCGPToolBar::SetHighlighted(int nIndex)
{
    if (nIndex == m_iHighlighted)
        return;
    if (CBCGPToolbarButton* old = GetButton(m_iHighlighted))
        InvalidateRect(&old->Rect());
    m_iHighlighted = nIndex;
    if (CBCGPToolbarButton* now = GetButton(m_iHighlighted))
        InvalidateRect(&now->Rect());
}

void CBCGPToolBar::OnMouseMoveMessage(CPoint point)
{
    m_hover.Track(m_hWnd);
    int hit = HitTest(point);
    CBCGPToolbarButton* button = GetButton(hit);
    if (button && (button->IsSeparator() || button->GetHwnd()))
        hit = -1;
    if (m_iPressed >= 0) {
        // While pressed only the pressed button lights, and only under the mouse.
        CBCGPToolbarButton* pressed = GetButton(m_iPressed);
        const BOOL over = hit == m_iPressed;
        const UINT style = over ? (pressed->GetStyle() | TBBS_PRESSED) : (pressed->GetStyle() & ~static_cast<UINT>(TBBS_PRESSED));
        if (style != pressed->GetStyle()) {
            pressed->SetStyle(style);
            InvalidateRect(&pressed->Rect());
        }
        return;
    }
    SetHighlighted(hit);
}

void CBCGPToolBar::OnLButtonDownMessage(CPoint point)
{
    m_ptClick = point;
    const int hit = HitTest(point);
    CBCGPToolbarButton* button = GetButton(hit);
    if (!button || button->IsSeparator() || button->IsDisabled() || button->GetHwnd())
        return;
    SetHighlighted(hit);
    if (button->OnClick(this, FALSE))
        return;
    m_iPressed = hit;
    button->SetStyle(button->GetStyle() | TBBS_PRESSED);
    InvalidateRect(&button->Rect());
    SetCapture();
}

void CBCGPToolBar::OnLButtonUpMessage(CPoint point)
{
    CBCGPToolbarButton* button = GetButton(m_iPressed);
    m_iPressed = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!button)
        return;
    button->SetStyle(button->GetStyle() & ~static_cast<UINT>(TBBS_PRESSED));
    InvalidateRect(&button->Rect());
    if (button->Rect().PtInRect(point)) {
        if (!button->OnClickUp())
            OnSendCommand(button);
    } else {
        button->OnClickUpOutside();
    }
}

BOOL CBCGPToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (m_toolTip.m_hWnd && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG msg = { m_hWnd, message, wParam, lParam };
        m_toolTip.RelayEvent(&msg);
    }
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    switch (message) {
    case WM_DESTROY:
        // A menu this bar opened must not outlive it.
        if (CBCGPPopupMenu* top = CBCGPPopupMenu::GetTopMenu(); top && top->m_pParentBar == this) {
            top->m_pParentBar = nullptr;
            top->CloseMenu();
        }
        if (CBCGPDropDownFrame* palette = CBCGPDropDownFrame::GetActive(); palette && palette->GetParentBar() == this)
            palette->ClosePalette();
        break;
    case WM_MOUSEMOVE:
        OnMouseMoveMessage(point);
        *pResult = 0;
        return TRUE;
    case WM_MOUSELEAVE:
        m_hover.Leave();
        if (m_iPressed < 0)
            SetHighlighted(-1);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDownMessage(point);
        *pResult = 0;
        return TRUE;
    case WM_LBUTTONUP:
        OnLButtonUpMessage(point);
        *pResult = 0;
        return TRUE;
    case WM_CAPTURECHANGED:
        if (m_iPressed >= 0 && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            if (CBCGPToolbarButton* button = GetButton(m_iPressed)) {
                button->SetStyle(button->GetStyle() & ~static_cast<UINT>(TBBS_PRESSED));
                button->OnClickUpOutside();
                InvalidateRect(&button->Rect());
            }
            m_iPressed = -1;
        }
        *pResult = 0;
        return TRUE;
    case WM_SIZE:
        CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
        AdjustLocations();
        Invalidate();
        *pResult = 0;
        return TRUE;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (m_toolTip.m_hWnd && header->hwndFrom == m_toolTip.m_hWnd && header->code == TTN_GETDISPINFOW) {
            auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
            static CString text;   // the tip copies it before the next one is asked for
            text = GetButtonToolTip(static_cast<int>(header->idFrom) - 1);
            info->lpszText = const_cast<LPWSTR>(text.GetString());
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    case WM_COMMAND:
        // Notifications of the buttons' controls: the button decides whether the frame hears.
        if (lParam) {
            for (auto& button : m_buttons) {
                if (button->GetHwnd() == reinterpret_cast<HWND>(lParam)) {
                    if (button->NotifyCommand(HIWORD(wParam))) {
                        if (CWnd* target = GetCommandTarget(); target && target->m_hWnd)
                            target->SendMessage(WM_COMMAND, MAKEWPARAM(button->m_nID, HIWORD(wParam)), lParam);
                    }
                    *pResult = 0;
                    return TRUE;
                }
            }
        }
        break;
    default:
        if (message == BCGM_CHANGEVISUALMANAGER) {
            AdjustLayout();
            *pResult = 0;
            return TRUE;
        }
        break;
    }
    return CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
}
