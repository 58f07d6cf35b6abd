#pragma once
// ALT::TMap: ordered map on a red-black tree whose head node lives in the map object. The head
// is the end position: its left is the first element, its right the last, and every missing
// child and the root's parent point to it. ALT::TMapIter walks the keys in order.
#include <cstdint>
#include "TString.h"
#include "ZVUILibDef.h"

namespace ALT {

// A value type that makes the map a set.
struct ALT_EMPTY_STRUCT {
};

// The link fields of a node; the head node is only these.
struct TMapLinks {
    TMapLinks* left;
    TMapLinks* right;
    TMapLinks* parent;
    int32_t color;     // 1 red, 0 black
    uint8_t isElement; // 0 only in the head
};

template <class Key, class Value>
struct TMapNode : TMapLinks {
    Key key;
    Value value;
};

// Tree work that does not depend on the key type (TMap.cpp).
ZVUILIB_API TMapLinks* TMapNext(TMapLinks* node);
ZVUILIB_API TMapLinks* TMapPrev(TMapLinks* node);
ZVUILIB_API void TMapLinkAndRebalance(TMapLinks* node, TMapLinks* parent, bool left, TMapLinks* head, TMapLinks*& root);
ZVUILIB_API void TMapUnlinkAndRebalance(TMapLinks* node, TMapLinks* head, TMapLinks*& root);

// Key order: strings by their compare function (exact or without ASCII case), others by <.
template <class Key>
struct TKeyOrder {
    static bool Less(const Key& a, const Key& b) { return a < b; }
};
template <class T, int NoCase, int Grow>
struct TKeyOrder<TString<T, NoCase, Grow>> {
    static bool Less(const TString<T, NoCase, Grow>& a, const TString<T, NoCase, Grow>& b) { return a.Compare(b.GetBuffer()) < 0; }
};

// A position. Next from the end position goes to the first element and Prev to the last;
// past either end lies the end position again.
template <class Key, class Value>
class TMapIter {
public:
    TMapIter() : m_node(nullptr) {}
    explicit TMapIter(TMapLinks* node) : m_node(node) {}
    TMapIter& Next() { m_node = TMapNext(m_node); return *this; }
    TMapIter& Prev() { m_node = TMapPrev(m_node); return *this; }
    bool IsEnd() const { return !m_node->isElement; }
    const Key& GetKey() const { return static_cast<TMapNode<Key, Value>*>(m_node)->key; }
    Value& GetValue() const { return static_cast<TMapNode<Key, Value>*>(m_node)->value; }
    TMapLinks* GetNode() const { return m_node; }
    bool operator==(const TMapIter& other) const { return m_node == other.m_node; }
    bool operator!=(const TMapIter& other) const { return m_node != other.m_node; }

private:
    TMapLinks* m_node;
};

template <class Key, class Value>
class TMap {
public:
    typedef TMapIter<Key, Value> Iter;

    TMap();
    TMap(const TMap& other);
    TMap& operator=(const TMap& other);
    ~TMap();

    Iter Find(const Key& key) const;
    Iter Insert(const Key& key, const Value& value = Value());
    Iter InsertMulti(const Key& key, const Value& value = Value());
    void Erase(Iter position);
    int EraseKey(const Key& key);
    void RemoveAll();
    int GetCount() const;
    Iter Begin() const;
    Iter End() const;

private:
    typedef TMapNode<Key, Value> Node;
    static const Key& KeyOf(TMapLinks* node);
    void Reset();
    Iter LinkNew(TMapLinks* parent, bool left, const Key& key, const Value& value);
    void Destroy(TMapLinks* node);

