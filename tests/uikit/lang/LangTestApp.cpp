// The test program's application object: the message boxes and dialogs under test take their
// caption and owner from it.
#include "AppFrame.h"

namespace {
CWinApp theApp(L"LangTests");
} // namespace
