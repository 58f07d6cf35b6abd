#include "EffectOptionDialog.h"
#include <algorithm>
#include <cwchar>
#include "DlgControls.h"
#include "EffectPreview.h"
#include "ZVObjGraph.h"
#include "LayerInfo.h"
#include "PicEditView.h"
#include "ZVUILibApp.h"

// ---- CEffectValueTriple ----

CEffectValueTriple::CEffectValueTriple(int labelId, int sliderId, int editId, int spinId, int& value)
    : labelId(labelId), sliderId(sliderId), editId(editId), spinId(spinId), m_value(value)
{
}

void CEffectValueTriple::Exchange(CDataExchange* pDX)
{
    if (m_slider == &slider)
        DDX_Control(pDX, sliderId, slider);
    DDX_Control(pDX, editId, edit);
    DDX_Control(pDX, spinId, spin);
    if (pDX->m_bSaveAndValidate) {
        CString text;
        edit.GetWindowText(text);
        text.Trim();
        // While the user is typing "-" or nothing, the value stays what it was.
        if (!text.IsEmpty() && numedit::IsNumberText(text) && text != L"-")
            m_value = int(std::wcstod(text, nullptr));
    } else {
        const CString text = numedit::FormatNumber(m_value, 0, true);
        CString shown;
        edit.GetWindowText(shown);
        if (shown != text)
            edit.SetWindowText(text);
    }
}

void CEffectValueTriple::SetRange(EffectRange range)
{
    m_range = range;
    m_value = ClampToRange(m_value, range);
    if (m_slider->m_hWnd) {
        m_slider->SetRange(range.minimum, range.maximum, TRUE);
        m_slider->SetPos(m_value);
    }
    if (edit.m_hWnd)
        edit.SetMinMax(range.minimum, range.maximum);
    if (spin.m_hWnd) {
        // Set once: a right-aligned spin takes its room from the edit each time it is set.
        if (edit.m_hWnd && reinterpret_cast<HWND>(spin.SendMessage(UDM_GETBUDDY)) != edit.m_hWnd)
            spin.SetBuddy(&edit);
        spin.SetRangeAndDelta(range.minimum, range.maximum, 1);
    }
}

int CEffectValueTriple::SliderPos() const
{
    return m_slider->m_hWnd ? m_slider->GetPos() : m_value;
}

void CEffectValueTriple::TakeSliderPos()
{
    m_value = SliderPos();
}

void CEffectValueTriple::SetSliderPos(int pos)
{
    if (!m_slider->m_hWnd)
        return;
    m_slider->SetPos(pos);
    // The dial draws its knob and text itself: a position set from outside shows only on a paint.
    m_slider->Invalidate(FALSE);
}

