// The file commands of the browser on a real frame over a temporary folder: copy and move to
// favourites and picked folders, the Export menu, the favourite dialog, print and mail through
// their fakes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>
#include "DlgAddFavorite.h"
#include "ExportMenu.h"
#include "FakeMapi.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MailClient.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
#include "ViewerIds.h"
#include "PrintDialog.h"
#include "ShellService.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

// Named: the test files of this program are compiled together.
namespace filecommandstest {

using testsupport::TempFolder;

const wchar_t kProfileKey[] = L"Software\\Lumivo\\LumivoShowsTests";
const wchar_t kFavoriteRoot[] = L"Software\\Lumivo\\LumivoShowsTests\\Favorites\\";

// A width x height 24-bit bitmap of one grey.
std::string Bitmap(int width, int height)
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

std::wstring MenuText(HMENU menu, UINT id)
{
    wchar_t text[512] = {};
    ::GetMenuStringW(menu, id, text, 512, MF_BYCOMMAND);
    return text;
}

std::wstring Text(HWND window, int id)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(::GetDlgItem(window, id), text, 512);
    return text;
}

// Acts on the first shown dialog of this thread from inside its modal loop.
std::function<void(HWND)> g_act;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK LookForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    if (!found || !g_act)
        return;
    ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    std::function<void(HWND)> act = std::move(g_act);
    g_act = nullptr;
    act(found);
}

void ActOnDialog(std::function<void(HWND)> act)
{
    g_act = std::move(act);
    g_timer = ::SetTimer(nullptr, 0, 30, LookForDialog);
}

void Click(HWND dialog, int id)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog, id)));
}

// The shell's file operations as the system does them, unless a test makes them fail (after
// moving what it lets through); the folder picker answers with the test's folder.
class FakeShell : public zvui::ShellService {
public:
    FakeShell() { m_before = zvui::SetShellService(this); }
    ~FakeShell() override { zvui::SetShellService(m_before); }
    int FileOperation(SHFILEOPSTRUCTW& op) override
    {
        ++operations;
        if (!fail)
            return ::SHFileOperationW(&op);
        if (!letThrough.empty())
            ::MoveFileW(letThrough.c_str(), letThroughTo.c_str());
        return ERROR_ACCESS_DENIED;
    }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring& path) override
    {
        ++pickerRuns;
        path = picked;
        return !picked.empty();
    }
    bool ConnectedState(DWORD&) override { return false; }

    bool fail = false;
    std::wstring letThrough, letThroughTo; // moved although the operation fails
    std::wstring picked;
    int operations = 0, pickerRuns = 0;

private:
    zvui::ShellService* m_before = nullptr;
};

