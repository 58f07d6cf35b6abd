#include <gtest/gtest.h>
#include <random>
#include <vector>
#include "TList.h"

namespace {

using ALT::TList;
using WString = ALT::TString<wchar_t, 0, 8>;

template <class T>
std::vector<T> Contents(const TList<T>& list)
{
    std::vector<T> items;
    for (auto it = list.Begin(); it != list.End(); it.Next())
        items.push_back(it.Get());
    return items;
}

TEST(TList, RemoveAtReturnsThePositionBefore)
{
    TList<int> list;
    EXPECT_EQ(list.End(), list.Begin());
    for (int i = 0; i < 4; ++i)
        list.AddTail(i);

    EXPECT_EQ(list.End(), list.RemoveAt(list.End()));
    EXPECT_EQ(4, list.GetCount());

    auto before = list.RemoveAt(list.GetAt(2));
    EXPECT_EQ(1, before.Get());
    EXPECT_EQ(list.End(), list.RemoveAt(list.Begin()));
    EXPECT_EQ((std::vector<int>{1, 3}), Contents(list));

    // Removing while walking: go on with Next from the returned position.
    for (auto it = list.Begin(); it != list.End(); it.Next())
        it = list.RemoveAt(it);
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(list.End(), list.Begin());
}

// Removing what GetAt found keeps the remembered position right, whether the removed node had
// a successor, only a predecessor, or neither; lookups that follow see the list as it is.
TEST(TList, LookupsAfterRemovingTheLookedUpNode)
{
    const struct {
        std::vector<int> removeAt; // indexes, each in the list as it stands then
        std::vector<int> left;
    } cases[] = {
        {{2, 2, 2}, {0, 1, 5}},      // runs of the same index: the successor takes its place
        {{5, 4, 0}, {1, 2, 3}},      // the last node: the predecessor is remembered
        {{1, 0, 0, 0, 0, 0}, {}},    // down to an empty list
        {{0, 2, 1}, {1, 4, 5}},      // the index falling back and forth
    };
    for (const auto& c : cases) {
        TList<int> list;
        for (int i = 0; i < 6; ++i)
            list.AddTail(i);
        for (int index : c.removeAt) {
            list.RemoveAt(list.GetAt(index));
            const std::vector<int> now = Contents(list);
            // First the places next to the removed one, where the remembered position is.
            for (int k : {index, index - 1})
                if (k >= 0 && k < list.GetCount())
                    ASSERT_EQ(now[size_t(k)], list.GetAt(k).Get()) << "next to the removed, index " << k;
            for (int k = 0; k < list.GetCount(); ++k)
                ASSERT_EQ(now[size_t(k)], list.GetAt(k).Get()) << "index " << k;
            for (int k = list.GetCount() - 1; k >= 0; --k)
                ASSERT_EQ(now[size_t(k)], list.GetAt(k).Get()) << "index " << k;
        }
        EXPECT_EQ(c.left, Contents(list));
    }
}

TEST(TList, GetAtBounds)
{
    TList<int> list;
    EXPECT_EQ(list.End(), list.GetAt(0));
    for (int i = 0; i < 10; ++i)
        list.AddTail(i * 10);
    EXPECT_EQ(90, list.GetAt(9).Get());
    EXPECT_EQ(list.End(), list.GetAt(10));
    EXPECT_EQ(list.End(), list.GetAt(-1));
    EXPECT_EQ(0, list.GetAt(0).Get());
    EXPECT_EQ(50, list.GetAt(5).Get());
    EXPECT_EQ(40, list.GetAt(4).Get());
    EXPECT_EQ(60, list.GetAt(6).Get());
}

// Appending keeps the cached index while inserting and removing shift it: random work against
// std::vector, with GetAt checked in the patterns callers use (rising loops, jumps, steps back).
TEST(TList, GetAtStaysRightUnderRandomWork)
{
    std::mt19937 random(777);
    TList<int> list;
    std::vector<int> peer;
    for (int step = 0; step < 3000; ++step) {
        const unsigned op = random() % 8;
        const int size = int(peer.size());
        if (op < 3 || size == 0) {
            list.AddTail(step);
            peer.push_back(step);
        } else if (op < 5) {
            const int index = int(random() % unsigned(size + 1));
            list.InsertBefore(list.GetAt(index), step); // GetAt(size) is the end: a tail insert
            peer.insert(peer.begin() + index, step);
        } else if (op < 7) {
            const int index = int(random() % unsigned(size));
            list.RemoveAt(list.GetAt(index));
            peer.erase(peer.begin() + index);
        } else {
            for (int i = 0; i < int(peer.size()); ++i)
                ASSERT_EQ(peer[size_t(i)], list.GetAt(i).Get()) << "step " << step << " index " << i;
        }
        ASSERT_EQ(int(peer.size()), list.GetCount());
        if (!peer.empty()) {
            const int probe = int(random() % peer.size());
            ASSERT_EQ(peer[size_t(probe)], list.GetAt(probe).Get()) << "step " << step;
            if (probe > 0) {
                ASSERT_EQ(peer[size_t(probe - 1)], list.GetAt(probe - 1).Get()) << "step " << step;
            }
        }
    }
    EXPECT_EQ(peer, Contents(list));
}

TEST(TList, StepIsCircularThroughTheEnd)
{
    TList<int> list;
    for (int i = 0; i < 3; ++i)
        list.AddTail(i);
    auto it = list.Begin();
    EXPECT_EQ(2, it.Step(2).Get());
    EXPECT_EQ(list.End(), it.Step(1));
    EXPECT_EQ(0, it.Step(1).Get());
    EXPECT_EQ(list.End(), it.Step(-1));
    EXPECT_EQ(1, it.Step(-2).Get());
}

TEST(TList, StringListsAndCopies)
{
    TList<WString> list;
    list.AddTail(L"first");
    auto empty = list.AddTail();
    EXPECT_EQ(nullptr, empty.Get().GetBuffer());
    list.InsertBefore(empty, L"middle");

    TList<WString> copy(list);
    copy.GetAt(0).Get() = L"changed";
    EXPECT_STREQ(L"first", list.GetAt(0)->GetBuffer());
    EXPECT_STREQ(L"middle", copy.GetAt(1)->GetBuffer());
    EXPECT_EQ(3, copy.GetCount());

    copy = list;
    EXPECT_STREQ(L"first", copy.GetAt(0)->GetBuffer());
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(list.End(), list.GetAt(0));
    EXPECT_EQ(3, copy.GetCount());
}

} // namespace
