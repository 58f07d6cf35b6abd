#pragma once
// The watermark dialog: a picture or a piece of effect text, its place, size and opacity on a
// preview of the sample. OK gives KQBatch's argument text; a text watermark is written to a
// temporary file that the run owns.
#include <string>
#include "KQDialog.h"
#include "WatermarkGeometry.h"
#include "WatermarkWnd.h"
#include "WordArtInfo.h"
#include "ZVImageStatic.h"

class ProfileStore;

class CDlgBatchWatermark : public CKQDialog {
public:
    CDlgBatchWatermark(const std::wstring& samplePath, ProfileStore& profile, CWnd* parent = nullptr);

    std::wstring m_arguments;  // after OK
    std::wstring m_tempFile;   // after OK with a text watermark: the file the run deletes
    bool m_textWatermark = false;
    WatermarkSettings m_settings;

    CWatermarkWnd& Preview() { return m_preview; }
    // The watermark from a picture file, as Browse takes it; false when it does not load.
    bool UseWatermarkFile(const wchar_t* path);
    // The rendered text as the watermark, as Text takes it after its sheet.
    void UseTextWatermark(const CZVImage& rendered, int zoomScale);

    static const UINT_PTR kOffsetTimer = 0, kOpacityTimer = 1, kZoomTimer = 2;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowse();
    afx_msg void OnText();
    afx_msg void OnDefault();
    afx_msg void OnPosition();
    afx_msg void OnUseZoom();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnOffsetEdited();
    afx_msg void OnOpacityEdited();
    afx_msg void OnZoomEdited();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    // The picture box takes the watermark's shape inside its place, so that it is not stretched.
    void FitPictureBox(SIZE picture);
    void ShowValues();
    void ShowPlace();
    void EnableZoomControls();
    void Rebuild();
    void ReadOffsets();
    // The value of a percent edit after a pause: limited to 1..100 in the edit; -1 when empty.
    int SettleEdit(int id);
    void Edited(UINT_PTR timer);

    std::wstring m_samplePath;
    ProfileStore& m_profile;
    CWatermarkWnd m_preview;
    CZVImageStatic m_picture;
    CRect m_pictureArea;
    CSliderCtrl m_opacitySlider, m_zoomSlider;
    CWordArtInfo m_wordArt;
    bool m_updating = false;
};
