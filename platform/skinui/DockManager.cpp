#include "DockManager.h"
#include <windowsx.h>
#include <algorithm>
#include <map>
#include "DockingControlBar.h"
#include "GlobalData.h"
#include "MiniFrameWnd.h"
#include "TabbedControlBar.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {

const DWORD kSides[4] = { CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT };

int SideIndex(DWORD side)
{
    for (int i = 0; i < 4; ++i)
        if (side & kSides[i])
            return i;
    return 0;
}

DWORD SingleSide(DWORD align)
{
    return kSides[SideIndex(align)];
}

bool IsHorizontalSide(DWORD side)
{
    return side == CBRS_ALIGN_TOP || side == CBRS_ALIGN_BOTTOM;
}

bool IsSingleSide(DWORD side)
{
    return std::find(std::begin(kSides), std::end(kSides), side) != std::end(kSides);
}

// Registry values of one bar, all 32-bit, so that a state written by one build reads in another.
struct BarRecord {
    DWORD order = 0, side = 0, column = 0, width = 0, height = 0, visible = 1, floating = 0, autoHide = 0;
    LONG floatLeft = 0, floatTop = 0, floatRight = 0, floatBottom = 0;
    DWORD tabGroup = 0, tabIndex = 0, activeTab = 0;
};

struct RecordField {
    const wchar_t* name;
    DWORD BarRecord::*udw;
    LONG BarRecord::*l;
};

const RecordField kFields[] = {
    { L"Order", &BarRecord::order, nullptr },        { L"Side", &BarRecord::side, nullptr },
    { L"Column", &BarRecord::column, nullptr },      { L"Width", &BarRecord::width, nullptr },
    { L"Height", &BarRecord::height, nullptr },      { L"Visible", &BarRecord::visible, nullptr },
    { L"Floating", &BarRecord::floating, nullptr },  { L"AutoHide", &BarRecord::autoHide, nullptr },
    { L"FloatLeft", nullptr, &BarRecord::floatLeft }, { L"FloatTop", nullptr, &BarRecord::floatTop },
    { L"FloatRight", nullptr, &BarRecord::floatRight }, { L"FloatBottom", nullptr, &BarRecord::floatBottom },
    { L"TabGroup", &BarRecord::tabGroup, nullptr },  { L"TabIndex", &BarRecord::tabIndex, nullptr },
    { L"ActiveTab", &BarRecord::activeTab, nullptr },
};
const size_t kFieldCount = sizeof kFields / sizeof kFields[0];

// A floating bar narrower or lower than this is no place to restore.
const int kMinFloatingSize = 8;

CString BarKey(LPCTSTR base, UINT id)
{
    CString key;
    key.Format(L"%s\\Bar-%u", base, id);
    return key;
}

struct RecordValues {
    const wchar_t* names[kFieldCount];
    DWORD values[kFieldCount];
};

RecordValues ValuesOf(const BarRecord& r)
{
    RecordValues v;
    for (size_t i = 0; i < kFieldCount; ++i) {
        v.names[i] = kFields[i].name;
        v.values[i] = kFields[i].udw ? r.*kFields[i].udw : static_cast<DWORD>(r.*kFields[i].l);
    }
    return v;
}

bool WriteRecord(LPCTSTR key, const BarRecord& r)
{
    const RecordValues v = ValuesOf(r);
    return skinui::WriteRegistryDwords(key, v.names, v.values, kFieldCount);
}

// The values found under the key replace the record's; the others stay.
bool ReadRecord(LPCTSTR key, BarRecord& r)
{
    RecordValues v = ValuesOf(r);
    if (skinui::ReadRegistryDwords(key, v.names, v.values, kFieldCount) < 0)
        return false;
    for (size_t i = 0; i < kFieldCount; ++i) {
        if (kFields[i].udw)
            r.*kFields[i].udw = v.values[i];
        else
            r.*kFields[i].l = static_cast<LONG>(v.values[i]);
    }
    return true;
}

bool IsPaneLength(DWORD length, int screen)
{
    return length >= static_cast<DWORD>(CBCGPDockingControlBar::GetMinSize()) && length <= static_cast<DWORD>(std::max(screen, 0));
}

// A record may have been left by an older build or edited by hand: what it says is taken only
// where it fits the bar it names, else the bar keeps what it has. A side is one side the bar may
// dock at; sizes, tab groups and auto-hide belong to docking panes, and a pane joins the group of
// another pane only; a floating place lies on a screen.
void MendRecord(BarRecord& r, CBCGPBaseControlBar* bar, const CBCGPDockManager& manager)
{
    const DWORD enabled = bar->GetEnabledAlignment();
    if (!IsSingleSide(r.side) || (enabled && !(enabled & r.side)))
        r.side = SingleSide(bar->GetCurrentAlignment());
    const CRect floating(r.floatLeft, r.floatTop, r.floatRight, r.floatBottom);
    if (!skinui::IsUsableScreenRect(floating, kMinFloatingSize)) {
        const CRect recent = bar->GetRecentFloatingRect();
        r.floatLeft = recent.left;
        r.floatTop = recent.top;
        r.floatRight = recent.right;
        r.floatBottom = recent.bottom;
    }
    if (!bar->CanFloat())
        r.floating = 0;
    auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, bar);
    if (!pane) {
        r.autoHide = r.tabGroup = r.tabIndex = r.activeTab = 0;
        return;
    }
    const CSize docked = pane->GetDockedSize();
    if (!IsPaneLength(r.width, ::GetSystemMetrics(SM_CXVIRTUALSCREEN)))
        r.width = static_cast<DWORD>(docked.cx);
    if (!IsPaneLength(r.height, ::GetSystemMetrics(SM_CYVIRTUALSCREEN)))
        r.height = static_cast<DWORD>(docked.cy);
    if (!(pane->GetControlBarStyle() & CBRS_BCGP_AUTOHIDE))
        r.autoHide = 0;
    if (r.tabGroup) {
        auto* head = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, manager.FindBarByID(r.tabGroup));
        if (!head || (head == pane && r.tabIndex > 0))
            r.tabGroup = r.tabIndex = 0;
    }
}

} // namespace

