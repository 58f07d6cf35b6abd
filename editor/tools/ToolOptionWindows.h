#pragma once
// What the tool option dialogs share in their windows: the view they apply to, their translated
// texts and lined-up chains, PNG picture strips, and numbers read from their edits.
#include "AppFrame.h"
#include "ToolOptionTables.h"

class CPicEditView;

// The picture view of the host frame's active picture window; null without one (then a change
// is only stored, and the next view takes it when its tool is chosen again).
CPicEditView* ToolOptionView();

// A control's text, translated when shown.
struct ToolOptionText {
    int id;
    const wchar_t* text;
};
// Sets the translated texts, widens the labels and check boxes to them and lines the
// dialog's chains up, the gaps at the screen's DPI.
void LayOutOptionDialog(CDialog& dialog, ToolOptionDialog kind, const ToolOptionText* texts, int count);

// A PNG resource's strip of 24 x 24 pictures on white into the list; false when missing.
bool LoadPngStrip(CImageList& list, UINT id);
// The edit's number, clamped into the range; fallback when it holds none.
int EditNumber(CWnd& dialog, int id, int low, int high, int fallback);
// Sets an edit's number without the dialog hearing of it as a user's change.
void SetEditNumber(CWnd& dialog, int id, int value, bool& quiet);
