#pragma once
// CPagePicViewOption: the options' "Browse" page: the viewer's background colour, the slide
// show's interval, the background music (on or off, volume, the list of tunes) and folder
// thumbnails in the picture list. Apply reaches an open viewer and the list at once.
#include <string>
#include <vector>
#include "KQPropertyPage.h"

class CPagePicViewOption;

// The music list: its New button browses for tunes instead of naming an empty item.
class CCustomEditListBox : public CBCGPEditListBox {
public:
    void OnClickButton(int iButton) override;
    // Adds what the user picks in a multi-select file dialog; the page hears of the change.
    void BrowseForMusic();

    CPagePicViewOption* m_pPage = nullptr;
};

class CPagePicViewOption : public CKQPropertyPage {
public:
    CPagePicViewOption();
    void LoadSetting() override;
    void SaveSetting() override;
    // Up and down buttons: one second more or less, within 1 to 1000.
    void StepInterval(int delta);
    // The list changed or is about to.
    void MusicListChanged();

    // The file dialog that picks tunes; tests answer it.
    std::vector<std::wstring> (*m_pPickMusic)(CWnd* owner) = nullptr;

    CBCGPColorButton m_btnColor;
    CCustomEditListBox m_listMusic;
    CBCGPSliderCtrl m_sliderVolume;
    COLORREF m_clrBackground = static_cast<COLORREF>(-1);
    int m_nPlaySpeed = 5;
    int m_bPlayMusic = 0;
    int m_bFolderThumb = 1;
    int m_nVolume = 50;
    bool m_bColorChanged = false, m_bMusicChanged = false, m_bFolderThumbChanged = false;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAdd();
    afx_msg void OnClear();
    afx_msg void OnDefault();
    afx_msg void OnColor();
    afx_msg void OnPlayMusic();
    afx_msg void OnIntervalChanged();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnFolderThumb();
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

private:
    void ShowVolume();
    bool m_bLoading = false;
};

// "Music\Lilac.wma" of the data folder: the music list's default.
std::wstring DefaultMusicPath();
