#pragma once
// The back/forward history of the folders the browser showed, with the enable rules of its two
// buttons. It lives as long as the tool bar and is never saved.
#include <optional>
#include <string>
#include <vector>

class FolderHistory {
public:
    void Push(const std::wstring& folder);
    std::optional<std::wstring> Back();
    std::optional<std::wstring> Forward();
    bool CanGoBack() const { return m_index > 0; }
    bool CanGoForward() const { return !m_folders.empty() && m_index < Count() - 1; }
    int Count() const { return static_cast<int>(m_folders.size()); }
    int Index() const { return m_index; }

private:
    std::vector<std::wstring> m_folders;
    int m_index = -1; // the folder shown; -1 before the first
};
