// The preview thread loads while the window's thread sorts, exchanges and deletes: every
// thumbnail ends on the entry of its own file.
#include <gtest/gtest.h>
#include "PicListTestSupport.h"

using pltest::TestView;
using testsupport::TempFolder;

namespace {
RGBQUAD ColourOf(int i)
{
    return RGBQUAD{BYTE(i * 3), BYTE(255 - i * 3), BYTE((i * 37) & 255), 0};
}
} // namespace

TEST(PreviewStress, ThumbnailsStayWithTheirFiles)
{
    const KQ_LIST_SORT key = gKQListView_SortType;
    const bool ascend = gKQListView_bSortAscend;
    TempFolder dir, cache;
    const int count = 60;
    for (int i = 0; i < count; ++i) {
        // Sizes differ so that sorting by size moves entries.
        ASSERT_TRUE(pltest::WritePicture(dir.At(L"c" + std::to_wstring(100 + i) + L".png"), 24 + (i * 7) % 40, 20, ColourOf(i)));
    }
    TestView view(cache.Root());
    ASSERT_TRUE(view.Scan(dir.Root()));
    view.UpdatePreviewImageList(0, count, false);

    unsigned seed = 7;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(n));
    };
    for (int round = 0; round < 300; ++round) {
        const int items = view.GetItemCount();
        switch (round % 6) {
        case 0: view.SortItemBySize(); break;
        case 1: view.SortItemByDescend(); break;
        case 2: view.SortItemByName(); break;
        case 3: view.SortItemByAscend(); break;
        default: view.ItemExchange(next(items), next(items)); break;
        }
        if (round % 25 == 24)
            view.DeleteItem(next(items), false, false);
        if (round % 40 == 39)
            view.UpdateItemIcon(next(items));
        view.UpdatePreviewImageList(next(items), 8, false);
        Sleep(1);
    }
    ASSERT_TRUE(view.LoadAll());
    view.StopAll();

    view.Lock();
    int checked = 0;
    for (auto it = view.m_folderBrowser.m_lstFile.Begin(); it != view.m_folderBrowser.m_lstFile.End(); it.Next()) {
        const int i = std::stoi(std::wstring(it->m_strName.GetString()).substr(1)) - 100;
        ASSERT_NE(it->m_pImage, nullptr) << i;
        const RGBQUAD pixel = it->m_pImage->GetPixelColor(long(it->m_pImage->GetWidth() / 2), 10);
        const RGBQUAD expected = ColourOf(i);
        EXPECT_NEAR(pixel.rgbRed, expected.rgbRed, 2) << i;
        EXPECT_NEAR(pixel.rgbGreen, expected.rgbGreen, 2) << i;
        EXPECT_NEAR(pixel.rgbBlue, expected.rgbBlue, 2) << i;
        EXPECT_EQ(it->m_pImage->GetWidth(), DWORD(24 + (i * 7) % 40)) << i;
        ++checked;
    }
    view.Unlock();
    EXPECT_EQ(checked, count - 12);
    gKQListView_SortType = key;
    gKQListView_bSortAscend = ascend;
}
