#pragma once
// The dialogs' test program: its application object (DialogsTestApp.cpp) and a driver that acts
// on a modal dialog from inside its own message loop.
#include <functional>
#include <string>
#include <gtest/gtest.h>
#include "AppFrame.h"
#include "WindowTestApp.h"

// Arms a thread timer that, once a dialog of this thread is up and visible, runs act on it
// (from inside the dialog's modal loop) and then stops; Disarm stops it early.
void ActOnDialog(std::function<void(HWND dialog)> act);
void DisarmDialogAct();
// Whether the armed act has run.
bool DialogActDone();

// The text of a dialog's control.
std::wstring ItemText(HWND dialog, int id);
// Clicks a button of the dialog as the user would (BN_CLICKED to the dialog).
void Click(HWND dialog, int id);
// Chooses an entry of a drop-down list as the user would.
void Choose(HWND dialog, int id, int index);
// Types a whole new text into an edit box (EN_CHANGE follows).
void Type(HWND dialog, int id, const wchar_t* text);
