#pragma once
// Helpers of the editor shell that several frames share, and the document library links.
#include <cstdint>

// Undo steps a picture of that many pixels keeps; a negative count counts as small.
int GetHistoryLimit(int64_t pixels);

// Starts the program through the shell in its own folder, shown normally, and waits for its end
// while the thread's windows go on handling their messages. A quit message ends the wait early
// and is posted again for the loop above. False when nothing started.
bool RunAndWait(const wchar_t* program, const wchar_t* parameters);
