// The editor frame's tables without its window: tool settings at construction, the enable rules
// of its commands, the hand-on rule, material categories and tool tips.
#include <gtest/gtest.h>
#include <cwchar>
#include "EditorRules.h"
#include "EditorToolSettings.h"

namespace {

TEST(EditorToolSettings, StartsWithTheToolDefaults)
{
    const EditorToolSettings s;
    const struct {
        const EditorBrushEntry& entry;
        int size;
        int stampIndex;
    } brushes[] = {{s.brush, 50, 0}, {s.pen, 3, 0}, {s.eraser, 50, 3}};
    for (const auto& b : brushes) {
        EXPECT_EQ(ID_BRUSH_SET_DEFAULT, b.entry.stampGroup);
        EXPECT_EQ(b.size, b.entry.size);
        EXPECT_EQ(b.stampIndex, b.entry.stampIndex);
        EXPECT_EQ(255, b.entry.opacity);
        EXPECT_EQ(1, b.entry.autoStep);
        EXPECT_EQ(5, b.entry.step);
        EXPECT_EQ(0, b.entry.transparentBack);
    }
    EXPECT_EQ(40, s.line.shape);
    EXPECT_EQ(5, s.line.outlineWidth);
    EXPECT_EQ(255, s.line.fillAlpha);
    EXPECT_EQ(SHAPE_RECTANGLE, s.shape.shape);
    EXPECT_EQ(3, s.shape.outlineWidth);
    EXPECT_EQ(20, s.shape.cornerRadius);
    EXPECT_EQ(0, s.shape.fillOn);
    EXPECT_EQ(RGB(255, 255, 255), s.shape.fillColour);
    EXPECT_EQ(16, s.redEyeSize);
    for (int size : s.retouchSizes)
        EXPECT_EQ(50, size);
    EXPECT_EQ(8, s.mosaicCell);
    // Before any tool command there is no current tool, the crop is free, and the first new
    // picture is "Untitled-1".
    EXPECT_EQ(-1, s.toolCommand);
    EXPECT_EQ(-1, s.toolKind);
    EXPECT_EQ(0.0f, s.cropAspect);
    EXPECT_EQ(1, s.untitledCounter);
}

EditorViewState Open(int layer)
{
    EditorViewState s;
    s.hasView = true;
    s.currentLayerId = layer;
    s.layerCount = layer + 1;
    return s;
}

TEST(EditorRules, EnableEachRuleOnWhatItLooksAt)
{
    EditorViewState none;
    EditorViewState noLayer = Open(-1);
    EditorViewState background = Open(0);
    EditorViewState upper = Open(2);
    EditorViewState lockedUpper = Open(2);
    lockedUpper.currentLocked = true;
    EditorViewState lockedBackground = Open(0);
    lockedBackground.currentLocked = true;
    EditorViewState modified = Open(0);
    modified.modified = true;
    EditorViewState outline = Open(0);
    outline.outlinePoints = 3;
    EditorViewState twoPoints = Open(0);
    twoPoints.outlinePoints = 2;
    EditorViewState emptyList = Open(0);
    emptyList.layerCount = 0;
    const struct {
        EditorRule rule;
        const EditorViewState& state;
        bool enabled;
    } cases[] = {
        {EditorRule::A, none, false},           {EditorRule::A, noLayer, false},
        {EditorRule::A, background, true},      {EditorRule::B, background, false},
        {EditorRule::B, upper, true},           {EditorRule::B, lockedUpper, false},
        {EditorRule::C, lockedUpper, true},     {EditorRule::C, background, false},
        {EditorRule::D, lockedBackground, false}, {EditorRule::D, upper, true},
        {EditorRule::E, background, false},     {EditorRule::E, modified, true},
        {EditorRule::G, background, true},      {EditorRule::G, emptyList, false},
        {EditorRule::H, background, false},     {EditorRule::H, twoPoints, false},
        {EditorRule::H, outline, true},         {EditorRule::H, upper, true},
        {EditorRule::H, none, false},
        {EditorRule::None, none, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.enabled, ApplyEditorRule(c.rule, c.state, false).enabled) << static_cast<int>(c.rule);
}

TEST(EditorRules, HistoryZoomClipboardAndGrid)
{
    const struct {
        int count;
        int position;
        bool undo;
        bool redo;
    } history[] = {{0, 0, false, false}, {1, 0, false, false}, {3, 0, false, true}, {3, 1, true, true}, {3, 2, true, false}};
    for (const auto& h : history) {
        EditorViewState s = Open(0);
        s.historyCount = h.count;
        s.historyPosition = h.position;
        EXPECT_EQ(h.undo, ApplyEditorRule(EditorRule::U, s, false).enabled) << h.count << "/" << h.position;
        EXPECT_EQ(h.redo, ApplyEditorRule(EditorRule::R, s, false).enabled) << h.count << "/" << h.position;
    }
    const struct {
        float zoom;
        bool in;
        bool out;
    } zooms[] = {{16.0f, false, true}, {15.999f, false, true}, {0.05f, true, false}, {0.0501f, true, false}, {1.0f, true, true}};
    for (const auto& z : zooms) {
        EditorViewState s = Open(0);
        s.zoom = z.zoom;
        EXPECT_EQ(z.in, ApplyEditorRule(EditorRule::ZoomIn, s, false).enabled) << z.zoom;
        EXPECT_EQ(z.out, ApplyEditorRule(EditorRule::ZoomOut, s, false).enabled) << z.zoom;
    }
    // The paste rule needs no view, only the clipboard.
    EXPECT_TRUE(ApplyEditorRule(EditorRule::P, EditorViewState(), true).enabled);
    EXPECT_FALSE(ApplyEditorRule(EditorRule::P, Open(0), false).enabled);
    EditorViewState grid = Open(0);
    grid.gridOn = true;
    EXPECT_TRUE(ApplyEditorRule(EditorRule::F, grid, false).checked);
    EXPECT_TRUE(ApplyEditorRule(EditorRule::F, EditorViewState(), false).enabled);
    EXPECT_FALSE(ApplyEditorRule(EditorRule::F, EditorViewState(), false).checked);
}

TEST(EditorRules, CommandsMapToTheirRules)
{
    const struct {
        UINT id;
        EditorRule rule;
    } cases[] = {
        {32901, EditorRule::E},      {32923, EditorRule::A},      {33219, EditorRule::G},
        {33218, EditorRule::G},      {31007, EditorRule::U},      {31006, EditorRule::R},
        {31008, EditorRule::H},      {31009, EditorRule::H},      {31010, EditorRule::P},
        {32857, EditorRule::H},      {31011, EditorRule::ZoomIn}, {31012, EditorRule::ZoomOut},
        {33105, EditorRule::F},      {31005, EditorRule::A},      {32833, EditorRule::Keep},
        // Status-bar elements have no rule: 32960 toggles the grid like 33105 but is never checked.
        {32960, EditorRule::None},   {32965, EditorRule::None},   {32925, EditorRule::None},
        // The new-picture commands carry their own rules.
        {32926, EditorRule::None},   {33021, EditorRule::None},   {33221, EditorRule::None},
        {33026, EditorRule::B},      {33034, EditorRule::H},      {33035, EditorRule::C},
        {33087, EditorRule::D},      {33084, EditorRule::D},      {33213, EditorRule::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rule, RuleOfCommand(c.id)) << c.id;
}

TEST(EditorRules, OnlyAnEditorOpenedOnItsOwnSendsItsPictureOn)
{
    const struct {
        int code;
        bool view;
        int layers;
        bool enabled;
    } cases[] = {{0, true, 1, true},   {25, true, 3, true},  {0, false, 0, false}, {0, true, 0, false},
                 {12, true, 1, false}, {15, true, 1, false}, {9, true, 1, false},  {7, true, 1, false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.enabled, CanSendPicture(c.code, c.view, c.layers)) << c.code;
}

TEST(EditorRules, MaterialCategoriesNameTheirShippedFolders)
{
    const struct {
        int index;
        const wchar_t* name;
        const wchar_t* folder;
    } cases[] = {{0, L"Dialog", L"Data\\Material\\Dialog"},
                 {7, L"Text", L"Data\\Material\\Text"},
                 {9, L"Vegetable", L"Data\\Material\\Vegetables"},
                 {10, L"Weather", L"Data\\Material\\weather"}};
    for (const auto& c : cases) {
        const MaterialCategory* cat = MaterialCategoryAt(c.index);
        ASSERT_NE(nullptr, cat) << c.index;
        EXPECT_STREQ(c.name, cat->name);
        EXPECT_STREQ(c.folder, cat->folder);
    }
    EXPECT_STREQ(L"Text", MaterialCategoryAt(kDefaultMaterialCategory)->name);
    EXPECT_EQ(nullptr, MaterialCategoryAt(-1));
    EXPECT_EQ(nullptr, MaterialCategoryAt(11));
}

} // namespace
