// The material list against the loopback server: the list file (cached, fetched, broken,
// missing), paging with the "Download More" cell, favourites first, the names a list may give,
// previews and materials, the user's own materials and their deletion, stopping and destroying.
#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <vector>
#include "KQResListView.h"
#include "LoopbackHttpServer.h"
#include "PicListTestSupport.h"
#include "ShellService.h"
#include "WindowTestApp.h"

namespace {

using testsupport::TempFolder;

const wchar_t kFavoriteKey[] = L"Software\\LumivoTest\\ResListFavorites";
const RGBQUAD kGreen = {0, 200, 0, 0};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// A list file of the names, in this order.
std::string FileList(const std::vector<std::string>& names, const std::string& attr = "P")
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<FileList Attr=\"" + attr + "\">\n";
    int date = 1000;
    for (const std::string& name : names)
        xml += "  <File Name=\"" + name + "\" Date=\"" + std::to_string(date++) + "\" nSlot=\"2\"/>\n";
    return xml + "</FileList>\n";
}

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back("m" + std::to_string(1000 + i) + ".png");
    return names;
}

// A server folder of materials, previews and descriptions below /res/, the list file served
// from memory; the list of requests is the server's.
class MaterialSite {
public:
    explicit MaterialSite(const TempFolder& temp) : m_folder(temp.At(L"server"))
    {
        CreateDirectoryW(m_folder.c_str(), nullptr);
        CreateDirectoryW((m_folder + L"\\Stickers").c_str(), nullptr);
        m_server.ServeFolder("/res/", m_folder);
        m_started = m_server.Start();
    }
    bool Started() const { return m_started; }
    std::wstring Base() const { return Wide(m_server.Url("/res/")); }
    void ServeList(const std::string& xml)
    {
        testsupport::HttpFile file;
        file.body = std::make_shared<std::string>(xml);
        m_server.ServeFile("/res/Stickers/FileList.xml", file);
    }
    // The material, its preview and its description, as the server has them.
    void AddMaterial(const std::string& name, bool preview = true, bool description = true)
    {
        const std::wstring folder = m_folder + L"\\Stickers\\";
        pltest::WritePicture(folder + Wide(name), 64, 48, kGreen);
        if (preview)
            pltest::WritePicture(folder + L"_Preview_" + Wide(name), 32, 24, kGreen);
        if (description)
            TempFolder::Put(folder + Wide(name.substr(0, name.rfind('.'))) + L".xml", "<Material/>");
    }
    // The client escapes "_" in its requests.
    int Count(const std::string& relative) const
    {
        std::string target = "/res/Stickers/";
        for (char c : relative)
            target += c == '_' ? std::string("%5F") : std::string(1, c);
        return m_server.CountRequests(target);
    }
    testsupport::LoopbackHttpServer& Server() { return m_server; }

private:
    std::wstring m_folder;
    testsupport::LoopbackHttpServer m_server;
    bool m_started = false;
};

// The view with its root, user folder and favourites in places of the test's own; it lists
// the user's files after the listed ones and records what it was asked to show.
class ResView : public CKQResListView {
public:
    ResView(const TempFolder& temp, const std::wstring& server)
    {
        m_temp = temp.Root();
        SetResRoot(temp.At(L"root").c_str());
        SetResServer(server.c_str());
        m_strUserDataRoot = temp.At(L"user").c_str();
        SetFavoriteRoot((std::wstring(L"HKCU\\") + kFavoriteKey + L"\\").c_str());
    }
    ~ResView() override
    {
        if (GetSafeHwnd())
            DestroyWindow();
        StopAll();
    }
    bool Open()
    {
        return CreateEx(0, nullptr, L"ResList", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0) != FALSE;
    }
    // The folder update, done: the list is there or has been given up.
    void Update(const wchar_t* folder, int page = -1)
    {
        UpdateResFolder(folder, page);
        WaitFolderWorker();
    }
    bool OnUserPageFileFound(const wchar_t* path) override
    {
        CResFileItem entry;
        entry.name = path + m_strUserResFolder.GetLength() + 1;
        entry.bListed = false;
        Lock();
        m_listRes.AddTail(entry);
        Unlock();
        return true;
    }
    void ShowResContent(int index, bool cached) override { m_shown.push_back({index, cached}); }
    void OnDeleteRefused(const wchar_t* path) override { m_refused.push_back(path); }
    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        Lock();
        for (auto it = m_folderBrowser.m_lstFile.Begin(); it != m_folderBrowser.m_lstFile.End(); it.Next())
            names.push_back(it->m_strCaption.GetString());
        Unlock();
        return names;
    }
    std::vector<std::wstring> ResNames()
    {
        std::vector<std::wstring> names;
        Lock();
        for (auto it = m_listRes.Begin(); it != m_listRes.End(); it.Next())
            names.push_back(it->name.GetString());
        Unlock();
        return names;
    }
    std::wstring Local(const std::wstring& name) const { return m_temp + L"\\root\\Stickers\\" + name; }
    std::wstring User(const std::wstring& name) const { return m_temp + L"\\user\\Stickers\\" + name; }

    void SelectForTest(int index) { m_nLastSingleSelected = index; }
    std::vector<std::pair<int, bool>> m_shown;
    std::vector<std::wstring> m_refused;

