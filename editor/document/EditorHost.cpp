#include "EditorHost.h"

namespace {
IEditorHost* registeredHost = nullptr;
}

IEditorHost* GetEditorHost() { return registeredHost; }
void SetEditorHost(IEditorHost* host) { registeredHost = host; }
