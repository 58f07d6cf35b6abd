#include "DlgControls.h"
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include "Win32Owners.h"

namespace {

// Room around a control's text, and between a check box's box and its text.
const int kTextMargin = 10;
const int kBoxGap = 4;

// The controls of the ids, in the order given; ids without a control are passed over.
std::vector<HWND> CollectControls(CDialog* pDlg, int firstId, va_list ids)
{
    std::vector<HWND> controls;
    for (int id = firstId; id; id = va_arg(ids, int)) {
        if (HWND control = ::GetDlgItem(pDlg->GetSafeHwnd(), id))
            controls.push_back(control);
    }
    return controls;
}

CRect RectInParent(HWND control)
{
    CRect rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsCheckOrRadio(DWORD style)
{
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

// The width of the text in the font the control is drawn in (its own, else the shared one
// the skin paints its kind with).
int TextWidth(HDC dc, HWND control, const CString& text, bool isStatic)
{
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>((isStatic ? globalData.fontDialog : globalData.fontRegular).GetSafeHandle());
    const win32::ScopedSelect selected(dc, font);
    UINT format = DT_CALCRECT | DT_SINGLELINE;
    if (isStatic && (::GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX))
        format |= DT_NOPREFIX;
    CRect rect(0, 0, 0, 0);
    ::DrawTextW(dc, text, text.GetLength(), &rect, format);
    return rect.Width();
}

} // namespace

int ctrllayout::NeededWidth(int textWidth, int boxWidth)
{
    return textWidth + kTextMargin + (boxWidth > 0 ? boxWidth + kBoxGap : 0);
}

void ctrllayout::LineUp(std::vector<CRect>& rects, int gap, bool toRight)
{
    for (size_t i = 1; i < rects.size(); ++i) {
        const CRect& before = rects[i - 1];
        CRect& rect = rects[i];
        const int width = rect.Width();
        rect.left = toRight ? before.right + gap : before.left - gap - width;
        rect.right = rect.left + width;
    }
}

int ctrllayout::ChainWidth(const std::vector<int>& widths, int gap)
{
    int total = 0;
    for (size_t i = 0; i < widths.size(); ++i)
        total += widths[i] + (i ? gap : 0);
    return total;
}

void KQSetCtrlWidth(CWnd* pParent)
{
    if (!pParent || !pParent->GetSafeHwnd())
        return;
    HWND parent = pParent->GetSafeHwnd();
    CClientDC parentDc(pParent);
    HDC dc = parentDc.m_hDC;
    if (!dc)
        return;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {};
        ::GetClassNameW(child, className, 32);
        for (wchar_t* c = className; *c; ++c)
            *c = static_cast<wchar_t>(std::towupper(*c));
        const bool isStatic = wcscmp(className, L"STATIC") == 0;
        if (!isStatic && wcscmp(className, L"BUTTON") != 0)
            continue;
        CString text;
        CWnd::FromHandle(child)->GetWindowText(text);
        const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        // The check mark or radio circle takes its room before the text.
        const int box = !isStatic && IsCheckOrRadio(style) ? ::GetSystemMetrics(SM_CXMENUCHECK) : 0;
        const int needed = ctrllayout::NeededWidth(TextWidth(dc, child, text, isStatic), box);
        const CRect rect = RectInParent(child);
        if (needed > rect.Width())
            ::SetWindowPos(child, nullptr, 0, 0, needed, rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void KQMoveWindows(CDialog* pDlg, int gap, bool toRight, int firstId, ...)
{
    if (!pDlg || !pDlg->GetSafeHwnd())
        return;
    va_list ids;
    va_start(ids, firstId);
    const std::vector<HWND> controls = CollectControls(pDlg, firstId, ids);
    va_end(ids);
    std::vector<CRect> rects;
    for (HWND control : controls)
        rects.push_back(RectInParent(control));
    ctrllayout::LineUp(rects, gap, toRight);
    for (size_t i = 1; i < controls.size(); ++i)
        ::SetWindowPos(controls[i], nullptr, rects[i].left, rects[i].top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int KQGetDlgWidth(CDialog* pDlg, int gap, int firstId, ...)
{
    if (!pDlg || !pDlg->GetSafeHwnd())
        return 0;
    va_list ids;
    va_start(ids, firstId);
    const std::vector<HWND> controls = CollectControls(pDlg, firstId, ids);
    va_end(ids);
    std::vector<int> widths;
    for (HWND control : controls)
        widths.push_back(RectInParent(control).Width());
    return ctrllayout::ChainWidth(widths, gap);
}

bool IsRectCollision(CRect* a, CRect* b)
{
    if (!a || !b)
        return false;
    const bool across = (b->left <= a->left && a->left < b->right) || (a->left <= b->left && b->left <= a->right);
    const bool down = (b->top <= a->top && a->top < b->bottom) || (a->top <= b->top && b->top <= a->bottom);
    return across && down;
}

namespace {
void SetBitmapButton(CBCGPButton& button, unsigned int bitmapId, CBCGPButton::FlatStyle style)
{
    button.m_bAutoScale = TRUE;
    button.m_nFlatStyle = style;
    button.SetImage(bitmapId);
}
} // namespace

void SetBmpBTStyle(CBCGPButton& button, unsigned int bitmapId)
{
    SetBitmapButton(button, bitmapId, CBCGPButton::BUTTONSTYLE_3D);
}

void SetBmpFlatBTStyle(CBCGPButton& button, unsigned int bitmapId)
{
    SetBitmapButton(button, bitmapId, CBCGPButton::BUTTONSTYLE_FLAT);
}

void InsertCBEXItem(CComboBoxEx& combo, int index, const wchar_t* text, int image, int data)
{
    COMBOBOXEXITEMW item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text ? text : L"");
    item.iImage = image;
    item.iSelectedImage = image;
    // The data goes to where the item landed: index -1 appends, and a failed insert has none.
    const int at = combo.InsertItem(&item);
    if (at >= 0)
        combo.SetItemData(at, static_cast<DWORD_PTR>(static_cast<INT_PTR>(data)));
}
