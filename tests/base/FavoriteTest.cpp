#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include <vector>
#include "FavoriteFolder.h"
#include "FavoriteRecord.h"
#include "MD5.h"

namespace {

std::wstring Digest(const std::wstring& path)
{
    char text[33];
    MD5String(path.data(), path.size() * sizeof(wchar_t), text);
    return std::wstring(text, text + 32);
}

// A registry key of the test's own below HKCU, deleted with everything under it afterwards.
class Favorites : public testing::Test {
protected:
    void SetUp() override
    {
        static int serial = 0;
        m_key = L"Software\\LumivoTests\\favorites-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
    }
    void TearDown() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests"); // fails while other runs use it
    }
    bool KeyExists(const std::wstring& subkey) const
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, (m_key + L"\\" + subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    void SetValue(const std::wstring& subkey, const wchar_t* name, DWORD type, const void* data, DWORD size) const
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (m_key + subkey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void SetText(const std::wstring& subkey, const wchar_t* name, const std::wstring& text) const
    {
        SetValue(subkey, name, REG_SZ, text.c_str(), DWORD(text.size() + 1) * sizeof(wchar_t));
    }
    // The raw bytes of a value directly under the test key; "<missing>" when there is none.
    std::string GetValue(const wchar_t* name) const
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return "<missing>";
        DWORD size = 0, type = 0;
        std::string data;
        if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            data.resize(size);
            RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        } else {
            data = "<missing>";
        }
        RegCloseKey(key);
        return data;
    }
    static std::string Bytes(const std::wstring& text)
    {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    }
    std::multiset<std::wstring> Loaded() const
    {
        CFavoriteFolder folders;
        folders.SetRootRegPath(m_key.c_str());
        folders.LoadSetting();
        std::multiset<std::wstring> paths;
        for (auto it = folders.GetFolders().Begin(); !it.IsEnd(); it.Next())
            paths.insert(it.GetValue().path.GetString());
        return paths;
    }

    std::wstring m_key;
};

TEST_F(Favorites, FolderIsStoredUnderTheDigestOfItsPath)
{
    CFavoriteFolder folders;
    folders.SetRootRegPath((m_key + L"\\").c_str());
    ST_FavFolder* added = folders.Add(L"C:\\Photos\\\x65C5\x884C", L"Trip", 3);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(folders.Add(L"C:\\Photos\\\x65C5\x884C", L"Again", 1), nullptr);
    ASSERT_NE(folders.Add(L"D:\\Other", L"Trip", 0), nullptr); // the same name is kept twice
    EXPECT_EQ(folders.Add(L"", L"Empty", 0), nullptr);

    const std::wstring subkey = Digest(L"C:\\Photos\\\x65C5\x884C");
    ASSERT_TRUE(KeyExists(subkey));
    CFavoriteFolder loaded;
    loaded.SetRootRegPath(m_key.c_str());
    loaded.LoadSetting();
    ASSERT_EQ(loaded.GetFolders().GetCount(), 2);
    for (auto it = loaded.GetFolders().Begin(); !it.IsEnd(); it.Next()) {
        EXPECT_STREQ(it.GetKey().GetString(), L"Trip");
        if (it.GetValue().path == L"C:\\Photos\\\x65C5\x884C") {
            EXPECT_EQ(it.GetValue().icon, 3);
        }
    }
    // Loading again lists nothing twice.
    loaded.LoadSetting();
    EXPECT_EQ(loaded.GetFolders().GetCount(), 2);
}

TEST_F(Favorites, RemovedFolderDoesNotReturn)
{
    CFavoriteFolder folders;
    folders.SetRootRegPath(m_key.c_str());
    ST_FavFolder* a = folders.Add(L"C:\\A", L"A", 0);
    ST_FavFolder* b = folders.Add(L"C:\\B", L"B", 0);
    a->item = reinterpret_cast<void*>(0x10);
    b->item = reinterpret_cast<void*>(0x20);
    EXPECT_EQ(folders.GetFavFolder(reinterpret_cast<void*>(0x20)), b);
    EXPECT_EQ(folders.GetFavFolder(nullptr), nullptr);
    EXPECT_FALSE(folders.Remove(nullptr));
    EXPECT_FALSE(folders.Remove(reinterpret_cast<void*>(0x30)));
    EXPECT_TRUE(folders.Remove(reinterpret_cast<void*>(0x10)));
    EXPECT_EQ(folders.GetFolders().GetCount(), 1);
    EXPECT_FALSE(KeyExists(Digest(L"C:\\A")));
    EXPECT_EQ(Loaded(), (std::multiset<std::wstring>{L"C:\\B"}));
}

