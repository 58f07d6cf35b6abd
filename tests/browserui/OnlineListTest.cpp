// The picture list's online mode in the real main frame, against a loopback server serving the
// material tree of tests/online/make-material-tree.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <atomic>
#include <functional>
#include <string>
#include <vector>
#include "LoopbackHttpServer.h"
#include "LumivoShowsApp.h"
#include "LumivoShowsIds.h"
#include "MainFrame.h"
#include "PicFullScreenFrame.h"
#include "PicFullWnd.h"
#include "ScreenPicture.h"
#include "ZVUILibApp.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

namespace {

using testsupport::TempFolder;

class CShowsOnlineTestApp : public CWindowTestApp<CLumivoShowsApp> {
public:
    CShowsOnlineTestApp() : CWindowTestApp(L"LumivoShowsOnlineTests") {}
};
CShowsOnlineTestApp theOnlineApp;

// <test program folder>\online-materials, drawn there by the build.
std::wstring MaterialFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L'\\'));
    return folder + L"\\online-materials";
}

class OnlineListTest : public testing::Test {
protected:
    void SetUp() override
    {
        server.ServeFolder("/", MaterialFolder());
        ASSERT_TRUE(server.Start());
        ASSERT_TRUE(TempFolder::Put(local.At(L"a.bmp"), "BM"));
        StartFrame(local.Root(), [&] { return list().GetItemCount() == 1; });
        const std::string url = server.Url("/");
        list().BindOnline(cache.Root().c_str(), std::wstring(url.begin(), url.end()).c_str());
    }
    void StartFrame(const std::wstring& folder, const std::function<bool()>& ready)
    {
        ASSERT_TRUE(theOnlineApp.Prepare((L"\"" + folder + L"\"").c_str()));
        ASSERT_TRUE(theOnlineApp.CreateMainFrame());
        frame = theOnlineApp.m_pMainFrame;
        frame->ShowWindow(SW_SHOWNORMAL);
        ASSERT_TRUE(PumpUntil(ready, 20000));
        PumpFor(300);
    }
    void TearDown() override
    {
        released = true;
        if (!frame)
            return;
        const HWND hwnd = frame->GetSafeHwnd();
        theOnlineApp.m_pMainWnd = nullptr;
        ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
        PumpPending();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        theOnlineApp.m_pMainFrame = nullptr;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoShowsOnlineTests");
    }
    CPictureListView& list() { return frame->m_wndList; }
    CKQShellTree& tree() { return frame->m_wndPane.m_mainBar.m_tree; }
    std::vector<std::wstring> Children(HTREEITEM item)
    {
        std::vector<std::wstring> names;
        for (HTREEITEM child = tree().GetChildItem(item); child; child = tree().GetNextSiblingItem(child))
            names.push_back(tree().GetItemText(child).GetString());
        return names;
    }
    // Whether the list shows the online folder, read whole.
    bool Shows(const std::wstring& folder, int items)
    {
        const bool shown = PumpUntil([&] {
            return list().IsOnline() && _wcsicmp(list().GetCurrentFolder().GetString(), folder.c_str()) == 0 &&
                   list().GetItemCount() == items;
        }, 20000);
        if (!shown)
            ADD_FAILURE() << "shown: " << (list().IsOnline() ? "online " : "") << list().GetItemCount() << " items of "
                          << testing::PrintToString(std::wstring(list().GetCurrentFolder().GetString()));
        return shown;
    }
    std::wstring Dir(const wchar_t* relative = nullptr) const
    {
        return relative ? cache.At(std::wstring(L"Dir\\") + relative) : cache.At(L"Dir");
    }
    // Opens a folder and waits until the loader has filled the list.
    bool Open(const std::wstring& folder, int items)
    {
        list().UpdateFolder(folder.c_str(), false);
        const bool done = PumpUntil([&] { return list().GetItemCount() == items; }, 20000);
        if (!done) {
            ADD_FAILURE() << "items " << list().GetItemCount() << ", online " << list().IsOnline();
            for (const auto& request : server.Requests())
                ADD_FAILURE() << request.target;
        }
        return done;
    }
    std::wstring Text(int index)
    {
        KQ_PIC_LIST_ITEM item = {};
        return list().GetItem(index, &item) ? item.strText.GetString() : L"<none>";
    }
    // The served file at target is answered only once released is set (20 seconds at most).
    void HoldBack(const std::string& target)
    {
        std::wstring file = MaterialFolder() + std::wstring(target.begin(), target.end());
        for (wchar_t& c : file)
            if (c == L'/')
                c = L'\\';
        server.Handle(target, [this, file](const testsupport::HttpRequestSeen&, testsupport::HttpReplyChannel& reply) {
            for (int waited = 0; !released && waited < 20000; waited += 20)
                if (!reply.Pause(20))
                    return;
            const std::string body = TempFolder::Get(file);
            reply.Send("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\n\r\n" + body);
        });
    }

