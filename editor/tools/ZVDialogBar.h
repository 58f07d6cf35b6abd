#pragma once
// CZVDialogBar: the programs' dialog bars (the editor's tool context bar, the cosmetics, effect
// studio, combine and split bars). Their controls are never greyed for lack of a command
// handler: they talk to their own dialogs, not to the frame's command route.
#include "DialogBar.h"

class CZVDialogBar : public CBCGPDialogBar {
    DECLARE_DYNAMIC(CZVDialogBar)
public:
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
};
