// Dropping files: WM_DROPFILES carries the paths to OnDropFiles.
#include <gtest/gtest.h>
#include <string>
#include "TestApp.h"
#include <shlobj.h>

namespace {

class CDropTarget : public CWnd {
public:
    std::vector<CString> m_dropped;

protected:
    afx_msg void OnDropFiles(HDROP hDropInfo)
    {
        const UINT count = DragQueryFileW(hDropInfo, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            wchar_t path[MAX_PATH];
            DragQueryFileW(hDropInfo, i, path, MAX_PATH);
            m_dropped.push_back(path);
        }
        DragFinish(hDropInfo);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDropTarget, CWnd)
    ON_WM_DROPFILES()
END_MESSAGE_MAP()

// The block the shell hands over: a DROPFILES header and wide names, the list ending in two zeros.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& p : paths)
        list += p + L'\0';
    list += L'\0';
    const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    return static_cast<HDROP>(block);
}

TEST(DropFiles, ADropOfFilesReachesOnDropFiles)
{
    CDropTarget target;
    ASSERT_TRUE(target.CreateEx(0, nullptr, L"drop", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    target.DragAcceptFiles();
    EXPECT_TRUE(target.GetExStyle() & WS_EX_ACCEPTFILES);
    target.PostMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({ L"C:\\pics\\one.jpg", L"C:\\pics\\two.png" })));
    EXPECT_TRUE(PumpUntil([&] { return !target.m_dropped.empty(); }, 2000));
    ASSERT_EQ(target.m_dropped.size(), 2u);
    EXPECT_EQ(target.m_dropped[0], CString(L"C:\\pics\\one.jpg"));
    EXPECT_EQ(target.m_dropped[1], CString(L"C:\\pics\\two.png"));
}

} // namespace

namespace {

TEST(OleDragDrop, TheDataSourceOffersCopiesOfWhatItCaches)
{
    const wchar_t text[] = L"C:\\pics\\one.jpg";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    memcpy(GlobalLock(block), text, sizeof text);
    GlobalUnlock(block);

    IDataObject* data = nullptr;
    {
        COleDataSource source;
        source.CacheGlobalData(CF_UNICODETEXT, block);
        data = source.GetDataObject();
    }
    // The taker's reference keeps the data after the source is gone.
    FORMATETC format = { CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    EXPECT_EQ(data->QueryGetData(&format), S_OK);
    STGMEDIUM medium = {};
    ASSERT_EQ(data->GetData(&format, &medium), S_OK);
    EXPECT_NE(medium.hGlobal, block);
    EXPECT_STREQ(static_cast<const wchar_t*>(GlobalLock(medium.hGlobal)), text);
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);

    FORMATETC bitmap = { CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL };
    EXPECT_EQ(data->QueryGetData(&bitmap), DV_E_FORMATETC);
    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC listed[4];
    ULONG count = 0;
    formats->Next(4, listed, &count);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(listed[0].cfFormat, CF_UNICODETEXT);
    formats->Release();
    EXPECT_EQ(data->Release(), 0u);
}

TEST(OleDragDrop, TheDropSourceDropsOnReleaseAndCancelsOnEscapeOrRightButton)
{
    struct Case {
        BOOL escape;
        DWORD keys;
        SCODE expected;
    };
    const Case cases[] = {
        { FALSE, MK_LBUTTON, S_OK },
        { FALSE, 0, DRAGDROP_S_DROP },
        { TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL },
        { FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL },
    };
    COleDropSource source;
    for (const Case& c : cases)
        EXPECT_EQ(source.GetInterface()->QueryContinueDrag(c.escape, c.keys), c.expected) << c.escape << " " << c.keys;
}

} // namespace