class FileCommandsTest : public testing::Test {
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
        app->m_favoriteRoot = kFavoriteRoot;
        app->m_fileCommands.lastTarget.clear();
        app->m_fileCommands.lastOperation = CopyOrMove::Copy;
        ASSERT_TRUE(app->CreateMainFrame());
        frame = app->m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil([&] { return List().GetItemCount() == 4 && !List().IsScanning(); }));
        PumpPending();
        FileCommands& commands = app->m_fileCommands;
        commands.messageBox = [this](const wchar_t* text, const wchar_t* caption, UINT) {
            boxes.push_back(std::wstring(caption) + L"|" + text);
            return answer;
        };
        commands.note = [this](const wchar_t* text, int) { notes.push_back(text); };
        commands.confirmMove = [this] {
            ++confirmations;
            return answer == IDYES;
        };
        commands.favoriteDialog = [this](std::wstring& folder, std::wstring& name, int&) {
            dialogFolders.push_back(folder);
            name = L"From dialog";
            return dialogOk;
        };
    }
    void TearDown() override
    {
        FileCommands& commands = app->m_fileCommands;
        commands.messageBox = [](const wchar_t*, const wchar_t*, UINT) { return IDNO; };
        commands.note = [](const wchar_t*, int) {};
        commands.confirmMove = [] { return false; };
        commands.favoriteDialog = nullptr;
        if (frame && ::IsWindow(frame->GetSafeHwnd())) {
            app->m_pMainWnd = nullptr;
            frame->DestroyWindow();
            PumpPending();
        }
        app->m_pMainFrame = nullptr;
        app->m_fileCommands.places = FileCommandPlaces();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    CPictureListView& List() { return frame->m_wndList; }
    int Index(const wchar_t* name) { return List().FindItemByPath(temp.At(name).c_str()); }
    void Select(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names)
            List().SetItemState(Index(name), KQLS_SELECTED, 0);
    }
    bool Selected(const wchar_t* name) { return (List().GetItemState(Index(name)) & KQLS_SELECTED) != 0; }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, id); }
    void AddFavorite(const std::wstring& folder, const wchar_t* name)
    {
        ASSERT_NE(Favorites().Add(folder.c_str(), name, 0), nullptr);
        app->UpdateCopyMoveMenus();
    }
    HMENU Menu() { return app->GetExportMenu(); }
    // The tree's favourites, which the commands use.
    CFavoriteFolder& Favorites() { return *app->m_fileCommands.places.favorites; }

    TempFolder temp, target;
    FakeShell shell;
    CLumivoShowsApp* app = nullptr;
    CMainFrame* frame = nullptr;
    std::vector<std::wstring> boxes, notes, dialogFolders;
    int answer = IDYES;
    int confirmations = 0;
    bool dialogOk = true;
};

// ---- copy and move ----

TEST_F(FileCommandsTest, ACopyDeselectsAndAMoveRemoves)
{
    AddFavorite(target.Root(), L"Target");
    Select({L"a.bmp", L"sub"});
    Command(ID_COPY_FAVORITE + 1);
    EXPECT_TRUE(Exists(target.At(L"a.bmp")));
    EXPECT_TRUE(Exists(target.At(L"sub")));
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));
    EXPECT_FALSE(Selected(L"a.bmp"));
    EXPECT_FALSE(Selected(L"sub"));
    EXPECT_EQ(List().GetItemCount(), 4);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], L"2 Files(Folders)\r\nCopy to " + target.Root());
    EXPECT_EQ(MenuText(Menu(), ID_EXPORT_LAST), L"Copy to Target");

    Select({L"b.bmp"});
    Command(ID_MOVE_FAVORITE + 1);
    EXPECT_EQ(confirmations, 1);
    EXPECT_TRUE(Exists(target.At(L"b.bmp")));
    EXPECT_FALSE(Exists(temp.At(L"b.bmp")));
    EXPECT_EQ(Index(L"b.bmp"), -1);
    EXPECT_EQ(List().GetItemCount(), 3);
    EXPECT_EQ(MenuText(Menu(), ID_EXPORT_LAST), L"Move to Target");
}

TEST_F(FileCommandsTest, NothingSelectedTakesTheHoveredItemAndNothingHoveredDoesNothing)
{
    AddFavorite(target.Root(), L"Target");
    List().m_nHover = Index(L"c.bmp");
    Command(ID_COPY_FAVORITE + 1);
    EXPECT_TRUE(Exists(target.At(L"c.bmp")));
    EXPECT_FALSE(Exists(target.At(L"a.bmp")));
    EXPECT_EQ(notes.size(), 1u);

    List().m_nHover = -1;
    Command(ID_EXPORT_LAST);
    EXPECT_EQ(notes.size(), 1u) << "a note for nothing copied";
    EXPECT_EQ(shell.operations, 1);
}

