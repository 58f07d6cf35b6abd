#pragma once
// CDlgProcFrame: the photo frame dialog of the page maker. It frames the current page picture
// without its old frame, fits the framed picture to the slot's size and turns it by the slot's
// angle; the slot layer's source becomes the framed picture and its picture the fitted one.
#include "DlgFrameBase.h"

class CDlgProcFrame : public CDlgFrameBase {
    DECLARE_DYNAMIC(CDlgProcFrame)
public:
    explicit CDlgProcFrame(CWnd* pParent = nullptr);
    ~CDlgProcFrame() override;

protected:
    bool TakeHost() override;
    long BaseWidth() const override;
    bool Render(CFrameRun& run) override;
    void TakeResult() override;
    void RestoreHost() override;
    void EscapeCopies() override;

private:
    CZVImage m_unframed;   // the page picture without a frame, each render's start
    CZVImage m_backup;     // the layer's picture at opening, for Cancel
    CZVImage m_framed;     // the render's framed copy, the layer's new source
    CZVImage m_fitted;     // the framed copy at the slot's size and angle, the layer's new picture
    float m_angle = 0;     // radians
    long m_width = 0;
    long m_height = 0;
};