private:
    std::wstring m_temp;
};

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ResListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, kFavoriteKey);
        ASSERT_TRUE(m_site.Started());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kFavoriteKey); }

    TempFolder m_temp;
    MaterialSite m_site{m_temp};
};

TEST_F(ResListTest, PagesOfSixtyWithDownloadMoreCell)
{
    m_site.ServeList(FileList(Numbered(130)));
    ResView view(m_temp, m_site.Base());
    view.Update(L"Stickers");
    EXPECT_EQ(61, view.GetItemCount());
    EXPECT_EQ(60, view.m_nMoreItem);
    KQ_PIC_LIST_ITEM more = {};
    ASSERT_TRUE(view.GetItem(60, &more));
    EXPECT_STREQ(L"Download More", more.strText.GetString());
    EXPECT_EQ(&view.m_imageMore, more.pImage);

    EXPECT_TRUE(view.OnItemClicked(60));
    EXPECT_EQ(121, view.GetItemCount());
    EXPECT_TRUE(view.OnItemClicked(120));
    EXPECT_EQ(130, view.GetItemCount());
    EXPECT_EQ(-1, view.m_nMoreItem);
    EXPECT_EQ(1, m_site.Count("FileList.xml"));
    // Nothing of the materials is here: each carries the download mark.
    EXPECT_EQ(KQLS_DOWNLOAD, view.GetItemState(129) & KQLS_DOWNLOAD);
}

TEST_F(ResListTest, CachedPagesCountCompleteMaterialsFromTheFirst)
{
    const struct {
        int cached;
        int pages;
    } cases[] = {{0, 1}, {60, 1}, {61, 2}};
    for (const auto& c : cases) {
        TempFolder temp;
        ResView view(temp, m_site.Base());
        CreateDirectoryW(temp.At(L"root").c_str(), nullptr);
        CreateDirectoryW(temp.At(L"root\\Stickers").c_str(), nullptr);
        const std::vector<std::string> names = Numbered(130);
        TempFolder::Put(view.Local(L"FileList.xml"), FileList(names, ""));
        for (int i = 0; i < c.cached; ++i) {
            TempFolder::Put(view.Local(Wide(names[i])), "x");
            TempFolder::Put(view.Local(Wide(names[i].substr(0, names[i].size() - 4)) + L".xml"), "x");
        }
        // A material without its description is not complete.
        TempFolder::Put(view.Local(Wide(names[c.cached])), "x");
        view.Update(L"Stickers");
        EXPECT_EQ(c.pages, view.GetCachedPageCount(false)) << c.cached;
        EXPECT_EQ(std::min(130, c.pages * 60) + 1, view.GetItemCount()) << c.cached;
    }
    EXPECT_EQ(0, m_site.Count("FileList.xml"));
}

