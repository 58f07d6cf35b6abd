#pragma once
// Clearing the thumbnail cache. The cache folder is a setting the user may point at any folder,
// pictures included: only the cache's own files go, never the folder or anything else in it.

// Whether the file is one of the thumbnail cache's: its name is 32 hexadecimal digits and
// "..webp", and it ends with the cache's trailer.
bool IsThumbnailCacheFile(const wchar_t* folder, const wchar_t* name);
// Deletes the cache files directly in the folder; the number deleted.
int ClearThumbnailCache(const wchar_t* folder);
