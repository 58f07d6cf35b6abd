// Precompiled headers of the modules on the application framework.
#include "System.h"
#include "AppFrame.h"
