#include "BatchRenameMethod.h"
#include <windows.h>
#include "BatchSettings.h"
#include "LocalFileIO.h"
#include "PhotoDate.h"

const wchar_t kRenameSampleName[] = L"MyPicture.jpg";

namespace {

const wchar_t kRenameSection[] = L"BatchRename";
const wchar_t* const kNumberFormats[] = {L"%d", L"%02d", L"%03d", L"%04d"};
const wchar_t* const kEnglishTags[RENAME_TAG_COUNT] = {L"File Name", L"Number", L"Date", L"Time", L"MD5 Unique ID"};

wchar_t FoldAscii(wchar_t c)
{
    return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c;
}

// Every occurrence, letters A to Z in either case, never searching what it put in.
void ReplaceNoCase(std::wstring& text, const std::wstring& find, const std::wstring& with)
{
    if (find.empty() || find == with)
        return;
    std::wstring out;
    size_t i = 0;
    while (i < text.size()) {
        bool hit = i + find.size() <= text.size();
        for (size_t k = 0; hit && k < find.size(); ++k)
            hit = FoldAscii(text[i + k]) == FoldAscii(find[k]);
        if (hit) {
            out += with;
            i += find.size();
        } else {
            out += text[i++];
        }
    }
    text.swap(out);
}

bool ContainsNoCase(const std::wstring& text, const std::wstring& find)
{
    std::wstring probe = text;
    ReplaceNoCase(probe, find, std::wstring());
    return probe.size() != text.size();
}

std::wstring TrimDateTimeChars(const std::wstring& title)
{
    static const wchar_t kSet[] = L"0123456789-_ .";
    const size_t first = title.find_first_not_of(kSet);
    if (first == std::wstring::npos)
        return title; // a title made only of them, a date say, stays whole
    const size_t last = title.find_last_not_of(kSet);
    return title.substr(first, last - first + 1);
}

std::wstring FormatTime(const CTime& time, const std::wstring& format)
{
    const CString text = time.Format(format.c_str());
    return std::wstring(static_cast<const wchar_t*>(text));
}

} // namespace

void MakeSafeFileName(std::wstring& name)
{
    for (wchar_t& c : name)
        if (c < 32 || wcschr(L"<>:\"/\\|?*", c))
            c = L'_';
    for (size_t i = name.size(); i > 0 && (name[i - 1] == L'.' || name[i - 1] == L' '); --i)
        name[i - 1] = L'_';
}

CBatchRenameMethod::CBatchRenameMethod() : m_clock([] { return CTime::GetCurrentTime(); })
{
    for (int tag = 0; tag < RENAME_TAG_COUNT; ++tag)
        SetTagWord(RENAME_TAG(tag), kEnglishTags[tag]);
    m_pattern = m_tags[RENAME_TAG_FILE_NAME] + m_tags[RENAME_TAG_NUMBER];
}

void CBatchRenameMethod::SetTagWord(RENAME_TAG tag, const std::wstring& word)
{
    m_tags[tag] = L"[" + word + L"]";
}

void CBatchRenameMethod::LoadSetting(ProfileStore& profile)
{
    m_dateType = profile.GetInt(kRenameSection, L"DateType", 0);
    if (m_dateType < RENAME_DATE_PHOTO || m_dateType > RENAME_DATE_NOW)
        m_dateType = RENAME_DATE_PHOTO;
    m_patternIndex = profile.GetInt(kRenameSection, L"FilnameIndex", 0);
    m_delimiterIndex = profile.GetInt(kRenameSection, L"DelimiterIndex", 0);
    m_dateFormatIndex = profile.GetInt(kRenameSection, L"DateIndex", 0);
    m_timeFormatIndex = profile.GetInt(kRenameSection, L"TimeIndex", 0);
    m_startNumber = profile.GetInt(kRenameSection, L"NumberIndex", 1);
    if (m_startNumber < 0)
        m_startNumber = 0;
    m_numberFormat = profile.GetInt(kRenameSection, L"NumberFormat", 0);
    if (m_numberFormat < 0 || m_numberFormat > 3)
        m_numberFormat = m_numberFormat < 0 ? 0 : 3;
    m_ignoreDateTimeChars = profile.GetInt(kRenameSection, L"IgnoreDateTimeChar", 0) != 0;
}

void CBatchRenameMethod::SaveSetting(ProfileStore& profile)
{
    auto write = [&profile](const wchar_t* name, int value) { profile.WriteInt(kRenameSection, name, value < 0 ? 0 : value); };
    write(L"DateType", m_dateType);
    write(L"FilnameIndex", m_patternIndex);
    write(L"DelimiterIndex", m_delimiterIndex);
    write(L"DateIndex", m_dateFormatIndex);
    write(L"TimeIndex", m_timeFormatIndex);
    write(L"NumberIndex", m_startNumber);
    write(L"NumberFormat", m_numberFormat);
    write(L"IgnoreDateTimeChar", m_ignoreDateTimeChars ? 1 : 0);
}

void CBatchRenameMethod::StartRenameRun()
{
    m_nextNumber = m_startNumber;
    const CTime now = m_clock();
    m_dateText = FormatTime(now, m_dateFormat);
    m_timeText = FormatTime(now, m_timeFormat);
}

