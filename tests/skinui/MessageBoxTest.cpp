// The message box: its buttons, its results, Escape, and the check box, driven by posted
// commands while the box runs its modal loop.
#include <vector>
#include "TestApp.h"

namespace {

const wchar_t kCaption[] = L"SkinUI message box test";

// What the timer does to the open box, step by step.
struct Script {
    std::vector<std::pair<UINT, WPARAM>> steps;   // message (WM_COMMAND, WM_KEYDOWN, BM_CLICK to the check box,
                                                  // WM_NULL: measure the check box) and wParam
    size_t next = 0;
    int boxesSeen = 0;
    RECT check = {};    // the check box and the box's client area, in screen pixels, when measured
    RECT client = {};
};
Script* g_script = nullptr;

BOOL CALLBACK MatchBox(HWND hWnd, LPARAM data)
{
    wchar_t title[64] = {};
    ::GetWindowTextW(hWnd, title, 64);
    if (::IsWindowVisible(hWnd) && wcscmp(title, kCaption) == 0) {
        *reinterpret_cast<HWND*>(data) = hWnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindBox()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK Drive(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindBox();
    if (!box || !g_script || g_script->next >= g_script->steps.size())
        return;
    ++g_script->boxesSeen;
    const auto step = g_script->steps[g_script->next++];
    if (step.first == WM_NULL) {
        ::GetWindowRect(::GetDlgItem(box, static_cast<int>(step.second)), &g_script->check);
        ::GetClientRect(box, &g_script->client);
        ::MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&g_script->client), 2);
    } else if (step.first == BM_CLICK)
        ::PostMessageW(::GetDlgItem(box, static_cast<int>(step.second)), BM_CLICK, 0, 0);
    else if (step.first == WM_KEYDOWN)
        ::PostMessageW(::GetFocus() ? ::GetFocus() : box, WM_KEYDOWN, step.second, 0);
    else
        ::PostMessageW(box, step.first, step.second, 0);
}

int RunBox(UINT type, Script& script, LPCWSTR check = nullptr, BOOL* checked = nullptr)
{
    g_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, Drive);
    const int result = check ? BCGPMessageBox(nullptr, L"Save changes before continuing ?", kCaption, type, check, checked)
                             : BCGPMessageBox(nullptr, L"Save changes before continuing ?", kCaption, type);
    ::KillTimer(nullptr, timer);
    g_script = nullptr;
    return result;
}

TEST(MessageBoxButtons, TypesAndEscape)
{
    const struct {
        UINT type;
        std::vector<int> buttons;
        int escape;
    } cases[] = {
        {MB_OK, {IDOK}, IDOK},
        {MB_OKCANCEL, {IDOK, IDCANCEL}, IDCANCEL},
        {MB_YESNO, {IDYES, IDNO}, 0},
        {MB_YESNOCANCEL | MB_ICONQUESTION, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDCANCEL},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, 0},
        {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skinui::MessageBoxButtons(c.type), c.buttons) << c.type;
        EXPECT_EQ(skinui::MessageBoxEscapeResult(c.type), c.escape) << c.type;
    }
}

TEST(MessageBoxRun, ReturnsTheButtonPressed)
{
    const struct {
        UINT type;
        UINT message;
        WPARAM wParam;
        int expected;
    } cases[] = {
        {MB_YESNO, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), IDNO},
        {MB_YESNO, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), IDYES},
        {MB_YESNOCANCEL, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), IDCANCEL},
        {MB_OK | MB_ICONEXCLAMATION, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), IDOK},
        {MB_OKCANCEL, WM_CLOSE, 0, IDCANCEL},
        {MB_RETRYCANCEL, WM_COMMAND, MAKEWPARAM(IDRETRY, BN_CLICKED), IDRETRY},
    };
    for (const auto& c : cases) {
        Script script;
        script.steps = {{c.message, c.wParam}};
        EXPECT_EQ(RunBox(c.type, script), c.expected) << c.type << " " << c.message;
    }
}

TEST(MessageBoxRun, ButtonsThatAreNotThereDoNothing)
{
    Script script;
    // Cancel is not on a Yes/No box: neither the command nor Escape ends it; then No does.
    script.steps = {{WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}, {WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
                    {WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED)}};
    EXPECT_EQ(RunBox(MB_YESNO, script), IDNO);
}

TEST(MessageBoxRun, EnterPressesTheDefaultButton)
{
    Script script;
    script.steps = {{WM_KEYDOWN, VK_RETURN}};
    EXPECT_EQ(RunBox(MB_YESNOCANCEL | MB_DEFBUTTON2, script), IDNO);
}

TEST(MessageBoxRun, CheckBoxVariantReturnsItsState)
{
    Script script;
    script.steps = {{BM_CLICK, 100}, {WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED)}};
    BOOL checked = FALSE;
    EXPECT_EQ(RunBox(MB_YESNO, script, L"Apply to all", &checked), IDYES);
    EXPECT_TRUE(checked);

    Script untouched;
    untouched.steps = {{WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED)}};
    checked = TRUE;   // shown checked, left so
    EXPECT_EQ(RunBox(MB_YESNO, untouched, L"Apply to all", &checked), IDNO);
    EXPECT_TRUE(checked);
}

TEST(MessageBoxRun, ALongCheckTextBesideTheIconFitsTheBox)
{
    Script script;
    script.steps = {{WM_NULL, 100}, {WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED)}};
    BOOL checked = TRUE;
    RunBox(MB_YESNO | MB_ICONQUESTION, script, L"Always check to see if this program is the default viewer of pictures",
           &checked);
    ASSERT_GT(script.check.right, script.check.left) << "the check box was not measured";
    EXPECT_LE(script.check.right + 8, script.client.right) << "the check text runs into the box's edge";
}

const wchar_t* ToChinese(const wchar_t* text)
{
    return wcscmp(text, L"Yes") == 0 ? L"\x662F" : wcscmp(text, L"Cancel") == 0 ? L"\x53D6\x6D88" : text;
}

TEST(MessageBoxButtons, CaptionsInTheUsersLanguage)
{
    EXPECT_EQ(skinui::MessageBoxButtonText(IDYES), CString(L"&Yes"));
    skinui::SetMessageBoxTranslator(ToChinese);
    EXPECT_EQ(skinui::MessageBoxButtonText(IDYES), CString(L"\x662F"));
    EXPECT_EQ(skinui::MessageBoxButtonText(IDCANCEL), CString(L"\x53D6\x6D88"));
    EXPECT_EQ(skinui::MessageBoxButtonText(IDNO), CString(L"&No")) << "an untranslated caption keeps its mnemonic";
    skinui::SetMessageBoxTranslator(nullptr);
}

} // namespace
