#pragma once
// CPictureListView: the browser's one picture list. It tells the main frame what a folder scan
// found (on the window's thread, each time the list lays itself out), keeps its display settings,
// keeps the picture handed to the editor (reloaded when the editor ends) and owns the batch
// thread that the main frame asks about and stops.
#include <windows.h>
#include <string>
#include "KQPicListView.h"
#include "ListDisplaySettings.h"

class CPictureListView : public CKQPicListView {
public:
    CPictureListView();
    ~CPictureListView() override;

    // A new thumbnail in the viewer's strip redraws the strip.
    void OnIconLoadedUpdate(int index) override;

    // Files, folders and the files' total size of the shown folder.
    struct FolderCounts {
        int files = 0;
        int folders = 0;
        uint64_t totalSize = 0;
    };
    FolderCounts CountItems();
    // Reads the folder once the messages waiting now are handled.
    void OpenFolder(const wchar_t* folder);
    // The picture (empty: none) is selected and shown when the next scan lists it.
    void SelectWhenListed(const wchar_t* path) { m_selectWhenListed = path ? path : L""; }

    // The picture handed to the editor; kept by its path, since the list may change meanwhile.
    void SetHandedOver(const wchar_t* path) { m_handedOver = path ? path : L""; }
    const std::wstring& GetHandedOver() const { return m_handedOver; }
    int FindItemByPath(const wchar_t* path);
    // Reads the handed-over picture again when it is still listed; false when there is none.
    bool ReloadHandedOver();

    // The batch thread: a running one polls the stop flag and ends when it is set.
    bool IsBatchRunning() const;
    bool IsBatchStopping() const { return m_bBatchStop != 0; }
    void StartBatchThread(LPTHREAD_START_ROUTINE routine, void* parameter);
    void StopBatchTask();
    volatile LONG m_bBatchStop = 0;

    // The display settings: the set shown now is taken from the list's own options.
    ListDisplaySettings CurrentDisplaySettings() const;
    void ApplyDisplaySettings(const ListDisplaySettings& settings, bool redraw);
    // Every display, sort and icon-size command calls this; the settings are written when the
    // window goes, and only then.
    void SetDisplaySettingsChanged() { m_bSettingsChanged = true; }
    bool m_bOnlineMode = false;
    ListDisplaySettings m_localDisplay = {};
    ListDisplaySettings m_onlineDisplay = {};
    bool m_bSettingsChanged = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnUpdateView(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenPendingFolder(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_handedOver;
    std::wstring m_pendingFolder;
    std::wstring m_selectWhenListed;
    bool m_bSelectArmed = false; // the scan that should list it has started
    HANDLE m_hBatchThread = nullptr;
};
