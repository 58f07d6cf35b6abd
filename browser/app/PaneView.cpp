#include "PaneView.h"
#include <commctrl.h>
#include <vector>
#include "KQPPopupWindow.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PictureListView.h"
#include "ZVUILibApp.h"

namespace {

const UINT_PTR kSlideTimer = 0;
const int kSlideSteps = 10;

// The tiles tell the window that holds the pages; the pane answers them.
LRESULT CALLBACK ForwardTileClick(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR pane)
{
    if (message == BCGM_ON_CLICK_WINUI_UI_TILE) {
        reinterpret_cast<CPaneView*>(pane)->OnTileClick(reinterpret_cast<const CBCGPWinUITile*>(lParam));
        return 0;
    }
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace

// ---- the tree ----

BEGIN_MESSAGE_MAP(CKQShellTree, CZVShellTree)
    ON_WM_KEYDOWN()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

BOOL CKQShellTree::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TVN_ITEMEXPANDINGW) {
        // A batch walks the folders shown: the tree stays as it is until the run ends.
        if (m_batchRunning && m_batchRunning()) {
            if (pResult)
                *pResult = TRUE;
            return TRUE;
        }
        const auto* nm = reinterpret_cast<NMTREEVIEWW*>(lParam);
        if (nm->action & TVE_COLLAPSE) {
            if (nm->itemNew.hItem == m_hOnline)
                m_bOnlineWaits = false;
        } else if (!m_bCollapsing && !m_bQuietExpand) {
            OnExpand(nm->itemNew.hItem);
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
    }
    return CZVShellTree::OnChildNotify(message, wParam, lParam, pResult);
}

void CKQShellTree::OnExpand(HTREEITEM item)
{
    // The directory of the online materials is read first when it was never stored: the update
    // thread reads it, shows the root in the list and then has the root list the cache folders.
    if (item == m_hOnline && !GetChildItem(item) && m_pOnlineClient) {
        const CString directory = m_strExtraPath + L"\\PicDir.xml";
        if (::GetFileAttributesW(directory) == INVALID_FILE_ATTRIBUTES) {
            m_bOnlineWaits = true;
            if (!m_pOnlineClient->IsUpdating())
                m_pOnlineClient->StartUpdateThread();
        }
    }
    if (GetSelectedItem() != item)
        SelectItem(item);
    if (!GetChildItem(item))
        GetChildItems(item);
    // A folder without sub-folders loses its button; the online root keeps it, its folders may
    // come with the next update.
    TVITEMW tvi = {TVIF_CHILDREN, item};
    tvi.cChildren = GetChildItem(item) || item == m_hOnline ? 1 : 0;
    SetItem(&tvi);
}

BOOL CKQShellTree::GetRootItems()
{
    m_hOnline = nullptr;
    m_bOnlineWaits = false;
    m_strExtraPath.Empty();
    CZVShellTree::GetRootItems();
    AddOnlineRoot();
    return TRUE;
}

void CKQShellTree::AddOnlineRoot()
{
    if (!m_pOnlineClient || !m_pOnlineClient->m_strLocalDirRoot.GetString())
        return;
    const CString folder = m_pOnlineClient->m_strLocalDirRoot.GetString();
    if (folder.IsEmpty())
        return;
    // The cache folder is made by the first update; the root is there before it.
    ::SHCreateDirectoryExW(nullptr, folder, nullptr);
    if (m_nOnlineImage < 0) {
        if (auto* icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_ONLINE_MATERIALS),
                                                         IMAGE_ICON, 16, 16, 0))) {
            m_nOnlineImage = AddTreeIcon(icon);
            ::DestroyIcon(icon);
        }
    }
    const int image = m_nOnlineImage >= 0 ? m_nOnlineImage : TreeImage(GetFolderIcon(folder, FALSE));
    // After the desktop, so that the favourites stay together at the end.
    m_hOnline = InsertPathItem(folder, TranslateString(L"Online Materials"), image, m_hDesktop ? m_hDesktop : TVI_LAST);
    if (m_hOnline)
        m_strExtraPath = folder;
}

