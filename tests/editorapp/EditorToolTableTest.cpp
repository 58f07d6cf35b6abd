// The editor frame's tool table, the brush each tool command picks, the zoom slider and pane, and
// the rotate dialog's angle.
#include <gtest/gtest.h>
#include <cmath>
#include <set>
#include "CanvasViewMath.h"
#include "EditorToolTable.h"
#include "PicEditView.h"

namespace {

TEST(EditorToolTable, EveryCommandSetsItsToolCursorAndOptions)
{
    const struct {
        UINT command;
        int tool;
        UINT cursor;
        int options;
        int brushType;
    } rows[] = {
        {31001, 3, 0, -1, 0},    {31002, 4, 491, -1, 0},  {32937, 5, 491, -1, 0},  {32935, 6, 491, -1, 0},
        {32854, 8, 491, -1, 0},  {32858, 9, 491, -1, 0},  {32859, 10, 491, -1, 0}, {32934, 12, 492, -1, 0},
        {31005, 13, 493, 12, 0}, {32992, 14, 433, -1, 0}, {32849, 1, 494, 0, 0},   {32981, 15, 494, 14, 0},
        {32939, 21, 514, -1, 0}, {32980, 2, 0, -1, 0},    {32833, 16, 0, 15, 1},   {32933, 17, 0, 16, 2},
        {32942, 18, 0, 17, 16},  {32938, 19, 0, 18, 15},  {32941, 20, 0, 19, 3},   {32850, 23, 0, 22, 5},
        {32946, 27, 0, 26, 9},   {32945, 28, 0, 27, 10},  {32944, 29, 0, 28, 11},  {32943, 30, 0, 29, 12},
        {32852, 31, 0, 30, 4},   {32855, 32, 0, 31, 13},  {32856, 34, 0, 33, 14},
    };
    int count = 0;
    ToolCommands(count);
    EXPECT_EQ(static_cast<int>(std::size(rows)), count);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.command);
        const ToolCommand* c = FindToolCommand(r.command);
        ASSERT_NE(nullptr, c);
        EXPECT_EQ(r.tool, c->tool);
        EXPECT_EQ(r.cursor, ToolCursorId(c->tool));
        EXPECT_EQ(r.options, c->options);
        EXPECT_EQ(r.brushType, c->brushType);
        EXPECT_EQ(r.brushType != 0, IsBrushCommand(*c));
        EXPECT_EQ(r.options >= 0, CommandShowsOptions(*c));
    }
    EXPECT_EQ(nullptr, FindToolCommand(31010));   // Paste sets a tool, but is no tool command
}

TEST(EditorToolTable, ViewEffectsAndPenTypeCommands)
{
    EXPECT_EQ(ToolViewEffect::ClearSelection, FindToolCommand(31001)->effect);
    EXPECT_EQ(ToolViewEffect::Repaint, FindToolCommand(32937)->effect);
    EXPECT_EQ(ToolViewEffect::Repaint, FindToolCommand(32934)->effect);
    EXPECT_EQ(ToolViewEffect::Background, FindToolCommand(32849)->effect);
    EXPECT_EQ(ToolViewEffect::Text, FindToolCommand(32980)->effect);
    std::set<UINT> penTypes;
    int count = 0;
    const ToolCommand* all = ToolCommands(count);
    for (int i = 0; i < count; ++i)
        if (IsPenTypeCommand(all[i]))
            penTypes.insert(all[i].command);
    EXPECT_EQ((std::set<UINT>{32833, 32933, 32942, 32938, 32941}), penTypes);
    EXPECT_EQ(BrushSlot::Brush, FindToolCommand(32833)->slot);
    EXPECT_EQ(BrushSlot::Pen, FindToolCommand(32933)->slot);
    EXPECT_EQ(BrushSlot::Eraser, FindToolCommand(32941)->slot);
}

TEST(EditorToolTable, BrushCommandsTakeTheirSizesAndSteps)
{
    EditorToolSettings s;
    s.pen = {ID_BRUSH_SET_DEFAULT, 30, 2, 128, 0, 7, 0};
    s.redEyeSize = 20;
    for (int i = 0; i < 8; ++i)
        s.retouchSizes[i] = 40 + i;
    const struct {
        UINT command;
        int size, stampIndex, opacity, autoStep, step;
    } rows[] = {
        {32833, 50, 0, 255, 1, 12},   // brush: automatic step of 50
        {32933, 30, 2, 128, 0, 7},    // pen: its fixed step
        {32941, 50, 3, 255, 1, 12},   // eraser
        {32942, 47, 0, 255, 1, 11},   // stamp
        {32938, 24, 0, 255, 1, 6},    // history: the remembered pen size
        {32850, 20, 0, 255, 1, 5},    // red eye
        {32852, 40, 0, 255, 1, 10},   // mosaic
        {32946, 41, 0, 255, 1, 10},   // lighten
        {32856, 46, 0, 255, 1, 11},   // blur brush
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.command);
        const BrushPick b = PickBrush(*FindToolCommand(r.command), s, 24);
        EXPECT_EQ(r.size, b.size);
        EXPECT_EQ(r.stampIndex, b.stampIndex);
        EXPECT_EQ(r.opacity, b.opacity);
        EXPECT_EQ(r.autoStep, b.autoStep);
        EXPECT_EQ(r.step, b.step);
    }
}

TEST(EditorZoom, SliderAndPane)
{
    float zoom = 3.0f;
    EXPECT_FALSE(ZoomOfSliderPosition(0, zoom));
    EXPECT_EQ(3.0f, zoom);
    ASSERT_TRUE(ZoomOfSliderPosition(1, zoom));
    EXPECT_FLOAT_EQ(0.05f, zoom);
    ASSERT_TRUE(ZoomOfSliderPosition(20, zoom));
    EXPECT_EQ(1.0f, zoom);
    EXPECT_EQ(L" 100%", ZoomPaneText(zoom));
    EXPECT_EQ(20, ZoomSliderPosition(zoom));
    ASSERT_TRUE(ZoomOfSliderPosition(320, zoom));
    EXPECT_FLOAT_EQ(16.0f, zoom);
    // From 100 % two clicks of zoom in.
    zoom = NextZoom(NextZoom(1.0f, true), true);
    EXPECT_EQ(L" 132%", ZoomPaneText(zoom));
    EXPECT_EQ(26, ZoomSliderPosition(zoom));
    EXPECT_EQ(L" 5%", ZoomPaneText(0.05f));
    EXPECT_EQ(L" 1600%", ZoomPaneText(16.0f));
}

TEST(EditorRotate, LayerAngleInWholeDegreesStaysInRange)
{
    const double pi = std::acos(-1.0);
    const struct {
        double degrees;
        int expected;
    } rows[] = {{359.4, 359}, {0.0, 0}, {90.0, 90}, {44.5, 45}, {180.2, 180}};
    for (const auto& r : rows)
        EXPECT_EQ(r.expected, LayerAngleDegrees(r.degrees * pi / 180.0)) << r.degrees;
}

} // namespace
