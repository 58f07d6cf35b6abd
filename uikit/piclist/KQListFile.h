#pragma once
// The entries of a picture list: a file (CKQListFile) with the picture facts of its file
// (IMAGR_FILE_INFO), and a sub-folder (CKQListFolder). Copies share the picture pointers; only
// ReleaseImage frees them.
#include <windows.h>
#include <cstdint>
#include <shlobj.h>
#include "TList.h"
#include "TString.h"
#include "ZVUILibDef.h"

class CZVImage;
class CKQImageFile;

struct IMAGR_FILE_INFO {
    uint32_t nWidth;
    uint32_t nHeight;
    uint16_t nBpp;
    uint64_t nFileSize;
    uint8_t bReadOnly;
    uint8_t bHidden;
    int64_t tCreate;    // seconds since 1970 (UTC)
    int64_t tLastWrite; // seconds since 1970 (UTC)
    int64_t tTaken;     // the EXIF date as a local _mktime64, 0 when unknown
};

// The sort key of every picture list of the process.
enum KQ_LIST_SORT : int32_t {
    KQ_LIST_SORT_NONE = 0,
    KQ_LIST_SORT_NAME = 1,
    KQ_LIST_SORT_SIZE = 2,
    KQ_LIST_SORT_DATE = 3,
    KQ_LIST_SORT_TYPE = 4,
};
extern "C" ZVUILIB_API KQ_LIST_SORT gKQListView_SortType;
extern "C" ZVUILIB_API bool gKQListView_bSortAscend;

// A file time (100 ns since 1601) as seconds since 1970.
ZVUILIB_API int64_t FileTimeToUnixSeconds(const FILETIME& time);
// The text after the last "." of the part after the last backslash; null when there is none.
ZVUILIB_API const wchar_t* ListFileExtension(const wchar_t* name);

// The facts an entry sorts by, taken once so that a sort compares without looking them up.
struct KQListSortKey {
    const wchar_t* name;    // never null
    const wchar_t* caption; // never null
    const wchar_t* ext;     // null: no extension
    uint64_t size;
    int64_t written;
};
// a <= b in the order of key: the names (the captions when a has no name), the file sizes, the
// last-write times or the extensions (none before any), UTF-16 units compared plainly.
ZVUILIB_API bool SortKeyLessOrEqual(const KQListSortKey& a, const KQListSortKey& b, KQ_LIST_SORT key);

class ZVUILIB_API CKQListFile {
public:
    typedef ALT::TString<wchar_t, 0, 8> String;

    CKQListFile();
    explicit CKQListFile(const wchar_t* name);
    CKQListFile(const CKQListFile& other);
    CKQListFile(CKQListFile&& other) noexcept;
    CKQListFile& operator=(const CKQListFile& other);
    CKQListFile& operator=(CKQListFile&& other) noexcept;
    ~CKQListFile();

    void Init();
    void ReleaseImage();
    bool operator==(const CKQListFile& other) const;
    // The order of the current sort key (gKQListView_SortType); equal keys compare true.
    bool operator<=(const CKQListFile& other) const;
    KQListSortKey GetSortKey() const;
    bool GetImageInfo(CZVImage* picture);
    static bool GetImageInfo(CZVImage* picture, IMAGR_FILE_INFO& info);

    String m_strCaption;
    String m_strName;
    String m_strText3;
    CKQImageFile* m_pImage;
    int32_t m_nIndex;
    uint32_t m_nState;
    uint32_t m_nSpare;
    IMAGR_FILE_INFO m_info;
    uint8_t m_bThumbTried;
};

class ZVUILIB_API CKQListFolder {
public:
    typedef ALT::TString<wchar_t, 0, 8> String;

    CKQListFolder();
    explicit CKQListFolder(const wchar_t* name);
    CKQListFolder(const CKQListFolder& other);
    CKQListFolder& operator=(const CKQListFolder& other);
    ~CKQListFolder();

    void Init();
    void ReleaseImage();
    bool operator==(const CKQListFolder& other) const;
    bool operator<=(const CKQListFolder& other) const;

    uint32_t m_nKind;
    String m_strText;
    String m_strName;
    uint32_t m_nState;
    int32_t m_nIndex;
    uint32_t m_nSpare;
    LPITEMIDLIST m_pidl;
    CKQImageFile* m_pImage;
    ALT::TList<CKQImageFile>* m_pPreviews;
};
