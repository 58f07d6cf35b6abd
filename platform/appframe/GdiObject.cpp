#include "GdiObject.h"
#include "DC.h"
#include "ModuleState.h"
#include "ThreadState.h"
#include "Win32Owners.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    if (!hObject)
        return nullptr;
    return appframe::TemporaryObject(appframe::CurrentThread().gdiObjects, hObject, [hObject]() -> CGdiObject* {
        CGdiObject* object;
        switch (::GetObjectType(hObject)) {
        case OBJ_PEN:
        case OBJ_EXTPEN: object = new CPen; break;
        case OBJ_BRUSH: object = new CBrush; break;
        case OBJ_FONT: object = new CFont; break;
        case OBJ_BITMAP: object = new CBitmap; break;
        case OBJ_REGION: object = new CRgn; break;
        case OBJ_PAL: object = new CPalette; break;
        default: object = new CGdiObject; break;
        }
        object->m_hObject = hObject;
        return object;
    });
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject)
        return FALSE;
    if (m_hObject != hObject)
        DeleteObject();
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap && Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic, BYTE bUnderline,
                       BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCTSTR lpszFacename)
{
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut, nCharSet,
                                nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC)
{
    LOGFONTW logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    if (lpszFaceName)
        lstrcpynW(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

// Tenths of a point become device pixels through the DC's mapping, so that the same call
// gives the same physical size on the screen and on a printer.
BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC)
{
    const win32::ScreenDc screen(pDC ? nullptr : ::GetDC(nullptr));
    HDC dc = pDC ? pDC->m_hAttribDC : screen.Get();
    POINT pt = { 0, ::MulDiv(::GetDeviceCaps(dc, LOGPIXELSY), lpLogFont->lfHeight, 720) };
    ::DPtoLP(dc, &pt, 1);
    POINT origin = { 0, 0 };
    ::DPtoLP(dc, &origin, 1);
    LOGFONTW logFont = *lpLogFont;
    logFont.lfHeight = -abs(pt.y - origin.y);
    return CreateFontIndirect(&logFont);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE module = appframe::FindResourceModule(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmapW(module, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
    return pDC && Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE size = {};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &size);
    return size;
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    return pDC && Attach(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    return GetObject(sizeof count, &count) ? count : 0;
}
