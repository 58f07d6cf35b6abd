#include "KQDlgTextFuncMain.h"
#include <memory>
#include "DlgControls.h"
#include "KQTextPropIds.h"
#include "TextPageCommands.h"
#include "TextSheetRules.h"
#include "WordArtPresets.h"
#include "ZVUILibApp.h"

namespace {

// Posted by the thumbnail worker when thumbnails wait to be taken.
const UINT WM_KQ_TEXT_THUMBNAIL = WM_APP + 0x123;

// A paint of the gallery takes the locks the drawing threads need: thumbnails arriving faster
// than this wait for one repaint together.
const DWORD kThumbnailRepaintMs = 25;
const UINT_PTR kThumbnailRepaintTimer = 0x5468;

const wchar_t kPlaceholder[] = L"Enter your own content here";
const int kPointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

} // namespace

const KQTextMainIds& KQLibraryTextMainIds()
{
    static const KQTextMainIds ids = {IDC_KQ_TEXT_EDIT,   IDC_KQ_TEXT_FONT_LABEL, IDC_KQ_TEXT_FONT,
                                      IDC_KQ_TEXT_SIZE_LABEL, IDC_KQ_TEXT_SIZE, IDC_KQ_TEXT_BOLD,
                                      IDC_KQ_TEXT_ITALIC, IDC_KQ_TEXT_UNDERLINE, IDC_KQ_TEXT_DATE,
                                      IDC_KQ_TEXT_MONTH,  IDC_KQ_TEXT_PRESETS,    IDB_KQ_TEXT_BOLD,
                                      IDB_KQ_TEXT_ITALIC, IDB_KQ_TEXT_UNDERLINE};
    return ids;
}

IMPLEMENT_DYNAMIC(CKQDlgTextFuncMain, CBCGPPropertyPage)

// The controls' notices go through OnCommand and OnNotify, by the ids the page was made with.
BEGIN_MESSAGE_MAP(CKQDlgTextFuncMain, CBCGPPropertyPage)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(WM_KQ_TEXT_THUMBNAIL, OnThumbnailsDone)
END_MESSAGE_MAP()

CKQDlgTextFuncMain::CKQDlgTextFuncMain()
    // The template is the library's, whichever module's resources are current.
    : CKQDlgTextFuncMain(IDD_KQ_TEXTFUNC_MAIN, GetZVUILibModule(), KQLibraryTextMainIds())
{
}

CKQDlgTextFuncMain::CKQDlgTextFuncMain(UINT templateId, HINSTANCE module, const KQTextMainIds& ids)
    : CBCGPPropertyPage(templateId), m_ids(ids)
{
    m_psp.hInstance = module;
    m_lfPreset.lfHeight = -48;
    m_lfPreset.lfWeight = FW_NORMAL;
    wcscpy_s(m_lfPreset.lfFaceName, L"Arial Black");
}

CKQDlgTextFuncMain::~CKQDlgTextFuncMain()
{
    StopThumbnailThread();
}

void CKQDlgTextFuncMain::DoDataExchange(CDataExchange* pDX)
{
    CBCGPPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, m_ids.edit, m_editText);
    DDX_Control(pDX, m_ids.font, m_comboFont);
    DDX_Control(pDX, m_ids.size, m_comboSize);
    DDX_Control(pDX, m_ids.bold, m_btnBold);
    DDX_Control(pDX, m_ids.italic, m_btnItalic);
    DDX_Control(pDX, m_ids.underline, m_btnUnderline);
    DDX_Control(pDX, m_ids.presets, m_listPresets);
}

