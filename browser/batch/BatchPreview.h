#pragma once
// The batch dialogs' picture boxes stretch what they show over their area; these keep a
// picture's shape by fitting the box to it inside the area the template gave the box.
#include "ZVImageStatic.h"

// The box's place in its dialog, as the template left it.
CRect PictureBoxArea(CZVImageStatic& box);
// Shows the picture in a box of its shape, centred in area (an empty picture: the whole area).
void ShowPictureFitted(CZVImageStatic& box, const CRect& area, CZVImage& picture);
