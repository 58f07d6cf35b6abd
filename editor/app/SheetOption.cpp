#include "SheetOption.h"
#include <algorithm>
#include "EditorUtils.h"
#include "LumivoToolsApp.h"
#include "LumivoToolsIds.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t* const kPageNames[] = {L"System", L"Capture"};

void WriteRunValue(const CString& command)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.GetString()),
                     static_cast<DWORD>((command.GetLength() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

void DeleteRunValue()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key, kRunValueName);
    ::RegCloseKey(key);
}

CString ProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

void SetText(CWnd* page, int id, const wchar_t* text)
{
    if (CWnd* control = page->GetDlgItem(id))
        control->SetWindowText(TranslateString(text));
}

} // namespace

void CFolderEdit::EnableFolderBrowse(const wchar_t* label)
{
    EnableFolderBrowseButton(nullptr, 0x41);
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

// --- System page ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPageGeneral, CKQPropertyPage)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_AUTO_CHECK, OnChanged)
    ON_EN_CHANGE(IDC_USER_DATA_FOLDER, OnChanged)
END_MESSAGE_MAP()

CPageGeneral::CPageGeneral() : CKQPropertyPage(IDD_PAGE_GENERAL, 0) {}

BOOL CPageGeneral::OnInitDialog()
{
    CKQPropertyPage::OnInitDialog();
    SetText(this, IDC_AUTO_CHECK, L"start automatically when reboot");
    SetText(this, IDC_FOLDER_LABEL, L"Folder");
    SetText(this, IDC_USER_DATA_LABEL, L"User Data");
    SetText(this, IDC_DEFAULT, L"Default");
    m_editFolder.EnableFolderBrowse(TranslateString(L"Change"));
    EnableApplyButton(FALSE);
    return TRUE;
}

void CPageGeneral::DoDataExchange(CDataExchange* pDX)
{
    CKQPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_USER_DATA_FOLDER, m_editFolder);
    DDX_Check(pDX, IDC_AUTO_CHECK, m_bAutoStart);
}

void CPageGeneral::LoadSetting()
{
    if (m_bResetting) {
        // The opposite "loaded" value makes the save that follows write.
        m_bAutoStart = GetLumivoToolsApp()->m_bAutoStart ? 1 : 0;
        m_bAutoStartLoaded = !m_bAutoStart;
    } else {
        const EditorText expected = MakeAutoStartCommand(ProgramPath());
        const EditorText stored = ReadAutoStartValue();
        m_bAutoStart = m_bAutoStartLoaded = wcscmp(stored.GetString(), expected.GetString()) == 0 ? 1 : 0;
    }
    wchar_t folder[MAX_PATH] = {};
    GetKQFolder(folder, KQ_FOLDER_USERDATA, m_bResetting);
    if (m_editFolder.m_hWnd)
        m_editFolder.SetWindowText(folder);
}

void CPageGeneral::SaveSetting()
{
    if (AutoStartNeedsWrite(m_bAutoStart != 0, m_bAutoStartLoaded != 0, m_bResetting)) {
        if (m_bAutoStart)
            WriteRunValue(MakeAutoStartCommand(ProgramPath()).GetString());
        else
            DeleteRunValue();
        m_bAutoStartLoaded = m_bAutoStart;
    }
    if (m_bResetting) {
        SetKQFolder(nullptr, KQ_FOLDER_USERDATA);
        return;
    }
    CString folder;
    if (m_editFolder.m_hWnd)
        m_editFolder.GetWindowText(folder);
    SetKQFolder(folder, KQ_FOLDER_USERDATA);
}

void CPageGeneral::OnDefault()
{
    if (!QueryDefault())
        return;
    GetLumivoToolsApp()->m_bAutoStart = true;
    m_bResetting = true;
    LoadSetting();
    UpdateData(FALSE);
    SaveSetting();
    EnableApplyButton(FALSE);
    m_bResetting = false;
}

void CPageGeneral::OnChanged()
{
    EnableApplyButton(TRUE);
}

// --- Capture page ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPageCapture, CKQPropertyPage)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_AUTO_CHECK, OnChanged)
    ON_EN_CHANGE(IDC_CAPTURE_FOLDER, OnChanged)
    ON_EN_CHANGE(IDC_HOTKEY_RUN, OnChanged)
    ON_EN_CHANGE(IDC_HOTKEY_SAVE, OnChanged)
END_MESSAGE_MAP()

CPageCapture::CPageCapture() : CKQPropertyPage(IDD_PAGE_CAPTURE, 0) {}

