#include "GlobalData.h"
#include <dwmapi.h>
#include "Win32Owners.h"

BCGPGLOBAL_DATA globalData;

BCGPGLOBAL_DATA::BCGPGLOBAL_DATA()
{
    m_hcurHand = ::LoadCursorW(nullptr, IDC_HAND);
    UpdateSysColors();
    RebuildBrushes();
    UpdateFonts();
}

BCGPGLOBAL_DATA::~BCGPGLOBAL_DATA() = default;

void BCGPGLOBAL_DATA::UpdateSysColors()
{
    {
        const win32::ScreenDc screen(::GetDC(nullptr));
        m_nBitsPerPixel = ::GetDeviceCaps(screen.Get(), BITSPIXEL) * ::GetDeviceCaps(screen.Get(), PLANES);
        m_dblImageScale = ::GetDeviceCaps(screen.Get(), LOGPIXELSY) / 96.0;
    }

    HIGHCONTRASTW hc = {sizeof(hc)};
    m_bIsBlackHighContrast = m_bIsWhiteHighContrast = FALSE;
    if (::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON)) {
        const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
        (GetRValue(text) + GetGValue(text) + GetBValue(text) > 3 * 128 ? m_bIsBlackHighContrast : m_bIsWhiteHighContrast) = TRUE;
    }

    clrBtnFace = clrBarFace = ::GetSysColor(COLOR_BTNFACE);
    clrBarShadow = ::GetSysColor(COLOR_BTNSHADOW);
    clrBarHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    clrBarDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    clrBarLight = ::GetSysColor(COLOR_3DLIGHT);
    clrBtnText = clrBarText = ::GetSysColor(COLOR_BTNTEXT);
    clrGrayedText = ::GetSysColor(COLOR_GRAYTEXT);
    clrBarWindow = clrWindow = ::GetSysColor(COLOR_WINDOW);
    clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    clrHilite = ::GetSysColor(COLOR_HIGHLIGHT);
    clrTextHilite = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    clrHotText = ::GetSysColor(COLOR_HOTLIGHT);
    clrHotLinkText = RGB(0, 102, 204);
    clrActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    clrCaptionText = ::GetSysColor(COLOR_CAPTIONTEXT);
}

void BCGPGLOBAL_DATA::RebuildBrushes()
{
    const struct { CBrush& brush; COLORREF color; } brushes[] = {
        {brBarFace, clrBarFace}, {brBtnFace, clrBtnFace}, {brWindow, clrWindow},
        {brHilite, clrHilite},   {brBarShadow, clrBarShadow}, {brBarLight, clrBarLight},
    };
    for (const auto& b : brushes) {
        b.brush.DeleteObject();
        b.brush.CreateSolidBrush(b.color);
    }
}

void BCGPGLOBAL_DATA::UpdateFonts()
{
    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
        ncm.lfMenuFont.lfHeight = -12;
        wcscpy_s(ncm.lfMenuFont.lfFaceName, L"Tahoma");
        ncm.lfMessageFont = ncm.lfMenuFont;
    }
    LOGFONTW lf = ncm.lfMenuFont;
    // A clean face at the system's size: the looks are flat and modern.
    if (!m_bUseSystemFont)
        wcscpy_s(lf.lfFaceName, L"Tahoma");
    lf.lfQuality = CLEARTYPE_QUALITY;

    const struct { CFont& font; LONG weight; BYTE underline; } faces[] = {
        {fontRegular, FW_NORMAL, FALSE}, {fontBold, FW_BOLD, FALSE}, {fontUnderline, FW_NORMAL, TRUE},
    };
    for (const auto& f : faces) {
        LOGFONTW l = lf;
        l.lfWeight = f.weight;
        l.lfUnderline = f.underline;
        f.font.DeleteObject();
        f.font.CreateFontIndirect(&l);
    }
    LOGFONTW small = lf;
    small.lfHeight = lf.lfHeight * 5 / 6;
    fontSmall.DeleteObject();
    fontSmall.CreateFontIndirect(&small);

    LOGFONTW dialog = ncm.lfMessageFont;
    wcscpy_s(dialog.lfFaceName, L"MS Shell Dlg 2");
    fontDialog.DeleteObject();
    fontDialog.CreateFontIndirect(&dialog);

    LOGFONTW icon = {};
    if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0))
        icon = lf;
    fontIconTitle.DeleteObject();
    fontIconTitle.CreateFontIndirect(&icon);

    const win32::ScreenDc screen(::GetDC(nullptr));
    const win32::ScopedSelect font(screen.Get(), fontRegular.GetSafeHandle());
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(screen.Get(), &tm);
    m_nTextHeight = tm.tmHeight > 0 ? static_cast<int>(tm.tmHeight) : 16;
}

BOOL BCGPGLOBAL_DATA::bIsWindowsVista() const
{
    return LOBYTE(LOWORD(::GetVersion())) >= 6;
}

BOOL BCGPGLOBAL_DATA::bIsWindows8() const
{
    const DWORD version = ::GetVersion();
    return LOBYTE(LOWORD(version)) > 6 || (LOBYTE(LOWORD(version)) == 6 && HIBYTE(LOWORD(version)) >= 2);
}

BOOL BCGPGLOBAL_DATA::IsDwmCompositionEnabled() const
{
    // Looked up at run time: the library is missing on old systems.
    HMODULE dwm = ::LoadLibraryW(L"dwmapi.dll");
    if (!dwm)
        return FALSE;
    BOOL enabled = FALSE;
    typedef HRESULT(WINAPI * IsEnabled)(BOOL*);
    if (auto fn = reinterpret_cast<IsEnabled>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmIsCompositionEnabled"))))
        if (FAILED(fn(&enabled)))
            enabled = FALSE;
    ::FreeLibrary(dwm);
    return enabled;
}

CString BCGPGLOBAL_DATA::RegisterWindowClass(LPCTSTR lpszClassNamePrefix)
{
    CString name;
    name.Format(L"%s:%p", lpszClassNamePrefix, static_cast<void*>(::GetModuleHandleW(nullptr)));
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(::GetModuleHandleW(nullptr), name, &wc)) {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
    return name;
}