BOOL CKQDlgTextFuncMain::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const TextPageCommand<CKQDlgTextFuncMain> commands[] = {
        {m_ids.edit, EN_CHANGE, &CKQDlgTextFuncMain::OnChangeText},
        {m_ids.font, CBN_SELCHANGE, &CKQDlgTextFuncMain::OnSelchangeFont},
        {m_ids.size, CBN_SELCHANGE, &CKQDlgTextFuncMain::OnSelchangeSize},
        {m_ids.size, CBN_EDITCHANGE, &CKQDlgTextFuncMain::OnEditchangeSize},
        {m_ids.bold, BN_CLICKED, &CKQDlgTextFuncMain::OnBold},
        {m_ids.italic, BN_CLICKED, &CKQDlgTextFuncMain::OnItalic},
        {m_ids.underline, BN_CLICKED, &CKQDlgTextFuncMain::OnUnderline},
        {m_ids.date, BN_CLICKED, &CKQDlgTextFuncMain::OnDate},
        {m_ids.month, BN_CLICKED, &CKQDlgTextFuncMain::OnMonth},
    };
    return RunTextPageCommand(this, commands, wParam, lParam) || CBCGPPropertyPage::OnCommand(wParam, lParam);
}

BOOL CKQDlgTextFuncMain::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == m_ids.presets && header->code == NM_CLICK) {
        OnClickPresets(const_cast<NMHDR*>(header), pResult);
        return TRUE;
    }
    if (header && header->idFrom == m_ids.presets && header->code == NM_CUSTOMDRAW) {
        *pResult = OnDrawPresetItem(*reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
    }
    return CBCGPPropertyPage::OnNotify(wParam, lParam, pResult);
}

