#pragma once
// The texts of the reports at the end of a run: the optimize report's lines and bar, and the
// failures of any run as the user copies them.
#include <cstdint>
#include <string>
#include <vector>
#include "BatchEngine.h"

struct OptimizeReportLines {
    std::wstring before; // "Before Optimization: 1.20M"
    std::wstring after;
    std::wstring gain;   // "Reduce file size 120K , 10.00%", or "-120K , -10.00%" when the files grew
    std::wstring count;  // "File Count 3"
    int barRange = 1;    // kilobytes before, at least 1
    int barPosition = 0; // kilobytes after, at most the range
};
// Translated words; the percentage is of the size before, and 0 when there was none.
OptimizeReportLines MakeOptimizeReport(uint64_t sizeBefore, uint64_t sizeAfter, int count);

// One line per failure, "path<TAB>reason", ended by CR LF.
std::wstring FormatBatchFailures(const std::vector<BatchFailure>& failures);