TEST_F(ResListTest, ListFileFromCacheServerOrNowhere)
{
    const struct {
        const char* label;
        const char* cached; // null: none
        bool served;
        bool reachable;
        int items;
        int requests;
    } cases[] = {
        {"cached", "ok", false, true, 3, 0},
        {"unparsable cache", "not a list", true, true, 2, 1},
        {"missing", nullptr, false, true, 0, 1},
        {"unreachable", nullptr, false, false, 0, 0},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        MaterialSite site(temp);
        if (c.served)
            site.ServeList(FileList({"a.png", "b.png"}));
        ResView view(temp, c.reachable ? site.Base() : L"http://127.0.0.1:1/res/");
        if (c.cached) {
            CreateDirectoryW(temp.At(L"root").c_str(), nullptr);
            CreateDirectoryW(temp.At(L"root\\Stickers").c_str(), nullptr);
            const std::string text = std::string(c.cached) == "ok" ? FileList({"a.png", "b.png", "c.png"}) : c.cached;
            TempFolder::Put(view.Local(L"FileList.xml"), text);
        }
        view.Update(L"Stickers");
        EXPECT_EQ(c.items, view.GetItemCount()) << c.label;
        EXPECT_EQ(c.requests, site.Count("FileList.xml")) << c.label;
    }
}

TEST_F(ResListTest, AttrChoosesPreviewMode)
{
    const struct {
        const char* attr;
        bool preview;
    } cases[] = {{"Preview", true}, {"p", true}, {"P", true}, {"Normal", false}, {"", false}};
    ResView view(m_temp, m_site.Base());
    for (const auto& c : cases) {
        const std::wstring path = m_temp.At(L"list.xml");
        TempFolder::Put(path, FileList({"a.png"}, c.attr));
        ASSERT_TRUE(view.LoadFileList(path.c_str())) << c.attr;
        EXPECT_EQ(c.preview, bool(view.m_bPreviewFile)) << c.attr;
    }
    TempFolder::Put(m_temp.At(L"other.xml"), "<Other/>");
    EXPECT_FALSE(view.LoadFileList(m_temp.At(L"other.xml").c_str()));
}

TEST_F(ResListTest, FavouritesComeFirstInTheirOrderAndOutliveTheWindow)
{
    {
        CFavoriteRecord record;
        record.SetRootRegPath((std::wstring(L"HKCU\\") + kFavoriteKey + L"\\").c_str());
        record.AddFavorite(L"e.png", L"Stickers");
        record.AddFavorite(L"c.png", L"Stickers");
        ASSERT_TRUE(record.Save());
    }
    m_site.ServeList(FileList({"a.png", "b.png", "c.png", "d.png", "e.png"}));
    {
        ResView view(m_temp, m_site.Base());
        ASSERT_TRUE(view.Open());
        view.Update(L"Stickers");
        const std::vector<std::wstring> expected = {L"c.png", L"e.png", L"a.png", L"b.png", L"d.png"};
        EXPECT_EQ(expected, view.Names());
        EXPECT_EQ(KQLS_FAVORITE, view.GetItemState(0) & KQLS_FAVORITE);
        EXPECT_EQ(0u, view.GetItemState(2) & KQLS_FAVORITE);
        // The Favorite button toggles the selected entries: c.png goes, a.png comes.
        view.SetItemState(0, KQLS_SELECTED, 0);
        view.SetItemState(2, KQLS_SELECTED, 0);
        EXPECT_TRUE(view.OnToolBarItemClicked(KQRLV_CMD_FAVORITE));
        EXPECT_EQ(0u, view.GetItemState(0) & KQLS_FAVORITE);
        EXPECT_EQ(KQLS_FAVORITE, view.GetItemState(2) & KQLS_FAVORITE);
        view.DestroyWindow();
    }
    CFavoriteRecord stored;
    stored.SetRootRegPath((std::wstring(L"HKCU\\") + kFavoriteKey + L"\\").c_str());
    ASSERT_TRUE(stored.Load(L"Stickers"));
    EXPECT_TRUE(stored.IsFavorite(L"a.png", L"Stickers"));
    EXPECT_TRUE(stored.IsFavorite(L"e.png", L"Stickers"));
    EXPECT_FALSE(stored.IsFavorite(L"c.png", L"Stickers"));
}

