#include "TextFormat.h"
#include <cmath>

CBCGPTextFormat::CBCGPTextFormat(const CString& strFontFamily, float fFontSize, long lFontWeight, BOOL bItalic)
    : m_strFontFamily(strFontFamily), m_fFontSize(fFontSize), m_lFontWeight(lFontWeight), m_bItalic(bItalic)
{
}

CBCGPTextFormat::CBCGPTextFormat(const LOGFONTW& lf)
    : m_strFontFamily(lf.lfFaceName), m_fFontSize(static_cast<float>(lf.lfHeight)),
      m_lFontWeight(lf.lfWeight ? lf.lfWeight : FW_REGULAR), m_bItalic(lf.lfItalic != 0), m_bUnderline(lf.lfUnderline != 0)
{
}

void CBCGPTextFormat::ExportToLogFont(LOGFONTW& lf) const
{
    lf = LOGFONTW{};
    lf.lfHeight = static_cast<LONG>(std::lround(m_fFontSize));
    lf.lfWeight = m_lFontWeight;
    lf.lfItalic = static_cast<BYTE>(m_bItalic);
    lf.lfUnderline = static_cast<BYTE>(m_bUnderline);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, m_strFontFamily, LF_FACESIZE);
}

UINT CBCGPTextFormat::GetDrawTextFlags() const
{
    UINT flags = DT_NOPREFIX;
    flags |= m_textAlign == BCGP_TEXT_ALIGNMENT_CENTER ? DT_CENTER : m_textAlign == BCGP_TEXT_ALIGNMENT_TRAILING ? DT_RIGHT : DT_LEFT;
    if (m_bWordWrap) {
        flags |= DT_WORDBREAK;
    } else {
        // Vertical placement works for single lines only.
        flags |= DT_SINGLELINE;
        flags |= m_textAlignVert == BCGP_TEXT_ALIGNMENT_CENTER ? DT_VCENTER
                 : m_textAlignVert == BCGP_TEXT_ALIGNMENT_TRAILING ? DT_BOTTOM
                                                                   : DT_TOP;
    }
    if (!m_bClipText)
        flags |= DT_NOCLIP;
    return flags;
}
