// The library's small dialogs and printing, one a run, for screenshots:
//   /resize W H          the resize dialog on a W x H picture at 72 pixels/inch
//   /histogram FILE      the histogram of a picture
//   /input               the text input dialog with its check box
//   /loading             the progress dialog, driven by a worker to 150 of 100..200
//   /msgbox              a message box with Yes and No
//   /print FILE [/size N] [/count N] [/center] [/printto PAGE.png]
//                        the print dialog on a printer that prints into memory (A4 at 600 dpi),
//                        with size entry N and N photos; /printto closes it with OK, prints and
//                        saves the printed page.
#include "DialogDemos.h"
#include <cwchar>
#include <thread>
#include "DialogIds.h"
#include "DlgEditorResize.h"
#include "DlgHistogram.h"
#include "DlgInput.h"
#include "DlgLoading.h"
#include "DlgMsg.h"
#include "KQNumEdit.h"
#include "KQPrintWnd.h"
#include "ZVUILibApp.h"

namespace {

struct PrintChoice {
    int size = -1;
    int count = 0;
    bool center = false;
    bool ok = false;
};

void DriveDialog(CDialog* dialog, void* context)
{
    const PrintChoice& choice = *static_cast<PrintChoice*>(context);
    // As the user would: the print dialog is the library's own.
    CDialog* print = dialog;
    if (choice.size >= 0) {
        print->SendDlgItemMessage(IDC_KQ_PHOTO_SIZE, CB_SETCURSEL, WPARAM(choice.size));
        print->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KQ_PHOTO_SIZE, CBN_SELCHANGE), LPARAM(print->GetDlgItem(IDC_KQ_PHOTO_SIZE)->m_hWnd));
    }
    if (choice.center) {
        print->CheckDlgButton(IDC_KQ_CENTER, BST_CHECKED);
        print->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KQ_CENTER, BN_CLICKED), LPARAM(print->GetDlgItem(IDC_KQ_CENTER)->m_hWnd));
    }
    if (choice.count > 0) {
        print->SetDlgItemInt(IDC_KQ_COUNT, UINT(choice.count));
        print->SendMessage(WM_KQ_VALUE_SETTLED);
    }
    if (choice.ok)
        print->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
}

bool SavePage(const appframe::MemoryPrinterService& printer, const wchar_t* path)
{
    const appframe::PrinterPage& page = printer.Page();
    const BYTE* bits = printer.PageBits();
    CZVImage image;
    if (!bits || !image.Create(DWORD(page.width), DWORD(page.height), 24))
        return false;
    // The printer's rows run top-down, the picture's bottom-up.
    for (int y = 0; y < page.height; ++y)
        memcpy(image.GetBits(DWORD(page.height - 1 - y)), bits + size_t(y) * size_t(printer.PageStride()), size_t(page.width) * 3);
    return image.SaveFile(path);
}

int RunPrint(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 1;
    PrintChoice choice;
    const wchar_t* pageFile = nullptr;
    for (int i = 3; i < argc; ++i) {
        if (_wcsicmp(argv[i], L"/size") == 0 && i + 1 < argc)
            choice.size = _wtoi(argv[++i]);
        else if (_wcsicmp(argv[i], L"/count") == 0 && i + 1 < argc)
            choice.count = _wtoi(argv[++i]);
        else if (_wcsicmp(argv[i], L"/center") == 0)
            choice.center = true;
        else if (_wcsicmp(argv[i], L"/printto") == 0 && i + 1 < argc)
            pageFile = argv[++i];
    }
    choice.ok = pageFile != nullptr;
    appframe::MemoryPrinterService printer;
    appframe::PrinterService* before = appframe::SetPrinterService(&printer);
    int result = 0;
    {
        CKQPrintWnd print;
        print.m_pfnDialogReady = DriveDialog;
        print.m_pDialogContext = &choice;
        print.Print(argv[2]);
        if (pageFile)
            result = SavePage(printer, pageFile) ? 0 : 1;
    }
    appframe::SetPrinterService(before);
    return result;
}

int RunLoading()
{
    CDlgLoading dialog;
    std::thread worker([&dialog] {
        if (!dialog.WaitDlgLoadingEnvet())
            return;
        dialog.SetRange(100, 200);
        dialog.SetPos(150);
        dialog.SetPerText(L"%d%%");
        dialog.TextOutW(TranslateString(L"Loading pictures..."));
    });
    dialog.ShowDialog(nullptr, 0, false);
    worker.join();
    return 0;
}

} // namespace

bool RunDialogDemo(int argc, wchar_t** argv, int& exitCode)
{
    if (argc < 2)
        return false;
    const wchar_t* what = argv[1];
    exitCode = 0;
    if (_wcsicmp(what, L"/resize") == 0) {
        int width = argc > 2 ? _wtoi(argv[2]) : 3000, height = argc > 3 ? _wtoi(argv[3]) : 2000, resolution = 72;
        exitCode = ShowDlgResize(&width, &height, &resolution, 0) ? 0 : 1;
    } else if (_wcsicmp(what, L"/histogram") == 0) {
        CZVImage image;
        if (argc > 2)
            image.LoadFile(argv[2]);
        ShowDlgHistogram(&image);
    } else if (_wcsicmp(what, L"/input") == 0) {
        wchar_t text[MAX_PATH] = L"Lakeside";
        bool all = true;
        exitCode = GetInputText(text, TranslateString(L"New name of the picture:"), nullptr, &all) ? 0 : 1;
    } else if (_wcsicmp(what, L"/loading") == 0) {
        exitCode = RunLoading();
    } else if (_wcsicmp(what, L"/msgbox") == 0) {
        bool all = false;
        exitCode = MyMessageBox(L"Delete the selected pictures?", MB_YESNO, 0, nullptr, &all) == IDYES ? 0 : 1;
    } else if (_wcsicmp(what, L"/print") == 0) {
        exitCode = RunPrint(argc, argv);
    } else {
        return false;
    }
    return true;
}