TEST_F(ResListTest, HostileNamesAreSkippedAndNothingLeavesTheRoot)
{
    const char* const hostile[] = {"..\\x.png", "C:\\x.png", "a/../b.png", "x.png:s", "CON", "nul.png", "..",
                                   ".", "a\\b.png", "com1.jpg", "x?.png", "tab\t.png"};
    std::vector<std::string> names(std::begin(hostile), std::end(hostile));
    names.push_back("ok.png");
    names.push_back(std::string(201, 'n'));
    names.push_back(std::string(196, 'n') + ".png");
    m_site.ServeList(FileList(names, ""));
    m_site.AddMaterial("ok.png");
    ResView view(m_temp, m_site.Base());
    view.Update(L"Stickers");
    const std::vector<std::wstring> expected = {L"ok.png", Wide(std::string(196, 'n') + ".png")};
    EXPECT_EQ(expected, view.Names());
    EXPECT_EQ(int(names.size()) - 2, view.m_nSkippedNames);
    for (int i = 0; i < view.GetItemCount(); ++i)
        view.LoadPreviewImage(i);
    view.OnItemClicked(0);
    ASSERT_TRUE(pltest::WaitFor([&] { return !view.IsBusy(); }));
    const std::vector<std::wstring> top = m_temp.List();
    EXPECT_EQ((std::set<std::wstring>{L"root", L"server", L"user"}), std::set<std::wstring>(top.begin(), top.end()));
    for (const std::wstring& name : m_temp.List(L"root"))
        EXPECT_TRUE(name == L"Stickers" || name == L"File" || name == L"Dir") << Narrow(name);
    EXPECT_FALSE(Exists(m_temp.At(L"x.png")));
}

TEST_F(ResListTest, PlainFileNames)
{
    const struct {
        const wchar_t* name;
        bool plain;
    } cases[] = {
        {L"a.png", true},     {L"Star 1.webp", true}, {L"con.txt.png", false}, {L"CON ", false}, {L"LPT9", false},
        {L"COM10.png", true}, {L"CONSOLE.png", true}, {L". .", false},         {L"", false},     {L"a|b.png", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.plain, IsPlainResFileName(c.name)) << Narrow(c.name);
    EXPECT_FALSE(IsPlainResFileName(nullptr));
}

TEST_F(ResListTest, PreviewModeFetchesEachPreviewOnceAndMarksMissingMaterials)
{
    m_site.ServeList(FileList({"a.png", "gone.png", "b.png"}, "P"));
    m_site.AddMaterial("a.png");
    m_site.AddMaterial("b.png");
    ResView view(m_temp, m_site.Base());
    view.Update(L"Stickers");
    ASSERT_EQ(3, view.GetItemCount());
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 3; ++i)
            view.LoadPreviewImage(i);
    EXPECT_EQ(1, m_site.Count("_Preview_a.png"));
    EXPECT_EQ(1, m_site.Count("_Preview_b.png"));
    EXPECT_EQ(0, m_site.Count("a.png"));
    // The preview alone does not make a material cached: the mark stays.
    EXPECT_EQ(KQLS_DOWNLOAD, view.GetItemState(0) & (KQLS_DOWNLOAD | KQLS_ALERT));
    // The missing one: alert, not asked for again at once (it would hold up the rest), but later.
    EXPECT_EQ(KQLS_ALERT, view.GetItemState(1) & KQLS_ALERT);
    EXPECT_EQ(1, m_site.Count("gone.png"));
    view.m_nRetryAfter = 0;
    EXPECT_FALSE(view.LoadPreviewImage(1));
    EXPECT_EQ(2, m_site.Count("gone.png"));
    KQ_PIC_LIST_ITEM item = {};
    ASSERT_TRUE(view.GetItem(0, &item));
    EXPECT_NE(nullptr, item.pImage);
    EXPECT_TRUE(view.GetItem(2, &item) && item.pImage != view.GetLoadingImage());
}

