#include "RecycleBin.h"
#include "ShellService.h"

std::vector<wchar_t> recyclebin::MakePathList(const KQPathSet& paths)
{
    std::vector<wchar_t> list;
    for (KQPathSet::Iter it = paths.Begin(); !it.IsEnd(); it.Next()) {
        const ALT::TString<wchar_t, 0, 8>& path = it.GetKey();
        // An empty entry would end the list early and leave the paths after it alone.
        if (path.IsEmpty())
            continue;
        list.insert(list.end(), path.GetString(), path.GetString() + path.GetLength());
        list.push_back(0);
    }
    list.push_back(0);
    return list;
}

void InitShellFileOp(SHFILEOPSTRUCTW& op)
{
    op = SHFILEOPSTRUCTW{};
}

bool DeleteToRecycleBin(SHFILEOPSTRUCTW& op, const KQPathSet& paths)
{
    const std::vector<wchar_t> list = recyclebin::MakePathList(paths);
    if (list.size() < 2)
        return false;
    op.wFunc = FO_DELETE;
    op.pFrom = list.data();
    op.pTo = nullptr;
    op.fFlags |= FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    op.fAnyOperationsAborted = FALSE;
    const int result = zvui::Shell().FileOperation(op);
    op.pFrom = nullptr;   // the list dies here; the record outlives it
    // The shell answers 0 also when it gave up part-way.
    return result == 0 && !op.fAnyOperationsAborted;
}

bool DeleteFileToRecycleBin(SHFILEOPSTRUCTW& op, const wchar_t* path)
{
    KQPathSet one;
    one.Insert(path ? path : L"");
    return DeleteToRecycleBin(op, one);
}
