// A stand-in for a mail program's Simple MAPI library: MAPISendMail keeps what it was handed
// and answers with the result the test chose.
#include <windows.h>
#include <mapi.h>
#include "FakeMapi.h"

namespace {
FakeMapiCall g_last;
ULONG g_result = SUCCESS_SUCCESS;

std::string Text(const char* text)
{
    return text ? text : "(null)";
}
} // namespace

extern "C" __declspec(dllexport) ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
                                                           ULONG reserved)
{
    const int calls = g_last.calls + 1;
    g_last = FakeMapiCall();
    g_last.calls = calls;
    g_last.session = session;
    g_last.uiParam = uiParam;
    g_last.flags = flags;
    g_last.reserved = reserved;
    if (!message)
        return MAPI_E_FAILURE;
    g_last.subject = Text(message->lpszSubject);
    g_last.body = Text(message->lpszNoteText);
    for (ULONG i = 0; i < message->nRecipCount; ++i) {
        const MapiRecipDesc& r = message->lpRecips[i];
        g_last.recipients.push_back({r.ulRecipClass, Text(r.lpszName), r.lpszAddress != nullptr});
    }
    for (ULONG i = 0; i < message->nFileCount; ++i) {
        const MapiFileDesc& f = message->lpFiles[i];
        g_last.files.push_back({f.nPosition, Text(f.lpszPathName), Text(f.lpszFileName)});
    }
    return g_result;
}

extern "C" __declspec(dllexport) const FakeMapiCall* FakeMapiLastCall()
{
    return &g_last;
}

extern "C" __declspec(dllexport) void FakeMapiSetResult(ULONG result)
{
    g_result = result;
}
