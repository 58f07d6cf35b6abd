#include "PrintDialog.h"
#include <winspool.h>
#include "WinApp.h"
#include "Win32Owners.h"

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

HDC PrinterService::CreateDC(const wchar_t* driver, const wchar_t* device, const DEVMODEW* mode)
{
    return ::CreateDCW(driver, device, nullptr, mode);
}

BOOL PrinterService::DeleteDC(HDC dc)
{
    return dc ? ::DeleteDC(dc) : FALSE;
}

PrinterPage PrinterService::PageOf(HDC dc)
{
    PrinterPage page;
    if (dc) {
        page.width = ::GetDeviceCaps(dc, HORZRES);
        page.height = ::GetDeviceCaps(dc, VERTRES);
        page.dpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
        page.dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
    }
    return page;
}

int PrinterService::StartDoc(HDC dc, const DOCINFOW& info) { return ::StartDocW(dc, &info); }
int PrinterService::StartPage(HDC dc) { return ::StartPage(dc); }
int PrinterService::EndPage(HDC dc) { return ::EndPage(dc); }
int PrinterService::EndDoc(HDC dc) { return ::EndDoc(dc); }
int PrinterService::AbortDoc(HDC dc) { return ::AbortDoc(dc); }

void PrinterService::ReportNoPrinter()
{
    AfxMessageBox(AFX_IDP_NO_PRINTER, MB_OK | MB_ICONINFORMATION);
}

// ---------------------------------------------------------------------------------------------
// MemoryPrinterService

MemoryPrinterService::MemoryPrinterService(int width, int height, int dpi)
{
    m_page.width = width;
    m_page.height = height;
    m_page.dpiX = m_page.dpiY = dpi;
}

MemoryPrinterService::~MemoryPrinterService()
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

void MemoryPrinterService::Log(const std::wstring& call)
{
    if (!calls.empty())
        calls += L' ';
    calls += call;
}

BOOL MemoryPrinterService::PrintDlg(PRINTDLGW& pd)
{
    if (!installed)
        return FALSE;
    static const wchar_t kName[] = L"Memory printer";
    if (!pd.hDevMode) {
        pd.hDevMode = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEW));
        if (auto* mode = static_cast<DEVMODEW*>(::GlobalLock(pd.hDevMode))) {
            wcsncpy(mode->dmDeviceName, kName, CCHDEVICENAME - 1);
            mode->dmSize = sizeof(DEVMODEW);
            mode->dmFields = DM_ORIENTATION | DM_PRINTQUALITY;
            // A quality code, not dots per inch: the resolution is read from the device context.
            mode->dmPrintQuality = DMRES_HIGH;
            ::GlobalUnlock(pd.hDevMode);
        }
    }
    if (auto* mode = static_cast<DEVMODEW*>(::GlobalLock(pd.hDevMode))) {
        mode->dmOrientation = orientation;
        ::GlobalUnlock(pd.hDevMode);
    }
    if (!pd.hDevNames) {
        const size_t chars = 3 * (wcslen(kName) + 1);
        pd.hDevNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + chars * sizeof(wchar_t));
        if (auto* names = static_cast<DEVNAMES*>(::GlobalLock(pd.hDevNames))) {
            wchar_t* text = reinterpret_cast<wchar_t*>(names + 1);
            const WORD first = sizeof(DEVNAMES) / sizeof(wchar_t), step = WORD(wcslen(kName) + 1);
            names->wDriverOffset = first;
            names->wDeviceOffset = first + step;
            names->wOutputOffset = first + 2 * step;
            for (int i = 0; i < 3; ++i)
                wcscpy(text + i * step, kName);
            ::GlobalUnlock(pd.hDevNames);
        }
    }
    if ((pd.Flags & PD_RETURNDC) && !(pd.Flags & PD_RETURNDEFAULT))
        pd.hDC = CreateDC(nullptr, kName, nullptr);
    return TRUE;
}

