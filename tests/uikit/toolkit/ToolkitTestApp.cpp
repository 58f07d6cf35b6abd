// The toolkit's test program: its application object; the shared helpers are in ToolkitTestSupport.h.
#include "ToolkitTestSupport.h"

namespace {
class CToolkitTestApp : public CWindowTestApp<> {
public:
    CToolkitTestApp() : CWindowTestApp(L"UIKitTests") {}
};
CToolkitTestApp theApp;
} // namespace