TEST_F(Favorites, LoadsAtMostAHundredCompleteKeys)
{
    for (int i = 0; i < 120; ++i) {
        const std::wstring path = L"C:\\Folder" + std::to_wstring(i);
        const std::wstring subkey = L"\\" + Digest(path);
        SetText(subkey, nullptr, path);
        SetText(subkey, L"Name", L"n" + std::to_wstring(i));
    }
    EXPECT_EQ(Loaded().size(), 100u);

    RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
    SetText(L"\\NoName", nullptr, L"C:\\NoName");
    SetText(L"\\NoPath", L"Name", L"no path");
    SetText(L"\\Good", nullptr, L"C:\\Good");
    SetText(L"\\Good", L"Name", L"good");
    EXPECT_EQ(Loaded(), (std::multiset<std::wstring>{L"C:\\Good"}));
}

TEST_F(Favorites, RecordWritesAClosedMultiString)
{
    CFavoriteRecord record;
    record.SetRootRegPath((L"HKCU\\" + m_key + L"\\").c_str());
    EXPECT_TRUE(record.AddFavorite(L"b.jpg", L"Frames"));
    EXPECT_TRUE(record.AddFavorite(L"A.png", L"Frames"));
    EXPECT_TRUE(record.AddFavorite(L"B.JPG", L"Frames")); // present already, without case
    EXPECT_FALSE(record.AddFavorite(L"", L"Frames"));
    EXPECT_TRUE(record.Save());
    EXPECT_EQ(GetValue(L"Frames"), Bytes(std::wstring(L"A.png\0b.jpg\0\0", 13)));

    CFavoriteRecord other;
    other.SetRootRegPath((L"HKCU\\" + m_key).c_str()); // without the closing backslash
    EXPECT_FALSE(other.IsFavorite(L"a.png", L"Frames")); // not loaded
    EXPECT_TRUE(other.Load(L"Frames"));
    EXPECT_TRUE(other.IsFavorite(L"a.PNG", L"Frames"));
    EXPECT_FALSE(other.IsFavorite(L"c.png", L"Frames"));

    EXPECT_FALSE(other.RemoveFavorite(L"c.png", L"Frames"));
    EXPECT_FALSE(other.RemoveFavorite(L"a.png", L"Scenes"));
    EXPECT_TRUE(other.RemoveFavorite(nullptr, L"Frames"));
    EXPECT_TRUE(other.Save());
    EXPECT_EQ(GetValue(L"Frames"), "<missing>");
}

TEST_F(Favorites, RecordReadsStayInsideTheData)
{
    const struct {
        const char* what;
        std::string bytes;
        std::set<std::wstring> items;
    } cases[] = {
        {"no terminator at all", Bytes(L"abc"), {L"abc"}},
        {"odd byte count", Bytes(L"ab") + "c", {L"ab"}},
        {"single terminators", Bytes(std::wstring(L"x\0y\0", 4)), {L"x", L"y"}},
        {"an empty name ends the list", Bytes(std::wstring(L"x\0\0y\0\0", 6)), {L"x"}},
        {"empty value", "", {}},
    };
    for (const auto& c : cases) {
        SetValue(L"", L"Cat", REG_MULTI_SZ, c.bytes.data(), DWORD(c.bytes.size()));
        CFavoriteRecord record;
        record.SetRootRegPath((L"HKCU\\" + m_key + L"\\").c_str());
        EXPECT_TRUE(record.Load(L"Cat")) << c.what;
        std::set<std::wstring> items;
        const auto& categories = record.GetCategories();
        for (auto it = categories.Begin(); !it.IsEnd(); it.Next())
            for (auto item = it.GetValue().items.Begin(); !item.IsEnd(); item.Next())
                items.insert(item.GetKey().GetString());
        EXPECT_EQ(items, c.items) << c.what;
    }
}

TEST_F(Favorites, AddingToACategoryNotLoadedKeepsWhatIsStored)
{
    const std::wstring stored(L"old.jpg\0\0", 9);
    SetValue(L"", L"Scenes", REG_MULTI_SZ, stored.data(), DWORD(stored.size() * sizeof(wchar_t)));
    CFavoriteRecord record;
    record.SetRootRegPath((L"HKCU\\" + m_key + L"\\").c_str());
    EXPECT_TRUE(record.AddFavorite(L"new.jpg", L"Scenes"));
    EXPECT_TRUE(record.Save());
    EXPECT_EQ(GetValue(L"Scenes"), Bytes(std::wstring(L"new.jpg\0old.jpg\0\0", 17)));
}

} // namespace
