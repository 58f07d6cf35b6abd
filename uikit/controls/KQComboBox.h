#pragma once
// CKQComboBox: an owner-drawn combo box that shows image i of its strip in front of item i's text.
#include "SkinUI.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQComboBox : public CBCGPComboBox {
    DECLARE_DYNAMIC(CKQComboBox)
public:
    CKQComboBox();
    ~CKQComboBox() override;

    // Empties the list and adds a strip of 24 x 24 images (white transparent) from a bitmap
    // resource of the calling module, or of the library's own.
    BOOL LoadImageW(UINT nBitmapID);
    CImageList& GetImageList() { return m_imageList; }

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    CImageList m_imageList;
};
