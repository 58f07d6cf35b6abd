#pragma once
// CSlideToolBar: a window that keeps an ordered list of buttons with their images. How the
// buttons are drawn and answer the mouse is up to the window that derives from it.
#include <cstdint>
#include "SkinUI.h"
#include "TList.h"
#include "TString.h"
#include "ZVUILibDef.h"

struct STSliderButton {
    int32_t layout[4] = {0, 0, 0, 0};   // for the owner's layout and drawing
    uint32_t nID = 0;                    // the command
    int32_t nData = 0;                   // the owner's value
    ALT::TString<wchar_t, 0, 8> strText;
    ALT::TString<wchar_t, 0, 8> strToolTip;
};

class ZVUILIB_API CSlideToolBar : public CWnd {
    DECLARE_DYNAMIC(CSlideToolBar)
public:
    CSlideToolBar();
    ~CSlideToolBar() override;

    // A new button at nPos (0 to the count); null for a position outside. Null texts are empty.
    STSliderButton* InsertButton(unsigned int nID, const wchar_t* text, const wchar_t* tooltip, int nPos);

    ALT::TList<STSliderButton> m_lstButtons;   // in display order
    CBCGPToolBarImages m_images;

protected:
    DECLARE_MESSAGE_MAP()
};
