#include "PrintDialog.h"
#include <winspool.h>
#include "WinApp.h"

namespace {

class SystemPrinters : public appframe::PrinterService {
public:
    bool HasPrinter() override
    {
        // Asking first keeps the system's own "no printer" box (and its wait) off the screen.
        DWORD needed = 0, count = 0;
        ::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
        return needed > 0;
    }
    BOOL PrintDlg(PRINTDLGW& pd) override { return ::PrintDlgW(&pd); }
};

appframe::PrinterService* currentService = nullptr;

} // namespace

namespace appframe {

PrinterService& Printers()
{
    static SystemPrinters system;
    return currentService ? *currentService : system;
}

PrinterService* SetPrinterService(PrinterService* service)
{
    PrinterService* before = currentService;
    currentService = service;
    return before;
}

} // namespace appframe

// ---------------------------------------------------------------------------------------------
// CPrintDialog

IMPLEMENT_DYNAMIC(CPrintDialog, CDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
}

CPrintDialog::~CPrintDialog()
{
    // The settings belong to the application when they came from it; only a DC made here is ours.
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    if (!appframe::Printers().HasPrinter())
        return -1;
    m_pd.hwndOwner = ModalOwner();
    if (m_pd.hDC) {
        ::DeleteDC(m_pd.hDC);
        m_pd.hDC = nullptr;
    }
    return appframe::Printers().PrintDlg(m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    if (!appframe::Printers().HasPrinter())
        return FALSE;
    const DWORD flags = m_pd.Flags;
    m_pd.Flags = (flags & ~PD_RETURNDC) | PD_RETURNDEFAULT;
    m_pd.hwndOwner = nullptr;
    const BOOL got = appframe::Printers().PrintDlg(m_pd);
    m_pd.Flags = flags;
    return got;
}

LPDEVMODEW CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode ? static_cast<LPDEVMODEW>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

CString CPrintDialog::DevNamesString(WORD DEVNAMES::*offset) const
{
    if (!m_pd.hDevNames)
        return CString();
    const SIZE_T size = ::GlobalSize(m_pd.hDevNames);
    auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    CString text;
    // The offsets count characters from the start of the block; stay inside it.
    const size_t at = names ? static_cast<size_t>(names->*offset) * sizeof(wchar_t) : 0;
    if (names && at >= sizeof(DEVNAMES) && at < size) {
        const wchar_t* start = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(names) + at);
        const size_t room = (size - at) / sizeof(wchar_t);
        size_t length = 0;
        while (length < room && start[length])
            ++length;
        text = CString(start, static_cast<int>(length));
    }
    if (names)
        ::GlobalUnlock(m_pd.hDevNames);
    return text;
}

CString CPrintDialog::GetDeviceName() const { return DevNamesString(&DEVNAMES::wDeviceOffset); }
CString CPrintDialog::GetDriverName() const { return DevNamesString(&DEVNAMES::wDriverOffset); }
CString CPrintDialog::GetPortName() const { return DevNamesString(&DEVNAMES::wOutputOffset); }

HDC CPrintDialog::CreatePrinterDC()
{
    const CString device = GetDeviceName();
    if (device.IsEmpty())
        return nullptr;
    LPDEVMODEW mode = GetDevMode();
    HDC dc = ::CreateDCW(GetDriverName(), device, nullptr, mode);
    if (mode)
        ::GlobalUnlock(m_pd.hDevMode);
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = dc;
    return dc;
}

// ---------------------------------------------------------------------------------------------
// CPrintInfo

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)) {}

CPrintInfo::~CPrintInfo()
{
    delete m_pPD;
}

// ---------------------------------------------------------------------------------------------
// CWinApp's printer

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg)
{
    if (!m_hDevNames) {
        CPrintDialog probe(FALSE);
        if (!probe.GetDefaults())
            return FALSE;
        m_hDevMode = probe.m_pd.hDevMode;
        m_hDevNames = probe.m_pd.hDevNames;
        probe.m_pd.hDevMode = probe.m_pd.hDevNames = nullptr;
    }
    if (pPrintDlg) {
        pPrintDlg->hDevMode = m_hDevMode;
        pPrintDlg->hDevNames = m_hDevNames;
    }
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    if (!pPD)
        return IDCANCEL;
    // The dialog starts from the application's printer and leaves its choice there.
    GetPrinterDeviceDefaults(nullptr);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    const INT_PTR result = pPD->DoModal();
    if (result == -1) {
        AfxMessageBox(AFX_IDP_NO_PRINTER, MB_OK | MB_ICONINFORMATION);
        return IDCANCEL;
    }
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return result;
}

void CWinApp::FreePrinterSettings()
{
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = m_hDevNames = nullptr;
}
