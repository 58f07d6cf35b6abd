#include "KQDlgTextFuncMain.h"
#include <process.h>
#include <memory>
#include "DlgControls.h"
#include "KQTextPropIds.h"
#include "TextSheetRules.h"
#include "WordArtPresets.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"

namespace {

// Posted by the thumbnail thread (lParam: a ThumbnailDone the page takes over).
const UINT WM_KQ_TEXT_THUMBNAIL = WM_APP + 0x123;

struct ThumbnailDone {
    unsigned run;
    int index;
    HBITMAP bitmap;
};

const wchar_t kPlaceholder[] = L"Enter your own content here";
const int kPointSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

// GDI+ for the thumbnails, started once in the process before the first thread draws.
void StartGdiplusOnce()
{
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    (void)started;
}

// The preset drawn into a 96 x 64 screen-compatible bitmap: white, the picture fitted in the
// middle, a grey frame.
HBITMAP DrawThumbnail(CWordArtInfo preset, const LOGFONTW& font)
{
    using textsheet::kThumbHeight;
    using textsheet::kThumbWidth;
    preset.SetLogFont(const_cast<LOGFONTW*>(&font));
    preset.SetText(L"Text");
    CZVImage picture;
    preset.DrawEffectText(&picture);

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kThumbWidth, kThumbHeight);
    ::ReleaseDC(nullptr, screen);
    if (!dc || !bitmap) {
        if (bitmap)
            ::DeleteObject(bitmap);
        if (dc)
            ::DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT cell = {0, 0, kThumbWidth, kThumbHeight};
    HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
    ::FillRect(dc, &cell, white);
    ::DeleteObject(white);
    if (picture.IsValid()) {
        const RGBQUAD background = {255, 255, 255, 0};
        picture.SetTransColor(background);
        if (picture.GetTransIndex() >= 0 && picture.GetBpp() <= 8)
            picture.SetPaletteColor(static_cast<BYTE>(picture.GetTransIndex()), background);
        picture.AlphaStrip();
        const RECT fit = textsheet::FitThumbnail(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()));
        ::SetStretchBltMode(dc, HALFTONE);
        picture.Stretch(dc, fit, SRCCOPY);
    }
    HBRUSH grey = ::CreateSolidBrush(RGB(192, 192, 192));
    ::FrameRect(dc, &cell, grey);
    ::DeleteObject(grey);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return bitmap;
}

} // namespace

IMPLEMENT_DYNAMIC(CKQDlgTextFuncMain, CBCGPPropertyPage)

BEGIN_MESSAGE_MAP(CKQDlgTextFuncMain, CBCGPPropertyPage)
    ON_EN_CHANGE(IDC_KQ_TEXT_EDIT, OnChangeText)
    ON_CBN_SELCHANGE(IDC_KQ_TEXT_FONT, OnSelchangeFont)
    ON_CBN_SELCHANGE(IDC_KQ_TEXT_SIZE, OnSelchangeSize)
    ON_CBN_EDITCHANGE(IDC_KQ_TEXT_SIZE, OnEditchangeSize)
    ON_BN_CLICKED(IDC_KQ_TEXT_BOLD, OnBold)
    ON_BN_CLICKED(IDC_KQ_TEXT_ITALIC, OnItalic)
    ON_BN_CLICKED(IDC_KQ_TEXT_UNDERLINE, OnUnderline)
    ON_BN_CLICKED(IDC_KQ_TEXT_DATE, OnDate)
    ON_BN_CLICKED(IDC_KQ_TEXT_MONTH, OnMonth)
    ON_NOTIFY(NM_CLICK, IDC_KQ_TEXT_PRESETS, OnClickPresets)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_KQ_TEXT_THUMBNAIL, OnThumbnailDone)
END_MESSAGE_MAP()

CKQDlgTextFuncMain::CKQDlgTextFuncMain() : CBCGPPropertyPage(IDD_KQ_TEXTFUNC_MAIN)
{
    // The template is the library's, whichever module's resources are current.
    m_psp.hInstance = GetZVUILibModule();
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
    DDX_Control(pDX, IDC_KQ_TEXT_EDIT, m_editText);
    DDX_Control(pDX, IDC_KQ_TEXT_FONT, m_comboFont);
    DDX_Control(pDX, IDC_KQ_TEXT_SIZE, m_comboSize);
    DDX_Control(pDX, IDC_KQ_TEXT_BOLD, m_btnBold);
    DDX_Control(pDX, IDC_KQ_TEXT_ITALIC, m_btnItalic);
    DDX_Control(pDX, IDC_KQ_TEXT_UNDERLINE, m_btnUnderline);
    DDX_Control(pDX, IDC_KQ_TEXT_PRESETS, m_listPresets);
}

