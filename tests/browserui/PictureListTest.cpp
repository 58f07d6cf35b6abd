// The browser's picture list in the real main frame: the editor hand-off, the selection, the
// file commands on a temporary folder through the real shell, keys during a batch, dropped and
// dragged files, the wallpaper routines and the resize of one picture.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>
#include <algorithm>
#include <string>
#include <vector>
#include "DragDataSource.h"
#include "EditorHandOff.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PaneView.h"
#include "PicDetailWnd.h"
#include "PathFunc.h"
#include "ProgramStart.h"
#include "ShellService.h"
#include "TestSupport.h"
#include "Wallpaper.h"
#include "WallpaperCommands.h"
#include "WindowTestApp.h"
#include "ZVImage.h"
#include "ZVShellTree.h"
#include "ZVUILibApp.h"

// Named: the test files of this program are compiled together.
namespace picturelisttest {

using testsupport::TempFolder;

const wchar_t kProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";

// A width x height 24-bit bitmap of one grey.
std::string Bitmap(int width = 2, int height = 2)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, DWORD(stride * height), 0, 0, 0, 0};
    file.bfSize = file.bfOffBits + stride * height;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(size_t(stride * height), '\x80');
    return bytes;
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The shell as the list uses it: file operations are the system's, program starts are written
// down and start nothing.
class RecordingShell : public zvui::ShellService {
public:
    RecordingShell() { m_before = zvui::SetShellService(this); }
    ~RecordingShell() override { zvui::SetShellService(m_before); }
    struct Start {
        std::wstring program, parameters;
    };
    std::vector<Start> starts;

    int FileOperation(SHFILEOPSTRUCTW& op) override { return ::SHFileOperationW(&op); }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring&) override { return false; }
    bool ConnectedState(DWORD&) override { return false; }
    win32::KernelHandle StartProgram(const wchar_t* program, const wchar_t* parameters, const wchar_t*, int) override
    {
        starts.push_back(Start{program ? program : L"", parameters ? parameters : L""});
        // A handle that is valid and already signalled: the start "worked".
        return win32::KernelHandle(::CreateEventW(nullptr, TRUE, TRUE, nullptr));
    }

private:
    zvui::ShellService* m_before = nullptr;
};

// The system's list files, with the editor there or not as the test says.
class ToolsStarter : public ProgramStarter {
public:
    ToolsStarter() { m_before = SetProgramStarter(this); }
    ~ToolsStarter() override { SetProgramStarter(m_before); }
    bool installed = true;
    std::wstring MakeFileListTempFile(const std::vector<std::wstring>& paths) override
    {
        // The starter before this one writes it (null: the system's).
        SetProgramStarter(m_before);
        const std::wstring list = ::MakeFileListTempFile(paths);
        SetProgramStarter(this);
        return list;
    }
    bool RunProgramWait(const wchar_t*, const wchar_t*) override { return false; }
    CaptureResult RunProgramCapture(const wchar_t*, const wchar_t*, HANDLE, DWORD) override { return CaptureResult(); }
    bool IsLumivoToolsInstalled() override { return installed; }

private:
    ProgramStarter* m_before = nullptr;
};

class FakeDesktop : public DesktopService {
public:
    FakeDesktop() { m_before = SetDesktopService(this); }
    ~FakeDesktop() override { SetDesktopService(m_before); }
    bool SetWallpaper(const wchar_t* path, int style) override
    {
        file = path;
        this->style = style;
        ++sets;
        return answer;
    }
    bool MinimizeAll() override
    {
        ++minimized;
        return true;
    }
    RECT WorkArea() override { return RECT{0, 0, 40, 30}; }
    bool HasCropToFit() override { return true; }
    std::wstring file;
    int style = -1;
    int sets = 0;
    int minimized = 0;
    bool answer = true;

private:
    DesktopService* m_before = nullptr;
};

// The main frame over a folder of three pictures and one sub-folder, with the list's questions
// answered by the test.
class PictureListTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        for (const wchar_t* name : {L"a.bmp", L"b.bmp", L"c.bmp"})
            ASSERT_TRUE(TempFolder::Put(temp.At(name), Bitmap(64, 48)));
        ASSERT_TRUE(::CreateDirectoryW(temp.At(L"sub").c_str(), nullptr));
        app = GetLumivoShowsApp();
        ASSERT_NE(app, nullptr);
        ASSERT_TRUE(app->Prepare((L"\"" + temp.Root() + L"\"").c_str()));
        ASSERT_TRUE(app->CreateMainFrame());
        frame = app->m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil([&] { return List().GetItemCount() == 4 && !List().IsScanning(); }));
        Settle();
        PumpPending();
        List().m_messageBox = [this](const wchar_t* text, UINT) {
            boxes.push_back(text);
            return answer;
        };
        List().m_inputText = [this](wchar_t* text, const wchar_t* prompt, const wchar_t*) {
            prompts.push_back(std::wstring(prompt) + L"|" + text);
            if (typed.empty())
                return false;
            wcscpy(text, typed.c_str());
            return true;
        };
        List().m_popupNote = [this](const wchar_t* text) { notes.push_back(text); };
        List().m_showInstallDialog = [this] { ++installDialogs; };
        List().m_dragDrop = [this](const KQPathSet& files) {
            dragged.clear();
            for (auto it = files.Begin(); !it.IsEnd(); it.Next())
                dragged.push_back(it.GetKey().GetString());
        };
        List().m_recycle = [](const KQPathSet& paths) {
            bool all = true;
            for (auto it = paths.Begin(); !it.IsEnd(); it.Next())
                all = (::DeleteFileW(it.GetKey().GetString()) || ::RemoveDirectoryW(it.GetKey().GetString())) && all;
            return all;
        };
    }
    void TearDown() override
    {
        if (frame && ::IsWindow(frame->GetSafeHwnd())) {
            List().StopBatchTask();
            app->m_pMainWnd = nullptr;
            frame->DestroyWindow();
            PumpPending();
        }
        app->m_pMainFrame = nullptr;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    CPictureListView& List() { return frame->m_wndList; }
    int Index(const wchar_t* name) { return List().FindItemByPath(temp.At(name).c_str()); }
    void Select(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names)
            List().SetItemState(Index(name), KQLS_SELECTED, 0);
    }
    // As a menu sends it: through the frame, which asks the list first, then the application.
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
    // Until every picture has its thumbnail.
    bool Settle()
    {
        return PumpUntil(
            [&] {
                for (int i = 0; i < List().GetItemCount(); ++i) {
                    KQ_PIC_LIST_ITEM item = {};
                    List().Lock();
                    const bool waiting = List().GetItem(i, &item) && !(item.nState & KQLS_FOLDER) &&
                                         (!item.pImage || item.pImage == List().GetLoadingImage());
                    List().Unlock();
                    if (waiting)
                        return false;
                }
                return true;
            },
            10000);
    }
    // Reads the folder again and waits for its scan.
    void Reopen(const std::wstring& folder, size_t count)
    {
        List().OpenFolder(folder.c_str());
        ASSERT_TRUE(PumpUntil([&] { return size_t(List().GetItemCount()) == count && !List().IsScanning(); }))
            << List().GetItemCount();
    }
    // A client point over the item.
    CPoint PointOn(int index)
    {
        CRect client;
        List().GetClientRect(&client);
        for (int y = 0; y < client.bottom; y += 4)
            for (int x = 0; x < client.right; x += 4)
                if (List().GetItemOnPoint(CPoint(x, y), nullptr) == index)
                    return CPoint(x, y);
        return CPoint(-1, -1);
    }
    CPoint EmptyPoint()
    {
        CRect client;
        List().GetClientRect(&client);
        for (int y = client.bottom - 1; y > 0; y -= 4)
            for (int x = client.right - 1; x > 0; x -= 4)
                if (List().GetItemOnPoint(CPoint(x, y), nullptr) < 0)
                    return CPoint(x, y);
        return CPoint(-1, -1);
    }
    // Sends a real drop of the paths at the client point.
    void Drop(const std::vector<std::wstring>& paths, CPoint at)
    {
        KQPathSet set;
        for (const std::wstring& path : paths)
            set.Insert(ALT::TString<wchar_t, 0, 8>(path.c_str()));
        HGLOBAL block = dragdrop::MakeDropFilesBlock(set);
        ASSERT_NE(block, nullptr);
        auto* files = static_cast<DROPFILES*>(::GlobalLock(block));
        files->pt = at;
        files->fNC = FALSE;
        ::GlobalUnlock(block);
        List().SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(block));
        PumpPending();
    }

    TempFolder temp;
    CLumivoShowsApp* app = nullptr;
    CMainFrame* frame = nullptr;
    std::vector<std::wstring> boxes, prompts, notes, dragged;
    int answer = IDYES;
    std::wstring typed;
    int installDialogs = 0;
};

