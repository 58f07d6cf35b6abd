#pragma once
// ALT::TList: circular doubly linked list whose header is the end position. It remembers the
// last position looked up by index, so a loop over rising indexes walks one node per GetAt.
#include <cstdint>
#include "TString.h"
#include "ZVUILibDef.h"

namespace ALT {

struct TListLinks {
    TListLinks* prev;
    TListLinks* next;
};

template <class T>
struct TListNode : TListLinks {
    T element;
};

// A position: a node, or the list's header as the end position. Stepping is circular and
// passes through the end position.
template <class T>
class TListIter {
public:
    TListIter() : m_node(nullptr) {}
    explicit TListIter(TListLinks* node) : m_node(node) {}
    TListIter& Next() { m_node = m_node->next; return *this; }
    TListIter& Prev() { m_node = m_node->prev; return *this; }
    TListIter& Step(int n);
    T& Get() const { return static_cast<TListNode<T>*>(m_node)->element; }
    T* operator->() const { return &Get(); }
    TListLinks* GetNode() const { return m_node; }
    bool operator==(const TListIter& other) const { return m_node == other.m_node; }
    bool operator!=(const TListIter& other) const { return m_node != other.m_node; }

private:
    TListLinks* m_node;
};

template <class T>
TListIter<T>& TListIter<T>::Step(int n)
{
    for (; n > 0; --n)
        m_node = m_node->next;
    for (; n < 0; ++n)
        m_node = m_node->prev;
    return *this;
}

template <class T>
class TList {
public:
    typedef TListIter<T> Iter;

    TList();
    TList(const TList& other);
    TList& operator=(const TList& other);
    ~TList();

    Iter AddTail(const T& element = T());
    Iter InsertBefore(Iter position, const T& element);
    Iter RemoveAt(Iter position);
    void RemoveAll();
    Iter GetAt(int index);
    // Relinks the nodes in the order given: every position of the list, each once (else nothing
    // changes). No element is copied or moved.
    bool Reorder(const Iter* order, int count);
    int GetCount() const;
    Iter Begin() const;
    Iter End() const;

private:
    typedef TListNode<T> Node;
    void Init();
    Iter LinkBefore(TListLinks* next, const T& element);

    TListLinks m_head; // prev: last node, next: first node
    TListLinks* m_end; // &m_head
    int32_t m_count;
    int32_t m_cacheIndex; // -1: nothing cached
    TListLinks* m_cacheNode;
};

template <class T>
TList<T>::TList()
{
    Init();
}

template <class T>
TList<T>::TList(const TList& other)
{
    Init();
    *this = other;
}

template <class T>
TList<T>& TList<T>::operator=(const TList& other)
{
    if (this != &other) {
        RemoveAll();
        for (Iter it = other.Begin(); it != other.End(); it.Next())
            AddTail(it.Get());
    }
    return *this;
}

template <class T>
TList<T>::~TList()
{
    RemoveAll();
}

// Appending leaves every index as it was, so the cache stays.
template <class T>
typename TList<T>::Iter TList<T>::AddTail(const T& element)
{
    return LinkBefore(m_end, element);
}

template <class T>
typename TList<T>::Iter TList<T>::InsertBefore(Iter position, const T& element)
{
    m_cacheIndex = -1;
    m_cacheNode = nullptr;
    return LinkBefore(position.GetNode(), element);
}

// Returns the position before the removed node: a loop that removes while walking forward
// goes on with Next.
template <class T>
typename TList<T>::Iter TList<T>::RemoveAt(Iter position)
{
    TListLinks* node = position.GetNode();
    if (node == m_end)
        return End();
    TListLinks* before = node->prev;
    TListLinks* after = node->next;
    const bool cached = m_cacheNode == node;
    before->next = after;
    after->prev = before;
    delete static_cast<Node*>(node);
    --m_count;
    // Removing the node last looked up (GetAt, then RemoveAt) keeps the lookup cheap: the node
    // after it now holds its index. A loop removing entries by index stays linear.
    if (cached && after != m_end) {
        m_cacheNode = after;
    } else if (cached && before != m_end) {
        m_cacheNode = before;
        --m_cacheIndex;
    } else {
        m_cacheIndex = -1;
        m_cacheNode = nullptr;
    }
    return Iter(before);
}

template <class T>
bool TList<T>::Reorder(const Iter* order, int count)
{
    if (!order || count != m_count)
        return false;
    TListLinks* before = m_end;
    for (int i = 0; i < count; ++i) {
        TListLinks* node = order[i].GetNode();
        before->next = node;
        node->prev = before;
        before = node;
    }
    before->next = m_end;
    m_end->prev = before;
    m_cacheIndex = -1;
    m_cacheNode = nullptr;
    return true;
}

template <class T>
void TList<T>::RemoveAll()
{
    for (TListLinks* node = m_head.next; node != m_end;) {
        TListLinks* next = node->next;
        delete static_cast<Node*>(node);
        node = next;
    }
    Init();
}

// The last element at once; otherwise from the cached node when it is nearer than the first.
template <class T>
typename TList<T>::Iter TList<T>::GetAt(int index)
{
    if (index < 0 || index >= m_count)
        return End();
    TListLinks* node;
    if (index == m_count - 1) {
        node = m_head.prev;
    } else if (m_cacheNode && (index > m_cacheIndex ? index - m_cacheIndex : m_cacheIndex - index) < index) {
        node = m_cacheNode;
        for (int i = m_cacheIndex; i < index; ++i)
            node = node->next;
        for (int i = m_cacheIndex; i > index; --i)
            node = node->prev;
    } else {
        node = m_head.next;
        for (int i = 0; i < index; ++i)
            node = node->next;
    }
    m_cacheIndex = index;
    m_cacheNode = node;
    return Iter(node);
}

template <class T>
int TList<T>::GetCount() const
{
    return m_count;
}

template <class T>
typename TList<T>::Iter TList<T>::Begin() const
{
    return Iter(m_head.next);
}

template <class T>
typename TList<T>::Iter TList<T>::End() const
{
    return Iter(m_end);
}

template <class T>
void TList<T>::Init()
{
    m_end = &m_head;
    m_head.prev = m_head.next = m_end;
    m_count = 0;
    m_cacheIndex = -1;
    m_cacheNode = nullptr;
}

template <class T>
typename TList<T>::Iter TList<T>::LinkBefore(TListLinks* next, const T& element)
{
    Node* node = new Node{{next->prev, next}, element};
    next->prev->next = node;
    next->prev = node;
    ++m_count;
    return Iter(node);
}

extern template class ZVUILIB_API TList<TString<wchar_t, 0, 8>>;

} // namespace ALT
