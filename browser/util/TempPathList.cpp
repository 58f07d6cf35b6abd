#include "TempPathList.h"

CTempPathList::~CTempPathList()
{
    Cleanup();
}

void CTempPathList::AddTailStr(const wchar_t* path)
{
    if (path && *path)
        m_paths.AddTail(BrowserString(path));
}

bool CTempPathList::Cleanup()
{
    return DeletePathList(m_paths);
}
