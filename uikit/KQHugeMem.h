#pragma once
// CKQHugeMem: a large block of memory backed by the page file and mapped into the address
// space only while it is locked, so that whole pictures stay out of the heap and the address
// space stays free between uses.
#include <windows.h>
#include "ZVUILibDef.h"

class ZVUILIB_API CKQHugeMem {
public:
    CKQHugeMem() = default;
    ~CKQHugeMem();
    CKQHugeMem(const CKQHugeMem&) = delete;
    CKQHugeMem& operator=(const CKQHugeMem&) = delete;

    // A new block of size bytes in place of any held; false when none could be made.
    bool New(int size);
    // The whole block mapped (the same view while locked); null without a block.
    void* Lock();
    void Unlock();
    void Delete();
    int GetSize() const { return m_nSize; }

private:
    HANDLE m_hMapping = nullptr;
    void* m_pView = nullptr;
    int m_nSize = 0;
};
