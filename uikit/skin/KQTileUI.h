#pragma once
// Tile panels of the programs' start page and batch panel: CKQTileUI (the control) with its
// collection CKQWinUITiles and tiles CKQWinTile. AddTile makes a tile in the skin's manner;
// ChangeSkin re-colours the background and the tiles for the current skin.
#include "SkinUI.h"
#include "TList.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQWinTile : public CBCGPWinUITile {
public:
    CKQWinTile();
    CKQWinTile(const CString& strName, BCGP_WINUI_TILE_TYPE type, const CBCGPColor& colorText, const CBCGPBrush& brushBackground,
               const CBCGPColor& colorBorder);
    void CommonInit();
    // Ids of the tile's animation frames: nFirstRes, nFirstRes + 1, ... for nCount ids (at most
    // kMaxAnimation; nothing for a count of 0 or less). Ids past the count stay as they were.
    void SetAnimationRes(unsigned int nFirstRes, int nCount);

    static const int kMaxAnimation = 7;
    unsigned int m_nAnimationRes[kMaxAnimation];
};

class ZVUILIB_API CKQWinUITiles : public CBCGPWinUITiles {
public:
    CKQWinUITiles();
};

class ZVUILIB_API CKQTileUI : public CBCGPWinUITilesCtrl {
    DECLARE_DYNCREATE(CKQTileUI)
public:
    CKQTileUI();
    ~CKQTileUI() override;

    CBCGPWinUITiles* GetWinUITiles() override;
    // A tile of the caption and colours with the picture resource nImageRes (of the current
    // resource module), in group nGroup; its user data is the command, its description the
    // frame's message string of the command.
    CKQWinTile* AddTile(const CString& strCaption, unsigned int nImageRes, const CBCGPColor& clrBack, const CBCGPColor& clrText,
                        int nGroup, unsigned int nCommand, BCGP_WINUI_TILE_TYPE type = BCGP_TILE_REGULAR,
                        BCGP_WINUI_BADGE_GLYPH glyph = BCGP_NONE);
    // The background (picture resource, picture file resampled, or a gradient of the window and
    // bar colours), the scroll bar and the tiles after a skin change.
    void ChangeSkin();
    void ModifyTiles();

    // Set by the owner before ChangeSkin.
    struct SizeD { double cx = 0, cy = 0; } m_szBackground;   // a background file is resampled to it
    ALT::TList<CKQWinTile*> m_lstTiles;   // the tiles stay the collection's
    int m_nTileTextureRes = -1;
    int m_nBackgroundRes = -1;
    CString m_strBackground;
    CBCGPBrush m_brFill;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