// ---------------------------------------------------------------------------------------------
// The hand-off to the editor as a function of the current picture and the selection after it

std::vector<HandOffItem> Pictures(int count, int folderEvery = 0)
{
    std::vector<HandOffItem> items;
    for (int i = 0; i < count; ++i) {
        const bool folder = folderEvery && i % folderEvery == folderEvery - 1;
        items.push_back(HandOffItem{L"C:\\p\\" + std::to_wstring(i) + (folder ? L"" : L".jpg"), folder});
    }
    return items;
}

TEST(EditorHandOffPlan, TakesWhatEachModeHolds)
{
    struct Case {
        HandOffMode mode;
        int selected;
        int folderEvery;
        size_t listed;        // pictures in the list file
        std::wstring start;   // the line, or its beginning before the list file
        int quotedOnLine;     // quoted paths on the line
    } cases[] = {
        {HandOffMode::Combine, 30, 0, 25, L"/combine /il ", 0},
        {HandOffMode::Page, 20, 0, 16, L"/page /il ", 0},
        {HandOffMode::Page, 1, 0, 0, L"/page \"C:\\p\\0.jpg\"", 1},
        {HandOffMode::Combine, 1, 0, 0, L"/combine \"C:\\p\\0.jpg\"", 1},
        {HandOffMode::Edit, 12, 0, 0, L"/editor \"C:\\p\\0.jpg\"", 9},
        // Every third item a folder: skipped, so nine pictures still come from fourteen items.
        {HandOffMode::Edit, 14, 3, 0, L"/editor \"C:\\p\\0.jpg\"", 9},
        {HandOffMode::Page, 6, 3, 4, L"/page /il ", 0},
        {HandOffMode::Effect, 5, 0, 0, L"/effect \"C:\\p\\0.jpg\"", 1},
        {HandOffMode::Split, 5, 0, 0, L"/split \"C:\\p\\0.jpg\"", 1},
        {HandOffMode::Crop, 5, 0, 0, L"/crop \"C:\\p\\0.jpg\"", 1},
    };
    for (const Case& c : cases) {
        const HandOffPlan plan = PlanEditorHandOff(c.mode, Pictures(c.selected, c.folderEvery));
        SCOPED_TRACE(c.start);
        EXPECT_TRUE(plan.start);
        EXPECT_EQ(plan.listFile.size(), c.listed);
        EXPECT_EQ(plan.parameters.compare(0, c.start.size(), c.start), 0) << plan.parameters;
        EXPECT_EQ(std::count(plan.parameters.begin(), plan.parameters.end(), L'"'), 2 * c.quotedOnLine) << plan.parameters;
        EXPECT_EQ(plan.parameters.find(L".jpg\"") == std::wstring::npos, c.quotedOnLine == 0);
        for (const std::wstring& path : plan.listFile)
            EXPECT_NE(path.find(L".jpg"), std::wstring::npos) << "a folder in the list";
    }
    EXPECT_FALSE(PlanEditorHandOff(HandOffMode::Edit, {}).start);
    EXPECT_FALSE(PlanEditorHandOff(HandOffMode::Edit, {HandOffItem{L"C:\\p\\dir", true}}).start);
}

TEST_F(PictureListTest, HandOffStartsTheEditorWithAListFile)
{
    RecordingShell shell;
    ToolsStarter tools;
    Select({L"a.bmp", L"sub", L"b.bmp", L"c.bmp"});
    Command(ID_PROCESS_COMBINE);
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, LumivoToolsPath());
    const std::wstring& line = shell.starts[0].parameters;
    ASSERT_EQ(line.compare(0, 14, L"/combine /il \""), 0) << line;
    const std::wstring list = line.substr(14, line.size() - 15);
    const std::string text = TempFolder::Get(list);
    ::DeleteFileW(list.c_str());
    // UTF-16 lines of the three pictures, the folder left out.
    std::wstring lines(reinterpret_cast<const wchar_t*>(text.data()), text.size() / 2);
    EXPECT_NE(lines.find(temp.At(L"c.bmp")), std::wstring::npos);
    EXPECT_EQ(lines.find(temp.At(L"sub")), std::wstring::npos);
    EXPECT_EQ(List().GetHandedOver(), temp.At(L"a.bmp"));

    // Edit passes the pictures on its line, the folder again left out.
    Command(ID_PROCESS_EDIT);
    ASSERT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(shell.starts[1].parameters, L"/editor \"" + temp.At(L"a.bmp") + L"\" \"" + temp.At(L"b.bmp") + L"\" \"" +
                                              temp.At(L"c.bmp") + L"\"");

    // Without the editor the install dialog opens and nothing starts.
    tools.installed = false;
    Command(ID_PROCESS_EFFECT);
    EXPECT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(installDialogs, 1);
}

