// Console batch processor: KQBatch.exe CMD_STRING InFileName OutFileName ... /Switch1 /Switch2
// The browser starts it once per picture and reads neither its output nor its exit code, which
// is always 0.
#include "KQBatch.h"
#include <clocale>
#include <cstdio>
#include "BatchCommands.h"

namespace {

// Accepted and kept; nothing reads it.
bool g_overwrite = true;

const CMDLINE_SWITCH kSwitches[] = {
    {L"overwrite", CMD_SWITCH_FLAG, &g_overwrite, 0},
    {L"alpha", CMD_SWITCH_INT, &g_watermarkAlpha, 0},
    {nullptr, 0, nullptr, 0},
};

CKQBatch theApp;

} // namespace

int g_watermarkAlpha = 100;

CKQBatch::CKQBatch()
{
    AddSwitchTable(kSwitches);
}

bool CKQBatch::OnArguments(const wchar_t** argv, int argc)
{
    return Run(argv, argc);
}

bool CKQBatch::Run(const wchar_t** argv, int argc)
{
    if (argc == 0) {
        printf("Lumivo Shows Batch Command:\n");
        printf("KQBatch.exe CMD_STRING InFileName OutFileName .... /Switch1 /Switch2  \n");
        return false;
    }
    if (argc < 3) {
        printf("Error : Not enough parameters\n");
        return false;
    }
    const BATCH_COMMAND* command = FindBatchCommand(argv[0]);
    if (!command || !command->handler)
        return false;
    return command->handler(argv[1], argv[2], argv + 3, argc - 3, command->param);
}

ALT::TString<wchar_t, 0, 8> JoinArguments(const wchar_t* const* args, int count)
{
    ALT::TString<wchar_t, 0, 8> line(L"");
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            line += L" ";
        const wchar_t* arg = args[i] ? args[i] : L"";
        if (arg[0] == L'-' || arg[0] == L'/') {
            line += arg;
        } else {
            line += L"\"";
            line += arg;
            line += L"\"";
        }
    }
    return line;
}

bool ParseAndRun(const wchar_t* const* args, int count)
{
    return theApp.Parse(JoinArguments(args, count).GetString());
}

int wmain(int argc, wchar_t** argv)
{
    // Paths are printed through the narrow runtime output, converted by this locale.
    _wsetlocale(LC_ALL, L"chs");
    ParseAndRun(argv + 1, argc > 0 ? argc - 1 : 0);
    return 0;
}
