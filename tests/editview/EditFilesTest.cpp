// Picture windows in an MDI host: the child frame's title mark, close question and tool
// hand-over, the view's saving (driven through its dialogs' windows), projects opened from
// their archives, pictures added as layers through the open dialog, and the layer list.
#include <deque>
#include <functional>
#include <string>
#include <vector>
#include "CanvasTestApp.h"
#include "ChildFrame.h"
#include "EditFilePaths.h"
#include "EditorAppState.h"
#include "LayerBar.h"
#include "TestSupport.h"
#include "ZipArchive.h"

namespace {

using testsupport::TempFolder;

CZVImage FilesPicture(long width, long height, COLORREF colour)
{
    CZVImage p;
    p.Create(width, height, 24);
    p.SetRectColor(RECT{0, 0, width, height}, CxImage::RGBtoRGBQUAD(colour));
    return p;
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring TempPath()
{
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return temp;
}

// Names in the temporary folder that begin with the prefix.
std::vector<std::wstring> TempEntries(const std::wstring& prefix)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((TempPath() + prefix + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (::FindNextFileW(find, &found));
    ::FindClose(find);
    return names;
}

std::string Head(const std::wstring& path, size_t count)
{
    return TempFolder::Get(path).substr(0, count);
}

// ---- dialogs answered from a timer ----

// Each dialog or message box that opens on this thread gets the next action of the queue; its
// caption and texts are kept.
struct Shown {
    std::wstring caption;
    std::wstring text;
};
std::deque<std::function<void(HWND)>> g_actions;
std::vector<Shown> g_shown;
std::vector<HWND> g_handled;

BOOL CALLBACK AppendText(HWND wnd, LPARAM text)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(wnd, buffer, 512);
    *reinterpret_cast<std::wstring*>(text) += std::wstring(buffer) + L"|";
    return TRUE;
}

BOOL CALLBACK HandleDialog(HWND wnd, LPARAM)
{
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    if (!::IsWindowVisible(wnd) || std::wstring(cls) != L"#32770")
        return TRUE;
    for (HWND seen : g_handled)
        if (seen == wnd)
            return TRUE;
    g_handled.push_back(wnd);
    Shown shown;
    wchar_t caption[256] = {};
    ::GetWindowTextW(wnd, caption, 256);
    shown.caption = caption;
    ::EnumChildWindows(wnd, AppendText, reinterpret_cast<LPARAM>(&shown.text));
    g_shown.push_back(shown);
    if (g_actions.empty()) {
        ::PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
    } else {
        auto action = g_actions.front();
        g_actions.pop_front();
        action(wnd);
    }
    return FALSE;
}

void CALLBACK DriveDialogs(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), HandleDialog, 0);
}

