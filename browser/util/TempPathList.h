#pragma once
// Temporary files and folders of one job, deleted together when the owner goes, however it goes.
#include "BrowserUtil.h"

class CTempPathList {
public:
    CTempPathList() = default;
    ~CTempPathList();
    CTempPathList(const CTempPathList&) = delete;
    CTempPathList& operator=(const CTempPathList&) = delete;

    void AddTailStr(const wchar_t* path);
    // Deletes every path now; false when one of them could not be deleted.
    bool Cleanup();
    int GetCount() const { return m_paths.GetCount(); }

private:
    PathList m_paths;
};
