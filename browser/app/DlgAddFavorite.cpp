#include "DlgAddFavorite.h"
#include "DlgControls.h"
#include "LocalFileIO.h"
#include "LumivoShowsIds.h"
#include "ZVUILibApp.h"

namespace {

CString Text(CWnd& wnd)
{
    CString text;
    wnd.GetWindowText(text);
    return text;
}

bool IsFolder(const wchar_t* path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgAddFavorite, CKQDialog)
    ON_NOTIFY(TVN_SELCHANGEDW, IDC_FAVORITE_TREE, OnTreeSelChanged)
    ON_EN_CHANGE(IDC_FAVORITE_FOLDER, OnFolderChanged)
END_MESSAGE_MAP()

CDlgAddFavorite::CDlgAddFavorite(CWnd* pParent, const wchar_t* favoriteRoot)
    : CKQDialog(IDD_ADD_FAVORITE, pParent), m_tree(favoriteRoot)
{
    EnableVisualManagerStyle(TRUE, TRUE);
    m_errorBox = [this](const wchar_t* text) { BCGPMessageBox(m_hWnd, text, TranslateString(L"Error"), MB_OK | MB_ICONERROR); };
}

void CDlgAddFavorite::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FAVORITE_TREE, m_tree);
    DDX_Control(pDX, IDC_FAVORITE_NAME, m_editName);
    DDX_Control(pDX, IDC_FAVORITE_FOLDER, m_editFolder);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDC_FAVORITE_ICON, m_comboIcon);
}

BOOL CDlgAddFavorite::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    if (HICON icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_ADD_FAVORITE), IMAGE_ICON, 16, 16, 0)))
        SetIcon(icon, FALSE);
    SetWindowText(TranslateString(L"Add Favorite"));
    m_btnOK.SetWindowText(TranslateString(L"OK"));
    SetBmpBTStyle(m_btnOK, IDB_ABOUT_OK);
    SetDlgItemText(IDC_FAVORITE_NAME_LABEL, TranslateString(L"Name"));
    SetDlgItemText(IDC_FAVORITE_FOLDER_LABEL, TranslateString(L"Folder"));
    SetDlgItemText(IDC_FAVORITE_ICON_LABEL, TranslateString(L"Icon"));
    m_tree.InitStyle();

    // One entry per favourite icon, drawn from the tree's own list.
    m_comboIcon.SendMessage(CBEM_SETIMAGELIST, 0, m_tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL));
    const int first = m_tree.FirstFavoriteIcon();
    for (int i = 0; i < m_tree.FavoriteIconCount(); ++i) {
        COMBOBOXEXITEMW item = {};
        item.mask = CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_TEXT;
        item.iItem = i;
        item.iImage = item.iSelectedImage = first + i;
        item.pszText = const_cast<wchar_t*>(L"");
        m_comboIcon.InsertItem(&item);
    }
    int height = m_tree.GetItemHeight() * 5 / 3;
    if (height < 25)
        height = 24;
    m_comboIcon.SendMessage(CB_SETITEMHEIGHT, 0, height);
    m_comboIcon.SendMessage(CB_SETCURSEL, m_nIcon);

    m_editFolder.SetWindowText(m_strFolder.c_str());
    m_editName.SetWindowText(m_strName.c_str());
    UpdateOK();
    return TRUE;
}

void CDlgAddFavorite::UpdateOK()
{
    m_btnOK.EnableWindow(!Text(m_editName).IsEmpty() && !Text(m_editFolder).IsEmpty());
}

void CDlgAddFavorite::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bIgnoreSelection) {
        m_bIgnoreSelection = false;
        return;
    }
    const auto* nm = reinterpret_cast<NMTREEVIEWW*>(pNMHDR);
    CString path;
    if (nm->itemNew.hItem && m_tree.GetItemPath(path, nm->itemNew.hItem) && IsFolder(path)) {
        m_editFolder.SetWindowText(path);
        m_editName.SetWindowText(m_tree.GetItemText(nm->itemNew.hItem));
        m_btnOK.EnableWindow(TRUE);
    } else {
        // Computer, Network and the like: no folder to keep.
        const wchar_t* unavailable = TranslateString(L"Unavailable");
        m_editFolder.SetWindowText(unavailable);
        m_editName.SetWindowText(unavailable);
        m_btnOK.EnableWindow(FALSE);
    }
}

void CDlgAddFavorite::OnFolderChanged()
{
    const CString folder = Text(m_editFolder);
    const int slash = folder.ReverseFind(L'\\');
    m_editName.SetWindowText(slash >= 0 ? folder.Mid(slash + 1) : folder);
    UpdateOK();
}

void CDlgAddFavorite::OnOK()
{
    const int icon = static_cast<int>(m_comboIcon.SendMessage(CB_GETCURSEL));
    m_nIcon = icon >= 0 && icon < m_comboIcon.GetCount() ? icon : 0;
    m_strName = Text(m_editName).GetString();
    m_strFolder = Text(m_editFolder).GetString();
    if (!m_strFolder.empty() && !IsFolder(m_strFolder.c_str()))
        GetLocalFileIO().MakeDirTree(m_strFolder.c_str());
    if (!m_strFolder.empty() && IsFolder(m_strFolder.c_str())) {
        EndDialog(IDOK);
        return;
    }
    CString text;
    text.Format(L"%s !\r\n%s", TranslateString(L"Fail to create this folder"), m_strFolder.c_str());
    m_errorBox(text);
}
