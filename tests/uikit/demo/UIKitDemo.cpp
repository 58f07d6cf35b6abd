// The toolkit's controls and picture windows in one dialog, in the default look:
//   scripts/run demo/UIKitDemo
// flat toggle buttons, a long-press button that counts while it is held, numeric edits with
// spins (a width in whole pixels that stops at its ends, an angle in half degrees that wraps),
// a picture with a
// caption, previews with and without a picture, the loading animation and a splash page.
//   UIKitDemo.exe /resize, /histogram, /input, /loading, /msgbox, /print: one of the library's
// dialogs (see DialogDemos.cpp)
//   UIKitDemo.exe /savebmp FILE.bmp WIDTH HEIGHT
// draws the gallery's colour table into a 24-bit memory DC of that size, saves it as a BMP and
// ends (exit code 0 when it was written).
//   UIKitDemo.exe /controls [/open-picker]
// shows the editing controls instead (ControlsGallery.cpp).
//   UIKitDemo.exe /text [/advanced] [/preset N]
// the "Text Options" sheet on a sample record, on its Advanced page with /advanced, with the
// record taking preset N of the shipped presets first with /preset.
//   UIKitDemo.exe /skin N [texture]
// a frame in skin N: a tile panel, the folder tree in a docking pane, and the breadcrumb above
// a folder list; a folder picked in the tree or the breadcrumb opens in the list.
#include <cwchar>
#include "AnimateImage.h"
#include "ControlsGallery.h"
#include "DialogDemos.h"
#include "KQFlatButton.h"
#include "KQMemDC.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"
#include "KQTextPropSheet.h"
#include "TextSheetRules.h"
#include "WordArtPresets.h"
#include "SkinDemo.h"
#include "UIKitDemoIds.h"
#include "UIKitIds.h"
#include "ZVImageStatic.h"
#include "ZVPreviewWnd.h"
#include "ZVUILibApp.h"

