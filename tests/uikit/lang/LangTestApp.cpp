// The test program's application object: the message boxes and dialogs under test take their
// caption and owner from it.
#include "WindowTestApp.h"

namespace {
CWindowTestApp<> theApp(L"LangTests");
} // namespace
