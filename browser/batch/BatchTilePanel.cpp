#include "BatchTilePanel.h"
#include <cstdlib>
#include "ZVUILibApp.h"

BEGIN_MESSAGE_MAP(CDockBarBatch, CKQTileUI)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CDockBarBatch::CDockBarBatch() = default;

CDockBarBatch::~CDockBarBatch() = default;

int CDockBarBatch::TileSide(int fontHeight)
{
    return 110 * (fontHeight > 0 ? fontHeight : 12) / 12;
}

int CDockBarBatch::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKQTileUI::OnCreate(lpCreateStruct) == -1)
        return -1;
    CBCGPWinUITiles* tiles = GetWinUITiles();
    tiles->SetHorizontalLayout(FALSE);
    LOGFONTW font = {};
    int fontHeight = 12;
    if (globalData.fontRegular.GetSafeHandle() && ::GetObjectW(globalData.fontRegular.GetSafeHandle(), sizeof font, &font))
        fontHeight = std::abs(int(font.lfHeight));
    const int side = TileSide(fontHeight);
    tiles->SetSquareSize(CSize(side, side));
    for (int i = 0; i < kBatchOperationCount; ++i) {
        const BatchOperationInfo& info = kBatchOperations[i];
        m_tiles[i] = AddTile(L"", info.tilePicture, CBCGPColor(RGB(43, 87, 154)), CBCGPColor(RGB(255, 255, 255)), 0,
                             info.command);
        if (m_tiles[i])
            m_tiles[i]->SetUserData(DWORD_PTR(info.operation));
    }
    ChangeSkin();
    return 0;
}

void CDockBarBatch::UpdateTileText()
{
    for (int i = 0; i < kBatchOperationCount; ++i) {
        if (!m_tiles[i])
            continue;
        const BatchOperationInfo& info = kBatchOperations[i];
        CString caption;
        if (info.tileCaption)
            caption = TranslateString(info.tileCaption);
        else
            caption.Format(L"%s %s", TranslateString(L"Resize"), TranslateString(L"Convert"));
        m_tiles[i]->SetName(caption);
    }
    if (GetSafeHwnd())
        Invalidate();
}

void CDockBarBatch::ChangeSkin()
{
    CKQTileUI::ChangeSkin();
    // Every tile the colour of the skin's highlight, so the panel reads as one.
    const CBCGPColor color(globalData.clrHilite);
    for (CKQWinTile* tile : m_tiles)
        if (tile)
            tile->SetBackgroundBrush(CBCGPBrush(color));
    if (GetSafeHwnd())
        Invalidate();
}

bool CDockBarBatch::OperationOf(const CBCGPWinUITile* tile, BatchOperation& operation) const
{
    for (int i = 0; i < kBatchOperationCount; ++i) {
        if (tile && tile == m_tiles[i]) {
            operation = BatchOperation(tile->GetUserData());
            return true;
        }
    }
    return false;
}

CKQWinTile* CDockBarBatch::Tile(BatchOperation operation) const
{
    for (int i = 0; i < kBatchOperationCount; ++i)
        if (m_tiles[i] && BatchOperation(m_tiles[i]->GetUserData()) == operation)
            return m_tiles[i];
    return nullptr;
}
