#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "RegPath.h"

namespace {

using WString = ALT::TString<wchar_t, 0, 8>;

// Each run works below a key of its own, removed afterwards.
class RegPath : public testing::Test {
protected:
    void SetUp() override
    {
        m_key = L"Software\\LumivoTests\\base-" + std::to_wstring(GetCurrentProcessId());
        m_path = L"HKCU\\" + m_key + L"\\";
        RemoveKeys();
    }
    void TearDown() override
    {
        RemoveKeys();
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests"); // fails while another run uses it
    }
    // Also before the test: a run that was killed may have left them.
    void RemoveKeys()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, m_key.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, SingleKey().c_str());
    }
    // A key right below HKCU, for the path with a single backslash.
    static std::wstring SingleKey() { return L"base-single-" + std::to_wstring(GetCurrentProcessId()); }
    std::wstring Path(const wchar_t* value) const { return m_path + value; }

    std::wstring m_key;
    std::wstring m_path;
};

TEST_F(RegPath, SetQueryAndDelete)
{
    const std::wstring name = Path(L"Language");
    const wchar_t text[] = L"Deutsch \x00E4";
    ASSERT_TRUE(RegSetPath(name.c_str(), text, REG_SZ, sizeof text));

    wchar_t read[64] = {};
    EXPECT_EQ(sizeof text, RegQueryPath(name.c_str(), read, sizeof read));
    EXPECT_STREQ(text, read);

    // The key and value the path names are the ones Windows sees.
    wchar_t direct[64] = {};
    DWORD size = sizeof direct;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, m_key.c_str(), L"Language", RRF_RT_REG_SZ, nullptr, direct, &size));
    EXPECT_STREQ(text, direct);

    WString out;
    EXPECT_TRUE(RegQueryString(name.c_str(), out, L"Auto"));
    EXPECT_STREQ(text, out.GetBuffer());

    EXPECT_TRUE(RegDeletePath(name.c_str()));
    EXPECT_EQ(0u, RegQueryPath(name.c_str(), read, sizeof read));
    EXPECT_FALSE(RegDeletePath(name.c_str()));
    EXPECT_FALSE(RegQueryString(name.c_str(), out, L"Auto"));
    EXPECT_STREQ(L"Auto", out.GetBuffer());
    EXPECT_FALSE(RegQueryString(name.c_str(), out, nullptr));
    EXPECT_STREQ(L"", out.GetString());
}

TEST_F(RegPath, DWordsKeepTheirDefaultWhenMissingOrMisfit)
{
    DWORD value = 0;
    EXPECT_FALSE(RegQueryDWord(Path(L"Hours").c_str(), value, 24));
    EXPECT_EQ(24u, value);

    const DWORD stored = 0x12345678;
    ASSERT_TRUE(RegSetPath(Path(L"Hours").c_str(), &stored, REG_DWORD, sizeof stored));
    EXPECT_TRUE(RegQueryDWord(Path(L"Hours").c_str(), value, 24));
    EXPECT_EQ(stored, value);

    const wchar_t text[] = L"not a number";
    ASSERT_TRUE(RegSetPath(Path(L"Text").c_str(), text, REG_SZ, sizeof text));
    EXPECT_FALSE(RegQueryDWord(Path(L"Text").c_str(), value, 24));
    EXPECT_EQ(24u, value);
    const uint16_t shortValue = 7;
    ASSERT_TRUE(RegSetPath(Path(L"Short").c_str(), &shortValue, REG_BINARY, sizeof shortValue));
    EXPECT_FALSE(RegQueryDWord(Path(L"Short").c_str(), value, 24));
    EXPECT_EQ(24u, value);
}

