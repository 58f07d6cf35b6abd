#pragma once
// Shared by the online tests: the loopback server with the material tree and the version files
// of online-server\; messages are pumped as in WindowTestApp.h.
#include <windows.h>
#include <string>
#include "LoopbackHttpServer.h"
#include "WindowTestApp.h"

namespace onlinetest {

// <test program folder>\online-server[\relative]
inline std::wstring ServerFolder(const wchar_t* relative = nullptr)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir.resize(dir.find_last_of(L'\\'));
    dir += L"\\online-server";
    if (relative)
        dir += std::wstring(L"\\") + relative;
    return dir;
}

// Serves online-server\ at "/" (the materials below "/res/", the version files below
// "/update2/" and "/update3/"); "/update1/" has nothing.
class MaterialServer : public testsupport::LoopbackHttpServer {
public:
    MaterialServer()
    {
        ServeFolder("/", ServerFolder());
        m_ok = Start();
    }
    bool Started() const { return m_ok; }
    std::wstring WideUrl(const std::string& target) const
    {
        const std::string url = Url(target);
        return std::wstring(url.begin(), url.end());
    }

private:
    bool m_ok = false;
};

// An address where nothing listens: connections are refused at once.
const char* const kDeadBase = "http://127.0.0.1:1/update/";
const wchar_t* const kDeadServer = L"http://127.0.0.1:1/res/";

} // namespace onlinetest
