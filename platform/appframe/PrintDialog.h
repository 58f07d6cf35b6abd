#pragma once
// Printing: CPrintDialog (the system's print and print set-up dialogs), CPrintInfo (the state of
// one print job) and the printer service behind them. Machines without a printer (and Wine
// here) get a clean "no printer" path: CWinApp::DoPrintDialog tells the user once and answers
// IDCANCEL, GetPrinterDeviceDefaults answers FALSE. Tests put a fake service in place.
#include "Dialog.h"
#include <commdlg.h>

class APPFRAME_API CPrintDialog : public CDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;

    PRINTDLGW m_pd = {};

    // IDOK, IDCANCEL, or -1 without a printer (nothing shown).
    INT_PTR DoModal() override;
    // The default printer's settings into m_pd, without showing anything.
    BOOL GetDefaults();
    // Locked: the caller unlocks m_pd.hDevMode (GlobalUnlock) when done.
    LPDEVMODEW GetDevMode() const;
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // The DC made by the dialog (PD_RETURNDC), or one made from the chosen printer; the caller
    // deletes it.
    HDC GetPrinterDC() const { return m_pd.hDC; }
    HDC CreatePrinterDC();
    int GetCopies() const { return m_pd.nCopies; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }

private:
    CString DevNamesString(WORD DEVNAMES::*offset) const;
};

class APPFRAME_API CPrintInfo {
public:
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    UINT GetFromPage() const { return m_pPD->m_pd.nFromPage; }
    UINT GetToPage() const { return m_pPD->m_pd.nToPage; }

    CPrintDialog* m_pPD;           // owned
    BOOL m_bDocObject = FALSE;
    BOOL m_bPreview = FALSE;
    BOOL m_bDirect = FALSE;        // print without asking
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CString m_strPageDesc;
    LPVOID m_lpUserData = nullptr;
    CRect m_rectDraw;
};

namespace appframe {
// What the framework needs of the system's printing; the default is the system's own.
class APPFRAME_API PrinterService {
public:
    virtual ~PrinterService() = default;
    // Whether any printer is installed.
    virtual bool HasPrinter() = 0;
    // Shows the print (or set-up) dialog, or with PD_RETURNDEFAULT fills in the default
    // printer: TRUE for OK.
    virtual BOOL PrintDlg(PRINTDLGW& pd) = 0;
};
APPFRAME_API PrinterService& Printers();
// Puts another service in place (null: the system's again); returns the one before.
APPFRAME_API PrinterService* SetPrinterService(PrinterService* service);
} // namespace appframe
