#include <gtest/gtest.h>
#include <cwchar>
#include <string>
#include "PathFunc.h"

namespace {

TEST(PathFunc, FolderPart)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* lastSlash;
        const wchar_t* parentTrimmed;
    };
    const Case cases[] = {
        {L"name.jpg", L"", L""},
        {L"\\name.jpg", L"", L""},
        {L"C:\\name.jpg", L"C:", L"C:"},
        {L"C:\\dir\\name.jpg", L"C:\\dir", L"C:\\dir"},
        {L"C:\\dir\\\\name.jpg", L"C:\\dir", L"C:\\dir"},
        {L"C:\\dir\\sub\\", L"C:\\dir\\sub", L"C:\\dir"},
        {L"C:\\dir\\sub\\\\", L"C:\\dir\\sub", L"C:\\dir"},
        {L"\\\\server\\share\\file", L"\\\\server\\share", L"\\\\server\\share"},
        {L"C:\\", L"C:", L""},
        {L"", L"", L""},
        {nullptr, L"", L""},
    };
    for (const Case& c : cases) {
        const wchar_t* shown = c.path ? c.path : L"(null)";
        wchar_t out[64] = L"#";
        EXPECT_EQ(int(std::wcslen(c.lastSlash)), PathFindLastSlash(c.path, out)) << shown;
        EXPECT_STREQ(c.lastSlash, out) << shown;
        wchar_t parent[64] = L"#";
        EXPECT_EQ(int(std::wcslen(c.parentTrimmed)), GetParentFolderTrimmed(c.path, parent)) << shown;
        EXPECT_STREQ(c.parentTrimmed, parent) << shown;
    }
    EXPECT_EQ(6, PathFindLastSlash(L"C:\\dir\\x", nullptr));
}

TEST(PathFunc, NameExtensionAndTitle)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* name;      // null: no name part
        const wchar_t* extension; // null: none
        const wchar_t* title;
    };
    const Case cases[] = {
        {L"C:\\dir\\photo.jpg", L"photo.jpg", L"jpg", L"photo"},
        {L"C:\\dir.d\\photo", L"photo", nullptr, L"photo"},
        {L"C:\\dir\\archive.tar.gz", L"archive.tar.gz", L"gz", L"archive.tar"},
        {L"C:\\dir\\.jpg", L".jpg", L"jpg", L""},
        {L"C:\\dir\\name.", L"name.", nullptr, L"name"},
        {L"C:\\dir\\", L"", nullptr, L""},
        {L"photo.png", L"photo.png", L"png", L"photo"},
        {L"", nullptr, nullptr, L""},
    };
    for (const Case& c : cases) {
        const wchar_t* name = GetFileNamePart(c.path);
        if (c.name)
            EXPECT_STREQ(c.name, name) << c.path;
        else
            EXPECT_EQ(nullptr, name) << c.path;
        const wchar_t* extension = GetFileExtPtr(c.path);
        if (c.extension)
            EXPECT_STREQ(c.extension, extension) << c.path;
        else
            EXPECT_EQ(nullptr, extension) << c.path;
        wchar_t out[64] = L"#";
        GetFileNameFromPath(c.path, out);
        EXPECT_STREQ(c.name ? c.name : L"", out) << c.path;
        wchar_t title[64] = L"#";
        EXPECT_EQ(int(std::wcslen(c.title)), GetFileTitleFromPath(c.path, title)) << c.path;
        EXPECT_STREQ(c.title, title) << c.path;
    }
    EXPECT_EQ(0, GetFileTitleFromPath(L"a.b", nullptr));
    EXPECT_EQ(nullptr, GetFileNamePart(nullptr));
}

TEST(PathFunc, Wildcards)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* name;
        bool match;
    };
    const Case cases[] = {
        {L"*.jpg", L"C:\\Pictures\\IMG_1.JPG", true}, // the star covers the folders too
        {L"*.jpg", L"photo.jpeg", false},
        {L"IMG_?.jpg", L"img_1.jpg", true},
        {L"IMG_?.jpg", L"IMG_12.jpg", false},
        {L"IMG_?.jpg", L"IMG_.jpg", false},
        {L"a*b*c", L"aXXbYYbZZc", true},
        {L"a*b*c", L"aXXbYYbZZ", false},
        {L"photo.jpg.bak", L"photo.jpg", false}, // longer than the name
        {L"*", L"", true},
        {L"", L"anything", true},
        {L"[", L"{", false}, // only A-Z fold
        {L"\x00C9*", L"\x00E9t\x00E9", false},
        {L"***x", L"abcx", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, MatchWildcard(c.pattern, c.name)) << c.pattern << " / " << c.name;
    EXPECT_FALSE(MatchWildcard(L"*", nullptr));
    EXPECT_TRUE(MatchWildcard(nullptr, L"x"));
}

TEST(PathFunc, WildcardLists)
{
    struct Case {
        const wchar_t* list;
        const wchar_t* name;
        bool match;
    };
    const Case cases[] = {
        {L"*.JPG;*.png;", L"holiday.jpg", true},
        {L"*.JPG;*.png;", L"holiday.PNG", true},
        {L"*.JPG;*.png;", L"holiday.gif", false},
        {L"*.gif", L"a.gif", true},
        {L"", L"anything", true},
        {nullptr, L"anything", true},
        {L"x;y;z", L"z", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, MatchWildcardList(c.list, c.name)) << (c.list ? c.list : L"(null)") << " / " << c.name;
    EXPECT_FALSE(MatchWildcardList(L"*", nullptr));

    // Any length: the list is not copied into a fixed buffer.
    std::wstring list;
    for (int i = 0; i < 400; ++i)
        list += L"*.x" + std::to_wstring(i) + L";";
    list += L"*.last";
    EXPECT_GT(list.size(), 2000u);
    EXPECT_TRUE(MatchWildcardList(list.c_str(), L"file.LAST"));
    EXPECT_TRUE(MatchWildcardList(list.c_str(), L"file.x399"));
    EXPECT_FALSE(MatchWildcardList(list.c_str(), L"file.x400"));
}

} // namespace