TEST_F(FileCommandsTest, AFavouriteMoveAsksAPickedFolderAndTheRepeatDoNot)
{
    AddFavorite(target.Root(), L"Target");
    const struct {
        const char* what;
        std::function<void()> run;
        int asked;
    } cases[] = {
        {"declined favourite move", [&] { answer = IDNO; Command(ID_MOVE_FAVORITE + 1); }, 1},
        {"picked folder", [&] { shell.picked = target.Root(); Command(ID_MOVE_SELECT); }, 0},
        {"repeat", [&] { Command(ID_EXPORT_LAST); }, 0},
    };
    const wchar_t* names[] = {L"a.bmp", L"b.bmp", L"c.bmp"};
    int i = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        confirmations = 0;
        List().DeselectItems();
        Select({names[i++]});
        c.run();
        EXPECT_EQ(confirmations, c.asked);
    }
    EXPECT_TRUE(Exists(temp.At(L"a.bmp"))) << "declined, yet moved";
    EXPECT_TRUE(Exists(target.At(L"b.bmp")));
    EXPECT_TRUE(Exists(target.At(L"c.bmp")));
}

TEST_F(FileCommandsTest, ADriveRootPickedIsNamedByItsWholePath)
{
    shell.picked = L"C:\\";
    Command(ID_COPY_SELECT);
    EXPECT_EQ(shell.pickerRuns, 1);
    EXPECT_EQ(MenuText(Menu(), ID_EXPORT_LAST), L"Copy to C:\\");
    EXPECT_EQ(app->m_fileCommands.lastTarget, L"C:\\");
    EXPECT_EQ(shell.operations, 0) << "nothing selected or hovered, yet copied";
}

TEST_F(FileCommandsTest, AStaleFavouriteIdDoesNothing)
{
    TempFolder second;
    AddFavorite(target.Root(), L"Alpha");
    AddFavorite(second.Root(), L"Beta");
    // The menu was built with two; Beta goes before the click on its entry.
    ASSERT_EQ(MenuText(Menu(), ID_COPY_FAVORITE + 2), L"Beta");
    for (auto it = Favorites().GetFolders().Begin(); !it.IsEnd(); it.Next())
        if (it.GetValue().name == L"Beta") {
            Favorites().Remove(it);
            break;
        }
    Select({L"a.bmp"});
    Command(ID_COPY_FAVORITE + 2);
    Command(ID_MOVE_FAVORITE + 2);
    EXPECT_EQ(shell.operations, 0);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(confirmations, 0);
    EXPECT_TRUE(Selected(L"a.bmp"));
}

TEST_F(FileCommandsTest, AFailedMoveKeepsTheItemsAndSaysSo)
{
    AddFavorite(target.Root(), L"Target");
    shell.fail = true;
    // The shell gave up after moving this one.
    shell.letThrough = temp.At(L"b.bmp");
    shell.letThroughTo = target.At(L"b.bmp");
    Select({L"a.bmp", L"b.bmp"});
    Command(ID_MOVE_FAVORITE + 1);
    EXPECT_NE(Index(L"a.bmp"), -1);
    EXPECT_EQ(Index(L"b.bmp"), -1);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].find(L"Files(Folders)"), std::wstring::npos) << "a failure reported as success";
    EXPECT_NE(notes[0].find(L"The operation failed"), std::wstring::npos) << std::string(notes[0].begin(), notes[0].end());
}

TEST_F(FileCommandsTest, AMissingTargetIsMadeWhenTheUserSaysYes)
{
    const std::wstring folder = target.At(L"new\\deeper");
    shell.picked = folder;
    Select({L"a.bmp"});
    answer = IDNO;
    Command(ID_COPY_SELECT);
    EXPECT_FALSE(Exists(folder));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"This folder isn't exist|" + folder + L"\nDo you want to create");
    answer = IDYES;
    Command(ID_EXPORT_LAST);
    EXPECT_TRUE(Exists(folder + L"\\a.bmp"));
}

