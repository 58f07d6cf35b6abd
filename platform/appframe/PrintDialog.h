#pragma once
// Printing: CPrintDialog (the system's print and print set-up dialogs), CPrintInfo (the state of
// one print job) and the printer service behind them. Machines without a printer (and Wine
// here) get a clean "no printer" path: CWinApp::DoPrintDialog tells the user once and answers
// IDCANCEL, GetPrinterDeviceDefaults answers FALSE. Tests put a fake service in place.
#include "Dialog.h"
#include <commdlg.h>
#include <functional>
#include <string>

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
// A printer's printable page in its pixels and its resolution in dots per inch; all 0 when
// unknown.
struct PrinterPage {
    int width = 0, height = 0;
    int dpiX = 0, dpiY = 0;
};

// What the framework needs of the system's printing; the default is the system's own.
class APPFRAME_API PrinterService {
public:
    virtual ~PrinterService() = default;
    // Whether any printer is installed.
    virtual bool HasPrinter() = 0;
    // Shows the print (or set-up) dialog, or with PD_RETURNDEFAULT fills in the default
    // printer: TRUE for OK.
    virtual BOOL PrintDlg(PRINTDLGW& pd) = 0;
    // A device context for the printer named (the mode may be null); null when none.
    virtual HDC CreateDC(const wchar_t* driver, const wchar_t* device, const DEVMODEW* mode);
    virtual BOOL DeleteDC(HDC dc);
    // The printer's page: HORZRES, VERTRES, LOGPIXELSX and LOGPIXELSY of its device context.
    virtual PrinterPage PageOf(HDC dc);
    // The job, as the system's calls of the same names.
    virtual int StartDoc(HDC dc, const DOCINFOW& info);
    virtual int StartPage(HDC dc);
    virtual int EndPage(HDC dc);
    virtual int EndDoc(HDC dc);
    virtual int AbortDoc(HDC dc);
    // Tells the user once that no printer is installed.
    virtual void ReportNoPrinter();
};
APPFRAME_API PrinterService& Printers();

// A printer that prints into memory: it states a page, answers its dialogs with OK at once,
// hands out memory device contexts, gives the context of a job a DIB of the whole page at
// StartDoc (white, 24 bits a pixel, rows top-down) and keeps the job's calls, so that a job
// can be checked and its page saved.
class APPFRAME_API MemoryPrinterService : public PrinterService {
public:
    // A4 at 600 dots per inch.
    MemoryPrinterService() : MemoryPrinterService(4960, 7016, 600) {}
    MemoryPrinterService(int width, int height, int dpi);
    ~MemoryPrinterService() override;
    MemoryPrinterService(const MemoryPrinterService&) = delete;
    MemoryPrinterService& operator=(const MemoryPrinterService&) = delete;

    bool HasPrinter() override { return installed; }
    BOOL PrintDlg(PRINTDLGW& pd) override;
    HDC CreateDC(const wchar_t* driver, const wchar_t* device, const DEVMODEW* mode) override;
    BOOL DeleteDC(HDC dc) override;
    PrinterPage PageOf(HDC dc) override;
    int StartDoc(HDC dc, const DOCINFOW& info) override;
    int StartPage(HDC dc) override;
    int EndPage(HDC dc) override;
    int EndDoc(HDC dc) override;
    int AbortDoc(HDC dc) override;
    void ReportNoPrinter() override { ++noPrinterReports; }

    // The page of the last job (null before the first): its pixels stay after the context is
    // deleted, until the next job starts.
    const BYTE* PageBits() const { return m_bits; }
    int PageStride() const { return (m_page.width * 3 + 3) & ~3; }
    const PrinterPage& Page() const { return m_page; }

    bool installed = true;
    short orientation = DMORIENT_PORTRAIT;
    int endPageResult = 1;            // what EndPage answers
    std::wstring calls;               // "StartDoc(name) StartPage EndPage EndDoc AbortDoc DeleteDC", blank-separated
    int noPrinterReports = 0;
    int liveDCs = 0;                  // handed out and not yet deleted

private:
    void Log(const std::wstring& call);
    PrinterPage m_page;
    HBITMAP m_bitmap = nullptr;
    BYTE* m_bits = nullptr;
};
// Puts another service in place (null: the system's again); returns the one before.
APPFRAME_API PrinterService* SetPrinterService(PrinterService* service);

// What a print job does on its device context: `begin` chooses the pages, `print` draws the
// page in m_nCurPage, `end` tidies up (it also runs when the job failed).
struct PrintJobSteps {
    std::function<void(CDC*, CPrintInfo*)> begin, print, end;
};
// Runs one job on the printer context of `dialog`'s print dialog, through the printer service:
// the document named `docName`, one page at a time. A step the printer refuses aborts the job
// (no pages are drawn after it, and `begin` is skipped when the document could not start).
// The printer's context is deleted afterwards and not kept from one job to the next.
APPFRAME_API void RunPrintJob(CPrintInfo* dialog, const wchar_t* docName, const PrintJobSteps& steps);
} // namespace appframe
