#pragma once
// The rename rules: a pattern of tags (old name, running number, date, time, MD5 digest) joined
// by a delimiter, and the batch task that gives each selected file its new name. One global
// object, loaded at program start and edited by the rename dialog.
#include <functional>
#include <string>
#include "BatchResult.h"
#include "BrowserUtil.h"
#include "TimeValue.h"

class ProfileStore;

enum RENAME_TAG { RENAME_TAG_FILE_NAME, RENAME_TAG_NUMBER, RENAME_TAG_DATE, RENAME_TAG_TIME, RENAME_TAG_MD5, RENAME_TAG_COUNT };
enum RENAME_DATE_TYPE { RENAME_DATE_PHOTO, RENAME_DATE_FILE, RENAME_DATE_NOW };

// The preview's sample: it has no file, so its digest is shown as a placeholder.
extern const wchar_t kRenameSampleName[];

class CBatchRenameMethod {
public:
    typedef std::function<CTime()> Clock;

    CBatchRenameMethod();
    virtual ~CBatchRenameMethod() = default;
    virtual void LoadSetting(ProfileStore& profile);
    virtual void SaveSetting(ProfileStore& profile);

    // The tag words as the user reads them, "[File Name]" and so on; English until set.
    void SetTagWord(RENAME_TAG tag, const std::wstring& word);
    const std::wstring& TagText(RENAME_TAG tag) const { return m_tags[tag]; }

    // The next number back to the start number and the run's date and time texts from the clock.
    void StartRenameRun();
    // The full path source would get; false when it cannot be built (no digest of the file, no
    // room for the name in MAX_PATH).
    bool BuildNewName(const wchar_t* source, std::wstring& target);
    // The batch task: selected files only; newPath of the result holds the name given.
    BatchItemResult RenameFiles(int item, const wchar_t* path);

    PathSet m_names; // file names this run produced: never renamed twice
    std::wstring m_pattern;
    std::wstring m_delimiter = L"_";
    std::wstring m_dateText;
    std::wstring m_timeText;
    std::wstring m_removeString;
    std::wstring m_dateFormat = L"%Y-%m-%d";
    std::wstring m_timeFormat = L"%H-%M-%S";
    bool m_ignoreDateTimeChars = false; // trim digits, '-', '_', ' ' and '.' off both ends of the old title
    int m_dateType = RENAME_DATE_PHOTO;
    int m_patternIndex = 0;
    int m_delimiterIndex = 0;
    int m_dateFormatIndex = 0;
    int m_timeFormatIndex = 0;
    int m_startNumber = 1;
    int m_numberFormat = 0; // "%d", "%02d", "%03d", "%04d"
    int m_nextNumber = 1;
    Clock m_clock; // "now"; tests fix it

private:
    bool DateAndTimeOf(const wchar_t* source, std::wstring& date, std::wstring& time) const;

    std::wstring m_tags[RENAME_TAG_COUNT];
};

// Makes a typed name safe as one file name in its folder: characters Windows refuses and
// control characters, trailing dots and blanks become '_', so "..\x" stays "..\x" no longer.
void MakeSafeFileName(std::wstring& name);

CBatchRenameMethod& BatchRenameMethod();
