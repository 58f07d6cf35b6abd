#pragma once
// The editing controls' page of the gallery.
#include "SkinUI.h"

// Runs the page as the program's main window; with openPicker the picker's grid opens at start.
void RunControlsGallery(CWinApp& app, const CString& picture, bool openPicker);
// The gallery's texts are English, like every text in the code; it translates them.
void TranslateGalleryTexts(CWnd& dialog);
