// The library's application object: start-up, the language choice and the shipped language
// files, user folders, temporary names and named resources.
#include <shlobj.h>
#include <cstdio>
#include <memory>
#include <thread>
#include <gtest/gtest.h>
#include "LangTestSupport.h"
#include "ZVUILibApp.h"

namespace {

const wchar_t kStoredLanguage[] = L"HKCU\\Software\\Lumivo\\Language";

std::wstring SpecialFolder(int csidl)
{
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, csidl, TRUE);
    return path;
}

std::wstring LanguageFolder()
{
    return std::wstring(CZVUILibApp::GetLanguageFolder().GetString());
}

bool IsDir(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(LibraryApp, StartsWithIconsAndTheShippedLanguageList)
{
    CZVUILibApp& app = CZVUILibApp::GetInstance();
    EXPECT_EQ(GetZVUILibModule(), GetModuleHandleW(L"ZVUILib.dll"));
    EXPECT_EQ(app.m_hInstance, GetZVUILibModule());
    EXPECT_NE(app.m_hIconMain, nullptr);
    EXPECT_NE(app.m_hIconSmall, nullptr);
    EXPECT_GT(app.m_nIconFontHeight, 0);
    EXPECT_EQ(app.m_langTable.m_languages.GetCount(), 2);
    ASSERT_NE(app.m_langTable.FindLanguage(L"Simplified Chinese"), nullptr);
    EXPECT_STREQ(app.m_langTable.FindLanguage(L"Simplified Chinese")->localName.GetString(), L"\u7B80\u4F53\u4E2D\u6587");
}

// Every text of the English file has its Chinese translation, so that a text added to one
// file only shows up here. "English" stays English on purpose: it leads back to English; a
// program's own name ("Tarvex") is the same in every language.
TEST(ShippedLanguages, ChineseTranslatesEveryText)
{
    CLangTable english, chinese;
    ASSERT_TRUE(english.LoadLanguageFile((LanguageFolder() + L"English.txt").c_str()));
    ASSERT_TRUE(chinese.LoadLanguageFile((LanguageFolder() + L"Simplified Chinese.txt").c_str()));
    ASSERT_GT(english.m_translations.GetCount(), 10);
    for (CLangTable::Translations::Iter it = english.m_translations.Begin(); !it.IsEnd(); it.Next()) {
        const wchar_t* text = it.GetKey().GetString();
        EXPECT_STREQ(it.GetValue().GetString(), text);
        if (std::wstring(text) != L"English" && std::wstring(text) != L"Tarvex") {
            EXPECT_STRNE(chinese.Lookup(text), text) << text;
        }
    }
    EXPECT_STREQ(chinese.Lookup(L"%d Languages"), L"\u5171 %d \u79CD\u8BED\u8A00");
}

// The registry value is read by every program that starts meanwhile, so the tests store only
// choices that show English texts; Chinese is loaded straight from its file.
TEST(LanguageChoice, SelectStoresAndResolves)
{
    RegistryValueGuard guard(kStoredLanguage);
    const std::wstring before = GetLanguageName(true);
    CZVUILibApp& app = CZVUILibApp::GetInstance();

    SelectLanguage(L"English");
    ALT::TString<wchar_t, 0, 8> stored;
    EXPECT_TRUE(RegQueryString(kStoredLanguage, stored, nullptr));
    EXPECT_STREQ(stored.GetString(), L"English");
    EXPECT_STREQ(GetLanguageName(true), L"English");
    EXPECT_STREQ(GetLanguageName(false), L"English");
    EXPECT_STREQ(TranslateString(L"English Name"), L"English Name");

    ASSERT_TRUE(LoadLanguageFile((LanguageFolder() + L"Simplified Chinese.txt").c_str()));
    EXPECT_STREQ(TranslateString(L"english name"), L"\u82F1\u6587\u540D\u79F0");
    EXPECT_STREQ(LookupLangString(L"English Name"), L"\u82F1\u6587\u540D\u79F0");
    EXPECT_STREQ(TranslateString(L"English"), L"English");

    SelectLanguage(L"Auto");
    EXPECT_TRUE(RegQueryString(kStoredLanguage, stored, nullptr));
    EXPECT_STREQ(stored.GetString(), L"Auto");
    EXPECT_STREQ(GetLanguageName(true), L"Auto");
    EXPECT_STREQ(GetLanguageName(false), app.m_langTable.ResolveAuto(GetSystemDefaultLangID()));

    // A choice with no file leaves the texts English.
    SelectLanguage(L"Klingon");
    EXPECT_STREQ(GetLanguageName(false), L"Klingon");
    EXPECT_EQ(app.m_langTable.m_translations.GetCount(), 0);

    // Start-up reads the stored choice.
    SelectLanguage(L"English");
    app.m_strLanguage = L"";
    AutoSelectLanguage();
    EXPECT_STREQ(GetLanguageName(false), L"English");

    SelectLanguage(before.c_str());
}

class UserFolders : public ::testing::Test {
protected:
    static const wchar_t* const kValues[KQ_FOLDER_COUNT];

    void SetUp() override
    {
        for (int i = 0; i < KQ_FOLDER_COUNT; ++i) {
            m_guards[i].reset(new RegistryValueGuard(kValues[i]));
            m_saved[i] = CZVUILibApp::GetInstance().m_folders[i];
        }
        m_userData = SpecialFolder(CSIDL_PERSONAL) + L"\\Lumivo";
        // Deepest last, so that the clean-up removes them deepest first.
        for (const wchar_t* tail : {L"", L"\\Wallpaper", L"\\Thumbnail", L"\\Lumivo", L"\\Lumivo\\Cache"})
            if (!IsDir(m_userData + tail))
                m_made.push_back(m_userData + tail);
    }
    void TearDown() override
    {
        for (int i = 0; i < KQ_FOLDER_COUNT; ++i)
            CZVUILibApp::GetInstance().m_folders[i] = m_saved[i];
        for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
            RemoveDirectoryW(it->c_str());
    }

    static std::wstring Folder(KQ_FOLDER_TYPE type, bool takeDefault)
    {
        wchar_t out[MAX_PATH] = L"untouched";
        GetKQFolder(out, type, takeDefault);
        return out;
    }

    std::unique_ptr<RegistryValueGuard> m_guards[KQ_FOLDER_COUNT];
    ALT::TString<wchar_t, 0, 8> m_saved[KQ_FOLDER_COUNT];
    std::wstring m_userData;
    std::vector<std::wstring> m_made;
    TempFolder m_temp;
};

const wchar_t* const UserFolders::kValues[KQ_FOLDER_COUNT] = {
    L"HKCU\\Software\\Lumivo\\UserDataFolder", L"HKCU\\Software\\Lumivo\\WallpaperFolder",
    L"HKCU\\Software\\Lumivo\\ThumbnailFolder", L"HKCU\\Software\\Lumivo\\LumivoCacheFolder"};

TEST_F(UserFolders, DefaultsAreMadeOnRequest)
{
    for (auto& folder : CZVUILibApp::GetInstance().m_folders)
        folder.Free();
    const struct {
        KQ_FOLDER_TYPE type;
        const wchar_t* tail;
    } cases[] = {
        {KQ_FOLDER_USERDATA, L""},
        {KQ_FOLDER_WALLPAPER, L"\\Wallpaper"},
        {KQ_FOLDER_THUMBNAIL, L"\\Thumbnail"},
        {KQ_FOLDER_CACHE, L"\\Lumivo\\Cache"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Folder(c.type, false), m_userData + c.tail);
        EXPECT_TRUE(IsDir(m_userData + c.tail)) << c.tail;
    }
    EXPECT_EQ(Folder(KQ_FOLDER_TYPE(4), false), L"");
    EXPECT_EQ(Folder(KQ_FOLDER_TYPE(-1), true), L"");
}

TEST_F(UserFolders, StoredSettingUntilTheDefaultIsAskedFor)
{
    const std::wstring stored = m_temp.At(L"stored thumbnails");
    ASSERT_TRUE(RegSetPath(kValues[KQ_FOLDER_THUMBNAIL], stored.c_str(), REG_SZ, DWORD(stored.size() + 1) * 2));
    const std::wstring tooLong = L"C:\\" + std::wstring(MAX_PATH, L'x');
    ASSERT_TRUE(RegSetPath(kValues[KQ_FOLDER_WALLPAPER], tooLong.c_str(), REG_SZ, DWORD(tooLong.size() + 1) * 2));
    CZVUILibApp::GetInstance().ReadFolderSettings();

    EXPECT_EQ(Folder(KQ_FOLDER_THUMBNAIL, false), stored);
    EXPECT_FALSE(IsDir(stored)); // a stored folder is not made
    EXPECT_EQ(Folder(KQ_FOLDER_WALLPAPER, false), m_userData + L"\\Wallpaper");

    EXPECT_EQ(Folder(KQ_FOLDER_THUMBNAIL, true), m_userData + L"\\Thumbnail");
    EXPECT_TRUE(IsDir(m_userData + L"\\Thumbnail"));
    EXPECT_EQ(Folder(KQ_FOLDER_THUMBNAIL, false), m_userData + L"\\Thumbnail"); // for the rest of the run
}

TEST_F(UserFolders, SetStoresOrGoesBackToTheDefault)
{
    const std::wstring wallpaper = m_temp.At(L"walls\\mine");
    EXPECT_TRUE(SetKQFolder(wallpaper.c_str(), KQ_FOLDER_WALLPAPER));
    ALT::TString<wchar_t, 0, 8> value;
    EXPECT_TRUE(RegQueryString(kValues[KQ_FOLDER_WALLPAPER], value, nullptr));
    EXPECT_EQ(std::wstring(value.GetString()), wallpaper);
    EXPECT_TRUE(IsDir(wallpaper));
    EXPECT_EQ(Folder(KQ_FOLDER_WALLPAPER, false), wallpaper);

    ASSERT_TRUE(RegSetPath(kValues[KQ_FOLDER_CACHE], L"D:\\cache", REG_SZ, 18));
    EXPECT_TRUE(SetKQFolder(nullptr, KQ_FOLDER_CACHE));
    EXPECT_FALSE(RegQueryString(kValues[KQ_FOLDER_CACHE], value, nullptr));
    EXPECT_TRUE(IsDir(m_userData + L"\\Lumivo\\Cache"));
    EXPECT_EQ(Folder(KQ_FOLDER_CACHE, false), m_userData + L"\\Lumivo\\Cache");

    const std::wstring tooLong = L"C:\\" + std::wstring(MAX_PATH, L'x');
    EXPECT_FALSE(SetKQFolder(tooLong.c_str(), KQ_FOLDER_USERDATA));
    EXPECT_NE(Folder(KQ_FOLDER_USERDATA, false), L""); // the setting kept a usable folder
    EXPECT_FALSE(SetKQFolder(wallpaper.c_str(), KQ_FOLDER_TYPE(4)));
}

TEST(DataFolder, BelowApplicationData)
{
    const std::wstring appData = SpecialFolder(CSIDL_APPDATA);
    EXPECT_EQ(std::wstring(GetKQDataFolder(nullptr).GetString()), appData + L"\\Lumivo");
    EXPECT_EQ(std::wstring(GetKQDataFolder(L"Frames\\Wood").GetString()), appData + L"\\Lumivo\\Frames\\Wood");
}

std::wstring TempName(const wchar_t* extension, const wchar_t* prefix)
{
    wchar_t out[MAX_PATH] = L"untouched";
    GetKQTempFileName(out, extension, prefix);
    return out;
}

TEST(TempFileNames, ThreadAndPrefix)
{
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    wchar_t id[16] = {};
    swprintf(id, 16, L"%X", unsigned(GetCurrentThreadId()));
    const struct {
        const wchar_t* extension;
        const wchar_t* prefix;
        std::wstring expected;
    } cases[] = {
        {L"png", L"kqedit", std::wstring(temp) + L"_kqedit_" + id + L"_.png"},
        {nullptr, L"kqedit", std::wstring(temp) + L"_kqedit_" + id + L"_"},
        {L"jpg", nullptr, std::wstring(temp) + L"__" + id + L"_.jpg"},
    };
    for (const auto& c : cases) {
        const std::wstring name = TempName(c.extension, c.prefix);
        EXPECT_EQ(name, c.expected);
        EXPECT_EQ(GetFileAttributesW(name.c_str()), INVALID_FILE_ATTRIBUTES); // not made
    }
    EXPECT_EQ(TempName(L"png", L"kqedit"), TempName(L"png", L"kqedit"));
    std::wstring other;
    std::thread([&] { other = TempName(L"png", L"kqedit"); }).join();
    EXPECT_NE(other, TempName(L"png", L"kqedit"));
}

TEST(NamedResources, CaseSensitiveTable)
{
    const struct {
        const char* name;
        UINT id;
    } cases[] = {
        {"Add64", 1049}, {"PNGLoading", 1031}, {"Select", 205}, {"Deselect", 1037}, {"Add", 270},
        {"Clear", 1040}, {"AlphaBG", 1055},  {"add", 0},       {"Add6", 0},       {"", 0},
        {nullptr, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetZVUILibRes(c.name), c.id) << (c.name ? c.name : "(null)");
}

} // namespace
