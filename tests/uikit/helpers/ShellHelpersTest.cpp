// Recycle-bin lists, the file-drop block, the folder browser and the online state, with the
// shell behind a fake.
#include <shlobj.h>
#include <wininet.h>
#include <cstring>
#include <string>
#include <vector>
#include "DragDataSource.h"
#include "RecycleBin.h"
#include "ShellService.h"
#include "TestApp.h"

namespace {

KQPathSet Paths(std::initializer_list<const wchar_t*> paths)
{
    KQPathSet set;
    for (const wchar_t* p : paths)
        set.Insert(p);
    return set;
}

// Reads a list of zero-ended strings up to the closing zero.
std::vector<std::wstring> ReadList(const wchar_t* list)
{
    std::vector<std::wstring> items;
    for (; *list; list += wcslen(list) + 1)
        items.push_back(list);
    return items;
}

class FakeShell : public zvui::ShellService {
public:
    FakeShell() { m_before = zvui::SetShellService(this); }
    ~FakeShell() override { zvui::SetShellService(m_before); }

    int FileOperation(SHFILEOPSTRUCTW& op) override
    {
        ++calls;
        seen = op;
        listed = ReadList(op.pFrom);
        op.fAnyOperationsAborted = abort;
        return result;
    }
    bool BrowseForFolder(HWND owner, const wchar_t* title, UINT flags, const std::wstring& startFolder, std::wstring& path) override
    {
        browseOwner = owner;
        browseTitle = title ? title : L"";
        browseFlags = flags;
        browseStart = startFolder;
        path = chosen;
        return !chosen.empty();
    }
    bool ConnectedState(DWORD& state) override
    {
        state = connected;
        return known;
    }

