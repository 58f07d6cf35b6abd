#include "Button.h"
#include <algorithm>
#include "DrawManager.h"
#include "GlobalData.h"
#include "VisualManager.h"
#include "Win32Owners.h"

namespace {
CSize BitmapSize(HBITMAP bitmap)
{
    BITMAP bm = {};
    return bitmap && ::GetObjectW(bitmap, sizeof(bm), &bm) ? CSize(bm.bmWidth, bm.bmHeight) : CSize(0, 0);
}

bool HasAlpha(HBITMAP bitmap)
{
    DIBSECTION ds = {};
    if (::GetObjectW(bitmap, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 32 || !ds.dsBm.bmBits)
        return false;
    const auto* p = static_cast<const BYTE*>(ds.dsBm.bmBits);
    const size_t count = static_cast<size_t>(ds.dsBm.bmWidth) * static_cast<size_t>(std::abs(ds.dsBm.bmHeight));
    for (size_t i = 0; i < count; ++i)
        if (p[i * 4 + 3] != 0)
            return true;
    return false;
}

HBITMAP LoadBitmapResource(UINT id)
{
    if (!id)
        return nullptr;
    HINSTANCE module = AfxGetResourceHandle();
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        bitmap = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return bitmap;
}
} // namespace

IMPLEMENT_DYNCREATE(CBCGPButton, CButton)

BEGIN_MESSAGE_MAP(CBCGPButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(BM_SETSTATE, OnSetState)
END_MESSAGE_MAP()

CBCGPButton::~CBCGPButton()
{
    FreeImages();
}

void CBCGPButton::FreeImages()
{
    if (m_bAutoDestroyImage) {
        if (m_hBitmap)
            ::DeleteObject(m_hBitmap);
        if (m_hBitmapHot)
            ::DeleteObject(m_hBitmapHot);
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
    }
    m_hBitmap = m_hBitmapHot = nullptr;
    m_hIcon = nullptr;
}

void CBCGPButton::SetImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot)
{
    FreeImages();
    m_hBitmap = hBitmap;
    m_hBitmapHot = hBitmapHot;
    m_bAutoDestroyImage = bAutoDestroy;
    if (m_hWnd)
        Invalidate();
}

void CBCGPButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId)
{
    SetImage(LoadBitmapResource(uiBmpResId), TRUE, LoadBitmapResource(uiBmpHotResId));
}

void CBCGPButton::SetImage(HICON hIcon, BOOL bAutoDestroy)
{
    FreeImages();
    m_hIcon = hIcon;
    m_bAutoDestroyImage = bAutoDestroy;
    if (m_hWnd)
        Invalidate();
}

CSize CBCGPButton::GetImageSize() const
{
    CSize size(0, 0);
    if (m_hBitmap) {
        size = BitmapSize(m_hBitmap);
    } else if (m_hIcon) {
        ICONINFO ii = {};
        if (::GetIconInfo(m_hIcon, &ii)) {
            const win32::GdiObject<HBITMAP> color(ii.hbmColor), mask(ii.hbmMask);
            size = BitmapSize(ii.hbmColor ? ii.hbmColor : ii.hbmMask);
            if (!ii.hbmColor)
                size.cy /= 2;
        }
    }
    if (m_bAutoScale && globalData.GetRibbonImageScale() > 1.0) {
        size.cx = static_cast<int>(size.cx * globalData.GetRibbonImageScale());
        size.cy = static_cast<int>(size.cy * globalData.GetRibbonImageScale());
    }
    return size;
}

void CBCGPButton::SetFaceColor(COLORREF crFace, BOOL bRedraw)
{
    m_clrFace = crFace;
    if (bRedraw && m_hWnd)
        Invalidate();
}

BOOL CBCGPButton::PreCreateWindow(CREATESTRUCT& cs)
{
    const DWORD type = cs.style & BS_TYPEMASK;
    m_bPushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
    if (m_bPushButton)
        cs.style = (cs.style & ~BS_TYPEMASK) | BS_OWNERDRAW;
    return CButton::PreCreateWindow(cs);
}

void CBCGPButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const DWORD type = GetStyle() & BS_TYPEMASK;
    m_bPushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
    if (m_bPushButton && type != BS_OWNERDRAW) {
        // The default-button state is read from the dialog (DM_GETDEFID) once owner drawn.
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (GetStyle() & ~BS_TYPEMASK) | BS_OWNERDRAW);
        Invalidate();
    }
}

void CBCGPButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    Render(pDC, lpDIS->rcItem, lpDIS->itemState);
}