BOOL CPageCapture::OnInitDialog()
{
    CKQPropertyPage::OnInitDialog();
    SetText(this, IDC_AUTO_CHECK, L"Auto Save");
    SetText(this, IDC_RUN_HOTKEY_LABEL, L"Run HotKey");
    SetText(this, IDC_SAVE_HOTKEY_LABEL, L"Save HotKey");
    SetText(this, IDC_OUTPUT_FOLDER_LABEL, L"Output Folder");
    SetText(this, IDC_DEFAULT, L"Default");
    EnableApplyButton(FALSE);
    return TRUE;
}

void CPageCapture::DoDataExchange(CDataExchange* pDX)
{
    CKQPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOTKEY_RUN, m_hotkeyRun);
    DDX_Control(pDX, IDC_HOTKEY_SAVE, m_hotkeySave);
    DDX_Control(pDX, IDC_CAPTURE_FOLDER, m_editFolder);
    DDX_Check(pDX, IDC_AUTO_CHECK, m_bAutoSave);
}

void CPageCapture::LoadSetting()
{
    const CaptureSettings& capture = GetLumivoToolsApp()->m_capture;
    if (m_hotkeyRun.m_hWnd)
        m_hotkeyRun.SendMessage(HKM_SETHOTKEY, HotKeyToControlWord(capture.Hotkey));
    if (m_hotkeySave.m_hWnd)
        m_hotkeySave.SendMessage(HKM_SETHOTKEY, HotKeyToControlWord(capture.SaveHotkey));
    if (m_editFolder.m_hWnd) {
        m_editFolder.EnableFolderBrowse(TranslateString(L"Change"));
        m_editFolder.SetWindowText(capture.SaveFolder);
    }
    m_bAutoSave = capture.AutoSave ? 1 : 0;
}

void CPageCapture::SaveSetting()
{
    CLumivoToolsApp* app = GetLumivoToolsApp();
    CaptureSettings& capture = app->m_capture;
    if (m_hotkeyRun.m_hWnd)
        capture.Hotkey = HotKeyFromControlWord(m_hotkeyRun.GetHotKey());
    if (m_hotkeySave.m_hWnd)
        capture.SaveHotkey = HotKeyFromControlWord(m_hotkeySave.GetHotKey());
    capture.AutoSave = m_bAutoSave != 0;
    if (m_editFolder.m_hWnd)
        m_editFolder.GetWindowText(capture.SaveFolder);
    app->SaveCaptureSettings();
}

void CPageCapture::OnDefault()
{
    if (!QueryDefault())
        return;
    CaptureSettings& capture = GetLumivoToolsApp()->m_capture;
    capture.Hotkey = kDefaultCaptureHotkey;
    capture.SaveHotkey = kDefaultSaveCaptureHotkey;
    capture.AutoSave = true;
    capture.SaveFolder = DefaultCaptureFolder();
    LoadSetting();
    UpdateData(FALSE);
    SaveSetting();
    EnableApplyButton(FALSE);
}

void CPageCapture::OnChanged()
{
    EnableApplyButton(TRUE);
}

// --- The sheet ------------------------------------------------------------------------------

CSheetOption::CSheetOption(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CBCGPPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
    SetIconsList(IDB_OPTION_HEADERS, 64, RGB(255, 0, 255));
    m_headerImages.SetImageSize(CSize(64, 64));
    m_headerImages.SetTransparentColor(RGB(255, 0, 255));
    m_headerImages.Load(IDB_OPTION_HEADERS);
    SetLook(PropSheetLook_OutlookBar, 150);
    EnablePageHeader(70);
    EnableVisualManagerStyle(TRUE, TRUE);
    // The bar's buttons show the pages' titles, translated.
    CKQPropertyPage* pages[] = {&m_pageGeneral, &m_pageCapture};
    for (int i = 0; i < 2; ++i) {
        m_titles[i] = TranslateString(kPageNames[i]);
        pages[i]->m_psp.dwFlags |= PSP_USETITLE;
        pages[i]->m_psp.pszTitle = m_titles[i];
        AddPage(pages[i]);
    }
}

void CSheetOption::OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader)
{
    // A soft band with a rounded frame, the page's picture and its name.
    CBCGPDrawManager dm(*pDC);
    dm.FillGradient(rectHeader, globalData.clrBarFace, globalData.clrBarHilite, TRUE);
    CRect frame = rectHeader;
    frame.DeflateRect(6, 6);
    CBCGPGraphicsManager gm(pDC);
    gm.DrawRoundedRectangle(frame, 6, CBCGPBrush(CBCGPColor(globalData.clrBarShadow)), 1.0);
    const int image = std::max(0, std::min(nPage, 1));
    m_headerImages.Draw(pDC, frame.left + 6, frame.top + (frame.Height() - 64) / 2, image);
    CRect title = frame;
    title.left += 64 + 18;
    const win32::ScopedSelect font(pDC->m_hDC, globalData.fontBold.GetSafeHandle());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(globalData.clrBarText);
    pDC->DrawText(TranslateString(kPageNames[image]), &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