    TempFolder cache, local;
    std::atomic<bool> released{false};
    testsupport::LoopbackHttpServer server;
    CMainFrame* frame = nullptr;
};

TEST_F(OnlineListTest, DownloadMoreReadsOnePageMoreUntilTheFolderIsWhole)
{
    // 250 pictures on five pages: two pages open, each click adds the next lower one.
    ASSERT_TRUE(Open(Dir(L"Big"), 101));
    EXPECT_TRUE(list().IsOnline());
    EXPECT_EQ(list().GetDownloadMoreIndex(), 100);
    EXPECT_EQ(Text(100), L"Download More");
    // The status bar counts pictures, not the "Download More" item.
    EXPECT_EQ(list().CountItems().files, 100);
    EXPECT_EQ(Text(0), L"Big 201");
    EXPECT_EQ(server.CountRequests("/Big/FileList2.xml"), 0);
    for (int pages = 3; pages <= 5; ++pages) {
        SCOPED_TRACE(pages);
        const int more = list().GetDownloadMoreIndex();
        ASSERT_TRUE(list().OnItemClicked(more));
        const int expected = pages * 50 + (pages < 5 ? 1 : 0);
        ASSERT_TRUE(PumpUntil([&] { return list().GetItemCount() == expected; }, 20000));
        // The last item of the page just read: the newest picture of that page.
        EXPECT_EQ(Text(pages * 50 - 1), L"Big " + std::to_wstring((6 - pages) * 50));
    }
    EXPECT_EQ(list().GetDownloadMoreIndex(), -1);
    EXPECT_FALSE(list().OnItemClicked(0));

    // Every page is cached now: the folder opens whole, without asking for a page again.
    ASSERT_TRUE(Open(Dir(), 3));
    const size_t before = server.Requests().size();
    ASSERT_TRUE(Open(Dir(L"Big"), 250));
    const auto requests = server.Requests();
    for (size_t i = before; i < requests.size(); ++i)
        EXPECT_EQ(requests[i].target.find("/Big/FileList"), std::string::npos) << requests[i].target;
}

TEST_F(OnlineListTest, RefreshFetchesTheDirectoryAgain)
{
    ASSERT_TRUE(Open(Dir(L"Textures"), 5));
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 1);
    ASSERT_TRUE(Open(Dir(L"Nature"), 7));
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 1);
    // F5 and the menu's Refresh go the same way as the tool bar's.
    const std::function<void()> refreshes[] = {
        [&] { list().RefreshFolder(); },
        [&] { list().SendMessage(WM_KEYDOWN, VK_F5); },
        [&] { list().SendMessage(WM_COMMAND, ID_LIST_REFRESH); },
    };
    int fetches = 1;
    for (const auto& refresh : refreshes) {
        SCOPED_TRACE(fetches);
        refresh();
        ++fetches;
        ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/PicDir.xml") == fetches && list().GetItemCount() == 7; }, 20000));
        EXPECT_TRUE(list().IsOnline());
    }
}

