// Precompiled headers of the modules on the skinned user interface.
#include "Framework.h"
#include "SkinUI.h"
