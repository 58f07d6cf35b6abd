#pragma once
// CKQBatch: the console program's object. Its switches are "overwrite" and "alpha"; the
// positional arguments name a command of the command table, the input and the output.
#include "CmdLineParser.h"

class CKQBatch : public CCmdLineParser {
public:
    CKQBatch();

    bool OnArguments(const wchar_t** argv, int argc) override;
    // argv: the command word, input, output, the command's own arguments; a null entry ends it.
    bool Run(const wchar_t** argv, int argc);
};

// The arguments after the program name joined into one line: switches as they stand, every
// other argument between double quotes.
ALT::TString<wchar_t, 0, 8> JoinArguments(const wchar_t* const* args, int count);

bool ParseAndRun(const wchar_t* const* args, int count);
