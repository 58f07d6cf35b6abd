// The application object of the picture-list tests: the view's window tests pump its messages.
#include "WindowTestApp.h"

namespace {
class CPicListTestApp : public CWindowTestApp<> {
public:
    CPicListTestApp() : CWindowTestApp(L"PicListTests") {}
};
CPicListTestApp theApp;
} // namespace
