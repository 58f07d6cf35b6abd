#include "BrowserToolBar.h"
#include "BatchSettings.h"
#include "DlgConditionSelect.h"
#include "KQPPopupWindow.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "PictureListView.h"
#include "ZVUILibApp.h"

namespace {

// The buttons: control id, tip (its "%s ( key )" form when the key is given), picture, and
// whether the caption is drawn beside the picture. Menu entries the list answers go there.
const struct BarButton {
    UINT id;
    const wchar_t* tip;
    const wchar_t* key;
    UINT picture;
    bool caption;
    UINT listCommand;
} kButtons[] = {
    {IDC_BAR_BACK, L"Go Back", nullptr, IDB_BAR_BACK, false, 0},
    {IDC_BAR_FORWARD, L"Go Forward", nullptr, IDB_BAR_FORWARD, false, 0},
    {IDC_BAR_PARENT, L"Parent Folder", nullptr, IDB_BAR_PARENT, false, 0},
    {IDC_BAR_TREE, L"Hide Directory Tree", nullptr, IDB_BAR_HIDE_TREE, false, 0},
    {IDC_BAR_MORE, L"More", nullptr, IDB_BAR_MORE, false, 0},
    {IDC_BAR_HIDE, L"Hide", nullptr, IDB_BAR_LESS, false, 0},
    {IDC_BAR_REFRESH, L"Refresh", L"F5", IDB_BAR_REFRESH, false, ID_LIST_REFRESH},
    {IDC_BAR_SELECT_ALL, L"Select All", L"CTRL + A", IDB_BAR_SELECT_ALL, false, ID_LIST_SELECT_ALL},
    {IDC_BAR_CONDITION, L"Condition Select", nullptr, IDB_BAR_CONDITION, false, 0},
    {IDC_BAR_DESELECT, L"Deselect", nullptr, IDB_BAR_DESELECT, false, ID_LIST_DESELECT},
    {IDC_BAR_DELETE, L"Delete", L"Delete", IDB_BAR_DELETE, false, ID_LIST_DELETE},
    {IDC_BAR_CUT, L"Cut", L"CTRL + X", IDB_BAR_CUT, false, ID_LIST_CUT},
    {IDC_BAR_COPY, L"Copy", L"CTRL + C", IDB_BAR_COPY, false, ID_LIST_COPY},
    {IDC_BAR_PASTE, L"Paste", L"CTRL + V", IDB_BAR_PASTE, false, ID_LIST_PASTE},
    {IDC_BAR_EXPORT, L"Export", nullptr, IDB_BAR_EXPORT, true, 0},
    {IDC_BAR_FOLDER_MODE, L"Penetrate Folder", nullptr, IDB_BAR_PENETRATE, true, 0},
    {IDC_BAR_NEW_FOLDER, L"New Folder", nullptr, IDB_BAR_NEW_FOLDER, false, ID_LIST_NEW_FOLDER},
    {IDC_BAR_RENAME, L"Rename", L"F2", IDB_BAR_RENAME, false, ID_LIST_RENAME},
};
const size_t kButtonCount = sizeof kButtons / sizeof kButtons[0];
static_assert(kButtonCount == 18, "one table row per button");

CString TipOf(const BarButton& button)
{
    CString tip = TranslateString(button.tip);
    if (button.key)
        tip.Format(L"%s ( %s )", TranslateString(button.tip), button.key);
    return tip;
}

void SetMenuText(HMENU menu, UINT item, BOOL byPosition, const wchar_t* text)
{
    MENUITEMINFOW info = {sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    ::SetMenuItemInfoW(menu, item, byPosition, &info);
}

} // namespace

// ---- breadcrumb ----

BEGIN_MESSAGE_MAP(CLumivoShowsShellBreadcrumb, CBrowserShellBreadcrumb)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CLumivoShowsShellBreadcrumb::~CLumivoShowsShellBreadcrumb() = default;

void CLumivoShowsShellBreadcrumb::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A batch reads the folder shown: it stays until the run ends.
    if (m_pList && m_pList->IsOperateDisabled(1))
        return;
    CBrowserShellBreadcrumb::OnLButtonDown(nFlags, point);
}