void CKQShellTree::OnOnlineUpdated()
{
    if (!m_bOnlineWaits || !m_hOnline)
        return;
    m_bOnlineWaits = false;
    m_bCollapsing = TRUE;
    while (HTREEITEM child = GetChildItem(m_hOnline))
        DeleteItem(child);
    m_bCollapsing = FALSE;
    GetChildItems(m_hOnline);
    TVITEMW tvi = {TVIF_CHILDREN, m_hOnline};
    tvi.cChildren = 1;
    SetItem(&tvi);
    // Opened as it was, without taking the selection again.
    m_bQuietExpand = true;
    Expand(m_hOnline, TVE_EXPAND);
    m_bQuietExpand = false;
}

bool CKQShellTree::IsOnlineItem(HTREEITEM item)
{
    return m_hOnline && item && IsSubItem(m_hOnline, item);
}

void CKQShellTree::UpdateTexts()
{
    if (m_hOnline)
        SetItemText(m_hOnline, TranslateString(L"Online Materials"));
}

void CKQShellTree::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN && m_enter)
        m_enter();
    CZVShellTree::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKQShellTree::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_mouseOver)
        m_mouseOver();
    CZVShellTree::OnMouseMove(nFlags, point);
}

HTREEITEM CKQShellTree::FindShellItem(LPCITEMIDLIST pidl)
{
    IShellFolder* desktop = nullptr;
    if (!pidl || FAILED(::SHGetDesktopFolder(&desktop)) || !desktop)
        return nullptr;
    // Only the items read so far: the roots and what was opened below them.
    HTREEITEM found = nullptr;
    std::vector<HTREEITEM> pending;
    for (HTREEITEM item = GetRootItem(); item; item = GetNextSiblingItem(item))
        pending.push_back(item);
    while (!found && !pending.empty()) {
        HTREEITEM item = pending.back();
        pending.pop_back();
        const auto* data = reinterpret_cast<ZVTreeItemData*>(GetItemData(item));
        const HRESULT order = data && data->pidlFQ ? desktop->CompareIDs(0, data->pidlFQ, pidl) : E_FAIL;
        if (SUCCEEDED(order) && short(HRESULT_CODE(order)) == 0) {
            found = item;
            break;
        }
        for (HTREEITEM child = GetChildItem(item); child; child = GetNextSiblingItem(child))
            pending.push_back(child);
    }
    desktop->Release();
    return found;
}

// ---- the Folder page ----

CBrowserMainBar::CBrowserMainBar(const wchar_t* favoriteRoot) : m_tree(favoriteRoot)
{
    EnableLayout(TRUE);
    m_messageBox = [this](const wchar_t* text, const wchar_t* caption, UINT type) {
        return BCGPMessageBox(m_hWnd, text, caption, type);
    };
}

