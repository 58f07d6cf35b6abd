#pragma once
// Which files of the list the condition select picks: by name pattern, file size and picture
// size. Stored in the "ConditionSelect" profile section; deselect is chosen each time.
#include <cstdint>
#include <string>

class ProfileStore;

// '*' any run of characters, '?' any one; letters compared exactly.
bool WildcardMatch(const wchar_t* pattern, const wchar_t* name);
// pattern: parts separated by ';', a trailing one ignored; empty matches every name.
bool MatchesAnyPattern(const std::wstring& pattern, const std::wstring& name);

struct ConditionSelect {
    bool byName = true;
    std::wstring namePattern = L"*.*";
    bool bySize = false;
    int minSizeK = 0; // a bound of 0 or less is no bound
    int maxSizeK = 0;
    bool byPictureSize = false;
    int minWidth = 0;
    int maxWidth = 0;
    int minHeight = 0;
    int maxHeight = 0;
    bool deselect = false;

    void Load(ProfileStore& profile);
    void Save(ProfileStore& profile) const;
    // Every checked condition holds for a file of bytes bytes and a picture of width x height.
    bool Matches(const std::wstring& name, uint64_t bytes, int width, int height) const;
};