HDC MemoryPrinterService::CreateDC(const wchar_t*, const wchar_t*, const DEVMODEW*)
{
    if (!installed)
        return nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (dc)
        ++liveDCs;
    return dc;
}

BOOL MemoryPrinterService::DeleteDC(HDC dc)
{
    if (!dc)
        return FALSE;
    Log(L"DeleteDC");
    --liveDCs;
    return ::DeleteDC(dc);
}

PrinterPage MemoryPrinterService::PageOf(HDC dc)
{
    return dc ? m_page : PrinterPage();
}

int MemoryPrinterService::StartDoc(HDC dc, const DOCINFOW& info)
{
    Log(std::wstring(L"StartDoc(") + (info.lpszDocName ? info.lpszDocName : L"") + L")");
    // The page is made for the job only: a context that only tells the page needs none.
    BITMAPINFO bmi = win32::TopDownBitmapInfo(m_page.width, m_page.height, 24);
    void* bits = nullptr;
    HBITMAP bitmap = dc ? ::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!bitmap)
        return SP_ERROR;
    memset(bits, 0xFF, size_t(PageStride()) * size_t(m_page.height));
    ::SelectObject(dc, bitmap);
    // The page before belongs to an earlier job, whose context is gone.
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    m_bits = static_cast<BYTE*>(bits);
    return 1;
}

int MemoryPrinterService::StartPage(HDC)
{
    Log(L"StartPage");
    return 1;
}

int MemoryPrinterService::EndPage(HDC)
{
    Log(L"EndPage");
    return endPageResult;
}

int MemoryPrinterService::EndDoc(HDC)
{
    Log(L"EndDoc");
    return 1;
}

int MemoryPrinterService::AbortDoc(HDC)
{
    Log(L"AbortDoc");
    return 1;
}

PrinterService* SetPrinterService(PrinterService* service)
{
    PrinterService* before = currentService;
    currentService = service;
    return before;
}

void RunPrintJob(CPrintInfo* dialog, const wchar_t* docName, const PrintJobSteps& steps)
{
    HDC printer = dialog && dialog->m_pPD ? dialog->m_pPD->GetPrinterDC() : nullptr;
    if (!printer)
        return;
    PrinterService& service = Printers();
    CDC dc;
    dc.Attach(printer);
    dc.m_bPrinting = TRUE;
    DOCINFOW document = {};
    document.cbSize = sizeof document;
    document.lpszDocName = docName;
    bool ok = service.StartDoc(printer, document) > 0;
    CPrintInfo info;
    const PrinterPage page = service.PageOf(printer);
    info.m_rectDraw.SetRect(0, 0, page.width, page.height);
    if (ok && steps.begin)
        steps.begin(&dc, &info);
    for (UINT n = info.GetMinPage(); ok && n <= info.GetMaxPage(); ++n) {
        ok = service.StartPage(printer) > 0;
        if (!ok)
            break;
        info.m_nCurPage = n;
        if (steps.print)
            steps.print(&dc, &info);
        ok = service.EndPage(printer) > 0;
    }
    if (steps.end)
        steps.end(&dc, &info);
    if (ok)
        service.EndDoc(printer);
    else
        service.AbortDoc(printer);
    dc.Detach();
    service.DeleteDC(printer);
    dialog->m_pPD->m_pd.hDC = nullptr;
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
        appframe::Printers().DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    if (!appframe::Printers().HasPrinter())
        return -1;
    m_pd.hwndOwner = ModalOwner();
    if (m_pd.hDC) {
        appframe::Printers().DeleteDC(m_pd.hDC);
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
    HDC dc = appframe::Printers().CreateDC(GetDriverName(), device, mode);
    if (mode)
        ::GlobalUnlock(m_pd.hDevMode);
    if (m_pd.hDC)
        appframe::Printers().DeleteDC(m_pd.hDC);
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
        appframe::Printers().ReportNoPrinter();
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
