// Copy, cut, paste, delete, rename and new folder on the list's files.
#include "PictureListView.h"
#include <shlobj.h>
#include "BrowserUtil.h"
#include "DragDataSource.h"
#include "LocalFileIO.h"
#include "PathFunc.h"
#include "MainFrame.h"
#include "ZVUILibApp.h"

namespace {

// The application's batch rename.
const UINT kBatchRenameCommand = 32945;

// The clipboard format by which the shell tells a cut from a copy.
UINT PreferredDropEffectFormat()
{
    static const UINT format = ::RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT);
    return format;
}

void PutFilesOnClipboard(HWND owner, const KQPathSet& files, bool cut)
{
    HGLOBAL drop = dragdrop::MakeDropFilesBlock(files);
    if (!drop)
        return;
    HGLOBAL effect = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    if (effect) {
        *static_cast<DWORD*>(::GlobalLock(effect)) = cut ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
        ::GlobalUnlock(effect);
    }
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(drop);
        if (effect)
            ::GlobalFree(effect);
        return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_HDROP, drop))
        ::GlobalFree(drop);
    if (effect && !::SetClipboardData(PreferredDropEffectFormat(), effect))
        ::GlobalFree(effect);
    ::CloseClipboard();
}

// The files another program put on the clipboard, and whether it asked for a move.
bool TakeFilesFromClipboard(HWND owner, PathSet& files, bool& cut)
{
    cut = false;
    if (!::IsClipboardFormatAvailable(CF_HDROP) || !::OpenClipboard(owner))
        return false;
    if (HANDLE data = ::GetClipboardData(CF_HDROP)) {
        HDROP drop = static_cast<HDROP>(data);
        const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
            std::wstring path(length + 1, L'\0');
            ::DragQueryFileW(drop, i, &path[0], length + 1);
            path.resize(length);
            if (!path.empty())
                files.Insert(BrowserString(path.c_str()));
        }
    }
    if (HANDLE effect = ::GetClipboardData(PreferredDropEffectFormat())) {
        if (const auto* value = static_cast<const DWORD*>(::GlobalLock(effect))) {
            cut = (*value & DROPEFFECT_MOVE) != 0;
            ::GlobalUnlock(effect);
        }
    }
    ::CloseClipboard();
    return files.GetCount() > 0;
}

PathSet HeldPaths(const CKQPicListView::PathFlags& held)
{
    PathSet paths;
    for (auto it = held.Begin(); !it.IsEnd(); it.Next())
        if (it.GetValue())
            paths.Insert(BrowserString(it.GetKey().GetString()));
    return paths;
}

} // namespace

// A name typed for a file or folder: one path component that Windows can create.
bool IsValidItemName(const wchar_t* name)
{
    if (!name || !*name)
        return false;
    const size_t length = wcslen(name);
    if (length >= MAX_PATH)
        return false;
    for (const wchar_t* p = name; *p; ++p)
        if (*p < 32 || wcschr(L"\\/:*?\"<>|", *p))
            return false;
    // "." and ".." name the folder itself and its parent; a trailing dot or blank is dropped by
    // the system, which would give another name than the one typed.
    const wchar_t last = name[length - 1];
    return last != L'.' && last != L' ';
}

void CPictureListView::AfterFileChange()
{
    RecalclayoutIcon(true);
    DrawListView();
    if (CWnd* frame = GetParent())
        frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
}

void CPictureListView::CopyOrCut(bool cut)
{
    m_strSourceFolder = m_strFolder;
    m_copyPaths.RemoveAll();
    m_cutPaths.RemoveAll();
    PathFlags& held = cut ? m_cutPaths : m_copyPaths;
    KQPathSet clip;
    if (GetNextSelectItem(-1) < 0) {
        const int index = CKQPicListView::GetHoverItem(false, false);
        if (index < 0) {
            UpdateItemCopyCutState();
            Note(TranslateString(L"Please select a picture file"));
            return;
        }
        held.Insert(GetItemFullFileName(index), true);
    } else {
        for (int i = GetNextSelectItem(-1); i >= 0; i = GetNextSelectItem(i))
            held.Insert(GetItemFullFileName(i), true);
    }
    for (auto it = held.Begin(); !it.IsEnd(); it.Next())
        clip.Insert(BrowserString(it.GetKey().GetString()));
    UpdateItemCopyCutState();
    PutFilesOnClipboard(GetSafeHwnd(), clip, cut);
    AfterFileChange();
}

void CPictureListView::Paste()
{
    const String folder = m_strFolder;
    if (folder.IsEmpty())
        return;
    PathSet sources;
    bool move = false;
    String sourceFolder = m_strSourceFolder;
    if (m_cutPaths.GetCount() > 0) {
        sources = HeldPaths(m_cutPaths);
        move = true;
    } else if (m_copyPaths.GetCount() > 0) {
        sources = HeldPaths(m_copyPaths);
    } else if (TakeFilesFromClipboard(GetSafeHwnd(), sources, move)) {
        // Files from another program: a copy onto themselves takes new names like ours.
        sourceFolder = String();
        for (PathSet::Iter it = sources.Begin(); !it.IsEnd(); it.Next()) {
            const wchar_t* name = GetFileNamePart(it.GetKey().GetString());
            if (name != it.GetKey().GetString())
                sourceFolder = String(std::wstring(it.GetKey().GetString(), name - it.GetKey().GetString() - 1).c_str());
            break;
        }
    }
    if (sources.GetCount() == 0)
        return;
    // The pasted files come last, where the user looks for them, until the list is sorted again.
    gKQListView_SortType = KQ_LIST_SORT_NONE;
    const int before = GetItemCount();
    SHFILEOPSTRUCTW op;
    InitShellFileOp(op);
    op.hwnd = GetSafeHwnd();
    ShellFileOperation(op, folder.GetString(), sources, move, _wcsicmp(sourceFolder.GetString(), folder.GetString()) == 0);
    m_copyPaths.RemoveAll();
    m_cutPaths.RemoveAll();
    UpdateItemCopyCutState();
    m_nRevealAfterScan = before;
    OpenFolder(folder.GetString(), true);
    AfterFileChange();
}

