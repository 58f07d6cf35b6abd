#pragma once
// CFolderBrowser: the folder scan of a picture list. A worker thread walks one folder and fills
// the list's two entry lists, sub-folders and picture files, under the one lock that guards
// them; the owning view hears of progress only by a posted relayout message.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_set>
#include "FileIO.h"
#include "KQListFile.h"
#include "KQImageFile.h"
#include "ZVUILibDef.h"

class CKQPicListView;

class ZVUILIB_API CFolderBrowser {
public:
    typedef ALT::TString<wchar_t, 0, 8> String;

    CFolderBrowser();
    ~CFolderBrowser();
    CFolderBrowser(const CFolderBrowser&) = delete;
    CFolderBrowser& operator=(const CFolderBrowser&) = delete;

    void StartSearch(const wchar_t* folder);
    void StopSearch();
    // Frees every entry's pictures and empties both lists; the caller holds the lock.
    void ClearList();
    // index runs over the folders, then the files.
    bool Rename(int index, const wchar_t* name);
    void SearchThread();
    static XSCAN_RES XScanCallback(CFileIO* io, const wchar_t* path, unsigned long size, CFolderBrowser* browser);
    void GetFileInfo(const wchar_t* path, unsigned long size, IMAGR_FILE_INFO* info);
    bool IsStopped() const { return m_bStop; }
    // After a refreshing walk that went to its end: the listed names it did not meet.
    bool TakeMissing(std::unordered_set<std::wstring>& files, std::unordered_set<std::wstring>& folders);

    CFileIO* m_pFileIO;
    std::recursive_mutex m_lock;
    CKQPicListView* m_pOwner = nullptr;
    std::unique_ptr<std::thread> m_pThread;
    ALT::TList<CKQListFolder> m_lstFolder;
    ALT::TList<CKQListFile> m_lstFile;
    std::atomic<bool> m_bPosted{false};
    bool m_bReportFolder = true;
    bool m_bRecursive = false;
    std::atomic<bool> m_bStop{true};
    String m_strRoot;
    uint64_t m_nTotalSize = 0;

private:
    // The walk: the enumeration's own facts (attributes, size, times) serve each entry, so that
    // a file costs no call of its own.
    void Walk(const String& folder);
    XSCAN_RES TakeEntry(const wchar_t* path, uint64_t size, uint32_t attr, const WIN32_FIND_DATAW* found);
    // The names listed when a refreshing scan began, so that each lookup is one hash probe; a
    // name the walk meets leaves the set, so what stays at the end is gone from the folder.
    std::unordered_set<std::wstring> m_knownFiles;
    std::unordered_set<std::wstring> m_knownFolders;
    bool m_bRefreshing = false;
    bool m_bWalkStopped = false;
    bool m_bMissingKnown = false;
};
