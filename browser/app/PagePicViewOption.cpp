#include "PagePicViewOption.h"
#include <algorithm>
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
#include "ZVUILibApp.h"

namespace {

const int kMinInterval = 1, kMaxInterval = 1000;
// Room for a few thousand names picked at once.
const DWORD kPickBufferChars = 260000;
const wchar_t kMusicFilter[] =
    L"All Supported Music Files|*.mp3;*.wma|MP3 Files (*.mp3)|*.mp3|WMA Files (*.wma)|*.wma|All Files (*.*)|*.*||";

std::vector<std::wstring> PickMusicFiles(CWnd* owner)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER,
                       kMusicFilter, owner);
    std::vector<wchar_t> names(kPickBufferChars, L'\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = kPickBufferChars;
    std::vector<std::wstring> picked;
    if (dialog.DoModal() != IDOK)
        return picked;
    for (POSITION pos = dialog.GetStartPosition(); pos;)
        picked.push_back(dialog.GetNextPathName(pos).GetString());
    return picked;
}

CString BrowseKey()
{
    return CString(L"Software\\Lumivo\\") + AfxGetApp()->m_pszProfileName + L"\\Browse";
}

} // namespace

std::wstring DefaultMusicPath()
{
    return GetKQDataFolder(L"Music\\Lilac.wma").GetString();
}

void CCustomEditListBox::OnClickButton(int iButton)
{
    if (GetButtonID(iButton) == BGCEDITLISTBOX_BTN_NEW_ID) {
        BrowseForMusic();
        return;
    }
    CBCGPEditListBox::OnClickButton(iButton);
    if (m_pPage)
        m_pPage->MusicListChanged();
}

void CCustomEditListBox::BrowseForMusic()
{
    if (!m_pPage)
        return;
    m_pPage->MusicListChanged();
    const auto picked = m_pPage->m_pPickMusic ? m_pPage->m_pPickMusic(m_pPage) : PickMusicFiles(m_pPage);
    for (const std::wstring& path : picked)
        AddItem(path.c_str());
}

BEGIN_MESSAGE_MAP(CPagePicViewOption, CKQPropertyPage)
    ON_BN_CLICKED(IDC_MUSIC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_MUSIC_CLEAR, OnClear)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_BACKGROUND_COLOR, OnColor)
    ON_BN_CLICKED(IDC_PLAY_MUSIC, OnPlayMusic)
    ON_EN_CHANGE(IDC_SPEED_EDIT, OnIntervalChanged)
    ON_BN_CLICKED(IDC_SPEED_UP, OnUp)
    ON_BN_CLICKED(IDC_SPEED_DOWN, OnDown)
    ON_BN_CLICKED(IDC_FOLDER_THUMB, OnFolderThumb)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

CPagePicViewOption::CPagePicViewOption() : CKQPropertyPage(IDD_PAGE_PIC_VIEW, 0)
{
    m_listMusic.m_pPage = this;
}

BOOL CPagePicViewOption::OnInitDialog()
{
    m_bLoading = true;
    CKQPropertyPage::OnInitDialog();
    m_btnColor.EnableAutomaticButton(TranslateString(L"Automatic"), RGB(255, 255, 255));
    m_btnColor.EnableOtherButton(TranslateString(L"Other"));
    m_btnColor.SetColor(static_cast<COLORREF>(-1));
    SetWindowText(TranslateString(L"Option"));
    const struct {
        int id;
        const wchar_t* text;
    } labels[] = {{IDC_FOLDER_THUMB, L"Folder thumbnail"}, {IDC_BACKGROUND_LABEL, L"Background Color"},
                  {IDC_SPEED_LABEL, L"Play Speed"},      {IDC_MUSIC_ADD, L"Add"},
                  {IDC_MUSIC_CLEAR, L"Clear"},           {IDC_PLAY_MUSIC, L"Play Music"},
                  {IDC_DEFAULT, L"Default"},             {IDC_VOLUME_LABEL, L"Volume"},
                  {IDC_MUSIC_GROUP, L"Music"}};
    for (const auto& label : labels)
        SetDlgItemText(label.id, TranslateString(label.text));
    m_listMusic.SetWindowText(TranslateString(L"Music List"));
    m_listMusic.SetStandardButtons();
    m_sliderVolume.SetRange(0, 100);
    LoadSetting();
    UpdateData(FALSE);
    ShowVolume();
    EnableApplyButton(FALSE);
    m_bLoading = false;
    return TRUE;
}

void CPagePicViewOption::DoDataExchange(CDataExchange* pDX)
{
    CKQPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BACKGROUND_COLOR, m_btnColor);
    DDX_Control(pDX, IDC_MUSIC_LIST, m_listMusic);
    DDX_Check(pDX, IDC_PLAY_MUSIC, m_bPlayMusic);
    DDX_Check(pDX, IDC_FOLDER_THUMB, m_bFolderThumb);
    DDX_Text(pDX, IDC_SPEED_EDIT, m_nPlaySpeed);
    DDV_MinMaxInt(pDX, m_nPlaySpeed, kMinInterval, kMaxInterval);
    DDX_Control(pDX, IDC_VOLUME, m_sliderVolume);
}