TEST_F(PictureListTest, OpenFolderStartsTheExplorerOrASecondBrowser)
{
    RecordingShell shell;
    List().m_nHover = Index(L"b.bmp");
    Command(ID_OPEN_FOLDER_WINDOWS);
    List().m_nHover = Index(L"sub");
    Command(ID_OPEN_FOLDER_WINDOWS);
    List().m_nHover = -1;
    Command(ID_OPEN_FOLDER_WINDOWS);
    List().m_nHover = Index(L"b.bmp");
    Command(ID_OPEN_FOLDER_LUMIVO);
    ASSERT_EQ(shell.starts.size(), 4u);
    EXPECT_EQ(shell.starts[0].program, L"explorer");
    EXPECT_EQ(shell.starts[0].parameters, L"/select,\"" + temp.At(L"b.bmp") + L"\"");
    EXPECT_EQ(shell.starts[1].parameters, L"\"" + temp.At(L"sub") + L"\"");
    EXPECT_EQ(shell.starts[2].parameters, temp.Root());
    EXPECT_EQ(shell.starts[3].parameters, L"\"" + temp.Root() + L"\"");
}

// ---------------------------------------------------------------------------------------------
// Selection

TEST_F(PictureListTest, SelectAllTakesThePicturesThenEverything)
{
    auto selected = [&] {
        std::wstring names;
        for (int i = List().GetNextSelectItem(-1); i >= 0; i = List().GetNextSelectItem(i))
            names += std::wstring(GetFileNamePart(List().GetItemFullFileName(i).GetString())) + L" ";
        return names;
    };
    Command(ID_LIST_SELECT_ALL);
    EXPECT_EQ(selected(), L"a.bmp b.bmp c.bmp ");
    Command(ID_LIST_SELECT_ALL);
    EXPECT_EQ(selected(), L"sub a.bmp b.bmp c.bmp ");
    Command(ID_LIST_SELECT_ALL);
    EXPECT_EQ(selected(), L"a.bmp b.bmp c.bmp ");

    List().SetItemState(Index(L"a.bmp"), 0, KQLS_SELECTED);
    Command(ID_LIST_INVERT);
    EXPECT_EQ(selected(), L"sub a.bmp ");

    // With a selection Deselect clears it and keeps what is held; without one it forgets that.
    Command(ID_LIST_COPY);
    Command(ID_LIST_DESELECT);
    EXPECT_EQ(selected(), L"");
    EXPECT_EQ(List().m_copyPaths.GetCount(), 2);
    Command(ID_LIST_DESELECT);
    EXPECT_EQ(List().m_copyPaths.GetCount(), 0);
    EXPECT_EQ(List().GetItemState(Index(L"a.bmp")) & KQLS_COPIED, 0u);
}

// ---------------------------------------------------------------------------------------------
// Files, through the real shell

TEST_F(PictureListTest, CopyThenPasteIntoTheSourceFolderMakesTildeCopies)
{
    Select({L"a.bmp", L"b.bmp"});
    Command(ID_LIST_COPY);
    EXPECT_NE(List().GetItemState(Index(L"a.bmp")) & KQLS_COPIED, 0u);
    // A sorted list forgets its order, so that the copies come last.
    gKQListView_SortType = KQ_LIST_SORT_NAME;
    Command(ID_LIST_PASTE);
    EXPECT_EQ(gKQListView_SortType, KQ_LIST_SORT_NONE);
    ASSERT_TRUE(PumpUntil([&] { return List().GetItemCount() == 6 && !List().IsScanning(); })) << List().GetItemCount();
    EXPECT_TRUE(Exists(temp.At(L"a~1.bmp")));
    EXPECT_TRUE(Exists(temp.At(L"b~1.bmp")));
    EXPECT_TRUE(TempFolder::Get(temp.At(L"a.bmp")) == Bitmap(64, 48));
    EXPECT_EQ(List().m_copyPaths.GetCount(), 0);
}

// The paste reads the target folder again while its own thumbnails are still being made.
TEST_F(PictureListTest, CutThenPasteElsewhereMoves)
{
    TempFolder other;
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(TempFolder::Put(other.At(L"o" + std::to_wstring(i) + L".bmp"), Bitmap(640, 480)));
    Select({L"a.bmp", L"b.bmp"});
    Command(ID_LIST_CUT);
    EXPECT_NE(List().GetItemState(Index(L"a.bmp")) & KQLS_CUT, 0u);
    Reopen(other.Root(), 12);
    Command(ID_LIST_PASTE);
    EXPECT_TRUE(PumpUntil([&] { return List().GetItemCount() == 14 && !List().IsScanning(); })) << List().GetItemCount() << " scanning " << List().IsScanning();
    EXPECT_TRUE(Exists(other.At(L"a.bmp")));
    EXPECT_TRUE(Exists(other.At(L"b.bmp")));
    EXPECT_FALSE(Exists(temp.At(L"a.bmp")));
    EXPECT_TRUE(Exists(temp.At(L"c.bmp")));
    EXPECT_EQ(List().m_cutPaths.GetCount(), 0);
}

TEST_F(PictureListTest, PasteTakesFilesThatAnotherProgramCopied)
{
    TempFolder other;
    ASSERT_TRUE(TempFolder::Put(other.At(L"x.bmp"), Bitmap()));
    KQPathSet set;
    set.Insert(ALT::TString<wchar_t, 0, 8>(other.At(L"x.bmp").c_str()));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    ASSERT_NE(::SetClipboardData(CF_HDROP, dragdrop::MakeDropFilesBlock(set)), nullptr);
    ::CloseClipboard();
    Command(ID_LIST_PASTE);
    EXPECT_TRUE(Exists(temp.At(L"x.bmp")));
    EXPECT_TRUE(Exists(other.At(L"x.bmp"))) << "a copy moved the file";
}

