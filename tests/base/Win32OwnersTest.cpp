#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "TestSupport.h"
#include "Win32Owners.h"

namespace {

// Handles are plain numbers here; every close is written down.
std::vector<int> g_closedNumbers;
struct CountedTraits {
    static int Invalid() { return 0; }
    static void Close(int number) { g_closedNumbers.push_back(number); }
};
using CountedOwner = win32::UniqueHandle<CountedTraits>;

struct OwnerCase {
    const char* what;
    std::function<void()> run;
    std::vector<int> closed; // in order, once the case has run and its owners are gone
};

TEST(Win32Owners, EachHandleClosesExactlyOnce)
{
    const OwnerCase cases[] = {
        {"scope end", [] { CountedOwner a(1); }, {1}},
        {"empty owner", [] { CountedOwner a; }, {}},
        {"reset, then scope end", [] { CountedOwner a(1); a.Reset(); }, {1}},
        {"reset to another", [] { CountedOwner a(1); a.Reset(2); }, {1, 2}},
        {"release", [] { CountedOwner a(1); EXPECT_EQ(1, a.Release()); EXPECT_FALSE(a.IsValid()); }, {}},
        {"move construction", [] { CountedOwner a(1); CountedOwner b(std::move(a)); EXPECT_EQ(0, a.Get()); }, {1}},
        {"move onto a holder", [] { CountedOwner a(1); CountedOwner b(2); b = std::move(a); EXPECT_EQ(1, b.Get()); }, {2, 1}},
        {"move onto itself", [] { CountedOwner a(1); CountedOwner& same = a; a = std::move(same); EXPECT_EQ(1, a.Get()); }, {1}},
        {"out closes what it held", [] { CountedOwner a(1); *a.Out() = 2; }, {1, 2}},
    };
    for (const OwnerCase& c : cases) {
        g_closedNumbers.clear();
        c.run();
        EXPECT_EQ(c.closed, g_closedNumbers) << c.what;
    }
}

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(Win32Owners, KernelHandlesCloseWithTheirLastOwner)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, event);
    {
        win32::KernelHandle first(event);
        {
            win32::KernelHandle second(std::move(first));
            EXPECT_FALSE(first.IsValid());
        }
        EXPECT_FALSE(IsOpenHandle(event));
    }

    win32::KernelHandle kept(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE released = kept.Release();
    kept.Reset();
    EXPECT_TRUE(IsOpenHandle(released));
    CloseHandle(released);

    win32::KernelHandle none(nullptr);
    EXPECT_FALSE(none.IsValid());
}

TEST(Win32Owners, FileAndFindHandlesClose)
{
    testsupport::TempFolder folder;
    const std::wstring path = folder.At(L"owned.txt");
    HANDLE file;
    {
        win32::FileHandle owner(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(owner.IsValid());
        file = owner.Get();
    }
    EXPECT_FALSE(IsOpenHandle(file));
    // Opened without sharing: a second open succeeds only once the first is closed.
    EXPECT_TRUE(win32::FileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)).IsValid());
    EXPECT_FALSE(win32::FileHandle(CreateFileW(folder.At(L"missing").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)).IsValid());

    WIN32_FIND_DATAW found;
    HANDLE search;
    {
        win32::FindHandle owner(FindFirstFileW(folder.At(L"*").c_str(), &found));
        ASSERT_TRUE(owner.IsValid());
        search = owner.Get();
        EXPECT_TRUE(FindNextFileW(search, &found));
    }
    EXPECT_FALSE(FindNextFileW(search, &found));
}

TEST(Win32Owners, SocketsClose)
{
    WSADATA data;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &data));
    SOCKET raw;
    {
        win32::Socket owner(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
        ASSERT_TRUE(owner.IsValid());
        raw = owner.Get();
    }
    int type = 0, length = sizeof type;
    EXPECT_NE(0, getsockopt(raw, SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length));
    WSACleanup();
}

TEST(Win32Owners, SelectionRestoresThePreviousObject)
{
    win32::MemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc.IsValid());
    const HGDIOBJ stock = GetCurrentObject(dc.Get(), OBJ_PEN);
    win32::GdiObject<HPEN> red(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    win32::GdiObject<HPEN> blue(CreatePen(PS_SOLID, 1, RGB(0, 0, 255)));
    {
        win32::ScopedSelect outer(dc.Get(), red.Get());
        EXPECT_EQ(red.Get(), GetCurrentObject(dc.Get(), OBJ_PEN));
        {
            win32::ScopedSelect inner(dc.Get(), blue.Get());
            EXPECT_EQ(blue.Get(), GetCurrentObject(dc.Get(), OBJ_PEN));
        }
        EXPECT_EQ(red.Get(), GetCurrentObject(dc.Get(), OBJ_PEN));
    }
    EXPECT_EQ(stock, GetCurrentObject(dc.Get(), OBJ_PEN));

    // Deselected, the pen can go: its owner deletes it.
    const HPEN pen = red.Get();
    red.Reset();
    EXPECT_EQ(0u, GetObjectType(pen));
    const HDC raw = dc.Get();
    dc.Reset();
    EXPECT_EQ(0u, GetObjectType(raw));
}

