// The arithmetic of the editor frame's file, view and layer commands.
#include <gtest/gtest.h>
#include <cmath>
#include <iterator>
#include "EditorToolTable.h"
#include "FrameCommandMath.h"

namespace {

TEST(ZoomPresets, EachIdHasItsSliderPositionAndOnlyItsOwnCheck)
{
    const struct {
        UINT id;
        int position;
        int percent;
    } table[] = {{33193, 2, 10},    {33194, 5, 25},    {33191, 10, 50},    {33195, 20, 100},
                 {33196, 30, 150},  {33197, 40, 200},  {33198, 60, 300},   {33199, 80, 400},
                 {33210, 120, 600}, {33211, 160, 800}, {33212, 240, 1200}, {33213, 320, 1600}};
    ASSERT_EQ(std::size(table), ZoomPresetCount());
    for (const auto& row : table) {
        const ZoomPreset* preset = FindZoomPreset(row.id);
        ASSERT_NE(nullptr, preset) << row.id;
        EXPECT_EQ(row.position, preset->sliderPosition) << row.id;
        EXPECT_EQ(row.percent, preset->percent) << row.id;
        // The slider's own zoom at that position is the preset's, and checks it alone.
        float zoom = 0;
        ASSERT_TRUE(ZoomOfSliderPosition(preset->sliderPosition, zoom)) << row.id;
        for (size_t i = 0; i < ZoomPresetCount(); ++i) {
            const ZoomPreset* other = ZoomPresetAt(i);
            EXPECT_EQ(other->id == row.id, ZoomPresetChecked(zoom, other->percent)) << row.id << " / " << other->id;
        }
    }
    EXPECT_EQ(nullptr, FindZoomPreset(33189));   // "Automatic" is no preset
    EXPECT_EQ(nullptr, FindZoomPreset(33200));
    EXPECT_EQ(nullptr, ZoomPresetAt(ZoomPresetCount()));
    // Near is not equal: a zoom a step away from 100 % checks nothing.
    EXPECT_FALSE(ZoomPresetChecked(1.0001f, 100));
    EXPECT_TRUE(ZoomPresetChecked(1.0f, 100));
}

TEST(QuarterTurn, IsExactlyAQuarterAndFourComeBack)
{
    const double pi = 3.14159265358979323846;
    // Layer angles turn clockwise on the screen: a left turn takes a quarter off.
    EXPECT_EQ(static_cast<float>(-pi / 2), QuarterTurn(0.0f, true));
    EXPECT_EQ(static_cast<float>(pi / 2), QuarterTurn(0.0f, false));
    EXPECT_EQ(90, LayerAngleDegrees(QuarterTurn(0.0f, false)));
    for (float start : {0.0f, 0.3f, -1.2f, 5.0f}) {
        for (bool left : {true, false}) {
            float angle = start;
            for (int i = 0; i < 4; ++i)
                angle = QuarterTurn(angle, left);
            // The same angle, give or take whole turns.
            EXPECT_NEAR(0.0, std::remainder(static_cast<double>(angle) - start, 2 * pi), 1e-5)
                << start << (left ? " left" : " right");
            EXPECT_LT(std::fabs(angle), 2 * pi);
        }
    }
    // A left and a right turn cancel.
    EXPECT_NEAR(0.7f, QuarterTurn(QuarterTurn(0.7f, true), false), 1e-6);
}

TEST(FrameCommandMath, FullScreenPlaceUntitledNamesAndFolders)
{
    const RECT placed = FullScreenRect(RECT{0, 0, 1024, 768});
    EXPECT_EQ(-1, placed.left);
    EXPECT_EQ(-1, placed.top);
    EXPECT_EQ(1027, placed.right - placed.left);
    EXPECT_EQ(771, placed.bottom - placed.top);

    EXPECT_EQ(L"Untitled-1", UntitledTitle(L"Untitled", 1));
    EXPECT_EQ(L"Sans titre-12", UntitledTitle(L"Sans titre", 12));

    const struct {
        const wchar_t* path;
        const wchar_t* folder;
    } folders[] = {{L"C:\\Pictures\\a.jpg", L"C:\\Pictures"},
                   {L"C:\\a.jpg", L"C:\\"},
                   {L"\\\\server\\share\\x\\b.png", L"\\\\server\\share\\x"},
                   {L"D:/mixed/c.kqd", L"D:/mixed"},
                   {L"bare.jpg", L""}};
    for (const auto& f : folders)
        EXPECT_EQ(std::wstring(f.folder), FolderOfPath(f.path)) << testing::PrintToString(std::wstring(f.path));
}

} // namespace
