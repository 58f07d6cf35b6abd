// Precompiled headers of the modules on the whole platform: framework, skin and image library.
#include "Skin.h"
#include "ZVImage.h"