// The viewer's way in: its own paths, no list involved.
TEST_F(FileCommandsTest, PathsGivenAreCopiedAndMovedWithoutTheList)
{
    AddFavorite(target.Root(), L"Target");
    Select({L"c.bmp"});
    const CopyMoveResult copied = app->m_fileCommands.ToFavorite(ID_COPY_FAVORITE + 1, {temp.At(L"a.bmp")});
    EXPECT_EQ(copied.outcome, CopyMoveResult::Done);
    EXPECT_TRUE(Exists(target.At(L"a.bmp")));
    const CopyMoveResult moved = app->m_fileCommands.ToFavorite(ID_MOVE_FAVORITE + 1, {temp.At(L"b.bmp")});
    EXPECT_EQ(moved.gone, std::vector<std::wstring>{temp.At(L"b.bmp")});
    EXPECT_FALSE(Exists(target.At(L"c.bmp")));
    EXPECT_TRUE(Selected(L"c.bmp"));
    EXPECT_TRUE(notes.empty());
}

// ---- the Export menu ----

TEST_F(FileCommandsTest, ExportMenuListsTheFavouritesInOrderAndSuitsTheItem)
{
    TempFolder second;
    AddFavorite(second.Root(), L"Beta");
    AddFavorite(target.Root(), L"Alpha");
    HMENU copyTo = ::GetSubMenu(Menu(), 1);
    HMENU moveTo = ::GetSubMenu(Menu(), 2);
    for (HMENU list : {copyTo, moveTo}) {
        ASSERT_EQ(::GetMenuItemCount(list), 5);
        EXPECT_EQ(MenuText(list, ::GetMenuItemID(list, 1)), L"Alpha");
        EXPECT_EQ(MenuText(list, ::GetMenuItemID(list, 2)), L"Beta");
        EXPECT_EQ(MenuText(list, ::GetMenuItemID(list, 4)), L"Select Folder");
    }
    EXPECT_EQ(::GetMenuItemID(copyTo, 2), UINT(ID_COPY_FAVORITE + 2));
    EXPECT_EQ(::GetMenuItemID(moveTo, 2), UINT(ID_MOVE_FAVORITE + 2));

    // One fewer: the list shrinks with it.
    for (auto it = Favorites().GetFolders().Begin(); !it.IsEnd(); it.Next())
        if (it.GetValue().name == L"Beta") {
            Favorites().Remove(it);
            break;
        }
    app->UpdateCopyMoveMenus();
    EXPECT_EQ(::GetMenuItemCount(copyTo), 4);

    HMENU first = Menu();
    app->SetExportMenuMode(false);
    EXPECT_EQ(::GetMenuItemID(first, 4), UINT(ID_EXPORT_PRINT));
    EXPECT_EQ(::GetMenuItemID(first, 5), UINT(ID_EXPORT_EMAIL));
    EXPECT_EQ(MenuText(first, ID_ADD_FAVORITE), L"");
    app->SetExportMenuMode(true);
    EXPECT_EQ(::GetMenuItemID(first, 4), UINT(ID_ADD_FAVORITE));
    EXPECT_EQ(::GetMenuItemCount(first), 5);
    app->SetExportMenuMode(false);
    EXPECT_EQ(::GetMenuItemCount(first), 6);
}

