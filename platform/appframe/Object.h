#pragma once
// CObject and run-time class information: every framework class can name its class and base
// class at run time, test its kind and, when declared creatable, be created from its class.
#include <windows.h>
#include "AppFrameDef.h"

class CObject;
class CArchive;

struct APPFRAME_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();         // null: not creatable
    CRuntimeClass* (*m_pfnGetBaseClass)();   // null: the root

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

// The class information is a constant object returned by a function, so that a class's
// information is reached across DLLs without importing data and costs nothing at load.
#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass* GetThisClass(); \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define APPFRAME_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnCreate) \
    CRuntimeClass* class_name::GetThisClass() \
    { \
        static CRuntimeClass info = { #class_name, static_cast<int>(sizeof(class_name)), 0xFFFF, pfnCreate, \
                                      &base_class_name::GetThisClass }; \
        return &info; \
    } \
    CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    APPFRAME_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    APPFRAME_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

class APPFRAME_API CObject {
public:
    static CRuntimeClass* GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();
    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;
    virtual void Serialize(CArchive& archive);

    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};

namespace appframe {
template <class T> T* DynamicDownCast(CObject* object)
{
    return object && object->IsKindOf(T::GetThisClass()) ? static_cast<T*>(object) : nullptr;
}
} // namespace appframe

#define DYNAMIC_DOWNCAST(class_name, object) (appframe::DynamicDownCast<class_name>(object))
