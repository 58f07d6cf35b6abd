#pragma once
// CDlgHistogram: a picture's histogram with a check box for each curve; behind ShowDlgHistogram.
#include "KQDialog.h"
#include "KQHistogramWnd.h"

class ZVUILIB_API CDlgHistogram : public CKQDialog {
public:
    explicit CDlgHistogram(CWnd* pParent = nullptr);
    ~CDlgHistogram() override;

    BOOL OnInitDialog() override;

    CKQHistogramWnd m_wndHistogram;
    CZVImage m_image;          // filled by the caller before the dialog opens

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// Runs the histogram dialog on a copy of a valid picture; 1 in every case.
ZVUILIB_API int ShowDlgHistogram(CZVImage* image);
