#pragma once
// The helpers' test program: its application object is in TestApp.cpp; message pumping is in
// WindowTestApp.h, the temporary folder in TestSupport.h.
#include <string>
#include <gtest/gtest.h>
#include "SkinUI.h"
#include "TestSupport.h"
#include "WindowTestApp.h"

using testsupport::TempFolder;
