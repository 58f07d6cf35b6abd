#include "KQCmdUI.h"
#include <windows.h>
#include <string>
#include "LocalFileIO.h"
#include "UTXTFile.h"
#include "ZVUILibApp.h"

namespace {

// The switch table, in its order; every row is a flag of the object.
const struct {
    const wchar_t* name;
    bool CKQCmdUI::*flag;
} kSwitches[] = {
    {L"il", &CKQCmdUI::il},         {L"page", &CKQCmdUI::page},   {L"cosmet", &CKQCmdUI::cosmet},
    {L"editor", &CKQCmdUI::editor}, {L"effect", &CKQCmdUI::effect}, {L"split", &CKQCmdUI::split},
    {L"crop", &CKQCmdUI::crop},     {L"combine", &CKQCmdUI::combine}, {L"batch", &CKQCmdUI::batch},
    {L"start", &CKQCmdUI::start},
};

// The full path with long folder names (the temporary folder may be given in 8.3 form); empty
// when it cannot be made.
std::wstring FullLongPath(const wchar_t* path)
{
    const DWORD needed = ::GetFullPathNameW(path, 0, nullptr, nullptr);
    if (needed == 0)
        return std::wstring();
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(path, needed, &full[0], nullptr);
    if (length == 0 || length >= needed)
        return std::wstring();
    full.resize(length);
    const DWORD longNeeded = ::GetLongPathNameW(full.c_str(), nullptr, 0);
    if (longNeeded == 0)
        return full; // a part that does not exist keeps its given form
    std::wstring longPath(longNeeded, L'\0');
    const DWORD longLength = ::GetLongPathNameW(full.c_str(), &longPath[0], longNeeded);
    if (longLength == 0 || longLength >= longNeeded)
        return full;
    longPath.resize(longLength);
    return longPath;
}

} // namespace

CKQCmdUI::CKQCmdUI()
{
    CMDLINE_SWITCH rows[sizeof kSwitches / sizeof kSwitches[0] + 1] = {};
    for (size_t i = 0; i < sizeof kSwitches / sizeof kSwitches[0]; ++i)
        rows[i] = {kSwitches[i].name, CMD_SWITCH_FLAG, &(this->*kSwitches[i].flag), 0};
    AddSwitchTable(rows);
}

bool CKQCmdUI::OnArguments(const wchar_t** argv, int argc)
{
    m_fileList.RemoveAll();
    if (argc <= 0)
        return true;
    if (il) {
        ReadListFile(argv[0]);
        return true;
    }
    CLocalFileIO& files = GetLocalFileIO();
    for (int i = 0; i < argc; ++i)
        if (files.Exists(argv[i]) && !files.IsDir(argv[i]))
            m_fileList.AddTail(argv[i]);
    return true;
}

const wchar_t* CKQCmdUI::TranslateText(const wchar_t* text)
{
    return TranslateString(text);
}

// The browser hands its pictures over in a list file of its own in the temporary folder, and the
// editor removes it once read. A list named by hand anywhere else may be the user's own file: it
// is read and kept.
bool CKQCmdUI::ReadListFile(const wchar_t* path)
{
    m_fileList.RemoveAll();
    CUTXTFile list;
    if (!path || !list.OpenImage(path, nullptr))
        return false;
    CUTXTFile::LineList& lines = list.GetLines();
    for (auto it = lines.Begin(); it != lines.End(); it.Next())
        if (!it.Get().IsEmpty())
            m_fileList.AddTail(it.Get());
    list.CloseImage();
    if (IsInTempFolder(path))
        GetLocalFileIO().Delete(path);
    return true;
}

bool IsInTempFolder(const wchar_t* path)
{
    if (!path || !*path)
        return false;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
    if (n == 0 || n > MAX_PATH)
        return false;
    std::wstring folder = FullLongPath(temp);
    const std::wstring file = FullLongPath(path);
    if (folder.empty() || file.empty())
        return false;
    if (folder.back() != L'\\')
        folder += L'\\';
    return file.size() > folder.size() &&
           ::CompareStringOrdinal(file.c_str(), int(folder.size()), folder.c_str(), int(folder.size()), TRUE) == CSTR_EQUAL;
}
