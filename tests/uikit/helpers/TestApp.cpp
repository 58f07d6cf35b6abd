#include "TestApp.h"

namespace {
class CHelpersTestApp : public CWindowTestApp<> {
public:
    CHelpersTestApp() : CWindowTestApp(L"UIHelpersTests") {}
};
CHelpersTestApp theApp;
} // namespace