BOOL CKQDlgTextFuncMain::OnInitDialog()
{
    CBCGPPropertyPage::OnInitDialog();
    SetWindowText(TranslateString(L"Text"));
    SetDlgItemText(IDC_KQ_TEXT_FONT_LABEL, TranslateString(L"Font"));
    SetDlgItemText(IDC_KQ_TEXT_SIZE_LABEL, TranslateString(L"Font Size"));
    SetDlgItemText(IDC_KQ_TEXT_DATE, TranslateString(L"Date"));
    SetDlgItemText(IDC_KQ_TEXT_MONTH, TranslateString(L"Month"));
    KQSetCtrlWidth(this);

    const struct {
        CBCGPButton* button;
        UINT image;
    } styles[] = {{&m_btnBold, IDB_KQ_TEXT_BOLD}, {&m_btnItalic, IDB_KQ_TEXT_ITALIC}, {&m_btnUnderline, IDB_KQ_TEXT_UNDERLINE}};
    for (const auto& s : styles)
        s.button->SetImage(static_cast<HBITMAP>(::LoadImageW(GetZVUILibModule(), MAKEINTRESOURCEW(s.image), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));

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
    m_imageList.Create(textsheet::kThumbWidth, textsheet::kThumbHeight, ILC_COLOR24, 0, 1);
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
}

void CKQDlgTextFuncMain::OnSelchangeFont()
{
    CBCGPFontDesc* font = m_comboFont.GetSelFont();
    if (!font || !m_pWordArt)
        return;
    LOGFONTW lf = m_pWordArt->m_LogFont;
    // The face name holds 31 characters and the terminator.
    wcsncpy_s(lf.lfFaceName, font->m_strName, _TRUNCATE);
    m_pWordArt->SetLogFont(&lf);
}

void CKQDlgTextFuncMain::SetSizeFromText(const CString& text)
{
    const double points = textsheet::ParsePointSize(text);
    if (!m_bSizeInPoints || points == 0 || !m_pWordArt)
        return;
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfHeight = textsheet::HeightFromPoints(points, ScreenDpi());
    m_pWordArt->SetLogFont(&lf);
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
    m_pWordArt->SetLogFont(&lf);
}

void CKQDlgTextFuncMain::OnItalic()
{
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfItalic = !lf.lfItalic;
    m_pWordArt->SetLogFont(&lf);
}

void CKQDlgTextFuncMain::OnUnderline()
{
    LOGFONTW lf = m_pWordArt->m_LogFont;
    lf.lfUnderline = !lf.lfUnderline;
    m_pWordArt->SetLogFont(&lf);
}

void CKQDlgTextFuncMain::InsertTextTag(const wchar_t* tag)
{
    CString text;
    m_editText.GetWindowText(text);
    text = textsheet::InsertTag(text, TranslateString(kPlaceholder), tag);
    ShowText(text);
    m_pWordArt->SetText(text);
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
}

void CKQDlgTextFuncMain::OnDestroy()
{
    StopThumbnailThread();
    CBCGPPropertyPage::OnDestroy();
}

// ---------------------------------------------------------------------------------------------
// Thumbnails. The list is filled with empty items here; the thread only draws and posts, and
// the page puts each finished image into its list.

void CKQDlgTextFuncMain::StartThumbnailThread()
{
    const int n = static_cast<int>(m_vecPresets.size());
    m_listPresets.DeleteAllItems();
    m_imageList.SetImageCount(0);
    m_imageList.SetImageCount(n);
    m_listPresets.SetRedraw(FALSE);
    for (int i = 0; i < n; ++i)
        m_listPresets.InsertItem(i, L"", i);
    m_listPresets.SetRedraw(TRUE);
    if (n == 0)
        return;

    StartGdiplusOnce();
    ++m_nThumbRun;
    m_hWndThumbTarget = m_hWnd;
    m_bStopThread = false;
    m_bThreadRunning = true;
    m_hThread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, ThumbnailThread, this, 0, nullptr));
    if (!m_hThread)
        m_bThreadRunning = false;
}

unsigned __stdcall CKQDlgTextFuncMain::ThumbnailThread(void* param)
{
    CKQDlgTextFuncMain* page = static_cast<CKQDlgTextFuncMain*>(param);
    const unsigned run = page->m_nThumbRun;
    const int n = static_cast<int>(page->m_vecPresets.size());
    for (int i = 0; i < n && !page->m_bStopThread; ++i) {
        auto done = std::make_unique<ThumbnailDone>(ThumbnailDone{run, i, DrawThumbnail(page->m_vecPresets[i], page->m_lfPreset)});
        if (!done->bitmap)
            continue;
        if (::PostMessageW(page->m_hWndThumbTarget, WM_KQ_TEXT_THUMBNAIL, 0, reinterpret_cast<LPARAM>(done.get())))
            done.release();
        else
            ::DeleteObject(done->bitmap);
    }
    page->m_bStopThread = false;
    page->m_bThreadRunning = false;
    return 0;
}

LRESULT CKQDlgTextFuncMain::OnThumbnailDone(WPARAM, LPARAM lParam)
{
    std::unique_ptr<ThumbnailDone> done(reinterpret_cast<ThumbnailDone*>(lParam));
    if (done->run == m_nThumbRun && done->index < m_imageList.GetImageCount()) {
        ImageList_Replace(m_imageList.GetSafeHandle(), done->index, done->bitmap, nullptr);
        m_listPresets.RedrawItems(done->index, done->index);
    }
    ::DeleteObject(done->bitmap);
    return 0;
}

void CKQDlgTextFuncMain::StopThumbnailThread()
{
    if (!m_hThread)
        return;
    m_bStopThread = true;
    // The thread posts to this window: its messages are served while it finishes.
    while (::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    m_bThreadRunning = false;
    m_bStopThread = false;
    DiscardThumbnailMessages();
}

// Finished images still queued (posted just before the thread ended) are freed.
void CKQDlgTextFuncMain::DiscardThumbnailMessages()
{
    if (!m_hWndThumbTarget)
        return;
    MSG msg;
    while (::PeekMessageW(&msg, m_hWndThumbTarget, WM_KQ_TEXT_THUMBNAIL, WM_KQ_TEXT_THUMBNAIL, PM_REMOVE)) {
        std::unique_ptr<ThumbnailDone> done(reinterpret_cast<ThumbnailDone*>(msg.lParam));
        ::DeleteObject(done->bitmap);
    }
}