TEST_F(PictureListTest, DeleteRemovesTheItemsOrSaysWhatIsMissing)
{
    // The menu entry is disabled then; the key still says why nothing happens.
    List().m_nHover = -1;
    List().SendMessage(WM_KEYDOWN, VK_DELETE);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Please select picture files");

    answer = IDNO;
    Select({L"a.bmp", L"c.bmp"});
    Command(ID_LIST_DELETE);
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));
    EXPECT_EQ(List().GetItemCount(), 4);

    answer = IDYES;
    Command(ID_LIST_DELETE);
    EXPECT_EQ(boxes.back(), L"Are you sure to delete the file(s) ?");
    EXPECT_FALSE(Exists(temp.At(L"a.bmp")));
    EXPECT_FALSE(Exists(temp.At(L"c.bmp")));
    EXPECT_EQ(List().GetItemCount(), 2);
    EXPECT_GE(Index(L"b.bmp"), 0);
}

TEST_F(PictureListTest, RenameKeepsTheExtensionAndRefusesBadNames)
{
    Select({L"a.bmp"});
    typed = L"a";
    Command(ID_LIST_RENAME);
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0], L"Rename|a");
    EXPECT_TRUE(boxes.empty()) << "an unchanged name is no failure";
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));

    typed = L"new";
    Command(ID_LIST_RENAME);
    EXPECT_TRUE(Exists(temp.At(L"new.bmp")));
    EXPECT_FALSE(Exists(temp.At(L"a.bmp")));
    EXPECT_EQ(List().GetItemFullFileName(List().GetNextSelectItem(-1)), temp.At(L"new.bmp").c_str());

    // A taken name fails with the name; a name with a path in it never moves the file.
    typed = L"b";
    Command(ID_LIST_RENAME);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Fail to rename \r\n\"b.bmp\"");
    for (const wchar_t* bad : {L"..\\x", L"sub/x", L"c:x", L"x?"}) {
        typed = bad;
        Command(ID_LIST_RENAME);
        EXPECT_TRUE(Exists(temp.At(L"new.bmp"))) << bad;
    }
    EXPECT_EQ(boxes.size(), 5u);
    EXPECT_FALSE(Exists(temp.Root() + L"\\..\\x.bmp"));
}

TEST_F(PictureListTest, NewFolderTakesAFreeName)
{
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"New Folder").c_str(), nullptr));
    Reopen(temp.Root(), 5);
    typed = L"New Folder";
    Command(ID_LIST_NEW_FOLDER);
    EXPECT_EQ(prompts[0], L"New folder name|New Folder");
    EXPECT_TRUE(Exists(temp.At(L"New Folder~1")));
    EXPECT_GE(Index(L"New Folder~1"), 0);
    EXPECT_NE(List().GetItemState(Index(L"New Folder~1")) & KQLS_FOLDER, 0u);
    typed = L"..\\up";
    Command(ID_LIST_NEW_FOLDER);
    EXPECT_FALSE(Exists(temp.Root() + L"\\..\\up"));
    EXPECT_EQ(boxes.size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// During a batch

TEST_F(PictureListTest, DuringABatchFileCommandsAndKeysDoNothing)
{
    RecordingShell shell;
    Select({L"a.bmp"});
    Command(ID_LIST_COPY);
    CPictureListView& list = List();
    ASSERT_TRUE(list.StartBatchTask([&list](int, const wchar_t*) {
        while (!list.IsBatchStopping())
            ::Sleep(5);
        return BatchItemResult();
    }));
    ASSERT_TRUE(list.IsOperateDisabled(0));
    typed = L"renamed";
    const UINT commands[] = {ID_LIST_COPY,  ID_LIST_CUT,        ID_LIST_PASTE,      ID_LIST_DELETE,   ID_LIST_RENAME,
                             ID_LIST_NEW_FOLDER, ID_LIST_SELECT_ALL, ID_LIST_DESELECT, ID_LIST_INVERT, ID_PROCESS_RESIZE};
    for (UINT id : commands) {
        notes.clear();
        Command(id);
        ASSERT_EQ(notes.size(), 1u) << id;
        EXPECT_EQ(notes[0], L"Batch task is running");
    }
    // Keys say nothing.
    notes.clear();
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    for (UINT key : {'A', 'C', 'X', 'V'})
        list.SendMessage(WM_KEYDOWN, key);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    for (UINT key : {VK_DELETE, VK_F2})
        list.SendMessage(WM_KEYDOWN, key);
    EXPECT_TRUE(notes.empty());
    EXPECT_TRUE(prompts.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(list.m_copyPaths.GetCount(), 1);
    EXPECT_EQ(list.m_cutPaths.GetCount(), 0);
    EXPECT_EQ(list.GetNextSelectItem(list.GetNextSelectItem(-1)), -1) << "the selection changed";
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));
    list.StopBatchTask();
    EXPECT_FALSE(list.IsOperateDisabled(0));
}

// ---------------------------------------------------------------------------------------------
// Drop and drag

TEST_F(PictureListTest, DropOntoASubFolderCopiesFromElsewhereAndMovesFromHere)
{
    TempFolder other;
    ASSERT_TRUE(TempFolder::Put(other.At(L"x.bmp"), Bitmap()));
    ASSERT_TRUE(TempFolder::Put(other.At(L"notes.txt"), "text"));
    const CPoint onSub = PointOn(Index(L"sub"));
    ASSERT_GE(onSub.x, 0);
    Drop({other.At(L"x.bmp"), other.At(L"notes.txt")}, onSub);
    EXPECT_TRUE(Exists(temp.At(L"sub\\x.bmp")));
    EXPECT_TRUE(Exists(other.At(L"x.bmp")));
    EXPECT_FALSE(Exists(temp.At(L"sub\\notes.txt"))) << "not a picture";

    ASSERT_TRUE(PumpUntil([&] { return !List().IsScanning(); }));
    Settle();
    PumpFor(1000);
    Drop({temp.At(L"a.bmp")}, PointOn(Index(L"sub")));
    EXPECT_TRUE(Exists(temp.At(L"sub\\a.bmp")));
    EXPECT_FALSE(Exists(temp.At(L"a.bmp")));
}

