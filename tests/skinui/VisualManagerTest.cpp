// Switching the visual manager: global colours, and open windows repainting in the new look.
#include <cmath>
#include "GalleryDialog.h"

BEGIN_MESSAGE_MAP(CGalleryDialog, CBCGPDialog)
    ON_BN_CLICKED(IDC_COLOR, OnColor)
END_MESSAGE_MAP()

namespace {

class VisualManagerTest : public testing::Test {
protected:
    void TearDown() override
    {
        CBCGPVisualManagerVS2012::SetAccentColor(CBCGPVisualManagerVS2012::VS2012_Blue);
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    }
};

// A look that changes the global colours in its hook, as a program's own skin does.
class CGreenManager : public CBCGPVisualManager2013 {
    DECLARE_DYNCREATE(CGreenManager)
public:
    void ModifyGlobalColors() override
    {
        globalData.clrBarFace = RGB(201, 241, 211);
        globalData.brBarFace.DeleteObject();
        globalData.brBarFace.CreateSolidBrush(globalData.clrBarFace);
    }
};
IMPLEMENT_DYNCREATE(CGreenManager, CBCGPVisualManager2013)

TEST_F(VisualManagerTest, SwitchingSetsTheLooksColours)
{
    struct Case {
        CRuntimeClass* look;
        COLORREF face;
    } cases[] = {
        {RUNTIME_CLASS(CBCGPVisualManager2013), RGB(248, 248, 248)},
        {RUNTIME_CLASS(CBCGPVisualManagerVS2012), RGB(239, 239, 242)},
        {RUNTIME_CLASS(CBCGPVisualManager2003), RGB(221, 231, 242)},
        {RUNTIME_CLASS(CGreenManager), RGB(201, 241, 211)},
    };
    for (const Case& c : cases) {
        CBCGPVisualManager::SetDefaultManager(c.look);
        EXPECT_TRUE(CBCGPVisualManager::GetInstance()->IsKindOf(c.look)) << c.look->m_lpszClassName;
        EXPECT_EQ(globalData.clrBarFace, c.face) << c.look->m_lpszClassName;
        LOGBRUSH lb = {};
        globalData.brBarFace.GetLogBrush(&lb);
        EXPECT_EQ(lb.lbColor, c.face) << "the face brush follows the colour";
    }
    // A class that is no manager falls back to the plain look.
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CWnd));
    EXPECT_EQ(CBCGPVisualManager::GetInstance()->GetRuntimeClass(), RUNTIME_CLASS(CBCGPVisualManager));
}

TEST_F(VisualManagerTest, AccentColourReachesTheLookInUse)
{
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    CBCGPVisualManagerVS2012::SetAccentColorRGB(RGB(80, 80, 80));
    EXPECT_EQ(CBCGPVisualManager::GetInstance()->GetAccentColor(), RGB(80, 80, 80));
    EXPECT_EQ(globalData.clrHilite, RGB(80, 80, 80));
    CBCGPVisualManagerVS2012::SetAccentColor(CBCGPVisualManagerVS2012::VS2012_Green);
    EXPECT_EQ(CBCGPVisualManager::GetInstance()->GetAccentColor(), RGB(51, 153, 51));
}

TEST_F(VisualManagerTest, FrontTabTextShowsOnItsFill)
{
    // The front tab of a top row is filled with the accent, of a bottom row with the window
    // colour; its text must stand out from either, whatever the accent.
    auto luma = [](COLORREF c) { return 0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c); };
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    for (COLORREF accent : {RGB(80, 80, 80), RGB(0, 122, 204), RGB(51, 153, 51), RGB(30, 30, 30), RGB(236, 236, 236)}) {
        CBCGPVisualManagerVS2012::SetAccentColorRGB(accent);
        CBCGPVisualManager* manager = CBCGPVisualManager::GetInstance();
        EXPECT_GE(std::abs(luma(manager->GetTabTextColor(TRUE, FALSE, TRUE)) - luma(manager->GetAccentColor())), 85.0)
            << std::hex << accent;
        EXPECT_GE(std::abs(luma(manager->GetTabTextColor(TRUE, FALSE, FALSE)) - luma(globalData.clrWindow)), 85.0)
            << std::hex << accent;
    }
}

TEST_F(VisualManagerTest, OpenDialogRepaintsInTheNewLook)
{
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    CGalleryDialog dialog;
    ASSERT_TRUE(dialog.OpenModeless());
    CWnd* edit = dialog.GetDlgItem(IDC_EDIT);
    ASSERT_TRUE(edit);
    CRect editClient;
    edit->GetClientRect(&editClient);
    const CPoint inEdit(editClient.right - 4, editClient.CenterPoint().y);

    const struct {
        CRuntimeClass* look;
        COLORREF face;
    } looks[] = {
        {RUNTIME_CLASS(CBCGPVisualManager2013), RGB(248, 248, 248)},
        {RUNTIME_CLASS(CBCGPVisualManager2003), RGB(221, 231, 242)},
        {RUNTIME_CLASS(CGreenManager), RGB(201, 241, 211)},
        {RUNTIME_CLASS(CBCGPVisualManagerVS2012), RGB(239, 239, 242)},
    };
    for (const auto& look : looks) {
        CBCGPVisualManager::SetDefaultManager(look.look);
        // Nothing is repainted by hand: the switch itself invalidates the open windows.
        EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(&dialog, 3, 3) == look.face; }, 3000))
            << look.look->m_lpszClassName << ": " << std::hex << ScreenPixel(&dialog, 3, 3);
        // The children's paints that are still waiting.
        dialog.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_EQ(ScreenPixel(edit, inEdit.x, inEdit.y), RGB(255, 255, 255)) << "edits stay white";
    }
}

TEST_F(VisualManagerTest, DialogColoursStaticsWithTheSkin)
{
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2003));
    CGalleryDialog dialog;
    ASSERT_TRUE(dialog.OpenModeless());
    CClientDC dc(&dialog);
    CWnd* label = dialog.GetDlgItem(IDC_LABEL);
    CWnd* edit = dialog.GetDlgItem(IDC_EDIT);
    HBRUSH labelBrush = reinterpret_cast<HBRUSH>(
        dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(label->GetSafeHwnd())));
    EXPECT_EQ(labelBrush, static_cast<HBRUSH>(globalData.brBarFace.GetSafeHandle()));
    EXPECT_EQ(dc.GetTextColor(), globalData.clrBarText);
    HBRUSH editBrush = reinterpret_cast<HBRUSH>(
        dialog.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(edit->GetSafeHwnd())));
    EXPECT_EQ(editBrush, static_cast<HBRUSH>(globalData.brWindow.GetSafeHandle()));
    EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 255));
}

} // namespace
