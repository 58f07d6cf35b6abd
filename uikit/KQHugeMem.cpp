#include "KQHugeMem.h"

CKQHugeMem::~CKQHugeMem()
{
    Delete();
}

bool CKQHugeMem::New(int size)
{
    Delete();
    if (size <= 0)
        return false;
    m_hMapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size), nullptr);
    if (!m_hMapping)
        return false;
    m_nSize = size;
    return true;
}

void* CKQHugeMem::Lock()
{
    if (!m_pView && m_hMapping)
        m_pView = ::MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    return m_pView;
}

void CKQHugeMem::Unlock()
{
    if (m_pView)
        ::UnmapViewOfFile(m_pView);
    m_pView = nullptr;
}

void CKQHugeMem::Delete()
{
    Unlock();
    if (m_hMapping)
        ::CloseHandle(m_hMapping);
    m_hMapping = nullptr;
    m_nSize = 0;
}
