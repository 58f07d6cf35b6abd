#include "EditorHandOff.h"
#include "BaseUtil.h"
#include "EditorUtils.h"
#include "ProgramStart.h"

namespace {

struct ModeRow {
    HandOffMode mode;
    const wchar_t* switchText;
    int limit;
};

const ModeRow kModes[] = {
    {HandOffMode::Effect, L"/effect", 1}, {HandOffMode::Split, L"/split", 1},      {HandOffMode::Crop, L"/crop", 1},
    {HandOffMode::Page, L"/page", 16},    {HandOffMode::Combine, L"/combine", 25}, {HandOffMode::Edit, L"/editor", 9},
};

const ModeRow& Row(HandOffMode mode)
{
    for (const ModeRow& row : kModes)
        if (row.mode == mode)
            return row;
    return kModes[0];
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

} // namespace

const wchar_t* HandOffSwitch(HandOffMode mode)
{
    return Row(mode).switchText;
}

int HandOffLimit(HandOffMode mode)
{
    return Row(mode).limit;
}

HandOffPlan PlanEditorHandOff(HandOffMode mode, const std::vector<HandOffItem>& items)
{
    HandOffPlan plan;
    if (items.empty() || items.front().folder || items.front().path.empty())
        return plan;
    const std::wstring switchText = HandOffSwitch(mode);
    plan.start = true;
    switch (mode) {
    case HandOffMode::Effect:
    case HandOffMode::Split:
    case HandOffMode::Crop:
        plan.parameters = switchText + L" " + Quoted(items.front().path);
        break;
    case HandOffMode::Page:
    case HandOffMode::Combine:
        if (items.size() == 1) {
            plan.parameters = switchText + L" " + Quoted(items.front().path);
            break;
        }
        for (const HandOffItem& item : items) {
            if (item.folder || item.path.empty())
                continue;
            plan.listFile.push_back(item.path);
            if (int(plan.listFile.size()) == HandOffLimit(mode))
                break;
        }
        plan.parameters = switchText + L" /il ";
        break;
    case HandOffMode::Edit: {
        // Folders are not pictures: the editor would fail on each.
        plan.parameters = switchText;
        int taken = 0;
        for (const HandOffItem& item : items) {
            if (item.folder || item.path.empty())
                continue;
            plan.parameters += L" " + Quoted(item.path);
            if (++taken == HandOffLimit(mode))
                break;
        }
        break;
    }
    }
    return plan;
}

std::wstring LumivoToolsPath()
{
    wchar_t folder[MAX_PATH] = {};
    GetModuleDir(folder);
    return std::wstring(folder) + L"LumivoTools.exe";
}

bool StartEditorHandOff(const HandOffPlan& plan)
{
    if (!plan.start || !IsLumivoToolsInstalled())
        return false;
    std::wstring parameters = plan.parameters;
    if (!plan.listFile.empty()) {
        const std::wstring list = MakeFileListTempFile(plan.listFile);
        if (list.empty())
            return false;
        parameters += L"\"" + list + L"\"";
    }
    return RunAndWait(LumivoToolsPath().c_str(), parameters.c_str(), false);
}
