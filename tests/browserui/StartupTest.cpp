// The browser's start-up rules: its command line, the stored frame size and start folder, the
// first icon size and where the skin choice goes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "EditorUtils.h"
#include "LumivoShowsCmdUI.h"
#include "ShowsSettings.h"
#include "StartupTables.h"
#include "TestSupport.h"

namespace {

using testsupport::TempFolder;

std::wstring Expand(const std::wstring& text, const std::wstring& root)
{
    std::wstring out = text;
    for (size_t at = out.find(L"{T}"); at != std::wstring::npos; at = out.find(L"{T}", at + root.size()))
        out.replace(at, 3, root);
    return out;
}

TEST(ShowsCmdUI, LineTable)
{
    TempFolder temp;
    ASSERT_TRUE(::CreateDirectoryW(temp.At(L"sub dir").c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(temp.At(L"a.jpg"), "jpg"));
    const struct {
        const wchar_t* line;
        bool parsed;
        const wchar_t* startFolder;
        const wchar_t* path;
        bool viewerOnly;
        bool batch;
        const wchar_t* error;
    } cases[] = {
        {L"", true, L"", L"", false, false, L""},
        {L"{T}", true, L"{T}", L"", false, false, L""},
        {L"\"{T}\\sub dir\"", true, L"{T}\\sub dir", L"", false, false, L""},
        {L"{T}\\a.jpg", true, L"{T}", L"{T}\\a.jpg", true, false, L""},
        // A picture that is gone still names its folder; the viewer reports the file.
        {L"\"{T}\\sub dir\\\\gone.png\"", true, L"{T}\\sub dir", L"{T}\\sub dir\\\\gone.png", true, false, L""},
        {L"C:\\a.jpg", true, L"C:\\", L"C:\\a.jpg", true, false, L""},
        {L"/batch", true, L"", L"", false, true, L""},
        {L"-batch", true, L"", L"", false, true, L""},
        {L"/batch {T}", true, L"{T}", L"", false, true, L""},
        {L"-batch {T}\\a.jpg", true, L"{T}", L"{T}\\a.jpg", true, true, L""},
        {L"{T} {T}\\a.jpg", true, L"{T}", L"", false, false, L""},
        {L"/slideshow {T}", false, L"", L"", false, false, L"Invalid switch \"slideshow\""},
    };
    for (const auto& c : cases) {
        CLumivoShowsCmdUI cmd;
        EXPECT_EQ(cmd.Parse(Expand(c.line, temp.Root()).c_str()), c.parsed) << c.line;
        EXPECT_EQ(cmd.m_startFolder, Expand(c.startFolder, temp.Root())) << c.line;
        EXPECT_EQ(cmd.m_path, Expand(c.path, temp.Root())) << c.line;
        EXPECT_EQ(cmd.m_bViewerOnly, c.viewerOnly) << c.line;
        EXPECT_EQ(cmd.m_bBatch, c.batch) << c.line;
        EXPECT_STREQ(cmd.GetError(), c.error) << c.line;
    }
}

TEST(ShowsSettings, FrameSizeTable)
{
    const struct {
        int width, height, workWidth, workHeight;
        int expectedWidth, expectedHeight;
    } cases[] = {
        {700, 500, 1920, 1040, 1536, 866},   // too small: the defaults
        {799, 900, 1920, 1040, 1536, 866},
        {1000, 599, 1920, 1040, 1536, 866},
        {800, 600, 1920, 1040, 800, 600},
        {1200, 900, 1920, 1040, 1200, 900},
        {5000, 3000, 1920, 1040, 1920, 1040}, // too large: cut to the work area
        {2000, 700, 1920, 1040, 1920, 700},
        {0, 0, 1023, 767, 818, 639},          // integer division of the defaults
    };
    for (const auto& c : cases) {
        const FrameSize size = FitFrameSize(c.width, c.height, c.workWidth, c.workHeight);
        EXPECT_EQ(size.width, c.expectedWidth) << c.width << "x" << c.height;
        EXPECT_EQ(size.height, c.expectedHeight) << c.width << "x" << c.height;
    }
}

TEST(ShowsSettings, IconSizeByScreenWidth)
{
    const struct {
        int width, size;
    } cases[] = {{3840, 4}, {3001, 4}, {3000, 3}, {2560, 3}, {2001, 3}, {2000, 2}, {1920, 2}, {1501, 2}, {1500, 1}, {800, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(DefaultIconSize(c.width), c.size) << c.width;
}

TEST(ShowsSettings, StartFolderFallsBackToMyPictures)
{
    TempFolder temp;
    const std::wstring pictures = L"C:\\Users\\me\\Pictures";
    const struct {
        std::wstring stored;
        std::wstring folder;
        bool rewrite;
    } cases[] = {
        {temp.Root(), temp.Root(), false},
        {L"\\", pictures, true},
        {L"", pictures, true},
        {temp.At(L"gone"), pictures, true},
    };
    for (const auto& c : cases) {
        const StartFolder start = ResolveStartFolder(c.stored.c_str(), pictures.c_str());
        EXPECT_EQ(start.folder, c.folder) << c.stored;
        EXPECT_EQ(start.rewrite, c.rewrite) << c.stored;
    }
}

// Both skin values live at fixed paths shared with the user's own programs: each test puts them
// back as they were.
class SavedSkinValues {
public:
    SavedSkinValues()
    {
        m_hadEditor = ReadDwordAtPath(kEditorSkinValue, m_editor);
        m_hadBrowser = ReadDwordAtPath(kBrowserSkinValue, m_browser);
    }
    ~SavedSkinValues()
    {
        Restore(kEditorSkinValue, m_hadEditor, m_editor);
        Restore(kBrowserSkinValue, m_hadBrowser, m_browser);
    }
    static void Remove(const wchar_t* fullPath)
    {
        const std::wstring rest = fullPath + 5; // past "HKCU\"
        const size_t slash = rest.rfind(L'\\');
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, rest.substr(0, slash).c_str(), rest.substr(slash + 1).c_str());
    }

private:
    static void Restore(const wchar_t* path, bool had, DWORD value)
    {
        if (had)
            SetSkinValue(path, value);
        else
            Remove(path);
    }
    bool m_hadEditor, m_hadBrowser;
    DWORD m_editor = 0, m_browser = 0;
};

TEST(ShowsSkin, ChoiceGoesToTheEditorsValueWhenItExistsElseTheBrowsers)
{
    SavedSkinValues saved;
    DWORD value = 0;

    SavedSkinValues::Remove(kEditorSkinValue);
    SavedSkinValues::Remove(kBrowserSkinValue);
    unsigned current = 1;
    EXPECT_TRUE(StoreSkinChoice(current, 3));
    EXPECT_EQ(current, 3u);
    EXPECT_FALSE(ReadDwordAtPath(kEditorSkinValue, value)) << "the editor's value was made";
    ASSERT_TRUE(ReadDwordAtPath(kBrowserSkinValue, value));
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(ReadStartSkin(), 3u);

    ASSERT_TRUE(SetSkinValue(kEditorSkinValue, 4));
    EXPECT_TRUE(StoreSkinChoice(current, 5));
    ASSERT_TRUE(ReadDwordAtPath(kEditorSkinValue, value));
    EXPECT_EQ(value, 5u);
    ASSERT_TRUE(ReadDwordAtPath(kBrowserSkinValue, value));
    EXPECT_EQ(value, 3u) << "the browser's value changed beside the editor's";
    EXPECT_EQ(ReadStartSkin(), 5u);
}

TEST(ShowsSkin, TheCurrentSkinAgainWritesNothing)
{
    SavedSkinValues saved;
    SavedSkinValues::Remove(kEditorSkinValue);
    SavedSkinValues::Remove(kBrowserSkinValue);
    unsigned current = 2;
    EXPECT_FALSE(StoreSkinChoice(current, 2));
    DWORD value = 0;
    EXPECT_FALSE(ReadDwordAtPath(kBrowserSkinValue, value));
    EXPECT_FALSE(ReadDwordAtPath(kEditorSkinValue, value));
}

TEST(ShowsSkin, StartSkinTable)
{
    SavedSkinValues saved;
    SavedSkinValues::Remove(kEditorSkinValue);
    SavedSkinValues::Remove(kBrowserSkinValue);
    EXPECT_EQ(ReadStartSkin(), 1u) << "nothing stored";
    const struct {
        DWORD stored;
        unsigned skin;
    } cases[] = {{0, 0}, {3, 3}, {6, 6}, {7, 1}, {9, 1}, {0xFFFFFFFF, 1}};
    for (const auto& c : cases) {
        ASSERT_TRUE(SetSkinValue(kBrowserSkinValue, c.stored));
        EXPECT_EQ(ReadStartSkin(), c.skin) << c.stored;
    }
}

} // namespace
