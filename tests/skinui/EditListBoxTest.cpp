// The edit-list box driven by its buttons, keys and in-place editing; the splitter's layout
// and the dragging of its bars.
#include "TestApp.h"

namespace {

// A top-level window to hold the controls under test.
class Host : public CWnd {
public:
    Host()
    {
        CreateEx(0, globalData.RegisterWindowClass(L"SkinTestHost"), L"Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 50, 50, 400,
                 300, nullptr, nullptr);
    }
    ~Host() override { DestroyWindow(); }
};

class CCountingEditList : public CBCGPEditListBox {
public:
    BOOL m_allowRemove = TRUE;
    int m_added = -1, m_renamed = -1, m_movedUp = -1;
    BOOL OnBeforeRemoveItem(int) override { return m_allowRemove; }
    void OnAfterAddItem(int iItem) override { m_added = iItem; }
    void OnAfterRenameItem(int iItem) override { m_renamed = iItem; }
    void OnAfterMoveItemUp(int iItem) override { m_movedUp = iItem; }
};

void Click(CWnd* wnd, CPoint pt)
{
    wnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    wnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

std::vector<CString> Items(CBCGPEditListBox& box)
{
    std::vector<CString> items;
    for (int i = 0; i < box.GetCount(); ++i)
        items.push_back(box.GetItemText(i));
    return items;
}

class EditListBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
        ASSERT_TRUE(m_box.Create(WS_VISIBLE, CRect(10, 10, 250, 200), &m_host, 100));
        m_box.SetWindowText(L"Music");
        for (const wchar_t* name : {L"Lilac.wma", L"Rain.mp3", L"Sea.wav"})
            m_box.AddItem(name);
    }
    void ClickButton(UINT id) { Click(&m_box, m_box.GetButtonRect(m_box.GetButtonNum(id)).CenterPoint()); }
    HWND Editor() { return reinterpret_cast<HWND>(m_box.GetListCtrl()->SendMessage(LVM_GETEDITCONTROL)); }
    Host m_host;
    CCountingEditList m_box;
};

TEST_F(EditListBoxTest, ButtonsMoveAndRemoveTheSelectedItem)
{
    ASSERT_EQ(m_box.GetButtonsCount(), 4);
    m_box.SelectItem(1);
    ClickButton(BGCEDITLISTBOX_BTN_UP_ID);
    EXPECT_EQ(Items(m_box), (std::vector<CString>{L"Rain.mp3", L"Lilac.wma", L"Sea.wav"}));
    EXPECT_EQ(m_box.GetSelItem(), 0);
    EXPECT_EQ(m_box.m_movedUp, 0);
    // At the top Up does nothing; Down moves it back.
    EXPECT_FALSE(m_box.IsButtonEnabled(m_box.GetButtonNum(BGCEDITLISTBOX_BTN_UP_ID)));
    ClickButton(BGCEDITLISTBOX_BTN_UP_ID);
    ClickButton(BGCEDITLISTBOX_BTN_DOWN_ID);
    EXPECT_EQ(Items(m_box), (std::vector<CString>{L"Lilac.wma", L"Rain.mp3", L"Sea.wav"}));

    // Delete asks first; a refusal keeps the item.
    m_box.m_allowRemove = FALSE;
    ClickButton(BGCEDITLISTBOX_BTN_DELETE_ID);
    EXPECT_EQ(m_box.GetCount(), 3);
    m_box.m_allowRemove = TRUE;
    ClickButton(BGCEDITLISTBOX_BTN_DELETE_ID);
    EXPECT_EQ(Items(m_box), (std::vector<CString>{L"Lilac.wma", L"Sea.wav"}));
    EXPECT_EQ(m_box.GetSelItem(), 1) << "the selection moves to the next item";

    // The Delete key does the same from the list.
    m_box.GetListCtrl()->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(Items(m_box), (std::vector<CString>{L"Lilac.wma"}));

    // Without a selection only New is enabled; a press that ends off the button does nothing.
    m_box.GetListCtrl()->SetItemState(-1, 0, LVIS_SELECTED);
    for (int i = 0; i < m_box.GetButtonsCount(); ++i)
        EXPECT_EQ(m_box.IsButtonEnabled(i), m_box.GetButtonID(i) == BGCEDITLISTBOX_BTN_NEW_ID) << i;
    const CRect newButton = m_box.GetButtonRect(m_box.GetButtonNum(BGCEDITLISTBOX_BTN_NEW_ID));
    m_box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(newButton.CenterPoint().x, newButton.CenterPoint().y));
    m_box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 150));
    EXPECT_EQ(m_box.GetCount(), 1);
}