// The item's right button, at its top-right corner, opens the Export menu suited to the item;
// the rest of the item does not.
TEST_F(FileCommandsTest, TheItemsRightButtonOpensTheExportMenuSuitedToTheItem)
{
    auto popUp = List().m_showItemMenu;
    ASSERT_TRUE(popUp);
    std::vector<bool> opened;
    List().m_showItemMenu = [&](UINT menu, CPoint at, bool folder) {
        EXPECT_EQ(menu, UINT(IDR_MENU_EXPORT));
        opened.push_back(folder);
        popUp(menu, at, folder);
    };
    const struct {
        const wchar_t* name;
        bool folder;
        UINT fifthEntry;
    } rows[] = {{L"sub", true, ID_ADD_FAVORITE}, {L"a.bmp", false, ID_EXPORT_PRINT}, {L"sub", true, ID_ADD_FAVORITE}};
    for (const auto& row : rows) {
        const int index = Index(row.name);
        CRect cell;
        for (const KQ_PIC_LIST_VISIBLE& v : List().m_visible)
            if (v.index == index)
                cell = v.rect;
        ASSERT_FALSE(cell.IsRectEmpty()) << row.name;
        const int top = List().m_nType == KQ_TOOLBAR_TOP ? List().m_nHeight : 0;
        List().m_nHover = index;
        CRect right;
        // The buttons come once the item's thumbnail is in.
        ASSERT_TRUE(PumpUntil([&] { return List().GetItemButtonRects(index, nullptr, &right); })) << row.name;
        const CPoint button = right.CenterPoint();
        const CPoint body(cell.CenterPoint().x, cell.bottom - 4 + top);
        for (const CPoint& at : {body, button}) {
            List().m_nHover = index;
            List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
            List().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            PumpPending();
        }
        ASSERT_EQ(opened.size(), size_t(&row - rows + 1)) << row.name << ": the button only";
        EXPECT_EQ(opened.back(), row.folder);
        EXPECT_EQ(::GetMenuItemID(Menu(), 4), row.fifthEntry) << row.name;
        List().Deselect();
    }
}

// ---- favourites ----

