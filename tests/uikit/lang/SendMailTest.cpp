// SendMail against a stand-in mail library beside the test program: the message it builds,
// its results, and what the user is told when there is no mail program or it fails.
#include <functional>
#include <gtest/gtest.h>
#include "LangTestSupport.h"
#include <mapi.h>
#include "FakeMapi.h"
#include "MailClient.h"
#include "ZVUILibApp.h"

namespace {

typedef ALT::TList<ALT::TString<wchar_t, 0, 8>> PathList;

class FakeMailClient : public IMailClient {
public:
    HMODULE LoadMapi() override
    {
        ++loads;
        return library.empty() ? nullptr : LoadLibraryW(library.c_str());
    }
    std::wstring library;
    int loads = 0;
};

// The texts of every message box that opened meanwhile; each is answered with OK.
std::vector<std::wstring> g_boxes;

BOOL CALLBACK AppendText(HWND wnd, LPARAM text)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(wnd, buffer, 512);
    *reinterpret_cast<std::wstring*>(text) += buffer;
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND wnd, LPARAM)
{
    if (!IsWindowVisible(wnd) || GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD)
        return TRUE;
    std::wstring text;
    EnumChildWindows(wnd, AppendText, reinterpret_cast<LPARAM>(&text));
    g_boxes.push_back(text);
    PostMessageW(wnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK WatchBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

std::string Ansi(const wchar_t* text)
{
    char buffer[1024] = {};
    WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return buffer;
}

class SendMailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_fake.library = TestProgramDir() + L"FakeMapi.dll";
        // Held for the whole test, so that the library keeps its record between calls.
        m_library = LoadLibraryW(m_fake.library.c_str());
        ASSERT_NE(m_library, nullptr);
        m_lastCall = reinterpret_cast<FakeMapiLastCallFn>(reinterpret_cast<void*>(GetProcAddress(m_library, "FakeMapiLastCall")));
        m_setResult = reinterpret_cast<FakeMapiSetResultFn>(reinterpret_cast<void*>(GetProcAddress(m_library, "FakeMapiSetResult")));
        ASSERT_TRUE(m_lastCall && m_setResult);
        m_setResult(SUCCESS_SUCCESS);
        m_previous = SetMailClient(&m_fake);
        g_boxes.clear();
        m_timer = SetTimer(nullptr, 0, 50, WatchBoxes);
    }
    void TearDown() override
    {
        KillTimer(nullptr, m_timer);
        SetMailClient(m_previous);
        FreeLibrary(m_library);
    }
    int Send(std::initializer_list<const wchar_t*> paths)
    {
        PathList list;
        for (const wchar_t* path : paths)
            list.AddTail(ALT::TString<wchar_t, 0, 8>(path));
        return SendMail(list);
    }

    FakeMailClient m_fake;
    IMailClient* m_previous = nullptr;
    HMODULE m_library = nullptr;
    FakeMapiLastCallFn m_lastCall = nullptr;
    FakeMapiSetResultFn m_setResult = nullptr;
    UINT_PTR m_timer = 0;
};

TEST_F(SendMailTest, EmptyListLoadsNoMailLibrary)
{
    EXPECT_EQ(Send({}), 0);
    EXPECT_EQ(m_fake.loads, 0);
    EXPECT_EQ(m_lastCall()->calls, 0);
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SendMailTest, OneMessageWithEveryFileAttached)
{
    EXPECT_EQ(Send({L"C:\\pictures\\a.png", L"C:\\pictures\\b c.jpg"}), 1);
    const FakeMapiCall& call = *m_lastCall();
    EXPECT_EQ(call.calls, 1);
    EXPECT_EQ(call.session, 0u);
    EXPECT_EQ(call.uiParam, 0u);
    EXPECT_EQ(call.flags, ULONG(MAPI_LOGON_UI | MAPI_DIALOG));
    ASSERT_EQ(call.recipients.size(), 1u);
    EXPECT_EQ(call.recipients[0].recipientClass, ULONG(MAPI_TO));
    EXPECT_EQ(call.recipients[0].name, "");
    EXPECT_FALSE(call.recipients[0].hasAddress);
    ASSERT_EQ(call.files.size(), 2u);
    EXPECT_EQ(call.files[0].path, "C:\\pictures\\a.png");
    EXPECT_EQ(call.files[1].path, "C:\\pictures\\b c.jpg");
    for (const FakeMapiFile& file : call.files) {
        EXPECT_EQ(file.name, file.path);
        EXPECT_EQ(file.position, ULONG(-1));
    }
    EXPECT_EQ(call.subject, Ansi(TranslateString(L"picture")));
    EXPECT_EQ(call.body, Ansi(TranslateString(L"These pictures were sent with Lumivo tools.")) + "\n" +
                             Ansi(TranslateString(L"Lumivo tools on the web: https://www.lumivo.example/")));
    EXPECT_TRUE(g_boxes.empty());
}

TEST_F(SendMailTest, ResultsOfTheMailProgram)
{
    const struct {
        ULONG mapiResult;
        int result;
        bool told;
    } cases[] = {
        {SUCCESS_SUCCESS, 1, false},
        {MAPI_USER_ABORT, 1, false}, // the user closed the message unsent
        {MAPI_E_LOGIN_FAILURE, 0, true},
        {MAPI_E_FAILURE, 0, true},
        {MAPI_E_ATTACHMENT_NOT_FOUND, 0, true},
    };
    for (const auto& c : cases) {
        g_boxes.clear();
        m_setResult(c.mapiResult);
        EXPECT_EQ(Send({L"C:\\pictures\\a.png"}), c.result) << c.mapiResult;
        ASSERT_EQ(g_boxes.size(), c.told ? 1u : 0u) << c.mapiResult;
        if (c.told) {
            EXPECT_NE(g_boxes[0].find(TranslateString(L"The e-mail program could not create the message.")), std::wstring::npos);
        }
    }
}

TEST_F(SendMailTest, NoMailProgramIsSaid)
{
    const std::wstring noProgram = TranslateString(
        L"No e-mail program is installed. Install one and make it the default mail program to send pictures by e-mail.");
    for (const wchar_t* library : {L"", L"kernel32.dll"}) { // none, or one without MAPISendMail
        g_boxes.clear();
        m_fake.library = library;
        EXPECT_EQ(Send({L"C:\\pictures\\a.png"}), 0) << library;
        ASSERT_EQ(g_boxes.size(), 1u) << library;
        EXPECT_NE(g_boxes[0].find(noProgram), std::wstring::npos) << library;
    }
    EXPECT_EQ(m_lastCall()->calls, 0);
}

} // namespace
