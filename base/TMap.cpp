// The red-black algorithms of ALT::TMap, shared by every key type. The head node is the
// sentinel: black, never an element; while a node is being removed its parent field may hold
// the parent of the removed place, and it points back to the head afterwards.
#include "TMap.h"

namespace ALT {

namespace {

const int32_t kRed = 1;
const int32_t kBlack = 0;

// The child of n on one side; the algorithms below are written once for a side and its mirror.
TMapLinks*& Child(TMapLinks* n, bool left) { return left ? n->left : n->right; }

// Lifts x's child on the far side (the right one when left is true) into x's place; x becomes
// its child on the near side.
void Rotate(TMapLinks* x, bool left, TMapLinks*& root)
{
    TMapLinks* y = Child(x, !left);
    Child(x, !left) = Child(y, left);
    if (Child(y, left)->isElement)
        Child(y, left)->parent = x;
    y->parent = x->parent;
    if (x == root)
        root = y;
    else if (x == x->parent->left)
        x->parent->left = y;
    else
        x->parent->right = y;
    Child(y, left) = x;
    x->parent = y;
}

// Puts v (an element or the head) where u was.
void Transplant(TMapLinks* u, TMapLinks* v, TMapLinks*& root)
{
    if (u == root)
        root = v;
    else if (u == u->parent->left)
        u->parent->left = v;
    else
        u->parent->right = v;
    v->parent = u->parent;
}

// x carries an extra black. Its sibling is always an element: a black node that was removed
// had a sibling subtree of at least its own black height.
void EraseFixup(TMapLinks* x, TMapLinks*& root)
{
    while (x != root && x->color == kBlack) {
        TMapLinks* p = x->parent;
        const bool left = x == p->left;   // the side of x; w is on the other
        TMapLinks* w = Child(p, !left);
        if (w->color == kRed) {
            w->color = kBlack;
            p->color = kRed;
            Rotate(p, left, root);
            w = Child(p, !left);
        }
        if (w->left->color == kBlack && w->right->color == kBlack) {
            w->color = kRed;
            x = p;
        } else {
            if (Child(w, !left)->color == kBlack) {
                Child(w, left)->color = kBlack;
                w->color = kRed;
                Rotate(w, !left, root);
                w = Child(p, !left);
            }
            w->color = p->color;
            p->color = kBlack;
            Child(w, !left)->color = kBlack;
            Rotate(p, left, root);
            x = root;
        }
    }
    x->color = kBlack;
}

} // namespace

TMapLinks* TMapNext(TMapLinks* node)
{
    if (!node->isElement)
        return node->left;
    if (node->right->isElement) {
        node = node->right;
        while (node->left->isElement)
            node = node->left;
        return node;
    }
    TMapLinks* parent = node->parent;
    while (parent->isElement && node == parent->right) {
        node = parent;
        parent = parent->parent;
    }
    return parent;
}

TMapLinks* TMapPrev(TMapLinks* node)
{
    if (!node->isElement)
        return node->right;
    if (node->left->isElement) {
        node = node->left;
        while (node->right->isElement)
            node = node->right;
        return node;
    }
    TMapLinks* parent = node->parent;
    while (parent->isElement && node == parent->left) {
        node = parent;
        parent = parent->parent;
    }
    return parent;
}

// node is red with head children; parent is the last node of the descent (the head for an
// empty tree) and left the last direction taken.
void TMapLinkAndRebalance(TMapLinks* node, TMapLinks* parent, bool left, TMapLinks* head, TMapLinks*& root)
{
    node->parent = parent;
    node->left = node->right = head;
    node->color = kRed;
    node->isElement = 1;
    if (parent == head) {
        root = node;
        head->left = head->right = node;
    } else if (left) {
        parent->left = node;
        if (parent == head->left)
            head->left = node;
    } else {
        parent->right = node;
        if (parent == head->right)
            head->right = node;
    }

    TMapLinks* x = node;
    while (x != root && x->parent->color == kRed) {
        TMapLinks* p = x->parent;
        TMapLinks* g = p->parent; // p is red, so not the root: g is an element
        const bool left = p == g->left;   // the side of p; the uncle is on the other
        TMapLinks* uncle = Child(g, !left);
        if (uncle->color == kRed) {
            p->color = kBlack;
            uncle->color = kBlack;
            g->color = kRed;
            x = g;
        } else {
            if (x == Child(p, !left)) {
                x = p;
                Rotate(x, left, root);
                p = x->parent;
            }
            p->color = kBlack;
            g->color = kRed;
            Rotate(g, !left, root);
        }
    }
    root->color = kBlack;
}

// A node with two element children is replaced by its in-order successor, relinked in its
// place with its colour; the colour that leaves the tree decides the fix-up.
void TMapUnlinkAndRebalance(TMapLinks* z, TMapLinks* head, TMapLinks*& root)
{
    if (head->left == z)
        head->left = TMapNext(z);
    if (head->right == z)
        head->right = TMapPrev(z);

    int32_t removedColor = z->color;
    TMapLinks* x;
    if (!z->left->isElement) {
        x = z->right;
        Transplant(z, z->right, root);
    } else if (!z->right->isElement) {
        x = z->left;
        Transplant(z, z->left, root);
    } else {
        TMapLinks* y = z->right;
        while (y->left->isElement)
            y = y->left;
        removedColor = y->color;
        x = y->right;
        if (y->parent == z) {
            x->parent = y;
        } else {
            Transplant(y, y->right, root);
            y->right = z->right;
            y->right->parent = y;
        }
        Transplant(z, y, root);
        y->left = z->left;
        y->left->parent = y;
        y->color = z->color;
    }
    if (removedColor == kBlack)
        EraseFixup(x, root);
    head->parent = head;
    head->color = kBlack;
}

template class TMap<TString<wchar_t, 0, 8>, ALT_EMPTY_STRUCT>;
template class TMap<TString<wchar_t, 1, 8>, TString<wchar_t, 1, 8>>;

} // namespace ALT