TEST_F(PictureListTest, DropOnEmptySpaceCopiesOnlyWhatIsNotHere)
{
    const CPoint empty = EmptyPoint();
    ASSERT_GE(empty.x, 0);
    Drop({temp.At(L"b.bmp")}, empty);
    EXPECT_EQ(temp.List().size(), 4u) << "a picture of the folder was dropped onto it again";

    TempFolder other;
    ASSERT_TRUE(TempFolder::Put(other.At(L"b.bmp"), Bitmap(4, 4)));
    Drop({other.At(L"b.bmp")}, empty);
    EXPECT_TRUE(Exists(temp.At(L"b~1.bmp")));
    EXPECT_TRUE(TempFolder::Get(temp.At(L"b.bmp")) == Bitmap(64, 48)) << "overwritten";

    // A long path arrives whole, not cut at MAX_PATH.
    const std::wstring longPath = temp.Root() + L"\\" + std::wstring(300, L'n') + L".bmp";
    Drop({longPath}, empty);
    ASSERT_EQ(List().m_droppedPaths.size(), 1u);
    EXPECT_EQ(List().m_droppedPaths[0], longPath);
}

TEST_F(PictureListTest, DragTakesTheHoveredItemOrTheSelection)
{
    Select({L"b.bmp", L"c.bmp"});
    List().m_nHover = Index(L"a.bmp");
    List().BeginDrag();
    EXPECT_EQ(dragged, std::vector<std::wstring>({temp.At(L"a.bmp")}));
    List().m_nHover = Index(L"c.bmp");
    List().BeginDrag();
    std::sort(dragged.begin(), dragged.end());
    EXPECT_EQ(dragged, std::vector<std::wstring>({temp.At(L"b.bmp"), temp.At(L"c.bmp")}));
}

TEST_F(PictureListTest, MenuKeyOpensTheMenuAtTheFocusedItem)
{
    List().m_nHover = Index(L"b.bmp");
    List().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List().GetSafeHwnd()), MAKELPARAM(-1, -1));
    CPoint center = PointOn(Index(L"b.bmp"));
    ASSERT_GE(center.x, 0);
    List().ClientToScreen(&center);
    CRect cell;
    for (const KQ_PIC_LIST_VISIBLE& v : List().m_visible)
        if (v.index == Index(L"b.bmp"))
            cell = v.rect;
    EXPECT_LE(std::abs(List().m_ptLastMenu.x - center.x), cell.Width());
    EXPECT_LE(std::abs(List().m_ptLastMenu.y - center.y), cell.Height());
    PumpPending();
}

// ---------------------------------------------------------------------------------------------
// The item buttons and the tip

// The pointer moves onto the item, then to the point; a click there when click is set.
void MoveAndClick(CPictureListView& list, const CPoint& onItem, const CPoint& point, bool click)
{
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onItem.x, onItem.y));
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    if (click) {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }
}

// The colour painted in the list's bitmap at a client point.
COLORREF Painted(CPictureListView& list, CPoint point)
{
    if (list.m_nType == KQ_TOOLBAR_TOP)
        point.y -= list.m_nHeight;
    return ::GetPixel(list.m_memDC.m_hDC, point.x, point.y);
}

bool IsBlue(COLORREF c)
{
    return GetBValue(c) > 180 && GetRValue(c) < 90;
}

// The buttons' slate, bluer than the list's grey background.
bool IsDark(COLORREF c)
{
    return GetRValue(c) < 90 && GetGValue(c) < 90 && GetBValue(c) < 110 && GetBValue(c) > GetRValue(c) + 10;
}

TEST_F(PictureListTest, ItemButtonsOpenTheirMenusAndLightUnderThePointer)
{
    struct Shown {
        UINT menu;
        bool folder;
    };
    std::vector<Shown> shown;
    List().m_showItemMenu = [&](UINT menu, CPoint, bool folder) { shown.push_back(Shown{menu, folder}); };

    // A picture: both buttons, dark until the pointer is over one of them.
    const int picture = Index(L"b.bmp");
    const CPoint onPicture = PointOn(picture);
    ASSERT_GE(onPicture.x, 0);
    List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onPicture.x, onPicture.y));
    CRect left, right;
    ASSERT_TRUE(List().GetItemButtonRects(picture, &left, &right));
    ASSERT_FALSE(left.IsRectEmpty());
    // Sampled beside each symbol, inside the rounded corners.
    const CPoint leftSample(left.left + 3, left.bottom - 8), rightSample(right.left + 3, right.top + right.Height() / 2);
    EXPECT_TRUE(IsDark(Painted(List(), leftSample))) << std::hex << Painted(List(), leftSample);
    EXPECT_TRUE(IsDark(Painted(List(), rightSample))) << std::hex << Painted(List(), rightSample);
    MoveAndClick(List(), onPicture, right.CenterPoint(), false);
    EXPECT_TRUE(IsBlue(Painted(List(), rightSample))) << std::hex << Painted(List(), rightSample);
    EXPECT_TRUE(IsDark(Painted(List(), leftSample)));
    MoveAndClick(List(), onPicture, left.CenterPoint(), false);
    EXPECT_TRUE(IsBlue(Painted(List(), leftSample)));
    EXPECT_TRUE(IsDark(Painted(List(), rightSample)));

    MoveAndClick(List(), onPicture, left.CenterPoint(), true);
    MoveAndClick(List(), onPicture, right.CenterPoint(), true);
    // A click beside the buttons selects, as ever.
    MoveAndClick(List(), onPicture, CPoint(left.left + 2, left.bottom + 20), true);

    // A folder: only the right button, whose menu is made for a folder.
    const int folder = List().FindItemByPath(temp.At(L"sub").c_str());
    const CPoint onFolder = PointOn(folder);
    ASSERT_GE(onFolder.x, 0);
    List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onFolder.x, onFolder.y));
    ASSERT_TRUE(List().GetItemButtonRects(folder, &left, &right));
    EXPECT_TRUE(left.IsRectEmpty());
    MoveAndClick(List(), onFolder, right.CenterPoint(), true);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].menu, UINT(IDR_MENU_EDIT));
    EXPECT_EQ(shown[1].menu, UINT(IDR_MENU_EXPORT));
    EXPECT_FALSE(shown[1].folder);
    EXPECT_EQ(shown[2].menu, UINT(IDR_MENU_EXPORT));
    EXPECT_TRUE(shown[2].folder);
    EXPECT_NE(List().GetItemState(picture) & KQLS_SELECTED, 0u);
}

