#include "FolderHistory.h"

// Opening the folder already shown (a refresh, the list reopening its own folder) records nothing;
// the comparison is exact, so a folder typed in another case is a new entry.
void FolderHistory::Push(const std::wstring& folder)
{
    if (m_index >= 0 && m_index < Count() && m_folders[m_index] == folder)
        return;
    ++m_index;
    if (m_index < Count()) {
        // A new folder after going back: the forward entries are dropped.
        m_folders.resize(m_index);
    }
    m_folders.push_back(folder);
}

// Each step returns the folder to open, or nothing when the button would be disabled.
std::optional<std::wstring> FolderHistory::Back()
{
    if (!CanGoBack())
        return std::nullopt;
    --m_index;
    return m_folders[m_index];
}

std::optional<std::wstring> FolderHistory::Forward()
{
    if (!CanGoForward())
        return std::nullopt;
    ++m_index;
    return m_folders[m_index];
}