TEST_F(FileCommandsTest, AddFavoriteTakesTheHoveredFolderThroughTheDialog)
{
    List().m_nHover = Index(L"sub");
    Command(ID_ADD_FAVORITE);
    ASSERT_EQ(dialogFolders.size(), 1u);
    EXPECT_EQ(dialogFolders[0], temp.At(L"sub"));
    ASSERT_EQ(Favorites().GetFolders().GetCount(), 1);
    EXPECT_EQ(Favorites().GetFolders().Begin().GetValue().name, L"From dialog");
    // Stored under the test's root, a key named by the digest of the path.
    HKEY root = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kFavoriteRoot, 0, KEY_READ, &root), ERROR_SUCCESS);
    wchar_t name[64] = {};
    DWORD length = 64;
    EXPECT_EQ(::RegEnumKeyExW(root, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(length, 32u);
    ::RegCloseKey(root);

    dialogOk = false;
    Command(ID_ADD_FAVORITE);
    EXPECT_EQ(Favorites().GetFolders().GetCount(), 1);
}

// ---- print and mail ----

TEST_F(FileCommandsTest, PrintAndMailWithNothingToActOnSaySo)
{
    List().m_nHover = -1;
    Command(ID_EXPORT_PRINT);
    Command(ID_EXPORT_EMAIL);
    EXPECT_EQ(notes, (std::vector<std::wstring>{L"Please select a picture file", L"Please select a picture file"}));
}

TEST_F(FileCommandsTest, PrintSendsOnePageWithThePicture)
{
    appframe::MemoryPrinterService printer(600, 800, 100);
    appframe::PrinterService* before = appframe::SetPrinterService(&printer);
    List().m_nHover = Index(L"a.bmp");
    // The layout dialog is answered with OK; the printer's own dialog answers itself.
    ActOnDialog([](HWND dialog) { Click(dialog, IDOK); });
    Command(ID_EXPORT_PRINT);
    appframe::SetPrinterService(before);
    EXPECT_EQ(printer.calls.find(L"StartPage"), printer.calls.rfind(L"StartPage"));
    EXPECT_NE(printer.calls.find(L"EndDoc"), std::wstring::npos) << std::string(printer.calls.begin(), printer.calls.end());
    ASSERT_NE(printer.PageBits(), nullptr);
    int grey = 0;
    for (int y = 0; y < printer.Page().height; y += 4)
        for (int x = 0; x < printer.Page().width; x += 4) {
            const BYTE* p = printer.PageBits() + y * printer.PageStride() + x * 3;
            grey += p[0] == 0x80 && p[1] == 0x80 && p[2] == 0x80;
        }
    EXPECT_GT(grey, 100);
}

class FakeMailClient : public IMailClient {
public:
    HMODULE LoadMapi() override { return ::LoadLibraryW(library.c_str()); }
    std::wstring library;
};

TEST_F(FileCommandsTest, MailHandsTheSelectedPicturesToTheMailProgram)
{
    FakeMailClient client;
    client.library = testsupport::BinDir() + L"\\..\\tests\\FakeMapi.dll";
    HMODULE held = ::LoadLibraryW(client.library.c_str());
    ASSERT_NE(held, nullptr);
    auto lastCall = reinterpret_cast<FakeMapiLastCallFn>(reinterpret_cast<void*>(::GetProcAddress(held, "FakeMapiLastCall")));
    ASSERT_NE(lastCall, nullptr);
    IMailClient* previous = SetMailClient(&client);
    Select({L"a.bmp", L"c.bmp"});
    Command(ID_EXPORT_EMAIL);
    SetMailClient(previous);
    const auto* call = lastCall();
    ASSERT_EQ(call->files.size(), 2u);
    const auto narrow = [](const std::wstring& w) { return std::string(w.begin(), w.end()); };
    EXPECT_EQ(call->files[0].path, narrow(temp.At(L"a.bmp")));
    EXPECT_EQ(call->files[1].path, narrow(temp.At(L"c.bmp")));
    ::FreeLibrary(held);
}

// ---- the viewer's picture ----

// The same commands from the viewer over the frame: they take its picture, not the list's
// selection, and a move shows the picture's neighbour.
class ViewerFileCommandsTest : public FileCommandsTest {
protected:
    void TearDown() override
    {
        if (g_pPicFullScreenFrame)
            g_pPicFullScreenFrame->DestroyWindow();
        PumpPending();
        FileCommandsTest::TearDown();
    }
    CPicFullScreenFrame* Open(const wchar_t* name)
    {
        CPicFullScreenFrame* viewer = CPicFullScreenFrame::OpenOnItem(frame, PictureIndex(name), false);
        PumpFor(100);
        return viewer;
    }
    void Show(const wchar_t* name)
    {
        g_pPicFullScreenFrame->m_wndView.ShowPicture(PictureIndex(name), SHOW_QUICK);
        PumpUntil([&] { return !g_pPicFullScreenFrame->m_wndView.IsTransitionRunning(); });
    }
    // The viewer counts the pictures after the list's folders.
    int PictureIndex(const wchar_t* name) { return Index(name) - Index(L"sub") - 1; }
    std::wstring Shown() { return g_pPicFullScreenFrame ? g_pPicFullScreenFrame->m_wndView.GetPath() : L""; }
};

TEST_F(ViewerFileCommandsTest, CopyAndMoveTakeTheShownPictureAndAMoveShowsItsNeighbour)
{
    AddFavorite(target.Root(), L"Target");
    CPicFullScreenFrame* viewer = Open(L"a.bmp");
    ASSERT_NE(viewer, nullptr);
    Select({L"c.bmp"});
    viewer->SendMessage(WM_COMMAND, ID_COPY_FAVORITE + 1);
    EXPECT_TRUE(Exists(target.At(L"a.bmp")));
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));
    EXPECT_FALSE(Exists(target.At(L"c.bmp"))) << "the list's selection is not the viewer's picture";
    EXPECT_TRUE(Selected(L"c.bmp"));
    EXPECT_EQ(temp.At(L"a.bmp"), Shown());
    EXPECT_FALSE(viewer->IsFileCommandFromViewer());
    ASSERT_EQ(1u, notes.size());
    EXPECT_EQ(L"a.bmp\r\nCopy to " + target.Root(), notes[0]);

    Show(L"b.bmp");
    viewer->SendMessage(WM_COMMAND, ID_MOVE_FAVORITE + 1);
    EXPECT_EQ(1, confirmations);
    EXPECT_FALSE(Exists(temp.At(L"b.bmp")));
    EXPECT_TRUE(Exists(target.At(L"b.bmp")));
    EXPECT_EQ(-1, Index(L"b.bmp"));
    EXPECT_EQ(temp.At(L"c.bmp"), Shown()) << "the neighbour after a move";
    EXPECT_EQ(L"b.bmp\r\nMove to " + target.Root(), notes.back());

    // A failed move says so and keeps the picture; the repeat asks nothing.
    shell.fail = true;
    viewer->SendMessage(WM_COMMAND, ID_EXPORT_LAST);
    EXPECT_EQ(1, confirmations);
    EXPECT_TRUE(Exists(temp.At(L"c.bmp")));
    EXPECT_NE(-1, Index(L"c.bmp"));
    EXPECT_EQ(temp.At(L"c.bmp"), Shown());
    EXPECT_EQ(L"The operation failed\r\nMove to " + target.Root(), notes.back());
    EXPECT_FALSE(viewer->IsFileCommandFromViewer());
}

