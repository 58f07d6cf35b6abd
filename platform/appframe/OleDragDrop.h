#pragma once
// OLE drag and drop, the source side: COleDataSource offers global-memory blocks in clipboard
// formats, by drag and drop (DoDragDrop) or on the clipboard (SetClipboard); COleDropSource
// decides, while the mouse moves, whether the drag goes on, drops or is cancelled.
// The offered data lives in a reference-counted data object: whoever took it (the clipboard,
// a drop target) keeps it after the COleDataSource is gone.
#include <ole2.h>
#include "CmdTarget.h"

typedef DWORD DROPEFFECT;

class APPFRAME_API COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    ~COleDropSource() override;
    // Escape or the right button cancels, releasing the left button drops, else the drag goes on.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // The COM face of this object (not add-ref'd); valid while the object lives.
    IDropSource* GetInterface();

private:
    struct Face;
    Face* m_face;
};

class APPFRAME_API COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;
    // Offers the block in the format; the data source owns it from now on.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();
    // Runs the drag (a modal loop of the system's) and returns the effect the target chose,
    // DROPEFFECT_NONE when it was cancelled.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);
    // Puts the data on the clipboard; TRUE on success.
    BOOL SetClipboard();
    // The data object with a reference for the caller.
    IDataObject* GetDataObject();

private:
    class DataObject;
    DataObject* m_data;
};
