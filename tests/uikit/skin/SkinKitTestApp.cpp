#include "SkinKitTest.h"

namespace {
CSkinKitTestApp theApp;
} // namespace