std::function<void(HWND)> Press(int id)
{
    return [id](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}

// The common dialogs' name field, typed into, then OK.
std::function<void(HWND)> TypeName(const std::wstring& name)
{
    return [name](HWND dialog) {
        HWND field = ::GetDlgItem(dialog, 0x47c);   // the name combo box
        if (!field)
            field = ::GetDlgItem(dialog, 0x480);    // or its plain edit
        ::SetWindowTextW(field, name.c_str());
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

// The save-changes dialog: the copy under a new name, "do not ask" as given, then OK.
std::function<void(HWND)> SaveCopy(bool dontAsk)
{
    return [dontAsk](HWND dialog) {
        ::CheckRadioButton(dialog, 1596, 1597, 1597);
        if (dontAsk)
            ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1558, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, 1558)));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
}

// ---- the host ----

class ToolHost : public IEditorHost {
public:
    int GetFixedCropWidth() override { return -1; }
    int GetFixedCropHeight() override { return -1; }
    void SetCropFields(int, int) override {}
    void SetStatusText(UINT, const wchar_t*) override {}
    void RefreshLayerList() override { ++refreshes; }
    ShapeSettings GetShapeSettings() override { return ShapeSettings(); }
    void SetShapeSettings(const ShapeSettings&) override {}
    void SetShapeSize(int, int) override {}
    void SelectDefaultTool() override {}
    void ShowShapeOptions() override {}
    CStringW GetBrushFile() override { return CStringW(); }
    HWND GetColourTarget() override { return nullptr; }
    bool GetToolState(EditorToolState& out) override
    {
        out = state;
        return true;
    }
    void OpenPageMaker(const wchar_t* path) override { pages.emplace_back(path); }

    EditorToolState state;
    int refreshes = 0;
    std::vector<std::wstring> pages;
};

class EditFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_actions.clear();
        g_shown.clear();
        g_handled.clear();
        SetEditorHost(&host);
        frame = new CBCGPMDIFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, L"Editor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700)));
        AfxGetApp()->m_pMainWnd = frame;
        m_timer = ::SetTimer(nullptr, 0, 40, DriveDialogs);
        GetEditorAppState().currentFolder = folder.Root().c_str();
    }
    void TearDown() override
    {
        ::KillTimer(nullptr, m_timer);
        // Whatever is still open goes without questions.
        for (const auto& [wnd, child] : children)
            if (::IsWindow(wnd)) {
                child->titleMarked = 0;
                child->view.modified = 0;
                child->view.doc.history.savedPosition = child->view.doc.history.position;
            }
        // Not the main window when it goes, or it would end the message loop of the next test.
        AfxGetApp()->m_pMainWnd = nullptr;
        frame->DestroyWindow();
        SetEditorHost(nullptr);
        GetEditorAppState().currentFolder.Empty();
        PumpPending();
    }
    CChildFrame* NewChild(const wchar_t* title, long width = 200, long height = 150)
    {
        auto* child = new CChildFrame;
        EXPECT_TRUE(child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400), frame));
        children.emplace_back(child->m_hWnd, child);
        child->view.UpdateClientRect();
        EXPECT_TRUE(child->view.OpenImage(FilesPicture(width, height, RGB(40, 120, 200))));
        PumpPending();
        return child;
    }
    static std::wstring Title(CWnd* wnd)
    {
        wchar_t text[256] = {};
        ::GetWindowTextW(wnd->m_hWnd, text, 256);
        return text;
    }
    // One edit: a layer added, which moves the history.
    static void Edit(CChildFrame* child) { ASSERT_TRUE(child->view.doc.AddImageLayer(FilesPicture(20, 20, RGB(250, 0, 0)), FALSE)); }
    // Pumps until the queued answers are used and the last dialog is gone.
    static void Settle() { PumpUntil([] { return g_actions.empty(); }, 8000); PumpPending(); }

    ToolHost host;
    TempFolder folder;
    CBCGPMDIFrameWnd* frame = nullptr;
    std::vector<std::pair<HWND, CChildFrame*>> children;   // the object lives while its window does

private:
    UINT_PTR m_timer = 0;
};

// ---- child frame ----

