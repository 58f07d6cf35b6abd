#pragma once
// CTextPropSheet: the editor's "Text Options" sheet. Its pages are the library's with the
// editor's templates; they edit the shared text style, and every change goes at once into the
// selected text layer of the mode it runs for (a text change with none selected adds one), so
// that the canvas is the preview. Cancel gives back the style and the layer as they were.
#include <cstdint>
#include "KQDlgTextFuncAdvanced.h"
#include "KQDlgTextFuncMain.h"
#include "KQTextPropSheet.h"
#include "LayerInfo.h"
#include "ToolHost.h"
#include "WordArtInfo.h"

// Where the sheet's changes go: the mode's view, or the page maker's host.
class CTextSheetTarget {
public:
    explicit CTextSheetTarget(const CToolHost& host);

    // Remembers what Cancel gives back: the style, the selected text layer's style and the
    // history's length.
    void Begin(const CWordArtInfo& style);
    // The selected text layer takes the style; false when none is selected (or no target).
    bool Update(const CWordArtInfo& style);
    // The same, and a new text layer with the style when none is selected.
    void UpdateOrAdd(const CWordArtInfo& style);
    // Cancel: the style as it was, the edited layer restyled back, the added layer gone with
    // its history step.
    void Restore(CWordArtInfo& style);
    // The serial of the layer the sheet added (0 for none, or for the page maker's layers).
    uint32_t AddedSerial() const { return m_addedSerial; }
    bool AddedLayer() const { return m_added; }

private:
    CToolHost m_host;
    CWordArtInfo m_styleAtOpen;
    bool m_hadTextLayer = false;
    uint32_t m_editedSerial = 0;
    LayerWordArt m_editedStyle;
    int m_historyAtOpen = 0;
    bool m_added = false;
    uint32_t m_addedSerial = 0;
};

class CDlgTextFuncMain : public CKQDlgTextFuncMain {
    DECLARE_DYNAMIC(CDlgTextFuncMain)
public:
    CDlgTextFuncMain(CWordArtInfo& style, CTextSheetTarget& target);

    int newText = 1;      // the box starts with the prompt; cleared to edit the style's text
    int textEdited = 0;   // the user changed the text

protected:
    void OnRecordChanged() override;
    void OnTextEdited() override;
    CTextSheetTarget& m_target;
};

class CDlgTextFuncAdvanced : public CKQDlgTextFuncAdvanced {
    DECLARE_DYNAMIC(CDlgTextFuncAdvanced)
public:
    CDlgTextFuncAdvanced(CWordArtInfo& style, CTextSheetTarget& target);

protected:
    void OnRecordChanged() override;
    CTextSheetTarget& m_target;
};

class CTextPropSheet : public CKQTextSheetBase {
    DECLARE_DYNAMIC(CTextPropSheet)
public:
    // For the mode of the frame (the application's main window when null), on the editor's
    // shared text style.
    explicit CTextPropSheet(CWnd* frame = nullptr);
    CTextPropSheet(const CToolHost& host, CWordArtInfo& style);
    ~CTextPropSheet() override;

    // Modal; after Cancel the style and the layers are as they were when it opened.
    INT_PTR DoModal() override;
    // The modeless form for tests and demos: Begin before Create, End with the result after.
    void Begin();
    void End(INT_PTR result);

    CWordArtInfo& m_style;
    CTextSheetTarget m_target;
    CDlgTextFuncMain m_pageMain;
    CDlgTextFuncAdvanced m_pageAdvanced;
};

// What a run of the sheet gives its caller.
struct TextSheetRun {
    INT_PTR result = IDCANCEL;
    bool addedLayer = false;   // a text layer was added (and removed again on Cancel)
    bool textEdited = false;
};

// Runs the sheet modally for the host's mode on the editor's shared text style. A new text
// starts with the prompt; otherwise the caller has put the layer's style into the shared style.
TextSheetRun RunTextPropSheet(const CToolHost& host, bool newText);