void CLumivoShowsShellBreadcrumb::OnSelectionChanged(HBREADCRUMBITEM hSelectedItem)
{
    if (m_bFollowing || (m_pList && m_pList->IsBatchRunning()))
        return;
    // Computer, Network: no path for the list to scan; the tree's item of the step shows it.
    wchar_t path[MAX_PATH] = {};
    LPCITEMIDLIST pidl = GetShellItem(hSelectedItem);
    if (pidl && !::SHGetPathFromIDListW(pidl, path)) {
        if (!m_showVirtual || !m_showVirtual(pidl))
            ::MessageBeep(MB_ICONWARNING);
        return;
    }
    CBrowserShellBreadcrumb::OnSelectionChanged(hSelectedItem);
}

void CLumivoShowsShellBreadcrumb::FollowPath(const wchar_t* path)
{
    if (!path || !*path || !m_hWnd)
        return;
    m_bFollowing = true;
    CString folder = path;
    // A drive's root as the list keeps it ("C:") is the drive, not the folder the shell is in.
    if (folder.GetLength() == 2 && folder[1] == L':')
        folder += L'\\';
    SelectPath(folder);
    m_bFollowing = false;
}

void CLumivoShowsShellBreadcrumb::FollowShellItem(LPCITEMIDLIST pidl)
{
    if (!pidl || !m_hWnd)
        return;
    m_bFollowing = true;
    SelectShellItem(pidl);
    m_bFollowing = false;
}

CEdit* CLumivoShowsShellBreadcrumb::CreateInplaceEdit(CWnd* pParent, const CRect& rect, UINT uiControlID)
{
    CEdit* edit = CBrowserShellBreadcrumb::CreateInplaceEdit(pParent, rect, uiControlID);
    if (!edit)
        return nullptr;
    LOGFONTW lf = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
    lf.lfHeight = rect.Height();
    lf.lfWidth = 0;
    m_editFont.DeleteObject();
    if (m_editFont.CreateFontIndirect(&lf))
        edit->SetFont(&m_editFont);
    if (HBREADCRUMBITEM selected = GetSelectedItem())
        edit->SetWindowText(GetItemPath(selected, L'\\'));
    edit->SetSel(0, -1);
    return edit;
}

// ---- the bar ----

BEGIN_MESSAGE_MAP(CBrowserToolBar, CBCGPDialogBar)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CBrowserToolBar::CBrowserToolBar()
{
    EnableLayout(TRUE);
    m_note = [](const wchar_t* text) {
        CLumivoShowsApp* app = GetLumivoShowsApp();
        PopupNotifyWnd(text, 2, app ? app->m_hAppIcon : nullptr, nullptr);
    };
}

CBrowserToolBar::~CBrowserToolBar() = default;

CKQFlatButton& CBrowserToolBar::Button(UINT id)
{
    for (size_t i = 0; i < kButtonCount; ++i)
        if (kButtons[i].id == id)
            return m_buttons[i];
    return m_buttons[0];
}

