#pragma once
// CDlgEditorExportLayer: the picture format the current layer is exported in.
#include "CanvasDialogRules.h"
#include "KQDialog.h"

class CDlgEditorExportLayer : public CKQDialog {
    DECLARE_DYNAMIC(CDlgEditorExportLayer)
public:
    explicit CDlgEditorExportLayer(CWnd* pParent = nullptr);
    ~CDlgEditorExportLayer() override;

    int m_type = 0;   // 0 PNG, 1 JPG, 2 GIF, 3 BMP, 4 ICO, 5 TGA, 6 WEBP

    // The save dialog's filter of the type with the translated "files"; empty above 6.
    static CString GetFileFilter(int type);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
