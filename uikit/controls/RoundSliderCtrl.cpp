#include "RoundSliderCtrl.h"
#include <cmath>
#include "SkinUI.h"

namespace roundslider {

namespace {
const double kPi = 3.141592653589793;
} // namespace

int PositionAt(POINT pt, POINT center, bool inverted, int zero, int min, int max)
{
    double dx = pt.x - center.x;
    const double dy = pt.y - center.y;
    if (inverted)
        dx = -dx;
    double angle;
    if (dx != 0) {
        angle = 90 - std::atan(-dy / dx) * 180 / kPi;
        if (dx < 0)
            angle += 180;
    } else {
        angle = dy >= 0 ? 180 : 0;
    }
    angle -= zero;
    while (angle < 0)
        angle += 360;
    while (angle >= 360)
        angle -= 360;
    return min - static_cast<int>((max + 1 - min) * angle / -360.0);
}

POINT KnobAt(int pos, int min, int max, int zero, bool inverted, POINT center, int d)
{
    const int span = std::max(1, max + 1 - min);
    int a = ((pos - min) * 360 / span + zero + 360) % 360;
    if (inverted)
        a = 360 - a;
    const double radians = a * kPi / 180;
    return POINT{center.x + static_cast<LONG>(d * std::sin(radians)), center.y - static_cast<LONG>(d * std::cos(radians))};
}

int Wrap(int pos, int min, int max)
{
    const int span = max + 1 - min;
    if (span <= 0)
        return pos;
    while (pos < min)
        pos += span;
    while (pos > max)
        pos -= span;
    return pos;
}

COLORREF Shade(double theta, COLORREF first, COLORREF second)
{
    double d = -2.356 - theta;
    if (d < -3.1415)
        d += 6.293;
    else if (d > 3.1415)
        d = 6.293 - d;
    const double t = (std::cos(d) + 1) / 2;
    auto mix = [t](int a, int b) { return static_cast<BYTE>((1 - t) * b + t * a); };
    return RGB(mix(GetRValue(first), GetRValue(second)), mix(GetGValue(first), GetGValue(second)),
               mix(GetBValue(first), GetBValue(second)));
}

} // namespace roundslider

namespace {

// Calls plot(dx, dy, step) for the eight symmetric pixels of each step of the midpoint trace.
template <class Plot>
void TraceCircle(int r, Plot plot)
{
    int x = r, y = 0, err = -r, step = 0;
    while (y <= x) {
        const int points[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : points)
            plot(p[0], p[1], step);
        err += 2 * y + 1;
        ++y;
        if (err >= 0) {
            err -= 2 * x - 2;
            --x;
        }
        ++step;
    }
}

void ShadedCircle(HDC dc, POINT c, int r, COLORREF first, COLORREF second)
{
    if (r <= 0)
        return;
    TraceCircle(r, [&](int dx, int dy, int) {
        ::SetPixelV(dc, c.x + dx, c.y + dy, roundslider::Shade(std::atan2(static_cast<double>(dy), static_cast<double>(dx)), first, second));
    });
}

void DottedCircle(HDC dc, POINT c, int r)
{
    if (r <= 0)
        return;
    TraceCircle(r, [&](int dx, int dy, int step) {
        if (step % 2 == 0)
            ::SetPixelV(dc, c.x + dx, c.y + dy, RGB(0, 0, 0));
    });
}

COLORREF Sys(int index) { return ::GetSysColor(index); }

} // namespace

IMPLEMENT_DYNAMIC(CRoundSliderCtrl, CSliderCtrl)

BEGIN_MESSAGE_MAP(CRoundSliderCtrl, CSliderCtrl)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

CRoundSliderCtrl::CRoundSliderCtrl() : m_strText(L"%ld\u00B0")
{
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_lf), &m_lf);
    m_font.CreateFontIndirect(&m_lf);
    m_clrText = Sys(COLOR_WINDOWTEXT);
    m_hKnobBrush = ::CreateSolidBrush(Sys(COLOR_BTNFACE));
    m_hDialBrush = ::CreateSolidBrush(Sys(COLOR_BTNFACE));
}

CRoundSliderCtrl::~CRoundSliderCtrl()
{
    ::DeleteObject(m_hKnobBrush);
    ::DeleteObject(m_hDialBrush);
}

