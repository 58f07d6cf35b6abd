#pragma once
// IMailClient: the mail program that SendMail hands its message to through Simple MAPI. The
// system's default mail program serves unless another client is set (tests set a fake).
#include <windows.h>
#include "ZVUILibDef.h"

class ZVUILIB_API IMailClient {
public:
    virtual ~IMailClient();
    // The library holding MAPISendMail, loaded (the caller frees it); null when no mail
    // program is installed.
    virtual HMODULE LoadMapi() = 0;
};

// The client in use; a null client restores the system's. Returns the one it replaces.
ZVUILIB_API IMailClient* SetMailClient(IMailClient* client);
ZVUILIB_API IMailClient& GetMailClient();
