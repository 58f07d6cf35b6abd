#include "OptimizeReport.h"
#include <algorithm>
#include "BrowserUtil.h"
#include "WatermarkGeometry.h"
#include "ZVUILibApp.h"

namespace {

std::wstring ReportSizeText(uint64_t size)
{
    wchar_t text[256] = {};
    FormatSizeText64(false, text, size);
    return text;
}

int KilobytesForBar(uint64_t bytes)
{
    return int(std::min<uint64_t>(bytes >> 10, 0x7fffffff));
}

} // namespace

OptimizeReportLines MakeOptimizeReport(uint64_t sizeBefore, uint64_t sizeAfter, int count)
{
    OptimizeReportLines lines;
    lines.before = std::wstring(TranslateString(L"Before Optimization")) + L": " + ReportSizeText(sizeBefore);
    lines.after = std::wstring(TranslateString(L"After Optimization")) + L": " + ReportSizeText(sizeAfter);
    const bool grew = sizeAfter > sizeBefore;
    const uint64_t difference = grew ? sizeAfter - sizeBefore : sizeBefore - sizeAfter;
    // Nothing measured (every picture failed, or empty files): no share to give.
    const double percent = sizeBefore ? double(difference) * 100.0 / double(sizeBefore) : 0.0;
    const wchar_t* sign = grew ? L"-" : L"";
    lines.gain = std::wstring(TranslateString(L"Reduce file size")) + L" " + sign + ReportSizeText(difference) + L" , " +
                 sign + FormatTwoDecimals(percent) + L"%";
    lines.count = std::wstring(TranslateString(L"File Count")) + L" " + std::to_wstring(count);
    lines.barRange = std::max(1, KilobytesForBar(sizeBefore));
    lines.barPosition = std::min(lines.barRange, KilobytesForBar(sizeAfter));
    return lines;
}

std::wstring FormatBatchFailures(const std::vector<BatchFailure>& failures)
{
    std::wstring text;
    for (const BatchFailure& failure : failures)
        text += failure.path + L"\t" + failure.reason + L"\r\n";
    return text;
}
