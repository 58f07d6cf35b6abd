#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>
#include "TMap.h"

namespace {

using ALT::TMap;
using ALT::TMapLinks;
using WString = ALT::TString<wchar_t, 0, 8>;
using WStringNoCase = ALT::TString<wchar_t, 1, 8>;
using PathSet = TMap<WString, ALT::ALT_EMPTY_STRUCT>;
using LanguageTable = TMap<WStringNoCase, WStringNoCase>;

// Checks the red-black rules, the links and the head of a map; returns the black height.
class TreeChecker {
public:
    template <class Key, class Value>
    static void Check(const TMap<Key, Value>& map)
    {
        TMapLinks* head = map.End().GetNode();
        ASSERT_EQ(0, head->isElement);
        ASSERT_EQ(0, head->color);
        ASSERT_EQ(head, head->parent);
        if (map.GetCount() == 0) {
            ASSERT_EQ(head, head->left);
            ASSERT_EQ(head, head->right);
            return;
        }
        TMapLinks* root = head->left;
        while (root->parent != head)
            root = root->parent;
        ASSERT_EQ(0, root->color);
        int count = 0;
        TMapLinks* first = nullptr;
        TMapLinks* last = nullptr;
        Walk(root, head, count, first, last);
        ASSERT_EQ(map.GetCount(), count);
        ASSERT_EQ(first, head->left);
        ASSERT_EQ(last, head->right);
    }

private:
    static int Walk(TMapLinks* node, TMapLinks* head, int& count, TMapLinks*& first, TMapLinks*& last)
    {
        if (node == head)
            return 1;
        EXPECT_EQ(1, node->isElement);
        ++count;
        for (TMapLinks* child : {node->left, node->right}) {
            if (child != head) {
                EXPECT_EQ(node, child->parent);
                EXPECT_FALSE(node->color == 1 && child->color == 1) << "red node with a red child";
            }
        }
        const int left = Walk(node->left, head, count, first, last);
        if (!first)
            first = node;
        last = node;
        const int right = Walk(node->right, head, count, first, last);
        EXPECT_EQ(left, right) << "black heights differ";
        return left + (node->color == 0 ? 1 : 0);
    }
};

template <class Key, class Value>
std::vector<std::pair<Key, Value>> Contents(const TMap<Key, Value>& map)
{
    std::vector<std::pair<Key, Value>> items;
    for (auto it = map.Begin(); !it.IsEnd(); it.Next())
        items.emplace_back(it.GetKey(), it.GetValue());
    return items;
}

template <class Key, class Value>
std::vector<std::pair<Key, Value>> Contents(const std::multimap<Key, Value>& map)
{
    return std::vector<std::pair<Key, Value>>(map.begin(), map.end());
}

// Random insertions (unique and multi) and erasures (by position and by key) against
// std::multimap, with the tree checked after every step. Values number the insertions, so
// the order of equal keys is checked too.
TEST(TMap, MatchesMultimapUnderRandomWork)
{
    std::mt19937 random(20240611);
    TMap<unsigned, int> map;
    std::multimap<unsigned, int> peer;
    for (int step = 0; step < 4000; ++step) {
        const unsigned key = random() % 400;
        const unsigned op = random() % 10;
        if (op < 3) {
            auto it = map.Insert(key, step);
            if (peer.count(key)) {
                ASSERT_TRUE(it.IsEnd());
            } else {
                ASSERT_FALSE(it.IsEnd());
                ASSERT_EQ(key, it.GetKey());
                peer.emplace(key, step);
            }
        } else if (op < 6) {
            auto it = map.InsertMulti(key, step);
            ASSERT_EQ(step, it.GetValue());
            peer.emplace(key, step);
        } else if (op < 8 && !peer.empty()) {
            const size_t index = random() % peer.size();
            auto it = map.Begin();
            for (size_t i = 0; i < index; ++i)
                it.Next();
            map.Erase(it);
            peer.erase(std::next(peer.begin(), std::ptrdiff_t(index)));
        } else {
            ASSERT_EQ(int(peer.erase(key)), map.EraseKey(key));
        }
        ASSERT_EQ(int(peer.size()), map.GetCount());
        ASSERT_NO_FATAL_FAILURE(TreeChecker::Check(map));
        if (step % 50 == 0) {
            ASSERT_EQ(Contents(peer), Contents(map)) << "step " << step;
        }
        const unsigned probe = random() % 400;
        auto found = map.Find(probe);
        ASSERT_EQ(peer.count(probe) == 0, found.IsEnd());
        if (!found.IsEnd()) {
            ASSERT_EQ(probe, found.GetKey());
        }
    }
    ASSERT_EQ(Contents(peer), Contents(map));

    // Backwards from the end position gives the reverse order.
    std::vector<unsigned> backwards;
    for (auto it = map.End().Prev(); !it.IsEnd(); it.Prev())
        backwards.push_back(it.GetKey());
    std::vector<unsigned> expected;
    for (auto it = peer.rbegin(); it != peer.rend(); ++it)
        expected.push_back(it->first);
    EXPECT_EQ(expected, backwards);

    map.RemoveAll();
    EXPECT_EQ(0, map.GetCount());
    TreeChecker::Check(map);
}

// Ascending and descending runs are the worst cases of a plain search tree.
TEST(TMap, SortedInsertionStaysBalanced)
{
    TMap<unsigned, int> up;
    TMap<unsigned, int> down;
    for (unsigned i = 0; i < 5000; ++i) {
        up.Insert(i, 0);
        down.Insert(5000 - i, 0);
    }
    TreeChecker::Check(up);
    TreeChecker::Check(down);
    for (unsigned i = 0; i < 5000; i += 2)
        up.EraseKey(i);
    TreeChecker::Check(up);
    EXPECT_EQ(2500, up.GetCount());
}

TEST(TMap, EmptyMapAndEndPosition)
{
    PathSet set;
    EXPECT_TRUE(set.Find(L"a").IsEnd());
    EXPECT_TRUE(set.Begin().IsEnd());
    EXPECT_TRUE(set.End().Next().IsEnd());
    EXPECT_TRUE(set.End().Prev().IsEnd());
    EXPECT_EQ(0, set.EraseKey(L"a"));
    set.Erase(set.End());
    EXPECT_EQ(0, set.GetCount());

    set.Insert(L"m");
    set.Insert(L"a");
    set.Insert(L"z");
    EXPECT_STREQ(L"a", set.End().Next().GetKey().GetBuffer());
    EXPECT_STREQ(L"z", set.End().Prev().GetKey().GetBuffer());
    EXPECT_TRUE(set.Find(L"z").Next().IsEnd());
    EXPECT_TRUE(set.Find(L"a").Prev().IsEnd());
    EXPECT_EQ(set.Begin(), set.End().Next());
    set.Erase(set.End());
    EXPECT_EQ(3, set.GetCount());
    EXPECT_EQ(0, set.EraseKey(L"b"));
}

TEST(TMap, UniqueInsertOfAPresentKeyChangesNothing)
{
    TMap<unsigned, int> map;
    for (unsigned key : {5u, 3u, 8u, 1u, 4u})
        map.Insert(key, int(key) * 10);
    for (unsigned key : {5u, 3u, 8u, 1u, 4u}) {
        EXPECT_TRUE(map.Insert(key, -1).IsEnd()) << key;
        EXPECT_EQ(int(key) * 10, map.Find(key).GetValue());
    }
    EXPECT_EQ(5, map.GetCount());
    EXPECT_FALSE(map.Insert(0, 0).IsEnd()); // before the first element
    EXPECT_FALSE(map.Insert(9, 0).IsEnd()); // after the last
    EXPECT_EQ(7, map.GetCount());
}

TEST(TMap, StringKeyOrders)
{
    PathSet exact;
    for (const wchar_t* key : {L"b", L"B", L"a", L"A", L"\x00E9"})
        EXPECT_FALSE(exact.Insert(key).IsEnd()) << key;
    std::wstring order;
    for (auto it = exact.Begin(); !it.IsEnd(); it.Next())
        order += it.GetKey().GetBuffer();
    EXPECT_EQ(L"ABab\x00E9", order); // by code unit: upper case first

    LanguageTable table;
    EXPECT_FALSE(table.Insert(L"Open File", L"Datei \x00F6" L"ffnen").IsEnd());
    EXPECT_TRUE(table.Insert(L"OPEN FILE", L"other").IsEnd());
    EXPECT_EQ(1, table.GetCount());
    auto it = table.Find(L"open file");
    ASSERT_FALSE(it.IsEnd());
    EXPECT_STREQ(L"Datei \x00F6" L"ffnen", it.GetValue().GetBuffer());
    EXPECT_FALSE(table.Insert(L"\x00C9", L"").IsEnd());
    EXPECT_FALSE(table.Insert(L"\x00E9", L"").IsEnd()); // no folding beyond ASCII
    EXPECT_EQ(1, table.EraseKey(L"OPEN file"));
    EXPECT_EQ(2, table.GetCount());
}

TEST(TMap, MultiInsertKeepsArrivalOrderAndEraseKeyTakesAll)
{
    TMap<WString, int> map;
    map.InsertMulti(L"k", 1);
    map.InsertMulti(L"a", 0);
    map.InsertMulti(L"k", 2);
    map.InsertMulti(L"z", 9);
    map.InsertMulti(L"k", 3);
    std::vector<int> values;
    for (auto it = map.Find(L"k"); !it.IsEnd() && it.GetKey() == L"k"; it.Next())
        values.push_back(it.GetValue());
    EXPECT_EQ((std::vector<int>{1, 2, 3}), values);
    EXPECT_EQ(3, map.EraseKey(L"k"));
    EXPECT_EQ(2, map.GetCount());
    EXPECT_TRUE(map.Find(L"k").IsEnd());
    TreeChecker::Check(map);
}

TEST(TMap, CopiesAreIndependentAndComplete)
{
    TMap<unsigned, WString> map;
    map.Insert(2, L"two");
    map.InsertMulti(1, L"one");
    map.InsertMulti(1, L"uno");
    TMap<unsigned, WString> copy(map);
    EXPECT_EQ(3, copy.GetCount());
    TreeChecker::Check(copy);
    copy.Find(2).GetValue() = L"zwei";
    copy.EraseKey(1);
    EXPECT_STREQ(L"two", map.Find(2).GetValue().GetBuffer());
    EXPECT_EQ(3, map.GetCount());

    copy = map;
    EXPECT_EQ(3, copy.GetCount());
    auto it = copy.Begin();
    EXPECT_STREQ(L"one", it.GetValue().GetBuffer());
    EXPECT_STREQ(L"uno", it.Next().GetValue().GetBuffer());
    copy = copy;
    EXPECT_EQ(3, copy.GetCount());
}

} // namespace
