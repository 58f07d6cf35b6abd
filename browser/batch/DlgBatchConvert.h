#pragma once
// The resize-and-convert dialog and, as its base, what it shares with the optimize dialog:
// type, resolution limit, quality and where the pictures go. OK writes the list engine's
// settings and the profile.
#include <string>
#include "BatchEngine.h"
#include "BatchSettings.h"
#include "KQDialog.h"

class CDlgBatchOutput : public CKQDialog {
public:
    // operation: the English name of the operation, for the default folder "Lumivo_" NAME.
    CDlgBatchOutput(UINT templateId, CBatchEngine& engine, const std::wstring& currentFolder, const wchar_t* section,
                    int typeCount, const wchar_t* operation, ProfileStore& profile);

    BatchConvertSettings m_settings;
    std::wstring m_folder; // the output folder as typed

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnOverwrite();
    afx_msg void OnToFolder();
    afx_msg void OnLimit();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

    // Reads the controls; a bad size or a read-only folder is said and keeps the dialog open.
    // Otherwise the settings go to the engine and the profile.
    bool Validate();
    // Puts the settings into the controls.
    void ShowSettings();
    void EnableControls();
    void Say(const wchar_t* text);
    std::wstring DefaultFolder() const;

    CBatchEngine& m_engine;
    std::wstring m_currentFolder;
    const wchar_t* m_section;
    int m_typeCount;
    const wchar_t* m_operation;
    ProfileStore& m_profile;
    CSliderCtrl m_resolutionSlider;
    CSliderCtrl m_qualitySlider;
    CBCGPButton m_browse;
};

class CDlgBatchConvert : public CDlgBatchOutput {
public:
    CDlgBatchConvert(CBatchEngine& engine, const std::wstring& currentFolder, ProfileStore& profile);
};
