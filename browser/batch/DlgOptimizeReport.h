#pragma once
// The report at the end of an optimize run: sizes before and after, the gain and the count.
#include <cstdint>
#include "KQDialog.h"

class CDlgOptimizeReport : public CKQDialog {
public:
    CDlgOptimizeReport(uint64_t sizeBefore, uint64_t sizeAfter, int count, CWnd* parent = nullptr);

protected:
    BOOL OnInitDialog() override;

private:
    CBCGPButton m_ok;
    uint64_t m_sizeBefore, m_sizeAfter;
    int m_count;
};