BOOL CBrowserMainBar::OnInitDialog()
{
    CBCGPDialogBar::OnInitDialog();
    CRect place;
    if (CWnd* holder = GetDlgItem(IDC_MAINBAR_TREE)) {
        holder->GetWindowRect(&place);
        ScreenToClient(&place);
        holder->DestroyWindow();
    }
    m_tree.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, place, this,
                  IDC_MAINBAR_TREE);
    m_tree.InitStyle();
    m_details.SubclassDlgItem(IDC_MAINBAR_DETAILS, this);
    m_details.Init(IDB_DETAIL_PLACEHOLDER);
    const struct {
        CKQFlatButton& button;
        UINT id, picture;
    } buttons[] = {{m_btnAdd, IDC_MAINBAR_ADD, IDB_FAVORITE_ADD},
                   {m_btnEdit, IDC_MAINBAR_EDIT, IDB_FAVORITE_EDIT},
                   {m_btnDelete, IDC_MAINBAR_DELETE, IDB_FAVORITE_DELETE}};
    for (const auto& b : buttons) {
        b.button.SubclassDlgItem(b.id, this);
        b.button.m_nFlatStyle = CBCGPButton::BUTTONSTYLE_FLAT;
        b.button.SetImage(b.picture);
        b.button.SetWindowText(L"");
    }
    if (CBCGPStaticLayout* layout = GetLayout()) {
        layout->AddAnchor(m_tree.GetSafeHwnd(), CBCGPStaticLayout::e_MoveTypeNone, CBCGPStaticLayout::e_SizeTypeBoth);
        layout->AddAnchor(IDC_MAINBAR_ADD, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeNone);
        layout->AddAnchor(IDC_MAINBAR_EDIT, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
        layout->AddAnchor(IDC_MAINBAR_DELETE, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
        layout->AddAnchor(IDC_MAINBAR_NAME, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeHorz);
        layout->AddAnchor(IDC_MAINBAR_DETAILS, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeHorz);
    }
    ShowFavoriteControls(nullptr);
    UpdateTexts();
    return TRUE;
}

void CBrowserMainBar::UpdateTexts()
{
    m_btnAdd.SetTooltip(TranslateString(L"Add Favorite"));
    m_btnEdit.SetTooltip(TranslateString(L"Edit"));
    m_btnDelete.SetTooltip(TranslateString(L"Delete"));
    m_tree.UpdateTexts();
}

ST_FavFolder* CBrowserMainBar::SelectedFavorite()
{
    HTREEITEM item = m_tree.GetSelectedItem();
    return item ? m_tree.GetFavorites().GetFavFolder(item) : nullptr;
}

void CBrowserMainBar::ShowFavoriteControls(HTREEITEM item)
{
    ST_FavFolder* favorite = item ? m_tree.GetFavorites().GetFavFolder(item) : nullptr;
    if (favorite)
        SetDlgItemText(IDC_MAINBAR_NAME, m_tree.GetItemText(item));
    const int show = favorite ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_MAINBAR_NAME)->ShowWindow(show);
    m_btnEdit.ShowWindow(show);
    m_btnDelete.ShowWindow(show);
}

void CBrowserMainBar::OnSelChanged(HTREEITEM item)
{
    if (!item || !m_bFrameCreated) {
        ShowFavoriteControls(item);
        return;
    }
    ShowFavoriteControls(item);
    if (!m_pList || m_bListFillsTree)
        return;
    CString path;
    if (m_tree.GetItemPath(path, item) && !path.IsEmpty()) {
        // While the client reads the online directory, its end shows the folder (OnOnlineUpdated).
        if (m_tree.IsOnlineItem(item) && m_tree.m_pOnlineClient && m_tree.m_pOnlineClient->IsUpdating())
            return;
        if (path.CompareNoCase(m_pList->GetCurrentFolder()) != 0) {
            m_pList->MarkTreeSetsFolder();
            m_pList->OpenFolder(path);
        }
    } else {
        // Computer, Network: the shell's children of the item; the tree keeps the item selected.
        m_pList->MarkTreeSetsFolder();
        m_pList->ShowShellItem(m_tree, item);
    }
}

void CBrowserMainBar::OnOnlineUpdated()
{
    m_tree.OnOnlineUpdated();
    HTREEITEM item = m_tree.GetSelectedItem();
    CString path;
    if (!m_pList || !m_bFrameCreated || !m_tree.IsOnlineItem(item) || !m_tree.GetItemPath(path, item))
        return;
    // The update showed the root already, unless it failed or another folder was chosen meanwhile.
    if (path.CompareNoCase(m_pList->GetCurrentFolder()) != 0) {
        m_pList->MarkTreeSetsFolder();
        m_pList->OpenFolder(path);
    }
}

