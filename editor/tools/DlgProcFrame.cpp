#include "DlgProcFrame.h"
#include "LayerInfo.h"
#include "PicEditView.h"

IMPLEMENT_DYNAMIC(CDlgProcFrame, CDlgFrameBase)

CDlgProcFrame::CDlgProcFrame(CWnd* pParent) : CDlgFrameBase(pParent) {}

CDlgProcFrame::~CDlgProcFrame()
{
    // Before the pictures the worker uses go.
    StopRender();
}

bool CDlgProcFrame::TakeHost()
{
    IPageToolHost* page = m_host.hooks.pageHost ? m_host.hooks.pageHost(m_host.frame) : nullptr;
    CLayerInfo* layer = m_host.view->doc.layers.GetCurrentLayer();
    if (!page || !layer || !page->GetCurrentPictureUnframed(m_unframed) || !m_unframed.IsValid())
        return false;
    CDocumentLockScope hold(m_host.view->doc.lock);
    m_angle = layer->angle;
    m_width = layer->width;
    m_height = layer->height;
    return m_backup.Copy(layer->displayed);
}

long CDlgProcFrame::BaseWidth() const
{
    return long(m_unframed.GetWidth());
}

bool CDlgProcFrame::Render(CFrameRun& run)
{
    if (!m_framed.Copy(m_unframed) || run.stop.load())
        return false;
    SetRenderProgress(30);
    if (!FramePicture(m_framed, Frame(), run.zoom, run.type, FrameAdjustments()) || run.stop.load())
        return false;
    SetRenderProgress(70);
    return FitFrameToSlot(m_framed, m_width, m_height, m_angle, m_fitted);
}

void CDlgProcFrame::TakeResult()
{
    CLayerInfo* layer = m_host.HasView() ? m_host.view->doc.layers.GetCurrentLayer() : nullptr;
    if (!layer || !m_framed.IsValid() || !m_fitted.IsValid())
        return;
    {
        CDocumentLockScope hold(m_host.view->doc.lock);
        layer->source.Copy(m_framed);
        layer->displayed.Transfer(m_fitted);
        layer->ClearZoomedCopy();
    }
    m_host.view->RequestRedraw();
}

void CDlgProcFrame::RestoreHost()
{
    CLayerInfo* layer = m_host.HasView() ? m_host.view->doc.layers.GetCurrentLayer() : nullptr;
    if (!layer)
        return;
    {
        CDocumentLockScope hold(m_host.view->doc.lock);
        layer->source.Copy(m_unframed);
        if (m_backup.IsValid())
            layer->displayed.Copy(m_backup);
        layer->ClearZoomedCopy();
    }
    m_host.view->RequestRedraw();
}

void CDlgProcFrame::EscapeCopies()
{
    m_framed.SetEscape(1);
    m_fitted.SetEscape(1);
}
