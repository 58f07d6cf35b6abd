#include "TextPropSheet.h"
#include "EditorAppState.h"
#include "PicEditView.h"
#include "TextPropSheetIds.h"

namespace {

const KQTextMainIds kMainIds = {IDC_TEXT_EDIT,      IDC_TEXT_FONT_LABEL, IDC_TEXT_FONT,    IDC_TEXT_SIZE_LABEL,
                                IDC_TEXT_SIZE,      IDC_TEXT_BOLD,       IDC_TEXT_ITALIC,  IDC_TEXT_UNDERLINE,
                                IDC_TEXT_DATE,      IDC_TEXT_MONTH,      IDC_TEXT_PRESETS, IDB_TEXT_BOLD,
                                IDB_TEXT_ITALIC,    IDB_TEXT_UNDERLINE};

const KQTextAdvancedIds kAdvancedIds = {
    IDC_ADV_EFFECT, IDC_ADV_TEXT_COLOR, IDC_ADV_GRADIENT_CHECK, IDC_ADV_GRADIENT_COLOR,
    IDC_ADV_OUTLINE1_COLOR, IDC_ADV_OUTLINE2_COLOR, IDC_ADV_SHADOW_CHECK, IDC_ADV_SHADOW_COLOR,
    {IDC_ADV_THICKNESS1, IDC_ADV_ALPHA1, IDC_ADV_THICKNESS2, IDC_ADV_ALPHA2, IDC_ADV_SHADOW_THICKNESS,
     IDC_ADV_SHADOW_ALPHA, IDC_ADV_SHADOW_X, IDC_ADV_SHADOW_Y},
    {IDC_ADV_THICKNESS1_SPIN, IDC_ADV_ALPHA1_SPIN, IDC_ADV_THICKNESS2_SPIN, IDC_ADV_ALPHA2_SPIN,
     IDC_ADV_SHADOW_THICKNESS_SPIN, IDC_ADV_SHADOW_ALPHA_SPIN, IDC_ADV_SHADOW_X_SPIN, IDC_ADV_SHADOW_Y_SPIN},
    IDC_ADV_EFFECT_GROUP, IDC_ADV_EFFECT_LABEL, IDC_ADV_TEXT_COLOR_LABEL, IDC_ADV_GRADIENT_LABEL,
    IDC_ADV_OUTLINE_GROUP, IDC_ADV_OUTLINE1_LABEL, IDC_ADV_THICKNESS1_LABEL, IDC_ADV_ALPHA1_LABEL,
    IDC_ADV_OUTLINE2_LABEL, IDC_ADV_THICKNESS2_LABEL, IDC_ADV_ALPHA2_LABEL, IDC_ADV_SHADOW_GROUP,
    IDC_ADV_SHADOW_COLOR_LABEL, IDC_ADV_SHADOW_THICKNESS_LABEL, IDC_ADV_SHADOW_ALPHA_LABEL,
    IDC_ADV_SHADOW_X_LABEL, IDC_ADV_SHADOW_Y_LABEL};

// The program's icon, as the editor's other windows show it.
const UINT kSheetIcon = 103;

HINSTANCE ProgramModule()
{
    return ::GetModuleHandleW(nullptr);
}

// The view whose text layers the sheet edits: the editor's active view or the effect studio's.
CPicEditView* TargetView(const CToolHost& host)
{
    if (host.kind != ToolHostKind::Editor && host.kind != ToolHostKind::EffectStudio)
        return nullptr;
    return host.HasView() ? host.view : nullptr;
}

IPageToolHost* PageHost(const CToolHost& host)
{
    if (host.kind != ToolHostKind::PageMaker || !host.hooks.pageHost)
        return nullptr;
    return host.hooks.pageHost(host.frame);
}

CLayerInfo* SelectedTextLayer(CPicEditView& view)
{
    CLayerInfo* layer = view.doc.layers.GetCurrentLayer();
    return layer && layer->type == LAYER_TEXT ? layer : nullptr;
}

// Live changes leave undo steps behind; Cancel takes the history back to its length at open.
void CutHistory(CPicEditView& view, int count)
{
    if (view.doc.history.GetCount() > count)
        view.doc.history.SetCount(count);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Target

CTextSheetTarget::CTextSheetTarget(const CToolHost& host) : m_host(host)
{
}

void CTextSheetTarget::Begin(const CWordArtInfo& style)
{
    m_styleAtOpen = style;
    m_added = false;
    m_addedSerial = 0;
    m_hadTextLayer = false;
    CPicEditView* view = TargetView(m_host);
    if (!view)
        return;
    m_historyAtOpen = view->doc.history.GetCount();
    if (CLayerInfo* layer = SelectedTextLayer(*view)) {
        m_hadTextLayer = true;
        m_editedSerial = layer->serial;
        m_editedStyle = layer->wordArt;
    }
}

bool CTextSheetTarget::Update(const CWordArtInfo& style)
{
    if (CPicEditView* view = TargetView(m_host))
        return view->SetTextLayer(style) != FALSE;
    if (IPageToolHost* page = PageHost(m_host))
        return page->UpdateSelectedTextLayer(style);
    return false;
}

void CTextSheetTarget::UpdateOrAdd(const CWordArtInfo& style)
{
    if (Update(style))
        return;
    // Adding focuses the canvas; the typing goes on in the sheet.
    const HWND focus = ::GetFocus();
    if (CPicEditView* view = TargetView(m_host)) {
        if (view->AddTextLayer(style)) {
            m_added = true;
            if (CLayerInfo* added = view->doc.layers.GetCurrentLayer())
                m_addedSerial = added->serial;
        }
    } else if (IPageToolHost* page = PageHost(m_host)) {
        m_added = page->UpdateOrAddTextLayer(style) || m_added;
    }
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
}

void CTextSheetTarget::Restore(CWordArtInfo& style)
{
    style = m_styleAtOpen;
    CPicEditView* view = TargetView(m_host);
    if (!view)
        return;
    if (m_addedSerial) {
        if (CLayerInfo* added = view->doc.layers.GetLayerBySerial(m_addedSerial)) {
            const int id = added->id;
            view->doc.layers.DeleteLayer(id);
            view->doc.layers.currentId = id - 1;
        }
    }
    if (m_hadTextLayer) {
        if (CLayerInfo* edited = view->doc.layers.GetLayerBySerial(m_editedSerial)) {
            view->doc.layers.currentId = edited->id;
            // Through the document, so that a restyle folded into the layer's add step is
            // folded back too.
            view->SetTextLayer(m_editedStyle);
            if (CLayerInfo* layer = view->doc.layers.GetLayerBySerial(m_editedSerial)) {
                layer->wordArt = m_editedStyle;
                layer->RenderText();
                view->doc.CalcLayerTracker(layer);
            }
        }
    }
    CutHistory(*view, m_historyAtOpen);
    view->RequestRedraw();
    if (m_addedSerial)
        view->NotifyLayersChanged();
}

// ---------------------------------------------------------------------------------------------
// Pages

IMPLEMENT_DYNAMIC(CDlgTextFuncMain, CKQDlgTextFuncMain)

CDlgTextFuncMain::CDlgTextFuncMain(CWordArtInfo& style, CTextSheetTarget& target)
    : CKQDlgTextFuncMain(IDD_TEXTFUNC_MAIN, ProgramModule(), kMainIds), m_target(target)
{
    m_pWordArt = &style;
    m_pbEmptyText = &newText;
}

void CDlgTextFuncMain::OnRecordChanged()
{
    m_target.Update(*m_pWordArt);
}

void CDlgTextFuncMain::OnTextEdited()
{
    textEdited = 1;
    m_target.UpdateOrAdd(*m_pWordArt);
}

IMPLEMENT_DYNAMIC(CDlgTextFuncAdvanced, CKQDlgTextFuncAdvanced)

CDlgTextFuncAdvanced::CDlgTextFuncAdvanced(CWordArtInfo& style, CTextSheetTarget& target)
    : CKQDlgTextFuncAdvanced(IDD_TEXTFUNC_ADVANCED, ProgramModule(), kAdvancedIds), m_target(target)
{
    m_pWordArt = &style;
}

void CDlgTextFuncAdvanced::OnRecordChanged()
{
    m_target.Update(*m_pWordArt);
}

// ---------------------------------------------------------------------------------------------
// Sheet

IMPLEMENT_DYNAMIC(CTextPropSheet, CKQTextSheetBase)

namespace {
CToolHost HostOf(CWnd* frame)
{
    CToolHost host;
    FindToolHost(host, frame);
    return host;
}
} // namespace

CTextPropSheet::CTextPropSheet(CWnd* frame) : CTextPropSheet(HostOf(frame), GetEditorAppState().defaultWordArt)
{
}

CTextPropSheet::CTextPropSheet(const CToolHost& host, CWordArtInfo& style)
    : CKQTextSheetBase(host.frame, ProgramModule(), kSheetIcon), m_style(style), m_target(host),
      m_pageMain(style, m_target), m_pageAdvanced(style, m_target)
{
    // A style never edited has no font: the first text is 36 points of Arial at 96 dpi.
    if (!m_style.m_LogFont.lfFaceName[0] && m_style.m_LogFont.lfHeight == 0) {
        LOGFONTW font = m_style.m_LogFont;
        font.lfHeight = -48;
        font.lfWeight = FW_NORMAL;
        wcscpy_s(font.lfFaceName, L"Arial");
        m_style.SetLogFont(&font);
    }
    AddPage(&m_pageMain);
    AddPage(&m_pageAdvanced);
}

CTextPropSheet::~CTextPropSheet() = default;

void CTextPropSheet::Begin()
{
    m_target.Begin(m_style);
}

void CTextPropSheet::End(INT_PTR result)
{
    if (result != IDOK)
        m_target.Restore(m_style);
}

INT_PTR CTextPropSheet::DoModal()
{
    Begin();
    const INT_PTR result = CKQTextSheetBase::DoModal();
    End(result);
    return result;
}

TextSheetRun RunTextPropSheet(const CToolHost& host, bool newText)
{
    CTextPropSheet sheet(host, GetEditorAppState().defaultWordArt);
    sheet.m_pageMain.newText = newText ? 1 : 0;
    TextSheetRun run;
    run.result = sheet.DoModal();
    run.addedLayer = sheet.m_target.AddedLayer();
    run.textEdited = sheet.m_pageMain.textEdited != 0;
    return run;
}