bool CBatchRenameMethod::DateAndTimeOf(const wchar_t* source, std::wstring& date, std::wstring& time) const
{
    CTime when;
    if (m_dateType == RENAME_DATE_FILE) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(source, GetFileExInfoStandard, &data))
            return false;
        when = CTime(data.ftLastWriteTime);
    } else if (m_dateType == RENAME_DATE_PHOTO) {
        if (!GetPhotoDateEx(source, when))
            return false;
    } else {
        return false;
    }
    struct tm check;
    if (when.GetTime() <= 0 || !when.GetLocalTm(&check))
        return false;
    date = FormatTime(when, m_dateFormat);
    time = FormatTime(when, m_timeFormat);
    return true;
}

bool CBatchRenameMethod::BuildNewName(const wchar_t* source, std::wstring& target)
{
    target.clear();
    const std::wstring path = source ? source : L"";
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    const std::wstring fileName = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = fileName.rfind(L'.');
    std::wstring title = dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : fileName.substr(dot + 1);

    std::wstring name = m_pattern.substr(0, 1023);
    if (m_ignoreDateTimeChars && !title.empty())
        title = TrimDateTimeChars(title);
    ReplaceNoCase(name, m_tags[RENAME_TAG_FILE_NAME], title + m_delimiter);

    wchar_t number[32];
    swprintf(number, 32, kNumberFormats[m_numberFormat >= 0 && m_numberFormat <= 3 ? m_numberFormat : 0], m_nextNumber);
    ReplaceNoCase(name, m_tags[RENAME_TAG_NUMBER], number + m_delimiter);
    ++m_nextNumber;

    if (!m_removeString.empty())
        ReplaceNoCase(name, m_removeString, std::wstring());

    if (ContainsNoCase(name, m_tags[RENAME_TAG_DATE]) || ContainsNoCase(name, m_tags[RENAME_TAG_TIME])) {
        std::wstring date, time;
        if (!DateAndTimeOf(path.c_str(), date, time)) {
            date = m_dateText;
            time = m_timeText;
        }
        ReplaceNoCase(name, m_tags[RENAME_TAG_DATE], date + m_delimiter);
        ReplaceNoCase(name, m_tags[RENAME_TAG_TIME], time + m_delimiter);
    }

    if (ContainsNoCase(name, m_tags[RENAME_TAG_MD5])) {
        std::wstring digest;
        if (!path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const BrowserString text = GetLocalFileIO().GetFileMD5Str(path.c_str());
            digest.assign(text.GetString(), text.GetLength());
        }
        if (digest.empty() && fileName == kRenameSampleName)
            digest = L"XXXX_MD5_STRING_XXXX";
        if (digest.empty())
            return false;
        ReplaceNoCase(name, m_tags[RENAME_TAG_MD5], digest);
    }

    if (!m_delimiter.empty() && !name.empty() && name.back() == m_delimiter[0])
        name.pop_back();
    // The pattern and the remove string are typed: the name must not leave its folder.
    MakeSafeFileName(name);

    // The full path stays below MAX_PATH with its terminator; a name cut to nothing fails.
    const size_t fixed = folder.size() + (folder.empty() ? 0 : 1) + (extension.empty() ? 0 : extension.size() + 1);
    if (fixed + 1 >= MAX_PATH)
        return false;
    const size_t room = MAX_PATH - 1 - fixed;
    if (name.size() > room) {
        name.resize(room);
        MakeSafeFileName(name);
    }
    if (name.empty())
        return false;

    target = folder.empty() ? name : folder + L"\\" + name;
    if (!extension.empty())
        target += L"." + extension;
    return true;
}

BatchItemResult CBatchRenameMethod::RenameFiles(int item, const wchar_t* path)
{
    // Pictures found inside a selected folder keep their names; only selected files change.
    if (!path || item < 0)
        return BatchItemResult::Skipped();
    const wchar_t* slash = wcsrchr(path, L'\\');
    const wchar_t* fileName = slash ? slash + 1 : path;
    if (!m_names.Find(BrowserString(fileName)).IsEnd())
        return BatchItemResult::Skipped();

    std::wstring built;
    if (!BuildNewName(path, built))
        return BatchItemResult::Failed(L"The new name does not fit");
    wchar_t target[MAX_PATH] = {};
    wcsncpy(target, built.c_str(), MAX_PATH - 1);
    const DWORD attributes = GetFileAttributesW(path);
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A name already taken, by the source itself too, gets the next tilde number.
    if ((folder ? MakeUniqueDirName(target) : MakeUniqueFileName(target)) == UNIQUE_NAME_NO_ROOM)
        return BatchItemResult::Failed(L"No free name fits the folder");
    const DWORD error = ClaimUniqueName(target, folder, [path](const wchar_t* name) -> DWORD {
        return MoveFileExW(path, name, MOVEFILE_COPY_ALLOWED) ? ERROR_SUCCESS : GetLastError();
    });
    if (error != ERROR_SUCCESS)
        return BatchItemResult::Failed(L"The file could not be renamed");

    const wchar_t* newSlash = wcsrchr(target, L'\\');
    m_names.Insert(BrowserString(newSlash ? newSlash + 1 : target));
    BatchItemResult done = BatchItemResult::Done();
    done.newPath = target;
    return done;
}

CBatchRenameMethod& BatchRenameMethod()
{
    static CBatchRenameMethod method;
    return method;
}
