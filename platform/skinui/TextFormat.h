#pragma once
// CBCGPTextFormat: a font and how text sits in its box, for the graphics manager. Made from a
// family and size or from a LOGFONT, whose height it keeps as it is (negative: the character
// height in pixels), so that callers can convert it to points themselves.
#include "AppFrame.h"
#include "SkinUIDef.h"

class SKINUI_API CBCGPTextFormat {
public:
    enum BCGP_TEXT_ALIGNMENT { BCGP_TEXT_ALIGNMENT_LEADING, BCGP_TEXT_ALIGNMENT_TRAILING, BCGP_TEXT_ALIGNMENT_CENTER };
    CBCGPTextFormat() = default;
    CBCGPTextFormat(const CString& strFontFamily, float fFontSize, long lFontWeight = FW_REGULAR, BOOL bItalic = FALSE);
    explicit CBCGPTextFormat(const LOGFONTW& lf);

    const CString& GetFontFamily() const { return m_strFontFamily; }
    float GetFontSize() const { return m_fFontSize; }
    long GetFontWeight() const { return m_lFontWeight; }
    BOOL IsItalic() const { return m_bItalic; }
    BOOL IsUnderline() const { return m_bUnderline; }
    BOOL IsEmpty() const { return m_strFontFamily.IsEmpty(); }

    void SetTextAlignment(BCGP_TEXT_ALIGNMENT align) { m_textAlign = align; }
    BCGP_TEXT_ALIGNMENT GetTextAlignment() const { return m_textAlign; }
    void SetTextVerticalAlignment(BCGP_TEXT_ALIGNMENT align) { m_textAlignVert = align; }
    BCGP_TEXT_ALIGNMENT GetTextVerticalAlignment() const { return m_textAlignVert; }
    void SetWordWrap(BOOL bWordWrap = TRUE) { m_bWordWrap = bWordWrap; }
    BOOL IsWordWrap() const { return m_bWordWrap; }
    void SetClipText(BOOL bClip = TRUE) { m_bClipText = bClip; }
    BOOL IsClipText() const { return m_bClipText; }

    // The font as a LOGFONT (the size as the height) and the DrawText flags of the layout.
    void ExportToLogFont(LOGFONTW& lf) const;
    UINT GetDrawTextFlags() const;

private:
    CString m_strFontFamily;
    float m_fFontSize = 0;
    long m_lFontWeight = FW_REGULAR;
    BOOL m_bItalic = FALSE, m_bUnderline = FALSE;
    BCGP_TEXT_ALIGNMENT m_textAlign = BCGP_TEXT_ALIGNMENT_LEADING;
    BCGP_TEXT_ALIGNMENT m_textAlignVert = BCGP_TEXT_ALIGNMENT_LEADING;
    BOOL m_bWordWrap = FALSE, m_bClipText = FALSE;
};