namespace skinui {

DWORD AlignmentOfDockBar(UINT nDockBarID)
{
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    default: return 0;
    }
}

void SplitAlong(const RECT& rect, bool horizontalEdge, const int* weights, size_t count, RECT* parts)
{
    long long total = 0;
    for (size_t i = 0; i < count; ++i)
        total += std::max(weights[i], 1);
    const int length = horizontalEdge ? rect.right - rect.left : rect.bottom - rect.top;
    int pos = horizontalEdge ? rect.left : rect.top;
    const int end = horizontalEdge ? rect.right : rect.bottom;
    for (size_t i = 0; i < count; ++i) {
        const int share = i + 1 == count ? end - pos : static_cast<int>(length * std::max(weights[i], 1) / std::max(total, 1LL));
        parts[i] = rect;
        if (horizontalEdge) {
            parts[i].left = pos;
            parts[i].right = pos + share;
        } else {
            parts[i].top = pos;
            parts[i].bottom = pos + share;
        }
        pos += share;
    }
}

DWORD DockZoneAtPoint(const RECT& area, POINT pt, int zone)
{
    if (pt.x < area.left || pt.x >= area.right || pt.y < area.top || pt.y >= area.bottom)
        return 0;
    // The nearest edge wins where two zones meet in a corner.
    const int distances[4] = { pt.y - area.top, area.bottom - 1 - pt.y, pt.x - area.left, area.right - 1 - pt.x };
    int best = 0;
    for (int i = 1; i < 4; ++i)
        if (distances[i] < distances[best])
            best = i;
    return distances[best] < zone ? kSides[best] : 0;
}

bool IsUsableScreenRect(const RECT& rect, int minSize)
{
    // In 64 bits: stored edges may lie anywhere in 32.
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    // A window a little larger than the desktop is a place the user may leave it in.
    const long long maxWidth = 2LL * std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CXSCREEN));
    const long long maxHeight = 2LL * std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return width >= minSize && height >= minSize && width <= maxWidth && height <= maxHeight &&
           ::MonitorFromRect(&rect, MONITOR_DEFAULTTONULL) != nullptr;
}

bool WriteRegistryDwords(LPCTSTR key, const wchar_t* const names[], const DWORD values[], size_t count)
{
    win32::RegKey hkey;
    if (!hkey.Create(HKEY_CURRENT_USER, key, KEY_WRITE))
        return false;
    bool ok = true;
    for (size_t i = 0; i < count; ++i)
        ok &= hkey.WriteDword(names[i], values[i]);
    return ok;
}

int ReadRegistryDwords(LPCTSTR key, const wchar_t* const names[], DWORD values[], size_t count)
{
    win32::RegKey hkey;
    if (!hkey.Open(HKEY_CURRENT_USER, key, KEY_READ))
        return -1;
    int read = 0;
    for (size_t i = 0; i < count; ++i)
        read += hkey.ReadDword(names[i], values[i]) ? 1 : 0;
    return read;
}

RECT CenteredRect(SIZE screen, double fraction, SIZE size)
{
    RECT r;
    if (fraction > 0) {
        const int mx = static_cast<int>((1.0 - fraction) * 0.5 * screen.cx);
        const int my = static_cast<int>((1.0 - fraction) * 0.5 * screen.cy);
        r = { mx, my, screen.cx - mx, screen.cy - my };
    } else {
        r.left = (screen.cx - size.cx) / 2;
        r.top = (screen.cy - size.cy) / 2;
        r.right = r.left + size.cx;
        r.bottom = r.top + size.cy;
    }
    return r;
}

} // namespace skinui

// ---------------------------------------------------------------------------------------------
// CBCGPDockManager

CBCGPDockManager::CBCGPDockManager(CFrameWnd* pFrame) : m_pFrame(pFrame)
{
}

CBCGPDockManager::~CBCGPDockManager()
{
    // The tab groups' windows are children of the frame and went with it; what is left of
    // them must not reach back into panes that are gone.
    for (auto& group : m_tabGroups)
        if (group->m_hWnd)
            group->DestroyWindow();
}

CBCGPDockManager::Entry* CBCGPDockManager::Find(const CBCGPBaseControlBar* pBar)
{
    for (Entry& e : m_entries)
        if (e.bar == pBar)
            return &e;
    return nullptr;
}

const CBCGPDockManager::Entry* CBCGPDockManager::Find(const CBCGPBaseControlBar* pBar) const
{
    for (const Entry& e : m_entries)
        if (e.bar == pBar)
            return &e;
    return nullptr;
}

