#pragma once
// The rotate dialog: five ways to turn or flip the pictures, shown on the sample; OK gives the
// KQBatch command and its arguments.
#include <string>
#include "BatchCommands.h"
#include "KQDialog.h"
#include "ZVImageStatic.h"

class CDlgBatchRotate : public CKQDialog {
public:
    explicit CDlgBatchRotate(const std::wstring& samplePath, CWnd* parent = nullptr);

    std::wstring m_command;
    std::wstring m_arguments;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnChoice(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_samplePath;
    CZVImage m_sample; // fitted to the picture box
    CZVImageStatic m_picture;
    CRect m_pictureArea;
};
