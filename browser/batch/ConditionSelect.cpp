#include "ConditionSelect.h"
#include "BatchSettings.h"

namespace {

const wchar_t kConditionSection[] = L"ConditionSelect";

bool WithinBounds(int64_t value, int low, int high)
{
    return (low <= 0 || value >= low) && (high <= 0 || value <= high);
}

} // namespace

bool WildcardMatch(const wchar_t* pattern, const wchar_t* name)
{
    // Greedy with one step back to the last star: linear in practice, no recursion.
    const wchar_t* star = nullptr;
    const wchar_t* resume = nullptr;
    while (*name) {
        if (*pattern == L'*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == L'?' || (*pattern && *pattern == *name)) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == L'*')
        ++pattern;
    return *pattern == 0;
}

bool MatchesAnyPattern(const std::wstring& pattern, const std::wstring& name)
{
    if (pattern.empty())
        return true;
    size_t start = 0;
    while (start < pattern.size()) {
        size_t end = pattern.find(L';', start);
        if (end == std::wstring::npos)
            end = pattern.size();
        if (end > start && WildcardMatch(pattern.substr(start, end - start).c_str(), name.c_str()))
            return true;
        start = end + 1;
    }
    return false;
}

void ConditionSelect::Load(ProfileStore& profile)
{
    byName = profile.GetInt(kConditionSection, L"FileName", 1) != 0;
    namePattern = profile.GetString(kConditionSection, L"FileNamePattern", L"*.*");
    bySize = profile.GetInt(kConditionSection, L"FileSize", 0) != 0;
    minSizeK = profile.GetInt(kConditionSection, L"FileSizeMinK", 0);
    maxSizeK = profile.GetInt(kConditionSection, L"FileSizeMaxK", 0);
    byPictureSize = profile.GetInt(kConditionSection, L"PictureSize", 0) != 0;
    minWidth = profile.GetInt(kConditionSection, L"WidthMin", 0);
    maxWidth = profile.GetInt(kConditionSection, L"WidthMax", 0);
    minHeight = profile.GetInt(kConditionSection, L"HeightMin", 0);
    maxHeight = profile.GetInt(kConditionSection, L"HeightMax", 0);
}

void ConditionSelect::Save(ProfileStore& profile) const
{
    profile.WriteInt(kConditionSection, L"FileName", byName ? 1 : 0);
    profile.WriteString(kConditionSection, L"FileNamePattern", namePattern.c_str());
    profile.WriteInt(kConditionSection, L"FileSize", bySize ? 1 : 0);
    profile.WriteInt(kConditionSection, L"FileSizeMinK", minSizeK);
    profile.WriteInt(kConditionSection, L"FileSizeMaxK", maxSizeK);
    profile.WriteInt(kConditionSection, L"PictureSize", byPictureSize ? 1 : 0);
    profile.WriteInt(kConditionSection, L"WidthMin", minWidth);
    profile.WriteInt(kConditionSection, L"WidthMax", maxWidth);
    profile.WriteInt(kConditionSection, L"HeightMin", minHeight);
    profile.WriteInt(kConditionSection, L"HeightMax", maxHeight);
}

bool ConditionSelect::Matches(const std::wstring& name, uint64_t bytes, int width, int height) const
{
    if (byName && !MatchesAnyPattern(namePattern, name))
        return false;
    if (bySize && !WithinBounds(int64_t(bytes >> 10), minSizeK, maxSizeK))
        return false;
    if (byPictureSize && !(WithinBounds(width, minWidth, maxWidth) && WithinBounds(height, minHeight, maxHeight)))
        return false;
    return true;
}