BOOL CBCGPDockManager::IsKnown(const CBCGPBaseControlBar* pBar) const
{
    if (Find(pBar))
        return TRUE;
    const auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, const_cast<CBCGPBaseControlBar*>(pBar));
    return pane && pane->IsTabbed();
}

void CBCGPDockManager::AddEntry(CBCGPBaseControlBar* pBar, DWORD side, int column)
{
    m_entries.push_back({ pBar, SingleSide(side ? side : CBRS_ALIGN_TOP), column < 0 ? m_nextColumn++ : column, false });
    pBar->SetCurrentAlignment(m_entries.back().side);
}

void CBCGPDockManager::DockControlBar(CBCGPBaseControlBar* pBar, UINT nDockBarID, LPCRECT)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    DWORD side = skinui::AlignmentOfDockBar(nDockBarID);
    if (!side)
        side = pBar->GetCurrentAlignment();
    if (!side)
        side = pBar->GetEnabledAlignment();
    side = SingleSide(side ? side : CBRS_ALIGN_TOP);
    if (pBar->IsFloating()) {
        if (Entry* e = Find(pBar))
            e->side = side;
        DockToFrame(pBar, side);
        return;
    }
    if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, pBar); pane && pane->IsTabbed())
        DetachFromTab(pane);
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [pBar](const Entry& e) { return e.bar == pBar; }),
                    m_entries.end());
    AddEntry(pBar, side);
    AdjustDockingLayout();
}

BOOL CBCGPDockManager::DockBarBeside(CBCGPBaseControlBar* pBar, CBCGPBaseControlBar* pTarget, DWORD dwAlignment)
{
    // Beside a pane of a tab group is beside the group.
    if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, pTarget); pane && pane->IsTabbed())
        pTarget = pane->GetParentTabbedBar();
    const Entry* target = Find(pTarget);
    if (!pBar || !target || pBar == pTarget || target->autoHide)
        return FALSE;
    if (pBar->IsFloating())
        pBar->GetParentMiniFrame()->ReleaseBar();
    if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, pBar); pane && pane->IsTabbed())
        DetachFromTab(pane);
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [pBar](const Entry& e) { return e.bar == pBar; }),
                    m_entries.end());
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), [pTarget](const Entry& e) { return e.bar == pTarget; });
    const bool before = (dwAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) != 0;
    const Entry made = { pBar, it->side, it->column, false };
    m_entries.insert(before ? it : it + 1, made);
    pBar->SetCurrentAlignment(made.side);
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
    AdjustDockingLayout();
    return TRUE;
}

BOOL CBCGPDockManager::DockToFrame(CBCGPBaseControlBar* pBar, DWORD dwAlignment)
{
    if (!pBar || !pBar->m_hWnd)
        return FALSE;
    if (pBar->IsFloating())
        pBar->GetParentMiniFrame()->ReleaseBar();
    Entry* e = Find(pBar);
    if (!e) {
        AddEntry(pBar, dwAlignment ? dwAlignment : pBar->GetCurrentAlignment());
        e = &m_entries.back();
    } else if (dwAlignment && SingleSide(dwAlignment) != e->side) {
        // A new side: the bar goes innermost there, in a column of its own.
        Entry moved = *e;
        moved.side = SingleSide(dwAlignment);
        moved.column = m_nextColumn++;
        m_entries.erase(m_entries.begin() + (e - m_entries.data()));
        m_entries.push_back(moved);
        e = &m_entries.back();
    }
    pBar->SetCurrentAlignment(e->side);
    if (pBar->IsBarVisible() && !e->autoHide)
        pBar->ShowWindow(SW_SHOWNOACTIVATE);
    AdjustDockingLayout();
    return TRUE;
}

BOOL CBCGPDockManager::FloatControlBar(CBCGPBaseControlBar* pBar, CRect rectFloat, bool bShow)
{
    if (!pBar || !pBar->m_hWnd || !pBar->CanFloat())
        return FALSE;
    auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, pBar);
    if (pane && pane->IsTabbed())
        DetachFromTab(pane);
    if (pane && pane->IsAutoHideMode())
        SetAutoHide(pane, FALSE);
    if (!Find(pBar))
        AddEntry(pBar, pBar->GetCurrentAlignment());
    if (rectFloat.IsRectEmpty()) {
        const CSize size = pBar->CalcFloatingSize();
        CPoint at;
        ::GetCursorPos(&at);
        rectFloat = CRect(at, size);
    }
    pBar->m_rectRecentFloating = rectFloat;
    if (CBCGPMiniFrameWnd* frame = pBar->GetParentMiniFrame()) {
        CRect r = rectFloat;
        ::AdjustWindowRectEx(&r, 0, FALSE, 0);
        frame->SetWindowPos(nullptr, rectFloat.left - CBCGPMiniFrameWnd::GetBorderSize(),
                            rectFloat.top - CBCGPMiniFrameWnd::GetBorderSize() - frame->GetCaptionHeight(), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return TRUE;
    }
    CBCGPMiniFrameWnd* frame = nullptr;
    if (pBar->m_pMiniFrameRTC && pBar->m_pMiniFrameRTC->IsDerivedFrom(RUNTIME_CLASS(CBCGPMiniFrameWnd)))
        frame = static_cast<CBCGPMiniFrameWnd*>(pBar->m_pMiniFrameRTC->CreateObject());
    if (!frame)
        frame = new CBCGPMiniFrameWnd;
    // The frame deletes itself with its window, a failed creation included.
    if (!frame->Create(pBar, rectFloat, bShow && pBar->IsBarVisible()))
        return FALSE;
    AdjustDockingLayout();
    return TRUE;
}

