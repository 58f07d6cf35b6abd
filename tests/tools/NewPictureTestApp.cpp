#include "NewPictureTest.h"

namespace {
class CNewPictureTestApp : public CWindowTestApp<> {
public:
    CNewPictureTestApp() : CWindowTestApp(L"NewPictureTests") {}
};
CNewPictureTestApp theApp;
} // namespace
