#pragma once
// CAnimateImage: the "loading" animation (turning frames, a percentage and a line of text) or
// a splash picture with a caption, drawn in its owner window's client area. The owner calls
// OnCreate once its window exists and OnDestroy before it goes, forwards timer kTimerId to
// OnTimer (then repaints), and calls the drawing from its paint handler while IsVisabled.
#include "AppFrame.h"
#include "PNGImageList.h"
#include "TString.h"
#include "ZVImage.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CAnimateImage {
public:
    static constexpr UINT_PTR kTimerId = 100;
    static constexpr UINT kNoSplash = 0xFFFFFFFF;

    CAnimateImage() = default;
    CAnimateImage(const CAnimateImage&) = delete;
    CAnimateImage& operator=(const CAnimateImage&) = delete;

    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    // Loads the library's loading strip (when not yet loaded) and makes the text font.
    void OnCreate();
    void OnDestroy();
    // On: the owner's timer runs every 100 ms. Off: the timer stops and the percentage goes.
    void ShowLoading(bool bShow);
    void SetLoadingText(const wchar_t* text);
    // The splash picture from a PNG resource (kNoSplash: none) with a caption below it.
    void SetSplashPage(const wchar_t* text, unsigned int nResId);
    // The percentage under the animation; -1 shows none.
    void SetProgress(int n) { m_nProgress = n; }
    bool IsVisabled() const { return m_bSplash || m_bLoading; }
    void OnTimer();
    // False, drawing nothing, while the loading animation is off.
    bool OnDrawLoading(CDC* pDC, const CRect& rc);
    // False, drawing nothing, without a splash picture.
    bool OnDrawSplash(CDC* pDC, const CRect& rc);

    int GetProgress() const { return m_nProgress; }
    const CRect& GetSplashRect() const { return m_rcSplash; }
    const CPNGImageList& GetLoadingImage() const { return m_imgLoading; }

protected:
    CWnd* m_pOwner = nullptr;
    CFont m_font;
    CZVImage m_imgSplash;
    CPNGImageList m_imgLoading;
    CSize m_szText{0, 24};
    bool m_bLoading = false;
    bool m_bSplash = false;
    int m_nProgress = -1;
    ALT::TString<wchar_t, 0, 8> m_strSplashText, m_strLoadingText;
    unsigned int m_nSplashRes = kNoSplash;
    CRect m_rcSplash{0, 0, 0, 0};
};
