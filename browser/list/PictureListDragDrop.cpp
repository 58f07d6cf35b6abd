// Files dragged out of the list and dropped onto it.
#include "PictureListView.h"
#include "BrowserUtil.h"
#include "DragDataSource.h"
#include "LocalFileIO.h"
#include "PathFunc.h"

namespace {

bool IsFolder(const wchar_t* path)
{
    const DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder that holds path, without its last backslash.
std::wstring ParentOf(const std::wstring& path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    std::wstring x = a, y = b;
    while (!x.empty() && x.back() == L'\\')
        x.pop_back();
    while (!y.empty() && y.back() == L'\\')
        y.pop_back();
    return _wcsicmp(x.c_str(), y.c_str()) == 0;
}

} // namespace

bool CPictureListView::BeginDrag()
{
    m_dragFiles.RemoveAll();
    const int hovered = CKQPicListView::GetHoverItem(false, true);
    if (hovered < 0)
        return true;
    if (GetItemState(hovered) & KQLS_SELECTED) {
        for (int i = GetNextSelectItem(-1); i >= 0; i = GetNextSelectItem(i)) {
            const String path = GetItemFullFileName(i);
            if (!path.IsEmpty())
                m_dragFiles.Insert(BrowserString(path.GetString()));
        }
    } else {
        const String path = GetItemFullFileName(hovered);
        if (!path.IsEmpty())
            m_dragFiles.Insert(BrowserString(path.GetString()));
    }
    if (m_dragDrop && m_dragFiles.GetCount() > 0)
        m_dragDrop(m_dragFiles);
    return true;
}

// Each path is read at its own length: a path longer than MAX_PATH cut short would name
// another file.
void CPictureListView::OnDropFiles(HDROP drop)
{
    std::vector<std::wstring> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0)
            continue;
        std::wstring path(length + 1, L'\0');
        const UINT got = ::DragQueryFileW(drop, i, &path[0], length + 1);
        path.resize(got);
        paths.push_back(path);
    }
    POINT point = {};
    ::DragQueryPoint(drop, &point);
    ::DragFinish(drop);
    m_droppedPaths = paths;
    DropFiles(paths, CPoint(point));
}

bool CPictureListView::DropFiles(const std::vector<std::wstring>& paths, const CPoint& point)
{
    const std::wstring listFolder = m_strFolder.GetString();
    if (paths.empty() || listFolder.empty())
        return false;
    const int index = GetItemOnPoint(point, nullptr);
    const wchar_t* filter = m_strFilter.GetString();
    PathSet sources;
    bool move = false;
    std::wstring target;
    if (index >= 0 && (GetItemState(index) & KQLS_FOLDER)) {
        // Onto a sub-folder: a move when every file comes from the list's own folder.
        target = GetItemFullFileName(index).GetString();
        bool allFromHere = true;
        for (const std::wstring& path : paths) {
            const bool folder = IsFolder(path.c_str());
            if (!folder && !MatchWildcardList(filter, GetFileNamePart(path.c_str())))
                continue;
            if (SameFolder(path, target) || SameFolder(ParentOf(path), target))
                continue;
            if (!SameFolder(ParentOf(path), listFolder))
                allFromHere = false;
            sources.Insert(BrowserString(path.c_str()));
        }
        move = allFromHere;
    } else {
        if (!IsFolder(listFolder.c_str()))
            return false;
        target = listFolder;
        for (const std::wstring& path : paths) {
            if (IsFolder(path.c_str()) || !MatchWildcardList(filter, GetFileNamePart(path.c_str())))
                continue;
            if (SameFolder(ParentOf(path), listFolder))
                continue;
            sources.Insert(BrowserString(path.c_str()));
        }
    }
    if (sources.GetCount() == 0)
        return false;
    SHFILEOPSTRUCTW op;
    InitShellFileOp(op);
    op.hwnd = GetSafeHwnd();
    const bool done = ShellFileOperation(op, target.c_str(), sources, move, true);
    OpenFolder(listFolder.c_str(), true);
    return done;
}
