#pragma once
// Path arithmetic of the edit view's opening and saving.
#include <windows.h>
#include <string>

// The name without folder and extension.
std::wstring FileTitleOf(const std::wstring& path);
// The extension without its dot; "" for none.
std::wstring ExtensionOf(const std::wstring& path);
// Whether the path names a project: its extension is "kqd", case ignored.
bool IsProjectPath(const std::wstring& path);
// The copy beside the file: folder\title_YYYY-MM-DD_HH_MM_SS.ext.
std::wstring TimeStampedPath(const std::wstring& path, const SYSTEMTIME& time);
// The first extension of the index-th (1-based) pattern of a "text|pattern|...|" filter, with its
// dot (".jpg"); "" when there is none.
std::wstring FilterExtension(const std::wstring& filter, int index);
// The path as it is when it has an extension, else with the filter entry's extension added.
std::wstring WithFilterExtension(const std::wstring& path, const std::wstring& filter, int index);
// A folder in the temporary folder for unpacking the project of that title that does not
// exist yet: ~title-<process>-<counter>.
std::wstring FreshProjectFolder(const std::wstring& tempFolder, const std::wstring& title);
