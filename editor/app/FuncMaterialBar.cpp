#include "FuncMaterialBar.h"
#include <algorithm>
#include "EditorRules.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CFuncMaterialBar, CFuncFrameBar)
    ON_WM_CREATE()
    ON_CBN_SELCHANGE(1, OnCategoryChange)
END_MESSAGE_MAP()

int CFuncMaterialBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The frame pane's creation is not wanted here: it would show the frame folder.
    if (CKQDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!combo.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | CBS_DROPDOWNLIST | WS_VSCROLL,
                      CRect(0, 0, 0, 0), this, 1))
        return -1;
    for (int i = 0; i < kMaterialCategoryCount; ++i)
        combo.AddString(TranslateString(MaterialCategoryAt(i)->name));
    combo.SetCurSel(kDefaultMaterialCategory);
    if (!list.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, 2))
        return -1;
    CRect rect;
    combo.GetWindowRect(&rect);
    comboHeight = rect.Height();
    SetComboFont();
    AdjustLayout();
    list.UpdateResFolder(MaterialCategoryAt(kDefaultMaterialCategory)->folder, -1);
    return 0;
}

void CFuncMaterialBar::SetComboFont()
{
    LOGFONTW font = {};
    globalData.fontRegular.GetLogFont(&font);
    font.lfHeight = 30;
    CFont replacement;
    if (!replacement.CreateFontIndirect(&font))
        return;
    combo.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(replacement.GetSafeHandle()), TRUE);
    comboFont.DeleteObject();
    comboFont.Attach(replacement.Detach());
}

void CFuncMaterialBar::AdjustLayout()
{
    if (!m_hWnd || !combo.m_hWnd)
        return;
    CWnd* main = AfxGetMainWnd();
    if (main && main->m_hWnd && main->IsIconic())
        return;
    CRect client;
    GetClientRect(&client);
    // A drop-down list takes the height it is given below its box: room for every category, or
    // the list would open empty.
    const int itemHeight = static_cast<int>(combo.SendMessage(CB_GETITEMHEIGHT, 0));
    const int listHeight = std::max(itemHeight, 0) * kMaterialCategoryCount + 2;
    combo.SetWindowPos(nullptr, client.left, client.top, client.Width(), comboHeight + listHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rect;
    combo.GetWindowRect(&rect);
    comboHeight = rect.Height();
    FitPaneList(*this, list, comboHeight);
}

void CFuncMaterialBar::OnCategoryChange()
{
    if (const MaterialCategory* category = MaterialCategoryAt(combo.GetCurSel()))
        list.UpdateResFolder(category->folder, -1);
}