void CBCGPDockManager::RemoveControlBar(CBCGPBaseControlBar* pBar)
{
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [pBar](const Entry& e) { return e.bar == pBar; }),
                    m_entries.end());
    for (auto& strip : m_autoHideBars)
        if (strip) {
            auto panes = strip->GetPanes();
            panes.erase(std::remove(panes.begin(), panes.end(), pBar), panes.end());
            strip->SetPanes(panes);
        }
    m_hiddenForFullScreen.erase(std::remove(m_hiddenForFullScreen.begin(), m_hiddenForFullScreen.end(), pBar),
                                m_hiddenForFullScreen.end());
}

CBCGPBaseControlBar* CBCGPDockManager::FindBarByID(UINT nID) const
{
    for (CBCGPBaseControlBar* bar : GetAllBars())
        if (bar->m_hWnd && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    return nullptr;
}

std::vector<CBCGPBaseControlBar*> CBCGPDockManager::GetAllBars() const
{
    std::vector<CBCGPBaseControlBar*> bars;
    for (const Entry& e : m_entries) {
        if (auto* group = DYNAMIC_DOWNCAST(CBCGPTabbedControlBar, e.bar)) {
            for (int i = 0; i < group->GetTabsNum(); ++i)
                bars.push_back(group->GetTab(i));
        } else {
            bars.push_back(e.bar);
        }
    }
    return bars;
}

CBCGPTabbedControlBar* CBCGPDockManager::MakeTabGroup(CBCGPDockingControlBar* pFirst)
{
    std::unique_ptr<CBCGPTabbedControlBar> group;
    if (pFirst->m_pTabbedControlBarRTC && pFirst->m_pTabbedControlBarRTC->IsDerivedFrom(RUNTIME_CLASS(CBCGPTabbedControlBar)))
        group.reset(static_cast<CBCGPTabbedControlBar*>(pFirst->m_pTabbedControlBarRTC->CreateObject()));
    if (!group)
        group = std::make_unique<CBCGPTabbedControlBar>();
    if (pFirst->IsFloating())
        pFirst->GetParentMiniFrame()->ReleaseBar();
    if (!group->CreateGroup(pFirst))
        return nullptr;
    // The group takes the pane's place.
    if (Entry* e = Find(pFirst))
        e->bar = group.get();
    else
        AddEntry(group.get(), pFirst->GetCurrentAlignment());
    m_tabGroups.push_back(std::move(group));
    return m_tabGroups.back().get();
}

CBCGPTabbedControlBar* CBCGPDockManager::AttachToTab(CBCGPDockingControlBar* pBar, CBCGPDockingControlBar* pTarget, BOOL bSetActive)
{
    if (!pBar || !pTarget || pBar == pTarget || !pBar->m_hWnd || !pTarget->m_hWnd)
        return nullptr;
    CBCGPTabbedControlBar* group = pTarget->GetParentTabbedBar();
    if (!group)
        group = DYNAMIC_DOWNCAST(CBCGPTabbedControlBar, pTarget);
    if (group && group == pBar->GetParentTabbedBar())
        return group;
    if (pBar->IsTabbed())
        DetachFromTab(pBar);
    if (pBar->IsAutoHideMode())
        SetAutoHide(pBar, FALSE);
    if (pBar->IsFloating())
        pBar->GetParentMiniFrame()->ReleaseBar();
    if (!group) {
        if (pTarget->IsAutoHideMode())
            SetAutoHide(pTarget, FALSE);
        group = MakeTabGroup(pTarget);
        if (!group)
            return nullptr;
    }
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), [pBar](const Entry& e) { return e.bar == pBar; }),
                    m_entries.end());
    group->AddTab(pBar, bSetActive);
    UpdateAutoHideBars();
    AdjustDockingLayout();
    return group;
}

