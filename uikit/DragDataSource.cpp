#include "DragDataSource.h"
#include <shlobj.h>
#include <cstring>

HGLOBAL dragdrop::MakeDropFilesBlock(const KQPathSet& files)
{
    // The same list form as the shell's file operations: paths ended by zeros, one more zero.
    const std::vector<wchar_t> list = recyclebin::MakePathList(files);
    if (list.size() < 2)
        return nullptr;
    const unsigned long long bytes = sizeof(DROPFILES) + static_cast<unsigned long long>(list.size()) * sizeof(wchar_t);
    if (bytes > MAXDWORD)
        return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, static_cast<SIZE_T>(bytes));
    if (!block)
        return nullptr;
    auto* header = static_cast<DROPFILES*>(::GlobalLock(block));
    if (!header) {
        ::GlobalFree(block);
        return nullptr;
    }
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(block);
    return block;
}

void DragDropFileList(const KQPathSet& files, bool move)
{
    HGLOBAL block = dragdrop::MakeDropFilesBlock(files);
    if (!block)
        return;
    CDragDataSource dropSource(files);
    COleDataSource data;
    data.CacheGlobalData(CF_HDROP, block);
    data.DoDragDrop(move ? DROPEFFECT_MOVE : DROPEFFECT_COPY, nullptr, &dropSource);
}