    int calls = 0, result = 0;
    BOOL abort = FALSE;
    SHFILEOPSTRUCTW seen = {};
    std::vector<std::wstring> listed;
    HWND browseOwner = nullptr;
    std::wstring browseTitle, browseStart, chosen;
    UINT browseFlags = 0;
    DWORD connected = 0;
    bool known = true;

private:
    zvui::ShellService* m_before;
};

TEST(RecycleBin, TheSetGoesAsOneQuietUndoableDeleteInSetOrder)
{
    FakeShell shell;
    SHFILEOPSTRUCTW op;
    std::memset(&op, 0xCD, sizeof op);
    InitShellFileOp(op);
    EXPECT_EQ(op.hwnd, nullptr);
    EXPECT_EQ(op.fFlags, 0);
    op.hwnd = reinterpret_cast<HWND>(0x1234);
    op.fFlags = FOF_SILENT;
    EXPECT_TRUE(DeleteToRecycleBin(op, Paths({ L"C:\\pics\\b.jpg", L"C:\\pics\\A.jpg", L"C:\\pics\\c.jpg" })));
    EXPECT_EQ(shell.calls, 1);
    EXPECT_EQ(shell.seen.wFunc, UINT(FO_DELETE));
    EXPECT_EQ(shell.seen.pTo, nullptr);
    EXPECT_EQ(shell.seen.hwnd, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(shell.seen.fFlags, FOF_SILENT | FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI);
    EXPECT_EQ(shell.listed, (std::vector<std::wstring>{ L"C:\\pics\\A.jpg", L"C:\\pics\\b.jpg", L"C:\\pics\\c.jpg" }));
    EXPECT_EQ(op.pFrom, nullptr) << "no pointer to the freed list is left behind";

    InitShellFileOp(op);
    EXPECT_TRUE(DeleteFileToRecycleBin(op, L"C:\\pics\\one.jpg"));
    EXPECT_EQ(shell.listed, (std::vector<std::wstring>{ L"C:\\pics\\one.jpg" }));
}

TEST(RecycleBin, FailuresAbortsAndEmptyListsAreNotSuccess)
{
    FakeShell shell;
    SHFILEOPSTRUCTW op;
    InitShellFileOp(op);
    shell.result = ERROR_ACCESS_DENIED;
    EXPECT_FALSE(DeleteFileToRecycleBin(op, L"C:\\pics\\one.jpg"));
    shell.result = 0;
    shell.abort = TRUE;   // the shell gave up part-way and still answered 0
    EXPECT_FALSE(DeleteFileToRecycleBin(op, L"C:\\pics\\one.jpg"));
    shell.abort = FALSE;
    const int calls = shell.calls;
    EXPECT_FALSE(DeleteToRecycleBin(op, KQPathSet()));
    EXPECT_FALSE(DeleteFileToRecycleBin(op, L""));
    EXPECT_FALSE(DeleteFileToRecycleBin(op, nullptr));
    EXPECT_EQ(shell.calls, calls) << "nothing to delete reaches the shell";
    // An empty entry would end the list early and spare the paths after it.
    EXPECT_TRUE(DeleteToRecycleBin(op, Paths({ L"", L"C:\\a", L"C:\\b" })));
    EXPECT_EQ(shell.listed, (std::vector<std::wstring>{ L"C:\\a", L"C:\\b" }));
}

TEST(DragDrop, TheDropBlockIsAHeaderAndTheWidePathsInSetOrder)
{
    const KQPathSet files = Paths({ L"C:\\pics\\b.jpg", L"C:\\pics\\A.jpg", L"D:\\c.png" });
    HGLOBAL block = dragdrop::MakeDropFilesBlock(files);
    ASSERT_TRUE(block);
    const std::wstring list = std::wstring(L"C:\\pics\\A.jpg") + L'\0' + L"C:\\pics\\b.jpg" + L'\0' + L"D:\\c.png" + L'\0' + L'\0';
    ASSERT_EQ(GlobalSize(block), 20 + list.size() * 2);
    EXPECT_EQ(GlobalSize(block), size_t(22 + 2 * (14 + 14 + 9)));
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(block));
    const BYTE header[20] = { 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0 };
    EXPECT_EQ(std::memcmp(bytes, header, 20), 0);
    EXPECT_EQ(std::memcmp(bytes + 20, list.data(), list.size() * 2), 0);
    // What a drop target reads back.
    wchar_t path[MAX_PATH];
    EXPECT_EQ(DragQueryFileW(static_cast<HDROP>(block), 0xFFFFFFFF, nullptr, 0), 3u);
    DragQueryFileW(static_cast<HDROP>(block), 2, path, MAX_PATH);
    EXPECT_STREQ(path, L"D:\\c.png");
    GlobalUnlock(block);
    GlobalFree(block);

    EXPECT_EQ(dragdrop::MakeDropFilesBlock(KQPathSet()), nullptr);
    DragDropFileList(KQPathSet(), true);   // nothing to drag: returns at once
}

TEST(SelectFolder, OpensAtTheGivenFolderAndFillsTheChosenOne)
{
    FakeShell shell;
    wchar_t path[MAX_PATH] = L"C:\\pics";
    shell.chosen = L"D:\\photos\\2024";
    EXPECT_TRUE(SelectFolder(path, reinterpret_cast<HWND>(0x42), L"Choose a folder"));
    EXPECT_STREQ(path, L"D:\\photos\\2024");
    EXPECT_EQ(shell.browseStart, L"C:\\pics");
    EXPECT_EQ(shell.browseOwner, reinterpret_cast<HWND>(0x42));
    EXPECT_EQ(shell.browseTitle, L"Choose a folder");
    EXPECT_EQ(shell.browseFlags, UINT(BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE));

    shell.chosen.clear();   // cancelled
    EXPECT_FALSE(SelectFolder(path, nullptr, nullptr));
    EXPECT_STREQ(path, L"");
    shell.chosen.assign(MAX_PATH, L'x');   // would not fit the caller's buffer
    EXPECT_FALSE(SelectFolder(path, nullptr, nullptr));
    EXPECT_STREQ(path, L"");
}

TEST(InternetState, OnlineOnlyWhenTheStateSaysConnected)
{
    FakeShell shell;
    const struct {
        bool known;
        DWORD state;
        bool online;
    } cases[] = {
        { true, INTERNET_STATE_CONNECTED, true },
        { true, INTERNET_STATE_CONNECTED | INTERNET_STATE_BUSY, true },
        { true, INTERNET_STATE_DISCONNECTED, false },
        { true, INTERNET_STATE_DISCONNECTED_BY_USER, false },
        { false, INTERNET_STATE_CONNECTED, false },
    };
    for (const auto& c : cases) {
        shell.known = c.known;
        shell.connected = c.state;
        EXPECT_EQ(IsInternetConnected(), c.online) << c.known << " " << c.state;
    }
}

} // namespace
