#include "PathFunc.h"
#include "WStr.h"

namespace {

// The folder part of the first `end` characters of path: the text before the last backslash,
// without a run of backslashes directly before it.
int FolderLength(const wchar_t* path, int end)
{
    int slash = end - 1;
    while (slash >= 0 && path[slash] != L'\\')
        --slash;
    if (slash < 0)
        return 0;
    while (slash > 0 && path[slash - 1] == L'\\')
        --slash;
    return slash;
}

int CopyPart(const wchar_t* part, int length, wchar_t* out)
{
    if (out) {
        for (int i = 0; i < length; ++i)
            out[i] = part[i];
        out[length] = 0;
    }
    return length;
}

wchar_t Fold(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? wchar_t(c - L'A' + L'a') : c;
}

// The pattern is [p, end); a star remembers where to resume, so the match is linear in
// practice and never recursive.
bool MatchRange(const wchar_t* p, const wchar_t* end, const wchar_t* name)
{
    if (p == end)
        return true;
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (p < end && *p == L'*') {
            star = ++p;
            resume = name;
        } else if (p < end && (*p == L'?' || Fold(*p) == Fold(*name))) {
            ++p;
            ++name;
        } else if (star) {
            p = star;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (p < end && *p == L'*')
        ++p;
    return p == end;
}

} // namespace

int PathFindLastSlash(const wchar_t* path, wchar_t* out)
{
    return CopyPart(path, path ? FolderLength(path, WStrLen(path)) : 0, out);
}

// Trailing backslashes are left out first, so a folder path with one gives the folder's parent.
int GetParentFolderTrimmed(const wchar_t* path, wchar_t* out)
{
    int end = WStrLen(path);
    while (end > 0 && path[end - 1] == L'\\')
        --end;
    return CopyPart(path, end ? FolderLength(path, end) : 0, out);
}

const wchar_t* GetFileNamePart(const wchar_t* path)
{
    if (!path || !*path)
        return nullptr;
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p)
        if (*p == L'\\')
            name = p + 1;
    return name;
}

int GetFileNameFromPath(const wchar_t* path, wchar_t* out)
{
    const wchar_t* name = GetFileNamePart(path);
    return CopyPart(name, WStrLen(name), out);
}

const wchar_t* GetFileExtPtr(const wchar_t* path)
{
    const wchar_t* name = GetFileNamePart(path);
    if (!name)
        return nullptr;
    const wchar_t* dot = nullptr;
    for (const wchar_t* p = name; *p; ++p)
        if (*p == L'.')
            dot = p;
    return (dot && dot[1]) ? dot + 1 : nullptr;
}

int GetFileTitleFromPath(const wchar_t* path, wchar_t* out)
{
    if (!out)
        return 0;
    const wchar_t* name = GetFileNamePart(path);
    int length = WStrLen(name);
    for (int i = length - 1; i >= 0; --i) {
        if (name[i] == L'.') {
            length = i;
            break;
        }
    }
    return CopyPart(name, length, out);
}

bool MatchWildcard(const wchar_t* pattern, const wchar_t* name)
{
    if (!name)
        return false;
    return MatchRange(pattern, pattern + WStrLen(pattern), name);
}

// The list is walked in place: no copy, so no limit on its length.
bool MatchWildcardList(const wchar_t* list, const wchar_t* name)
{
    if (!name)
        return false;
    int length = WStrLen(list);
    if (length == 0)
        return true;
    if (list[length - 1] == L';')
        --length;
    const wchar_t* end = list + length;
    for (const wchar_t* start = list;;) {
        const wchar_t* stop = start;
        while (stop < end && *stop != L';')
            ++stop;
        if (MatchRange(start, stop, name))
            return true;
        if (stop == end)
            return false;
        start = stop + 1;
    }
}