// The list's bitmap, row by row.
std::vector<BYTE> ListBits(CPictureListView& list)
{
    const CKQMemDC& dc = list.m_memDC;
    const size_t stride = size_t((dc.GetWidth() * dc.GetBitsPerPixel() + 31) / 32 * 4);
    ::GdiFlush();
    return std::vector<BYTE>(dc.GetBits(), dc.GetBits() + stride * size_t(dc.GetHeight()));
}

// A button lighting or going dark shows the item's buttons again and nothing else, painted as a
// repaint of the whole list paints them.
TEST_F(PictureListTest, ButtonLightRepaintsTheButtonsAlone)
{
    const int picture = Index(L"b.bmp");
    CRect cell;
    for (const KQ_PIC_LIST_VISIBLE& v : List().m_visible)
        if (v.index == picture)
            cell = v.rect;
    ASSERT_FALSE(cell.IsRectEmpty());
    cell.OffsetRect(0, List().m_nType == KQ_TOOLBAR_TOP ? List().m_nHeight : 0);
    const CPoint middle = cell.CenterPoint();
    List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(middle.x, middle.y));
    ASSERT_EQ(List().m_nHover, picture);
    CRect left, right;
    ASSERT_TRUE(List().GetItemButtonRects(picture, &left, &right));
    ASSERT_FALSE(left.IsRectEmpty());
    const struct {
        const char* name;
        CPoint to;
        bool overMenu, overExport;
    } moves[] = {{"onto the right button", right.CenterPoint(), false, true},
                 {"onto the left button", left.CenterPoint(), true, false},
                 {"off both", middle, false, false}};
    for (const auto& move : moves) {
        SCOPED_TRACE(move.name);
        List().ValidateRect(nullptr);
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(move.to.x, move.to.y));
        EXPECT_EQ(List().m_bOverItemMenu, move.overMenu);
        EXPECT_EQ(List().m_bOverItemExport, move.overExport);
        CRect update, buttons;
        List().GetUpdateRect(&update, FALSE);
        buttons.UnionRect(&left, &right);
        EXPECT_EQ(update, buttons);
        const std::vector<BYTE> cellOnly = ListBits(List());
        List().DrawListView();
        EXPECT_TRUE(cellOnly == ListBits(List()));
    }
}

// The item's size is the smaller side of its thumbnail; the buttons grow past 96 and 192.
TEST_F(PictureListTest, ButtonPicturesChangeAt97And193)
{
    struct Case {
        int side;
        UINT left;
        int leftSide, rightSide;
    } const cases[] = {
        {96, IDP_ITEM_MENU_SMALL, 24, 24},   {97, IDP_ITEM_MENU_MEDIUM, 44, 44},
        {192, IDP_ITEM_MENU_MEDIUM, 44, 44}, {193, IDP_ITEM_MENU_LARGE, 64, 64},
    };
    List().m_bShowName = List().m_bShowSize = List().m_bShowDate = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        List().ChangeIconSize(c.side + 40, c.side, true);
        EXPECT_EQ(std::min(int(List().m_nBoxWidth), int(List().m_nBoxHeight)), c.side);
        EXPECT_EQ(List().m_itemButtonArt.leftId, c.left);
        EXPECT_EQ(List().m_szItemMenu, CSize(c.leftSide, c.leftSide));
        EXPECT_EQ(List().m_szItemExport, CSize(c.rightSide, c.rightSide));
        EXPECT_EQ(int(List().m_imgItemExportHot.GetWidth()), c.rightSide);
        EXPECT_EQ(int(List().m_imgItemMenuHot.GetWidth()), c.rightSide);
        EXPECT_EQ(int(List().m_imgItemExport.GetWidth()), c.rightSide);
    }
}

TEST_F(PictureListTest, HoveredPictureTipGivesItsSizeAndFileSize)
{
    int detailed = 0;
    List().m_hovered = [&](const KQ_PIC_LIST_ITEM*) { ++detailed; };
    // The text of the list's one tool, as the tip control holds it.
    auto tip = [&] {
        TOOLINFOW info = {};
        info.cbSize = sizeof info;
        if (!List().m_pToolTipCtrl->SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
            return std::wstring(L"<no tool>");
        wchar_t text[512] = {};
        info.lpszText = text;
        List().m_pToolTipCtrl->SendMessage(TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
        return std::wstring(text);
    };
    ASSERT_NE(List().m_pToolTipCtrl, nullptr);
    const CPoint onPicture = PointOn(Index(L"a.bmp"));
    List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onPicture.x, onPicture.y));
    // 64 x 48 at 24 bits: 9,270 bytes.
    EXPECT_EQ(tip(), L"a.bmp\r\n64 x 48  9K");
    EXPECT_EQ(detailed, 1);
    const CPoint onFolder = PointOn(List().FindItemByPath(temp.At(L"sub").c_str()));
    List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onFolder.x, onFolder.y));
    EXPECT_EQ(tip(), L"sub");
    EXPECT_EQ(detailed, 1);
    EXPECT_EQ(CPictureListView::HoverTipText(L"x.jpg", 4000, 3000, 5ull << 30), L"x.jpg\r\n4000 x 3000  5.00G");
}

// A tip on screen when the pointer reaches another picture goes, and the tip holds the new
// picture's text whether it was on screen or not.
TEST_F(PictureListTest, TipOnScreenGoesWhenThePointerReachesAnotherPicture)
{
    ASSERT_NE(List().m_pToolTipCtrl, nullptr);
    CToolTipCtrl& tip = *List().m_pToolTipCtrl;
    auto text = [&] {
        TOOLINFOW info = {};
        info.cbSize = sizeof info;
        if (!tip.SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info)))
            return std::wstring(L"<no tool>");
        wchar_t buffer[512] = {};
        info.lpszText = buffer;
        tip.SendMessage(TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
        return std::wstring(buffer);
    };
    // The pointer rests at a point of the list, as the tip hears of it, until the tip is up.
    tip.SetDelayTime(TTDT_INITIAL, 1);
    auto rest = [&](const CPoint& at) {
        MSG msg = {List().GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y)};
        tip.RelayEvent(&msg);
        for (int wait = 0; wait < 200 && !tip.IsWindowVisible(); ++wait) {
            PumpPending();
            ::Sleep(5);
        }
        return tip.IsWindowVisible() != FALSE;
    };
    CPoint last = PointOn(Index(L"b.bmp"));
    const struct {
        const wchar_t* item;
        bool shownBefore;
    } steps[] = {{L"a.bmp", false}, {L"b.bmp", true}, {L"a.bmp", false}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.item);
        if (step.shownBefore)
            ASSERT_TRUE(rest(last)) << "the tip did not come up";
        const CPoint at = PointOn(Index(step.item));
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        EXPECT_EQ(text().substr(0, 5), step.item);
        EXPECT_FALSE(tip.IsWindowVisible()) << "the previous picture's tip stayed on screen";
        // The tip still comes up for the new picture.
        EXPECT_TRUE(rest(at));
        tip.Pop();
        last = at;
    }
}

