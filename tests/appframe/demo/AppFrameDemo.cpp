// A small program that shows the framework's dialog, data exchange and controls:
// scripts/run demo/AppFrameDemo.
#include "AppFrame.h"
#include "DemoIds.h"

namespace {

class CDemoDialog : public CDialog {
public:
    CDemoDialog() : CDialog(IDD_DEMO) {}

protected:
    CString m_title = L"Holiday";
    int m_width = 1280;
    double m_scale = 50;
    int m_format = 0;
    int m_keepRatio = BST_CHECKED;
    int m_sharpen = BST_UNCHECKED;
    int m_fit = 0;
    CSpinButtonCtrl m_widthSpin;
    CComboBox m_formatCombo;
    CSliderCtrl m_quality;
    CProgressCtrl m_progress;
    CListCtrl m_files;
    CTreeCtrl m_folders;
    CHotKeyCtrl m_shortcut;
    CToolTipCtrl m_tips;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_WIDTH_SPIN, m_widthSpin);
        DDX_Control(pDX, IDC_FORMAT, m_formatCombo);
        DDX_Control(pDX, IDC_QUALITY, m_quality);
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_FILES, m_files);
        DDX_Control(pDX, IDC_FOLDERS, m_folders);
        DDX_Control(pDX, IDC_SHORTCUT, m_shortcut);
        DDX_Text(pDX, IDC_TITLE, m_title);
        DDX_Text(pDX, IDC_WIDTH, m_width);
        DDV_MinMaxInt(pDX, m_width, 16, 10000);
        DDX_Text(pDX, IDC_SCALE, m_scale);
        DDX_CBIndex(pDX, IDC_FORMAT, m_format);
        DDX_Check(pDX, IDC_KEEP_RATIO, m_keepRatio);
        DDX_Check(pDX, IDC_SHARPEN, m_sharpen);
        DDX_Radio(pDX, IDC_FIT, m_fit);
    }

    BOOL OnInitDialog() override
    {
        for (const wchar_t* format : { L"JPEG picture", L"PNG picture", L"Bitmap" })
            SendDlgItemMessage(IDC_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(format));
        CDialog::OnInitDialog();

        m_widthSpin.SetRange32(16, 10000);
        m_quality.SetRange(1, 100);
        m_quality.SetPos(90);
        m_progress.SetRange32(0, 100);
        m_progress.SetPos(35);
        m_shortcut.SetHotKey('R', HOTKEYF_CONTROL | HOTKEYF_SHIFT);

        m_files.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        m_files.InsertColumn(0, L"Name", LVCFMT_LEFT, 110);
        m_files.InsertColumn(1, L"Size", LVCFMT_RIGHT, 70);
        const wchar_t* files[][2] = { { L"beach.jpg", L"2,304 KB" }, { L"harbour.png", L"5,120 KB" }, { L"market.jpg", L"1,876 KB" } };
        for (int i = 0; i < 3; ++i) {
            m_files.InsertItem(i, files[i][0]);
            m_files.SetItemText(i, 1, files[i][1]);
        }
        m_files.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);

        HTREEITEM pictures = m_folders.InsertItem(L"Pictures");
        m_folders.InsertItem(L"Holiday", pictures);
        HTREEITEM resized = m_folders.InsertItem(L"Resized", pictures);
        m_folders.InsertItem(L"Documents");
        m_folders.Expand(pictures, TVE_EXPAND);
        m_folders.SelectItem(resized);

        if (m_tips.Create(this)) {
            m_tips.AddTool(GetDlgItem(IDC_START), L"Resize the pictures now");
            m_tips.Activate(TRUE);
        }
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_tips.m_hWnd)
            m_tips.RelayEvent(pMsg);
        return CDialog::PreTranslateMessage(pMsg);
    }

    afx_msg void OnHScroll(UINT, UINT, CScrollBar*)
    {
        CString value;
        value.Format(L"%d", m_quality.GetPos());
        SetDlgItemText(IDC_QUALITY_VALUE, value);
    }
    afx_msg void OnStart()
    {
        if (UpdateData(TRUE))
            m_progress.SetPos(100);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
    ON_WM_HSCROLL()
    ON_BN_CLICKED(IDC_START, OnStart)
END_MESSAGE_MAP()

class CDemoApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CDemoDialog dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;  // the dialog was the whole program
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
