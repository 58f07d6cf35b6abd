#pragma once
// Small helpers of the editor shell without windows, linked by the document library.
#include <cstdint>

// Undo steps a picture of that many pixels keeps; a negative count counts as small.
int GetHistoryLimit(int64_t pixels);