TEST_F(ViewerFileCommandsTest, TheLastPictureMovedAwayClosesTheViewer)
{
    shell.picked = target.Root();
    for (const wchar_t* name : {L"a.bmp", L"b.bmp"})
        ASSERT_TRUE(::DeleteFileW(temp.At(name).c_str()));
    List().Refresh();
    ASSERT_TRUE(PumpUntil([&] { return List().GetItemCount() == 2 && !List().IsScanning(); }));
    CPicFullScreenFrame* viewer = Open(L"c.bmp");
    ASSERT_NE(viewer, nullptr);
    viewer->SendMessage(WM_COMMAND, ID_MOVE_SELECT);
    EXPECT_EQ(0, confirmations) << "a picked folder is not confirmed";
    EXPECT_TRUE(Exists(target.At(L"c.bmp")));
    PumpPending();
    EXPECT_EQ(nullptr, g_pPicFullScreenFrame);
}

TEST_F(ViewerFileCommandsTest, DeleteBehindASubFolderTakesTheShownPicture)
{
    List().m_messageBox = [](const wchar_t*, UINT) { return IDYES; };
    List().m_recycle = [](const KQPathSet& paths) {
        for (auto it = paths.Begin(); !it.IsEnd(); it.Next())
            ::DeleteFileW(it.GetKey().GetString());
        return true;
    };
    CPicFullScreenFrame* viewer = Open(L"b.bmp");
    ASSERT_NE(viewer, nullptr);
    viewer->SendMessage(WM_COMMAND, ID_VIEWER_DELETE);
    EXPECT_FALSE(Exists(temp.At(L"b.bmp")));
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));
    EXPECT_NE(-1, Index(L"sub"));
    EXPECT_EQ(temp.At(L"c.bmp"), Shown());

    // The Delete key in the picture window does the same.
    viewer->m_wndView.SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_FALSE(Exists(temp.At(L"c.bmp")));
    EXPECT_EQ(-1, Index(L"c.bmp"));
    EXPECT_TRUE(Exists(temp.At(L"a.bmp")));
}

TEST_F(ViewerFileCommandsTest, MailFromTheViewerSendsItsPicture)
{
    FakeMailClient client;
    client.library = testsupport::BinDir() + L"\\..\\tests\\FakeMapi.dll";
    HMODULE held = ::LoadLibraryW(client.library.c_str());
    ASSERT_NE(held, nullptr);
    auto lastCall = reinterpret_cast<FakeMapiLastCallFn>(reinterpret_cast<void*>(::GetProcAddress(held, "FakeMapiLastCall")));
    ASSERT_NE(lastCall, nullptr);
    IMailClient* previous = SetMailClient(&client);
    Select({L"a.bmp", L"c.bmp"});
    CPicFullScreenFrame* viewer = Open(L"b.bmp");
    ASSERT_NE(viewer, nullptr);
    viewer->SendMessage(WM_COMMAND, ID_EXPORT_EMAIL);
    SetMailClient(previous);
    const auto* call = lastCall();
    ASSERT_EQ(call->files.size(), 1u);
    const std::wstring b = temp.At(L"b.bmp");
    EXPECT_EQ(call->files[0].path, std::string(b.begin(), b.end()));
    ::FreeLibrary(held);
}