BOOL CBrowserToolBar::OnInitDialog()
{
    CBCGPDialogBar::OnInitDialog();
    // The breadcrumb takes the place its template keeps for it.
    CRect place(0, 0, 100, 24);
    if (CWnd* holder = GetDlgItem(IDC_BAR_BREADCRUMB)) {
        holder->GetWindowRect(&place);
        ScreenToClient(&place);
        holder->DestroyWindow();
    }
    m_breadcrumb.Create(place, this, IDC_BAR_BREADCRUMB);
    for (size_t i = 0; i < kButtonCount; ++i) {
        CKQFlatButton& button = m_buttons[i];
        button.SubclassDlgItem(kButtons[i].id, this);
        button.m_nFlatStyle = CBCGPButton::BUTTONSTYLE_FLAT;
        button.m_bDrawFocus = FALSE;
        button.SetImage(kButtons[i].picture);
        if (!kButtons[i].caption)
            button.SetWindowText(L"");
    }
    if (CBCGPStaticLayout* layout = GetLayout()) {
        layout->AddAnchor(m_breadcrumb.GetSafeHwnd(), CBCGPStaticLayout::e_MoveTypeNone, CBCGPStaticLayout::e_SizeTypeHorz);
        for (UINT id : {IDC_BAR_REFRESH, IDC_BAR_FOLDER_MODE, IDC_BAR_MORE, IDC_BAR_HIDE})
            layout->AddAnchor(id, CBCGPStaticLayout::e_MoveTypeHorz, CBCGPStaticLayout::e_SizeTypeNone);
    }
    Button(IDC_BAR_HIDE).ShowWindow(SW_HIDE);
    if (CBCGPContextMenuManager* menus = g_pContextMenuManager)
        m_hEditMenu = menus->GetMenuById(IDR_MENU_EDIT);
    m_bInitialized = true;
    EnableHistoryButtons();
    UpdateTexts();
    CLumivoShowsApp* app = GetLumivoShowsApp();
    m_bHoverExpanded = !(app && app->m_bShowMore);
    return TRUE;
}

void CBrowserToolBar::SetList(CPictureListView* list)
{
    m_pList = list;
    m_breadcrumb.m_pList = list;
    m_breadcrumb.m_pListView = list;
}

void CBrowserToolBar::UpdateTexts()
{
    for (size_t i = 0; i < kButtonCount; ++i) {
        if (!m_buttons[i].GetSafeHwnd())
            continue;
        m_buttons[i].SetTooltip(TipOf(kButtons[i]));
        if (kButtons[i].caption)
            m_buttons[i].SetWindowText(TranslateString(kButtons[i].tip));
    }
    ShowFolderMode();
    ShowTreeState(m_paneVisible ? m_paneVisible() : true);
    UpdateMenuTexts();
}

void CBrowserToolBar::ShowTreeState(bool paneVisible)
{
    CKQFlatButton& tree = Button(IDC_BAR_TREE);
    if (!tree.GetSafeHwnd())
        return;
    tree.SetImage(paneVisible ? IDB_BAR_HIDE_TREE : IDB_BAR_SHOW_TREE);
    tree.SetTooltip(TranslateString(paneVisible ? L"Hide Directory Tree" : L"Display Directory Tree"));
    tree.Invalidate();
}

void CBrowserToolBar::UpdateMenuTexts()
{
    HMENU menu = m_hEditMenu;
    if (!menu)
        return;
    static const struct {
        UINT id;
        const wchar_t* text;
    } kEntries[] = {
        {ID_PROCESS_EDIT, L"Edit"},          {ID_PROCESS_PAGE, L"Page"},
        {ID_PROCESS_EFFECT, L"Effect"},      {ID_PROCESS_SPLIT, L"Split"},
        {ID_PROCESS_RESIZE, L"Resize"},      {ID_PROCESS_CROP, L"Crop"},
        {ID_PROCESS_COMBINE, L"Combine"},    {ID_WALLPAPER_AUTOMATIC, L"Automatic"},
        {ID_WALLPAPER_CENTER, L"Center"},    {ID_WALLPAPER_TILE, L"Tile"},
        {ID_WALLPAPER_STRETCH, L"Stretch"},  {ID_WALLPAPER_KEEP_ASPECT, L"Keep Aspect"},
        {ID_WALLPAPER_COPY, L"Copy to Wallpaper Folder"}, {ID_WALLPAPER_OPEN_FOLDER, L"Open Wallpaper Folder"},
        {ID_WALLPAPER_CONTROL_PANEL, L"Open Control Panel"}, {ID_LIST_RENAME, L"Rename"},
    };
    for (const auto& e : kEntries)
        SetMenuText(menu, e.id, FALSE, TranslateString(e.text));
    CString open;
    open.Format(L"%s - Windows", TranslateString(L"Open Folder"));
    SetMenuText(menu, ID_OPEN_FOLDER_WINDOWS, FALSE, open);
    open.Format(L"%s - Lumivo", TranslateString(L"Open Folder"));
    SetMenuText(menu, ID_OPEN_FOLDER_LUMIVO, FALSE, open);
}

