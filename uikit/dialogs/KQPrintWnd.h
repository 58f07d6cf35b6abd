#pragma once
// CKQPrintWnd: prints one picture. The library's print dialog chooses the photo size, the
// number of photos on the page, their gap and position; the system's print dialog the printer;
// then one page prints with the layout that the dialog's preview showed.
#include "AppFrame.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQPrintWnd : public CWnd {
    DECLARE_DYNAMIC(CKQPrintWnd)
public:
    CKQPrintWnd();
    ~CKQPrintWnd() override;

    // A path that does not load as a picture prints nothing and says nothing.
    void Print(const wchar_t* path);
    void Print(CZVImage image);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The job on the printer of the info's dialog; its device context is deleted afterwards.
    void Print(CPrintInfo* pInfo);

    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual bool OnPreparePrinting(CPrintInfo* pInfo, bool bDirect, bool bAsk);

    // Called with the print dialog after it was made and before it runs (tests and the
    // gallery drive it from here); null: none.
    void (*m_pfnDialogReady)(CDialog* dialog, void* context) = nullptr;
    void* m_pDialogContext = nullptr;

    CPrintInfo m_printInfo;
    CZVImage m_image;
    double m_dResolution = 72.0;
    int m_bCenter = 0;
    double m_dLeft = 0, m_dTop = 0;   // printer pixels
    int m_nCount = 1;
    double m_dPhotoWidth = 0, m_dPhotoHeight = 0;   // picture pixels
    double m_dGap = 0;                // printer pixels

protected:
    DECLARE_MESSAGE_MAP()
};
