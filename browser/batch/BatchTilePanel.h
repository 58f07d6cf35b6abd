#pragma once
// CDockBarBatch: the batch tab's panel, one tile per batch operation in a column. A click goes
// to the parent as the tile control's click message; OperationOf names the tile's operation.
#include "BatchCommands.h"
#include "KQTileUI.h"

class CDockBarBatch : public CKQTileUI {
public:
    CDockBarBatch();
    ~CDockBarBatch() override;

    // The translated captions.
    void UpdateTileText();
    // The base control's skin, then one colour for every tile.
    void ChangeSkin();
    // The operation of a tile of this panel; false for anything else.
    bool OperationOf(const CBCGPWinUITile* tile, BatchOperation& operation) const;
    CKQWinTile* Tile(BatchOperation operation) const;
    // The square side: 110 pixels at a 12-pixel interface font.
    static int TileSide(int fontHeight);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    CKQWinTile* m_tiles[kBatchOperationCount] = {};
};
