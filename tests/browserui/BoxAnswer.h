#pragma once
// Answers a modal box of this process from a timer while the test waits in it.
#include <windows.h>

struct BoxAnswer {
    UINT button;
    bool answered;
    bool clearCheck; // clear the box's check box (id 100) before answering
};
inline BoxAnswer g_answer;

// Answers the first visible window of this process that has the button.
inline BOOL CALLBACK AnswerBox(HWND hwnd, LPARAM lParam)
{
    auto* answer = reinterpret_cast<BoxAnswer*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(hwnd))
        return TRUE;
    if (HWND button = ::GetDlgItem(hwnd, static_cast<int>(answer->button))) {
        if (answer->clearCheck)
            ::SendDlgItemMessageW(hwnd, 100, BM_SETCHECK, BST_UNCHECKED, 0);
        ::PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(answer->button, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        answer->answered = true;
        return FALSE;
    }
    return TRUE;
}

inline void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&g_answer));
    if (g_answer.answered)
        ::KillTimer(nullptr, id);
}