// Each run works below a key of its own, removed afterwards.
class Win32RegKey : public testing::Test {
protected:
    void SetUp() override
    {
        m_path = L"Software\\LumivoTests\\owners-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(m_key.Create(HKEY_CURRENT_USER, m_path.c_str(), KEY_READ | KEY_WRITE));
    }
    void TearDown() override
    {
        m_key.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, m_path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\LumivoTests"); // fails while another run uses it
    }
    void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(m_key.Get(), name, 0, type, static_cast<const BYTE*>(data), size)) << name;
    }

    std::wstring m_path;
    win32::RegKey m_key;
};

TEST_F(Win32RegKey, TypedValuesRoundTrip)
{
    const BYTE blob[] = {0, 1, 2, 0xFF};
    EXPECT_TRUE(m_key.WriteDword(L"Number", 0xDEADBEEF));
    EXPECT_TRUE(m_key.WriteString(L"Text", L"Caf\x00e9 \x4e2d"));
    EXPECT_TRUE(m_key.WriteString(L"Empty", L""));
    EXPECT_TRUE(m_key.WriteBinary(L"Blob", blob, sizeof blob));

    // Read back through a second key of the same path, moved once.
    win32::RegKey opened;
    ASSERT_TRUE(opened.Open(HKEY_CURRENT_USER, m_path.c_str(), KEY_READ));
    const win32::RegKey key(std::move(opened));
    DWORD number = 0;
    EXPECT_TRUE(key.ReadDword(L"Number", number));
    EXPECT_EQ(0xDEADBEEFu, number);
    std::wstring text = L"old";
    EXPECT_TRUE(key.ReadString(L"Text", text));
    EXPECT_EQ(L"Caf\x00e9 \x4e2d", text);
    EXPECT_TRUE(key.ReadString(L"Empty", text));
    EXPECT_EQ(L"", text);
    std::vector<BYTE> data;
    EXPECT_TRUE(key.ReadBinary(L"Blob", data));
    EXPECT_EQ(std::vector<BYTE>(blob, blob + sizeof blob), data);

    win32::RegKey missing;
    EXPECT_FALSE(missing.Open(HKEY_CURRENT_USER, (m_path + L"\\Missing").c_str(), KEY_READ));
    EXPECT_FALSE(missing.IsValid());
}

// A text stored without its terminator, or with an odd size, is read no further than it goes.
TEST_F(Win32RegKey, TextsEndWithinTheValue)
{
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    PutRaw(L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
    PutRaw(L"OddSize", REG_SZ, L"xyz", 5);
    PutRaw(L"Inner", REG_EXPAND_SZ, L"ab\0cd", 12);
    const struct {
        const wchar_t* name;
        const wchar_t* text;
    } cases[] = {{L"Unterminated", L"abc"}, {L"OddSize", L"xy"}, {L"Inner", L"ab"}};
    for (const auto& c : cases) {
        std::wstring text;
        EXPECT_TRUE(m_key.ReadString(c.name, text)) << c.name;
        EXPECT_EQ(c.text, text) << c.name;
    }
}

TEST_F(Win32RegKey, WrongTypesAndSizesAreRefused)
{
    const DWORD number = 7;
    const unsigned long long wide = 7;
    const WORD narrow = 7;
    const BYTE blob[16] = {};
    PutRaw(L"Number", REG_DWORD, &number, sizeof number);
    PutRaw(L"Text", REG_SZ, L"text", 10);
    PutRaw(L"Blob", REG_BINARY, blob, sizeof blob);
    PutRaw(L"Quad", REG_QWORD, &wide, sizeof wide);
    PutRaw(L"LongDword", REG_DWORD, &wide, sizeof wide);
    PutRaw(L"ShortDword", REG_DWORD, &narrow, sizeof narrow);

    enum Read { kDword, kString, kBinary };
    const struct {
        const wchar_t* name;
        Read read;
        DWORD maxBytes;
    } refused[] = {
        {L"Text", kDword, 0},        {L"Blob", kDword, 0},         {L"Quad", kDword, 0},
        {L"LongDword", kDword, 0},   {L"ShortDword", kDword, 0},   {L"Missing", kDword, 0},
        {L"Number", kString, 1024},  {L"Blob", kString, 1024},     {L"Text", kString, 9},
        {L"Text", kBinary, 1024},    {L"Number", kBinary, 1024},   {L"Blob", kBinary, 15},
    };
    for (const auto& c : refused) {
        DWORD value = 99;
        std::wstring text = L"kept";
        std::vector<BYTE> data(1, 42);
        bool read = false;
        switch (c.read) {
        case kDword: read = m_key.ReadDword(c.name, value); break;
        case kString: read = m_key.ReadString(c.name, text, c.maxBytes); break;
        case kBinary: read = m_key.ReadBinary(c.name, data, c.maxBytes); break;
        }
        EXPECT_FALSE(read) << c.name << " as " << int(c.read);
        // A refused read leaves the destination as it was.
        EXPECT_EQ(99u, value) << c.name;
        EXPECT_EQ(L"kept", text) << c.name;
        EXPECT_EQ(std::vector<BYTE>(1, 42), data) << c.name;
    }
    // The same limits let a value of exactly that size through.
    std::wstring text;
    EXPECT_TRUE(m_key.ReadString(L"Text", text, 10));
    std::vector<BYTE> data;
    EXPECT_TRUE(m_key.ReadBinary(L"Blob", data, 16));
}

} // namespace
