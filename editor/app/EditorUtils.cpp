#include "EditorUtils.h"

int GetHistoryLimit(int64_t pixels)
{
    // Every step may hold a whole layer, so larger pictures keep fewer steps.
    if (pixels > 25000000)
        return 1;
    if (pixels > 16000000)
        return 3;
    if (pixels > 9000000)
        return 5;
    if (pixels > 4000000)
        return 10;
    return 20;
}
