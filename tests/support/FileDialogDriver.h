#pragma once
// Drives the system's open and save dialogs from a test: finds a process's dialog, types a path
// into its name field and presses OK, or presses Cancel. For a program under test in another
// process the Wait form polls; inside the test program itself, where the dialog runs a modal loop
// on the test's own thread, FileDialogAnswers answers from a timer of that thread.
#include <windows.h>
#include <string>
#include <vector>

namespace testsupport {

// A visible open or save dialog of the process (a dialog with a file-name field), or null. With a
// caption, only a dialog with that title; dialogs in `skip` are passed over.
HWND FindFileDialog(DWORD processId, const wchar_t* caption = nullptr, const std::vector<HWND>& skip = {});
// The same, looking again until the time is up (sleeping: the dialog's thread is another's).
HWND WaitForFileDialog(DWORD processId, DWORD milliseconds, const wchar_t* caption = nullptr);
// Types the path into the dialog's name field, then presses OK (posted). False without a field.
bool ChooseFileInDialog(HWND dialog, const std::wstring& path);
// Presses Cancel (posted).
void CancelFileDialog(HWND dialog);
// The dialog's title.
std::wstring FileDialogCaption(HWND dialog);

// Answers the file dialogs this process opens, in turn, from a timer of the creating thread: a
// path is chosen, an empty answer cancels, and a dialog past the last answer is cancelled. One at
// a time.
class FileDialogAnswers {
public:
    explicit FileDialogAnswers(std::vector<std::wstring> answers);
    ~FileDialogAnswers();
    FileDialogAnswers(const FileDialogAnswers&) = delete;
    FileDialogAnswers& operator=(const FileDialogAnswers&) = delete;

    // The titles of the dialogs answered so far, in order.
    const std::vector<std::wstring>& Captions() const { return m_captions; }
    void Answer(HWND dialog);

private:
    std::vector<std::wstring> m_answers;
    size_t m_next = 0;
    std::vector<std::wstring> m_captions;
    std::vector<HWND> m_answered;
    UINT_PTR m_timer = 0;
};

} // namespace testsupport
