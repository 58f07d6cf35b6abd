#include "DlgEditorCamera.h"
#include <shlobj.h>
#include "DlgControls.h"
#include "NewPictureIds.h"
#include "NewPictureRules.h"
#include "ZVUILibApp.h"

IMPLEMENT_DYNAMIC(CDlgEditorCamera, CKQDialog)

BEGIN_MESSAGE_MAP(CDlgEditorCamera, CKQDialog)
    ON_BN_CLICKED(IDC_NP_CAMERA_SAVE_AS, OnSaveAs)
    ON_CBN_SELCHANGE(IDC_NP_CAMERA_DEVICES, OnDeviceChange)
    ON_CBN_SELCHANGE(IDC_NP_CAMERA_SIZES, OnSizeChange)
END_MESSAGE_MAP()

CString SnapshotFolder()
{
    wchar_t folder[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_MYPICTURES, TRUE))
        return CString();
    return folder;
}

bool TakeCameraSnapshot(CWnd* parent, CString& path)
{
    CDlgEditorCamera dialog(parent);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.m_strPath;
    return true;
}

CDlgEditorCamera::CDlgEditorCamera(CWnd* pParent, std::function<SYSTEMTIME()> clock)
    : CKQDialog(IDD_EDITOR_CAMERA, pParent), m_clock(std::move(clock))
{
}

CDlgEditorCamera::~CDlgEditorCamera() = default;

void CDlgEditorCamera::DoDataExchange(CDataExchange* pDX)
{
    CKQDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NP_CAMERA_SAVE_AS, m_btnSaveAs);
    DDX_Control(pDX, IDC_NP_CAMERA_PREVIEW, m_preview);
    DDX_Control(pDX, IDC_NP_CAMERA_DEVICES, m_comboDevices);
    DDX_Control(pDX, IDC_NP_CAMERA_SIZES, m_comboSizes);
    DDX_Text(pDX, IDC_NP_CAMERA_PATH, m_strPath);
}

BOOL CDlgEditorCamera::OnInitDialog()
{
    CKQDialog::OnInitDialog();
    EnableVisualManagerStyle(TRUE, TRUE);
    SetWindowText(TranslateString(L"Camera"));
    const struct {
        int id;
        const wchar_t* text;
    } texts[] = {{IDOK, L"Ok"}, {IDCANCEL, L"Cancel"}, {IDC_NP_CAMERA_SAVE_AS, L"Save As"},
                 {IDC_NP_CAMERA_DEVICE_LABEL, L"Device"}, {IDC_NP_CAMERA_SIZE_LABEL, L"Size"},
                 {IDC_NP_CAMERA_PATH_LABEL, L"File"}};
    for (const auto& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    m_preview.InitCameraList(&m_comboDevices, &m_comboSizes);
    SYSTEMTIME now;
    if (m_clock)
        now = m_clock();
    else
        ::GetLocalTime(&now);
    m_strPath = newpicture::SnapshotPath(SnapshotFolder(), now);
    UpdateData(FALSE);
    EnableOk();
    return TRUE;
}

void CDlgEditorCamera::EnableOk()
{
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(m_preview.GetCamera().IsOpen());
}

void CDlgEditorCamera::OnDeviceChange()
{
    const int device = m_comboDevices.GetCurSel();
    if (device >= 0)
        m_preview.OpenCamera(device, 0, 0);
    EnableOk();
}

void CDlgEditorCamera::OnSizeChange()
{
    const int device = m_comboDevices.GetCurSel(), item = m_comboSizes.GetCurSel();
    if (device >= 0 && item >= 0) {
        const DWORD size = DWORD(m_comboSizes.GetItemData(item));
        m_preview.OpenCamera(device, LOWORD(size), HIWORD(size));
    }
    EnableOk();
}

void CDlgEditorCamera::OnSaveAs()
{
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, nullptr, m_strPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       L"BMP Files (*.bmp)|*.bmp|All Files (*.*)|*.*||", this);
    if (dialog.DoModal() == IDOK) {
        m_strPath = dialog.GetPathName();
        UpdateData(FALSE);
    }
}

void CDlgEditorCamera::OnOK()
{
    UpdateData(TRUE);
    CCameraDS& camera = m_preview.GetCamera();
    if (!camera.IsOpen())
        return;
    // A grab that brings nothing new saves the frame on show.
    camera.QueryFrame();
    if (!m_preview.ShowFrame()) {
        AfxMessageBox(TranslateString(L"The camera sent no picture."), MB_OK | MB_ICONERROR);
        return;
    }
    if (!m_preview.GetBackBuffer().SaveToFile(m_strPath)) {
        // The dialog stays open so that another path can be chosen.
        CString text = TranslateString(L"The snapshot could not be saved:");
        text += L"\n" + m_strPath;
        AfxMessageBox(text, MB_OK | MB_ICONERROR);
        return;
    }
    EndDialog(IDOK);
}