void CBCGPDockManager::DetachFromTab(CBCGPDockingControlBar* pBar)
{
    CBCGPTabbedControlBar* group = pBar ? pBar->GetParentTabbedBar() : nullptr;
    if (!group)
        return;
    Entry* ge = Find(group);
    const DWORD side = ge ? ge->side : group->GetCurrentAlignment();
    const int column = ge ? ge->column : -1;
    group->RemoveTab(pBar);
    pBar->SetDockedSize(group->GetDockedSize());
    AddEntry(pBar, side, column);
    if (group->GetTabsNum() <= 1) {
        // A group of one is no group: its last pane takes its place.
        CBCGPDockingControlBar* last = group->GetTab(0);
        if (last) {
            group->RemoveTab(last);
            last->SetDockedSize(group->GetDockedSize());
        }
        if (Entry* e = Find(group)) {
            if (last)
                e->bar = last;
            else
                m_entries.erase(m_entries.begin() + (e - m_entries.data()));
        }
        if (group->IsFloating())
            group->GetParentMiniFrame()->ReleaseBar();
        group->DestroyWindow();
        m_tabGroups.erase(std::remove_if(m_tabGroups.begin(), m_tabGroups.end(),
                                         [group](const std::unique_ptr<CBCGPTabbedControlBar>& g) { return g.get() == group; }),
                          m_tabGroups.end());
        if (last)
            last->ShowWindow(last->IsBarVisible() ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    pBar->ShowWindow(SW_SHOWNOACTIVATE);
    UpdateAutoHideBars();
    AdjustDockingLayout();
}

BOOL CBCGPDockManager::SetAutoHide(CBCGPDockingControlBar* pBar, BOOL bAutoHide)
{
    if (!pBar)
        return FALSE;
    if (CBCGPTabbedControlBar* group = pBar->GetParentTabbedBar())
        pBar = group;   // a group pins as one
    Entry* e = Find(pBar);
    if (!e)
        return FALSE;
    if (bAutoHide && !(m_dwAutoHideAlignment & e->side))
        return FALSE;
    if (bAutoHide && pBar->IsFloating())
        return FALSE;
    e->autoHide = bAutoHide != FALSE;
    pBar->m_bAutoHide = bAutoHide;
    pBar->m_bSlidOut = FALSE;
    pBar->KillTimer(1);
    pBar->ShowWindow(bAutoHide || !pBar->IsBarVisible() ? SW_HIDE : SW_SHOWNOACTIVATE);
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    UpdateAutoHideBars();
    AdjustDockingLayout();
    return TRUE;
}

CBCGPAutoHideDockBar* CBCGPDockManager::GetAutoHideBar(DWORD dwAlignment) const
{
    return m_autoHideBars[SideIndex(dwAlignment)].get();
}

void CBCGPDockManager::UpdateAutoHideBars()
{
    std::vector<CBCGPDockingControlBar*> panes[4];
    for (const Entry& e : m_entries)
        if (e.autoHide)
            if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, e.bar))
                panes[SideIndex(e.side)].push_back(pane);
    for (int i = 0; i < 4; ++i) {
        if (panes[i].empty() && !m_autoHideBars[i])
            continue;
        if (!m_autoHideBars[i]) {
            m_autoHideBars[i] = std::make_unique<CBCGPAutoHideDockBar>(this, kSides[i]);
            if (!m_autoHideBars[i]->Create(m_pFrame)) {
                m_autoHideBars[i].reset();
                continue;
            }
        }
        m_autoHideBars[i]->SetPanes(panes[i]);
    }
}