TEST_F(OnlineListTest, FolderPreviewsAreAskedForOnlyWhereTheServerHasThem)
{
    ASSERT_TRUE(Open(Dir(), 3));
    EXPECT_EQ(Text(0), L"Big");
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests("/Nature/Nature.webp") == 1; }, 20000));
    PumpUntil([] { return false; }, 500);
    EXPECT_EQ(server.CountRequests("/Big/Big.webp"), 0);
    EXPECT_EQ(server.CountRequests("/Textures/Textures.webp"), 0);
    EXPECT_EQ(server.CountRequests("/Nature/Nature.webp"), 1);
    EXPECT_EQ(TempFolder::Get(Dir(L"Nature\\Nature.webp")).substr(0, 4), "RIFF");
}

TEST_F(OnlineListTest, PicturesNotCachedCarryTheDownloadMark)
{
    ::CreateDirectoryW(cache.At(L"File\\F").c_str(), nullptr);
    ASSERT_TRUE(TempFolder::Put(cache.At(L"File\\F\\Textures002.png"), "x"));
    ASSERT_TRUE(Open(Dir(L"Textures"), 5));
    int marked = 0;
    for (int i = 0; i < 5; ++i)
        marked += (list().GetItemState(i) & KQLS_DOWNLOAD) ? 1 : 0;
    EXPECT_EQ(marked, 4);
    EXPECT_EQ(std::wstring(list().GetItemFullFileName(0).GetString()), L"Textures\\Textures001.png");
    // The file that stands for the picture is its cached size.
    EXPECT_EQ(std::wstring(list().GetRelatedFileName(1).GetString()), cache.At(L"File\\F\\Textures002.png"));
    ASSERT_TRUE(PumpUntil([&] { return TempFolder::Get(cache.At(L"File\\Textures001.png")) != "<missing>"; }, 20000));
}

TEST_F(OnlineListTest, LeavingTheOnlineTreeRestoresTheLocalDisplay)
{
    list().ChangeIconSize(CKQPicListView::KQ_LS_ICON_SMALL, true);
    list().m_bShowName = true;
    gKQListView_SortType = KQ_LIST_SORT_NAME;
    ASSERT_TRUE(Open(Dir(L"Textures"), 5));
    EXPECT_EQ(list().m_nIconSize, 4);
    EXPECT_FALSE(list().m_bShowName);
    EXPECT_EQ(gKQListView_SortType, KQ_LIST_SORT_NONE);
    ASSERT_TRUE(Open(local.Root(), 1));
    EXPECT_FALSE(list().IsOnline());
    EXPECT_EQ(list().m_nIconSize, 1);
    EXPECT_TRUE(list().m_bShowName);
    EXPECT_EQ(gKQListView_SortType, KQ_LIST_SORT_NAME);
    gKQListView_SortType = KQ_LIST_SORT_NONE;
}

// The breadcrumb shows the online folder the list opened, by its cache path.
TEST_F(OnlineListTest, TheBreadcrumbFollowsAnOnlineFolder)
{
    ASSERT_TRUE(Open(Dir(L"Textures"), 5));
    PumpPending();
    const CString shown = frame->m_wndToolBar.m_breadcrumb.GetSelectedPath();
    EXPECT_EQ(_wcsicmp(shown.GetString(), Dir(L"Textures").c_str()), 0) << shown.GetString();
}

TEST_F(OnlineListTest, OnlineFoldersTakeNoPaste)
{
    struct Case {
        std::wstring path;
        unsigned attr;
    };
    const Case cases[] = {
        {Dir(), 0x38}, {Dir(L"Nature\\Flowers"), 0x38}, {Dir() + L"\\", 0x38}, {cache.At(L"Directory"), 0x18},
        {cache.At(L"File"), 0x18}, {local.Root(), 0x18}, {Dir(L"..\\File"), 0x18},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list().GetFolderAttr(c.path.c_str()), c.attr) << c.path;
}