void CRoundSliderCtrl::SetText(const CString& strNewText) { m_strText = strNewText; }
CString CRoundSliderCtrl::GetText() const { return m_strText; }
void CRoundSliderCtrl::SetKnobRadius(int nNewKnobRadius) { m_nKnobRadius = nNewKnobRadius; }
int CRoundSliderCtrl::GetKnobRadius() const { return m_nKnobRadius; }
void CRoundSliderCtrl::SetDragByKnobOnly(bool bDragByKnobOnly) { m_bDragByKnobOnly = bDragByKnobOnly; }
bool CRoundSliderCtrl::GetDragByKnobOnly() const { return m_bDragByKnobOnly; }
void CRoundSliderCtrl::SetZero(int nZero) { m_nZero = nZero; }
int CRoundSliderCtrl::GetZero() const { return m_nZero; }
void CRoundSliderCtrl::SetInverted(bool bNewInverted) { m_bInverted = bNewInverted; }
bool CRoundSliderCtrl::GetInverted() const { return m_bInverted; }
void CRoundSliderCtrl::SetRadioButtonStyle(bool bNewRadioButtonStyle) { m_bRadioButtonStyle = bNewRadioButtonStyle; }
bool CRoundSliderCtrl::GetRadioButtonStyle() const { return m_bRadioButtonStyle; }

void CRoundSliderCtrl::SetDialColor(COLORREF crBkgnd)
{
    ::DeleteObject(m_hDialBrush);
    m_hDialBrush = ::CreateSolidBrush(crBkgnd);
}

void CRoundSliderCtrl::SetKnobColor(COLORREF crBkgnd)
{
    ::DeleteObject(m_hKnobBrush);
    m_hKnobBrush = ::CreateSolidBrush(crBkgnd);
}

void CRoundSliderCtrl::SetTextColor(COLORREF crText) { m_clrText = crText; }

// A real weight: a flag stored as the weight would ask for the default or a hairline face.
void CRoundSliderCtrl::SetFontBold(bool bSet)
{
    m_lf.lfWeight = bSet ? FW_BOLD : FW_NORMAL;
    ReconstructFont();
}

void CRoundSliderCtrl::SetFontUnderline(bool bSet)
{
    m_lf.lfUnderline = bSet ? 1 : 0;
    ReconstructFont();
}

void CRoundSliderCtrl::SetFontItalic(bool bSet)
{
    m_lf.lfItalic = bSet ? 1 : 0;
    ReconstructFont();
}

void CRoundSliderCtrl::SetFontSize(int nSize)
{
    m_lf.lfHeight = -nSize;
    ReconstructFont();
}

void CRoundSliderCtrl::SetFontName(const CString& strFont)
{
    wcsncpy_s(m_lf.lfFaceName, LF_FACESIZE, strFont, _TRUNCATE);
    ReconstructFont();
}

void CRoundSliderCtrl::ReconstructFont()
{
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
}

CString CRoundSliderCtrl::OnFormatText() const
{
    CString text;
    if (!m_strText.IsEmpty())
        text.Format(m_strText, static_cast<long>(GetPos()));
    return text;
}

BOOL CRoundSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_bCreating = true;
    const BOOL made = CSliderCtrl::Create(dwStyle, rect, pParentWnd, nID);
    m_bCreating = false;
    if (made)
        SetUp();
    return made;
}

// A track bar being created is bound before it has run its own WM_CREATE and ignores range
// messages until then; Create sets it up afterwards instead.
void CRoundSliderCtrl::PreSubclassWindow()
{
    CSliderCtrl::PreSubclassWindow();
    if (!m_bCreating)
        SetUp();
}

BOOL CRoundSliderCtrl::PreCreateWindow(CREATESTRUCT& cs) { return CSliderCtrl::PreCreateWindow(cs); }

void CRoundSliderCtrl::SetUp()
{
    SetRange(0, 359, FALSE);
    SetLineSize(1);
    SetPageSize(10);
    Init();
}