void CEffectValueTriple::Show(CWnd& dialog, bool shown)
{
    for (int id : {labelId, sliderId, editId, spinId})
        if (CWnd* control = dialog.GetDlgItem(id))
            control->ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

// ---- CEffectOptionDialog ----

IMPLEMENT_DYNAMIC(CEffectOptionDialog, CZVEffectDialog)

CEffectOptionDialog::CEffectOptionDialog(UINT templateId) : CZVEffectDialog(templateId) {}

BOOL CEffectOptionDialog::OnInitDialog()
{
    // The first exchange of CDialog writes the edits: no run comes of it.
    m_writing = true;
    if (!CZVEffectDialog::OnInitDialog()) {
        m_writing = false;
        return FALSE;
    }
    EnableVisualManagerStyle(TRUE, TRUE);
    if (!CheckLayer()) {
        m_writing = false;
        // The first run, already asked for, must not reach the layer.
        m_closedAtOpening = true;
        SendMessage(WM_CLOSE);
        return FALSE;
    }
    InitOptions();
    UpdateData(FALSE);
    m_writing = false;
    return TRUE;
}

CLayerInfo* CEffectOptionDialog::HostLayer() const
{
    return m_toolHost.HasView() ? m_toolHost.view->doc.layers.GetCurrentLayer() : nullptr;
}

bool CEffectOptionDialog::CheckLayer()
{
    if (!FindToolHost(m_toolHost) || !m_toolHost.HasView())
        return true;
    CLayerDocument& doc = m_toolHost.view->doc;
    const ToolHostKind kind = m_toolHost.kind;
    switch (LayerChecks()) {
    case LayerCheck::Effect:
    case LayerCheck::TransparentColor: {
        const bool checked = kind == ToolHostKind::Editor ||
                             (kind == ToolHostKind::EffectStudio && LayerChecks() == LayerCheck::Effect);
        if (!checked)
            return true;
        CLayerInfo* layer = doc.layers.GetCurrentLayer();
        if (!layer || layer->locked)
            return false;
        // The editor's layer keeps what it shows as its source from now on.
        if (kind == ToolHostKind::Editor) {
            CDocumentLockScope hold(doc.lock);
            layer->CommitImage();
        }
        return true;
    }
    case LayerCheck::Rotate:
        if (kind == ToolHostKind::Splitter)
            return doc.layers.GetLayer(0) != nullptr;
        if (kind == ToolHostKind::Cosmetics || kind == ToolHostKind::Editor) {
            CLayerInfo* layer = doc.layers.GetCurrentLayer();
            return layer && !layer->locked;
        }
        return true;
    }
    return true;
}

void CEffectOptionDialog::DoDataExchange(CDataExchange* pDX)
{
    CZVEffectDialog::DoDataExchange(pDX);
    for (CEffectValueTriple* triple : m_triples)
        triple->Exchange(pDX);
}

void CEffectOptionDialog::SetTexts(const wchar_t* caption, std::initializer_list<DialogText> texts)
{
    if (caption)
        SetWindowText(TranslateString(caption));
    for (const DialogText& t : texts)
        SetDlgItemText(t.id, TranslateString(t.text));
    SetDlgItemText(IDOK, TranslateString(L"Ok"));
    SetDlgItemText(IDCANCEL, TranslateString(L"Cancel"));
    KQSetCtrlWidth(this);
}

void CEffectOptionDialog::SetUpColorButton(CBCGPColorButton& button, COLORREF colour, COLORREF automatic)
{
    button.EnableAutomaticButton(TranslateString(L"Automatic"), automatic);
    button.EnableOtherButton(TranslateString(L"Other"));
    int count = 0;
    const COLORREF* colours = CBCGPColor::GetRGBArray(count);
    button.SetColors(colours, count);
    button.SetColumnsNumber(14);
    button.SetColor(colour);
}

void CEffectOptionDialog::WriteControls()
{
    const bool was = m_writing;
    m_writing = true;
    UpdateData(FALSE);
    m_writing = was;
}

void CEffectOptionDialog::Rerun()
{
    OnOptionsChanged();
    StartProcess();
}

BOOL CEffectOptionDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == EN_CHANGE) {
        for (CEffectValueTriple* triple : m_triples) {
            if (triple->editId != int(LOWORD(wParam)))
                continue;
            if (!m_writing && triple->edit.m_hWnd) {
                UpdateData(TRUE);
                triple->SetSliderPos(triple->Clamped());
                Rerun();
            }
            return TRUE;
        }
    }
    return CZVEffectDialog::OnCommand(wParam, lParam);
}

BOOL CEffectOptionDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->code == NM_RELEASEDCAPTURE) {
        for (CEffectValueTriple* triple : m_triples) {
            if (triple->sliderId != int(header->idFrom) || !triple->releaseRuns)
                continue;
            UpdateData(TRUE);
            // The edit's text follows the slider, quietly.
            triple->TakeSliderPos();
            WriteControls();
            Rerun();
            if (pResult)
                *pResult = 0;
            return TRUE;
        }
    }
    return CZVEffectDialog::OnNotify(wParam, lParam, pResult);
}

std::unique_ptr<CProcessBase> CEffectOptionDialog::CreateProcessor()
{
    if (m_closedAtOpening)
        return nullptr;
    ++m_processorsMade;
    return BuildOptionProcessor();
}

namespace {

RECT PreviewFit(CZVPreviewWnd& preview, const CZVImage& picture)
{
    CRect client;
    preview.GetClientRect(&client);
    client.DeflateRect(1, 1);
    return CZVObjGraph::CalcFitWindowSize(SIZE{LONG(picture.GetWidth()), LONG(picture.GetHeight())}, client);
}

} // namespace

bool CEffectOptionDialog::HostPreviews() const
{
    return m_toolHost.kind == ToolHostKind::Editor || m_toolHost.kind == ToolHostKind::EffectStudio;
}

double CEffectOptionDialog::OpenPreview(CZVPreviewWnd& preview, CZVImage& reduced)
{
    const CZVImage& source = SourcePicture();
    if (!preview.m_hWnd || !source.IsValid())
        return 0.0;
    const RECT fit = PreviewFit(preview, source);
    const double scale = PreviewScale(fit.right - fit.left, int(source.GetWidth()));
    reduced.Copy(source);
    reduced.Zoom(fit.right - fit.left, std::max(1, PreviewHeight(int(source.GetHeight()), scale)));
    preview.m_image.Copy(reduced);
    preview.Invalidate(FALSE);
    return scale;
}

POINT CEffectOptionDialog::PreviewPointOf(CZVPreviewWnd& preview, const CZVImage& reduced, POINT at)
{
    CRect client;
    preview.GetClientRect(&client);
    const RECT fit = PreviewFit(preview, SourcePicture());
    return PreviewPointAt(at, fit, client, int(reduced.GetHeight()));
}
