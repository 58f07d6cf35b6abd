#pragma once
// FileCommands: the browser's commands on files: add a favourite folder, print, e-mail, and
// copy or move to the folder selected in the tree, to a favourite or to a picked folder, with
// the last copy or move kept so that "Last operate" repeats it. The list's commands take its
// selection (or the hovered item); the viewer calls the same commands with its own paths.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "FavoriteFolder.h"

class CPictureListView;
class CKQPrintWnd;

enum class CopyOrMove { Copy, Move };

// What the commands reach; the application wires the main frame's parts, tests their own.
struct FileCommandPlaces {
    CPictureListView* list = nullptr;
    CKQPrintWnd* printWnd = nullptr;
    CFavoriteFolder* favorites = nullptr;            // the tree's
    std::function<std::wstring()> treeFolder;        // the folder selected in the tree; empty: none
    std::function<std::wstring()> picturesFolder;    // the tree's Pictures item: the first target
    std::function<void(ST_FavFolder*)> showFavorite; // the tree lists a new favourite
    std::function<void()> afterMove;                 // tool bar and details pane catch up
    std::function<HMENU()> exportMenu;
    HWND owner = nullptr;
    HICON icon = nullptr;
};

// What one copy or move did.
struct CopyMoveResult {
    enum Outcome { NotRun, Done, Failed } outcome = NotRun;
    std::vector<std::wstring> taken; // the paths handed to the shell
    std::vector<std::wstring> gone;  // after a move: the paths whose files left
};

class FileCommands {
public:
    FileCommands();

    FileCommandPlaces places;
    // What the user is asked and told; tests put their own answers in place.
    std::function<int(const wchar_t* text, const wchar_t* caption, UINT type)> messageBox;
    std::function<void(const wchar_t* text, int style)> note;
    std::function<bool(std::wstring& folder)> pickFolder;
    std::function<bool()> confirmMove;
    // The favourite dialog, filled with the folder, name and icon, which it changes on OK.
    std::function<bool(std::wstring& folder, std::wstring& name, int& icon)> favoriteDialog;

    // Copy and move. A command with paths acts on them (the viewer's picture) and tells nothing;
    // without, on the list's selection or hovered item, with a note of the result. id is one of
    // the "Copy to" (32991-33010) or "Move to" (33011-33030) entries.
    CopyMoveResult ToFavorite(UINT id);
    CopyMoveResult ToFavorite(UINT id, const std::vector<std::wstring>& paths);
    CopyMoveResult ToPickedFolder(CopyOrMove operation);
    CopyMoveResult ToPickedFolder(CopyOrMove operation, const std::vector<std::wstring>& paths);
    CopyMoveResult RepeatLast();
    CopyMoveResult RepeatLast(const std::vector<std::wstring>& paths);

    // The hovered folder becomes a favourite through the dialog; false when none was added.
    bool AddFavorite();
    bool AddFavorite(const std::wstring& folder);
    // Print and mail the current picture, or the pictures given; nothing to act on gives the
    // note "Please select a picture file" and false.
    bool Print();
    bool Print(const std::wstring& path);
    bool EMail();
    bool EMail(const std::vector<std::wstring>& paths);

    // The Export menu's copy and move lists, the first target named when there is none yet.
    void UpdateMenus();

    CopyOrMove lastOperation = CopyOrMove::Copy;
    std::wstring lastTarget;

private:
    bool ChooseFavorite(UINT id);
    bool ChoosePickedFolder(CopyOrMove operation);
    void SetTarget(CopyOrMove operation, const std::wstring& folder, const std::wstring& name);
    bool EnsureTarget();
    CopyMoveResult Run(const std::vector<std::wstring>* paths);
    CopyMoveResult RunShell(const std::vector<std::wstring>& paths);
    std::vector<std::wstring> TakeFromList();
    void AfterListOperation(const CopyMoveResult& result);
};