// The side pane's details follow the hovered picture; a folder leaves them, and the same picture
// hovered again is not drawn again (the pointer crosses item after item).
TEST_F(PictureListTest, HoveredPictureShowsInTheDetailsPanel)
{
    CPicDetailWnd& panel = frame->m_wndPane.m_mainBar.m_details;
    ASSERT_NE(panel.memDC.m_hDC, nullptr);
    const COLORREF mark = RGB(1, 2, 3);
    auto hover = [&](int index) {
        const CPoint at = PointOn(index);
        List().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    };
    const struct {
        const wchar_t* item;
        const wchar_t* shown; // the panel's file name after
        bool drawn;           // the panel was drawn again
    } steps[] = {
        {L"a.bmp", L"a.bmp", true}, {L"sub", L"a.bmp", false}, {L"a.bmp", L"a.bmp", false}, {L"b.bmp", L"b.bmp", true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.item);
        ::SetPixel(panel.memDC.m_hDC, 0, 0, mark);
        hover(Index(step.item));
        EXPECT_EQ(panel.details.fileName, step.shown);
        EXPECT_EQ(::GetPixel(panel.memDC.m_hDC, 0, 0) != mark, step.drawn);
    }
    EXPECT_EQ(panel.details.width, 64);
    EXPECT_EQ(panel.details.height, 48);
}

// The tree's Computer has no path: the list shows its drives, folders with the system's icons
// (Wine's C: among them), which open as folders; the list's own cells come back after.
TEST_F(PictureListTest, ComputerListsItsDrivesAsFoldersWithSystemIcons)
{
    CKQShellTree& tree = frame->m_wndPane.m_mainBar.m_tree;
    ASSERT_NE(tree.GetComputerItem(), nullptr);
    const int cellHeight = List().m_nCellHeight;
    tree.SelectItem(tree.GetComputerItem());
    PumpPending();
    ASSERT_EQ(List().GetShellItem(), tree.GetComputerItem());
    int drive = -1;
    for (int i = 0; i < List().GetItemCount(); ++i)
        if (_wcsicmp(List().GetItemFullFileName(i).GetString(), L"C:\\") == 0)
            drive = i;
    ASSERT_GE(drive, 0) << List().GetItemCount();
    EXPECT_NE(List().GetItemState(drive) & KQLS_FOLDER, 0u);
    KQ_PIC_LIST_ITEM item = {};
    List().Lock();
    ASSERT_TRUE(List().GetItem(drive, &item));
    const bool ownPicture = item.pImage && item.pImage != &List().m_imgFolder;
    const int iconWidth = item.pImage ? int(item.pImage->GetWidth()) : 0;
    List().Unlock();
    EXPECT_TRUE(ownPicture);
    EXPECT_GE(iconWidth, 32);
    EXPECT_TRUE(List().m_strFolder.IsEmpty());

    // Refresh reads the item again.
    const int count = List().GetItemCount();
    List().SendMessage(WM_KEYDOWN, VK_F5);
    EXPECT_EQ(List().GetItemCount(), count);
    EXPECT_EQ(List().GetShellItem(), tree.GetComputerItem());

    // A folder of the disk: the shell item is forgotten, the cells are the list's again.
    Reopen(temp.Root(), 4);
    EXPECT_EQ(List().GetShellItem(), nullptr);
    EXPECT_EQ(List().m_nCellHeight, cellHeight);
    EXPECT_EQ(List().GetItemFullFileName(Index(L"a.bmp")), temp.At(L"a.bmp").c_str());
}

// A tree whose one item is a folder of the disk, shown by the list as a shell item.
class FolderTree : public CZVShellTree {
public:
    HTREEITEM AddFolder(const std::wstring& path)
    {
        auto* data = static_cast<ZVTreeItemData*>(::GlobalAlloc(GPTR, sizeof(ZVTreeItemData)));
        data->pidlFQ = ::ILCreateFromPathW(path.c_str());
        data->pidlRel = data->pidlFQ ? ::ILClone(data->pidlFQ) : nullptr;
        return InsertShellItem(TVI_ROOT, data, L"folder", 0, 0, FALSE);
    }
};

// Picture files among a shell item's children get their thumbnails as a folder's pictures do;
// other files do not.
TEST_F(PictureListTest, PictureFilesAmongShellItemsGetThumbnails)
{
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"shell").c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"shell\\pic.bmp"), Bitmap(64, 48)));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"shell\\notes.txt"), "text"));
    FolderTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 100, 100), frame, 4321));
    const HTREEITEM item = tree.AddFolder(temp.At(L"shell"));
    ASSERT_NE(item, nullptr);
    List().ShowShellItem(tree, item);
    auto indexOf = [&](const wchar_t* name) {
        for (int i = 0; i < List().GetItemCount(); ++i)
            if (_wcsicmp(List().GetItemFullFileName(i).GetString(), temp.At(name).c_str()) == 0)
                return i;
        return -1;
    };
    const int picture = indexOf(L"shell\\pic.bmp"), text = indexOf(L"shell\\notes.txt");
    ASSERT_GE(picture, 0);
    ASSERT_GE(text, 0);
    auto width = [&](int index) {
        KQ_PIC_LIST_ITEM entry = {};
        List().Lock();
        const bool own = List().GetItem(index, &entry) && entry.pImage && entry.pImage != List().GetLoadingImage();
        const int w = own ? int(entry.pImage->GetWidth()) : 0;
        List().Unlock();
        return w;
    };
    EXPECT_TRUE(PumpUntil([&] { return width(picture) > 0; }, 10000));
    PumpFor(200);
    EXPECT_EQ(width(text), 0);
    Reopen(temp.Root(), 5);
    tree.DestroyWindow();
}

