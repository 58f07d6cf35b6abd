#pragma once
// What became of one picture of a batch run, and how a KQBatch run is judged.
#include <string>
#include "ProgramStart.h"

enum BATCH_ITEM_RES {
    BATCH_ITEM_DONE,
    BATCH_ITEM_SKIPPED, // nothing to do, e.g. a file the run itself wrote
    BATCH_ITEM_FAILED,
};

struct BatchItemResult {
    BATCH_ITEM_RES result = BATCH_ITEM_DONE;
    std::wstring reason; // for a failure, in words for the user
    std::wstring newPath; // the picture's path after the task when it renamed or moved it

    static BatchItemResult Done() { return BatchItemResult(); }
    static BatchItemResult Skipped()
    {
        BatchItemResult skipped;
        skipped.result = BATCH_ITEM_SKIPPED;
        return skipped;
    }
    static BatchItemResult Failed(const std::wstring& why)
    {
        BatchItemResult failed;
        failed.result = BATCH_ITEM_FAILED;
        failed.reason = why;
        return failed;
    }
};

// KQBatch keeps exiting with 0 whatever happened, so a picture is done only when the program
// started, ended with 0 and printed "Complete"; its "Error : " line, when there is one, is the
// reason of a failure.
BatchItemResult JudgeKQBatchRun(const CaptureResult& run);