LRESULT CBCGPButton::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (!m_bPushButton)
        return Default();
    CRect client;
    GetClientRect(&client);
    UINT state = 0;
    if (!IsWindowEnabled())
        state |= ODS_DISABLED;
    if (GetState() & BST_PUSHED)
        state |= ODS_SELECTED;
    if (::GetFocus() == m_hWnd)
        state |= ODS_FOCUS;
    Render(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), client, state);
    return 0;
}

LRESULT CBCGPButton::OnSetState(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    m_bPushed = wParam != 0;
    return result;
}

void CBCGPButton::Render(CDC* pDC, CRect rect, UINT uiState)
{
    const int saved = pDC->SaveDC();
    OnFillBackground(pDC, rect);
    CRect inner = rect;
    OnDrawBorder(pDC, inner, uiState);
    OnDraw(pDC, inner, uiState);
    if ((uiState & ODS_FOCUS) && m_bDrawFocus && !(uiState & ODS_NOFOCUSRECT))
        OnDrawFocusRect(pDC, rect);
    pDC->RestoreDC(saved);
}

void CBCGPButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    // What lies around a flat button: the parent's skin.
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    if (m_clrFace != (COLORREF)-1 && m_nFlatStyle != BUTTONSTYLE_3D)
        pDC->FillSolidRect(rectClient, m_clrFace);
    else
        ::FillRect(pDC->m_hDC, rectClient, manager->GetDlgBackBrush(GetParent()));
}

void CBCGPButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
    const BOOL disabled = (uiState & ODS_DISABLED) != 0;
    const BOOL pressed = (uiState & ODS_SELECTED) != 0 || m_bPushed;
    BOOL isDefault = FALSE;
    if (m_hWnd && GetParent() && GetParent()->GetSafeHwnd()) {
        const DWORD def = static_cast<DWORD>(::SendMessageW(::GetParent(m_hWnd), DM_GETDEFID, 0, 0));
        isDefault = HIWORD(def) == DC_HASDEFID && LOWORD(def) == GetDlgCtrlID();
    }
    switch (m_nFlatStyle) {
    case BUTTONSTYLE_3D:
        manager->OnDrawPushButton(pDC, rectClient, this, IsHighlighted(), pressed, disabled, isDefault);
        break;
    case BUTTONSTYLE_FLAT:
    case BUTTONSTYLE_SEMIFLAT:
        // Flat buttons show a face only under the pointer or while pressed.
        if (IsHighlighted() || pressed || m_nFlatStyle == BUTTONSTYLE_SEMIFLAT)
            manager->OnDrawPushButton(pDC, rectClient, this, IsHighlighted(), pressed, disabled, FALSE);
        break;
    case BUTTONSTYLE_NOBORDERS:
        break;
    }
    rectClient.DeflateRect(2, 2);
}

void CBCGPButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient)
{
    CRect focus = rectClient;
    focus.DeflateRect(3, 3);
    pDC->SetTextColor(globalData.clrBarText);
    pDC->SetBkColor(globalData.clrBarFace);
    pDC->DrawFocusRect(focus);
}

void CBCGPButton::DrawImage(CDC* pDC, CRect rect, BOOL bDisabled)
{
    const CSize size = rect.Size();
    if (m_hIcon) {
        ::DrawIconEx(pDC->m_hDC, rect.left, rect.top, m_hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    HBITMAP bitmap = IsHighlighted() && m_hBitmapHot ? m_hBitmapHot : m_hBitmap;
    const CSize source = BitmapSize(bitmap);
    const win32::MemoryDc mem(::CreateCompatibleDC(pDC->m_hDC));
    const win32::ScopedSelect selected(mem.Get(), bitmap);
    if (HasAlpha(bitmap)) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(bDisabled ? 110 : 255), AC_SRC_ALPHA};
        ::GdiAlphaBlend(pDC->m_hDC, rect.left, rect.top, size.cx, size.cy, mem.Get(), 0, 0, source.cx, source.cy, blend);
    } else {
        // Bitmaps without alpha: the top-left pixel's colour is the background.
        ::SetStretchBltMode(pDC->m_hDC, HALFTONE);
        ::GdiTransparentBlt(pDC->m_hDC, rect.left, rect.top, size.cx, size.cy, mem.Get(), 0, 0, source.cx, source.cy,
                            ::GetPixel(mem.Get(), 0, 0));
        if (bDisabled)
            CBCGPDrawManager(*pDC).HighlightRect(rect, 100, (COLORREF)-1, 0, globalData.clrBarFace);
    }
}

void CBCGPButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    const BOOL disabled = (uiState & ODS_DISABLED) != 0;
    CString text;
    GetWindowText(text);
    CRect area = rect;
    if (HasImage()) {
        const CSize image = GetImageSize();
        CRect imageRect;
        if (text.IsEmpty()) {
            imageRect = CRect(CPoint(area.left + (area.Width() - image.cx) / 2, area.top + (area.Height() - image.cy) / 2), image);
        } else if (m_bRightImage) {
            imageRect = CRect(CPoint(area.right - image.cx - 4, area.top + (area.Height() - image.cy) / 2), image);
            area.right = imageRect.left - 4;
        } else {
            imageRect = CRect(CPoint(area.left + 4, area.top + (area.Height() - image.cy) / 2), image);
            area.left = imageRect.right + 4;
        }
        DrawImage(pDC, imageRect, disabled);
    }
    if (text.IsEmpty())
        return;
    CFont* font = GetFont();
    const win32::ScopedSelect selected(pDC->m_hDC, font && font->GetSafeHandle() ? font->GetSafeHandle() : globalData.fontRegular.GetSafeHandle());
    pDC->SetBkMode(TRANSPARENT);
    COLORREF color = CBCGPVisualManager::GetInstance()->GetButtonTextColor(this, disabled);
    if (m_clrText != (COLORREF)-1 && !disabled)
        color = m_clrText;
    pDC->SetTextColor(color);
    const UINT format = (HasImage() ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;
    pDC->DrawText(text, &area, format);
}

CSize CBCGPButton::SizeToContent(BOOL bCalcOnly)
{
    CString text;
    GetWindowText(text);
    CSize textSize(0, 0);
    if (!text.IsEmpty()) {
        CClientDC dc(this);
        CFont* font = GetFont();
        const win32::ScopedSelect selected(dc.m_hDC, font && font->GetSafeHandle() ? font->GetSafeHandle() : globalData.fontRegular.GetSafeHandle());
        textSize = dc.GetTextExtent(text);
    }
    const CSize image = GetImageSize();
    CSize size(textSize.cx + image.cx + (text.IsEmpty() || !HasImage() ? 0 : 8), std::max(textSize.cy, image.cy));
    size.cx += 12;   // border and padding on both sides
    size.cy += 10;
    if (!bCalcOnly)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

void CBCGPButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hover.Move(m_hWnd, TRUE))
        Invalidate(FALSE);
    CButton::OnMouseMove(nFlags, point);
}

void CBCGPButton::OnMouseLeave()
{
    if (m_hover.Leave())
        Invalidate(FALSE);
    CButton::OnMouseLeave();
}

BOOL CBCGPButton::OnEraseBkgnd(CDC* pDC)
{
    // Owner-drawn buttons paint every pixel.
    return m_bPushButton ? TRUE : CButton::OnEraseBkgnd(pDC);
}

// Link button.

IMPLEMENT_DYNCREATE(CBCGPURLLinkButton, CBCGPButton)

BEGIN_MESSAGE_MAP(CBCGPURLLinkButton, CBCGPButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CBCGPURLLinkButton::CBCGPURLLinkButton()
{
    m_nFlatStyle = BUTTONSTYLE_NOBORDERS;
    m_bDrawFocus = FALSE;
}

CString CBCGPURLLinkButton::GetTarget() const
{
    CString target = m_strURL;
    if (target.IsEmpty())
        GetWindowText(target);
    CString result = m_strPrefix;
    result += target;
    return result;
}

void CBCGPURLLinkButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    ::FillRect(pDC->m_hDC, rectClient, CBCGPVisualManager::GetInstance()->GetDlgBackBrush(GetParent()));
}

void CBCGPURLLinkButton::OnDrawBorder(CDC*, CRect&, UINT) {}

void CBCGPURLLinkButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    CString text;
    GetWindowText(text);
    const win32::ScopedSelect font(pDC->m_hDC, globalData.fontUnderline.GetSafeHandle());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor((uiState & ODS_DISABLED) ? globalData.clrGrayedText
                      : IsHighlighted() ? skinui::Darker(globalData.clrHotLinkText, 0.2) : globalData.clrHotLinkText);
    CRect area = rect;
    pDC->DrawText(text, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

CSize CBCGPURLLinkButton::SizeToContent(BOOL bCalcOnly)
{
    CString text;
    GetWindowText(text);
    CSize size;
    {
        CClientDC dc(this);
        const win32::ScopedSelect font(dc.m_hDC, globalData.fontUnderline.GetSafeHandle());
        size = dc.GetTextExtent(text);
    }
    size.cx += 4;
    size.cy += 4;
    if (!bCalcOnly)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

void CBCGPURLLinkButton::OpenTarget(const CString& target)
{
    ::ShellExecuteW(m_hWnd, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

void CBCGPURLLinkButton::OnClicked()
{
    const CString target = GetTarget();
    if (!target.IsEmpty())
        OpenTarget(target);
}

BOOL CBCGPURLLinkButton::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(globalData.m_hcurHand);
    return TRUE;
}