TEST_F(EditFilesTest, UnchangedPictureClosesWithoutQuestion)
{
    CChildFrame* child = NewChild(L"quiet.png");
    const HWND wnd = child->m_hWnd;
    child->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
    PumpPending();
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(EditFilesTest, RoutedCommandMarksTheTitleOnce)
{
    CChildFrame* child = NewChild(L"lake.png");
    child->SendMessage(WM_COMMAND, 40123);
    EXPECT_EQ(Title(child), L"lake.png");
    Edit(child);
    child->SendMessage(WM_COMMAND, 40123);
    child->SendMessage(WM_COMMAND, 40124);
    EXPECT_EQ(Title(child), L"lake.png *");
    EXPECT_EQ(child->titleMarked, 1);
}

TEST_F(EditFilesTest, CloseQuestionAnswers)
{
    const struct {
        const char* what;
        int answer;
        bool readOnlyTarget;
        bool closed;
    } cases[] = {{"cancel", IDCANCEL, false, false},
                 {"no", IDNO, false, true},
                 {"yes with a read-only target", IDYES, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g_shown.clear();
        CChildFrame* child = NewChild(L"trip.kqd");
        const std::wstring target = folder.At(std::wstring(L"target-") + std::to_wstring(c.answer) + L".kqd");
        ASSERT_TRUE(TempFolder::Put(target, "old"));
        if (c.readOnlyTarget)
            ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
        child->view.filePath = target.c_str();
        Edit(child);
        child->SendMessage(WM_COMMAND, 40123);
        const HWND wnd = child->m_hWnd;
        g_actions.push_back(Press(c.answer));
        g_actions.push_back(Press(IDOK));   // the failure's message, when there is one
        child->SendMessage(WM_CLOSE);
        PumpPending();
        g_actions.clear();
        ASSERT_GE(g_shown.size(), 1u);
        EXPECT_NE(g_shown[0].text.find(L"Save changes before continuing ?"), std::wstring::npos);
        EXPECT_EQ(!::IsWindow(wnd), c.closed);
        EXPECT_EQ(TempFolder::Get(target), "old");
        if (!c.closed) {
            EXPECT_EQ(Title(child), L"trip.kqd *");
            EXPECT_TRUE(child->view.IsModified());
            EXPECT_EQ(child->view.doc.layers.layers.size(), 2u);
        }
        if (c.readOnlyTarget) {
            ASSERT_EQ(g_shown.size(), 2u);
            EXPECT_NE(g_shown[1].text.find(L"Fail to save !"), std::wstring::npos);
        }
        ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(EditFilesTest, ActivationHandsOverTheTools)
{
    const struct {
        int tool;
        int penSize;
        int brushSize, brushStep;
        int brushType;
    } cases[] = {{24, 40, 50, 16, 1},     // no brush: only the tool and the crop ratio
                 {16, 40, 50, 16, 1},     // the pen keeps its own settings
                 {27, 40, 40, 10, 9},
                 {31, 6, 6, 1, 4},
                 {20, 12, 12, 3, 3}};
    CChildFrame* first = NewChild(L"one.png");
    CChildFrame* second = NewChild(L"two.png");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        host.state.tool = c.tool;
        host.state.cropAspect = 1.5f;
        host.state.penSize = c.penSize;
        first->view.brushSize = 50;
        first->view.brushStep = 16;
        first->view.brushType = 1;
        frame->MDIActivate(second);
        const int before = host.refreshes;
        frame->MDIActivate(first);
        PumpPending();
        EXPECT_EQ(first->view.tool, c.tool);
        EXPECT_FLOAT_EQ(first->view.selectionTracker.GetAspect(), 1.5f);
        EXPECT_EQ(first->view.brushSize, c.brushSize);
        EXPECT_EQ(first->view.brushStep, c.brushStep);
        EXPECT_EQ(first->view.brushType, c.brushType);
        EXPECT_GT(host.refreshes, before);
    }
}

TEST(ToolHandOver, BrushCursorRadius)
{
    const struct {
        int size;
        float zoom;
        int radius;
    } cases[] = {{10, 1.0f, 8}, {15, 1.0f, 8}, {16, 1.0f, 8}, {33, 1.0f, 16}, {33, 0.5f, 8}, {40, 0.5f, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(BrushCursorRadius(c.size, c.zoom), c.radius) << c.size << " at " << c.zoom;
}

// ---- saving ----

TEST(EditFilePaths, Names)
{
    SYSTEMTIME t = {};
    t.wYear = 2024;
    t.wMonth = 5;
    t.wDay = 1;
    t.wHour = 13;
    t.wMinute = 7;
    t.wSecond = 55;
    EXPECT_EQ(TimeStampedPath(L"D:\\Pics\\cat.jpg", t), L"D:\\Pics\\cat_2024-05-01_13_07_55.jpg");
    EXPECT_EQ(TimeStampedPath(L"D:\\Pics\\cat_2024-05-01_13_07_55.jpg", t),
              L"D:\\Pics\\cat_2024-05-01_13_07_55_2024-05-01_13_07_55.jpg");
    EXPECT_EQ(TimeStampedPath(L"D:\\a.b\\noext", t), L"D:\\a.b\\noext_2024-05-01_13_07_55");
    const struct {
        const wchar_t* path;
        bool project;
    } kinds[] = {{L"C:\\x\\a.KqD", true}, {L"C:\\x\\a.kqd.png", false}, {L"C:\\x.kqd\\a", false}, {L"a.kqd", true}};
    for (const auto& k : kinds)
        EXPECT_EQ(IsProjectPath(k.path), k.project) << std::string(k.path, k.path + wcslen(k.path));
    const std::wstring filter = L"JPG files (*.jpg;*.jpeg)|*.jpg;*.jpeg|KQD files (*.kqd)|*.kqd|All|*.*||";
    EXPECT_EQ(WithFilterExtension(L"C:\\x\\out", filter, 1), L"C:\\x\\out.jpg");
    EXPECT_EQ(WithFilterExtension(L"C:\\x\\out", filter, 2), L"C:\\x\\out.kqd");
    EXPECT_EQ(WithFilterExtension(L"C:\\x\\out", filter, 3), L"C:\\x\\out");
    EXPECT_EQ(WithFilterExtension(L"C:\\x\\out", filter, 9), L"C:\\x\\out");
    EXPECT_EQ(WithFilterExtension(L"C:\\x\\out.png", filter, 2), L"C:\\x\\out.png");
}

TEST_F(EditFilesTest, SaveWithoutPathIsSaveAsTitledSave)
{
    CChildFrame* child = NewChild(L"Untitled");
    Edit(child);
    child->MarkTitle();
    // The first save type is JPG: a name typed without an extension becomes a JPEG file.
    g_actions.push_back(TypeName(folder.At(L"typed")));
    EXPECT_TRUE(child->view.Save());
    Settle();
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].caption, L"Save");
    EXPECT_EQ(std::wstring(child->view.filePath), folder.At(L"typed.jpg"));
    EXPECT_EQ(Head(folder.At(L"typed.jpg"), 3), "\xFF\xD8\xFF");
    EXPECT_FALSE(child->view.IsModified());
    EXPECT_EQ(child->titleMarked, 0);
    EXPECT_EQ(Title(child), L"typed.jpg");
}

TEST_F(EditFilesTest, TheExtensionDecidesProjectOrPicture)
{
    const struct {
        const wchar_t* name;
        const char* head;
    } cases[] = {{L"story.KqD", "PK"}, {L"story.kqd.png", "\x89PNG"}};
    CChildFrame* child = NewChild(L"story");
    for (const auto& c : cases) {
        Edit(child);
        child->view.filePath = folder.At(c.name).c_str();
        EXPECT_TRUE(child->view.Save());
        EXPECT_EQ(Head(folder.At(c.name), strlen(c.head)), c.head);
        EXPECT_FALSE(child->view.IsModified());
    }
    EXPECT_TRUE(g_shown.empty());
}

TEST_F(EditFilesTest, SaveChangesDialog)
{
    CChildFrame* child = NewChild(L"cat.jpg");
    const std::wstring original = folder.At(L"cat.jpg");
    ASSERT_TRUE(TempFolder::Put(original, "original"));
    child->view.filePath = original.c_str();
    child->view.askBeforeOverwrite = 1;

    // Cancel: nothing written, still unsaved.
    Edit(child);
    g_actions.push_back(Press(IDCANCEL));
    EXPECT_FALSE(child->view.Save());
    Settle();
    ASSERT_EQ(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].caption, L"Save");
    EXPECT_NE(g_shown[0].text.find(L"Do not ask me again."), std::wstring::npos);
    EXPECT_TRUE(child->view.IsModified());
    EXPECT_EQ(TempFolder::Get(original), "original");

    // The time-stamped copy, twice: the second adds a second stamp.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        g_actions.push_back(SaveCopy(round == 2));
        EXPECT_TRUE(child->view.Save());
        Settle();
        const std::wstring saved = static_cast<const wchar_t*>(child->view.filePath);
        const std::wstring name = saved.substr(saved.find_last_of(L'\\') + 1);
        // cat(_YYYY-MM-DD_HH_MM_SS){round}.jpg
        EXPECT_EQ(name.size(), 7u + 20u * round) << std::string(name.begin(), name.end());
        EXPECT_EQ(name.compare(0, 4, L"cat_"), 0);
        EXPECT_EQ(Head(saved, 3), "\xFF\xD8\xFF");
        EXPECT_EQ(TempFolder::Get(original), "original");
    }
    // "Do not ask me again." was ticked the second time.
    EXPECT_EQ(child->view.askBeforeOverwrite, 0);
}

// ---- projects ----

class ProjectOpenTest : public EditFilesTest {
protected:
    // The project file's fixture main.xml with its three pictures, packed as title.kqd in sub.
    std::wstring MakeProject(const std::wstring& sub, const std::wstring& title, bool withMainXml = true)
    {
        const std::wstring source = folder.At(sub + L"-src");
        ::CreateDirectoryW(folder.At(sub).c_str(), nullptr);
        ::CreateDirectoryW(source.c_str(), nullptr);
        const std::string xml = TempFolder::Get(ProgramFolder() + L"project-fixtures\\golden-main.xml");
        EXPECT_NE(xml, "<missing>");
        EXPECT_TRUE(TempFolder::Put(source + (withMainXml ? L"\\main.xml" : L"\\other.xml"), xml));
        const struct {
            const wchar_t* name;
            long width, height;
        } pictures[] = {{L"Image0.webp", 1600, 800}, {L"Image1.webp", 2, 2}, {L"Image2.webp", 10, 6}};
        for (const auto& p : pictures)
            EXPECT_TRUE(FilesPicture(p.width, p.height, RGB(90, 160, 60)).SaveFile((source + L"\\" + p.name).c_str(), CXIMAGE_FORMAT_WEBP));
        const std::wstring archive = folder.At(sub + L"\\" + title + L".kqd");
        EXPECT_TRUE(ZipFolder((source + L"\\*.*").c_str(), archive.c_str(), 0));
        return archive;
    }
};

TEST_F(ProjectOpenTest, TheFixtureOpens)
{
    // A folder of the project's title that the user keeps in the temporary folder stays as it is.
    const std::wstring kept = TempPath() + L"~golden";
    ::CreateDirectoryW(kept.c_str(), nullptr);
    ASSERT_TRUE(TempFolder::Put(kept + L"\\keep.txt", "mine"));
    const std::wstring project = MakeProject(L"a", L"golden");
    CChildFrame* child = NewChild(L"golden.kqd");
    ASSERT_TRUE(child->view.OpenProject(project.c_str()));
    const std::vector<CLayerInfo>& layers = child->view.doc.layers.layers;
    ASSERT_EQ(layers.size(), 3u);
    EXPECT_EQ(std::wstring(layers[0].name), L"Background");
    EXPECT_EQ(std::wstring(layers[2].name), L"Shape 1");
    EXPECT_EQ(std::wstring(child->view.filePath), project);
    // Fitted to the window, the layers moved with the canvas.
    const CLayerDocument& doc = child->view.doc;
    EXPECT_LT(doc.zoom, 0.5f);
    EXPECT_FLOAT_EQ(doc.zoom, child->view.doc.GetFitZoom());
    EXPECT_NEAR(layers[1].location.x, doc.canvasRect.left + 1.5f * doc.zoom, 0.01f);
    EXPECT_NEAR(layers[1].location.y, doc.canvasRect.top + 0.25f * doc.zoom, 0.01f);
    EXPECT_TRUE(TempEntries(L"~golden-").empty());
    EXPECT_EQ(TempFolder::Get(kept + L"\\keep.txt"), "mine");
    testsupport::RemoveTree(kept);
}

TEST_F(ProjectOpenTest, BadProjectsLeaveTheDocument)
{
    const std::wstring hostile = folder.At(L"hostile.kqd");
    {
        // An entry that climbs out of its folder.
        zlib_filefunc64_def functions;
        fill_win32_filefunc64W(&functions);
        zipFile zip = zipOpen2_64(hostile.c_str(), APPEND_STATUS_CREATE, nullptr, &functions);
        ASSERT_NE(zip, nullptr);
        ASSERT_EQ(zipOpenNewFileInZip64(zip, "../escaped.xml", nullptr, nullptr, 0, nullptr, 0, nullptr, 0, 0, 0), ZIP_OK);
        zipWriteInFileInZip(zip, "x", 1);
        zipCloseFileInZip(zip);
        zipClose(zip, nullptr);
    }
    const std::wstring noMain = MakeProject(L"b", L"nomain", false);
    const std::wstring garbage = folder.At(L"garbage.kqd");
    ASSERT_TRUE(TempFolder::Put(garbage, std::string(300, '\x5A')));
    const std::wstring cases[] = {hostile, noMain, garbage, folder.At(L"missing.kqd")};
    CChildFrame* child = NewChild(L"kept.png", 120, 80);
    child->view.filePath = L"C:\\pictures\\kept.png";
    for (const std::wstring& path : cases) {
        SCOPED_TRACE(std::string(path.begin(), path.end()));
        EXPECT_FALSE(child->view.OpenProject(path.c_str()));
        ASSERT_EQ(child->view.doc.layers.layers.size(), 1u);
        EXPECT_EQ(child->view.doc.layers.layers[0].displayed.GetWidth(), 120u);
        EXPECT_EQ(std::wstring(child->view.filePath), L"C:\\pictures\\kept.png");
        const std::wstring title = FileTitleOf(path);
        EXPECT_TRUE(TempEntries(L"~" + title).empty());
    }
    EXPECT_EQ(TempFolder::Get(TempPath() + L"escaped.xml"), "<missing>");
}

TEST_F(ProjectOpenTest, ProjectsOfOneTitleSideBySide)
{
    const std::wstring first = MakeProject(L"one", L"trip");
    const std::wstring second = MakeProject(L"two", L"trip");
    CChildFrame* left = NewChild(L"left");
    CChildFrame* right = NewChild(L"right");
    EXPECT_TRUE(left->view.OpenProject(first.c_str()));
    EXPECT_TRUE(right->view.OpenProject(second.c_str()));
    EXPECT_EQ(left->view.doc.layers.layers.size(), 3u);
    EXPECT_EQ(right->view.doc.layers.layers.size(), 3u);
    EXPECT_TRUE(TempEntries(L"~trip").empty());
}

// ---- pictures as layers ----

TEST_F(EditFilesTest, OpenAsLayersAddsWhatReads)
{
    ASSERT_TRUE(FilesPicture(30, 20, RGB(255, 0, 0)).SaveFile(folder.At(L"a.png").c_str(), CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(FilesPicture(30, 20, RGB(0, 255, 0)).SaveFile(folder.At(L"b.png").c_str(), CXIMAGE_FORMAT_PNG));
    ASSERT_TRUE(TempFolder::Put(folder.At(L"c.png"), "not a picture"));
    CChildFrame* child = NewChild(L"base.png");
    // The dialog opens in the last picture folder; the files chosen set it again.
    GetEditorAppState().currentFolder = (folder.Root() + L"\\").c_str();
    g_actions.push_back(TypeName(L"\"a.png\" \"b.png\" \"c.png\""));
    EXPECT_FALSE(child->view.OpenAsLayers());
    Settle();
    ASSERT_GE(g_shown.size(), 1u);
    EXPECT_EQ(g_shown[0].caption, L"Open");
    EXPECT_EQ(child->view.doc.layers.layers.size(), 3u);
    EXPECT_EQ(std::wstring(GetEditorAppState().currentFolder), folder.Root());
}

// ---- a document from the clipboard ----

// A 24-bit DIB of one colour on the clipboard; nothing at all when width is 0.
void PutClipboardDib(HWND owner, LONG width, LONG height, COLORREF colour)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    if (width > 0) {
        const LONG stride = (width * 3 + 3) & ~3;
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + size_t(stride) * height);
        auto* header = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block));
        *header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
        BYTE* bits = reinterpret_cast<BYTE*>(header + 1);
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x) {
                bits[y * stride + x * 3] = GetBValue(colour);
                bits[y * stride + x * 3 + 1] = GetGValue(colour);
                bits[y * stride + x * 3 + 2] = GetRValue(colour);
            }
        ::GlobalUnlock(block);
        ::SetClipboardData(CF_DIB, block);
    }
    ::CloseClipboard();
}

