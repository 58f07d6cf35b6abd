#include "BatchResult.h"
#include <cstdio>
#include <vector>
#include "ZVUILibApp.h"

namespace {

const char kErrorPrefix[] = "Error : ";

// Lines of the output without their ends; "\r\n" and "\r\r\n" (a console that adds its own
// carriage return to a "\r\n" already written) end a line alike.
std::vector<std::string> OutputLines(const std::string& output)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < output.size()) {
        size_t end = output.find('\n', start);
        if (end == std::string::npos)
            end = output.size();
        std::string line = output.substr(start, end - start);
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::wstring FromConsole(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

std::wstring WithNumber(const wchar_t* format, unsigned long number)
{
    wchar_t text[256];
    _snwprintf(text, 256, TranslateString(format), number);
    text[255] = 0;
    return text;
}

} // namespace

BatchItemResult JudgeKQBatchRun(const CaptureResult& run)
{
    if (!run.started) {
        if (run.startError == ERROR_FILENAME_EXCED_RANGE)
            return BatchItemResult::Failed(TranslateString(L"The command line is too long"));
        return BatchItemResult::Failed(WithNumber(L"KQBatch could not be started (error %lu)", run.startError));
    }
    if (run.terminated)
        return BatchItemResult::Failed(TranslateString(L"KQBatch was ended after the stop"));
    bool complete = false;
    std::string error;
    for (const std::string& line : OutputLines(run.output)) {
        if (line == "Complete")
            complete = true;
        else if (error.empty() && line.compare(0, sizeof kErrorPrefix - 1, kErrorPrefix) == 0)
            error = line.substr(sizeof kErrorPrefix - 1);
    }
    if (complete && run.exitCode == 0)
        return BatchItemResult::Done();
    if (!error.empty())
        return BatchItemResult::Failed(FromConsole(error));
    if (run.exitCode != 0)
        return BatchItemResult::Failed(WithNumber(L"KQBatch ended with code %lu", run.exitCode));
    if (run.output.empty())
        return BatchItemResult::Failed(TranslateString(L"KQBatch printed nothing"));
    return BatchItemResult::Failed(TranslateString(L"KQBatch did not complete"));
}