    TMapLinks m_head;
    TMapLinks* m_root;
    TMapLinks* m_nil; // &m_head
    int32_t m_count;
};

template <class Key, class Value>
TMap<Key, Value>::TMap()
{
    Reset();
}

template <class Key, class Value>
TMap<Key, Value>::TMap(const TMap& other)
{
    Reset();
    *this = other;
}

// Every element of the source is inserted again in key order; equal keys keep their order.
template <class Key, class Value>
TMap<Key, Value>& TMap<Key, Value>::operator=(const TMap& other)
{
    if (this != &other) {
        RemoveAll();
        for (Iter it = other.Begin(); !it.IsEnd(); it.Next())
            InsertMulti(it.GetKey(), it.GetValue());
    }
    return *this;
}

template <class Key, class Value>
TMap<Key, Value>::~TMap()
{
    Destroy(m_root);
}

template <class Key, class Value>
typename TMap<Key, Value>::Iter TMap<Key, Value>::Find(const Key& key) const
{
    // Lower bound, then one test for equality.
    TMapLinks* found = m_nil;
    for (TMapLinks* x = m_root; x->isElement;) {
        if (TKeyOrder<Key>::Less(KeyOf(x), key)) {
            x = x->right;
        } else {
            found = x;
            x = x->left;
        }
    }
    if (found->isElement && TKeyOrder<Key>::Less(key, KeyOf(found)))
        found = m_nil;
    return Iter(found);
}

// The descent remembers the last node and direction; the key is new unless the in-order
// predecessor of the insertion point equals it.
template <class Key, class Value>
typename TMap<Key, Value>::Iter TMap<Key, Value>::Insert(const Key& key, const Value& value)
{
    TMapLinks* parent = m_nil;
    bool left = true;
    for (TMapLinks* x = m_root; x->isElement;) {
        parent = x;
        left = TKeyOrder<Key>::Less(key, KeyOf(x));
        x = left ? x->left : x->right;
    }
    TMapLinks* before = parent;
    if (left) {
        if (parent == m_head.left) // also the empty tree: head.left is the head
            return LinkNew(parent, left, key, value);
        before = TMapPrev(parent);
    }
    if (!TKeyOrder<Key>::Less(KeyOf(before), key))
        return End();
    return LinkNew(parent, left, key, value);
}

// Equal keys go right, so a new one lands after those already present.
template <class Key, class Value>
typename TMap<Key, Value>::Iter TMap<Key, Value>::InsertMulti(const Key& key, const Value& value)
{
    TMapLinks* parent = m_nil;
    bool left = true;
    for (TMapLinks* x = m_root; x->isElement;) {
        parent = x;
        left = TKeyOrder<Key>::Less(key, KeyOf(x));
        x = left ? x->left : x->right;
    }
    return LinkNew(parent, left, key, value);
}

template <class Key, class Value>
void TMap<Key, Value>::Erase(Iter position)
{
    TMapLinks* node = position.GetNode();
    if (!node || !node->isElement)
        return;
    TMapUnlinkAndRebalance(node, m_nil, m_root);
    delete static_cast<Node*>(node);
    if (m_count > 0)
        --m_count;
}

template <class Key, class Value>
int TMap<Key, Value>::EraseKey(const Key& key)
{
    int erased = 0;
    for (Iter it = Find(key); !it.IsEnd() && !TKeyOrder<Key>::Less(key, it.GetKey()); ++erased) {
        Iter next = it;
        next.Next();
        Erase(it);
        it = next;
    }
    return erased;
}

template <class Key, class Value>
void TMap<Key, Value>::RemoveAll()
{
    Destroy(m_root);
    Reset();
}

template <class Key, class Value>
int TMap<Key, Value>::GetCount() const
{
    return m_count;
}

template <class Key, class Value>
typename TMap<Key, Value>::Iter TMap<Key, Value>::Begin() const
{
    return Iter(m_head.left);
}

template <class Key, class Value>
typename TMap<Key, Value>::Iter TMap<Key, Value>::End() const
{
    return Iter(m_nil);
}

template <class Key, class Value>
const Key& TMap<Key, Value>::KeyOf(TMapLinks* node)
{
    return static_cast<Node*>(node)->key;
}

template <class Key, class Value>
void TMap<Key, Value>::Reset()
{
    m_nil = &m_head;
    m_head.left = m_head.right = m_head.parent = m_nil;
    m_head.color = 0;
    m_head.isElement = 0;
    m_root = m_nil;
    m_count = 0;
}

template <class Key, class Value>
typename TMap<Key, Value>::Iter TMap<Key, Value>::LinkNew(TMapLinks* parent, bool left, const Key& key, const Value& value)
{
    Node* node = new Node{{m_nil, m_nil, parent, 1, 1}, key, value};
    TMapLinkAndRebalance(node, parent, left, m_nil, m_root);
    ++m_count;
    return Iter(node);
}

// The right subtree, the node, then on down its left side: the recursion goes no deeper than
// the tree, at most twice the logarithm of the count.
template <class Key, class Value>
void TMap<Key, Value>::Destroy(TMapLinks* node)
{
    while (node->isElement) {
        Destroy(node->right);
        TMapLinks* left = node->left;
        delete static_cast<Node*>(node);
        node = left;
    }
}

extern template class ZVUILIB_API TMap<TString<wchar_t, 0, 8>, ALT_EMPTY_STRUCT>;
extern template class ZVUILIB_API TMap<TString<wchar_t, 1, 8>, TString<wchar_t, 1, 8>>;

} // namespace ALT