TEST_F(RegPath, BadPathsFail)
{
    const DWORD data = 1;
    const std::wstring lowerRoot = L"hkcu\\" + m_key + L"\\Value";
    const std::wstring unknownRoot = L"HKXX\\" + m_key + L"\\Value";
    for (const std::wstring& path : {lowerRoot, unknownRoot, std::wstring(L"HKCU"), std::wstring()}) {
        EXPECT_FALSE(RegSetPath(path.c_str(), &data, REG_DWORD, sizeof data)) << path;
        DWORD read = 0;
        EXPECT_EQ(0u, RegQueryPath(path.c_str(), &read, sizeof read)) << path;
        EXPECT_FALSE(RegDeletePath(path.c_str())) << path;
    }
    DWORD read = 0;
    EXPECT_EQ(0u, RegQueryPath(nullptr, &read, sizeof read));
    EXPECT_EQ(0u, RegQueryPath(Path(L"Missing").c_str(), &read, sizeof read));
}

// Values written by other programs need not end with a terminator, nor fit the buffer.
TEST_F(RegPath, StringsAreBoundedAndTerminated)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    const wchar_t raw[] = L"abcdef";
    RegSetValueExW(key, L"NoTerminator", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 3 * sizeof(wchar_t));
    RegSetValueExW(key, L"OddSize", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 5);
    const std::wstring huge(3000, L'x'); // 6000 bytes: more than the 4096 read
    RegSetValueExW(key, L"Huge", 0, REG_SZ, reinterpret_cast<const BYTE*>(huge.c_str()), DWORD((huge.size() + 1) * sizeof(wchar_t)));
    const std::wstring fits(2047, L'y'); // 4094 bytes, 4096 with its terminator
    RegSetValueExW(key, L"Fits", 0, REG_SZ, reinterpret_cast<const BYTE*>(fits.c_str()), DWORD((fits.size() + 1) * sizeof(wchar_t)));
    const std::wstring full(2048, L'z'); // 4096 bytes stored without terminator
    RegSetValueExW(key, L"Full", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.c_str()), DWORD(full.size() * sizeof(wchar_t)));
    RegCloseKey(key);

    WString out;
    EXPECT_TRUE(RegQueryString(Path(L"NoTerminator").c_str(), out, nullptr));
    EXPECT_STREQ(L"abc", out.GetBuffer());
    EXPECT_TRUE(RegQueryString(Path(L"OddSize").c_str(), out, nullptr));
    EXPECT_STREQ(L"ab", out.GetBuffer());
    EXPECT_FALSE(RegQueryString(Path(L"Huge").c_str(), out, L"default"));
    EXPECT_STREQ(L"default", out.GetBuffer());
    EXPECT_TRUE(RegQueryString(Path(L"Fits").c_str(), out, nullptr));
    EXPECT_EQ(fits, out.GetBuffer());
    EXPECT_TRUE(RegQueryString(Path(L"Full").c_str(), out, nullptr));
    EXPECT_EQ(full, out.GetBuffer());

    wchar_t small[4];
    EXPECT_EQ(0u, RegQueryPath(Path(L"Fits").c_str(), small, sizeof small));
}

// Every backslash after the first and before the last belongs to the key path; long paths are
// taken whole.
TEST_F(RegPath, PathParts)
{
    std::wstring deep = m_key;
    for (int i = 0; i < 30; ++i)
        deep += L"\\level" + std::to_wstring(i);
    const std::wstring path = L"HKCU\\" + deep + L"\\Value";
    ASSERT_GT(path.size(), 256u);
    const DWORD data = 42;
    ASSERT_TRUE(RegSetPath(path.c_str(), &data, REG_DWORD, sizeof data));
    DWORD read = 0;
    DWORD size = sizeof read;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, deep.c_str(), L"Value", RRF_RT_REG_DWORD, nullptr, &read, &size));
    EXPECT_EQ(42u, read);

    // With a single backslash the key and the value are named alike.
    const std::wstring single = SingleKey();
    ASSERT_TRUE(RegSetPath((L"HKCU\\" + single).c_str(), &data, REG_DWORD, sizeof data));
    read = 0;
    size = sizeof read;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_CURRENT_USER, single.c_str(), single.c_str(), RRF_RT_REG_DWORD, nullptr, &read, &size));
    EXPECT_EQ(42u, read);
}

} // namespace