BOOL CKQDlgTextFuncMain::OnInitDialog()
{
    CBCGPPropertyPage::OnInitDialog();
    SetWindowText(TranslateString(L"Text"));
    SetDlgItemText(m_ids.fontLabel, TranslateString(L"Font"));
    SetDlgItemText(m_ids.sizeLabel, TranslateString(L"Font Size"));
    SetDlgItemText(m_ids.date, TranslateString(L"Date"));
    SetDlgItemText(m_ids.month, TranslateString(L"Month"));
    KQSetCtrlWidth(this);

    const struct {
        CBCGPButton* button;
        UINT image;
    } styles[] = {{&m_btnBold, m_ids.boldImage}, {&m_btnItalic, m_ids.italicImage}, {&m_btnUnderline, m_ids.underlineImage}};
    for (const auto& s : styles)
        s.button->SetImage(static_cast<HBITMAP>(::LoadImageW(m_psp.hInstance, MAKEINTRESOURCEW(s.image), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));

    CWordArtInfo& record = *m_pWordArt;
    m_comboFont.Setup();
    m_comboFont.SelectFont(record.m_LogFont.lfFaceName);
    if (m_comboSize.GetCount() == 0)
        for (int points : kPointSizes) {
            CString text;
            text.Format(L"%d", points);
            m_comboSize.AddString(text);
        }

    m_textFormat = CBCGPTextFormat(record.m_LogFont);
    double size = m_textFormat.GetFontSize();
    if (size < 0) {
        size = textsheet::PointsFromHeight(static_cast<float>(size), ScreenDpi());
        m_bSizeInPoints = true;
    }
    m_strSize = textsheet::FormatPointSize(size);
    m_comboSize.SetWindowText(m_strSize);

    ShowText(m_pbEmptyText && *m_pbEmptyText ? CString(TranslateString(kPlaceholder)) : record.m_strText);

    m_imageList.DeleteImageList();
    m_imageList.Create(textsheet::kThumbWidth, textsheet::kThumbHeight, ILC_COLOR24, 0, 0);
    m_listPresets.SetImageList(&m_imageList, LVSIL_NORMAL);
    m_listPresets.SetIconSpacing(101, 69);

    m_vecPresets = LoadWordArtPresets(m_strPresetFile.IsEmpty() ? WordArtPresetFile() : m_strPresetFile);
    StopThumbnailThread();
    StartThumbnailThread();
    return TRUE;
}

BOOL CKQDlgTextFuncMain::OnSetActive()
{
    UpdateData(FALSE);
    return CBCGPPropertyPage::OnSetActive();
}

void CKQDlgTextFuncMain::ShowText(const CString& text)
{
    m_bSettingText = true;
    m_editText.SetWindowText(text);
    m_bSettingText = false;
}

void CKQDlgTextFuncMain::OnChangeText()
{
    // Text put in by the page (the placeholder above all) is not the user's.
    if (m_bSettingText || !m_pWordArt)
        return;
    CString text;
    m_editText.GetWindowText(text);
    m_pWordArt->SetText(text);
    OnTextEdited();
}

void CKQDlgTextFuncMain::OnSelchangeFont()
{
    CBCGPFontDesc* font = m_comboFont.GetSelFont();
    if (!font || !m_pWordArt)
        return;
    LOGFONTW lf = m_pWordArt->m_LogFont;
    // The face name holds 31 characters and the terminator.
    wcsncpy_s(lf.lfFaceName, font->m_strName, _TRUNCATE);
    SetFont(lf);
}

void CKQDlgTextFuncMain::SetFont(const LOGFONTW& lf)
{
    m_pWordArt->SetLogFont(const_cast<LOGFONTW*>(&lf));
    OnRecordChanged();
}

void CKQDlgTextFuncMain::SetSizeFromText(const CString& text)
{
    const double points = textsheet::ParsePointSize(text);
    if (!m_bSizeInPoints || points == 0 || !m_pWordArt)
        return;
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfHeight = textsheet::HeightFromPoints(points, ScreenDpi());
    SetFont(lf);
}

void CKQDlgTextFuncMain::OnSelchangeSize()
{
    const int index = m_comboSize.GetCurSel();
    if (index < 0)
        return;
    CString text;
    m_comboSize.GetLBText(index, text);
    SetSizeFromText(text);
}

void CKQDlgTextFuncMain::OnEditchangeSize()
{
    CString text;
    m_comboSize.GetWindowText(text);
    SetSizeFromText(text);
}

void CKQDlgTextFuncMain::OnBold()
{
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfWeight = lf.lfWeight == FW_NORMAL ? FW_BOLD : FW_NORMAL;
    SetFont(lf);
}

void CKQDlgTextFuncMain::OnItalic()
{
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfItalic = !lf.lfItalic;
    SetFont(lf);
}

void CKQDlgTextFuncMain::OnUnderline()
{
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfUnderline = !lf.lfUnderline;
    SetFont(lf);
}

void CKQDlgTextFuncMain::InsertTextTag(const wchar_t* tag)
{
    CString text;
    m_editText.GetWindowText(text);
    text = textsheet::InsertTag(text, TranslateString(kPlaceholder), tag);
    ShowText(text);
    m_pWordArt->SetText(text);
    OnTextEdited();
}

void CKQDlgTextFuncMain::OnDate()
{
    InsertTextTag(L"[date]");
}

void CKQDlgTextFuncMain::OnMonth()
{
    InsertTextTag(L"[month]");
}

void CKQDlgTextFuncMain::OnClickPresets(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    *pResult = 0;
    if (click->iItem < 0 || click->iItem >= static_cast<int>(m_vecPresets.size()) || !m_pWordArt)
        return;
    textsheet::ApplyPreset(*m_pWordArt, m_vecPresets[click->iItem]);
    OnRecordChanged();
}

void CKQDlgTextFuncMain::OnDestroy()
{
    // The window is gone: so are the threads that drew for it.
    m_thumbnails.Shutdown();
    m_thumbnailPixels.clear();
    CBCGPPropertyPage::OnDestroy();
}

// ---------------------------------------------------------------------------------------------
// Thumbnails. The list is filled with empty items here; the worker draws copies of the presets
// and queues the pictures, which the page keeps and paints into the items itself.

void CKQDlgTextFuncMain::StartThumbnailThread()
{
    // The worker starts first and draws while the list is filled: what it queues is taken
    // only after this returns, when the items are there.
    m_nThumbnailsShown = 0;
    m_thumbnails.Start(m_hWnd, WM_KQ_TEXT_THUMBNAIL, m_vecPresets, m_lfPreset);
    const int n = static_cast<int>(m_vecPresets.size());
    m_thumbnailPixels.assign(n, {});
    // The whole gallery is painted now: the first thumbnails wait for the next repaint.
    ::SetRectEmpty(&m_arrivedInView);
    m_lastRepaint = ::GetTickCount();
    // A refill of as many presets keeps the items and blanks the pictures.
    if (m_listPresets.GetItemCount() == n) {
        m_listPresets.Invalidate();
        return;
    }
    m_listPresets.SetRedraw(FALSE);
    m_listPresets.DeleteAllItems();
    for (int i = 0; i < n; ++i)
        m_listPresets.InsertItem(i, L"", i);
    m_listPresets.SetRedraw(TRUE);
}

LRESULT CKQDlgTextFuncMain::OnThumbnailsDone(WPARAM, LPARAM)
{
    RECT view = {};
    m_listPresets.GetClientRect(&view);
    for (WordArtThumbnail& done : m_thumbnails.TakeDone()) {
        if (done.index >= static_cast<int>(m_thumbnailPixels.size()) || !m_thumbnailPixels[done.index].empty())
            continue;
        m_thumbnailPixels[done.index] = std::move(done.pixels);
        ++m_nThumbnailsShown;
        // Only an item in view is painted again, with whatever else arrived before the paint.
        RECT item = {}, seen = {};
        if (m_listPresets.GetItemRect(done.index, &item, LVIR_ICON) && ::IntersectRect(&seen, &item, &view))
            ::UnionRect(&m_arrivedInView, &m_arrivedInView, &seen);
    }
    // The last thumbnail is shown at once; the others wait for the next repaint that is due.
    const DWORD since = ::GetTickCount() - m_lastRepaint;
    if (m_nThumbnailsShown == static_cast<int>(m_thumbnailPixels.size()) || since >= kThumbnailRepaintMs)
        RepaintArrivedThumbnails();
    else if (!m_repaintTimer && !::IsRectEmpty(&m_arrivedInView))
        m_repaintTimer = SetTimer(kThumbnailRepaintTimer, kThumbnailRepaintMs - since, nullptr) != 0;
    return 0;
}

void CKQDlgTextFuncMain::RepaintArrivedThumbnails()
{
    if (m_repaintTimer)
        KillTimer(kThumbnailRepaintTimer);
    m_repaintTimer = false;
    m_lastRepaint = ::GetTickCount();
    if (::IsRectEmpty(&m_arrivedInView))
        return;
    m_listPresets.InvalidateRect(&m_arrivedInView, FALSE);
    ::SetRectEmpty(&m_arrivedInView);
}

void CKQDlgTextFuncMain::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kThumbnailRepaintTimer)
        RepaintArrivedThumbnails();
    else
        CBCGPPropertyPage::OnTimer(nIDEvent);
}