void CBrowserMainBar::OnAddFavorite()
{
    // Folders selected in the list become favourites at once.
    int added = 0;
    if (m_pList && !m_pList->IsOnline()) {
        for (int i = m_pList->GetNextSelectItem(-1); i >= 0; i = m_pList->GetNextSelectItem(i)) {
            if (!(m_pList->GetItemState(i) & KQLS_FOLDER))
                continue;
            const CString path = m_pList->GetItemFullFileName(i).GetString();
            const int slash = path.ReverseFind(L'\\');
            if (ST_FavFolder* favorite = m_tree.GetFavorites().Add(path, path.Mid(slash + 1), 0)) {
                m_tree.AddFavoriteItemToTree(favorite, FALSE);
                ++added;
            }
            m_pList->SetItemState(i, 0, KQLS_SELECTED);
        }
        if (added) {
            m_pList->PostMessage(0x700);
            return;
        }
    }
    std::wstring folder, name;
    int icon = 0;
    if (!m_favoriteDialog || !m_favoriteDialog(folder, name, icon))
        return;
    if (ST_FavFolder* favorite = m_tree.GetFavorites().Add(folder.c_str(), name.c_str(), icon)) {
        m_tree.AddFavoriteItemToTree(favorite, FALSE);
        if (favorite->item)
            m_tree.SelectItem(static_cast<HTREEITEM>(favorite->item));
    }
}

void CBrowserMainBar::OnEditFavorite()
{
    ST_FavFolder* favorite = SelectedFavorite();
    if (!favorite || !m_favoriteDialog)
        return;
    std::wstring folder = favorite->path.GetString(), name = favorite->name.GetString();
    int icon = favorite->icon;
    if (!m_favoriteDialog(folder, name, icon))
        return;
    HTREEITEM item = static_cast<HTREEITEM>(favorite->item);
    if (!m_tree.GetFavorites().Remove(item))
        return;
    m_tree.DeleteItem(item);
    if (ST_FavFolder* edited = m_tree.GetFavorites().Add(folder.c_str(), name.c_str(), icon))
        m_tree.AddFavoriteItemToTree(edited, FALSE);
}

void CBrowserMainBar::OnDeleteFavorite()
{
    ST_FavFolder* favorite = SelectedFavorite();
    if (!favorite)
        return;
    HTREEITEM item = static_cast<HTREEITEM>(favorite->item);
    CString text;
    text.Format(L"\"%s\"\r\n%s ?", m_tree.GetItemText(item).GetString(), TranslateString(L"Do you want to remove it from favorites"));
    if (m_messageBox(text, TranslateString(L"This operation willn't delete your files"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Only the favourite goes; its folder and files stay.
    if (m_tree.GetFavorites().Remove(item))
        m_tree.DeleteItem(item);
}

BOOL CBrowserMainBar::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == CN_COMMAND && !pHandlerInfo) {
        switch (nID) {
        case IDC_MAINBAR_ADD: OnAddFavorite(); return TRUE;
        case IDC_MAINBAR_EDIT: OnEditFavorite(); return TRUE;
        case IDC_MAINBAR_DELETE: OnDeleteFavorite(); return TRUE;
        }
    }
    return CBCGPDialogBar::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CBrowserMainBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        const auto* nm = reinterpret_cast<NMTREEVIEWW*>(lParam);
        if (nm->hdr.idFrom == IDC_MAINBAR_TREE) {
            if (nm->hdr.code == TVN_SELCHANGINGW && m_pList && (m_pList->IsBatchRunning() || m_bListFillsTree)) {
                *pResult = TRUE;
                return TRUE;
            }
            if (nm->hdr.code == TVN_SELCHANGEDW)
                OnSelChanged(nm->itemNew.hItem);
        }
    }
    if (message == WM_CONTEXTMENU)
        return TRUE;
    return CBCGPDialogBar::OnWndMsg(message, wParam, lParam, pResult);
}

