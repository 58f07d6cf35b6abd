// The editor's tool palette in a frame of its own: docked at the left in two columns with the
// pointer pressed, the four drop-down buttons in place and the colour button; or floating.
//   scripts/run demo/ToolPaletteDemo [-float] [-columns N] [-dump]
// -dump prints the palette's and its shadow's window rectangles (floating) to standard output.
#include <cstdio>
#include <cwchar>
#include "PaletteMiniFrame.h"
#include "ShopToolbarColorPicker.h"
#include "ToolPaletteIds.h"
#include "ZVDockToolbar.h"

namespace {

struct DropDownPlace {
    UINT bar, images, command;
    const wchar_t* caption;
};
const DropDownPlace kDropDowns[] = {
    { IDR_DROPDOWN_SELECT, IDB_DROPDOWN_SELECT, ID_TOOL_SELECT_RECT, L"Select Tool" },
    { IDR_DROPDOWN_MOSAIC, IDB_DROPDOWN_MOSAIC, ID_TOOL_MOSAIC, L"Mosaic Tool" },
    { IDR_DROPDOWN_BLUR, IDB_DROPDOWN_BLUR, ID_TOOL_BLUR, L"Blur Tool" },
    { IDR_DROPDOWN_LIGHT, IDB_DROPDOWN_LIGHT, ID_TOOL_LIGHTEN, L"Light Tool" },
};

class CDemoFrame : public CBCGPFrameWnd {
public:
    BOOL Build(bool floating, int columns);
    void Dump();
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        // A tool command presses its button, as the editor's tool selection does; the colour
        // button's command does nothing (the button works by itself).
        if (nCode == CN_COMMAND && nID >= ID_TOOL_POINT && nID <= ID_TOOL_STRAW) {
            if (!pHandlerInfo && nID != ID_TOOL_COLOR)
                m_palette.SetCheckedCommand(nID);
            return TRUE;
        }
        return CBCGPFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

private:
    CWnd m_view;
    CZVDockToolbar m_palette;
    CBCGPDropDownToolBar m_dropDowns[4];
};

BOOL CDemoFrame::Build(bool floating, int columns)
{
    if (!Create(nullptr, L"Tool palette", WS_OVERLAPPEDWINDOW, CRect(40, 40, 760, 600)))
        return FALSE;
    if (!m_view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_palette.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_BORDER_3D | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                            CRect(0, 0, 0, 0), 120) ||
        !m_palette.LoadToolBar(IDR_TOOL_PALETTE, IDB_TOOL_PALETTE_COLD, 0, TRUE, 0, 0, IDB_TOOL_PALETTE_HOT))
        return FALSE;
    for (size_t i = 0; i < 4; ++i) {
        const DropDownPlace& place = kDropDowns[i];
        if (!m_dropDowns[i].Create(this, WS_CHILD | CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_3D | CBRS_FLYBY | CBRS_TOOLTIPS |
                                               CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC,
                                   place.bar) ||
            !m_dropDowns[i].LoadToolBar(place.bar, place.images, 0, 0, 0, 0, place.images))
            return FALSE;
        m_palette.ReplaceButton(place.command, CBCGPDropDownToolbarButton(place.caption, &m_dropDowns[i]));
    }
    {
        CShopToolbarColorPicker colors(ID_TOOL_COLOR);
        colors.LoadImages();
        m_palette.ReplaceButton(ID_TOOL_COLOR, colors);
    }
    m_palette.SetColumns(columns);
    m_palette.SetCheckedCommand(ID_TOOL_POINT);
    m_palette.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_palette);
    ShowWindow(SW_SHOW);
    RecalcLayout();
    if (floating) {
        CRect window;
        GetWindowRect(&window);
        const CSize size = m_palette.CalcFloatingSize();
        m_palette.FloatControlBar(CRect(CPoint(window.left + 260, window.top + 120), size));
    }
    UpdateWindow();
    return TRUE;
}

void CDemoFrame::Dump()
{
    CRect palette, shadow;
    auto* mini = DYNAMIC_DOWNCAST(CPaletteMiniFrame, m_palette.GetParentMiniFrame());
    if (!mini) {
        m_palette.GetWindowRect(&palette);
        std::printf("palette %ld %ld %ld %ld (docked)\n", palette.left, palette.top, palette.right, palette.bottom);
        return;
    }
    mini->GetWindowRect(&palette);
    mini->GetShadow().GetWindowRect(&shadow);
    std::printf("palette %ld %ld %ld %ld\n", palette.left, palette.top, palette.right, palette.bottom);
    std::printf("shadow %ld %ld %ld %ld (%s)\n", shadow.left, shadow.top, shadow.right, shadow.bottom,
                mini->GetShadow().IsWindowVisible() ? "shown" : "hidden");
    std::fflush(stdout);
}

class CDemoApp : public CWinApp {
public:
    CDemoApp() : CWinApp(L"ToolPaletteDemo") {}
    BOOL InitInstance() override
    {
        bool floating = false, dump = false;
        int columns = 2;
        for (int i = 1; i < __argc; ++i) {
            const wchar_t* arg = __wargv[i];
            if (_wcsicmp(arg, L"-float") == 0)
                floating = true;
            else if (_wcsicmp(arg, L"-dump") == 0)
                dump = true;
            else if (_wcsicmp(arg, L"-columns") == 0 && i + 1 < __argc)
                columns = _wtoi(__wargv[++i]);
        }
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        auto* frame = new CDemoFrame;
        m_pMainWnd = frame;
        if (!frame->Build(floating, columns))
            return FALSE;
        if (dump) {
            PumpPending();
            frame->Dump();
        }
        return TRUE;
    }

private:
    void PumpPending()
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
};

CDemoApp theApp;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show)
{
    return AfxWinMain(instance, previous, commandLine, show);
}
