#include "TestApp.h"

namespace {
CSkinTestApp theApp;
} // namespace