// A disk folder the scan found nothing in says so; a folder with a sub-folder is not empty, and
// the next folder with pictures takes the note away.
TEST_F(PictureListTest, AnEmptyFolderSaysThereIsNoPicture)
{
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"sub\\inner").c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"notes").c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"notes\\read.txt"), "text"));
    const struct {
        const wchar_t* folder;
        size_t items;
        bool splash;
    } cases[] = {
        {L"sub\\inner", 0, true}, {L"notes", 0, true}, {L"sub", 1, false}, {nullptr, 5, false}, {L"sub\\inner", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder ? c.folder : L"(root)");
        Reopen(c.folder ? temp.At(c.folder) : temp.Root(), c.items);
        PumpPending();
        EXPECT_EQ(std::wstring(List().m_strSplash.GetString()), c.splash ? L"There is no picture" : L"");
        EXPECT_EQ(List().m_nSplashRes, c.splash ? IDP_LIST_EMPTY : -1);
    }
}

// ---------------------------------------------------------------------------------------------
// Wallpaper and resize

// The user folders are the library's, read once at start: the test removes what it puts there.
class WallpaperTest : public PictureListTest {
protected:
    void SetUp() override
    {
        PictureListTest::SetUp();
        ASSERT_TRUE(TempFolder::Put(temp.At(L"wide.bmp"), Bitmap(80, 40)));
        Reopen(temp.Root(), 5);
        wchar_t folder[MAX_PATH] = {};
        GetKQFolder(folder, KQ_FOLDER_USERDATA, true);
        userData = folder;
        GetKQFolder(folder, KQ_FOLDER_WALLPAPER, true);
        wallpapers = folder;
        ::CreateDirectoryW(wallpapers.c_str(), nullptr);
        RemoveOurs();
    }
    void TearDown() override
    {
        RemoveOurs();
        PictureListTest::TearDown();
    }
    std::wstring In(const std::wstring& folder, const wchar_t* name) { return folder + L"\\" + name; }
    void RemoveOurs()
    {
        ::DeleteFileW(In(userData, L"KQWallpaper.jpg").c_str());
        for (const wchar_t* name : {L"wide.bmp", L"wide~1.bmp", L"a.bmp"})
            ::DeleteFileW(In(wallpapers, name).c_str());
    }
    std::wstring userData, wallpapers;
    FakeDesktop desktop;
};

TEST_F(WallpaperTest, SetRecordsTheStyleAndAJpegCopy)
{
    Select({L"wide.bmp"});
    List().m_nHover = -1;
    Command(ID_WALLPAPER_TILE);
    ASSERT_EQ(desktop.sets, 1);
    EXPECT_EQ(desktop.style, kWallpaperTile);
    EXPECT_EQ(desktop.file, In(userData, L"KQWallpaper.jpg"));
    EXPECT_EQ(desktop.minimized, 1);
    const std::string jpeg = TempFolder::Get(desktop.file);
    ASSERT_GE(jpeg.size(), 2u);
    EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8") << "not a JPEG";

    // Keep Aspect fits the picture into the work area (40 x 30) and centres it.
    Command(ID_WALLPAPER_KEEP_ASPECT);
    EXPECT_EQ(desktop.style, kWallpaperCenter);
    CZVImage fitted;
    ASSERT_TRUE(fitted.LoadFile(desktop.file.c_str()));
    EXPECT_EQ(fitted.GetWidth(), 40u);
    EXPECT_EQ(fitted.GetHeight(), 20u);

    answer = IDNO;
    Command(ID_WALLPAPER_STRETCH);
    EXPECT_EQ(desktop.sets, 2);

    // A desktop that refuses is never silent.
    answer = IDYES;
    desktop.answer = false;
    boxes.clear();
    Command(ID_WALLPAPER_CENTER);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), L"Fail to set wallpaper");
}

TEST_F(WallpaperTest, CopyToTheWallpaperFolderNeverOverwrites)
{
    ASSERT_TRUE(TempFolder::Put(In(wallpapers, L"wide.bmp"), "theirs"));
    Select({L"wide.bmp", L"a.bmp"});
    ASSERT_GE(List().GetNextSelectItem(-1), 0);
    // As the menu sends it: the frame hands it to the application.
    Command(ID_WALLPAPER_COPY);
    EXPECT_EQ(TempFolder::Get(In(wallpapers, L"wide.bmp")), "theirs");
    EXPECT_TRUE(TempFolder::Get(In(wallpapers, L"wide~1.bmp")) == Bitmap(80, 40));
    EXPECT_TRUE(Exists(In(wallpapers, L"a.bmp"))) << wallpapers;
}

// Resizing the first frame would drop the others: the picture is refused, untouched.
TEST(ResizePicture, AnAnimatedPictureIsRefused)
{
    TempFolder temp;
    const std::wstring path = temp.At(L"a.gif");
    const std::string frame("\x21\xF9\x04\x00\x0A\x00\x00\x00"
                            "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                            "\x02\x02\x44\x01\x00",
                            23);
    const std::string gif = std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xFF\xFF\xFF", 19) + frame + frame + ";";
    ASSERT_TRUE(TempFolder::Put(path, gif));
    int asked = 0;
    std::vector<std::wstring> told;
    ResizeQuestions questions;
    questions.chooseSize = [&](int& w, int& h, int&) {
        ++asked;
        w = 2;
        h = 2;
        return true;
    };
    questions.confirmModify = [] { return true; };
    questions.tell = [&](const wchar_t* text) { told.push_back(text); };
    EXPECT_FALSE(ResizePictureFile(path.c_str(), questions));
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(TempFolder::Get(path), gif);
}

TEST(ResizePicture, TheSameSizeWritesNothingAndANewSizeRewrites)
{
    TempFolder temp;
    const std::wstring path = temp.At(L"p.bmp");
    ASSERT_TRUE(TempFolder::Put(path, Bitmap(8, 6)));
    int asked = 0, confirmed = 0;
    int width = 8, height = 6;
    ResizeQuestions questions;
    questions.chooseSize = [&](int& w, int& h, int&) {
        ++asked;
        w = width;
        h = height;
        return true;
    };
    questions.confirmModify = [&] {
        ++confirmed;
        return true;
    };
    EXPECT_FALSE(ResizePictureFile(path.c_str(), questions));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(confirmed, 0);
    EXPECT_EQ(TempFolder::Get(path), Bitmap(8, 6));

    width = 4;
    height = 3;
    EXPECT_TRUE(ResizePictureFile(path.c_str(), questions));
    CZVImage resized;
    ASSERT_TRUE(resized.LoadFile(path.c_str()));
    EXPECT_EQ(resized.GetWidth(), 4u);
    EXPECT_EQ(resized.GetHeight(), 3u);
    EXPECT_EQ(temp.List().size(), 1u) << "a temporary file stayed";
}

} // namespace picturelisttest
