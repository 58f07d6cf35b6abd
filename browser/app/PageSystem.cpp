#include "PageSystem.h"
#include <algorithm>
#include "CacheCleaner.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "ZVUILibApp.h"

void CChangeFolderEdit::EnableFolderBrowse(const wchar_t* label)
{
    EnableFolderBrowseButton(nullptr, 0x41); // file-system folders, the new dialog style
    m_strLabel = label;
    if (!m_hWnd)
        return;
    // The button is as wide as its word needs.
    CClientDC dc(this);
    CFont* old = dc.SelectObject(GetFont());
    m_nBrowseButtonWidth = std::max(m_nBrowseButtonWidth, static_cast<int>(dc.GetTextExtent(m_strLabel).cx) + 12);
    dc.SelectObject(old);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BEGIN_MESSAGE_MAP(CPageSystem, CKQPropertyPage)
    ON_BN_CLICKED(IDC_MAKE_DEFAULT, OnMakeDefault)
    ON_BN_CLICKED(IDC_CLEAR_CACHE, OnClearCache)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_CHECK_DEFAULT, OnChanged)
    ON_EN_CHANGE(IDC_WALLPAPER_FOLDER, OnChanged)
    ON_EN_CHANGE(IDC_THUMBNAIL_FOLDER, OnChanged)
END_MESSAGE_MAP()

CPageSystem::CPageSystem() : CKQPropertyPage(IDD_PAGE_SYSTEM, 0) {}

BOOL CPageSystem::OnInitDialog()
{
    CKQPropertyPage::OnInitDialog();
    SetDlgItemText(IDC_MAKE_DEFAULT, TranslateString(L"Make Lumivo Shows default system viewer"));
    SetDlgItemText(IDC_CHECK_DEFAULT, TranslateString(L"Always check to see if Lumivo Shows is the default viewer"));
    SetDlgItemText(IDC_CLEAR_CACHE, TranslateString(L"Clear thumbnail cache"));
    SetDlgItemText(IDC_DEFAULT, TranslateString(L"Default"));
    SetDlgItemText(IDC_FOLDER_LABEL, TranslateString(L"Folder"));
    SetDlgItemText(IDC_WALLPAPER_LABEL, TranslateString(L"Wallpaper"));
    SetDlgItemText(IDC_THUMBNAIL_LABEL, TranslateString(L"Thumbnail"));
    m_editWallpaper.EnableFolderBrowse(TranslateString(L"Change"));
    m_editThumbnail.EnableFolderBrowse(TranslateString(L"Change"));
    EnableApplyButton(FALSE);
    return TRUE;
}

void CPageSystem::DoDataExchange(CDataExchange* pDX)
{
    CKQPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAKE_DEFAULT, m_btnMakeDefault);
    DDX_Control(pDX, IDC_WALLPAPER_FOLDER, m_editWallpaper);
    DDX_Control(pDX, IDC_THUMBNAIL_FOLDER, m_editThumbnail);
    DDX_Check(pDX, IDC_CHECK_DEFAULT, m_bCheckDefault);
}

void CPageSystem::LoadSetting()
{
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        m_bCheckDefault = app->m_bCheckDefaultOnStartup ? 1 : 0;
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_THUMBNAIL, m_bDefaults);
    if (m_editThumbnail.m_hWnd)
        m_editThumbnail.SetWindowText(folder);
    GetKQFolder(folder, KQ_FOLDER_WALLPAPER, m_bDefaults);
    if (m_editWallpaper.m_hWnd)
        m_editWallpaper.SetWindowText(folder);
}

void CPageSystem::SaveSetting()
{
    if (CLumivoShowsApp* app = GetLumivoShowsApp()) {
        app->m_bCheckDefaultOnStartup = m_bCheckDefault != 0;
        app->WriteProfileInt(L"System", L"iCheckDefaultOnStartup", m_bCheckDefault != 0);
    }
    if (m_bDefaults) {
        SetKQFolder(nullptr, KQ_FOLDER_THUMBNAIL);
        SetKQFolder(nullptr, KQ_FOLDER_WALLPAPER);
        return;
    }
    CString folder;
    if (m_editThumbnail.m_hWnd) {
        m_editThumbnail.GetWindowText(folder);
        SetKQFolder(folder, KQ_FOLDER_THUMBNAIL);
    }
    if (m_editWallpaper.m_hWnd) {
        m_editWallpaper.GetWindowText(folder);
        SetKQFolder(folder, KQ_FOLDER_WALLPAPER);
    }
}

void CPageSystem::RestoreDefaults()
{
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->m_bCheckDefaultOnStartup = true;
    m_bDefaults = true;
    LoadSetting();
    if (m_hWnd)
        UpdateData(FALSE);
    SaveSetting();
    EnableApplyButton(FALSE);
    m_bDefaults = false;
}

void CPageSystem::OnMakeDefault()
{
    if (CLumivoShowsApp* app = GetLumivoShowsApp())
        app->MakeDefaultViewer();
}

void CPageSystem::OnClearCache()
{
    // The folder the user chose may hold pictures of theirs: only the cache's own files go.
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_THUMBNAIL, false);
    ClearThumbnailCache(folder);
}

void CPageSystem::OnDefault()
{
    if (QueryDefault())
        RestoreDefaults();
}

void CPageSystem::OnChanged()
{
    EnableApplyButton(TRUE);
}
