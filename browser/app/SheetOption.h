#pragma once
// CSheetOption: the browser's options, pages in an outlook bar with a drawn header: the viewer's
// "Browse" page and the "System" page.
#include "PagePicViewOption.h"
#include "PageSystem.h"

class CSheetOption : public CBCGPPropertySheet {
public:
    CSheetOption(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    CPagePicViewOption m_pagePicView;
    CPageSystem m_pageSystem;
    CBCGPToolBarImages m_pageImages;
    CImageList m_pageIcons; // the bar's pictures, one per page shown

protected:
    void OnDrawPageHeader(CDC* pDC, int nPage, CRect rectHeader) override;
    CString m_titles[2];
};