// ---- the favourite dialog ----

class FavoriteDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        static_cast<CBCGPWinApp*>(AfxGetApp())->InitShellManager();
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey); }
    // Runs the dialog on the folder; act runs inside it, then the dialog is closed unless it ended.
    INT_PTR Run(const std::wstring& folder, std::function<void(HWND)> act)
    {
        dialog.m_strFolder = folder;
        dialog.m_strName = L"Start";
        dialog.m_errorBox = [this](const wchar_t* text) { errors.push_back(text); };
        ActOnDialog([act](HWND window) {
            act(window);
            if (::IsWindow(window) && ::IsWindowVisible(window))
                ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        });
        return dialog.DoModal();
    }

    TempFolder temp;
    CDlgAddFavorite dialog{nullptr, kFavoriteRoot};
    std::vector<std::wstring> errors;
};

TEST_F(FavoriteDialogTest, AVirtualTreeItemIsUnavailable)
{
    std::wstring folder, name;
    bool okEnabled = true, okAtStart = false;
    Run(temp.Root(), [&](HWND window) {
        okAtStart = ::IsWindowEnabled(::GetDlgItem(window, IDOK)) != FALSE;
        HWND tree = ::GetDlgItem(window, IDC_FAVORITE_TREE);
        // The first selection is the tree's own; then a folder, then Computer.
        ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(dialog.m_tree.GetDocumentsItem()));
        ::SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(dialog.m_tree.GetComputerItem()));
        folder = Text(window, IDC_FAVORITE_FOLDER);
        name = Text(window, IDC_FAVORITE_NAME);
        okEnabled = ::IsWindowEnabled(::GetDlgItem(window, IDOK)) != FALSE;
    });
    EXPECT_TRUE(okAtStart);
    EXPECT_EQ(folder, L"Unavailable");
    EXPECT_EQ(name, L"Unavailable");
    EXPECT_FALSE(okEnabled);
}

TEST_F(FavoriteDialogTest, TheFolderBoxNamesTheFavourite)
{
    const struct {
        const wchar_t* typed;
        const wchar_t* name;
    } cases[] = {{L"D:\\Photos\\Trips", L"Trips"}, {L"Trips", L"Trips"}, {L"D:\\", L""}};
    std::vector<std::wstring> names;
    Run(temp.Root(), [&](HWND window) {
        for (const auto& c : cases) {
            ::SetDlgItemTextW(window, IDC_FAVORITE_FOLDER, c.typed);
            names.push_back(Text(window, IDC_FAVORITE_NAME));
        }
    });
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], cases[i].name) << cases[i].typed;
}

TEST_F(FavoriteDialogTest, OKMakesAMissingFolderAndAFailureKeepsTheDialog)
{
    const std::wstring missing = temp.At(L"new\\deeper");
    EXPECT_EQ(Run(missing, [](HWND window) { Click(window, IDOK); }), IDOK);
    EXPECT_TRUE(Exists(missing));
    EXPECT_EQ(dialog.m_strName, L"Start");
    EXPECT_EQ(dialog.m_strFolder, missing);

    // A file stands where the folder would go.
    ASSERT_TRUE(TempFolder::Put(temp.At(L"file"), "x"));
    bool open = false;
    CDlgAddFavorite again(nullptr, kFavoriteRoot);
    again.m_strFolder = temp.At(L"file\\sub");
    again.m_strName = L"Sub";
    again.m_errorBox = [this](const wchar_t* text) { errors.push_back(text); };
    ActOnDialog([&](HWND window) {
        Click(window, IDOK);
        open = ::IsWindowVisible(window) != FALSE;
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    EXPECT_TRUE(open);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Fail to create this folder !\r\n" + temp.At(L"file\\sub"));
}

} // namespace filecommandstest
