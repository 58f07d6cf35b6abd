// The test program's application object: the windows of the statistics view and the download
// lists get their messages through it.
#include "WindowTestApp.h"

namespace {
CWindowTestApp<> theApp(L"OnlineTests");
} // namespace