void CBCGPDockManager::RegisterChildBars()
{
    // Bars made in the frame but never docked take their place by their own style.
    for (HWND child = ::GetWindow(m_pFrame->m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        auto* bar = DYNAMIC_DOWNCAST(CBCGPBaseControlBar, CWnd::FromHandlePermanent(child));
        if (!bar || IsKnown(bar) || DYNAMIC_DOWNCAST(CBCGPAutoHideDockBar, bar))
            continue;
        bool group = false;
        for (auto& g : m_tabGroups)
            group |= g.get() == bar;
        if (!group)
            AddEntry(bar, bar->GetCurrentAlignment());
    }
}

CRect CBCGPDockManager::GetSlideOutRect(CBCGPDockingControlBar* pBar) const
{
    const Entry* e = Find(pBar);
    CRect r = m_rectInner;
    if (!e)
        return r;
    const CSize size = pBar->GetDockedSize();
    switch (e->side) {
    case CBRS_ALIGN_LEFT: r.right = std::min(r.left + size.cx, r.right); break;
    case CBRS_ALIGN_RIGHT: r.left = std::max(r.right - size.cx, r.left); break;
    case CBRS_ALIGN_TOP: r.bottom = std::min(r.top + size.cy, r.bottom); break;
    default: r.top = std::max(r.bottom - size.cy, r.top); break;
    }
    return r;
}

void CBCGPDockManager::AdjustDockingLayout()
{
    if (!m_pFrame || !m_pFrame->m_hWnd || m_inLayout)
        return;
    m_inLayout = true;
    RegisterChildBars();

    struct Placed {
        CBCGPBaseControlBar* bar;   // null for a column of panes
        int column;
        DWORD side;
    };
    std::vector<Placed> placed;
    std::vector<appframe::BarPlacement> placements;
    // Fixed bars outermost, then the auto-hide strips, then the columns of panes.
    for (const Entry& e : m_entries) {
        if (e.bar->IsResizable() || e.bar->IsFloating() || !e.bar->IsBarVisible())
            continue;
        const bool horz = IsHorizontalSide(e.side);
        placed.push_back({ e.bar, 0, e.side });
        placements.push_back({ e.side, e.bar->CalcFixedLayout(FALSE, horz) });
    }
    for (int i = 0; i < 4; ++i)
        if (m_autoHideBars[i] && !m_autoHideBars[i]->GetPanes().empty()) {
            placed.push_back({ m_autoHideBars[i].get(), 0, kSides[i] });
            placements.push_back({ kSides[i], m_autoHideBars[i]->CalcFixedLayout(FALSE, i < 2) });
        }
    const size_t innerStart = placed.size();
    std::vector<int> columnsDone;
    for (const Entry& e : m_entries) {
        if (!e.bar->IsResizable() || e.bar->IsFloating() || !e.bar->IsBarVisible() || e.autoHide)
            continue;
        if (std::find(columnsDone.begin(), columnsDone.end(), e.column) != columnsDone.end())
            continue;
        columnsDone.push_back(e.column);
        placed.push_back({ nullptr, e.column, e.side });
        placements.push_back({ e.side, e.bar->CalcFixedLayout(FALSE, IsHorizontalSide(e.side)) });
    }

    CRect client;
    m_pFrame->GetClientRect(&client);
    std::vector<RECT> rects(placed.size());
    RECT rest;
    appframe::LayoutBars(client, placements.data(), placements.size(), rects.data(), &rest);
    // What the panes may slide out over: inside the fixed bars and the strips.
    std::vector<RECT> outer(innerStart);
    appframe::LayoutBars(client, placements.data(), innerStart, outer.data(), &m_rectInner);
    m_rectClientArea = rest;

    std::vector<std::pair<CBCGPBaseControlBar*, RECT>> moves;
    for (size_t i = 0; i < placed.size(); ++i) {
        if (placed[i].bar) {
            moves.push_back({ placed[i].bar, rects[i] });
            continue;
        }
        std::vector<CBCGPBaseControlBar*> members;
        std::vector<int> weights;
        for (const Entry& e : m_entries)
            if (e.column == placed[i].column && !e.bar->IsFloating() && e.bar->IsBarVisible() && !e.autoHide) {
                members.push_back(e.bar);
                const CSize s = e.bar->CalcFixedLayout(FALSE, !IsHorizontalSide(e.side));
                weights.push_back(IsHorizontalSide(e.side) ? s.cx : s.cy);
            }
        std::vector<RECT> parts(members.size());
        skinui::SplitAlong(rects[i], IsHorizontalSide(placed[i].side), weights.data(), weights.size(), parts.data());
        for (size_t k = 0; k < members.size(); ++k)
            moves.push_back({ members[k], parts[k] });
    }

    HDWP defer = ::BeginDeferWindowPos(static_cast<int>(moves.size()) + 1);
    for (auto& [bar, r] : moves) {
        if (!defer)
            break;
        defer = ::DeferWindowPos(defer, bar->m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    if (HWND pane = ::GetDlgItem(m_pFrame->m_hWnd, AFX_IDW_PANE_FIRST); pane && defer)
        defer = ::DeferWindowPos(defer, pane, nullptr, rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (defer)
        ::EndDeferWindowPos(defer);
    // Docked bars that the user hid, and empty strips, stay out of sight.
    for (const Entry& e : m_entries)
        if (!e.bar->IsFloating() && (!e.bar->IsBarVisible() || (e.autoHide && !static_cast<CBCGPDockingControlBar*>(e.bar)->IsSlidOut())))
            e.bar->ShowWindow(SW_HIDE);
    for (auto& strip : m_autoHideBars)
        if (strip && strip->GetPanes().empty())
            strip->ShowWindow(SW_HIDE);
    for (const Entry& e : m_entries)
        if (e.autoHide)
            if (auto* pane = static_cast<CBCGPDockingControlBar*>(e.bar); pane->IsSlidOut()) {
                const CRect r = GetSlideOutRect(pane);
                pane->SetWindowPos(&CWnd::wndTop, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
            }
    m_inLayout = false;
}

BOOL CBCGPDockManager::DockAtPoint(CBCGPBaseControlBar* pBar, CPoint ptScreen)
{
    if (!pBar || !m_pFrame->m_hWnd)
        return FALSE;
    CRect area = m_rectClientArea;
    m_pFrame->ClientToScreen(&area);
    const DWORD allowed = pBar->GetEnabledAlignment() & (m_dwEnabledAlignment ? m_dwEnabledAlignment : CBRS_ALIGN_ANY);
    const DWORD side = skinui::DockZoneAtPoint(area, ptScreen, 40) & allowed;
    if (side)
        return DockToFrame(pBar, side);
    // On another pane's caption: join it as a tab.
    auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, pBar);
    if (!pane || DYNAMIC_DOWNCAST(CBCGPTabbedControlBar, pane))
        return FALSE;
    for (const Entry& e : m_entries) {
        auto* target = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, e.bar);
        if (!target || target == pane || e.autoHide || target->IsFloating() || !target->IsWindowVisible())
            continue;
        CRect caption = target->GetCaptionRect();
        CRect window;
        target->GetWindowRect(&window);
        caption.OffsetRect(window.TopLeft());
        if (caption.PtInRect(ptScreen)) {
            CBCGPDockingControlBar* into = target;
            if (auto* group = DYNAMIC_DOWNCAST(CBCGPTabbedControlBar, target))
                into = group->GetActiveBar();
            return into && AttachToTab(pane, into, TRUE) != nullptr;
        }
    }
    return FALSE;
}

void CBCGPDockManager::HideAllForFullScreen(BOOL bHide)
{
    if (bHide) {
        m_hiddenForFullScreen.clear();
        for (const Entry& e : m_entries)
            if (e.bar->IsBarVisible()) {
                m_hiddenForFullScreen.push_back(e.bar);
                e.bar->ShowControlBar(FALSE, TRUE, FALSE);
            }
    } else {
        for (CBCGPBaseControlBar* bar : m_hiddenForFullScreen)
            if (Find(bar))
                bar->ShowControlBar(TRUE, TRUE, FALSE);
        m_hiddenForFullScreen.clear();
    }
    UpdateAutoHideBars();
    AdjustDockingLayout();
}

BOOL CBCGPDockManager::SaveState(LPCTSTR lpszKey) const
{
    bool ok = true;
    std::map<UINT, bool> seen;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        BarRecord group;
        group.order = static_cast<DWORD>(i);
        group.side = e.side;
        group.column = static_cast<DWORD>(e.column);
        CSize size = e.bar->CalcFixedLayout(FALSE, IsHorizontalSide(e.side));
        if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, e.bar))
            size = pane->GetDockedSize();
        group.width = static_cast<DWORD>(size.cx);
        group.height = static_cast<DWORD>(size.cy);
        group.visible = e.bar->IsBarVisible() ? 1 : 0;
        group.floating = e.bar->IsFloating() ? 1 : 0;
        group.autoHide = e.autoHide ? 1 : 0;
        const CRect f = e.bar->GetRecentFloatingRect();
        group.floatLeft = f.left;
        group.floatTop = f.top;
        group.floatRight = f.right;
        group.floatBottom = f.bottom;
        auto* tabs = DYNAMIC_DOWNCAST(CBCGPTabbedControlBar, e.bar);
        const int count = tabs ? tabs->GetTabsNum() : 1;
        for (int t = 0; t < count; ++t) {
            CBCGPBaseControlBar* bar = tabs ? tabs->GetTab(t) : e.bar;
            const UINT id = static_cast<UINT>(bar->GetDlgCtrlID());
            if (!id || seen[id])
                continue;   // a bar without its own id cannot be found again
            seen[id] = true;
            BarRecord r = group;
            if (tabs) {
                r.tabGroup = static_cast<DWORD>(tabs->GetTab(0)->GetDlgCtrlID());
                r.tabIndex = static_cast<DWORD>(t);
                r.activeTab = static_cast<DWORD>(tabs->GetActiveTab());
                r.visible = tabs->GetTab(t)->IsBarVisible() && group.visible;
            }
            ok &= WriteRecord(BarKey(lpszKey, id), r);
        }
    }
    return ok;
}

