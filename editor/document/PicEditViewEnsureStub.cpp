// Stand-in until the layer commands land.
#include "PicEditView.h"

bool CPicEditView::EnsureImageLayer() { return true; }
