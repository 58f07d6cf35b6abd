#pragma once
// The picture list's display settings: one set for local folders and one for the online
// materials, kept as integers in the program's profile (the online set's names carry the prefix
// "Online_"). The sort key is not kept: both sets start unsorted.
#include "AppFrame.h"

struct ListDisplaySettings {
    bool showName;
    bool showSize;
    bool showDate;
    int aspect;   // 0 keep aspect, 1 full extent
    int iconSize; // 0 to 4
    int sortType; // a KQ_LIST_SORT value
    bool ascend;
};

bool operator==(const ListDisplaySettings& a, const ListDisplaySettings& b);
inline bool operator!=(const ListDisplaySettings& a, const ListDisplaySettings& b) { return !(a == b); }

// Local folders show names, keep the aspect and size the icons by the primary screen's width;
// online materials fill their cells at the largest size without names.
ListDisplaySettings DefaultListDisplay(bool online, int screenWidth);
ListDisplaySettings ReadListDisplay(CWinApp& app, bool online, int screenWidth);
void WriteListDisplay(CWinApp& app, bool online, const ListDisplaySettings& settings);
