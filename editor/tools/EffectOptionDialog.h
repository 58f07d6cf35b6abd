#pragma once
// CEffectOptionDialog: what the effect option dialogs share on top of the run of
// CZVEffectDialog: the host's layer checks at opening, translated and widened texts, colour
// buttons, and the value triples (slider, number edit and its spin on one range) whose changes
// start a run. Values the dialog writes into its own controls start nothing.
#include <initializer_list>
#include <vector>
#include "EffectTables.h"
#include "KQNumEdit.h"
#include "KQNumSpinCtrl.h"
#include "ZVEffectDialog.h"
#include "ZVPreviewWnd.h"

// One value shown three ways. The spin's buddy is the edit; all three share the range.
class CEffectValueTriple {
public:
    CEffectValueTriple(int labelId, int sliderId, int editId, int spinId, int& value);
    // Another slider in place of the one made here (the rotate dialog's dial).
    void UseSlider(CSliderCtrl& slider) { m_slider = &slider; }
    // The controls, then the value: a text that is no number yet leaves the value alone.
    void Exchange(CDataExchange* pDX);
    // Range on all three; the value is moved into it.
    void SetRange(EffectRange range);
    EffectRange Range() const { return m_range; }
    int Clamped() const { return ClampToRange(m_value, m_range); }
    int SliderPos() const;
    // The value := the slider's position.
    void TakeSliderPos();
    void SetSliderPos(int pos);
    void Show(CWnd& dialog, bool shown);

    const int labelId, sliderId, editId, spinId;
    // A released slider starts a run (the dial runs when its thumb is dropped instead).
    bool releaseRuns = true;
    CBCGPSliderCtrl slider;
    CKQNumEdit edit;
    CKQNumSpinCtrl spin;

private:
    int& m_value;
    CSliderCtrl* m_slider = &slider;
    EffectRange m_range = {0, 100};
};

struct DialogText {
    int id;
    const wchar_t* text;
};

class CEffectOptionDialog : public CZVEffectDialog {
    DECLARE_DYNAMIC(CEffectOptionDialog)
public:
    explicit CEffectOptionDialog(UINT templateId);

    // Processors built so far: one per run.
    int m_processorsMade = 0;

protected:
    // What the layer checks at opening look for.
    enum class LayerCheck {
        Effect,            // the editor's and studio's current layer; the editor commits it
        Rotate,            // the cosmetics' and editor's current layer, the splitter's layer 0
        TransparentColor,  // the editor's current layer, committed
    };

    BOOL OnInitDialog() final;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    std::unique_ptr<CProcessBase> CreateProcessor() final;

    // Texts, ranges and start values, once the layer checks passed.
    virtual void InitOptions() = 0;
    virtual std::unique_ptr<CProcessBase> BuildOptionProcessor() = 0;
    virtual LayerCheck LayerChecks() const { return LayerCheck::Effect; }
    // An option changed by the user, before its run starts.
    virtual void OnOptionsChanged() {}

    void AddTriple(CEffectValueTriple& triple) { m_triples.push_back(&triple); }
    // The caption and texts translated, with "Ok" and "Cancel", the labels widened.
    void SetTexts(const wchar_t* caption, std::initializer_list<DialogText> texts);
    // "Automatic" (showing `automatic`), "Other", the standard colours in 14 columns.
    void SetUpColorButton(CBCGPColorButton& button, COLORREF colour, COLORREF automatic);
    // UpdateData(FALSE) without the edits' change notes starting runs.
    void WriteControls();
    // The user changed an option: its run starts.
    void Rerun();
    // The host's view and layer, when there is one.
    CLayerInfo* HostLayer() const;
    // The lens flare's and sunshine's preview: a copy of the source reduced to fit the control
    // (1 pixel inside its edge), shown there; the scale of the copy comes back.
    double OpenPreview(CZVPreviewWnd& preview, CZVImage& reduced);
    // A point of the preview's client area as a point of the reduced copy, y from its bottom.
    POINT PreviewPointOf(CZVPreviewWnd& preview, const CZVImage& reduced, POINT client);
    // Whether the host shows previews and picture-sized ranges (the editor and the studio).
    bool HostPreviews() const;
    int PictureWidth() const { return int(SourcePicture().GetWidth()); }
    int PictureHeight() const { return int(SourcePicture().GetHeight()); }

    CToolHost m_toolHost;
    bool m_writing = false;

private:
    bool CheckLayer();
    bool m_closedAtOpening = false;
    std::vector<CEffectValueTriple*> m_triples;
};