// The folder tree's online root stands for the client's Dir folder. Opening it the first time
// fetches the directory once and then lists the cache folders mirrored from it; it is refused
// during a batch; the root and the folders below it open online in the list.
TEST_F(OnlineListTest, TheOnlineRootReadsTheDirectoryOnceAndListsTheMirroredFolders)
{
    tree().Refresh();
    const HTREEITEM root = tree().GetOnlineItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(std::wstring(tree().GetItemText(root).GetString()), L"Online Materials");
    EXPECT_EQ(_wcsicmp(tree().OnlinePath().GetString(), Dir().c_str()), 0) << tree().OnlinePath().GetString();
    CString path;
    ASSERT_TRUE(tree().GetItemPath(path, root));
    EXPECT_EQ(_wcsicmp(path.GetString(), Dir().c_str()), 0) << path.GetString();
    EXPECT_EQ(tree().GetNextSiblingItem(tree().GetDesktopItem()), root) << "after the desktop, before the favourites";
    EXPECT_TRUE(tree().ItemHasChildren(root));
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 0) << "nothing is read before the root opens";

    tree().m_batchRunning = [] { return true; };
    tree().Expand(root, TVE_EXPAND);
    PumpFor(300);
    EXPECT_EQ(tree().GetChildItem(root), nullptr);
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 0) << "refused during a batch";
    tree().m_batchRunning = [] { return false; };

    tree().Expand(root, TVE_EXPAND);
    ASSERT_TRUE(PumpUntil([&] { return Children(root).size() == 3; }, 20000));
    EXPECT_EQ(Children(root), (std::vector<std::wstring>{L"Big", L"Nature", L"Textures"}));
    ASSERT_TRUE(Shows(Dir(), 3));
    EXPECT_EQ(tree().GetSelectedItem(), root) << "the root opened is the one shown";
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 1);

    struct Case {
        const wchar_t* name;
        bool opens;   // it has folders of its own
        int items;
    };
    const Case cases[] = {{L"Nature", true, 7}, {L"Textures", false, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HTREEITEM item = tree().GetChildItemByName(root, c.name);
        ASSERT_NE(item, nullptr);
        tree().Expand(item, TVE_EXPAND);
        EXPECT_EQ(tree().GetSelectedItem(), item);
        EXPECT_EQ(tree().ItemHasChildren(item) != FALSE, c.opens);
        ASSERT_TRUE(Shows(Dir(c.name), c.items));
    }

    // Chosen again, the root is shown; closed and opened again, it lists the cache folders at
    // once. Nothing more is fetched.
    tree().SelectItem(root);
    ASSERT_TRUE(Shows(Dir(), 3));
    tree().Expand(root, TVE_COLLAPSE | TVE_COLLAPSERESET);
    EXPECT_EQ(tree().GetChildItem(root), nullptr);
    tree().Expand(root, TVE_EXPAND);
    EXPECT_EQ(Children(root).size(), 3u);
    EXPECT_EQ(tree().GetSelectedItem(), root);
    PumpFor(300);
    EXPECT_EQ(server.CountRequests("/PicDir.xml"), 1);
}

// A directory that cannot be fetched leaves the root without folders but still with its button;
// the list shows the root, empty.
TEST_F(OnlineListTest, TheOnlineRootKeepsItsButtonWhenTheDirectoryCannotBeRead)
{
    const std::string url = server.Url("/absent/");
    list().BindOnline(cache.Root().c_str(), std::wstring(url.begin(), url.end()).c_str());
    tree().Refresh();
    const HTREEITEM root = tree().GetOnlineItem();
    ASSERT_NE(root, nullptr);
    tree().Expand(root, TVE_EXPAND);
    ASSERT_TRUE(Shows(Dir(), 0));
    ASSERT_TRUE(PumpUntil([&] { return !list().GetOnlineClient().IsUpdating(); }, 20000));
    PumpFor(300);
    EXPECT_GE(server.CountRequests("/absent/PicDir.xml"), 1);
    EXPECT_EQ(tree().GetChildItem(root), nullptr);
    EXPECT_TRUE(tree().ItemHasChildren(root));
    EXPECT_EQ(tree().GetSelectedItem(), root);
}

