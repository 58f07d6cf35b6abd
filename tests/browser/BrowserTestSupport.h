#pragma once
// Fakes of the browser's seams: the program starter, the batch host and the shell service.
#include <windows.h>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>
#include "BatchEngine.h"
#include "BatchSettings.h"
#include "ProgramStart.h"
#include "ShellService.h"

namespace browsertest {

// The profile in memory, "section/name" to value.
class MemoryProfile : public ProfileStore {
public:
    std::map<std::wstring, int> ints;
    std::map<std::wstring, std::wstring> strings;

    int GetInt(const wchar_t* section, const wchar_t* name, int fallback) override
    {
        auto found = ints.find(Key(section, name));
        return found == ints.end() ? fallback : found->second;
    }
    void WriteInt(const wchar_t* section, const wchar_t* name, int value) override { ints[Key(section, name)] = value; }
    std::wstring GetString(const wchar_t* section, const wchar_t* name, const wchar_t* fallback) override
    {
        auto found = strings.find(Key(section, name));
        return found == strings.end() ? fallback : found->second;
    }
    void WriteString(const wchar_t* section, const wchar_t* name, const wchar_t* value) override
    {
        strings[Key(section, name)] = value;
    }
    static std::wstring Key(const wchar_t* section, const wchar_t* name) { return std::wstring(section) + L"/" + name; }
};

// Records every start and plays scripted answers in order; with none left, KQBatch's answer of
// success. With holdUntilStop, a capture waits for the run's stop event before it answers, like
// a picture that takes long.
class FakeProgramStarter : public ProgramStarter {
public:
    FakeProgramStarter() { m_before = SetProgramStarter(this); }
    ~FakeProgramStarter() override { SetProgramStarter(m_before); }

    struct Start {
        std::wstring program;
        std::wstring commandLine;
    };

    static CaptureResult Answer(const std::string& output, DWORD exitCode = 0)
    {
        CaptureResult answer;
        answer.started = true;
        answer.output = output;
        answer.exitCode = exitCode;
        return answer;
    }
    static CaptureResult Complete() { return Answer("Loading\r\nGrayScale\r\nComplete\r\n"); }

    void Script(const CaptureResult& answer)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_answers.push_back(answer);
    }
    std::vector<Start> Starts()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_starts;
    }
    // Waits until the fake was asked count times.
    bool WaitForStarts(size_t count, DWORD milliseconds = 10000)
    {
        for (DWORD waited = 0; waited < milliseconds; waited += 5) {
            if (Starts().size() >= count)
                return true;
            Sleep(5);
        }
        return false;
    }

    bool holdUntilStop = false;
    bool toolsInstalled = true;

    std::wstring MakeFileListTempFile(const std::vector<std::wstring>& paths) override
    {
        return paths.empty() ? std::wstring() : L"C:\\temp\\_LumivoFileList_fake.tmp";
    }
    bool RunProgramWait(const wchar_t* program, const wchar_t* commandLine) override
    {
        return Next(program, commandLine).started;
    }
    CaptureResult RunProgramCapture(const wchar_t* program, const wchar_t* commandLine, HANDLE stopEvent, DWORD) override
    {
        CaptureResult answer = Next(program, commandLine);
        if (holdUntilStop && stopEvent)
            WaitForSingleObject(stopEvent, 20000);
        return answer;
    }
    bool IsLumivoToolsInstalled() override { return toolsInstalled; }

private:
    CaptureResult Next(const wchar_t* program, const wchar_t* commandLine)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_starts.push_back(Start{program ? program : L"", commandLine ? commandLine : L""});
        if (m_answers.empty())
            return Complete();
        CaptureResult answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    ProgramStarter* m_before = nullptr;
    std::mutex m_lock;
    std::deque<CaptureResult> m_answers;
    std::vector<Start> m_starts;
};

// A list and frame that hold what the test sets and write down, in order, what the run posts:
// "progress N", "note TEXT", "reload FLAG PATH", "done ITEM PATH", "summary".
class FakeBatchHost : public BatchHost {
public:
    std::vector<BatchListItem> selected;
    BatchListItem hovered;
    std::wstring filter = L"*.jpg;*.jpeg;*.png;*.bmp;*.gif";
    int busyNotes = 0;

    std::vector<BatchListItem> GetSelectedItems() override { return selected; }
    BatchListItem GetHoverItem() override { return hovered; }
    std::wstring GetPictureFilter() override { return filter; }
    void ShowBatchRunningNote() override { ++busyNotes; }

    void PostProgress(int percent) override { Record(L"progress " + std::to_wstring(percent)); }
    void PostNote(const std::wstring& text) override { Record(L"note " + text); }
    void PostFolderReload(int flag, const std::wstring& folder) override
    {
        Record(L"reload " + std::to_wstring(flag) + L" " + folder);
    }
    void PostItemDone(const BatchItemDone& done) override
    {
        Record(L"done " + std::to_wstring(done.listItem.item) + L" " + done.listItem.path +
               (done.newPath.empty() ? std::wstring() : L" -> " + done.newPath));
    }
    void PostSummary(const BatchSummary& summary) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_summaries.push_back(summary);
        m_events.push_back(L"summary");
    }

    std::vector<std::wstring> Events()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_events;
    }
    std::vector<std::wstring> EventsStartingWith(const std::wstring& prefix)
    {
        std::vector<std::wstring> found;
        for (const std::wstring& event : Events())
            if (event.compare(0, prefix.size(), prefix) == 0)
                found.push_back(event);
        return found;
    }
    std::vector<BatchSummary> Summaries()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_summaries;
    }
    // The last progress posted, -2 before any.
    int LastProgress()
    {
        int last = -2;
        for (const std::wstring& event : EventsStartingWith(L"progress "))
            last = _wtoi(event.c_str() + 9);
        return last;
    }

private:
    void Record(const std::wstring& event)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_events.push_back(event);
    }

    std::mutex m_lock;
    std::vector<std::wstring> m_events;
    std::vector<BatchSummary> m_summaries;
};

// Records the file operations asked of the shell and answers with the code given.
class FakeShellService : public zvui::ShellService {
public:
    explicit FakeShellService(int answer = 0) : m_answer(answer) { m_before = zvui::SetShellService(this); }
    ~FakeShellService() override { zvui::SetShellService(m_before); }

    struct Operation {
        UINT function;
        FILEOP_FLAGS flags;
        std::wstring from; // the terminators kept
        std::wstring to;
    };
    std::vector<Operation> operations;

    int FileOperation(SHFILEOPSTRUCTW& op) override
    {
        operations.push_back(Operation{op.wFunc, op.fFlags, DoubleNullList(op.pFrom), DoubleNullList(op.pTo)});
        return m_answer;
    }
    bool BrowseForFolder(HWND, const wchar_t*, UINT, const std::wstring&, std::wstring&) override { return false; }
    bool ConnectedState(DWORD&) override { return false; }

private:
    static std::wstring DoubleNullList(const wchar_t* list)
    {
        std::wstring text;
        if (!list)
            return text;
        for (size_t i = 0;; ++i) {
            text += list[i];
            if (list[i] == 0 && i > 0 && list[i - 1] == 0)
                return text;
        }
    }

    int m_answer;
    zvui::ShellService* m_before = nullptr;
};

} // namespace browsertest
