#pragma once
// Resource ids of the tool context bar (ContextBar.rc).
#define IDD_EDITOR_CONTEXT_BAR 420