void CRoundSliderCtrl::Init()
{
    CRect client;
    GetClientRect(&client);
    const int s = std::min(client.Width(), client.Height());
    m_ptCenter = CPoint((client.left + s) / 2, (client.top + s) / 2);
    m_nRadius = s / 2 - m_nKnobRadius - 1;
    m_rgn.DeleteObject();
    m_rgn.CreateEllipticRgn(client.left, client.top, client.left + s, client.top + s);
    // The window takes the region it is given; the member keeps a copy of its own.
    HRGN windowRegion = ::CreateEllipticRgn(client.left, client.top, client.left + s, client.top + s);
    if (::SetWindowRgn(m_hWnd, windowRegion, TRUE) == 0)
        ::DeleteObject(windowRegion);
}

bool CRoundSliderCtrl::SetKnob(const CPoint& pt)
{
    int min = 0, max = 0;
    GetRange(min, max);
    const int pos = roundslider::PositionAt(pt, m_ptCenter, m_bInverted, m_nZero, min, max);
    if (pos == GetPos())
        return false;
    SetPos(pos);
    return true;
}

void CRoundSliderCtrl::PostMessageToParent(int nTBCode) const
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_HSCROLL, (static_cast<WPARAM>(GetPos()) << 16) | static_cast<WORD>(nTBCode),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CRoundSliderCtrl::OnSize(UINT nType, int cx, int cy)
{
    CSliderCtrl::OnSize(nType, cx, cy);
    Init();
}

BOOL CRoundSliderCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CRoundSliderCtrl::OnPaint()
{
    skinui::PaintBuffered(this, [this](CDC* dc) { Paint(dc); });
}

void CRoundSliderCtrl::Paint(CDC* pDC)
{
    HDC dc = pDC->GetSafeHdc();
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc, client, ::GetSysColorBrush(COLOR_BTNFACE));
    const int r = m_nRadius, k = m_nKnobRadius;
    const POINT c = m_ptCenter;
    if (!m_bRadioButtonStyle) {
        ShadedCircle(dc, c, r, Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        ShadedCircle(dc, c, r - 1, Sys(COLOR_BTNSHADOW), Sys(COLOR_3DLIGHT));
    }
    int min = 0, max = 0;
    GetRange(min, max);
    const int d = m_bRadioButtonStyle ? r - k : r - 1;
    m_ptKnob = roundslider::KnobAt(GetPos(), min, max, m_nZero, m_bInverted, c, d);

    const int f = m_bRadioButtonStyle ? d + 2 : d - 2;
    const bool enabled = IsWindowEnabled() != FALSE;
    if (enabled) {
        HGDIOBJ oldBrush = ::SelectObject(dc, m_hDialBrush);
        ::Ellipse(dc, c.x - f + 1, c.y - f + 1, c.x + f + 1, c.y + f + 1);
        ::SelectObject(dc, oldBrush);
    }
    ShadedCircle(dc, c, f, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_3DDKSHADOW));
    ShadedCircle(dc, c, f - 1, Sys(COLOR_3DLIGHT), Sys(COLOR_BTNSHADOW));

    const int kk = m_bRadioButtonStyle ? 4 * k / 5 : k;
    const POINT knob = m_ptKnob;
    HRGN knobRegion = ::CreateEllipticRgn(knob.x - kk + 2, knob.y - kk + 2, knob.x + kk, knob.y + kk);
    ::FillRgn(dc, knobRegion, enabled ? m_hKnobBrush : ::GetSysColorBrush(COLOR_BTNFACE));
    ::DeleteObject(knobRegion);
    if (!m_bRadioButtonStyle && !m_bDragging) {
        ShadedCircle(dc, knob, kk - 1, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_3DDKSHADOW));
        ShadedCircle(dc, knob, kk - 2, Sys(COLOR_3DLIGHT), Sys(COLOR_BTNSHADOW));
    } else {
        ShadedCircle(dc, knob, kk - 1, Sys(COLOR_3DDKSHADOW), Sys(COLOR_BTNHIGHLIGHT));
        ShadedCircle(dc, knob, kk - 2, Sys(COLOR_BTNSHADOW), Sys(COLOR_3DLIGHT));
    }
    if (!m_bRadioButtonStyle && ::GetFocus() == m_hWnd)
        DottedCircle(dc, knob, kk - 4);

    const CString text = OnFormatText();
    if (text.IsEmpty())
        return;
    HGDIOBJ oldFont = ::SelectObject(dc, static_cast<HFONT>(m_font));
    const int mode = ::SetBkMode(dc, TRANSPARENT);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
    const int x = c.x - size.cx / 2, y = c.y - size.cy / 2;
    if (enabled) {
        const COLORREF old = ::SetTextColor(dc, m_clrText);
        ::TextOutW(dc, x, y, text, text.GetLength());
        ::SetTextColor(dc, old);
    } else {
        ::DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text)), text.GetLength(), x, y,
                     size.cx, size.cy, DST_PREFIXTEXT | DSS_DISABLED);
    }
    ::SetBkMode(dc, mode);
    ::SelectObject(dc, oldFont);
}

void CRoundSliderCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bDragByKnobOnly) {
        const int dx = point.x - m_ptKnob.x, dy = point.y - m_ptKnob.y;
        if (dx * dx + dy * dy > m_nKnobRadius * m_nKnobRadius)
            return;
    }
    if (m_bDragging) {
        CSliderCtrl::OnLButtonDown(nFlags, point);
        return;
    }
    m_bDragging = true;
    m_bDragChanged = false;
    SetCapture();
    SetFocus();
    if (SetKnob(point)) {
        m_bDragChanged = true;
        PostMessageToParent(TB_THUMBTRACK);
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CRoundSliderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging) {
        CSliderCtrl::OnMouseMove(nFlags, point);
        return;
    }
    if (SetKnob(point)) {
        m_bDragChanged = true;
        PostMessageToParent(TB_THUMBTRACK);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CRoundSliderCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bDragging) {
        CSliderCtrl::OnLButtonUp(nFlags, point);
        return;
    }
    m_bDragging = false;
    ::ReleaseCapture();
    if (SetKnob(point)) {
        PostMessageToParent(TB_THUMBTRACK);
        m_bDragChanged = true;
    }
    if (m_bDragChanged) {
        PostMessageToParent(TB_THUMBPOSITION);
        m_bDragChanged = false;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CRoundSliderCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    int delta = 0, code = 0;
    switch (nChar) {
    case VK_PRIOR:
        delta = -GetPageSize();
        code = TB_PAGEUP;
        break;
    case VK_NEXT:
        delta = GetPageSize();
        code = TB_PAGEDOWN;
        break;
    case VK_LEFT:
    case VK_UP:
        delta = -GetLineSize();
        code = TB_LINEUP;
        break;
    case VK_RIGHT:
    case VK_DOWN:
        delta = GetLineSize();
        code = TB_LINEDOWN;
        break;
    case VK_HOME:
    case VK_END:
        return;
    default:
        CSliderCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    int min = 0, max = 0;
    GetRange(min, max);
    SetPos(roundslider::Wrap(GetPos() + delta, min, max));
    RedrawWindow();
    PostMessageToParent(code);
}

void CRoundSliderCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        PostMessageToParent(TB_ENDTRACK);
        return;
    case VK_HOME:
    case VK_END:
        return;
    default:
        CSliderCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
    }
}

// The dial drags by itself, never through the track bar's own drag, so the track bar's end note
// on a capture change would be a stray one. A drag that loses the capture to another window ends.
LRESULT CRoundSliderCtrl::OnCaptureChanged(WPARAM, LPARAM)
{
    if (m_bDragging) {
        m_bDragging = false;
        if (m_bDragChanged) {
            PostMessageToParent(TB_THUMBPOSITION);
            m_bDragChanged = false;
        }
        Invalidate(FALSE);
    }
    return 0;
}

// The wheel turns the dial only with the pointer over it: a wheel message that reached the
// dial through the focus while the pointer is over a neighbour leaves it. Over the dial each
// notch is a line step, as on a track bar (down: forward), wrapping like the keys; the dial
// steps by itself, as not every track bar answers the wheel.
BOOL CRoundSliderCtrl::OnMouseWheel(UINT, short zDelta, CPoint pt)
{
    if (::WindowFromPoint(pt) != m_hWnd)
        return TRUE;
    m_nWheel += zDelta;
    const int notches = m_nWheel / WHEEL_DELTA;
    if (notches == 0)
        return TRUE;
    m_nWheel -= notches * WHEEL_DELTA;
    int min = 0, max = 0;
    GetRange(min, max);
    SetPos(roundslider::Wrap(GetPos() - notches * GetLineSize(), min, max));
    RedrawWindow();
    PostMessageToParent(notches > 0 ? TB_LINEUP : TB_LINEDOWN);
    return TRUE;
}