TEST_F(EditListBoxTest, NewItemIsNamedInPlaceAndDroppedWhenLeftEmpty)
{
    ClickButton(BGCEDITLISTBOX_BTN_NEW_ID);
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    ::SetWindowTextW(editor, L"Song.mp3");
    ::SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Items(m_box).back(), CString(L"Song.mp3"));
    EXPECT_EQ(m_box.m_added, 3);

    // Escape leaves the new item unnamed: it goes.
    ClickButton(BGCEDITLISTBOX_BTN_NEW_ID);
    ASSERT_NE(editor = Editor(), nullptr);
    ::SendMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(m_box.GetCount(), 4);

    // F2 renames the selected item.
    m_box.SelectItem(0);
    m_box.GetListCtrl()->SendMessage(WM_KEYDOWN, VK_F2, 0);
    ASSERT_NE(editor = Editor(), nullptr);
    ::SetWindowTextW(editor, L"Lilac (remix).wma");
    ::SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(m_box.GetItemText(0), CString(L"Lilac (remix).wma"));
    EXPECT_EQ(m_box.m_renamed, 0);
}

TEST(EditListBoxPlaceholder, StaticOfATemplateBecomesTheBox)
{
    Host host;
    HWND placeholder = ::CreateWindowExW(0, L"Static", L"Files", WS_CHILD | WS_VISIBLE, 10, 10, 200, 150, host.GetSafeHwnd(),
                                         reinterpret_cast<HMENU>(101), nullptr, nullptr);
    CBCGPEditListBox box;
    ASSERT_TRUE(box.SubclassWindow(placeholder));
    ASSERT_NE(box.GetListCtrl(), nullptr);
    EXPECT_EQ(box.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTCLIENT);
    EXPECT_EQ(box.AddItem(L"one"), 0);
    CRect list;
    box.GetListCtrl()->GetWindowRect(&list);
    box.ScreenToClient(&list);
    EXPECT_EQ(list, box.GetListRect());
    EXPECT_GT(list.top, box.GetCaptionRect().top);
}

TEST(SplitterLayout, TracksTakeTheirSizeAndTheLastTheRest)
{
    using skinui::SplitterTrack;
    struct Case {
        const char* name;
        std::vector<SplitterTrack> tracks;
        int length;
        std::vector<std::pair<int, int>> expected;
    } cases[] = {
        {"ideal fits", {{100, 10}, {0, 10}}, 300, {{0, 100}, {105, 195}}},
        {"three tracks", {{50, 0}, {60, 0}, {0, 0}}, 300, {{0, 50}, {55, 60}, {120, 180}}},
        {"the last keeps its minimum", {{280, 10}, {0, 40}}, 300, {{0, 255}, {260, 40}}},
        {"too short for anything", {{100, 0}, {0, 0}}, 3, {{0, 0}, {5, 0}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(skinui::LayoutSplitterTracks(c.tracks, c.length, 5), c.expected) << c.name;
}

TEST(SplitterWnd, PanesFollowTheRowsAndTheDraggedBar)
{
    CBCGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CBCGPVisualManager2013));
    Host host;
    CBCGPSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(&host, 2, 1));
    EXPECT_FALSE(CBCGPSplitterWnd().CreateStatic(&host, 0, 1));
    HWND panes[2];
    for (int r = 0; r < 2; ++r)
        panes[r] = ::CreateWindowExW(0, L"Static", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, splitter.GetSafeHwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(splitter.IdFromRowCol(r, 0))), nullptr, nullptr);
    EXPECT_EQ(splitter.GetPane(1, 0)->GetSafeHwnd(), panes[1]);
    splitter.MoveWindow(0, 0, 200, 300);
    splitter.SetRowInfo(0, 100, 20);
    splitter.RecalcLayout();
    auto paneRect = [&](int r) {
        CRect rect;
        ::GetWindowRect(panes[r], &rect);
        splitter.ScreenToClient(&rect);
        return rect;
    };
    EXPECT_EQ(paneRect(0), CRect(0, 0, 200, 100));
    EXPECT_EQ(paneRect(1), CRect(0, 100 + splitter.GetSplitterBarWidth(), 200, 300));

    // Dragging the bar down by 40 grows the first row; past the top it stops at the minimum.
    const CRect bar = splitter.GetBarRect(TRUE, 0);
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, bar.top + 1));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, bar.top + 41));
    int cur = 0, least = 0;
    splitter.GetRowInfo(0, cur, least);
    EXPECT_EQ(cur, 140);
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, -30));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(50, -30));
    splitter.GetRowInfo(0, cur, least);
    EXPECT_EQ(cur, 20);
    EXPECT_EQ(least, 20);
}

} // namespace
