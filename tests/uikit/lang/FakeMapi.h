#pragma once
// What the stand-in mail library (FakeMapi.dll) was handed by its last MAPISendMail call.
#include <windows.h>
#include <string>
#include <vector>

struct FakeMapiFile {
    ULONG position;
    std::string path;
    std::string name;
};

struct FakeMapiRecipient {
    ULONG recipientClass;
    std::string name; // "(null)" for a null name
    bool hasAddress;
};

struct FakeMapiCall {
    int calls = 0; // every call since the library was loaded
    ULONG_PTR session = 0;
    ULONG_PTR uiParam = 0;
    ULONG flags = 0;
    ULONG reserved = 0;
    std::string subject;
    std::string body;
    std::vector<FakeMapiRecipient> recipients;
    std::vector<FakeMapiFile> files;
};

// Exports of FakeMapi.dll besides MAPISendMail.
typedef const FakeMapiCall* (*FakeMapiLastCallFn)();
typedef void (*FakeMapiSetResultFn)(ULONG result);
