// The skinned controls in one dialog; the "Look" box switches the visual manager at run time:
//   scripts/run demo/SkinUIDemo [2013|VS2012|2003|plain] [sheet|list|message]
// "sheet" and "list" open the options sheet (outlook-bar or list look) at once, "message" the
// message box, so that a screenshot shows them.
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

enum class Opening { Gallery, Sheet, ListSheet, Message };

// The options sheet of the gallery: two pages beside a page list, with a page header.
INT_PTR ShowOptions(CWnd* parent, CBCGPPropertySheet::PropSheetLook look)
{
    CBCGPPropertyPage general(IDD_PAGE_GENERAL), capture(IDD_PAGE_CAPTURE);
    CBCGPPropertySheet sheet(L"Options", parent);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.SetLook(look, look == CBCGPPropertySheet::PropSheetLook_List ? 110 : 90);
    // Page icons from the system's: big ones over the names, small ones in the list look.
    const int size = look == CBCGPPropertySheet::PropSheetLook_List ? 16 : 32;
    CImageList icons;
    icons.Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 0);
    for (LPCWSTR icon : {IDI_APPLICATION, IDI_INFORMATION})
        icons.Add(static_cast<HICON>(::LoadImageW(nullptr, icon, IMAGE_ICON, size, size, LR_SHARED)));
    sheet.SetIconsList(icons.GetSafeHandle());
    sheet.EnablePageHeader(36);
    sheet.EnableVisualManagerStyle(TRUE, TRUE);
    sheet.AddPage(&general);
    sheet.AddPage(&capture);
    return sheet.DoModal();
}