// ---- the pane ----

CPaneView::CPaneView(const wchar_t* favoriteRoot) : m_mainBar(favoriteRoot)
{
    m_note = [](const wchar_t* text) {
        CLumivoShowsApp* app = GetLumivoShowsApp();
        CPoint at;
        ::GetCursorPos(&at);
        PopupNotifyWnd(text, 2, app ? app->m_hAppIcon : nullptr, &at);
    };
}

CPaneView::~CPaneView() = default;

BOOL CPaneView::CreatePages(bool batchTab)
{
    CBCGPOutlookWnd* tabs = GetUnderlinedWindow();
    tabs->SetImageList(IDB_PANE_TABS, 32, RGB(255, 0, 255));
    if (!m_mainBar.Create(tabs, IDD_BROWSER_MAINBAR, WS_CHILD | WS_VISIBLE, ID_PANE_FOLDER))
        return FALSE;
    if (!m_batchBar.Create(CRect(0, 0, 100, 100), tabs, ID_PANE_BATCH, WS_CHILD | WS_VISIBLE))
        return FALSE;
    m_batchBar.UpdateTileText();
    tabs->AddTab(&m_batchBar, TranslateString(L"Batch"), 0, FALSE);
    tabs->AddTab(&m_mainBar, TranslateString(L"Folder"), 1, FALSE);
    tabs->SetActiveTab(batchTab ? 0 : 1);
    ::SetWindowSubclass(tabs->GetSafeHwnd(), ForwardTileClick, 1, reinterpret_cast<DWORD_PTR>(this));
    return TRUE;
}

void CPaneView::OnTileClick(const CBCGPWinUITile* tile)
{
    BatchOperation operation;
    if (!tile || !m_batchBar.OperationOf(tile, operation))
        return;
    if (m_pList && m_pList->IsOnline()) {
        m_note(TranslateString(L"Only support local files"));
        return;
    }
    if (m_pList && m_pList->IsOperateDisabled(1))
        return;
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->RunBatch(operation, true);
}

void CPaneView::ShowPane(bool show)
{
    CFrameWnd* frame = GetParentFrame();
    if (show) {
        KillTimer(kSlideTimer);
        m_nSlideSteps = 0;
        SetDockedSize(CSize(m_nWidth, GetDockedSize().cy));
        ShowControlBar(TRUE, FALSE, FALSE);
        if (frame)
            frame->RecalcLayout();
        return;
    }
    if (!(GetStyle() & WS_VISIBLE))
        return;
    CRect r;
    GetWindowRect(&r);
    m_nWidth = r.Width();
    m_nSlideStep = m_nWidth / kSlideSteps > 0 ? m_nWidth / kSlideSteps : 1;
    m_nSlideSteps = kSlideSteps;
    SetTimer(kSlideTimer, 15, nullptr);
}

void CPaneView::SlideStep()
{
    CRect r;
    GetWindowRect(&r);
    --m_nSlideSteps;
    const int width = r.Width() - m_nSlideStep;
    if (m_nSlideSteps <= 0 || width < m_nSlideStep) {
        EndSlide();
        return;
    }
    SetDockedSize(CSize(width, GetDockedSize().cy));
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
}

void CPaneView::EndSlide()
{
    KillTimer(kSlideTimer);
    m_nSlideSteps = 0;
    ShowControlBar(FALSE, FALSE, FALSE);
    // Shown again, the pane has its width back.
    SetDockedSize(CSize(m_nWidth, GetDockedSize().cy));
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
}

BOOL CPaneView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_TIMER && wParam == kSlideTimer) {
        SlideStep();
        *pResult = 0;
        return TRUE;
    }
    if (message == WM_CONTEXTMENU)
        return TRUE;
    if (message == WM_DESTROY)
        KillTimer(kSlideTimer);
    return CBCGPOutlookBar::OnWndMsg(message, wParam, lParam, pResult);
}
