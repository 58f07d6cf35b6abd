#pragma once
// Dragging a set of files out of a list to the shell or another program, as a file-drop list.
#include "AppFrame.h"
#include "RecycleBin.h"
#include "ZVUILibDef.h"

// The drop source of a file drag; it keeps the set being dragged.
class ZVUILIB_API CDragDataSource : public COleDropSource {
public:
    explicit CDragDataSource(const KQPathSet& files) : m_files(files) {}
    const KQPathSet& GetFiles() const { return m_files; }

private:
    KQPathSet m_files;
};

// A modal drag of the set, offering a move or a copy; nothing happens for an empty set.
ZVUILIB_API void DragDropFileList(const KQPathSet& files, bool move);

namespace dragdrop {
// The CF_HDROP block of the set in set order (movable shared memory, owned by the caller);
// null when the set holds no path or the memory is not there.
ZVUILIB_API HGLOBAL MakeDropFilesBlock(const KQPathSet& files);
} // namespace dragdrop
