#pragma once
// The Export menu that the tool bar and the list's item button pop up: its Print and EMail or
// Add Favorite entries, and its "Copy to" and "Move to" lists of favourite folders.
#include <windows.h>
#include <string>
#include <vector>

// Each takes the menu's pop-up: "Last operate", "Copy to", "Move to", a separator, then the
// entries for the item.

// Print and EMail (favorites false) or Add Favorite (true) after the copy and move entries.
void SetExportMenuMode(HMENU menu, bool favorites);

// The folders the copy and move entries name.
struct CopyMoveMenuFolders {
    std::wstring treeFolder;           // the folder selected in the tree: the first entry of each list
    std::vector<std::wstring> favorites; // the favourites' names, in the tree's order
};
// Rebuilds "Copy to" and "Move to": the tree's folder first, then one entry per favourite (at
// most 19 each), then "Select Folder"; the texts translated.
void UpdateCopyMoveMenus(HMENU menu, const CopyMoveMenuFolders& folders);
// "Last operate" reads "%s %s" of the two texts ("Copy to", the target's name).
void SetCopyToMenuText(HMENU menu, const wchar_t* operation, const wchar_t* target);