TEST_F(ResListTest, WithoutPreviewsTheMaterialNeedsItsDescription)
{
    m_site.ServeList(FileList({"a.png", "nodesc.png"}, "Normal"));
    m_site.AddMaterial("a.png", false);
    m_site.AddMaterial("nodesc.png", false, false);
    ResView view(m_temp, m_site.Base());
    view.Update(L"Stickers");
    EXPECT_TRUE(view.LoadPreviewImage(0));
    EXPECT_FALSE(view.LoadPreviewImage(1));
    EXPECT_TRUE(Exists(view.Local(L"a.xml")));
    EXPECT_EQ(0u, view.GetItemState(0) & (KQLS_DOWNLOAD | KQLS_ALERT));
    EXPECT_EQ(KQLS_ALERT, view.GetItemState(1) & KQLS_ALERT);
}

TEST_F(ResListTest, ClickFetchesMaterialAndDescriptionAndShowsItWhenStillSelected)
{
    m_site.ServeList(FileList({"a.png", "b.png", "c.png"}, "P"));
    for (const char* name : {"a.png", "b.png", "c.png"})
        m_site.AddMaterial(name);
    ResView view(m_temp, m_site.Base());
    ASSERT_TRUE(view.Open());
    view.Update(L"Stickers");
    view.SetItemState(2, KQLS_SELECTED, 0);
    EXPECT_FALSE(view.OnItemClicked(2));
    ASSERT_EQ(1u, view.m_shown.size());
    EXPECT_EQ(std::make_pair(2, false), view.m_shown[0]);
    ASSERT_TRUE(PumpUntil([&] { return view.m_shown.size() == 2; }, 60000));
    EXPECT_EQ(std::make_pair(2, true), view.m_shown[1]);
    EXPECT_TRUE(Exists(view.Local(L"c.png")));
    EXPECT_TRUE(Exists(view.Local(L"c.xml")));
    EXPECT_EQ(0u, view.GetItemState(2) & (KQLS_DOWNLOAD | KQLS_DOWNLOADING));
    // Cached now: a second click shows it at once and fetches nothing.
    EXPECT_FALSE(view.OnItemClicked(2));
    EXPECT_EQ(std::make_pair(2, true), view.m_shown.back());
    EXPECT_EQ(1, m_site.Count("c.png"));
}

TEST_F(ResListTest, UserFilesAndTheirFolder)
{
    ResView view(m_temp, m_site.Base());
    m_site.ServeList(FileList({}));
    view.Update(L"Frames");
    const std::wstring user = view.m_strUserResFolder.GetString();
    const struct {
        std::wstring path;
        bool user;
    } cases[] = {{user, true}, {user + L"\\a.png", true}, {user + L"2\\a.png", false}, {user + L"2", false},
                 {user.substr(0, user.size() - 1), false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.user, view.IsUserRes(c.path.c_str())) << Narrow(c.path);

    const struct {
        const wchar_t* name;
        bool taken;
    } files[] = {{L"a.png", true},  {L"a.PNG", true},  {L"IMG.JPG", true},          {L"s.webp", true},
                 {L"twebp", true},  {L"b.gif", false}, {L"abc_PREVIEW_1.png", false}, {L"_Preview_a.png", false}};
    for (const auto& f : files)
        EXPECT_EQ(f.taken ? XSCAN_CONTINUE : XSCAN_SKIP,
                  CKQResListView::ScanUserFileList(nullptr, (user + L"\\" + f.name).c_str(), 10, &view))
            << Narrow(f.name);
}

// Answers the delete question from a timer: the first dialog of the thread gets the button.
class QuestionAnswer {
public:
    QuestionAnswer(int button, HWND list) : m_button(button)
    {
        s_button = button;
        s_list = list;
        s_answered = 0;
        m_timer = SetTimer(nullptr, 0, 50, Tick);
    }
    ~QuestionAnswer() { KillTimer(nullptr, m_timer); }
    static int Answered() { return s_answered; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        EnumThreadWindows(GetCurrentThreadId(), [](HWND wnd, LPARAM) -> BOOL {
            wchar_t kind[64] = {};
            GetClassNameW(wnd, kind, 64);
            if (!IsWindowVisible(wnd) || wnd == s_list || _wcsicmp(kind, L"tooltips_class32") == 0)
                return TRUE;
            PostMessageW(wnd, WM_COMMAND, s_button, 0);
            ++s_answered;
            return FALSE;
        }, 0);
    }
    int m_button;
    UINT_PTR m_timer;
    static int s_button;
    static int s_answered;
    static HWND s_list;
};
HWND QuestionAnswer::s_list = nullptr;
int QuestionAnswer::s_button = 0;
int QuestionAnswer::s_answered = 0;

// A recycle bin that takes the paths or refuses them.
class FakeBin : public zvui::ShellService {
public:
    explicit FakeBin(bool refuse) : m_refuse(refuse) { m_before = zvui::SetShellService(this); }
    ~FakeBin() override { zvui::SetShellService(m_before); }
    int FileOperation(SHFILEOPSTRUCTW& op) override
    {
        for (const wchar_t* p = op.pFrom; p && *p; p += wcslen(p) + 1) {
            paths.push_back(p);
            if (!m_refuse)
                DeleteFileW(p);
        }
        return m_refuse ? 5 : 0;
    }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring&) override { return false; }
    bool ConnectedState(DWORD&) override { return false; }
    std::vector<std::wstring> paths;

private:
    bool m_refuse;
    zvui::ShellService* m_before;
};

