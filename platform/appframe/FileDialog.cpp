#include "FileDialog.h"
#include "WinApp.h"

namespace appframe {

std::vector<CString> SplitSelection(const wchar_t* buffer, size_t capacity)
{
    std::vector<CString> names;
    if (!buffer)
        return names;
    size_t at = 0;
    while (at < capacity && buffer[at]) {
        size_t end = at;
        while (end < capacity && buffer[end])
            ++end;
        if (end == capacity)   // not terminated inside the buffer: a torn name is no name
            break;
        names.push_back(CString(buffer + at, static_cast<int>(end - at)));
        at = end + 1;
    }
    if (names.size() <= 1)
        return names;
    // A folder and the names in it.
    CString folder = names.front();
    if (folder.Right(1) != L"\\")
        folder += L"\\";
    std::vector<CString> paths;
    for (size_t i = 1; i < names.size(); ++i)
        paths.push_back(folder + names[i]);
    return paths;
}

CString FilterFromBars(LPCTSTR lpszFilter)
{
    CString filter = lpszFilter ? lpszFilter : L"";
    if (filter.IsEmpty())
        return filter;
    if (filter.Right(1) != L"|")
        filter += L"|";
    filter += L"|";
    // The zeros are written in place: CString keeps its length across them.
    for (int i = 0; i < filter.GetLength(); ++i)
        if (filter[i] == L'|')
            filter.SetAt(i, L'\0');
    return filter;
}

} // namespace appframe

// ---------------------------------------------------------------------------------------------
// CFileDialog

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
                         CWnd* pParentWnd, DWORD, BOOL)
    : m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(MAX_PATH, L'\0')
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    if (lpszFileName)
        lstrcpynW(m_fileBuffer.data(), lpszFileName, static_cast<int>(m_fileBuffer.size()));
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFileTitle = m_titleBuffer;
    m_ofn.nMaxFileTitle = MAX_PATH;
    if (lpszDefExt) {
        // The system wants the extension without its dot.
        m_defExt = lpszDefExt[0] == L'.' ? lpszDefExt + 1 : lpszDefExt;
        m_ofn.lpstrDefExt = m_defExt;
    }
    m_filter = appframe::FilterFromBars(lpszFilter);
    if (!m_filter.IsEmpty())
        m_ofn.lpstrFilter = m_filter.GetString();
    m_ofn.nFilterIndex = 1;
}

INT_PTR CFileDialog::DoModal()
{
    m_paths.clear();
    m_ofn.hwndOwner = ModalOwner();
    m_ofn.hInstance = AfxGetResourceHandle();
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

POSITION CFileDialog::GetStartPosition() const
{
    m_paths = appframe::SplitSelection(m_ofn.lpstrFile, m_ofn.nMaxFile);
    return m_paths.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<UINT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const size_t index = static_cast<size_t>(reinterpret_cast<UINT_PTR>(pos));
    if (index == 0 || index > m_paths.size()) {
        pos = nullptr;
        return CString();
    }
    pos = index < m_paths.size() ? reinterpret_cast<POSITION>(static_cast<UINT_PTR>(index + 1)) : nullptr;
    return m_paths[index - 1];
}

CString CFileDialog::GetPathName() const
{
    const std::vector<CString> paths = appframe::SplitSelection(m_ofn.lpstrFile, m_ofn.nMaxFile);
    return paths.empty() ? CString() : paths.front();
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    return path.Mid(path.ReverseFind(L'\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const
{
    const CString path = GetPathName();
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? CString() : path.Left(slash);
}

// ---------------------------------------------------------------------------------------------
// CColorDialog

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = { RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                   RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                   RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                   RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255) };
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = ModalOwner();
    // Black is a colour too: the initial colour is always the one to start from.
    m_cc.Flags |= CC_RGBINIT;
    return ::ChooseColorW(&m_cc) ? IDOK : IDCANCEL;
}
