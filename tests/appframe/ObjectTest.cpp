// Run-time class information: kinds, creation from the class, checked down-casts.
#include <gtest/gtest.h>
#include <memory>
#include "AppFrame.h"

namespace {

class CShape : public CObject {
    DECLARE_DYNCREATE(CShape)
};
IMPLEMENT_DYNCREATE(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

// Known at run time but not creatable from its class.
class CSquare : public CShape {
    DECLARE_DYNAMIC(CSquare)
};
IMPLEMENT_DYNAMIC(CSquare, CShape)

} // namespace

TEST(RuntimeClass, KindsFollowTheClassChain)
{
    CShape shape;
    CCircle circle;
    CSquare square;
    CDialog dialog;
    struct Case {
        const CObject* object;
        CRuntimeClass* kind;
        bool expected;
    };
    const Case cases[] = {
        { &circle, RUNTIME_CLASS(CCircle), true },  { &circle, RUNTIME_CLASS(CShape), true },
        { &circle, RUNTIME_CLASS(CObject), true },  { &circle, RUNTIME_CLASS(CSquare), false },
        { &shape, RUNTIME_CLASS(CCircle), false },  { &square, RUNTIME_CLASS(CShape), true },
        { &dialog, RUNTIME_CLASS(CWnd), true },     { &dialog, RUNTIME_CLASS(CCmdTarget), true },
        { &dialog, RUNTIME_CLASS(CShape), false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.object->IsKindOf(c.kind) != FALSE, c.expected)
            << c.object->GetRuntimeClass()->m_lpszClassName << " as " << c.kind->m_lpszClassName;
    EXPECT_STREQ(dialog.GetRuntimeClass()->m_lpszClassName, "CDialog");
    EXPECT_STREQ(RUNTIME_CLASS(CCircle)->m_pfnGetBaseClass()->m_lpszClassName, "CShape");
}

TEST(RuntimeClass, CreatesObjectsOfCreatableClassesOnly)
{
    std::unique_ptr<CObject> circle(RUNTIME_CLASS(CCircle)->CreateObject());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetRuntimeClass(), RUNTIME_CLASS(CCircle));
    std::unique_ptr<CObject> window(RUNTIME_CLASS(CWnd)->CreateObject());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(RUNTIME_CLASS(CSquare)->CreateObject(), nullptr);
}

TEST(RuntimeClass, DynamicDowncastChecksTheKind)
{
    CCircle circle;
    CObject* object = &circle;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, object), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CSquare, object), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, static_cast<CObject*>(nullptr)), nullptr);
}