void CPictureListView::DeleteFiles()
{
    const int current = GetCurrentItem(true);
    if (current < 0) {
        Ask(TranslateString(L"Please select picture files"), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (Ask(TranslateString(L"Are you sure to delete the file(s) ?"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    KQPathSet paths;
    paths.Insert(BrowserString(GetItemFullFileName(current).GetString()));
    if (GetItemState(current) & KQLS_SELECTED)
        for (int i = GetNextSelectItem(current); i >= 0; i = GetNextSelectItem(i))
            paths.Insert(BrowserString(GetItemFullFileName(i).GetString()));
    if (m_recycle)
        m_recycle(paths);
    // Only what is gone leaves the list: a file the shell kept stays listed.
    Lock();
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        const bool chosen = (GetItemState(i) & KQLS_SELECTED) || i == current;
        if (chosen && GetLocalFileIO().GetAttr(GetItemFullFileName(i).GetString()) == FILEIO_ATTR_INVALID)
            DeleteItem(i, false, false);
    }
    Unlock();
    AfterFileChange();
}

void CPictureListView::RenameItem()
{
    int index = GetNextSelectItem(-1);
    if (index >= 0) {
        const int second = GetNextSelectItem(index);
        if (second >= 0 && !(GetItemState(index) & KQLS_FOLDER) && !(GetItemState(second) & KQLS_FOLDER)) {
            // Several pictures: the application's batch rename.
            if (CWnd* frame = GetParent())
                frame->SendMessage(WM_COMMAND, kBatchRenameCommand);
            return;
        }
    } else {
        index = CKQPicListView::GetHoverItem(false, true);
    }
    if (index < 0) {
        Note(TranslateString(L"Please select a picture file"));
        return;
    }
    const bool folder = (GetItemState(index) & KQLS_FOLDER) != 0;
    const String path = GetItemFullFileName(index);
    const wchar_t* namePart = GetFileNamePart(path.GetString());
    std::wstring name = namePart;
    std::wstring extension;
    if (!folder) {
        const size_t dot = name.rfind(L'.');
        if (dot != std::wstring::npos && dot > 0) {
            extension = name.substr(dot);
            name.erase(dot);
        }
    }
    wchar_t text[MAX_PATH] = {};
    wcsncpy(text, name.c_str(), MAX_PATH - 1);
    if (!m_inputText || !m_inputText(text, TranslateString(L"Rename"), TranslateString(L"Please input")) || !text[0])
        return;
    const std::wstring typed = std::wstring(text) + extension;
    if (!IsValidItemName(typed.c_str())) {
        Ask(TranslateString(L"A name may not hold any of these characters: \\ / : * ? \" < > |"), MB_OK | MB_ICONWARNING);
        return;
    }
    const std::wstring parent(path.GetString(), namePart - path.GetString());
    const std::wstring target = parent + typed;
    if (target == path.GetString())
        return;
    if (!::MoveFileW(path.GetString(), target.c_str())) {
        CString message;
        message.Format(L"%s \r\n\"%s\"", TranslateString(L"Fail to rename"), typed.c_str());
        Ask(message, MB_OK | MB_ICONERROR);
        return;
    }
    m_folderBrowser.Rename(index, typed.c_str());
    if (m_handedOver == path.GetString())
        m_handedOver = target;
    PostUpdateView();
}

void CPictureListView::NewFolder()
{
    if (m_strFolder.IsEmpty())
        return;
    wchar_t text[MAX_PATH] = {};
    wcsncpy(text, TranslateString(L"New Folder"), MAX_PATH - 1);
    if (!m_inputText || !m_inputText(text, TranslateString(L"New folder name"), TranslateString(L"Please input")) || !text[0])
        return;
    if (!IsValidItemName(text)) {
        Ask(TranslateString(L"A name may not hold any of these characters: \\ / : * ? \" < > |"), MB_OK | MB_ICONWARNING);
        return;
    }
    std::wstring path = m_strFolder.GetString();
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    path += text;
    if (path.size() >= MAX_PATH) {
        Ask(TranslateString(L"Fail to create this folder"), MB_OK | MB_ICONERROR);
        return;
    }
    wchar_t unique[MAX_PATH] = {};
    wcscpy(unique, path.c_str());
    if (CreateUniqueDir(unique) != ERROR_SUCCESS) {
        Ask(TranslateString(L"Fail to create this folder"), MB_OK | MB_ICONERROR);
        return;
    }
    Lock();
    m_folderBrowser.m_lstFolder.AddTail(CKQListFolder(GetFileNamePart(unique)));
    const int last = m_folderBrowser.m_lstFolder.GetCount() - 1;
    Unlock();
    if (m_bLoading || !m_strSplash.IsEmpty())
        ShowSplash(nullptr, -1);
    RecalclayoutIcon(true);
    EnsureVisible(last, true);
    PostUpdateView();
}
