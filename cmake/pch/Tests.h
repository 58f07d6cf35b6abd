// Precompiled headers of the test programs: the whole platform and GoogleTest.
#include "Library.h"
#include <gmock/gmock.h>
#include <gtest/gtest.h>
