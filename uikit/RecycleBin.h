#pragma once
// Deleting files to the recycle bin, quietly (no confirmation, no error boxes), on an operation
// record the caller owns, so that it may name the owner window first.
#include <windows.h>
#include <shellapi.h>
#include <vector>
#include "TMap.h"
#include "ZVUILibDef.h"

typedef ALT::TMap<ALT::TString<wchar_t, 0, 8>, ALT::ALT_EMPTY_STRUCT> KQPathSet;

// Zeroes the record.
ZVUILIB_API void InitShellFileOp(SHFILEOPSTRUCTW& op);
// True when every path went; a set without a path deletes nothing and fails.
ZVUILIB_API bool DeleteToRecycleBin(SHFILEOPSTRUCTW& op, const KQPathSet& paths);
ZVUILIB_API bool DeleteFileToRecycleBin(SHFILEOPSTRUCTW& op, const wchar_t* path);

namespace recyclebin {
// The shell's list form: each non-empty path ended by a zero, then one more zero.
ZVUILIB_API std::vector<wchar_t> MakePathList(const KQPathSet& paths);
} // namespace recyclebin
