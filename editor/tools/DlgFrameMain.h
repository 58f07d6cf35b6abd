#pragma once
// CDlgFrameMain: the photo frame dialog of the editor and the effect studio. It frames the
// host's picture (the editor's current layer, the studio's layer 0 after the studio's colour
// adjustments) and shows each render on that layer.
#include "DlgFrameBase.h"

class CDlgFrameMain : public CDlgFrameBase {
    DECLARE_DYNAMIC(CDlgFrameMain)
public:
    explicit CDlgFrameMain(CWnd* pParent = nullptr);
    ~CDlgFrameMain() override;

    bool InEffectStudio() const { return m_bEffectStudio; }
    const FrameAdjustments& Adjustments() const { return m_adjust; }

protected:
    bool TakeHost() override;
    long BaseWidth() const override;
    bool Render(CFrameRun& run) override;
    void TakeResult() override;
    void RestoreHost() override;
    void EscapeCopies() override;
    void OnTypeChosen(int type) override;

private:
    CZVImage m_base;     // the host's picture at opening, each render's start
    CZVImage m_backup;   // the layer's picture at opening, for Cancel
    CZVImage m_work;     // the render's copy; handed to the layer when it is done
    bool m_bEffectStudio = false;
    FrameAdjustments m_adjust;
};
