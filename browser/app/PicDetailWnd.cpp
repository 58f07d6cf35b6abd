#include "PicDetailWnd.h"
#include "KQListFile.h"
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CPicDetailWnd, CStatic)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CPicDetailWnd::Init(UINT placeholderId)
{
    ICONMETRICSW metrics = {sizeof(metrics)};
    ::SystemParametersInfoW(SPI_GETICONMETRICS, sizeof(metrics), &metrics, 0);
    textFont.DeleteObject();
    textFont.CreateFontIndirect(&metrics.lfFont);
    MeasureChar();
    placeholderWidth = placeholderHeight = 0;
    if (placeholderId && placeholder.LoadPNG(placeholderId, AfxGetResourceHandle())) {
        // The picture is drawn for a 1920-pixel wide work area; other screens scale it, also up.
        RECT work = {};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const double f = (work.right - work.left) / 1920.0;
        if (f > 0 && f != 1.0)
            placeholder.Resample(long(placeholder.GetWidth() * f), long(placeholder.GetHeight() * f));
        placeholderWidth = int(placeholder.GetWidth());
        placeholderHeight = int(placeholder.GetHeight());
    }
    details = PicDetails();
    CRect client;
    GetClientRect(&client);
    OnSize(0, client.Width(), client.Height());
}

void CPicDetailWnd::SetInfo(const CKQListFile* item)
{
    PicDetails d;
    if (item) {
        d.fileName = item->m_strName.GetBuffer() ? item->m_strName.GetBuffer() : L"";
        d.width = int(item->m_info.nWidth);
        d.height = int(item->m_info.nHeight);
        d.bitsPerPixel = item->m_info.nBpp;
        d.fileSize = item->m_info.nFileSize;
        d.createTime = item->m_info.tCreate;
        d.modifyTime = item->m_info.tLastWrite;
        d.photoTime = item->m_info.tTaken;
    }
    SetDetails(d);
}

// The list hovers over picture after picture: the same details again are not drawn again.
void CPicDetailWnd::SetDetails(const PicDetails& d)
{
    if (d == details)
        return;
    details = d;
    Paint();
}

void CPicDetailWnd::ShowText(bool show)
{
    showText = show;
    Paint();
}

void CPicDetailWnd::MeasureChar()
{
    CClientDC dc(this);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, textFont.m_hObject);
    SIZE o = {};
    ::GetTextExtentPoint32W(dc.m_hDC, L"O", 1, &o);
    ::SelectObject(dc.m_hDC, old);
    charWidth = o.cx;
    charHeight = o.cy;
}

void CPicDetailWnd::Paint()
{
    if (!GetSafeHwnd() || !memDC.GetBits())
        return;
    HDC dc = memDC.m_hDC;
    RECT all = {0, 0, clientWidth, clientHeight};
    HBRUSH back = ::CreateSolidBrush(backColour);
    ::FillRect(dc, &all, back);
    ::DeleteObject(back);

    if (!details.fileName.empty() || placeholderWidth == 0) {
        if (showText) {
            MeasureChar();
            HGDIOBJ old = ::SelectObject(dc, textFont.m_hObject);
            ::SetBkMode(dc, TRANSPARENT);
            auto pair = [&](int x, int y, const wchar_t* label, const std::wstring& value) {
                std::wstring text = TranslateString(label);
                text += L": ";
                SIZE extent = {};
                ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
                ::SetTextColor(dc, labelColour);
                ::TextOutW(dc, x, y, text.c_str(), int(text.size()));
                ::SetTextColor(dc, valueColour);
                ::TextOutW(dc, x + extent.cx, y, value.c_str(), int(value.size()));
                SIZE valueExtent = {};
                ::GetTextExtentPoint32W(dc, value.c_str(), int(value.size()), &valueExtent);
                return x + extent.cx + valueExtent.cx;
            };
            for (const DetailLine& line : DetailLines(details, charHeight, margin)) {
                const int end = pair(margin, line.top, line.label, line.value);
                if (line.label2)
                    pair(end + margin, line.top, line.label2, line.value2);
            }
            ::SelectObject(dc, old);
        }
    } else {
        placeholder.Draw(dc, (clientWidth - placeholderWidth) / 2, (clientHeight - placeholderHeight) / 2,
                         placeholderWidth, placeholderHeight);
    }
    CClientDC screen(this);
    ::BitBlt(screen.m_hDC, 0, 0, clientWidth, clientHeight, dc, 0, 0, SRCCOPY);
}

void CPicDetailWnd::OnSize(UINT, int cx, int cy)
{
    clientWidth = cx;
    clientHeight = cy;
    if (cx > 0 && cy > 0)
        memDC.AdjustGDIBitmap(cx, cy, 32);
    Paint();
}

void CPicDetailWnd::OnPaint()
{
    CPaintDC dc(this);
    if (memDC.GetBits())
        ::BitBlt(dc.m_hDC, 0, 0, clientWidth, clientHeight, memDC.m_hDC, 0, 0, SRCCOPY);
}

BOOL CPicDetailWnd::OnEraseBkgnd(CDC*)
{
    return FALSE;
}
