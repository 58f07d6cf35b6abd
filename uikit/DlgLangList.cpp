#include "DlgLangList.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "WStr.h"
#include "ZVUILibApp.h"
#include "ZVUILibAppIds.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> String;

XSCAN_RES CollectTitle(CFileIO*, const wchar_t* path, unsigned long, void* context)
{
    wchar_t title[MAX_PATH] = {};
    if (WStrLen(path) < MAX_PATH) {
        GetFileTitleFromPath(path, title);
        static_cast<ALT::TList<String>*>(context)->AddTail(String(title));
    }
    return XSCAN_CONTINUE;
}

// The template's texts are English, like every text in the code.
void TranslateWindowTexts(HWND dialog)
{
    for (HWND wnd = dialog; wnd; wnd = wnd == dialog ? GetWindow(dialog, GW_CHILD) : GetWindow(wnd, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        if (GetWindowTextW(wnd, text, 256) > 0)
            SetWindowTextW(wnd, TranslateString(text));
    }
}

} // namespace

int CMyListCtrl::OnCompareItems(LPARAM lParam1, LPARAM lParam2, int)
{
    const int result = WStrCompare(reinterpret_cast<const wchar_t*>(GetItemData(int(lParam1))),
                                   reinterpret_cast<const wchar_t*>(GetItemData(int(lParam2))));
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

BEGIN_MESSAGE_MAP(CDlgLangList, CBCGPDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_LANG_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_LANG_LIST, OnDblClick)
    ON_BN_CLICKED(IDC_LANG_AUTO, OnAuto)
    ON_BN_CLICKED(IDC_LANG_ENGLISH, OnEnglish)
END_MESSAGE_MAP()

CDlgLangList::CDlgLangList(CWnd* pParent, const wchar_t* folder)
    : CBCGPDialog(IDD_LANG_LIST, pParent), m_folder(folder ? String(folder) : CZVUILibApp::GetLanguageFolder())
{
}

CDlgLangList::~CDlgLangList() = default;

void CDlgLangList::DoDataExchange(CDataExchange* pDX)
{
    CBCGPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LANG_LIST, m_wndList);
    DDX_Control(pDX, IDOK, m_btnOK);
}

BOOL CDlgLangList::OnInitDialog()
{
    CBCGPDialog::OnInitDialog();
    const int small = GetSystemMetrics(SM_CXSMICON);
    SendMessage(WM_SETICON, ICON_SMALL,
                reinterpret_cast<LPARAM>(LoadImageW(GetZVUILibModule(), MAKEINTRESOURCEW(IDI_LANGUAGE), IMAGE_ICON, small, small, LR_SHARED)));
    EnableVisualManagerStyle(TRUE, TRUE);
    TranslateWindowTexts(m_hWnd);
    m_wndList.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    m_wndList.InsertColumn(0, TranslateString(L"English Name"), LVCFMT_LEFT, 150);
    m_wndList.InsertColumn(1, TranslateString(L"Local Name"), LVCFMT_LEFT, 150);
    m_btnOK.SetImage(IDB_LANG_OK);
    m_btnOK.EnableWindow(FALSE);

    // A file of a language the list does not know shows its title in both columns.
    String folder = m_folder;
    if (folder.GetLength() && folder.GetString()[folder.GetLength() - 1] != L'\\')
        folder += L"\\";
    m_names.RemoveAll();
    GetLocalFileIO().XScan((folder + L"*.txt").GetString(), CollectTitle, &m_names, false, nullptr, false);
    const CLangTable& table = CZVUILibApp::GetInstance().m_langTable;
    int row = 0;
    bool englishListed = false;
    for (ALT::TList<String>::Iter it = m_names.Begin(); it != m_names.End(); it.Next(), ++row) {
        const LANG_LIST_ITEM* item = table.FindLanguage(it->GetString());
        m_wndList.InsertItem(row, it->GetString());
        m_wndList.SetItemText(row, 1, item ? item->localName.GetString() : it->GetString());
        m_wndList.SetItemData(row, reinterpret_cast<DWORD_PTR>(it->GetString()));
        englishListed = englishListed || it.Get() == L"English";
    }
    // English needs no file; when it has one anyway it is already a row.
    String count;
    count.Format(TranslateString(L"%d Languages"), row + (englishListed ? 0 : 1));
    SetDlgItemText(IDC_LANG_COUNT, count.GetString());
    return TRUE;
}

void CDlgLangList::ApplySelected()
{
    const int row = m_wndList.GetNextItem(-1, LVNI_SELECTED);
    if (row >= 0)
        SelectLanguage(reinterpret_cast<const wchar_t*>(m_wndList.GetItemData(row)));
}

void CDlgLangList::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    m_btnOK.EnableWindow(m_wndList.GetSelectedCount() > 0);
    *pResult = 0;
}

void CDlgLangList::OnDblClick(NMHDR*, LRESULT* pResult)
{
    ApplySelected();
    *pResult = 0;
}

void CDlgLangList::OnAuto()
{
    SelectLanguage(L"Auto");
    EndDialog(IDOK);
}

void CDlgLangList::OnEnglish()
{
    SelectLanguage(L"English");
    EndDialog(IDOK);
}

void CDlgLangList::OnOK()
{
    ApplySelected();
    CBCGPDialog::OnOK();
}
