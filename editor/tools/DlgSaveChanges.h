#pragma once
// CDlgSaveChanges: before a document that came from a file is saved, whether to overwrite that
// file or to write a time-stamped copy beside it, and whether to stop asking.
// CDlgExportShapeToPage: where the shapes of a picture go as a page (a scene or a template
// page), with or without the alpha channel, and whether the page maker opens afterwards.
#include "KQDialog.h"

class CDlgSaveChanges : public CKQDialog {
    DECLARE_DYNAMIC(CDlgSaveChanges)
public:
    explicit CDlgSaveChanges(CWnd* pParent = nullptr);

    int m_choice = 0;        // 0 overwrite, 1 a copy under a new name
    BOOL m_dontAsk = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnDontAsk();
    DECLARE_MESSAGE_MAP()
};

class CDlgExportShapeToPage : public CKQDialog {
    DECLARE_DYNAMIC(CDlgExportShapeToPage)
public:
    explicit CDlgExportShapeToPage(CWnd* pParent = nullptr);

    int m_target = 0;        // 0 scene page, 1 template page
    BOOL m_alpha = FALSE;
    BOOL m_runPages = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnScene();
    afx_msg void OnTemplate();
    DECLARE_MESSAGE_MAP()

private:
    void ShowPicture(bool templatePage);
};
