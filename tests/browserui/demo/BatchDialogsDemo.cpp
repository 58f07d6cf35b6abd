// The browser's batch dialogs and batch panel on their own, for a look at them:
//   BatchDialogsDemo.exe /dialog NAME [/lang LANGUAGE]
// NAME: convert, optimize, report, failures, rename, watermark, color, rotate, organize,
// condition, tiles. "failures FOLDER" first turns the pictures of the folder grey with KQBatch
// and lists the ones it could not write (a read-only picture, say). The previews show Data\Sample\Sample.webp; the watermark dialog opens with
// Data\Sample\Badge.png; the profile is kept in memory.
#include <windows.h>
#include <atomic>
#include <map>
#include <string>
#include "BatchRenameMethod.h"
#include "BatchTilePanel.h"
#include "DlgBatchColor.h"
#include "DlgBatchConvert.h"
#include "DlgBatchRename.h"
#include "DlgBatchReport.h"
#include "DlgBatchRotate.h"
#include "DlgBatchWatermark.h"
#include "DlgConditionSelect.h"
#include "DlgOptimize.h"
#include "DlgOptimizeReport.h"
#include "DlgOrganize.h"
#include "ZVUILibApp.h"

namespace {

class MemoryProfile : public ProfileStore {
public:
    std::map<std::wstring, int> ints;
    std::map<std::wstring, std::wstring> strings;
    int GetInt(const wchar_t* section, const wchar_t* name, int fallback) override
    {
        auto found = ints.find(Key(section, name));
        return found == ints.end() ? fallback : found->second;
    }
    void WriteInt(const wchar_t* section, const wchar_t* name, int value) override { ints[Key(section, name)] = value; }
    std::wstring GetString(const wchar_t* section, const wchar_t* name, const wchar_t* fallback) override
    {
        auto found = strings.find(Key(section, name));
        return found == strings.end() ? fallback : found->second;
    }
    void WriteString(const wchar_t* section, const wchar_t* name, const wchar_t* value) override
    {
        strings[Key(section, name)] = value;
    }
    static std::wstring Key(const wchar_t* section, const wchar_t* name) { return std::wstring(section) + L"/" + name; }
};

class IdleHost : public BatchHost {
public:
    std::vector<BatchListItem> GetSelectedItems() override { return {}; }
    BatchListItem GetHoverItem() override { return {}; }
    std::wstring GetPictureFilter() override { return L"*.*"; }
    void ShowBatchRunningNote() override {}
    void PostProgress(int) override {}
    void PostNote(const std::wstring&) override {}
    void PostFolderReload(int, const std::wstring&) override {}
    void PostItemDone(const BatchItemDone&) override {}
    void PostSummary(const BatchSummary&) override {}
};

// Hands the engine the pictures of a folder and keeps the end summary.
class FolderHost : public IdleHost {
public:
    explicit FolderHost(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found;
        HANDLE find = ::FindFirstFileW((folder + L"\\*.*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return;
        int index = 0;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                pictures.push_back(BatchListItem{index++, folder + L"\\" + found.cFileName});
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    std::vector<BatchListItem> GetSelectedItems() override { return pictures; }
    void PostSummary(const BatchSummary& done) override
    {
        summary = done;
        ended = true;
    }
    std::vector<BatchListItem> pictures;
    BatchSummary summary;
    std::atomic<bool> ended{false};
};

const wchar_t* ValueAfter(int argc, wchar_t** argv, const wchar_t* name)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (_wcsicmp(argv[i], name) == 0)
            return argv[i + 1];
    return nullptr;
}

// The demonstration lives below the program folder, beside which Data\ is.
std::wstring DataFile(const wchar_t* name)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.resize(folder.rfind(L'\\'));
    return folder + L"\\..\\Data\\" + name;
}

void ShowTiles()
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), L"Batch",
                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, CRect(40, 20, 220, 1040), nullptr, 0);
    CRect client;
    host.GetClientRect(&client);
    CDockBarBatch panel;
    panel.Create(client, &host, 1);
    panel.UpdateTileText();
    MSG msg;
    while (::IsWindow(host.GetSafeHwnd()) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // The templates are this program's: the library has dialogs of the same numbers.
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    if (const wchar_t* language = ValueAfter(argc, argv, L"/lang")) {
        CString path = CZVUILibApp::GetLanguageFolder().GetString();
        path += language;
        path += L".txt";
        LoadLanguageFile(path);
    }
    const std::wstring name = ValueAfter(argc, argv, L"/dialog") ? ValueAfter(argc, argv, L"/dialog") : L"watermark";
    MemoryProfile profile;
    IdleHost host;
    CBatchEngine engine(host);
    const std::wstring folder = L"C:\\users\\Public\\Pictures";
    const std::wstring sample = DataFile(L"Sample\\Sample.webp");
    if (name == L"convert") {
        CDlgBatchConvert(engine, folder, profile).DoModal();
    } else if (name == L"optimize") {
        CDlgOptimize(engine, folder, profile).DoModal();
    } else if (name == L"report") {
        CDlgOptimizeReport(uint64_t(12800) << 10, uint64_t(9472) << 10, 24).DoModal();
    } else if (name == L"failures") {
        BatchSummary summary;
        summary.total = 24;
        summary.failures = {{folder + L"\\Holiday\\IMG_0412.jpg", L"The picture cannot be written"}};
        if (const wchar_t* pictures = ValueAfter(argc, argv, L"failures")) {
            FolderHost run(pictures);
            CBatchEngine grey(run);
            if (grey.StartBatchCommand(L"GrayScale", nullptr))
                while (!run.ended)
                    ::Sleep(50);
            grey.StopBatchTask();
            summary = run.summary;
        }
        CDlgBatchReport(summary).DoModal();
    } else if (name == L"rename") {
        CDlgBatchRename(BatchRenameMethod(), profile).DoModal();
    } else if (name == L"watermark") {
        profile.strings[L"Batch/WatermarkImage"] = DataFile(L"Sample\\Badge.png");
        CDlgBatchWatermark(sample, profile).DoModal();
    } else if (name == L"color") {
        CDlgBatchColor(sample).DoModal();
    } else if (name == L"rotate") {
        CDlgBatchRotate(sample).DoModal();
    } else if (name == L"organize") {
        CDlgOrganize(engine, folder).DoModal();
    } else if (name == L"condition") {
        CDlgConditionSelect(profile, nullptr).DoModal();
    } else if (name == L"tiles") {
        ShowTiles();
    } else {
        return 2;
    }
    return 0;
}