// ---- history ----

void CBrowserToolBar::PushHistory(const wchar_t* folder)
{
    if (!folder || !*folder || m_bNavigating)
        return;
    m_history.Push(folder);
    EnableHistoryButtons();
}

void CBrowserToolBar::EnableHistoryButtons()
{
    if (!m_bInitialized)
        return;
    Button(IDC_BAR_BACK).EnableWindow(m_history.CanGoBack());
    Button(IDC_BAR_FORWARD).EnableWindow(m_history.CanGoForward());
}

void CBrowserToolBar::Open(const std::wstring& folder)
{
    if (!m_pList)
        return;
    m_bNavigating = true;
    m_pList->OpenFolder(folder.c_str());
    m_bNavigating = false;
}

void CBrowserToolBar::GoBack()
{
    if (auto folder = m_history.Back())
        Open(*folder);
    EnableHistoryButtons();
}

void CBrowserToolBar::GoForward()
{
    if (auto folder = m_history.Forward())
        Open(*folder);
    EnableHistoryButtons();
}

void CBrowserToolBar::GoParent()
{
    if (!m_pList || m_pList->IsOperateDisabled(1))
        return;
    std::wstring folder = m_pList->GetCurrentFolder().GetString();
    if (m_specialFolders)
        for (const std::wstring& special : m_specialFolders())
            if (!special.empty() && _wcsicmp(special.c_str(), folder.c_str()) == 0)
                return;
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    const size_t slash = folder.rfind(L'\\');
    std::wstring parent = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
    if (parent.empty()) {
        // A drive's root: its parent is Computer.
        if (m_showComputer)
            m_showComputer();
        return;
    }
    if (parent.size() == 2 && parent[1] == L':')
        parent += L'\\';
    m_pList->OpenFolder(parent.c_str());
}

// ---- edit buttons, export ----

void CBrowserToolBar::UpdateEditButtons()
{
    if (!m_pList || !m_pList->GetSafeHwnd() || !m_bInitialized)
        return;
    const unsigned flags = m_pList->GetFolderAttr(m_pList->GetCurrentFolder());
    const bool held = m_pList->m_copyPaths.GetCount() > 0 || m_pList->m_cutPaths.GetCount() > 0;
    Button(IDC_BAR_PASTE).EnableWindow(!(flags & 0x20) && held);
    Button(IDC_BAR_COPY).EnableWindow((flags & 0x10) != 0);
    Button(IDC_BAR_CUT).EnableWindow((flags & 0x8) != 0);
    Button(IDC_BAR_FOLDER_MODE).ShowWindow(m_pList->IsOnline() ? SW_HIDE : SW_SHOW);
}

bool CBrowserToolBar::IsSubFolderMode() const
{
    return m_pList && m_pList->m_folderBrowser.m_bRecursive;
}

