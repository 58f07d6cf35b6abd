#pragma once
// CDlgEditorEffectProcessing: an effect without options (grey, negative, edges...). In its
// automatic mode it shows only "Stop" and closes with OK when the first run is done; otherwise
// the user keeps the result with "Ok".
#include "EffectOptionDialog.h"

class CDlgEditorEffectProcessing : public CEffectOptionDialog {
    DECLARE_DYNAMIC(CDlgEditorEffectProcessing)
public:
    CDlgEditorEffectProcessing();
    ProcessingOptions m_options;   // the creator sets the index and the automatic flag

protected:
    void InitOptions() override;
    std::unique_ptr<CProcessBase> BuildOptionProcessor() override;
};