TEST_F(EditFilesTest, NewDocumentFromTheClipboard)
{
    CChildFrame* child = NewChild(L"clip.png", 120, 80);
    PutClipboardDib(child->m_hWnd, 0, 0, 0);
    EXPECT_FALSE(child->view.NewDocumentFromClipboard());
    EXPECT_EQ(child->view.doc.docWidth, 120);
    PutClipboardDib(child->m_hWnd, 30, 20, RGB(10, 200, 30));
    EXPECT_TRUE(child->view.NewDocumentFromClipboard());
    EXPECT_EQ(child->view.doc.docWidth, 30);
    EXPECT_EQ(child->view.doc.docHeight, 20);
    EXPECT_EQ(child->view.doc.layers.layers.size(), 1u);
    // The clipboard is closed again: another window opens it.
    EXPECT_TRUE(::OpenClipboard(frame->m_hWnd));
    ::CloseClipboard();
}

// ---- the layer bar ----

TEST_F(EditFilesTest, LayerListShowsTheActiveWindowsLayers)
{
    CLayerBar layerBar;
    CLayerBar* bar = &layerBar;
    ASSERT_TRUE(bar->Create(L"Layers", frame, CRect(0, 0, 220, 400), TRUE, 0x7001, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(bar);
    frame->RecalcLayout();
    ASSERT_TRUE(bar->list.m_hWnd);
    EXPECT_EQ(bar->list.GetDlgCtrlID(), 1);
    CChildFrame* child = NewChild(L"layers.png");
    Edit(child);
    Edit(child);
    CLayerInfo& hidden = child->view.doc.layers.layers[1];
    hidden.visible = 0;
    hidden.locked = 1;
    frame->MDIActivate(child);
    bar->list.SendMessage(WM_CANVAS_REFRESH);
    ASSERT_EQ(bar->list.items.size(), 3u);
    using L = CKQLayerListView;
    EXPECT_EQ(bar->list.items[0].state, UINT(L::STATE_VISIBLE));
    EXPECT_EQ(bar->list.items[1].state, UINT(L::STATE_LOCKED));
    EXPECT_EQ(bar->list.items[2].state, UINT(L::STATE_VISIBLE | L::STATE_CURRENT));
    hidden.picked = 1;
    EXPECT_EQ(bar->list.GetItemState(1), UINT(L::STATE_VISIBLE | L::STATE_LOCKED));
    // The list follows the size of its bar.
    CRect barClient, listRect;
    bar->GetClientRect(&barClient);
    bar->list.GetClientRect(&listRect);
    EXPECT_EQ(listRect.Size(), barClient.Size());
}

} // namespace
