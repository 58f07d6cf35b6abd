#pragma once
// The optimize dialog: the convert dialog's controls for JPG and WebP, a scheme chooser,
// "Remove EXIF Data" and Test, which closes with OK in test mode and creates no folder.
#include "DlgBatchConvert.h"

struct OptimizeScheme {
    const wchar_t* text;
    int quality; // 0 automatic
    bool limit;
    int size; // width and height when limited
};
const int kOptimizeSchemeCount = 4;
extern const OptimizeScheme kOptimizeSchemes[kOptimizeSchemeCount];

class CDlgOptimize : public CDlgBatchOutput {
public:
    CDlgOptimize(CBatchEngine& engine, const std::wstring& currentFolder, ProfileStore& profile);

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnScheme();
    afx_msg void OnTest();
    DECLARE_MESSAGE_MAP()
};
