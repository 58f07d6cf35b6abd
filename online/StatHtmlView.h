#pragma once
// CStatHtmlView: a hidden view that loads one statistics page, so that the page counts the hit,
// and then closes and deletes itself.
#include "AppFrame.h"
#include "ZVUILibDef.h"

class ZVUILIB_API CStatHtmlView : public CHtmlView {
public:
    explicit CStatHtmlView(HWND owner = nullptr) : m_hOwner(owner) {}

    // Creates the view as a hidden child of the owner and starts loading the address; false
    // (nothing made) without an owner window or when creation fails.
    bool Active(const wchar_t* address);

    void OnDocumentComplete(LPCTSTR lpszURL) override;
    void OnNavigateError(LPCTSTR lpszURL, LPCTSTR lpszFrame, DWORD dwError, BOOL* pbCancel) override;

protected:
    void PostNcDestroy() override;

private:
    HWND m_hOwner;
};