bool CKQDlgTextFuncMain::DrawThumbnail(HDC dc, int i, int x, int y) const
{
    return i >= 0 && i < static_cast<int>(m_thumbnailPixels.size()) && ShowWordArtThumbnail(dc, m_thumbnailPixels[i], x, y);
}

// Every item is the page's own: its thumbnail in the middle of the item's icon cell (white
// while not drawn yet), framed in the selection colour when selected.
LRESULT CKQDlgTextFuncMain::OnDrawPresetItem(const NMLVCUSTOMDRAW& draw)
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    const int i = static_cast<int>(draw.nmcd.dwItemSpec);
    RECT icon = {};
    if (!m_listPresets.GetItemRect(i, &icon, LVIR_ICON))
        return CDRF_SKIPDEFAULT;
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    const int x = (icon.left + icon.right - kThumbWidth) / 2, y = (icon.top + icon.bottom - kThumbHeight) / 2;
    if (!DrawThumbnail(draw.nmcd.hdc, i, x, y)) {
        const RECT blank = {x, y, x + kThumbWidth, y + kThumbHeight};
        ::FillRect(draw.nmcd.hdc, &blank, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    if (m_listPresets.GetItemState(i, LVIS_SELECTED) & LVIS_SELECTED) {
        const RECT outer = {x - 2, y - 2, x + kThumbWidth + 2, y + kThumbHeight + 2};
        const RECT inner = {x - 1, y - 1, x + kThumbWidth + 1, y + kThumbHeight + 1};
        ::FrameRect(draw.nmcd.hdc, &outer, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::FrameRect(draw.nmcd.hdc, &inner, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    return CDRF_SKIPDEFAULT;
}

void CKQDlgTextFuncMain::StopThumbnailThread()
{
    m_thumbnails.Stop();
}