TEST_F(ResListTest, DeleteOnlyTheUsersOwnMaterialsAndOnlyOnYes)
{
    const struct {
        const char* label;
        int answer;
        bool refuse;
        int index; // 0 the listed a.png, 1 the user's a.png
        bool deleted;
    } cases[] = {
        {"yes", IDYES, false, 1, true},
        {"no", IDNO, false, 1, false},
        {"listed", IDYES, false, 0, false},
        {"refused", IDYES, true, 1, false},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        MaterialSite site(temp);
        site.ServeList(FileList({"a.png"}, ""));
        ResView view(temp, site.Base());
        ASSERT_TRUE(view.Open());
        view.Update(L"Stickers");
        pltest::WritePicture(view.User(L"a.png"), 8, 8, kGreen);
        TempFolder::Put(view.User(L"a.xml"), "<Material/>");
        view.LoadMyResFileList();
        view.LoadMore();
        ASSERT_EQ(2, view.GetItemCount()) << c.label;
        ASSERT_EQ((std::vector<std::wstring>{L"a.png", L"a.png"}), view.ResNames()) << c.label;
        FakeBin bin(c.refuse);
        QuestionAnswer answer(c.answer, view.GetSafeHwnd());
        EXPECT_EQ(c.deleted, view.ItemCloseBTClicked(c.index)) << c.label;
        EXPECT_EQ(1, QuestionAnswer::Answered()) << c.label;
        EXPECT_EQ(c.deleted ? 1 : 2, view.GetItemCount()) << c.label;
        EXPECT_EQ(!c.deleted, Exists(view.User(L"a.png"))) << c.label;
        EXPECT_EQ(c.refuse ? 1u : 0u, view.m_refused.size()) << c.label;
        if (c.deleted)
            EXPECT_EQ((std::vector<std::wstring>{view.User(L"a.png"), view.User(L"a.xml")}), bin.paths) << c.label;
        if (c.index == 0 || c.answer == IDNO)
            EXPECT_TRUE(bin.paths.empty()) << c.label;
    }
}

TEST_F(ResListTest, ProgressInSixtyFourBits)
{
    const int64_t gb = 1024ll * 1024 * 1024;
    const struct {
        int64_t received, total;
        int percent;
    } cases[] = {{0, 0, -1},         {10, 0, -1},        {10, -1, -1},           {0, 100, 0},
                 {50, 100, 50},      {3 * gb, 6 * gb, 50}, {5 * gb, 4 * gb, 100}, {-5, 100, 0},
                 {2 * gb + 1, 4 * gb, 50}};
    for (const auto& c : cases)
        EXPECT_EQ(c.percent, ResDownloadPercent(c.received, c.total)) << c.received << " of " << c.total;
}

