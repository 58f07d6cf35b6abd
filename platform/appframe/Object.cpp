#include "Object.h"

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pfnGetBaseClass ? c->m_pfnGetBaseClass() : nullptr)
        if (c == base)
            return TRUE;
    return FALSE;
}

CRuntimeClass* CObject::GetThisClass()
{
    static CRuntimeClass info = { "CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr };
    return &info;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }

CObject::~CObject() = default;

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

void CObject::Serialize(CArchive&) {}
