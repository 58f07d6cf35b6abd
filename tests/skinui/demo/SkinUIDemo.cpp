// The skinned controls in one dialog; the "Look" box switches the visual manager at run time:
//   scripts/run demo/SkinUIDemo [2013|2003|VS2012|plain]
#include "GalleryIds.h"
#include "SkinUI.h"

namespace {

struct Look {
    const wchar_t* name;
    CRuntimeClass* (*type)();
};
const Look kLooks[] = {
    {L"2013", &CBCGPVisualManager2013::GetThisClass},
    {L"VS2012", &CBCGPVisualManagerVS2012::GetThisClass},
    {L"2003", &CBCGPVisualManager2003::GetThisClass},
    {L"plain", &CBCGPVisualManager::GetThisClass},
};

class CGalleryDemo : public CBCGPDialog {
public:
    explicit CGalleryDemo(int look) : CBCGPDialog(IDD_GALLERY), m_look(look) { EnableVisualManagerStyle(TRUE); }

protected:
    int m_look;
    CBCGPComboBox m_theme;
    CBCGPEdit m_folder;
    CBCGPColorButton m_color;
    CBCGPFontComboBox m_font;
    CBCGPSliderCtrl m_slider;
    CBCGPProgressCtrl m_progress;
    CBCGPSpinButtonCtrl m_spin;
    CBCGPListCtrl m_list;
    CBCGPTreeCtrl m_tree;
    CBCGPScrollBar m_scroll;
    CBCGPURLLinkButton m_link;
    CBCGPPopupWindow m_note;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_THEME, m_theme);
        DDX_Control(pDX, IDC_FOLDER, m_folder);
        DDX_Control(pDX, IDC_COLOR, m_color);
        DDX_Control(pDX, IDC_FONT, m_font);
        DDX_Control(pDX, IDC_SLIDER, m_slider);
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_SPIN, m_spin);
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Control(pDX, IDC_TREE, m_tree);
        DDX_Control(pDX, IDC_SCROLL, m_scroll);
        DDX_Control(pDX, IDC_LINK, m_link);
    }

    BOOL OnInitDialog() override
    {
        CBCGPDialog::OnInitDialog();
        for (const Look& look : kLooks)
            m_theme.AddString(look.name);
        m_theme.SetCurSel(m_look);
        SetDlgItemText(IDC_EDIT, L"Holiday 2026");
        m_folder.EnableFolderBrowseButton(L"Output Folder");
        m_folder.SetWindowText(L"C:\\Pictures");
        m_color.EnableAutomaticButton(L"Automatic", RGB(0, 0, 0));
        m_color.EnableOtherButton(L"Other");
        m_color.SetColumnsNumber(14);
        m_color.SetColor(RGB(0, 120, 215));
        m_font.Setup();
        m_font.SelectFont(L"Tahoma");
        m_spin.SetRange32(0, 100);
        m_spin.SetPos32(12);
        m_slider.SetRange(0, 100);
        m_slider.SetPos(65);
        m_progress.SetRange32(0, 100);
        m_progress.SetPos(40);
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        m_list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
        const wchar_t* files[] = {L"Beach.jpg", L"Harbour.png", L"Mountains.jpg", L"Sunset.webp"};
        for (int i = 0; i < 4; ++i)
            m_list.InsertItem(i, files[i]);
        m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        HTREEITEM root = m_tree.InsertItem(L"Pictures");
        m_tree.InsertItem(L"2025", root);
        m_tree.InsertItem(L"2026", root);
        m_tree.Expand(root, TVE_EXPAND);
        m_scroll.SetScrollRange(0, 100);
        m_scroll.SetScrollPos(30);
        m_link.SetURL(L"https://help.example/skins");
        m_link.SizeToContent();
        CheckDlgButton(IDC_CHECK, BST_CHECKED);
        EnableLayout();
        GetLayout()->AddAnchor(IDC_LIST, CBCGPStaticLayout::e_MoveTypeNone, CBCGPStaticLayout::e_SizeTypeBoth, CPoint(0, 0), CPoint(100, 50));
        GetLayout()->AddAnchor(IDC_TREE, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeBoth, CPoint(0, 50), CPoint(100, 50));
        GetLayout()->AddAnchor(IDC_SCROLL, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeVert, CPoint(100, 50), CPoint(0, 50));
        GetLayout()->AddAnchor(IDC_BUTTON, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeNone);
        GetLayout()->AddAnchor(IDOK, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
        GetLayout()->AddAnchor(IDCANCEL, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_THEME && HIWORD(wParam) == CBN_SELCHANGE) {
            const int sel = m_theme.GetCurSel();
            if (sel >= 0 && sel < static_cast<int>(std::size(kLooks)))
                CBCGPVisualManager::SetDefaultManager(kLooks[sel].type());
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_BUTTON && HIWORD(wParam) == BN_CLICKED) {
            if (m_note.GetSafeHwnd())
                m_note.DestroyWindow();
            CBCGPPopupWndParams params;
            params.m_hIcon = ::LoadIconW(nullptr, IDI_INFORMATION);
            params.m_strText = L"The pictures were copied to the output folder.";
            m_note.SetAutoCloseTime(4000);
            m_note.Create(this, params);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED &&
            BCGPMessageBox(m_hWnd, L"Do you want to exit ?", L"Skinned controls", MB_YESNO | MB_ICONQUESTION) != IDYES)
            return TRUE;
        return CBCGPDialog::OnCommand(wParam, lParam);
    }
};

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"SkinUIDemo") {}
    BOOL InitInstance() override
    {
        int look = 0;
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        for (int i = 1; argv && i < argc; ++i)
            for (size_t l = 0; l < std::size(kLooks); ++l)
                if (_wcsicmp(argv[i], kLooks[l].name) == 0)
                    look = static_cast<int>(l);
        ::LocalFree(argv);
        CBCGPVisualManager::SetDefaultManager(kLooks[look].type());
        CGalleryDemo dialog(look);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