BOOL CBCGPDockManager::LoadState(LPCTSTR lpszKey)
{
    struct Loaded {
        CBCGPBaseControlBar* bar;
        BarRecord r;
    };
    std::vector<Loaded> loaded;
    for (CBCGPBaseControlBar* bar : GetAllBars()) {
        BarRecord r;
        if (bar->GetDlgCtrlID() && ReadRecord(BarKey(lpszKey, static_cast<UINT>(bar->GetDlgCtrlID())), r)) {
            MendRecord(r, bar, *this);
            loaded.push_back({ bar, r });
        }
    }
    if (loaded.empty())
        return FALSE;
    // Every group comes apart first, then goes together as stored.
    while (!m_tabGroups.empty()) {
        CBCGPTabbedControlBar* group = m_tabGroups.front().get();
        if (group->IsAutoHideMode())
            SetAutoHide(group, FALSE);
        DetachFromTab(group->GetTab(group->GetTabsNum() - 1));
    }
    for (Loaded& l : loaded) {
        if (auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, l.bar)) {
            if (pane->IsAutoHideMode())
                SetAutoHide(pane, FALSE);
            pane->SetDockedSize(CSize(static_cast<int>(l.r.width), static_cast<int>(l.r.height)));
        }
        if (l.bar->IsFloating())
            l.bar->GetParentMiniFrame()->ReleaseBar();
        l.bar->m_rectRecentFloating = CRect(l.r.floatLeft, l.r.floatTop, l.r.floatRight, l.r.floatBottom);
    }
    // Places in the stored order; bars without a record keep theirs after them.
    std::stable_sort(loaded.begin(), loaded.end(), [](const Loaded& a, const Loaded& b) {
        return a.r.order != b.r.order ? a.r.order < b.r.order : a.r.tabIndex < b.r.tabIndex;
    });
    std::vector<Entry> entries;
    std::map<DWORD, int> columns;
    for (const Loaded& l : loaded) {
        if (l.r.tabGroup && l.r.tabIndex > 0)
            continue;
        int& column = columns[l.r.column];
        if (!column)
            column = m_nextColumn++;
        entries.push_back({ l.bar, l.r.side, column, false });
        l.bar->SetCurrentAlignment(entries.back().side);
    }
    for (const Entry& e : m_entries)
        if (std::none_of(loaded.begin(), loaded.end(), [&e](const Loaded& l) { return l.bar == e.bar; }))
            entries.push_back(e);
    m_entries = entries;
    for (const Loaded& l : loaded)
        if (l.r.tabGroup && l.r.tabIndex > 0) {
            auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, l.bar);
            auto* first = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, FindBarByID(l.r.tabGroup));
            if (pane && first && first != pane)
                AttachToTab(pane, first, FALSE);
            else if (pane)
                AddEntry(pane, l.r.side);
        }
    for (const Loaded& l : loaded) {
        // Only docking panes have tab groups and auto-hide; MendRecord cleared them for others.
        auto* pane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, l.bar);
        CBCGPTabbedControlBar* group = pane ? pane->GetParentTabbedBar() : nullptr;
        if (l.r.tabGroup && l.r.tabIndex == 0 && group)
            group->SetActiveTab(static_cast<int>(l.r.activeTab));
        if (pane && l.r.tabGroup && l.r.tabIndex > 0) {
            pane->m_bUserVisible = l.r.visible != 0;
            continue;
        }
        CBCGPBaseControlBar* unit = group ? group : l.bar;
        unit->m_bUserVisible = l.r.visible != 0;
        auto* unitPane = DYNAMIC_DOWNCAST(CBCGPDockingControlBar, unit);
        if (l.r.autoHide && unitPane)
            SetAutoHide(unitPane, TRUE);
        else if (l.r.floating)
            FloatControlBar(unit, unit->m_rectRecentFloating, l.r.visible != 0);
    }
    UpdateAutoHideBars();
    AdjustDockingLayout();
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CBCGPAutoHideDockBar

