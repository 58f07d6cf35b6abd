#pragma once
// The rules of the copy and move commands that need no window: which favourite a menu command
// means, how a target folder is named, and which items a move takes out of the list.
#include <functional>
#include <string>
#include <vector>

// The favourite a command of a range starting at firstFavoriteId means, checked against the list
// as it is at the click: -1 when a menu built before a favourite was removed reaches past it.
int FavoriteIndexForCommand(unsigned id, unsigned firstFavoriteId, int favoriteCount);
// The part after the last backslash; a drive root ("D:\") is named by its whole path.
std::wstring TargetFolderName(const std::wstring& folder);
// After a move, the paths whose files are gone: only those leave the list.
std::vector<std::wstring> PathsMovedAway(const std::vector<std::wstring>& paths,
                                         const std::function<bool(const std::wstring&)>& exists);
