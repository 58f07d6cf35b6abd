#include "WindowTestApp.h"
#include "SkinUI.h"

namespace {
class CTextSheetTestApp : public CWindowTestApp<> {
public:
    CTextSheetTestApp() : CWindowTestApp(L"TextSheetTests") {}
};
CTextSheetTestApp theApp;
} // namespace
