#pragma once
// Shared by the layer command, clipboard and undo tests of the picture edit view: a view under
// the display with a 400 x 300 white picture, pictures made in memory, layer comparisons, and a
// driver that acts on the dialogs and message boxes the view runs.
#include <functional>
#include <string>
#include <gtest/gtest.h>
#include "CanvasTestApp.h"
#include "PicEditView.h"

namespace editviewtest {

CZVImage Plain(long width, long height, COLORREF colour);
bool SamePixels(const CZVImage& a, const CZVImage& b);

// Arms a timer that, once a dialog or message box of this thread is up, runs act on it from
// inside its modal loop. DialogsActedOn() counts the runs since the last arming.
void ActOnDialog(std::function<void(HWND dialog)> act);
int DialogsActedOn();
void StopActing();
// Answers the next message box with the button.
void AnswerBox(int button);
// Sets an edit's text; EN_CHANGE follows as after typing.
void Type(HWND dialog, int id, const wchar_t* text);
void Click(HWND dialog, int id);

// Counts the layer list refreshes the view asks for.
class CountingHost : public IEditorHost {
public:
    int GetFixedCropWidth() override { return -1; }
    int GetFixedCropHeight() override { return -1; }
    void SetCropFields(int, int) override {}
    void SetStatusText(UINT, const wchar_t*) override {}
    void RefreshLayerList() override { ++refreshes; }
    ShapeSettings GetShapeSettings() override { return ShapeSettings(); }
    void SetShapeSettings(const ShapeSettings&) override {}
    void SetShapeSize(int, int) override {}
    void SelectDefaultTool() override {}
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return CStringW(); }
    HWND GetColourTarget() override { return nullptr; }
    int refreshes = 0;
};

// A 600 x 400 view with a 400 x 300 white picture at zoom 1.0: the canvas is (100, 50) - (500, 350).
class EditViewTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;
    // An opaque layer of one colour at picture pixels (x, y); its id.
    int AddLayer(long width, long height, int x, int y, COLORREF colour = RGB(200, 30, 30));
    CLayerInfo& Layer(int id) { return *view.doc.layers.GetLayer(id); }
    size_t LayerCount() const { return view.doc.layers.layers.size(); }

    CountingHost host;
    CPicEditView view;
};

// What a user can see of a layer list: every layer's identity, place, flags and pixels.
void ExpectSameLayers(const CLayeredManage& actual, const CLayeredManage& expected, const std::string& where);

} // namespace editviewtest
