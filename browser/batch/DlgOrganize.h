#pragma once
// The organize dialog: sort the pictures into sub-folders by date or by resolution, copied or
// moved into an output folder. Each of the two large buttons ends the dialog with OK.
#include <string>
#include "BatchEngine.h"
#include "KQDialog.h"

class CDlgOrganize : public CKQDialog {
public:
    CDlgOrganize(CBatchEngine& engine, const std::wstring& currentFolder, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;
    // Enter chooses nothing: only the two methods end the dialog with OK.
    void OnOK() override {}
    afx_msg void OnDate();
    afx_msg void OnResolution();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

private:
    void Finish(int organizeBy);

    CBatchEngine& m_engine;
    std::wstring m_currentFolder;
    CBCGPButton m_date, m_resolution, m_browse;
};