IMPLEMENT_DYNAMIC(CBCGPAutoHideDockBar, CBCGPBaseControlBar)

CBCGPAutoHideDockBar::CBCGPAutoHideDockBar(CBCGPDockManager* pManager, DWORD dwAlignment) : m_pManager(pManager)
{
    m_dwStyle = dwAlignment;
}

int CBCGPAutoHideDockBar::Thickness()
{
    return globalData.GetTextHeight() + 12;
}

BOOL CBCGPAutoHideDockBar::Create(CFrameWnd* pFrame)
{
    return CreateBar(nullptr, WS_CHILD | (m_dwStyle & CBRS_ALIGN_ANY), CRect(0, 0, Thickness(), Thickness()), pFrame, 0, 0);
}

void CBCGPAutoHideDockBar::SetPanes(const std::vector<CBCGPDockingControlBar*>& panes)
{
    m_panes = panes;
    m_hover.Set(-1);
    if (m_hWnd)
        Invalidate();
}

CSize CBCGPAutoHideDockBar::CalcFixedLayout(BOOL, BOOL)
{
    return CSize(Thickness(), Thickness());
}

CRect CBCGPAutoHideDockBar::GetButtonRect(int nIndex) const
{
    CRect client;
    GetClientRect(&client);
    const bool horz = IsHorizontal();
    CClientDC dc(const_cast<CBCGPAutoHideDockBar*>(this));
    CFont* old = dc.SelectObject(&globalData.fontRegular);
    int pos = 4;
    CRect r;
    for (int i = 0; i <= nIndex && i < static_cast<int>(m_panes.size()); ++i) {
        CString text;
        m_panes[static_cast<size_t>(i)]->GetWindowText(text);
        const int length = dc.GetTextExtent(text).cx + 24 + (m_panes[static_cast<size_t>(i)]->GetIcon(FALSE) ? 20 : 0);
        r = horz ? CRect(pos, 2, pos + length, client.bottom - 2) : CRect(2, pos, client.right - 2, pos + length);
        pos += length + 4;
    }
    dc.SelectObject(old);
    return r;
}

int CBCGPAutoHideDockBar::HitTest(CPoint pt) const
{
    for (int i = 0; i < static_cast<int>(m_panes.size()); ++i)
        if (GetButtonRect(i).PtInRect(pt))
            return i;
    return -1;
}

void CBCGPAutoHideDockBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    manager->OnFillBarBackground(pDC, this, client, client);
    const bool horz = IsHorizontal();
    // Text runs down the left and right strips.
    LOGFONTW lf = {};
    ::GetObjectW(globalData.fontRegular.GetSafeHandle(), sizeof lf, &lf);
    if (!horz)
        lf.lfEscapement = lf.lfOrientation = 2700;
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    for (int i = 0; i < static_cast<int>(m_panes.size()); ++i) {
        CBCGPDockingControlBar* pane = m_panes[static_cast<size_t>(i)];
        const CRect r = GetButtonRect(i);
        const bool lit = i == m_hover.Hot() || pane->IsSlidOut();
        manager->OnDrawAutoHideButton(pDC, r, GetCurrentAlignment(), lit);
        CString text;
        pane->GetWindowText(text);
        int offset = 12;
        if (HICON icon = pane->GetIcon(FALSE)) {
            if (horz)
                ::DrawIconEx(pDC->m_hDC, r.left + 8, r.CenterPoint().y - 8, icon, 16, 16, 0, nullptr, DI_NORMAL);
            else
                ::DrawIconEx(pDC->m_hDC, r.CenterPoint().x - 8, r.top + 8, icon, 16, 16, 0, nullptr, DI_NORMAL);
            offset += 16;
        }
        pDC->SetTextColor(lit ? manager->GetAccentColor() : globalData.clrBarText);
        const int textHeight = globalData.GetTextHeight();
        if (horz)
            pDC->TextOut(r.left + offset, r.CenterPoint().y - textHeight / 2, text);
        else
            pDC->TextOut(r.CenterPoint().x + textHeight / 2, r.top + offset, text);
    }
    pDC->SelectObject(old);
}

BOOL CBCGPAutoHideDockBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: {
        const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const int hit = HitTest(pt);
        if (m_hover.Move(m_hWnd, hit))
            Invalidate();
        if (hit >= 0) {
            CBCGPDockingControlBar* pane = m_panes[static_cast<size_t>(hit)];
            // A click brings the pane out at once; hovering does too, as a slide-out bar should.
            if (!pane->IsSlidOut()) {
                for (CBCGPDockingControlBar* other : m_panes)
                    if (other != pane && other->IsSlidOut())
                        other->Slide(FALSE);
                pane->Slide(TRUE);
            }
            // A click keeps it out: the focus goes into it.
            if (message == WM_LBUTTONDOWN) {
                if (CWnd* content = pane->GetWindow(GW_CHILD))
                    content->SetFocus();
                else
                    pane->SetFocus();
            }
        }
        *pResult = 0;
        return TRUE;
    }
    case WM_MOUSELEAVE:
        if (m_hover.Leave())
            Invalidate();
        *pResult = 0;
        return TRUE;
    default:
        return CBCGPBaseControlBar::OnWndMsg(message, wParam, lParam, pResult);
    }
}
