#pragma once
// CFileDialog: the system's open and save dialogs (Explorer style). Callers may hand in their
// own name buffer through m_ofn.lpstrFile and m_ofn.nMaxFile before DoModal (multi-selection
// needs a large one); the names chosen are read back with GetPathName, or for a multi-selection
// GetStartPosition / GetNextPathName. CColorDialog: the system's colour dialog.
#include <vector>
#include "Dialog.h"
#include <commdlg.h>
#include "ListCtrl.h"

class APPFRAME_API CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: pairs "text|pattern|" ending with "|"; dwSize and bVistaStyle are accepted for
    // callers that pass them (the record has one size, the style is always Explorer's).
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr, DWORD dwSize = 0, BOOL bVistaStyle = TRUE);

    OPENFILENAMEW m_ofn = {};

    // IDOK or IDCANCEL (also when the name buffer is too small for the selection).
    INT_PTR DoModal() override;
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

private:
    BOOL m_bOpenFileDialog;
    std::vector<wchar_t> m_fileBuffer;
    wchar_t m_titleBuffer[MAX_PATH] = {};
    CString m_filter;
    CString m_defExt;
    mutable std::vector<CString> m_paths;   // the selection, read when asked
};

class APPFRAME_API CColorDialog : public CDialog {
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    CHOOSECOLORW m_cc = {};
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    // The sixteen custom colours, shared by every colour dialog of the process.
    static COLORREF* GetSavedCustomColors();
};

namespace appframe {
// The names of a name buffer after an open dialog: one full path, or a folder followed by names
// (a multi-selection). Nothing is read past capacity characters.
APPFRAME_API std::vector<CString> SplitSelection(const wchar_t* buffer, size_t capacity);
// "text|pattern|...|" into the system's form: zeros for bars, two at the end.
APPFRAME_API CString FilterFromBars(LPCTSTR lpszFilter);
} // namespace appframe
