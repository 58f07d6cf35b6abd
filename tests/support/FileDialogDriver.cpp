#include "FileDialogDriver.h"

namespace testsupport {

namespace {

// The name field: the combo box of the Explorer-style dialogs, or the plain edit of the old ones.
const int kNameCombo = 0x47c;
const int kNameEdit = 0x480;

HWND NameField(HWND dialog)
{
    HWND field = ::GetDlgItem(dialog, kNameCombo);
    return field ? field : ::GetDlgItem(dialog, kNameEdit);
}

struct Search {
    DWORD processId;
    const wchar_t* caption;
    const std::vector<HWND>* skip;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(wnd, &owner);
    if (owner != search->processId || !::IsWindowVisible(wnd))
        return TRUE;
    wchar_t cls[16] = {};
    ::GetClassNameW(wnd, cls, 16);
    if (std::wstring(cls) != L"#32770" || !NameField(wnd))
        return TRUE;
    for (HWND seen : *search->skip)
        if (seen == wnd)
            return TRUE;
    if (search->caption && FileDialogCaption(wnd) != search->caption)
        return TRUE;
    search->found = wnd;
    return FALSE;
}

FileDialogAnswers* g_answers = nullptr;

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_answers)
        g_answers->Answer(nullptr);
}

} // namespace

HWND FindFileDialog(DWORD processId, const wchar_t* caption, const std::vector<HWND>& skip)
{
    Search search{processId, caption, &skip, nullptr};
    ::EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForFileDialog(DWORD processId, DWORD milliseconds, const wchar_t* caption)
{
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    for (;;) {
        if (HWND dialog = FindFileDialog(processId, caption))
            return dialog;
        if (::GetTickCount64() >= end)
            return nullptr;
        ::Sleep(50);
    }
}

bool ChooseFileInDialog(HWND dialog, const std::wstring& path)
{
    HWND field = NameField(dialog);
    if (!field)
        return false;
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return true;
}

void CancelFileDialog(HWND dialog)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

std::wstring FileDialogCaption(HWND dialog)
{
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(dialog, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &length);
    return text;
}

FileDialogAnswers::FileDialogAnswers(std::vector<std::wstring> answers) : m_answers(std::move(answers))
{
    g_answers = this;
    m_timer = ::SetTimer(nullptr, 0, 100, AnswerTimer);
}

FileDialogAnswers::~FileDialogAnswers()
{
    ::KillTimer(nullptr, m_timer);
    if (g_answers == this)
        g_answers = nullptr;
}

void FileDialogAnswers::Answer(HWND dialog)
{
    if (!dialog)
        dialog = FindFileDialog(::GetCurrentProcessId(), nullptr, m_answered);
    if (!dialog)
        return;
    m_answered.push_back(dialog);
    m_captions.push_back(FileDialogCaption(dialog));
    const std::wstring answer = m_next < m_answers.size() ? m_answers[m_next] : std::wstring();
    ++m_next;
    if (answer.empty())
        CancelFileDialog(dialog);
    else
        ChooseFileInDialog(dialog, answer);
}

} // namespace testsupport
