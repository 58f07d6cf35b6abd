#pragma once
// Handing pictures of the list to the editor, LumivoTools.exe, in one of its modes. What is
// passed is a pure function of the current picture and the selection that follows it; the start
// itself goes through the shell service, so that tests read the command line.
#include <string>
#include <vector>

enum class HandOffMode { Effect, Split, Crop, Page, Combine, Edit };

// One item as the hand-off sees it: the current picture first, then every selected item after
// it in list order.
struct HandOffItem {
    std::wstring path;
    bool folder = false;
};

struct HandOffPlan {
    bool start = false;                 // false: nothing to hand over
    std::wstring parameters;            // the whole line when listFile is empty
    std::vector<std::wstring> listFile; // pictures for a list file, passed with " /il "
};

// The editor's switch of a mode, with its slash: "/effect".
const wchar_t* HandOffSwitch(HandOffMode mode);
// The most pictures a mode takes: 1, 16 for Page, 25 for Combine, 9 for Edit.
int HandOffLimit(HandOffMode mode);
HandOffPlan PlanEditorHandOff(HandOffMode mode, const std::vector<HandOffItem>& items);

// Writes the list file when the plan has one and starts the editor without waiting. False when
// the editor is missing (nothing started: the caller shows the install dialog), the list file
// could not be written, or the start failed.
bool StartEditorHandOff(const HandOffPlan& plan);
// LumivoTools.exe beside this program.
std::wstring LumivoToolsPath();
