#include "MailClient.h"
#include <mapi.h>
#include <initializer_list>
#include <string>
#include <vector>
#include "RegPath.h"
#include "SkinUI.h"
#include "ZVUILibApp.h"

namespace {

typedef ALT::TString<wchar_t, 0, 8> String;

// A mail program registers under Software\Clients\Mail\<name> with the command that opens it,
// and the key's default value names the default program, the user's choice before the
// machine's. A registered name without a program to open (the stand-in of a system that has
// no mail program) counts as none: mail handed to it would vanish without a word.
bool MailProgramInstalled()
{
    for (const wchar_t* root : {L"HKCU", L"HKLM"}) {
        String name;
        RegQueryString((String(root) + L"\\Software\\Clients\\Mail\\").GetString(), name, nullptr);
        if (name.IsEmpty())
            continue;
        for (const wchar_t* clientRoot : {L"HKCU", L"HKLM"}) {
            String command;
            const String path = String(clientRoot) + L"\\Software\\Clients\\Mail\\" + name + L"\\shell\\open\\command\\";
            if (RegQueryString(path.GetString(), command, nullptr) && !command.IsEmpty())
                return true;
        }
        return false;
    }
    return false;
}

class CSystemMailClient : public IMailClient {
public:
    HMODULE LoadMapi() override
    {
        return MailProgramInstalled() ? LoadLibraryW(L"MAPI32.DLL") : nullptr;
    }
};

CSystemMailClient g_systemClient;
IMailClient* g_client = &g_systemClient;

// Simple MAPI takes 8-bit text in the thread's code page.
std::string ThreadAnsi(const wchar_t* text)
{
    const int n = WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return std::string();
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, &out[0], n, nullptr, nullptr);
    out.resize(size_t(n - 1));
    return out;
}

void TellUser(const wchar_t* english, UINT icon)
{
    BCGPMessageBox(TranslateString(english), MB_OK | icon);
}

} // namespace

IMailClient::~IMailClient() = default;

IMailClient* SetMailClient(IMailClient* client)
{
    IMailClient* previous = g_client;
    g_client = client ? client : &g_systemClient;
    return previous;
}

IMailClient& GetMailClient()
{
    return *g_client;
}

// The message goes to the mail program's own window, with an empty address line for the user
// to fill in. A failed log-on is a failure: nothing was sent.
int SendMail(const ALT::TList<ALT::TString<wchar_t, 0, 8>>& paths)
{
    if (paths.GetCount() == 0)
        return 0;
    HMODULE mapi = GetMailClient().LoadMapi();
    LPMAPISENDMAIL send = mapi ? reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendMail"))) : nullptr;
    if (!send) {
        if (mapi)
            FreeLibrary(mapi);
        TellUser(L"No e-mail program is installed. Install one and make it the default mail program to send pictures by e-mail.",
                 MB_ICONINFORMATION);
        return 0;
    }

    std::vector<std::string> names;
    for (ALT::TList<String>::Iter it = paths.Begin(); it != paths.End(); it.Next())
        names.push_back(ThreadAnsi(it->GetString()));
    std::vector<MapiFileDesc> files(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        files[i].nPosition = ULONG(-1);
        files[i].lpszPathName = &names[i][0];
        files[i].lpszFileName = &names[i][0];
    }
    char emptyName[] = "";
    MapiRecipDesc recipient = {};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = emptyName;
    std::string subject = ThreadAnsi(TranslateString(L"picture"));
    std::string body = ThreadAnsi(TranslateString(L"These pictures were sent with Lumivo tools.")) + "\n" +
                       ThreadAnsi(TranslateString(L"Lumivo tools on the web: https://www.lumivo.example/"));
    MapiMessage message = {};
    message.lpszSubject = &subject[0];
    message.lpszNoteText = &body[0];
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    message.nFileCount = ULONG(files.size());
    message.lpFiles = files.data();

    HWND active = GetActiveWindow();
    const ULONG result = send(0, 0, &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
    if (active && IsWindow(active))
        SetForegroundWindow(active);
    FreeLibrary(mapi);
    if (result == SUCCESS_SUCCESS || result == MAPI_USER_ABORT)
        return 1;
    TellUser(L"The e-mail program could not create the message.", MB_ICONWARNING);
    return 0;
}