// The browser started on the Dir folder selects the tree's online root and lists the folder
// online; Parent there stays, one level below it goes up within the online materials.
class OnlineStartTest : public OnlineListTest {
protected:
    void SetUp() override
    {
        server.ServeFolder("/", MaterialFolder());
        ASSERT_TRUE(server.Start());
        const std::string url = server.Url("/");
        const std::wstring wideUrl(url.begin(), url.end());
        ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, kShowsKey, L"OnlineServer", REG_SZ, wideUrl.c_str(),
                                    DWORD((wideUrl.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        wchar_t folder[MAX_PATH] = {};
        GetKQFolder(folder, KQ_FOLDER_CACHE, true);
        dir = folder;
        if (!dir.empty() && dir.back() != L'\\')
            dir += L'\\';
        dir += L"Dir";
        testsupport::RemoveTree(dir);
        ::SHCreateDirectoryExW(nullptr, dir.c_str(), nullptr);
        StartFrame(dir, [&] { return list().IsOnline() && list().GetItemCount() == 3; });
    }
    void TearDown() override
    {
        OnlineListTest::TearDown();
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kShowsKey, L"OnlineServer");
        // The program's own cache: what was read here is not there for the next test.
        testsupport::RemoveTree(dir);
    }
    static constexpr const wchar_t* kShowsKey = L"Software\\Lumivo\\LumivoShows";
    std::wstring dir;
};

TEST_F(OnlineStartTest, TheTreeSelectsItsOnlineRootAndParentStaysThere)
{
    const HTREEITEM root = tree().GetOnlineItem();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree().GetSelectedItem(), root);
    EXPECT_EQ(_wcsicmp(tree().OnlinePath().GetString(), dir.c_str()), 0) << tree().OnlinePath().GetString();

    struct Case {
        std::wstring from;
        int fromItems;
        std::wstring to;
        int toItems;
    };
    const Case cases[] = {{dir, 3, dir, 3}, {dir + L"\\Nature\\Flowers", 9, dir + L"\\Nature", 7}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        list().UpdateFolder(c.from.c_str(), false);
        ASSERT_TRUE(Shows(c.from, c.fromItems));
        frame->m_wndToolBar.GoParent();
        PumpFor(300);
        ASSERT_TRUE(Shows(c.to, c.toItems));
    }
}

// The real program, pointed at the loopback server by its setting and started on the cache's
// Dir folder, lists that folder online; the screen is kept for a look (build/out/e2e).
TEST(ShowsProgramOnline, StartsOnTheCachedDirectoryAndListsItOnline)
{
    testsupport::LoopbackHttpServer server;
    server.ServeFolder("/", MaterialFolder());
    ASSERT_TRUE(server.Start());
    const wchar_t showsKey[] = L"Software\\Lumivo\\LumivoShows";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, showsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::string url = server.Url("/");
    const std::wstring wideUrl(url.begin(), url.end());
    ::RegSetValueExW(key, L"OnlineServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(wideUrl.c_str()),
                     DWORD((wideUrl.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    HKEY system = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Lumivo\\LumivoShows\\System", 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &system, nullptr),
              ERROR_SUCCESS);
    const DWORD never = 0;
    ::RegSetValueExW(system, L"iCheckDefaultOnStartup", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&never),
                     sizeof never);
    ::RegCloseKey(system);

    wchar_t cache[MAX_PATH] = {};
    GetKQFolder(cache, KQ_FOLDER_CACHE, true);
    std::wstring dir = cache;
    if (!dir.empty() && dir.back() != L'\\')
        dir += L'\\';
    dir += L"Dir";
    ::SHCreateDirectoryExW(nullptr, dir.c_str(), nullptr);

    testsupport::ChildProcess shows;
    ASSERT_TRUE(shows.Start(testsupport::BinDir() + L"\\LumivoShows.exe", L"\"" + dir + L"\""));
    const HWND frame = shows.WaitForWindow(L"LumivoMainFrame", 20000);
    ASSERT_NE(frame, nullptr);
    // The directory is fetched and the folders' previews drawn while the frame settles.
    for (int waited = 0; waited < 20000 && server.CountRequests("/PicDir.xml") == 0; waited += 100)
        ::Sleep(100);
    ::Sleep(4000);
    SaveWindowPicture(frame, OutFolder(L"e2e") + L"\\online.png");
    EXPECT_GE(server.CountRequests("/PicDir.xml"), 1);
    EXPECT_NE(::GetFileAttributesW((dir + L"\\PicDir.xml").c_str()), INVALID_FILE_ATTRIBUTES);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    shows.WaitForExit(10000);
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, showsKey, L"OnlineServer");
}

} // namespace

