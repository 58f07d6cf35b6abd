#include "ToolOptionWindows.h"
#include <cwchar>
#include "DlgControls.h"
#include "GenericPicker.h"
#include "ModuleState.h"
#include "ToolHost.h"
#include "ZVImage.h"
#include "ZVUILibApp.h"

CPicEditView* ToolOptionView()
{
    CToolHost host;
    if (!FindToolHost(host) || !host.HasView())
        return nullptr;
    return host.view;
}

void LayOutOptionDialog(CDialog& dialog, ToolOptionDialog kind, const ToolOptionText* texts, int count)
{
    for (int i = 0; i < count; ++i)
        dialog.SetDlgItemText(texts[i].id, TranslateString(texts[i].text));
    KQSetCtrlWidth(&dialog);
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    int chains = 0;
    const LayoutChain* chain = LayoutChains(kind, chains);
    for (int c = 0; c < chains; ++c) {
        std::vector<HWND> controls;
        std::vector<CRect> rects;
        for (const int* id = chain[c].ids; *id; ++id) {
            HWND control = ::GetDlgItem(dialog.m_hWnd, *id);
            if (!control)
                continue;
            CRect rect;
            ::GetWindowRect(control, &rect);
            dialog.ScreenToClient(&rect);
            controls.push_back(control);
            rects.push_back(rect);
        }
        ctrllayout::LineUp(rects, ScaledGap(chain[c].gap, dpi), true);
        for (size_t i = 1; i < controls.size(); ++i)
            ::SetWindowPos(controls[i], nullptr, rects[i].left, rects[i].top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool LoadPngStrip(CImageList& list, UINT id)
{
    HINSTANCE module = appframe::FindResourceModule(MAKEINTRESOURCEW(id), L"PNG");
    HRSRC resource = module ? ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG") : nullptr;
    CZVImage strip;
    if (!resource || !strip.LoadResource(resource, CXIMAGE_FORMAT_PNG, module))
        return false;
    HBITMAP bitmap = strip.MakeBitmap();
    return bitmap && picker::LoadStrip(list, bitmap);
}

int EditNumber(CWnd& dialog, int id, int low, int high, int fallback)
{
    CString text;
    dialog.GetDlgItemText(id, text);
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.GetString(), &end, 10);
    if (text.IsEmpty() || end == text.GetString())
        return fallback;
    return value < low ? low : value > high ? high : static_cast<int>(value);
}

void SetEditNumber(CWnd& dialog, int id, int value, bool& quiet)
{
    const bool was = quiet;
    quiet = true;
    dialog.SetDlgItemInt(id, static_cast<UINT>(value), TRUE);
    quiet = was;
}