namespace {

// The colours /savebmp draws, repeated every three pixels across and down.
const COLORREF kSwatches[3][3] = {
    {RGB(220, 40, 40), RGB(40, 170, 60), RGB(30, 90, 220)},
    {RGB(250, 200, 30), RGB(0, 122, 204), RGB(150, 60, 180)},
    {RGB(255, 255, 255), RGB(128, 128, 128), RGB(20, 20, 20)},
};

bool SaveSwatches(const wchar_t* path, int width, int height)
{
    CKQMemDC dc;
    if (!dc.AdjustGDIBitmap(width, height, 24))
        return false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            dc.SetPixelV(x, y, kSwatches[y % 3][x % 3]);
    return dc.SaveToFile(path);
}

// The sample pictures of the program folder's Data (the gallery lives one folder below it).
CString SamplePicture(const wchar_t* name)
{
    CString relative = L"..\\Data\\Sample\\";
    relative += name;
    return CModulePathStr(relative).GetString();
}

// A window that shows the loading animation or a splash page on the dialog's face.
class CAnimationPanel : public CWnd {
public:
    // Loading: the animation turns and its percentage climbs, starting again after 100.
    bool CreateLoading(CWnd* parent, const CRect& rect, const wchar_t* text)
    {
        if (!Make(parent, rect))
            return false;
        m_animation.SetLoadingText(text);
        m_animation.ShowLoading(true);
        m_animation.SetProgress(0);
        return true;
    }
    bool CreateSplash(CWnd* parent, const CRect& rect, const wchar_t* text, UINT picture)
    {
        if (!Make(parent, rect))
            return false;
        m_animation.SetSplashPage(text, picture);
        return true;
    }

protected:
    bool Make(CWnd* parent, const CRect& rect)
    {
        if (!Create(globalData.RegisterWindowClass(L"UIKitDemoPanel"), nullptr, WS_CHILD | WS_VISIBLE, rect, parent, 0))
            return false;
        m_animation.SetOwner(this);
        m_animation.OnCreate();
        return true;
    }
    afx_msg void OnPaint()
    {
        skinui::PaintBuffered(this, [this](CDC* dc) {
            CRect client;
            GetClientRect(&client);
            ::FillRect(dc->m_hDC, client, CBCGPVisualManager::GetInstance()->GetDlgBackBrush(GetParent()));
            if (!m_animation.OnDrawLoading(dc, client))
                m_animation.OnDrawSplash(dc, client);
        });
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id != CAnimateImage::kTimerId)
            return;
        m_animation.OnTimer();
        // Two frames a percent: a whole load takes twenty seconds.
        if (++m_ticks % 2 == 0)
            m_animation.SetProgress((m_animation.GetProgress() + 1) % 101);
        Invalidate(FALSE);
    }
    afx_msg void OnDestroy()
    {
        m_animation.ShowLoading(false);
        m_animation.OnDestroy();
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()

    CAnimateImage m_animation;
    int m_ticks = 0;
};

BEGIN_MESSAGE_MAP(CAnimationPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

} // namespace

void TranslateGalleryTexts(CWnd& dialog)
{
    for (HWND wnd = dialog.m_hWnd; wnd; wnd = wnd == dialog.m_hWnd ? ::GetWindow(wnd, GW_CHILD) : ::GetWindow(wnd, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        if (::GetWindowTextW(wnd, text, 256) > 0)
            ::SetWindowTextW(wnd, TranslateString(text));
    }
}

namespace {

class CToolkitGallery : public CBCGPDialog {
public:
    CToolkitGallery() : CBCGPDialog(IDD_UIKIT_DEMO) { EnableVisualManagerStyle(TRUE, TRUE); }

protected:
    static const UINT_PTR kZoomTimer = 7;

    CKQFlatButton m_grid, m_rulers;
    CKQLongPressButton m_zoom;
    CKQNumEdit m_width, m_angle;
    CKQNumSpinCtrl m_widthSpin, m_angleSpin;
    CZVImageStatic m_picture;
    CZVPreviewWnd m_previewEmpty, m_previewPicture;
    CAnimationPanel m_loading, m_splash;
    int m_zoomSteps = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_GRID, m_grid);
        DDX_Control(pDX, IDC_RULERS, m_rulers);
        DDX_Control(pDX, IDC_ZOOM, m_zoom);
        DDX_Control(pDX, IDC_PICTURE, m_picture);
        DDX_Control(pDX, IDC_WIDTH, m_width);
        DDX_Control(pDX, IDC_WIDTH_SPIN, m_widthSpin);
        DDX_Control(pDX, IDC_ANGLE, m_angle);
        DDX_Control(pDX, IDC_ANGLE_SPIN, m_angleSpin);
    }

    // The rectangle of a hidden frame of the template, in the dialog's client area.
    CRect PlaceOf(UINT id)
    {
        CRect rect;
        GetDlgItem(id)->GetWindowRect(&rect);
        ScreenToClient(&rect);
        return rect;
    }

    void ShowZoomSteps()
    {
        CString text;
        text.Format(TranslateString(L"Zoom steps while held: %d"), m_zoomSteps);
        SetDlgItemText(IDC_ZOOM_COUNT, text);
    }

    BOOL OnInitDialog() override
    {
        CBCGPDialog::OnInitDialog();
        TranslateGalleryTexts(*this);
        m_grid.SetPush(TRUE);
        ShowZoomSteps();

        // The picture keeps its proportions: the control takes its height from its width.
        if (m_picture.ShowPic(SamplePicture(L"Lakeside.jpg"), false)) {
            CRect rect;
            m_picture.GetWindowRect(&rect);
            ScreenToClient(&rect);
            rect.bottom = rect.top + MulDiv(rect.Width(), m_picture.m_image.GetHeight(), m_picture.m_image.GetWidth());
            m_picture.MoveWindow(rect);
        }
        m_picture.m_strText = TranslateString(L"Lakeside in the morning");

        m_previewEmpty.Create(WS_CHILD | WS_VISIBLE, PlaceOf(IDC_PREVIEW_EMPTY), this, IDC_PREVIEW_EMPTY + 100);
        m_previewPicture.Create(WS_CHILD | WS_VISIBLE, PlaceOf(IDC_PREVIEW_PICTURE), this, IDC_PREVIEW_PICTURE + 100);
        m_previewPicture.m_image.LoadFile(SamplePicture(L"Flowers.webp"));

        m_loading.CreateLoading(this, PlaceOf(IDC_LOADING), TranslateString(L"Loading pictures..."));
        m_splash.CreateSplash(this, PlaceOf(IDC_SPLASH), TranslateString(L"No pictures in this folder"), IDB_KQ_PLACEHOLDER);

        // A width of 1 to 10000 pixels and an angle of -180 to 180 degrees in half degrees.
        m_width.SetMinMax(1, 10000);
        m_widthSpin.SetRangeAndDelta(1, 10000, 1);
        m_widthSpin.SetPos(1600);
        m_angle.SetDecimalPlaces(1);
        m_angle.SetMinMax(-180, 180);
        m_angleSpin.SetDecimalPlaces(1);
        m_angleSpin.SetRangeAndDelta(-180, 180, 0.5);
        m_angleSpin.SetPos(12.5);

        // The focus starts on Close, so that no toggle shows a focus frame over its face.
        GotoDlgCtrl(GetDlgItem(IDCANCEL));
        return FALSE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDC_GRID || LOWORD(wParam) == IDC_RULERS)) {
            CKQFlatButton& button = LOWORD(wParam) == IDC_GRID ? m_grid : m_rulers;
            button.SetPush(!button.IsPush());
            return TRUE;
        }
        return CBCGPDialog::OnCommand(wParam, lParam);
    }

    afx_msg LRESULT OnZoomPressed(WPARAM, LPARAM)
    {
        SetTimer(kZoomTimer, 100, nullptr);
        return 0;
    }
    afx_msg LRESULT OnZoomReleased(WPARAM, LPARAM)
    {
        KillTimer(kZoomTimer);
        return 0;
    }
    afx_msg void OnTimer(UINT_PTR id)
    {
        if (id == kZoomTimer) {
            ++m_zoomSteps;
            ShowZoomSteps();
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolkitGallery, CBCGPDialog)
    ON_MESSAGE(WM_KQ_LONGPRESS_DOWN, OnZoomPressed)
    ON_MESSAGE(WM_KQ_LONGPRESS_UP, OnZoomReleased)
    ON_WM_TIMER()
END_MESSAGE_MAP()

// The text options sheet on a sample record: "Lumivo" in Arial at 36 points.
void ShowTextSheet(bool advanced, int preset)
{
    CKQTextPropSheet sheet;
    LOGFONTW font = {};
    font.lfHeight = -48;
    font.lfWeight = FW_NORMAL;
    wcscpy_s(font.lfFaceName, L"Arial");
    sheet.m_wordArt.SetLogFont(&font);
    sheet.m_wordArt.SetText(L"Lumivo");
    const std::vector<CWordArtInfo> presets = LoadWordArtPresets(WordArtPresetFile());
    if (preset >= 0 && preset < static_cast<int>(presets.size()))
        textsheet::ApplyPreset(sheet.m_wordArt, presets[preset]);
    if (advanced)
        sheet.SetActivePage(1);
    sheet.DoModal();
}

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"UIKitDemo") {}
    BOOL InitInstance() override
    {
        int argc = 0;
        LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
        const bool saveBmp = argv && argc >= 2 && _wcsicmp(argv[1], L"/savebmp") == 0;
        bool controls = false, openPicker = false, text = false, advanced = false;
        int preset = -1;
        for (int i = 1; argv && i < argc; ++i) {
            if (_wcsicmp(argv[i], L"/controls") == 0)
                controls = true;
            else if (_wcsicmp(argv[i], L"/open-picker") == 0)
                openPicker = true;
            else if (_wcsicmp(argv[i], L"/text") == 0)
                text = true;
            else if (_wcsicmp(argv[i], L"/advanced") == 0)
                advanced = true;
            else if (_wcsicmp(argv[i], L"/preset") == 0 && i + 1 < argc)
                preset = _wtoi(argv[++i]);
        }
        const bool skin = argv && argc >= 3 && _wcsicmp(argv[1], L"/skin") == 0;
        if (skin)
            m_nSkin = static_cast<unsigned int>(_wtoi(argv[2]));
        m_bTexture = skin && argc >= 4 && _wcsicmp(argv[3], L"texture") == 0;
        if (saveBmp) {
            const int width = argc > 3 ? _wtoi(argv[3]) : 3, height = argc > 4 ? _wtoi(argv[4]) : 3;
            m_exitCode = argc > 2 && SaveSwatches(argv[2], width, height) ? 0 : 1;
        }
        if (saveBmp) {
            ::LocalFree(argv);
            return FALSE;
        }
        if (skin) {
            ::LocalFree(argv);
            return OpenSkinDemo(this, &m_nSkin, m_bTexture);
        }
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        const bool dialogShown = argv && RunDialogDemo(argc, argv, m_exitCode);
        ::LocalFree(argv);
        if (dialogShown)
            return FALSE;
        if (controls) {
            RunControlsGallery(*this, SamplePicture(L"Lakeside.jpg"), openPicker);
            return FALSE;
        }
        if (text) {
            ShowTextSheet(advanced, preset);
            return FALSE;
        }
        CToolkitGallery dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
    int ExitInstance() override
    {
        CWinApp::ExitInstance();
        return m_exitCode;
    }

private:
    int m_exitCode = 0;
    bool m_bTexture = false;
    unsigned int m_nSkin = 1;   // the program's skin number, as the suite's programs hold it
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
