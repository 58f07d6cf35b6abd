#include "KQListFile.h"
#include <ctime>
#include <cwchar>
#include "KQImageFile.h"
#include "LocalFileIO.h"
#include "PhotoDate.h"

KQ_LIST_SORT gKQListView_SortType = KQ_LIST_SORT_NONE;
bool gKQListView_bSortAscend = true;

namespace {
// Plain comparison of UTF-16 units; a null text reads as empty.
int CompareUnits(const wchar_t* a, const wchar_t* b)
{
    return std::wcscmp(a ? a : L"", b ? b : L"");
}

bool SameText(const ALT::TString<wchar_t, 0, 8>& a, const ALT::TString<wchar_t, 0, 8>& b)
{
    return CompareUnits(a.GetString(), b.GetString()) == 0;
}
} // namespace

int64_t FileTimeToUnixSeconds(const FILETIME& time)
{
    const int64_t ticks = int64_t((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - 116444736000000000LL) / 10000000LL;
}

const wchar_t* ListFileExtension(const wchar_t* name)
{
    if (!name)
        return nullptr;
    const wchar_t* part = std::wcsrchr(name, L'\\');
    part = part ? part + 1 : name;
    const wchar_t* dot = std::wcsrchr(part, L'.');
    return dot && dot[1] ? dot + 1 : nullptr;
}

CKQListFile::CKQListFile()
{
    Init();
}

CKQListFile::CKQListFile(const wchar_t* name) : m_strName(name)
{
    Init();
}

// Member by member (the picture pointer too, as the list has always copied it).
CKQListFile::CKQListFile(const CKQListFile& other) = default;

CKQListFile::CKQListFile(CKQListFile&& other) noexcept
    : m_strCaption(std::move(other.m_strCaption)), m_strName(std::move(other.m_strName)),
      m_strText3(std::move(other.m_strText3)), m_pImage(other.m_pImage), m_nIndex(other.m_nIndex),
      m_nState(other.m_nState), m_nSpare(other.m_nSpare), m_info(other.m_info), m_bThumbTried(other.m_bThumbTried)
{
    other.m_pImage = nullptr;
}

CKQListFile& CKQListFile::operator=(const CKQListFile& other)
{
    if (this != &other) {
        m_strCaption = other.m_strCaption;
        m_strName = other.m_strName;
        m_strText3 = other.m_strText3;
        m_pImage = other.m_pImage;
        m_nIndex = other.m_nIndex;
        m_nState = other.m_nState;
        m_nSpare = other.m_nSpare;
        m_info = other.m_info;
        m_bThumbTried = other.m_bThumbTried;
    }
    return *this;
}

CKQListFile& CKQListFile::operator=(CKQListFile&& other) noexcept
{
    if (this != &other) {
        m_strCaption = std::move(other.m_strCaption);
        m_strName = std::move(other.m_strName);
        m_strText3 = std::move(other.m_strText3);
        m_pImage = other.m_pImage;
        other.m_pImage = nullptr;
        m_nIndex = other.m_nIndex;
        m_nState = other.m_nState;
        m_nSpare = other.m_nSpare;
        m_info = other.m_info;
        m_bThumbTried = other.m_bThumbTried;
    }
    return *this;
}

CKQListFile::~CKQListFile() = default;

void CKQListFile::Init()
{
    m_pImage = nullptr;
    m_nIndex = -1;
    m_nState = 0;
    m_nSpare = 0;
    m_info = IMAGR_FILE_INFO{};
    m_bThumbTried = 0;
}

void CKQListFile::ReleaseImage()
{
    delete m_pImage;
    m_pImage = nullptr;
}

bool CKQListFile::operator==(const CKQListFile& other) const
{
    return SameText(m_strName, other.m_strName);
}

bool SortKeyLessOrEqual(const KQListSortKey& a, const KQListSortKey& b, KQ_LIST_SORT key)
{
    switch (key) {
    case KQ_LIST_SORT_SIZE:
        return a.size <= b.size;
    case KQ_LIST_SORT_DATE:
        return a.written <= b.written;
    case KQ_LIST_SORT_TYPE:
        if (!a.ext)
            return true; // no extension sorts before any other
        return b.ext && std::wcscmp(a.ext, b.ext) <= 0;
    default:
        if (a.name[0])
            return std::wcscmp(a.name, b.name) <= 0;
        return std::wcscmp(a.caption, b.caption) <= 0;
    }
}

KQListSortKey CKQListFile::GetSortKey() const
{
    const wchar_t* name = m_strName.GetString();
    const wchar_t* caption = m_strCaption.GetString();
    return {name ? name : L"", caption ? caption : L"", ListFileExtension(name), m_info.nFileSize, m_info.tLastWrite};
}

bool CKQListFile::operator<=(const CKQListFile& other) const
{
    return SortKeyLessOrEqual(GetSortKey(), other.GetSortKey(), gKQListView_SortType);
}

bool CKQListFile::GetImageInfo(CZVImage* picture)
{
    return GetImageInfo(picture, m_info);
}

// The size kept is the file's, upright: a picture decoded smaller (shrink on load) or scaled
// down since still reports its source.
bool CKQListFile::GetImageInfo(CZVImage* picture, IMAGR_FILE_INFO& info)
{
    if (!picture)
        return false;
    DWORD width = picture->GetOriginalWidth(), height = picture->GetOriginalHeight();
    if (!width || !height) {
        width = picture->GetWidth();
        height = picture->GetHeight();
    }
    const CX_IMAGE_EXIFINFO* exif = picture->GetExifInfo();
    if (exif->IsExif && exif->Orientation >= 5 && exif->Orientation <= 8)
        std::swap(width, height);
    info.nBpp = picture->GetBpp();
    info.nWidth = width;
    info.nHeight = height;
    int f[6];
    if (exif->IsExif && photodate::ParseExifDateTime(exif->DateTime, f)) {
        struct tm parts = {};
        parts.tm_year = f[0] - 1900;
        parts.tm_mon = f[1] - 1;
        parts.tm_mday = f[2];
        parts.tm_hour = f[3];
        parts.tm_min = f[4];
        parts.tm_sec = f[5];
        parts.tm_isdst = -1;
        info.tTaken = _mktime64(&parts);
    }
    const int64_t size = GetLocalFileIO().GetPathSize(picture->GetFullFileName());
    if (size >= 0)
        info.nFileSize = uint64_t(size);
    return true;
}

CKQListFolder::CKQListFolder()
{
    Init();
}

CKQListFolder::CKQListFolder(const wchar_t* name) : m_strName(name)
{
    Init();
}

// Member by member, like the file entries.
CKQListFolder::CKQListFolder(const CKQListFolder& other) = default;

CKQListFolder& CKQListFolder::operator=(const CKQListFolder& other)
{
    if (this != &other) {
        m_nKind = other.m_nKind;
        m_strText = other.m_strText;
        m_strName = other.m_strName;
        m_nState = other.m_nState;
        m_nIndex = other.m_nIndex;
        m_nSpare = other.m_nSpare;
        m_pidl = other.m_pidl;
        m_pImage = other.m_pImage;
        m_pPreviews = other.m_pPreviews;
    }
    return *this;
}

CKQListFolder::~CKQListFolder() = default;

void CKQListFolder::Init()
{
    m_nKind = 0;
    m_nState = 2;
    m_nIndex = -1;
    m_nSpare = 0;
    m_pidl = nullptr;
    m_pImage = nullptr;
    m_pPreviews = nullptr;
}

void CKQListFolder::ReleaseImage()
{
    delete m_pImage;
    m_pImage = nullptr;
    delete m_pPreviews;
    m_pPreviews = nullptr;
    if (m_pidl)
        CoTaskMemFree(m_pidl);
    m_pidl = nullptr;
}

bool CKQListFolder::operator==(const CKQListFolder& other) const
{
    return SameText(m_strName, other.m_strName);
}

bool CKQListFolder::operator<=(const CKQListFolder& other) const
{
    return CompareUnits(m_strName.GetString(), other.m_strName.GetString()) <= 0;
}