// The viewer opened on a picture not fetched yet shows the loading animation. The progress of
// the download queue's transfers reaches it only for that picture, and its end takes the
// animation away. The server holds the shown picture back until the reports are checked.
TEST_F(OnlineListTest, ViewerFollowsTheDownloadOfItsOwnPicture)
{
    HoldBack("/Textures/M/Textures001.png");
    ASSERT_TRUE(Open(Dir(L"Textures"), 5));
    CPicFullScreenFrame* viewer = CPicFullScreenFrame::OpenOnItem(frame, 0, false);
    ASSERT_NE(viewer, nullptr);
    PumpFor(100);
    CPicFullWnd& view = viewer->m_wndView;
    EXPECT_TRUE(view.IsLoadingShown());
    EXPECT_EQ(view.GetLoadingProgress(), -1);
    SaveWindowPicture(viewer->GetSafeHwnd(), OutFolder(L"e2e") + L"\\viewer-loading.png");
    CLumivoShowsDownloadFileList& queue = list().GetDownloadQueue();
    auto report = [&](CKQListFile& item) {
        queue.OnDownloadStart(&item);
        queue.OnProgress(HTTP_EVENT_STATE, HTTP_STATE_DONE);
        PumpPending();
    };
    CKQListFile other(L"Textures\\Textures002.png");
    report(other);
    queue.OnDownloadFinish(&other, 0);
    PumpPending();
    EXPECT_TRUE(view.IsLoadingShown());
    EXPECT_EQ(view.GetLoadingProgress(), -1) << "another picture's download";
    CKQListFile shown(L"Textures\\Textures001.png");
    report(shown);
    EXPECT_EQ(view.GetLoadingProgress(), 100);
    released = true;
    EXPECT_TRUE(PumpUntil([&] { return !view.IsLoadingShown(); }, 20000));
    viewer->DestroyWindow();
    PumpPending();
}

