#pragma once
// CKQDlgTextFuncMain: the "Text" page of the text options sheet: the text, font, size, bold,
// italic and underline, the date and month tags, and the presets of WordArt.xml with their
// rendered thumbnails. Every change goes into the record at once.
#include <vector>
#include "SkinUI.h"
#include "WordArtInfo.h"
#include "WordArtThumbnails.h"
#include "ZVUILibDef.h"

// The controls and pictures of a Text page's template; a sheet with its own template passes
// its own.
struct KQTextMainIds {
    UINT edit, fontLabel, font, sizeLabel, size, bold, italic, underline, date, month, presets;
    UINT boldImage, italicImage, underlineImage;
};
ZVUILIB_API const KQTextMainIds& KQLibraryTextMainIds();

class ZVUILIB_API CKQDlgTextFuncMain : public CBCGPPropertyPage {
    DECLARE_DYNAMIC(CKQDlgTextFuncMain)
public:
    CKQDlgTextFuncMain();
    // A page on another module's template with its own control ids.
    CKQDlgTextFuncMain(UINT templateId, HINSTANCE module, const KQTextMainIds& ids);
    ~CKQDlgTextFuncMain() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    // Stops the fill: the stop flag, then a wait until its threads are idle.
    void StopThumbnailThread();
    bool IsThumbnailThreadRunning() const { return m_thumbnails.IsRunning(); }
    // Fills the gallery again: blank items, then the thumbnails as they come.
    void StartThumbnailThread();
    // Thumbnails of the current fill put into the gallery so far.
    int ThumbnailsShown() const { return m_nThumbnailsShown; }
    // Draws preset i's thumbnail with its top left corner at (x, y), as the gallery shows it;
    // false while it is not there.
    bool DrawThumbnail(HDC dc, int i, int x, int y) const;

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
    // Holds no pictures: its image size lays the gallery's items out.
    CImageList m_imageList;
    bool m_bSizeInPoints = false;
    LOGFONTW m_lfPreset = {};
    std::vector<CWordArtInfo> m_vecPresets;
    CWordArtThumbnailWorker m_thumbnails;

protected:
    // After the page changed the record's look (font, size, style, preset).
    virtual void OnRecordChanged() {}
    // After the user's text (typed, or a tag inserted) went into the record.
    virtual void OnTextEdited() {}

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
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
    afx_msg LRESULT OnThumbnailsDone(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnDrawPresetItem(const NMLVCUSTOMDRAW& draw);
    void RepaintArrivedThumbnails();

    DECLARE_MESSAGE_MAP()

    void SetSizeFromText(const CString& text);
    void InsertTextTag(const wchar_t* tag);
    // Shows the text in the edit without writing it into the record.
    void ShowText(const CString& text);
    void SetFont(const LOGFONTW& lf);

    const KQTextMainIds& m_ids;
    int m_nThumbnailsShown = 0;
    // The gallery's pictures, one per preset (empty until drawn), painted by the page itself: a
    // thumbnail arriving costs a move and, when in view, a part in the next repaint.
    std::vector<WordArtThumbnailPixels> m_thumbnailPixels;
    // The items in view whose thumbnails arrived since the gallery was last told to repaint, and
    // when that was: repaints come at most every kThumbnailRepaintMs while a fill runs.
    RECT m_arrivedInView = {};
    DWORD m_lastRepaint = 0;
    bool m_repaintTimer = false;
    bool m_bSettingText = false;   // the edit's change notice comes from code
};