TEST_F(ResListTest, StopAllCancelsASlowedTransfer)
{
    m_site.ServeList(FileList({"big.png"}, ""));
    testsupport::HttpFile slow;
    slow.body = std::make_shared<std::string>(std::string(4 * 1024 * 1024, 'x'));
    slow.chunkSize = 4096;
    slow.chunkDelay = 200;
    m_site.Server().ServeFile("/res/Stickers/big.png", slow);
    ResView view(m_temp, m_site.Base());
    view.Update(L"Stickers");
    view.StopAll();
    view.OnItemClicked(0);
    ASSERT_TRUE(pltest::WaitFor([&] { return m_site.Count("big.png") > 0; }));
    view.StopAll();
    EXPECT_FALSE(view.IsBusy());
    EXPECT_EQ(0u, view.GetItemState(0) & KQLS_DOWNLOADING);
    EXPECT_FALSE(Exists(view.Local(L"big.png")));
}

// The messages of the test's thread are handled for this long; returns how many ticks of the
// loading animation's timer reached the window.
int PumpCountingLoadingTicks(HWND window, DWORD milliseconds)
{
    int ticks = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == CAnimateImage::kTimerId)
                ++ticks;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    }
    return ticks;
}

// While the list-file worker fetches a slowed list, the window animates the loading picture on
// its timer; once the worker is done, with a list or without one, the timer is gone.
TEST_F(ResListTest, LoadingAnimationRunsOnlyWhileTheListFileIsFetched)
{
    const struct {
        const char* what;
        std::string body;
    } cases[] = {
        {"a list", FileList(Numbered(3))},
        {"an unparsable list", "<FileList><File Name="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::HttpFile slow;
        slow.body = std::make_shared<std::string>(c.body);
        slow.chunkSize = 8;
        slow.chunkDelay = 100;
        m_site.Server().ServeFile("/res/Stickers/FileList.xml", slow);
        ResView view(m_temp, m_site.Base());
        ASSERT_TRUE(view.Open());
        view.m_bRefresh = true;
        view.UpdateResFolder(L"Stickers", -1);
        EXPECT_GT(PumpCountingLoadingTicks(view.GetSafeHwnd(), 400), 0);
        view.WaitFolderWorker();
        PumpPending();
        EXPECT_EQ(0, PumpCountingLoadingTicks(view.GetSafeHwnd(), 300));
        view.DestroyWindow();
    }
}

// The arrow keys move the single selection by a cell or by a row and stop at the ends.
TEST_F(ResListTest, ArrowKeysMoveTheSelection)
{
    m_site.ServeList(FileList(Numbered(20)));
    ResView view(m_temp, m_site.Base());
    ASSERT_TRUE(view.Open());
    view.Update(L"Stickers");
    PumpPending();
    ASSERT_EQ(20, view.GetItemCount());
    const int columns = view.m_nColumns;
    ASSERT_GT(columns, 1);
    ASSERT_LT(columns, 20);
    const struct {
        int from;
        UINT key;
        int to;
    } cases[] = {
        {0, VK_RIGHT, 1},
        {1, VK_LEFT, 0},
        {0, VK_LEFT, 0},
        {0, VK_UP, 0},
        {0, VK_DOWN, columns},
        {columns + 1, VK_UP, 1},
        {19, VK_RIGHT, 19},
        {19, VK_DOWN, 19},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.from << " key " << c.key);
        for (int i = 0; i < 20; ++i)
            view.SetItemState(i, 0, KQLS_SELECTED);
        view.SetItemState(c.from, KQLS_SELECTED, 0);
        view.SelectForTest(c.from);
        MSG msg = {};
        msg.hwnd = view.GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = c.key;
        EXPECT_TRUE(view.PreTranslateMessage(&msg));
        std::vector<int> selected;
        for (int i = 0; i < 20; ++i)
            if (view.GetItemState(i) & KQLS_SELECTED)
                selected.push_back(i);
        EXPECT_EQ(std::vector<int>{c.to}, selected);
    }
}

TEST_F(ResListTest, DestroyingTheWindowWhileTheFolderWorkerRuns)
{
    m_site.ServeList(FileList(Numbered(130), "P"));
    for (int round = 0; round < 15; ++round) {
        ResView view(m_temp, m_site.Base());
        ASSERT_TRUE(view.Open());
        view.m_bRefresh = true;
        view.UpdateResFolder(L"Stickers", -1);
        if (round % 3 == 1)
            PumpFor(20);
        view.DestroyWindow();
        PumpPending();
    }
}

} // namespace