// The viewer on an online folder none of whose pictures is cached: the shown picture and the
// eight after it are fetched into the cache, no further one, and the picture shows once it is
// there; the list's items lose their "not downloaded" badge.
TEST_F(OnlineListTest, ViewerFetchesItsPictureAndTheEightAfterIt)
{
    ASSERT_TRUE(Open(Dir(L"Big"), 101));
    auto name = [&](int index) {
        const std::wstring path = list().GetItemFullFileName(index).GetString();
        return path.substr(path.find_last_of(L'\\') + 1);
    };
    auto target = [&](int index) {
        const std::wstring file = name(index);
        return "/Big/M/" + std::string(file.begin(), file.end());
    };
    CPicFullScreenFrame* viewer = CPicFullScreenFrame::OpenOnItem(frame, 0, false);
    ASSERT_NE(viewer, nullptr);
    CPicFullWnd& view = viewer->m_wndView;
    EXPECT_EQ(cache.At(L"File\\M\\" + name(0)), view.GetPath()) << "the picture's file in the cache";
    ASSERT_TRUE(PumpUntil([&] { return server.CountRequests(target(8)) > 0 && !view.IsLoadingShown(); }, 20000));
    PumpFor(300);
    for (int i = 0; i <= 9; ++i) {
        SCOPED_TRACE(i);
        const bool ahead = i <= 8;
        EXPECT_EQ(ahead ? 1 : 0, server.CountRequests(target(i)));
        EXPECT_EQ(ahead, ::GetFileAttributesW(cache.At(L"File\\M\\" + name(i)).c_str()) != INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(ahead ? 0u : unsigned(KQLS_DOWNLOAD), list().GetItemState(i) & (KQLS_DOWNLOAD | KQLS_DOWNLOADING | KQLS_ALERT));
    }
    EXPECT_TRUE(view.GetSplashText().empty()) << std::string(view.GetSplashText().begin(), view.GetSplashText().end());
    ASSERT_TRUE(view.GetShownEntry().loaded);
    EXPECT_EQ(320u, view.GetShownEntry().source->GetWidth()) << "the middle size of the picture";
    SaveWindowPicture(viewer->GetSafeHwnd(), OutFolder(L"e2e") + L"\\viewer-online.png");
    viewer->DestroyWindow();
    PumpPending();
}

// While the loading animation shows, a tick of the frame, slide or grow timer draws nothing: the
// previous picture does not come back over the animation.
TEST_F(OnlineListTest, ViewerTimersWaitWhileThePictureLoads)
{
    // The first picture is in the cache, the second is held back by the server.
    ::SHCreateDirectoryExW(nullptr, cache.At(L"File\\M").c_str(), nullptr);
    ASSERT_TRUE(TempFolder::Put(cache.At(L"File\\M\\Textures001.png"),
                                TempFolder::Get(MaterialFolder() + L"\\Textures\\M\\Textures001.png")));
    HoldBack("/Textures/M/Textures002.png");
    ASSERT_TRUE(Open(Dir(L"Textures"), 5));
    CPicFullScreenFrame* viewer = CPicFullScreenFrame::OpenOnItem(frame, 0, false);
    ASSERT_NE(viewer, nullptr);
    CPicFullWnd& view = viewer->m_wndView;
    PumpFor(200);
    ASSERT_FALSE(view.IsLoadingShown());
    RECT client;
    view.GetClientRect(&client);
    const POINT middle = {client.right / 2, client.bottom / 2};
    auto pixel = [&] {
        HDC dc = ::GetDC(view.GetSafeHwnd());
        const COLORREF colour = ::GetPixel(dc, middle.x, middle.y);
        ::ReleaseDC(view.GetSafeHwnd(), dc);
        return colour;
    };
    const COLORREF first = pixel();
    for (UINT_PTR timer : {TIMER_ANIMATION, TIMER_SLIDE, TIMER_GROW}) {
        SCOPED_TRACE(timer);
        // From the first picture, shown, to the second, loading: a tick would draw the first.
        ASSERT_TRUE(view.ShowPicture(0, SHOW_QUICK));
        PumpFor(100);
        ASSERT_EQ(first, pixel());
        ASSERT_TRUE(view.ShowPicture(1, SHOW_QUICK));
        PumpFor(100);
        ASSERT_TRUE(view.IsLoadingShown());
        ASSERT_NE(first, pixel()) << "the animation is drawn over the middle";
        view.SendMessage(WM_TIMER, timer, 0);
        EXPECT_NE(first, pixel());
    }
    EXPECT_FALSE(view.IsTransitionRunning());
    released = true;
    EXPECT_TRUE(PumpUntil([&] { return !view.IsLoadingShown(); }, 20000));
    viewer->DestroyWindow();
    PumpPending();
}

TEST(DownloadProgressTest, ReportsGiveThePercentageFetched)
{
    const struct {
        long event, value;
        int64_t total;
        int percent;
    } cases[] = {
        {HTTP_EVENT_RECEIVED, 50, 200, 25},
        {HTTP_EVENT_RECEIVED, 200, 200, 100},
        {HTTP_EVENT_RECEIVED, 50, 0, -1}, // no length sent
        {HTTP_EVENT_RECEIVED, 2000000000, 4000000000LL, 50},
        {HTTP_EVENT_RECEIVED, 300, 200, 100},
        {HTTP_EVENT_STATE, HTTP_STATE_DONE, 0, 100},
        {HTTP_EVENT_STATE, HTTP_STATE_TRANSFER, 200, -1},
        {HTTP_EVENT_TOTAL, 200, 200, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DownloadPercent(c.event, c.value, c.total), c.percent) << c.event << " " << c.value << " " << c.total;
}
