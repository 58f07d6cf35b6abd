#include "EditorAppState.h"

EditorAppState& GetEditorAppState()
{
    static EditorAppState state;
    return state;
}
