#include "PaletteTestApp.h"

namespace {
CPaletteTestApp theApp;

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
} // namespace

BEGIN_MESSAGE_MAP(CPaletteTestFrame, CBCGPFrameWnd)
    ON_UPDATE_COMMAND_UI(ID_TOOL_LINE, OnUpdateLine)
    ON_COMMAND(ID_TOOL_COLOR, OnColorButton)
END_MESSAGE_MAP()

PaletteFixture::PaletteFixture()
{
    EXPECT_TRUE(frame->Create(nullptr, L"Palette", WS_OVERLAPPEDWINDOW, CRect(20, 20, 920, 670)));
    EXPECT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
    EXPECT_TRUE(palette.CreateEx(frame, TBSTYLE_FLAT,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_BORDER_3D | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
                                 CRect(0, 0, 0, 0), 120));
    EXPECT_TRUE(palette.LoadToolBar(IDR_TOOL_PALETTE, IDB_TOOL_PALETTE_COLD, 0, TRUE, 0, 0, IDB_TOOL_PALETTE_HOT));
    for (size_t i = 0; i < 4; ++i) {
        const DropDownPlace& place = kDropDowns[i];
        CBCGPDropDownToolBar& bar = dropDowns[i];
        EXPECT_TRUE(bar.Create(frame, WS_CHILD | CBRS_TOP | CBRS_GRIPPER | CBRS_BORDER_3D | CBRS_FLYBY | CBRS_TOOLTIPS |
                                          CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC,
                               place.bar));
        EXPECT_TRUE(bar.LoadToolBar(place.bar, place.images, 0, 0, 0, 0, place.images));
        EXPECT_EQ(palette.ReplaceButton(place.command, CBCGPDropDownToolbarButton(place.caption, &bar)), 1);
    }
    {
        CShopToolbarColorPicker colors(ID_TOOL_COLOR);
        colors.LoadImages();
        EXPECT_EQ(palette.ReplaceButton(ID_TOOL_COLOR, colors), 1);
    }
    palette.EnableDocking(CBRS_ALIGN_ANY);
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&palette);
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    theApp.m_pMainWnd = frame;
    PumpFor(150);
}

PaletteFixture::~PaletteFixture()
{
    theApp.m_pMainWnd = nullptr;
    if (::IsWindow(frame->m_hWnd))
        frame->DestroyWindow();   // deletes the frame
}

CShopToolbarColorPicker* PaletteFixture::ColorButton() const
{
    return DYNAMIC_DOWNCAST(CShopToolbarColorPicker, palette.GetButton(palette.CommandToIndex(ID_TOOL_COLOR)));
}

std::vector<std::pair<WPARAM, LPARAM>> TakeColorPosts(HWND hwnd)
{
    std::vector<std::pair<WPARAM, LPARAM>> posts;
    MSG msg;
    while (::PeekMessageW(&msg, hwnd, colorpicker::kColorMessage, colorpicker::kColorMessage, PM_REMOVE))
        posts.emplace_back(msg.wParam, msg.lParam);
    return posts;
}