void CBrowserToolBar::OnToggleFolderMode()
{
    if (!m_pList || !m_pList->GetSafeHwnd())
        return;
    if (m_pList->IsOnline()) {
        const CString text = TranslateString(L"Only available to local folder");
        if (m_pList->m_messageBox)
            m_pList->m_messageBox(text, MB_OK | MB_ICONINFORMATION);
        else
            BCGPMessageBox(GetSafeHwnd(), text, nullptr, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_pList->IsOperateDisabled(1))
        return;
    // The walk reads the flag: it changes only while no walk runs.
    m_pList->m_folderBrowser.StopSearch();
    m_pList->m_folderBrowser.m_bRecursive = !m_pList->m_folderBrowser.m_bRecursive;
    m_pList->Refresh();
    ShowFolderMode();
}

// The button offers the other mode: "Penetrate Folder" while the list shows one folder's own
// pictures, "Common mode" while it shows those of its sub-folders too.
void CBrowserToolBar::ShowFolderMode()
{
    CKQFlatButton& button = Button(IDC_BAR_FOLDER_MODE);
    if (!button.GetSafeHwnd())
        return;
    const bool sweeping = IsSubFolderMode();
    const wchar_t* text = TranslateString(sweeping ? L"Common mode" : L"Penetrate Folder");
    button.SetImage(sweeping ? IDB_BAR_COMMON_MODE : IDB_BAR_PENETRATE);
    button.SetWindowText(text);
    button.SetTooltip(text);
    button.Invalidate();
}

void CBrowserToolBar::OnExport()
{
    if (!m_pList)
        return;
    if (m_pList->GetNextSelectItem(-1) < 0 && !m_pList->IsHoverItemFile()) {
        m_note(TranslateString(L"Please select a picture file"));
        return;
    }
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (app)
        app->SetExportMenuMode(false);
    CRect r;
    Button(IDC_BAR_EXPORT).GetWindowRect(&r);
    if (CBCGPContextMenuManager* menus = g_pContextMenuManager)
        menus->ShowPopupMenu(IDR_MENU_EXPORT, r.left, r.bottom, GetParentFrame());
}

// ---- one row or two ----

void CBrowserToolBar::Resize(int rows)
{
    CFrameWnd* frame = GetParentFrame();
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    const int extra = window.Height() - client.Height();
    SetDockedSize(CSize(window.Width(), rows * m_nRowHeight + extra));
    // Redrawing switched on again makes a window visible: a frame hidden behind the viewer
    // stays as it is.
    const bool visible = frame && frame->IsWindowVisible();
    if (visible)
        frame->SetRedraw(FALSE);
    SetWindowPos(nullptr, 0, 0, window.Width(), rows * m_nRowHeight + extra, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (frame)
        frame->RecalcLayout();
    if (visible) {
        frame->SetRedraw(TRUE);
        frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

void CBrowserToolBar::Expand()
{
    m_bHoverExpanded = false;
    m_bExpanded = true;
    Button(IDC_BAR_MORE).ShowWindow(SW_HIDE);
    Button(IDC_BAR_HIDE).ShowWindow(SW_SHOW);
    Resize(2);
}

void CBrowserToolBar::Collapse()
{
    m_bHoverExpanded = true;
    m_bExpanded = false;
    Button(IDC_BAR_HIDE).ShowWindow(SW_HIDE);
    Button(IDC_BAR_MORE).ShowWindow(SW_SHOW);
    Resize(1);
}

void CBrowserToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bExpanded && m_pList && m_pList->GetSafeHwnd()) {
        CRect list;
        m_pList->GetClientRect(&list);
        if (point.x < list.Width() * 3 / 4) {
            Expand();
            m_bHoverExpanded = true;
        }
    }
    CBCGPDialogBar::OnMouseMove(nFlags, point);
}

BOOL CBrowserToolBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != CN_COMMAND || pHandlerInfo)
        return CBCGPDialogBar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    const BarButton* button = nullptr;
    for (const BarButton& b : kButtons)
        if (b.id == nID)
            button = &b;
    if (!button)
        return CBCGPDialogBar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    switch (nID) {
    case IDC_BAR_BACK: GoBack(); break;
    case IDC_BAR_FORWARD: GoForward(); break;
    case IDC_BAR_PARENT: GoParent(); break;
    case IDC_BAR_MORE: Expand(); break;
    case IDC_BAR_HIDE: Collapse(); break;
    case IDC_BAR_EXPORT: OnExport(); break;
    case IDC_BAR_FOLDER_MODE: OnToggleFolderMode(); break;
    case IDC_BAR_TREE:
        if (m_paneVisible && m_showPane) {
            const bool show = !m_paneVisible();
            ShowTreeState(show);
            m_showPane(show);
        }
        break;
    case IDC_BAR_CONDITION:
        if (m_pList) {
            CDlgConditionSelect dialog(AppProfile(), m_pList, GetParentFrame());
            dialog.DoModal();
        }
        break;
    default:
        if (button->listCommand && m_pList)
            m_pList->SendMessage(WM_COMMAND, button->listCommand);
        break;
    }
    // The keys act on the list again.
    if (m_pList && m_pList->GetSafeHwnd() && ::IsWindowVisible(m_pList->m_hWnd))
        m_pList->SetFocus();
    return TRUE;
}