class CGalleryDemo : public CBCGPDialog {
public:
    CGalleryDemo(int look, Opening opening) : CBCGPDialog(IDD_GALLERY), m_look(look), m_opening(opening)
    {
        EnableVisualManagerStyle(TRUE, TRUE);
    }

protected:
    int m_look;
    Opening m_opening;
    CBCGPComboBox m_theme;
    CBCGPEdit m_folder;
    CBCGPColorButton m_color;
    CBCGPFontComboBox m_font;
    CBCGPComboBox m_size;
    CBCGPSliderCtrl m_slider;
    CBCGPProgressCtrl m_progress;
    CBCGPSpinButtonCtrl m_spin;
    CBCGPListCtrl m_list;
    CBCGPTreeCtrl m_tree;
    CBCGPScrollBar m_scroll;
    CBCGPURLLinkButton m_link;
    CBCGPButton m_imageButton, m_flatButton;
    CBCGPStatic m_staticText;
    CBCGPEditListBox m_music;
    CBCGPSplitterWnd m_splitter;
    CBCGPTreeCtrl m_folders;
    CBCGPListCtrl m_files;
    CBCGPPopupWindow m_note;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_THEME, m_theme);
        DDX_Control(pDX, IDC_FOLDER, m_folder);
        DDX_Control(pDX, IDC_COLOR, m_color);
        DDX_Control(pDX, IDC_FONT, m_font);
        DDX_Control(pDX, IDC_COMBO, m_size);
        DDX_Control(pDX, IDC_SLIDER, m_slider);
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_SPIN, m_spin);
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Control(pDX, IDC_TREE, m_tree);
        DDX_Control(pDX, IDC_SCROLL, m_scroll);
        DDX_Control(pDX, IDC_LINK, m_link);
        DDX_Control(pDX, IDC_IMAGEBUTTON, m_imageButton);
        DDX_Control(pDX, IDC_FLATBUTTON, m_flatButton);
        DDX_Control(pDX, IDC_STATIC_TEXT, m_staticText);
        DDX_Control(pDX, IDC_EDITLIST, m_music);
    }

    void FillLists()
    {
        for (const Look& look : kLooks)
            m_theme.AddString(look.name);
        m_theme.SetCurSel(m_look);
        for (const wchar_t* size : {L"8", L"9", L"10", L"11", L"12", L"14", L"16", L"18", L"24", L"36"})
            m_size.AddString(size);
        m_size.SetWindowText(L"11");
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        m_list.InsertColumn(0, L"Name", LVCFMT_LEFT, 110);
        m_list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 60);
        const wchar_t* files[][2] = {{L"Beach.jpg", L"2.4 MB"}, {L"Harbour.png", L"5.1 MB"}, {L"Mountains.jpg", L"3.0 MB"},
                                     {L"Sunset.webp", L"0.8 MB"}};
        for (int i = 0; i < 4; ++i) {
            m_list.InsertItem(i, files[i][0]);
            m_list.SetItemText(i, 1, files[i][1]);
        }
        m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
        HTREEITEM root = m_tree.InsertItem(L"Pictures");
        m_tree.InsertItem(L"2025", root);
        HTREEITEM year = m_tree.InsertItem(L"2026", root);
        m_tree.InsertItem(L"Holiday", year);
        m_tree.Expand(root, TVE_EXPAND);
        m_tree.SelectItem(year);
        for (const wchar_t* song : {L"Lilac.wma", L"Morning Rain.mp3", L"Sea Breeze.wav"})
            m_music.AddItem(song);
        m_music.SelectItem(1);
    }

    // A splitter of two panes in place of its placeholder: folders at the left, files at the right.
    void MakeSplitter()
    {
        CWnd* placeholder = GetDlgItem(IDC_SPLITTER);
        CRect r;
        placeholder->GetWindowRect(&r);
        ScreenToClient(&r);
        placeholder->ShowWindow(SW_HIDE);
        m_splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, IDC_SPLITTER + 100);
        m_splitter.MoveWindow(r);
        m_folders.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, CRect(0, 0, 0, 0),
                         &m_splitter, m_splitter.IdFromRowCol(0, 0));
        m_files.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_LIST, CRect(0, 0, 0, 0), &m_splitter, m_splitter.IdFromRowCol(0, 1));
        for (CWnd* pane : {static_cast<CWnd*>(&m_folders), static_cast<CWnd*>(&m_files)})
            pane->SendMessage(WM_SETFONT, SendMessage(WM_GETFONT));
        m_folders.ApplyColors();
        m_files.ApplyColors();
        m_folders.InsertItem(L"Desktop");
        m_folders.SelectItem(m_folders.InsertItem(L"Documents"));
        for (const wchar_t* name : {L"Letter.txt", L"Budget.xlsx", L"Notes.txt"})
            m_files.InsertItem(m_files.GetItemCount(), name);
        m_splitter.SetColumnInfo(0, r.Width() / 3, 40);
        m_splitter.RecalcLayout();
    }

    BOOL OnInitDialog() override
    {
        CBCGPDialog::OnInitDialog();
        FillLists();
        SetDlgItemText(IDC_EDIT, L"Holiday 2026");
        m_folder.EnableFolderBrowseButton(L"Output Folder");
        m_folder.SetWindowText(L"C:\\Pictures");
        m_color.EnableAutomaticButton(L"Automatic", RGB(0, 0, 0));
        m_color.EnableOtherButton(L"Other");
        m_color.SetColumnsNumber(10);
        m_color.SetColor(RGB(0, 120, 215));
        m_font.Setup();
        m_font.SelectFont(L"Tahoma");
        m_spin.SetRange32(1, 99);
        m_spin.SetPos32(2);
        m_slider.SetRange(0, 100);
        m_slider.SetPos(65);
        m_progress.SetRange32(0, 100);
        m_progress.SetPos(40);
        m_scroll.SetScrollRange(0, 100);
        m_scroll.SetScrollPos(30);
        m_link.SetURL(L"https://help.example/skins");
        m_link.SizeToContent();
        m_imageButton.SetImage(static_cast<HICON>(::LoadImageW(nullptr, IDI_INFORMATION, IMAGE_ICON, 16, 16, LR_SHARED)),
                               FALSE);
        m_flatButton.m_nFlatStyle = CBCGPButton::BUTTONSTYLE_FLAT;
        CheckDlgButton(IDC_CHECK, BST_CHECKED);
        CheckRadioButton(IDC_RADIO1, IDC_RADIO2, IDC_RADIO1);
        m_music.SetWindowText(L"Music");
        MakeSplitter();
        EnableLayout();
        CBCGPStaticLayout* layout = GetLayout();
        layout->AddAnchor(IDC_LIST, CBCGPStaticLayout::e_MoveTypeHorz, CBCGPStaticLayout::e_SizeTypeVert, CPoint(100, 0), CPoint(0, 33));
        layout->AddAnchor(IDC_TREE, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeVert, CPoint(100, 33), CPoint(0, 33));
        layout->AddAnchor(IDC_SCROLL, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeVert, CPoint(100, 33), CPoint(0, 33));
        layout->AddAnchor(IDC_EDITLIST, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeVert, CPoint(100, 66), CPoint(0, 34));
        layout->AddAnchor(IDC_SPLITTER + 100, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeHorz);
        for (UINT id : {IDC_BUTTON, IDC_MSGBOX, IDC_SHEET})
            layout->AddAnchor(id, CBCGPStaticLayout::e_MoveTypeVert, CBCGPStaticLayout::e_SizeTypeNone);
        layout->AddAnchor(IDOK, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
        layout->AddAnchor(IDCANCEL, CBCGPStaticLayout::e_MoveTypeBoth, CBCGPStaticLayout::e_SizeTypeNone);
        if (m_opening != Opening::Gallery)
            PostMessage(WM_COMMAND, MAKEWPARAM(m_opening == Opening::Message ? IDC_MSGBOX : IDC_SHEET, BN_CLICKED));
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        const UINT id = LOWORD(wParam);
        if (id == IDC_THEME && HIWORD(wParam) == CBN_SELCHANGE) {
            const int sel = m_theme.GetCurSel();
            if (sel >= 0 && sel < static_cast<int>(std::size(kLooks)))
                CBCGPVisualManager::SetDefaultManager(kLooks[sel].type());
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && id == IDC_BUTTON) {
            if (m_note.GetSafeHwnd())
                m_note.DestroyWindow();
            CBCGPPopupWndParams params;
            params.m_hIcon = ::LoadIconW(nullptr, IDI_INFORMATION);
            params.m_strText = L"The pictures were copied to the output folder.";
            m_note.SetAutoCloseTime(4000);
            m_note.Create(this, params);
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && id == IDC_MSGBOX) {
            BCGPMessageBox(m_hWnd, L"The folder holds 24 pictures. Copy them all?", L"Skinned controls",
                           MB_YESNOCANCEL | MB_ICONQUESTION);
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && id == IDC_SHEET) {
            ShowOptions(this, m_opening == Opening::ListSheet ? CBCGPPropertySheet::PropSheetLook_List
                                                              : CBCGPPropertySheet::PropSheetLook_OutlookBar);
            return TRUE;
        }
        if (id == IDCANCEL && HIWORD(wParam) == BN_CLICKED &&
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
        Opening opening = Opening::Gallery;
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        for (int i = 1; argv && i < argc; ++i) {
            for (size_t l = 0; l < std::size(kLooks); ++l)
                if (_wcsicmp(argv[i], kLooks[l].name) == 0)
                    look = static_cast<int>(l);
            if (_wcsicmp(argv[i], L"sheet") == 0)
                opening = Opening::Sheet;
            else if (_wcsicmp(argv[i], L"list") == 0)
                opening = Opening::ListSheet;
            else if (_wcsicmp(argv[i], L"message") == 0)
                opening = Opening::Message;
        }
        ::LocalFree(argv);
        CBCGPVisualManager::SetDefaultManager(kLooks[look].type());
        CGalleryDemo dialog(look, opening);
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
