#include "CopyMoveRules.h"

int FavoriteIndexForCommand(unsigned id, unsigned firstFavoriteId, int favoriteCount)
{
    if (id < firstFavoriteId)
        return -1;
    const unsigned index = id - firstFavoriteId;
    return favoriteCount > 0 && index < unsigned(favoriteCount) ? int(index) : -1;
}

std::wstring TargetFolderName(const std::wstring& folder)
{
    const size_t slash = folder.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return folder;
    const std::wstring last = folder.substr(slash + 1);
    return last.empty() ? folder : last;
}

// The shell may move some files and leave others (a locked file, a refused overwrite); an item
// whose file is still there stays in the list.
std::vector<std::wstring> PathsMovedAway(const std::vector<std::wstring>& paths,
                                         const std::function<bool(const std::wstring&)>& exists)
{
    std::vector<std::wstring> gone;
    for (const std::wstring& path : paths)
        if (!exists(path))
            gone.push_back(path);
    return gone;
}
