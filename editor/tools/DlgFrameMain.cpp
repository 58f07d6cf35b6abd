#include "DlgFrameMain.h"
#include "LayerInfo.h"
#include "PicEditView.h"

IMPLEMENT_DYNAMIC(CDlgFrameMain, CDlgFrameBase)

CDlgFrameMain::CDlgFrameMain(CWnd* pParent) : CDlgFrameBase(pParent) {}

CDlgFrameMain::~CDlgFrameMain()
{
    // Before the pictures the worker uses go.
    StopRender();
}

bool CDlgFrameMain::TakeHost()
{
    m_bEffectStudio = m_host.kind == ToolHostKind::EffectStudio;
    if (m_bEffectStudio) {
        // The studio's brushes would paint on a picture the dialog is about to replace.
        if (m_host.hooks.emptyBrushPictures)
            m_host.hooks.emptyBrushPictures(m_host.frame);
        if (m_host.hooks.resetBrushTool)
            m_host.hooks.resetBrushTool(m_host.frame);
        if (m_host.hooks.colourAdjustments)
            m_adjust = m_host.hooks.colourAdjustments(m_host.frame);
    }
    m_host.TakeLayerZero();
    CLayerInfo* layer = m_host.TargetLayer();
    if (!layer || !layer->displayed.IsValid())
        return false;
    CDocumentLockScope hold(m_host.view->doc.lock);
    // The editor frames the layer's full picture; the studio its layer 0 as shown.
    const bool fromSource = !m_bEffectStudio && layer->source.IsValid();
    return m_base.Copy(fromSource ? layer->source : layer->displayed) && m_backup.Copy(layer->displayed);
}

long CDlgFrameMain::BaseWidth() const
{
    return long(m_base.GetWidth());
}

bool CDlgFrameMain::Render(CFrameRun& run)
{
    if (!m_work.Copy(m_base))
        return false;
    // The copy clears the escape flag; a stop that came before it still counts.
    if (run.stop.load())
        return false;
    SetRenderProgress(30);
    return FramePicture(m_work, Frame(), run.zoom, run.type, m_adjust);
}

void CDlgFrameMain::TakeResult()
{
    CLayerInfo* layer = m_host.HasView() ? m_host.TargetLayer() : nullptr;
    if (!layer || !m_work.IsValid())
        return;
    {
        CDocumentLockScope hold(m_host.view->doc.lock);
        layer->displayed.Transfer(m_work);
        layer->ClearZoomedCopy();
    }
    m_host.view->RequestRedraw();
}

void CDlgFrameMain::RestoreHost()
{
    CLayerInfo* layer = m_host.HasView() ? m_host.TargetLayer() : nullptr;
    if (!layer || !m_backup.IsValid())
        return;
    {
        CDocumentLockScope hold(m_host.view->doc.lock);
        layer->displayed.Copy(m_backup);
        layer->ClearZoomedCopy();
    }
    m_host.view->RequestRedraw();
}

void CDlgFrameMain::OnTypeChosen(int type)
{
    // A stretched frame has no border size to choose.
    EnableZoomRow(type != FRAME_ZOOM);
}

void CDlgFrameMain::EscapeCopies()
{
    m_work.SetEscape(1);
}