void CPagePicViewOption::LoadSetting()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!app)
        return;
    const ViewerSettings& settings = app->m_viewerSettings;
    m_clrBackground = settings.clrBackground;
    m_nPlaySpeed = std::min(kMaxInterval, std::max(kMinInterval, settings.playSpeedTime));
    m_bPlayMusic = settings.playMusic ? 1 : 0;
    m_bFolderThumb = settings.folderThumb ? 1 : 0;
    m_nVolume = settings.volume;
    if (!m_hWnd)
        return;
    m_btnColor.SetColor(m_clrBackground);
    m_sliderVolume.SetPos(m_nVolume);
    ShowVolume();
    m_listMusic.RemoveAll();
    for (const std::wstring& path : app->m_backgroundMusic)
        m_listMusic.AddItem(path.c_str());
}

void CPagePicViewOption::SaveSetting()
{
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!app)
        return;
    ViewerSettings& settings = app->m_viewerSettings;
    if (m_hWnd) {
        m_clrBackground = m_btnColor.IsAutomatic() ? static_cast<COLORREF>(-1) : m_btnColor.GetColor();
        m_nVolume = m_sliderVolume.GetPos();
        app->m_backgroundMusic.clear();
        for (int i = 0; i < m_listMusic.GetCount(); ++i)
            app->m_backgroundMusic.push_back(m_listMusic.GetItemText(i).GetString());
    }
    settings.clrBackground = m_clrBackground;
    settings.playSpeedTime = m_nPlaySpeed;
    settings.playMusic = m_bPlayMusic != 0;
    settings.folderThumb = m_bFolderThumb != 0;
    settings.volume = m_nVolume;
    SaveViewerSettings(settings, app->m_backgroundMusic, BrowseKey());

    if (CPicFullScreenFrame* viewer = g_pPicFullScreenFrame) {
        if (m_bMusicChanged && viewer->m_wndNavBar.GetSafeHwnd())
            viewer->m_wndNavBar.Invalidate();
        if (m_bColorChanged && viewer->m_wndView.IsWindowVisible())
            viewer->ApplyBackground();
        viewer->SetMusicVolume(settings.volume);
    }
    if (m_bFolderThumbChanged && app->m_pMainFrame && app->m_pMainFrame->m_wndList.GetSafeHwnd()) {
        app->m_pMainFrame->m_wndList.m_bFolderPreview = settings.folderThumb;
        app->m_pMainFrame->m_wndList.RefreshFolder();
    }
    m_bColorChanged = m_bMusicChanged = m_bFolderThumbChanged = false;
}

void CPagePicViewOption::ShowVolume()
{
    CString text;
    text.Format(L"%d%%", m_nVolume);
    SetDlgItemText(IDC_VOLUME_TEXT, text);
}

void CPagePicViewOption::MusicListChanged()
{
    m_bMusicChanged = true;
    EnableApplyButton(TRUE);
}

void CPagePicViewOption::StepInterval(int delta)
{
    BOOL read = FALSE;
    const int now = static_cast<int>(GetDlgItemInt(IDC_SPEED_EDIT, &read, TRUE));
    const int next = std::min(kMaxInterval, std::max(kMinInterval, (read ? now : m_nPlaySpeed) + delta));
    m_nPlaySpeed = next;
    SetDlgItemInt(IDC_SPEED_EDIT, static_cast<UINT>(next), TRUE);
    EnableApplyButton(TRUE);
}

void CPagePicViewOption::OnAdd() { m_listMusic.BrowseForMusic(); }

void CPagePicViewOption::OnClear()
{
    m_listMusic.RemoveAll();
    MusicListChanged();
}

void CPagePicViewOption::OnDefault()
{
    if (!QueryDefault())
        return;
    CLumivoShowsApp* app = GetLumivoShowsApp();
    if (!app)
        return;
    app->m_viewerSettings = ViewerSettings();
    app->m_backgroundMusic.clear();
    if (::GetFileAttributesW(DefaultMusicPath().c_str()) != INVALID_FILE_ATTRIBUTES)
        app->m_backgroundMusic.push_back(DefaultMusicPath());
    m_bLoading = true;
    LoadSetting();
    UpdateData(FALSE);
    m_bLoading = false;
    m_bColorChanged = m_bMusicChanged = m_bFolderThumbChanged = true;
    SaveSetting();
    EnableApplyButton(FALSE);
}

void CPagePicViewOption::OnColor()
{
    m_bColorChanged = true;
    EnableApplyButton(TRUE);
}

void CPagePicViewOption::OnPlayMusic()
{
    m_bMusicChanged = true;
    EnableApplyButton(TRUE);
}

void CPagePicViewOption::OnIntervalChanged()
{
    if (!m_bLoading)
        EnableApplyButton(TRUE);
}

void CPagePicViewOption::OnUp() { StepInterval(1); }
void CPagePicViewOption::OnDown() { StepInterval(-1); }

void CPagePicViewOption::OnFolderThumb()
{
    m_bFolderThumbChanged = true;
    EnableApplyButton(TRUE);
}

void CPagePicViewOption::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    CKQPropertyPage::OnHScroll(nSBCode, nPos, pScrollBar);
    if (!m_sliderVolume.GetSafeHwnd() || (pScrollBar && pScrollBar->GetSafeHwnd() != m_sliderVolume.GetSafeHwnd()))
        return;
    m_nVolume = m_sliderVolume.GetPos();
    ShowVolume();
    EnableApplyButton(TRUE);
    if (g_pPicFullScreenFrame)
        g_pPicFullScreenFrame->SetMusicVolume(m_nVolume);
}
