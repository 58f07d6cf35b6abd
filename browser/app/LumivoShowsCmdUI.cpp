#include "LumivoShowsCmdUI.h"
#include <windows.h>
#include "ShowsSettings.h"
#include "ZVUILibApp.h"

CLumivoShowsCmdUI::CLumivoShowsCmdUI()
{
    const CMDLINE_SWITCH rows[] = {
        {L"batch", CMD_SWITCH_FLAG, &m_bBatch, 0},
        {nullptr, 0, nullptr, 0},
    };
    AddSwitchTable(rows);
}

bool CLumivoShowsCmdUI::OnArguments(const wchar_t** argv, int argc)
{
    if (argc <= 0)
        return true;
    const std::wstring first = argv[0];
    if (NamesExistingFolder(first.c_str())) {
        m_startFolder = first;
        m_path.clear();
        m_bViewerOnly = false;
        return true;
    }
    std::wstring folder = first;
    const size_t slash = folder.rfind(L'\\');
    folder = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
    while (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    // A drive's root keeps its backslash, or "C:" would name the drive's current folder.
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    m_startFolder = folder;
    m_path = first;
    m_bViewerOnly = true;
    return true;
}

const wchar_t* CLumivoShowsCmdUI::TranslateText(const wchar_t* text)
{
    return TranslateString(text);
}
