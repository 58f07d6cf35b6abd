#pragma once
// CKQDlgTextFuncMain: the "Text" page of the text options sheet: the text, font, size, bold,
// italic and underline, the date and month tags, and the presets of WordArt.xml with their
// rendered thumbnails. Every change goes into the record at once.
#include <atomic>
#include <vector>
#include "SkinUI.h"
#include "WordArtInfo.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CKQDlgTextFuncMain : public CBCGPPropertyPage {
    DECLARE_DYNAMIC(CKQDlgTextFuncMain)
public:
    CKQDlgTextFuncMain();
    ~CKQDlgTextFuncMain() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // Sets the stop flag and waits for the thumbnail thread, serving the thread's messages.
    void StopThumbnailThread();
    bool IsThumbnailThreadRunning() const { return m_bThreadRunning; }

    CWordArtInfo* m_pWordArt = nullptr;
    int* m_pbEmptyText = nullptr;
    // The preset file; empty: WordArtPresetFile().
    CString m_strPresetFile;

    CBCGPEdit m_editText;
    CString m_strSize;
    CBCGPTextFormat m_textFormat;
    CBCGPFontComboBox m_comboFont;
    CBCGPComboBox m_comboSize;
    CBCGPButton m_btnBold, m_btnItalic, m_btnUnderline;
    CBCGPListCtrl m_listPresets;
    CImageList m_imageList;
    bool m_bSizeInPoints = false;
    LOGFONTW m_lfPreset = {};
    std::vector<CWordArtInfo> m_vecPresets;
    std::atomic<bool> m_bThreadRunning{false};
    std::atomic<bool> m_bStopThread{false};
    HANDLE m_hThread = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnChangeText();
    afx_msg void OnSelchangeFont();
    afx_msg void OnSelchangeSize();
    afx_msg void OnEditchangeSize();
    afx_msg void OnBold();
    afx_msg void OnItalic();
    afx_msg void OnUnderline();
    afx_msg void OnDate();
    afx_msg void OnMonth();
    afx_msg void OnClickPresets(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnThumbnailDone(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void SetSizeFromText(const CString& text);
    void InsertTextTag(const wchar_t* tag);
    // Shows the text in the edit without writing it into the record.
    void ShowText(const CString& text);
    void StartThumbnailThread();
    void DiscardThumbnailMessages();
    static unsigned __stdcall ThumbnailThread(void* page);

    bool m_bSettingText = false;   // the edit's change notice comes from code
    HWND m_hWndThumbTarget = nullptr;
    unsigned m_nThumbRun = 0;      // messages of an earlier run are dropped
};
