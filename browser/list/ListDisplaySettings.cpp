#include "ListDisplaySettings.h"
#include "KQListFile.h"
#include "ShowsSettings.h"

namespace {

// The stored values, by name; the online set's names carry the prefix.
struct StoredValue {
    const wchar_t* name;
    int ListDisplaySettings::*number;
    bool ListDisplaySettings::*flag;
};
const StoredValue kValues[] = {
    {L"ShowFileName", nullptr, &ListDisplaySettings::showName},
    {L"ShowFileSize", nullptr, &ListDisplaySettings::showSize},
    {L"ShowFileDate", nullptr, &ListDisplaySettings::showDate},
    {L"IconAspect", &ListDisplaySettings::aspect, nullptr},
    {L"IconSize", &ListDisplaySettings::iconSize, nullptr},
    {L"IconSortAscend", nullptr, &ListDisplaySettings::ascend},
};

CString ValueName(bool online, const wchar_t* name)
{
    return online ? CString(L"Online_") + name : CString(name);
}

int Stored(const ListDisplaySettings& s, const StoredValue& v)
{
    return v.number ? s.*v.number : (s.*v.flag ? 1 : 0);
}

} // namespace

bool operator==(const ListDisplaySettings& a, const ListDisplaySettings& b)
{
    return a.showName == b.showName && a.showSize == b.showSize && a.showDate == b.showDate && a.aspect == b.aspect &&
           a.iconSize == b.iconSize && a.sortType == b.sortType && a.ascend == b.ascend;
}

ListDisplaySettings DefaultListDisplay(bool online, int screenWidth)
{
    if (online)
        return {false, false, false, 1, 4, KQ_LIST_SORT_NONE, true};
    return {true, false, false, 0, DefaultIconSize(screenWidth), KQ_LIST_SORT_NONE, true};
}

ListDisplaySettings ReadListDisplay(CWinApp& app, bool online, int screenWidth)
{
    ListDisplaySettings s = DefaultListDisplay(online, screenWidth);
    for (const StoredValue& v : kValues) {
        const int value = static_cast<int>(app.GetProfileInt(L"", ValueName(online, v.name), Stored(s, v)));
        if (v.number)
            s.*v.number = value;
        else
            s.*v.flag = value != 0;
    }
    // A hand-edited value outside the menus' choices would size or draw nothing sensible.
    if (s.iconSize < 0 || s.iconSize > 4)
        s.iconSize = DefaultListDisplay(online, screenWidth).iconSize;
    if (s.aspect != 0 && s.aspect != 1)
        s.aspect = 0;
    return s;
}

void WriteListDisplay(CWinApp& app, bool online, const ListDisplaySettings& settings)
{
    for (const StoredValue& v : kValues)
        app.WriteProfileInt(L"", ValueName(online, v.name), Stored(settings, v));
}
