// The back/forward history of visited folders and the enable state of its two buttons.
#include <gtest/gtest.h>
#include "FolderHistory.h"

namespace {

struct Step {
    char action;              // 'p' push, 'b' back, 'f' forward
    const wchar_t* folder;    // pushed, or expected to be opened (nullptr: nothing opens)
    int count;
    int index;
    bool back;
    bool forward;
};

void Replay(const char* name, std::initializer_list<Step> steps)
{
    FolderHistory h;
    int n = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(name) + ", step " + std::to_string(++n));
        if (s.action == 'p') {
            h.Push(s.folder);
        } else {
            const auto opened = s.action == 'b' ? h.Back() : h.Forward();
            ASSERT_EQ(opened.has_value(), s.folder != nullptr);
            if (s.folder) {
                EXPECT_EQ(*opened, s.folder);
            }
        }
        EXPECT_EQ(h.Count(), s.count);
        EXPECT_EQ(h.Index(), s.index);
        EXPECT_EQ(h.CanGoBack(), s.back);
        EXPECT_EQ(h.CanGoForward(), s.forward);
    }
}

TEST(FolderHistory, EntriesAndButtons)
{
    Replay("empty history opens nothing", {
        {'b', nullptr, 0, -1, false, false},
        {'f', nullptr, 0, -1, false, false},
    });
    Replay("the same folder twice is kept once", {
        {'p', L"C:\\a", 1, 0, false, false},
        {'p', L"C:\\a", 1, 0, false, false},
        {'p', L"C:\\b", 2, 1, true, false},
        {'p', L"C:\\b", 2, 1, true, false},
    });
    Replay("back to the first disables Back and enables Forward", {
        {'p', L"C:\\a", 1, 0, false, false},
        {'p', L"C:\\b", 2, 1, true, false},
        {'p', L"C:\\c", 3, 2, true, false},
        {'b', L"C:\\b", 3, 1, true, true},
        {'b', L"C:\\a", 3, 0, false, true},
        {'b', nullptr, 3, 0, false, true},
        {'f', L"C:\\b", 3, 1, true, true},
        {'f', L"C:\\c", 3, 2, true, false},
        {'f', nullptr, 3, 2, true, false},
    });
    Replay("a new folder after Back drops the forward entries", {
        {'p', L"C:\\a", 1, 0, false, false},
        {'p', L"C:\\b", 2, 1, true, false},
        {'p', L"C:\\c", 3, 2, true, false},
        {'b', L"C:\\b", 3, 1, true, true},
        {'b', L"C:\\a", 3, 0, false, true},
        {'p', L"C:\\d", 2, 1, true, false},
        {'f', nullptr, 2, 1, true, false},
        {'b', L"C:\\a", 2, 0, false, true},
        {'f', L"C:\\d", 2, 1, true, false},
    });
    Replay("reopening the entry Back reached records nothing", {
        {'p', L"C:\\a", 1, 0, false, false},
        {'p', L"C:\\b", 2, 1, true, false},
        {'b', L"C:\\a", 2, 0, false, true},
        {'p', L"C:\\a", 2, 0, false, true},
    });
    Replay("the comparison is exact", {
        {'p', L"C:\\a", 1, 0, false, false},
        {'p', L"C:\\A", 2, 1, true, false},
    });
}

} // namespace
